// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculator's pace: a clock of calculator time that each statement
// moves on by what it costs on the calculator (the table in Pace.cpp), and
// that can hold the engine back to that pace. The engine asks it only when
// one is attached (Engine::setPace), so a run at full speed without one
// pays nothing for it.
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <unordered_map>
#include <vector>

namespace calc::basic
{

struct Chunk;

class Pace
{
public:
    enum class Speed { Fast, Calculator };

    explicit Pace(Speed speed = Speed::Fast) : speed_(speed) {}
    Speed speed() const { return speed_; }
    void setSpeed(Speed speed);

    // Calculator time so far, in microseconds.
    long long micros() const { return now_; }

    // Each statement's cost, in microseconds, by where it starts in
    // `tokens`: what the table says of its command, End as the pass of the
    // block it closes. Output('s characters are charged as it runs.
    static std::unordered_map<int, int> costs(const QByteArray &tokens);

    // Called with the time before each statement (the screen then shows
    // what the statements before it drew); a recorder's frames hang here.
    std::function<void(long long micros)> onStatement;
    // How the engine waits at calculator speed; unset, the thread sleeps.
    std::function<void(long long micros)> sleep;

    // The engine's side.
    void learn(const Chunk *chunk, const QByteArray &tokens);
    void statement(const Chunk *chunk, int from, int to);
    void charge(long long micros) { now_ += micros; }
    // The program ended: the screen as its last statement left it.
    void end()
    {
        if (onStatement)
            onStatement(now_);
    }
    // Output( of a text this long.
    void output(int chars);

private:
    void keepPace();

    struct Program {
        QByteArray tokens;
        std::unordered_map<int, int> costs;
    };
    Speed speed_;
    long long now_ = 0;
    std::unordered_map<const Chunk *, Program> programs_;
    const Chunk *lastChunk_ = nullptr;
    Program *last_ = nullptr;
    QElapsedTimer real_;
    long long realBase_ = 0; // calculator time when real_ started
};

// "about 4.2 s on a calculator"
QString estimateText(long long micros);

} // namespace calc::basic
