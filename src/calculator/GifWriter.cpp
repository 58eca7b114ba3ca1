// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/GifWriter.h"

#include <QSaveFile>

#include <gif_lib.h>

namespace calculator::gif
{

namespace
{

int writeToFile(GifFileType *gif, const GifByteType *data, int size)
{
    auto *f = static_cast<QSaveFile *>(gif->UserData);
    return int(f->write(reinterpret_cast<const char *>(data), size));
}

} // namespace

long long hundredths(long long micros)
{
    return (micros + 5000) / 10000;
}

std::vector<int> delays(const std::vector<long long> &starts, long long end)
{
    std::vector<int> out;
    for (size_t i = 0; i < starts.size(); ++i) {
        const long long next = i + 1 < starts.size() ? starts[i + 1] : end;
        out.push_back(int(hundredths(next) - hundredths(starts[i])));
    }
    return out;
}

QString fullMessage(bool full, bool byTime, int maxFrames)
{
    if (!full)
        return QString();
    if (byTime)
        return QStringLiteral("The recording stopped after 10 minutes of calculator time, the "
                              "most it holds; it keeps what it has.");
    return QStringLiteral("The recording stopped at %1 frames, the most it holds; it keeps what "
                          "it has.")
        .arg(maxFrames);
}

bool write(const QString &path, int width, int height, int scale, const std::vector<QRgb> &palette,
           const std::vector<int> &delays,
           const std::function<int(size_t frame, int x, int y)> &pixel, QString *error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    int code = 0;
    GifFileType *gif = EGifOpen(&f, writeToFile, &code);
    if (!gif) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, GifErrorString(code));
        return false;
    }
    // giflib's colour maps hold a power of two of entries.
    int bits = 1;
    while ((size_t(1) << bits) < palette.size())
        ++bits;
    std::vector<GifColorType> colours(size_t(1) << bits, GifColorType{0, 0, 0});
    for (size_t k = 0; k < palette.size(); ++k)
        colours[k] = {GifByteType(qRed(palette[k])), GifByteType(qGreen(palette[k])),
                      GifByteType(qBlue(palette[k]))};
    const int w = width * scale, h = height * scale;
    ColorMapObject *map = GifMakeMapObject(int(colours.size()), colours.data());
    bool ok = EGifPutScreenDesc(gif, w, h, bits, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    for (size_t i = 0; ok && i < delays.size(); ++i) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.DelayTime = delays[i];
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y) {
            for (int x = 0; x < w; ++x)
                line[size_t(x)] = GifPixelType(pixel(i, x / scale, y / scale));
            ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
        }
    }
    if (EGifCloseFile(gif, &code) != GIF_OK)
        ok = false;
    if (!ok || !f.commit()) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

} // namespace calculator::gif
