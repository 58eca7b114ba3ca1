// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FindText.h"

namespace editor
{

namespace
{

char16_t fold(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9');
}

bool matchesAt(QStringView text, QStringView needle, qsizetype at, const FindOptions &o,
               qsizetype rangeStart, qsizetype rangeEnd)
{
    if (at < rangeStart || at + needle.size() > rangeEnd)
        return false;
    for (qsizetype i = 0; i < needle.size(); ++i) {
        const char16_t a = text[at + i].unicode();
        const char16_t b = needle[i].unicode();
        if (a != b && (o.matchCase || fold(a) != fold(b)))
            return false;
    }
    if (o.wholeWord) {
        const qsizetype end = at + needle.size();
        if (at > 0 && isWordChar(text[at - 1]) && isWordChar(needle.front()))
            return false;
        if (end < text.size() && isWordChar(text[end]) && isWordChar(needle.back()))
            return false;
    }
    return true;
}

qsizetype scan(QStringView text, QStringView needle, qsizetype from, qsizetype to, bool backward,
               const FindOptions &o, qsizetype rangeStart, qsizetype rangeEnd)
{
    // `from` and `to` are start positions, `to` exclusive in the direction of travel.
    if (!backward) {
        for (qsizetype at = from; at < to; ++at)
            if (matchesAt(text, needle, at, o, rangeStart, rangeEnd))
                return at;
    } else {
        for (qsizetype at = from; at > to; --at)
            if (matchesAt(text, needle, at, o, rangeStart, rangeEnd))
                return at;
    }
    return -1;
}

} // namespace

Match findText(QStringView text, QStringView needle, int from, bool backward,
               const FindOptions &options, int rangeStart, int rangeEnd)
{
    const qsizetype start = qBound<qsizetype>(qsizetype(0), rangeStart, text.size());
    const qsizetype end = qBound<qsizetype>(start, rangeEnd, text.size());
    const qsizetype n = needle.size();
    if (n == 0 || end - start < n)
        return {};
    const qsizetype last = end - n; // the last place a match can start
    const qsizetype here = qBound<qsizetype>(start, from, end);
    qsizetype at;
    if (!backward) {
        at = scan(text, needle, here, last + 1, false, options, start, end);
        if (at < 0)
            at = scan(text, needle, start, qMin(here, last + 1), false, options, start, end);
    } else {
        const qsizetype first = qMin(here - n, last);
        at = scan(text, needle, first, start - 1, true, options, start, end);
        if (at < 0)
            at = scan(text, needle, last, first, true, options, start, end);
    }
    return at < 0 ? Match{} : Match{int(at), int(n)};
}

QVector<Match> findAll(QStringView text, QStringView needle, const FindOptions &options,
                       int rangeStart, int rangeEnd)
{
    QVector<Match> out;
    const qsizetype start = qBound<qsizetype>(qsizetype(0), rangeStart, text.size());
    const qsizetype end = qBound<qsizetype>(start, rangeEnd, text.size());
    if (needle.isEmpty())
        return out;
    for (qsizetype at = start; at + needle.size() <= end;) {
        if (matchesAt(text, needle, at, options, start, end)) {
            out.push_back(Match{int(at), int(needle.size())});
            at += needle.size();
        } else {
            ++at;
        }
    }
    return out;
}

bool isMatch(QStringView candidate, QStringView needle, const FindOptions &options)
{
    FindOptions o = options;
    o.wholeWord = false; // the selection's neighbours were checked when it was found
    return candidate.size() == needle.size() &&
           matchesAt(candidate, needle, 0, o, 0, candidate.size());
}

} // namespace editor
