// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "compiler/LinkExport.h"

#include "platform/TextFiles.h"

namespace compiler
{

namespace
{
const QString crlf = QStringLiteral("\r\n");
}

QString exportText(const QString &programText, const QString &name, bool isProtected,
                   const QString &sourcePath)
{
    QString out;
    out.reserve(programText.size() + name.size() + sourcePath.size() + 120);
    out += QStringLiteral("\\start83P\\") + crlf;
    out += QStringLiteral("\\comment=Created by Torvane Studio") + crlf;
    out += QStringLiteral("\\protected=") +
           (isProtected ? QStringLiteral("TRUE") : QStringLiteral("FALSE")) + crlf;
    out += QStringLiteral("\\name=") + name + crlf;
    out += QStringLiteral("\\file=") + sourcePath + crlf;
    out += programText;
    out += crlf;
    out += QStringLiteral("\\stop83P\\");
    return out;
}

ExportBytes toExportBytes(const QString &text)
{
    ExportBytes result;
    const qsizetype bad = platform::textfiles::toWindowsLatin(text, &result.bytes);
    if (bad < 0)
        return result;
    result.badLine = 1 + int(QStringView(text).left(bad).count(QLatin1Char('\n')));
    // Keep a surrogate pair together so the message shows the character.
    const bool pair = text.at(bad).isHighSurrogate() && bad + 1 < text.size() &&
                      text.at(bad + 1).isLowSurrogate();
    result.badChar = text.mid(bad, pair ? 2 : 1);
    return result;
}

} // namespace compiler
