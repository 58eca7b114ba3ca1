// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/EngineRows.h"
#include "calc/basic/screens/ColourScreen.h"
#include "calc/basic/screens/GraphScreen.h"
#include "common/TestRegistry.h"

#include <QTest>

#include <cmath>
#include <memory>

using namespace calc::basic;

namespace
{

using S = PixelScreen;

// An empty screen whose window puts x on its column and y on last row - row.
std::unique_ptr<PixelScreen> blank(bool colour)
{
    std::unique_ptr<PixelScreen> s;
    if (colour)
        s = std::make_unique<ColourScreen>();
    else
        s = std::make_unique<GraphScreen>();
    S::Windows w = s->windows();
    w[S::Xmin] = w[S::Ymin] = Number::fromInt(0);
    w[S::Xmax] = Number::fromInt(s->columns() - 1);
    w[S::Ymax] = Number::fromInt(s->rows() - 1);
    s->setWindows(w);
    s->setAxes(false);
    s->clear();
    return s;
}

QString column(int col, int from, int to)
{
    QStringList runs;
    for (int r = from; r <= to; ++r)
        runs << QStringLiteral("%1:%2").arg(r).arg(col);
    return runs.join(QLatin1Char(' '));
}

QByteArray tag(bool colour, const char *name)
{
    return (colour ? QByteArray("colour ") : QByteArray("mono ")) + name;
}

} // namespace

class TstPixelScreen : public QObject
{
    Q_OBJECT

private slots:
    void sizes()
    {
        const GraphScreen mono;
        const ColourScreen colour;
        QCOMPARE(QList<int>({mono.width(), mono.height(), mono.columns(), mono.rows()}),
                 QList<int>({96, 64, 95, 63}));
        QCOMPARE(QList<int>({colour.width(), colour.height(), colour.columns(), colour.rows()}),
                 QList<int>({265, 165, 265, 165}));
    }

    // One clipper for both sizes: a line leaving the screen stops at the
    // last reachable pixel of each edge, and one wholly outside draws nothing.
    void clippedLine_data()
    {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<QList<double>>("ends"); // row, column, row, column
        QTest::addColumn<QString>("lit");
        for (bool colour : {false, true}) {
            const double R = colour ? 164 : 62, C = colour ? 264 : 94;
            QTest::newRow(tag(colour, "left"))
                << colour << QList<double>{10, -30, 10, 20} << "10:0-20";
            QTest::newRow(tag(colour, "right")) << colour << QList<double>{10, C - 14, 10, C + 40}
                                                << QStringLiteral("10:%1-%2").arg(C - 14).arg(C);
            QTest::newRow(tag(colour, "top"))
                << colour << QList<double>{-30, 5, 3, 5} << column(5, 0, 3);
            QTest::newRow(tag(colour, "bottom"))
                << colour << QList<double>{R - 3, 5, R + 30, 5} << column(5, R - 3, R);
            QTest::newRow(tag(colour, "top left corner"))
                << colour << QList<double>{-10, -10, 2, 2} << "0:0 1:1 2:2";
            QTest::newRow(tag(colour, "bottom right corner"))
                << colour << QList<double>{R - 1, C - 1, R + 9, C + 9}
                << QStringLiteral("%1:%2 %3:%4").arg(R - 1).arg(C - 1).arg(R).arg(C);
            QTest::newRow(tag(colour, "outside")) << colour << QList<double>{-5, -5, -1, 50} << "";
        }
    }
    void clippedLine()
    {
        QFETCH(bool, colour);
        QFETCH(QList<double>, ends);
        QFETCH(QString, lit);
        auto s = blank(colour);
        s->pixelLine(ends[0], ends[1], ends[2], ends[3], S::On);
        QCOMPARE(testing::litRuns(*s), lit);
    }

    // A circle about the middle and one about a corner: every pixel within
    // one of the radius, the ends of its diameters lit, no gaps worth
    // speaking of (a whole one has some 5.7 pixels per unit of radius),
    // nothing outside.
    void circle_data()
    {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("radius");
        QTest::newRow("mono middle") << false << 31 << 47 << 20;
        QTest::newRow("mono corner") << false << 62 << 94 << 10;
        QTest::newRow("colour middle") << true << 82 << 132 << 60;
        QTest::newRow("colour corner") << true << 0 << 0 << 30;
    }
    void circle()
    {
        QFETCH(bool, colour);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, radius);
        auto s = blank(colour);
        s->circle(col, s->rows() - 1 - row, radius);
        int n = 0;
        for (int r = 0; r < s->height(); ++r)
            for (int c = 0; c < s->width(); ++c)
                if (s->pixel(r, c)) {
                    ++n;
                    QVERIFY(s->reachable(r, c));
                    QVERIFY2(std::abs(std::hypot(r - row, c - col) - radius) <= 1,
                             qPrintable(QStringLiteral("%1:%2").arg(r).arg(c)));
                }
        const int ends[][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        int inside = 0;
        for (const auto &e : ends) {
            const int r = row + e[0] * radius, c = col + e[1] * radius;
            if (s->reachable(r, c)) {
                QVERIFY(s->pixel(r, c));
                ++inside;
            }
        }
        QVERIFY(n >= (inside == 4 ? 5 * radius : radius));
    }

    // On, Off and Change on a colour over an image; Off shows the image
    // again, and setting what is there already is no change.
    void pixelModes()
    {
        ColourScreen s;
        s.setBackgroundImage(ColourScreen::Image(std::size_t(s.width()) * s.height(), 0x123456));
        s.prepare();
        const std::uint64_t before = s.generation();
        s.set(3, 4, S::On, 0xFF0000);
        QCOMPARE(s.rgb(3, 4), 0xFF0000u);
        QVERIFY(s.pixel(3, 4));
        s.set(3, 4, S::On, 0xFF0000);
        QCOMPARE(s.generation(), before + 1);
        s.set(3, 4, S::Change, 0x00FF00);
        QCOMPARE(s.rgb(3, 4), 0x123456u);
        QVERIFY(!s.pixel(3, 4));
        s.set(3, 4, S::Change, 0x00FF00);
        QCOMPARE(s.rgb(3, 4), 0x00FF00u);
        s.set(3, 4, S::Off);
        QCOMPARE(s.rgb(3, 4), 0x123456u);
        s.set(-1, 4, S::On);
        s.set(3, s.width(), S::On);
        QCOMPARE(s.generation(), before + 4);
    }

    // Marks about a corner lose what is off the screen; a centre off it
    // draws nothing.
    void marks_data()
    {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<int>("mark");
        QTest::addColumn<QString>("lit");
        for (bool colour : {false, true}) {
            QTest::newRow(tag(colour, "box")) << colour << 2 << "0:1 1:0-1";
            QTest::newRow(tag(colour, "cross")) << colour << 3 << "0:0-1 1:0";
        }
    }
    void marks()
    {
        QFETCH(bool, colour);
        QFETCH(int, mark);
        QFETCH(QString, lit);
        auto s = blank(colour);
        s->pointAt(0, 0, S::On, mark);
        s->pointAt(-1, 5, S::On, mark);
        s->point(-0.6, 3, S::On, mark);
        QCOMPARE(testing::litRuns(*s), lit);
    }

    // The axes with a tick mark each scale unit, on both sizes; grid dots
    // at the marks, grid lines through them.
    void axesAndGrid_data()
    {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("lit");
        // ZStandard: 21 marks each way; the axes cross at the middle.
        QTest::newRow("mono axes") << false << int(S::NoGrid) << 95 + 63 - 1 + 2 * 20 + 2 * 20;
        QTest::newRow("colour axes") << true << int(S::NoGrid) << 265 + 165 - 1 + 4 * 20;
        QTest::newRow("mono grid dots") << false << int(S::GridDots) << 95 + 63 - 1 + 80 + 20 * 20;
        QTest::newRow("colour grid lines")
            << true << int(S::GridLines) << 21 * 165 + 21 * 265 - 441;
    }
    void axesAndGrid()
    {
        QFETCH(bool, colour);
        QFETCH(int, grid);
        QFETCH(int, lit);
        std::unique_ptr<PixelScreen> s;
        if (colour)
            s = std::make_unique<ColourScreen>();
        else
            s = std::make_unique<GraphScreen>();
        s->setGrid(S::Grid(grid), 0x808080);
        s->prepare();
        int n = 0;
        for (int r = 0; r < s->height(); ++r)
            for (int c = 0; c < s->width(); ++c)
                n += s->pixel(r, c);
        QCOMPARE(n, lit);
        const int r0 = int(std::round(s->rowOf(0))), c1 = int(std::round(s->columnOf(1)));
        QVERIFY(s->pixel(r0 - 1, c1) && s->pixel(r0 + 1, c1));
        QCOMPARE(s->rgb(r0, 0), S::kBlack);
    }

    void shadeColumn_data()
    {
        QTest::addColumn<int>("hatch");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("every");
        QTest::addColumn<QString>("lit");
        QTest::newRow("vertical on") << int(S::Vertical) << 4 << 2 << column(4, 0, 8);
        QTest::newRow("vertical off") << int(S::Vertical) << 5 << 2 << "";
        QTest::newRow("horizontal") << int(S::Horizontal) << 1 << 3 << "0:1 3:1 6:1";
        QTest::newRow("falling") << int(S::Falling) << 1 << 3 << "1:1 4:1 7:1";
        QTest::newRow("rising") << int(S::Rising) << 1 << 3 << "2:1 5:1 8:1";
    }
    void shadeColumn()
    {
        QFETCH(int, hatch);
        QFETCH(int, col);
        QFETCH(int, every);
        QFETCH(QString, lit);
        auto s = blank(false);
        s->shadeColumn(col, -5, 8, S::Hatch(hatch), every);
        QCOMPARE(testing::litRuns(*s), lit);
        // Clipped to the reachable rows and columns.
        s->shadeColumn(0, 60, 70, S::Vertical, 1);
        s->shadeColumn(s->columns(), 0, 9, S::Vertical, 1);
        QCOMPARE(testing::litRuns(*s), (lit.isEmpty() ? lit : lit + ' ') + column(0, 60, 62));
    }
};

TORVANE_TEST(TstPixelScreen);
#include "tst_pixelscreen.moc"
