// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
class QWidget;

namespace platform
{

// A window switched off by the user closes itself the moment it is shown.
void closeWhenShown(QWidget *window);

} // namespace platform
