// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The documentation document the compile wizard builds: each step's block as
// a function of the user's answers, the step 2 questions, the display font
// and the bytes of the saved file.
#include <QByteArray>
#include <QFont>
#include <QString>
#include <QVector>

namespace compiler::documentation
{

struct Question {
    QString switchName; // Compile Options value that turns it on; empty: always asked
    QString prompt;
    QString title;
    QString defaultAnswer;
    QString label; // starts the line in the document
};

Question creatorQuestion();
// company, finishing date, e-mail, web address, in asking order
const QVector<Question> &optionalQuestions();

// A switch is on only when its text is exactly "1".
bool switchOn(const QString &value);

QString titleBlock(const QString &title);
// CR LF, "Created by: " and the name, CR LF
QString creatorBlock(const QString &creator);
// label, answer, CR LF
QString optionalLine(const Question &question, const QString &answer);

// Steps 3 to 5: CR LF and the companion window's whole text.
QString longTextBlock(const QString &text);

// The wizard's own font before the display rule applies.
QFont designedFont();
// "NotePad": Courier, size kept; "WordPad": Arial 10; anything else: as designed.
QFont displayFont(const QString &documentProgram, const QFont &designed);
// The display rule applied to the designed font with the stored document program.
QFont documentFont();

// The saved documentation: plain text, every line break CR LF, UTF-8 with a
// byte-order mark; the wizard's prose as it shows it (© stays ©).
QByteArray fileBytes(const QString &documentText);

} // namespace compiler::documentation
