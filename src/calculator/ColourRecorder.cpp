// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/ColourRecorder.h"

#include "calculator/ColourImage.h"

#include <QSaveFile>

#include <gif_lib.h>

namespace calculator
{

using calc::basic::ColourScreen;

namespace
{

constexpr int kWidth = kColourScreenWidth, kHeight = kColourScreenHeight;
constexpr int kNamed = 19; // fifteen colours, four borders

long long hundredths(long long micros)
{
    return (micros + 5000) / 10000;
}

int writeToFile(GifFileType *gif, const GifByteType *data, int size)
{
    auto *f = static_cast<QSaveFile *>(gif->UserData);
    return int(f->write(reinterpret_cast<const char *>(data), size));
}

int cubeLevel(int v)
{
    return (v * 5 + 127) / 255;
}

} // namespace

ColourRecorder::ColourRecorder()
{
    for (int c = calc::basic::Blue; c <= calc::basic::DarkGray; ++c)
        palette_.push_back(calc::basic::colourRgb(c));
    for (int b = 1; b <= 4; ++b)
        palette_.push_back(calc::basic::borderRgb(b));
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette_.push_back(std::uint32_t(r * 51 << 16 | g * 51 << 8 | b * 51));
}

QByteArray ColourRecorder::indexed(const QImage &image) const
{
    QByteArray out(kWidth * kHeight, '\0');
    for (int y = 0; y < kHeight; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t rgb = line[x] & 0xFFFFFF;
            int k = 0;
            while (k < kNamed && palette_[size_t(k)] != rgb)
                ++k;
            if (k == kNamed)
                k = kNamed + cubeLevel(qRed(rgb)) * 36 + cubeLevel(qGreen(rgb)) * 6 +
                    cubeLevel(qBlue(rgb));
            out[y * kWidth + x] = char(k);
        }
    }
    return out;
}

bool ColourRecorder::sample(const calc::basic::HomeScreen &home, const ColourScreen &screen,
                            bool graphShown, long long micros)
{
    if (full_)
        return false;
    if (micros >= kMaxMicros) {
        full_ = fullByTime_ = true;
        end_ = kMaxMicros;
        return false;
    }
    end_ = micros;
    if (home.generation() == homeGeneration_ && screen.generation() == screenGeneration_ &&
        graphShown == graphShown_ && !frames_.empty())
        return true;
    homeGeneration_ = home.generation();
    screenGeneration_ = screen.generation();
    graphShown_ = graphShown;
    const bool waiting = !home.menu().isEmpty() || !home.prompt().isNull();
    const QByteArray index =
        indexed(colourScreenImage(screen, graphShown && !waiting, homeRows(home)));
    if (!frames_.empty() && frames_.back().index == index)
        return true;
    // A frame that would last less than a hundredth gives way to the next.
    if (!frames_.empty() && hundredths(frames_.back().start) == hundredths(micros)) {
        frames_.back().index = index;
        if (frames_.size() > 1 && frames_[frames_.size() - 2].index == index)
            frames_.pop_back();
        return true;
    }
    if (int(frames_.size()) >= kMaxFrames) {
        full_ = true;
        return false;
    }
    frames_.push_back({index, micros});
    return true;
}

void ColourRecorder::finish(long long micros)
{
    if (!full_)
        end_ = micros;
}

QString ColourRecorder::fullMessage() const
{
    if (!full_)
        return QString();
    if (fullByTime_)
        return QStringLiteral("The recording stopped after 10 minutes of calculator time, the "
                              "most it holds; it keeps what it has.");
    return QStringLiteral("The recording stopped at %1 frames, the most it holds; it keeps what "
                          "it has.")
        .arg(kMaxFrames);
}

std::vector<int> ColourRecorder::delays() const
{
    std::vector<int> out;
    for (size_t i = 0; i < frames_.size(); ++i) {
        const long long next = i + 1 < frames_.size() ? frames_[i + 1].start : end_;
        out.push_back(int(hundredths(next) - hundredths(frames_[i].start)));
    }
    return out;
}

QImage ColourRecorder::frame(int i) const
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const QByteArray &index = frames_[size_t(i)].index;
    for (int y = 0; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            line[x] = 0xFF000000u | palette_[size_t(uchar(index[y * kWidth + x]))];
    }
    return image;
}

bool ColourRecorder::writeGif(const QString &path, int scale, QString *error) const
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
    const int w = kWidth * scale, h = kHeight * scale;
    std::vector<GifColorType> colours(256, GifColorType{0, 0, 0});
    for (size_t k = 0; k < palette_.size(); ++k)
        colours[k] = {GifByteType(palette_[k] >> 16), GifByteType(palette_[k] >> 8),
                      GifByteType(palette_[k])};
    ColorMapObject *map = GifMakeMapObject(256, colours.data());
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    const std::vector<int> delay = delays();
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    for (size_t i = 0; ok && i < frames_.size(); ++i) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.DelayTime = delay[i];
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y) {
            for (int x = 0; x < w; ++x)
                line[size_t(x)] =
                    GifPixelType(uchar(frames_[i].index[(y / scale) * kWidth + x / scale]));
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

} // namespace calculator
