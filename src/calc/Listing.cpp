// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/Listing.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"

#include <QFileInfo>
#include <QSaveFile>

namespace calc::listing
{

namespace
{

const QChar kOpenSpace(0x2423); // ␣

QStringList lines(const QByteArray &tokens)
{
    QString unicode = calcsymbols::toUnicode(calc::tokens::detokenize(tokens));
    unicode.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList out = unicode.split(QLatin1Char('\n'));
    for (QString &line : out) {
        for (int i = 0; i < line.size() && line[i] == QLatin1Char(' '); ++i)
            line[i] = kOpenSpace;
    }
    // Lines that all start with a colon read as a listing's line marks;
    // the first written as the colon's escape keeps them all.
    bool marked = false;
    for (const QString &line : out) {
        if (line.isEmpty())
            continue;
        marked = line.startsWith(QLatin1Char(':'));
        if (!marked)
            break;
    }
    if (marked) {
        for (QString &line : out) {
            if (!line.isEmpty()) {
                line.replace(0, 1, QStringLiteral("\u27E6:\u27E7"));
                break;
            }
        }
    }
    return out;
}

QString fontList(const Options &options)
{
    QStringList families;
    for (const QString &f : options.fonts)
        families << QLatin1Char('\'') + QString(f).remove(QLatin1Char('\'')).toHtmlEscaped() +
                        QLatin1Char('\'');
    families << QStringLiteral("monospace");
    return families.join(QLatin1Char(','));
}

QString pre(const QByteArray &tokens, const Options &options)
{
    const QStringList all = lines(tokens);
    const int width = int(QString::number(all.size()).size());
    QString out = QStringLiteral("<pre style=\"font-family:%1\">").arg(fontList(options));
    for (int i = 0; i < all.size(); ++i) {
        if (options.lineNumbers)
            out += QStringLiteral("<span class=\"n\">%1 </span>").arg(i + 1, width);
        out += all[i].toHtmlEscaped();
        if (i + 1 < all.size())
            out += QLatin1Char('\n');
    }
    return out + QStringLiteral("</pre>");
}

} // namespace

QString text(const QByteArray &tokens)
{
    return lines(tokens).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString htmlFragment(const QByteArray &tokens, const Options &options)
{
    Options plain = options;
    plain.lineNumbers = false;
    return pre(tokens, plain);
}

QString html(const QByteArray &tokens, const Options &options)
{
    const QString name = options.name.toHtmlEscaped();
    // Well-formed XML as well as HTML; the line numbers stay out of a copy.
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                          "<title>prgm%1</title>\n<style>\n"
                          "body{margin:2em;font-family:sans-serif}\n"
                          "pre{font-size:1.1em;line-height:1.3}\n"
                          ".n{color:#888;user-select:none}\n</style>\n</head>\n<body>\n"
                          "<h1>prgm%1</h1>\n<p>%2 bytes</p>\n%3\n</body>\n</html>\n")
        .arg(name, QString::number(tokens.size()), pre(tokens, options));
}

QString bbcode(const QByteArray &tokens)
{
    return QStringLiteral("[code]\n%1[/code]\n").arg(text(tokens));
}

Format formatFor(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("html") || ext == QLatin1String("htm"))
        return Format::Html;
    if (ext == QLatin1String("bbcode"))
        return Format::BBCode;
    return Format::Text;
}

bool write(const QString &path, const QByteArray &tokens, const Options &options, QString *error)
{
    QString out;
    switch (formatFor(path)) {
    case Format::Html:
        out = html(tokens, options);
        break;
    case Format::BBCode:
        out = bbcode(tokens);
        break;
    case Format::Text:
        out = text(tokens);
        break;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out.toUtf8()) < 0 || !f.commit()) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

} // namespace calc::listing
