// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A session's calculator clock and recording. The window sets the speed
// and starts or stops a recording at any time; the worker running the
// program attaches a fresh clock to the engine for each run and feeds the
// recording from it, so its frames are timed in calculator time.
#include "calc/basic/state/Pace.h"
#include "calculator/Recorder.h"

#include <QMutex>

#include <atomic>
#include <functional>
#include <memory>

namespace calc::basic
{
class Engine;
}

namespace calculator
{

class Pace
{
public:
    using Speed = calc::basic::Pace::Speed;

    // The window's side.
    void setSpeed(Speed speed) { speed_ = speed; }
    Speed speed() const { return speed_; }
    // A recording starts at the next statement (of this run or the next)
    // and ends at stopRecording() (at once, even while the program waits
    // for a key or an answer), at the run's end or when it is full.
    void startRecording() { wanted_ = true; }
    // False when none had started: there is nothing to end.
    bool stopRecording();
    bool recordingWanted() const { return wanted_; }
    int recordedFrames() const { return frames_; }
    long long recordedMicros() const { return micros_; }
    // The recording that ended, once.
    std::unique_ptr<Recorder> takeRecording();
    // The last run's time on a calculator.
    long long runMicros() const { return runMicros_; }
    // Called on the worker when a recording has ended.
    std::function<void()> recordingEnded;

    // The worker's side: before and after a run.
    void attach(calc::basic::Engine &engine);
    void ended(calc::basic::Engine &engine);

private:
    void atStatement(calc::basic::Engine &engine, long long micros);
    // With mutex_ held; recordingEnded is called once it is released.
    void endRecording(long long micros);

    std::atomic<Speed> speed_{Speed::Fast};
    std::atomic<bool> wanted_{false};
    std::atomic<bool> active_{false}; // recording_ is there
    std::atomic<int> frames_{0};
    std::atomic<long long> micros_{0};
    std::atomic<long long> runMicros_{0};

    // The worker's own.
    std::unique_ptr<calc::basic::Pace> pace_;

    QMutex mutex_; // guards the recordings
    std::unique_ptr<Recorder> recording_;
    long long recordingStart_ = 0;
    long long lastMicros_ = 0; // of the last statement seen
    std::unique_ptr<Recorder> done_;
};

} // namespace calculator
