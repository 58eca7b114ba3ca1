// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The RTF reader and writer without a pane.
#include "calc/ModelText.h"
#include "common/TestRegistry.h"

#include "rtf/RtfCodec.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using testing::chars;

namespace
{

QByteArray readData(const QString &name)
{
    QFile f(QStringLiteral(TORVANE_TEST_DATA "/rtf/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(name));
    return f.readAll();
}

// A random text the pane can hold, drawn from every class of code point.
QString randomPaneText(QRandomGenerator &rng)
{
    static const char16_t special[] = {0xFFFD, 0xFFFE, 0xFFFF, 0xFEFF, 0x2028, 0x2029};
    QString t;
    for (int n = rng.bounded(40); n > 0; --n) {
        const int kind = rng.bounded(10);
        char32_t c = kind == 0   ? rng.bounded(0x20, 0x7F)
                     : kind == 1 ? u"\\{};?"[rng.bounded(5)]
                     : kind == 2 ? rng.bounded(0x20)           // control characters
                     : kind == 3 ? rng.bounded(0x7F, 0x100)    // calculator bytes 127-255
                     : kind == 4 ? rng.bounded(0xF000, 0xF100) // private area
                     : kind == 5 ? special[rng.bounded(6)]
                     : kind == 6 ? rng.bounded(0x10000, 0x110000)
                                 : rng.bounded(0x100, 0x10000);
        if (QChar::requiresSurrogates(c))
            t += QString::fromUcs4(&c, 1);
        else if (c == '\r' || c == '\n') // line breaks only as CR LF
            t += QStringLiteral("\r\n");
        else if (QChar::isSurrogate(c) || c == 0xFDD0 || c == 0xFDD1)
            t += QChar(0x3042);
        else
            t += kind == 3 || kind > 6 ? calc::displayToModel(QChar(c)) : QChar(c);
    }
    return t;
}

// Each character with what a reader shows of it: font name and format.
QStringList shown(const rtf::Document &d)
{
    QStringList out;
    for (const rtf::Run &r : d.runs) {
        const rtf::Format &f = r.format;
        const QString how = QString::asprintf(
            "%s %d%d%d%d %d %d",
            qUtf8Printable(d.fonts.value(f.font, {QStringLiteral("?"), -1}).name), f.bold, f.italic,
            f.underline, f.strike, f.halfPoints, f.hasColour ? int(f.colour) : -1);
        for (QChar c : r.text)
            out << QString(c) + how;
    }
    return out;
}

const QByteArray kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil"
                           "\\fcharset0 ";

} // namespace

class TstRtfCodec : public QObject
{
    Q_OBJECT
private slots:
    void writerMatchesRichEdit()
    {
        rtf::Document d;
        d.fonts.push_back({QStringLiteral("Ti83Pluspc"), 0});
        rtf::Format plain;
        plain.halfPoints = 17;
        rtf::Format bold = plain;
        bold.bold = true;
        d.runs = {{"If A>2\r\nDisp ", plain},
                  {"\"{x}\\", bold},
                  {chars({0xFC, 0x2192}) + "\tEnd", plain}};
        QCOMPARE(rtf::write(d),
                 kHeader + "Ti83Pluspc;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs17 If A>2\\par\r\n"
                           "Disp \\b \"\\{x\\}\\\\\\b0\\'fc\\u8594?\\tab End\\par\r\n}\r\n");

        const QByteArray empty = rtf::writePlain(QString(), QStringLiteral("Arial"), 20);
        QCOMPARE(empty, kHeader + "Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20\\par\r\n}\r\n");
    }

    void writeThenReadKeepsAnyPaneText()
    {
        QRandomGenerator rng(20240611);
        static const int charsets[] = {0, 2, 204, 128, 1, 238};
        for (int round = 0; round < 3000; ++round) {
            rtf::Document d;
            for (const char *name : {"Ti83Pluspc", "Sym;bol", "{Mono}\\"})
                d.fonts.push_back({QLatin1String(name), charsets[rng.bounded(6)]});
            d.halfPoints = rng.bounded(2, 100);
            auto coin = [&] { return rng.bounded(2) == 1; };
            for (int runs = rng.bounded(4); runs > 0; --runs) {
                const bool coloured = coin();
                const rtf::Format f{coin(),         coin(),
                                    coin(),         coin(),
                                    rng.bounded(3), rng.bounded(2, 100),
                                    coloured,       coloured ? rng.bounded(0x1000000u) : 0u};
                d.runs.push_back({randomPaneText(rng), f});
            }
            const QByteArray written = rtf::write(d);
            rtf::Document back;
            QString error;
            const QString where = QString::fromLatin1(written.toBase64());
            QVERIFY2(rtf::read(written, &back, &error), qPrintable(error + where));
            QCOMPARE(back.text(), d.text());
            QCOMPARE(back.fonts.value(0).charset, d.fonts[0].charset);
            QCOMPARE(back.mainFontName(), d.mainFontName());
            QVERIFY2(shown(back) == shown(d), qPrintable(where));
            QCOMPARE(back.mainHalfPoints(), d.mainHalfPoints());
        }
    }

    // A font's charset picks the code page of its bytes: one character above
    // 0x7F of each, in a document whose own code page decodes nothing.
    void charsetCodePages_data()
    {
        QTest::addColumn<int>("charset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("character");
        const auto row = [](int charset, const char *hex, int character) {
            QTest::addRow("%d", charset) << charset << QByteArray::fromHex(hex) << character;
        };
        row(0, "80", 0x80); // the model's own byte
        row(2, "fc", 0xFC); // symbol: the byte itself
        row(77, "8e", 0xE9);
        row(78, "82a0", 0x3042);
        row(79, "b0a1", 0xAC00);
        row(80, "c4e3", 0x4F60);
        row(81, "a4a4", 0x4E2D);
        row(128, "82a0", 0x3042);
        row(129, "b0a1", 0xAC00);
        row(134, "c4e3", 0x4F60);
        row(136, "a4a4", 0x4E2D);
        row(161, "e1", 0x3B1);
        row(162, "fd", 0x131);
        row(163, "d5", 0x1A0);
        row(177, "e0", 0x5D0);
        row(178, "c7", 0x627);
        row(186, "e0", 0x105);
        row(204, "cf", 0x41F);
        row(222, "a1", 0xE01);
        row(238, "c0", 0x154);
        row(254, "9b", 0xA2);
        row(255, "9b", 0xF8);
    }
    void charsetCodePages()
    {
        QFETCH(int, charset);
        QFETCH(QByteArray, bytes);
        QFETCH(int, character);
        QByteArray rtf = "{\\rtf1\\ansi\\ansicpg10004{\\fonttbl{\\f0 X;}{\\f1\\fcharset" +
                         QByteArray::number(charset) + " Y;}}\\f1 ";
        for (char b : bytes)
            rtf += "\\'" + QByteArray(1, b).toHex();
        rtf += "}";
        rtf::Document d;
        QString error;
        QVERIFY2(rtf::read(rtf, &d, &error), qPrintable(error));
        QCOMPARE(d.text(), chars({character}));
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");   // checked when given
        QTest::addColumn<int>("halfPoints"); // checked when not 0
        // A null text: the reader must refuse the input.
        auto row = [](const char *name, const QByteArray &rtf, const QString &text,
                      const QString &font = QString(), int halfPoints = 0) {
            QTest::newRow(name) << rtf << !text.isNull() << text << font << halfPoints;
        };
        const QString fc = chars({0xFC});
        const QByteArray sym = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset2 Ti83Pluspc;}}\\f0 ";

        // Files saved by other programs.
        row("rich edit, getkey skeleton", readData("richedit.rtf"),
            "While 1\r\nGetkey" + fc + "A\r\nWhile A=0\r\nGetkey" + fc + "A\r\nEnd", "Ti83Pluspc");
        row("calculator font as symbol charset", readData("calculator_symbol.rtf"),
            "1" + fc + "A" + chars({0x80, 0x9F}) + "\r\nA" + fc, "Ti83Pluspc");
        row("wordpad", readData("wordpad.rtf"),
            "Bold red and italic and under.\r\nSymbol: ab\tend\r\nEuro " + chars({0x80}) + " and " +
                chars({0x80}),
            "Calibri");
        row("word", readData("word.rtf"),
            "Disp " + chars({0x93}) + "HELLO" + chars({0x94, '\t', 0x97}) +
                " see the site\r\nFor(I,1,10)1\r\n" +
                chars({0x41F, 0x440, 0x438, 0x432, 0x435, 0x442}),
            "Times New Roman");
        row("libreoffice", readData("libreoffice.rtf"),
            chars({0x95, '\t'}) + "Lbl A\r\n1" + chars({0xAE}) + "B " + chars({0x2192}) + " caf" +
                chars({0xE9}) + " old {x}",
            "Liberation Serif");
        row("pandoc", readData("pandoc.rtf"),
            "Title\r\nHello world, " + chars({0x93}) + "quoted" + chars({0x94}) + " caf" +
                chars({0xE9}) + ".\r\nDisp \"A\"\r\nPause\r\nSee the page.\r\nSmile " +
                chars({0xD83D, 0xDE00}),
            "Helvetica");

        // Faults found on files from elsewhere.
        row("private area outside symbol fonts", readData("private_area.rtf"),
            chars({'A', 0xF0B7, 'B', 0xF0B7, 0xB7, ' ', '!'}));
        row("explicit ansi charset in a japanese document", readData("fcharset0_cp932.rtf"),
            chars({'J', 0xE4, 'r', 'v', 'i', ' ', 0x3042}), "Arial");
        row("explicit ansi charset in a cyrillic document",
            "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset0 A;}{\\f1 B;}}\\f0 caf\\'e9 "
            "{\\f1\\'e9}}",
            chars({'c', 'a', 'f', 0xE9, ' ', 0x439}));
        row("mac japanese", readData("mac_japanese.rtf"), chars({0x3042, 0x65E5, 0x672C}));
        row("utf-8 code page", readData("utf8_codepage.rtf"),
            chars({'c', 'a', 'f', 0xE9, ' ', 0x65E5}));
        row("unknown code page", "{\\rtf1\\ansi\\ansicpg10004 A\\'c7\\u1575?}",
            chars({'A', 0xFFFD, 0x627}));
        row("deep e-mail", readData("deep_groups.rtf"), "Deep mail", "Arial");
        row("optional hyphen", readData("optional_hyphen.rtf"), "Disp A" + chars({0xAD}) + "B");
        row("list numbers and bullets", readData("list_text.rtf"),
            "Steps:\r\n" + chars({0xB7}) + "\tInput A\r\n2.\tDisp A\r\n3)\tEnd");
        row("hidden text", readData("hidden_text.rtf"), "Disp A\r\nPause");
        row("semicolon in a font name", readData("font_semicolon.rtf"), "Lbl A", "Ti83;Plus{pc}");
        row("empty document keeps its size", readData("empty_fs17.rtf"), "", "Ti83Pluspc", 17);
        row("size without any paragraph", "{\\rtf1{\\fonttbl{\\f0 A;}}\\fs17}", "", "A", 17);
        row("control characters", readData("control_chars.rtf"),
            chars({'A', 1, 'B', 0x1B, 'C', 0x0B, 'D', 0, 'E'}));
        row("star inside a group is no destination",
            "{\\rtf1\\ansi {\\b0\\*\\cs7 Hello} world\\par}", "Hello world");
        row("footnote numbers",
            "{\\rtf1\\ansi Text{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} Note.} "
            "more{\\super\\chftn}{\\footnote{\\super\\chftn} Two.}\\par}",
            "Text1 more2");
        row("text in nested table properties",
            "{\\rtf1\\ansi \\trowd\\cellx5000\\pard\\intbl\\itap2{\\*\\nesttableprops\\trowd"
            "\\cellx3000 Nested\\nestcell\\nestrow}\\itap1 Outer\\cell\\row}",
            "Nested\t\r\nOuter\t");
        row("fallback for readers without nested tables",
            "{\\rtf1\\ansi \\trowd\\cellx5000\\pard\\intbl\\itap2 A\\nestcell{\\*\\nesttableprops"
            "\\trowd\\cellx4000\\nestrow}{\\nonesttables FALLBACK\\par}\\pard\\intbl\\itap1 B"
            "\\cell\\row}",
            "A\t\r\nB\t");
        row("destinations written without a star",
            "{\\rtf1\\ansi {*\\generator Acme 1.0;}{\\themedata 504b0304}{\\listname L1;}"
            "{\\colorschememapping x}{\\datastore 01}{\\latentstyles\\lsdstimax376 s}"
            "{\\xmlnstbl {\\xmlns1 u}}{\\rsidtbl \\rsid1}{\\mmathPr\\mdispDef1}Body\\par}",
            "*Body");
        row("unicode half of a pair", "{\\rtf1\\ansi {\\upr{G\\par}{\\*\\ud{\\u915?}}}\\par}",
            chars({0x393}));
        row("unicode font names of a pair",
            "{\\rtf1\\ansi{\\upr{\\fonttbl{\\f0 A;}}{\\*\\ud{\\fonttbl{\\f0 \\u915?;}}}}x}", "x",
            chars({0x393}));
        row("cut off in the font table", readData("truncated_fonttable.rtf"), QString());
        row("bare header", readData("bare_header.rtf"), QString());

        // Characters, code pages and control words.
        row("symbol private area and fallback byte", sym + "\\u-4031\\'41\\u61692?\\'fc\\'80}",
            chars({'A', 0xFC, 0xFC, 0x80}));
        row("ansi byte keeps its code", "{\\rtf1\\ansi \\'80\\'9d\\'fc}",
            chars({0x80, 0x9D, 0xFC}));
        row("unicode of an ansi byte", "{\\rtf1\\ansi \\u8364?\\u8482?}", chars({0x80, 0x99}));
        row("fallback counts characters",
            "{\\rtf1 \\uc2\\u1080\\'e8\\'e8x\\uc3\\u1080ab{c}d\\uc0\\u1081y}",
            chars({0x438, 'x', 0x438, 'c', 'd', 0x439, 'y'}));
        row("group restores uc", "{\\rtf1 {\\uc0\\u1080}\\u1080?z}", chars({0x438, 0x438, 'z'}));
        row("surrogates", "{\\rtf1 \\u-10179?\\u-8704?.\\u-10179?x\\u-8704?}",
            chars({0xD83D, 0xDE00, '.', 0xFFFD, 'x', 0xFFFD}));
        row("document frame marks are no text", "{\\rtf1 A\\u-560?B\\u-559?}",
            chars({'A', 0xFFFD, 'B', 0xFFFD}));
        row("cyrillic font", "{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset204 A;}}\\f1\\'cf\\'f0}",
            chars({0x41F, 0x440}));
        row("control symbols",
            "{\\rtf1 a\\~b\\_c\\-d\\\\\\{\\}\\tab\\emdash\\endash\\lquote\\rquote\\ldblquote"
            "\\rdblquote\\bullet}",
            chars({'a', 0xA0, 'b', '-', 'c', 0xAD, 'd', '\\', '{', '}', '\t', 0x97, 0x96, 0x91,
                   0x92, 0x93, 0x94, 0x95}));
        row("breaks", "{\\rtf1 a\\line b\\sect c\\page d\\\r\ne\\\nf\\par\\par}",
            "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
        row("skipped destinations",
            "{\\rtf1{\\info{\\title T}}{\\stylesheet{S;}}{\\header H}{\\footerl F}{\\*\\unknown U}"
            "{\\pict P}{\\object O}{\\field{\\*\\fldinst I}{\\fldrslt R}}}",
            "R");
        row("bin inside skipped group", "{\\rtf1 a\\bin3 {}}b{\\*\\x\\bin2 }}c}d}", "abd");

        // Damaged and hostile input.
        row("not rtf", "Hello world", QString());
        row("empty", QByteArray(), QString());
        row("truncated", readData("truncated.rtf"), "Abc");
        row("text after the last brace", readData("unbalanced.rtf"), "A");
        row("too deep",
            "{\\rtf1 " + QByteArray(rtf::kMaxDepth, '{') + "x" + QByteArray(rtf::kMaxDepth, '}'),
            QString());
        row("deep but allowed",
            "{\\rtf1 " + QByteArray(rtf::kMaxDepth - 2, '{') + "x" +
                QByteArray(rtf::kMaxDepth - 1, '}'),
            "x");
        row("too deep inside a skipped group",
            "{\\rtf1 {\\*\\x " + QByteArray(rtf::kMaxDepth, '{') + "}", QString());
        row("long control words",
            "{\\rtf1 a\\" + QByteArray(100, 'x') + " b\\par" + QByteArray(40, 'd') + " c}", "abc");
        row("huge parameters",
            "{\\rtf1\\fs99999999999999999999 a\\u99999999999999? b\\uc99999999 c\\f-99999999999999 "
            "d\\cf2147483648 e}",
            "a" + chars({0xFFFD}) + " bcde");
        row("bad byte digits", "{\\rtf1 a\\'zzb}", "azzb");
        row("truncated bin", "{\\rtf1 a\\bin999999999999 xyz", "a");
        row("negative bin", "{\\rtf1 a\\bin-5 xyz}", "axyz");
        row("nul bytes", QByteArray("{\\rtf1 a\0b\\'00c}", 16), chars({'a', 'b', 0, 'c'}));
    }
    void read()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(bool, readable);
        QFETCH(QString, font);
        QFETCH(int, halfPoints);
        rtf::Document d;
        QString error;
        QVERIFY2(rtf::read(rtf, &d, &error) == readable, qPrintable(error));
        if (readable) {
            QTEST(d.text(), "text");
            if (!font.isNull())
                QCOMPARE(d.mainFontName(), font);
            if (halfPoints)
                QCOMPARE(d.mainHalfPoints(), halfPoints);
        } else {
            QVERIFY(!error.isEmpty());
            QVERIFY(d.runs.isEmpty());
        }
    }

    // Ignorable destinations of the outer group that the reader does not
    // know come back from a save as written; nested ones and known ones do
    // not move into the header.
    void keepsUnknownDestinations_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QByteArrayList>("kept");
        QTest::addColumn<QString>("text");
        const QByteArray own = "{\\*\\torvane archived=1 version=4 clock=1}";
        const QByteArray other = "{\\*\\otherwriter {\\v1 x}y}";
        QTest::newRow("ours in the header")
            << kHeader + "Calc;}}" + own + "\\pard A\\par\r\nB\\par}" << QByteArrayList{own}
            << "A\r\nB";
        QTest::newRow("another writer's, with a group inside, and ours")
            << kHeader + "Calc;}}" + other + "\r\n" + own + "\\pard A\\par}"
            << QByteArrayList{other, own} << "A";
        QTest::newRow("after the text")
            << kHeader + "Calc;}}\\pard A\\par " + own + "}" << QByteArrayList{own} << "A";
        QTest::newRow("inside a paragraph's group: skipped")
            << kHeader + "Calc;}}\\pard {A" + own + "B}\\par}" << QByteArrayList{} << "AB";
        QTest::newRow("known destination: skipped")
            << kHeader + "Calc;}}{\\*\\generator Other 1.0;}\\pard A\\par}" << QByteArrayList{}
            << "A";
    }
    void keepsUnknownDestinations()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QByteArrayList, kept);
        rtf::Document d;
        QVERIFY(rtf::read(rtf, &d));
        QCOMPARE(QByteArrayList(d.kept.cbegin(), d.kept.cend()), kept);
        QTEST(d.text(), "text");
        rtf::Document again;
        QVERIFY(rtf::read(rtf::write(d), &again));
        QCOMPARE(QByteArrayList(again.kept.cbegin(), again.kept.cend()), kept);
        QTEST(again.text(), "text");
        QCOMPARE(again.mainFontName(), QStringLiteral("Calc"));
    }

    // Our destination's text through setKept and keptText, braces and
    // backslashes escaped; a longer word is another destination.
    void keptText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("fields") << "archived=1 version=6";
        QTest::newRow("escaped") << "a={b}\\c";
        QTest::newRow("removed") << QString();
    }
    void keptText()
    {
        QFETCH(QString, text);
        rtf::Document d;
        d.fonts.push_back(rtf::Font{QStringLiteral("Calc"), 0});
        d.runs.push_back(rtf::Run{QStringLiteral("X"), rtf::Format()});
        rtf::setKept(&d.kept, QLatin1String("torvanex"), QStringLiteral("other"));
        rtf::setKept(&d.kept, QLatin1String("torvane"), QStringLiteral("old"));
        rtf::setKept(&d.kept, QLatin1String("torvane"), text);
        rtf::Document back;
        QVERIFY(rtf::read(rtf::write(d), &back));
        QCOMPARE(rtf::keptText(back.kept, QLatin1String("torvane")), text);
        QCOMPARE(rtf::keptText(back.kept, QLatin1String("torvane")).isNull(), text.isEmpty());
        QCOMPARE(rtf::keptText(back.kept, QLatin1String("torvanex")), QStringLiteral("other"));
        QCOMPARE(back.text(), QStringLiteral("X"));
    }
};

TORVANE_TEST(TstRtfCodec);
#include "tst_rtfcodec.moc"
