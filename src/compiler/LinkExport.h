// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculator link's ASCII import file: text assembly and the single-byte
// writer behind the export window.
#include <QByteArray>
#include <QString>

namespace compiler
{

// The export file's whole content: five header lines, the program text as
// given, CR LF and the stop line, with nothing after it.
QString exportText(const QString &programText, const QString &name, bool isProtected,
                   const QString &sourcePath);

// One byte per character, the Windows Latin code page's. A character
// outside it has no byte: then `bytes`
// is empty and `badLine` (1-based, counted in the export text) and `badChar`
// name the first such character.
struct ExportBytes {
    QByteArray bytes;
    int badLine = 0;
    QString badChar;
    bool ok() const { return badLine == 0; }
};
ExportBytes toExportBytes(const QString &text);

// The header line of the export that holds the program name and the source
// path; program line n is export line n + programFirstLine - 1.
constexpr int nameLine = 4;
constexpr int fileLine = 5;
constexpr int programFirstLine = 6;

} // namespace compiler
