// Undo and redo in the real document window: random edits of every kind
// checked against the texts that existed, and the carets, selections and
// enabled states a user sees.
#include "common/TestRegistry.h"

#include "editor/SymbolPalette.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <functional>

using editor::frmDocument;

namespace
{

struct Window {
    testing::IsolatedProfile profile;
    frmDocument *w = new frmDocument;
    Window()
    {
        w->show();
        QApplication::setActiveWindow(w);
        w->RichTextBox1->setFocus();
    }
    ~Window() { delete w; }
    platform::RichTextBox *pane() const { return w->RichTextBox1; }
    void select(int start, int length)
    {
        pane()->setSelStart(start);
        pane()->setSelLength(length);
    }
    // A file holding `text`, to be opened with File > Open Project.
    QString file(const QString &name, const QString &text)
    {
        platform::RichTextBox writer;
        writer.setFontName(QStringLiteral("Ti83Pluspc"));
        writer.setText(text);
        const QString path = profile.path() + "/" + name;
        writer.saveRtf(path, nullptr);
        return path;
    }
};

} // namespace

class TstUndoWindow : public QObject
{
    Q_OBJECT
private slots:
    void randomEditsUndoToTextsThatExisted();
    void workedExamples_data();
    void workedExamples();
    void copyPastesBackIdentically();
};

// Every change the user or the program makes is recorded as it happens (the
// pane's text at its change notification); Undo and Redo must then walk
// exactly through those texts, and one entry stands for each notification.
void TstUndoWindow::randomEditsUndoToTextsThatExisted()
{
    Window f;
    const QStringList files{
        f.file("a.tvf", "ClrHome\r\nDisp \"HI\"\r\n" + testing::chars({0xFC}) + "A"),
        f.file("b.tvf", "ClrHome\r\nFor(I,1,9)\r\nEnd"), f.file("c.tvf", "Q")};
    const QStringList pastes{"HELLO", "\r\n", "a\r\nb", "\u20AC\u201Cx\u201D", "Z\nY", "EndIf"};
    QRandomGenerator rng(2023);

    QStringList texts; // texts[0..at] can be undone to, the rest redone to
    int at = 0;
    platform::RichTextBox *pane = f.pane();
    connect(pane, &platform::RichTextBox::Change, this, [&] {
        if (!f.w->history().trackChanges())
            return;
        texts.resize(at + 1);
        texts << pane->Text();
        ++at;
    });
    auto check = [&](const char *what) {
        QVERIFY2(
            pane->Text() == texts[at],
            qPrintable(
                QStringLiteral("%1: \"%2\" instead of \"%3\"").arg(what, pane->Text(), texts[at])));
        QCOMPARE(f.w->history().undoCount(), at + 1);
        QCOMPARE(f.w->history().redoCount(), int(texts.size()) - 1 - at);
        QCOMPARE(f.w->mnuUndo->isEnabled(), at > 0);
        QCOMPARE(f.w->cmdRedo->isEnabled(), at < texts.size() - 1);
    };
    // A failed check returns from the lambda only: stop at the first.
#define CHECK(what)                                                                                \
    check(what);                                                                                   \
    if (QTest::currentTestFailed())                                                                \
        return;
    auto randomSelection = [&](int longest) {
        const int length = pane->TextLength();
        f.select(rng.bounded(length + 1), rng.bounded(longest + 1));
    };
    auto letters = [&] {
        QString s;
        for (int i = rng.bounded(1, 5); i > 0; --i)
            s += QChar(u"ABCxyz 0:\"("[rng.bounded(11)]);
        return s;
    };

    int steps = 0;
    for (int sequence = 0; sequence < 1000; ++sequence) {
        // Each sequence starts where the last one ended, with a fresh history.
        f.w->history().reset();
        texts = QStringList{pane->Text()};
        at = 0;
        for (int step = rng.bounded(2, 7); step > 0; --step, ++steps) {
            switch (rng.bounded(12)) {
            case 0:
                QTest::keyClicks(pane, letters());
                break;
            case 1:
                QTest::keyClick(pane, rng.bounded(2) ? Qt::Key_Return : Qt::Key_Backspace);
                break;
            case 2:
                randomSelection(0);
                QTest::keyClick(pane, rng.bounded(2) ? Qt::Key_Delete : Qt::Key_Backspace);
                break;
            case 3: // replace a selection, often by as many characters
                randomSelection(3);
                QTest::keyClicks(pane, letters().left(pane->SelLength() ? pane->SelLength() : 1));
                break;
            case 4:
                QApplication::clipboard()->setText(pastes[rng.bounded(int(pastes.size()))]);
                randomSelection(4);
                f.w->mnuPaste->trigger();
                break;
            case 5: {
                int entry = rng.bounded(editor::kPaletteEntryCount - 1);
                entry += entry >= editor::kScratchEntry;
                randomSelection(2);
                emit f.w->combo0001a->activated(entry);
                pane->setFocus(); // the palette keeps the focus after a choice
                break;
            }
            case 6:
                QVERIFY(f.w->openFile(files[rng.bounded(int(files.size()))], nullptr));
                break;
            case 7: // Cut or Delete from the Edit menu
                randomSelection(5);
                (rng.bounded(2) ? f.w->mnuCut : f.w->mnuDelete)->trigger();
                break;
            case 8: // the program writes at the caret (Insert commands)
                randomSelection(1);
                pane->setSelText(rng.bounded(2) ? "If \r\nThen\r\nEnd" : "Disp ");
                break;
            case 9:
            case 10:
                for (int n = rng.bounded(1, 4); n > 0; --n) {
                    f.w->mnuUndo->trigger();
                    at = qMax(0, at - 1);
                    CHECK("undo");
                }
                break;
            case 11:
                for (int n = rng.bounded(1, 3); n > 0; --n) {
                    f.w->cmdRedo->click();
                    at = qMin(int(texts.size()) - 1, at + 1);
                    CHECK("redo");
                }
                break;
            }
            CHECK("edit");
        }
        while (at > 0) {
            QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
            --at;
            CHECK("undo all");
        }
        while (at < texts.size() - 1) {
            QTest::keyClick(pane, Qt::Key_Y, Qt::ControlModifier);
            ++at;
            CHECK("redo all");
        }
    }
    QVERIFY(steps > 3000);
#undef CHECK
}

void TstUndoWindow::workedExamples_data()
{
    // keys typed first; then the selection set; then one edit; then Undos and Redos
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("selection");
    QTest::addColumn<QString>("edit"); // keys, "bs", "paste:text" or "open:text"
    QTest::addColumn<QString>("undoRedo");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("after"); // SelStart, SelLength, Undo and Redo enabled

    using S = QList<int>;
    // clang-format off
    QTest::newRow("3 by 1 undo all redo all") << "ABCDE" << S{1, 3} << "X" << "uuuuuurrrrrr" << "AXE" << S{2, 0, 1, 0};
    QTest::newRow("all by 1 undo") << "ClrHome" << S{0, 7} << "t" << "u" << "ClrHome" << S{0, 7, 1, 1};
    QTest::newRow("line break restored") << "A\rB" << S{3, 0} << "bs" << "u" << "A\r\nB" << S{3, 0, 1, 1};
    QTest::newRow("paste redo x2") << "ABC" << S{0, 2} << "paste:HELLO" << "uurr" << "HELLOC" << S{0, 5, 1, 0};
    QTest::newRow("open undo") << "AB" << S{2, 0} << "open:Disp 1" << "u" << "AB" << S{0, 2, 1, 1};
    // only the run that differs is taken back
    QTest::newRow("open extends") << "Disp" << S{0, 0} << "open:Disp 1\r\nEnd" << "u" << "Disp" << S{4, 0, 1, 1};
    QTest::newRow("open redo") << "AB" << S{2, 0} << "open:Disp 1" << "ur" << "Disp 1" << S{0, 6, 1, 0};
    // clang-format on
}

void TstUndoWindow::workedExamples()
{
    QFETCH(QString, typed);
    QFETCH(QList<int>, selection);
    QFETCH(QString, edit);
    QFETCH(QString, undoRedo);
    Window f;
    for (QChar c : typed) {
        if (c == u'\r')
            QTest::keyClick(f.pane(), Qt::Key_Return);
        else
            QTest::keyClicks(f.pane(), QString(c));
    }
    f.select(selection[0], selection[1]);
    if (edit == QLatin1String("bs")) {
        QTest::keyClick(f.pane(), Qt::Key_Backspace);
    } else if (edit.startsWith(QLatin1String("paste:"))) {
        QApplication::clipboard()->setText(edit.mid(6));
        f.w->mnuPaste->trigger();
    } else if (edit.startsWith(QLatin1String("open:"))) {
        QVERIFY(f.w->openFile(f.file("x.tvf", edit.mid(5)), nullptr));
    } else {
        QTest::keyClicks(f.pane(), edit);
    }
    for (QChar c : undoRedo)
        (c == u'u' ? f.w->mnuUndo : f.w->mnuRedo)->trigger();
    QTEST(f.pane()->Text(), "text");
    const QList<int> after{f.pane()->SelStart(), f.pane()->SelLength(), f.w->mnuUndo->isEnabled(),
                           f.w->mnuRedo->isEnabled()};
    QTEST(after, "after");
    QCOMPARE(f.w->cmdUndo->isEnabled(), f.w->mnuUndo->isEnabled());
    QCOMPARE(f.w->cmdRedo->isEnabled(), f.w->mnuRedo->isEnabled());
    QVERIFY(!f.pane()->isSelectionHidden());
}

void TstUndoWindow::copyPastesBackIdentically()
{
    Window a;
    const QString program =
        "Disp " + testing::chars({0x93, 0x80, 0x35, 0x94, 0x96, 0x85}) + "\r\n\r\nEnd";
    a.pane()->setSelText(program);
    a.w->mnuSelectAll->trigger();
    // The Edit menu and the text widget's own copy (keyboard, drag) agree.
    const std::function<void()> copies[] = {[&] { a.pane()->copy(); },
                                            [&] { a.w->mnuCopy->trigger(); },
                                            [&] { a.w->mnuCut->trigger(); }};
    for (const auto &copy : copies) {
        QApplication::clipboard()->clear();
        copy();
        const QString clip = QApplication::clipboard()->text();
        QCOMPARE(clip, QString("Disp \u201C\u20AC5\u201D\u2013\u2026\n\nEnd"));
        Window b;
        b.w->mnuPaste->trigger();
        QCOMPARE(b.pane()->Text(), program);
    }
    QCOMPARE(a.pane()->Text(), QString());
}

TORVANE_TEST(TstUndoWindow);
#include "tst_undowindow.moc"
