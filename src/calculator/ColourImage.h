// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The colour models' screen as images: the 265x165 graph area, and the
// whole 320x240 screen with its status bar line, showing the graph area in
// its border or the 26x10 home screen. Text( is drawn in the calculator
// font at the colour models' sizes.
#include "calc/basic/screens/ColourScreen.h"
#include "calc/basic/screens/HomeScreen.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace calculator
{

// The whole screen and where the graph area sits in it.
constexpr int kColourScreenWidth = 320;
constexpr int kColourScreenHeight = 240;
constexpr int kStatusBarHeight = 30;
constexpr int kGraphLeft = 27;
constexpr int kGraphTop = 52;

// The window's zoom (screen pixels a monochrome pixel) as whole screen
// pixels a colour pixel: about the monochrome screen's width, at least 1.
int colourStep(int scale);
inline QSize colourScreenSize(int scale)
{
    return QSize(kColourScreenWidth, kColourScreenHeight) * colourStep(scale);
}

QImage colourGraphImage(const calc::basic::ColourScreen &screen);
bool writeColourPng(const calc::basic::ColourScreen &screen, const QString &path, QString *error);

// The home screen's rows as the screen shows them, and the cells it draws
// light on dark: Menu('s title, and the number of the item it has chosen.
struct HomeRows {
    QStringList rows;   // up to 10 of up to 26 cells
    int titleRow = -1;  // its text inverted
    int chosenRow = -1; // its "n:" inverted
};
// While Input or Prompt waits, its line holds `typed` after the prompt (and
// the cursor, with `cursor`), its end in view; while Menu( waits, item
// `menuItem` (0-based) is the chosen one.
HomeRows homeRows(const calc::basic::HomeScreen &home, const QString &typed = QString(),
                  int menuItem = 0, bool cursor = false);

// The 320x240 screen: the status bar, then the graph area in its border or
// the home screen's rows.
QImage colourScreenImage(const calc::basic::ColourScreen &screen, bool graphShown,
                         const HomeRows &rows);
// The screen as the window shows it: the graph area unless a menu or a
// prompt waits; the answer typed so far after the prompt, with the cursor
// unless `typed` is null.
QImage colourScreenImage(const calc::basic::ColourScreen &screen,
                         const calc::basic::HomeScreen &home, bool graphShown,
                         const QString &typed = QString(), int menuItem = 0);

// Text( in the text colour on its cells' background (white, or medium gray
// behind yellow, white and light gray text): small letters in 12-pixel
// rows, large ones (Text(⁻1,…)) in 18. Needs a QGuiApplication.
void drawColourText(calc::basic::ColourScreen &screen, int row, int col, const QString &text,
                    bool large);

} // namespace calculator
