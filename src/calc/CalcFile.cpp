#include "calc/CalcFile.h"

#include "calc/CalculatorSymbols.h"
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
constexpr int kThetaByte = 0x5B;
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
    const QString n = unicodeName(name);
    if (n.isEmpty() || n.size() > 8)
        return false;
    for (qsizetype i = 0; i < n.size(); ++i)
        if (!validChar(n.at(i), i == 0))
            return false;
    return true;
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

QByteArray write(const Program &program, Model model)
{
    const bool plus = model == Model::Ti83Plus;
    const int dataLength = int(program.tokens.size()) + 2;

    QByteArray entry;
    putU16(entry, plus ? 0x0D : 0x0B);
    putU16(entry, dataLength);
    entry.append(char(program.isProtected ? kProtectedProgram : kProgram));
    QByteArray name(8, '\0');
    const QString n = unicodeName(program.name);
    for (qsizetype i = 0; i < qMin<qsizetype>(n.size(), 8); ++i)
        name[i] = n.at(i) == kTheta ? char(kThetaByte) : char(n.at(i).toLatin1());
    entry += name;
    if (plus) {
        entry.append(char(tokens::versionFor(program.tokens)));
        entry.append(char(program.archived ? 0x80 : 0x00));
    }
    putU16(entry, dataLength);
    putU16(entry, int(program.tokens.size()));
    entry += program.tokens;

    QByteArray file(plus ? kPlusSignature : kTi83Signature, kSignatureLength);
    file += programComment().toLatin1().leftJustified(kCommentLength, '\0', true);
    putU16(file, int(entry.size()));
    file += entry;
    int sum = 0;
    for (char c : entry)
        sum += static_cast<unsigned char>(c);
    putU16(file, sum & 0xFFFF);
    return file;
}

Read read(const QByteArray &file)
{
    Read r;
    const QByteArray signature = file.left(kSignatureLength);
    if (signature == QByteArray(kPlusSignature, kSignatureLength)) {
        r.model = Model::Ti83Plus;
    } else if (signature == QByteArray(kTi83Signature, kSignatureLength)) {
        r.model = Model::Ti83;
    } else {
        r.error = QStringLiteral("The file is not a TI-83 Plus (.8xp) or TI-83 (.83p) program "
                                 "file.");
        return r;
    }
    const QString cutOff = QStringLiteral("The file is cut off: it is shorter than its header "
                                          "says.");
    const QString damaged = QStringLiteral("The file is damaged: its variable entry does not fit "
                                           "its data section.");
    if (file.size() < kHeaderLength + 2) {
        r.error = cutOff;
        return r;
    }
    const int dataLength = u16(file, kSignatureLength + kCommentLength);
    if (file.size() < kHeaderLength + dataLength + 2) {
        r.error = cutOff;
        return r;
    }
    const QByteArray data = file.mid(kHeaderLength, dataLength);
    int sum = 0;
    for (char c : data)
        sum += static_cast<unsigned char>(c);
    if ((sum & 0xFFFF) != u16(file, kHeaderLength + dataLength)) {
        r.error = QStringLiteral("The file is damaged: its checksum does not match its "
                                 "contents.");
        return r;
    }

    // The variable entry: meta length, data length, type, name, [version,
    // flag,] data length again, data.
    if (data.size() < 2) {
        r.error = damaged;
        return r;
    }
    const int meta = u16(data, 0);
    if ((meta != 0x0B && meta != 0x0D) || data.size() < 2 + meta + 2) {
        r.error = damaged;
        return r;
    }
    const int varLength = u16(data, 2);
    if (data.size() < 2 + meta + 2 + varLength || u16(data, 2 + meta) != varLength) {
        r.error = damaged;
        return r;
    }
    const int type = static_cast<unsigned char>(data.at(4));
    if (type != kProgram && type != kProtectedProgram) {
        r.error = QStringLiteral("The file holds a calculator variable that is not a program.");
        return r;
    }
    r.program.isProtected = type == kProtectedProgram;
    for (int i = 0; i < 8; ++i) {
        const int byte = static_cast<unsigned char>(data.at(5 + i));
        if (byte == 0)
            break;
        r.program.name += nameChar(byte);
    }
    if (meta == 0x0D)
        r.program.archived = static_cast<unsigned char>(data.at(14)) == 0x80;
    const QByteArray body = data.mid(2 + meta + 2, varLength);
    if (body.size() < 2 || body.size() < 2 + u16(body, 0)) {
        r.error = damaged;
        return r;
    }
    r.program.tokens = body.mid(2, u16(body, 0));
    return r;
}

Built build(QStringView modelText, const QString &name, bool isProtected, Model model)
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
            for (int token : missing)
                shown << QLatin1Char('"') + tokens::displayString(token).trimmed() +
                             QLatin1Char('"');
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
    b.file = write(p, model);
    return b;
}

Imported import(const QByteArray &file)
{
    Imported im;
    const Read r = read(file);
    if (!r.ok()) {
        im.error = r.error;
        return im;
    }
    QString error;
    im.text = tokens::detokenize(r.program.tokens, &error);
    if (!error.isEmpty()) {
        im.text.clear();
        im.error = QStringLiteral("The program cannot be read: %1").arg(error);
        return im;
    }
    im.name = r.program.name;
    im.isProtected = r.program.isProtected;
    return im;
}

} // namespace calc::calcfile
