// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/Pace.h"

#include "calc/basic/core/Engine.h"

#include <QMutexLocker>

namespace calculator
{

std::unique_ptr<Recorder> Pace::takeRecording()
{
    QMutexLocker lock(&mutex_);
    return std::move(done_);
}

void Pace::attach(calc::basic::Engine &engine)
{
    pace_ = std::make_unique<calc::basic::Pace>(speed_);
    pace_->onStatement = [this, &engine](long long micros) { atStatement(engine, micros); };
    engine.setPace(pace_.get());
    runMicros_ = 0;
}

bool Pace::stopRecording()
{
    wanted_ = false;
    QMutexLocker lock(&mutex_);
    if (!recording_)
        return false;
    endRecording(lastMicros_);
    lock.unlock();
    if (recordingEnded)
        recordingEnded();
    return true;
}

void Pace::ended(calc::basic::Engine &engine)
{
    if (!pace_)
        return;
    runMicros_ = pace_->micros();
    engine.setPace(nullptr);
    QMutexLocker lock(&mutex_);
    if (!recording_)
        return;
    endRecording(pace_->micros());
    lock.unlock();
    if (recordingEnded)
        recordingEnded();
}

void Pace::atStatement(calc::basic::Engine &engine, long long micros)
{
    const Speed speed = speed_;
    if (speed != pace_->speed())
        pace_->setSpeed(speed);
    if (!wanted_ && !active_)
        return;
    QMutexLocker lock(&mutex_);
    lastMicros_ = micros;
    if (wanted_ && !recording_) {
        recording_ = std::make_unique<Recorder>();
        recordingStart_ = micros;
        active_ = true;
    }
    if (!recording_)
        return;
    const bool room = recording_->sample(engine.screen(), engine.graph(), engine.graphShown(),
                                         micros - recordingStart_);
    frames_ = recording_->frames();
    micros_ = micros - recordingStart_;
    if (room)
        return;
    endRecording(micros);
    lock.unlock();
    if (recordingEnded)
        recordingEnded();
}

void Pace::endRecording(long long micros)
{
    recording_->finish(micros - recordingStart_);
    frames_ = recording_->frames();
    micros_ = recording_->micros();
    wanted_ = false;
    active_ = false;
    done_ = std::move(recording_);
}

} // namespace calculator
