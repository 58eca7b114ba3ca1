#include "common/TestRegistry.h"
#include "editor/SymbolPalette.h"
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
    bool undo = true, redo = true; // wrong until the history sets them
    int rules = 0;
    void setUndoEnabled(bool on) override { undo = on; }
    void setRedoEnabled(bool on) override { redo = on; }
    void selectionRule() override { ++rules; }
};

struct Window {
    FakePane pane;
    FakeControls controls;
    UndoHistory history{pane, controls};
    Window() { pane.history = &history, history.setTrackChanges(true), history.reset(); }

    // t:keys typed one by one, n Enter, s:start:length, b Backspace, p:text Paste,
    // l:text whole-text load (caret left at 0), y:index palette, u Undo, r Redo,
    // [ and ] a group
    void run(const QStringList &ops)
    {
        for (const QString &op : ops) {
            const QStringList a = op.split(u':');
            const int back = pane.txt.mid(pane.start - 2, 2) == QLatin1String("\r\n") ? 2 : 1;
            // clang-format off
            switch (op.at(0).unicode()) {
            case 't': for (QChar c : a[1]) pane.setSelText(c); break;
            case 'n': pane.setSelText(QStringLiteral("\r\n")); break;
            case 's': pane.setSelStart(a[1].toInt()), pane.setSelLength(a[2].toInt()); break;
            case 'b': pane.edit(pane.start - back, back, QString(), pane.start - back); break;
            case 'p': pane.setSelText(QString()), pane.setSelText(a[1]); break;
            case 'l': pane.edit(0, int(pane.txt.size()), a[1], 0); break;
            case 'y': pane.setSelText(*editor::paletteInsertText(a[1].toInt())); break;
            case 'u': history.Undo(); break;
            case 'r': history.Redo(); break;
            case '[': history.beginGroup(); break;
            case ']': history.endGroup(); break;
            }
            // clang-format on
        }
    }
    // Undoes everything, then redoes everything; the texts met on the way.
    QStringList undoRedoAll()
    {
        QStringList seen{pane.txt};
        while (history.undoCount() > 1)
            history.Undo(), seen << pane.txt;
        while (history.redoCount() > 0)
            history.Redo(), seen << pane.txt;
        return seen;
    }
};

} // namespace

class TstUndoHistory : public QObject
{
    Q_OBJECT
private slots:
    void scenarios_data();
    void scenarios();
    void groups_data();
    void groups();
    void nestedUndoRedoDoNothing();
    void untrackedChangeForgetsHistory();
    void costFollowsEditsNotDocument();
    void limitDropsOldestEntries();
};

void TstUndoHistory::scenarios_data()
{
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<QString>("text");
    // SelStart, SelLength, undo and redo counts, writes made with the selection hidden
    QTest::addColumn<QList<int>>("state");

    const QString sym20 = QString(QChar(253)) + QStringLiteral("^(");
    using L = QStringList;
    using N = QList<int>;
    // clang-format off
    QTest::newRow("new window") << L{} << "" << N{0, 0, 1, 0, 0};
    QTest::newRow("undo with nothing") << L{"u", "r"} << "" << N{0, 0, 1, 0, 0};
    QTest::newRow("type A") << L{"t:A"} << "A" << N{1, 0, 2, 0, 0};
    QTest::newRow("ABC undo") << L{"t:ABC", "u"} << "AB" << N{2, 0, 3, 1, 1};
    QTest::newRow("ABC undo x3") << L{"t:ABC", "u", "u", "u"} << "" << N{0, 0, 1, 3, 3};
    QTest::newRow("12X undo") << L{"t:12X", "u"} << "12" << N{2, 0, 3, 1, 1};
    QTest::newRow("12X undo redo") << L{"t:12X", "u", "r"} << "12X" << N{3, 0, 4, 0, 1};
    QTest::newRow("backspace undo") << L{"t:123", "s:2:0", "b", "u"} << "123" << N{2, 0, 4, 1, 1};
    QTest::newRow("paste undo") << L{"t:ABC", "s:0:2", "p:HELLO", "u"} << "C" << N{0, 0, 5, 1, 1};
    QTest::newRow("paste undo x2") << L{"t:ABC", "s:0:2", "p:HELLO", "u", "u"} << "ABC" << N{0, 2, 4, 2, 2};
    QTest::newRow("paste redo") << L{"t:ABC", "s:0:2", "p:HELLO", "u", "u", "r"} << "C" << N{0, 0, 5, 1, 2};
    QTest::newRow("paste redo x2") << L{"t:ABC", "s:0:2", "p:HELLO", "u", "u", "r", "r"} << "HELLOC" << N{0, 5, 6, 0, 2};
    // the three replaced characters come back, selected
    QTest::newRow("3 by 1 undo") << L{"t:ABCDE", "s:1:3", "t:X", "u"} << "ABCDE" << N{1, 3, 6, 1, 1};
    QTest::newRow("3 by 1 redo") << L{"t:ABCDE", "s:1:3", "t:X", "u", "r"} << "AXE" << N{2, 0, 7, 0, 1};
    QTest::newRow("all by 1 undo") << L{"t:Clr", "s:0:3", "t:t", "u"} << "Clr" << N{0, 3, 4, 1, 1};
    QTest::newRow("overwrite undo") << L{"t:AB", "s:0:1", "t:X", "u"} << "AB" << N{1, 0, 3, 1, 1};
    QTest::newRow("overwrite redo") << L{"t:AB", "s:0:1", "t:X", "u", "r"} << "XB" << N{1, 0, 4, 0, 1};
    QTest::newRow("type after undo") << L{"t:AB", "u", "t:C"} << "AC" << N{2, 0, 3, 0, 1};
    QTest::newRow("line break restored") << L{"t:A", "n", "t:B", "s:3:0", "b", "u"} << "A\r\nB" << N{3, 0, 4, 1, 1};
    QTest::newRow("line break redone") << L{"t:A", "n", "u", "r"} << "A\r\n" << N{3, 0, 3, 0, 1};
    QTest::newRow("line break replaced") << L{"t:A", "n", "t:B", "s:1:2", "t:-", "u"} << "A\r\nB" << N{3, 0, 4, 1, 1};
    QTest::newRow("load undo") << L{"l:HELLO", "u"} << "" << N{0, 0, 1, 1, 1};
    QTest::newRow("load undo redo") << L{"l:HELLO", "u", "r"} << "HELLO" << N{0, 5, 2, 0, 1};
    QTest::newRow("load replaces") << L{"t:AB", "l:HELLO", "u"} << "AB" << N{0, 2, 3, 1, 1};
    QTest::newRow("load replaces redo") << L{"t:AB", "l:HELLO", "u", "r"} << "HELLO" << N{0, 5, 4, 0, 1};
    QTest::newRow("load shorter undo") << L{"t:HELLO WORLD", "l:AB", "u"} << "HELLO WORLD" << N{0, 11, 12, 1, 1};
    QTest::newRow("load same length") << L{"t:ABCD", "l:WXYZ", "u"} << "ABCD" << N{0, 4, 5, 1, 1};
    QTest::newRow("palette over AB") << L{"t:ABC", "s:0:2", "y:3"} << "=C" << N{1, 0, 5, 0, 0};
    QTest::newRow("palette over AB undo") << L{"t:ABC", "s:0:2", "y:3", "u"} << "ABC" << N{0, 2, 4, 1, 1};
    QTest::newRow("palette 20 twice") << L{"y:20", "y:20"} << sym20 + sym20 << N{6, 0, 3, 0, 0};
    QTest::newRow("palette 20 undo") << L{"y:20", "y:20", "u"} << sym20 << N{3, 0, 2, 1, 1};
    QTest::newRow("palette 20 redo") << L{"y:20", "y:20", "u", "r"} << sym20 + sym20 << N{3, 3, 3, 0, 1};
    // clang-format on
}

void TstUndoHistory::scenarios()
{
    QFETCH(QStringList, ops);
    Window w;
    w.run(ops);
    QTEST(w.pane.txt, "text");
    QTEST((QList<int>{w.pane.start, w.pane.length, w.history.undoCount(), w.history.redoCount(),
                      w.pane.hiddenWrites}),
          "state");
    QCOMPARE(w.controls.undo, w.history.undoCount() >= 2);
    QCOMPARE(w.controls.redo, w.history.redoCount() >= 1);
    QVERIFY(w.history.trackChanges() && !w.pane.hidden && !w.pane.negative);
}

void TstUndoHistory::groups_data()
{
    QTest::addColumn<QStringList>("ops");
    // every text met while undoing all, then redoing all
    QTest::addColumn<QStringList>("seen");
    using L = QStringList;
    // clang-format off
    QTest::newRow("three keys, one entry") << L{"t:A", "[", "t:BCD", "]", "t:E"}
        << L{"ABCDE", "ABCD", "A", "", "A", "ABCD", "ABCDE"};
    QTest::newRow("nested") << L{"[", "t:A", "[", "t:B", "]", "t:C", "]"}
        << L{"ABC", "", "ABC"};
    QTest::newRow("empty group") << L{"t:A", "[", "]", "t:B"} << L{"AB", "A", "", "A", "AB"};
    // replace-all style: removal and insertion at several places
    QTest::newRow("replace twice") << L{"t:XaXa", "[", "s:0:1", "t:YY", "s:3:1", "t:YY", "]"}
        << L{"YYaYYa", "XaXa", "XaX", "Xa", "X", "", "X", "Xa", "XaX", "XaXa", "YYaYYa"};
    // an Undo inside a group ends the entry: later changes make a new one
    QTest::newRow("undo inside group") << L{"[", "t:AB", "u", "t:C", "]"}
        << L{"C", "", "C"};
    // clang-format on
}

void TstUndoHistory::groups()
{
    QFETCH(QStringList, ops);
    Window w;
    w.run(ops);
    QTEST(w.undoRedoAll(), "seen");
}

void TstUndoHistory::nestedUndoRedoDoNothing()
{
    // The restoring Undo writes while the redo stack is not empty, where a
    // nested Redo would act. The selection rule stays off while rewriting.
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
    w.pane.reenter = false;
    w.run({"t:D"});
    QCOMPARE(w.controls.rules, rules + 1);
}

void TstUndoHistory::untrackedChangeForgetsHistory()
{
    // With tracking off a change records nothing; the entries before it
    // would now restore at the wrong places, so they go too.
    Window w;
    w.run({"t:AB", "u"});
    w.history.setTrackChanges(false);
    w.run({"s:0:0", "t:Z"});
    QCOMPARE(w.pane.txt, QStringLiteral("ZA"));
    QCOMPARE(w.history.undoCount(), 1);
    QCOMPARE(w.history.redoCount(), 0);
    QCOMPARE(w.history.bytesHeld(), 0);
    w.history.setTrackChanges(true);
    w.run({"t:Y", "u"});
    QCOMPARE(w.pane.txt, QStringLiteral("ZA"));
}

void TstUndoHistory::costFollowsEditsNotDocument()
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

void TstUndoHistory::limitDropsOldestEntries()
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
    QCOMPARE(w.pane.txt, texts[texts.size() - 1 - kept]);
    // One entry larger than the limit stays: the last change can be undone.
    w.history.setLimitBytes(0);
    QCOMPARE(w.history.redoCount(), 1);
    w.history.Redo();
    QCOMPARE(w.history.undoCount(), 2);
    w.history.Undo();
    QCOMPARE(w.pane.txt, texts[texts.size() - 1 - kept]);
}

TORVANE_TEST(TstUndoHistory);
#include "tst_undohistory.moc"
