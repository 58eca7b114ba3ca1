// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/Respell.h"

#include "calc/Tokens.h"

namespace calc::respell
{

namespace
{

// How detokenize() writes one token for the model kind; the colour spellings
// live there.
QString spelling(int token, bool colour)
{
    return tokens::detokenize(tokens::tokenBytes(token), colour);
}

QString applied(QString text, const QVector<Edit> &edits)
{
    for (const Edit &e : edits)
        text.replace(e.start, e.length, e.text);
    return text;
}

} // namespace

QVector<Edit> forModel(QStringView modelText, bool colour)
{
    QVector<Edit> edits;
    qsizetype lineStart = 0;
    while (lineStart <= modelText.size()) {
        qsizetype end = modelText.indexOf(u'\r', lineStart);
        if (end < 0)
            end = modelText.size();
        const QStringView line = modelText.mid(lineStart, end - lineStart);
        for (const tokens::Piece &p : tokens::scanLine(line)) {
            // Text in strings is letters, whatever it spells.
            if (p.token < 0 || p.inString)
                continue;
            const QStringView now = line.mid(p.start, p.length);
            // Only tokens whose two spellings differ; an escape stays.
            const QString plain = spelling(p.token, false);
            const QString shown = spelling(p.token, true);
            if (plain == shown || (now != plain && now != shown))
                continue;
            const QString wanted = colour ? shown : plain;
            if (now != wanted)
                edits.prepend({int(lineStart + p.start), int(p.length), wanted});
        }
        lineStart = end + 2; // past CR LF
    }
    if (edits.isEmpty())
        return edits;
    // A spelling that runs into its neighbour ("AxesOn" before a colour
    // name) could read as other tokens: then nothing is respelt.
    const QString text = modelText.toString();
    if (tokens::tokenize(applied(text, edits)).bytes != tokens::tokenize(text).bytes)
        return {};
    return edits;
}

} // namespace calc::respell
