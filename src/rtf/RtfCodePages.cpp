// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rtf/RtfCodePages.h"

#include <QByteArrayList>

namespace rtf
{

int codePageForCharset(int charset, int ansiCp)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return -1; // symbol: the byte itself
    case 77:
        return 10000;
    case 78:
        return 10001;
    case 79:
        return 10003;
    case 80:
        return 10008;
    case 81:
        return 10002;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return ansiCp;
    }
}

namespace
{

// Names the converter knows; the Mac code pages of East Asia differ from
// their Windows and EUC relatives only in a few vendor characters.
const char *codecName(int cp)
{
    switch (cp) {
    case 932:
    case 10001:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
    case 10002:
        return "Big5";
    case 10003:
    case 51949:
        return "EUC-KR";
    case 10008:
    case 51936:
        return "GB2312";
    case 20932:
    case 51932:
        return "EUC-JP";
    case 54936:
        return "GB18030";
    case 65001:
        return "UTF-8";
    case 10000:
        return "macintosh";
    case 10006:
        return "x-mac-greek";
    case 10007:
        return "x-mac-cyrillic";
    case 10029:
        return "x-mac-centraleurope";
    case 10081:
        return "x-mac-turkish";
    case 20127:
        return "US-ASCII";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 874:
        return "windows-874";
    default:
        return nullptr;
    }
}

} // namespace

bool isMultiByteCodePage(int cp)
{
    switch (cp) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 1361:
    case 10001:
    case 10002:
    case 10003:
    case 10008:
    case 20932:
    case 51932:
    case 51936:
    case 51949:
    case 54936:
    case 65001:
        return true;
    default:
        return false;
    }
}

bool isByteCodePage(int cp)
{
    return cp == 1252 || cp == -1 || cp == 28591 || cp == 0;
}

const std::vector<char16_t> *CodePages::singleByteTable(int cp)
{
    auto it = m_tables.find(cp);
    if (it != m_tables.end())
        return it->get();
    std::shared_ptr<std::vector<char16_t>> t;
    if (!isMultiByteCodePage(cp)) {
        QStringDecoder *dec = decoderFor(cp);
        if (!dec && m_unknownTable) {
            t = m_unknownTable; // one table for every code page we cannot decode
        } else {
            t = std::make_shared<std::vector<char16_t>>(256);
            for (int b = 0; b < 256; ++b) {
                if (dec && b >= 0x80) {
                    dec->resetState();
                    const QString s = dec->decode(QByteArray(1, char(b)));
                    (*t)[b] = s.size() == 1 ? decoded(s.at(0).unicode()) : char16_t(0xFFFD);
                } else {
                    (*t)[b] = unknownByte(b);
                }
            }
            if (!dec)
                m_unknownTable = t;
        }
    }
    m_tables.insert(cp, t);
    return t.get();
}

QStringDecoder *CodePages::decoderFor(int cp)
{
    auto it = m_decoders.find(cp);
    if (it != m_decoders.end())
        return it->get();
    QByteArrayList names;
    if (const char *n = codecName(cp))
        names << n;
    if (cp > 0) {
        const QByteArray num = QByteArray::number(cp);
        names << "windows-" + num;
        if (cp > 28590 && cp <= 28605)
            names << "ISO-8859-" + QByteArray::number(cp - 28590);
        if (cp < 1000)
            names << "IBM" + num;
    }
    std::shared_ptr<QStringDecoder> d;
    for (const QByteArray &name : names) {
        d = std::make_shared<QStringDecoder>(name.constData(), QStringConverter::Flag::Stateless);
        if (d->isValid())
            break;
        d.reset();
    }
    m_decoders.insert(cp, d);
    return d.get();
}

} // namespace rtf
