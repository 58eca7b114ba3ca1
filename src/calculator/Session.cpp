// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/Session.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QThread>

#include <limits>

namespace calculator
{

using calc::basic::Engine;

Session::Session(QObject *parent) : QObject(parent), m_engine(std::make_unique<Engine>())
{
    // A game runs until it is stopped.
    m_engine->setMaxSteps(std::numeric_limits<long long>::max());
    m_pace.recordingEnded = [this] { emit recordingEnded(); };
}

Session::~Session()
{
    stop();
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

bool Session::start(const QByteArray &tokens, const QString &name, bool stepping)
{
    if (m_running)
        return false;
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    m_stop = false;
    m_stepping = stepping;
    m_key = 0;
    m_wait = Wait::None;
    {
        QMutexLocker lock(&m_mutex);
        m_released = false;
        m_outcome = calc::basic::Outcome();
        m_pausedLine = 0;
        m_pausedProgram.clear();
    }
    m_workerVersion = -1;
    m_workerName = name;
    m_lastLine = 0;
    m_lastProgram.clear();
    Engine &e = *m_engine;
    e.setModel(model != calc::models::Model::None ? model : calc::models::lowestFor(tokens).model);
    e.screen().clear();
    e.host().nextKey = [this] { return m_key.exchange(0); };
    e.host().nextAnswer = [this](QString *text) {
        if (!block(Wait::Answer))
            return false;
        QMutexLocker lock(&m_mutex);
        *text = m_answer;
        return true;
    };
    e.host().pause = [this] { return block(Wait::Enter); };
    e.host().statement = [this](const QString &program, int line, int from, int to) {
        return atStatement(program, line, from, to);
    };
    e.host().findProgram = findProgram;
    e.host().drawText = drawText;
    e.host().drawLargeText = drawLargeText;
    e.host().drawColourText = drawColourText;
    e.host().findImage = findImage;
    m_pace.attach(e);
    m_running = true;
    m_thread = QThread::create([this, tokens, name] { work(tokens, name); });
    m_thread->start();
    return true;
}

void Session::work(QByteArray tokens, QString name)
{
    const calc::basic::Outcome o = m_engine->run(tokens, name);
    m_pace.ended(*m_engine);
    {
        QMutexLocker lock(&m_mutex);
        m_outcome = o;
    }
    publish(true);
    m_wait = Wait::None;
    m_running = false;
    emit finished();
}

bool Session::atStatement(const QString &program, int line, int from, int to)
{
    if (m_stop.load(std::memory_order_relaxed))
        return false;
    if (m_frameWanted.load(std::memory_order_relaxed)) {
        m_frameWanted = false;
        publish(false);
    }
    const int version = m_breakpointsVersion.load(std::memory_order_acquire);
    if (version != m_workerVersion) {
        QMutexLocker lock(&m_mutex);
        m_workerBreakpoints = m_breakpoints;
        m_workerVersion = version;
    }
    // A breakpoint stops once as its line is entered, not before each
    // statement of a line that holds several.
    const bool newLine = line != m_lastLine || program != m_lastProgram;
    m_lastLine = line;
    m_lastProgram = program;
    bool pause = m_stepping.load(std::memory_order_relaxed);
    if (!pause && newLine && !m_workerBreakpoints.isEmpty())
        pause = program == m_workerName && m_workerBreakpoints.contains(line);
    if (!pause)
        return true;
    {
        QMutexLocker lock(&m_mutex);
        m_pausedLine = line;
        m_pausedBytes = {from, to};
        m_pausedProgram = program;
    }
    publish(true);
    emit paused(program, line);
    return block(Wait::Paused);
}

bool Session::block(Wait why)
{
    // The variables as they are while it waits, too.
    if (why != Wait::Paused)
        publish(true);
    QMutexLocker lock(&m_mutex);
    m_released = false;
    m_wait = why;
    lock.unlock();
    emit waitingChanged();
    lock.relock();
    while (!m_released && !m_stop)
        m_wake.wait(&m_mutex);
    m_wait = Wait::None;
    lock.unlock();
    emit waitingChanged();
    return !m_stop;
}

void Session::publish(bool withVariables)
{
    Frame f;
    f.home = m_engine->screen();
    f.graph = m_engine->graph();
    f.graphShown = m_engine->graphShown();
    if (const calc::basic::ColourScreen *c = m_engine->colour())
        f.colour = std::make_shared<const calc::basic::ColourScreen>(*c);
    if (withVariables)
        f.variables = m_engine->variables();
    {
        QMutexLocker lock(&m_mutex);
        if (!withVariables)
            f.variables = m_frame.variables;
        m_frame = std::move(f);
    }
    emit frameReady();
}

void Session::stop()
{
    QMutexLocker lock(&m_mutex);
    m_stop = true;
    m_wake.wakeAll();
}

bool Session::wait(int ms)
{
    return !m_thread || m_thread->wait(QDeadlineTimer(ms));
}

void Session::resume()
{
    QMutexLocker lock(&m_mutex);
    m_stepping = false;
    if (m_wait == Wait::Paused) {
        m_released = true;
        m_wake.wakeAll();
    }
}

void Session::step()
{
    QMutexLocker lock(&m_mutex);
    m_stepping = true;
    if (m_wait == Wait::Paused) {
        m_released = true;
        m_wake.wakeAll();
    }
}

void Session::setBreakpoints(const QSet<int> &lines)
{
    QMutexLocker lock(&m_mutex);
    m_breakpoints = lines;
    m_breakpointsVersion.fetch_add(1, std::memory_order_release);
}

void Session::pressKey(int code)
{
    m_key = code;
}

void Session::answer(const QString &text)
{
    QMutexLocker lock(&m_mutex);
    if (m_wait != Wait::Answer)
        return;
    m_answer = text;
    m_released = true;
    m_wake.wakeAll();
}

void Session::enter()
{
    QMutexLocker lock(&m_mutex);
    if (m_wait != Wait::Enter)
        return;
    m_released = true;
    m_wake.wakeAll();
}

Session::Frame Session::frame() const
{
    QMutexLocker lock(&m_mutex);
    return m_frame;
}

calc::basic::Outcome Session::outcome() const
{
    QMutexLocker lock(&m_mutex);
    return m_outcome;
}

int Session::pausedLine() const
{
    QMutexLocker lock(&m_mutex);
    return m_pausedLine;
}

QPair<int, int> Session::pausedBytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_pausedBytes;
}

QString Session::pausedProgram() const
{
    QMutexLocker lock(&m_mutex);
    return m_pausedProgram;
}

} // namespace calculator
