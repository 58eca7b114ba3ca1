// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Graphs on the colour models' 265x165 area: each equation's colour and
// line style, the grid settings, Shade(, stat plots, the zooms' pixel
// sizes and pictures.
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::basic;
using calc::models::Model;

namespace
{

struct Colour84 {
    Engine engine;
    Colour84() { engine.setModel(Model::Ti84PlusCE); }
    Error run(const QString &program)
    {
        const Outcome o = engine.run(testing::programBytes(program));
        if (o.error != Error::None)
            qDebug() << o.line << o.detail;
        return o.error;
    }
    std::uint32_t at(int row, int col) const { return engine.colour()->rgb(row, col); }
    // The rows of a column in one colour.
    int down(int col, std::uint32_t rgb) const
    {
        int n = 0;
        for (int r = 0; r < ColourScreen::kHeight; ++r)
            n += at(r, col) == rgb;
        return n;
    }
    QString window(const char *name)
    {
        engine.run(testing::programBytes(QString::fromUtf8(name)));
        return displayText(engine.ans());
    }
};

const std::uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

// In ZStandard the origin is pixel (82,132) and a unit 13.2 columns, 8.2 rows.
const char *const kParabola = "ZStandard\n\"X²→Y₁\n";

} // namespace

class TstColourGraph : public QObject
{
    Q_OBJECT

private slots:
    // The program: a thick green parabola over the grid lines, the
    // axes black across them. Near the vertex the curve is flat, so a
    // thick line is two rows of a column and a thin one one row.
    void parabolaStyles_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("rows");
        QTest::newRow("GraphStyle 2") << "GraphStyle(1,2)" << 2;
        QTest::newRow("Thick is the default line") << "GraphStyle(1,1)" << 2;
        QTest::newRow("Thin draws style 1 a pixel wide") << "Thin\nGraphStyle(1,1)" << 1;
        QTest::newRow("Thin leaves style 2 thick") << "Thin\nGraphStyle(1,2)" << 2;
        QTest::newRow("Connected after Thin is Thick again") << "Thin\nConnected" << 2;
    }
    void parabolaStyles()
    {
        QFETCH(QString, setting);
        QFETCH(int, rows);
        Colour84 c;
        QCOMPARE(c.run(QString::fromUtf8(kParabola) + "GraphColor(1,GREEN)\n" + setting +
                       "\nGridLine \nDispGraph\n"),
                 Error::None);
        const std::uint32_t green = colourRgb(Green);
        QCOMPARE(c.at(82, 132), green);
        QCOMPARE(c.down(135, green), rows);
        QCOMPARE(c.at(82, 135), green);
        // The grid: medium gray lines at x=5 (column 198) and y=⁻8 (row 148),
        // white between them; the axes over it.
        QCOMPARE(c.at(150, 198), colourRgb(MedGray));
        QCOMPARE(c.at(148, 20), colourRgb(MedGray));
        QCOMPARE(c.at(150, 190), kWhite);
        QCOMPARE(c.at(150, 132), kBlack);
        QCOMPARE(c.at(82, 20), kBlack);
    }

    // The equations' own colours: Y₁ blue, Y₂ red, Y₃ black ... Y₀ yellow,
    // GraphColor( changing one; the other modes' equations alike.
    void equationColours_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("colour");
        QTest::newRow("Y₁ blue") << "\"0→Y₁" << int(Blue);
        QTest::newRow("Y₂ red") << "\"0→Y₂" << int(Red);
        QTest::newRow("Y₅ green") << "\"0→Y₅" << int(Green);
        QTest::newRow("Y₀ yellow") << "\"0→Y₀" << int(Yellow);
        QTest::newRow("GraphColor(") << "\"0→Y₂:GraphColor(2,ORANGE)" << int(Orange);
        QTest::newRow("r₂ red") << "Polar:\"2→r₂" << int(Red);
        QTest::newRow("GraphColor( in Pol") << "Polar:\"2→r₁:GraphColor(1,NAVY)" << int(Navy);
        QTest::newRow("Y₁'s colour stays in Func")
            << "GraphColor(1,GRAY):Polar:GraphColor(1,RED):Func:\"0→Y₁" << int(Gray);
    }
    void equationColours()
    {
        QFETCH(QString, program);
        QFETCH(int, colour);
        Colour84 c;
        QCOMPARE(c.run("FnOff :AxesOff:ZStandard:" + program + "\nDispGraph\n"), Error::None);
        // y=0 or the circle r=2 through (2,0): row 82 at columns 132..158.
        QCOMPARE(c.at(82, 158), colourRgb(colour));
        QCOMPARE(c.run("GraphColor(0,9)\n"), Error::Domain);
        QCOMPARE(c.run("Polar:GraphColor(7,RED)\n"), Error::Domain);
    }

    // GridOff, GridOn (GridDot) and GridLine are one setting: dots at the
    // scale marks or lines through them, in GridColor (medium gray, or the
    // colour GridLine was given).
    void gridSettings_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("crossing"); // (148,198): x=5, y=⁻8
        QTest::addColumn<int>("between");  // (150,198): on x=5's line only
        QTest::newRow("GridLine") << "GridLine " << int(MedGray) << int(MedGray);
        QTest::newRow("GridOff after GridLine") << "GridLine :GridOff" << int(White) << int(White);
        QTest::newRow("GridOn: dots") << "GridOn" << int(MedGray) << int(White);
        QTest::newRow("GridLine's colour") << "GridLine RED" << int(Red) << int(Red);
        QTest::newRow("the dots take it too") << "GridLine RED:GridOn" << int(Red) << int(White);
        QTest::newRow("GridDot's colour") << "GridDot BLUE" << int(Blue) << int(White);
        QTest::newRow("and the lines take it")
            << "GridDot BLUE:GridLine " << int(Blue) << int(Blue);
    }
    void gridSettings()
    {
        QFETCH(QString, program);
        QFETCH(int, crossing);
        QFETCH(int, between);
        Colour84 c;
        QCOMPARE(c.run("FnOff :ZStandard:" + program + "\nDispGraph\n"), Error::None);
        QCOMPARE(c.at(148, 198), colourRgb(crossing));
        QCOMPARE(c.at(150, 198), colourRgb(between));
    }

    // AxesOn BLACK and the like colour the axes; BorderColor keeps its number.
    void axesColour()
    {
        Colour84 c;
        QCOMPARE(c.run("FnOff :ZStandard:AxesOn:DispGraph\n"), Error::None);
        QCOMPARE(c.at(20, 132), kBlack);
        c.engine.colour()->axesColour = Red; // as AxesOn RED sets it
        QCOMPARE(c.run("DispGraph\n"), Error::None);
        QCOMPARE(c.at(20, 132), colourRgb(Red));
        QCOMPARE(c.at(82, 20), colourRgb(Red));
    }

    // Shade( between Y=X²-5 and Y=5-X²: vertical lines in the colour given
    // (blue without one) wherever the lower is below the upper.
    void shadeBetween_data()
    {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<int>("expected");
        QTest::newRow("default") << "" << int(Blue);
        QTest::newRow("RED") << ",RED" << int(Red);
    }
    void shadeBetween()
    {
        QFETCH(QString, colour);
        QFETCH(int, expected);
        Colour84 c;
        QCOMPARE(c.run("FnOff :AxesOff:ZStandard:Shade(X²-5,5-X²,⁻10,10,1,1" + colour + ")\n"),
                 Error::None);
        const std::uint32_t rgb = colourRgb(expected);
        // x=0: shaded from y=5 (row 41) to y=⁻5 (row 123).
        QCOMPARE(c.at(60, 132), rgb);
        QCOMPARE(c.at(120, 132), rgb);
        QCOMPARE(c.at(20, 132), kWhite);
        // x=⁻8.5 (column 20): lower above upper, nothing between.
        QCOMPARE(c.at(82, 20), kWhite);
        QCOMPARE(c.run("Shade(X²,X,1,2,1,1,25)\n"), Error::Domain);
    }

    // DrawF, DrawInv and Tangent( take a colour after their arguments on
    // the colour models; blue without one.
    void drawnInColour_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QPoint>("place"); // column, row
        QTest::addColumn<int>("colour");
        QTest::newRow("DrawF") << "DrawF 0" << QPoint(158, 82) << int(Blue);
        QTest::newRow("DrawF in red") << "DrawF 0,RED" << QPoint(158, 82) << int(Red);
        QTest::newRow("DrawInv in green") << "DrawInv 0,GREEN" << QPoint(132, 20) << int(Green);
        QTest::newRow("Tangent( in orange")
            << "Tangent(X²,0,ORANGE" << QPoint(200, 82) << int(Orange);
        QTest::newRow("its thick style")
            << "Tangent(X²,0,ORANGE,2" << QPoint(200, 83) << int(Orange);
    }
    void drawnInColour()
    {
        QFETCH(QString, program);
        QFETCH(QPoint, place);
        QFETCH(int, colour);
        Colour84 c;
        QCOMPARE(c.run("FnOff :AxesOff:ZStandard:ClrDraw:" + program + "\n"), Error::None);
        QCOMPARE(c.at(place.y(), place.x()), colourRgb(colour));
        QCOMPARE(c.run("DrawF X,9\n"), Error::Domain);
    }

    // Stat plots: Plot1 blue, Plot2 red, Plot3 black, marks and lines.
    void statPlots()
    {
        Colour84 c;
        QCOMPARE(c.run("FnOff :PlotsOff :AxesOff\n0→Xmin:264→Xmax:0→Ymin:164→Ymax\n"
                       "{10,50}→L₁:{100,100}→L₂:{20,60}→L₃\n"
                       "Plot1(Scatter,L₁,L₂,□):Plot2(xyLine,L₁,L₃,·):DispGraph\n"),
                 Error::None);
        // The box of Plot1 around (10,100), its centre empty.
        QCOMPARE(c.at(63, 9), colourRgb(Blue));
        QCOMPARE(c.at(65, 11), colourRgb(Blue));
        QCOMPARE(c.at(64, 10), kWhite);
        // Plot2's line from (10,20) to (50,60) through (30,40).
        QCOMPARE(c.at(124, 30), colourRgb(Red));
        QCOMPARE(c.run("Plot3(Histogram,L₁):PlotsOff 1,2:0→Ymin:3→Ymax:10→Xscl:DispGraph\n"),
                 Error::None);
        QCOMPARE(c.down(10, colourRgb(Black)) > 10, true);
        // A colour after the mark is the plot's own.
        QCOMPARE(c.run("0→Ymin:164→Ymax:Plot1(Scatter,L₁,L₂,□,MAGENTA):PlotsOff 3:DispGraph\n"),
                 Error::None);
        QCOMPARE(c.at(63, 9), colourRgb(Magenta));
    }

    // The zooms count the colour area's pixels: ΔX and ΔY are the window
    // over 264 and 164.
    void zooms_data()
    {
        QTest::addColumn<QString>("zoom");
        QTest::addColumn<QString>("window"); // Xmin Xmax Ymin Ymax
        QTest::newRow("ZDecimal") << "ZDecimal"
                                  << "-6.6 6.6 -4.1 4.1";
        QTest::newRow("ZInteger") << "ZStandard:ZInteger"
                                  << "-132 132 -82 82";
        QTest::newRow("ZSquare") << "ZStandard:ZSquare"
                                 << "-16.09756098 16.09756098 -10 10";
        QTest::newRow("ZFrac1/2") << "ZFrac1/2"
                                  << "-66 66 -41 41";
    }
    void zooms()
    {
        QFETCH(QString, zoom);
        QFETCH(QString, window);
        Colour84 c;
        QCOMPARE(c.run(zoom + "\n"), Error::None);
        const QString got =
            QStringList{c.window("Xmin"), c.window("Xmax"), c.window("Ymin"), c.window("Ymax")}
                .join(QLatin1Char(' '))
                .replace(QChar(0x207B), QLatin1Char('-'));
        QCOMPARE(got, window);
    }

    // StorePic keeps the whole colour area in its colours: a pixel below
    // the monochrome screen's rows comes back red.
    void pictureKeepsColours()
    {
        Colour84 c;
        QCOMPARE(c.run("FnOff :AxesOff:ClrDraw:Pxl-On(164,264,RED):Pxl-On(0,0,GREEN):StorePic 1\n"
                       "ClrDraw:RecallPic 1\n"),
                 Error::None);
        QCOMPARE(c.at(164, 264), colourRgb(Red));
        QCOMPARE(c.at(0, 0), colourRgb(Green));
        QCOMPARE(c.at(1, 1), kWhite);
        QCOMPARE(c.run("pxl-Test(164,264)\n"), Error::None);
        QCOMPARE(displayText(c.engine.ans()), QStringLiteral("1"));
    }
};

TORVANE_TEST(TstColourGraph);
#include "tst_colourgraph.moc"
