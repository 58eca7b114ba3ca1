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

} // namespace rtf
