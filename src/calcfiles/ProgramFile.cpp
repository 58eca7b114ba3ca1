// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calcfiles/ProgramFile.h"

#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "rtf/RtfCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace calcfiles
{

namespace
{

// Far above any document or program; keeps a wrong file from filling the
// memory.
constexpr qint64 kMaxFile = qint64(64) * 1024 * 1024;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

ProgramFile::Kind kindOf(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("8xp") || ext == QLatin1String("83p"))
        return ProgramFile::Calculator;
    return ext == QLatin1String("tvf") ? ProgramFile::Document : ProgramFile::Text;
}

// Any line break becomes the CR LF that model text holds.
QString withCrLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// Tabs that end a line are layout: no calculator character is a tab.
bool tabsEndLine(const QString &text, qsizetype i)
{
    while (i < text.size() && text.at(i) == u'\t')
        ++i;
    return i == text.size() || text.at(i) == u'\n';
}

// Whether every line that holds anything starts with a colon: the program
// editor's line marks, copied with the listing.
bool colonMarked(const QString &text)
{
    bool any = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QStringView code = line.trimmed();
        if (code.isEmpty())
            continue;
        if (!code.startsWith(u':'))
            return false;
        any = true;
    }
    return any;
}

// A listing as people publish one: its lines indented, marked with a colon
// or ending in tabs, the symbols other tools write for ours, a line break
// after the last line. A string ends at its line's end, so a line's leading
// blanks are never inside one; a ␣ stands for a space that is meant.
QString asPublished(QString text)
{
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const bool marked = colonMarked(text);
    QString out;
    out.reserve(text.size());
    bool lineStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (lineStart && (c == u' ' || c == u'\t'))
            continue;
        if (lineStart && marked && c == u':') {
            lineStart = false;
            continue;
        }
        if (c == u'\t' && tabsEndLine(text, i))
            continue;
        lineStart = c == u'\n';
        switch (c.unicode()) {
        case 0x00AD: // a soft hyphen some converters write for ⁻
            out += QChar(0x207B);
            break;
        case 0x230A: // ⌊
            out += QChar(0x029F);
            break;
        case 0x23E8: // ⏨
            out += QChar(0x1D07);
            break;
        case 0x221B: // ∛, its parenthesis written or not
            out += QStringLiteral("\u00B3\u221A(");
            if (i + 1 < text.size() && text.at(i + 1) == u'(')
                ++i;
            break;
        case 0x2423: // ␣
            out += QLatin1Char(' ');
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The link software's listings write a few symbols with private-use
// characters of its font: ᴛ of X₁ᴛ, and ᵤ of a mixed fraction (U+F83F5,
// as the token sheets note it).
QString withoutLinkSymbols(QString text)
{
    text.replace(QChar(0xF038), QChar(0x1D1B));
    text.replace(QString::fromUcs4(U"\U000F83F5"), QString(QChar(0x1D64)));
    return text;
}

// A refused character as a message shows it: itself where it can be seen,
// else its code point (U+E012), since the reader could not tell it apart.
QString shownCharacter(const QString &c, bool quoted)
{
    const char32_t u = c.size() == 2 ? QChar::surrogateToUcs4(c.at(0), c.at(1)) : c.at(0).unicode();
    const QChar::Category cat = QChar::category(u);
    if (cat == QChar::Other_PrivateUse || cat == QChar::Other_Format ||
        cat == QChar::Other_Control || cat == QChar::Other_NotAssigned ||
        cat == QChar::Other_Surrogate || QChar::isSpace(u) || u == 0xFFFD)
        return QStringLiteral("U+%1").arg(uint(u), 4, 16, QLatin1Char('0')).toUpper();
    return quoted ? QLatin1Char('"') + c + QLatin1Char('"') : c;
}

void readText(ProgramFile *file)
{
    QString text = QString::fromUtf8(file->data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text = withoutLinkSymbols(text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const auto in = calc::calcsymbols::fromUnicode(asPublished(text));
    file->model = withCrLf(in.text);
    file->refused = in.refused;
    for (qsizetype i = 0; i < in.refused.size(); ++i) {
        const bool pair = in.refused.at(i).isHighSurrogate() && i + 1 < in.refused.size();
        const QString c = in.refused.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        const int at = int(text.indexOf(c));
        const int line = int(text.left(at).count(QLatin1Char('\n'))) + 1;
        // lastIndexOf(c, -1) would search from the end.
        const int column = at - (at > 0 ? int(text.lastIndexOf(QLatin1Char('\n'), at - 1)) : -1);
        file->refusedAt.append(QStringLiteral("%1:%2: error: no calculator token is written %3")
                                   .arg(line)
                                   .arg(column)
                                   .arg(shownCharacter(c, true)));
    }
}

bool refuseText(const QString &path, const ProgramFile &file, QString *error)
{
    if (file.refused.isEmpty())
        return false;
    QStringList each;
    for (qsizetype i = 0; i < file.refused.size(); ++i) {
        const bool pair = file.refused.at(i).isHighSurrogate() && i + 1 < file.refused.size();
        each << shownCharacter(file.refused.mid(i, pair ? 2 : 1), false);
        i += pair ? 1 : 0;
    }
    *error = QStringLiteral("%1: no calculator command or symbol is written %2")
                 .arg(shown(path), each.join(QString()));
    return true;
}

} // namespace

bool readProgramFile(const QString &path, ProgramFile *file, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open \"%1\": %2").arg(shown(path), f.errorString());
        return false;
    }
    if (f.size() > kMaxFile) {
        *error = QStringLiteral("\"%1\" is too large to be a program.").arg(shown(path));
        return false;
    }
    file->kind = kindOf(path);
    file->data = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), f.errorString());
        return false;
    }
    if (file->kind == ProgramFile::Document) {
        rtf::Document doc;
        QString why;
        if (!rtf::read(file->data, &doc, &why)) {
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), why);
            return false;
        }
        file->model = withCrLf(doc.text());
        file->meta =
            calc::FileMeta::fromText(rtf::keptText(doc.kept, calc::FileMeta::destination()));
    } else if (file->kind == ProgramFile::Calculator) {
        const auto r = calc::calcfile::read(file->data);
        if (r.ok())
            file->meta = calc::calcfile::metaOf(r.program);
    } else if (file->kind == ProgramFile::Text) {
        readText(file);
    }
    return true;
}

ProgramFile textProgram(const QByteArray &utf8)
{
    ProgramFile file;
    file.data = utf8;
    readText(&file);
    return file;
}

bool readProgram(const QString &path, QByteArray *tokens, QString *error)
{
    ProgramFile file;
    if (!readProgramFile(path, &file, error))
        return false;
    if (file.kind == ProgramFile::Calculator) {
        const auto r = calc::calcfile::read(file.data);
        if (!r.ok()) {
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), r.error);
            return false;
        }
        *tokens = r.program.tokens;
        return true;
    }
    if (refuseText(path, file, error))
        return false;
    const auto t = calc::tokens::tokenize(file.model);
    if (!t.ok()) {
        *error = QStringLiteral("%1: %2").arg(shown(path), t.error);
        return false;
    }
    *tokens = t.bytes;
    return true;
}

bool readModel(const QString &path, QString *model, QString *error, QStringList *refused)
{
    ProgramFile file;
    return readProgramFile(path, &file, error) && modelOf(path, file, model, error, refused);
}

bool modelOf(const QString &path, const ProgramFile &file, QString *model, QString *error,
             QStringList *refused)
{
    if (file.kind == ProgramFile::Calculator) {
        const auto im = calc::calcfile::import(file.data);
        if (!im.ok()) {
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(shown(path), im.error);
            return false;
        }
        *model = im.text;
        return true;
    }
    if (refused)
        *refused = file.refusedAt;
    else if (refuseText(path, file, error))
        return false;
    *model = file.model;
    return true;
}

} // namespace calcfiles
