// The document window as a user drives it: typing, menus, palette, files,
// clipboard and printing.
#include "common/TestRegistry.h"

#include "editor/SymbolPalette.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "platform/Places.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

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
    void type(const QString &keys) { QTest::keyClicks(pane(), keys); }
    void ctrl(Qt::Key key) { QTest::keyClick(pane(), key, Qt::ControlModifier); }
    // Picks a palette entry from its drop-down list, as a user does.
    void pick(int index)
    {
        QComboBox *combo = w->combo0001a;
        combo->setFocus();
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->model()->index(index, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
};

} // namespace

class TstDocument : public QObject
{
    Q_OBJECT
private slots:
    void newWindowStates();
    void selectionRuleFollowsPaneAndClipboard();
    void keysAndShortcuts();
    void cutCopyDelete();
    void saveAsAndOpenRoundTrip();
    void fileFailuresLeaveWindowAlone_data();
    void fileFailuresLeaveWindowAlone();
    void exitClosesOnlyThisWindow();
    void closingAsksAboutChanges_data();
    void closingAsksAboutChanges();
    void shortcutsFromThePalette();
    void paletteIgnoresWheelAndFocusLoss();
    void caretKeysAndAltLetters();
    void deletedWhilePaletteHasFocus();
    void palette_data();
    void palette();
    void paletteScratchEntry();
    void contextMenuIsEditMenu();
    void printing();
    void realPrintDialogStartsFromItsOwnRange();
};

void TstDocument::newWindowStates()
{
    QApplication::clipboard()->clear();
    Fixture f;
    QCOMPARE(f.w->combo0001a->count(), 38);
    QCOMPARE(f.w->combo0001a->currentText(), QString("Symbols"));
    for (QAction *a : {f.w->mnuCut, f.w->mnuCopy, f.w->mnuDelete, f.w->mnuSelectAll, f.w->mnuUndo,
                       f.w->mnuRedo, f.w->mnuPaste})
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(!f.w->cmdUndo->isEnabled());
    QVERIFY(!f.w->cmdRedo->isEnabled());
    QVERIFY(f.w->mnuSave->isEnabled());
    QCOMPARE(f.w->history().undoCount(), 1);
    QCOMPARE(f.pane()->fontName(), QString("Ti83Pluspc"));
}

void TstDocument::selectionRuleFollowsPaneAndClipboard()
{
    Fixture f;
    QApplication::clipboard()->setText("X");
    QVERIFY(f.w->mnuPaste->isEnabled());
    QApplication::clipboard()->clear();
    QVERIFY(!f.w->mnuPaste->isEnabled());
    f.type("AB");
    QVERIFY(f.w->mnuSelectAll->isEnabled());
    QVERIFY(!f.w->mnuCopy->isEnabled());
    f.pane()->setSelStart(0);
    f.pane()->setSelLength(1);
    QVERIFY(f.w->mnuCut->isEnabled() && f.w->mnuCopy->isEnabled() && f.w->mnuDelete->isEnabled());
}

void TstDocument::keysAndShortcuts()
{
    Fixture f;
    f.type("ABC");
    // Ctrl alone never reaches the pane's own handling...
    for (Qt::Key k : {Qt::Key_E, Qt::Key_L, Qt::Key_R, Qt::Key_B, Qt::Key_J})
        f.ctrl(k);
    QCOMPARE(f.pane()->Text(), QString("ABC"));
    QCOMPARE(f.w->history().undoCount(), 4);
    // ...while the window's menu shortcuts work.
    for (const char *text : {"AB", "A", ""}) {
        f.ctrl(Qt::Key_Z);
        QCOMPARE(f.pane()->Text(), text);
    }
    QVERIFY(!f.w->mnuUndo->isEnabled() && !f.w->cmdUndo->isEnabled());
    QVERIFY(f.w->mnuRedo->isEnabled() && f.w->cmdRedo->isEnabled());
    f.ctrl(Qt::Key_Y);
    QCOMPARE(f.pane()->Text(), QString("A"));
    f.type("Q"); // typing after an Undo forgets what could be redone
    QVERIFY(!f.w->mnuRedo->isEnabled());
    f.ctrl(Qt::Key_A);
    QCOMPARE(f.pane()->SelLength(), 2);
    // Ctrl with Shift is not swallowed: the pane selects the word.
    f.pane()->setSelStart(2);
    QTest::keyClick(f.pane(), Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.pane()->SelLength(), 2);
}

void TstDocument::cutCopyDelete()
{
    Fixture f;
    f.type("Disp X");
    QApplication::clipboard()->setText("old");
    f.w->mnuCopy_Click(); // nothing selected: an empty text
    QVERIFY(!f.w->mnuCopy->isEnabled());
    QCOMPARE(QApplication::clipboard()->text(), QString());
    f.pane()->setSelStart(5);
    f.pane()->setSelLength(1);
    f.w->mnuCut->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("X"));
    QCOMPARE(f.pane()->Text(), QString("Disp "));
    f.w->mnuSelectAll->trigger();
    f.w->mnuCopy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("Disp "));
    f.w->mnuDelete->trigger();
    QCOMPARE(f.pane()->Text(), QString());
    QVERIFY(!f.w->mnuSelectAll->isEnabled());
}

void TstDocument::saveAsAndOpenRoundTrip()
{
    Fixture f;
    const QString program =
        QStringLiteral("ClrHome\r\nDisp ''HI''\r\n") + testing::chars({252}) + "A";
    f.pane()->setSelText(program);
    const QString path = f.profile.path() + "/prog.tvf";
    f.script.files.push_back(f.profile.path() + "/prog"); // the extension is added
    f.w->mnuSave->setEnabled(false);
    f.w->mnuSaveAs->trigger();
    QCOMPARE(f.script.asked.back().title, QString("Save File"));
    QCOMPARE(f.script.asked.back().defaultAnswer, QString("Torvane Studio Files (*.tvf)|*.tvf"));
    QVERIFY(f.w->mnuSave->isEnabled());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("{\\rtf1"));
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
    QCOMPARE(other.RichTextBox1->fontName(), QString("Ti83Pluspc"));
    QCOMPARE(other.history().undoCount(), 2); // the load is one change
}

void TstDocument::fileFailuresLeaveWindowAlone_data()
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

void TstDocument::fileFailuresLeaveWindowAlone()
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

void TstDocument::exitClosesOnlyThisWindow()
{
    testing::IsolatedProfile profile;
    QPointer<frmDocument> a = new frmDocument;
    QPointer<frmDocument> b = new frmDocument;
    a->show();
    b->show();
    a->mnuExit->trigger();
    QTRY_VERIFY(!a);
    QVERIFY(b && b->isVisible());
    delete b;
}

void TstDocument::closingAsksAboutChanges_data()
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

void TstDocument::closingAsksAboutChanges()
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
    // Unchanged since saved: closing asks nothing.
    QPointer<frmDocument> w = f.w;
    f.type("NEW");
    f.script.messageAnswers.push_back(QMessageBox::StandardButton(answer));
    if (!hasFile)
        f.script.files.push_back(path);
    const auto asked = f.script.asked.size();
    w->mnuExit->trigger();
    QCOMPARE(f.script.asked.at(asked).text, hasFile ? QString("Save changes to prog.tvf?")
                                                    : QString("Save changes to frmDocument?"));
    QTEST(QTest::qWaitFor([&] { return !w; }, 200), "closed");
    if (!w)
        f.w = nullptr;
    frmDocument check;
    check.openFile(path, nullptr);
    QTEST(check.RichTextBox1->Text(), "onDisk");
}

void TstDocument::shortcutsFromThePalette()
{
    // After a pick the focus stays in the palette; the window's editing
    // shortcuts still reach the program, never the palette's field.
    Fixture f;
    f.type("AB");
    f.pick(24);
    QCOMPARE(f.pane()->Text(), QString("AB+"));
    QLineEdit *field = f.w->combo0001a->lineEdit();
    QVERIFY(field->hasFocus());
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

void TstDocument::paletteIgnoresWheelAndFocusLoss()
{
    Fixture f;
    f.type("AB");
    QComboBox *combo = f.w->combo0001a;
    combo->setFocus();
    QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
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

void TstDocument::caretKeysAndAltLetters()
{
    Fixture f;
    f.type("Disp A");
    QTest::keyClick(f.pane(), Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(f.pane()->SelStart(), 5);
    QTest::keyClick(f.pane(), Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.pane()->SelLength(), 5);
    QTest::keyClick(f.pane(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(f.pane(), Qt::Key_Backspace, Qt::ControlModifier);
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
    QVERIFY(f.w->mnuCut->isEnabled() == (f.pane()->SelLength() != 0));
}

void TstDocument::deletedWhilePaletteHasFocus()
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

void TstDocument::palette_data()
{
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("entries");
    QTest::newRow("equals over selection") << QList<int>{3} << QString("=C") << 1;
    QTest::newRow("entry 12") << QList<int>{12} << testing::chars({221, 240}) + "(ABC" << 1;
    QTest::newRow("entry 20") << QList<int>{20} << testing::chars({253}) + "^(ABC" << 1;
    QTest::newRow("twice") << QList<int>{24, 24} << QString("++ABC") << 2;
}

void TstDocument::palette()
{
    QFETCH(QList<int>, choices);
    Fixture f;
    f.type("ABC");
    if (choices == QList<int>{3}) {
        f.pane()->setSelStart(0);
        f.pane()->setSelLength(2);
    } else {
        f.pane()->setSelStart(0);
    }
    const int before = f.w->history().undoCount();
    for (int c : choices)
        f.pick(c);
    QTEST(f.pane()->Text(), "expected");
    QTEST(f.w->history().undoCount() - before, "entries");
    QCOMPARE(f.w->combo0001a->currentText(), f.w->combo0001a->itemText(choices.last()));
    // The caret stands after the inserted text.
    QFETCH(QString, expected);
    QCOMPARE(f.pane()->SelStart(), int(expected.size()) - (choices == QList<int>{3} ? 1 : 3));
}

void TstDocument::paletteScratchEntry()
{
    Fixture f;
    f.type("AB");
    const QString scratch = platform::places::scratchFile();
    QFile::remove(scratch);
    f.pick(33);
    QCOMPARE(f.pane()->Text(), QString("AB"));
    QFile file(scratch);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Disp 1\nPause ");
    file.close();
    f.pick(33);
    QFile::remove(scratch);
    QCOMPARE(f.pane()->Text(), QString("ABDisp 1\r\nPause "));
    QCOMPARE(f.w->history().undoCount(), 4);
}

void TstDocument::contextMenuIsEditMenu()
{
    Fixture f;
    f.type("AB");
    f.pane()->setSelStart(0);
    f.pane()->setSelLength(1);
    QTest::mouseRelease(f.pane()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QTRY_VERIFY(f.w->mnuEdit->isVisible());
    QVERIFY(f.w->mnuCut->isEnabled());
    f.w->mnuEdit->hide();
}

void TstDocument::printing()
{
    Fixture f;
    QStringList lines;
    for (int i = 0; i < 400; ++i)
        lines << QStringLiteral("Disp %1").arg(i);
    f.pane()->setSelText(lines.join("\r\n"));
    const auto pages = [](const QString &path) {
        QFile pdf(path);
        if (!pdf.open(QIODevice::ReadOnly))
            return -1;
        return int(pdf.readAll().count("/Type /Page\n"));
    };
    QPrinter *printer = f.w->printer();
    printer->setOutputFormat(QPrinter::PdfFormat);

    const QString all = f.profile.path() + "/all.pdf";
    printer->setOutputFileName(all);
    f.script.printAnswers.push_back(true);
    f.w->action("mnuPrintDocument")->trigger();
    QCOMPARE(f.script.asked.back().title, QString("Print Document"));
    QVERIFY(!f.script.asked.back().selectionRange);
    QVERIFY2(pages(all) > 1, qPrintable(QString::number(pages(all))));

    const QString sel = f.profile.path() + "/sel.pdf";
    printer->setOutputFileName(sel);
    f.pane()->setSelStart(0);
    f.pane()->setSelLength(5);
    f.script.printAnswers.push_back(true);
    f.w->findChild<QToolButton *>("Image4")->click();
    QVERIFY(f.script.asked.back().selectionRange);
    QCOMPARE(pages(sel), 1);
    QCOMPARE(f.pane()->SelText(), QString("Disp "));
    f.w->action("mnuPrintSetup")->trigger();
    QCOMPARE(f.script.asked.back().kind, QString("pageSetup"));
    QCOMPARE(f.script.asked.back().title, QString("Page Setup"));
    QVERIFY(f.script.asked.back().selectionRange); // the last print command's flags

    // Cancel prints nothing; Print All asks three times in order.
    const QString none = f.profile.path() + "/none.pdf";
    printer->setOutputFileName(none);
    f.w->action("mnuPrintAll")->trigger();
    QVERIFY(!QFile::exists(none));
    QCOMPARE(f.script.titles("print").mid(2),
             (QStringList{"Print All - Document", "Print All - Syntax", "Print All - Example"}));
}

void TstDocument::realPrintDialogStartsFromItsOwnRange()
{
    Fixture f;
    platform::dialogs::setScript(nullptr); // the real dialog, answered below
    f.pane()->setSelText("Disp 1");
    f.pane()->setSelStart(0);
    f.pane()->setSelLength(4);
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
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen[0],
             qMakePair(QString("Print All - Document"), int(QAbstractPrintDialog::Selection)));
    QCOMPARE(seen[1],
             qMakePair(QString("Print All - Syntax"), int(QAbstractPrintDialog::AllPages)));
    QCOMPARE(seen[2].second, int(QAbstractPrintDialog::AllPages));
}

TORVANE_TEST(TstDocument);
#include "tst_document.moc"
