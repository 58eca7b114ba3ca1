// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "common/TestRegistry.h"
#include "common/TokenBytes.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QXmlStreamReader>

using namespace calc::tokens;

namespace
{

// Model text from Unicode, as the editor holds it.
QString model(const QString &unicode)
{
    return calc::calcsymbols::fromUnicode(unicode).text;
}

} // namespace

class TstTokens : public QObject
{
    Q_OBJECT

private slots:
    // Every spelling of the sheet that model text can hold reads as its
    // token: the display strings and the alternates, one- and two-byte.
    void everySheetSpellingReadsAsItsToken()
    {
        QFile f(QStringLiteral(TORVANE_SOURCE_DIR "/resources/calculator/tokens-ti83plus.xml"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        const QList<int> prefixes = {0x5C, 0x5D, 0x5E, 0x60, 0x61, 0x62,
                                     0x63, 0x7E, 0xAA, 0xBB, 0xEF};
        QVector<int> path; // bytes of the open tokens
        int checked = 0;
        QStringList skipped;
        while (!xml.atEnd()) {
            xml.readNext();
            const bool token = xml.name() == QLatin1String("Token");
            if (token && xml.isEndElement())
                path.removeLast();
            if (!xml.isStartElement() || (!token && xml.name() != QLatin1String("Alt")))
                continue;
            if (token)
                path << xml.attributes().value(QLatin1String("byte")).mid(1).toInt(nullptr, 16);
            const bool oneByte = path.size() == 1 && !prefixes.contains(path[0]);
            const bool twoByte = path.size() == 2 && prefixes.contains(path[0]);
            const QString spelling = xml.attributes().value(QLatin1String("string")).toString();
            const auto in = calc::calcsymbols::fromUnicode(spelling);
            if ((!oneByte && !twoByte) || spelling.isEmpty() || path[0] == 0x3F)
                continue;
            if (!in.refused.isEmpty()) {
                skipped << spelling;
                continue;
            }
            QByteArray expected(1, char(path[0]));
            if (twoByte)
                expected.append(char(path[1]));
            QVERIFY2(tokenize(in.text).bytes == expected, qPrintable(spelling));
            ++checked;
        }
        QCOMPARE(checked, 1022);
        // Characters the display font lacks; their tokens read by alternates.
        QCOMPARE(skipped, QStringList({QStringLiteral("ˉ¹"), QStringLiteral("ß")}));
    }

    // Text written the way the program writes each token reads back as it.
    void everyTokenSurvivesText()
    {
        int tokens = 0;
        for (int t = 0; t <= 0xFFFF; ++t) {
            if (displayString(t).isEmpty() || t == 0x3F)
                continue;
            const QString text = modelSpelling(t);
            QVERIFY2(tokenize(text).bytes == tokenBytes(t), qPrintable(QString::number(t, 16)));
            QCOMPARE(detokenize(tokenBytes(t)), text);
            ++tokens;
        }
        QCOMPARE(tokens, 808); // the sheet's, less libraries and the newline
        QCOMPARE(detokenize(QByteArray("\xB6\x30", 2)), QStringLiteral("sum(0"));
    }

    void cuts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        const auto row = [](const char *name, const QString &text, const char *layout) {
            QTest::newRow(name) << model(text) << testing::bytesOf(layout);
        };
        row("Disp, not D", QStringLiteral("Disp X"), "DE 'X'");
        row("letters that start Disp", QStringLiteral("Dis"), "'D' BBB8 BBC3");
        row("sin(, not s", QStringLiteral("sin(X)"), "C2 'X' 11");
        row("-> as store", QStringLiteral("X->A"), "'X' 04 'A'");
        row("- alone", QStringLiteral("X-A"), "'X' 71 'A'");
        row("symbols", QStringLiteral("X≤3≠A≥θ→B"), "'X' 6D '3' 6F 'A' 6E 5B 04 'B'");
        row("theta in names", QStringLiteral("prgmθA1"), "5F 5B 'A1'");
        row("families", QStringLiteral("[A]L₁Y₁Pic1GDB1ΣxXminSequentialStr1npv(setDate("),
            "5C00 5D00 5E10 6000 6100 6204 630A 7E00 AA00 BB00 EF00");
        row("lowercase", QStringLiteral("abc xyz"), "BBB0 BBB1 BBB2 29 BBC8 BBC9 BBCA");
        row("commands in a string stay letters", QStringLiteral("Disp \"If X:Disp\":If X"),
            "DE 2A 'I' BBB5 29 'X' 3E 'D' BBB8 BBC3 BBC0 2A 3E CE 'X'");
        row("functions in a string as the keys give them", QStringLiteral("\"sin(X)\"→Y₁"),
            "2A C2 'X' 11 2A 04 5E10");
        row("a function name inside a word stays letters", QStringLiteral("\"Basin(2"),
            "2A 'B' BBB0 BBC3 BBB8 BBBE 10 '2'");
        row("a function name after a digit is the function", QStringLiteral("\"2sin(X"),
            "2A '2' C2 'X'");
        row("a symbol's function in a string", QStringLiteral("\"√(X)+ℯ^(X"),
            "2A BC 'X' 11 70 BF 'X'");
        row("a function name after a space is the function", QStringLiteral("\"2 sin(X"),
            "2A '2' 29 C2 'X'");
        row("two-byte functions in a string", QStringLiteral("expr(\"randInt(1,6"),
            "BB2A 2A BB0A '1' 2B '6'");
        row("Delta List, Greek", QStringLiteral("ΔList(L₁"), "BB2C 5D00");
        row("Delta List, increment sign", QStringLiteral("∆List(L₁"), "BB2C 5D00");
        row("2-Var Stats takes its space", QStringLiteral("2-Var Stats L₁,L₂"), "F3 5D00 2B 5D01");
        row("2-Var Stats without a space", QStringLiteral("2-Var StatsL₁"), "F3 5D00");
        row("ZInterval takes its space", QStringLiteral("ZInterval 1"), "BB41 '1'");
        row("escape of a spelling", QStringLiteral("π⟦R⟧²"), "AC 'R' 0D");
        row("escape in a string", QStringLiteral("\"W⟦[r]⟧"), "2A 'W' 6212");
        row("escape by bytes, unknown", QStringLiteral("⟦$BBD0⟧⟦$EFB0⟧⟦$ef$b0⟧"), "BBD0 EFB0 EFB0");
        row("escaped quote opens no string", QStringLiteral("⟦\"⟧sin("), "2A C2");
        row("'' is a quote", QStringLiteral("Disp ''Disp '',X"),
            "DE 2A 'D' BBB8 BBC3 BBC0 29 2A 2B 'X'");
        row("store arrow ends a string", QStringLiteral("\"HI→Str1"), "2A 'HI' 04 AA00");
        row("-> ends a string", QStringLiteral("\"HI->A"), "2A 'HI' 04 'A'");
        row("string ends with the line", QStringLiteral("\"A\r\nsin("), "2A 'A' 3F C2");
        row("reference spellings", QStringLiteral("Getkey→A:Delvar A:Pause"),
            "AD 04 'A' 3E BB54 'A' 3E D8");
        QTest::newRow("codes that draw the same")
            << (QString(QChar(236)) + QChar(184) + QChar(250) + QChar(220))
            << testing::bytesOf("83 83 B0 0D");
        row("font forms", QStringLiteral("▶DMS⒑^(▫⁺x̄ẋ𝑖cosh⁻¹("), "01 C1 7F 80 6203 6203 2C CB");
        row("library entries ignored", QStringLiteral("sum(0"), "B6 '0'");
        row("line ends", QStringLiteral("A\r\nB\nC\r\n"), "'A' 3F 'B' 3F 'C' 3F");
    }
    void cuts()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const Tokenized t = tokenize(text);
        QVERIFY2(t.ok(), qPrintable(t.error));
        QCOMPARE(t.bytes.toHex(' '), bytes.toHex(' '));
    }

    // The pieces a highlighter gets: exact cuts, keywords and strings marked.
    void scanLineMarksPieces()
    {
        const QVector<Piece> p = scanLine(model(QStringLiteral("If A≠\"b")) + QChar(237) + u'"');
        QCOMPARE(p.size(), 7);
        const QVector<int> starts = {0, 3, 4, 5, 6, 7, 8};
        const QVector<int> tokens = {0xCE, 'A', 0x6F, 0x2A, 0xBBB1, -1, 0x2A};
        for (int i = 0; i < p.size(); ++i) {
            QCOMPARE(int(p[i].start), starts[i]);
            QCOMPARE(p[i].token, tokens[i]);
            QCOMPARE(p[i].inString, i >= 3);
        }
        QVERIFY(p[0].keyword && !p[1].keyword);
        QCOMPARE(scanLine(u"A\"", true).at(0).token, 'A');
        QVERIFY(scanLine(u"A\"", true).at(0).inString);
    }

    void errors()
    {
        const Tokenized t = tokenize(QStringLiteral("A\r\nB") + QChar(237) + u'C');
        QVERIFY(!t.ok());
        QVERIFY(t.bytes.isEmpty());
        QCOMPARE(t.errorLine, 2);
        QCOMPARE(t.errorColumn, 2);
        QCOMPARE(t.error, QStringLiteral("Line 2, column 2: no calculator command or symbol is "
                                         "written \"æ\"."));
        QCOMPARE(tokenize(u"A⟦xy⟧").error,
                 QStringLiteral("Line 1, column 2: no calculator "
                                "command or symbol is written \"⟦xy⟧\"."));
        QCOMPARE(tokenize(u"A⟦$BB⟧").errorColumn, 2); // a prefix alone
        QCOMPARE(tokenize(u"⟦R").errorColumn, 1);     // never closed
        QString error;
        QCOMPARE(detokenize(QByteArray("\x41\xBB", 2), &error), QStringLiteral("A"));
        QCOMPARE(error,
                 QStringLiteral("The program ends in the middle of a two-byte token ($BB)."));
    }

    // Token streams that plain spellings would read as other tokens come
    // back escaped only where needed, and read back as the same bytes.
    void ambiguousStreams_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, const char *layout, const QString &text) {
            QTest::newRow(name) << testing::bytesOf(layout) << model(text);
        };
        row("pi R squared", "AC 'R' 0D", QStringLiteral("π⟦R⟧²"));
        row("matrix literal", "06 06 'A' 07 06 'B' 07 07 04 5C02",
            QStringLiteral("[⟦[⟧A]⟦[⟧B]]→[C]"));
        row("T and lowercase min", "'T' BBBD BBB8 BBBE", QStringLiteral("⟦T⟧min"));
        row("bracket, i, bracket", "06 BBB8 07", QStringLiteral("⟦[⟧i]"));
        row("statistics tokens in a string", "DE 2A 'W' 6212 BBBC 6219 2A",
            QStringLiteral("Disp \"W⟦[r]⟧l⟦[|d]⟧\""));
        row("letters that spell a function in a string", "2A BBC3 BBB8 BBBE 10 2A",
            QStringLiteral("\"⟦s⟧in(\""));
        row("unknown tokens", "BBD0 EFB0 'A'", QStringLiteral("⟦$BBD0⟧⟦$EFB0⟧A"));
        row("2-Var Stats and a space", "F3 29 5D00", QStringLiteral("2-Var Stats  L₁"));
        row("ordinary program unchanged", "DE 2A 'HI' 2A 3F CE 'X' 6A '1' 3F C2 'X' 11",
            QStringLiteral("Disp \"HI\"\r\nIf X=1\r\nsin(X)"));
    }
    void ambiguousStreams()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(detokenize(bytes), text);
        QCOMPARE(tokenize(text).bytes.toHex(' '), bytes.toHex(' '));
    }

    // Every ordered pair of tokens, outside and inside a string, reads back
    // as itself; an escape appears exactly where the plain spellings side by
    // side would read as something else.
    void everyPairReadsBack()
    {
        QVector<int> all;
        for (int t = 0; t <= 0xFFFF; ++t)
            if (!displayString(t).isEmpty() && t != 0x3F)
                all << t;
        int escaped = 0;
        for (const QByteArray &lead : {QByteArray(), QByteArray("\x2A", 1)}) {
            for (int a : all) {
                for (int b : all) {
                    const QByteArray bytes = lead + tokenBytes(a) + tokenBytes(b);
                    const QString plain =
                        modelSpelling(0x2A).left(lead.size()) + modelSpelling(a) + modelSpelling(b);
                    const QString text = detokenize(bytes);
                    const bool ambiguous = tokenize(plain).bytes != bytes;
                    if (tokenize(text).bytes != bytes || (text != plain) != ambiguous)
                        QFAIL(qPrintable(bytes.toHex(' ') + " as " +
                                         calc::calcsymbols::toUnicode(text)));
                    escaped += ambiguous;
                }
            }
        }
        QVERIFY(escaped > 0);
    }

    // Random streams of every known token, quotes, store arrows, line breaks
    // and unknown tokens read back as themselves.
    void randomStreamsSurviveText()
    {
        QVector<int> pool;
        for (int t = 0; t <= 0xFFFF; ++t)
            if (!displayString(t).isEmpty())
                pool << t;
        const QVector<int> common = {0x2A,   0x2A,   0x04,   0x3F, 'A',  'R',    0x06,   0x07,
                                     0xBBB8, 0xBBBE, 0xBBC3, 0x10, 0x0D, 0xBBD0, 0xEFB0, 0x00};
        QRandomGenerator random(23);
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes;
            const int length = 1 + int(random.bounded(24));
            for (int i = 0; i < length; ++i) {
                const int token = random.bounded(3) == 0 ? common[random.bounded(common.size())]
                                                         : pool[random.bounded(pool.size())];
                bytes += tokenBytes(token);
            }
            const QString text = detokenize(bytes);
            const Tokenized back = tokenize(text);
            QVERIFY2(back.bytes == bytes,
                     qPrintable(bytes.toHex(' ') + " -> " + calc::calcsymbols::toUnicode(text)));
        }
    }

    void versions()
    {
        QCOMPARE(versionFor(testing::bytesOf("DE BB54 5C00")), 0);
        QCOMPARE(versionFor(testing::bytesOf("BBB0")), 1);
        QCOMPARE(versionFor(testing::bytesOf("BBB0 EF00 BB6A")), 4);
        // Each generation's first and last token, and the one before the first.
        const struct {
            const char *first, *last;
            int version;
        } generations[] = {{"BB68", "BBCE", 1}, {"BBCF", "BBDA", 2}, {"BBDB", "BBFF", 3},
                           {"EF00", "EF12", 4}, {"EF13", "EF16", 5}, {"EF17", "EF9F", 6}};
        for (const auto &g : generations) {
            QCOMPARE(versionFor(testing::bytesOf(g.first)), g.version);
            QCOMPARE(versionFor(testing::bytesOf(g.last)), g.version);
        }
        QCOMPARE(versionFor(testing::bytesOf("BB67")), 0);
        QCOMPARE(tokensMissingOnTi83(testing::bytesOf("BBB0 DE BB67 EF00 BBB0")),
                 (QVector<int>{0xBBB0, 0xEF00}));
    }
};

TORVANE_TEST(TstTokens);
#include "tst_tokens.moc"
