#include "compiler/LinkExport.h"

#include "platform/RtfCodec.h"

#include <QFileInfo>
#include <QSaveFile>

namespace compiler
{

namespace
{
const QString crlf = QStringLiteral("\r\n");
}

QString exportText(const QString &programText, const QString &name, bool isProtected,
                   const QString &sourcePath)
{
    QString out;
    out.reserve(programText.size() + name.size() + sourcePath.size() + 120);
    out += QStringLiteral("\\start83P\\") + crlf;
    out += QStringLiteral("\\comment=Created by Torvane Studio") + crlf;
    out += QStringLiteral("\\protected=") +
           (isProtected ? QStringLiteral("TRUE") : QStringLiteral("FALSE")) + crlf;
    out += QStringLiteral("\\name=") + name + crlf;
    out += QStringLiteral("\\file=") + sourcePath + crlf;
    out += programText;
    out += crlf;
    out += QStringLiteral("\\stop83P\\");
    return out;
}

ExportBytes toExportBytes(const QString &text)
{
    ExportBytes result;
    QByteArray bytes(text.size(), Qt::Uninitialized);
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // The Windows code page's own characters (the euro sign, curly quotes...)
        // have bytes of their own in 0x80-0x9F.
        const char16_t c = platform::rtf::displayToModel(text.at(i)).unicode();
        if (c > 0xFF) {
            result.badLine = line;
            // Keep a surrogate pair together so the message shows the character.
            const bool pair =
                QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
            result.badChar = text.mid(i, pair ? 2 : 1);
            return result;
        }
        if (c == u'\n')
            ++line;
        bytes[i] = char(c);
    }
    result.bytes = bytes;
    return result;
}

bool writeBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool sameFile(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace compiler
