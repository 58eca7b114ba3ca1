// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/RecoveryFiles.h"

#include "rtf/RtfCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <QUuid>

#include <algorithm>

namespace editor::recovery
{

namespace
{
// The first line of every recovery file; the header lines follow, then an
// empty line and the RTF.
const QByteArray kMagic = "Torvane Studio recovery 1\n";
const QString kSuffix = QStringLiteral(".tvr");

QString lockFor(const QString &folder, const QString &session)
{
    return QDir(folder).filePath(session + QStringLiteral(".lock"));
}

QByteArray field(const QString &text)
{
    return QUrl::toPercentEncoding(text);
}
} // namespace

QString Entry::firstLines(int lines) const
{
    rtf::Document doc;
    if (damaged || !rtf::read(rtf, &doc))
        return QString();
    return doc.text().split(QStringLiteral("\r\n")).mid(0, lines).join(QLatin1Char('\n'));
}

QByteArray encode(const Entry &entry)
{
    return kMagic + "file: " + field(entry.fileName) + "\ncaption: " + field(entry.caption) +
           "\nchanged: " + entry.changed.toUTC().toString(Qt::ISODateWithMs).toLatin1() +
           "\nlength: " + QByteArray::number(entry.rtf.size()) + "\n\n" + entry.rtf;
}

Entry decode(const QString &path, const QByteArray &data)
{
    Entry e;
    e.path = path;
    e.caption = QFileInfo(path).fileName();
    const qsizetype end = data.indexOf("\n\n");
    if (!data.startsWith(kMagic) || end < 0) {
        e.damaged = true;
        return e;
    }
    qsizetype length = -1;
    for (const QByteArray &line : data.mid(kMagic.size(), end - kMagic.size()).split('\n')) {
        const qsizetype colon = line.indexOf(": ");
        const QByteArray key = line.left(colon);
        const QByteArray value = line.mid(colon + 2);
        if (key == "file")
            e.fileName = QUrl::fromPercentEncoding(value);
        else if (key == "caption")
            e.caption = QUrl::fromPercentEncoding(value);
        else if (key == "changed")
            e.changed = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
        else if (key == "length")
            length = value.toLongLong();
    }
    e.rtf = data.mid(end + 2);
    rtf::Document doc;
    e.damaged = length != e.rtf.size() || !e.changed.isValid() || !rtf::read(e.rtf, &doc);
    return e;
}

QVector<Entry> leftOver(const QString &folder)
{
    QVector<Entry> out;
    QStringList freed;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files);
    for (const QFileInfo &info : files) {
        const QString session = info.completeBaseName().section(QLatin1Char('-'), 0, -2);
        if (!freed.contains(session)) {
            // A lock we can take belongs to nobody: its program is gone.
            QLockFile lock(lockFor(folder, session));
            lock.setStaleLockTime(0);
            if (!lock.tryLock(0))
                continue;
            freed << session;
        }
        QFile f(info.filePath());
        Entry e = f.open(QIODevice::ReadOnly) ? decode(info.filePath(), f.readAll())
                                              : decode(info.filePath(), QByteArray());
        if (e.damaged)
            e.changed = info.lastModified();
        out << e;
    }
    std::sort(out.begin(), out.end(),
              [](const Entry &a, const Entry &b) { return a.changed > b.changed; });
    return out;
}

Session::Session(const QString &folder)
    : m_folder(folder), m_id(QUuid::createUuid().toString(QUuid::Id128).left(12))
{
    QDir().mkpath(folder);
    m_lock = std::make_unique<QLockFile>(lockFor(folder, m_id));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0))
        m_lock.reset();
}

Session::~Session() = default;

bool Session::ok() const
{
    return bool(m_lock);
}

QString Session::newFileName()
{
    return QDir(m_folder).filePath(m_id + QLatin1Char('-') + QString::number(++m_serial) + kSuffix);
}

bool Session::write(const QString &path, const Entry &entry, QString *error) const
{
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write(encode(entry)) >= 0 && f.commit())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}

} // namespace editor::recovery
