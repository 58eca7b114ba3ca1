// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Notices when the file a document window shows is changed or removed by
// another program: through the file system's notices, and by a look when the
// window is activated (notices get lost when a program replaces the file).
#include <QByteArray>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

namespace editor
{

class DiskWatch : public QObject
{
    Q_OBJECT
public:
    explicit DiskWatch(QObject *parent = nullptr);

    // The file as it is now is what the window loaded or saved.
    void track(const QString &path);
    void forget();
    QString path() const { return m_path; }

    // The file differs from what was tracked: changed, or gone.
    bool changedSinceTracked() const;
    // Looks now; reports a difference once, until the next track().
    void check();

signals:
    void changedOutside();
    void removedOutside();

private:
    struct Stamp {
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        QByteArray hash;
        bool operator==(const Stamp &o) const
        {
            return exists == o.exists && size == o.size && hash == o.hash;
        }
    };
    static Stamp stampOf(const QString &path);

    QFileSystemWatcher m_watcher;
    QString m_path;
    Stamp m_stamp;
    bool m_reported = false;
};

} // namespace editor
