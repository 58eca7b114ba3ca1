// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/Recorder.h"

#include "calculator/ColourRecorder.h"
#include "calculator/GifWriter.h"
#include "calculator/GraphImage.h"

#include <QHash>
#include <QMutex>
#include <QSaveFile>

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
Glyph glyph(const QString &c)
{
    static QMutex mutex;
    static QHash<QString, Glyph> glyphs;
    QMutexLocker lock(&mutex);
    auto it = glyphs.constFind(c);
    if (it != glyphs.constEnd())
        return *it;
    GraphScreen cell;
    drawGraphLargeText(cell, 0, 0, c);
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
        const QStringList cells = calc::basic::screenCells(rows[r]);
        for (int c = 0; c < HomeScreen::kColumns; ++c) {
            const QString ch = c < cells.size() ? cells[c] : QStringLiteral(" ");
            const Glyph g = ch == QLatin1String(" ") ? Glyph{} : glyph(ch);
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

Recorder::Recorder(int maxFrames, long long maxMicros)
    : maxFrames_(maxFrames), maxMicros_(maxMicros)
{
}

Recorder::~Recorder() = default;

bool Recorder::sample(const HomeScreen &home, const calc::basic::ColourScreen &screen,
                      bool graphShown, long long micros)
{
    if (!colour_)
        colour_ = std::make_unique<ColourRecorder>();
    return colour_->sample(home, screen, graphShown, micros);
}

int Recorder::frames() const
{
    return colour_ ? colour_->frames() : int(frames_.size());
}

long long Recorder::micros() const
{
    return colour_ ? colour_->micros() : end_;
}

bool Recorder::full() const
{
    return colour_ ? colour_->full() : full_;
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
    if (colour_)
        colour_->finish(micros);
    if (!full_)
        end_ = micros;
}

void Recorder::add(const QImage &image, long long micros)
{
    const QByteArray bits = bitsOf(image);
    if (!frames_.empty() && frames_.back().bits == bits)
        return;
    // A frame that would last less than a hundredth gives way to the next.
    if (!frames_.empty() && gif::hundredths(frames_.back().start) == gif::hundredths(micros)) {
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
    if (colour_)
        return colour_->fullMessage();
    return gif::fullMessage(full_, fullByTime_, maxFrames_);
}

std::vector<int> Recorder::delays() const
{
    if (colour_)
        return colour_->delays();
    std::vector<long long> starts;
    for (const Frame &f : frames_)
        starts.push_back(f.start);
    return gif::delays(starts, end_);
}

QImage Recorder::frame(int i) const
{
    if (colour_)
        return colour_->frame(i);
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
    if (colour_)
        return colour_->writeGif(path, scale, error);
    return gif::write(
        path, kWidth, kHeight, scale, std::vector<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0)},
        delays(), [this](size_t i, int x, int y) { return bit(frames_[i].bits, y, x) ? 1 : 0; },
        error);
}

} // namespace calculator
