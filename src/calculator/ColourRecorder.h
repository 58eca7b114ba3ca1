// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// --record on the colour models: the 320x240 screen (ColourImage.h) a frame
// each time it changes, timed by the pace clock as Recorder times the
// monochrome screens. Frames are kept as indices into one 256-colour
// palette: the fifteen colours, the border colours and a 6x6x6 cube for
// the rest (an image's colours come out near, not exact).
#include "calc/basic/screens/ColourScreen.h"
#include "calc/basic/screens/HomeScreen.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace calculator
{

class ColourRecorder
{
public:
    static constexpr int kMaxFrames = 2000;
    static constexpr long long kMaxMicros = 600000000; // 10 minutes

    ColourRecorder();
    // As Recorder::sample; false once full.
    bool sample(const calc::basic::HomeScreen &home, const calc::basic::ColourScreen &screen,
                bool graphShown, long long micros);
    void finish(long long micros);
    int frames() const { return int(frames_.size()); }
    long long micros() const { return end_; }
    bool full() const { return full_; }
    QString fullMessage() const;
    std::vector<int> delays() const;
    QImage frame(int i) const;
    bool writeGif(const QString &path, int scale, QString *error) const;

private:
    struct Frame {
        QByteArray index; // a palette index a pixel
        long long start;
    };
    QByteArray indexed(const QImage &image) const;

    std::vector<std::uint32_t> palette_;
    std::vector<Frame> frames_;
    long long end_ = 0;
    bool full_ = false;
    bool fullByTime_ = false;
    quint64 homeGeneration_ = ~0ull, screenGeneration_ = ~0ull;
    bool graphShown_ = false;
};

} // namespace calculator
