// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One-line programs that CE owners publish, run on the model they name:
// invNorm('s tail, 𝑛 as a loop variable, the fraction modes, nine Menu(
// items, a colour after AxesOn, getDtStr(0), and the clock's values in
// implied products (on the monochrome models too).
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "calc/basic/screens/ColourCodes.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::basic;
using calc::models::Model;

class TstColourPrograms : public QObject
{
    Q_OBJECT

private slots:
    void oneLiners_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("shown");
        const int ce = int(Model::Ti84PlusCE), cse = int(Model::Ti84PlusCSE);
        const int mono = int(Model::Ti84Plus);
        const QString nine =
            "Menu(\"M\",\"1\",A,\"2\",A,\"3\",A,\"4\",A,\"5\",A,\"6\",A,\"7\",A,\"8\",A,\"9\",B:"
            "Lbl A:1:Stop:Lbl B:9";
        QTest::newRow("invNorm( right tail") << "invNorm(.05,0,1,RIGHT)" << ce << "1.644853627";
        QTest::newRow("invNorm( left tail") << "invNorm(.05,0,1,LEFT)" << ce << "⁻1.644853627";
        QTest::newRow("invNorm( centre")
            << "invNorm(.95,10,2,CENTER)" << ce << "{6.080072031 13.91992797}";
        QTest::newRow("invNorm( right tail of a list")
            << "invNorm({.05,.5},0,1,RIGHT)" << ce << "{1.644853627 0}";
        QTest::newRow("invNorm( tail is no number")
            << "invNorm(.05,0,1,2)" << ce << "ERR:SYNTAX line 1";
        QTest::newRow("invNorm( has no tail before the CE")
            << "invNorm(.05,0,1,RIGHT)" << mono << "ERR:ARGUMENT line 1";
        QTest::newRow("For( over 𝑛") << "0→S:For(𝑛,1,5:S+𝑛→S:End:{S,𝑛" << ce << "{15 6}";
        QTest::newRow("For( over 𝑛, monochrome") << "For(𝑛,5,1,⁻2:End:𝑛" << mono << "⁻1";
        QTest::newRow("seq( over 𝑛 keeps 𝑛") << "7→𝑛:sum(seq(𝑛²,𝑛,1,3))+𝑛" << ce << "21";
        QTest::newRow("Un⁄d shows mixed numbers") << "Un⁄d:4⁄3" << ce << "1ᵤ1/3";
        QTest::newRow("n⁄d shows fractions") << "Un⁄d:n⁄d:4⁄3" << ce << "4/3";
        QTest::newRow("Un⁄d under FRAC") << "Un⁄d:[FRAC]:1.25" << ce << "1ᵤ1/4";
        QTest::newRow("Un⁄d under DEC") << "Un⁄d:[DEC]:4⁄3" << ce << "1.333333333";
        QTest::newRow("nine menu items") << nine << ce << "9";
        QTest::newRow("nine menu items, monochrome") << nine << mono << "ERR:ARGUMENT line 1";
        QTest::newRow("getDtStr(0) in the clock's format")
            << "setDtFmt(2:getDtStr(0" << cse << "01/03/24";
        QTest::newRow("getDtStr(0), monochrome") << "getDtStr(0" << mono << "ERR:DOMAIN line 1";
        QTest::newRow("a number times startTmr") << "2startTmr=2*startTmr" << mono << "1";
        QTest::newRow("rand times startTmr") << "randstartTmr→rand:1" << mono << "1";
        QTest::newRow("a letter times checkTmr(") << "3→X:XcheckTmr(startTmr-5" << mono << "15";
        QTest::newRow("a number times getTime") << "2getTime" << mono << "{24 0 0}";
    }
    void oneLiners()
    {
        QFETCH(QString, program);
        QFETCH(int, model);
        Engine engine;
        engine.setModel(Model(model));
        engine.host().now = [] { return QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0)); };
        engine.host().nextAnswer = [](QString *answer) {
            *answer = QStringLiteral("9");
            return true;
        };
        // Ans as the screen shows it, in the modes the program set.
        const Outcome o = engine.run(testing::programBytes(program));
        QTEST(o.error == Error::None ? displayText(engine.ans(), engine.settings().format)
                                     : testing::outcome(engine, program),
              "shown");
    }

    // AxesOn with a colour keeps it for the axes and turns them on.
    void axesColour()
    {
        Engine engine;
        engine.setModel(Model::Ti84PlusCE);
        QCOMPARE(testing::outcome(engine, "AxesOff:AxesOn RED:1"), QStringLiteral("1"));
        QCOMPARE(engine.colour()->axesColour, int(Red));
        QVERIFY(engine.graph().axes());
        QCOMPARE(testing::outcome(engine, "AxesOn 99"), QStringLiteral("ERR:DOMAIN line 1"));
    }

    // A called program is asked for once a run; the next run asks again.
    void calledProgramReadOncePerRun()
    {
        Engine engine;
        int asked = 0;
        QString sub = QStringLiteral("A+1→A");
        engine.host().findProgram = [&](const QString &name, QByteArray *out) {
            ++asked;
            *out = testing::programBytes(sub);
            return name == QLatin1String("SUB");
        };
        const QString caller = QStringLiteral("0→A:For(I,1,5:prgmSUB:End:A");
        QCOMPARE(testing::outcome(engine, caller), QStringLiteral("5"));
        QCOMPARE(asked, 1);
        sub = QStringLiteral("A+2→A");
        QCOMPARE(testing::outcome(engine, caller), QStringLiteral("10"));
        QCOMPARE(asked, 2);
    }
};

TORVANE_TEST(TstColourPrograms);
#include "tst_colourprograms.moc"
