// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rtf/RtfCodec.h"

namespace rtf
{

QString Document::text() const
{
    qsizetype size = 0;
    for (const Run &r : runs)
        size += r.text.size();
    QString t;
    t.reserve(size);
    for (const Run &r : runs)
        t += r.text;
    return t;
}

QString Document::mainFontName() const
{
    int f = 0;
    for (const Run &r : runs)
        if (!r.text.isEmpty()) {
            f = r.format.font;
            break;
        }
    if (f >= 0 && f < fonts.size())
        return fonts[f].name;
    return fonts.isEmpty() ? QString() : fonts[0].name;
}

int Document::mainHalfPoints() const
{
    for (const Run &r : runs)
        if (!r.text.isEmpty())
            return r.format.halfPoints;
    // No text: the size that the document's last paragraph mark is written in.
    return runs.isEmpty() ? halfPoints : runs.back().format.halfPoints;
}

namespace
{

// "{\*\word" followed by a delimiter: the destination's start as written.
qsizetype bodyStart(const QByteArray &group, QLatin1String word)
{
    const QByteArray head = QByteArray("{\\*\\") + QByteArray(word.data(), word.size());
    if (!group.startsWith(head) || group.size() <= head.size())
        return -1;
    const char next = group.at(head.size());
    if (next == ' ')
        return head.size() + 1;
    return (next == '}' || next == '{' || next == '\\' || next == '\r' || next == '\n')
               ? head.size()
               : -1; // a longer word
}

} // namespace

QString keptText(const QVector<QByteArray> &kept, QLatin1String word)
{
    for (const QByteArray &group : kept) {
        const qsizetype at = bodyStart(group, word);
        if (at < 0)
            continue;
        QString text;
        // Only the escapes setKept() writes; groups and other words carry no text.
        for (qsizetype i = at; i < group.size() - 1; ++i) {
            const char c = group.at(i);
            if (c == '\\' && i + 1 < group.size() - 1 &&
                QByteArray("\\{}").contains(group.at(i + 1)))
                text += QLatin1Char(group.at(++i));
            else if (c != '\r' && c != '\n')
                text += QLatin1Char(c);
        }
        return text;
    }
    return QString();
}

void setKept(QVector<QByteArray> *kept, QLatin1String word, const QString &text)
{
    for (qsizetype i = kept->size() - 1; i >= 0; --i)
        if (bodyStart(kept->at(i), word) >= 0)
            kept->remove(i);
    if (text.isEmpty())
        return;
    QByteArray group = QByteArray("{\\*\\") + QByteArray(word.data(), word.size()) + ' ';
    for (const char c : text.toLatin1()) {
        if (c == '\\' || c == '{' || c == '}')
            group += '\\';
        group += c;
    }
    kept->append(group + '}');
}

} // namespace rtf
