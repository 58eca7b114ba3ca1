// The entry procedure's decisions and what each start leaves on screen.
#include "common/TestRegistry.h"

#include "auxiliary/frmTip.h"
#include "editor/frmDocument.h"
#include "platform/AppInfo.h"
#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/Pause.h"
#include "platform/Places.h"
#include "platform/RegistryAccess.h"
#include "platform/RichTextBox.h"
#include "platform/SettingsStore.h"
#include "platform/Windows.h"
#include "reference/frmExample.h"
#include "shell/Main.h"
#include "shell/Studio.h"
#include "shell/frmFirstTime.h"
#include "shell/frmMain.h"
#include "shell/frmOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace shell;

namespace
{
template <typename T> bool shown()
{
    T *w = platform::windows().loadedWindow<T>();
    return w && w->isVisible();
}

void seed(const platform::config::OptionKey &key, const QString &value)
{
    if (!value.isNull())
        platform::settings::writeOption(key, value);
}
} // namespace

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void init() { platform::setPauseScale(0); }
    void cleanup() { Studio::instance().reset(); }
    void decisionTable_data();
    void decisionTable();
    void normalStartWindows();
    void firstTimeSetupMakesNextStartNormal();
    void switchedOffWindowsCloseThemselves();
    void firstTimeSetupWithUnwritableRegistryRunsAgain();
    void filesNamedOnTheCommandLineOpen();
    void optionsShowWhatIsStoredNow();
};

void TstStartup::decisionTable_data()
{
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("tips");
    QTest::addColumn<bool>("exampleShown");
    QTest::addColumn<bool>("firstShown");
    QTest::addColumn<bool>("mainShown");
    QTest::addColumn<bool>("tipShown");
    const QString none;
    QTest::newRow("empty store") << none << none << none << true << true << false << false;
    QTest::newRow("first start again") << "0"
                                       << "1"
                                       << "1" << false << true << false << false;
    QTest::newRow("quiet normal start") << "0"
                                        << "0"
                                        << "0" << false << false << true << false;
    QTest::newRow("tips 1") << "0"
                            << "0"
                            << "1" << false << false << true << true;
    QTest::newRow("tips 2 shows") << "0"
                                  << "0"
                                  << "2" << false << false << true << true;
    QTest::newRow("tips not a number") << "0"
                                       << "0"
                                       << "x" << false << false << true << true;
    QTest::newRow("example 1") << "1"
                               << "0"
                               << "0" << true << false << true << false;
    QTest::newRow("example 2 hides") << "2"
                                     << "0"
                                     << "0" << false << false << true << false;
    QTest::newRow("example not a number") << "no"
                                          << "0"
                                          << "0" << false << false << true << false;
    QTest::newRow("first not a number") << "0"
                                        << "x"
                                        << "0" << false << false << true << false;
    QTest::newRow("first 2 is normal") << "0"
                                       << "2"
                                       << "0" << false << false << true << false;
}

void TstStartup::decisionTable()
{
    QFETCH(QString, example);
    QFETCH(QString, first);
    QFETCH(QString, tips);
    testing::IsolatedProfile profile;
    seed(platform::config::ShowExample, example);
    seed(platform::config::ShowFirstTime, first);
    seed(platform::config::ShowTipsAtStartup, tips);

    QList<double> pauses;
    platform::setPauseRecorder(&pauses);
    Main();
    platform::setPauseRecorder(nullptr);

    QTEST(shown<reference::frmExample>(), "exampleShown");
    // A normal start pauses 3 seconds with the splash up; a first start not at all.
    QFETCH(bool, mainShown);
    QCOMPARE(pauses, mainShown ? QList<double>{3} : QList<double>{});
    QTEST(shown<frmFirstTime>(), "firstShown");
    QTEST(Studio::instance().mainFrame() && Studio::instance().mainFrame()->isVisible(),
          "mainShown");
    QTEST(shown<auxiliary::frmTip>(), "tipShown");
    QVERIFY(!QApplication::activeModalWidget());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(w->objectName() != QLatin1String("frmSplash"), "the splash must be gone");
}

void TstStartup::normalStartWindows()
{
    testing::IsolatedProfile profile;
    seed(platform::config::ShowExample, "0");
    seed(platform::config::ShowFirstTime, "0");
    seed(platform::config::ShowTipsAtStartup, "0");
    {
        platform::RegistryAccess reg;
        reg.selectCompileOptionsForWriting();
        int t = 0;
        reg.SetValue("DocumentPrgm OPT", t, QStringLiteral("WordPad"));
        reg.SetValue("Company Name OPT", t, QStringLiteral("1"));
        reg.SetValue("E-Mail OPT", t, QStringLiteral("0"));
        reg.SetValue("Web-Page url OPT", t, QStringLiteral("maybe"));
    }
    Main();
    frmMain *frame = Studio::instance().mainFrame();
    QVERIFY(frame);
    QCOMPARE(frame->windowTitle(), QString("TorvaneStudio"));
    QStringList captions;
    for (QMdiSubWindow *s : frame->mdiArea()->subWindowList())
        captions << s->widget()->windowTitle();
    QCOMPARE(captions, (QStringList{"Document 1", "frmDocument"}));
    // Only the default document window has Save disabled.
    auto *first =
        qobject_cast<editor::frmDocument *>(frame->mdiArea()->subWindowList()[0]->widget());
    QVERIFY(first->mnuSave->isEnabled());
    QVERIFY(!Studio::instance().defaultDocument()->mnuSave->isEnabled());
    // The splash filled the options dialog, which stays loaded and hidden.
    frmOptions *o = platform::windows().loadedWindow<frmOptions>();
    QVERIFY(o && !o->isVisible());
    QVERIFY(o->Option2->isChecked() && !o->Option1->isChecked());
    QVERIFY(o->Check4->isChecked());
    QVERIFY(!o->Check6->isChecked());
    QVERIFY(!o->Check3->isChecked()); // other text leaves the box as it was
    QVERIFY(!o->Check5->isChecked()); // missing value: the same
}

void TstStartup::firstTimeSetupMakesNextStartNormal()
{
    testing::IsolatedProfile profile;
    seed(platform::config::ShowExample, "0");
    Main();
    frmFirstTime *setup = platform::windows().loadedWindow<frmFirstTime>();
    QVERIFY(setup && setup->isVisible());
    QList<int> progress;
    connect(setup, &frmFirstTime::progressChanged, this, [&](int v) { progress << v; });
    QTest::mouseClick(setup->Command1, Qt::LeftButton);
    QCOMPARE(progress, (QList<int>{10, 17, 25, 39, 47, 60, 69, 75, 89, 97, 100}));
    QVERIFY(!setup->Command1->isEnabled());
    QVERIFY(setup->Command2->isEnabled());
    QCOMPARE(setup->Label1->text(),
             QString("Press the 'Close' button to close this dialog box. Then, "
                     "restart Torvane Studio from the applications menu, or with the "
                     "command torvane-studio."));
    platform::RegistryAccess reg;
    reg.SelectKey(platform::config::registry::CompileOptionsKey);
    for (const char *name :
         {"Web-Page url OPT", "E-Mail OPT", "Date Finished OPT", "Company Name OPT"})
        QCOMPARE(reg.valueText(QString::fromLatin1(name)), QString("1"));
    QCOMPARE(reg.valueText("DocumentPrgm OPT"), QString("NotePad"));
    QCOMPARE(platform::settings::readOption(platform::config::ShowFirstTime), 0);
    QTest::mouseClick(setup->Command2, Qt::LeftButton);
    QTRY_VERIFY(!platform::windows().loadedWindow<frmFirstTime>());

    platform::settings::writeOption(platform::config::ShowTipsAtStartup, "0");
    Main();
    QVERIFY(Studio::instance().mainFrame() && Studio::instance().mainFrame()->isVisible());
}

void TstStartup::switchedOffWindowsCloseThemselves()
{
    testing::IsolatedProfile profile;
    seed(platform::config::ShowExample, "0");
    seed(platform::config::ShowTipsAtStartup, "0");
    QPointer<QWidget> tip = platform::windows().show<auxiliary::frmTip>();
    QPointer<QWidget> example = platform::windows().show<reference::frmExample>();
    QTRY_VERIFY(!tip && !example);
}

void TstStartup::firstTimeSetupWithUnwritableRegistryRunsAgain()
{
    testing::IsolatedProfile profile;
    seed(platform::config::ShowExample, "0");
    // A folder where the registry file should be: no value can be written.
    QVERIFY(QDir().mkpath(platform::places::registryFile()));
    platform::dialogs::Script script;
    platform::dialogs::setScript(&script);
    Main();
    frmFirstTime *setup = platform::windows().loadedWindow<frmFirstTime>();
    QTest::mouseClick(setup->Command1, Qt::LeftButton);
    platform::dialogs::setScript(nullptr);
    QCOMPARE(script.titles("message").size(), 1);
    QCOMPARE(setup->Label1->text(),
             QString("The setup did not finish. Press 'Close' and try again."));
    QCOMPARE(platform::settings::readOption(platform::config::ShowFirstTime), 1);
}

void TstStartup::filesNamedOnTheCommandLineOpen()
{
    testing::IsolatedProfile profile;
    seed(platform::config::ShowExample, "0");
    seed(platform::config::ShowFirstTime, "0");
    seed(platform::config::ShowTipsAtStartup, "0");
    QStringList files;
    for (const QString &program : {QString("Disp 1"), QString("ClrHome\r\nDisp 2")}) {
        platform::RichTextBox box;
        box.setText(program);
        files << profile.path() + QString("/p%1.tvf").arg(files.size());
        QVERIFY(box.saveRtf(files.last(), nullptr));
    }
    Main(files);
    editor::frmDocument *def = Studio::instance().defaultDocumentIfLoaded();
    QCOMPARE(def->RichTextBox1->Text(), QString("Disp 1"));
    QCOMPARE(def->fileName(), files[0]);
    QVERIFY(def->mnuSave->isEnabled());
    const auto subs = Studio::instance().mainFrame()->mdiArea()->subWindowList();
    auto *second = qobject_cast<editor::frmDocument *>(subs.last()->widget());
    QCOMPARE(second->windowTitle(), QString("Document 2"));
    QCOMPARE(second->RichTextBox1->Text(), QString("ClrHome\r\nDisp 2"));
}

void TstStartup::optionsShowWhatIsStoredNow()
{
    testing::IsolatedProfile profile;
    seed(platform::config::ShowExample, "2");
    // Loaded hidden at start-up, as the splash does, while tips are on...
    frmOptions *o = platform::windows().window<frmOptions>();
    QVERIFY(o->Check1->isChecked());
    // ...then switched off in the tip window.
    platform::settings::writeOption(platform::config::ShowTipsAtStartup, "0");
    platform::windows().show<frmOptions>();
    QVERIFY(!o->Check1->isChecked());
    // Reading never wrote the example switch back.
    QCOMPARE(platform::settings::read(platform::exeBaseName(), "Options", "Show Example", ""),
             QString("2"));
    QTest::mouseClick(o->Command1, Qt::LeftButton); // OK
    QCOMPARE(platform::settings::readOption(platform::config::ShowTipsAtStartup), 0);
    o = platform::windows().show<frmOptions>();
    // The option buttons are one group: a click on the chosen one keeps it.
    o->Option3->click();
    o->Option3->click();
    QVERIFY(o->Option3->isChecked());
    o->Option2->click();
    QVERIFY(o->Option2->isChecked() && !o->Option3->isChecked() && !o->Option1->isChecked());
    // Escape closes without saving.
    QApplication::setActiveWindow(o);
    QVERIFY(QTest::qWaitForWindowActive(o));
    QTest::keyClick(o, Qt::Key_Escape);
    QTRY_VERIFY(!platform::windows().loadedWindow<frmOptions>());
    platform::RegistryAccess reg;
    reg.SelectKey(platform::config::registry::CompileOptionsKey);
    QCOMPARE(reg.valueText(platform::config::registry::DocumentProgramOption), QString("NotePad"));
}

TORVANE_TEST(TstStartup);
#include "tst_startup.moc"
