// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "compiler/Documentation.h"

#include "platform/Config.h"
#include "platform/RegistryAccess.h"

namespace compiler::documentation
{

namespace
{
const QString crlf = QStringLiteral("\r\n");
}

Question creatorQuestion()
{
    return {QString(), QStringLiteral("Who created this program?"), QStringLiteral("Step 2"),
            QStringLiteral("John Doe"), QStringLiteral("Created by: ")};
}

const QVector<Question> &optionalQuestions()
{
    static const QVector<Question> questions{
        {platform::config::registry::CompanyNameOption,
         QStringLiteral("What is the title of your company?"), QStringLiteral("Step 2 - 1"),
         QStringLiteral("Blah Inc."), QStringLiteral("Company: ")},
        {platform::config::registry::DateFinishedOption,
         QStringLiteral("What date did you finish this program?"), QStringLiteral("Step 2 - 3"),
         QStringLiteral("00/00/00"), QStringLiteral("Date Finished: ")},
        {platform::config::registry::EMailOption, QStringLiteral("What is your e-mail address?"),
         QStringLiteral("Step 2"), QStringLiteral("someone@example.com"),
         QStringLiteral("E-Mail: ")},
        {platform::config::registry::WebPageOption,
         QStringLiteral("What is your web-site address??"), QStringLiteral("Step 2"),
         QStringLiteral("http://www.example.com"), QStringLiteral("Web-Site URL: ")},
    };
    return questions;
}

bool switchOn(const QString &value)
{
    return value == QLatin1String("1");
}

QString titleBlock(const QString &title)
{
    return title;
}

QString creatorBlock(const QString &creator)
{
    return crlf + creatorQuestion().label + creator + crlf;
}

QString optionalLine(const Question &question, const QString &answer)
{
    return question.label + answer + crlf;
}

QString longTextBlock(const QString &text)
{
    return crlf + text;
}

QFont designedFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    return font;
}

QFont displayFont(const QString &documentProgram, const QFont &designed)
{
    QFont font = designed;
    if (documentProgram == platform::config::registry::NotePad) {
        font.setFamily(QStringLiteral("Courier"));
    } else if (documentProgram == platform::config::registry::WordPad) {
        font.setFamily(QStringLiteral("Arial"));
        font.setPointSizeF(10);
    }
    return font;
}

QFont documentFont()
{
    platform::RegistryAccess registry;
    registry.SelectKey(platform::config::registry::CompileOptionsKey);
    return displayFont(registry.valueText(platform::config::registry::DocumentProgramOption),
                       designedFont());
}

QByteArray fileBytes(const QString &documentText)
{
    QString text = documentText;
    text.replace(crlf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), crlf);
    // The text is prose as the wizard shows it (\u00A9, \u2192, \u2264), which
    // no single-byte code page holds; the mark tells Windows editors that
    // the file is UTF-8.
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace compiler::documentation
