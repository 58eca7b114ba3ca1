// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The reader: a tokenizer over the bytes, a stack of group states, and the
// text it collects in runs of one format. Keywords and code pages have files
// of their own.
#include "rtf/RtfCodec.h"

#include "calc/ModelText.h"
#include "rtf/RtfCodePages.h"
#include "rtf/RtfKeywords.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <string_view>
#include <vector>

namespace rtf
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

// Unknown destinations kept per document; more are skipped as before.
constexpr int kMaxKept = 64;

// Printable ASCII that stands for itself: most of a document's bytes.
constexpr auto kPlainText = [] {
    std::array<bool, 256> t{};
    for (int b = 0x20; b < 0x7F; ++b)
        t[b] = b != '\\' && b != '{' && b != '}';
    return t;
}();

// Ignored: text that another part of the group shows better (\upr).
enum class Dest { Text, FontTable, ColourTable, Ignored };

struct State {
    Format fmt;
    int fontRtf = 0; // \f as written in the file
    int uc = 1;
    Dest dest = Dest::Text;
    bool hidden = false; // \v: not part of the program, dropped
};

struct FontDef {
    QString name;
    int charset = -1; // -1: none given, the document's code page applies
    int cp = 0;       // explicit \cpg, 0 when none
};

class Reader
{
public:
    Reader(const QByteArray &data)
        : m_p(data.constData()), m_end(data.constData() + data.size()), m_groupOpen(m_p)
    {
    }

    bool run(Document *doc, QString *error);

private:
    const char *m_p;
    const char *m_end;
    const char *m_groupOpen; // just after the latest '{'
    std::vector<State> m_stack;
    State m_st;
    int m_skipDepth = 0;
    int m_ansiCp = 1252;
    int m_deff = 0;
    bool m_deffSet = false;

    // font table
    std::map<int, FontDef> m_fontDefs;
    int m_tblFont = 0;
    int m_tblDepth = 0;
    QString m_tblName;
    bool m_tblPending = false;
    int m_tblCharset = -1;
    int m_tblCpg = 0;
    // colour table
    std::vector<std::pair<bool, quint32>> m_colours;
    int m_cr = 0, m_cg = 0, m_cb = 0;
    bool m_cSet = false;

    // output
    std::vector<std::pair<QString, State>> m_runs; // text with its state (font as in file)
    std::vector<char16_t> m_cur; // the run being read; cheaper to grow than a QString
    State m_curState;
    bool m_fmtDirty = true;
    int m_curCp = 1252;
    QByteArray m_pendingBytes;
    int m_pendingCp = 1252;
    int m_ucSkip = 0;
    char16_t m_highSurrogate = 0;
    bool m_closed = false;             // the outer group ended
    bool m_starPending = false;        // \* opened this group; the next word decides
    const char *m_keptStart = nullptr; // the unknown destination being kept
    QVector<QByteArray> m_kept;
    int m_footnotes = 0;
    bool m_sawText = false;  // any text or paragraph mark of the body, hidden or not
    int m_endHalfPoints = 0; // size of the last paragraph mark
    CodePages m_codePages;

    bool inText() const { return m_skipDepth == 0 && m_st.dest == Dest::Text; }

    int cpForFont(int f) const
    {
        auto it = m_fontDefs.find(f);
        if (it == m_fontDefs.end())
            return m_ansiCp;
        if (it->second.cp > 0 && it->second.charset != 2)
            return it->second.cp;
        return codePageForCharset(it->second.charset, m_ansiCp);
    }

    void syncFormat()
    {
        if (!m_fmtDirty)
            return;
        m_fmtDirty = false;
        flushBytes();
        const bool same = m_curState.fmt == m_st.fmt && m_curState.fontRtf == m_st.fontRtf;
        if (!same) {
            flushRun();
            m_curState = m_st;
        }
        m_curCp = cpForFont(m_st.fontRtf);
    }

    void flushRun()
    {
        if (m_highSurrogate) {
            m_cur.push_back(u'\uFFFD');
            m_highSurrogate = 0;
        }
        if (!m_cur.empty()) {
            m_runs.emplace_back(
                QString(reinterpret_cast<const QChar *>(m_cur.data()), qsizetype(m_cur.size())),
                m_curState);
            m_cur.clear();
        }
    }

    void appendUnit(char16_t u)
    {
        if (u == '\r' || u == '\n') // line breaks come only from paragraph marks
            return;
        if (m_highSurrogate) {
            if (QChar::isLowSurrogate(u)) {
                m_cur.push_back(m_highSurrogate);
                m_cur.push_back(u);
                m_highSurrogate = 0;
                return;
            }
            m_cur.push_back(u'\uFFFD');
            m_highSurrogate = 0;
        }
        if (QChar::isHighSurrogate(u)) {
            m_highSurrogate = u;
            return;
        }
        // Lone low surrogates, and the two non-characters a text document
        // reserves for itself, are no text.
        if (QChar::isLowSurrogate(u) || u == 0xFDD0 || u == 0xFDD1)
            u = 0xFFFD;
        m_cur.push_back(calc::displayToModel(QChar(u)).unicode());
    }

    void appendBreak()
    {
        m_sawText = true;
        if (m_st.hidden)
            return;
        m_endHalfPoints = m_st.fmt.halfPoints;
        syncFormat();
        flushBytes();
        if (m_highSurrogate) {
            m_cur.push_back(u'\uFFFD');
            m_highSurrogate = 0;
        }
        static constexpr char16_t crlf[] = {u'\r', u'\n'};
        m_cur.insert(m_cur.end(), crlf, crlf + 2);
    }

    // One byte of text in the current font's code page.
    void appendByte(unsigned char b)
    {
        m_sawText = true;
        if (m_st.hidden)
            return;
        syncFormat();
        if (isByteCodePage(m_curCp)) {
            appendUnit(b);
            return;
        }
        if (const std::vector<char16_t> *table = m_codePages.singleByteTable(m_curCp)) {
            flushBytes();
            appendUnit((*table)[b]);
            return;
        }
        if (b < 0x20) {
            // Control codes are no part of a multi-byte character, and some
            // converters swap them around.
            flushBytes();
            appendUnit(b);
            return;
        }
        if (!m_pendingBytes.isEmpty() && m_pendingCp != m_curCp)
            flushBytes();
        m_pendingCp = m_curCp;
        m_pendingBytes.append(char(b));
    }

    void flushBytes()
    {
        if (m_pendingBytes.isEmpty())
            return;
        QByteArray bytes;
        bytes.swap(m_pendingBytes);
        QStringDecoder *dec = m_codePages.decoderFor(m_pendingCp);
        if (!dec) {
            for (char c : bytes)
                appendUnit(unknownByte(static_cast<unsigned char>(c)));
            return;
        }
        dec->resetState();
        const QString s = dec->decode(bytes);
        for (QChar c : s)
            appendUnit(decoded(c.unicode()));
    }

    void pushGroup()
    {
        m_stack.push_back(m_st);
        m_fmtDirty = true;
    }

    void popGroup()
    {
        // A font entry ends with its ';' or, failing that, with its group.
        if (m_tblPending && int(m_stack.size()) <= m_tblDepth)
            commitFont();
        if (m_stack.empty())
            return;
        m_st = m_stack.back();
        m_stack.pop_back();
        m_fmtDirty = true;
    }

    void commitFont()
    {
        if (!m_tblPending)
            return;
        FontDef &d = m_fontDefs[m_tblFont];
        d.name = m_tblName.trimmed();
        d.charset = m_tblCharset;
        d.cp = m_tblCpg;
        m_tblPending = false;
        m_tblName.clear();
        m_tblCharset = -1;
        m_tblCpg = 0;
    }

    // escaped: written as \'hh, so a ';' belongs to the name.
    void tableText(char16_t c, bool escaped = false)
    {
        if (m_st.dest == Dest::FontTable) {
            if (c == ';' && !escaped)
                commitFont();
            else if (m_tblPending && m_tblName.size() < 256 && c >= 0x20)
                m_tblName += QChar(c);
        } else if (m_st.dest == Dest::ColourTable) {
            if (c == ';') {
                m_colours.emplace_back(m_cSet,
                                       quint32(m_cr) << 16 | quint32(m_cg) << 8 | quint32(m_cb));
                m_cr = m_cg = m_cb = 0;
                m_cSet = false;
            }
        }
    }

    void controlWord(std::string_view w, bool hasParam, int param);
    // The parts of controlWord; each tells whether the word was its own.
    bool destinationWord(Kw kw, bool hasParam, int param);
    bool fontWord(Kw kw, bool hasParam, int param);
    bool formatWord(Kw kw, bool hasParam, int param);
    void textWord(Kw kw, bool hasParam, int param);
    void controlSymbol(char c);
    void textChar(char16_t c);
    void finish(Document *doc);

    // The steps of run(): each reads from m_p on and tells how to go on.
    enum class Step { Next, Stop, Fail };
    bool readHeader(QString *error);
    Step openGroup(QString *error);
    Step closeGroup();
    Step escape();
    void readControlWord();
    Step escapedByte();
    void plainText(char c);
    bool wholeEnough(QString *error) const;
};

void Reader::textChar(char16_t c)
{
    if (m_skipDepth)
        return;
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    if (m_st.dest != Dest::Text) {
        tableText(c);
        return;
    }
    m_sawText = true;
    if (m_st.hidden)
        return;
    syncFormat();
    flushBytes();
    appendUnit(c);
}

void Reader::controlSymbol(char c)
{
    if (m_skipDepth)
        return;
    if (c == '*') {
        // Only at a group's start does \* mark a destination that may be
        // skipped; elsewhere it means nothing. Line breaks in between are
        // no text.
        const char *q = m_p - 2;
        while (q > m_groupOpen && (q[-1] == '\r' || q[-1] == '\n'))
            --q;
        if (q == m_groupOpen)
            m_starPending = true;
        return;
    }
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        if (m_st.dest == Dest::Text)
            textChar(char16_t(c));
        else
            tableText(char16_t(c));
        break;
    case '~':
        textChar(0xA0);
        break;
    case '_':
        textChar('-');
        break;
    case '\r':
    case '\n':
        if (m_st.dest == Dest::Text)
            appendBreak();
        break;
    case '\t':
        textChar('\t');
        break;
    case '-': // optional hyphen: the soft hyphen byte
        textChar(0xAD);
        break;
    default: // \| \: and the rest show nothing
        break;
    }
}

void Reader::controlWord(std::string_view w, bool hasParam, int param)
{
    if (m_skipDepth)
        return;
    const Kw kw = w.size() > size_t(kMaxControlWordLength) ? K_unknown : lookup(w);
    if (kw == K_bin)
        return; // handled by the tokenizer
    if (m_starPending) {
        m_starPending = false;
        // A destination this reader does not know: the whole group goes.
        if (kw != K_skipdest && kw != K_textdest && kw != K_fonttbl && kw != K_colortbl) {
            m_skipDepth = 1;
            // Directly in the outer group it belongs to the document: kept.
            if (m_stack.size() == 2 && m_kept.size() < kMaxKept)
                m_keptStart = m_groupOpen - 1;
            return;
        }
    }
    if (m_ucSkip > 0) {
        // A control word inside the fallback counts as one character.
        --m_ucSkip;
        return;
    }
    if (kw == K_unknown || destinationWord(kw, hasParam, param) || fontWord(kw, hasParam, param) ||
        formatWord(kw, hasParam, param))
        return;
    textWord(kw, hasParam, param);
}

// Words that open a destination, and the colour table's entries.
bool Reader::destinationWord(Kw kw, bool hasParam, int param)
{
    switch (kw) {
    case K_skipdest:
        m_skipDepth = 1;
        return true;
    case K_textdest:
        if (m_st.dest == Dest::Ignored)
            m_st.dest = Dest::Text;
        return true;
    case K_upr:
        // Its first group holds the ANSI text, its \ud group the same in
        // Unicode; in the tables both are read and the second entry wins.
        if (m_st.dest == Dest::Text)
            m_st.dest = Dest::Ignored;
        return true;
    case K_fonttbl:
        m_st.dest = Dest::FontTable;
        return true;
    case K_colortbl:
        m_st.dest = Dest::ColourTable;
        m_colours.clear();
        return true;
    case K_red:
    case K_green:
    case K_blue:
        if (m_st.dest == Dest::ColourTable) {
            const int v = std::clamp(hasParam ? param : 0, 0, 255);
            (kw == K_red ? m_cr : kw == K_green ? m_cg : m_cb) = v;
            m_cSet = true;
        }
        return true;
    default:
        return false;
    }
}

// The document's code page, the font table's entries and the font in use.
bool Reader::fontWord(Kw kw, bool hasParam, int param)
{
    switch (kw) {
    case K_ansi:
        m_ansiCp = 1252;
        break;
    case K_mac:
        m_ansiCp = 10000;
        break;
    case K_pc:
        m_ansiCp = 437;
        break;
    case K_pca:
        m_ansiCp = 850;
        break;
    case K_ansicpg:
        if (hasParam && param > 0 && param < 100000)
            m_ansiCp = param;
        break;
    case K_deff:
        if (hasParam) {
            m_deff = param;
            m_deffSet = true;
            if (m_stack.size() <= 1)
                m_st.fontRtf = param;
        }
        break;
    case K_f:
        if (m_st.dest == Dest::FontTable) {
            commitFont();
            m_tblFont = hasParam ? param : 0;
            m_tblDepth = int(m_stack.size());
            m_tblPending = true;
            m_tblName.clear();
            m_tblCharset = -1;
            m_tblCpg = 0;
            return true;
        }
        if (hasParam)
            m_st.fontRtf = param;
        break;
    case K_fcharset:
        if (m_st.dest == Dest::FontTable)
            m_tblCharset = hasParam ? param : 0;
        return true;
    case K_cpg:
        if (m_st.dest == Dest::FontTable && hasParam && param > 0 && param < 100000)
            m_tblCpg = param;
        return true;
    default:
        return false;
    }
    m_fmtDirty = true; // the code page of the text may have changed
    return true;
}

// Character format.
bool Reader::formatWord(Kw kw, bool hasParam, int param)
{
    const bool on = !hasParam || param != 0;
    switch (kw) {
    case K_fs:
        if (hasParam && param > 0)
            m_st.fmt.halfPoints = std::clamp(param, 2, 3276);
        else if (!hasParam)
            m_st.fmt.halfPoints = 24;
        break;
    case K_b:
        m_st.fmt.bold = on;
        break;
    case K_i:
        m_st.fmt.italic = on;
        break;
    case K_ul:
        m_st.fmt.underline = on;
        break;
    case K_ulnone:
        m_st.fmt.underline = false;
        break;
    case K_strike:
        m_st.fmt.strike = on;
        break;
    case K_cf: {
        const int idx = hasParam ? param : 0;
        if (idx > 0 && size_t(idx) < m_colours.size() && m_colours[idx].first) {
            m_st.fmt.hasColour = true;
            m_st.fmt.colour = m_colours[idx].second;
        } else {
            m_st.fmt.hasColour = false;
        }
        break;
    }
    case K_plain:
        m_st.fmt = Format();
        m_st.fontRtf = m_deff;
        m_st.hidden = false;
        break;
    case K_v:
        m_st.hidden = on;
        return true;
    default:
        return false;
    }
    m_fmtDirty = true;
    return true;
}

// Breaks, characters by name and by number.
void Reader::textWord(Kw kw, bool hasParam, int param)
{
    switch (kw) {
    case K_chftn:
        // Every footnote mark in the text numbers the next footnote.
        if (m_st.dest == Dest::Text) {
            ++m_footnotes;
            for (char digit : QByteArray::number(m_footnotes))
                textChar(char16_t(digit));
        }
        return;
    case K_par:
    case K_line:
        if (m_st.dest == Dest::Text)
            appendBreak();
        return;
    case K_tab:
    case K_cell:
        textChar('\t');
        return;
    case K_emdash:
        textChar(0x2014);
        return;
    case K_endash:
        textChar(0x2013);
        return;
    case K_lquote:
        textChar(0x2018);
        return;
    case K_rquote:
        textChar(0x2019);
        return;
    case K_ldblquote:
        textChar(0x201C);
        return;
    case K_rdblquote:
        textChar(0x201D);
        return;
    case K_bullet:
        textChar(0x2022);
        return;
    case K_emspace:
    case K_enspace:
        textChar(' ');
        return;
    case K_u: {
        long v = hasParam ? param : 0;
        if (v < 0)
            v += 65536;
        char16_t c = (v < 0 || v > 0xFFFF) ? char16_t(0xFFFD) : char16_t(v);
        // A symbol font's characters are also reachable in the private area;
        // elsewhere those are characters of their own.
        if (c >= 0xF020 && c <= 0xF0FF && m_st.dest == Dest::Text && cpForFont(m_st.fontRtf) == -1)
            c = char16_t(c - 0xF000);
        textChar(c);
        m_ucSkip = m_st.uc;
        return;
    }
    case K_uc:
        m_st.uc = std::clamp(hasParam ? param : 1, 0, 64);
        return;
    default:
        return;
    }
}

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
        if (m_highSurrogate) {
            m_cur.push_back(u'\uFFFD');
            m_highSurrogate = 0;
        }
        const char *s = m_p;
        while (m_p < m_end && kPlainText[static_cast<unsigned char>(*m_p)])
            ++m_p;
        m_cur.insert(m_cur.end(), s, m_p);
        return;
    }
    ++m_p;
    if (m_skipDepth)
        return;
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    if (m_st.dest != Dest::Text) {
        tableText(static_cast<unsigned char>(c));
        return;
    }
    const unsigned char b = static_cast<unsigned char>(c);
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

} // namespace

bool read(const QByteArray &data, Document *doc, QString *error)
{
    *doc = Document();
    Reader r(data);
    if (!r.run(doc, error)) {
        *doc = Document();
        return false;
    }
    return true;
}

} // namespace rtf
