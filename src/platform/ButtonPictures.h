// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QIcon>
#include <QString>

namespace platform
{

// The picture of a document window's picture button, Image1 to Image6,
// drawn in the colours of the program's icon; a null icon for other names.
// The browser's toolbar buttons are named by their keys ("Back" ...
// "Search").
QIcon pictureButtonIcon(const QString &imageName);

} // namespace platform
