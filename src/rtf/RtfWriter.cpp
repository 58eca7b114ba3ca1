// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The writer: what the Windows rich-edit control writes for such text.
#include "rtf/RtfCodec.h"

#include <algorithm>
#include <vector>

namespace rtf
{

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
    int m_privateAreaFont = -1;   // see Tables
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

// The font and colour tables a document is written with.
struct Tables {
    QVector<Font> fonts;
    // A symbol font reads U+F020-U+F0FF as its own bytes. Such characters are
    // written in an ANSI entry of the same face, so they come back as they
    // were: the index of that entry per font, -1 when none.
    std::vector<int> privateAreaFont;
    std::vector<quint32> colours;
};

Tables tablesOf(const Document &doc)
{
    Tables t;
    t.fonts = doc.fonts;
    if (t.fonts.isEmpty())
        t.fonts.push_back(Font{QString(), 0});
    t.privateAreaFont.assign(size_t(t.fonts.size()), -1);
    for (const Run &r : doc.runs) {
        const int f = (r.format.font >= 0 && r.format.font < t.fonts.size()) ? r.format.font : 0;
        if (t.fonts[f].charset != 2 || t.privateAreaFont[size_t(f)] >= 0)
            continue;
        if (std::any_of(r.text.begin(), r.text.end(),
                        [](QChar c) { return c.unicode() >= 0xF020 && c.unicode() <= 0xF0FF; })) {
            t.privateAreaFont[size_t(f)] = int(t.fonts.size());
            t.fonts.push_back(Font{t.fonts[f].name, 0});
        }
    }
    for (const Run &r : doc.runs)
        if (r.format.hasColour &&
            std::find(t.colours.begin(), t.colours.end(), r.format.colour) == t.colours.end())
            t.colours.push_back(r.format.colour);
    return t;
}

void writeTables(Writer &w, const Tables &t)
{
    w.raw("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl");
    for (int i = 0; i < t.fonts.size(); ++i) {
        w.raw("{");
        w.word("f", i);
        w.word("fnil");
        w.word("fcharset", t.fonts[i].charset);
        Writer nameW(w.m_out);
        nameW.m_delim = true;
        nameW.m_fontName = true;
        nameW.escapedText(t.fonts[i].name);
        w.m_out += ";}";
    }
    w.m_out += '}';
    w.m_delim = false;
    if (t.colours.empty())
        return;
    w.newline();
    w.raw("{\\colortbl ;");
    for (quint32 c : t.colours) {
        w.word("red", long((c >> 16) & 0xFF));
        w.word("green", long((c >> 8) & 0xFF));
        w.word("blue", long(c & 0xFF));
        w.raw(";");
    }
    w.raw("}");
}

// Writes the words that change the format in force into the next one.
struct FormatSwitch {
    Writer &w;
    const std::vector<quint32> &colours;
    int documentFonts; // entries of the document's own table
    Format cur = unset();

    static Format unset()
    {
        Format f;
        f.font = -2;
        f.halfPoints = -1;
        return f;
    }
    int colourIndex(quint32 c) const
    {
        return int(std::find(colours.begin(), colours.end(), c) - colours.begin()) + 1;
    }
    void apply(const Format &f)
    {
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
        const int font = (f.font >= 0 && f.font < documentFonts) ? f.font : 0;
        if (font != cur.font)
            w.word("f", font);
        if (f.halfPoints != cur.halfPoints)
            w.word("fs", f.halfPoints);
        cur = f;
        cur.font = font;
    }
};

} // namespace

QByteArray write(const Document &doc)
{
    QByteArray out;
    qsizetype est = 200;
    for (const Run &r : doc.runs)
        est += r.text.size() + r.text.size() / 8 + 32;
    out.reserve(est);
    Writer w(out);

    Tables t = tablesOf(doc);
    writeTables(w, t);
    for (const QByteArray &group : doc.kept)
        out += group;
    w.newline();
    w.raw("\\viewkind4\\uc1\\pard");

    FormatSwitch sw{w, t.colours, int(doc.fonts.size())};
    if (doc.runs.isEmpty()) {
        Format f;
        f.halfPoints = doc.halfPoints;
        sw.apply(f);
    }
    for (const Run &r : doc.runs) {
        sw.apply(r.format);
        const int cs = t.fonts[sw.cur.font].charset;
        w.m_bytesAsIs = cs == 0 || cs == 1 || cs == 2;
        w.m_privateAreaFont = t.privateAreaFont[size_t(sw.cur.font)];
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

} // namespace rtf
