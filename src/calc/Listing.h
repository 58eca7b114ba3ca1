// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A program as a listing to share: UTF-8 text with the calculator's symbols
// as Unicode, one HTML page, or a forum post. The text reads back through
// the text reader (calcfiles/ProgramFile.h) to the same tokens.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace calc::listing
{

enum class Format { Text, Html, BBCode };

struct Options {
    QString name;             // the program's name, for the page's title
    bool lineNumbers = false; // HTML only
    // Fonts for the page's <pre>, the calculator's first; the reader's
    // monospace font stands in for any it lacks.
    QStringList fonts;
};

// Lines end with \n, the last too. A space that starts a line is written
// ␣, which the text reader takes for a space where it drops indentation.
QString text(const QByteArray &tokens);
// A self-contained page: the name, the size in bytes, the listing.
QString html(const QByteArray &tokens, const Options &options);
// The HTML fragment the clipboard carries: the <pre> alone.
QString htmlFragment(const QByteArray &tokens, const Options &options);
QString bbcode(const QByteArray &tokens);

// By the file's extension: .html/.htm, .bbcode, anything else text.
Format formatFor(const QString &path);
// Writes the listing to `path`, whole or not at all.
bool write(const QString &path, const QByteArray &tokens, const Options &options, QString *error);

} // namespace calc::listing
