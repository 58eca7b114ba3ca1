// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The keys every editor has, Recent Files, and the example pane's Insert into
// Program.
#include "common/TestRegistry.h"

#include "editor/RecentFiles.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QSettings>
#include <QTest>

using editor::frmDocument;

namespace
{

struct Fixture {
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    QPointer<frmDocument> w = new frmDocument;
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
    QString file(const QString &name)
    {
        const QString path = profile.path() + u'/' + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("{\\rtf1 Disp 1\\par}");
        return path;
    }
};

} // namespace

class TstUsualKeys : public QObject
{
    Q_OBJECT

private slots:
    // Each key runs its item, found by name; the dialog it opens proves it ran.
    void keys_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("saveEnabled");
        QTest::addColumn<QString>("asked"); // kind: title of the first dialog
        QTest::newRow("Ctrl+O opens") << "mnuOpenProject"
                                      << "Ctrl+O" << true << "open:Open File";
        QTest::newRow("Ctrl+P prints the document") << "mnuPrintDocument"
                                                    << "Ctrl+P" << true << "print:Print Document";
        QTest::newRow("Ctrl+S saves") << "mnuSave"
                                      << "Ctrl+S" << true << "";
        QTest::newRow("Ctrl+S where Save is disabled is Save As")
            << "mnuSave"
            << "Ctrl+S" << false << "save:Save File";
    }
    void keys()
    {
        QFETCH(QString, item);
        QFETCH(QString, keys);
        QFETCH(bool, saveEnabled);
        QFETCH(QString, asked);
        Fixture f;
        QString error;
        QVERIFY2(f.w->openFile(f.file("a.tvf"), &error), qPrintable(error));
        f.w->setSaveEnabled(saveEnabled);
        QCOMPARE(f.w->action(item)->shortcut().toString(), keys);
        const QKeySequence seq(keys);
        QTest::keySequence(f.w->RichTextBox1, seq);
        QStringList seen;
        for (const auto &a : f.script.asked)
            seen << a.kind + u':' + a.title;
        QCOMPARE(seen.value(0), asked);
    }

    void ctrlWClosesTheWindow()
    {
        Fixture f;
        QCOMPARE(f.w->mnuExit->shortcut(), QKeySequence(QStringLiteral("Ctrl+W")));
        QTest::keySequence(f.w->RichTextBox1, QKeySequence(QStringLiteral("Ctrl+W")));
        QTRY_VERIFY(!f.w || !f.w->isVisible());
    }

    // A press delivered twice types its symbol once; a repeat types again.
    void symbolKeyTypesOncePerPress_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("secondStamp");
        QTest::addColumn<int>("typed");
        QTest::newRow("Ctrl+Shift+N twice") << int(Qt::Key_N) << 100 << 1;
        QTest::newRow("held down") << int(Qt::Key_N) << 130 << 2;
    }
    void symbolKeyTypesOncePerPress()
    {
        QFETCH(int, key);
        QFETCH(int, secondStamp);
        Fixture f;
        for (int stamp : {100, secondStamp}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier | Qt::ShiftModifier);
            press.setTimestamp(quint64(stamp));
            QApplication::sendEvent(f.w->RichTextBox1, &press);
        }
        QTEST(int(f.w->RichTextBox1->Text().size()), "typed");
    }

    // No two items reachable together share a key, nor take a symbol key.
    void noShortcutClash()
    {
        Fixture f;
        QHash<QKeySequence, QString> taken;
        for (QAction *a : f.w->findChildren<QAction *>()) {
            if (a->shortcut().isEmpty() || !a->isEnabled())
                continue;
            QVERIFY2(!taken.contains(a->shortcut()),
                     qPrintable(a->objectName() + " and " + taken.value(a->shortcut())));
            taken.insert(a->shortcut(), a->objectName());
        }
        for (const char *k : {"Ctrl+Shift+S", "Ctrl+Shift+N", "Ctrl+Shift+,", "Ctrl+Shift+.",
                              "Ctrl+Shift+-", "Ctrl+Shift+1", "Ctrl+Shift+E"})
            QVERIFY2(!taken.contains(QKeySequence(k)), qPrintable(k));
    }

    void recentFiles()
    {
        Fixture f;
        QStringList paths;
        for (int i = 0; i < 10; ++i)
            paths << f.file(QStringLiteral("p%1.tvf").arg(i));
        QString error;
        for (const QString &p : paths)
            QVERIFY(f.w->openFile(p, &error));
        // Opening an old one again brings it forward without a second entry.
        QVERIFY(f.w->openFile(paths.at(5), &error));
        QStringList expected{paths.at(5), paths.at(9), paths.at(8), paths.at(7),
                             paths.at(6), paths.at(4), paths.at(3), paths.at(2)};
        QCOMPARE(editor::recent::files(), expected);
        // Saving under a new name counts too.
        const QString saved = f.profile.path() + "/saved.tvf";
        f.script.files.push_back(saved);
        QVERIFY(f.w->mnuSaveAs_Click());
        expected.prepend(saved);
        expected.removeLast();
        QCOMPARE(editor::recent::files(), expected);
        // Kept in the settings file, for the next start.
        QSettings store(platform::settings::fileFor(platform::appTitle()), QSettings::IniFormat);
        QCOMPARE(store.value("Recent Files/File1").toString(), saved);
        QCOMPARE(store.value("Recent Files/File8").toString(), expected.last());
        // The File menu lists them in that order.
        QMenu *menu = f.w->menu(QStringLiteral("mnuRecentFiles"));
        QVERIFY(menu);
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 8);
        QCOMPARE(menu->actions().first()->data().toString(), saved);
    }

    // The example goes in on lines of its own, undone in one step.
    void insertIntoProgram_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty program") << "" << 0 << "Disp 1\r\nDisp 2";
        QTest::newRow("at a line's start") << "A\r\nB" << 3 << "A\r\nDisp 1\r\nDisp 2\r\nB";
        QTest::newRow("inside a line") << "ClrHome" << 3 << "Clr\r\nDisp 1\r\nDisp 2\r\nHome";
        QTest::newRow("at the end") << "A" << 1 << "A\r\nDisp 1\r\nDisp 2";
        QTest::newRow("before a line break") << "A\r\nB" << 1 << "A\r\nDisp 1\r\nDisp 2\r\nB";
    }
    void insertIntoProgram()
    {
        QFETCH(QString, program);
        QFETCH(int, caret);
        Fixture f;
        f.w->RichTextBox1->setText(program);
        f.w->history().reset();
        f.w->RichTextBox3->setText(QStringLiteral("Disp 1\r\nDisp 2\r\n"));
        f.w->RichTextBox1->setSelStart(caret);
        QAction *insert = f.w->findChild<QAction *>(QStringLiteral("mnuInsertIntoProgram"));
        QVERIFY(insert);
        insert->trigger();
        QTEST(f.w->RichTextBox1->Text(), "expected");
        f.w->Undo();
        QCOMPARE(f.w->RichTextBox1->Text(), program);
    }
};

TORVANE_TEST(TstUsualKeys);
#include "tst_usualkeys.moc"
