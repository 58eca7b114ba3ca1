// Colouring of the panes: what each stretch of a line is, read back from the
// highlighter's formats, and that colouring never touches the text.
#include "common/TestRegistry.h"

#include "platform/Highlighter.h"
#include "platform/RichTextBox.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using platform::Highlighter;
using platform::RichTextBox;
using platform::highlight::Category;
using Expected = QList<QPair<QString, Category>>;
Q_DECLARE_METATYPE(Expected)

namespace
{
// The coloured stretches of the pane's first line, as (text, category),
// found by matching each format range against the highlighter's formats.
Expected coloured(RichTextBox &pane, const Highlighter &h)
{
    Expected out;
    const QTextBlock block = pane.document()->firstBlock();
    for (const QTextLayout::FormatRange &r : block.layout()->formats()) {
        for (int c = 1; c < int(Category::Count); ++c) {
            if (h.format(Category(c)) == r.format) {
                const QString text = pane.textRange(r.start, r.length);
                if (!out.isEmpty() && out.back().second == Category(c))
                    out.back().first += text; // adjacent ranges of one kind
                else
                    out.push_back({text, Category(c)});
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
    void categories_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<Expected>("expected");
        const QString arrow(QChar(0xFC));
        QTest::newRow("store into a name") << "5" + arrow + "AB"
                                           << Expected{{"5", Category::Number},
                                                       {arrow, Category::Store},
                                                       {"AB", Category::StoreTarget}};
        QTest::newRow("string ends at the arrow") << "\"HI" + arrow + "Str1"
                                                  << Expected{{"\"HI", Category::String},
                                                              {arrow, Category::Store},
                                                              {"Str1", Category::StoreTarget}};
        QTest::newRow("two apostrophes quote") << "Disp ''A+B'',2.5"
                                               << Expected{{"Disp", Category::Keyword},
                                                           {"''A+B''", Category::String},
                                                           {",", Category::Operator},
                                                           {"2.5", Category::Number}};
        QTest::newRow("unclosed string to the end")
            << "Disp \"A,(B" << Expected{{"Disp", Category::Keyword}, {"\"A,(B", Category::String}};
        QTest::newRow("digits of a name are no number")
            << "L1+.5" << Expected{{"+", Category::Operator}, {".5", Category::Number}};
        QTest::newRow("labels") << "Lbl A1:Goto Z"
                                << Expected{{"Lbl", Category::Keyword},
                                            {"A1", Category::Label},
                                            {":", Category::Plain},
                                            {"Goto", Category::Keyword},
                                            {"Z", Category::Label}};
        QTest::newRow("menu targets")
            << "Menu(\"T\",\"ONE\",A,\"TWO\",B2)"
            << Expected{{"Menu", Category::Keyword},   {"(", Category::Operator},
                        {"\"T\"", Category::String},   {",", Category::Operator},
                        {"\"ONE\"", Category::String}, {",", Category::Operator},
                        {"A", Category::Label},        {",", Category::Operator},
                        {"\"TWO\"", Category::String}, {",", Category::Operator},
                        {"B2", Category::Label},       {")", Category::Operator}};
        QTest::newRow("tokens, not statements")
            << "XLbl A" << Expected{{"Lbl", Category::Keyword}, {"A", Category::Label}};
        QTest::newRow("commands and keywords")
            << "If A>1:Then:ClrDraw:Disp sin(A:End"
            << Expected{{"If", Category::Keyword},      {">", Category::Operator},
                        {"1", Category::Number},        {"Then", Category::Keyword},
                        {"ClrDraw", Category::Command}, {"Disp", Category::Keyword},
                        {"sin", Category::Command},     {"(", Category::Operator},
                        {"End", Category::Keyword}};
        QTest::newRow("a token's other spelling")
            << "1->A"
            << Expected{
                   {"1", Category::Number}, {"->", Category::Store}, {"A", Category::StoreTarget}};
        QTest::newRow("matrix target") << "[[1]]" + arrow + "[A]"
                                       << Expected{{"[[", Category::Operator},
                                                   {"1", Category::Number},
                                                   {"]]", Category::Operator},
                                                   {arrow, Category::Store},
                                                   {"[A]", Category::StoreTarget}};
        QTest::newRow("no token spells it")
            << QString("A") + QChar(0x263A) + "\tB" + QChar(237)
            << Expected{{QString(QChar(0x263A)) + "\t" + QChar(237), Category::Error}};
        QTest::newRow("not even in a string")
            << QString("Disp \"A") + QChar(0x263A)
            << Expected{{"Disp", Category::Keyword},
                        {"\"A", Category::String},
                        {QString(QChar(0x263A)), Category::Error}};
    }
    void categories()
    {
        QFETCH(QString, line);
        QFETCH(Expected, expected);
        expected.removeIf([](const auto &e) { return e.second == Category::Plain; });
        RichTextBox pane;
        auto *h = new Highlighter(&pane);
        pane.setText(line);
        QCOMPARE(coloured(pane, *h), expected);
        QVERIFY(h->format(Category::Error).toolTip().size() > 0);
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
#include "tst_highlight.moc"
