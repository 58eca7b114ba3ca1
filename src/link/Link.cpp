// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/Link.h"

namespace calclink
{

QString cableKey(Cable cable)
{
    switch (cable) {
    case Cable::Grey:
        return QStringLiteral("grey");
    case Cable::Usb:
        return QStringLiteral("usb");
    case Cable::Silver:
        break;
    }
    return QStringLiteral("silver");
}

bool cableFromKey(const QString &key, Cable *cable)
{
    for (Cable c : {Cable::Silver, Cable::Grey, Cable::Usb}) {
        if (key.compare(cableKey(c), Qt::CaseInsensitive) == 0) {
            *cable = c;
            return true;
        }
    }
    return false;
}

QString cableTitle(Cable cable)
{
    switch (cable) {
    case Cable::Grey:
        return QStringLiteral("Grey serial cable");
    case Cable::Usb:
        return QStringLiteral("Calculator's own USB port (TI-84 Plus)");
    case Cable::Silver:
        break;
    }
    return QStringLiteral("SilverLink (USB)");
}

} // namespace calclink
