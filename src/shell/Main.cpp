#include "shell/Main.h"

#include "auxiliary/frmTip.h"
#include "editor/frmDocument.h"
#include "platform/Pause.h"
#include "platform/SettingsStore.h"
#include "reference/frmExample.h"
#include "shell/Studio.h"
#include "shell/frmFirstTime.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

#include <QAction>

// Resources of a static library must be registered by hand.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace shell
{

void Main()
{
    initResources();
    using platform::settings::readOption;
    Studio &studio = Studio::instance();

    if (readOption(QStringLiteral("Show Example")) == 1)
        studio.show<reference::frmExample>();

    if (readOption(QStringLiteral("Show First Time")) == 1) {
        studio.show<frmFirstTime>();
        return;
    }

    auto *splash = new frmSplash();
    splash->show();
    platform::pause(3);
    splash->hide();

    auto *main = new frmMain();
    main->load();
    studio.defaultDocument()->mnuSave->setEnabled(false);

    if (readOption(QStringLiteral("Show Tips at Startup")) != 0)
        studio.show<auxiliary::frmTip>();

    splash->close();
    delete splash;
    main->show();
}

} // namespace shell
