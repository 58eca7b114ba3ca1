// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Searching model text. Case is folded for the letters A-Z only: the codes
// 128-255 are calculator symbols, and two of them are never the same symbol
// in two cases.
#include <QString>
#include <QStringView>
#include <QVector>

namespace editor
{

struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

struct Match {
    int start = -1;
    int length = 0;
    bool found() const { return start >= 0; }
};

// The first match of `needle` in text[rangeStart, rangeEnd) at or after
// `from` (backward: the last one ending at or before `from`); wraps around
// within the range once. Nothing found: start -1.
Match findText(QStringView text, QStringView needle, int from, bool backward,
               const FindOptions &options, int rangeStart, int rangeEnd);

// Every non-overlapping match in text[rangeStart, rangeEnd), in order.
QVector<Match> findAll(QStringView text, QStringView needle, const FindOptions &options,
                       int rangeStart, int rangeEnd);

// True when `candidate` is exactly one match of `needle` (the selection a
// Replace may replace).
bool isMatch(QStringView candidate, QStringView needle, const FindOptions &options);

} // namespace editor
