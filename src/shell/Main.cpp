#include "shell/Main.h"

#include "auxiliary/frmTip.h"
#include "editor/frmDocument.h"
#include "platform/AppIcon.h"
#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Pause.h"
#include "platform/SettingsStore.h"
#include "platform/WindowRegistry.h"
#include "reference/frmExample.h"
#include "shell/Studio.h"
#include "shell/frmFirstTime.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

#include <QAction>
#include <QApplication>

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
} // namespace

void Main(const QStringList &files)
{
    initResources();
    platform::useCalculatorDisplayFont();
    QApplication::setWindowIcon(platform::applicationIcon());
    using platform::settings::readOption;
    auto &windows = platform::windows();

    if (readOption(platform::config::ShowExample) == 1)
        windows.show<reference::frmExample>();

    if (readOption(platform::config::ShowFirstTime) == 1) {
        windows.show<frmFirstTime>();
        return;
    }

    auto *splash = new frmSplash();
    splash->show();
    platform::pause(3);
    splash->hide();

    auto *main = new frmMain();
    main->load();
    Studio::instance().defaultDocument()->setSaveEnabled(false);

    if (readOption(platform::config::ShowTipsAtStartup) != 0)
        windows.show<auxiliary::frmTip>();

    splash->close();
    delete splash;
    main->show();
    openFiles(main, files);
}

} // namespace shell
