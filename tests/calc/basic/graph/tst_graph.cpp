// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

QString column(int col, int from, int to)
{
    QStringList runs;
    for (int r = from; r <= to; ++r)
        runs << QStringLiteral("%1:%2").arg(r).arg(col);
    return runs.join(QLatin1Char(' '));
}

// A window where a point's x is its column and 62-y its row.
const char *const kPixelWindow = "AxesOff:0→Xmin:94→Xmax:0→Ymin:62→Ymax:";

} // namespace

class TstGraph : public QObject
{
    Q_OBJECT

private slots:
    void pixels_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("pixels");
        const QString px = QString::fromUtf8(kPixelWindow);
        QTest::newRow("origin of ZStandard") << "AxesOff:ZStandard:Pt-On(0,0"
                                             << "31:47";
        QTest::newRow("corners of ZStandard") << "AxesOff:Pt-On(10,10:Pt-On(⁻10,⁻10"
                                              << "0:94 62:0";
        QTest::newRow("point off the window") << "AxesOff:Pt-On(10.2,0:Pt-On(0,⁻11"
                                              << "";
        QTest::newRow("box mark") << px + "Pt-On(5,57,2"
                                  << "4:4-6 5:4 5:6 6:4-6";
        QTest::newRow("cross mark") << px + "Pt-On(5,57,3"
                                    << "4:5 5:4-6 6:5";
        QTest::newRow("Pt-Off and Pt-Change") << px + "Pt-On(1,61:Pt-Change(2,61:Pt-Change(1,61"
                                              << "1:2";
        QTest::newRow("Pxl corners") << "AxesOff:Pxl-On(0,0:Pxl-On(62,94"
                                     << "0:0 62:94";
        QTest::newRow("Pxl-Change twice") << "AxesOff:Pxl-Change(5,5:Pxl-Change(5,5"
                                          << "";
        QTest::newRow("Pxl-Off") << "AxesOff:Pxl-On(5,5:Pxl-On(5,6:Pxl-Off(5,5"
                                 << "5:6";
        QTest::newRow("diagonal line") << px + "Line(0,62,4,58"
                                       << "0:0 1:1 2:2 3:3 4:4";
        QTest::newRow("shallow line") << px + "Line(0,62,6,60"
                                      << "0:0-1 1:2-4 2:5-6";
        QTest::newRow("line clipped") << px + "Line(⁻1000,31,1000,31"
                                      << "31:0-94";
        QTest::newRow("line outside") << px + "Line(⁻10,⁻5,100,⁻5"
                                      << "";
        QTest::newRow("line erased") << px + "Line(0,62,4,62:Line(1,62,3,62,0"
                                     << "0:0 0:4";
        QTest::newRow("Horizontal") << px + "Horizontal 62"
                                    << "0:0-94";
        QTest::newRow("Vertical") << px + "Vertical 3" << column(3, 0, 62);
        {
            // One unit a pixel: axes through row 31 and column 47, a tick
            // on each side every 20 units.
            QStringList axes;
            for (int r = 0; r < 63; ++r) {
                if (r == 11 || r == 51)
                    axes << QStringLiteral("%1:46-48").arg(r);
                else if (r == 30 || r == 32)
                    axes << QStringLiteral("%1:7 %1:27 %1:47 %1:67 %1:87").arg(r);
                else if (r == 31)
                    axes << QStringLiteral("31:0-94");
                else
                    axes << QStringLiteral("%1:47").arg(r);
            }
            QTest::newRow("axes and ticks")
                << "⁻47→Xmin:47→Xmax:⁻31→Ymin:31→Ymax:20→Xscl:20→Yscl:AxesOn:DispGraph"
                << axes.join(QLatin1Char(' '));
        }
        QTest::newRow("changed window clears the drawing")
            << "AxesOff:ClrDraw:Pxl-On(1,1:⁻5→Xmin:DispGraph"
            << "";
        QTest::newRow("DispGraph keeps the drawing") << "AxesOff:ClrDraw:Pxl-On(1,1:DispGraph"
                                                     << "1:1";
        QTest::newRow("ClrDraw clears") << "AxesOff:Pxl-On(1,1:ClrDraw"
                                        << "";
    }
    void pixels()
    {
        QFETCH(QString, program);
        QFETCH(QString, pixels);
        Engine engine;
        const Outcome o = engine.run(bytes(program));
        QCOMPARE(errorName(o.error), QString());
        QCOMPARE(lit(engine.graph()), pixels);
    }

    void circle()
    {
        Engine engine;
        QCOMPARE(engine.run(bytes(QString::fromUtf8(kPixelWindow) + "Circle(47,31,10")).error,
                 Error::None);
        const GraphScreen &g = engine.graph();
        for (const auto &[r, c] : {std::pair{31, 57}, {31, 37}, {21, 47}, {41, 47}})
            QVERIFY2(g.pixel(r, c), qPrintable(QStringLiteral("%1,%2").arg(r).arg(c)));
        QVERIFY(!g.pixel(31, 47));
        // Closed and symmetric: every lit pixel has its mirror images.
        int count = 0;
        for (int r = 0; r < GraphScreen::kRows; ++r)
            for (int c = 0; c < GraphScreen::kColumns; ++c)
                if (g.pixel(r, c)) {
                    ++count;
                    QVERIFY(g.pixel(62 - r, c) && g.pixel(r, 94 - c));
                }
        QVERIFY(count >= 56 && count <= 64);
    }

    void values_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("result");
        QTest::newRow("pxl-Test") << "AxesOff:ClrDraw:Pxl-On(3,4:pxl-Test(3,4)+2pxl-Test(4,3)"
                                  << "1";
        QTest::newRow("axes are pixels") << "AxesOn:ZStandard:ClrDraw:pxl-Test(31,0)+pxl-Test(0,47)"
                                         << "2";
        QTest::newRow("window variables") << "ZStandard:Xmax-Xmin+Ymin"
                                          << "10";
        QTest::newRow("stored window") << "2→Xmin:3Xmin→Xmax:Xmax"
                                       << "6";
        QTest::newRow("Pxl row 63") << "Pxl-On(63,0"
                                    << "ERR:DOMAIN";
        QTest::newRow("Pxl column 95") << "Pxl-Change(0,95"
                                       << "ERR:DOMAIN";
        QTest::newRow("Pxl negative") << "Pxl-Off(⁻1,0"
                                      << "ERR:DOMAIN";
        QTest::newRow("Pxl fraction") << "Pxl-On(1.5,0"
                                      << "ERR:DOMAIN";
        QTest::newRow("pxl-Test outside") << "pxl-Test(0,95"
                                          << "ERR:DOMAIN";
        QTest::newRow("Text below the screen") << "Text(58,0,\"A\""
                                               << "ERR:DOMAIN";
        QTest::newRow("mark of text") << "Pt-On(0,0,\"A\""
                                      << "ERR:DATA TYPE";
        QTest::newRow("window range") << "ZStandard:11→Xmin"
                                      << "ERR:WINDOW RANGE";
        QTest::newRow("Line short") << "Line(1,2,3"
                                    << "ERR:ARGUMENT";
    }
    void values()
    {
        QFETCH(QString, program);
        QFETCH(QString, result);
        Engine engine;
        const Outcome o = engine.run(bytes(program));
        QCOMPARE(o.error == Error::None ? displayText(engine.ans()) : errorName(o.error), result);
    }

    void screenSwitches_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("graph");
        QTest::newRow("nothing drawn") << "1" << false;
        QTest::newRow("drawing shows the graph") << "Pt-On(0,0" << true;
        QTest::newRow("Disp shows home") << "Pt-On(0,0:Disp 1" << false;
        QTest::newRow("DispGraph") << "ClrHome:DispGraph" << true;
        QTest::newRow("a setting shows nothing") << "AxesOff:ZStandard" << false;
        QTest::newRow("Pause alone keeps it") << "ClrDraw:Pause" << true;
    }
    void screenSwitches()
    {
        QFETCH(QString, program);
        QFETCH(bool, graph);
        Engine engine;
        QCOMPARE(engine.run(bytes(program)).error, Error::None);
        QCOMPARE(engine.graphShown(), graph);
    }

    void textReachesTheHost()
    {
        Engine engine;
        QString seen;
        engine.host().drawText = [&](GraphScreen &g, int row, int col, const QString &text) {
            seen = QStringLiteral("%1,%2:%3").arg(row).arg(col).arg(text);
            g.set(row, col, GraphScreen::On);
        };
        QCOMPARE(engine.run(bytes("AxesOff:Text(57,94,\"AB\",12")).error, Error::None);
        QCOMPARE(seen, QStringLiteral("57,94:AB12"));
        QVERIFY(engine.graph().pixel(57, 94));
    }
};

TORVANE_TEST(TstGraph);
#include "tst_graph.moc"
