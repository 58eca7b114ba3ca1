// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QList>

namespace shell
{

// Waits the given number of seconds on a monotonic clock while the user
// interface keeps processing its events (so it is right across midnight).
// Returns false, at once, when the application quits during the wait.
bool pause(double seconds);

// Test seam: every pause lasts seconds * factor. 1 restores real time.
void setPauseScale(double factor);
double pauseScale();
// Test seam: while set, every pause appends the seconds it was asked for.
void setPauseRecorder(QList<double> *recorder);

} // namespace shell
