// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// File > Recent Files, filled from the list each time it opens.
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace editor
{

// A submenu "mnuRecentFiles" of `file`, placed before `before` (or last).
// Choosing an entry calls `open` with its path.
QMenu *addRecentFilesMenu(QMenu *file, QAction *before, std::function<void(const QString &)> open);

} // namespace editor
