// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QIcon>

namespace shell
{

// The program's own icon (a calculator plotting a curve) in every size it
// ships, 16 to 256 pixels: the window icon of every window.
QIcon applicationIcon();

} // namespace shell
