// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/DiskWatch.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace editor
{

DiskWatch::DiskWatch(QObject *parent) : QObject(parent)
{
    // A writer may still be busy when the first notice comes: look a moment later.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this,
            [this] { QTimer::singleShot(150, this, &DiskWatch::check); });
}

DiskWatch::Stamp DiskWatch::stampOf(const QString &path)
{
    Stamp s;
    const QFileInfo info(path);
    s.exists = info.exists();
    if (!s.exists)
        return s;
    s.size = info.size();
    s.modified = info.lastModified();
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        hash.addData(&f);
        s.hash = hash.result();
    }
    return s;
}

void DiskWatch::track(const QString &path)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    m_path = path;
    m_stamp = stampOf(path);
    m_reported = false;
    if (m_stamp.exists)
        m_watcher.addPath(path);
}

void DiskWatch::forget()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    m_path.clear();
    m_reported = false;
}

bool DiskWatch::changedSinceTracked() const
{
    return !m_path.isEmpty() && !(stampOf(m_path) == m_stamp);
}

void DiskWatch::check()
{
    if (m_path.isEmpty())
        return;
    // A file replaced by rename is no longer watched: watch the new one.
    if (QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
    if (m_reported || !changedSinceTracked())
        return;
    m_reported = true;
    if (QFileInfo::exists(m_path))
        emit changedOutside();
    else
        emit removedOutside();
}

} // namespace editor
