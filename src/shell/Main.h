// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QStringList>

namespace shell
{

// The entry procedure: decides from the start-up switches which windows to
// open. Needs a QApplication; returns once the start-up windows are shown.
// After a normal start the first of `files` opens in the default document
// window and every further one in a new document window.
//
// When this user's program already runs, `files` are handed to it instead and
// Main returns false, having shown nothing: the caller ends with success.
// `newInstance` starts another program all the same.
bool Main(const QStringList &files = {}, bool newInstance = false);

} // namespace shell
