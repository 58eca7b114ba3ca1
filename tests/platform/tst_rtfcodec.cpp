// The RTF reader and writer without a pane.
#include "common/TestRegistry.h"

#include "platform/RtfCodec.h"

#include <QFile>
#include <QTest>

using namespace platform;

namespace
{

QByteArray readData(const QString &name)
{
    QFile f(QStringLiteral(TORVANE_TEST_DATA "/rtf/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(name));
    return f.readAll();
}

QString u(std::initializer_list<char16_t> units)
{
    QString s;
    for (char16_t c : units)
        s += QChar(c);
    return s;
}

} // namespace

class TstRtfCodec : public QObject
{
    Q_OBJECT
private slots:
    void writerMatchesRichEdit();
    void writerEmptyDocument();
    void roundTripKeepsRunsAndFonts();
    void samplesLoadToExactText_data();
    void samplesLoadToExactText();
    void unicodeAndCodePages_data();
    void unicodeAndCodePages();
    void badInput_data();
    void badInput();
};

void TstRtfCodec::writerMatchesRichEdit()
{
    rtf::Document d;
    d.fonts.push_back({QStringLiteral("Ti83Pluspc"), 0});
    rtf::Format plain;
    plain.halfPoints = 17;
    rtf::Format bold = plain;
    bold.bold = true;
    d.runs.push_back({QStringLiteral("If A>2\r\nDisp "), plain});
    d.runs.push_back({QStringLiteral("\"{x}\\"), bold});
    d.runs.push_back({QString(QChar(0xFC)) + QChar(0x2192) + QStringLiteral("\tEnd"), plain});
    const QByteArray expected =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 "
        "Ti83Pluspc;}}\r\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs17 If A>2\\par\r\n"
        "Disp \\b \"\\{x\\}\\\\\\b0\\'fc\\u8594?\\tab End\\par\r\n"
        "}\r\n";
    QCOMPARE(rtf::write(d), expected);
}

void TstRtfCodec::writerEmptyDocument()
{
    const QByteArray out = rtf::writePlain(QString(), QStringLiteral("Arial"), 20);
    QCOMPARE(out,
             QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil"
                        "\\fcharset0 Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20\\par\r\n}\r\n"));
    rtf::Document back;
    QVERIFY(rtf::read(out, &back));
    QCOMPARE(back.text(), QString());
    QCOMPARE(back.mainFontName(), QStringLiteral("Arial"));
}

void TstRtfCodec::roundTripKeepsRunsAndFonts()
{
    rtf::Document d;
    d.fonts.push_back({QStringLiteral("Ti83Pluspc"), 2});
    d.fonts.push_back({QStringLiteral("Courier New"), 0});
    auto fmt = [](bool b, bool i, bool ul, bool st, int font, int hp, int colour) {
        rtf::Format f;
        f.bold = b;
        f.italic = i;
        f.underline = ul;
        f.strike = st;
        f.font = font;
        f.halfPoints = hp;
        f.hasColour = colour >= 0;
        f.colour = colour >= 0 ? quint32(colour) : 0;
        return f;
    };
    d.runs.push_back({QStringLiteral("Input "), fmt(false, false, false, false, 0, 17, -1)});
    d.runs.push_back(
        {QStringLiteral("[OPTIONAL TEXT],"), fmt(true, true, false, false, 0, 17, -1)});
    d.runs.push_back({QStringLiteral("[VARIABLE]\r\n"), fmt(false, false, true, false, 0, 17, -1)});
    d.runs.push_back(
        {u({0x80, 0xFF, 0x3C0, 0xD83D, 0xDE00}), fmt(false, false, false, true, 1, 24, 0xFF0000)});
    d.runs.push_back(
        {QStringLiteral("\r\n\r\nEnd\r\n"), fmt(false, false, false, false, 0, 17, 0x0000FF)});

    rtf::Document back;
    QString error;
    QVERIFY2(rtf::read(rtf::write(d), &back, &error), qPrintable(error));
    QCOMPARE(back.fonts.size(), 2);
    QCOMPARE(back.fonts[0].name, QStringLiteral("Ti83Pluspc"));
    QCOMPARE(back.fonts[0].charset, 2);
    QCOMPARE(back.fonts[1].name, QStringLiteral("Courier New"));
    QCOMPARE(back.runs.size(), d.runs.size());
    for (int i = 0; i < d.runs.size(); ++i) {
        QCOMPARE(back.runs[i].text, d.runs[i].text);
        QVERIFY2(back.runs[i].format == d.runs[i].format, qPrintable(QString::number(i)));
    }
}

void TstRtfCodec::samplesLoadToExactText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("font");

    const QString fc = QString(QChar(0xFC));
    QTest::newRow("rich edit, getkey skeleton")
        << "richedit.rtf"
        << "While 1\r\nGetkey" + fc + "A\r\nWhile A=0\r\nGetkey" + fc + "A\r\nEnd"
        << "Ti83Pluspc";
    QTest::newRow("calculator font as symbol charset")
        << "calculator_symbol.rtf"
        << "1" + fc + "A" + u({0x80, 0x9F}) + "\r\nA" + fc << "Ti83Pluspc";
    QTest::newRow("wordpad") << "wordpad.rtf"
                             << "Bold red and italic and under.\r\nSymbol: ab\tend\r\nEuro " +
                                    u({0x80}) + " and " + u({0x80})
                             << "Calibri";
    QTest::newRow("word") << "word.rtf"
                          << "Disp " + u({0x93}) + "HELLO" + u({0x94}) + "\t" + u({0x97}) +
                                 " see the site\r\nFor(I,1,10)\r\n" +
                                 u({0x41F, 0x440, 0x438, 0x432, 0x435, 0x442})
                          << "Times New Roman";
    QTest::newRow("libreoffice") << "libreoffice.rtf"
                                 << "Lbl A\r\n1" + u({0xAE}) + "B " + u({0x2192}) + " caf" +
                                        u({0xE9}) + " old {x}"
                                 << "Liberation Serif";
    QTest::newRow("pandoc") << "pandoc.rtf"
                            << "Title\r\nHello world, " + u({0x93}) + "quoted" + u({0x94}) +
                                   " caf" + u({0xE9}) +
                                   ".\r\nDisp \"A\"\r\nPause\r\nSee the page.\r\nSmile " +
                                   u({0xD83D, 0xDE00})
                            << "Helvetica";
}

void TstRtfCodec::samplesLoadToExactText()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, font);
    rtf::Document d;
    QString error;
    QVERIFY2(rtf::read(readData(file), &d, &error), qPrintable(error));
    QCOMPARE(d.text(), text);
    QCOMPARE(d.mainFontName(), font);
}

void TstRtfCodec::unicodeAndCodePages_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    const QByteArray sym = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset2 Ti83Pluspc;}}\\f0 ";
    QTest::newRow("symbol private area and fallback byte")
        << sym + "\\u-4031\\'41\\u61692?\\'fc\\'80}" << u({'A', 0xFC, 0xFC, 0x80});
    QTest::newRow("ansi byte keeps its code")
        << QByteArray("{\\rtf1\\ansi \\'80\\'9d\\'fc}") << u({0x80, 0x9D, 0xFC});
    QTest::newRow("unicode of an ansi byte")
        << QByteArray("{\\rtf1\\ansi \\u8364?\\u8482?}") << u({0x80, 0x99});
    QTest::newRow("fallback counts characters")
        << QByteArray("{\\rtf1 \\uc2\\u1080\\'e8\\'e8x\\uc3\\u1080ab{c}d\\uc0\\u1081y}")
        << u({0x438, 'x', 0x438, 'c', 'd', 0x439, 'y'});
    QTest::newRow("group restores uc")
        << QByteArray("{\\rtf1 {\\uc0\\u1080}\\u1080?z}") << u({0x438, 0x438, 'z'});
    QTest::newRow("surrogates") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?.\\u-10179?x\\u-8704?}")
                                << u({0xD83D, 0xDE00, '.', 0xFFFD, 'x', 0xFFFD});
    QTest::newRow("cyrillic font")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset204 A;}}\\f1\\'cf\\'f0}")
        << u({0x41F, 0x440});
    QTest::newRow("ansicpg fallback")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'e0}") << u({0x430});
    QTest::newRow("control symbols")
        << QByteArray("{\\rtf1 a\\~b\\_c\\-d\\\\\\{\\}\\tab\\emdash\\endash\\lquote\\rquote"
                      "\\ldblquote\\rdblquote\\bullet}")
        << u({'a', 0xA0, 'b', '-', 'c', 'd', '\\', '{', '}', '\t', 0x97, 0x96, 0x91, 0x92, 0x93,
              0x94, 0x95});
    QTest::newRow("breaks") << QByteArray(
                                   "{\\rtf1 a\\line b\\sect c\\page d\\\r\ne\\\nf\\par\\par}")
                            << "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n";
    QTest::newRow("skipped destinations")
        << QByteArray("{\\rtf1{\\info{\\title T}}{\\stylesheet{S;}}{\\header H}{\\footerl F}"
                      "{\\*\\unknown U}{\\pict P}{\\object O}{\\listtext L}{\\pntext N}"
                      "{\\field{\\*\\fldinst I}{\\fldrslt R}}}")
        << "R";
    QTest::newRow("bin inside skipped group")
        << QByteArray("{\\rtf1 a\\bin3 {}}b{\\*\\x\\bin2 }}c}d}") << "abd";
}

void TstRtfCodec::unicodeAndCodePages()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    rtf::Document d;
    QString error;
    QVERIFY2(rtf::read(rtf, &d, &error), qPrintable(error));
    QCOMPARE(d.text(), text);
}

void TstRtfCodec::badInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("text");

    QTest::newRow("not rtf") << QByteArray("Hello world") << false << QString();
    QTest::newRow("empty") << QByteArray() << false << QString();
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << false << QString();
    QTest::newRow("truncated") << readData("truncated.rtf") << true << "Abc";
    QTest::newRow("closing braces missing") << QByteArray("{\\rtf1 A{\\b B") << true << "AB";
    QTest::newRow("text after the last brace") << readData("unbalanced.rtf") << true << "A";
    QTest::newRow("too deep") << "{\\rtf1 " + QByteArray(2000, '{') + "x" + QByteArray(2000, '}')
                              << false << QString();
    QTest::newRow("deep but allowed") << "{\\rtf1 " + QByteArray(rtf::kMaxDepth - 2, '{') + "x" +
                                             QByteArray(rtf::kMaxDepth - 1, '}')
                                      << true << "x";
    QTest::newRow("too deep inside a skipped group")
        << "{\\rtf1 {\\*\\x " + QByteArray(5000, '{') + "}" << false << QString();
    QTest::newRow("long control words")
        << "{\\rtf1 a\\" + QByteArray(100, 'x') + " b\\par" + QByteArray(40, 'd') + " c}" << true
        << "abc";
    QTest::newRow("huge parameters")
        << QByteArray("{\\rtf1\\fs99999999999999999999 a\\u99999999999999? b\\uc99999999 "
                      "c\\f-99999999999999 d\\cf2147483648 e}")
        << true << "a" + QString(QChar(0xFFFD)) + " bcde";
    QTest::newRow("truncated byte") << QByteArray("{\\rtf1 a\\'4") << true << "a";
    QTest::newRow("bad byte digits") << QByteArray("{\\rtf1 a\\'zzb}") << true << "azzb";
    QTest::newRow("truncated bin") << QByteArray("{\\rtf1 a\\bin999999999999 xyz") << true << "a";
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 xyz}") << true << "axyz";
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b\\'00c}", 16) << true << "abc";
    QTest::newRow("backslash at end") << QByteArray("{\\rtf1 a\\") << true << "a";
}

void TstRtfCodec::badInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(bool, readable);
    QFETCH(QString, text);
    rtf::Document d;
    QString error;
    QCOMPARE(rtf::read(rtf, &d, &error), readable);
    if (readable) {
        QCOMPARE(d.text(), text);
    } else {
        QVERIFY(!error.isEmpty());
        QVERIFY(d.runs.isEmpty());
    }
}

TORVANE_TEST(TstRtfCodec);
#include "tst_rtfcodec.moc"
