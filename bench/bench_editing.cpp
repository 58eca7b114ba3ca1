// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keystroke cost of the document window's program pane against a bare
// QTextEdit holding the same program and fed the same keys in the same
// process, interleaved over several rounds; the memory the undo history holds;
// and the same for a 1 MB program, with its opening time against
// setPlainText(). Typing and opening run with syntax colouring off and on.
// Prints figures only: nothing here passes or fails on time.
#include "calc/CalculatorSymbols.h"
#include "editor/Document.h"
#include "editor/EditorOptions.h"
#include "editor/Highlighter.h"
#include "editor/ProblemMarks.h"
#include "editor/RecoveryFiles.h"
#include "editor/RecoveryWriter.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
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

// Calculator code of about `bytes` characters, CR LF line breaks.
QString program(int bytes)
{
    // "->" stands for the store arrow, code 252.
    static const char *const shapes[] = {
        "ClrHome:Disp \"HIGH SCORE\",H%1",  "For(I,1,%1):Output(I,3,\"*\"):End",
        "If X>%1 and Y<10:Then:X-1->X",     "Input \"GUESS\",G:If G=N:Goto W%1",
        "Disp \"TOO LOW\",G,\"TRY AGAIN\"", "S+%1*L->S:Pause :ClrHome",
        "While K=%1:getKey->K:End",         "Lbl W%1:Disp \"YOU WIN\":Stop"};
    QString text;
    for (int i = 0; text.size() < bytes; ++i) {
        if (i)
            text += QLatin1String("\r\n");
        text += QString::fromLatin1(shapes[i % 8])
                    .replace(QLatin1String("%1"), QString::number(i))
                    .replace(QLatin1String("->"), QChar(252));
    }
    return text;
}

void colour(editor::frmDocument &doc, bool on)
{
    for (platform::RichTextBox *pane : {doc.RichTextBox1, doc.RichTextBox2, doc.RichTextBox3})
        editor::Highlighter::setEnabled(pane, on);
    QApplication::processEvents();
}

struct Key {
    int key;
    QString text;
};

// Typing as in real code: a Return after every 30 or so letters.
std::vector<Key> keys(int count)
{
    std::vector<Key> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int letter = (i * 7) % 26;
        if (i % 31 == 30)
            out.push_back({Qt::Key_Return, QStringLiteral("\r")});
        else
            out.push_back({Qt::Key_A + letter, QString(QLatin1Char(char('A' + letter)))});
    }
    return out;
}

// A QTextEdit as it comes, placed, sized and lettered like the program pane
// in a window of the document window's size, its own undo off as the pane's is.
struct Bare {
    QWidget window;
    QTextEdit edit{&window};
    explicit Bare(const editor::frmDocument &doc)
    {
        edit.setUndoRedoEnabled(false);
        edit.setFont(doc.RichTextBox1->font());
        edit.setGeometry(doc.RichTextBox1->geometry());
        window.resize(doc.size());
        window.show();
    }
    void load(const QString &text)
    {
        edit.setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }
};

qint64 timed(QWidget *target, const Key &k)
{
    QKeyEvent e(QEvent::KeyPress, k.key, Qt::NoModifier, k.text);
    QElapsedTimer t;
    t.start();
    QApplication::sendEvent(target, &e);
    const qint64 ns = t.nsecsElapsed();
    QApplication::processEvents(); // painting and timers, outside the measure
    return ns;
}

// Both editors get the keys as the focused control of the active window.
void focus(QWidget *target)
{
    QApplication::setActiveWindow(target->window());
    target->setFocus();
    QApplication::processEvents();
}

// `rounds` rounds of the same keys into the pane and into the bare editor;
// which goes first alternates, as going first or second shifts the figures.
void race(editor::frmDocument &doc, Bare &bare, int total, int rounds, std::vector<qint64> &pane,
          std::vector<qint64> &plain)
{
    const std::vector<Key> k = keys(total);
    const int perRound = total / rounds;
    auto type = [&](QWidget *target, std::vector<qint64> &into, int r) {
        focus(target);
        for (int i = r * perRound; i < (r + 1) * perRound; ++i)
            into.push_back(timed(target, k[i]));
    };
    for (int r = 0; r < rounds; ++r) {
        if (r % 2 == 0) {
            type(doc.RichTextBox1, pane, r);
            type(&bare.edit, plain, r);
        } else {
            type(&bare.edit, plain, r);
            type(doc.RichTextBox1, pane, r);
        }
    }
}

void report(const char *what, const std::vector<qint64> &pane, const std::vector<qint64> &plain)
{
    const Stats p = summarise(pane);
    const Stats b = summarise(plain);
    std::printf("%s keystroke, program pane: median %.3f ms, worst %.3f ms (%zu keys)\n", what,
                p.median, p.worst, pane.size());
    std::printf("%s keystroke, bare QTextEdit: median %.3f ms, worst %.3f ms\n", what, b.median,
                b.worst);
    std::printf("%s keystroke, ratio of medians: %.2f\n", what, p.median / b.median);
}

void placeCaret(editor::frmDocument &doc, Bare &bare, int modelPos)
{
    doc.RichTextBox1->setSelStart(modelPos);
    QTextCursor c = bare.edit.textCursor();
    c.setPosition(doc.RichTextBox1->toEditorPosition(modelPos));
    bare.edit.setTextCursor(c);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool ok = true;

    // "bench_editing checks" measures the checks alone.
    const bool checksOnly = argc > 1 && qstrcmp(argv[1], "checks") == 0;
    for (bool coloured : {false, true}) {
        if (checksOnly)
            break;
        const char *what = coloured ? "24.6 KB coloured" : "24.6 KB";
        editor::frmDocument doc;
        colour(doc, coloured);
        doc.show();
        Bare bare(doc);
        const QString text = program(24600);
        doc.RichTextBox1->setText(text);
        bare.load(text);
        placeCaret(doc, bare, int(text.size()) / 2);
        const int entries = doc.history().undoCount();

        std::vector<qint64> pane, plain;
        race(doc, bare, 5000, 10, pane, plain);
        std::printf("program: %lld characters in %lld lines\n", (long long)text.size(),
                    (long long)text.count(QLatin1String("\r\n")) + 1);
        report(what, pane, plain);
        std::printf("%s history after %zu keys: %.3f MB\n", what, pane.size(),
                    doc.history().bytesHeld() / 1048576.0);

        std::vector<qint64> undoing;
        QElapsedTimer t;
        while (doc.history().undoCount() > entries) {
            t.start();
            doc.Undo();
            undoing.push_back(t.nsecsElapsed());
        }
        const Stats u = summarise(undoing);
        const bool restored = doc.RichTextBox1->Text() == text;
        std::printf("%s undo: median %.3f ms, worst %.3f ms (%zu undos); text restored: %s\n", what,
                    u.median, u.worst, undoing.size(), restored ? "yes" : "NO");
        ok &= restored;
    }

    // The checks run after a pause in typing, never inside a keystroke: the
    // keystroke with them on against off, and what one run of them costs.
    QStandardPaths::setTestModeEnabled(true); // the switches are not the user's
    std::vector<qint64> checksMedian;
    for (bool checks : {false, true}) {
        editor::EditorOptions::instance().applyChecks(checks, true);
        const char *what = checks ? "24.6 KB checks on" : "24.6 KB checks off";
        editor::frmDocument doc;
        colour(doc, false);
        doc.show();
        Bare bare(doc);
        const QString text = program(24600);
        doc.RichTextBox1->setText(text);
        bare.load(text);
        placeCaret(doc, bare, int(text.size()) / 2);
        std::vector<qint64> pane, plain;
        race(doc, bare, 5000, 10, pane, plain);
        report(what, pane, plain);
        checksMedian.push_back(qint64(summarise(pane).median * 1e6));
        if (checks) {
            std::vector<qint64> runs;
            QElapsedTimer t;
            for (int i = 0; i < 5; ++i) {
                t.start();
                editor::ProblemMarks::of(doc.RichTextBox1)->checkNow();
                runs.push_back(t.nsecsElapsed());
            }
            std::printf("24.6 KB one run of the checks after a pause: median %.1f ms, %d "
                        "problems\n",
                        summarise(runs).median,
                        int(editor::ProblemMarks::of(doc.RichTextBox1)->problems().size()));
        }
    }
    std::printf("24.6 KB keystroke median, checks on against off: %.0f %%\n",
                100.0 * double(checksMedian[1]) / double(checksMedian[0]));
    if (checksOnly)
        return ok ? 0 : 1;

    {
        // Recovery on: keys restart a timer; the file is written when typing pauses.
        QTemporaryDir folder;
        editor::recovery::Session session(folder.path());
        editor::frmDocument doc;
        auto *writer = new editor::RecoveryWriter(doc.document(), &session);
        doc.show();
        Bare bare(doc);
        const QString text = program(24600);
        doc.RichTextBox1->setText(text);
        bare.load(text);
        placeCaret(doc, bare, int(text.size()) / 2);
        std::vector<qint64> pane, plain, writes;
        race(doc, bare, 5000, 10, pane, plain);
        report("24.6 KB with recovery on", pane, plain);
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer t;
            t.start();
            writer->writeNow();
            writes.push_back(t.nsecsElapsed());
        }
        std::printf("24.6 KB recovery write, once typing pauses: median %.3f ms\n",
                    summarise(writes).median);
    }

    {
        const QString text = program(1024 * 1024);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.tvf"));
        {
            platform::RichTextBox writer;
            writer.setFontName(QStringLiteral("Ti83Pluspc"));
            writer.setText(text);
            writer.saveRtf(path, nullptr);
        }
        // Opening: in turn into a new window without and with colouring, and
        // a new bare editor.
        std::vector<qint64> opening, colouredOpening, filling, setting;
        QElapsedTimer t;
        for (int round = 0; round < 7; ++round) {
            for (bool coloured : {false, true}) {
                editor::frmDocument doc;
                colour(doc, coloured);
                doc.show();
                QApplication::processEvents();
                t.start();
                ok &= doc.openFile(path, nullptr);
                (coloured ? colouredOpening : opening).push_back(t.nsecsElapsed());
                if (coloured) {
                    // The lines past the first screens are coloured from a timer.
                    auto *h = editor::Highlighter::of(doc.RichTextBox1);
                    t.start();
                    while (h && h->isFilling())
                        QApplication::processEvents();
                    filling.push_back(t.nsecsElapsed());
                }
            }
            editor::frmDocument doc;
            Bare bare(doc);
            QApplication::processEvents();
            t.start();
            bare.load(text);
            setting.push_back(t.nsecsElapsed());
        }
        const Stats o = summarise(opening);
        const Stats c = summarise(colouredOpening);
        const Stats s = summarise(setting);
        const Stats f = summarise(filling);
        std::printf("1 MB program: %lld characters in %lld lines\n", (long long)text.size(),
                    (long long)text.count(QLatin1String("\r\n")) + 1);
        std::printf("1 MB open: median %.1f ms; bare setPlainText median %.1f ms; ratio %.2f\n",
                    o.median, s.median, o.median / s.median);
        std::printf("1 MB open coloured: median %.1f ms; %.0f %% of the time without colouring\n",
                    c.median, 100.0 * c.median / o.median);
        std::printf("1 MB colouring finished in the background %.1f ms after opening (median)\n",
                    f.median);

        editor::frmDocument doc;
        colour(doc, false);
        doc.show();
        Bare bare(doc);
        ok &= doc.openFile(path, nullptr);
        bare.load(text);
        placeCaret(doc, bare, int(text.size()) / 2);
        QApplication::processEvents();
        std::vector<qint64> pane, plain;
        race(doc, bare, 100, 4, pane, plain);
        report("1 MB", pane, plain);
        std::printf("1 MB history after opening and %zu keys: %.3f MB\n", pane.size(),
                    doc.history().bytesHeld() / 1048576.0);

        // The whole program through the clipboard as another program sees
        // it: Unicode out, converted back on the way in.
        const QString before = doc.RichTextBox1->Text();
        std::vector<qint64> copying, pasting, converting;
        for (int round = 0; round < 5; ++round) {
            doc.mnuSelectAll_Click();
            QElapsedTimer t;
            t.start();
            doc.mnuCopy_Click();
            copying.push_back(t.nsecsElapsed());
            const QString copied = QApplication::clipboard()->text();
            QApplication::clipboard()->setText(copied);
            t.restart();
            ok &= calc::calcsymbols::fromUnicode(copied).refused.isEmpty();
            converting.push_back(t.nsecsElapsed());
            t.restart();
            doc.mnuPaste_Click();
            pasting.push_back(t.nsecsElapsed());
        }
        ok &= doc.RichTextBox1->Text() == before;
        std::printf("1 MB copy as Unicode: median %.1f ms; paste of that text: median %.1f ms, "
                    "converting the text alone %.1f ms\n",
                    summarise(copying).median, summarise(pasting).median,
                    summarise(converting).median);
    }
    return ok ? 0 : 1;
}
