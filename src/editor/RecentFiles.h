// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The documents opened or saved last, newest first, kept in the settings
// store so every window and every later start sees the same list.
#include <QString>
#include <QStringList>

namespace editor::recent
{

constexpr int kLimit = 8;

QStringList files();
// `path` to the front; an older mention of the same file goes.
void note(const QString &path);
void forget(const QString &path);

} // namespace editor::recent
