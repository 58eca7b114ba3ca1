// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/ImageFile.h"
#include "cli/RunCommand.h"
#include "common/TestRegistry.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <gif_lib.h>

class TstColourRun : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &text)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

private slots:
    // The command line answers Menu( from --input: nine items on a colour
    // model, seven on the others; a results screen too long for the screen
    // is printed whole, as ↓ would bring it up.
    void homeScreenOnTheCommandLine_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("screen");
        QString menu = QStringLiteral("Menu(\"GO\"");
        for (int i = 1; i <= 9; ++i)
            menu += QStringLiteral(",\"%1\",%1").arg(i);
        menu += QStringLiteral(")\nLbl 8\nDisp \"EIGHT\"\nStop\nLbl 9\nDisp \"NINE\"");
        const int mono = int(calc::models::Model::Ti84Plus);
        const int colour = int(calc::models::Model::Ti84PlusCE);
        QTest::newRow("nine items, the ninth") << colour << menu << "9" << 0 << "NINE";
        QTest::newRow("nine items, the eighth") << colour << menu << "8" << 0 << "EIGHT";
        QTest::newRow("nine items on a TI-84 Plus")
            << mono << menu << "9" << int(cli::ProgramError) << QString();
        QTest::newRow("results") << colour << "ANOVA({1,2,3},{4,5,7},{2,2,9})" << QString() << 0
                                 << " Sxp=";
    }
    void homeScreenOnTheCommandLine()
    {
        QFETCH(int, model);
        QFETCH(QString, program);
        QFETCH(QString, input);
        QFETCH(QString, screen);
        write(QStringLiteral("home.txt"), program.toUtf8());
        cli::Options o;
        o.file = path(QStringLiteral("home.txt"));
        o.model = calc::models::Model(model);
        if (!input.isEmpty())
            o.inputs << input;
        const cli::Result r = cli::runFile(o);
        QTEST(r.exitCode, "exitCode");
        if (r.exitCode != 0) {
            QVERIFY(r.error.startsWith(QStringLiteral("ERR:ARGUMENT")));
            return;
        }
        const QStringList lines = r.screen.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (program.startsWith(QLatin1String("ANOVA"))) {
            // More lines than the ten rows, the last the pooled deviation.
            QVERIFY(r.screen.count(QLatin1Char('\n')) > 10);
            QVERIFY2(lines.last().startsWith(screen), qPrintable(r.screen));
        } else {
            QVERIFY2(lines.contains(screen), qPrintable(r.screen));
        }
    }

    // The program with --model ti84pce --graph-png: a 265x165
    // picture, blue text where Text( put it, one red pixel in the corner.
    void colourProgramToPng()
    {
        write(QStringLiteral("hi.txt"), "ClrDraw\nBackgroundOff\nTextColor(BLUE)\n"
                                        "Text(10,10,\"HI\")\nWait 0.1\nPxl-On(164,264,RED)\n");
        cli::Options o;
        o.file = path(QStringLiteral("hi.txt"));
        o.graphPng = path(QStringLiteral("hi.png"));
        o.model = calc::models::Model::Ti84PlusCE;
        const cli::Result r = cli::runFile(o);
        QCOMPARE(r.exitCode, 0);
        const QImage png = QImage(o.graphPng).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(png.size(), QSize(265, 165));
        QCOMPARE(png.pixel(264, 164), qRgb(255, 0, 0));
        int blue = 0, other = 0;
        for (int y = 0; y < png.height(); ++y)
            for (int x = 0; x < png.width(); ++x) {
                const QRgb p = png.pixel(x, y);
                const bool inText = y >= 10 && y < 22 && x >= 10 && x < 26;
                if (p == qRgb(0, 0, 255))
                    (inText ? blue : other) += 1;
            }
        QVERIFY(blue > 8);
        QCOMPARE(other, 0);
        // The home screen printed is ten rows.
        QCOMPARE(r.screen.count(QLatin1Char('\n')), 10);
        QCOMPARE(r.screen.split(QLatin1Char('\n')).first(), QString(22, QLatin1Char(' ')) + "Done");
        // Without --model the colour tokens choose a colour model.
        o.model = calc::models::Model::None;
        QCOMPARE(cli::runFile(o).exitCode, 0);
        QCOMPARE(QImage(o.graphPng).size(), QSize(265, 165));
        // A monochrome model refuses the colour commands, and its picture stays 96x64.
        o.model = calc::models::Model::Ti84Plus;
        const cli::Result mono = cli::runFile(o);
        QCOMPARE(mono.exitCode, int(cli::ProgramError));
        QCOMPARE(QImage(o.graphPng).size(), QSize(96, 64));
    }

    // --record on the colour screen: 320x240 frames, the first the home
    // screen, the last the graph area in its border with the red pixel,
    // the delays adding up to the clock (Wait 0.5 among them).
    void recordsTheColourScreen()
    {
        write(QStringLiteral("rec.txt"), "ClrDraw\nWait 0.5\nPxl-On(164,264,RED)\n");
        cli::Options o;
        o.file = path(QStringLiteral("rec.txt"));
        o.record = path(QStringLiteral("rec.gif"));
        o.model = calc::models::Model::Ti84PlusCE;
        const cli::Result r = cli::runFile(o);
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.calculatorMicros >= 500000);
        int error = 0;
        GifFileType *gif = DGifOpenFileName(QFile::encodeName(o.record).constData(), &error);
        QVERIFY(gif);
        QCOMPARE(DGifSlurp(gif), GIF_OK);
        QCOMPARE(QSize(gif->SWidth, gif->SHeight), QSize(320, 240));
        QVERIFY(gif->ImageCount >= 2);
        int total = 0;
        for (int i = 0; i < gif->ImageCount; ++i) {
            GraphicsControlBlock gcb;
            DGifSavedExtensionToGCB(gif, i, &gcb);
            total += gcb.DelayTime;
        }
        QCOMPARE(total, int((r.calculatorMicros + 5000) / 10000));
        const SavedImage &last = gif->SavedImages[gif->ImageCount - 1];
        const GifColorType red =
            gif->SColorMap->Colors[last.RasterBits[(52 + 164) * 320 + 27 + 264]];
        const GifColorType blank =
            gif->SColorMap->Colors[last.RasterBits[(52 + 163) * 320 + 27 + 264]];
        DGifCloseFile(gif, &error);
        QCOMPARE(QColor(red.Red, red.Green, red.Blue), QColor(255, 0, 0));
        QCOMPARE(QColor(blank.Red, blank.Green, blank.Blue), QColor(255, 255, 255));
    }

    // The graph, recorded and written as PNG in one run: the last
    // frame's graph area is the PNG pixel for pixel, the parabola thick and
    // green over the medium gray grid lines.
    void gifFrameIsTheGraphPng()
    {
        write(QStringLiteral("graph.txt"), "\"X²→Y₁\n"
                                           "GraphColor(1,GREEN\nGraphStyle(1,2\nGridLine\n"
                                           "DispGraph\n");
        cli::Options o;
        o.file = path(QStringLiteral("graph.txt"));
        o.graphPng = path(QStringLiteral("graph.png"));
        o.record = path(QStringLiteral("graph.gif"));
        o.model = calc::models::Model::Ti84PlusCE;
        const cli::Result r = cli::runFile(o);
        QVERIFY2(r.exitCode == 0, qPrintable(r.error));
        const QImage png = QImage(o.graphPng).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(png.size(), QSize(265, 165));
        QCOMPARE(png.pixel(132, 82), qRgb(0x00, 0x9F, 0x00));
        QCOMPARE(png.pixel(132, 83), qRgb(0x00, 0x9F, 0x00));
        QCOMPARE(png.pixel(198, 150), qRgb(0xC7, 0xC3, 0xC7));
        int error = 0;
        GifFileType *gif = DGifOpenFileName(QFile::encodeName(o.record).constData(), &error);
        QVERIFY(gif);
        QCOMPARE(DGifSlurp(gif), GIF_OK);
        const SavedImage &last = gif->SavedImages[gif->ImageCount - 1];
        int differ = 0;
        for (int y = 0; y < 165; ++y)
            for (int x = 0; x < 265; ++x) {
                const GifColorType c =
                    gif->SColorMap->Colors[last.RasterBits[(52 + y) * 320 + 27 + x]];
                differ += qRgb(c.Red, c.Green, c.Blue) != png.pixel(x, y);
            }
        DGifCloseFile(gif, &error);
        QCOMPARE(differ, 0);
    }

    // Image1 from the peer's .8ca, found beside the program: each of its
    // 133x83 pixels a square of two on the graph area.
    void imageShownByBackgroundOn()
    {
        QFile peer(QStringLiteral(TIVARS_DATA "/Image1.8ca"));
        QVERIFY(peer.open(QIODevice::ReadOnly));
        const QByteArray bytes = peer.readAll();
        const calc::imagefile::Image image = calc::imagefile::read(bytes);
        QVERIFY2(image.ok(), qPrintable(image.error));
        QCOMPARE(image.slot, 1);
        // Rows are stored bottom up: the file's first pixel, RGB565 0x1986,
        // is the bottom-left one.
        QCOMPARE(image.pixels[164 * 265], 0x183031u);
        write(QStringLiteral("Image1.8ca"), bytes);
        write(QStringLiteral("bg.txt"), "AxesOff\nBackgroundOn Image1\n");
        cli::Options o;
        o.file = path(QStringLiteral("bg.txt"));
        o.graphPng = path(QStringLiteral("bg.png"));
        o.model = calc::models::Model::Ti84PlusCE;
        QCOMPARE(cli::runFile(o).exitCode, 0);
        const QImage png = QImage(o.graphPng).convertToFormat(QImage::Format_RGB32);
        QSet<QRgb> colours;
        for (int y = 0; y + 1 < 165; y += 2)
            for (int x = 0; x + 1 < 265; x += 2) {
                const QRgb p = png.pixel(x, y);
                QCOMPARE(png.pixel(x + 1, y + 1), p);
                QCOMPARE(p & 0xFFFFFF, image.pixels[std::size_t(y) * 265 + x]);
                colours.insert(p);
            }
        QVERIFY(colours.size() > 20); // a picture, not a fill
        // Image2 is nowhere: ERR:UNDEFINED.
        write(QStringLiteral("bg2.txt"), "BackgroundOn Image2\n");
        o.file = path(QStringLiteral("bg2.txt"));
        const cli::Result missing = cli::runFile(o);
        QCOMPARE(missing.exitCode, int(cli::ProgramError));
        QVERIFY2(missing.error.startsWith("ERR:UNDEFINED"), qPrintable(missing.error));
        // Damaged files are refused, not read past their end.
        QVERIFY(!calc::imagefile::read(bytes.left(5000)).ok());
        QByteArray picture = bytes;
        picture[55 + 4] = 0x07;
        QVERIFY(!calc::imagefile::read(picture).ok());
    }
};

TORVANE_TEST(TstColourRun);
#include "tst_colourrun.moc"
