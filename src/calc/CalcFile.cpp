// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalcFile.h"

#include "calc/CalculatorSymbols.h"
#include "calc/TokenCodes.h"
#include "calc/Tokens.h"

#include <QFileInfo>

namespace calc::calcfile
{

namespace
{

const char kPlusSignature[] = "**TI83F*\x1A\x0A";
const char kTi83Signature[] = "**TI83**\x1A\x0A";
constexpr int kSignatureLength = 11; // the signatures above and a zero byte
constexpr int kCommentLength = 42;
constexpr int kHeaderLength = kSignatureLength + kCommentLength + 2;
constexpr int kProgram = 0x05;
constexpr int kProtectedProgram = 0x06;
constexpr int kThetaByte = tok::Theta;
const QChar kTheta(0x03B8);

int u16(const QByteArray &b, qsizetype at)
{
    return static_cast<unsigned char>(b.at(at)) | static_cast<unsigned char>(b.at(at + 1)) << 8;
}
void putU16(QByteArray &b, int value)
{
    b.append(char(value & 0xFF));
    b.append(char((value >> 8) & 0xFF));
}

// Letters and digits are stored as themselves, θ as its token.
QChar nameChar(int byte)
{
    return byte == kThetaByte ? kTheta : QChar(char16_t(byte));
}

QString unicodeName(const QString &name)
{
    return calcsymbols::toUnicode(name);
}

bool validChar(QChar c, bool first)
{
    return (c >= u'A' && c <= u'Z') || c == kTheta || (!first && c >= u'0' && c <= u'9');
}

// The bytes a name is stored as: letters and digits as themselves, θ (the
// Greek letter or its model code) as its token. Empty when a character has
// no place in a name: a model code that merely looks like a letter is not
// that letter.
QByteArray nameBytes(const QString &name)
{
    const int thetaCode = calcsymbols::byteFor(QString(kTheta));
    QByteArray bytes;
    for (qsizetype i = 0; i < name.size(); ++i) {
        QChar c = name.at(i);
        if (c.unicode() == thetaCode)
            c = kTheta;
        if (!validChar(c, i == 0))
            return QByteArray();
        bytes.append(c == kTheta ? char(kThetaByte) : char(c.unicode()));
    }
    return bytes;
}

} // namespace

Model modelForPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("83p"), Qt::CaseInsensitive) == 0
               ? Model::Ti83
               : Model::Ti83Plus;
}

QString fileFilter()
{
    return QStringLiteral("TI-83 Plus Program (*.8xp)|*.8xp|TI-83 Program (*.83p)|*.83p");
}

QString programComment()
{
    return QStringLiteral("Created by Torvane Studio");
}

bool isValidName(const QString &name)
{
    return !name.isEmpty() && name.size() <= 8 && !nameBytes(name).isEmpty();
}

QString nameRules(const QString &name)
{
    return QStringLiteral("\"%1\" cannot be the name of a calculator program. A name has 1 to 8 "
                          "characters: the first a capital letter A-Z or θ, the others capital "
                          "letters, digits 0-9 or θ.")
        .arg(unicodeName(name));
}

QString nameFromFileName(const QString &path)
{
    const QString base = unicodeName(QFileInfo(path).completeBaseName()).toUpper();
    QString name;
    for (QChar c : base) {
        if (name.size() == 8)
            break;
        // toUpper() makes θ a capital Θ.
        if (c == QChar(0x0398))
            c = kTheta;
        if (validChar(c, name.isEmpty()))
            name += c;
    }
    return name;
}

int minimumVersion(const QByteArray &tokens)
{
    // The operating system that brought the newest token, by its byte
    // values; the clock's commands are $EF00-$EF10.
    int maxBB = -1, maxEF = -1;
    bool clock = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const int first = static_cast<unsigned char>(tokens.at(i));
        if (!tokens::isTwoBytePrefix(first) || i + 1 >= tokens.size())
            continue;
        const int second = static_cast<unsigned char>(tokens.at(++i));
        if (first == 0xBB)
            maxBB = qMax(maxBB, second);
        else if (first == 0xEF) {
            clock = clock || second <= 0x10;
            maxEF = qMax(maxEF, second);
        }
    }
    const int flag = clock ? kClockFlag : 0;
    if (maxBB > 0xF5 || maxEF > 0xA6)
        return flag;
    static const struct {
        int first, after, version;
    } kSteps[] = {{0xEF, 0x98, 0x0C}, {0xEF, 0x75, 0x0B}, {0xEF, 0x40, 0x0A}, {0xEF, 0x3E, 0x07},
                  {0xEF, 0x16, 0x06}, {0xEF, 0x12, 0x05}, {0xEF, -1, 0x04},   {0xBB, 0xDA, 0x03},
                  {0xBB, 0xCE, 0x02}, {0xBB, 0x67, 0x01}};
    for (const auto &step : kSteps)
        if ((step.first == 0xEF ? maxEF : maxBB) > step.after)
            return step.version | flag;
    return flag;
}

namespace
{

// The version byte a program made here gets.
int madeVersion(const Program &program)
{
    if (program.model != models::Model::None)
        return minimumVersion(program.tokens);
    return tokens::versionFor(program.tokens);
}

int versionOf(const Program &program)
{
    if (program.version < 0)
        return madeVersion(program);
    const int need = minimumVersion(program.tokens);
    const int kept = program.version & 0xFF;
    return qMax(kept & ~kClockFlag, need & ~kClockFlag) | ((kept | need) & kClockFlag);
}

} // namespace

QByteArray write(const Program &program, Model model)
{
    const bool plus = model == Model::Ti83Plus;
    const int dataLength = int(program.tokens.size()) + 2;

    QByteArray entry;
    putU16(entry, plus ? 0x0D : 0x0B);
    putU16(entry, dataLength);
    entry.append(char(program.isProtected ? kProtectedProgram : kProgram));
    entry += nameBytes(program.name).leftJustified(8, '\0', true);
    if (plus) {
        entry.append(char(versionOf(program)));
        entry.append(char(program.archived ? 0x80 : 0x00));
    }
    putU16(entry, dataLength);
    putU16(entry, int(program.tokens.size()));
    entry += program.tokens;

    QByteArray file(plus ? kPlusSignature : kTi83Signature, kSignatureLength);
    if (plus) {
        const int product =
            program.productId >= 0 ? program.productId : models::productId(program.model);
        file[kSignatureLength - 1] = char(product & 0xFF);
    }
    file += programComment().toLatin1().leftJustified(kCommentLength, '\0', true);
    putU16(file, int(entry.size()));
    file += entry;
    int sum = 0;
    for (char c : entry)
        sum += static_cast<unsigned char>(c);
    putU16(file, sum & 0xFFFF);
    return file;
}

namespace
{

const QString kCutOff = QStringLiteral("The file is cut off: it is shorter than its header says.");
const QString kDamaged =
    QStringLiteral("The file is damaged: its variable entry does not fit its data section.");

QString typeName(int type)
{
    switch (type) {
    case 0x00:
        return QStringLiteral("real number");
    case 0x01:
        return QStringLiteral("list");
    case 0x02:
        return QStringLiteral("matrix");
    case 0x03:
        return QStringLiteral("equation");
    case 0x04:
        return QStringLiteral("string");
    case 0x07:
        return QStringLiteral("picture");
    case 0x08:
        return QStringLiteral("graph database");
    case 0x0C:
        return QStringLiteral("complex number");
    case 0x0D:
        return QStringLiteral("complex list");
    case 0x0F:
        return QStringLiteral("window settings");
    case 0x10:
        return QStringLiteral("saved window");
    case 0x11:
        return QStringLiteral("table setup");
    case 0x15:
        return QStringLiteral("application variable");
    case 0x17:
        return QStringLiteral("group");
    case 0x1A:
        return QStringLiteral("image");
    default:
        return QStringLiteral("variable of type $%1")
            .arg(QString::number(type, 16).rightJustified(2, u'0').toUpper());
    }
}

bool namedLikeProgram(int type)
{
    return type == kProgram || type == kProtectedProgram || type == 0x15 || type == 0x17;
}

// A name as the user reads it: programs, application variables and groups
// spell theirs in letters; the others are named by a token (L₁, Str1, Y₁).
QString shownName(int type, const QByteArray &raw)
{
    QByteArray bytes = raw;
    if (namedLikeProgram(type)) {
        const qsizetype end = bytes.indexOf('\0');
        QString name;
        for (char c : bytes.left(end < 0 ? bytes.size() : end))
            name += nameChar(static_cast<unsigned char>(c));
        return calcsymbols::toUnicode(name);
    }
    const int first = bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes.at(0));
    bytes = bytes.left(first == tok::MatrixPrefix || first == tok::ListPrefix ||
                               first == tok::EquationPrefix || first == tok::PicturePrefix ||
                               first == tok::StringPrefix
                           ? 2
                           : 1);
    return calcsymbols::toUnicode(tokens::detokenize(bytes));
}

QString describe(int type, const QByteArray &name)
{
    // Settings variables carry no name worth showing.
    const QString shown = shownName(type, name);
    if (shown.isEmpty() || shown.contains(QChar(0x27E6)))
        return typeName(type);
    return QStringLiteral("%1 (%2)").arg(shown, typeName(type));
}

Program programFrom(int type, const QByteArray &name, bool archived, const QByteArray &tokens)
{
    Program p;
    p.isProtected = type == kProtectedProgram;
    p.archived = archived;
    for (char c : name) {
        if (c == 0)
            break;
        p.name += nameChar(static_cast<unsigned char>(c));
    }
    p.tokens = tokens;
    return p;
}

// The size of a variable's data inside a group, -1 when it is unknown or
// does not fit.
qsizetype groupedSize(int type, const QByteArray &d, qsizetype at)
{
    const qsizetype left = d.size() - at;
    const auto count = [&] { return left >= 2 ? qsizetype(u16(d, at)) : qsizetype(-1); };
    switch (type) {
    case 0x03:
    case 0x04:
    case 0x05:
    case 0x06:
    case 0x08:
    case 0x0B:
    case 0x15:
    case 0x17:
        return count() < 0 ? -1 : 2 + count();
    case 0x00:
    case 0x18:
    case 0x19:
    case 0x1C:
    case 0x20:
    case 0x21:
        return 9;
    case 0x0C:
    case 0x1B:
    case 0x1D:
    case 0x1E:
    case 0x1F:
        return 18;
    case 0x01:
        return count() < 0 ? -1 : 2 + count() * 9;
    case 0x0D:
        return count() < 0 ? -1 : 2 + count() * 18;
    case 0x02:
        return left < 2 ? -1
                        : 2 + qsizetype(static_cast<unsigned char>(d.at(at))) *
                                  static_cast<unsigned char>(d.at(at + 1)) * 9;
    case 0x07:
        return left >= 21947 ? 21947 : 758;
    case 0x0F:
        return 210;
    case 0x10:
        return 209;
    case 0x11:
        return 20;
    case 0x1A:
        return 22247;
    default:
        return -1;
    }
}

// The variables a group variable holds, as the calculator lays them out:
// type, version, location, archived flag, name, then the data.
void readGroup(const QByteArray &d, Contents &c, int depth)
{
    if (d.size() < 2 || u16(d, 0) != d.size() - 2 || depth > 4) {
        c.error = QStringLiteral("The file is damaged: a group in it does not hold what its "
                                 "length says.");
        return;
    }
    for (qsizetype at = 2; at < d.size();) {
        if (d.size() - at < 7) {
            c.error = kDamaged;
            return;
        }
        const int type = static_cast<unsigned char>(d.at(at)) & 0x3F;
        at += 5;
        const bool archived = static_cast<unsigned char>(d.at(at++)) != 0;
        QByteArray name;
        if (namedLikeProgram(type) || type == 0x01 || type == 0x0D) {
            const int length = static_cast<unsigned char>(d.at(at++));
            const int kept = type == 0x01 || type == 0x0D ? length - 1 : length;
            if (kept < 0 || kept > 8 || d.size() - at < length) {
                c.error = kDamaged;
                return;
            }
            name = d.mid(at, kept);
            at += length;
        } else {
            if (d.size() - at < 3) {
                c.error = kDamaged;
                return;
            }
            name = d.mid(at, 3);
            at += 3;
        }
        const qsizetype size = groupedSize(type, d, at);
        if (size < 0 || d.size() - at < size) {
            c.skipped << describe(type, name) + QStringLiteral(" and what follows it in its group");
            return;
        }
        const QByteArray data = d.mid(at, size);
        at += size;
        if (type == kProgram || type == kProtectedProgram)
            c.programs << programFrom(type, name, archived, data.mid(2));
        else if (type == 0x17)
            readGroup(data, c, depth + 1);
        else
            c.skipped << describe(type, name);
        if (!c.error.isEmpty())
            return;
    }
}

} // namespace

// The file's model, product and variable data, checked against its length
// and checksum; on a fault, c.error says why and the data is empty.
QByteArray checkedData(const QByteArray &file, Contents &c)
{
    // The byte after the signature names the product that wrote the file.
    const QByteArray signature = file.left(kSignatureLength - 1);
    if (signature == QByteArray(kPlusSignature, kSignatureLength - 1)) {
        c.model = Model::Ti83Plus;
    } else if (signature == QByteArray(kTi83Signature, kSignatureLength - 1)) {
        c.model = Model::Ti83;
    } else {
        c.error = QStringLiteral("The file is not a TI-83 Plus (.8xp, .8xg) or TI-83 (.83p, "
                                 ".83g) calculator file.");
        return {};
    }
    if (file.size() < kHeaderLength + 2) {
        c.error = kCutOff;
        return {};
    }
    c.productId = static_cast<unsigned char>(file.at(kSignatureLength - 1));
    const int dataLength = u16(file, kSignatureLength + kCommentLength);
    if (file.size() < kHeaderLength + dataLength + 2) {
        c.error = kCutOff;
        return {};
    }
    QByteArray data = file.mid(kHeaderLength, dataLength);
    int sum = 0;
    for (char ch : data)
        sum += static_cast<unsigned char>(ch);
    if ((sum & 0xFFFF) != u16(file, kHeaderLength + dataLength)) {
        c.error = QStringLiteral("The file is damaged: its checksum does not match its "
                                 "contents.");
        return {};
    }
    return data;
}

Contents readAll(const QByteArray &file)
{
    Contents c;
    const QByteArray data = checkedData(file, c);
    if (!c.error.isEmpty())
        return c;

    // Variable entries back to back: meta length, data length, type, name,
    // [version, flag,] data length again, data.
    for (qsizetype at = 0; at < data.size();) {
        const QByteArray entry = data.mid(at);
        if (entry.size() < 2) {
            c.error = kDamaged;
            return c;
        }
        const int meta = u16(entry, 0);
        if ((meta != 0x0B && meta != 0x0D) || entry.size() < 2 + meta + 2) {
            c.error = kDamaged;
            return c;
        }
        const int varLength = u16(entry, 2);
        if (entry.size() < 2 + meta + 2 + varLength || u16(entry, 2 + meta) != varLength) {
            c.error = kDamaged;
            return c;
        }
        const int type = static_cast<unsigned char>(entry.at(4)) & 0x3F;
        const QByteArray name = entry.mid(5, 8);
        const bool archived =
            meta == 0x0D && (static_cast<unsigned char>(entry.at(14)) & 0x80) != 0;
        const int version = meta == 0x0D ? static_cast<unsigned char>(entry.at(13)) : -1;
        const QByteArray body = entry.mid(2 + meta + 2, varLength);
        at += 2 + meta + 2 + varLength;
        if (type == kProgram || type == kProtectedProgram) {
            if (body.size() < 2 || body.size() < 2 + u16(body, 0)) {
                c.error = kDamaged;
                return c;
            }
            c.programs << programFrom(type, name, archived, body.mid(2, u16(body, 0)));
            c.programs.back().version = version;
        } else if (type == 0x17) {
            readGroup(body, c, 0);
            if (!c.error.isEmpty())
                return c;
        } else {
            c.skipped << describe(type, name);
        }
    }
    // The header names the model, or else the version byte its tokens
    // needed. Real files name a model lower than their tokens need (a TI-84
    // Plus C SE id on TI-84 Plus CE programs): the tokens raise it.
    for (Program &p : c.programs) {
        if (c.model != Model::Ti83Plus)
            break;
        p.productId = c.productId;
        p.model = models::fromProductId(c.productId);
        if (p.model == models::Model::None && p.version >= 0)
            p.model = models::fromVersionByte(p.version);
        const models::Model need = models::lowestFor(p.tokens).model;
        if (p.model != models::Model::None && int(need) > int(p.model))
            p.model = need;
    }
    if (c.programs.isEmpty()) {
        c.error = c.skipped.isEmpty() ? QStringLiteral("The file holds no calculator variable.")
                                      : QStringLiteral("The file holds no program, only: %1.")
                                            .arg(c.skipped.join(QStringLiteral(", ")));
    }
    return c;
}

Read read(const QByteArray &file)
{
    Read r;
    const Contents c = readAll(file);
    r.model = c.model;
    r.error = c.error;
    if (c.ok())
        r.program = c.programs.first();
    return r;
}

Built build(QStringView modelText, const QString &name, bool isProtected, Model model)
{
    return build(modelText, name, isProtected, model, FileMeta());
}

Built build(QStringView modelText, const QString &name, bool isProtected, Model model,
            const FileMeta &kept)
{
    Built b;
    if (!isValidName(name)) {
        b.error = nameRules(name);
        return b;
    }
    const tokens::Tokenized t = tokens::tokenize(modelText);
    if (!t.ok()) {
        b.error = t.error;
        return b;
    }
    if (model == Model::Ti83) {
        const QVector<int> missing = tokens::tokensMissingOnTi83(t.bytes);
        if (!missing.isEmpty()) {
            QStringList shown;
            for (int token : missing) {
                QString display = tokens::displayString(token).trimmed();
                if (display.isEmpty())
                    display = calcsymbols::toUnicode(tokens::escapedForm(token));
                shown << QLatin1Char('"') + display + QLatin1Char('"');
            }
            b.error = QStringLiteral("The TI-83 does not have these commands of the program: %1. "
                                     "Export it for the TI-83 Plus (.8xp) instead.")
                          .arg(shown.join(QStringLiteral(", ")));
            return b;
        }
    }
    // The data section's length is a 16-bit number.
    constexpr int kMaxTokens = 0xFFFF - 19;
    if (t.bytes.size() > kMaxTokens) {
        b.error = QStringLiteral("The program is too long for a calculator file: %1 bytes of "
                                 "tokens, at most %2.")
                      .arg(t.bytes.size())
                      .arg(kMaxTokens);
        return b;
    }
    Program p;
    p.name = name;
    p.isProtected = isProtected;
    p.tokens = t.bytes;
    applyMeta(kept, &p);
    b.file = write(p, model);
    return b;
}

namespace
{

Imported importProgram(const Program &p)
{
    Imported im;
    QString error;
    im.text = tokens::detokenize(p.tokens, models::isColour(p.model), &error);
    if (!error.isEmpty()) {
        im.text.clear();
        im.error =
            QStringLiteral("The program %1 cannot be read: %2").arg(unicodeName(p.name), error);
        return im;
    }
    im.name = p.name;
    im.isProtected = p.isProtected;
    im.archived = p.archived;
    // The byte we would write anyway says nothing worth keeping.
    im.version = p.version == madeVersion(p) ? -1 : p.version;
    im.model = p.model;
    im.productId = p.productId == models::productId(p.model) ? -1 : p.productId;
    if (!isValidName(p.name))
        im.warnings << QStringLiteral("\"%1\" is no name the TI-83 Plus allows; export the "
                                      "program under another.")
                           .arg(unicodeName(p.name));
    const QVector<int> unknown = tokens::unknownTokens(p.tokens);
    if (!unknown.isEmpty()) {
        QStringList shown;
        for (int token : unknown)
            shown << tokens::escapedForm(token);
        im.warnings << (unknown.size() == 1
                            ? QStringLiteral("%1 in %2 is no TI-83 Plus token; it is kept as "
                                             "written and exported back unchanged.")
                            : QStringLiteral("%1 in %2 are no TI-83 Plus tokens; they are kept "
                                             "as written and exported back unchanged."))
                           .arg(shown.join(QStringLiteral(", ")), unicodeName(p.name));
    }
    return im;
}

} // namespace

ImportedFile importAll(const QByteArray &file)
{
    ImportedFile f;
    const Contents c = readAll(file);
    f.skipped = c.skipped;
    if (!c.ok()) {
        f.error = c.error;
        return f;
    }
    for (const Program &p : c.programs) {
        Imported im = importProgram(p);
        if (!im.ok()) {
            f.error = im.error;
            f.programs.clear();
            return f;
        }
        f.programs << im;
    }
    return f;
}

Imported import(const QByteArray &file)
{
    const ImportedFile f = importAll(file);
    if (!f.ok()) {
        Imported im;
        im.error = f.error;
        return im;
    }
    return f.programs.first();
}

FileMeta metaOf(const Imported &program)
{
    Program p;
    p.archived = program.archived;
    p.version = program.version;
    p.model = program.model;
    p.productId = program.productId;
    return metaOf(p);
}

FileMeta metaOf(const Program &program)
{
    FileMeta m;
    if (program.archived)
        m.set(QStringLiteral("archived"), QStringLiteral("1"));
    if (program.model != models::Model::None)
        m.set(QStringLiteral("model"), models::id(program.model));
    if (program.productId >= 0 && program.productId != models::productId(program.model))
        m.set(QStringLiteral("product"), QString::number(program.productId));
    if (program.version >= 0 && program.version != madeVersion(program)) {
        m.set(QStringLiteral("version"), QString::number(program.version & ~kClockFlag));
        if (program.version & kClockFlag)
            m.set(QStringLiteral("clock"), QStringLiteral("1"));
    }
    return m;
}

void applyMeta(const FileMeta &kept, Program *program)
{
    program->archived = kept.value(QStringLiteral("archived")) == QLatin1String("1");
    program->model = models::fromId(kept.value(QStringLiteral("model")));
    const int product = kept.number(QStringLiteral("product"), -1);
    program->productId = product >= 0 && product <= 0xFF ? product : -1;
    const int version = kept.number(QStringLiteral("version"), -1);
    if (version >= 0 && version <= 0xFF) {
        const bool clock = kept.value(QStringLiteral("clock")) == QLatin1String("1");
        program->version = (version & ~kClockFlag) | (clock ? kClockFlag : 0);
    }
}

} // namespace calc::calcfile
