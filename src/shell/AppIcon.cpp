// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/AppIcon.h"

// Resources of a static library must be registered by hand.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace shell
{

QIcon applicationIcon()
{
    initIconResources();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size));
    return icon;
}

} // namespace shell
