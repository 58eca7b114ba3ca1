// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reader and writer for the rich text of the document files. No widget here:
// the pane converts between this and its QTextDocument.
//
// Text is held as model text (calc/ModelText.h).
#include <QByteArray>
#include <QString>
#include <QVector>

namespace rtf
{

struct Format {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int font = 0;           // index into Document::fonts, -1 when unknown
    int halfPoints = 24;    // RTF \fs
    bool hasColour = false; // false: automatic colour
    quint32 colour = 0;     // 0xRRGGBB

    bool operator==(const Format &o) const
    {
        return bold == o.bold && italic == o.italic && underline == o.underline &&
               strike == o.strike && font == o.font && halfPoints == o.halfPoints &&
               hasColour == o.hasColour && (!hasColour || colour == o.colour);
    }
    bool operator!=(const Format &o) const { return !(*this == o); }
};

struct Font {
    QString name;
    int charset = 0; // \fcharset: 0 ANSI, 2 symbol, ...
};

struct Run {
    QString text; // model text
    Format format;
};

struct Document {
    QVector<Font> fonts; // fonts[0] is the document's main font
    QVector<Run> runs;   // neighbouring runs have different formats
    int halfPoints = 24; // size of the (last) empty line: what an empty document keeps
    // Ignorable destinations ({\*\word ...}) directly in the outer group
    // that the reader does not know, as written: a save gives them back, so
    // what another program (or we) put there survives an edit.
    QVector<QByteArray> kept;

    QString text() const;
    // Main font and size: those of the first text; else the first font and
    // the size of the empty last line.
    QString mainFontName() const;
    int mainHalfPoints() const;
};

// The plain text of the kept destination \word; null when there is none.
QString keptText(const QVector<QByteArray> &kept, QLatin1String word);
// Replaces (or adds) the kept destination \word, Latin-1 text; empty text
// removes it.
void setKept(QVector<QByteArray> *kept, QLatin1String word, const QString &text);

// Fixed limits of the reader. The group stack is a vector, so the depth
// limit only bounds memory (a few MB).
constexpr int kMaxDepth = 100000;
constexpr int kMaxControlWordLength = 32;

// Reads RTF. On failure returns false with a reason and leaves *doc empty.
bool read(const QByteArray &data, Document *doc, QString *error = nullptr);

// Writes RTF the way the Windows rich-edit control does.
QByteArray write(const Document &doc);

// Convenience for one-format text.
QByteArray writePlain(const QString &modelText, const QString &fontName, int halfPoints);

} // namespace rtf
