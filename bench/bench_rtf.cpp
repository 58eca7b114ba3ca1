// Reads and writes a generated 1 MB calculator-program document and prints
// the throughput of each direction; also the pane's load and position
// conversion on the same text.
#include "BestTime.h"
#include "platform/RichTextBox.h"
#include "platform/RtfCodec.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

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

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const rtf::Document doc = makeProgram(1 << 20);
    const QByteArray data = rtf::write(doc);
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
