// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A calculator's screen as a picture: what File > Get Calculator
// Screenshot shows and saves, and what --screenshot writes.
#include "link/Link.h"

#include <QImage>
#include <QString>

namespace calcfiles::calcscreenshot
{

// The screen enlarged `scale` times (1 to 4), each pixel a square of
// them, no smoothing.
QImage image(const calclink::Screenshot &screen, int scale = 1);

// Writes it as PNG; false and *error (one line) when it cannot.
bool savePng(const calclink::Screenshot &screen, int scale, const QString &path, QString *error);

} // namespace calcfiles::calcscreenshot
