// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/FileMeta.h"

#include <QStringList>

namespace calc
{

namespace
{

// Blanks separate the pairs and '=' a key from its value; RTF's own
// characters would need escapes a word processor may not keep.
bool fits(const QString &s)
{
    for (const QChar c : s)
        if (c.isSpace() || c == u'=' || c == u'\\' || c == u'{' || c == u'}' || c.unicode() > 0x7E)
            return false;
    return true;
}

} // namespace

QString FileMeta::value(const QString &key) const
{
    for (const auto &f : fields)
        if (f.first == key)
            return f.second;
    return QString();
}

void FileMeta::set(const QString &key, const QString &value)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i].first != key)
            continue;
        if (value.isEmpty())
            fields.remove(i);
        else
            fields[i].second = value;
        return;
    }
    if (!value.isEmpty() && fits(key) && fits(value) && !key.isEmpty())
        fields.append({key, value});
}

int FileMeta::number(const QString &key, int fallback) const
{
    bool ok = false;
    const int n = value(key).toInt(&ok);
    return ok ? n : fallback;
}

QString FileMeta::toText() const
{
    QStringList pairs;
    for (const auto &f : fields)
        pairs << f.first + u'=' + f.second;
    return pairs.join(u' ');
}

FileMeta FileMeta::fromText(QStringView text)
{
    FileMeta m;
    for (const QStringView pair : text.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(u'=');
        if (eq > 0)
            m.set(pair.left(eq).toString(), pair.mid(eq + 1).toString());
    }
    return m;
}

} // namespace calc
