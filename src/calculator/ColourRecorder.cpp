// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/ColourRecorder.h"

#include "calculator/ColourImage.h"
#include "calculator/GifWriter.h"

namespace calculator
{

using calc::basic::ColourScreen;

namespace
{

constexpr int kWidth = kColourScreenWidth, kHeight = kColourScreenHeight;
constexpr int kNamed = 19; // fifteen colours, four borders

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
    if (!frames_.empty() && gif::hundredths(frames_.back().start) == gif::hundredths(micros)) {
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
    return gif::fullMessage(full_, fullByTime_, kMaxFrames);
}

std::vector<int> ColourRecorder::delays() const
{
    std::vector<long long> starts;
    for (const Frame &f : frames_)
        starts.push_back(f.start);
    return gif::delays(starts, end_);
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
    return gif::write(
        path, kWidth, kHeight, scale, std::vector<QRgb>(palette_.begin(), palette_.end()), delays(),
        [this](size_t i, int x, int y) { return int(uchar(frames_[i].index[y * kWidth + x])); },
        error);
}

} // namespace calculator
