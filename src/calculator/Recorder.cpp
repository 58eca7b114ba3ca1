// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/Recorder.h"

#include "calculator/GraphImage.h"

#include <QHash>
#include <QMutex>
#include <QSaveFile>

#include <gif_lib.h>

#include <array>

namespace calculator
{

using calc::basic::GraphScreen;
using calc::basic::HomeScreen;

namespace
{

constexpr int kWidth = GraphScreen::kWidth, kHeight = GraphScreen::kHeight;
constexpr int kCellWidth = 6, kCellHeight = 8;

using Glyph = std::array<bool, kCellWidth * kCellHeight>;

// The home screen's letters, drawn once each as Text(⁻1 draws them.
Glyph glyph(QChar c)
{
    static QMutex mutex;
    static QHash<QChar, Glyph> glyphs;
    QMutexLocker lock(&mutex);
    auto it = glyphs.constFind(c);
    if (it != glyphs.constEnd())
        return *it;
    GraphScreen cell;
    drawGraphLargeText(cell, 0, 0, QString(c));
    Glyph g{};
    for (int r = 0; r < kCellHeight; ++r)
        for (int k = 0; k < kCellWidth; ++k)
            g[r * kCellWidth + k] = cell.pixel(r, k);
    glyphs.insert(c, g);
    return g;
}

// The rows the calculator shows, as the window draws them.
QStringList homeRows(const HomeScreen &home, int *inverseRow)
{
    QStringList rows;
    for (int r = 0; r < HomeScreen::kRows; ++r)
        rows << home.row(r);
    *inverseRow = -1;
    if (!home.menu().isEmpty()) {
        rows = QStringList(HomeScreen::kRows, QString());
        rows[0] = home.menu().value(0);
        for (int i = 1; i < home.menu().size() && i < HomeScreen::kRows; ++i)
            rows[i] = QStringLiteral("%1:%2").arg(i).arg(home.menu()[i]);
        *inverseRow = 0;
    } else if (!home.prompt().isNull()) {
        int at = home.cursorRow();
        if (at >= HomeScreen::kRows - 1) {
            rows.removeFirst();
            rows.append(QString());
            at = HomeScreen::kRows - 2;
        }
        rows[at] = home.prompt().right(HomeScreen::kColumns);
    }
    return rows;
}

QByteArray bitsOf(const QImage &image)
{
    QByteArray bits(kWidth * kHeight / 8, '\0');
    for (int r = 0; r < kHeight; ++r) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(r));
        for (int c = 0; c < kWidth; ++c)
            if (qGray(line[c]) < 128)
                bits[(r * kWidth + c) / 8] = char(bits[(r * kWidth + c) / 8] | 1 << (c % 8));
    }
    return bits;
}

bool bit(const QByteArray &bits, int r, int c)
{
    return bits[(r * kWidth + c) / 8] >> (c % 8) & 1;
}

// Hundredths of a second, rounded: the GIF's unit.
long long hundredths(long long micros)
{
    return (micros + 5000) / 10000;
}

int writeToFile(GifFileType *gif, const GifByteType *data, int size)
{
    auto *f = static_cast<QSaveFile *>(gif->UserData);
    return int(f->write(reinterpret_cast<const char *>(data), size));
}

} // namespace

QImage screenImage(const HomeScreen &home, const GraphScreen &graph, bool graphShown)
{
    if (graphShown && home.menu().isEmpty() && home.prompt().isNull())
        return graphImage(graph);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    int inverse = -1;
    const QStringList rows = homeRows(home, &inverse);
    for (int r = 0; r < HomeScreen::kRows; ++r) {
        for (int c = 0; c < HomeScreen::kColumns; ++c) {
            const QChar ch = c < rows[r].size() ? rows[r][c] : QLatin1Char(' ');
            const Glyph g = ch == QLatin1Char(' ') ? Glyph{} : glyph(ch);
            for (int y = 0; y < kCellHeight; ++y) {
                auto *line = reinterpret_cast<QRgb *>(image.scanLine(r * kCellHeight + y));
                for (int x = 0; x < kCellWidth; ++x) {
                    const bool dark = g[y * kCellWidth + x] != (r == inverse);
                    line[c * kCellWidth + x] = dark ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                }
            }
        }
    }
    return image;
}

bool writeScreenPng(const QImage &screen, int scale, const QString &path, QString *error)
{
    QSaveFile f(path);
    const QImage big =
        screen.scaled(screen.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!f.open(QIODevice::WriteOnly) || !big.save(&f, "PNG") || !f.commit()) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

bool Recorder::sample(const HomeScreen &home, const GraphScreen &graph, bool graphShown,
                      long long micros)
{
    if (full_)
        return false;
    if (micros >= maxMicros_) {
        full_ = fullByTime_ = true;
        end_ = maxMicros_;
        return false;
    }
    end_ = micros;
    // Most statements draw nothing: the counters say so without a picture.
    if (home.generation() == homeGeneration_ && graph.generation() == graphGeneration_ &&
        graphShown == graphShown_ && !frames_.empty())
        return true;
    homeGeneration_ = home.generation();
    graphGeneration_ = graph.generation();
    graphShown_ = graphShown;
    add(screenImage(home, graph, graphShown), micros);
    return !full_;
}

void Recorder::finish(long long micros)
{
    if (!full_)
        end_ = micros;
}

void Recorder::add(const QImage &image, long long micros)
{
    const QByteArray bits = bitsOf(image);
    if (!frames_.empty() && frames_.back().bits == bits)
        return;
    // A frame that would last less than a hundredth gives way to the next.
    if (!frames_.empty() && hundredths(frames_.back().start) == hundredths(micros)) {
        frames_.back().bits = bits;
        if (frames_.size() > 1 && frames_[frames_.size() - 2].bits == bits)
            frames_.pop_back();
        return;
    }
    if (int(frames_.size()) >= maxFrames_) {
        full_ = true;
        return;
    }
    frames_.push_back({bits, micros});
}

QString Recorder::fullMessage() const
{
    if (!full_)
        return QString();
    if (fullByTime_)
        return QStringLiteral("The recording stopped after 10 minutes of calculator time, the "
                              "most it holds; it keeps what it has.");
    return QStringLiteral("The recording stopped at %1 frames, the most it holds; it keeps what "
                          "it has.")
        .arg(maxFrames_);
}

std::vector<int> Recorder::delays() const
{
    std::vector<int> out;
    for (size_t i = 0; i < frames_.size(); ++i) {
        const long long next = i + 1 < frames_.size() ? frames_[i + 1].start : end_;
        out.push_back(int(hundredths(next) - hundredths(frames_[i].start)));
    }
    return out;
}

QImage Recorder::frame(int i) const
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int r = 0; r < kHeight; ++r) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(r));
        for (int c = 0; c < kWidth; ++c)
            line[c] = bit(frames_[size_t(i)].bits, r, c) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
    return image;
}

bool Recorder::writeGif(const QString &path, int scale, QString *error) const
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
    GifColorType colours[2] = {{255, 255, 255}, {0, 0, 0}};
    ColorMapObject *map = GifMakeMapObject(2, colours);
    bool ok = EGifPutScreenDesc(gif, w, h, 1, 0, map) == GIF_OK;
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
                line[size_t(x)] = bit(frames_[i].bits, y / scale, x / scale) ? 1 : 0;
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
