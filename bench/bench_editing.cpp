// Types 5,000 characters one key at a time into a program pane that already
// holds a 24 KB program, then undoes them all; prints the time per keystroke
// and per undo, and the memory the history holds.
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
struct Stats {
    double median;
    double worst;
};

Stats summarise(std::vector<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    return {ns[ns.size() / 2] / 1e6, ns.back() / 1e6};
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    editor::frmDocument doc;
    doc.show();

    QStringList lines;
    for (int i = 0; lines.join("\r\n").size() < 24 * 1024; ++i)
        lines << QStringLiteral("If X>%1:Then:Disp ''LINE %1'':End").arg(i);
    const QString program = lines.join("\r\n");
    doc.RichTextBox1->setSelText(program);
    doc.RichTextBox1->setSelStart(program.size() / 2);

    const int keys = 5000;
    std::vector<qint64> typing;
    typing.reserve(keys);
    QElapsedTimer t;
    for (int i = 0; i < keys; ++i) {
        const QChar c = QLatin1Char(char('A' + i % 26));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, QString(c));
        t.start();
        QApplication::sendEvent(doc.RichTextBox1, &press);
        typing.push_back(t.nsecsElapsed());
    }
    const qint64 bytes = doc.history().bytesHeld();

    std::vector<qint64> undoing;
    undoing.reserve(keys);
    for (int i = 0; i < keys; ++i) {
        t.start();
        doc.Undo();
        undoing.push_back(t.nsecsElapsed());
    }
    const bool restored = doc.RichTextBox1->Text() == program;

    const Stats k = summarise(typing);
    const Stats u = summarise(undoing);
    std::printf("program: %lld characters in %lld lines\n", (long long)program.size(),
                (long long)lines.size());
    std::printf("keystroke: median %.3f ms, worst %.3f ms (%d keys)\n", k.median, k.worst, keys);
    std::printf("undo:      median %.3f ms, worst %.3f ms (%d undos)\n", u.median, u.worst, keys);
    std::printf("history after typing: %.1f MB in %d snapshots\n", bytes / 1048576.0, keys + 2);
    std::printf("text restored after all undos: %s\n", restored ? "yes" : "NO");
    return restored ? 0 : 1;
}
