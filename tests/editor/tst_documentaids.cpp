// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What helps a newcomer in the document window: where Save As starts,
// "Modified" against the saved text, the Symbols submenu and "->", Tab, and
// where the Find window opens.
#include "common/TestRegistry.h"

#include "editor/SymbolPalette.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "editor/frmFind.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

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
        platform::dialogs::forgetLastFolder();
        w->show();
        QApplication::setActiveWindow(w);
        w->RichTextBox1->setFocus();
    }
    ~Fixture()
    {
        platform::dialogs::setScript(nullptr);
        platform::dialogs::forgetLastFolder();
        delete w;
    }
    platform::RichTextBox *pane() const { return w->RichTextBox1; }
    void type(const QString &keys) { QTest::keyClicks(pane(), keys); }
    void ctrl(Qt::Key key) { QTest::keyClick(pane(), key, Qt::ControlModifier); }
};

const QChar kStore(252);
} // namespace

class TstDocumentAids : public QObject
{
    Q_OBJECT
private slots:
    void saveAsStartsInAFolderThatExists_data()
    {
        QTest::addColumn<bool>("documentsFolder");
        QTest::addColumn<bool>("saved");
        QTest::newRow("no Documents folder") << false << false;
        QTest::newRow("Documents folder") << true << false;
        QTest::newRow("saved before") << true << true;
    }
    void saveAsStartsInAFolderThatExists()
    {
        QFETCH(bool, documentsFolder);
        QFETCH(bool, saved);
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(docs.startsWith(home.path()));
        if (documentsFolder)
            QVERIFY(QDir().mkpath(docs));
        {
            Fixture f;
            QString expected = documentsFolder ? docs : home.path();
            if (saved) {
                const QString path = home.path() + "/GUESS.tvf";
                f.script.files.push_back(path);
                f.w->mnuSaveAs->trigger();
                QCOMPARE(f.w->fileName(), path);
                platform::dialogs::forgetLastFolder();
                expected = path;
            }
            f.w->mnuSaveAs->trigger();
            QCOMPARE(f.script.asked.back().kind, QString("save"));
            QCOMPARE(f.script.asked.back().start, expected);
        }
        qputenv("HOME", oldHome);
    }

    void modifiedFollowsTheSavedText()
    {
        Fixture f;
        QSignalSpy changes(f.w, &frmDocument::modifiedChanged);
        f.type("AB");
        QVERIFY(f.w->isModified());
        f.ctrl(Qt::Key_Z);
        f.ctrl(Qt::Key_Z);
        QVERIFY(!f.w->isModified()); // back to the empty text of a new window
        f.ctrl(Qt::Key_Y);
        f.ctrl(Qt::Key_Y);
        f.script.files.push_back(f.profile.path() + "/p.tvf");
        f.w->mnuSaveAs->trigger();
        QVERIFY(!f.w->isModified());
        f.type("C");
        QVERIFY(f.w->isModified());
        f.ctrl(Qt::Key_Z);
        QVERIFY(!f.w->isModified());
        f.ctrl(Qt::Key_Y);
        QVERIFY(f.w->isModified());
        f.ctrl(Qt::Key_Z);
        QVERIFY(!f.w->isModified());
        // Undo past the saved text differs from it again.
        f.ctrl(Qt::Key_Z);
        QCOMPARE(f.pane()->Text(), QString("A"));
        QVERIFY(f.w->isModified());
        QCOMPARE(changes.size(), 9);
        // A text of the same length is compared character by character.
        f.ctrl(Qt::Key_Y);
        f.pane()->setSelStart(0);
        f.pane()->setSelLength(1);
        f.type("X");
        QCOMPARE(f.pane()->Text(), QString("XB"));
        QVERIFY(f.w->isModified());
    }

    void symbolsSubmenu()
    {
        Fixture f;
        QMenu *symbols = f.w->menu("mnuSymbols");
        QVERIFY(symbols);
        QCOMPARE(symbols->menuAction()->text(), QString("Symbols"));
        QVERIFY(f.w->menu("mnuEdit")->actions().contains(symbols->menuAction()));
        QList<QAction *> items = symbols->actions();
        // The keyed symbols, then the named variables' submenus.
        items = items.mid(0, 12);
        QVERIFY(symbols->actions().at(12)->isSeparator());
        QCOMPARE(items.first()->text(), QString("\u2192  store\tCtrl+Shift+S"));
        QCOMPARE(items.at(2)->text(), QString("\u2264  less than or equal\tCtrl+Shift+,"));
        // Each item types what its key types, as one step for Undo.
        QString typed;
        for (QAction *item : items) {
            const QString keys = item->text().section(u'\t', 1);
            const QKeySequence seq(keys, QKeySequence::PortableText);
            QTest::keyClick(f.pane(), Qt::Key(seq[0].key()), seq[0].keyboardModifiers());
            typed = f.pane()->Text();
            const int steps = f.w->history().undoCount();
            item->trigger();
            QCOMPARE(f.pane()->Text(), typed + typed.back());
            QCOMPARE(f.w->history().undoCount(), steps + 1);
        }
        QCOMPARE(typed.size(), 23);
        QCOMPARE(typed.front(), kStore);
        // The palette's tooltip names the key of an entry that has one.
        QCOMPARE(f.w->combo0001a->itemData(0, Qt::ToolTipRole).toString(),
                 QString("\u2264  less than or equal (Ctrl+Shift+,)"));
        QCOMPARE(f.w->combo0001a->itemData(3, Qt::ToolTipRole).toString(), QString("=  equal"));
    }

    void arrowTyped_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("becomesStore");
        QTest::newRow("after a number") << "5-" << true;
        QTest::newRow("line start") << "-" << true;
        QTest::newRow("second line") << "Disp 1\r2-" << true;
        QTest::newRow("in a string") << "Disp \"A-" << false;
        QTest::newRow("after a closed string") << "\"A\"-" << true;
        QTest::newRow("no minus") << "5" << false;
    }
    void arrowTyped()
    {
        QFETCH(QString, before);
        QFETCH(bool, becomesStore);
        Fixture f;
        for (QChar c : before) {
            if (c == u'\r')
                QTest::keyClick(f.pane(), Qt::Key_Return);
            else
                f.type(QString(c));
        }
        const QString typed = f.pane()->Text() + ">";
        f.type(">");
        if (!becomesStore) {
            QCOMPARE(f.pane()->Text(), typed);
            return;
        }
        QCOMPARE(f.pane()->Text(), typed.chopped(2) + kStore);
        QCOMPARE(f.pane()->SelStart(), int(typed.size()) - 1);
        f.type("A");
        QCOMPARE(f.pane()->Text(), typed.chopped(2) + kStore + "A");
        f.ctrl(Qt::Key_Z);
        f.ctrl(Qt::Key_Z);
        QCOMPARE(f.pane()->Text(), typed);
    }

    void tabLeavesThePane()
    {
        Fixture f;
        QSignalSpy notes(f.w, &frmDocument::statusMessage);
        f.type("Disp 1");
        QTest::keyClick(f.pane(), Qt::Key_Tab);
        QCOMPARE(f.pane()->Text(), QString("Disp 1"));
        QVERIFY(!f.pane()->hasFocus());
        QWidget *next = QApplication::focusWidget();
        QVERIFY(next);
        QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(f.pane()->hasFocus());
        QVERIFY(notes.isEmpty());
        // A pasted tab is left out, and the status bar is told.
        QApplication::clipboard()->setText("\tIf A\t=1");
        f.w->mnuPaste->trigger();
        QCOMPARE(f.pane()->Text(), QString("Disp 1If A=1"));
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes.first().first().toString().contains("tab"));
    }

    void findStaysOffTheMatch_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("find") << int(Qt::Key_F);
        // Taller: it fits beside the document on no side.
        QTest::newRow("replace") << int(Qt::Key_H);
    }
    void findStaysOffTheMatch()
    {
        QFETCH(int, key);
        Fixture f;
        // The whole screen: no room on any side.
        f.w->setGeometry(f.w->screen()->availableGeometry());
        QString text;
        for (int i = 1; i <= 12; ++i)
            text += QString("Disp %1\r\nGUESS\r\n").arg(i);
        f.pane()->setSelText(text);
        f.pane()->setSelStart(0);
        f.ctrl(Qt::Key(key));
        editor::frmFind *find = f.w->findDialog();
        QVERIFY(find && find->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(find));
        const QRect doc(f.w->mapToGlobal(QPoint(0, 0)), f.w->size());
        QVERIFY2(!find->frameGeometry().intersects(doc) ||
                     !find->screen()->availableGeometry().contains(
                         QRect(doc.topRight() + QPoint(1, 0), find->frameGeometry().size())),
                 "room beside the document, yet placed over it");
        // Wherever it stands, no match found is under it.
        find->findChild<QLineEdit *>("txtFind")->setText("GUESS");
        for (int i = 1; i <= 12; ++i) {
            find->findChild<QPushButton *>("cmdFindNext")->click();
            QCOMPARE(f.pane()->SelText(), QString("GUESS"));
            // The match's line, across the pane.
            const QWidget *view = f.pane()->viewport();
            const QRect caret = f.pane()->cursorRect();
            const QRect line(view->mapToGlobal(QPoint(0, caret.top())),
                             QSize(view->width(), caret.height()));
            QVERIFY2(!find->frameGeometry().intersects(line), qPrintable(QString::number(i)));
        }
    }
};

TORVANE_TEST(TstDocumentAids);
#include "tst_documentaids.moc"
