// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The reader: a tokenizer over the bytes, a stack of group states, and the
// text it collects in runs of one format. Control words, keywords and code
// pages have files of their own.
#include "rtf/RtfReader.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstring>

namespace rtf
{

namespace reader
{

namespace
{

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int hexDigit(char h)
{
    if (h >= '0' && h <= '9')
        return h - '0';
    if (h >= 'a' && h <= 'f')
        return h - 'a' + 10;
    if (h >= 'A' && h <= 'F')
        return h - 'A' + 10;
    return -1;
}

// Printable ASCII that stands for itself: most of a document's bytes.
constexpr auto kPlainText = [] {
    std::array<bool, 256> t{};
    for (int b = 0x20; b < 0x7F; ++b)
        t[b] = b != '\\' && b != '{' && b != '}';
    return t;
}();

} // namespace

bool Reader::run(Document *doc, QString *error)
{
    if (!readHeader(error))
        return false;
    while (m_p < m_end) {
        const char c = *m_p;
        if (m_starPending && c != '\r' && c != '\n' &&
            !(c == '\\' && m_p + 1 < m_end && isLetter(m_p[1]))) {
            // \* followed by anything but a word: nothing this reader knows.
            m_starPending = false;
            m_skipDepth = 1;
        }
        Step step = Step::Next;
        if (c == '{')
            step = openGroup(error);
        else if (c == '}')
            step = closeGroup();
        else if (c == '\\')
            step = escape();
        else
            plainText(c);
        if (step == Step::Fail)
            return false;
        if (step == Step::Stop)
            break;
    }
    if (!wholeEnough(error))
        return false;
    finish(doc);
    return true;
}

bool Reader::readHeader(QString *error)
{
    // Leading blanks and a UTF-8 byte order mark are tolerated.
    if (m_end - m_p >= 3 && std::memcmp(m_p, "\xEF\xBB\xBF", 3) == 0)
        m_p += 3;
    while (m_p < m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\r' || *m_p == '\n'))
        ++m_p;
    if (m_end - m_p < 5 || std::memcmp(m_p, "{\\rtf", 5) != 0) {
        if (error)
            *error = QStringLiteral("The file is not in Rich Text Format.");
        return false;
    }
    return true;
}

Reader::Step Reader::openGroup(QString *error)
{
    ++m_p;
    if (m_ucSkip > 0)
        m_ucSkip = 0;
    if (int(m_stack.size()) + m_skipDepth >= kMaxDepth) {
        if (error)
            *error = QStringLiteral("The file nests groups more than %1 deep.").arg(kMaxDepth);
        return Step::Fail;
    }
    if (m_skipDepth)
        ++m_skipDepth;
    else
        pushGroup();
    m_groupOpen = m_p;
    return Step::Next;
}

Reader::Step Reader::closeGroup()
{
    ++m_p;
    m_ucSkip = 0;
    if (m_skipDepth && --m_skipDepth > 0)
        return Step::Next;
    if (m_keptStart) {
        m_kept.append(QByteArray(m_keptStart, qsizetype(m_p - m_keptStart)));
        m_keptStart = nullptr;
    }
    if (m_stack.size() <= 1) {
        // The outer group is closed: whatever follows is not part of it.
        m_closed = true;
        return Step::Stop;
    }
    popGroup();
    return Step::Next;
}

// After a backslash: a control word, an escaped byte or a control symbol.
Reader::Step Reader::escape()
{
    ++m_p;
    if (m_p >= m_end)
        return Step::Stop;
    const char d = *m_p;
    if (isLetter(d)) {
        readControlWord();
        return Step::Next;
    }
    if (d == '\'')
        return escapedByte();
    ++m_p;
    controlSymbol(d);
    return Step::Next;
}

void Reader::readControlWord()
{
    const char *ws = m_p;
    while (m_p < m_end && isLetter(*m_p))
        ++m_p;
    const std::string_view word(ws, size_t(m_p - ws));
    bool neg = false, hasParam = false;
    long long v = 0;
    if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && m_p[1] >= '0' && m_p[1] <= '9') {
        neg = true;
        ++m_p;
    }
    while (m_p < m_end && *m_p >= '0' && *m_p <= '9') {
        hasParam = true;
        if (v < 100000000000LL)
            v = v * 10 + (*m_p - '0');
        ++m_p;
    }
    if (neg)
        v = -v;
    v = std::clamp<long long>(v, INT32_MIN, INT32_MAX);
    if (m_p < m_end && *m_p == ' ')
        ++m_p;
    if (word == "bin") {
        // Binary data is skipped by count wherever it stands.
        m_p += std::clamp<long long>(hasParam ? v : 0, 0, m_end - m_p);
        return;
    }
    controlWord(word, hasParam, int(v));
}

// \'hh: one byte in the current code page.
Reader::Step Reader::escapedByte()
{
    ++m_p;
    if (m_end - m_p < 2)
        return Step::Stop; // truncated at the very end
    const int hi = hexDigit(m_p[0]), lo = hexDigit(m_p[1]);
    if (hi < 0 || lo < 0)
        return Step::Next; // not a byte: the digits are read as text
    m_p += 2;
    if (m_skipDepth)
        return Step::Next;
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return Step::Next;
    }
    const unsigned char b = static_cast<unsigned char>(hi * 16 + lo);
    if (m_st.dest == Dest::Text)
        appendByte(b);
    else
        tableText(b, true);
    return Step::Next;
}

void Reader::plainText(char c)
{
    if (c == '\r' || c == '\n' || c == 0) {
        ++m_p;
        return;
    }
    // The common case, a run of printable ASCII, goes in whole (unless it may
    // be the second byte of a double-byte character).
    if (!m_skipDepth && m_ucSkip == 0 && m_st.dest == Dest::Text && !m_st.hidden && c >= 0x20 &&
        c < 0x7F && (syncFormat(), m_pendingBytes.isEmpty())) {
        m_sawText = true;
        endSurrogate();
        const char *s = m_p;
        while (m_p < m_end && kPlainText[static_cast<unsigned char>(*m_p)])
            ++m_p;
        m_cur.insert(m_cur.end(), s, m_p);
        return;
    }
    ++m_p;
    const unsigned char b = static_cast<unsigned char>(c);
    if (notText(b))
        return;
    if (b < 0x20 && b != '\t')
        return;
    appendByte(b);
}

// A file cut off before any text is refused: loading it as an empty document
// would hide that the file is damaged.
bool Reader::wholeEnough(QString *error) const
{
    if (m_closed)
        return true;
    const char *why = m_st.dest == Dest::FontTable ? "The file ends inside its font table."
                      : !m_sawText                 ? "The file ends before its text begins."
                                                   : nullptr;
    if (why && error)
        *error = QString::fromLatin1(why);
    return !why;
}

void Reader::finish(Document *doc)
{
    flushBytes();
    flushRun();
    commitFont();
    doc->halfPoints = m_endHalfPoints > 0 ? m_endHalfPoints : m_st.fmt.halfPoints;
    doc->kept = m_kept;

    // The last paragraph mark ends the text; it is no empty line of its own.
    while (!m_runs.empty() && m_runs.back().first.isEmpty())
        m_runs.pop_back();
    if (!m_runs.empty() && m_runs.back().first.endsWith(QLatin1String("\r\n"))) {
        m_runs.back().first.chop(2);
        if (m_runs.back().first.isEmpty())
            m_runs.pop_back();
    }

    // Fonts that the text uses, the default font first.
    const int mainRtf = m_deffSet ? m_deff : (m_fontDefs.empty() ? 0 : m_fontDefs.begin()->first);
    QHash<int, int> index;
    auto fontIndex = [&](int rtf) {
        auto it = index.find(rtf);
        if (it != index.end())
            return *it;
        auto def = m_fontDefs.find(rtf);
        if (def == m_fontDefs.end()) {
            index.insert(rtf, -1);
            return -1;
        }
        const int i = int(doc->fonts.size());
        // The text is Unicode by now: a font without a charset is as good as ANSI.
        doc->fonts.push_back(Font{def->second.name, std::max(def->second.charset, 0)});
        index.insert(rtf, i);
        return i;
    };
    if (m_fontDefs.count(mainRtf))
        fontIndex(mainRtf);
    for (auto &r : m_runs) {
        Format f = r.second.fmt;
        f.font = fontIndex(r.second.fontRtf);
        if (!doc->runs.isEmpty() && doc->runs.back().format == f)
            doc->runs.back().text += r.first;
        else
            doc->runs.push_back(Run{std::move(r.first), f});
    }
}

} // namespace reader

bool read(const QByteArray &data, Document *doc, QString *error)
{
    *doc = Document();
    reader::Reader r(data);
    if (!r.run(doc, error)) {
        *doc = Document();
        return false;
    }
    return true;
}

} // namespace rtf
