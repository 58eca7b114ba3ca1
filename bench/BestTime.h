// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The quickest of several runs: the figure least disturbed by other work on
// the machine.
#include <QElapsedTimer>
#include <QtGlobal>

template <typename F> double bestSeconds(int rounds, F f)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = qMin(best, t.nsecsElapsed() / 1e9);
    }
    return best;
}
