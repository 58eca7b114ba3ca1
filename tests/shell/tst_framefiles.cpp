// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The frame's usual keys, files opened from Recent Files or dropped on it.
#include "common/TestRegistry.h"

#include "calcfiles/CalcExport.h"
#include "editor/ModelChooser.h"
#include "editor/RecentFiles.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "shell/Studio.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QUrl>

namespace dialogs = platform::dialogs;

namespace
{

// Every action the keyboard reaches now: the menu bar's, the frame's own and
// the active document window's.
void reachable(QWidget *w, QMenuBar *bar, QList<QAction *> *out)
{
    QList<QAction *> todo = bar->actions() + w->actions();
    while (!todo.isEmpty()) {
        QAction *a = todo.takeFirst();
        if (out->contains(a))
            continue;
        *out << a;
        if (a->menu())
            todo += a->menu()->actions();
    }
}

} // namespace

class TstFrameFiles : public QObject
{
    Q_OBJECT
    testing::IsolatedProfile *m_profile = nullptr;
    dialogs::Script m_script;
    QPointer<shell::frmMain> m_main;

    QString document(const QString &name)
    {
        const QString path = m_profile->path() + u'/' + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("{\\rtf1 Disp 1\\par}");
        return path;
    }
    int windows() const { return int(m_main->mdiArea()->subWindowList().size()); }
    QStringList asked(const QString &kind) const { return m_script.titles(kind); }

private slots:
    void init()
    {
        m_profile = new testing::IsolatedProfile;
        dialogs::setScript(&(m_script = dialogs::Script()));
        m_main = new shell::frmMain;
        m_main->show();
        QApplication::setActiveWindow(m_main);
    }
    void cleanup()
    {
        shell::Studio::instance().reset();
        delete m_main;
        dialogs::setScript(nullptr);
        delete m_profile;
    }

    void keys()
    {
        editor::frmDocument *doc = m_main->LoadNewDoc();
        doc->RichTextBox1->setFocus();
        QTest::keySequence(doc->RichTextBox1, QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(windows(), 2);
        // Ctrl+Q ends from a document window too, where the frame's File menu is not shown.
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QTRY_VERIFY(!m_main || !m_main->isVisible());
    }

    void noClashWithOrWithoutDocument()
    {
        for (int round = 0; round < 2; ++round) {
            if (round == 1)
                m_main->LoadNewDoc();
            QList<QAction *> actions;
            reachable(m_main, m_main->menuBar(), &actions);
            QHash<QKeySequence, QString> taken;
            for (QAction *a : actions) {
                if (a->shortcut().isEmpty())
                    continue;
                QVERIFY2(!taken.contains(a->shortcut()),
                         qPrintable(a->objectName() + " and " + taken.value(a->shortcut())));
                taken.insert(a->shortcut(), a->objectName());
            }
            for (const char *k : {"Ctrl+N", "Ctrl+O", "Ctrl+Q"})
                QVERIFY2(taken.contains(QKeySequence(QLatin1String(k))), k);
        }
    }

    // Ctrl+W is File > Exit of the active document alone: the sub-window's
    // own Close no longer takes it too (one key on two items runs neither).
    void ctrlWClosesTheActiveDocument()
    {
        m_main->LoadNewDoc();
        editor::frmDocument *second = m_main->LoadNewDoc();
        QCOMPARE(windows(), 2);
        second->RichTextBox1->setFocus();
        QTest::keyClick(second->RichTextBox1, Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(windows(), 1);
        QCOMPARE(m_main->mdiArea()->subWindowList().first()->widget()->windowTitle(),
                 QStringLiteral("Document 1"));
    }

    // File > Open of a calculator's file imports it; unchanged, it asks
    // nothing on closing, and Save As offers its name.
    void openCalculatorFile()
    {
        editor::frmDocument *doc = m_main->LoadNewDoc();
        QString error;
        const QString path = m_profile->path() + "/GUESS.8xp";
        QVERIFY2(calcfiles::calcexport::exportCalcFile(document("src.tvf"), path, "GUESS", false,
                                                       &error),
                 qPrintable(error));
        m_script.files.push_back(path);
        doc->mnuOpenProject->trigger();
        QCOMPARE(windows(), 2);
        auto *opened = qobject_cast<editor::frmDocument *>(
            m_main->mdiArea()->subWindowList().last()->widget());
        QCOMPARE(opened->windowTitle(), QStringLiteral("GUESS"));
        QCOMPARE(opened->RichTextBox1->Text(), QStringLiteral("Disp 1"));
        QVERIFY(!opened->isModified());
        QVERIFY(asked("message").isEmpty());
        m_script.files.push_back(std::nullopt);
        opened->mnuSaveAs->trigger();
        QVERIFY(m_script.asked.back().start.endsWith(QStringLiteral("GUESS")));
        m_main->mdiArea()->subWindowList().last()->close();
        QTRY_COMPARE(windows(), 1);
        QVERIFY(asked("message").isEmpty());
    }

    // The Export dialog names the file type after the document's model.
    void exportNamesTheModel_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("filter");
        QTest::newRow("TI-84 Plus CE") << int(calc::models::Model::Ti84PlusCE)
                                       << "TI-84 Plus CE Program (*.8xp)|*.8xp|TI-83 Program "
                                          "(*.83p)|*.83p";
        QTest::newRow("TI-84 Plus") << int(calc::models::Model::Ti84Plus)
                                    << "TI-84 Plus Program (*.8xp)|*.8xp|TI-83 Program "
                                       "(*.83p)|*.83p";
        QTest::newRow("TI-83 Plus") << int(calc::models::Model::Ti83Plus)
                                    << "TI-83 Plus Program (*.8xp)|*.8xp|TI-83 Program "
                                       "(*.83p)|*.83p";
    }
    void exportNamesTheModel()
    {
        QFETCH(int, model);
        editor::frmDocument *doc = m_main->LoadNewDoc();
        doc->RichTextBox1->setText(QStringLiteral("Disp 1"));
        editor::ModelChooser::of(doc)->setModel(calc::models::Model(model));
        m_script.prompts.push_back(QStringLiteral("GUESS"));
        m_script.files.push_back(std::nullopt);
        doc->mnuExportCalc->trigger();
        QCOMPARE(asked("save").size(), 1);
        QTEST(m_script.asked.back().defaultAnswer, "filter");
    }

    void recentFiles_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("windows");
        QTest::addColumn<int>("messages");
        QTest::newRow("opens in a window of its own") << true << 2 << 0;
        QTest::newRow("a missing file is said so and dropped") << false << 1 << 1;
    }
    void recentFiles()
    {
        QFETCH(bool, present);
        m_main->LoadNewDoc();
        const QString path = document("old.tvf");
        editor::recent::note(path);
        editor::recent::note(document("other.tvf"));
        if (!present)
            QFile::remove(path);
        QMenu *recent = m_main->menuBar()->findChild<QMenu *>(QStringLiteral("mnuRecentFiles"));
        if (!recent)
            recent = m_main->findChild<QMenu *>(QStringLiteral("mnuRecentFiles"));
        QVERIFY(recent);
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().at(1)->data().toString(), path);
        recent->actions().at(1)->trigger();
        QTEST(windows(), "windows");
        QTEST(int(asked("message").size()), "messages");
        QCOMPARE(editor::recent::files().contains(path), present);
        if (present) {
            auto *doc = qobject_cast<editor::frmDocument *>(
                m_main->mdiArea()->subWindowList().last()->widget());
            QCOMPARE(doc->fileName(), path);
        }
    }

    void drop_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("document") << "drop.tvf" << true;
        QTest::newRow("calculator program") << "GUESS.8xp" << true;
        QTest::newRow("other file") << "notes.txt" << false;
    }
    void drop()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QString path = document(name);
        if (name.endsWith(".8xp")) {
            QString error;
            path = m_profile->path() + "/GUESS.8xp";
            QVERIFY2(calcfiles::calcexport::exportCalcFile(document("src.tvf"), path, "GUESS",
                                                           false, &error),
                     qPrintable(error));
        }
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_main, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_main, &drop);
        QCOMPARE(windows(), accepted ? 1 : 0);
        if (accepted)
            QCOMPARE(qobject_cast<editor::frmDocument *>(
                         m_main->mdiArea()->subWindowList().first()->widget())
                         ->RichTextBox1->Text(),
                     QStringLiteral("Disp 1"));
    }
};

TORVANE_TEST(TstFrameFiles);
#include "tst_framefiles.moc"
