// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the control words and symbols do to the reader's state: destinations,
// fonts and code pages, character format, and characters by name or number.
#include "rtf/RtfReader.h"

#include <QByteArray>

#include <algorithm>

namespace rtf::reader
{

void Reader::textChar(char16_t c)
{
    if (notText(c))
        return;
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

} // namespace rtf::reader
