// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The undo history against a fake pane: grouping, re-entry, tracking, and
// what the history holds. Carets and texts are checked in the real window.
#include "common/TestRegistry.h"
#include "editor/UndoHistory.h"

#include <QTest>

using editor::UndoHistory;

namespace
{

// Like the real pane, fires the change notification synchronously on every
// text change, including the writes Undo and Redo make, and reports each
// change as it happened (no narrowing to the differing run).
struct FakePane : editor::UndoPane {
    QString txt;
    int start = 0, length = 0, hiddenWrites = 0;
    bool hidden = false, negative = false, reenter = false;
    platform::TextChange last;
    UndoHistory *history = nullptr;

    const platform::TextChange &lastChange() const override { return last; }
    QString textRange(int p, int n) const override { return txt.mid(p, n); }
    void setSelStart(int p) override
    {
        negative |= p < 0, start = qBound(0, p, int(txt.size())), length = 0;
    }
    void setSelLength(int n) override
    {
        negative |= n < 0, length = qBound(0, n, int(txt.size()) - start);
    }
    void setSelText(const QString &s) override { edit(start, length, s, start + int(s.size())); }
    void hideSelection(bool h) override { hidden = h; }
    void focusPane() override {}
    void edit(int at, int n, const QString &s, int caret)
    {
        if (n == 0 && s.isEmpty())
            return;
        last = {at, txt.mid(at, n), s};
        txt.replace(at, n, s);
        start = caret, length = 0, hiddenWrites += hidden;
        history->recordChange();
        if (reenter)
            history->Undo(), history->Redo();
    }
};

struct FakeControls : editor::UndoControls {
    int rules = 0;
    void setUndoEnabled(bool) override {}
    void setRedoEnabled(bool) override {}
    void selectionRule() override { ++rules; }
};

struct Window {
    FakePane pane;
    FakeControls controls;
    UndoHistory history{pane, controls};
    Window() { pane.history = &history, history.setTrackChanges(true), history.reset(); }

    // t:keys typed one by one, s:start:length, p:text Paste, l:text whole-text load,
    // u Undo, r Redo, [ and ] a group
    void run(const QStringList &ops)
    {
        for (const QString &op : ops) {
            const QStringList a = op.split(u':');
            // clang-format off
            switch (op.at(0).unicode()) {
            case 't': for (QChar c : a[1]) pane.setSelText(c); break;
            case 's': pane.setSelStart(a[1].toInt()), pane.setSelLength(a[2].toInt()); break;
            case 'p': pane.setSelText(QString()), pane.setSelText(a[1]); break;
            case 'l': pane.edit(0, int(pane.txt.size()), a[1], 0); break;
            case 'u': history.Undo(); break;
            case 'r': history.Redo(); break;
            case '[': history.beginGroup(); break;
            case ']': history.endGroup(); break;
            }
            // clang-format on
        }
    }
};

} // namespace

class TstUndoHistory : public QObject
{
    Q_OBJECT
private slots:
    void groups_data()
    {
        QTest::addColumn<QStringList>("ops");
        // every text met while undoing all, then redoing all
        QTest::addColumn<QStringList>("seen");
        using L = QStringList;
        // clang-format off
        QTest::newRow("three keys, one entry") << L{"t:A", "[", "t:BCD", "]", "t:E"}
            << L{"ABCDE", "ABCD", "A", "", "A", "ABCD", "ABCDE"};
        QTest::newRow("nested") << L{"[", "t:A", "[", "t:B", "]", "t:C", "]"} << L{"ABC", "", "ABC"};
        QTest::newRow("empty group") << L{"t:A", "[", "]", "t:B"} << L{"AB", "A", "", "A", "AB"};
        // replace-all style: removal and insertion at several places
        QTest::newRow("replace twice") << L{"t:XaXa", "[", "s:0:1", "t:YY", "s:3:1", "t:YY", "]"}
            << L{"YYaYYa", "XaXa", "XaX", "Xa", "X", "", "X", "Xa", "XaX", "XaXa", "YYaYYa"};
        // an Undo inside a group ends the entry: later changes make a new one
        QTest::newRow("undo inside group") << L{"[", "t:AB", "u", "t:C", "]"} << L{"C", "", "C"};
        // clang-format on
    }
    void groups()
    {
        QFETCH(QStringList, ops);
        Window w;
        w.run(ops);
        QStringList seen{w.pane.txt};
        while (w.history.undoCount() > 1)
            w.history.Undo(), seen << w.pane.txt;
        while (w.history.redoCount() > 0)
            w.history.Redo(), seen << w.pane.txt;
        QTEST(seen, "seen");
    }

    void nestedUndoRedoDoNothing()
    {
        // The restoring Undo writes while the redo stack is not empty, where a
        // nested Redo would act. The selection rule stays off while rewriting,
        // and the writes happen with the selection hidden.
        Window w;
        w.run({"t:ABC", "s:0:2", "p:HELLO", "u"});
        const int rules = w.controls.rules;
        w.pane.reenter = true;
        w.run({"u"});
        QCOMPARE(w.pane.txt, QStringLiteral("ABC"));
        QCOMPARE(w.history.undoCount(), 4);
        QCOMPARE(w.history.redoCount(), 2);
        w.run({"r"});
        QCOMPARE(w.pane.txt, QStringLiteral("C"));
        QCOMPARE(w.history.redoCount(), 1);
        QCOMPARE(w.controls.rules, rules);
        QVERIFY(w.pane.hiddenWrites > 0 && !w.pane.hidden && !w.pane.negative);
        w.pane.reenter = false;
        w.run({"t:D"});
        QCOMPARE(w.controls.rules, rules + 1);
    }

    // A change made while tracking is off moves text under the recorded
    // positions: the history starts again rather than restore a text that
    // never existed.
    void untrackedChangeStartsAgain()
    {
        Window w;
        w.run({"t:ABC", "u"});
        QCOMPARE(w.history.undoCount(), 3);
        QCOMPARE(w.history.redoCount(), 1);
        w.history.setTrackChanges(false);
        w.pane.edit(0, 0, QStringLiteral("XY"), 2);
        QCOMPARE(w.history.undoCount(), 1);
        QCOMPARE(w.history.redoCount(), 0);
        QCOMPARE(w.history.bytesHeld(), 0);
        w.history.setTrackChanges(true);
        w.run({"t:Z", "u", "u"});
        QCOMPARE(w.pane.txt, QStringLiteral("XYAB"));
    }

    void costFollowsEditsNotDocument()
    {
        QList<qint64> bytes; // after 500 keys, in a small and in a large document
        for (int size : {10, 200000}) {
            Window w;
            w.run({"l:" + QString(size, QLatin1Char('x'))});
            const qint64 load = w.history.bytesHeld();
            w.run({"s:5:0", "t:" + QString(500, QLatin1Char('k'))});
            bytes << w.history.bytesHeld() - load;
            QVERIFY(load < 1000); // the loaded text is in the pane, not in the history
            w.history.Undo();
            QCOMPARE(int(w.pane.txt.size()), size + 499);
        }
        QCOMPARE(bytes[0], bytes[1]);
        QVERIFY2(bytes[1] < 500 * 100, qPrintable(QString::number(bytes[1])));
    }

    void limitDropsOldestEntries()
    {
        Window w;
        w.run({"l:" + QString(1000, QLatin1Char('a'))});
        // Each replacement stores the 40 characters it removed.
        QStringList texts{w.pane.txt};
        for (int i = 0; i < 20; ++i) {
            w.run({"s:0:40", "t:b"});
            texts << w.pane.txt;
        }
        const qint64 full = w.history.bytesHeld();
        w.history.setLimitBytes(full / 2);
        QVERIFY(w.history.bytesHeld() <= full / 2);
        const int kept = w.history.undoCount() - 1;
        QVERIFY(kept > 0 && kept < 21);
        // What is left still goes back exactly, to the oldest text kept.
        while (w.history.undoCount() > 1)
            w.history.Undo();
        const QString oldest = texts[texts.size() - 1 - kept];
        QCOMPARE(w.pane.txt, oldest);
        // One entry larger than the limit stays: the last change can be undone.
        w.history.setLimitBytes(0);
        QCOMPARE(w.history.redoCount(), 1);
        w.history.Redo();
        QCOMPARE(w.history.undoCount(), 2);
        w.history.Undo();
        QCOMPARE(w.pane.txt, oldest);
    }
};

TORVANE_TEST(TstUndoHistory);
#include "tst_undohistory.moc"
