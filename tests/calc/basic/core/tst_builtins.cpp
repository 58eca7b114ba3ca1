// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The libraries' tables: each token has one entry, and a function token is
// always called through its own.
#include "calc/Models.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Builtins.h"
#include "calc/basic/core/Compiler.h"
#include "common/TestRegistry.h"

#include <QHash>
#include <QTest>

using namespace calc::basic;

class TstBuiltins : public QObject
{
    Q_OBJECT

    // The entries an expression's code calls.
    static QList<int> calledTokens(const Chunk &c)
    {
        QList<int> out;
        for (std::size_t k = 0; k < c.code.size();) {
            const int op = c.code[k];
            if (op == OpCall)
                out << builtinAt(c.code[k + 1]).token;
            k += 1 + (op == OpMenu ? 1 + c.code[k + 1] : operandCount(op));
        }
        return out;
    }

private slots:
    void entriesAreWholeAndUnique()
    {
        QHash<int, QString> owner;
        int total = 0;
        for (const Library *l : libraries()) {
            QVERIFY(l->count > 0);
            for (int i = 0; i < l->count; ++i, ++total) {
                const Builtin &b = l->entries[i];
                const QString where =
                    QString::fromUtf8(l->name) + QLatin1Char(' ') + QString::fromUtf8(b.name);
                QVERIFY2(!owner.contains(b.token),
                         qPrintable(where + QStringLiteral(" and ") + owner.value(b.token)));
                owner.insert(b.token, where);
                QVERIFY2(b.function && b.name && *b.name, qPrintable(where));
                if (b.kind == Builtin::Parsed)
                    QVERIFY2(b.least >= 0 && b.least <= b.most, qPrintable(where));
                QCOMPARE(&builtinAt(builtinIndex(b.token)), &b);
            }
        }
        QCOMPARE(builtinIndex(calc::tok::If), -1);
        QVERIFY(total > 100);
    }

    // Every token of the sheet written as a call on a model that has it: the
    // code calls no entry, or the token's own.
    void everyFunctionTokenCallsItsOwnEntry()
    {
        int called = 0;
        QStringList wrong;
        for (int t = 1; t < 0x10000; ++t) {
            if ((t > 0xFF && !calc::tokens::isTwoBytePrefix(t >> 8)) ||
                (t <= 0xFF && calc::tokens::isTwoBytePrefix(t)))
                continue;
            const QString name = calc::tokens::displayString(t).trimmed();
            if (!name.endsWith(QLatin1Char('(')))
                continue;
            const bool colour = calc::models::need(t).model >= calc::models::Model::Ti84PlusCSE;
            // f(1), f(1,1)...: the first with as many arguments as f takes.
            QList<int> calls;
            QByteArray bytes = calc::tokens::tokenBytes(t);
            for (int n = 1; n <= 4 && calls.isEmpty(); ++n) {
                bytes += calc::tokens::tokenBytes(calc::tok::Digit0 + 1);
                QByteArray call = bytes + calc::tokens::tokenBytes(calc::tok::RParen);
                calls = calledTokens(*compile(call, true, colour));
                bytes += calc::tokens::tokenBytes(calc::tok::Comma);
            }
            if (calls.isEmpty())
                continue;
            ++called;
            if (!calls.contains(t) || builtinIndex(t) < 0)
                wrong << name;
        }
        QCOMPARE(wrong.join(QLatin1Char(' ')), QString());
        QVERIFY2(called > 80, qPrintable(QString::number(called)));
    }
};

TORVANE_TEST(TstBuiltins);
#include "tst_builtins.moc"
