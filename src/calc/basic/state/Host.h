// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a running program asks of the world outside: answers, keys, other
// programs, a debugger's say before each statement, text in the
// calculator's fonts, the clock and the colour models' images.
#include "calc/basic/screens/ColourScreen.h"
#include "calc/basic/screens/GraphScreen.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <atomic>
#include <functional>

namespace calc::basic
{

// What the program asks of the world outside.
struct Host {
    // The next answer to Input, Prompt or Menu(; false when there is none
    // (the program stops with ERR:BREAK).
    std::function<bool(QString *answer)> nextAnswer;
    // The next getKey code; 0 when no key is pressed.
    std::function<int()> nextKey;
    // The token bytes of the program of that name; false when there is none.
    std::function<bool(const QString &name, QByteArray *tokens)> findProgram;
    // Asked before each statement (a debugger's breakpoints and steps, a
    // Stop button) with its line and its bytes [from, to) in the program;
    // false ends the program with ERR:BREAK.
    std::function<bool(const QString &program, int line, int from, int to)> statement;
    // Pause waits here for ENTER; false is ERR:BREAK. Unset, it goes on.
    std::function<bool()> pause;
    // Text( at a pixel place, in the calculator's small font; unset, only
    // the place is checked.
    std::function<void(GraphScreen &graph, int row, int col, const QString &text)> drawText;
    // The calculator's clock; unset, the computer's.
    std::function<QDateTime()> now;
    // Text(⁻1,row,col,…): the same in the large font.
    std::function<void(GraphScreen &graph, int row, int col, const QString &text)> drawLargeText;
    // Text( on the colour models' screen, in its text colour; `large` for
    // Text(⁻1,…). Unset, only the place is checked.
    std::function<void(ColourScreen &screen, int row, int col, const QString &text, bool large)>
        drawColourText;
    // Image0-Image9 (slot 0-9) the engine has not been given (setImage);
    // false when there is none (ERR:UNDEFINED).
    std::function<bool(int slot, ColourScreen::Image *image)> findImage;
    // Set by a Stop button on another thread: the long built-ins look at it
    // between their steps (checkStop) and end with ERR:BREAK.
    const std::atomic<bool> *stop = nullptr;
};

} // namespace calc::basic
