// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// torvane-studio --lsp [--lsp-log FILE]: the language server on standard
// input and output, with Qt Core alone. Only the protocol goes to standard
// output; the log file, when given, gets everything else.
#include <QString>

namespace lsp
{

int run(int &argc, char **argv, const QString &logFile);

} // namespace lsp
