// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalculatorSymbols.h"
#include "calc/ModelText.h"
#include "common/TestRegistry.h"

#include <QFile>
#include <QPainterPath>
#include <QRawFont>
#include <QTest>

using namespace calc::calcsymbols;

class TstCalcSymbols : public QObject
{
    Q_OBJECT
private slots:
    // The font the build makes draws each code where the panes hold it, with
    // the glyph the symbol itself has; only code 239 draws an empty box.
    void displayFontDrawsEveryCode()
    {
        const QRawFont font(QStringLiteral(TORVANE_CALC_FONT), 12);
        QVERIFY(font.isValid());
        QCOMPARE(font.familyName(), QString("Torvane Calc Mono"));
        const auto glyph = [&font](const QString &s) {
            const QVector<quint32> g = font.glyphIndexesForString(s);
            return g.size() == 1 ? g.front() : 0u;
        };
        for (int byte = 128; byte < 256; ++byte) {
            const QString shown(calc::modelToDisplay(QChar(byte)));
            const quint32 g = glyph(shown);
            QVERIFY2(g != 0, qPrintable(QString::number(byte)));
            QVERIFY2(!font.pathForGlyph(g).isEmpty(), qPrintable(QString::number(byte)));
            // A symbol that is itself some code's position draws that code.
            const QString symbol = symbolOf(byte);
            const char16_t u = symbol.size() == 1 ? symbol.at(0).unicode() : 0;
            if (u && (u < 0x80 || (u > 0xFF && calc::displayToModel(u) == u)))
                QCOMPARE(glyph(symbol), g);
        }
        QCOMPARE(glyph(QStringLiteral("\uE0EF")), glyph(QStringLiteral("\u00EF")));
    }
    // Every row of the display-font table: the symbol is the glyph column up
    // to its note; the rows whose meaning was chosen are checked by value.
    void tableMatchesFontRows()
    {
        QFile f(QStringLiteral(TORVANE_SOURCE_DIR "/resources/calculator/display-font.tsv"));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        const QHash<int, QString> chosen = {{182, QStringLiteral("\u208B\u2081")},
                                            {184, QStringLiteral("/")},
                                            {222, QStringLiteral("\u207B")},
                                            {239, QStringLiteral("\uE0EF")}};
        int rows = 0;
        f.readLine();
        while (!f.atEnd()) {
            const QStringList cols = QString::fromUtf8(f.readLine()).trimmed().split(u'\t');
            QCOMPARE(cols.size(), 4);
            const int byte = cols.at(0).toInt();
            const QString expected = chosen.value(byte, cols.at(2).section(u' ', 0, 0));
            QCOMPARE(symbolOf(byte), expected);
            ++rows;
        }
        QCOMPARE(rows, 128);
        QVERIFY(symbolOf(127).isEmpty());
        QVERIFY(symbolOf(256).isEmpty());
    }
    // Every code comes back from its symbol, except where another code draws
    // the same symbol and is preferred (or the symbol is ASCII).
    void symbolsComeBackAsPreferredCodes()
    {
        const QHash<int, int> moved = {{211, 221}, {213, 221}, {220, 242}, {244, 223},
                                       {250, 222}, {183, '`'}, {217, '`'}, {184, '/'},
                                       {236, '/'}, {218, '^'}, {226, 'N'}};
        for (int b = 128; b < 256; ++b) {
            const Incoming in = fromUnicode(symbolOf(b));
            QVERIFY2(in.refused.isEmpty(), qPrintable(QString::number(b)));
            QCOMPARE(int(in.text.at(0).unicode()), moved.value(b, b));
        }
        QString all;
        for (int b = 128; b < 256; ++b)
            if (!moved.contains(b))
                all += QChar(b);
        all += QStringLiteral("Disp X\r\n:A+1");
        QCOMPARE(fromUnicode(toUnicode(all)).text, all);
        QCOMPARE(byteFor(u"\u2192"), 252);
        QCOMPARE(byteFor(u"\u207B\u00B9"), 241);
        QCOMPARE(byteFor(u"q"), -1);
    }
    void incomingPunctuationAndStrangers()
    {
        const Incoming in = fromUnicode(u"\u201CHi\u201D \u2018a\u2019 1\u20132\u2014x\u2026 "
                                        u"\u00DF\u00DF\u00AB \u20AC\u4E2D 5\u00A0\u00B5 x\u0304");
        QCOMPARE(in.text, QStringLiteral("\"Hi\" 'a' 1-2-x\u00CE   5 \u00C3 \u00CB"));
        // The ellipsis is the calculator's own (code 206), not three dots.
        // Beyond Latin-1, only what the spellings use stays: the euro sign
        // would turn into code 128 on screen.
        QCOMPARE(in.refused, QStringLiteral("\u00DF\u00AB\u20AC\u4E2D"));
        QCOMPARE(fromUnicode(u"\u2206\u25BA\u25C4\u25A1\u1E8B\u27E6\u27E7\u03C9").text,
                 QStringLiteral("\u2206\u25BA\u25C4\u25A1\u1E8B\u27E6\u27E7"));
    }
};

TORVANE_TEST(TstCalcSymbols);
#include "tst_calcsymbols.moc"
