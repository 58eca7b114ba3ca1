#include "common/TestRegistry.h"
#include "editor/SymbolPalette.h"
#include "platform/CalculatorSymbols.h"
#include "platform/Tokens.h"
#include "reference/ReferenceEntries.h"
#include "reference/WizardText.h"

#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

using namespace platform::tokens;

namespace
{

// "DE 2A 'HELLO' 29 2A": hex bytes, and quoted runs of A-Z and 0-9, whose
// tokens are their ASCII codes.
QByteArray bytesOf(const char *layout)
{
    QByteArray out;
    const QList<QByteArray> words = QByteArray(layout).split(' ');
    for (const QByteArray &w : words) {
        if (w.isEmpty())
            continue;
        if (w.startsWith('\''))
            out += w.mid(1, w.size() - 2);
        else
            out += QByteArray::fromHex(w);
    }
    return out;
}

// Model text from Unicode, as the editor holds it.
QString model(const QString &unicode)
{
    return platform::calcsymbols::fromUnicode(unicode).text;
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
        QFile f(
            QStringLiteral(TORVANE_TEST_DATA "/../../../resources/calculator/tokens-ti83plus.xml"));
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
            const auto in = platform::calcsymbols::fromUnicode(spelling);
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
            QTest::newRow(name) << model(text) << bytesOf(layout);
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
            << bytesOf("83 83 B0 0D");
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
        QCOMPARE(versionFor(bytesOf("DE BB54 5C00")), 0);
        QCOMPARE(versionFor(bytesOf("BBB0")), 1);
        QCOMPARE(versionFor(bytesOf("BBB0 EF00 BB6A")), 4);
        QCOMPARE(tokensMissingOnTi83(bytesOf("BBB0 DE BB67 EF00 BBB0")),
                 (QVector<int>{0xBBB0, 0xEF00}));
    }

    void paletteEntries()
    {
        const char *expected[editor::kPaletteEntryCount] = {
            "6D", "6E", "6F", "6A", "6B", "6C", "0B", "2D", "0A", "0E", "F1", "0F", "BD",
            "7F", "80", "81", "0C", "0D", "F0", "B0", "C1", "BC", "82", "83", "70", "71",
            "08", "06", "10", "09", "07", "11", "2B", "",   "3E", "AE", "AC", "AF"};
        for (int i = 0; i < editor::kPaletteEntryCount; ++i)
            QCOMPARE(tokenize(editor::paletteInsertText(i).value_or(QString())).bytes,
                     bytesOf(expected[i]));
    }

    void referenceExamplesAndWizards()
    {
        const QHash<QString, const char *> examples = {
            {"mnuIfThenElse", "DC 2A 'X' 6A 2A 2B 'X' 3F CE 'X' 6B '0' 3F CF 3F 'X' 0D 04 'Y' 3F "
                              "D0 3F 'X' 04 'Y' 3F D4 3F DE 08 'X' 2B 'Y' 09"},
            {"mnuIfThen", "'1' 04 'X' 3E '10' 04 'Y' 3F CE 'X' 6B '10' 3F CF 3F '2X' 70 '3' 04 "
                          "'X' 3F '2Y' 71 '3' 04 'Y' 3F D4 3F DE 'X' 2B 'Y'"},
            {"mnuIf", "'0' 04 'A' 3F D6 'Z' 3F 'A' 70 '1' 04 'A' 3F DE 2A 'A' 29 'IS' 2A 2B 'A' "
                      "3F CE 'A' 6C '2' 3F D9 3F D7 'Z'"},
            {"mnuFor", "D3 'A' 2B '0' 2B '8' 2B '2' 11 3F DE 'A' 0D 3F D4"},
            {"mnuPause", "DE 2A 'HELLO' 2A 3F D8"},
            // The reference's own "Send{(7)}" is not a command; it stays letters.
            {"mnuWait", "DE 2A 'IT' 29 'IS' 29 'PAUSING' 2A 2B 2A 'FOR' 29 'A' 29 'SECOND' 2A 3F "
                        "'S' BBB4 BBBE BBB3 08 10 '7' 11 09"},
            {"mnuWhile", "D1 '1' 3F AD 04 'A' 3F D1 'A' 6A '0' 3F AD 04 'A' 3F D4"},
            {"mnuRepeat", "'0' 04 'I' 3F '0' 04 'J' 3F D2 'I' 6E '6' 3F 'J' 70 '1' 04 'J' 3F 'I' "
                          "70 '1' 04 'I' 3F D4 3F DE 2A 'J' 6A 2A 2B 'J'"},
            {"mnuInput", "DC 2A 'PASSWORD' 3E 2A 2B 'A' 3F DE 2A 'PASSWORD' 29 'IS' 3E 2A 2B 'A'"},
            {"mnuPrompt", "DD 'A' 3F DE 'A'"},
            {"mnuOutput", "E0 '5' 2B '1' 2B 2A 'HELLO' 29 'THERE' 2A 11"},
            {"mnuDisplay", "DE 2A 'HELLO' 29 'THERE' 2A 3F DE 2A 'HELLO' 29 'THERE' 2A 2B 2A "
                           "'HELLO' 29 'AGAIN' 2A 3F DE 'A'"},
            {"mnuClearHomeScreen", "DE 2A 'HELLO' 29 'THERE' 2A 3F D8 3F E1"},
            {"mnuLabel", "D6 'A1' 3F DE 2A 'HELLO' 29 'THERE' 2A 3F D8 3F D7 'A1'"},
            {"mnuGoto", "D6 'A1' 3F DE 2A 'HELLO' 29 'THERE' 2A 3F D8 3F D7 'A1'"},
            {"mnuReturn", "D5"},
            {"mnuSend", "E7 AA00 11"},
            {"mnuGet", "E8 AA00 11"},
            {"mnuGetCalc", "BB53 AA00 11"},
            {"mnuDelvar", "BB54 AA00"},
            {"mnuIS", "'7' 04 'A' 3F DA 'A' 2B '6' 11 3F DE 2A 'NOT' 29 6C '6' 2A 3F DE 2A 6C 29 "
                      "'6' 2A"},
            {"mnuDS", "'1' 04 'A' 3F DB 'A' 2B '6' 11 3F DE 2A 6C 29 '6' 2A 3F DE 2A 'NOT' 29 6C "
                      "29 '6' 2A"},
        };
        int seen = 0;
        for (const reference::ReferenceEntry &e : reference::referenceEntries()) {
            if (!e.programInsertion.isEmpty())
                QCOMPARE(tokenize(e.programInsertion).bytes,
                         bytesOf(e.item == QLatin1String("mnuDelvar") ? "BB54" : "85"));
            if (e.example.lines.isEmpty())
                continue;
            QVERIFY2(examples.contains(e.item), qPrintable(e.item));
            QCOMPARE(tokenize(reference::joinLines(e.example.lines)).bytes.toHex(' '),
                     bytesOf(examples.value(e.item)).toHex(' '));
            ++seen;
        }
        QCOMPARE(seen, examples.size());

        using namespace reference;
        const QString menu = menuwizard::opening() + menuwizard::titleText("\"", "DEFULT") +
                             menuwizard::itemText("\"", "DEFULT MENU 1") + "A1" +
                             menuwizard::closing();
        QCOMPARE(tokenize(menu).bytes,
                 bytesOf("E6 2A 'DEFULT' 2A 2B 2A 'DEFULT' 29 'MENU' 29 '1' 2A 2B 'A1' 11"));
        const QString loop = getkeywizard::skeleton() + getkeywizard::keyBlock("105", "A1") +
                             getkeywizard::closing();
        QCOMPARE(tokenize(loop).bytes, bytesOf("D1 '1' 3F AD 04 'A' 3F D1 'A' 6A '0' 3F AD 04 'A' "
                                               "3F D4 3F CE 'A' 6A '105' 3F CF 3F D7 'A1' 3F D4 "
                                               "3F D4"));
    }
};

TORVANE_TEST(TstTokens);
#include "tst_tokens.moc"
