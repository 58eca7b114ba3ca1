// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Recovery files: the unsaved text of a document window, kept on disk while
// the window has changes, so that a crash, a kill or a power cut loses
// nothing. Each running program holds a lock named after its session; the
// files of a session whose lock nobody holds are left over from a program
// that stopped, and are offered at the next start.
#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QVector>

#include <memory>

namespace editor::recovery
{

struct Entry {
    QString path;     // the recovery file itself
    QString fileName; // the document's file; empty when it was never saved
    QString caption;  // the window's caption
    QDateTime changed;
    QByteArray rtf; // what the window would save
    bool damaged = false;

    // The first lines of the text, for a list; empty when damaged.
    QString firstLines(int lines = 2) const;
};

QByteArray encode(const Entry &entry);
// A file that is not a recovery file, or is cut off, comes back damaged.
Entry decode(const QString &path, const QByteArray &data);

// The files left over in `folder` by programs that no longer run, the most
// recently changed first. Their sessions' stale locks are cleared.
QVector<Entry> leftOver(const QString &folder);

// This program's claim on the folder while it runs.
class Session
{
public:
    explicit Session(const QString &folder);
    ~Session();
    bool ok() const;
    QString folder() const { return m_folder; }
    // A new recovery file name for one window.
    QString newFileName();
    // Writes atomically; false with a reason when the disk says no.
    bool write(const QString &path, const Entry &entry, QString *error = nullptr) const;

private:
    QString m_folder;
    QString m_id;
    int m_serial = 0;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace editor::recovery
