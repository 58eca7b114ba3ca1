// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/TestRegistry.h"
#include "compiler/frmCompile.h"
#include "compiler/frmCompile_Description.h"
#include "compiler/frmCompile_Final.h"
#include "compiler/frmCompile_Steps.h"
#include "compiler/frmDone.h"
#include "platform/Dialogs.h"
#include "platform/RegistryAccess.h"
#include "platform/RichTextBox.h"
#include "platform/WindowRegistry.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace compiler;
namespace dialogs = platform::dialogs;

namespace
{
const QStringList switchNames{"Company Name OPT", "Date Finished OPT", "E-Mail OPT",
                              "Web-Page url OPT"};

void setOption(const QString &name, const QString &value)
{
    platform::RegistryAccess r;
    QVERIFY(r.selectCompileOptionsForWriting());
    int type = 0;
    QVERIFY(r.SetValue(name, type, value));
}

void click(QWidget *w, const char *button)
{
    auto *b = w->findChild<QPushButton *>(button);
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

// Runs a companion step: open it from the wizard, type, press Done.
void runCompanion(frmCompile *wizard, const char *stepButton, CompileCompanion *(*find)(),
                  const QString &text)
{
    click(wizard, stepButton);
    CompileCompanion *c = find();
    QVERIFY(c && c->isVisible());
    c->RichTextBox1->setText(text);
    click(c, "Command2");
}

template <typename T> CompileCompanion *loaded()
{
    return platform::windows().loadedWindow<T>();
}
} // namespace

class TstfrmCompile : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        dialogs::setScript(&(m_script = dialogs::Script()));
        platform::RegistryAccess r;
        r.SelectKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Torvane TI");
        r.DeleteKey("Compile Options");
    }
    void cleanup() { dialogs::setScript(nullptr), platform::windows().closeAll(); }

    void singleInstance()
    {
        auto *w = platform::windows().show<frmCompile>();
        m_script.prompts = {QString("T"), QString("T")};
        click(w, "Command1");
        QCOMPARE(platform::windows().show<frmCompile>(), w);
        click(w, "Command1");
        QCOMPARE(w->Preview->Text(), QString("TT"));
        QCOMPARE(m_script.asked[0].text + m_script.asked[0].title + m_script.asked[0].defaultAnswer,
                 QString("What is the title of your program?Step 1Untitled"));
        QCOMPARE(w->Check1->text(), QString("Completed"));

        click(w, "Command8"); // Cancel unloads
        QTRY_VERIFY(!platform::windows().loadedWindow<frmCompile>());
        auto *again = platform::windows().show<frmCompile>();
        QCOMPARE(again->Preview->Text(), QString());
        QCOMPARE(again->Check1->text(), QString("Not Done"));
    }

    void options_data()
    {
        QTest::addColumn<QStringList>("switches"); // company, date, e-mail, web; "-" = missing
        QTest::addColumn<QString>("program");      // the documentation program; null = missing
        QTest::addColumn<QStringList>("asked");    // by step 2: prompt | title | default
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("family"); // of the preview and the steps window
        QTest::addColumn<double>("size");

        using L = QStringList;
        const QString creator = "Who created this program?|Step 2|John Doe",
                      company = "What is the title of your company?|Step 2 - 1|Blah Inc.",
                      date = "What date did you finish this program?|Step 2 - 3|00/00/00",
                      mail = "What is your e-mail address?|Step 2|someone@example.com",
                      web = "What is your web-site address??|Step 2|http://www.example.com";
        // clang-format off
        QTest::newRow("all on, WordPad") << L{"1", "1", "1", "1"} << QString("WordPad")
            << L{creator, company, date, mail, web}
            << "\r\nCreated by: a1\r\nCompany: a2\r\nDate Finished: a3\r\nE-Mail: a4\r\n"
               "Web-Site URL: a5\r\n" << "Arial" << 10.0;
        QTest::newRow("off, other text, missing value, NotePad") << L{"0", "yes", "1 ", "-"}
            << QString("NotePad") << L{creator} << "\r\nCreated by: a1\r\n" << "Courier" << 9.75;
        QTest::newRow("date and web only, other program") << L{"0", "1", "-", "1"} << QString("HTML")
            << L{creator, date, web}
            << "\r\nCreated by: a1\r\nDate Finished: a2\r\nWeb-Site URL: a3\r\n" << "Arial" << 9.75;
        QTest::newRow("keys missing") << L{"-", "-", "-", "-"} << QString() << L{creator}
            << "\r\nCreated by: a1\r\n" << "Arial" << 9.75;
        // clang-format on
    }
    void options()
    {
        QFETCH(QStringList, switches);
        QFETCH(QString, program);
        for (int i = 0; i < 4; ++i)
            if (switches[i] != "-")
                setOption(switchNames[i], switches[i]);
        if (!program.isNull())
            setOption("DocumentPrgm OPT", program);

        auto *w = platform::windows().show<frmCompile>();
        auto *steps = platform::windows().show<frmCompile_Steps>();
        for (platform::RichTextBox *box : {w->Preview, steps->RichTextBox1}) {
            QTEST(box->fontName(), "family");
            QTEST(box->fontSize(), "size");
        }
        m_script.prompts = {QString("a1"), QString("a2"), QString("a3"), QString("a4"),
                            QString("a5")};
        click(w, "Command2");
        QStringList asked;
        for (const auto &a : m_script.asked)
            asked << a.text + "|" + a.title + "|" + a.defaultAnswer;
        QTEST(asked, "asked");
        QTEST(w->Preview->Text(), "document");
        QCOMPARE(w->Check2->text(), QString("Completed"));
    }

    void anyOrderAndClearAll()
    {
        setOption("Company Name OPT", "1");
        auto *w = platform::windows().show<frmCompile>();
        m_script.prompts = {QString("Game"), QString("Me"), std::nullopt};
        click(w, "Command1");
        click(w, "Command2");
        click(w, "Command5");
        auto *final = platform::windows().loadedWindow<frmCompile_Final>();
        final->RichTextBox1->setText("(c) The end.");
        final->RichTextBox1->setSelLength(4);
        click(final, "Command1"); // replaces the selection with the copyright sign
        click(final, "Command2");
        click(w, "Command3");
        auto *description = loaded<frmCompile_Description>();
        QTest::keyClicks(description->RichTextBox1, "Desc");
        description->RichTextBox1->setSelText("\r\n");
        click(w, "Command3"); // pressed again: the same window keeps its text
        QCOMPARE(loaded<frmCompile_Description>(), description);
        click(description, "Command2");
        runCompanion(w, "Command4", &loaded<frmCompile_Steps>, "1. Run");

        QCOMPARE(w->Preview->Text(),
                 QString("Game\r\nCreated by: Me\r\nCompany: \r\n\r\n\u00A9The end."
                         "\r\nDesc\r\n\r\n1. Run"));
        QTRY_VERIFY(!loaded<frmCompile_Final>() && !loaded<frmCompile_Description>() &&
                    !loaded<frmCompile_Steps>());

        click(w, "Command3"); // reopened after Done: empty
        QCOMPARE(loaded<frmCompile_Description>()->RichTextBox1->Text(), QString());

        w->Preview->setSelStart(4); // a step inserts at the insertion point
        runCompanion(w, "Command4", &loaded<frmCompile_Steps>, "+");
        QVERIFY(w->Preview->Text().startsWith("Game\r\n+\r\nCreated by: "));

        click(w, "Command6");
        QCOMPARE(w->Preview->Text(), QString());
        for (QCheckBox *b : {w->Check1, w->Check2, w->Check3, w->Check4, w->Check5}) {
            QVERIFY(b->isChecked());
            QCOMPARE(b->text(), QString("Completed"));
        }
    }

    // The companions hold prose: typed characters the calculator lacks and
    // the copyright sign stay what they are.
    void companionsHoldProse()
    {
        auto *w = platform::windows().show<frmCompile>();
        click(w, "Command5");
        auto *final = loaded<frmCompile_Final>();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "\u20AC\u03C9");
        QApplication::sendEvent(final->RichTextBox1, &press);
        click(final, "Command1");
        QCOMPARE(final->RichTextBox1->Text(), QString("\u20AC\u03C9\u00A9"));
        click(final, "Command2");
        QCOMPARE(w->Preview->Text(), QString("\r\n\u20AC\u03C9\u00A9"));
        w->close();
    }

    void okSavesAndHandsOver()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.txt");
        auto *w = platform::windows().show<frmCompile>();
        m_script.prompts = {QString("Titl\u00E9"), QString("Ann")};
        click(w, "Command1");
        click(w, "Command2");
        runCompanion(w, "Command5", &loaded<frmCompile_Final>, "A\u2192\u03B8 \u00A9");
        m_script.files = {std::nullopt, dir.filePath("missing/doc.txt"), path};
        click(w, "Command7"); // cancelled: nothing happens
        click(w, "Command7"); // cannot be written: said so, the wizard stays
        QCOMPARE(m_script.titles("message"), QStringList{"Torvane Studio"});
        QVERIFY(m_script.asked.back().text.contains("could not be saved"));
        QVERIFY(!platform::windows().loadedWindow<frmDone>());
        QVERIFY(w->isVisible());
        click(w, "Command7");

        QCOMPARE(m_script.titles("save"), QStringList(3, "Save Document"));
        QCOMPARE(m_script.asked.back().defaultAnswer, QString("Text File (*.txt)|*.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly) && !QFile::exists(dir.filePath("missing")));
        // The prose as it was shown.
        QCOMPARE(f.readAll(), QByteArray("\xEF\xBB\xBFTitl\xC3\xA9\r\nCreated by: Ann\r\n\r\n"
                                         "A\xE2\x86\x92\xCE\xB8 \xC2\xA9"));
        auto *done = platform::windows().loadedWindow<frmDone>();
        QVERIFY(done && done->isVisible());
        QTRY_VERIFY(!platform::windows().loadedWindow<frmCompile>());
    }

private:
    dialogs::Script m_script;
};

TORVANE_TEST(TstfrmCompile);
#include "tst_frmcompile.moc"
