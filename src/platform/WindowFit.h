// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Keeps every top-level window within the screen it opens on: at a large
// scale factor a window's designed or stored size can exceed the screen,
// cutting off its buttons and status bar.
#include <QRect>

class QWidget;

namespace platform
{

// `frame` (the window with its title bar and borders) shrunk to `area` when
// larger and moved into it.
QRect fittedFrame(const QRect &frame, const QRect &area);
// Fits a top-level window to the available area of its screen; a window whose
// minimum size cannot fit gets the smallest size it allows.
void fitToScreen(QWidget *window);
// From now on, every top-level window is fitted each time it is shown.
void installWindowFit();

} // namespace platform
