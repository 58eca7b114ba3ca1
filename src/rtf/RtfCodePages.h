// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// From the code page a font or document names to the characters of its
// bytes. One-byte code pages are decoded through a table built once per file;
// the others go through Qt's converters.
#include <QHash>
#include <QStringDecoder>

#include <memory>
#include <vector>

namespace rtf
{

// charset -1: the font table names none, so the document's code page applies.
int codePageForCharset(int charset, int ansiCp);
bool isMultiByteCodePage(int cp);
// Code pages whose bytes are the model's own bytes: no decoding needed.
bool isByteCodePage(int cp);

// A code page we cannot decode keeps ASCII and marks the rest, rather
// than passing bytes off as the model's own.
inline char16_t unknownByte(int b)
{
    return b < 0x80 ? char16_t(b) : char16_t(0xFFFD);
}
// Some converters put U+001A where a byte has no character.
inline char16_t decoded(char16_t u)
{
    return u == 0x1A ? char16_t(0xFFFD) : u;
}

// The converters and tables one file needs, each made on first use.
class CodePages
{
public:
    // nullptr when Qt has no converter for the code page.
    QStringDecoder *decoderFor(int cp);
    // nullptr for a multi-byte code page.
    const std::vector<char16_t> *singleByteTable(int cp);

private:
    QHash<int, std::shared_ptr<QStringDecoder>> m_decoders;
    QHash<int, std::shared_ptr<std::vector<char16_t>>> m_tables;
    std::shared_ptr<std::vector<char16_t>> m_unknownTable;
};

} // namespace rtf
