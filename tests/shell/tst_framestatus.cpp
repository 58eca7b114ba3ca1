// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the main frame tells about the active document: its file beside
// "Modified", the file as the Window menu's tooltip, and what each export
// wrote.
#include "common/Files.h"
#include "common/TestRegistry.h"

#include "compiler/frmCompile.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "platform/WindowRegistry.h"
#include "reference/frmWizard_GETKEY.h"
#include "shell/Studio.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace dialogs = platform::dialogs;

class TstFrameStatus : public QObject
{
    Q_OBJECT
    dialogs::Script m_script;
    QTemporaryDir m_dir;
    shell::frmMain *m_main = nullptr;

    QString panel(const char *name) const
    {
        return m_main->sbStatusBar->findChild<QLabel *>(QLatin1String(name))->text();
    }

private slots:
    void init()
    {
        dialogs::setScript(&(m_script = dialogs::Script()));
        m_main = new shell::frmMain;
        m_main->show();
    }
    void cleanup()
    {
        shell::Studio::instance().reset();
        dialogs::setScript(nullptr);
    }

    void fileBesideModified()
    {
        editor::frmDocument *first = m_main->LoadNewDoc();
        editor::frmDocument *second = m_main->LoadNewDoc();
        QCOMPARE(panel("PanelFile"), QString());
        const QString path = m_dir.filePath("GUESS.tvf");
        m_script.files = {path};
        second->RichTextBox1->setSelText("Disp 1");
        QCOMPARE(panel("PanelModified"), QString("Modified"));
        second->mnuSaveAs->trigger();
        QCOMPARE(panel("PanelFile"), QDir::toNativeSeparators(path));
        QCOMPARE(panel("PanelModified"), QString());
        // The panel follows the active window.
        m_main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
        QCOMPARE(panel("PanelFile"), QString());

        QMenu *window = m_main->findChild<QMenu *>("mnuWindow", Qt::FindDirectChildrenOnly);
        QVERIFY(window);
        emit window->aboutToShow();
        QStringList tips;
        for (QAction *a : window->actions())
            if (a->isCheckable())
                tips << a->text() + "=" + a->toolTip();
        QCOMPARE(tips, QStringList({"&1 Document 1=Not saved yet",
                                    "&2 Document 2=" + QDir::toNativeSeparators(path)}));
    }

    void exportsSayWhatTheyWrote()
    {
        editor::frmDocument *doc = m_main->LoadNewDoc();
        doc->RichTextBox1->setSelText("Disp 1");
        const QString path = m_dir.filePath("GUESS.8xp");
        m_script.prompts = {QString("GUESS")};
        m_script.files = {path};
        doc->mnuExportCalc->trigger();
        QVERIFY(m_script.asked.back().start.endsWith("/GUESS.8xp"));
        QCOMPARE(
            m_main->sbStatusBar->currentMessage(),
            QString("Wrote GUESS.8xp: program GUESS, %1 bytes").arg(testing::readAll(path).size()));

        auto *compile = platform::windows().show<compiler::frmCompile>();
        compile->Preview->setText("GUESS\r\nA game.");
        const QString docs = m_dir.filePath("GUESS.txt");
        m_script.files = {docs};
        compile->Command7_Click();
        QCOMPARE(
            m_main->sbStatusBar->currentMessage(),
            QString("Wrote GUESS.txt: documentation, %1 bytes").arg(testing::readAll(docs).size()));
    }

    void wizardTextOnItsOwnLinesAndSelected_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("lead");
        QTest::addColumn<QString>("trail");
        QTest::newRow("empty") << "" << 0 << ""
                               << "";
        QTest::newRow("inside a line") << "Disp \"NEW LINE\"" << 5 << "\r\n"
                                       << "\r\n";
        QTest::newRow("end of a line") << "Disp 1\r\nDisp 2" << 6 << "\r\n"
                                       << "";
        QTest::newRow("start of a line") << "Disp 1\r\nDisp 2" << 8 << ""
                                         << "\r\n";
        QTest::newRow("empty line") << "A\r\n\r\nB" << 3 << ""
                                    << "";
    }
    void wizardTextOnItsOwnLinesAndSelected()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, lead);
        QFETCH(QString, trail);
        auto *doc = shell::Studio::instance().defaultDocument();
        m_main->LoadNewDoc(); // another window is active when Done is pressed
        doc->RichTextBox1->setSelText(text);
        doc->RichTextBox1->setSelStart(caret);

        auto *wizard = new reference::frmWizard_GETKEY;
        wizard->show();
        wizard->Text1->setText("105");
        wizard->Text3->setText("A");
        wizard->Image1->click();
        const QString inserted = wizard->RichTextBox1->Text();
        wizard->Image3->click();

        const QString code = inserted + "\r\nEnd";
        QCOMPARE(doc->RichTextBox1->Text(),
                 text.left(caret) + lead + code + trail + text.mid(caret));
        QCOMPARE(doc->RichTextBox1->SelText(), code);
        QCOMPARE(m_main->mdiArea()->activeSubWindow()->widget(), doc);
        // The text, then the wizard's in one step.
        QCOMPARE(doc->history().undoCount(), text.isEmpty() ? 2 : 3);
    }
};

TORVANE_TEST(TstFrameStatus);
#include "tst_framestatus.moc"
