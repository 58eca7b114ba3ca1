// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The variables view: the program's own variables first (or only), and the
// values the last step changed marked.
#include "calc/Tokens.h"
#include "calc/basic/core/Engine.h"
#include "calculator/VariableRows.h"
#include "calculator/frmCalculator.h"
#include "common/TestRegistry.h"
#include "common/TokenBytes.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using calculator::Variables;

namespace
{

QString names(const QVector<calculator::VariableRow> &rows, bool changedOnly = false)
{
    QStringList out;
    for (const auto &r : rows)
        if (!changedOnly || r.changed)
            out << r.name;
    return out.join(u',');
}

Variables parse(const QString &pairs)
{
    Variables out;
    for (const QString &p : pairs.split(u',', Qt::SkipEmptyParts))
        out.append({p.section(u'=', 0, 0), p.section(u'=', 1)});
    return out;
}

} // namespace

class TstVariablesView : public QObject
{
    Q_OBJECT

private slots:
    // Names as the engine lists them after running the program itself.
    void usedFirst_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<bool>("showAll");
        QTest::addColumn<QString>("expected"); // the first rows, in order
        QTest::addColumn<int>("count");
        QTest::newRow("letters in the engine's order")
            << testing::bytesOf("'5' 04 'B' 3F 'B' 70 '1' 04 'A'") << false << "A,B" << 2;
        QTest::newRow("text in quotes names nothing")
            << testing::bytesOf("2A 'HIGHER' 2A 04 AA 00") << false << "Str1" << 1;
        QTest::newRow("a program's name, not its letters")
            << testing::bytesOf("'1' 04 'A' 3F CE '0' 3F 5F 'S' 'U' 'B'") << false << "A" << 1;
        QTest::newRow("named list, not its letters")
            << testing::bytesOf("08 '1' 09 04 EB 'SCORE'") << false << "\u029FSCORE" << 1;
        QTest::newRow("Ans") << testing::bytesOf("'5' 3F 72 70 '1' 04 'C'") << false << "C,Ans"
                             << 2;
        QTest::newRow("Show All: used ones, then the rest")
            << testing::bytesOf("'5' 04 'Q'") << true << "Q,A,B" << 28;
    }
    void usedFirst()
    {
        QFETCH(QByteArray, program);
        QFETCH(bool, showAll);
        QFETCH(QString, expected);
        calc::basic::Engine engine;
        QCOMPARE(engine.run(program).error, calc::basic::Error::None);
        const Variables now = engine.variables();
        const auto rows =
            calculator::variableRows(now, now, calculator::variablesUsed(program), showAll);
        QCOMPARE(names(rows.mid(0, expected.count(u',') + 1)), expected);
        QTEST(int(rows.size()), "count");
    }

    void changedMarked_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("changed");
        QTest::newRow("nothing changed") << "A=1,B=2"
                                         << "A=1,B=2"
                                         << "";
        QTest::newRow("one value") << "A=1,B=2"
                                   << "A=1,B=3"
                                   << "B";
        QTest::newRow("a new list") << "A=1"
                                    << "A=1,L\u2081={1 2}"
                                    << "L\u2081";
        QTest::newRow("a string grew") << "Str1=\"A\""
                                       << "Str1=\"AB\""
                                       << "Str1";
    }
    void changedMarked()
    {
        QFETCH(QString, before);
        QFETCH(QString, now);
        const Variables n = parse(now);
        QSet<QString> all;
        for (const auto &v : n)
            all.insert(v.first);
        QTEST(names(calculator::variableRows(n, parse(before), all, false), true), "changed");
    }

    // The window: only the program's variables until Show All is checked,
    // and the marks follow the steps.
    void windowFollowsSteps()
    {
        calculator::frmCalculator w;
        QVERIFY(!w.chkShowAllVariables->isChecked());
        QSignalSpy paused(&w, &calculator::frmCalculator::paused);
        QSignalSpy ended(&w, &calculator::frmCalculator::ended);
        QVERIFY(w.run(testing::bytesOf("'1' 04 'A' 3F '2' 04 'B'"), "T", true));
        QVERIFY(paused.wait(5000));
        w.session().step();
        QVERIFY(paused.wait(5000));
        QVERIFY(w.lstVariables->item(0, 1)->font().bold()); // 1→A ran
        w.session().step();
        QVERIFY(ended.count() > 0 || ended.wait(5000));
        QCOMPARE(w.lstVariables->rowCount(), 2);
        QCOMPARE(w.lstVariables->item(0, 0)->text(), QStringLiteral("A"));
        QCOMPARE(w.lstVariables->item(1, 0)->text(), QStringLiteral("B"));
        // The last step stored into B only.
        QVERIFY(!w.lstVariables->item(0, 1)->font().bold());
        QVERIFY(w.lstVariables->item(1, 1)->font().bold());
        w.chkShowAllVariables->setChecked(true);
        QCOMPARE(w.lstVariables->rowCount(), 28);
        QCOMPARE(w.lstVariables->item(2, 0)->text(), QStringLiteral("C"));
        // Ans, A and B at 15 bytes each on a TI-83's 24 KB; the program's
        // own bytes are given back when it ends.
        QCOMPARE(w.lblMemory->text(), QStringLiteral("RAM used 45 bytes, free 24531"));
    }

    // Stepping into a called program lists what it sets, though the caller
    // never names it.
    void calledProgramsVariables()
    {
        calculator::frmCalculator w;
        w.session().findProgram = [](const QString &name, QByteArray *tokens) {
            *tokens = testing::bytesOf("'5' 04 'Y'");
            return name == QLatin1String("SUB");
        };
        QSignalSpy paused(&w, &calculator::frmCalculator::paused);
        QSignalSpy ended(&w, &calculator::frmCalculator::ended);
        QVERIFY(w.run(testing::bytesOf("'1' 04 'A' 3F 5F 'S' 'U' 'B'"), "T", true));
        for (int i = 0; i < 10 && ended.isEmpty(); ++i) {
            if (!QTest::qWaitFor([&] { return paused.count() > i || !ended.isEmpty(); }, 5000))
                break;
            if (ended.isEmpty())
                w.session().step();
        }
        QVERIFY(ended.count() > 0 || ended.wait(5000));
        QStringList names;
        for (int i = 0; i < w.lstVariables->rowCount(); ++i)
            names << w.lstVariables->item(i, 0)->text();
        QCOMPARE(names.join(u','), QStringLiteral("A,Y"));
    }
};

TORVANE_TEST(TstVariablesView);
#include "tst_variablesview.moc"
