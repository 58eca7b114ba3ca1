#include "platform/RtfCodec.h"

#include "calc/ModelText.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace platform::rtf
{

QString Document::text() const
{
    QString t;
    for (const Run &r : runs)
        t += r.text;
    return t;
}

QString Document::mainFontName() const
{
    int f = 0;
    for (const Run &r : runs)
        if (!r.text.isEmpty()) {
            f = r.format.font;
            break;
        }
    if (f >= 0 && f < fonts.size())
        return fonts[f].name;
    return fonts.isEmpty() ? QString() : fonts[0].name;
}

int Document::mainHalfPoints() const
{
    for (const Run &r : runs)
        if (!r.text.isEmpty())
            return r.format.halfPoints;
    // No text: the size that the document's last paragraph mark is written in.
    return runs.isEmpty() ? halfPoints : runs.back().format.halfPoints;
}

// ---------------------------------------------------------------- reader

namespace
{

enum class Dest { Text, FontTable, ColourTable };

enum Kw : int {
    K_unknown,
    K_skipdest,
    K_fonttbl,
    K_colortbl,
    K_ansi,
    K_mac,
    K_pc,
    K_pca,
    K_ansicpg,
    K_deff,
    K_f,
    K_fcharset,
    K_cpg,
    K_fs,
    K_b,
    K_i,
    K_ul,
    K_ulnone,
    K_strike,
    K_cf,
    K_plain,
    K_red,
    K_green,
    K_blue,
    K_par,
    K_line,
    K_tab,
    K_cell,
    K_emdash,
    K_endash,
    K_lquote,
    K_rquote,
    K_ldblquote,
    K_rdblquote,
    K_bullet,
    K_emspace,
    K_enspace,
    K_u,
    K_uc,
    K_bin,
    K_v,
};

struct KwEntry {
    std::string_view name;
    Kw kw;
};

// Sorted by name for binary search.
constexpr KwEntry kKeywords[] = {
    {"aftncn", K_skipdest},
    {"aftnsep", K_skipdest},
    {"aftnsepc", K_skipdest},
    {"annotation", K_skipdest},
    {"ansi", K_ansi},
    {"ansicpg", K_ansicpg},
    {"atnauthor", K_skipdest},
    {"atndate", K_skipdest},
    {"atnid", K_skipdest},
    {"atnref", K_skipdest},
    {"author", K_skipdest},
    {"b", K_b},
    {"bin", K_bin},
    {"bkmkend", K_skipdest},
    {"bkmkstart", K_skipdest},
    {"blue", K_blue},
    {"bullet", K_bullet},
    {"buptim", K_skipdest},
    {"category", K_skipdest},
    {"cell", K_cell},
    {"cf", K_cf},
    {"colortbl", K_colortbl},
    {"comment", K_skipdest},
    {"company", K_skipdest},
    {"cpg", K_cpg},
    {"creatim", K_skipdest},
    {"datafield", K_skipdest},
    {"deff", K_deff},
    {"do", K_skipdest},
    {"doccomm", K_skipdest},
    {"docvar", K_skipdest},
    {"emdash", K_emdash},
    {"emspace", K_emspace},
    {"endash", K_endash},
    {"enspace", K_enspace},
    {"f", K_f},
    {"fcharset", K_fcharset},
    {"filetbl", K_skipdest},
    {"fldinst", K_skipdest},
    {"fonttbl", K_fonttbl},
    {"footer", K_skipdest},
    {"footerf", K_skipdest},
    {"footerl", K_skipdest},
    {"footerr", K_skipdest},
    {"footnote", K_skipdest},
    {"fs", K_fs},
    {"ftncn", K_skipdest},
    {"ftnsep", K_skipdest},
    {"ftnsepc", K_skipdest},
    {"green", K_green},
    {"header", K_skipdest},
    {"headerf", K_skipdest},
    {"headerl", K_skipdest},
    {"headerr", K_skipdest},
    {"i", K_i},
    {"info", K_skipdest},
    {"keywords", K_skipdest},
    {"ldblquote", K_ldblquote},
    {"line", K_line},
    {"listoverridetable", K_skipdest},
    {"listtable", K_skipdest},
    {"lquote", K_lquote},
    {"mac", K_mac},
    {"manager", K_skipdest},
    {"nestcell", K_cell},
    {"nonshppict", K_skipdest},
    {"object", K_skipdest},
    {"operator", K_skipdest},
    {"page", K_par},
    {"par", K_par},
    {"pc", K_pc},
    {"pca", K_pca},
    {"pict", K_skipdest},
    {"plain", K_plain},
    {"pntxta", K_skipdest},
    {"pntxtb", K_skipdest},
    {"printim", K_skipdest},
    {"private", K_skipdest},
    {"rdblquote", K_rdblquote},
    {"red", K_red},
    {"revtbl", K_skipdest},
    {"revtim", K_skipdest},
    {"row", K_par},
    {"rquote", K_rquote},
    {"rxe", K_skipdest},
    {"sect", K_par},
    {"strike", K_strike},
    {"striked", K_strike},
    {"stylesheet", K_skipdest},
    {"subject", K_skipdest},
    {"tab", K_tab},
    {"tc", K_skipdest},
    {"template", K_skipdest},
    {"title", K_skipdest},
    {"txe", K_skipdest},
    {"u", K_u},
    {"uc", K_uc},
    {"ul", K_ul},
    {"uld", K_ul},
    {"uldash", K_ul},
    {"uldashd", K_ul},
    {"uldashdd", K_ul},
    {"uldb", K_ul},
    {"ulhwave", K_ul},
    {"ulldash", K_ul},
    {"ulnone", K_ulnone},
    {"ulth", K_ul},
    {"ulw", K_ul},
    {"ulwave", K_ul},
    {"userprops", K_skipdest},
    {"v", K_v},
    {"xe", K_skipdest},
};

Kw lookup(std::string_view w)
{
    const auto *b = std::begin(kKeywords), *e = std::end(kKeywords);
    const auto *it =
        std::lower_bound(b, e, w, [](const KwEntry &k, std::string_view v) { return k.name < v; });
    return (it != e && it->name == w) ? it->kw : K_unknown;
}

// charset -1: the font table names none, so the document's code page applies.
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

// Code pages whose bytes are the model's own bytes: no decoding needed.
bool isByteCodePage(int cp)
{
    return cp == 1252 || cp == -1 || cp == 28591 || cp == 0;
}

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
    Reader(const QByteArray &data) : m_p(data.constData()), m_end(data.constData() + data.size()) {}

    bool run(Document *doc, QString *error);

private:
    const char *m_p;
    const char *m_end;
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
    QString m_cur;
    State m_curState;
    bool m_fmtDirty = true;
    int m_curCp = 1252;
    QByteArray m_pendingBytes;
    int m_pendingCp = 1252;
    int m_ucSkip = 0;
    char16_t m_highSurrogate = 0;
    bool m_closed = false;   // the outer group ended
    bool m_sawText = false;  // any text or paragraph mark of the body, hidden or not
    int m_endHalfPoints = 0; // size of the last paragraph mark
    QHash<int, std::shared_ptr<QStringDecoder>> m_decoders;
    QHash<int, std::shared_ptr<std::vector<char16_t>>> m_tables;
    std::shared_ptr<std::vector<char16_t>> m_unknownTable;

    // One-byte code pages are decoded through a table built once per file.
    const std::vector<char16_t> *singleByteTable(int cp)
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

    // A code page we cannot decode keeps ASCII and marks the rest, rather
    // than passing bytes off as the model's own.
    static char16_t unknownByte(int b) { return b < 0x80 ? char16_t(b) : char16_t(0xFFFD); }
    // Some converters put U+001A where a byte has no character.
    static char16_t decoded(char16_t u) { return u == 0x1A ? char16_t(0xFFFD) : u; }

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
            m_cur += QChar(0xFFFD);
            m_highSurrogate = 0;
        }
        if (!m_cur.isEmpty()) {
            m_runs.emplace_back(m_cur, m_curState);
            m_cur.clear();
        }
    }

    void appendUnit(char16_t u)
    {
        if (u == '\r' || u == '\n') // line breaks come only from paragraph marks
            return;
        if (m_highSurrogate) {
            if (QChar::isLowSurrogate(u)) {
                m_cur += QChar(m_highSurrogate);
                m_cur += QChar(u);
                m_highSurrogate = 0;
                return;
            }
            m_cur += QChar(0xFFFD);
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
        m_cur += calc::displayToModel(QChar(u));
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
            m_cur += QChar(0xFFFD);
            m_highSurrogate = 0;
        }
        m_cur += QLatin1String("\r\n");
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
        if (const std::vector<char16_t> *table = singleByteTable(m_curCp)) {
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
        QStringDecoder *dec = decoderFor(m_pendingCp);
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

    QStringDecoder *decoderFor(int cp)
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
            d = std::make_shared<QStringDecoder>(name.constData(),
                                                 QStringConverter::Flag::Stateless);
            if (d->isValid())
                break;
            d.reset();
        }
        m_decoders.insert(cp, d);
        return d.get();
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
    void controlSymbol(char c);
    void textChar(char16_t c);
    void finish(Document *doc);
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
        m_skipDepth = 1; // the rest of this group is a destination we do not know
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
    if (m_ucSkip > 0) {
        // A control word inside the fallback counts as one character.
        --m_ucSkip;
        return;
    }
    const bool on = !hasParam || param != 0;
    switch (kw) {
    case K_unknown:
        return;
    case K_skipdest:
        m_skipDepth = 1;
        return;
    case K_fonttbl:
        m_st.dest = Dest::FontTable;
        return;
    case K_colortbl:
        m_st.dest = Dest::ColourTable;
        m_colours.clear();
        return;
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
            return;
        }
        if (hasParam)
            m_st.fontRtf = param;
        break;
    case K_fcharset:
        if (m_st.dest == Dest::FontTable)
            m_tblCharset = hasParam ? param : 0;
        return;
    case K_cpg:
        if (m_st.dest == Dest::FontTable && hasParam && param > 0 && param < 100000)
            m_tblCpg = param;
        return;
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
        return;
    case K_red:
    case K_green:
    case K_blue:
        if (m_st.dest == Dest::ColourTable) {
            const int v = std::clamp(hasParam ? param : 0, 0, 255);
            (kw == K_red ? m_cr : kw == K_green ? m_cg : m_cb) = v;
            m_cSet = true;
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
    case K_bin:
        return;
    }
    m_fmtDirty = true;
}

bool Reader::run(Document *doc, QString *error)
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

    while (m_p < m_end) {
        const char c = *m_p;
        if (c == '{') {
            ++m_p;
            if (m_ucSkip > 0)
                m_ucSkip = 0;
            if (int(m_stack.size()) + m_skipDepth >= kMaxDepth) {
                if (error)
                    *error =
                        QStringLiteral("The file nests groups more than %1 deep.").arg(kMaxDepth);
                return false;
            }
            if (m_skipDepth)
                ++m_skipDepth;
            else
                pushGroup();
            continue;
        }
        if (c == '}') {
            ++m_p;
            m_ucSkip = 0;
            if (m_skipDepth) {
                if (--m_skipDepth > 0)
                    continue;
            }
            if (m_stack.size() <= 1) {
                // The outer group is closed: whatever follows is not part of it.
                m_closed = true;
                break;
            }
            popGroup();
            continue;
        }
        if (c == '\\') {
            ++m_p;
            if (m_p >= m_end)
                break;
            const char d = *m_p;
            if ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z')) {
                const char *ws = m_p;
                while (m_p < m_end &&
                       ((*m_p >= 'a' && *m_p <= 'z') || (*m_p >= 'A' && *m_p <= 'Z')))
                    ++m_p;
                const std::string_view word(ws, size_t(m_p - ws));
                bool neg = false, hasParam = false;
                long long v = 0;
                if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && m_p[1] >= '0' &&
                    m_p[1] <= '9') {
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
                    const long long n = std::clamp<long long>(hasParam ? v : 0, 0, m_end - m_p);
                    m_p += n;
                    continue;
                }
                controlWord(word, hasParam, int(v));
                continue;
            }
            if (d == '\'') {
                ++m_p;
                auto hex = [](char h) {
                    if (h >= '0' && h <= '9')
                        return h - '0';
                    if (h >= 'a' && h <= 'f')
                        return h - 'a' + 10;
                    if (h >= 'A' && h <= 'F')
                        return h - 'A' + 10;
                    return -1;
                };
                if (m_end - m_p < 2)
                    break; // truncated at the very end
                const int hi = hex(m_p[0]), lo = hex(m_p[1]);
                if (hi < 0 || lo < 0) {
                    continue; // not a byte: the digits are read as text
                }
                m_p += 2;
                if (m_skipDepth)
                    continue;
                if (m_ucSkip > 0) {
                    --m_ucSkip;
                    continue;
                }
                const unsigned char b = static_cast<unsigned char>(hi * 16 + lo);
                if (m_st.dest == Dest::Text)
                    appendByte(b);
                else
                    tableText(b, true);
                continue;
            }
            ++m_p;
            controlSymbol(d);
            continue;
        }
        if (c == '\r' || c == '\n' || c == 0) {
            ++m_p;
            continue;
        }
        // Plain text. The common case, a run of printable ASCII, goes in whole
        // (unless it may be the second byte of a double-byte character).
        if (!m_skipDepth && m_ucSkip == 0 && m_st.dest == Dest::Text && !m_st.hidden && c >= 0x20 &&
            c < 0x7F && (syncFormat(), m_pendingBytes.isEmpty())) {
            m_sawText = true;
            if (m_highSurrogate) {
                m_cur += QChar(0xFFFD);
                m_highSurrogate = 0;
            }
            const char *s = m_p;
            while (m_p < m_end && *m_p >= 0x20 && *m_p < 0x7F && *m_p != '\\' && *m_p != '{' &&
                   *m_p != '}')
                ++m_p;
            m_cur.append(QLatin1String(s, m_p - s));
            continue;
        }
        ++m_p;
        if (m_skipDepth)
            continue;
        if (m_ucSkip > 0) {
            --m_ucSkip;
            continue;
        }
        if (m_st.dest != Dest::Text) {
            tableText(static_cast<unsigned char>(c));
            continue;
        }
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t')
            continue;
        appendByte(b);
    }
    if (!m_closed) {
        // Cut off before any text: loading it as an empty document would hide
        // that the file is damaged.
        const char *why = m_st.dest == Dest::FontTable ? "The file ends inside its font table."
                          : !m_sawText                 ? "The file ends before its text begins."
                                                       : nullptr;
        if (why) {
            if (error)
                *error = QString::fromLatin1(why);
            return false;
        }
    }
    finish(doc);
    return true;
}

void Reader::finish(Document *doc)
{
    flushBytes();
    flushRun();
    commitFont();
    doc->halfPoints = m_endHalfPoints > 0 ? m_endHalfPoints : m_st.fmt.halfPoints;

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

// ---------------------------------------------------------------- writer

namespace
{

class Writer
{
public:
    explicit Writer(QByteArray &o) : m_out(o) {}

    void word(const char *w)
    {
        m_out += '\\';
        m_out += w;
        m_delim = true;
    }
    void word(const char *w, long n)
    {
        m_out += '\\';
        m_out += w;
        m_out += QByteArray::number(qlonglong(n));
        m_delim = true;
    }
    void raw(const char *s)
    {
        m_out += s;
        m_delim = false;
    }
    void text(char c)
    {
        if (m_delim)
            m_out += ' ';
        m_delim = false;
        m_out += c;
    }
    void newline()
    {
        m_out += "\r\n";
        m_delim = false;
    }
    void escapedText(const QString &t);

    QByteArray &m_out;
    bool m_delim = false;
    bool m_bytesAsIs = true;      // the font reads \'hh as the byte itself
    bool m_fontName = false;      // a ';' would end the name
    int m_privateAreaFont = -1;   // see write()
    bool m_inPrivateArea = false; // inside a group of that font

private:
    void hexByte(char16_t u)
    {
        static const char hexd[] = "0123456789abcdef";
        m_out += "\\'";
        m_out += hexd[(u >> 4) & 15];
        m_out += hexd[u & 15];
        m_delim = false;
    }
};

void Writer::escapedText(const QString &t)
{
    const int n = int(t.size());
    for (int i = 0; i < n; ++i) {
        const char16_t u = t.at(i).unicode();
        const bool privateArea = m_privateAreaFont >= 0 && u >= 0xF020 && u <= 0xF0FF;
        if (privateArea != m_inPrivateArea) {
            if (privateArea) {
                m_out += '{';
                word("f", m_privateAreaFont);
            } else {
                m_out += '}';
                m_delim = false;
            }
            m_inPrivateArea = privateArea;
        }
        if (u == '\r') {
            if (i + 1 < n && t.at(i + 1) == QLatin1Char('\n'))
                ++i;
            word("par");
            newline();
        } else if (u == '\n') {
            word("par");
            newline();
        } else if (u == '\t') {
            word("tab");
        } else if (u == '\\' || u == '{' || u == '}') {
            if (m_delim)
                m_out += ' ';
            m_out += '\\';
            m_out += char(u);
            m_delim = false;
        } else if (u < 0x20 || (u == ';' && m_fontName)) {
            hexByte(u); // the same in every code page
        } else if (u < 0x7F) {
            text(char(u));
        } else if (u < 0x100 && m_bytesAsIs) {
            hexByte(u);
        } else {
            word("u", long(int16_t(u)));
            m_out += '?';
            m_delim = false;
        }
    }
    if (m_inPrivateArea) {
        m_out += '}';
        m_delim = false;
        m_inPrivateArea = false;
    }
}

} // namespace

QByteArray write(const Document &doc)
{
    QByteArray out;
    qsizetype est = 200;
    for (const Run &r : doc.runs)
        est += r.text.size() + r.text.size() / 8 + 32;
    out.reserve(est);
    Writer w(out);

    QVector<Font> fonts = doc.fonts;
    if (fonts.isEmpty())
        fonts.push_back(Font{QString(), 0});
    auto fontOf = [&](const Run &r) {
        return (r.format.font >= 0 && r.format.font < fonts.size()) ? r.format.font : 0;
    };
    // A symbol font reads U+F020-U+F0FF as its own bytes. Such characters are
    // written in an ANSI entry of the same face, so they come back as they were.
    std::vector<int> privateAreaFont(size_t(fonts.size()), -1);
    for (const Run &r : doc.runs) {
        const int f = fontOf(r);
        if (fonts[f].charset != 2 || privateAreaFont[size_t(f)] >= 0)
            continue;
        if (std::any_of(r.text.begin(), r.text.end(),
                        [](QChar c) { return c.unicode() >= 0xF020 && c.unicode() <= 0xF0FF; })) {
            privateAreaFont[size_t(f)] = int(fonts.size());
            fonts.push_back(Font{fonts[f].name, 0});
        }
    }
    std::vector<quint32> colours;
    for (const Run &r : doc.runs)
        if (r.format.hasColour &&
            std::find(colours.begin(), colours.end(), r.format.colour) == colours.end())
            colours.push_back(r.format.colour);

    w.raw("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl");
    for (int i = 0; i < fonts.size(); ++i) {
        w.raw("{");
        w.word("f", i);
        w.word("fnil");
        w.word("fcharset", fonts[i].charset);
        Writer nameW(out);
        nameW.m_delim = true;
        nameW.m_fontName = true;
        nameW.escapedText(fonts[i].name);
        out += ";}";
    }
    out += '}';
    w.m_delim = false;
    if (!colours.empty()) {
        w.newline();
        w.raw("{\\colortbl ;");
        for (quint32 c : colours) {
            w.word("red", long((c >> 16) & 0xFF));
            w.word("green", long((c >> 8) & 0xFF));
            w.word("blue", long(c & 0xFF));
            w.raw(";");
        }
        w.raw("}");
    }
    w.newline();
    w.raw("\\viewkind4\\uc1\\pard");

    Format cur;
    cur.font = -2;
    cur.halfPoints = -1;
    auto colourIndex = [&](quint32 c) {
        return int(std::find(colours.begin(), colours.end(), c) - colours.begin()) + 1;
    };
    auto apply = [&](const Format &f) {
        if (f.hasColour != cur.hasColour || (f.hasColour && f.colour != cur.colour))
            w.word("cf", f.hasColour ? colourIndex(f.colour) : 0);
        if (f.bold != cur.bold)
            w.word(f.bold ? "b" : "b0");
        if (f.italic != cur.italic)
            w.word(f.italic ? "i" : "i0");
        if (f.underline != cur.underline)
            w.word(f.underline ? "ul" : "ulnone");
        if (f.strike != cur.strike)
            w.word(f.strike ? "strike" : "strike0");
        const int font = (f.font >= 0 && f.font < doc.fonts.size()) ? f.font : 0;
        if (font != cur.font)
            w.word("f", font);
        if (f.halfPoints != cur.halfPoints)
            w.word("fs", f.halfPoints);
        cur = f;
        cur.font = font;
    };

    if (doc.runs.isEmpty()) {
        Format f;
        f.halfPoints = doc.halfPoints;
        apply(f);
    }
    for (const Run &r : doc.runs) {
        apply(r.format);
        const int cs = fonts[cur.font].charset;
        w.m_bytesAsIs = cs == 0 || cs == 1 || cs == 2;
        w.m_privateAreaFont = privateAreaFont[size_t(cur.font)];
        w.escapedText(r.text);
    }
    w.word("par");
    w.newline();
    w.raw("}");
    w.newline();
    return out;
}

QByteArray writePlain(const QString &modelText, const QString &fontName, int halfPoints)
{
    Document d;
    d.fonts.push_back(Font{fontName, 0});
    Run r;
    r.text = modelText;
    r.format.halfPoints = halfPoints;
    d.runs.push_back(r);
    d.halfPoints = halfPoints;
    return write(d);
}

} // namespace platform::rtf
