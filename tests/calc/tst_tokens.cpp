#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "common/TestRegistry.h"
#include "common/TokenBytes.h"

#include <QFile>
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
        QCOMPARE(checked, 941);
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
        QCOMPARE(tokens, 732); // the sheet's, less libraries and the newline
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
        row("commands in a string stay letters", QStringLiteral("Disp \"If sin(\":If X"),
            "DE 2A 'I' BBB5 29 BBC3 BBB8 BBBE 10 2A 3E CE 'X'");
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
        QString error;
        QCOMPARE(detokenize(QByteArray("\x41\x26", 2), &error), QStringLiteral("A"));
        QCOMPARE(error, QStringLiteral("The byte $26 at offset 1 of the program is no calculator "
                                       "token."));
        detokenize(QByteArray("\xBB", 1), &error);
        QCOMPARE(error,
                 QStringLiteral("The program ends in the middle of a two-byte token ($BB)."));
    }

    void versions()
    {
        QCOMPARE(versionFor(testing::bytesOf("DE BB54 5C00")), 0);
        QCOMPARE(versionFor(testing::bytesOf("BBB0")), 1);
        QCOMPARE(versionFor(testing::bytesOf("BBB0 EF00 BB6A")), 4);
        QCOMPARE(tokensMissingOnTi83(testing::bytesOf("BBB0 DE BB67 EF00 BBB0")),
                 (QVector<int>{0xBBB0, 0xEF00}));
    }
};

TORVANE_TEST(TstTokens);
#include "tst_tokens.moc"
