// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading back what the code under test wrote.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace testing
{

// The whole file; "<missing>" when it cannot be opened, so a file that was
// never written differs from an empty one.
inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace testing
