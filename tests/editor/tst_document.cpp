// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The document window as a user drives it: typing, undo and redo, menus,
// palette, files, clipboard and printing.
#include "common/TestRegistry.h"

#include "calc/CalculatorSymbols.h"
#include "editor/SymbolPalette.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Places.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <functional>

using editor::frmDocument;

namespace
{
struct Fixture {
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    frmDocument *w = new frmDocument;
    Fixture()
    {
        platform::dialogs::setScript(&script);
        w->show();
        QApplication::setActiveWindow(w);
        w->RichTextBox1->setFocus();
    }
    ~Fixture()
    {
        platform::dialogs::setScript(nullptr);
        delete w;
    }
    platform::RichTextBox *pane() const { return w->RichTextBox1; }
    // Keys typed into the pane; '\r' is the Enter key.
    void type(const QString &keys)
    {
        for (QChar c : keys) {
            if (c == u'\r')
                QTest::keyClick(pane(), Qt::Key_Return);
            else
                QTest::keyClicks(pane(), QString(c));
        }
    }
    void ctrl(Qt::Key key) { QTest::keyClick(pane(), key, Qt::ControlModifier); }
    void select(int start, int length)
    {
        pane()->setSelStart(start);
        pane()->setSelLength(length);
    }
    // Picks a palette entry from its drop-down list, as a user does.
    void pick(int index)
    {
        QComboBox *combo = w->combo0001a;
        combo->setFocus();
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->model()->index(index, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
    // A document file holding `text`.
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

class TstDocument : public QObject
{
    Q_OBJECT
private slots:
    void realPrintDialogStartsFromItsOwnRange()
    {
        Fixture f;
        platform::dialogs::setScript(nullptr); // the real dialog, answered below
        f.pane()->setSelText("Disp 1");
        f.select(0, 4);
        QList<QPair<QString, int>> seen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&seen] {
            auto *dlg = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            if (!dlg || !dlg->isVisible())
                return;
            seen << qMakePair(dlg->windowTitle(), int(dlg->printRange()));
            dlg->reject();
        });
        answer.start(20);
        // Document with a selection, then the syntax and example panes without.
        f.w->action("mnuPrintAll")->trigger();
        answer.stop();
        const QList<QPair<QString, int>> expected{
            {"Print All - Document", QAbstractPrintDialog::Selection},
            {"Print All - Syntax", QAbstractPrintDialog::AllPages},
            {"Print All - Example", QAbstractPrintDialog::AllPages}};
        QCOMPARE(seen, expected);
    }

    // Every change the user or the program makes is recorded as it happens (the
    // pane's text at its change notification); Undo and Redo must then walk
    // exactly through those texts, and one entry stands for each notification.
    void randomEditsUndoToTextsThatExisted()
    {
        Fixture f;
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
        // A failed check returns from the lambda only: stop at the first.
        auto check = [&] {
            QCOMPARE(pane->Text(), texts[at]);
            QCOMPARE(f.w->history().undoCount(), at + 1);
            QCOMPARE(f.w->history().redoCount(), int(texts.size()) - 1 - at);
            QCOMPARE(f.w->mnuUndo->isEnabled(), at > 0);
            QCOMPARE(f.w->cmdRedo->isEnabled(), at < texts.size() - 1);
        };
#define CHECK                                                                                      \
    check();                                                                                       \
    if (QTest::currentTestFailed())                                                                \
        return;
        auto randomSelection = [&](int longest) {
            f.select(rng.bounded(pane->TextLength() + 1), rng.bounded(longest + 1));
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
                    QTest::keyClicks(pane,
                                     letters().left(pane->SelLength() ? pane->SelLength() : 1));
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
                    pane->setFocus();
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
                default: // Undo (menu) or Redo (button), up to three times
                    for (int n = rng.bounded(1, 4), undo = rng.bounded(3); n > 0; --n) {
                        undo ? f.w->mnuUndo->trigger() : f.w->cmdRedo->click();
                        at = undo ? qMax(0, at - 1) : qMin(int(texts.size()) - 1, at + 1);
                        CHECK
                    }
                }
                CHECK
            }
            // Then all the way back with Ctrl+Z, and forward again with Ctrl+Y.
            for (; at > 0 && !QTest::currentTestFailed(); check())
                f.ctrl(Qt::Key_Z), --at;
            for (; at < texts.size() - 1 && !QTest::currentTestFailed(); check())
                f.ctrl(Qt::Key_Y), ++at;
        }
        QVERIFY(!QTest::currentTestFailed() && steps > 3000);
#undef CHECK
    }

    void undoRedoCaretsAndStates_data()
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
        QTest::newRow("nothing to undo") << "" << S{0, 0} << "" << "ur" << "" << S{0, 0, 0, 0};
        QTest::newRow("key undo") << "AB" << S{2, 0} << "C" << "u" << "AB" << S{2, 0, 1, 1};
        QTest::newRow("3 by 1 undo") << "ABCDE" << S{1, 3} << "X" << "u" << "ABCDE" << S{1, 3, 1, 1};
        QTest::newRow("3 by 1 undo all redo all") << "ABCDE" << S{1, 3} << "X" << "uuuuuurrrrrr" << "AXE" << S{2, 0, 1, 0};
        QTest::newRow("overwrite redo") << "AB" << S{0, 1} << "X" << "ur" << "XB" << S{1, 0, 1, 0};
        QTest::newRow("backspace undo") << "123" << S{2, 0} << "bs" << "u" << "123" << S{2, 0, 1, 1};
        QTest::newRow("line break restored") << "A\rB" << S{3, 0} << "bs" << "u" << "A\r\nB" << S{3, 0, 1, 1};
        QTest::newRow("line break redone") << "A" << S{1, 0} << "\r" << "ur" << "A\r\n" << S{3, 0, 1, 0};
        QTest::newRow("paste undo") << "ABC" << S{0, 2} << "paste:HELLO" << "u" << "C" << S{0, 0, 1, 1};
        QTest::newRow("paste redo x2") << "ABC" << S{0, 2} << "paste:HELLO" << "uurr" << "HELLOC" << S{0, 5, 1, 0};
        QTest::newRow("open undo") << "AB" << S{2, 0} << "open:Disp 1" << "u" << "AB" << S{0, 2, 1, 1};
        // only the run that differs is taken back
        QTest::newRow("open extends") << "Disp" << S{0, 0} << "open:Disp 1\r\nEnd" << "u" << "Disp" << S{4, 0, 1, 1};
        QTest::newRow("open redo") << "AB" << S{2, 0} << "open:Disp 1" << "ur" << "Disp 1" << S{0, 6, 1, 0};
        // clang-format on
    }
    void undoRedoCaretsAndStates()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, selection);
        QFETCH(QString, edit);
        QFETCH(QString, undoRedo);
        Fixture f;
        f.type(typed);
        f.select(selection[0], selection[1]);
        if (edit == QLatin1String("bs")) {
            QTest::keyClick(f.pane(), Qt::Key_Backspace);
        } else if (edit.startsWith(QLatin1String("paste:"))) {
            QApplication::clipboard()->setText(edit.mid(6));
            f.w->mnuPaste->trigger();
        } else if (edit.startsWith(QLatin1String("open:"))) {
            QVERIFY(f.w->openFile(f.file("x.tvf", edit.mid(5)), nullptr));
        } else {
            f.type(edit);
        }
        for (QChar c : undoRedo)
            (c == u'u' ? f.w->mnuUndo : f.w->mnuRedo)->trigger();
        QTEST(f.pane()->Text(), "text");
        const QList<int> after{f.pane()->SelStart(), f.pane()->SelLength(),
                               f.w->mnuUndo->isEnabled(), f.w->mnuRedo->isEnabled()};
        QTEST(after, "after");
        QCOMPARE(f.w->cmdUndo->isEnabled(), f.w->mnuUndo->isEnabled());
        QCOMPARE(f.w->cmdRedo->isEnabled(), f.w->mnuRedo->isEnabled());
        QVERIFY(!f.pane()->isSelectionHidden());
    }

    void editMenuFollowsSelectionAndClipboard()
    {
        QApplication::clipboard()->setText("X");
        Fixture f;
        QCOMPARE(f.pane()->fontName(), QString("Ti83Pluspc"));
        QCOMPARE(f.w->combo0001a->currentText(), QString("Symbols"));
        for (QAction *a : {f.w->mnuCut, f.w->mnuCopy, f.w->mnuDelete, f.w->mnuSelectAll,
                           f.w->mnuUndo, f.w->mnuRedo})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        QVERIFY(!f.w->cmdUndo->isEnabled() && !f.w->cmdRedo->isEnabled());
        QVERIFY(f.w->mnuPaste->isEnabled() && f.w->mnuSave->isEnabled());
        f.type("Disp X");
        QVERIFY(f.w->mnuSelectAll->isEnabled());
        QVERIFY(!f.w->mnuCopy->isEnabled());
        f.w->mnuCopy_Click(); // nothing selected: the clipboard is emptied
        QCOMPARE(QApplication::clipboard()->text(), QString());
        QVERIFY(!f.w->mnuPaste->isEnabled());
        f.select(5, 1);
        QVERIFY(f.w->mnuCut->isEnabled() && f.w->mnuCopy->isEnabled() &&
                f.w->mnuDelete->isEnabled());
        f.w->mnuDelete->trigger();
        QCOMPARE(f.pane()->Text(), QString("Disp "));
    }

    void copyPastesBackIdentically()
    {
        using namespace calc::calcsymbols;
        Fixture a;
        // Between our own panes every code comes back, also where several draw
        // one symbol; other programs get the symbols as text.
        QString all;
        for (int b = 128; b < 256; ++b)
            all += QChar(b);
        const QString program = "Disp " + all + "\r\n\r\nEnd";
        a.pane()->setSelText(program);
        a.w->mnuSelectAll->trigger();
        // The Edit menu and the text widget's own copy (keyboard, drag) agree.
        const std::function<void()> copies[] = {[&] { a.pane()->copy(); },
                                                [&] { a.w->mnuCopy->trigger(); },
                                                [&] { a.w->mnuCut->trigger(); }};
        for (const auto &copy : copies) {
            QApplication::clipboard()->clear();
            copy();
            QCOMPARE(QApplication::clipboard()->text(), toUnicode(program).replace("\r\n", "\n"));
            Fixture b;
            b.w->mnuPaste->trigger();
            QCOMPARE(b.pane()->Text(), program);
        }
        QCOMPARE(a.pane()->Text(), QString());
    }

    void incomingTextIsConverted_data()
    {
        QTest::addColumn<QString>("incoming");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("refused");
        QTest::newRow("unlisted letter") << "\u00DF" << QString() << "\u00DF";
        QTest::newRow("symbols") << "A\u2192B\u2264\u03B8"
                                 << "A" + testing::chars({252}) + "B" + testing::chars({247, 193})
                                 << QString();
        QTest::newRow("symbol among unlisted") << "1\u00FE\u2260\u00FE\u00A9"
                                               << "1" + testing::chars({248}) << "\u00FE \u00A9";
        // The euro sign would become code 128 (drawn as subscript 0); ω and
        // 𝛀 no symbol draws. ∆ and ► are in the spellings, so they stay.
        QTest::newRow("beyond Latin-1") << "\u20AC\u2206\u03C9\U0001D6C0\u25BA\u03C9"
                                        << "\u2206\u25BA"
                                        << "\u20AC \u03C9 \U0001D6C0";
    }
    // Pasted and typed alike: converted once, refused characters named in the
    // status bar and left out.
    void incomingTextIsConverted()
    {
        QFETCH(QString, incoming);
        QFETCH(QString, inserted);
        QFETCH(QString, refused);
        for (bool paste : {true, false}) {
            Fixture f;
            f.type("X");
            QSignalSpy status(f.w, &frmDocument::statusMessage);
            if (paste) {
                QApplication::clipboard()->setText(incoming);
                f.w->mnuPaste->trigger();
            } else {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, incoming);
                QApplication::sendEvent(f.pane(), &press);
            }
            QCOMPARE(f.pane()->Text(), "X" + inserted);
            QCOMPARE(status.isEmpty(), refused.isEmpty());
            if (!refused.isEmpty())
                QCOMPARE(status.back().at(0).toString(),
                         "Left out " + refused + ": the calculator has no such symbol.");
        }
    }

    void symbolKeys()
    {
        Fixture f;
        QSignalSpy saved(f.w->mnuSave, &QAction::triggered);
        const int before = f.w->history().undoCount();
        // The keys as a US keyboard reports them with Shift held.
        const QList<QPair<Qt::Key, int>> keys = {
            {Qt::Key_S, 252},          {Qt::Key_N, 248},      {Qt::Key_Less, 247},
            {Qt::Key_Greater, 249},    {Qt::Key_T, 193},      {Qt::Key_P, 196},
            {Qt::Key_R, 240},          {Qt::Key_Exclam, 241}, {Qt::Key_At, 242},
            {Qt::Key_NumberSign, 221}, {Qt::Key_E, 235},      {Qt::Key_Underscore, 222},
            {Qt::Key_Comma, 247},      {Qt::Key_2, 242}};
        QString expected;
        for (const auto &[key, code] : keys) {
            QTest::keyClick(f.pane(), key, Qt::ControlModifier | Qt::ShiftModifier);
            expected += QChar(code);
        }
        QCOMPARE(f.pane()->Text(), expected);
        QCOMPARE(f.w->history().undoCount(), before + keys.size());
        QVERIFY(saved.isEmpty());
        // No menu item claims a Ctrl+Shift key.
        const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        for (QAction *a : f.w->findChildren<QAction *>())
            QVERIFY2((a->shortcut()[0].keyboardModifiers() & ctrlShift) != ctrlShift,
                     qPrintable(a->objectName()));
        f.ctrl(Qt::Key_Z);
        QCOMPARE(f.pane()->Text(), expected.chopped(1));
    }

    void ctrlAndAltKeys()
    {
        Fixture f;
        f.type("Disp A");
        // Ctrl with a formatting key never reaches the pane's own handling...
        for (Qt::Key k : {Qt::Key_E, Qt::Key_L, Qt::Key_R, Qt::Key_B, Qt::Key_J})
            f.ctrl(k);
        QCOMPARE(f.pane()->Text(), QString("Disp A"));
        QCOMPARE(f.w->history().undoCount(), 7);
        // ...while caret keys with Ctrl, or Ctrl and Shift, pass.
        f.ctrl(Qt::Key_Left);
        QCOMPARE(f.pane()->SelStart(), 5);
        QTest::keyClick(f.pane(), Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.pane()->SelLength(), 5);
        f.ctrl(Qt::Key_End);
        f.ctrl(Qt::Key_Backspace);
        QCOMPARE(f.pane()->Text(), QString("Disp "));
        // Alt with a letter selects no menu here and must not type either; with
        // a selection it must not replace it.
        f.w->mnuSelectAll->trigger();
        for (Qt::Key k : {Qt::Key_T, Qt::Key_G, Qt::Key_V, Qt::Key_H})
            QTest::keyClick(f.pane(), k, Qt::AltModifier);
        QCOMPARE(f.pane()->Text(), QString("Disp "));
        // After Undo re-selects a run, the Edit menu follows.
        f.ctrl(Qt::Key_Z);
        QCOMPARE(f.pane()->Text(), QString("Disp A"));
        QCOMPARE(f.w->mnuCut->isEnabled(), f.pane()->SelLength() != 0);
    }

    void saveAsAndOpenRoundTrip()
    {
        Fixture f;
        const QString program = "ClrHome\r\nDisp ''HI''\r\n" + testing::chars({252}) + "A";
        f.pane()->setSelText(program);
        const QString path = f.profile.path() + "/prog.tvf";
        f.script.files.push_back(f.profile.path() + "/prog"); // the extension is added
        f.w->mnuSave->setEnabled(false);
        f.w->mnuSaveAs->trigger();
        QCOMPARE(f.script.asked.back().title, QString("Save File"));
        QCOMPARE(f.script.asked.back().defaultAnswer,
                 QString("Torvane Studio Files (*.tvf)|*.tvf"));
        QVERIFY(f.w->mnuSave->isEnabled());
        QCOMPARE(f.w->fileName(), path);
        QVERIFY(!f.w->isModified());
        // Save (Ctrl+S) writes the same file again, asking nothing.
        f.pane()->setSelStart(0);
        f.type("A");
        QVERIFY(f.w->isModified());
        const auto asked = f.script.asked.size();
        f.ctrl(Qt::Key_S);
        QCOMPARE(f.script.asked.size(), asked);
        QVERIFY(!f.w->isModified());

        frmDocument other;
        f.script.files.push_back(path);
        other.mnuOpenProject->trigger();
        QCOMPARE(f.script.asked.back().title, QString("Open File"));
        QCOMPARE(other.RichTextBox1->Text(), "A" + program);
        QCOMPARE(other.history().undoCount(), 2); // the load is one change
    }

    void fileFailuresLeaveWindowAlone_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("file"); // empty: the dialog is cancelled
        QTest::addColumn<bool>("reported");
        QTest::newRow("open cancelled") << false << "" << false;
        QTest::newRow("save cancelled") << true << "" << false;
        QTest::newRow("open not rtf") << false << "plain.tvf" << true;
        QTest::newRow("open missing") << false << "missing.tvf" << true;
        QTest::newRow("save unwritable") << true << "no/such/folder/x.tvf" << true;
    }
    void fileFailuresLeaveWindowAlone()
    {
        QFETCH(bool, save);
        QFETCH(QString, file);
        Fixture f;
        f.type("KEEP");
        const int entries = f.w->history().undoCount();
        QFile plain(f.profile.path() + "/plain.tvf");
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("just some text, not a document");
        plain.close();
        f.script.files.push_back(file.isEmpty() ? std::nullopt
                                                : std::optional(f.profile.path() + "/" + file));
        f.w->mnuSave->setEnabled(false);
        (save ? f.w->mnuSaveAs : f.w->mnuOpenProject)->trigger();
        QTEST(f.script.asked.back().kind == QLatin1String("message"), "reported");
        QCOMPARE(f.pane()->Text(), QString("KEEP"));
        QCOMPARE(f.w->history().undoCount(), entries);
        QVERIFY(!f.w->mnuSave->isEnabled());
        QCOMPARE(QDir(f.profile.path()).entryList(QStringList{"*.tvf"}), QStringList{"plain.tvf"});
    }

    void closingAsksAboutChanges_data()
    {
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("onDisk"); // the file's text afterwards
        QTest::newRow("save to its file") << true << int(QMessageBox::Save) << true << "OLDNEW";
        QTest::newRow("save runs save as") << false << int(QMessageBox::Save) << true << "NEW";
        QTest::newRow("discard") << true << int(QMessageBox::Discard) << true << "OLD";
        QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << false << "OLD";
    }
    void closingAsksAboutChanges()
    {
        QFETCH(bool, hasFile);
        QFETCH(int, answer);
        Fixture f;
        const QString path = f.profile.path() + "/prog.tvf";
        if (hasFile) {
            f.type("OLD");
            f.script.files.push_back(path);
            QVERIFY(f.w->mnuSaveAs_Click());
        }
        QPointer<frmDocument> w = f.w;
        f.type("NEW");
        f.script.messageAnswers.push_back(QMessageBox::StandardButton(answer));
        if (!hasFile)
            f.script.files.push_back(path);
        frmDocument other; // closing one window leaves the others open
        other.show();
        const auto asked = f.script.asked.size();
        w->mnuExit->trigger();
        QCOMPARE(f.script.asked.at(asked).text, hasFile ? QString("Save changes to prog.tvf?")
                                                        : QString("Save changes to frmDocument?"));
        QTEST(QTest::qWaitFor([&] { return !w; }, 200), "closed");
        if (!w)
            f.w = nullptr;
        QVERIFY(other.isVisible());
        other.openFile(path, nullptr);
        QTEST(other.RichTextBox1->Text(), "onDisk");
    }

    void palette_data()
    {
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("caret"); // after the inserted text
        QTest::newRow("equals over selection") << QList<int>{3} << QString("=C") << 1;
        QTest::newRow("twice, one entry each") << QList<int>{24, 24} << QString("++ABC") << 2;
    }
    void palette()
    {
        QFETCH(QList<int>, choices);
        Fixture f;
        QCOMPARE(f.w->combo0001a->count(), editor::kPaletteEntryCount);
        QCOMPARE(f.w->combo0001a->itemData(0, Qt::ToolTipRole).toString(),
                 QString("\u2264  less than or equal (Ctrl+Shift+,)"));
        QCOMPARE(f.w->combo0001a->itemData(23, Qt::ToolTipRole).toString(), QString("/  divide"));
        if (!platform::fontInstalled("Ti83Pluspc"))
            QCOMPARE(QFontInfo(f.w->combo0001a->font()).family(), QString("Torvane Calc Mono"));
        f.type("ABC");
        f.select(0, choices.size() == 1 ? 2 : 0);
        for (int c : choices)
            f.pick(c);
        QTEST(f.pane()->Text(), "expected");
        QTEST(f.pane()->SelStart(), "caret");
        QCOMPARE(f.w->history().undoCount(), 4 + choices.size());
        QCOMPARE(f.w->combo0001a->currentText(), f.w->combo0001a->itemText(choices.last()));
    }

    void paletteScratchEntry()
    {
        Fixture f;
        f.type("AB");
        const QString scratch = platform::places::scratchFile();
        QFile::remove(scratch);
        f.pick(33); // no scratch file: nothing to insert
        QCOMPARE(f.pane()->Text(), QString("AB"));
        QFile file(scratch);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Disp 1\nPause ") > 0);
        file.close();
        f.pick(33);
        QFile::remove(scratch);
        QCOMPARE(f.pane()->Text(), QString("ABDisp 1\r\nPause "));
        QCOMPARE(f.w->history().undoCount(), 4);
    }

    void paletteIgnoresWheelAndFocusLoss()
    {
        Fixture f;
        f.type("AB");
        QComboBox *combo = f.w->combo0001a;
        combo->setFocus();
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        // Another entry's text in the field, then the focus goes: nothing happens.
        combo->setEditText(combo->itemText(7));
        f.pane()->setFocus();
        QTRY_VERIFY(f.pane()->hasFocus());
        QCOMPARE(f.pane()->Text(), QString("AB"));
        // Enter in the field picks the entry it names.
        combo->setFocus();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.pane()->Text(), "AB" + *editor::paletteInsertText(7));
    }

    void shortcutsFromThePalette()
    {
        // After a pick typing goes on in the program; from the palette's
        // field the window's editing shortcuts still reach the program.
        Fixture f;
        f.type("AB");
        f.pick(24);
        QCOMPARE(f.pane()->Text(), QString("AB+"));
        QTRY_VERIFY(f.pane()->hasFocus());
        QLineEdit *field = f.w->combo0001a->lineEdit();
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.pane()->Text(), QString("AB"));
        QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.pane()->Text(), QString("AB+"));
        QApplication::clipboard()->setText("Q");
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.pane()->Text(), QString("AB+Q"));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.pane()->SelLength(), 4);
        // Cut is enabled by the selection the shortcut made, and cuts the program.
        QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(f.pane()->Text(), QString());
        QCOMPARE(field->text(), f.w->combo0001a->itemText(24));
    }

    void deletedWhilePaletteHasFocus()
    {
        // The palette reports an activation while it is torn down with another
        // entry's text in its field; that must not write into the dying window.
        Fixture f;
        f.type("AB");
        f.w->combo0001a->setFocus();
        QTRY_VERIFY(f.w->combo0001a->hasFocus());
        f.w->combo0001a->setEditText(f.w->combo0001a->itemText(5));
        QSignalSpy changes(f.pane(), &platform::RichTextBox::Change);
        QSignalSpy activations(f.w->combo0001a, &QComboBox::activated);
        delete f.w;
        f.w = nullptr;
        QCOMPARE(changes.count(), 0);
        QCOMPARE(activations.count(), 1); // the teardown did report one
    }

    void printing()
    {
        Fixture f;
        QStringList lines;
        for (int i = 0; i < 400; ++i)
            lines << QStringLiteral("Disp %1").arg(i);
        f.pane()->setSelText(lines.join("\r\n"));
        QPrinter *printer = f.w->printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = f.profile.path() + "/out.pdf";
        printer->setOutputFileName(pdf);
        const auto print =
            [&](const std::function<void()> &command) { // the pages printed, answering Print
                QFile::remove(pdf);
                f.script.printAnswers.push_back(true);
                command();
                QFile file(pdf);
                return file.open(QIODevice::ReadOnly) ? int(file.readAll().count("/Type /Page\n"))
                                                      : 0;
            };
        const int all = print([&] { f.w->action("mnuPrintDocument")->trigger(); });
        QVERIFY2(all > 1, qPrintable(QString::number(all)));
        QCOMPARE(f.script.asked.back().title, QString("Print Document"));
        QVERIFY(!f.script.asked.back().selectionRange);
        f.select(0, 5);
        QCOMPARE(print([&] { f.w->findChild<QToolButton *>("Image4")->click(); }), 1);
        QVERIFY(f.script.asked.back().selectionRange);
        QCOMPARE(f.pane()->SelText(), QString("Disp "));
        f.w->action("mnuPrintSetup")->trigger();
        QCOMPARE(f.script.asked.back().kind, QString("pageSetup"));
        QCOMPARE(f.script.asked.back().title, QString("Page Setup"));
        QVERIFY(f.script.asked.back().selectionRange); // the last print command's flags

        // Cancel prints nothing; the questions are checked with the real dialog.
        QFile::remove(pdf);
        const auto asked = f.script.asked.size();
        f.w->action("mnuPrintAll")->trigger();
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(f.script.asked.size(), asked + 3);
    }
};

TORVANE_TEST(TstDocument);
#include "tst_document.moc"
