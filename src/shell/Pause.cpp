// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/Pause.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace shell
{

namespace
{
double g_scale = 1.0;
QList<double> *g_recorder = nullptr;
} // namespace

void setPauseRecorder(QList<double> *recorder)
{
    g_recorder = recorder;
}

void setPauseScale(double factor)
{
    g_scale = factor < 0 ? 0 : factor;
}
double pauseScale()
{
    return g_scale;
}

bool pause(double seconds)
{
    if (g_recorder)
        g_recorder->append(seconds);
    const qint64 target = qint64(seconds * g_scale * 1000.0);
    QElapsedTimer clock;
    clock.start();
    // A local loop instead of a busy poll: events are handled as they come and
    // the processor stays idle in between. The precise timer keeps the end
    // within a millisecond or two of the length asked for.
    while (clock.elapsed() < target) {
        QEventLoop loop;
        QTimer::singleShot(int(target - clock.elapsed()), Qt::PreciseTimer, &loop,
                           [&loop] { loop.exit(1); });
        // Only the application quitting ends the loop otherwise: stop at once.
        if (loop.exec() != 1)
            return false;
    }
    return true;
}

} // namespace shell
