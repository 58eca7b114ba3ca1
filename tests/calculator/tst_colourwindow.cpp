// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator window on a colour program: the CE's 320x240 screen at a
// whole step, the graph area in it with the program's drawing.
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calculator/ColourImage.h"
#include "calculator/frmCalculator.h"
#include "common/TestRegistry.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gif_lib.h>

namespace
{

QByteArray tokens(QString text)
{
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const auto t = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text);
    return t.bytes;
}

// The window's screen, and whether a cell of the colour home screen holds
// dark ink (or is all dark, with `filled`).
struct Shot {
    QImage image;
    int step;
    int dark(int row, int col) const
    {
        int n = 0;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 12; ++x)
                n += qGray(image.pixel((4 + col * 12 + x) * step,
                                       (calculator::kStatusBarHeight + row * 21 + y) * step)) < 100;
        return n;
    }
};

Shot shoot(calculator::frmCalculator &w)
{
    return {w.picScreen->grab().toImage().convertToFormat(QImage::Format_RGB32),
            calculator::colourStep(w.picScreen->scale())};
}

bool waitForAnswer(calculator::frmCalculator &w)
{
    return QTest::qWaitFor([&] {
        return w.session().waiting() == calculator::Session::Wait::Answer &&
               (!w.shown().home.menu().isEmpty() || !w.shown().home.prompt().isNull());
    });
}

// Runs a program to its end in the window, as the CE.
bool runToEnd(calculator::frmCalculator &w, const QString &program)
{
    w.session().model = calc::models::Model::Ti84PlusCE;
    QSignalSpy ended(&w, &calculator::frmCalculator::ended);
    return w.run(tokens(program), QStringLiteral("SHARE")) &&
           (ended.count() > 0 || ended.wait(5000));
}

} // namespace

class TstColourWindow : public QObject
{
    Q_OBJECT

private slots:
    void runsOnTheColourScreen()
    {
        QString text = QStringLiteral("ClrDraw\nBackgroundOff\nTextColor(BLUE)\n"
                                      "Text(10,10,\"HI\")\nWait 0.1\nPxl-On(164,264,RED)\n");
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        const auto t = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text);
        QVERIFY(t.ok());
        calculator::frmCalculator w;
        w.show();
        QSignalSpy ended(&w, &calculator::frmCalculator::ended);
        QVERIFY(w.run(t.bytes, QStringLiteral("HI")));
        QVERIFY(ended.count() > 0 || ended.wait(5000));
        const int step = calculator::colourStep(w.picScreen->scale());
        QTRY_COMPARE(w.picScreen->size(), QSize(320, 240) * step);
        const QImage shot = w.picScreen->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto at = [&](int row, int col) {
            return QColor(shot.pixel((calculator::kGraphLeft + col) * step,
                                     (calculator::kGraphTop + row) * step));
        };
        QCOMPARE(at(164, 264), QColor(255, 0, 0));
        QCOMPARE(at(163, 264), QColor(255, 255, 255));
        int blue = 0;
        for (int r = 10; r < 22; ++r)
            for (int c = 10; c < 26; ++c)
                blue += at(r, c) == QColor(0, 0, 255);
        QVERIFY(blue > 8);
    }

    // Menu( with nine items: the title inverted on the top line, the items
    // on the nine below, the first one's number chosen; 9 takes the last.
    void menuOfNineItems()
    {
        QString program = QStringLiteral("BackgroundOff\nMenu(\"PICK\"");
        for (int i = 1; i <= 9; ++i)
            program += QStringLiteral(",\"ITEM%1\",%1").arg(i);
        program += QStringLiteral(")\nLbl 1\nDisp \"ONE\"\nStop\nLbl 9\nDisp \"NINE\"");
        calculator::frmCalculator w;
        w.show();
        QSignalSpy ended(&w, &calculator::frmCalculator::ended);
        QVERIFY(w.run(tokens(program), QStringLiteral("MENU")));
        QVERIFY(waitForAnswer(w));
        const calculator::HomeRows rows = calculator::homeRows(w.shown().home);
        QCOMPARE(rows.rows.size(), 10);
        QCOMPARE(rows.rows[0], QStringLiteral("PICK"));
        QCOMPARE(rows.rows[9], QStringLiteral("9:ITEM9"));
        QTRY_VERIFY(shoot(w).dark(9, 6) > 0);
        const Shot shot = shoot(w);
        QVERIFY(shot.dark(0, 3) > 12 * 21 / 2); // the title's cells are dark
        QCOMPARE(shot.dark(0, 4), 0);           // and only they
        QVERIFY(shot.dark(1, 0) > 12 * 21 / 2); // "1:" chosen
        QVERIFY(shot.dark(1, 1) > 12 * 21 / 2);
        QVERIFY(shot.dark(2, 0) < 12 * 21 / 2);
        QTest::keyClick(&w, Qt::Key_9);
        QVERIFY(ended.count() > 0 || ended.wait(5000));
        QCOMPARE(w.shown().home.row(0), QStringLiteral("NINE"));
    }

    // Prompt after nine lines: the screen scrolls so that the question and
    // the answer typed so far stand on the ninth row, the tenth left free.
    void promptOnTheLastRows()
    {
        calculator::frmCalculator w;
        w.show();
        QSignalSpy ended(&w, &calculator::frmCalculator::ended);
        QVERIFY(w.run(tokens("BackgroundOff\nClrHome\nFor(I,1,9)\nDisp I\nEnd\nPrompt A\nDisp 2A"),
                      QStringLiteral("ASK")));
        QVERIFY(waitForAnswer(w));
        QTest::keyClicks(&w, QStringLiteral("21"));
        const calculator::HomeRows rows = calculator::homeRows(w.shown().home, w.typed(), 0, true);
        QCOMPARE(rows.rows[0].trimmed(), QStringLiteral("2"));
        QCOMPARE(rows.rows[8], QStringLiteral("A=?21\u2588"));
        QCOMPARE(rows.rows[9], QString());
        QTRY_VERIFY(shoot(w).dark(8, 4) > 0);
        const Shot shot = shoot(w);
        QVERIFY(shot.dark(8, 5) > 0); // the cursor
        QCOMPARE(shot.dark(8, 6), 0);
        QCOMPARE(shot.dark(9, 0), 0);
        QTest::keyClick(&w, Qt::Key_Return);
        QVERIFY(ended.count() > 0 || ended.wait(5000));
        QCOMPARE(w.shown().home.row(7).trimmed(), QStringLiteral("42"));
    }

    // Once the program has ended, ↓ and ↑ scroll a results screen that is
    // longer than the ten rows.
    void resultsScrollWithTheArrows()
    {
        calculator::frmCalculator w;
        w.show();
        QSignalSpy ended(&w, &calculator::frmCalculator::ended);
        QVERIFY(w.run(tokens("BackgroundOff\nANOVA({1,2,3},{4,5,7},{2,2,9})"),
                      QStringLiteral("STATS")));
        QVERIFY(ended.count() > 0 || ended.wait(5000));
        const QString second = w.shown().home.row(1);
        QTest::keyClick(&w, Qt::Key_Down);
        QCOMPARE(w.shown().home.row(0), second);
        QCOMPARE(w.shown().home.resultsShownFrom(), 1);
        QTest::keyClick(&w, Qt::Key_Up);
        QCOMPARE(w.shown().home.resultsShownFrom(), 0);
    }

    // Save Screen on a colour model: the 320x240 screen at 1x-4x as the
    // window shows it, or the graph area alone (0) as --graph-png writes it.
    void saveScreenSizes_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("vertex"); // (82,132) of the graph area
        QTest::newRow("1x") << 1 << QSize(320, 240) << QPoint(27 + 132, 52 + 82);
        QTest::newRow("3x") << 3 << QSize(960, 720) << QPoint(3 * (27 + 132), 3 * (52 + 82));
        QTest::newRow("graph area") << 0 << QSize(265, 165) << QPoint(132, 82);
    }
    void saveScreenSizes()
    {
        QFETCH(int, scale);
        QFETCH(QSize, size);
        QFETCH(QPoint, vertex);
        calculator::frmCalculator w;
        QVERIFY(runToEnd(w, QStringLiteral("\"X²→Y₁\nGraphColor(1,GREEN)\nDispGraph\n")));
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("screen.png"));
        QString why;
        QVERIFY2(w.saveScreen(png, scale, &why), qPrintable(why));
        const QImage saved = QImage(png).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved.size(), size);
        QCOMPARE(QColor(saved.pixel(vertex)), QColor(0x00, 0x9F, 0x00));
        if (scale == 0)
            QCOMPARE(saved, calculator::colourGraphImage(*w.shown().colour));
        else
            QCOMPARE(saved.scaled(320, 240),
                     calculator::colourScreenImage(*w.shown().colour, w.shown().home, true, {}));
    }

    // A text-only run recorded in the window: frames of the colour screen,
    // its 26th column written.
    void recordsTheColourHomeScreen()
    {
        calculator::frmCalculator w;
        QTemporaryDir dir;
        const QString gif = dir.filePath(QStringLiteral("home.gif"));
        w.startRecording(gif, 1);
        QVERIFY(runToEnd(w, QStringLiteral("ClrHome\nDisp \"ABCDEFGHIJKLMNOPQRSTUVWXYZ\"\n")));
        QTRY_VERIFY(!w.isRecording());
        QCOMPARE(w.recordingResult(), gif);
        int error = 0;
        GifFileType *file = DGifOpenFileName(QFile::encodeName(gif).constData(), &error);
        QVERIFY(file);
        QCOMPARE(DGifSlurp(file), GIF_OK);
        QCOMPARE(QSize(file->SWidth, file->SHeight), QSize(320, 240));
        const SavedImage &last = file->SavedImages[file->ImageCount - 1];
        // The Z's cell: column 26 of the first row, below the status bar.
        int dark = 0;
        for (int y = 30; y < 51; ++y)
            for (int x = 4 + 25 * 12; x < 4 + 26 * 12; ++x) {
                const GifColorType c = file->SColorMap->Colors[last.RasterBits[y * 320 + x]];
                dark += qGray(c.Red, c.Green, c.Blue) < 128;
            }
        DGifCloseFile(file, &error);
        QVERIFY(dark > 5);
    }
};

TORVANE_TEST(TstColourWindow);
#include "tst_colourwindow.moc"
