// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/ImageFile.h"

#include <QDir>
#include <QFile>

namespace calc::imagefile
{

namespace
{

constexpr int kAreaWidth = 265, kAreaHeight = 165;
constexpr int kHeaderSize = 55; // signature, comment, data length
constexpr int kImageType = 0x1A;
constexpr int kRowBytes = kWidth * 2 + 2;
constexpr int kDataBytes = 3 + kHeight * kRowBytes; // size word, 0x81, rows

int word(const QByteArray &b, int at)
{
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

std::uint32_t rgb888(int c)
{
    const int r = (c >> 11) & 0x1F, g = (c >> 5) & 0x3F, b = c & 0x1F;
    return std::uint32_t((r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2));
}

} // namespace

Image read(const QByteArray &file)
{
    Image out;
    if (file.size() < kHeaderSize + 2 || !file.startsWith("**TI83F*")) {
        out.error = QStringLiteral("not a calculator file");
        return out;
    }
    const int entry = kHeaderSize;
    const int headerLength = word(file, entry);
    if (headerLength != 11 && headerLength != 13) {
        out.error = QStringLiteral("the variable's header is damaged");
        return out;
    }
    const int type = static_cast<unsigned char>(file[entry + 4]);
    const int first = static_cast<unsigned char>(file[entry + 5]);
    const int second = static_cast<unsigned char>(file[entry + 6]);
    if (type != kImageType || first != 0x3C || second > 9) {
        out.error = QStringLiteral("not an Image variable");
        return out;
    }
    const int data = entry + 2 + headerLength + 2;
    if (file.size() < data + kDataBytes || word(file, data - 2) < kDataBytes) {
        out.error = QStringLiteral("the image is cut short");
        return out;
    }
    // Image1 is stored as 0 ... Image9 as 8, Image0 as 9.
    out.slot = second == 9 ? 0 : second + 1;
    out.pixels.assign(std::size_t(kAreaWidth) * kAreaHeight, 0xFFFFFF);
    for (int stored = 0; stored < kHeight; ++stored) {
        const int y = kHeight - 1 - stored;
        const int row = data + 3 + stored * kRowBytes;
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t rgb = rgb888(word(file, row + 2 * x));
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const int r = 2 * y + dy, c = 2 * x + dx;
                    if (r < kAreaHeight && c < kAreaWidth)
                        out.pixels[std::size_t(r) * kAreaWidth + c] = rgb;
                }
        }
    }
    return out;
}

bool findInFolder(const QString &folder, int slot, std::vector<std::uint32_t> *pixels)
{
    if (folder.isEmpty())
        return false;
    for (const QFileInfo &f : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
        QFile file(f.filePath());
        if (f.suffix().compare(QLatin1String("8ca"), Qt::CaseInsensitive) != 0 ||
            f.size() > 70000 || !file.open(QIODevice::ReadOnly))
            continue;
        Image image = read(file.readAll());
        if (image.ok() && image.slot == slot) {
            *pixels = std::move(image.pixels);
            return true;
        }
    }
    return false;
}

} // namespace calc::imagefile
