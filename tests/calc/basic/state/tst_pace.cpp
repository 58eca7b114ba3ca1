// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator's pace: a run's time on a calculator is the sum of its
// statements' costs from the table, counted as often as each runs.
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Engine.h"
#include "calc/basic/state/Pace.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::basic;

namespace
{

QByteArray bytes(QString text)
{
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text).bytes;
}

long long estimate(const QString &program, Outcome *outcome = nullptr)
{
    Engine engine;
    Pace pace;
    engine.setPace(&pace);
    const Outcome o = engine.run(bytes(program));
    if (outcome)
        *outcome = o;
    return pace.micros();
}

} // namespace

class TstPace : public QObject
{
    Q_OBJECT

private slots:
    void estimates_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<long long>("micros");
        // The wiki's loop: 1000 empty passes, without and with the parenthesis.
        QTest::newRow("For( pass") << "For(I,1,1000\nEnd" << 690000LL;
        QTest::newRow("For( pass with )") << "For(I,1,1000)\nEnd" << 830000LL;
        QTest::newRow("one line") << "For(I,1,1000:End" << 690000LL;
        QTest::newRow("never entered") << "For(I,2,1\nEnd" << 0LL;
        QTest::newRow("Pxl-On( in a loop") << "For(I,0,9\nPxl-On(0,I\nEnd" << 10 * (1700LL + 690);
        QTest::newRow("Output( by its characters")
            << "ClrHome\nOutput(1,1,\"AB\nOutput(2,1,123" << 27000 + 2 * 2600 + 5 * 600LL;
        QTest::newRow("ClrDraw, lines") << "ClrDraw\nHorizontal 0\nVertical 0" << 159000LL;
        QTest::newRow("Disp: a line each") << "Disp 1,\"A:B\"\nDisp 2" << 3 * 50000LL;
        // Assumed costs: 500 µs and 150 a token past the first. The While
        // line runs four times, its body and End three.
        QTest::newRow("While") << "0→A\nWhile A<3\nA+1→A\nEnd"
                               << 800 + 4 * 950 + 3 * (1100 + 690LL);
        // Then is If's, If-Then's End is free; the For( pass is priced by
        // its own line.
        QTest::newRow("nested blocks")
            << "For(I,1,2)\nIf 1\nThen\nEnd\nEnd" << 2 * (650 + 0 + 830LL);
    }
    void estimates()
    {
        QFETCH(QString, program);
        Outcome o;
        QTEST(estimate(program, &o), "micros");
        QCOMPARE(int(o.error), int(Error::None));
    }

    // A program called by prgm is priced by its own statements.
    void calledPrograms()
    {
        Engine engine;
        Pace pace;
        engine.setPace(&pace);
        engine.host().findProgram = [](const QString &, QByteArray *out) {
            *out = bytes("For(I,1,100\nEnd");
            return true;
        };
        engine.run(bytes("prgmLOOP\nprgmLOOP"));
        // prgm and the name's four letters.
        QCOMPARE(pace.micros(), 2 * (500 + 4 * 150) + 2 * 69000LL);
    }

    // The clock is seen before each statement and once at the end, with
    // the time the statements before took.
    void statementTimes()
    {
        Engine engine;
        Pace pace;
        engine.setPace(&pace);
        QList<long long> seen;
        pace.onStatement = [&](long long micros) { seen << micros; };
        engine.run(bytes("ClrHome\nClrDraw\nPxl-On(0,0"));
        QCOMPARE(seen, (QList<long long>{0, 27000, 127000, 128700}));
    }

    void wording_data()
    {
        QTest::addColumn<long long>("micros");
        QTest::addColumn<QString>("text");
        QTest::newRow("under a second") << 690000LL << "about 0.69 s on a calculator";
        QTest::newRow("seconds") << 4210000LL << "about 4.2 s on a calculator";
        QTest::newRow("minutes") << 192400000LL << "about 3 min 12 s on a calculator";
    }
    void wording()
    {
        QFETCH(long long, micros);
        QTEST(estimateText(micros), "text");
    }
};

TORVANE_TEST(TstPace);
#include "tst_pace.moc"
