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
        return QStringLiteral("Calculator's own USB port (TI-84 Plus, TI-84 Plus CE)");
    case Cable::Silver:
        break;
    }
    return QStringLiteral("SilverLink (USB)");
}

QString cableMessage(Cable cable, int port, bool devicePresent)
{
    const QString help = QStringLiteral(" (help page %1)").arg(QLatin1String(kCableHelpPage));
    if (cable == Cable::Grey)
        return QStringLiteral("The serial port %1 could not be opened. Check the port chosen and "
                              "that you may use it, as Permissions on the help page about the "
                              "link cable says%2.")
            .arg(port)
            .arg(help);
    if (devicePresent)
        return QStringLiteral("The calculator's cable is plugged in, but this account may not "
                              "use it. On a computer's own screen Debian allows it by itself; "
                              "in a remote session add the rule the help page gives%1.")
            .arg(help);
    if (cable == Cable::Usb)
        return QStringLiteral("No calculator is connected. Plug its USB cable into this computer "
                              "and turn the calculator on, then try again%1.")
            .arg(help);
    return QStringLiteral("No SilverLink cable is plugged in. Plug it into this computer and "
                          "into the calculator, then try again%1.")
        .arg(help);
}

QString modelTitle(Model model)
{
    switch (model) {
    case Model::Ti83Plus:
        return QStringLiteral("TI-83 Plus");
    case Model::Ti84Plus:
        return QStringLiteral("TI-84 Plus");
    case Model::Ti84PlusCSE:
        return QStringLiteral("TI-84 Plus C Silver Edition");
    case Model::Ti83PremiumCE:
        return QStringLiteral("TI-83 Premium CE");
    case Model::Ti84PlusCE:
        return QStringLiteral("TI-84 Plus CE");
    case Model::Unknown:
        break;
    }
    return QStringLiteral("calculator");
}

bool decodeMono(const QByteArray &bits, int width, int height, Screenshot *out)
{
    const int stride = (width + 7) / 8;
    if (width <= 0 || height <= 0 || bits.size() < stride * height)
        return false;
    out->width = width;
    out->height = height;
    out->pixels.resize(qsizetype(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool dark = quint8(bits[y * stride + x / 8]) & (0x80 >> (x % 8));
            out->pixels[y * width + x] = dark ? 0xFF000000u : 0xFFFFFFFFu;
        }
    }
    return true;
}

bool decodeRgb565(const QByteArray &bytes, int width, int height, Screenshot *out)
{
    if (width <= 0 || height <= 0 || bytes.size() < qsizetype(width) * height * 2)
        return false;
    out->width = width;
    out->height = height;
    out->pixels.resize(qsizetype(width) * height);
    for (qsizetype i = 0; i < out->pixels.size(); ++i) {
        const quint16 p = quint16(quint8(bytes[2 * i]) | quint8(bytes[2 * i + 1]) << 8);
        // Each channel widened so that full scale stays full scale.
        const quint32 r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
        out->pixels[i] =
            0xFF000000u | (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
    }
    return true;
}

} // namespace calclink
