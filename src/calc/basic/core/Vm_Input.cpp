// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The loop's side of Input and Prompt, the statements that wait for an
// answer typed on the home screen.
#include "calc/basic/core/Vm.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Scanner.h"

namespace calc::basic
{

// Input and Prompt: ask, echo the answer, store it.
void Vm::input(const int *operands, const Chunk *prog)
{
    const int prompt = operands[0], kind = operands[1], key = operands[2], isPrompt = operands[3];
    const QString name = kind == TNamed ? prog->names[key] : QString();
    QString shown =
        isPrompt ? varName(kind, key, *prog) + QStringLiteral("=?") : QStringLiteral("?");
    if (prompt == -2) // only its first 16 characters show
        shown = displayText(pop()).left(c_.home().columns());
    c_.showGraph(false);
    c_.home().setPrompt(shown);
    QString text;
    const bool answered = c_.host().nextAnswer && c_.host().nextAnswer(&text);
    c_.home().setPrompt(QString());
    if (!answered)
        raise(Error::Break);
    c_.home().wrapped(shown + text);
    if (kind == TVar && key >= tok::Str0 && key <= tok::Str0 + 9) {
        // Text as typed; quotes around it are not part of it.
        if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) &&
            text.endsWith(QLatin1Char('"')))
            text = text.mid(1, text.size() - 2);
        const auto t = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text);
        if (!t.ok())
            raise(Error::Syntax, t.error);
        const QVector<int> tokens = tokenValues(t.bytes);
        c_.store(kind, key, Value::string(tokens), name);
    } else {
        c_.store(kind, key, answer(text), name);
    }
}

} // namespace calc::basic
