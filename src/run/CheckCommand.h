// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The checks and the hints from the command line, without a display:
//   torvane-studio --check FILE [--target 83|83p]
//   torvane-studio --optimize IN OUT
// FILE, IN and OUT are .tvf documents, .8xp/.83p calculator files or UTF-8
// text, by extension.
#include <QString>
#include <QStringList>

namespace run
{

// Exit codes of --check: an error found, the file unreadable.
enum CheckExit { CheckClean = 0, CheckErrors = 1, CheckUnreadable = 2 };

struct CheckResult {
    int exitCode = CheckClean;
    QString out; // FILE:LINE:COL: error|warning|hint: message, a line each
    QString error;
};

// `target` is "83", "83p" or empty: by FILE's extension (.83p: the TI-83).
CheckResult checkFile(const QString &file, const QString &target);

// Applies the hints until none is left and writes OUT; never over IN.
// Exit 0 with a line saying the bytes saved; 1 when OUT cannot be written,
// 2 when IN cannot be read.
CheckResult optimizeFile(const QString &in, const QString &out);

// The model text of a program file, by its extension; in text files,
// characters no calculator symbol stands for are left out and, with
// `refused`, listed as "LINE:COL: error: ..." where each first stands.
bool readModel(const QString &path, QString *model, QString *error, QStringList *refused = nullptr);

} // namespace run
