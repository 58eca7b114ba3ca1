// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalculatorSymbols.h"
#include "calc/TokenCodes.h"
#include "calc/Tokens.h"
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "calc/basic/state/Pace.h"
#include "calculator/ColourImage.h"
#include "common/TestRegistry.h"

#include <QTest>

#include <cmath>

using namespace calc::basic;
using calc::models::Model;

namespace
{

QByteArray bytes(const QString &program)
{
    return testing::programBytes(program);
}

struct Run {
    Engine engine;
    Pace pace;
    Outcome outcome;
    explicit Run(Model model = Model::Ti84PlusCE)
    {
        engine.setModel(model);
        engine.setPace(&pace);
        engine.host().drawColourText = calculator::drawColourText;
    }
    Outcome operator()(const QString &program)
    {
        outcome = engine.run(bytes(program));
        return outcome;
    }
    std::uint32_t at(int row, int col) const { return engine.colour()->rgb(row, col); }
    // The places of one colour in a rectangle, as "row:col" runs.
    int count(std::uint32_t rgb, int r0 = 0, int c0 = 0, int r1 = ColourScreen::kHeight - 1,
              int c1 = ColourScreen::kWidth - 1) const
    {
        int n = 0;
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                n += at(r, c) == rgb;
        return n;
    }
};

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlue = 0x0000FF, kRed = 0xFF0000, kBlack = 0x000000;
// A window where a point's x is its column and 164-y its row.
const char *const kPixelWindow = "AxesOff:0→Xmin:264→Xmax:0→Ymin:164→Ymax:";

} // namespace

class TstColour : public QObject
{
    Q_OBJECT

private slots:
    // The program: blue text at (10,10), a red corner pixel, white
    // elsewhere; Wait moves the calculator's clock by its time.
    void blueTextAndRedCorner()
    {
        Run run;
        QCOMPARE(run("ClrDraw\nBackgroundOff\nTextColor(BLUE)\nText(10,10,\"HI\")\n"
                     "Wait 0.1\nPxl-On(164,264,RED)\n")
                     .error,
                 Error::None);
        QCOMPARE(run.at(164, 264), kRed);
        QVERIFY(run.count(kBlue, 10, 10, 21, 25) > 8);
        QCOMPARE(run.count(kBlue) - run.count(kBlue, 10, 10, 21, 25), 0);
        QCOMPARE(run.at(0, 0), kWhite);
        QCOMPARE(run.count(kRed), 1);
        QVERIFY(run.engine.graphShown());
        QVERIFY(run.pace.micros() >= 100000);
        // Wait 2.1 is 2 s more than Wait 0.1 on the clock, with no real waiting.
        Run none, later;
        none("Wait 0.1\n");
        later("Wait 2.1\n");
        QCOMPARE(later.pace.micros() - none.pace.micros(), 2000000LL);
    }

    // The 26x10 home screen: Disp cuts at 26, Output( reaches (10,26);
    // the monochrome models keep 16x8.
    void homeScreenIs26By10()
    {
        Run run;
        QCOMPARE(run("ClrHome\nDisp \"ABCDEFGHIJKLMNOPQRSTUVWXYZ0\"\nOutput(10,26,\"Q\")\n").error,
                 Error::None);
        QCOMPARE(run.engine.screen().rows(), 10);
        QCOMPARE(run.engine.screen().row(0), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY…"));
        QCOMPARE(run.engine.screen().row(9), QString(25, QLatin1Char(' ')) + QLatin1Char('Q'));
        QCOMPARE(run.engine.screen().text().count(QLatin1Char('\n')), 10);
        QCOMPARE(run("Output(11,1,\"Q\")\n").error, Error::Domain);
        QCOMPARE(run("Output(1,27,\"Q\")\n").error, Error::Domain);
        Run mono(Model::Ti84Plus);
        QCOMPARE(mono("Output(9,1,\"Q\")\n").error, Error::Domain);
        QCOMPARE(mono.engine.screen().rows(), 8);
        QVERIFY(!mono.engine.colour());
        // Disp scrolls at the tenth row.
        Run scroll;
        scroll("ClrHome\nFor(I,1,12\nDisp I\nEnd\n");
        QCOMPARE(scroll.engine.screen().row(7).trimmed(), QStringLiteral("12"));
        QCOMPARE(scroll.engine.screen().row(0).trimmed(), QStringLiteral("5"));
    }

    // Colours of Line(, Pt-On(, Circle(, Horizontal, Vertical, Pxl-On(,
    // by the wiki's examples, on a window of one unit a pixel.
    void drawingInColour()
    {
        Run run;
        const QString w = QString::fromUtf8(kPixelWindow);
        QCOMPARE(run(w + "ClrDraw\nLine(5,159,20,159,BROWN)\n").error, Error::None);
        QCOMPARE(run.count(colourRgb(Brown), 5, 5, 5, 20), 16);
        QCOMPARE(run.count(colourRgb(Brown)), 16);
        // Erasing with 0, then a red line two pixels wide (style 2).
        QCOMPARE(run("Line(5,159,20,159,0)\n").error, Error::None);
        QCOMPARE(run.count(colourRgb(Brown)), 0);
        QCOMPARE(run("Line(0,100,10,100,1,RED,2)\n").error, Error::None);
        QCOMPARE(run.count(kRed), 22);
        QCOMPARE(run("Line(0,100,10,100,RED,5)\n").error, Error::Domain);
        QCOMPARE(run("Line(0,100,10,100,2)\n").error, Error::Domain);
        // Pt-On( with a mark and a colour: the 3x3 box around the point.
        QCOMPARE(run(w + "Pt-On(50,100,2,GREEN)\n").error, Error::None);
        QCOMPARE(run.count(colourRgb(Green), 63, 49, 65, 51), 8);
        QCOMPARE(run.at(64, 50), kWhite);
        QCOMPARE(run("Pt-On(50,100,6)\n").error, Error::Domain);
        QCOMPARE(run("Pt-On(50,100,7,RED)\n").error, Error::Domain);
        QCOMPARE(run("Pt-Off(50,100,2)\n").error, Error::None);
        QCOMPARE(run.count(colourRgb(Green)), 0);
        // Horizontal and Vertical across the whole area; a default draw is blue.
        QCOMPARE(run(w + "Horizontal 64,NAVY\nVertical 200\n").error, Error::None);
        QCOMPARE(run.count(colourRgb(Navy), 100, 0, 100, 264), 264);
        QCOMPARE(run.count(kBlue, 0, 200, 164, 200), 165);
        // A circle of radius 10: its four extremes in magenta.
        QCOMPARE(run(w + "Circle(100,80,10,MAGENTA)\n").error, Error::None);
        for (const auto &[r, c] : {std::pair{84, 110}, {84, 90}, {74, 100}, {94, 100}})
            QCOMPARE(run.at(r, c), colourRgb(Magenta));
        // Pxl-On( takes a colour 10-24; Pxl-Off puts the background back.
        QCOMPARE(run("Pxl-On(0,0,9)\n").error, Error::Domain);
        QCOMPARE(run("Pxl-On(0,0,25)\n").error, Error::Domain);
        QCOMPARE(run("Pxl-On(165,0)\n").error, Error::Domain);
        QCOMPARE(run("Pxl-On(0,265)\n").error, Error::Domain);
        QCOMPARE(run("Pxl-Off(0,0,RED)\n").error, Error::Argument);
        QCOMPARE(run("Pxl-On(2,3,BLACK)\n").error, Error::None);
        QCOMPARE(run.at(2, 3), kBlack);
        QCOMPARE(run("Pxl-Change(2,3)\n").error, Error::None);
        QCOMPARE(run.at(2, 3), kWhite);
        // Colours are numbers: LTBLUE/3 is 6 (the wiki's example).
        QCOMPARE(run("LTBLUE/3\n").error, Error::None);
        QCOMPARE(run.engine.ans().num, Number::fromInt(6));
    }

    // BackgroundOn fills with a colour or an image; the drawing goes; a
    // colour out of 0-24 or a missing image is an error.
    void backgrounds()
    {
        Run run;
        QCOMPARE(run("AxesOff\nBackgroundOn 12\nPxl-On(5,5,RED)\nPxl-Off(5,5)\n").error,
                 Error::None);
        QCOMPARE(run.count(kBlack), ColourScreen::kWidth * ColourScreen::kHeight);
        // 15+3 is LTBLUE, as the wiki's example has it.
        QCOMPARE(run("15→B\nBackgroundOn B+3\n").error, Error::None);
        QCOMPARE(run.at(80, 80), colourRgb(LtBlue));
        QCOMPARE(run("BackgroundOn 25\n").error, Error::Domain);
        QCOMPARE(run("BackgroundOn 2.5\n").error, Error::Domain);
        QCOMPARE(run("BackgroundOn Image3\n").error, Error::Undefined);
        ColourScreen::Image image(std::size_t(ColourScreen::kWidth) * ColourScreen::kHeight,
                                  0x123456);
        image[0] = 0xABCDEF;
        run.engine.setImage(3, image);
        QCOMPARE(run("BackgroundOn Image3\n").error, Error::None);
        QCOMPARE(run.at(0, 0), 0xABCDEFu);
        QCOMPARE(run.at(100, 100), 0x123456u);
        // The variables view lists the image and the text colour.
        const auto vars = run.engine.variables();
        QVERIFY(vars.contains({QStringLiteral("Image3"), QStringLiteral("265×165")}));
        QVERIFY(vars.contains({QStringLiteral("TextColor"), QStringLiteral("10")}));
        QVERIFY(!Run(Model::Ti84Plus)
                     .engine.variables()
                     .contains({QStringLiteral("TextColor"), QStringLiteral("10")}));
        QCOMPARE(run("BackgroundOff\nClrDraw\n").error, Error::None);
        QCOMPARE(run.at(100, 100), kWhite);
        QCOMPARE(run("BorderColor 3\n").error, Error::None);
        QCOMPARE(run.engine.colour()->borderColour, 3);
        QCOMPARE(run("BorderColor 5\n").error, Error::Domain);
        QCOMPARE(run("TextColor(9)\n").error, Error::Domain);
        QCOMPARE(run("GraphColor(3,NAVY)\n").error, Error::None);
        QCOMPARE(run.engine.colour()->equationColour(calc::tok::Func, 3), int(Navy));
        QCOMPARE(run("GraphColor(10,NAVY)\n").error, Error::Domain);
        // GridLine draws the grid in its colour at every Xscl and Yscl.
        QCOMPARE(run("AxesOff\n0→Xmin:264→Xmax:0→Ymin:164→Ymax:10→Xscl:10→Yscl\n"
                     "GridLine RED\nDispGraph\n")
                     .error,
                 Error::None);
        QCOMPARE(run.count(kRed, 0, 10, 164, 10), 165);
        QCOMPARE(run.count(kRed, 4, 0, 4, 264), 265);
    }

    // Text in yellow, white and light gray stands on medium gray cells.
    void textBackground()
    {
        Run run;
        run("BackgroundOn BLACK\nTextColor(YELLOW)\nText(0,0,\"I\")\n");
        QVERIFY(run.count(colourRgb(MedGray), 0, 0, 11, 7) > 40);
        QVERIFY(run.count(colourRgb(Yellow), 0, 0, 11, 7) > 3);
        run("TextColor(RED)\nText(20,0,\"I\")\n");
        QVERIFY(run.count(kWhite, 20, 0, 31, 7) > 40);
        QCOMPARE(run("Text(165,0,\"I\")\n").error, Error::Domain);
    }

    // Pause "",3.5 waits on the clock without a line; with a value it shows it.
    void timedPause()
    {
        Run run;
        QCOMPARE(run("ClrHome\nPause \"\",3.5\n").error, Error::None);
        QVERIFY(run.pace.micros() >= 3500000);
        QCOMPARE(run.engine.screen().row(0).trimmed(), QStringLiteral("Done"));
        Run shown;
        QCOMPARE(shown("ClrHome\nPause \"HELLO\",2\n").error, Error::None);
        QCOMPARE(shown.engine.screen().row(0), QStringLiteral("HELLO"));
        QCOMPARE(shown("Wait 1-2\n").error, Error::Domain);
        // No ENTER is asked for.
        bool asked = false;
        shown.engine.host().pause = [&] { return asked = true; };
        shown("Pause 5,1\n");
        QVERIFY(!asked);
    }

    void toStringAndEval()
    {
        Run run;
        QCOMPARE(run("toString({1,2,3})→Str1\neval(2-3)→Str2\n").error, Error::None);
        QCOMPARE(run("Str1\n").error, Error::None);
        QCOMPARE(displayText(run.engine.ans()), QStringLiteral("{1,2,3}"));
        run("Str2\n");
        QCOMPARE(displayText(run.engine.ans()), QStringLiteral("⁻1"));
        run("toString([[1,2][3,4]])\n");
        QCOMPARE(displayText(run.engine.ans()), QStringLiteral("[[1,2][3,4]]"));
        QCOMPARE(run("toString(\"A\")\n").error, Error::DataType);
        QCOMPARE(run("eval({1})\n").error, Error::DataType);
        // piecewise( where it evaluates: the wiki's X²+2 for X≥0.
        QCOMPARE(run("3→X\npiecewise(X²+2,X≥0,0-X,X<0)\n").error, Error::None);
        QCOMPARE(run.engine.ans().num, Number::fromInt(11));
        QCOMPARE(run("0-5→X\npiecewise(X²+2,X≥0,0-X,X<0)\n").error, Error::None);
        QCOMPARE(run.engine.ans().num, Number::fromInt(5));
        QCOMPARE(run("piecewise(X²+2,X≥0)\n").error, Error::Domain);
        QCOMPARE(run("piecewise(1,1,2)\n").error, Error::Argument);
    }

    // Graphs are drawn on the colour area, through the window onto its
    // 265x165 (ΔX = 20/264 on ZStandard), in the pen's blue over black axes.
    void graphsOnTheColourArea_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("curve"); // y of x, or "" for none
        QTest::addColumn<int>("atLeast");   // blue pixels
        QTest::newRow("Y= parabola") << "\"X²\"→Y₁:DispGraph"
                                     << "x*x" << 150;
        QTest::newRow("DrawF") << "DrawF 2X-1"
                               << "2*x-1" << 160;
        QTest::newRow("Tangent(") << "Tangent(X²,1"
                                  << "2*x-1" << 300;
        QTest::newRow("Shade(") << "Shade(⁻1,1"
                                << "" << 265 * 15;
        QTest::newRow("scatter plot") << "{0,5}→L₁:{0,5}→L₂:Plot1(Scatter,L₁,L₂,□):DispGraph"
                                      << "" << 16;
        QTest::newRow("ClrDraw redraws Y=") << "\"X²\"→Y₁:Pxl-On(0,0):ClrDraw"
                                            << "x*x" << 150;
    }
    void graphsOnTheColourArea()
    {
        QFETCH(QString, program);
        QFETCH(QString, curve);
        QFETCH(int, atLeast);
        Run run;
        QCOMPARE(run("ZStandard:FnOff :" + program + "\n").error, Error::None);
        QVERIFY(run.engine.graphShown());
        QVERIFY(run.count(kBlue) >= atLeast);
        if (curve.isEmpty())
            return;
        QCOMPARE(run.at(82, 0), kBlack); // the x-axis
        QCOMPARE(run.at(0, 0), kWhite);
        const bool square = curve == QLatin1String("x*x");
        for (int c = 0; c < ColourScreen::kWidth; ++c) {
            const double x = -10 + c * 20.0 / 264, y = square ? x * x : 2 * x - 1;
            const int r = int(std::round((10 - y) * 164 / 20));
            if (r < 1 || r > 163 || std::abs(c - 132) <= 1 || std::abs(r - 82) <= 1)
                continue;
            QVERIFY2(run.at(r - 1, c) == kBlue || run.at(r, c) == kBlue ||
                         run.at(r + 1, c) == kBlue,
                     qPrintable(QStringLiteral("%1:%2").arg(r).arg(c)));
        }
    }

    // pxl-Test( reads the colour area, as far as Pxl- reaches on it.
    void pixelTestReadsTheShownScreen()
    {
        Run run;
        QCOMPARE(run("AxesOff:ClrDraw:Pxl-On(100,200,RED):{pxl-Test(100,200),pxl-Test(100,201)}\n")
                     .error,
                 Error::None);
        QCOMPARE(run.engine.ans().items, QVector<Number>({Number::fromInt(1), Number::fromInt(0)}));
        QCOMPARE(run("pxl-Test(164,264)\n").error, Error::None);
        QCOMPARE(run("pxl-Test(165,0)\n").error, Error::Domain);
        QCOMPARE(run("AxesOn:pxl-Test(82,10)\n").error, Error::None);
        QCOMPARE(run.engine.ans().num, Number::fromInt(1));
    }

    // GridOn on the colour area: a dot at every pair of scale marks, in
    // GridColor (medium gray until GridLine gives another).
    void gridDots()
    {
        Run dots;
        QCOMPARE(dots("ZStandard:FnOff :AxesOff:GridOn:DispGraph\n").error, Error::None);
        QCOMPARE(dots.count(colourRgb(MedGray)), 441);
    }

    // The monochrome models run as before: the colour commands and colour
    // arguments are not theirs.
    void monochromeUnchanged()
    {
        Run mono(Model::Ti84Plus);
        QCOMPARE(mono("Pxl-On(1,1,11)\n").error, Error::Argument);
        QCOMPARE(mono("Pxl-On(1,1,RED)\n").error, Error::Unsupported);
        QCOMPARE(mono("TextColor(BLUE)\n").error, Error::Unsupported);
        QCOMPARE(mono("Pxl-On(62,94)\n").error, Error::None);
        QVERIFY(mono.engine.graph().pixel(62, 94));
    }
};

TORVANE_TEST(TstColour);
#include "tst_colour.moc"
