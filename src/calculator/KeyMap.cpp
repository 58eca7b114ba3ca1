// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/KeyMap.h"

#include <Qt>

namespace calculator
{

int keyCode(int qtKey, const QString &text)
{
    switch (qtKey) {
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_F3:
    case Qt::Key_F4:
        return 11 + (qtKey - Qt::Key_F1); // Y= WINDOW ZOOM TRACE
    case Qt::Key_F6:
        return 15; // GRAPH (F5 runs the program)
    case Qt::Key_Shift:
        return 21; // 2nd
    case Qt::Key_Insert:
        return 22; // MODE
    case Qt::Key_Delete:
        return 23;
    case Qt::Key_Left:
        return 24;
    case Qt::Key_Up:
        return 25;
    case Qt::Key_Right:
        return 26;
    case Qt::Key_Control:
        return 31; // ALPHA
    case Qt::Key_Down:
        return 34;
    case Qt::Key_Backspace:
        return 45; // CLEAR
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 105;
    default:
        break;
    }
    if (text.size() != 1)
        return 0;
    const QChar c = text.at(0).toUpper();
    // Digits and signs by their keys; letters by the key that types them.
    static const char *const kDigits = "0123456789";
    static const int kDigitCodes[] = {102, 92, 93, 94, 82, 83, 84, 72, 73, 74};
    static const int kLetterCodes[] = {41, 42, 43, 51, 52, 53, 54, 55, 61, 62, 63, 64, 65,
                                       71, 72, 73, 74, 75, 81, 82, 83, 84, 85, 91, 92, 93};
    for (int i = 0; kDigits[i]; ++i)
        if (c == QLatin1Char(kDigits[i]))
            return kDigitCodes[i];
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        return kLetterCodes[c.unicode() - 'A'];
    switch (c.unicode()) {
    case '.':
        return 103;
    case '+':
        return 95;
    case '-':
        return 85;
    case '*':
        return 75;
    case '/':
        return 65;
    case '^':
        return 55;
    case ',':
        return 62;
    case '(':
        return 63;
    case ')':
        return 64;
    case ' ':
        return 102; // space is ALPHA 0
    case '~':
        return 104; // (-)
    }
    return 0;
}

} // namespace calculator
