// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command reference as a document window's menus drive it, the line
// dialog, and the Menu and Getkey wizards.
#include "calc/Tokens.h"
#include "common/TestRegistry.h"
#include "common/TokenBytes.h"
#include "reference/FakeDocument.h"
#include "reference/WizardText.h"

#include "platform/Dialogs.h"
#include "reference/Reference.h"
#include "reference/ReferenceEntries.h"
#include "reference/frmWizard_GETKEY.h"
#include "reference/frmWizard_MENU.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>

using namespace reference;
using testing::FakeDocument;

namespace
{

// Expected texts: "\n" stands for the CR LF the panes hold.
QString text(const char16_t *lines)
{
    return QString::fromUtf16(lines).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

// Every pane holds kBefore with its caret at kCaret, inside the second line,
// before an entry runs.
const QString kBefore = QStringLiteral("OLD\r\nTEXT");
constexpr int kCaret = 6;

// The text and caret a pane holding kBefore has after `written` went in.
std::pair<QString, int> expected(const PaneText &written)
{
    const QString lines = written.lines.join(QStringLiteral("\r\n"));
    switch (written.mode) {
    case WriteMode::Whole:
        return {lines, 0};
    case WriteMode::Rebuilt:
        return {lines, int(lines.size())};
    case WriteMode::Append:
        return {kBefore.left(kCaret) + lines + kBefore.mid(kCaret), kCaret + int(lines.size())};
    default:
        return {kBefore, kCaret};
    }
}

std::pair<QString, int> state(const platform::RichTextBox &pane)
{
    return {pane.Text(), pane.SelStart()};
}

// A wizard as the item of `opener`'s menu shows it.
template <class Wizard> Wizard *open(FakeDocument &opener, const char *item)
{
    chooseItem(opener, QLatin1String(item));
    return platform::windows().loadedWindow<Wizard>();
}

// Showing a wizard again brings the same one forward unchanged; closing it
// discards what it holds and inserts nothing.
template <class Wizard> void oneWindow(const char *item)
{
    testing::FakeFactory factory;
    FakeDocument opener;
    Wizard *w = open<Wizard>(opener, item);
    const QString fresh = w->RichTextBox1->Text();
    w->RichTextBox1->setSelText(QStringLiteral("X"));
    QCOMPARE(open<Wizard>(opener, item), w);
    QCOMPARE(w->RichTextBox1->Text(), "X" + fresh);
    QPointer<Wizard> guard(w);
    w->close();
    QTRY_VERIFY(!guard);
    QVERIFY(!factory.loaded());
    QCOMPARE(open<Wizard>(opener, item)->RichTextBox1->Text(), fresh);
}

} // namespace

class TstReference : public QObject
{
    Q_OBJECT
private slots:
    void init() { platform::dialogs::setScript(&(m_script = {})); }
    void cleanup()
    {
        platform::dialogs::setScript(nullptr);
        platform::windows().closeAll();
    }
    void wizardsAreOneWindow()
    {
        oneWindow<frmWizard_MENU>("mnuMenu");
        oneWindow<frmWizard_GETKEY>("mnuGetkey");
    }
    void entries_data()
    {
        QTest::addColumn<QString>("item");
        for (const ReferenceEntry &e : referenceEntries())
            QTest::newRow(qPrintable(e.item)) << e.item;
    }
    // Each entry of the table as chosen from a menu: its panes written in the
    // modes the table gives them, the caret each mode leaves, its description
    // and its action.
    void entries()
    {
        QFETCH(QString, item);
        QCOMPARE(referenceEntries().size(), size_t(35));
        const ReferenceEntry &e = *findEntry(item);
        FakeDocument doc;
        for (platform::RichTextBox *p : {&doc.program, &doc.syntax, &doc.example}) {
            p->setText(kBefore);
            p->setSelStart(kCaret);
        }
        doc.description = QStringLiteral("old");

        QVERIFY(chooseItem(doc, item));
        const WriteMode program =
            e.programInsertion.isEmpty() ? WriteMode::Unchanged : WriteMode::Append;
        QCOMPARE(state(doc.program), expected({program, {e.programInsertion}}));
        QCOMPARE(state(doc.syntax), expected(e.syntax));
        QCOMPARE(state(doc.example), expected(e.example));
        QCOMPARE(doc.description, e.description.value_or(QStringLiteral("old")));
        // No answer is scripted, so the line dialog ends at its first prompt.
        QCOMPARE(m_script.titles(),
                 e.action == Action::Line ? QStringList{"Graphing - Line"} : QStringList());
        QCOMPARE(bool(platform::windows().loadedWindow<frmWizard_GETKEY>()),
                 e.action == Action::Getkey);
        QCOMPARE(bool(platform::windows().loadedWindow<frmWizard_MENU>()),
                 e.action == Action::Menu);
        QVERIFY(!chooseItem(doc, QStringLiteral("mnuWindow")));
    }
    // Exact texts of representative entries, alone and where one entry's write
    // mode meets another's.
    void texts_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("syntax");
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("description");
        const QString display =
            text(u"Disp ''HELLO THERE''\nDisp ''HELLO THERE'',''HELLO AGAIN''\nDisp A");
        const QString displaySyntax =
            text(u"There is 3 ways to do a Display command.\nDisp ''TEXT''\n"
                 u"Disp ''TEXT'',''TEXT'',''TEXT'', ...\nDisp [VARIABLE]");
        const QString displayDescription = "This only uses the three methods of using Display.";
        QTest::newRow("if then else")
            << QStringList{"mnuIfThenElse"}
            << text(u"If [CONDITION]\nThen\n[COMMAND] ;If True\n[COMMAND] ;If True\nElse\n"
                    u"[COMMAND] ;If False\n[COMMAND] ;If False\nEnd\n[COMMAND]")
            << text(
                   u"Input ''X='',X\nIf X<0\nThen\nX\u00F2\u00FCY\nElse\nX\u00FCY\nEnd\nDisp {X,Y}")
            << "This uses the If, Then, Else, Display, and End commands.";
        QTest::newRow("clear table after if")
            << QStringList{"mnuIf", "mnuClearTable"} << QString("ClrTable")
            << text(u"0\u00FCA\nLbl Z\nA+1\u00FCA\nDisp ''A IS'',A\nIf A>2\nStop\nGoto Z")
            << "This uses the If, Label, Display, Stop, and Goto commands.";
        // Appended without a line break before it: "Disp A" runs on into the next.
        QTest::newRow("display twice") << QStringList{"mnuDisplay", "mnuDisplay"} << displaySyntax
                                       << display + display << displayDescription;
        QTest::newRow("display after goto")
            << QStringList{"mnuGoto", "mnuDisplay"} << displaySyntax
            << text(u"Lbl A1\nDisp ''HELLO THERE''\nPause \nGoto A1") + display
            << displayDescription;
        QTest::newRow("display after get") << QStringList{"mnuGet", "mnuDisplay"} << displaySyntax
                                           << display + "Get(Str1)" << displayDescription;
    }
    void texts()
    {
        QFETCH(QStringList, items);
        FakeDocument doc;
        for (const QString &item : items)
            chooseItem(doc, item);
        QTEST(doc.syntax.Text(), "syntax");
        QTEST(doc.example.Text(), "example");
        QTEST(doc.description, "description");
        QCOMPARE(doc.program.Text(), QString());
    }
    // Over a selection (mid-line insertion is covered by entries()): the
    // selection is replaced and the caret ends after the insertion.
    void programInsertionReplacesSelection()
    {
        FakeDocument doc;
        doc.program.setText(text(u"Disp A\nOLD\nStop"));
        doc.program.setSelStart(8);
        doc.program.setSelLength(3);
        chooseItem(doc, QStringLiteral("mnuDelvar"));
        QCOMPARE(doc.program.Text(), text(u"Disp A\nDelVar \nStop"));
        QCOMPARE(doc.program.SelStart(), 15);
        QCOMPARE(doc.program.SelLength(), 0);
    }
    void inputEmphasis()
    {
        FakeDocument doc;
        // Twice: the second run must not take the italics the first left behind.
        chooseItem(doc, QStringLiteral("mnuInput"));
        chooseItem(doc, QStringLiteral("mnuInput"));
        QCOMPARE(doc.syntax.Text(), QString("Input [OPTIONAL TEXT],[VARIABLE]"));
        QString italic;
        for (auto it = doc.syntax.document()->begin().begin(); !it.atEnd(); ++it)
            italic += it.fragment().charFormat().fontItalic() ? it.fragment().text() : QString();
        QCOMPARE(italic, QString("[OPTIONAL TEXT],"));
    }
    void lineDialog_data()
    {
        // The answers ("cancel" cancels the prompt); what was asked in order, a
        // prompt by its step 0..3, a message by the axis it names; what goes in.
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("ends of the range, as typed") << QStringList{"9.90", "0", "9.9", " 0.0 "}
                                                     << "0123" << text(u"\nLine(9.90,0,9.9,0.0)");
        QTest::newRow("starting X and Y asked again") << QStringList{"10", "1", "-1", "2", "3", "4"}
                                                      << "0X01Y123" << text(u"\nLine(1,2,3,4)");
        QTest::newRow("ending X starts again, ending Y asked again")
            << QStringList{"1", "2", "9.91", "5", "6", "7", "12", ".5"} << "012X0123Y3"
            << text(u"\nLine(5,6,7,.5)");
        QTest::newRow("no number is out of range")
            << QStringList{"abc", "", "1", "4,5", "1e0", "+2", "2", "3", "4"} << "0X0X01Y1Y1Y123"
            << text(u"\nLine(1,2,3,4)");
        QTest::newRow("cancel after a complaint inserts nothing")
            << QStringList{"1", "2", "10", "cancel"} << "012X0" << QString();
    }
    void lineDialog()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, inserted);
        for (const QString &a : answers)
            m_script.prompts.push_back(a == QLatin1String("cancel") ? std::nullopt
                                                                    : std::optional<QString>(a));
        FakeDocument doc;
        doc.program.setText(QStringLiteral("Disp A"));
        doc.program.setSelStart(0);
        chooseItem(doc, QStringLiteral("mnuLine"));

        // Only the exact texts, and prompts offering "1", are recognised.
        const QString hint = "\rValid integers are between 0 and 9.9.";
        const QStringList prompts{
            "What is the starting X Cordinate?" + hint, "What is the starting Y Cordinate?" + hint,
            "What is the ending X Cordinate?" + hint, "What is the ending Y Cordinate?" + hint};
        const QString range = "%1 Cordinates cannot be be greater than 9.9 or less than 0.";
        QString seen;
        for (const auto &a : m_script.asked)
            seen += a.kind == QLatin1String("message")
                        ? QString(a.text == range.arg('X')   ? "X"
                                  : a.text == range.arg('Y') ? "Y"
                                                             : "?")
                        : QString::number(a.defaultAnswer == "1" ? prompts.indexOf(a.text) : -1);
        QTEST(seen, "asked");
        QCOMPARE(m_script.titles(), QStringList(seen.size(), "Graphing - Line"));
        // At the very start, the program then begins with an empty line.
        QCOMPARE(doc.program.Text(), inserted + "Disp A");
        QCOMPARE(doc.program.SelStart(), int(inserted.size()));
        QVERIFY(m_script.prompts.empty());
    }
    void menu_data()
    {
        // The delimiter file (null: none), the answers, the buttons clicked
        // before Done (Title, Add), what came up (the Title, Item and Label
        // questions, the message of a Full menu or of a missing Delimiter file),
        // Check2 and Check3, and what Done inserted.
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("main with two items")
            << "\"" << QStringList{"MAIN", "PLAY", "A1", "QUIT", "B2"} << "TAA" << QString("TILIL")
            << "11 Menu #2" << QString("Menu(\"MAIN\",\"PLAY\",A1,\"QUIT\",B2)");
        // The title starts the command again; only the items after it stay.
        QTest::newRow("add before the title")
            << "\"" << QStringList{"PLAY", "A1", "MAIN", "QUIT", "B2"} << "ATA" << QString("ILTIL")
            << "11 Menu #2" << QString("Menu(\"MAIN\",\"QUIT\",B2)");
        QTest::newRow("no delimiter file")
            << QString() << QStringList{"MAIN"} << "T" << QString("TD") << "Menu # Menu #"
            << QString("Menu(MAIN)");
        QStringList seven;
        for (int i = 1; i <= 7; ++i)
            seven << QString("I%1").arg(i) << QString("L%1").arg(i);
        QTest::newRow("the eighth add refused")
            << "\"" << seven << "AAAAAAAA" << QString("IL").repeated(7) + "F"
            << "1111111 Menu #7"
            << "," + seven.join(',') + ")";
    }
    void menu()
    {
        QFETCH(QString, delimiter);
        QFETCH(QStringList, answers);
        QFETCH(QString, clicks);
        QFETCH(QString, inserted);
        testing::FakeFactory factory;
        FakeDocument opener;
        auto *w = open<frmWizard_MENU>(opener, "mnuMenu");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("menu.txt"));
        QFile file(path);
        QVERIFY(delimiter.isNull() ||
                (file.open(QIODevice::WriteOnly) && file.write(delimiter.toLatin1())));
        file.close();
        w->setDelimiterFile(path);
        for (const QString &a : answers)
            m_script.prompts.push_back(a);
        for (QChar c : clicks)
            QTest::mouseClick(c == 'T' ? w->Image1 : w->Image2, Qt::LeftButton);

        const bool titled = clicks.contains('T'), full = clicks.count('A') > 7;
        QCOMPARE(w->Image1->isEnabled(), !titled);
        QCOMPARE(w->Image2->isEnabled(), !full);
        QCOMPARE(w->Check1->text(), QString(titled ? "Completed!" : "Not Completed"));
        QCOMPARE(w->Check1->isChecked(), titled || full);
        QCOMPARE(w->itemCounter(), QString(clicks.count('A'), '1'));
        QTEST(w->Check2->text() + " " + w->Check3->text(), "counter");
        // A question known by its default answer, a message by its text.
        const QMap<QString, QChar> questions{{"DEFULT", 'T'}, {"DEFULT MENU 1", 'I'}, {"A1", 'L'}};
        const QString fullMessage = "You have reached the maximum number of menus possible.";
        QString seen;
        for (const auto &a : m_script.asked)
            seen += a.kind != QLatin1String("message") ? questions.value(a.defaultAnswer, '?')
                    : a.text == fullMessage            ? 'F'
                    : a.text.contains(path)            ? 'D'
                                                       : '?';
        QCOMPARE(m_script.titles(), QStringList(seen.size(), "Menus Wizard"));
        QTEST(seen, "asked");

        // Done inserts at the caret of the default document window, on a line
        // of its own, selects it and closes.
        QPointer<frmWizard_MENU> guard(w);
        factory.defaultDocument()->program.setText("ClrHome\r\nStop");
        factory.loaded()->program.setSelStart(9);
        QTest::mouseClick(w->Image3, Qt::LeftButton);
        QCOMPARE(factory.loaded()->program.Text(), "ClrHome\r\n" + inserted + "\r\nStop");
        QCOMPARE(factory.loaded()->program.SelText(), inserted);
        QCOMPARE(opener.program.Text(), QString());
        QTRY_VERIFY(!guard);
    }
    void getkey_data()
    {
        // Steps: "k:KEY:LABEL" adds a key, "c:N" puts the preview's caret at N,
        // "t:TEXT" types at the caret, "v" views keypresses (and changes
        // nothing), "d" is Done.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("delivered");
        const QString skeleton = "While 1\r\nGetkey\u00FCA\r\nWhile A=0\r\nGetkey\u00FCA\r\nEnd";
        const QString block105 = "\r\nIf A=105\r\nThen\r\nGoto A1\r\nEnd";
        const QString block45 = "\r\nIf A=45\r\nThen\r\nGoto B2\r\nEnd";
        QTest::newRow("keys 105 and 45") << QStringList{"k:105:A1", "v", "k:45:B2", "d"}
                                         << skeleton + block105 + block45 + "\r\nEnd";
        QTest::newRow("done right after opening") << QStringList{"d"} << skeleton + "\r\nEnd";
        // The first Add goes to 50 wherever the caret is; later ones follow it.
        QTest::newRow("first add at 50, later ones at the caret")
            << QStringList{"c:43", "t:\r\nDisp 1234567", "c:0", "k:105:A1", "c:0", "k:45:B2", "d"}
            << block45 + "\r\nEnd" + skeleton + "\r\nDisp " + block105 + "1234567";
    }
    void getkey()
    {
        QFETCH(QStringList, steps);
        testing::FakeFactory factory;
        FakeDocument opener;
        auto *w = open<frmWizard_GETKEY>(opener, "mnuGetkey");
        QCOMPARE(w->windowTitle(), QString("The Getkey Wizard"));
        QCOMPARE(w->RichTextBox1->SelStart(), 0);
        QPointer<frmWizard_GETKEY> guard(w);
        for (const QString &step : steps) {
            const QStringList parts = step.split(QLatin1Char(':'));
            const QString before = w->RichTextBox1->Text();
            if (parts[0] == "k") {
                w->Text1->setText(parts[1]);
                w->Text3->setText(parts[2]);
                QTest::mouseClick(w->Image1, Qt::LeftButton);
            } else if (parts[0] == "c") {
                w->RichTextBox1->setSelStart(parts[1].toInt());
            } else if (parts[0] == "t") {
                w->RichTextBox1->setSelText(step.mid(2));
            } else if (parts[0] == "v") {
                QTest::mouseClick(w->Image2, Qt::LeftButton);
                QCOMPARE(w->RichTextBox1->Text(), before);
            } else {
                QTest::mouseClick(w->Image3, Qt::LeftButton);
            }
        }
        QTEST(factory.loaded() ? factory.loaded()->program.Text() : QString("(no window)"),
              "delivered");
        QCOMPARE(opener.program.Text(), QString());
        QTRY_VERIFY(!guard);
        QVERIFY(m_script.asked.empty());
    }

    void wizardTextOnLinesOfItsOwn_data()
    {
        // The program with the caret as '|', the wizard's text, the program after.
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::newRow("inside a line") << "Clr|Home"
                                       << "End"
                                       << "Clr\r\nEnd\r\nHome";
        QTest::newRow("own break first, inside a line") << "Clr|Home"
                                                        << "\r\nEnd"
                                                        << "Clr\r\nEnd\r\nHome";
        QTest::newRow("own break last, inside a line") << "Clr|Home"
                                                       << "End\r\n"
                                                       << "Clr\r\nEnd\r\nHome";
        QTest::newRow("own break first, end of a line") << "ClrHome|\r\nStop"
                                                        << "\r\nEnd"
                                                        << "ClrHome\r\nEnd\r\nStop";
        QTest::newRow("start of a line") << "ClrHome\r\n|Stop"
                                         << "End"
                                         << "ClrHome\r\nEnd\r\nStop";
        QTest::newRow("empty program") << "|"
                                       << "End"
                                       << "End";
    }
    void wizardTextOnLinesOfItsOwn()
    {
        QFETCH(QString, program);
        QFETCH(QString, text);
        FakeDocument doc;
        const int caret = int(program.indexOf(QLatin1Char('|')));
        doc.program.setText(program.remove(QLatin1Char('|')));
        doc.program.setSelStart(caret);
        insertWizardText(doc, text);
        QTEST(doc.program.Text(), "after");
        QCOMPARE(doc.program.SelText(), text); // selected, as inserted
    }

private:
    platform::dialogs::Script m_script;

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
            // Insert > Colour
            {"mnuTextColor", "EF67 EF42 11 3F 93 '10' 2B '10' 2B 2A 'HELLO' 2A 11"},
            {"mnuBackgroundOn", "EF5B EF4C 3F DF"},
            {"mnuBackgroundOff", "EF64 3F DF"},
            {"mnuGraphColor", "EF65 '2' 2B EF41 11 3F DF"},
            {"mnuBorderColor", "EF6C '3'"},
            {"mnuGridLine", "EF5A EF4D 3F DF"},
            {"mnuDetectAsymOn", "EF6A 3F DF"},
            {"mnuDetectAsymOff", "EF6B 3F DF"},
        };
        int seen = 0;
        for (const reference::ReferenceEntry &e : reference::referenceEntries()) {
            if (!e.programInsertion.isEmpty())
                QCOMPARE(calc::tokens::tokenize(e.programInsertion).bytes,
                         testing::bytesOf(e.item == QLatin1String("mnuDelvar") ? "BB54" : "85"));
            if (e.example.lines.isEmpty())
                continue;
            QVERIFY2(examples.contains(e.item), qPrintable(e.item));
            QCOMPARE(calc::tokens::tokenize(reference::joinLines(e.example.lines)).bytes.toHex(' '),
                     testing::bytesOf(examples.value(e.item)).toHex(' '));
            ++seen;
        }
        QCOMPARE(seen, examples.size());

        using namespace reference;
        const QString menu = menuwizard::opening() + menuwizard::titleText("\"", "DEFULT") +
                             menuwizard::itemText("\"", "DEFULT MENU 1") + "A1" +
                             menuwizard::closing();
        QCOMPARE(
            calc::tokens::tokenize(menu).bytes,
            testing::bytesOf("E6 2A 'DEFULT' 2A 2B 2A 'DEFULT' 29 'MENU' 29 '1' 2A 2B 'A1' 11"));
        const QString loop = getkeywizard::skeleton() + getkeywizard::keyBlock("105", "A1") +
                             getkeywizard::closing();
        QCOMPARE(calc::tokens::tokenize(loop).bytes,
                 testing::bytesOf("D1 '1' 3F AD 04 'A' 3F D1 'A' 6A '0' 3F AD 04 'A' "
                                  "3F D4 3F CE 'A' 6A '105' 3F CF 3F D7 'A1' 3F D4 "
                                  "3F D4"));
    }
};

TORVANE_TEST(TstReference);
#include "tst_reference.moc"
