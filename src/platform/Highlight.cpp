#include "platform/Highlight.h"

#include "platform/CalculatorSymbols.h"

#include <array>

namespace platform::highlight
{

namespace
{

struct Tables {
    std::array<bool, 256> op{};
    Tables()
    {
        for (char c : QByteArrayView("+-*/^=<>(),{}[]!"))
            op[uchar(c)] = true;
        // Comparison, arithmetic and negation symbols, wherever the symbol
        // table puts them.
        for (const char16_t *s :
             {u"\u2260", u"\u2264", u"\u2265", u"\u221A", u"\u00F7", u"\u00D7", u"\u2212",
              u"\u207B", u"\u203E", u"\u00B2", u"\u00B3", u"\u207B\u00B9"}) {
            const int code = calcsymbols::byteFor(QStringView(s));
            if (code >= 0 && code < 256)
                op[code] = true;
        }
        op[kStoreArrow] = false;
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

bool isOperator(QChar c)
{
    return c.unicode() < 256 && tables().op[c.unicode()];
}

bool isError(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() > 0xFF;
}

// Part of a name: letters, digits and the calculator's own letters (theta
// and the like) above 127.
bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9');
    return u <= 0xFF && u != kStoreArrow && !isOperator(c);
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// A calculator double quote: '"' or two apostrophes. Its length, or 0.
int quoteAt(QStringView line, qsizetype i)
{
    if (line[i] == u'"')
        return 1;
    if (line[i] == u'\'' && i + 1 < line.size() && line[i + 1] == u'\'')
        return 2;
    return 0;
}

bool startsWordAt(QStringView line, qsizetype i, QStringView word)
{
    if (!line.mid(i).startsWith(word))
        return false;
    // Statement start: the line's start or a colon, blanks aside.
    qsizetype j = i;
    while (j > 0 && line[j - 1] == u' ')
        --j;
    return j == 0 || line[j - 1] == u':';
}

class Scanner
{
public:
    explicit Scanner(QStringView line) : m_line(line) {}

    QVector<Span> run()
    {
        const qsizetype n = m_line.size();
        qsizetype i = 0;
        while (i < n) {
            const QChar c = m_line[i];
            if (const int q = quoteAt(m_line, i)) {
                i = string(i, q);
            } else if (c.unicode() == kStoreArrow) {
                add(i, 1, Category::Store);
                i = storeTarget(i + 1);
            } else if (startsWordAt(m_line, i, u"Lbl ") || startsWordAt(m_line, i, u"Goto ")) {
                const qsizetype word = m_line[i] == u'L' ? 3 : 4;
                add(i, word, Category::Keyword);
                i = label(i + word + 1);
            } else if (startsWordAt(m_line, i, u"Menu(")) {
                add(i, 4, Category::Keyword);
                add(i + 4, 1, Category::Operator);
                m_menuArgument = 0;
                m_depth = 0;
                i += 5;
            } else if (m_menuArgument >= 0 && c == u',' && m_depth == 0) {
                add(i, 1, Category::Operator);
                ++m_menuArgument;
                i = m_menuArgument % 2 == 0 ? label(i + 1) : i + 1;
            } else if (isDigit(c) || (c == u'.' && i + 1 < n && isDigit(m_line[i + 1]))) {
                i = number(i);
            } else if (isNameChar(c)) {
                while (i < n && isNameChar(m_line[i]))
                    ++i;
            } else {
                if (m_menuArgument >= 0)
                    followMenu(c);
                if (isOperator(c))
                    add(i, 1, Category::Operator);
                else if (isError(c))
                    add(i, 1, Category::Error);
                ++i;
            }
        }
        return m_spans;
    }

private:
    void add(qsizetype start, qsizetype length, Category cat)
    {
        if (length <= 0)
            return;
        if (!m_spans.isEmpty() && m_spans.back().category == cat &&
            m_spans.back().start + m_spans.back().length == start)
            m_spans.back().length += int(length);
        else
            m_spans.push_back(Span{int(start), int(length), cat});
    }

    // A string runs to its closing quote, the store arrow (which ends a
    // string on the calculator) or the line's end.
    qsizetype string(qsizetype i, int openLength)
    {
        qsizetype j = i + openLength;
        while (j < m_line.size() && m_line[j].unicode() != kStoreArrow) {
            if (const int q = quoteAt(m_line, j)) {
                j += q;
                break;
            }
            ++j;
        }
        add(i, j - i, Category::String);
        return j;
    }

    qsizetype number(qsizetype i)
    {
        qsizetype j = i;
        bool point = false;
        while (j < m_line.size() && (isDigit(m_line[j]) || (m_line[j] == u'.' && !point))) {
            point |= m_line[j] == u'.';
            ++j;
        }
        add(i, j - i, Category::Number);
        return j;
    }

    qsizetype storeTarget(qsizetype i)
    {
        qsizetype j = i;
        if (j < m_line.size() && m_line[j] == u'[') {
            const qsizetype close = m_line.indexOf(u']', j);
            j = close < 0 ? m_line.size() : close + 1;
        } else {
            while (j < m_line.size() && isNameChar(m_line[j]))
                ++j;
        }
        add(i, j - i, Category::StoreTarget);
        return j;
    }

    qsizetype label(qsizetype i)
    {
        while (i < m_line.size() && m_line[i] == u' ')
            ++i;
        qsizetype j = i;
        while (j < m_line.size() && isNameChar(m_line[j]))
            ++j;
        add(i, j - i, Category::Label);
        return j;
    }

    void followMenu(QChar c)
    {
        if (c == u'(' || c == u'{' || c == u'[')
            ++m_depth;
        else if (c == u')' || c == u'}' || c == u']')
            m_menuArgument = m_depth-- == 0 ? -1 : m_menuArgument;
        else if (c == u':')
            m_menuArgument = -1;
    }

    QStringView m_line;
    QVector<Span> m_spans;
    int m_menuArgument = -1; // inside Menu(: the argument's index
    int m_depth = 0;
};

} // namespace

QVector<Span> lineSpans(QStringView modelLine)
{
    return Scanner(modelLine).run();
}

} // namespace platform::highlight
