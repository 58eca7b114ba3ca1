// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/TextFiles.h"

#include "calc/ModelText.h"

#include <QFileInfo>
#include <QSaveFile>

namespace platform::textfiles
{

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const auto path = [](const QString &p) {
        const QFileInfo info(p);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
    };
    return path(a) == path(b);
}

qsizetype toWindowsLatin(const QString &text, QByteArray *bytes)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = calc::displayToModel(text.at(i)).unicode();
        if (c > 0xFF) {
            bytes->clear();
            return i;
        }
        out[i] = char(c);
    }
    *bytes = out;
    return -1;
}

QString fromWindowsLatin(const QByteArray &bytes)
{
    QString text = QString::fromLatin1(bytes);
    for (QChar &c : text)
        c = calc::modelToDisplay(c);
    return text;
}

} // namespace platform::textfiles
