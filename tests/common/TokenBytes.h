// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Token bytes written compactly in tests.
#include <QByteArray>
#include <QList>

namespace testing
{

// "DE 2A 'HELLO' 29 2A": hex bytes, and quoted runs of A-Z and 0-9, whose
// tokens are their ASCII codes.
inline QByteArray bytesOf(const char *layout)
{
    QByteArray out;
    const QList<QByteArray> words = QByteArray(layout).split(' ');
    for (const QByteArray &w : words) {
        if (w.isEmpty())
            continue;
        if (w.startsWith('\''))
            out += w.mid(1, w.size() - 2);
        else
            out += QByteArray::fromHex(w);
    }
    return out;
}

} // namespace testing
