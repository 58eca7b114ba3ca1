// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One program running beside the interface: the engine works on a thread of
// its own, and the window above talks to it only through this class. The
// worker asks before each statement whether to stop or pause, so Stop ends
// even a tight loop at once, and it hands out copies of the screens only
// when asked (at most as often as the window repaints).
#include "calc/basic/core/Engine.h"
#include "calculator/Pace.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace calculator
{

class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QObject *parent = nullptr);
    ~Session() override;

    // What the window shows: copies taken on the worker.
    struct Frame {
        calc::basic::HomeScreen home;
        calc::basic::GraphScreen graph;
        bool graphShown = false;
        // The colour models' graph area; null on the others.
        std::shared_ptr<const calc::basic::ColourScreen> colour;
        QList<QPair<QString, QString>> variables; // filled when paused or ended
    };

    enum class Wait { None, Answer, Enter, Paused };

    // Called on the worker: find another program (prgmNAME), draw Text(.
    std::function<bool(const QString &name, QByteArray *tokens)> findProgram;
    std::function<void(calc::basic::GraphScreen &, int, int, const QString &)> drawText;
    std::function<void(calc::basic::GraphScreen &, int, int, const QString &)> drawLargeText;
    std::function<void(calc::basic::ColourScreen &, int, int, const QString &, bool)>
        drawColourText;
    // The calculator to run as; None: the lowest model with the program's
    // tokens (a colour program gets the colour screen). Set between runs.
    calc::models::Model model = calc::models::Model::None;
    // Called on the worker: Image0-Image9 for BackgroundOn.
    std::function<bool(int slot, calc::basic::ColourScreen::Image *image)> findImage;

    // Starts the program on a clear home screen; variables and the graph
    // screen stay from the run before, as on a calculator. With `stepping`
    // it pauses before the first statement. False while one still runs.
    bool start(const QByteArray &tokens, const QString &name, bool stepping = false);
    bool isRunning() const { return m_running; }
    Wait waiting() const { return m_wait; }
    // The line and program of the statement it is paused before, and that
    // statement's bytes [first, second) in its program.
    int pausedLine() const;
    QPair<int, int> pausedBytes() const;
    QString pausedProgram() const;

    // Ends the program with ERR:BREAK, waiting or not; returns at once.
    void stop();
    // Waits until the worker is done (after stop(), or for tests).
    bool wait(int ms);
    // From a pause: on to the next breakpoint, or to the next statement.
    void resume();
    void step();
    // Lines of the started program to pause before.
    void setBreakpoints(const QSet<int> &lines);

    // Input from the keyboard.
    void pressKey(int code);          // the next getKey
    void answer(const QString &text); // the waiting Input, Prompt or Menu(
    void enter();                     // the waiting Pause

    // Asks for a fresh frame; frameReady() follows at the next statement.
    void requestFrame() { m_frameWanted.store(true, std::memory_order_relaxed); }
    Frame frame() const;
    calc::basic::Outcome outcome() const;
    // The calculator's speed, the last run's time on one, and recordings.
    Pace &pace() { return m_pace; }

signals:
    void frameReady();
    void paused(const QString &program, int line);
    void waitingChanged();
    void finished();
    // A recording ended (stopped, full, or its run over): see Pace.
    void recordingEnded();

private:
    void work(QByteArray tokens, QString name);
    bool atStatement(const QString &program, int line, int from, int to);
    bool block(Wait why); // false when stopped meanwhile
    void publish(bool withVariables);

    std::unique_ptr<calc::basic::Engine> m_engine;
    Pace m_pace;
    QThread *m_thread = nullptr;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_stepping{false};
    std::atomic<bool> m_frameWanted{false};
    std::atomic<int> m_key{0};
    std::atomic<Wait> m_wait{Wait::None};
    std::atomic<int> m_breakpointsVersion{0};

    mutable QMutex m_mutex; // guards everything below
    QWaitCondition m_wake;
    bool m_released = false;
    QString m_answer;
    QSet<int> m_breakpoints;
    Frame m_frame;
    calc::basic::Outcome m_outcome;
    int m_pausedLine = 0;
    QPair<int, int> m_pausedBytes;
    QString m_pausedProgram;

    // The worker's own copies.
    QString m_workerName;
    QSet<int> m_workerBreakpoints;
    int m_workerVersion = -1;
    int m_lastLine = 0;
    QString m_lastProgram;
};

} // namespace calculator
