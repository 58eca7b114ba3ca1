// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Two oracles on every input:
// - the bytes as RTF: the reader never crashes, and what it reads survives
//   the writer and the reader again;
// - the bytes as pane text (UTF-16 code units): writing it in fonts of
//   various charsets and reading it back gives the same text.
#include "calc/ModelText.h"
#include "rtf/RtfCodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{

void readThenWrite(const QByteArray &input)
{
    rtf::Document doc;
    QString error;
    if (!rtf::read(input, &doc, &error))
        return;
    const QString text = doc.text();
    rtf::Document back;
    if (!rtf::read(rtf::write(doc), &back, &error) || back.text() != text)
        std::abort();
}

// What the pane can hold: CR LF line breaks, no lone surrogates, no
// U+FDD0/U+FDD1, and Windows-1252 characters as their bytes.
QString paneText(const uint8_t *data, size_t size)
{
    QString in;
    for (size_t i = 0; i + 1 < size; i += 2)
        in += QChar(char16_t(data[i] | data[i + 1] << 8));
    QString out;
    const int n = int(in.size());
    for (int i = 0; i < n; ++i) {
        const char16_t u = in.at(i).unicode();
        const char16_t next = i + 1 < n ? in.at(i + 1).unicode() : 0;
        if (u == '\r' || u == '\n') {
            if (u == '\r' && next == '\n')
                ++i;
            out += QLatin1String("\r\n");
        } else if (QChar::isHighSurrogate(u) && QChar::isLowSurrogate(next)) {
            out += QChar(u);
            out += QChar(next);
            ++i;
        } else if (QChar::isSurrogate(u) || u == 0xFDD0 || u == 0xFDD1) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += calc::displayToModel(QChar(u));
        }
    }
    return out;
}

void writeThenRead(const uint8_t *data, size_t size)
{
    if (size < 2)
        return;
    static const int kCharsets[] = {0, 2, 204, 128, 1, 77, 238, 161};
    rtf::Document d;
    d.fonts = {{QStringLiteral("Ti83;Pluspc"), kCharsets[data[0] & 7]},
               {QStringLiteral("{Sym}\\bol"), kCharsets[(data[0] >> 3) & 7]}};
    d.halfPoints = 2 + data[1];
    const QString text = paneText(data + 2, size - 2);
    // Two runs in different fonts, split where the pane could split.
    int cut = int(text.size()) * data[1] / 255;
    if (cut > 0 && cut < text.size() &&
        (text.at(cut).isLowSurrogate() || (text.at(cut) == QLatin1Char('\n'))))
        --cut;
    rtf::Format first;
    first.halfPoints = d.halfPoints;
    rtf::Format second = first;
    second.font = 1;
    second.bold = data[0] & 0x40;
    d.runs = {{text.left(cut), first}, {text.mid(cut), second}};

    rtf::Document back;
    QString error;
    if (!rtf::read(rtf::write(d), &back, &error) || back.text() != text ||
        back.mainHalfPoints() != d.mainHalfPoints())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    readThenWrite(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    writeThenRead(data, size);
    return 0;
}
