// The command reference as a document window's menus drive it: what every
// entry writes where, how the write modes combine, and the line dialog.
#include "common/TestRegistry.h"
#include "reference/FakeDocument.h"

#include "platform/Dialogs.h"
#include "reference/Reference.h"
#include "reference/ReferenceEntries.h"
#include "reference/frmWizard_GETKEY.h"
#include "reference/frmWizard_MENU.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>

using namespace reference;
using testing::FakeDocument;

namespace
{

// Expected texts are written as in the reference itself: lines split by
// "\n" (the pane holds CR LF) and <n> for the character of code n.
QString text(const char *notation)
{
    QString out = QString::fromLatin1(notation);
    out.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    static const QRegularExpression code(QStringLiteral("<(\\d+)>"));
    QRegularExpressionMatch m;
    while ((m = code.match(out)).hasMatch())
        out.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toInt()));
    return out;
}

// One row per entry: how it writes the panes ('u' unchanged, 'w' whole,
// 'r' rebuilt, 'a' append) and with what.
struct Row {
    const char *item;
    const char *program; // inserted at the program's caret
    char syntaxMode;
    const char *syntax;
    char exampleMode;
    const char *example;
    const char *description; // null: unchanged
    const char *opens;       // the window or dialog an action opens
};

const char *const kLabelExample = "Lbl A1\nDisp ''HELLO THERE''\nPause \nGoto A1";

const std::vector<Row> &rows()
{
    static const std::vector<Row> all{
        {"mnuIfThenElse", "", 'r',
         "If [CONDITION]\nThen\n[COMMAND] ;If True\n[COMMAND] ;If True\nElse\n[COMMAND] ;If "
         "False\n[COMMAND] ;If False\nEnd\n[COMMAND]",
         'r', "Input ''X='',X\nIf X<0\nThen\nX<242><252>Y\nElse\nX<252>Y\nEnd\nDisp {X,Y}",
         "This uses the If, Then, Else, Display, and End commands.", nullptr},
        {"mnuIfThen", "", 'r',
         "If [CONDITION]\nThen\n[COMMAND] ;If True\n[COMMAND] ;If True\nEnd\n[COMMAND]", 'r',
         "1<252>X:10<252>Y\nIf X<10\nThen\n2X+3<252>X\n2Y-3<252>Y\nEnd\nDisp X,Y",
         "This uses the If, Then, Display, and End commands.", nullptr},
        {"mnuIf", "", 'r', "If [CONDITION]\n[COMMAND] ;If True\n[COMMAND]", 'r',
         "0<252>A\nLbl Z\nA+1<252>A\nDisp ''A IS'',A\nIf A>2\nStop\nGoto Z",
         "This uses the If, Label, Display, Stop, and Goto commands.", nullptr},
        {"mnuFor", "", 'r',
         "For([VARIABLE],[BEGIN],[END],[INCREMENT])\n...     ;While END is not exceeded.\n...     "
         ";While END is not exceeded.\nEnd\n...     ;It just continues on from here.",
         'r', "For(A,0,8,2)\nDisp A<220>\nEnd", "This uses the For, Display, and End statement.",
         nullptr},
        {"mnuGetkey", "", 'u', "", 'u', "", nullptr, "frmWizard_GETKEY"},
        {"mnuPause", "", 'w', "Pause ", 'w', "Disp ''HELLO''\nPause ", nullptr, nullptr},
        {"mnuWait", "", 'w', "Send({7})", 'w', "Disp ''IT IS PAUSING'',''FOR A SECOND''\nSend{(7)}",
         nullptr, nullptr},
        {"mnuWhile", "", 'w', "While [VARIABLES]", 'w',
         "While 1\nGetkey<252>A\nWhile A=0\nGetkey<252>A\nEnd",
         "This is a piece of code from a getkey statement. Note the While commands.", nullptr},
        {"mnuRepeat", "", 'r',
         "Repeat repeats a group of commands until [CONDITION] is true (non zero). It can be "
         "nested.\nRepeat [CONDITION]\n[COMMAND]   'Until [CONDITION] is true.\n[COMMAND]   "
         "'Until [CONDITION] is true.\nEnd\n...",
         'r', "0<252>I\n0<252>J\nRepeat I<249>6\nJ+1<252>J\nI+1<252>I\nEnd\nDisp ''J='',J", nullptr,
         nullptr},
        {"mnuInput", "", 'r', "Input [OPTIONAL TEXT],[VARIABLE]", 'w',
         "Input ''PASSWORD:'',A\nDisp ''PASSWORD IS:'',A",
         "This uses the input and display command.", nullptr},
        {"mnuPrompt", "", 'r', "Prompt [VARIABLE]", 'w', "Prompt A\nDisp A",
         "This uses the prompt and display commands. You MUST put in a VARIABLE.", nullptr},
        {"mnuOutput", "", 'w', "Output([Xcord],[Ycord],''TEXT'')", 'w',
         "Output(5,1,''HELLO THERE'')",
         "This uses the output command. You need to specify the X and Y cordinates.", nullptr},
        {"mnuDisplay", "", 'r',
         "There is 3 ways to do a Display command.\nDisp ''TEXT''\nDisp "
         "''TEXT'',''TEXT'',''TEXT'', ...\nDisp [VARIABLE]",
         'a', "Disp ''HELLO THERE''\nDisp ''HELLO THERE'',''HELLO AGAIN''\nDisp A",
         "This only uses the three methods of using Display.", nullptr},
        {"mnuMenu", "", 'u', "", 'u', "", nullptr, "frmWizard_MENU"},
        {"mnuClearHomeScreen", "", 'r', "ClrHome", 'r', "Disp ''HELLO THERE''\nPause\nClrHome",
         nullptr, nullptr},
        {"mnuClearTable", "", 'r', "ClrTable", 'u', "", nullptr, nullptr},
        {"mnuLabel", "", 'r',
         "Lbl [VARIABLE/NBR]\nThere are 3 ways to write a label:\nLbl 15     ; The Number/Number "
         "Way (2 NBR Max.)\nLbl A1     ; The Letter/Number Way (1 LETTER, 1 NBR Max.)\nLbl 1A     "
         "; The Number/Letter Way (1 NBR, 1 LETTER Max.)",
         'r', kLabelExample, "This uses the Label, Display, Pause, and Goto command.", nullptr},
        {"mnuGoto", "", 'r', "Goto [LABEL]\nSee LABEL command for more information about a label.",
         'r', kLabelExample, "This uses the Label, Display, Pause, and Goto commands.", nullptr},
        {"mnuReturn", "", 'r',
         "Return quits the subroutine and returns execution to the calling program, even if "
         "encountered within nested loops. Any loops are ended. An implied Return exists at the "
         "end of any program that is called as a subroutine. Within the main program, Return "
         "stops execution and returns to the home screen.\nReturn",
         'a', "Return", nullptr, nullptr},
        {"mnuSend", "", 'w', "Send([VARIABLE])", 'w', "Send(Str1)", nullptr, nullptr},
        {"mnuGet", "", 'w', "Get([VARIABLE])", 'w', "Get(Str1)", nullptr, nullptr},
        {"mnuGetCalc", "", 'w', "GetCalc([VARIABLE])", 'w', "GetCalc(Str1)",
         "This will not work between TI-82 and TI-83/83+ calculators.", nullptr},
        {"mnuDelvar", "DelVar ", 'w', "DelVar [VARIABLE]", 'w', "Delvar Str1",
         "This uses the Delvar command.", nullptr},
        {"mnuIS", "", 'r',
         "IS>([VARIABLE],[VALUE])\n[COMMAND]   ;If answer is less than or equal to "
         "value.\n[COMMAND]   ;If answer is greater than value.",
         'r', "7<252>A\nIS>(A,6)\nDisp ''NOT >6''\nDisp ''> 6''",
         "This uses the Display, Increment and Skip Commands.", nullptr},
        {"mnuDS", "", 'r',
         "DS<([VARIABLE],[VALUE]\n[COMMAND]   ;If answer is greater than or equal to "
         "value.\n[COMMAND]   ;If answer is less than value.",
         'r', "1<252>A\nDS<(A,6)\nDisp ''> 6''\nDisp ''NOT > 6''",
         "This uses the Decrement and skip command, and the display command.", nullptr},
        {"mnuClrDraw", "ClrDraw", 'u', "", 'u', "", nullptr, nullptr},
        {"mnuLine", "", 'u', "", 'u', "", nullptr, "Graphing - Line"},
    };
    return all;
}

// What a pane holds before an entry runs, and where its caret is.
const QString kBefore = QStringLiteral("OLD\r\nTEXT");
constexpr int kCaret = 6; // inside the second line
const QString kOldDescription = QStringLiteral("previous description");

void prepare(platform::RichTextBox *pane, int caret)
{
    pane->setText(kBefore);
    pane->setSelStart(caret);
}

// Text and caret of a pane written in `mode` with `written`, from kBefore.
void checkPane(platform::RichTextBox *pane, char mode, const QString &written, int caret)
{
    switch (mode) {
    case 'u':
        QCOMPARE(pane->Text(), kBefore);
        QCOMPARE(pane->SelStart(), caret);
        break;
    case 'w':
        QCOMPARE(pane->Text(), written);
        QCOMPARE(pane->SelStart(), 0);
        break;
    case 'r':
        QCOMPARE(pane->Text(), written);
        QCOMPARE(pane->SelStart(), int(written.size()));
        break;
    case 'a':
        QCOMPARE(pane->Text(), kBefore.left(caret) + written + kBefore.mid(caret));
        QCOMPARE(pane->SelStart(), caret + int(written.size()));
        break;
    default:
        QFAIL("unknown mode");
    }
}

} // namespace

class TstReference : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_script = {};
        platform::dialogs::setScript(&m_script);
    }
    void cleanup()
    {
        platform::dialogs::setScript(nullptr);
        platform::windows().closeAll();
    }
    void tableHoldsEveryItem();
    void entries_data();
    void entries();
    void modesCombine_data();
    void modesCombine();
    void programInsertions_data();
    void programInsertions();
    void inputEmphasis();
    void lineDialog_data();
    void lineDialog();

private:
    platform::dialogs::Script m_script;
};

void TstReference::tableHoldsEveryItem()
{
    QStringList table, expected;
    for (const ReferenceEntry &e : referenceEntries())
        table << e.item;
    for (const Row &r : rows())
        expected << QLatin1String(r.item);
    QCOMPARE(table, expected);
    QCOMPARE(table.size(), 27);
    QVERIFY(!findEntry(QStringLiteral("mnuTangent")));
    FakeDocument doc;
    QVERIFY(!chooseItem(doc, QStringLiteral("mnuWindow")));
}

void TstReference::entries_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("program");
    QTest::addColumn<char>("syntaxMode");
    QTest::addColumn<QString>("syntax");
    QTest::addColumn<char>("exampleMode");
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("opens");
    for (const Row &r : rows())
        QTest::newRow(r.item) << QString::fromLatin1(r.item) << text(r.program) << r.syntaxMode
                              << text(r.syntax) << r.exampleMode << text(r.example)
                              << (r.description ? QString::fromLatin1(r.description)
                                                : kOldDescription)
                              << QString::fromLatin1(r.opens);
}

void TstReference::entries()
{
    QFETCH(QString, item);
    QFETCH(QString, program);
    QFETCH(char, syntaxMode);
    QFETCH(QString, syntax);
    QFETCH(char, exampleMode);
    QFETCH(QString, example);
    QFETCH(QString, description);
    QFETCH(QString, opens);
    testing::FakeFactory factory;
    FakeDocument doc;
    // Carets in the middle, so every write mode leaves a caret of its own.
    prepare(&doc.program, 5);
    prepare(&doc.syntax, 2);
    prepare(&doc.example, kCaret);
    doc.description = kOldDescription;

    QVERIFY(chooseItem(doc, item));

    QCOMPARE(doc.program.Text(), kBefore.left(5) + program + kBefore.mid(5));
    QCOMPARE(doc.program.SelStart(), 5 + int(program.size()));
    checkPane(&doc.syntax, syntaxMode, syntax, 2);
    checkPane(&doc.example, exampleMode, example, kCaret);
    QCOMPARE(doc.description, description);

    // The line dialog was cancelled at once; the wizards are open.
    if (opens == QLatin1String("Graphing - Line"))
        QCOMPARE(m_script.titles(), QStringList{opens});
    else
        QVERIFY(m_script.asked.empty());
    QCOMPARE(bool(platform::windows().loadedWindow<frmWizard_GETKEY>()),
             opens == QLatin1String("frmWizard_GETKEY"));
    QCOMPARE(bool(platform::windows().loadedWindow<frmWizard_MENU>()),
             opens == QLatin1String("frmWizard_MENU"));
}

void TstReference::modesCombine_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("syntax");
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("description");
    const QString display = text("Disp ''HELLO THERE''\nDisp ''HELLO THERE'',''HELLO AGAIN''\n"
                                 "Disp A");
    const QString displaySyntax = text("There is 3 ways to do a Display command.\nDisp "
                                       "''TEXT''\nDisp ''TEXT'',''TEXT'',''TEXT'', ...\nDisp "
                                       "[VARIABLE]");
    const QString displayDescription = "This only uses the three methods of using Display.";
    QTest::newRow("clear table after if")
        << QStringList{"mnuIf", "mnuClearTable"} << QString("ClrTable")
        << text("0<252>A\nLbl Z\nA+1<252>A\nDisp ''A IS'',A\nIf A>2\nStop\nGoto Z")
        << "This uses the If, Label, Display, Stop, and Goto commands.";
    QTest::newRow("display fresh")
        << QStringList{"mnuDisplay"} << displaySyntax << display << displayDescription;
    // Appended without a line break before it: "Disp A" runs on into the next.
    QTest::newRow("display twice") << QStringList{"mnuDisplay", "mnuDisplay"} << displaySyntax
                                   << display + display << displayDescription;
    QTest::newRow("display after goto") << QStringList{"mnuGoto", "mnuDisplay"} << displaySyntax
                                        << text(kLabelExample) + display << displayDescription;
    QTest::newRow("display after get") << QStringList{"mnuGet", "mnuDisplay"} << displaySyntax
                                       << display + "Get(Str1)" << displayDescription;
    QTest::newRow("return after pause keeps the caret at the start")
        << QStringList{"mnuPause", "mnuReturn", "mnuReturn"}
        << text("Return quits the subroutine and returns execution to the calling program, even "
                "if encountered within nested loops. Any loops are ended. An implied Return "
                "exists at the end of any program that is called as a subroutine. Within the "
                "main program, Return stops execution and returns to the home screen.\nReturn")
        << text("ReturnReturnDisp ''HELLO''\nPause ") << QString();
}

void TstReference::modesCombine()
{
    QFETCH(QStringList, items);
    QFETCH(QString, syntax);
    QFETCH(QString, example);
    QFETCH(QString, description);
    FakeDocument doc;
    for (const QString &item : items)
        chooseItem(doc, item);
    QCOMPARE(doc.syntax.Text(), syntax);
    QCOMPARE(doc.example.Text(), example);
    QCOMPARE(doc.description, description);
    QCOMPARE(doc.program.Text(), QString());
}

void TstReference::programInsertions_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caret");
    QTest::newRow("delete variable over a selection")
        << "mnuDelvar" << text("Disp A\nOLD\nStop") << 8 << 3 << text("Disp A\nDelVar \nStop")
        << 15;
    QTest::newRow("clear graph screen mid-line")
        << "mnuClrDraw" << text("Disp A\nStop") << 4 << 0 << text("DispClrDraw A\nStop") << 11;
    QTest::newRow("clear graph screen at the end")
        << "mnuClrDraw" << text("Stop") << 99 << 0 << text("StopClrDraw") << 11;
}

void TstReference::programInsertions()
{
    QFETCH(QString, item);
    QFETCH(QString, before);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, after);
    QFETCH(int, caret);
    FakeDocument doc;
    doc.program.setText(before);
    doc.program.setSelStart(start);
    doc.program.setSelLength(length);
    chooseItem(doc, item);
    QCOMPARE(doc.program.Text(), after);
    QCOMPARE(doc.program.SelStart(), caret);
    QCOMPARE(doc.program.SelLength(), 0);
}

void TstReference::inputEmphasis()
{
    FakeDocument doc;
    // Twice: the second run must not take the italics the first left behind.
    chooseItem(doc, QStringLiteral("mnuInput"));
    chooseItem(doc, QStringLiteral("mnuInput"));
    const QString line = doc.syntax.Text();
    QCOMPARE(line, QString("Input [OPTIONAL TEXT],[VARIABLE]"));
    QString shape;
    QTextCursor c(doc.syntax.document());
    for (int i = 1; i <= line.size(); ++i) {
        c.setPosition(i);
        shape += c.charFormat().fontItalic() ? QLatin1Char('i') : QLatin1Char('.');
    }
    QCOMPARE(shape, QString(6, '.') + QString(16, 'i') + QString(10, '.'));
}

void TstReference::lineDialog_data()
{
    // Answers ("cancel" cancels the prompt), the steps asked in order, the
    // axis of each message, and what goes into the program.
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("messages");
    QTest::addColumn<QString>("inserted");
    QTest::newRow("in range") << QStringList{"1", "2", "3", "4"} << "0123"
                              << "" << text("\nLine(1,2,3,4)");
    QTest::newRow("ends of the range, as typed") << QStringList{"9.90", "0", "9.9", "0.0"} << "0123"
                                                 << "" << text("\nLine(9.90,0,9.9,0.0)");
    QTest::newRow("10 and -1 asked again")
        << QStringList{"10", "1", "-1", "2", "3", "4"} << "001123"
        << "XY" << text("\nLine(1,2,3,4)");
    QTest::newRow("ending X out of range starts again")
        << QStringList{"1", "2", "9.91", "5", "6", "7", "8"} << "0120123"
        << "X" << text("\nLine(5,6,7,8)");
    QTest::newRow("ending Y out of range asks it again")
        << QStringList{"1", "2", "3", "12", "4"} << "01233"
        << "Y" << text("\nLine(1,2,3,4)");
    QTest::newRow("no number is out of range")
        << QStringList{"abc", "", "1", "4,5", "1e0", "+2", "2", "3", "4"} << "000111123"
        << "XXYYY" << text("\nLine(1,2,3,4)");
    QTest::newRow("blanks around are dropped") << QStringList{" 1", "2 ", " .5 ", "4."} << "0123"
                                               << "" << text("\nLine(1,2,.5,4.)");
    QTest::newRow("cancel inserts nothing") << QStringList{"1", "2", "cancel"} << "012"
                                            << "" << QString();
    QTest::newRow("cancel after a complaint") << QStringList{"1", "2", "10", "cancel"} << "0120"
                                              << "X" << QString();
}

void TstReference::lineDialog()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, steps);
    QFETCH(QString, messages);
    QFETCH(QString, inserted);
    for (const QString &a : answers)
        m_script.prompts.push_back(a == QLatin1String("cancel") ? std::nullopt
                                                                : std::optional<QString>(a));
    FakeDocument doc;
    doc.program.setText(QStringLiteral("Disp A"));
    doc.program.setSelStart(0);
    chooseItem(doc, QStringLiteral("mnuLine"));

    // Each prompt and message by its exact text: a step's digit, X or Y.
    const QString hint = "\rValid integers are between 0 and 9.9.";
    const QStringList prompts{
        "What is the starting X Cordinate?" + hint, "What is the starting Y Cordinate?" + hint,
        "What is the ending X Cordinate?" + hint, "What is the ending Y Cordinate?" + hint};
    const QString range = " Cordinates cannot be be greater than 9.9 or less than 0.";
    QString asked, complained;
    for (const auto &a : m_script.asked) {
        QCOMPARE(a.title, QString("Graphing - Line"));
        if (a.kind == QLatin1String("message")) {
            complained += a.text.at(0);
            QCOMPARE(a.text.mid(1), range);
        } else {
            QVERIFY2(prompts.contains(a.text), qPrintable(a.text));
            QCOMPARE(a.defaultAnswer, QString("1"));
            asked += QString::number(prompts.indexOf(a.text));
        }
    }
    QCOMPARE(asked, steps);
    QCOMPARE(complained, messages);
    // At the very start, the program then begins with an empty line.
    QCOMPARE(doc.program.Text(), inserted + "Disp A");
    QCOMPARE(doc.program.SelStart(), int(inserted.size()));
    QVERIFY(m_script.prompts.empty());
}

TORVANE_TEST(TstReference);
#include "tst_reference.moc"
