// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/LineCommand.h"

#include "reference/ReferenceEntries.h"

#include <QRegularExpression>

namespace reference::line
{

QString title()
{
    return QStringLiteral("Graphing - Line");
}

QString defaultAnswer()
{
    return QStringLiteral("1");
}

QString promptText(int step)
{
    static const char *const questions[] = {
        "What is the starting X Cordinate?", "What is the starting Y Cordinate?",
        "What is the ending X Cordinate?", "What is the ending Y Cordinate?"};
    // A carriage return alone between question and hint.
    return QLatin1String(questions[step]) +
           QStringLiteral("\rValid integers are between 0 and 9.9.");
}

QString rangeMessage(int step)
{
    return step % 2 == 0
               ? QStringLiteral("X Cordinates cannot be be greater than 9.9 or less than 0.")
               : QStringLiteral("Y Cordinates cannot be be greater than 9.9 or less than 0.");
}

std::optional<double> coordinate(const QString &answer)
{
    // No sign, exponent or locale separator: the text goes into the program
    // as typed, and the calculator reads none of those as a plain number.
    static const QRegularExpression number(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString text = answer.trimmed();
    if (!number.match(text).hasMatch())
        return std::nullopt;
    return text.toDouble();
}

bool acceptable(const QString &answer)
{
    const std::optional<double> value = coordinate(answer);
    return value && *value >= 0 && *value <= 9.9;
}

QString command(const QStringList &answers)
{
    QStringList parts;
    for (const QString &a : answers)
        parts << a.trimmed();
    return lineBreak() + QStringLiteral("Line(") + parts.join(QLatin1Char(',')) + QLatin1Char(')');
}

std::optional<QString> run(const Ask &ask, const Complain &complain)
{
    QStringList answers;
    int step = 0;
    while (step < 4) {
        const std::optional<QString> answer = ask(step);
        if (!answer)
            return std::nullopt;
        if (!acceptable(*answer)) {
            complain(step);
            // A wrong ending X starts the line again.
            if (step == 2) {
                step = 0;
                answers.clear();
            }
            continue;
        }
        answers << *answer;
        ++step;
    }
    return command(answers);
}

} // namespace reference::line
