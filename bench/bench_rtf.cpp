// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads and writes a generated 1 MB calculator-program document and prints
// the throughput of each direction; also the pane's load and position
// conversion on the same text, and, when unrtf is installed, the time of
// a whole conversion to text by unrtf and by the reader (rtf2text).
#include "BestTime.h"
#include "platform/RichTextBox.h"
#include "rtf/RtfCodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace platform;

namespace
{

rtf::Document makeProgram(int targetBytes)
{
    const QString store = QString(QChar(252));
    const QStringList lines = {"ClrHome",
                               "Disp ''TORVANE''",
                               "0" + store + "A",
                               "While A=0",
                               "Getkey" + store + "A",
                               "End",
                               "If A>2",
                               "Then",
                               "Output(1,1,''{A}\\'')",
                               QString("For(I,1,10") + QChar(0xF0) + ")",
                               QString(QChar(0xDD)) + QChar(0xF0) + "(2",
                               "Pause",
                               "End",
                               "Lbl A1",
                               "Goto A1"};
    rtf::Document d;
    d.fonts.push_back({QStringLiteral("Ti83Pluspc"), 0});
    rtf::Format plain;
    plain.halfPoints = 17;
    rtf::Format bold = plain;
    bold.bold = true;
    QString text;
    int n = 0;
    qsizetype total = 0;
    while (total < targetBytes) {
        const QString line = lines[n % lines.size()] + "\r\n";
        text += line;
        total += line.size();
        if (++n % 200 == 0) {
            d.runs.push_back({text, plain});
            d.runs.push_back({QStringLiteral("Disp ''NOTE''\r\n"), bold});
            text.clear();
        }
    }
    d.runs.push_back({text, plain});
    return d;
}

// Median wall time of running a program to its end, output discarded;
// negative when it fails.
double medianProcessSeconds(const QString &program, const QStringList &args, int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer t;
        t.start();
        p.start(program, args);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0)
            return -1;
        times.push_back(t.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The reader as a whole process against unrtf --text on the same file.
void compareWithUnrtf(const QByteArray &data)
{
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty()) {
        std::printf("bench_rtf: unrtf not installed, no comparison\n");
        return;
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.rtf"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) {
        std::printf("bench_rtf: cannot write %s\n", qPrintable(file));
        return;
    }
    f.close();
    const int rounds = 9;
    const double ours = medianProcessSeconds(QStringLiteral(RTF2TEXT), {file}, rounds);
    const double theirs = medianProcessSeconds(unrtf, {QStringLiteral("--text"), file}, rounds);
    if (ours < 0 || theirs < 0) {
        std::printf("bench_rtf: a converter failed (rtf2text %s, unrtf %s)\n",
                    ours < 0 ? "failed" : "ran", theirs < 0 ? "failed" : "ran");
        return;
    }
    std::printf("bench_rtf: to text, whole process, median of %d: rtf2text %.1f ms, "
                "unrtf --text %.1f ms, ratio %.1fx\n",
                rounds, ours * 1e3, theirs * 1e3, theirs / ours);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const rtf::Document doc = makeProgram(1 << 20);
    const QByteArray data = rtf::write(doc);
    // The document alone, for a profiler: bench_rtf --save FILE
    if (argc == 3 && qstrcmp(argv[1], "--save") == 0) {
        QFile f(QString::fromLocal8Bit(argv[2]));
        return f.open(QIODevice::WriteOnly) && f.write(data) == data.size() ? 0 : 1;
    }
    const double mb = data.size() / 1e6;

    QByteArray out;
    const double w = bestSeconds(5, [&] { out = rtf::write(doc); });
    rtf::Document back;
    const double r = bestSeconds(5, [&] { rtf::read(data, &back); });
    if (back.text() != doc.text()) {
        std::fprintf(stderr, "read back a different text\n");
        return 1;
    }
    std::printf("bench_rtf: document %.2f MB RTF, %d characters\n", mb, int(doc.text().size()));
    std::printf("bench_rtf: write %.1f MB/s (%.1f ms)\n", mb / w, w * 1e3);
    std::printf("bench_rtf: read  %.1f MB/s (%.1f ms)\n", mb / r, r * 1e3);
    compareWithUnrtf(data);

    RichTextBox box;
    const double load = bestSeconds(3, [&] { box.fromRtf(data, nullptr); });
    const double save = bestSeconds(3, [&] { out = box.toRtf(); });
    std::printf("bench_rtf: pane load %.1f ms, pane save %.1f ms\n", load * 1e3, save * 1e3);

    // Caret moves on a 24 KB program of 1,000 lines.
    QString prog;
    for (int i = 0; i < 1000; ++i)
        prog += QStringLiteral("Disp ''LINE %1''\r\n").arg(i, 4, 10, QLatin1Char('0'));
    box.setText(prog);
    const int len = box.TextLength();
    int sum = 0;
    const double moves = bestSeconds(3, [&] {
        for (int i = 0; i < 10000; ++i) {
            box.setSelStart((i * 7919) % len);
            sum += box.SelStart();
        }
    });
    std::printf("bench_rtf: caret set+read on %d chars / 1000 lines: %.2f us each (%d)\n", len,
                moves * 1e6 / 10000, sum % 7);
    return 0;
}
