// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/Main.h"

#include "auxiliary/frmTip.h"
#include "editor/frmDocument.h"
#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Places.h"
#include "platform/SettingsStore.h"
#include "platform/WindowFit.h"
#include "platform/WindowRegistry.h"
#include "reference/frmExample.h"
#include "shell/AppIcon.h"
#include "shell/Pause.h"
#include "shell/SingleInstance.h"
#include "shell/Studio.h"
#include "shell/frmFirstTime.h"
#include "shell/frmMain.h"
#include "shell/frmRecover.h"
#include "shell/frmSplash.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>

// Resources of a static library must be registered by hand.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace shell
{

namespace
{
void openFiles(frmMain *frame, const QStringList &files)
{
    for (int i = 0; i < files.size(); ++i) {
        editor::frmDocument *doc =
            i == 0 ? Studio::instance().defaultDocument() : frame->LoadNewDoc();
        QString error;
        if (!doc->openFile(files[i], &error))
            platform::dialogs::message(doc, error, QString(), QMessageBox::Critical);
    }
}
// A later start's files: each in a new document window, or the first in the
// default one while that is empty and unchanged; then the program comes forward.
void openHandedOver(frmMain *frame, const QStringList &files)
{
    for (const QString &file : files) {
        editor::frmDocument *def = Studio::instance().defaultDocumentIfLoaded();
        const bool reuse = def && !def->isModified() && def->fileName().isEmpty() &&
                           def->RichTextBox1->Text().isEmpty();
        editor::frmDocument *doc = reuse ? def : frame->LoadNewDoc();
        QString error;
        if (!doc->openFile(file, &error))
            platform::dialogs::message(doc, error, QString(), QMessageBox::Critical);
    }
    if (frame->isMinimized())
        frame->showNormal();
    frame->raise();
    frame->activateWindow();
}
// Hands the files to this user's program when one runs; true when it took
// them. `notice` says so when one runs but did not answer.
bool handedOver(const QStringList &files, QString *notice)
{
    switch (instance::handOver(files)) {
    case instance::Handover::Done:
        return true;
    case instance::Handover::NoAnswer:
        *notice =
            QStringLiteral("Another Torvane Studio did not answer; this one runs on its own.");
        break;
    case instance::Handover::NoServer:
        break;
    }
    return false;
}

// Files handed over while the splash is up wait in `pending` for the main
// frame, which the server then owns.
void listenForLaterStarts(QStringList *pending)
{
    auto *server = new instance::Server;
    QObject::connect(server, &instance::Server::filesArrived, server,
                     [pending](const QStringList &handed) {
                         frmMain *frame = Studio::instance().mainFrame();
                         if (frame && frame->isVisible())
                             openHandedOver(frame, handed);
                         else
                             *pending << handed;
                     });
    QObject::connect(server, &QObject::destroyed, [pending] { delete pending; });
    if (server->listen())
        Studio::instance().setInstanceServer(server);
    else
        delete server;
}

// The splash, then the main frame with the files and what start-up found.
void showMainFrame(const QStringList &files, const QString &notice, QStringList *pending)
{
    auto *splash = new frmSplash();
    splash->show();
    shell::pause(3);
    splash->hide();

    // Unsaved work of programs that stopped, then this program's own net.
    const QString recovery = platform::places::recoveryFolder();
    const QVector<editor::recovery::Entry> leftOver = editor::recovery::leftOver(recovery);
    Studio::instance().startRecovery(recovery);

    auto *main = new frmMain();
    main->load();
    Studio::instance().defaultDocument()->setSaveEnabled(false);

    if (platform::settings::readOption(platform::config::ShowTipsAtStartup) != 0)
        platform::windows().show<auxiliary::frmTip>();

    splash->close();
    delete splash;
    main->show();
    openFiles(main, files);
    if (!notice.isEmpty())
        main->sbStatusBar->showMessage(notice, 10000);
    // Shown before the frame, they would stay hidden behind it: the example
    // first, then the tip, as they came up.
    for (QWidget *w :
         {static_cast<QWidget *>(platform::windows().loadedWindow<reference::frmExample>()),
          static_cast<QWidget *>(platform::windows().loadedWindow<auxiliary::frmTip>())})
        if (w && w->isVisible())
            platform::WindowRegistry::bringForward(w);
    if (!leftOver.isEmpty())
        (new frmRecover(main, leftOver))->open();
    if (Studio::instance().instanceServer()) {
        // Brought forward only for files a later start sent meanwhile: it
        // would cover the tip and the example.
        if (!pending->isEmpty())
            openHandedOver(main, *pending);
        pending->clear();
    } else {
        delete pending;
    }
}
} // namespace

bool Main(const QStringList &files, bool newInstance)
{
    initResources();
    QString notice;
    if (!newInstance && handedOver(files, &notice))
        return false;
    platform::useCalculatorDisplayFont();
    QApplication::setWindowIcon(applicationIcon());
    platform::installWindowFit();
    using platform::settings::readOption;
    auto &windows = platform::windows();

    if (readOption(platform::config::ShowExample) == 1)
        windows.show<reference::frmExample>();

    if (readOption(platform::config::ShowFirstTime) == 1) {
        windows.show<frmFirstTime>();
        return true;
    }

    auto *pending = new QStringList;
    if (!newInstance && notice.isEmpty())
        listenForLaterStarts(pending);
    showMainFrame(files, notice, pending);
    return true;
}

} // namespace shell
