// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Seq mode, the window family's other variables, Y= styles, stat plots and
// the graph screen's waiting commands.
#include "calc/Models.h"
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::basic;

namespace
{

// A window where a point's x is its column and 62-y its row.
const char *const kPixels = "AxesOff:0→Xmin:94→Xmax:0→Ymin:62→Ymax:";

// Inside a string the editor spells n, u and v as their tokens' escapes;
// the rows write them ‹n›, ‹u›, ‹v›, ‹w›.
QByteArray typed(const QString &program)
{
    QString s = program;
    s.replace(QStringLiteral("‹n›"), QStringLiteral("⟦$6221⟧"));
    s.replace(QStringLiteral("‹u›"), QStringLiteral("⟦$5E80⟧"));
    s.replace(QStringLiteral("‹v›"), QStringLiteral("⟦$5E81⟧"));
    s.replace(QStringLiteral("‹w›"), QStringLiteral("⟦$5E82⟧"));
    return testing::programBytes(s);
}

QString pixelsOf(const QString &program)
{
    Engine engine;
    const Outcome o = engine.run(typed(QString::fromUtf8(kPixels) + program));
    if (o.error != Error::None)
        return errorName(o.error);
    return testing::litRuns(engine.graph());
}

} // namespace

class TstPlots : public QObject
{
    Q_OBJECT

private slots:
    void values_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        // Seq mode: the wiki's bunny population, u(n)=2u(n-1) from 100.
        QTest::newRow("doubling") << "Seq:\"2‹u›(‹n›-1)\"→‹u›:100→u(nMin):‹u›(5)"
                                  << "1600";
        // Two terms before: the list gives u(nMin+1) first.
        QTest::newRow("Fibonacci")
            << "\"‹u›(‹n›-1)+‹u›(‹n›-2)\"→‹u›:{1,0}→u(nMin):{‹u›(1),‹u›(2),‹u›(10)}"
            << "{0 1 34}";
        QTest::newRow("far term") << "\"‹u›(‹n›-1)+1\"→‹u›:0→u(nMin):‹u›(2000)"
                                  << "1999";
        QTest::newRow("explicit at a list") << "\"‹n›²\"→‹u›:‹u›({1,2,3})"
                                            << "{1 4 9}";
        QTest::newRow("explicit below nMin") << "\"‹n›+5\"→‹u›:‹u›(0)"
                                             << "5";
        QTest::newRow("one sequence of another")
            << "\"‹n›+1\"→‹u›:\"2‹u›(‹n›)+‹v›(‹n›-1)\"→‹v›:0→v(nMin):‹v›(3)"
            << "14";
        QTest::newRow("nMin moves the start") << "3→nMin:\"2‹u›(‹n›-1)\"→‹u›:1→u(nMin):‹u›(5)"
                                              << "4";
        QTest::newRow("u alone is at n") << "\"3‹n›\"→‹u›:4→‹n›:‹u›"
                                         << "12";
        QTest::newRow("n comes back") << "\"‹n›\"→‹u›:7→‹n›:‹u›(2):‹n›"
                                      << "7";
        QTest::newRow("recursion without a start") << "\"2‹u›(‹n›-1)\"→‹u›:‹u›(3)"
                                                   << "ERR:INVALID line 1";
        QTest::newRow("term needs itself") << "\"‹u›(‹n›)+1\"→‹u›:‹u›(2)"
                                           << "ERR:INVALID line 1";
        QTest::newRow("fraction of a term") << "\"‹n›\"→‹u›:‹u›(1.5)"
                                            << "ERR:DOMAIN line 1";
        QTest::newRow("undefined sequence") << "‹u›(2)"
                                            << "ERR:INVALID line 1";
        QTest::newRow("no start stored") << "u(nMin)"
                                         << "ERR:UNDEFINED line 1";
        QTest::newRow("TI-82 u(n-1)") << "Un-₁"
                                      << "ERR:SYNTAX line 1";
        QTest::newRow("CE term tokens") << "\"‹n›²\"→‹u›:5→‹n›:{u(𝑛-2),w(𝑛+1)}"
                                        << "ERR:INVALID line 1";
        QTest::newRow("SEQ(𝑛+1)") << "SEQ(𝑛+1):\"2‹u›(‹n›)\"→‹u›:1→u(nMin):‹u›(3)"
                                  << "4";
        QTest::newRow("store to u(n-1)") << "1→Vn-₁"
                                         << "ERR:SYNTAX line 1";
        QTest::newRow("CE term before") << "\"‹n›²\"→‹v›:5→‹n›:v(𝑛-1)"
                                        << "16";
        // The window family's defaults and the zoom memory.
        QTest::newRow("defaults")
            << "{XFact,YFact,TblStart,∆Tbl,ZXmin,ZYmax,ZXscl,ZnMin,ZnMax,ZPlotStep,ZXres}"
            << "{4 4 0 1 ⁻10 10 1 1 10 1 1}";
        QTest::newRow("ZTstep is π/24") << "ZTstep=π/24 and Zθmax=2π"
                                        << "1";
        QTest::newRow("ZoomSto keeps the window")
            << "3→Xmin:2→Tmin:ZoomSto:ZStandard:{ZXmin,ZTmin,Xmin}"
            << "{3 2 ⁻10}";
        QTest::newRow("ZoomRcl brings it back")
            << "4→ZXmax:3→ZnMax:2→ZXres:ZoomRcl:{Xmax,nMax,Xres}"
            << "{4 3 2}";
        QTest::newRow("ZoomRcl of the start") << "5→Zu(nmin):ZoomRcl:u(nMin)"
                                              << "5";
        QTest::newRow("Zoom In by the factors") << "2→XFact:5→YFact:Zoom In:{Xmax,Ymax}"
                                                << "{5 2}";
        QTest::newRow("Zoom Out by 4") << "Zoom Out:{Xmin,Ymax}"
                                       << "{⁻40 40}";
        QTest::newRow("zoom factor below 1") << ".5→XFact"
                                             << "ERR:DOMAIN line 1";
        QTest::newRow("ZnMin a fraction") << "1.5→ZnMin"
                                          << "ERR:DOMAIN line 1";
        QTest::newRow("ZXres past 8") << "9→ZXres"
                                      << "ERR:DOMAIN line 1";
        QTest::newRow("RecallGDB brings back nMax and u(nMin)")
            << "4→nMax:{2,1}→u(nMin):StoreGDB 1:9→nMax:1→u(nMin):RecallGDB "
               "1:augment({nMax},u(nMin))"
            << "{4 2 1}";
        QTest::newRow("TblInput") << "{1,2}→TblInput:TblInput"
                                  << "{1 2}";
        QTest::newRow("TblInput of eight") << "seq(I,I,1,8)→TblInput"
                                           << "ERR:INVALID DIM line 1";
        // Styles, plots and the commands that wait.
        QTest::newRow("GraphStyle of Y₀") << "GraphStyle(0,2):1"
                                          << "1";
        QTest::newRow("GraphStyle past Y₉") << "GraphStyle(10,1)"
                                            << "ERR:DOMAIN line 1";
        QTest::newRow("GraphStyle 8") << "GraphStyle(1,8)"
                                      << "ERR:DOMAIN line 1";
        QTest::newRow("shading in Par") << "Param:GraphStyle(1,3)"
                                        << "ERR:INVALID line 1";
        QTest::newRow("path in Seq") << "Seq:GraphStyle(1,5)"
                                     << "ERR:INVALID line 1";
        QTest::newRow("PrintScreen") << "PrintScreen"
                                     << "ERR:INVALID line 1";
        QTest::newRow("app launch") << "PlySmlt2"
                                    << "ERR:INVALID line 1";
        QTest::newRow("a picture is no value") << "Pic1"
                                               << "ERR:DATA TYPE line 1";
        QTest::newRow("a plot type alone") << "Scatter"
                                           << "ERR:SYNTAX line 1";
        QTest::newRow("Scatter without Y") << "Plot1(Scatter,L₁)"
                                           << "ERR:ARGUMENT line 1";
        QTest::newRow("plot lists differ") << "{1,2}→L₁:{1}→L₂:Plot1(Scatter,L₁,L₂):DispGraph"
                                           << "ERR:DIM MISMATCH line 1";
        QTest::newRow("histogram bars too thin") << "{1}→L₁:Plot2(Histogram,L₁):.1→Xscl:DispGraph"
                                                 << "ERR:STAT line 1";
        QTest::newRow("Select( without a plot") << "Select(L₁,L₂)"
                                                << "ERR:INVALID line 1";
        QTest::newRow("Select( takes the plot")
            << "{1,2}→L₁:{3,4}→L₂:Plot3(xyLine,L₁,L₂):Select(A,ʟB):{ʟA(2),ʟB(1)}"
            << "{2 3}";
        QTest::newRow("ZoomStat") << "{0,10}→L₁:{0,20}→L₂:Plot1(Scatter,L₁,L₂,·):ZoomStat:"
                                     "{Xmin,Xmax,Ymin,Ymax}"
                                  << "{⁻1 11 ⁻2 22}";
        QTest::newRow("ZoomStat without plots") << "ZoomStat:Xmax"
                                                << "10";
        QTest::newRow("Input's free cursor") << "0→Xmin:94→Xmax:0→Ymin:62→Ymax:Input :{X,Y}"
                                             << "{47 31}";
        // Trace leaves its cursor's place in X and Y: the first selected
        // function at the middle column.
        QTest::newRow("Trace on a function") << "\"5\"→Y₁:\"X²+3\"→Y₂:FnOff 1:ZStandard:Trace:{X,Y}"
                                             << "{0 3}";
        QTest::newRow("Trace off the middle") << "\"2X+1\"→Y₁:0→Xmin:94→Xmax:Trace:{X,Y}"
                                              << "{47 95}";
        QTest::newRow("Trace where the function is undefined")
            << "\"1/X\"→Y₁:ZStandard:0→Ymin:62→Ymax:Trace:{X,Y}"
            << "{0 31}";
        QTest::newRow("Trace with no function")
            << "FnOff :0→Xmin:94→Xmax:0→Ymin:62→Ymax:Trace:{X,Y}"
            << "{47 31}";
    }

    void values()
    {
        QFETCH(QString, program);
        QFETCH(QString, shown);
        Engine engine;
        const Outcome o = engine.run(typed(program));
        const QString got = o.error == Error::None
                                ? displayText(engine.ans())
                                : errorName(o.error) + QStringLiteral(" line %1").arg(o.line);
        QCOMPARE(got, shown);
    }

    void pixels_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("pixels");
        // Time: (n, u(n)) dotted, from PlotStart by PlotStep to nMax.
        QTest::newRow("Time") << "Seq:\"2‹n›\"→‹u›:5→nMax:DispGraph"
                              << "52:5 54:4 56:3 58:2 60:1";
        QTest::newRow("PlotStart and PlotStep")
            << "Seq:\"2‹n›\"→‹u›:5→nMax:2→PlotStart:2→PlotStep:DispGraph"
            << "54:4 58:2";
        QTest::newRow("Time as a line") << "Seq:\"2‹n›\"→‹u›:3→nMax:GraphStyle(1,1):DispGraph"
                                        << "56:3 57:3 58:2 59:2 60:1";
        QTest::newRow("uvAxes") << "Seq:uvAxes:\"‹n›+1\"→‹u›:\"‹n›\"→‹v›:3→nMax:"
                                   "DispGraph"
                                << "59:4 60:3 61:2";
        QTest::newRow("vwAxes") << "Seq:vwAxes:\"‹n›\"→‹v›:\"2‹n›\"→‹w›:3→nMax:DispGraph"
                                << "56:3 58:2 60:1";
        QTest::newRow("uwAxes needs w") << "Seq:uwAxes:\"‹n›\"→‹u›:DispGraph"
                                        << "ERR:INVALID";
        QTest::newRow("FnOff leaves u out") << "Seq:\"‹n›\"→‹u›:\"1\"→‹v›:3→nMax:FnOff 1:DispGraph"
                                            << "61:1-3";
        // Y= styles over y=31.
        QTest::newRow("thick") << "\"31\"→Y₁:GraphStyle(1,2):DispGraph"
                               << "30:0-94 31:0-94 32:0-94";
        QTest::newRow("dotted by Dot") << "\"31\"→Y₁:Dot:2→Xres:DispGraph"
                                       << "31:0 31:2 31:4 31:6 31:8 31:10 31:12 31:14 31:16 31:18 "
                                          "31:20 31:22 31:24 31:26 31:28 31:30 31:32 31:34 31:36 "
                                          "31:38 31:40 31:42 31:44 31:46 31:48 31:50 31:52 31:54 "
                                          "31:56 31:58 31:60 31:62 31:64 31:66 31:68 31:70 31:72 "
                                          "31:74 31:76 31:78 31:80 31:82 31:84 31:86 31:88 31:90 "
                                          "31:92 31:94";
        // Stat plots: the marks of Pt-On(, bars from Xmin by Xscl, boxes a
        // third of the screen high.
        QTest::newRow("Scatter with boxes")
            << "{10,20}→L₁:{10,20}→L₂:Plot1(Scatter,L₁,L₂,□):DispGraph"
            << "41:19-21 42:19 42:21 43:19-21 51:9-11 52:9 52:11 "
               "53:9-11";
        QTest::newRow("Scatter with crosses") << "{10}→L₁:{10}→L₂:Plot1(Scatter,L₁,L₂,﹢):DispGraph"
                                              << "51:10 52:9-11 53:10";
        // Points far past the window draw nothing, in rows or columns.
        QTest::newRow("Scatter far off the screen")
            << "{10,1ᴇ30,⁻1ᴇ30}→L₁:{10,1ᴇ30,1ᴇ30}→L₂:Plot1(Scatter,L₁,L₂,﹢):DispGraph"
            << "51:10 52:9-11 53:10";
        QTest::newRow("ModBoxplot's outlier far off the screen")
            << "{10,20,30,40,1ᴇ30}→L₁:Plot1(ModBoxPlot,L₁):DispGraph"
            << "5:15-94 6:15 6:30 7:15 7:30 8:15 8:30 9:15 9:30 10:10-15 10:30 11:15 11:30 "
               "12:15 12:30 13:15 13:30 14:15 14:30 15:15-94";
        QTest::newRow("xyLine") << "{0,4}→L₁:{62,58}→L₂:Plot2(xyLine,L₁,L₂,·):DispGraph"
                                << "0:0 1:1 2:2 3:3 4:4";
        QTest::newRow("PlotsOff") << "{10}→L₁:Plot1(Scatter,L₁,L₁):PlotsOff :DispGraph"
                                  << "";
        QTest::newRow("PlotsOff 2 leaves 1")
            << "{10}→L₁:Plot1(Scatter,L₁,L₁,·):Plot2(Scatter,L₁,L₁,﹢):PlotsOff 2:DispGraph"
            << "52:10";
        // NormProbPlot: the value against its normal quantile; the middle
        // one of three is at z=0.
        QTest::newRow("NormProbPlot") << "{5,7,9}→L₁:Plot1(NormProbPlot,L₁):DispGraph"
                                      << "60:8-10 61:6-8 61:10 62:6 62:8-10";
        QTest::newRow("NormProbPlot on Y") << "{9,5,7}→L₁:Plot1(NormProbPlot,L₁,Y,·):DispGraph"
                                           << "53:1 55:0";
        QTest::newRow("Histogram") << "{5,5,15}→L₁:10→Xscl:Plot1(Histogram,L₁):DispGraph"
                                   << "60:0-10 61:0 61:10-20 62:0 62:10 62:20";
        QTest::newRow("Histogram with frequencies")
            << "{5}→L₁:{3}→L₂:10→Xscl:Plot1(Histogram,L₁,L₂):DispGraph"
            << "59:0-10 60:0 60:10 61:0 61:10 62:0 62:10";
        QTest::newRow("Boxplot") << "{10,20,30,40,50}→L₁:Plot1(Boxplot,L₁):DispGraph"
                                 << "5:15-45 6:15 6:30 6:45 7:15 7:30 7:45 8:15 8:30 8:45 9:15 "
                                    "9:30 9:45 10:10-15 10:30 10:45-50 11:15 11:30 11:45 12:15 "
                                    "12:30 12:45 13:15 13:30 13:45 14:15 14:30 14:45 15:15-45";
    }

    void pixels()
    {
        QFETCH(QString, program);
        QFETCH(QString, pixels);
        QCOMPARE(pixelsOf(program), pixels);
    }

    // Shading styles take turns: vertical lines above the first, horizontal
    // below the second.
    void shading()
    {
        Engine engine;
        engine.run(testing::programBytes(QString::fromUtf8(kPixels) +
                                         "\"40\"→Y₁:\"20\"→Y₂:GraphStyle(1,3):GraphStyle(2,4):"
                                         "DispGraph"));
        const GraphScreen &g = engine.graph();
        QVERIFY(g.pixel(0, 0) && !g.pixel(0, 1) && g.pixel(21, 2) && g.pixel(22, 0));
        QVERIFY(!g.pixel(23, 0) && !g.pixel(23, 1));
        QVERIFY(g.pixel(44, 1) && !g.pixel(43, 1) && g.pixel(62, 5) && !g.pixel(61, 5));
    }

    // ModBoxPlot: whiskers within 1.5 IQR of the box, the rest as marks.
    void outliers()
    {
        Engine engine;
        engine.run(testing::programBytes(QString::fromUtf8(kPixels) +
                                         "{10,11,12,13,14,15,90}→L₁:"
                                         "Plot1(ModBoxPlot,L₁,1,·):DispGraph"));
        const GraphScreen &g = engine.graph();
        QVERIFY(g.pixel(10, 90) && g.pixel(10, 10) && !g.pixel(10, 50) && g.pixel(5, 13));
        engine.run(testing::programBytes("Plot1(Boxplot,L₁):DispGraph"));
        QVERIFY(g.pixel(10, 50));
    }

    // Web: y=f(x) and y=x; Trace draws the web itself.
    void web()
    {
        Engine engine;
        const QString program =
            QString::fromUtf8(kPixels) + "AxesOn:Seq:Web:\"‹u›(‹n›-1)/2\"→‹u›:40→u(nMin):DispGraph";
        QCOMPARE(engine.run(typed(program)).error, Error::None);
        const GraphScreen &g = engine.graph();
        QVERIFY(g.pixel(62 - 20, 40) && g.pixel(62 - 40, 40) && !g.pixel(62 - 30, 40));
        QVERIFY(!g.pixel(62 - 30, 40 + 1));
        QCOMPARE(engine.run(testing::programBytes("Trace")).error, Error::None);
        // Up from (40,0) to the curve at 20, across to y=x, down to 10.
        QVERIFY(g.pixel(62 - 10, 40) && g.pixel(62 - 20, 30) && g.pixel(62 - 15, 20));
        // Only the term before may appear in Web's equation.
        QCOMPARE(engine.run(typed("\"‹u›(‹n›-2)\"→‹u›:DispGraph")).error, Error::Invalid);
    }

    void labels()
    {
        Engine engine;
        QStringList drawn;
        engine.host().drawText = [&](GraphScreen &, int row, int col, const QString &text) {
            drawn << QStringLiteral("%1 %2 %3").arg(text).arg(row).arg(col);
        };
        engine.run(testing::programBytes("LabelOn:DispGraph"));
        QCOMPARE(drawn, QStringList({"x 54 90", "y 1 1"}));
        drawn.clear();
        engine.run(testing::programBytes("AxesOff:ClrDraw:LabelOn:DispGraph"));
        QCOMPARE(drawn, QStringList());
    }

    // Labels are drawn on the screen but StorePic leaves them out.
    void labelsNotInPictures()
    {
        Engine engine;
        engine.host().drawText = [](GraphScreen &g, int row, int col, const QString &) {
            g.set(row, col, GraphScreen::On);
        };
        engine.run(testing::programBytes("AxesOff:Pxl-On(1,2:AxesOn:LabelOn:Pxl-On(1,2:DispGraph:"
                                         "StorePic 1:AxesOff:RecallPic 1"));
        const GraphScreen &g = engine.graph();
        QVERIFY(g.pixel(1, 2) && !g.pixel(1, 1) && !g.pixel(54, 90));
    }

    // Trace's cursor shows over the graph while it waits and goes after,
    // on both screens: a + whose middle is the graph's own pixel.
    void traceCursorWhileWaiting_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("arm");
        QTest::newRow("monochrome") << "ti84p" << 31 << 47 << 2;
        QTest::newRow("colour") << "ti84pce" << 82 << 132 << 4;
    }
    void traceCursorWhileWaiting()
    {
        QFETCH(QString, model);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, arm);
        Engine engine;
        engine.setModel(calc::models::fromId(model));
        QStringList seen;
        const auto marks = [&] {
            const PixelScreen &g = engine.calculator().screen();
            return QStringLiteral("%1%2%3%4")
                .arg(g.pixel(row, col - arm))
                .arg(g.pixel(row - arm, col))
                .arg(g.pixel(row, col))
                .arg(g.pixel(row, col + arm + 1));
        };
        engine.host().pause = [&] {
            seen << marks();
            return true;
        };
        const Outcome o = engine.run(testing::programBytes("AxesOff:\"X\"→Y₁:ZDecimal:Trace"));
        QCOMPARE(o.error, Error::None);
        seen << marks();
        QCOMPARE(seen, QStringList({"1110", "0010"}));
    }

    // DispTable shows the table until ENTER, then the home screen as it was.
    void table()
    {
        Engine engine;
        QStringList seen;
        engine.host().pause = [&] {
            for (int r = 0; r < 3; ++r)
                seen << engine.screen().row(r);
            seen << engine.screen().row(7);
            return true;
        };
        const Outcome o =
            engine.run(testing::programBytes("Disp 5:\"1/X\"→Y₁:\"X²\"→Y₂:⁻1→TblStart:DispTable"));
        QCOMPARE(o.error, Error::None);
        QCOMPARE(seen, QStringList({"X     Y₁    Y₂", "⁻1    ⁻1    1", "0     ERROR 0", "X=⁻1"}));
        QCOMPARE(engine.screen().row(0).trimmed(), QStringLiteral("5"));
    }
};

TORVANE_TEST(TstPlots);
#include "tst_plots.moc"
