// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The two things every file writer of the program needs: a write that lands
// whole or not at all, and text as one byte a character in the Windows Latin
// code page.
#include <QByteArray>
#include <QString>

namespace platform::textfiles
{

// Writes the bytes to `path` through a temporary file that replaces it only
// when everything was written. On failure returns false, leaves the file as
// it was and puts the system's reason in *error.
bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error);

// True when both paths name one file: links and ".." resolved for files that
// exist, the absolute paths compared for files still to be written. An empty
// path names no file.
bool sameFile(const QString &a, const QString &b);

// One byte a character: U+0000-U+00FF as that byte (the model keeps calculator
// bytes there) and the code page's own characters at 0x80-0x9F (the euro
// sign, curly quotes...) as theirs. Returns -1 when every character has a
// byte; otherwise the index of the first that has none, with *bytes empty.
qsizetype toWindowsLatin(const QString &text, QByteArray *bytes);

// The other way: each byte as the code page's character (0x80-0x9F as the
// euro sign, curly quotes... where it has one).
QString fromWindowsLatin(const QByteArray &bytes);

} // namespace platform::textfiles
