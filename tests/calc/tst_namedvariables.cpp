// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalculatorSymbols.h"
#include "calc/NamedVariables.h"
#include "calc/Tokens.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::names;

class TstNamedVariables : public QObject
{
    Q_OBJECT
private slots:
    // Each entry writes its own token, and is shown as the calculator shows it.
    void spellingsAreTheirTokens()
    {
        QStringList shown;
        int count = 0;
        for (const VariableGroup &g : namedVariables()) {
            for (const NamedVariable &v : g.variables) {
                const auto t = calc::tokens::tokenize(v.spelling);
                QVERIFY2(t.ok(), qPrintable(v.typed));
                QCOMPARE(t.bytes, calc::tokens::tokenBytes(v.token));
                ++count;
            }
            shown << g.name + u':' + g.variables.first().shown + u'-' + g.variables.last().shown;
        }
        QCOMPARE(count, 10 + 12 + 6 + 3 + 6 + 11 + 10 + 10 + 10 + 10);
        QCOMPARE(shown.join(u' '),
                 QStringLiteral("Functions:Y₁-Y₀ Parametric:X₁ᴛ-Y₆ᴛ Polar:r₁-r₆ Sequences:u-w "
                                "Lists:L₁-L₆ Statistics Letters:a-z Strings:Str1-Str0 "
                                "Pictures:Pic1-Pic0 Graph "
                                "Databases:GDB1-GDB0 Images:Image1-Image0"));
    }

    void completion_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("offered");
        QTest::newRow("digits for the subscript") << "Y1"
                                                  << "Y₁ Y₁ᴛ";
        QTest::newRow("any case") << "str1"
                                  << "Str1";
        QTest::newRow("the subscript itself") << "L₂"
                                              << "L₂";
        QTest::newRow("nothing") << "Q"
                                 << "";
        QTest::newRow("a letter the statistics spell") << "z"
                                                       << "z";
    }
    void completion()
    {
        QFETCH(QString, prefix);
        QStringList offered;
        for (const NamedVariable &v :
             variablesStartingWith(calc::calcsymbols::fromUnicode(prefix).text))
            offered << v.shown;
        QTEST(offered.join(u' '), "offered");
    }
};

TORVANE_TEST(TstNamedVariables);
#include "tst_namedvariables.moc"
