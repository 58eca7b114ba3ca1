#include "common/TestRegistry.h"
#include "editor/SymbolPalette.h"
#include "editor/UndoHistory.h"

#include <QTest>

using editor::UndoHistory;

namespace
{

// Like the real pane, fires the change notification synchronously on every
// text change, including the writes Undo and Redo make.
struct FakePane : editor::UndoPane {
    QString txt;
    int start = 0, length = 0, hiddenWrites = 0;
    bool hidden = false, negative = false, reenter = false;
    UndoHistory *history = nullptr;

    QString text() const override { return txt; }
    int selStart() const override { return start; }
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
    Window() { pane.history = &history, history.setTrackChanges(true), history.recordChange(); }

    // t:keys typed one by one, n Enter, s:start:length, b Backspace, p:text Paste,
    // l:text whole-text load (caret left at 0), y:index palette, u Undo, r Redo
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
    void scenarios_data();
    void scenarios();
    void nestedUndoRedoDoNothing();
    void change_data();
    void change();
};

void TstUndoHistory::scenarios_data()
{
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<QString>("text");
    // SelStart, SelLength, undo and redo stack sizes, writes made with the selection hidden
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
    QTest::newRow("backspace undo") << L{"t:123", "s:2:0", "b", "u"} << "123" << N{2, 0, 4, 1, 0};
    QTest::newRow("paste undo") << L{"t:ABC", "s:0:2", "p:HELLO", "u"} << "C" << N{0, 0, 5, 1, 1};
    QTest::newRow("paste undo x2") << L{"t:ABC", "s:0:2", "p:HELLO", "u", "u"} << "ABC" << N{0, 2, 4, 2, 1};
    QTest::newRow("paste redo") << L{"t:ABC", "s:0:2", "p:HELLO", "u", "u", "r"} << "C" << N{0, 0, 5, 1, 1};
    QTest::newRow("paste redo x2") << L{"t:ABC", "s:0:2", "p:HELLO", "u", "u", "r", "r"} << "HELLOC" << N{0, 5, 6, 0, 1};
    // restores the 2 old characters at the new caret, not the 3 replaced
    QTest::newRow("3 by 1 undo") << L{"t:ABCDE", "s:1:3", "t:X", "u"} << "AXCDE" << N{2, 2, 6, 1, 0};
    QTest::newRow("overwrite undo") << L{"t:AB", "s:0:1", "t:X", "u"} << "XB" << N{1, 0, 3, 1, 0};
    QTest::newRow("overwrite redo") << L{"t:AB", "s:0:1", "t:X", "u", "r"} << "XB" << N{1, 0, 4, 0, 0};
    QTest::newRow("type after undo") << L{"t:AB", "u", "t:C"} << "AC" << N{2, 0, 3, 0, 1};
    QTest::newRow("line break restored") << L{"t:A", "n", "t:B", "s:3:0", "b", "u"} << "A\r\nB" << N{3, 0, 4, 1, 0};
    QTest::newRow("line break redone") << L{"t:A", "n", "u", "r"} << "A\r\n" << N{3, 0, 3, 0, 1};
    QTest::newRow("load undo") << L{"l:HELLO", "u"} << "" << N{0, 0, 1, 1, 1};
    QTest::newRow("load undo redo") << L{"l:HELLO", "u", "r"} << "HELLO" << N{0, 5, 2, 0, 1};
    QTest::newRow("load extends") << L{"t:AB", "l:ABXYZ", "u"} << "AB" << N{2, 0, 3, 1, 1};
    QTest::newRow("load replaces") << L{"t:AB", "l:HELLO", "u"} << "AB" << N{2, 0, 3, 1, 1};
    QTest::newRow("load replaces redo") << L{"t:AB", "l:HELLO", "u", "r"} << "HELLO" << N{0, 0, 4, 0, 1};
    // a shorter or equally long file loaded over the text comes back whole
    QTest::newRow("load shorter undo") << L{"t:HELLO WORLD", "l:AB", "u"} << "HELLO WORLD" << N{11, 0, 12, 1, 0};
    QTest::newRow("load shorter redo") << L{"t:HELLO WORLD", "l:AB", "u", "r"} << "AB" << N{0, 0, 13, 0, 0};
    QTest::newRow("load same length") << L{"t:ABCD", "l:WXYZ", "u", "u"} << "ABC" << N{3, 0, 4, 2, 1};
    QTest::newRow("palette over AB") << L{"t:ABC", "s:0:2", "y:3"} << "=C" << N{1, 0, 5, 0, 0};
    QTest::newRow("palette 20 twice") << L{"y:20", "y:20"} << sym20 + sym20 << N{6, 0, 3, 0, 0};
    QTest::newRow("palette 20 undo") << L{"y:20", "y:20", "u"} << sym20 << N{3, 0, 2, 1, 1};
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
    QCOMPARE(w.history.top().TextLen, qint32(w.pane.txt.size()));
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
    QCOMPARE(w.history.redoTop()->Text, QStringLiteral("C"));
    w.run({"r"});
    QCOMPARE(w.pane.txt, QStringLiteral("C"));
    QCOMPARE(w.history.redoCount(), 1);
    QCOMPARE(w.controls.rules, rules);
    w.pane.reenter = false;
    w.run({"t:D"});
    QCOMPARE(w.controls.rules, rules + 1);
}

void TstUndoHistory::change_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("startSearch");
    QTest::addColumn<QString>("run");
    // clang-format off
    QTest::newRow("removed run") << "ABC" << "C" << 3 << "AB";
    QTest::newRow("equal lengths") << "AB" << "XY" << 2 << "";
    QTest::newRow("start before text") << "" << "HELLO" << 1 << "HELLO";
    QTest::newRow("start past end") << "AB" << "ABCD" << 100 << "CD";
    // clang-format on
}

void TstUndoHistory::change()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, startSearch);
    QTEST(UndoHistory::Change(a, b, startSearch), "run");
}

TORVANE_TEST(TstUndoHistory);
#include "tst_undohistory.moc"
