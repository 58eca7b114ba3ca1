// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Pictures of a run: the screen as an image (Save Screen, --record's
// frames) and an animation of what it showed, a frame each time it
// changed, timed by the calculator's pace clock (calc/basic/state/Pace.h), not by
// the computer's, so the delays are the same however fast the run went.
#include "calc/basic/screens/ColourScreen.h"
#include "calc/basic/screens/GraphScreen.h"
#include "calc/basic/screens/HomeScreen.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>
#include <vector>

namespace calculator
{

class ColourRecorder;

// What the calculator shows, 96 by 64, dark pixels black on white: the
// graph screen, or the home screen's rows (a waiting menu or prompt as the
// calculator draws it). Needs a QGuiApplication for the home screen's font.
QImage screenImage(const calc::basic::HomeScreen &home, const calc::basic::GraphScreen &graph,
                   bool graphShown);
// `scale` screen pixels per calculator pixel, 1 to 4.
bool writeScreenPng(const QImage &screen, int scale, const QString &path, QString *error);

class Recorder
{
public:
    static constexpr int kMaxFrames = 20000;
    static constexpr long long kMaxMicros = 600000000; // 10 minutes

    explicit Recorder(int maxFrames = kMaxFrames, long long maxMicros = kMaxMicros);
    ~Recorder();

    // The screen at calculator time `micros` (from the pace clock): a frame
    // when it differs from the last. False once the recording is full; it
    // then keeps what it has and takes no more.
    bool sample(const calc::basic::HomeScreen &home, const calc::basic::GraphScreen &graph,
                bool graphShown, long long micros);
    // The colour models' 320x240 screen: a recording sampled so is the
    // colour screen's throughout (ColourRecorder's frames).
    bool sample(const calc::basic::HomeScreen &home, const calc::basic::ColourScreen &screen,
                bool graphShown, long long micros);
    // The recording ends at `micros`: the last frame's length.
    void finish(long long micros);

    int frames() const;
    long long micros() const;
    bool full() const;
    // Why it stopped early, for the user; empty when it did not.
    QString fullMessage() const;
    // Each frame's delay in hundredths of a second: they add up to the
    // recorded time, rounded to the hundredth.
    std::vector<int> delays() const;
    QImage frame(int i) const;

    // An animated GIF, played once; whole or not at all.
    bool writeGif(const QString &path, int scale, QString *error) const;

private:
    struct Frame {
        QByteArray bits; // 96 by 64, a bit a pixel
        long long start;
    };
    void add(const QImage &image, long long micros);

    int maxFrames_;
    long long maxMicros_;
    std::unique_ptr<ColourRecorder> colour_;
    std::vector<Frame> frames_;
    long long end_ = 0;
    bool full_ = false;
    bool fullByTime_ = false;
    quint64 homeGeneration_ = ~0ull, graphGeneration_ = ~0ull;
    bool graphShown_ = false;
};

} // namespace calculator
