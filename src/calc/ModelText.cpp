// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/ModelText.h"

namespace calc
{

namespace
{

// Unicode of the Windows-1252 bytes 0x80-0x9F; 0 where the byte is undefined.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QChar modelToDisplay(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0x80 && u < 0xA0 && kCp1252High[u - 0x80])
        return QChar(kCp1252High[u - 0x80]);
    return c;
}

QChar displayToModel(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x152 || u > 0x2122)
        return c;
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == u)
            return QChar(char16_t(0x80 + i));
    return c;
}

} // namespace calc
