// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Y= equations as variables and the graphs the engine draws of them.
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::basic;

namespace
{

QByteArray bytes(const QString &program)
{
    return testing::programBytes(program);
}

QString lit(const GraphScreen &g)
{
    return testing::litRuns(g);
}

// Every `step`-th pixel of a row, from column `from`.
QString every(int row, int from, int step)
{
    QStringList runs;
    for (int c = from; c < GraphScreen::kColumns; c += step)
        runs << QStringLiteral("%1:%2").arg(row).arg(c);
    return runs.join(QLatin1Char(' '));
}

// Column c is X=c and row r is Y=62-r.
const char *const kPixelWindow = "AxesOff:0→Xmin:94→Xmax:0→Ymin:62→Ymax:";

QString shown(Engine &engine, const QString &program)
{
    const Outcome o = engine.run(bytes(program));
    return o.error == Error::None ? displayText(engine.ans()) : errorName(o.error);
}

} // namespace

class TstFunctions : public QObject
{
    Q_OBJECT

private slots:
    void values_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("result");
        QTest::newRow("at a point") << "\"X²-4\"→Y₁:Y₁(3)"
                                    << "5";
        QTest::newRow("X comes back") << "7→X:\"X²\"→Y₁:Y₁(3)+X"
                                      << "16";
        QTest::newRow("at the current X") << "2→X:\"3X\"→Y₁:Y₁"
                                          << "6";
        QTest::newRow("implied product") << "2→X:\"X+1\"→Y₀:2Y₀"
                                         << "6";
        QTest::newRow("at a list") << "\"2X\"→Y₂:Y₂({1,2})"
                                   << "{2 4}";
        QTest::newRow("one calls another") << "\"X+1\"→Y₁:\"2⟦Y₁⟧\"→Y₂:Y₂(4)"
                                           << "10";
        QTest::newRow("storing leaves Ans") << "5:\"X\"→Y₁:Ans"
                                            << "5";
        QTest::newRow("undefined") << "Y₃(1)"
                                   << "ERR:INVALID";
        QTest::newRow("emptied") << "\"X\"→Y₃:\"\"→Y₃:Y₃(1)"
                                 << "ERR:INVALID";
        QTest::newRow("a regression's equation") << "LinReg(ax+b) {0,1},{1,3},Y₂:Y₂(10)"
                                                 << "21";
        QTest::newRow("then as a string") << "LinReg(ax+b) {0,1},{1,3},Y₂:Equ►String(Y₂,Str2):Str2"
                                          << "2X+1";
        QTest::newRow("DelVar empties") << "\"X\"→Y₃:DelVar Y₃Y₃(1)"
                                        << "ERR:INVALID";
        QTest::newRow("refers to itself") << "\"⟦Y₁⟧+1\"→Y₁:Y₁(1)"
                                          << "ERR:INVALID";
        QTest::newRow("a real is no equation") << "3→Y₁"
                                               << "ERR:DATA TYPE";
        QTest::newRow("error inside") << "\"1/X\"→Y₁:Y₁(0)"
                                      << "ERR:DIVIDE BY 0";
        QTest::newRow("String►Equ(") << "String►Equ(\"2X\",Y₂):Y₂(4)"
                                     << "8";
        QTest::newRow("Equ►String(") << "\"X+1\"→Y₃:Equ►String(Y₃,Str1):Str1+\"!\""
                                     << "X+1!";
        QTest::newRow("Equ►String( undefined") << "Equ►String(Y₉,Str1)"
                                               << "ERR:UNDEFINED";
        QTest::newRow("parametric in T") << "5→T:\"T+1\"→X₁ᴛ:X₁ᴛ(2)+T"
                                         << "8";
        QTest::newRow("polar in θ") << "\"2θ\"→r₁:r₁(3)"
                                    << "6";
        QTest::newRow("Tmax of ZStandard") << "1→Tmax:Param:ZStandard:Tmax"
                                           << "6.283185307";
        QTest::newRow("θstep in degrees") << "Polar:Degree:ZStandard:θstep"
                                          << "7.5";
        QTest::newRow("ZStandard in Func keeps Tmax") << "1→Tmax:Func:ZStandard:Tmax"
                                                      << "1";
        QTest::newRow("ZStandard in Par keeps Xres") << "2→Xres:Param:ZStandard:Xres"
                                                     << "2";
        QTest::newRow("Tstep stored") << "3→Tstep:2Tstep"
                                      << "6";
        QTest::newRow("nMin whole") << "1.5→nMin"
                                    << "ERR:DOMAIN";
        QTest::newRow("FnOn 7 in Par") << "Param:FnOn 7"
                                       << "ERR:DOMAIN";
        QTest::newRow("FnOff 0 in Pol") << "Polar:FnOff 0"
                                        << "ERR:DOMAIN";
        QTest::newRow("FnOff 4 in Seq") << "Seq:FnOff 3:FnOff 4"
                                        << "ERR:DOMAIN";
        QTest::newRow("DrawF leaves X at the last column") << "ZStandard:DrawF X:X"
                                                           << "10";
        QTest::newRow("DrawInv outside Func") << "Param:DrawInv X"
                                              << "ERR:MODE";
        QTest::newRow("Shade pattern 5") << "Shade(0,1,0,1,5"
                                         << "ERR:DOMAIN";
        QTest::newRow("Shade resolution 9") << "Shade(0,1,0,1,1,9"
                                            << "ERR:DOMAIN";
        QTest::newRow("Shade seven arguments") << "Shade(0,1,0,1,1,1,1"
                                               << "ERR:ARGUMENT";
        QTest::newRow("Tangent at a point off the domain") << "Tangent(√(X),⁻1"
                                                           << "ERR:NONREAL ANS";
        QTest::newRow("a bad equation stops the graph") << "\"X+\"→Y₁:DispGraph"
                                                        << "ERR:SYNTAX";
    }
    void values()
    {
        QFETCH(QString, program);
        QFETCH(QString, result);
        Engine engine;
        QCOMPARE(shown(engine, program), result);
    }

    void pixels_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("pixels");
        const QString row31 = QStringLiteral("31:0-94");
        QTest::newRow("a constant") << "\"31\"→Y₁:DispGraph" << row31;
        QTest::newRow("a gap where it fails") << "\"31+0/(X-50)\"→Y₁:DispGraph"
                                              << "31:0-49 31:51-94";
        QTest::newRow("a gap where it is not real") << "\"31+⟦√(⟧X-90)\"→Y₁:DispGraph"
                                                    << "29:93-94 30:91-92 31:90";
        QTest::newRow("a list leaves it out") << "\"{1,2}X\"→Y₁:DispGraph"
                                              << "";
        QTest::newRow("Dot at every other column")
            << "Dot:2→Xres:\"10\"→Y₁:DispGraph" << every(52, 0, 2);
        QTest::newRow("two at once") << "\"31\"→Y₁:\"20\"→Y₂:DispGraph"
                                     << "31:0-94 42:0-94";
        QTest::newRow("FnOff one") << "\"31\"→Y₁:\"20\"→Y₂:FnOff 1:DispGraph"
                                   << "42:0-94";
        QTest::newRow("FnOff all") << "\"31\"→Y₁:\"20\"→Y₂:FnOff :DispGraph"
                                   << "";
        QTest::newRow("FnOn again") << "\"31\"→Y₁:\"20\"→Y₂:FnOff :FnOn 2:DispGraph"
                                    << "42:0-94";
        QTest::newRow("storing selects") << "FnOff :\"31\"→Y₁:DispGraph" << row31;
        QTest::newRow("Y₀ is FnOff 0") << "\"31\"→Y₀:FnOff 0:DispGraph"
                                       << "";
        QTest::newRow("ClrDraw keeps the functions") << "\"31\"→Y₁:Pxl-On(0,0:ClrDraw" << row31;
        QTest::newRow("a drawing stays on the graph") << "\"31\"→Y₁:Pxl-On(0,0:DispGraph"
                                                      << "0:0 " + row31;
        QTest::newRow("a new equation clears drawings")
            << "\"31\"→Y₁:Pxl-On(0,0:\"30\"→Y₁:DispGraph"
            << "32:0-94";
        QTest::newRow("the same equation keeps them") << "\"31\"→Y₁:Pxl-On(0,0:\"31\"→Y₁:DispGraph"
                                                      << "0:0 " + row31;
        QTest::newRow("Dot clears them") << "\"31\"→Y₁:Pxl-On(0,0:Dot:DispGraph" << row31;
        QTest::newRow("DrawF") << "DrawF 31" << row31;
        QTest::newRow("DrawF is no function") << "DrawF 31:ClrDraw"
                                              << "";
        QTest::newRow("DrawInv") << "DrawInv 10" << [] {
            QStringList c;
            for (int r = 0; r < 63; ++r)
                c << QStringLiteral("%1:10").arg(r);
            return c.join(QLatin1Char(' '));
        }();
        QTest::newRow("Shade") << "Shade(10,12"
                               << "50:0-94 51:0-94 52:0-94";
        QTest::newRow("Shade between bounds") << "Shade(10,12,5,7"
                                              << "50:0-94 51:5-7 52:0-94";
        QTest::newRow("Shade upside down") << "Shade(12,10"
                                           << "50:0-94 52:0-94";
        // Bounds far past the screen: rows clipped, not wrapped through int.
        QTest::newRow("Shade far below the screen") << "Shade(⁻1ᴇ30,⁻1ᴇ29"
                                                    << "";
        QTest::newRow("Shade from far below to far above") << "Shade(⁻1ᴇ30,1ᴇ30,5,5" << [] {
            QStringList c;
            for (int r = 0; r < 63; ++r)
                c << QStringLiteral("%1:5").arg(r);
            return c.join(QLatin1Char(' '));
        }();
        QTest::newRow("Shade horizontal lines") << "Shade(10,14,0,94,2,2"
                                                << "48:0-94 50:0-94 52:0-94";
        QTest::newRow("Shade vertical lines")
            << "Shade(10,14,0,94,1,2"
            << "48:0-94 " + every(49, 0, 2) + " " + every(50, 0, 2) + " " + every(51, 0, 2) +
                   " 52:0-94";
        QTest::newRow("Shade between equations") << "\"10\"→Y₁:\"12\"→Y₂:FnOff :Shade(Y₁,Y₂"
                                                 << "50:0-94 51:0-94 52:0-94";
        QTest::newRow("grid") << "31→Xscl:31→Yscl:GridOn:DispGraph"
                              << "0:0 0:31 0:62 0:93 31:0 31:31 31:62 31:93 62:0 62:31 62:62 "
                                 "62:93";
        QTest::newRow("parametric")
            << "Param:Dot:\"T\"→X₁ᴛ:\"T/2\"→Y₁ᴛ:0→Tmin:8→Tmax:2→Tstep:DispGraph"
            << "58:8 59:6 60:4 61:2 62:0";
        QTest::newRow("polar") << "⁻47→Xmin:47→Xmax:⁻31→Ymin:31→Ymax:Polar:Degree:Dot:\"10\"→⟦r₁⟧:"
                                  "0→θMin:90→θMax:90→θstep:DispGraph"
                               << "21:47 31:57";
    }
    void pixels()
    {
        QFETCH(QString, program);
        QFETCH(QString, pixels);
        Engine engine;
        const Outcome o = engine.run(bytes(QString::fromUtf8(kPixelWindow) + program));
        QCOMPARE(errorName(o.error), QString());
        QCOMPARE(lit(engine.graph()), pixels);
    }

    // Tangent(: the curve, then the line through the point with its slope.
    void tangent()
    {
        Engine engine;
        QCOMPARE(shown(engine, QString::fromUtf8(kPixelWindow) + "Tangent(X²/100,50:X"), "94");
        const GraphScreen &g = engine.graph();
        // y = X-25: row 87-X from column 25 to 87 (give or take the pixel
        // that clipping at the screen's edges moves it by), nowhere left of it.
        for (int c = 25; c <= 87; ++c)
            QVERIFY2(g.pixel(87 - c, c) || g.pixel(88 - c, c), qPrintable(QString::number(c)));
        QVERIFY(!g.pixel(62, 24));
        // The parabola's own points: (10, 1) and (70, 49).
        QVERIFY(g.pixel(61, 10));
        QVERIFY(g.pixel(13, 70));
    }

    // The program of the issue: X²-4 in Y₁, ZStandard, shaded down to 0, then a
    // determinant.
    void shadeUnderAParabola()
    {
        Engine engine;
        QCOMPARE(shown(engine, "AxesOff:\"X²-4\"→Y₁:ZStandard:Shade(Y₁,0):det([[1,2][3,4]])"),
                 "⁻2");
        QVERIFY(engine.graphShown());
        const GraphScreen &g = engine.graph();
        // X=0 at column 47: from 0 (row 31) down to -4 (row 43).
        for (int r = 31; r <= 43; ++r)
            QVERIFY2(g.pixel(r, 47), qPrintable(QString::number(r)));
        QVERIFY(!g.pixel(44, 47));
        // Outside -2..2 the parabola is above 0: nothing below the line.
        QVERIFY(g.pixel(31, 10));
        QVERIFY(!g.pixel(32, 10));
        QVERIFY(!g.pixel(32, 84));
        // The roots, X=±2, at columns 38 and 56.
        QVERIFY(g.pixel(32, 39) && g.pixel(32, 55));
        QVERIFY(!g.pixel(32, 37) && !g.pixel(32, 57));
    }

    // Connected joins the points; Dot leaves them apart.
    void connectedAndDot()
    {
        Engine engine;
        const QString steep = QString::fromUtf8(kPixelWindow) + "\"62-31(X≥47)\"→Y₁:";
        QCOMPARE(shown(engine, steep + "Connected:DispGraph"), "62");
        int connected = 0;
        for (int r = 0; r <= 31; ++r)
            connected += engine.graph().pixel(r, 46) || engine.graph().pixel(r, 47);
        QCOMPARE(connected, 32);
        QCOMPARE(shown(engine, steep + "Dot:DispGraph"), "62");
        QCOMPARE(lit(engine.graph()), QStringLiteral("0:0-46 31:47-94"));
    }

    // Equations and their selection outlive a run, like other variables.
    void equationsOutliveARun()
    {
        Engine engine;
        QCOMPARE(shown(engine, "\"X+2\"→Y₄:FnOff 4"), "0");
        QCOMPARE(shown(engine, "Y₄(1)"), "3");
        QCOMPARE(shown(engine, QString::fromUtf8(kPixelWindow) + "\"31\"→Y₅:DispGraph"), "62");
        QCOMPARE(lit(engine.graph()), QStringLiteral("31:0-94"));
    }

    // A graph database keeps the equations with the window and modes.
    void databaseKeepsEquations()
    {
        Engine engine;
        QCOMPARE(shown(engine, "\"X+1\"→Y₁:StoreGDB 1:\"X+5\"→Y₁:\"7\"→Y₂:RecallGDB 1:Y₁(1)"), "2");
        QCOMPARE(shown(engine, "Y₂(1)"), "ERR:INVALID");
        QCOMPARE(shown(engine, "DelVar GDB1RecallGDB 1"), "ERR:UNDEFINED");
        bool listed = false;
        for (const auto &[name, value] : engine.variables())
            listed |= name == QStringLiteral("Y₁") && value == QStringLiteral("\"X+1\"");
        QVERIFY(listed);
    }
};

TORVANE_TEST(TstFunctions);
#include "tst_equations.moc"
