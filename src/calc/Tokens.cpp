// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/Tokens.h"

#include "calc/CalculatorSymbols.h"
#include "calc/TokenCodes.h"

#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

#include <array>
#include <cstddef>
#include <map>
#include <vector>

// The token sheet, embedded by the build (cmake/EmbedFile.cmake).
namespace calc::tokens::sheet
{
extern const unsigned char data[];
extern const std::size_t dataSize;
} // namespace calc::tokens::sheet

namespace calc::tokens
{

namespace
{

constexpr int kNewline = tok::Newline;
constexpr int kQuote = tok::Quote;
constexpr int kStore = tok::Store;

// Which generation of the operating system brought a token in: 0 for the
// TI-83's own. The version byte of a file is the highest one its program uses.
int generationOf(int token)
{
    if (token >= tok::Os1First && token <= tok::Os1Last)
        return 1;
    if (token >= tok::Os2First && token <= tok::Os2Last)
        return 2;
    if (token >= tok::Os3First && token <= tok::Os3Last)
        return 3;
    if (token >= tok::Os4First && token <= tok::Os4Last)
        return 4;
    if (token >= tok::Os5First && token <= tok::Os5Last)
        return 5;
    if (token >= tok::Os6First && token <= tok::Os6Last)
        return 6;
    return 0;
}

// Spellings of our own. A `first` one is also how text writes its token (the
// sheet has cosh⁻¹( as "soch⁻¹("); the others are only read.
struct Extra {
    int token;
    const char16_t *spelling;
    bool first;
};
const Extra kExtras[] = {
    {tok::CosH1, u"cosh\u207B\u00B9(", true},
    {kQuote, u"''", false},                  // the reference's double quote
    {tok::GetKey, u"Getkey", false},         // as the reference and the wizard write it
    {tok::DelVar, u"Delvar ", false},        // as the reference's example writes it
    {tok::Pause, u"Pause", false},           // the reference ends a line with it
    {tok::Disp, u"Disp", false},             // alone, it shows the home screen
    {tok::ImaginaryI, u"\U0001D456", false}, // the font's imaginary i
    {tok::EConst, u"\u212F", false},         // the font's e
    {tok::EPow, u"\u212F^(", false},
    {tok::SeqU1, u"Un\u208B\u2081", false}, // the font's -1 on the baseline
    {tok::SeqV1, u"Vn\u208B\u2081", false},
    {tok::SeqN, u"\U0001D45B", false},         // the sequences' 𝑛, as the font draws it
    {tok::TwoVarStats, u"2-Var Stats", false}, // as the sheet wrote them before
    {tok::ZInterval, u"ZInterval", false},     // their trailing space was added
    {tok::DeltaList, u"\u0394List(", false},   // the calculator's own spelling
    {tok::DeltaList, u"\u2206List(", false},
    // What the colour models show for older tokens, read on every model.
    {0x7E06, u"Thick", false},
    {0x7E07, u"Dot-Thick", false},
    {0x7E0A, u"GridDot ", false},
    {tok::AxesOn, u"AxesOn ", false},
    // Without a colour after them, as a line's end leaves them.
    {0x7E0A, u"GridDot", false},
    {0xEF5A, u"GridLine", false},
    {tok::MathPrint, u"MATHPRINT", false},
    {tok::Classic, u"CLASSIC", false},
    {0xEF3D, u"FRAC-APPROX", false},
    {0xEF3D, u"[FRAC-APPROX]", false},
    // Statistics commands at a line's end, where their trailing space is gone.
    {0xF2, u"1-Var Stats", false},
    {0xF4, u"LinReg(a+bx)", false},
    {0xF5, u"ExpReg", false},
    {0xF9, u"QuadReg", false},
    {0xFF, u"LinReg(ax+b)", false},
    {0x2E, u"CubicReg", false},
    {0x2F, u"QuartReg", false},
    {0xF6, u"LnReg", false},
    {0xF7, u"PwrReg", false},
    {0xF8, u"Med-Med", false},
    {0xBB32, u"SinReg", false},
    {0xBB33, u"Logistic", false},
    {0xBB34, u"LinRegTTest", false},
    {0xBB3C, u"T-Test", false},
    {0xBB46, u"2-SampTTest", false},
    {0xBB47, u"2-SampFTest", false},
    {0xBB48, u"TInterval", false},
    {0xBB49, u"2-SampTInt", false},
    {0xEF15, u"LinRegTInt", false},
    {0xEF16, u"Manual-Fit", false},
};

// How a document of a colour model writes those tokens.
const std::pair<int, const char16_t *> kColourSpellings[] = {
    {0x7E06, u"Thick"},        {0x7E07, u"Dot-Thick"},         {0x7E0A, u"GridDot "},
    {tok::AxesOn, u"AxesOn "}, {tok::MathPrint, u"MATHPRINT"}, {tok::Classic, u"CLASSIC"},
    {0xEF3D, u"FRAC-APPROX"},
};

// Where the display font draws a symbol the sheet writes with another
// character; each sheet spelling gets the font's form as well.
const std::pair<const char16_t *, const char16_t *> kFontForms[] = {
    {u"\u25BA", u"\u25B6"},       // ► convert
    {u"\u25C4", u"\u25C0"},       // ◄
    {u"\u1E8B", u"x\u0304"},      // x mean
    {u"\u1E57", u"p\u0302"},      // p hat
    {u"\u2206", u"\u0394"},       // Δ
    {u"\u25A1", u"\u25AB"},       // plot mark box
    {u"\uFE62", u"\u207A"},       // plot mark plus
    {u"\u2081\u2080", u"\u2491"}, // 10
};

struct Def {
    int token = -1;
    bool keyword = false;
    QString display;
    QStringList alternates; // the sheet's
};

std::vector<Def> readSheet()
{
    std::vector<Def> defs;
    QXmlStreamReader xml(QByteArray::fromRawData(reinterpret_cast<const char *>(sheet::data),
                                                 qsizetype(sheet::dataSize)));
    // Per open <Token>: its byte and the index of its Def (-1 when ignored).
    struct Open {
        int byte;
        int def;
    };
    std::vector<Open> open;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Token")) {
            const QXmlStreamAttributes a = xml.attributes();
            bool ok = false;
            const int byte = a.value(QLatin1String("byte")).mid(1).toInt(&ok, 16);
            const QString text = a.value(QLatin1String("string")).toString();
            int def = -1;
            // Only the one-byte tokens and the second bytes of the two-byte
            // families; entries nested deeper under ordinary tokens describe
            // assembly libraries, not the calculator.
            int value = -1;
            if (open.empty() && !isTwoBytePrefix(byte))
                value = byte;
            else if (open.size() == 1 && isTwoBytePrefix(open.back().byte))
                value = open.back().byte << 8 | byte;
            const bool library = a.value(QLatin1String("style")) == QLatin1String("Lib");
            if (ok && value >= 0 && value != kNewline && !text.isEmpty() && !library) {
                Def d;
                d.token = value;
                d.display = text;
                d.keyword = a.value(QLatin1String("style")) == QLatin1String("Keyword");
                defs.push_back(d);
                def = int(defs.size()) - 1;
            }
            open.push_back({ok ? byte : -1, def});
        } else if (xml.isEndElement() && xml.name() == QLatin1String("Token")) {
            if (!open.empty())
                open.pop_back();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("Alt")) {
            if (!open.empty() && open.back().def >= 0)
                defs[open.back().def].alternates
                    << xml.attributes().value(QLatin1String("string")).toString();
        }
    }
    Q_ASSERT(!xml.hasError());
    return defs;
}

// A Unicode spelling as model text: each symbol of the display font as its
// (preferred) code, ASCII as itself, other characters above U+00FF as
// themselves. False when a character in U+0080..U+00FF is not a font symbol:
// in model text that code would mean another symbol.
bool toModelForm(QStringView unicode, QString *out)
{
    out->clear();
    for (qsizetype i = 0; i < unicode.size();) {
        int code = -1;
        qsizetype used = 0;
        for (qsizetype len = 2; len >= 1 && code < 0; --len) {
            if (i + len <= unicode.size()) {
                code = calcsymbols::byteFor(unicode.mid(i, len));
                used = len;
            }
        }
        if (code >= 0) {
            *out += QChar(char16_t(code));
            i += used;
            continue;
        }
        const char16_t c = unicode.at(i).unicode();
        if (c >= 0x80 && c <= 0xFF)
            return false;
        *out += QChar(c);
        ++i;
    }
    return true;
}

bool isLatin(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

// sin(, expr(, randInt( ...: typed inside a string they still give the
// function, as the calculator's keys would.
bool isFunctionName(const QString &form)
{
    if (form.size() < 2 || !form.endsWith(u'('))
        return false;
    const QChar first = form.at(0);
    if ((first >= u'a' && first <= u'z') || (first >= u'A' && first <= u'Z'))
        return form.size() >= 3;
    // √(, ³√(, ℯ^(, ₁₀^(, ∆List(: typed into a string as the key's token, so
    // that "√(X)"→Y₁ and expr( read them.
    return first.unicode() > 0x7F;
}

struct Node {
    int token = -1;
    int firstEdge = 0;
    int edgeCount = 0;
    bool function = false; // a function name with its "(", read inside strings too
};
struct Edge {
    char16_t c;
    int node;
};

struct Table {
    // Tokens by value: the sheet's display string, how text writes it, flags.
    QHash<int, QString> display;
    std::vector<QString> spelling = std::vector<QString>(0x10000);
    std::vector<bool> known = std::vector<bool>(0x10000, false);
    std::vector<bool> keyword = std::vector<bool>(0x10000, false);

    // Model characters as the symbol the tokens are spelled with: codes that
    // draw the same symbol as another become the preferred one.
    std::array<char16_t, 256> norm{};
    QHash<char16_t, char16_t> normAbove; // symbols held as Unicode
    QSet<char16_t> spelledWith;          // characters above U+00FF of the spellings

    // The spellings as a trie over normalised model characters.
    std::vector<int> root = std::vector<int>(0x10000, -1);
    std::vector<Node> nodes;
    std::vector<Edge> edges;

    char16_t normalise(char16_t c) const
    {
        if (c <= 0xFF)
            return norm[c];
        if (normAbove.isEmpty())
            return c;
        return normAbove.value(c, c);
    }
    int child(int node, char16_t c) const
    {
        const Node &n = nodes[size_t(node)];
        const Edge *e = edges.data() + n.firstEdge;
        for (int i = 0; i < n.edgeCount; ++i)
            if (e[i].c == c)
                return e[i].node;
        return -1;
    }
};

// The byte each character of 0x80-0xFF reads as in model text.
void buildNorm(Table &t)
{
    for (int c = 0; c < 256; ++c) {
        t.norm[size_t(c)] = char16_t(c);
        if (c < 0x80)
            continue;
        const QString symbol = calcsymbols::symbolOf(c);
        if (symbol.size() == 1 && symbol.at(0).unicode() < 0x80)
            t.norm[size_t(c)] = symbol.at(0).unicode();
        else if (const int preferred = calcsymbols::byteFor(symbol); preferred >= 0)
            t.norm[size_t(c)] = char16_t(preferred);
        // A font symbol that arrived as Unicode reads as its code.
        if (symbol.size() == 1 && symbol.at(0).unicode() > 0xFF)
            t.normAbove.insert(symbol.at(0).unicode(), t.norm[size_t(c)]);
    }
}

// Every spelling in the order that decides both which token a spelling
// shared by two tokens reads as (the first) and which spelling a token is
// written with (its first one that model text can hold, bytes preferred).
std::vector<std::pair<int, QString>> spellingOrder(const std::vector<Def> &defs)
{
    std::vector<std::pair<int, QString>> order;
    std::map<int, QStringList> fontForms;
    for (const Def &d : defs) {
        for (const QString &s : QStringList(d.display) + d.alternates) {
            QString form = s;
            for (const auto &[from, to] : kFontForms)
                form.replace(QString::fromUtf16(from), QString::fromUtf16(to));
            if (form != s)
                fontForms[d.token] << form;
        }
    }
    for (const Extra &e : kExtras)
        if (e.first)
            order.push_back({e.token, QString::fromUtf16(e.spelling)});
    for (const Def &d : defs)
        order.push_back({d.token, d.display});
    for (const auto &[token, forms] : fontForms)
        for (const QString &f : forms)
            order.push_back({token, f});
    for (const Extra &e : kExtras)
        if (!e.first)
            order.push_back({e.token, QString::fromUtf16(e.spelling)});
    for (const Def &d : defs)
        for (const QString &a : d.alternates)
            order.push_back({d.token, a});
    return order;
}

// The spellings' tree while it grows; flattened into the table at the end.
struct Trie {
    std::vector<std::map<char16_t, int>> children = std::vector<std::map<char16_t, int>>(1);
    std::vector<int> terminal = std::vector<int>(1, -1);
    std::vector<bool> function = std::vector<bool>(1, false);

    // The first token to claim a spelling keeps it.
    void insert(const QString &form, int token)
    {
        int node = 0;
        for (QChar c : form) {
            auto &next = children[size_t(node)];
            const auto found = next.find(c.unicode());
            if (found != next.end()) {
                node = found->second;
            } else {
                children.emplace_back();
                terminal.push_back(-1);
                function.push_back(false);
                const int created = int(children.size()) - 1;
                children[size_t(node)][c.unicode()] = created;
                node = created;
            }
        }
        if (terminal[size_t(node)] < 0) {
            terminal[size_t(node)] = token;
            function[size_t(node)] = isFunctionName(form);
        }
    }

    // Node 0 is the root, reached through `root` by first character.
    void flatten(Table &t) const
    {
        t.nodes.resize(children.size());
        for (size_t n = 0; n < children.size(); ++n) {
            t.nodes[n].token = terminal[n];
            t.nodes[n].function = function[n];
            t.nodes[n].firstEdge = int(t.edges.size());
            t.nodes[n].edgeCount = int(children[n].size());
            for (const auto &[c, next] : children[n])
                t.edges.push_back({c, next});
        }
        for (const auto &[c, next] : children[0])
            t.root[c] = next;
    }
};

Table build()
{
    Table t;
    buildNorm(t);
    const std::vector<Def> defs = readSheet();
    for (const Def &d : defs) {
        t.display.insert(d.token, d.display);
        t.known[size_t(d.token)] = true;
        t.keyword[size_t(d.token)] = d.keyword;
    }
    Trie trie;
    std::map<int, QString> fallback; // a spelling with characters beyond bytes
    for (const auto &[token, text] : spellingOrder(defs)) {
        QString form;
        if (!toModelForm(text, &form) || form.isEmpty())
            continue;
        for (QChar c : form)
            if (c.unicode() > 0xFF)
                t.spelledWith.insert(c.unicode());
        QString &written = t.spelling[size_t(token)];
        if (written.isEmpty() && isLatin(form))
            written = form;
        if (!fallback.count(token))
            fallback[token] = form;
        trie.insert(form, token);
    }
    for (const auto &[token, form] : fallback)
        if (t.spelling[size_t(token)].isEmpty())
            t.spelling[size_t(token)] = form;
    trie.flatten(t);
    return t;
}

const Table &table()
{
    static const Table t = build();
    return t;
}

constexpr char16_t kEscapeOpen = 0x27E6;  // ⟦
constexpr char16_t kEscapeClose = 0x27E7; // ⟧

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// "$BB" or "$5CD0" (also "$5C$D0"): a token by its bytes, known or not.
int tokenFromHex(QStringView text)
{
    QString digits;
    for (QChar c : text)
        if (c != u'$')
            digits += c;
    if (!text.startsWith(u'$') || (digits.size() != 2 && digits.size() != 4))
        return -1;
    int value = 0;
    for (QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return -1;
        value = value << 4 | d;
    }
    const bool twoBytes = digits.size() == 4;
    if (isTwoBytePrefix(twoBytes ? value >> 8 : value) != twoBytes)
        return -1;
    return value;
}

// The token whose whole spelling `text` is, or -1.
int spelledToken(const Table &t, QStringView text)
{
    if (text.isEmpty())
        return -1;
    int node = t.root[t.normalise(text.at(0).unicode())];
    for (qsizetype i = 1; i < text.size() && node >= 0; ++i)
        node = t.child(node, t.normalise(text.at(i).unicode()));
    return node >= 0 ? t.nodes[size_t(node)].token : -1;
}

// One cut of a line: the token (-1 for none) and how many characters it takes.
struct Cut {
    int token;
    qsizetype length;
    bool escaped;
};

// The cut at line[i]. `previous` is the character before it (0 at the start):
// inside a string a function name counts only at the start of a word
// (after a digit too: "2sin(X)").
Cut cutAt(const Table &t, QStringView line, qsizetype i, bool inString, QChar previous)
{
    const QChar *text = line.data();
    const qsizetype n = line.size();
    if (text[i].unicode() == kEscapeOpen) {
        qsizetype close = i + 1;
        while (close < n && text[close].unicode() != kEscapeClose)
            ++close;
        if (close >= n)
            return {-1, 1, false};
        const QStringView inner = line.mid(i + 1, close - i - 1);
        int token = tokenFromHex(inner);
        if (token < 0)
            token = spelledToken(t, inner);
        return {token, close - i + 1, true};
    }
    const int first = t.root[t.normalise(text[i].unicode())];
    int best = -1;
    qsizetype bestLength = 0;
    int function = -1;
    qsizetype functionLength = 0;
    int node = first;
    for (qsizetype j = i; node >= 0;) {
        const Node &here = t.nodes[size_t(node)];
        if (here.token >= 0) {
            best = here.token;
            bestLength = j - i + 1;
            if (here.function) {
                function = here.token;
                functionLength = bestLength;
            }
        }
        if (++j >= n)
            break;
        node = t.child(node, t.normalise(text[j].unicode()));
    }
    if (!inString || best == kQuote || best == kStore)
        return {best, best < 0 ? 1 : bestLength, false};
    if (function >= 0 && !previous.isLetter())
        return {function, functionLength, false};
    // Words in text stay letters.
    const int single = first >= 0 ? t.nodes[size_t(first)].token : -1;
    return {single >= 0 ? single : best, single >= 0 || best < 0 ? 1 : bestLength, false};
}

// Whether a string is open after `token` was read plainly.
bool stringAfter(int token, bool inString)
{
    return inString ? token != kQuote && token != kStore : token == kQuote;
}

// The one scanner behind scanLine() and tokenize(): calls cut(start,
// length, token, inString) for each cut, in order. An escape never opens or
// closes a string.
template <typename Emit> void scan(const Table &t, QStringView line, bool inString, Emit &&cut)
{
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n;) {
        const Cut c = cutAt(t, line, i, inString, i > 0 ? line.at(i - 1) : QChar());
        if (!c.escaped && c.token >= 0)
            inString = stringAfter(c.token, inString);
        cut(i, c.length, c.token, inString || (c.token == kQuote && !c.escaped));
        i += c.length;
    }
}

void appendToken(QByteArray &bytes, int token)
{
    if (token > 0xFF)
        bytes.append(char(token >> 8));
    bytes.append(char(token & 0xFF));
}

// Walks token bytes: calls each(token) per token, known or not; returns the
// offset of a two-byte token cut off by the end, or -1.
template <typename Each> qsizetype walk(const QByteArray &bytes, Each &&each)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        int token = b[i];
        qsizetype used = 1;
        if (isTwoBytePrefix(token)) {
            if (i + 1 >= n)
                return i;
            token = token << 8 | b[i + 1];
            used = 2;
        }
        each(token);
        i += used;
    }
    return -1;
}

QString hexEscape(int token)
{
    QString hex = QString::number(token, 16).toUpper();
    hex = hex.rightJustified(token > 0xFF ? 4 : 2, u'0');
    return QChar(kEscapeOpen) + QLatin1Char('$') + hex + QChar(kEscapeClose);
}

// One line of tokens as text that reads back as exactly these tokens: each
// token as its spelling, escaped only where the plain spelling would be read
// otherwise (merged with the next, or cut into letters inside a string).
void appendLine(const Table &t, const int *tokens, qsizetype count, QString &out, bool colour)
{
    QString plain;
    std::vector<qsizetype> at(size_t(count) + 1);
    for (qsizetype k = 0; k < count; ++k) {
        at[size_t(k)] = plain.size();
        const int token = tokens[k];
        const char16_t *own = nullptr;
        if (colour)
            for (const auto &[value, spelling] : kColourSpellings)
                if (value == token)
                    own = spelling;
        if (own)
            plain += QString::fromUtf16(own);
        else
            plain += t.known[size_t(token)] && !t.spelling[size_t(token)].isEmpty()
                         ? t.spelling[size_t(token)]
                         : hexEscape(token);
    }
    at[size_t(count)] = plain.size();
    const qsizetype lineStart = out.size();
    bool inString = false;
    for (qsizetype k = 0; k < count; ++k) {
        const int token = tokens[k];
        const QStringView spelling =
            QStringView(plain).mid(at[size_t(k)], at[size_t(k) + 1] - at[size_t(k)]);
        // Later tokens only ever gain an escape in front, which ends any
        // spelling there, so checking against the plain rest is enough.
        const QChar previous = out.size() > lineStart ? out.back() : QChar();
        const Cut c = cutAt(t, QStringView(plain).mid(at[size_t(k)]), 0, inString, previous);
        if (c.token == token && c.length == spelling.size()) {
            out += spelling;
            if (!c.escaped)
                inString = stringAfter(token, inString);
        } else if (spelledToken(t, spelling) == token) {
            out += QChar(kEscapeOpen) + spelling.toString() + QChar(kEscapeClose);
        } else {
            out += hexEscape(token);
        }
    }
}

} // namespace

bool isTwoBytePrefix(int byte)
{
    switch (byte) {
    case tok::MatrixPrefix:
    case tok::ListPrefix:
    case tok::EquationPrefix:
    case tok::PicturePrefix:
    case tok::GdbPrefix:
    case tok::StatPrefix:
    case tok::WindowPrefix:
    case tok::FormatPrefix:
    case tok::StringPrefix:
    case tok::ExtendedPrefix:
    case tok::Ti84Prefix:
        return true;
    default:
        return false;
    }
}

QVector<Piece> scanLine(QStringView modelLine, bool stringOpenAtStart)
{
    const Table &t = table();
    QVector<Piece> pieces;
    pieces.reserve(modelLine.size() / 2 + 1);
    scan(t, modelLine, stringOpenAtStart,
         [&](qsizetype start, qsizetype length, int token, bool inString) {
             pieces.append(
                 Piece{start, length, token, token >= 0 && t.keyword[size_t(token)], inString});
         });
    return pieces;
}

Tokenized tokenize(QStringView model)
{
    const Table &t = table();
    Tokenized result;
    result.bytes.reserve(model.size());
    const qsizetype n = model.size();
    int line = 1;
    for (qsizetype start = 0; start <= n;) {
        qsizetype end = start;
        while (end < n && model.at(end) != u'\r' && model.at(end) != u'\n')
            ++end;
        qsizetype bad = -1;
        qsizetype badLength = 0;
        scan(t, model.mid(start, end - start), false,
             [&](qsizetype at, qsizetype length, int token, bool) {
                 if (token >= 0) {
                     appendToken(result.bytes, token);
                 } else if (bad < 0) {
                     bad = at;
                     badLength = length;
                 }
             });
        if (bad >= 0) {
            result.bytes.clear();
            result.errorLine = line;
            result.errorColumn = int(bad) + 1;
            QStringView shown = model.mid(start + bad, badLength);
            if (shown.size() == 1 && shown.at(0).isHighSurrogate() && start + bad + 1 < n)
                shown = model.mid(start + bad, 2);
            result.error = QStringLiteral("Line %1, column %2: no calculator command or symbol "
                                          "is written \"%3\".")
                               .arg(line)
                               .arg(bad + 1)
                               .arg(calcsymbols::toUnicode(shown));
            return result;
        }
        if (end >= n)
            break;
        result.bytes.append(char(kNewline));
        start = end + (model.at(end) == u'\r' && end + 1 < n && model.at(end + 1) == u'\n' ? 2 : 1);
        ++line;
    }
    return result;
}

QString detokenize(const QByteArray &bytes, QString *error)
{
    return detokenize(bytes, false, error);
}

QString detokenize(const QByteArray &bytes, bool colour, QString *error)
{
    const Table &t = table();
    std::vector<int> tokens;
    tokens.reserve(size_t(bytes.size()));
    const qsizetype bad = walk(bytes, [&](int token) { tokens.push_back(token); });
    QString text;
    text.reserve(bytes.size() * 2);
    size_t lineStart = 0;
    for (size_t k = 0; k <= tokens.size(); ++k) {
        if (k < tokens.size() && tokens[k] != kNewline)
            continue;
        appendLine(t, tokens.data() + lineStart, qsizetype(k - lineStart), text, colour);
        if (k < tokens.size())
            text += QLatin1String("\r\n");
        lineStart = k + 1;
    }
    if (error) {
        error->clear();
        if (bad >= 0) {
            const int byte = static_cast<unsigned char>(bytes.at(bad));
            *error = QStringLiteral("The program ends in the middle of a two-byte token ($%1).")
                         .arg(QString::number(byte, 16).rightJustified(2, u'0').toUpper());
        }
    }
    return text;
}

QVector<int> unknownTokens(const QByteArray &bytes)
{
    const Table &t = table();
    QVector<int> unknown;
    walk(bytes, [&](int token) {
        if (token != kNewline && !t.known[size_t(token)] && !unknown.contains(token))
            unknown.append(token);
    });
    return unknown;
}

QString escapedForm(int token)
{
    return hexEscape(token);
}

bool usedInSpellings(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 || u == kEscapeOpen || u == kEscapeClose || table().spelledWith.contains(u);
}

QString displayString(int token)
{
    if (token == kNewline)
        return QStringLiteral("\n");
    return table().display.value(token);
}

QString modelSpelling(int token)
{
    if (token == kNewline)
        return QStringLiteral("\r\n");
    if (token < 0 || token > 0xFFFF)
        return QString();
    return table().spelling[size_t(token)];
}

QByteArray tokenBytes(int token)
{
    QByteArray b;
    if (token >= 0)
        appendToken(b, token);
    return b;
}

int versionFor(const QByteArray &bytes)
{
    int version = 0;
    walk(bytes, [&](int token) { version = qMax(version, generationOf(token)); });
    return version;
}

QVector<int> tokensMissingOnTi83(const QByteArray &bytes)
{
    QVector<int> missing;
    walk(bytes, [&](int token) {
        if (generationOf(token) > 0 && !missing.contains(token))
            missing.append(token);
    });
    return missing;
}

} // namespace calc::tokens
