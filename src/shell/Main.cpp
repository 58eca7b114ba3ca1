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

namespace shell {

void Main()
{
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
