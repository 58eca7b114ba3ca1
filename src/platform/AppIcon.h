// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QIcon>
#include <QString>

namespace platform
{

// The program's own icon (a calculator plotting a curve) in every size it
// ships, 16 to 256 pixels: the window icon of every window.
QIcon applicationIcon();

// The picture of a document window's picture button, Image1 to Image6,
// drawn in the application icon's colours; a null icon for other names.
// The browser's toolbar buttons are named by their keys ("Back" ...
// "Search").
QIcon pictureButtonIcon(const QString &imageName);

} // namespace platform
