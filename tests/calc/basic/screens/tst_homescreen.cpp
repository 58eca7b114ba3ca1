// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The home screens of both kinds of model: what a token takes of a line,
// Menu('s items, and results that scroll.
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "calc/basic/screens/HomeScreen.h"
#include "calc/basic/screens/ScreenText.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::basic;
using calc::models::Model;

namespace
{

// The 26 lowercase letters as CE programs write them: letter tokens, and the
// statistics and sequence variables that look like letters.
QString letters(int n)
{
    static const QStringList pieces =
        QStringLiteral("⟦[|a]⟧ ⟦[|b]⟧ ⟦[|c]⟧ ⟦[|d]⟧ ⟦[|e]⟧ f g h i j k l m ⟦[n]⟧ o ⟦[p]⟧ q ⟦[r]⟧ "
                       "⟦[s]⟧ ⟦[t]⟧ ⟦|u⟧ ⟦|v⟧ ⟦|w⟧ x y ⟦[z]⟧")
            .split(QLatin1Char(' '));
    QString out;
    for (int i = 0; i < n; ++i)
        out += pieces[i % 26];
    return out;
}
const QString kAlphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz");

// A line as a row shows it: its first screenful of cells, no trailing blanks.
QString shownLine(const QString &line, int columns)
{
    QString s = screenCells(line).mid(0, columns).join(QString());
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

QString run(Engine &engine, const QString &program)
{
    const Outcome o = engine.run(testing::programBytes(program));
    return o.error == Error::None ? QString() : errorName(o.error);
}

} // namespace

class TstHomeScreen : public QObject
{
    Q_OBJECT

private slots:
    void oneCellTokens_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const int mono = int(Model::Ti84Plus), colour = int(Model::Ti84PlusCE);
        const QString monoDone = QString(12, QLatin1Char(' ')) + "Done";
        QTest::newRow("mono Disp fills a row")
            << mono << "Disp \"" + letters(16) + "\"" << kAlphabet.left(16) << monoDone;
        QTest::newRow("mono Disp cut")
            << mono << "Disp \"" + letters(17) + "\"" << kAlphabet.left(15) + "…" << monoDone;
        QTest::newRow("mono Output fills a row")
            << mono << "ClrHome\nOutput(1,1,\"" + letters(16) + "\")" << kAlphabet.left(16)
            << QString();
        QTest::newRow("colour Disp fills a row")
            << colour << "Disp \"" + letters(26) + "\"" << kAlphabet
            << QString(22, QLatin1Char(' ')) + "Done";
        QTest::newRow("colour Output wraps the 27th")
            << colour << "ClrHome\nOutput(1,1,\"" + letters(27) + "\")" << kAlphabet << "a";
        QTest::newRow("symbols of two code points")
            << mono << "ClrHome\nOutput(1,1,\"⟦[ṗ]⟧sin⁻¹(₁₀^(\")"
            << "p\u0302sin\u207B\u00B9(\u2081\u2080^(" << QString();
        QTest::newRow("regression names")
            << mono << "ClrHome\nOutput(1,1,\"⟦[RegEQ]⟧⟦[Q1]⟧⟦[recursiven]⟧\")"
            << "RegEQQ\u2081\U0001D45B" << QString();
    }
    void oneCellTokens()
    {
        QFETCH(int, model);
        QFETCH(QString, program);
        Engine engine;
        engine.setModel(Model(model));
        QCOMPARE(run(engine, program), QString());
        QTEST(engine.screen().row(0), "first");
        QTEST(engine.screen().row(1), "second");
        QVERIFY(screenWidth(engine.screen().row(0)) <= engine.screen().columns());
    }

    // What the editor marks: a token drawn like another one.
    void shownDifferently_data()
    {
        QTest::addColumn<int>("token");
        QTest::addColumn<bool>("different");
        QTest::newRow("statistics a") << 0x6216 << true;
        QTest::newRow("sequence u") << 0x5E80 << true;
        QTest::newRow("lowercase a") << 0xBBB0 << false;
        QTest::newRow("sin(") << 0xC2 << false;
    }
    void shownDifferently()
    {
        QFETCH(int, token);
        QTEST(calc::basic::shownDifferently(token), "different");
    }

    void menuItems_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("outcome");
        const int mono = int(Model::Ti84Plus), colour = int(Model::Ti84PlusCE);
        QTest::newRow("mono seven") << mono << 7 << "7"
                                    << "70";
        QTest::newRow("mono eight") << mono << 8 << "1"
                                    << "ERR:ARGUMENT";
        QTest::newRow("colour nine, the last") << colour << 9 << "9"
                                               << "90";
        QTest::newRow("colour eight, the first") << colour << 8 << "1"
                                                 << "10";
        QTest::newRow("colour ten") << colour << 10 << "1"
                                    << "ERR:ARGUMENT";
    }
    void menuItems()
    {
        QFETCH(int, model);
        QFETCH(int, items);
        QFETCH(QString, answer);
        QString program = QStringLiteral("Menu(\"PICK ONE\"");
        for (int i = 1; i <= items; ++i)
            program += QStringLiteral(",\"ITEM %1\",%2").arg(i).arg(QChar('A' + i - 1));
        program += QStringLiteral(")\n");
        for (int i = 1; i <= items; ++i)
            program += QStringLiteral("Lbl %1\n%2\nStop\n").arg(QChar('A' + i - 1)).arg(i * 10);
        Engine engine;
        engine.setModel(Model(model));
        QStringList shown;
        engine.host().nextAnswer = [&](QString *a) {
            shown = engine.screen().menu();
            *a = answer;
            return true;
        };
        const QString error = run(engine, program);
        QTEST(error.isEmpty() ? displayText(engine.ans()) : error, "outcome");
        if (error.isEmpty()) {
            QCOMPARE(shown.size(), items + 1);
            QCOMPARE(shown.last(), QStringLiteral("ITEM %1").arg(items));
        }
    }

    // A results screen longer than the screen: its first screenful, then
    // one line further a ↓.
    void resultsScroll_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("rows");
        QTest::newRow("mono") << int(Model::Ti84Plus) << 8;
        QTest::newRow("colour") << int(Model::Ti84PlusCE) << 10;
    }
    void resultsScroll()
    {
        QFETCH(int, model);
        QFETCH(int, rows);
        Engine engine;
        engine.setModel(Model(model));
        QCOMPARE(run(engine, "ANOVA({1,2,3},{4,5,7},{2,2,9})"), QString());
        HomeScreen &home = engine.screen();
        const QStringList lines = home.results();
        QVERIFY2(lines.size() > rows, qPrintable(lines.join('|')));
        for (int r = 0; r < rows; ++r)
            QCOMPARE(home.row(r), shownLine(lines[r], home.columns()));
        QVERIFY(!home.scrollResults(-1));
        const QString last = home.row(rows - 1);
        QVERIFY(home.scrollResults(1));
        QCOMPARE(home.row(rows - 2), last);
        QCOMPARE(home.resultsShownFrom(), 1);
        while (home.scrollResults(1)) {
        }
        QCOMPARE(home.resultsShownFrom(), int(lines.size()) - rows);
        QCOMPARE(home.row(rows - 1), shownLine(lines.last(), home.columns()));
        QVERIFY(home.scrollResults(-1));
        QCOMPARE(home.resultsShownFrom(), int(lines.size()) - rows - 1);
    }

    // The table of DispTable takes the colour screen's width and height.
    void tableFillsTheScreen_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("lastRow");
        QTest::newRow("mono") << int(Model::Ti84Plus) << 7;
        QTest::newRow("colour") << int(Model::Ti84PlusCE) << 9;
    }
    void tableFillsTheScreen()
    {
        QFETCH(int, model);
        QFETCH(int, lastRow);
        Engine engine;
        engine.setModel(Model(model));
        QStringList rows;
        engine.host().pause = [&] {
            for (int r = 0; r < engine.screen().rows(); ++r)
                rows << engine.screen().row(r);
            return true;
        };
        QCOMPARE(run(engine, "\"X²\"→Y₁\n0→TblStart\n1→ΔTbl\nDispTable"), QString());
        QCOMPARE(rows.size(), lastRow + 1);
        QCOMPARE(rows[lastRow], QStringLiteral("X=0"));
        QVERIFY(rows[lastRow - 1].startsWith(QString::number(lastRow - 2)));
    }
};

TORVANE_TEST(TstHomeScreen);
#include "tst_homescreen.moc"
