// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What both recordings share: the GIF's time unit, the frames' delays from
// their start times, the message of a full recording, and giflib's writing.
#include <QRgb>
#include <QString>

#include <functional>
#include <vector>

namespace calculator::gif
{

// Hundredths of a second, rounded: the GIF's unit.
long long hundredths(long long micros);

// Each frame's delay in hundredths: differences of rounded times, so they add
// up to exactly the rounded time from the first start to `end`.
std::vector<int> delays(const std::vector<long long> &starts, long long end);

// Why a recording stopped early ("" when it did not).
QString fullMessage(bool full, bool byTime, int maxFrames);

// Writes an animation of `delays.size()` frames of width×height palette
// indexes, each pixel shown as a scale×scale square; whole or nothing.
bool write(const QString &path, int width, int height, int scale, const std::vector<QRgb> &palette,
           const std::vector<int> &delays,
           const std::function<int(size_t frame, int x, int y)> &pixel, QString *error);

} // namespace calculator::gif
