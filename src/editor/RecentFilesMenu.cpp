// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/RecentFilesMenu.h"

#include "editor/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace editor
{

QMenu *addRecentFilesMenu(QMenu *file, QAction *before, std::function<void(const QString &)> open)
{
    auto *menu = new QMenu(QStringLiteral("Recent Files"), file);
    menu->setObjectName(QStringLiteral("mnuRecentFiles"));
    menu->menuAction()->setObjectName(QStringLiteral("mnuRecentFiles"));
    file->insertMenu(before, menu);
    // Another window may have opened or saved a file since the last look.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, open] {
        menu->clear();
        const QStringList files = recent::files();
        int n = 0;
        for (const QString &path : files) {
            QAction *a = menu->addAction(
                QStringLiteral("&%1 %2").arg(++n).arg(QDir::toNativeSeparators(path)));
            a->setObjectName(QStringLiteral("mnuRecentFile%1").arg(n));
            a->setData(path);
            QObject::connect(a, &QAction::triggered, menu, [open, path] { open(path); });
        }
        if (files.isEmpty())
            menu->addAction(QStringLiteral("(none)"))->setEnabled(false);
    });
    return menu;
}

} // namespace editor
