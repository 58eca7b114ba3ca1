// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The reader's state, shared by its two halves: RtfReader.cpp walks the bytes
// and groups, RtfControlWords.cpp acts on the control words and symbols.
#pragma once

#include "calc/ModelText.h"
#include "rtf/RtfCodePages.h"
#include "rtf/RtfCodec.h"
#include "rtf/RtfKeywords.h"

#include <map>
#include <string_view>
#include <utility>
#include <vector>

namespace rtf::reader
{

// Unknown destinations kept per document; more are skipped as before.
constexpr int kMaxKept = 64;

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

    // A high surrogate that no low one followed is no character.
    void endSurrogate()
    {
        if (m_highSurrogate) {
            m_cur.push_back(u'\uFFFD');
            m_highSurrogate = 0;
        }
    }

    void flushRun()
    {
        endSurrogate();
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
        endSurrogate();
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

    // Whether a character goes elsewhere than the text: skipped, the fallback
    // of a \u, or an entry of a table.
    bool notText(char16_t c)
    {
        if (m_skipDepth)
            return true;
        if (m_ucSkip > 0) {
            --m_ucSkip;
            return true;
        }
        if (m_st.dest != Dest::Text) {
            tableText(c);
            return true;
        }
        return false;
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

} // namespace rtf::reader
