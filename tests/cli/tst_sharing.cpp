// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Sharing a program: listings read back as the same tokens, and a run's
// recording decodes to the screens it showed, timed by the pace clock.
#include "calc/CalculatorSymbols.h"
#include "calc/Listing.h"
#include "calc/Models.h"
#include "calc/Tokens.h"
#include "calcfiles/ProgramFile.h"
#include "calculator/Recorder.h"
#include "cli/ListingCommand.h"
#include "cli/RunCommand.h"
#include "common/TestRegistry.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <gif_lib.h>

#include <numeric>

namespace
{

QByteArray bytes(QString text)
{
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text).bytes;
}

struct Gif {
    QList<QImage> frames; // at one pixel a calculator pixel
    QList<int> delays;
    QSize size;
};

// Decodes a recording with giflib itself; each frame taken back to
// calculator pixels by its top-left screen pixel.
bool decode(const QString &path, int scale, Gif *out)
{
    int error = 0;
    GifFileType *gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif)
        return false;
    const bool ok = DGifSlurp(gif) == GIF_OK;
    out->size = QSize(gif->SWidth, gif->SHeight);
    for (int i = 0; ok && i < gif->ImageCount; ++i) {
        const SavedImage &s = gif->SavedImages[i];
        const ColorMapObject *map = s.ImageDesc.ColorMap ? s.ImageDesc.ColorMap : gif->SColorMap;
        QImage image(gif->SWidth / scale, gif->SHeight / scale, QImage::Format_RGB32);
        for (int r = 0; r < image.height(); ++r)
            for (int c = 0; c < image.width(); ++c) {
                const GifColorType &rgb =
                    map->Colors[s.RasterBits[r * scale * s.ImageDesc.Width + c * scale]];
                image.setPixel(c, r, qRgb(rgb.Red, rgb.Green, rgb.Blue));
            }
        GraphicsControlBlock gcb;
        DGifSavedExtensionToGCB(gif, i, &gcb);
        out->frames << image;
        out->delays << gcb.DelayTime;
    }
    DGifCloseFile(gif, &error);
    return ok;
}

long long hundredths(long long micros)
{
    return (micros + 5000) / 10000;
}

} // namespace

class TstSharing : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &data)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    // A listing's text through the text reader.
    QByteArray readBack(const QByteArray &tokens)
    {
        write(QStringLiteral("back.txt"), calc::listing::text(tokens).toUtf8());
        QByteArray out;
        QString error;
        if (!calcfiles::readProgram(path(QStringLiteral("back.txt")), &out, &error))
            qWarning("%s", qPrintable(error));
        return out;
    }

private slots:
    // Every token alone, and after a space that starts its line.
    void everyTokenReadsBack()
    {
        int tokens = 0;
        for (int t = 0; t <= 0xFFFF; ++t) {
            if (calc::tokens::displayString(t).isEmpty())
                continue;
            const QByteArray alone = calc::tokens::tokenBytes(t);
            QVERIFY2(readBack(alone) == alone, qPrintable(QString::number(t, 16)));
            const QByteArray indented = QByteArray("A\x3F\x29\x29", 4) + alone;
            QVERIFY2(readBack(indented) == indented, qPrintable(QString::number(t, 16)));
            ++tokens;
        }
        QVERIFY(tokens > 700);
    }

    // Every token a model has, run together forwards and backwards and
    // inside a string: a spelling that holds another's still reads back as
    // its own token.
    void everyModelsTokensReadBack_data()
    {
        QTest::addColumn<int>("model");
        for (const calc::models::Model m : calc::models::all())
            QTest::newRow(qPrintable(calc::models::id(m))) << int(m);
    }
    void everyModelsTokensReadBack()
    {
        QFETCH(int, model);
        QVector<int> tokens;
        for (int t = 0; t <= 0xFFFF; ++t)
            if (t != 0x3F && !calc::tokens::displayString(t).isEmpty() &&
                calc::models::has(calc::models::Model(model), t))
                tokens << t;
        QVERIFY(tokens.size() > 300);
        QByteArray forwards, backwards;
        for (int i = 0; i < tokens.size(); ++i) {
            forwards += calc::tokens::tokenBytes(tokens[i]);
            backwards += calc::tokens::tokenBytes(tokens[tokens.size() - 1 - i]);
        }
        const QByteArray program = forwards + '\x3F' + backwards + "\x3F\x2A" + forwards;
        const QByteArray back = readBack(program);
        if (back != program) {
            // Where it first reads otherwise, for the message.
            int at = 0;
            while (at < back.size() && at < program.size() && back[at] == program[at])
                ++at;
            QFAIL(qPrintable(QStringLiteral("differs at byte %1: %2")
                                 .arg(at)
                                 .arg(QString::fromLatin1(program.mid(at, 4).toHex()))));
        }
    }

    // What the text reader takes for layout is written so that it is not.
    void layoutLookalikes_data()
    {
        QTest::addColumn<QByteArray>("tokens");
        QTest::newRow("lines all start with a colon") << bytes(":Disp 1\n\n:Disp 2");
        QTest::newRow("a line of spaces") << bytes("1\n   \n2");
        QTest::newRow("an empty last line") << bytes("Disp 1\n");
        QTest::newRow("blank lines") << bytes("\n\n\n");
        QTest::newRow("a space in a string") << bytes("Disp \" A \"\n \"B");
        QTest::newRow("symbols") << bytes("{1,2}→ʟAB:1ᴇ2:θ²≤3⁻¹:√(4");
    }
    void layoutLookalikes()
    {
        QFETCH(QByteArray, tokens);
        QVERIFY(!tokens.isEmpty());
        QCOMPARE(readBack(tokens), tokens);
    }

    void htmlPage()
    {
        const QByteArray tokens = bytes("Disp \"<&>\"\n Output(1,1,A→B");
        calc::listing::Options options;
        options.name = QStringLiteral("DEMO");
        options.fonts = {QStringLiteral("Calc's font")};
        for (const bool numbers : {false, true}) {
            options.lineNumbers = numbers;
            QXmlStreamReader xml(calc::listing::html(tokens, options));
            QString title, pre;
            QStringList open;
            int lineMarks = 0;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement())
                    open << xml.name().toString();
                else if (xml.isEndElement())
                    open.removeLast();
                else if (xml.isCharacters() && !open.isEmpty() && open.last() == "title")
                    title += xml.text();
                else if (xml.isCharacters() && open.contains("pre") && open.last() != "span")
                    pre += xml.text();
                lineMarks += xml.isStartElement() && xml.name() == QLatin1String("span");
            }
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            QCOMPARE(title, QStringLiteral("prgmDEMO"));
            QCOMPARE(pre + QLatin1Char('\n'), calc::listing::text(tokens));
            QCOMPARE(lineMarks, numbers ? 2 : 0);
        }
        const QString page = calc::listing::html(tokens, options);
        QVERIFY(page.contains(QStringLiteral("<h1>prgmDEMO</h1>")));
        QVERIFY(page.contains(QStringLiteral("%1 bytes").arg(tokens.size())));
        QVERIFY(page.contains(QStringLiteral("font-family:'Calcs font',monospace")));
    }

    void commandLineListings()
    {
        write(QStringLiteral("GAME.txt"), "ClrHome\n\xE2\x90\xA3"
                                          "Disp \"HI\"\n");
        const QByteArray tokens = bytes("ClrHome\n Disp \"HI\"");
        for (const char *ext : {"txt", "html", "bbcode"}) {
            const QString out = path(QStringLiteral("GAME.") + ext + QStringLiteral(".out.") + ext);
            QProcess p;
            p.start(QStringLiteral(TORVANE_EXECUTABLE),
                    {"--export-listing", path("GAME.txt"), out, "--line-numbers"});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 0);
            QFile f(out);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString got = QString::fromUtf8(f.readAll());
            if (QLatin1String(ext) == QLatin1String("txt"))
                QCOMPARE(got, QStringLiteral("ClrHome\n\u2423Disp \"HI\"\n"));
            else if (QLatin1String(ext) == QLatin1String("bbcode"))
                QCOMPARE(got, "[code]\n" + calc::listing::text(tokens) + "[/code]\n");
            else
                QVERIFY(got.contains(QStringLiteral("<title>prgmGAME</title>")));
        }
        QString error;
        QVERIFY(!cli::exportListing(path("none.txt"), path("x.txt"), QString(), false, &error));
        QVERIFY(error.contains(QStringLiteral("Cannot open")));
    }

    // Five lines drawn one by one: a frame for the home screen the run
    // starts on, one for the graph ClrDraw shows (its axes) and one for
    // each line, each the graph --graph-png writes after that many lines.
    void recordingDecodesToTheScreens()
    {
        const auto program = [](int lines) {
            return QStringLiteral("ClrDraw\nFor(I,1,%1\nLine(0,I,9,I\nEnd\n").arg(lines).toUtf8();
        };
        write(QStringLiteral("draw.txt"), program(5));
        cli::Options options;
        options.file = path(QStringLiteral("draw.txt"));
        options.record = path(QStringLiteral("draw.gif"));
        options.scale = 2;
        const cli::Result r = cli::runFile(options);
        QCOMPARE(r.exitCode, 0);
        Gif gif;
        QVERIFY(decode(options.record, 2, &gif));
        QCOMPARE(gif.size, QSize(192, 128));
        QCOMPARE(gif.frames.size(), 7);
        for (int lines = 0; lines <= 5; ++lines) {
            write(QStringLiteral("part.txt"), program(lines));
            cli::Options part;
            part.file = path(QStringLiteral("part.txt"));
            part.graphPng = path(QStringLiteral("part.png"));
            QCOMPARE(cli::runFile(part).exitCode, 0);
            QImage png(part.graphPng);
            QCOMPARE(gif.frames[lines + 1], png.convertToFormat(QImage::Format_RGB32));
        }
        QImage blank(96, 64, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QCOMPARE(gif.frames[0], blank);
        // ClrDraw 100 ms, then a 26 ms line and a 0.69 ms pass each.
        QCOMPARE(r.calculatorMicros, 100000 + 5 * (26000 + 690LL));
        QCOMPARE(std::accumulate(gif.delays.begin(), gif.delays.end(), 0LL),
                 hundredths(r.calculatorMicros));
        // The home screen during ClrDraw, the axes until the first line.
        QCOMPARE(gif.delays[0], 10);
        QCOMPARE(gif.delays[1], 3);
    }

    // Nothing drawn: the screen as the run found it, as long as the run.
    void unchangedScreenIsOneFrame()
    {
        write(QStringLiteral("quiet.txt"), "For(I,1,1000\nEnd\n");
        cli::Options options;
        options.file = path(QStringLiteral("quiet.txt"));
        options.record = path(QStringLiteral("quiet.gif"));
        QCOMPARE(cli::runFile(options).exitCode, 0);
        Gif gif;
        QVERIFY(decode(options.record, 1, &gif));
        QCOMPARE(gif.frames.size(), 1);
        QCOMPARE(gif.delays, QList<int>{69});
    }

    // Past the most frames or time it holds, a recording keeps what it has.
    void cap()
    {
        calc::basic::HomeScreen home;
        calc::basic::GraphScreen graph;
        calculator::Recorder frames(3);
        for (int i = 0; i < 5; ++i) {
            graph.set(0, i, calc::basic::GraphScreen::On);
            QCOMPARE(frames.sample(home, graph, true, i * 100000LL), i < 3);
        }
        frames.finish(900000);
        QCOMPARE(frames.frames(), 3);
        QVERIFY(frames.full());
        QVERIFY(frames.fullMessage().contains(QStringLiteral("3 frames")));
        QString error;
        QVERIFY2(frames.writeGif(path(QStringLiteral("cap.gif")), 1, &error), qPrintable(error));
        Gif gif;
        QVERIFY(decode(path(QStringLiteral("cap.gif")), 1, &gif));
        QCOMPARE(gif.frames.size(), 3);
        QCOMPARE(gif.frames[2].pixel(2, 0), qRgb(0, 0, 0));

        calculator::Recorder time(100, 1000000);
        QVERIFY(time.sample(home, graph, true, 0));
        QVERIFY(!time.sample(home, graph, false, 1200000));
        time.finish(5000000);
        QVERIFY(time.full());
        QCOMPARE(time.delays(), std::vector<int>{100});
        QVERIFY(time.fullMessage().contains(QStringLiteral("10 minutes")));
    }

    // --record and --estimate without a display.
    void commandLineRecording()
    {
        write(QStringLiteral("loop.txt"), "For(I,1,1000\nEnd\nPxl-On(1,1\n");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TORVANE_EXECUTABLE), {"--run", path("loop.txt"), "--estimate",
                                                     "--record", path("loop.gif"), "--scale", "3"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardError())
                    .contains(QStringLiteral("about 0.69 s on a calculator\n")));
        Gif gif;
        QVERIFY(decode(path("loop.gif"), 3, &gif));
        QCOMPARE(gif.frames.size(), 2);
        QCOMPARE(gif.delays, (QList<int>{69, 0}));
        p.start(QStringLiteral(TORVANE_EXECUTABLE),
                {"--run", path("loop.txt"), "--record", path("x.gif"), "--scale", "5"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
    }
};

TORVANE_TEST(TstSharing);
#include "tst_sharing.moc"
