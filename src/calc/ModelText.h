// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Model text: how every part of the program holds the text of a program or a
// document. Line breaks are CR LF, and positions count in that text (CR and LF
// one character each). The single-byte codes 128..255 are held as
// U+0080..U+00FF, so a calculator symbol byte survives load and save
// unchanged; anything else is Unicode.
//
// On screen and in plain-text files the codes 0x80..0x9F are the characters
// of the Windows Latin code page that sit there (the calculator font draws
// its symbols at those places); the two functions below cross between them.
#include <QChar>

namespace calc
{

QChar modelToDisplay(QChar c);
QChar displayToModel(QChar c);

} // namespace calc
