// The Menu and Getkey wizards: what they ask, what they build, and what
// reaches the default document window.
#include "common/TestRegistry.h"
#include "reference/FakeDocument.h"

#include "platform/Dialogs.h"
#include "reference/Reference.h"
#include "reference/frmWizard_GETKEY.h"
#include "reference/frmWizard_MENU.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace reference;

namespace
{

const QString kSkeleton =
    QStringLiteral("While 1\r\nGetkey\u00FCA\r\nWhile A=0\r\nGetkey\u00FCA\r\nEnd");

struct Fixture {
    platform::dialogs::Script script;
    testing::FakeFactory factory;
    testing::FakeDocument opener; // the window whose menu was used
    QTemporaryDir dir;
    Fixture() { platform::dialogs::setScript(&script); }
    ~Fixture() { platform::dialogs::setScript(nullptr); }

    // Menu wizard opened from `opener`, reading `delimiter` (none: no file).
    frmWizard_MENU *menuWizard(const std::optional<QByteArray> &delimiter = QByteArray("\""))
    {
        chooseItem(opener, QStringLiteral("mnuMenu"));
        auto *w = platform::windows().loadedWindow<frmWizard_MENU>();
        const QString path = dir.filePath(QStringLiteral("menu.txt"));
        if (delimiter) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(*delimiter);
        }
        w->setDelimiterFile(path);
        return w;
    }
    frmWizard_GETKEY *getkeyWizard()
    {
        chooseItem(opener, QStringLiteral("mnuGetkey"));
        return platform::windows().loadedWindow<frmWizard_GETKEY>();
    }
    void answer(const QStringList &answers)
    {
        for (const QString &a : answers)
            script.prompts.push_back(a);
    }
    QString delivered() const
    {
        return factory.loaded() ? factory.loaded()->program.Text() : QString("(no window)");
    }
};

void addKey(frmWizard_GETKEY *w, const QString &key, const QString &label)
{
    w->Text1->setText(key);
    w->Text3->setText(label);
    QTest::mouseClick(w->Image1, Qt::LeftButton);
}

} // namespace

class TstWizards : public QObject
{
    Q_OBJECT
private slots:
    void menuBuildsTheCommand();
    void menuRefusesTheEighthItem();
    void menuAddBeforeTitle();
    void menuWithoutDelimiterFile();
    void menuIsOneWindow();
    void getkey_data();
    void getkey();
    void getkeyOneWindowClosingInsertsNothing();
};

void TstWizards::menuBuildsTheCommand()
{
    Fixture f;
    frmWizard_MENU *w = f.menuWizard();
    QCOMPARE(w->windowTitle(), QString("The Menu Wizard"));
    QCOMPARE(w->Check1->text(), QString("Not Completed"));
    f.answer({"MAIN", "PLAY", "A1", "QUIT", "B2"});
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QVERIFY(!w->Image1->isEnabled());
    QCOMPARE(w->Check1->text(), QString("Completed!"));
    QVERIFY(w->Check1->isChecked());
    QTest::mouseClick(w->Image2, Qt::LeftButton);
    QTest::mouseClick(w->Image2, Qt::LeftButton);
    QCOMPARE(w->Check2->text(), QString("11"));
    QCOMPARE(w->Check3->text(), QString("Menu #2"));
    QCOMPARE(w->RichTextBox1->Text(), QString("Menu(\"MAIN\",\"PLAY\",A1,\"QUIT\",B2"));

    QPointer<frmWizard_MENU> guard(w);
    f.factory.defaultDocument()->program.setText("ClrHome\r\n");
    f.factory.loaded()->program.setSelStart(99);
    QTest::mouseClick(w->Image3, Qt::LeftButton);
    QCOMPARE(f.delivered(), QString("ClrHome\r\nMenu(\"MAIN\",\"PLAY\",A1,\"QUIT\",B2)"));
    QCOMPARE(f.opener.program.Text(), QString());
    QTRY_VERIFY(!guard);

    const QString title = "Menus Wizard";
    const auto &asked = f.script.asked;
    QCOMPARE(asked.size(), size_t(5));
    QCOMPARE(f.script.titles(), QStringList(5, title));
    QCOMPARE(asked[0].text, QString("What do you want the title of this menus to be? It can only "
                                    "be 15 characters long. Please type in all CAPS."));
    QCOMPARE(asked[0].defaultAnswer, QString("DEFULT"));
    QCOMPARE(asked[3].text, QString("What do you want this menu to say? It can only have a maximum "
                                    "of 13 characters. Please type in all CAPS."));
    QCOMPARE(asked[3].defaultAnswer, QString("DEFULT MENU 1"));
    QCOMPARE(asked[4].text, QString("What do you want this label to direct to? Examples are: A1 , "
                                    "1A , 21 . The letters must be in CAPS."));
    QCOMPARE(asked[4].defaultAnswer, QString("A1"));
}

void TstWizards::menuRefusesTheEighthItem()
{
    Fixture f;
    frmWizard_MENU *w = f.menuWizard();
    for (int i = 1; i <= 7; ++i) {
        f.answer({QString("I%1").arg(i), QString("L%1").arg(i)});
        QTest::mouseClick(w->Image2, Qt::LeftButton);
        QCOMPARE(w->Check3->text(), QString("Menu #%1").arg(i));
    }
    QCOMPARE(w->Check2->text(), QString("1111111"));
    const QString seven = w->RichTextBox1->Text();
    QCOMPARE(seven, QString(",I1,L1,I2,L2,I3,L3,I4,L4,I5,L5,I6,L6,I7,L7"));
    QVERIFY(!w->Check1->isChecked());

    f.script.asked.clear();
    QTest::mouseClick(w->Image2, Qt::LeftButton);
    QCOMPARE(f.script.asked.size(), size_t(1));
    QCOMPARE(f.script.asked[0].kind, QString("message"));
    QCOMPARE(f.script.asked[0].text,
             QString("You have reached the maximum number of menus possible."));
    QCOMPARE(f.script.asked[0].title, QString("Menus Wizard"));
    QVERIFY(!w->Image2->isEnabled());
    QVERIFY(w->Check1->isChecked());
    QCOMPARE(w->itemCounter(), QString("11111111"));
    QCOMPARE(w->Check3->text(), QString("Menu #7"));
    QCOMPARE(w->RichTextBox1->Text(), seven);
}

void TstWizards::menuAddBeforeTitle()
{
    Fixture f;
    frmWizard_MENU *w = f.menuWizard();
    f.answer({"PLAY", "A1"});
    QTest::mouseClick(w->Image2, Qt::LeftButton);
    QCOMPARE(w->RichTextBox1->Text(), QString(",PLAY,A1"));
    // A title afterwards starts the command again; an item added then
    // follows it.
    f.answer({"MAIN", "QUIT", "B2"});
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QCOMPARE(w->RichTextBox1->Text(), QString("Menu(\"MAIN\""));
    QTest::mouseClick(w->Image2, Qt::LeftButton);
    QCOMPARE(w->Check3->text(), QString("Menu #2"));
    QTest::mouseClick(w->Image3, Qt::LeftButton);
    QCOMPARE(f.delivered(), QString("Menu(\"MAIN\",\"QUIT\",B2)"));
}

void TstWizards::menuWithoutDelimiterFile()
{
    Fixture f;
    frmWizard_MENU *w = f.menuWizard(std::nullopt);
    f.answer({"MAIN"});
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QCOMPARE(f.script.titles("message"), QStringList{"Menus Wizard"});
    QVERIFY(f.script.asked.back().text.contains(w->delimiterFile()));
    QCOMPARE(w->RichTextBox1->Text(), QString("Menu(MAIN"));
    QTest::mouseClick(w->Image3, Qt::LeftButton);
    QCOMPARE(f.delivered(), QString("Menu(MAIN)"));
}

void TstWizards::menuIsOneWindow()
{
    Fixture f;
    frmWizard_MENU *w = f.menuWizard();
    f.answer({"MAIN"});
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    chooseItem(f.opener, QStringLiteral("mnuMenu"));
    QCOMPARE(platform::windows().loadedWindow<frmWizard_MENU>(), w);
    QCOMPARE(w->RichTextBox1->Text(), QString("Menu(\"MAIN\""));

    // Closing discards everything and inserts nothing.
    QPointer<frmWizard_MENU> guard(w);
    w->close();
    QTRY_VERIFY(!guard);
    QVERIFY(!f.factory.loaded());
    w = f.menuWizard();
    QVERIFY(w->Image1->isEnabled());
    QCOMPARE(w->Check1->text(), QString("Not Completed"));
    QCOMPARE(w->RichTextBox1->Text(), QString());
    QCOMPARE(w->itemCounter(), QString());
}

void TstWizards::getkey_data()
{
    // Steps: "k:KEY:LABEL" adds a key, "c:N" puts the preview's caret at N,
    // "t:TEXT" types at the caret, "v" views keypresses, "d" is Done.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("delivered");
    const QString block105 = "\r\nIf A=105\r\nThen\r\nGoto A1\r\nEnd";
    const QString block45 = "\r\nIf A=45\r\nThen\r\nGoto B2\r\nEnd";
    QTest::newRow("keys 105 and 45")
        << QStringList{"k:105:A1", "k:45:B2", "d"} << kSkeleton + block105 + block45 + "\r\nEnd";
    QTest::newRow("done right after opening") << QStringList{"d"} << kSkeleton + "\r\nEnd";
    QTest::newRow("first add ignores the caret, later ones follow it")
        << QStringList{"c:0", "k:105:A1", "c:0", "k:45:B2", "d"}
        << block45 + "\r\nEnd" + kSkeleton + block105;
    QTest::newRow("first add at 50 in a lengthened preview")
        << QStringList{"c:43", "t:\r\nDisp 1234567", "c:0", "k:105:A1", "d"}
        << kSkeleton + "\r\nDisp " + block105 + "\r\nEnd" + "1234567";
    QTest::newRow("empty boxes, view keypresses inert")
        << QStringList{"v", "k::", "d"} << kSkeleton + "\r\nIf A=\r\nThen\r\nGoto \r\nEnd\r\nEnd";
}

void TstWizards::getkey()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, delivered);
    Fixture f;
    frmWizard_GETKEY *w = f.getkeyWizard();
    QCOMPARE(w->windowTitle(), QString("The Getkey Wizard"));
    QCOMPARE(w->RichTextBox1->Text(), kSkeleton);
    QCOMPARE(kSkeleton.size(), 43);
    QCOMPARE(w->RichTextBox1->SelStart(), 0);
    QPointer<frmWizard_GETKEY> guard(w);
    for (const QString &step : steps) {
        const QStringList parts = step.split(QLatin1Char(':'));
        if (parts[0] == "k") {
            addKey(w, parts[1], parts[2]);
        } else if (parts[0] == "c") {
            w->RichTextBox1->setSelStart(parts[1].toInt());
        } else if (parts[0] == "t") {
            w->RichTextBox1->setSelText(step.mid(2));
        } else if (parts[0] == "v") {
            const QString before = w->RichTextBox1->Text();
            QTest::mouseClick(w->Image2, Qt::LeftButton);
            QCOMPARE(w->RichTextBox1->Text(), before);
        } else {
            QTest::mouseClick(w->Image3, Qt::LeftButton);
        }
    }
    QCOMPARE(f.delivered(), delivered);
    QCOMPARE(f.opener.program.Text(), QString());
    QTRY_VERIFY(!guard);
    QVERIFY(f.script.asked.empty());
}

void TstWizards::getkeyOneWindowClosingInsertsNothing()
{
    Fixture f;
    frmWizard_GETKEY *w = f.getkeyWizard();
    addKey(w, "105", "A1");
    chooseItem(f.opener, QStringLiteral("mnuGetkey"));
    QCOMPARE(platform::windows().loadedWindow<frmWizard_GETKEY>(), w);
    QVERIFY(w->RichTextBox1->Text().endsWith("Goto A1\r\nEnd"));
    QPointer<frmWizard_GETKEY> guard(w);
    w->close();
    QTRY_VERIFY(!guard);
    QVERIFY(!f.factory.loaded());
    QCOMPARE(f.getkeyWizard()->RichTextBox1->Text(), kSkeleton);
}

TORVANE_TEST(TstWizards);
#include "tst_wizards.moc"
