// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Colouring of the panes: what each stretch of a line is, read back from the
// highlighter's formats, and that colouring never touches the text.
#include "common/TestRegistry.h"

#include "editor/Highlighter.h"
#include "platform/RichTextBox.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using calc::syntax::Category;
using editor::Highlighter;
using platform::RichTextBox;

namespace
{
// The coloured stretches of the pane's first line, each as its text and the
// letter of its category ("5 N"), found by matching each format range against
// the highlighter's formats; adjacent ranges of one kind are one stretch.
QStringList coloured(RichTextBox &pane, const Highlighter &h)
{
    QStringList out;
    QChar last;
    for (const QTextLayout::FormatRange &r : pane.document()->firstBlock().layout()->formats()) {
        for (int c = 1; c < int(Category::Count); ++c) {
            if (h.format(Category(c)) == r.format) {
                const QChar letter = QLatin1String(" CKSNATLOE").at(c);
                const QString text = pane.textRange(r.start, r.length);
                if (letter == last)
                    out.back().insert(out.back().size() - 2, text);
                else
                    out << text + u' ' + letter;
                last = letter;
                break;
            }
        }
    }
    return out;
}

double luminance(QColor c)
{
    auto lin = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}
} // namespace

class TstHighlight : public QObject
{
    Q_OBJECT
private slots:
    // Letters: Command, Keyword, String, Number, Arrow (store), Target of the
    // store, Label, Operator, Error.
    void categories_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("expected");
        const QString arrow(QChar(0xFC)), smiley(QChar(0x263A));
        QTest::newRow("store into a name")
            << "5" + arrow + "AB" << QStringList{"5 N", arrow + " A", "AB T"};
        QTest::newRow("string ends at the arrow")
            << "\"HI" + arrow + "Str1" << QStringList{"\"HI S", arrow + " A", "Str1 T"};
        QTest::newRow("two apostrophes quote")
            << "Disp ''A+B'',2.5" << QStringList{"Disp K", "''A+B'' S", ", O", "2.5 N"};
        QTest::newRow("unclosed string to the end")
            << "Disp \"A,(B" << QStringList{"Disp K", "\"A,(B S"};
        QTest::newRow("digits of a name are no number") << "L1+.5" << QStringList{"+ O", ".5 N"};
        QTest::newRow("labels") << "Lbl A1:Goto Z" << QStringList{"Lbl K", "A1 L", "Goto K", "Z L"};
        QTest::newRow("menu targets")
            << "Menu(\"T\",\"ONE\",A,\"TWO\",B2)"
            << QStringList{"Menu K", "( O", "\"T\" S",   ", O", "\"ONE\" S", ", O",
                           "A L",    ", O", "\"TWO\" S", ", O", "B2 L",      ") O"};
        QTest::newRow("tokens, not statements") << "XLbl A" << QStringList{"Lbl K", "A L"};
        QTest::newRow("commands and keywords")
            << "If A>1:Then:ClrDraw:Disp sin(A:End"
            << QStringList{"If K",   "> O",   "1 N", "Then K", "ClrDraw C",
                           "Disp K", "sin C", "( O", "End K"};
        QTest::newRow("a token's other spelling") << "1->A" << QStringList{"1 N", "-> A", "A T"};
        QTest::newRow("matrix target")
            << "[[1]]" + arrow + "[A]" << QStringList{"[[ O", "1 N", "]] O", arrow + " A", "[A] T"};
        QTest::newRow("no token spells it")
            << "A" + smiley + "\tB" + QChar(237) << QStringList{smiley + "\t" + QChar(237) + " E"};
        QTest::newRow("not even in a string")
            << "Disp \"A" + smiley << QStringList{"Disp K", "\"A S", smiley + " E"};
    }
    void categories()
    {
        QFETCH(QString, line);
        RichTextBox pane;
        auto *h = new Highlighter(&pane);
        pane.setText(line);
        QTEST(coloured(pane, *h), "expected");
        QVERIFY(h->format(Category::Error).toolTip().size() > 0);
    }
    // A token the calculator draws like another one (the statistics
    // variable p like the letter p) reads as it is drawn: the rest of its
    // spelling squeezed away, the token in its own colour, its name on hover.
    void lookalikeTokens_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("token"); // the lookalike's spelling in the line
        QTest::addColumn<QString>("shown"); // what is left of it to read
        QTest::addColumn<QString>("name");
        QTest::newRow("in a string") << "Disp \"Po⟦[p]⟧⟦|u⟧l\""
                                     << "⟦[p]⟧"
                                     << "p"
                                     << "[p]";
        QTest::newRow("sequence u in a string") << "Disp \"Po⟦[p]⟧⟦|u⟧l\""
                                                << "⟦|u⟧"
                                                << "u"
                                                << "|u";
        QTest::newRow("in an expression") << "[|a]+1"
                                          << "[|a]"
                                          << "a"
                                          << "[|a]";
        QTest::newRow("several letters on the calculator too") << "ΔList(L₁)+⟦[RegEQ]⟧"
                                                               << "⟦[RegEQ]⟧"
                                                               << "⟦[RegEQ]⟧" << QString();
        QTest::newRow("drawn unlike its spelling") << "⟦[recursiven]⟧+1"
                                                   << "⟦[recursiven]⟧"
                                                   << "⟦[recursiven]⟧"
                                                   << "[recursiven]";
    }
    void lookalikeTokens()
    {
        QFETCH(QString, line);
        QFETCH(QString, token);
        QFETCH(QString, shown);
        QFETCH(QString, name);
        RichTextBox pane;
        new Highlighter(&pane);
        pane.setText(line);
        QCOMPARE(pane.Text(), line);
        const int at = int(line.indexOf(token));
        QString left;
        QString tip;
        const auto ranges = pane.document()->firstBlock().layout()->formats();
        for (int i = at; i < at + token.size(); ++i) {
            bool hidden = false;
            for (const QTextLayout::FormatRange &r : ranges) {
                if (i < r.start || i >= r.start + r.length)
                    continue;
                hidden = hidden || r.format.foreground().color().alpha() == 0;
                if (!r.format.toolTip().isEmpty()) {
                    tip = r.format.toolTip();
                    QCOMPARE(r.format.foreground().color(), Highlighter::lookalikeColour(false));
                }
            }
            if (!hidden)
                left += line[i];
        }
        QCOMPARE(left, shown);
        QVERIFY2(name.isEmpty() ? tip.isEmpty() : tip.startsWith(name + u':'), qPrintable(tip));
        // The text around it is left as it is.
        for (const QTextLayout::FormatRange &r : ranges)
            for (int i = r.start; i < r.start + r.length && !r.format.toolTip().isEmpty(); ++i)
                QVERIFY(!QStringLiteral("DPol+1").contains(line[i]));
    }

    // Switching colouring on and off changes no character, reports no change
    // and writes the same RTF.
    void displayOnly()
    {
        RichTextBox pane;
        pane.setFontName(QStringLiteral("Ti83Pluspc"));
        pane.setText(QString("Disp \"HI\"\r\n5") + QChar(0xFC) + "A\r\nGoto A" + QChar(0x263A));
        const QByteArray rtf = pane.toRtf();
        const QString text = pane.Text();
        QSignalSpy changes(&pane, &RichTextBox::Change);
        for (bool on : {true, false, true}) {
            Highlighter::setEnabled(&pane, on);
            QTRY_VERIFY(!Highlighter::of(&pane) || !Highlighter::of(&pane)->isFilling());
            QCOMPARE(bool(Highlighter::of(&pane)), on);
            QCOMPARE(pane.toRtf(), rtf);
            QCOMPARE(pane.Text(), text);
        }
        QVERIFY(!pane.document()->firstBlock().layout()->formats().isEmpty());
        QCOMPARE(changes.count(), 0);
        // Typing still reports exactly its own change.
        pane.setSelStart(0);
        pane.setSelText(QStringLiteral("X"));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(pane.lastChange().inserted, QStringLiteral("X"));
        QCOMPARE(pane.lastChange().removed, QString());
    }
    // A long text is coloured in the background past its first lines, with
    // no change reported for it.
    void longTextColouredLater()
    {
        RichTextBox pane;
        Highlighter h(&pane);
        QStringList lines(3000, QString("1") + QChar(0xFC) + "A");
        QSignalSpy changes(&pane, &RichTextBox::Change);
        pane.setText(lines.join("\r\n"));
        const QTextBlock last = pane.document()->lastBlock();
        QVERIFY(h.isFilling() && last.layout()->formats().isEmpty());
        QTRY_VERIFY(!h.isFilling());
        QCOMPARE(last.layout()->formats().size(), 3);
        QCOMPARE(changes.count(), 1);
    }
    // Every colour stands out from both a light and a dark background (at
    // least 3:1), and follows the pane's palette.
    void readableOnLightAndDark()
    {
        for (bool dark : {false, true}) {
            const QColor base = dark ? QColor(0x1E, 0x1E, 0x1E) : QColor(Qt::white);
            for (int c = 1; c < int(Category::Count); ++c) {
                const double a = luminance(Highlighter::colour(Category(c), dark)) + 0.05;
                const double b = luminance(base) + 0.05;
                QVERIFY2(qMax(a, b) / qMin(a, b) >= 3.0, qPrintable(QString::number(c)));
            }
        }
        RichTextBox pane;
        Highlighter h(&pane);
        QPalette p = pane.palette();
        p.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
        pane.setPalette(p);
        QCOMPARE(h.format(Category::String).foreground().color(),
                 Highlighter::colour(Category::String, true));
    }
};

TORVANE_TEST(TstHighlight);
#include "tst_highlighter.moc"
