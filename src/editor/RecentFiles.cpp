// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/RecentFiles.h"

#include "platform/AppInfo.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace editor::recent
{

namespace
{

const QString kSection = QStringLiteral("Recent Files");

QString key(int i)
{
    return QStringLiteral("File%1").arg(i + 1);
}

void store(const QStringList &list)
{
    for (int i = 0; i < kLimit; ++i)
        platform::settings::write(platform::appTitle(), kSection, key(i), list.value(i));
}

// One spelling per file, so the same file opened two ways is listed once.
QString normal(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? info.absoluteFilePath() : canonical);
}

} // namespace

QStringList files()
{
    QStringList list;
    for (int i = 0; i < kLimit; ++i) {
        const QString path =
            platform::settings::read(platform::appTitle(), kSection, key(i), QString());
        if (!path.isEmpty() && !list.contains(path))
            list << path;
    }
    return list;
}

void note(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString file = normal(path);
    QStringList list = files();
    list.removeAll(file);
    list.prepend(file);
    store(list.mid(0, kLimit));
}

void forget(const QString &path)
{
    QStringList list = files();
    list.removeAll(path);
    list.removeAll(normal(path));
    store(list);
}

} // namespace editor::recent
