// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The shell: the entry procedure's decisions and what each start leaves on
// screen; the main frame and the document windows it holds (menus, numbering,
// placement, File > Open, closing) and their wiring to the other subsystems.
#include "common/TestRegistry.h"

#include "auxiliary/frmBrowser.h"
#include "auxiliary/frmTip.h"
#include "calc/CalcFile.h"
#include "calc/Models.h"
#include "editor/Document.h"
#include "editor/Highlighter.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "platform/AppInfo.h"
#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/Places.h"
#include "platform/RegistryAccess.h"
#include "platform/RichTextBox.h"
#include "platform/SettingsStore.h"
#include "platform/WindowRegistry.h"
#include "projects/frmNewProject.h"
#include "projects/frmNewStandard.h"
#include "reference/ReferenceEntries.h"
#include "reference/WizardText.h"
#include "reference/frmExample.h"
#include "reference/frmWizard_GETKEY.h"
#include "reference/frmWizard_MENU.h"
#include "shell/Main.h"
#include "shell/Pause.h"
#include "shell/Studio.h"
#include "shell/frmFirstTime.h"
#include "shell/frmMain.h"
#include "shell/frmOptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <optional>

using namespace shell;
using namespace platform::config;

namespace
{
// Every test gets its own profile and scripted dialogs; every window it
// leaves is closed afterwards.
struct Fixture {
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    Fixture()
    {
        shell::setPauseScale(0);
        platform::dialogs::setScript(&script);
    }
    ~Fixture()
    {
        Studio::instance().reset();
        platform::dialogs::setScript(nullptr);
    }
};

template <typename T> bool shown()
{
    T *w = platform::windows().loadedWindow<T>();
    return w && w->isVisible();
}

void seed(const OptionKey &key, const QString &value)
{
    if (!value.isNull())
        platform::settings::writeOption(key, value);
}

QString compileOption(const QString &name)
{
    platform::RegistryAccess reg;
    reg.SelectKey(registry::CompileOptionsKey);
    return reg.valueText(name);
}

QStringList captions(frmMain *frame)
{
    QStringList out;
    for (QMdiSubWindow *s : frame->mdiArea()->subWindowList())
        out << s->widget()->windowTitle();
    return out;
}

QAction *act(QWidget *w, const QString &name)
{
    return w->findChild<QAction *>(name);
}

QStringList menuBarCaptions(QMainWindow *w)
{
    QStringList out;
    for (QAction *a : w->menuBar()->actions())
        out << a->text();
    return out;
}

frmMain *openFrame(bool load = true)
{
    auto *frame = new frmMain;
    if (load)
        frame->load();
    frame->show();
    return frame;
}

// Everything a reference item could have done to its window or the program.
QString state(editor::frmDocument *doc, const platform::dialogs::Script &script)
{
    return QStringList{
        doc->RichTextBox1->Text(),
        doc->RichTextBox2->Text(),
        doc->RichTextBox3->Text(),
        doc->example->text(),
        QString::number(script.asked.size()),
        QString::number(bool(platform::windows().loadedWindow<reference::frmWizard_GETKEY>())),
        QString::number(bool(platform::windows().loadedWindow<reference::frmWizard_MENU>()))}
        .join(QLatin1Char('|'));
}
} // namespace

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_fixture.emplace(); }
    void cleanup() { m_fixture.reset(); }
    void decisionTable_data()
    {
        QTest::addColumn<QString>("example"); // the stored switches; null: none stored
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("tips");
        QTest::addColumn<QString>("windows"); // Example, First-time, Main, Tip
        const auto row = [](const char *name, const char *example, const char *first,
                            const char *tips, const char *windows) {
            QTest::newRow(name) << QString(example) << QString(first) << QString(tips)
                                << QString(windows);
        };
        row("empty store", nullptr, nullptr, nullptr, "EF");
        row("first start again", "0", "1", "1", "F");
        row("quiet normal start", "0", "0", "0", "M");
        row("tips 1", "0", "0", "1", "MT");
        row("tips 2 shows", "0", "0", "2", "MT");
        row("tips not a number", "0", "0", "x", "MT");
        row("example 1", "1", "0", "0", "EM");
        row("example 2 hides", "2", "0", "0", "M");
        row("example not a number", "no", "0", "0", "M");
        row("first not a number", "0", "x", "0", "M");
        row("first 2 is normal", "0", "2", "0", "M");
    }
    void decisionTable()
    {
        QFETCH(QString, example);
        QFETCH(QString, first);
        QFETCH(QString, tips);
        QFETCH(QString, windows);
        seed(ShowExample, example);
        seed(ShowFirstTime, first);
        seed(ShowTipsAtStartup, tips);
        {
            platform::RegistryAccess reg;
            reg.selectCompileOptionsForWriting();
            int t = 0;
            reg.SetValue("DocumentPrgm OPT", t, QStringLiteral("WordPad"));
            reg.SetValue("Company Name OPT", t, QStringLiteral("1"));
            reg.SetValue("E-Mail OPT", t, QStringLiteral("0"));
            reg.SetValue("Web-Page url OPT", t, QStringLiteral("maybe"));
        }
        QList<double> pauses;
        shell::setPauseRecorder(&pauses);
        Main();
        shell::setPauseRecorder(nullptr);

        frmMain *frame = Studio::instance().mainFrame();
        QCOMPARE(QString(shown<reference::frmExample>() ? "E" : "") +
                     (shown<frmFirstTime>() ? "F" : "") + (frame && frame->isVisible() ? "M" : "") +
                     (shown<auxiliary::frmTip>() ? "T" : ""),
                 windows);
        // A normal start pauses 3 seconds with the splash up; a first start not at all.
        QCOMPARE(pauses, windows.contains('M') ? QList<double>{3} : QList<double>{});
        QVERIFY(!QApplication::activeModalWidget());
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(w->objectName() != QLatin1String("frmSplash"), "the splash must be gone");
        if (!frame)
            return;
        // A normal start: only the default document window has Save disabled.
        QCOMPARE(frame->windowTitle(), QString("TorvaneStudio"));
        QCOMPARE(captions(frame), (QStringList{"Document 1", "frmDocument"}));
        const auto subs = frame->mdiArea()->subWindowList();
        QCOMPARE(subs[1]->widget(), Studio::instance().defaultDocument());
        QVERIFY(qobject_cast<editor::frmDocument *>(subs[0]->widget())->mnuSave->isEnabled());
        QVERIFY(!Studio::instance().defaultDocument()->mnuSave->isEnabled());
        // The splash filled the options dialog, which stays loaded and hidden.
        frmOptions *o = platform::windows().loadedWindow<frmOptions>();
        QVERIFY(o && !o->isVisible());
        QVERIFY(o->Option2->isChecked() && !o->Option1->isChecked());
        QVERIFY(o->Check4->isChecked() && !o->Check6->isChecked());
        // Other text, or no value at all, leaves the box as it was.
        QVERIFY(!o->Check3->isChecked() && !o->Check5->isChecked());
    }
    void startupWindowsInFrontOfTheFrame_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("tips");
        QTest::addColumn<QString>("front"); // the active window after start-up
        QTest::newRow("tip") << "0"
                             << "1"
                             << "frmTip";
        QTest::newRow("example") << "1"
                                 << "0"
                                 << "frmExample";
        // Both: the tip came up last, so it stays on top.
        QTest::newRow("both") << "1"
                              << "1"
                              << "frmTip";
        QTest::newRow("neither") << "0"
                                 << "0"
                                 << "frmMain";
    }
    void startupWindowsInFrontOfTheFrame()
    {
        QFETCH(QString, example);
        QFETCH(QString, tips);
        QFETCH(QString, front);
        seed(ShowExample, example);
        seed(ShowFirstTime, "0");
        seed(ShowTipsAtStartup, tips);
        Main();
        QTRY_VERIFY(QApplication::activeWindow());
        QTRY_COMPARE(QApplication::activeWindow()->objectName(), front);
        QCOMPARE(shown<reference::frmExample>(), example == "1");
        QCOMPARE(shown<auxiliary::frmTip>(), tips == "1");
    }
    void firstTimeSetup_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("normal") << true;
        QTest::newRow("unwritable registry") << false;
    }
    void firstTimeSetup()
    {
        QFETCH(bool, writable);
        seed(ShowExample, "0");
        // A folder where the registry file should be: no value can be written.
        if (!writable)
            QVERIFY(QDir().mkpath(platform::places::registryFile()));
        Main();
        frmFirstTime *setup = platform::windows().loadedWindow<frmFirstTime>();
        QVERIFY(setup && setup->isVisible());
        QList<int> progress;
        connect(setup, &frmFirstTime::progressChanged, this, [&](int v) { progress << v; });
        QTest::mouseClick(setup->Command1, Qt::LeftButton);
        QCOMPARE(m_fixture->script.titles("message").size(), writable ? 0 : 1);
        // Only a finished setup makes the next start a normal one.
        QCOMPARE(platform::settings::readOption(ShowFirstTime), writable ? 0 : 1);
        if (!writable) {
            QCOMPARE(setup->Label1->text(),
                     QString("The setup did not finish. Press 'Close' and try again."));
            return;
        }
        QCOMPARE(progress, (QList<int>{10, 17, 25, 39, 47, 60, 69, 75, 89, 97, 100}));
        QVERIFY(!setup->Command1->isEnabled() && setup->Command2->isEnabled());
        QVERIFY(
            setup->Label1->text().startsWith("Press the 'Close' button to close this dialog box."));
        for (const char *name :
             {"Web-Page url OPT", "E-Mail OPT", "Date Finished OPT", "Company Name OPT"})
            QCOMPARE(compileOption(QString::fromLatin1(name)), QString("1"));
        QCOMPARE(compileOption("DocumentPrgm OPT"), QString("NotePad"));
        QTest::mouseClick(setup->Command2, Qt::LeftButton);
        QTRY_VERIFY(!platform::windows().loadedWindow<frmFirstTime>());
    }
    void switchedOffWindowsCloseThemselves()
    {
        seed(ShowExample, "0");
        seed(ShowTipsAtStartup, "0");
        QPointer<QWidget> tip = platform::windows().show<auxiliary::frmTip>();
        QPointer<QWidget> example = platform::windows().show<reference::frmExample>();
        QTRY_VERIFY(!tip && !example);
    }
    void filesNamedOnTheCommandLineOpen()
    {
        for (const OptionKey &key : {ShowExample, ShowFirstTime, ShowTipsAtStartup})
            seed(key, "0");
        QStringList files;
        for (const QString &program : {QString("Disp 1"), QString("ClrHome\r\nDisp 2")}) {
            platform::RichTextBox box;
            box.setText(program);
            files << m_fixture->profile.path() + QString("/p%1.tvf").arg(files.size());
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
    void optionsShowWhatIsStoredNow()
    {
        seed(ShowExample, "2");
        // Loaded hidden at start-up, as the splash does, while tips are on...
        frmOptions *o = platform::windows().window<frmOptions>();
        QVERIFY(o->Check1->isChecked());
        // ...then switched off in the tip window.
        platform::settings::writeOption(ShowTipsAtStartup, "0");
        platform::windows().show<frmOptions>();
        QVERIFY(!o->Check1->isChecked());
        // Reading never wrote the example switch back.
        QCOMPARE(platform::settings::read(platform::exeBaseName(), "Options", "Show Example", ""),
                 QString("2"));
        QTest::mouseClick(o->Command1, Qt::LeftButton); // OK
        QCOMPARE(platform::settings::readOption(ShowTipsAtStartup), 0);
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
        QCOMPARE(compileOption(registry::DocumentProgramOption), QString("NotePad"));
    }
    // The Editor tab's switches reach open windows at once: colouring of the
    // panes, and the caret figures in the panel between "Status" and the date.
    void editorSwitches()
    {
        frmMain *frame = openFrame();
        auto *doc = qobject_cast<editor::frmDocument *>(
            frame->mdiArea()->subWindowList().first()->widget());
        QLabel *figures = frame->findChild<QLabel *>("PanelFigures");
        const QList<QWidget *> order{frame->findChild<QLabel *>("Panel1"), figures,
                                     frame->findChild<QLabel *>("Panel2")};
        doc->RichTextBox1->setSelText("Disp 1\r\nStop");
        QTRY_COMPARE(figures->text(), QString("Ln 2, Col 5   4 bytes"));
        QVERIFY(figures->isVisible());
        for (int i = 1; i < order.size(); ++i)
            QVERIFY(order[i - 1]->x() < order[i]->x());

        frmOptions *o = platform::windows().show<frmOptions>();
        QCOMPARE(o->SSTab1->tabText(3), QString("Editor"));
        QVERIFY(o->chkHighlight->isChecked() && o->chkStatusFigures->isChecked());
        QVERIFY(editor::Highlighter::of(doc->RichTextBox1));
        QVERIFY(o->chkCheckProgram->isChecked() && o->chkShowHints->isChecked());
        o->chkHighlight->setChecked(false);
        o->chkStatusFigures->setChecked(false);
        o->chkShowHints->setChecked(false);
        QTest::mouseClick(o->Command3, Qt::LeftButton); // Apply
        QCOMPARE(platform::settings::readOption(platform::config::EditorShowHints), 0);
        QCOMPARE(platform::settings::readOption(platform::config::EditorCheckProgram), 1);
        QVERIFY(!figures->isVisible());
        QVERIFY(!editor::Highlighter::of(doc->RichTextBox1));
        QCOMPARE(platform::settings::readOption(EditorHighlighting), 0);
        QCOMPARE(platform::settings::readOption(EditorStatusFigures), 0);
        o->chkHighlight->setChecked(true);
        QTest::mouseClick(o->Command2, Qt::LeftButton); // Cancel writes nothing
        QCOMPARE(platform::settings::readOption(EditorHighlighting), 0);
    }
    // Line numbers, font size and theme: on, the default size and the
    // desktop's at first; Apply reaches the open program pane at once.
    void editorViewOptions()
    {
        frmMain *frame = openFrame();
        auto *doc = qobject_cast<editor::frmDocument *>(
            frame->mdiArea()->subWindowList().first()->widget());
        frmOptions *o = platform::windows().show<frmOptions>();
        QVERIFY(o->chkLineNumbers->isChecked());
        QCOMPARE(o->spnFontSize->value(), platform::config::EditorFontSize.defaultValue);
        QCOMPARE(o->cboTheme->currentText(), QString("As the desktop"));
        const int withNumbers = doc->RichTextBox1->leftMarginWidth();
        o->chkLineNumbers->setChecked(false);
        o->spnFontSize->setValue(15);
        o->cboTheme->setCurrentIndex(1);
        QTest::mouseClick(o->Command3, Qt::LeftButton); // Apply
        QCOMPARE(qRound(doc->RichTextBox1->font().pointSizeF()), 15);
        QVERIFY(doc->RichTextBox1->palette().color(QPalette::Base).lightness() < 128);
        QVERIFY(doc->RichTextBox1->leftMarginWidth() < withNumbers);
        QCOMPARE(platform::settings::readOption(platform::config::EditorTheme), 1);
    }
    // The default model: the five, the TI-83 Plus at first; Apply stores it
    // and an open document with no model chosen is shown as it at once.
    void defaultModelOption()
    {
        frmMain *frame = openFrame();
        auto *doc = qobject_cast<editor::frmDocument *>(
            frame->mdiArea()->subWindowList().first()->widget());
        auto *model = doc->findChild<QComboBox *>(QStringLiteral("cboModel"));
        QCOMPARE(model->currentText(), QString("TI-83 Plus (default)"));
        frmOptions *o = platform::windows().show<frmOptions>();
        QCOMPARE(o->cboDefaultModel->count(), 5);
        QCOMPARE(o->cboDefaultModel->currentText(), QString("TI-83 Plus"));
        o->cboDefaultModel->setCurrentIndex(4);
        QTest::mouseClick(o->Command3, Qt::LeftButton); // Apply
        QCOMPARE(platform::settings::readOption(platform::config::EditorDefaultModel),
                 int(calc::models::Model::Ti84PlusCE));
        QCOMPARE(model->currentText(), QString("TI-84 Plus CE (default)"));
        QVERIFY(!doc->isModified());
    }

private:
    std::optional<Fixture> m_fixture;
};

TORVANE_TEST(TstStartup);

class TstMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_fixture.emplace(); }
    void cleanup() { m_fixture.reset(); }
    void menuTreeMessagesAndStatusBar()
    {
        frmMain *frame = openFrame(false);
        // Name and caption; the items marked * only show their placeholder message.
        const QStringList items =
            QString("mnuNewProject=New Project|mnuOpen=Open|mnuFilePageSetup=Page Set&up...|"
                    "mnuFilePrint=&Print...|mnuFileExit=E&xit|*mnuEditUndo=&Undo|mnuEditCut=Cu&t|"
                    "mnuEditCopy=&Copy|mnuEditPaste=&Paste|*mnuEditPasteSpecial=Paste &Special...|"
                    "mnuViewToolbar=&Toolbar|mnuViewStatusBar=Status &Bar|*mnuViewRefresh=&Refresh|"
                    "mnuViewOptions=&Options...|mnuViewWebBrowser=&Web Browser|"
                    "mnuToolsOptions=&Options...|mnuWindowNewWindow=&New Window|"
                    "mnuWindowCascade=&Cascade|mnuWindowTileHorizontal=Tile &Horizontal|"
                    "mnuWindowTileVertical=Tile &Vertical|mnuWindowArrangeIcons=&Arrange Icons|"
                    "mnuHelpAbout=&About ")
                .split(u'|');
        for (const QString &item : items) {
            const QString name = item.section(u'=', 0, 0).remove(u'*');
            QAction *a = act(frame, name);
            QVERIFY2(a, qPrintable(name));
            QCOMPARE(a->text(), item.section(u'=', 1));
            if (!item.startsWith(u'*'))
                continue;
            m_fixture->script.asked.clear();
            a->trigger();
            QCOMPARE(m_fixture->script.asked.size(), size_t(1));
            QCOMPARE(m_fixture->script.asked[0].kind, QString("message"));
            QCOMPARE(m_fixture->script.asked[0].text, QString("Add '%1_Click' code.").arg(name));
            QCOMPARE(m_fixture->script.asked[0].title, QString("Torvane Studio"));
        }
        QCOMPARE(menuBarCaptions(frame),
                 (QStringList{"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"}));
        QVERIFY(act(frame, "Space5")->isSeparator());
        QVERIFY(act(frame, "mnuViewToolbar")->isChecked());
        QAction *statusBar = act(frame, "mnuViewStatusBar");
        QVERIFY(statusBar->isChecked());
        statusBar->trigger();
        QVERIFY(!statusBar->isChecked() && !frame->sbStatusBar->isVisible());
        statusBar->trigger();
        QVERIFY(statusBar->isChecked() && frame->sbStatusBar->isVisible());
        const auto panels = frame->sbStatusBar->findChildren<QLabel *>();
        QVERIFY(std::any_of(panels.begin(), panels.end(),
                            [](QLabel *l) { return l->text() == QLatin1String("Status"); }));
    }
    void documentNumbering()
    {
        frmMain *frame = openFrame(false);
        QAction *newWindow = act(frame, "mnuWindowNewWindow");
        for (int i = 0; i < 4; ++i)
            newWindow->trigger();
        QCOMPARE(captions(frame),
                 (QStringList{"Document 1", "Document 2", "Document 3", "Document 4"}));
        // The active document's menus, with the frame's Window menu, replace the frame's.
        QTRY_COMPARE(menuBarCaptions(frame),
                     (QStringList{"&File ", "&Edit ", "&Insert ", "Graph", "Variables", "Tools ",
                                  "&Run", "Help ", "&Window"}));
        frame->mdiArea()->subWindowList()[2]->close();
        QTRY_COMPARE(frame->mdiArea()->subWindowList().size(), 3);
        newWindow->trigger();
        QCOMPARE(captions(frame),
                 (QStringList{"Document 1", "Document 2", "Document 4", "Document 5"}));
        QCOMPARE(frame->documentCounter(), 5);

        frame->mdiArea()->closeAllSubWindows();
        QTRY_COMPARE(menuBarCaptions(frame).constFirst(), QString("&File"));
    }
    void placement_data()
    {
        QTest::addColumn<QStringList>("stored"); // left, top, width, height in twips; "": none
        QTest::addColumn<bool>("minimise");
        QTest::addColumn<QRect>("loaded"); // empty: anywhere on the screen
        const QStringList partly{"1500", "", "not a number", ""};
        QTest::newRow("partly stored") << partly << false << QRect(100, 67, 433, 433);
        QTest::newRow("minimised at exit") << partly << true << QRect(100, 67, 433, 433);
        QTest::newRow("nothing stored") << QStringList() << false << QRect();
        QTest::newRow("screen that is gone")
            << QStringList{"-60000", "90000", "9000", "7000"} << false << QRect();
        QTest::newRow("larger than the screen")
            << QStringList{"0", "0", "90000", "90000"} << true << QRect();
    }
    void placement()
    {
        QFETCH(QStringList, stored);
        QFETCH(bool, minimise);
        QFETCH(QRect, loaded);
        const char *keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
        for (int i = 0; i < stored.size(); ++i)
            if (!stored[i].isEmpty())
                platform::settings::write("Torvane Studio", "Settings", keys[i], stored[i]);
        auto *frame = new frmMain;
        frame->load();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(frame->geometry()));
        if (!loaded.isEmpty())
            QCOMPARE(frame->geometry(), loaded);
        if (stored.isEmpty()) {
            // Room for the first document window as designed (when the screen has it).
            const QSize doc = frame->mdiArea()->subWindowList().constFirst()->size();
            // The window itself as designed, as far as the screen has room.
            const QSize designed = editor::frmDocument::designedSize();
            QVERIFY(doc.width() >= std::min(designed.width(), screen.width() * 9 / 10));
            QVERIFY(doc.height() >= std::min(designed.height(), screen.height() * 9 / 10));
            QVERIFY(frame->width() > std::min(doc.width(), screen.width() - 20));
            QVERIFY(frame->height() > std::min(doc.height(), screen.height() - 60));
        }
        frame->show();
        frame->move(30, 45);
        frame->resize(600, 300);
        if (minimise)
            frame->showMinimized();
        act(frame, "mnuFileExit")->trigger();
        // Saved unless minimised, when whatever was stored stays.
        const QStringList saved{"450", "675", "9000", "4500"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(platform::settings::read("Torvane Studio", "Settings", keys[i], "-"),
                     !minimise ? saved[i] : (stored.value(i).isEmpty() ? QString("-") : stored[i]));
    }
    void fileOpenUsesDefaultDocument()
    {
        frmMain *frame = openFrame();
        // Cancel: no default document is even created.
        m_fixture->script.files.push_back(std::nullopt);
        act(frame, "mnuOpen")->trigger();
        QVERIFY(!Studio::instance().defaultDocumentIfLoaded());
        QCOMPARE(m_fixture->script.asked.back().title, QString("Open File"));
        QCOMPARE(m_fixture->script.asked.back().defaultAnswer,
                 QString("Torvane Studio Files (*.tvf)|*.tvf"));

        // A file that does not exist is reported; the window stays.
        m_fixture->script.files.push_back(m_fixture->profile.path() + "/missing.tvf");
        act(frame, "mnuOpen")->trigger();
        QCOMPARE(m_fixture->script.asked.back().kind, QString("message"));
        QPointer<editor::frmDocument> doc = Studio::instance().defaultDocumentIfLoaded();
        QVERIFY(doc);
        QCOMPARE(doc->windowTitle(), QString("frmDocument"));

        // Closed, it comes back as a new child when addressed.
        doc->unload();
        QTRY_VERIFY(!doc);
        QVERIFY(Studio::instance().defaultDocument());
        QCOMPARE(captions(frame), (QStringList{"Document 1", "frmDocument"}));
    }
    void importedProgramOpensInItsOwnWindow()
    {
        frmMain *frame = openFrame(false);
        editor::frmDocument *doc = frame->LoadNewDoc();
        const QString file = m_fixture->profile.path() + "/game.8xp";
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        calc::FileMeta ce; // a CE's file: the new window shows its model
        ce.set(QStringLiteral("model"), QStringLiteral("ti84pce"));
        f.write(calc::calcfile::build(u"Disp \"ok\"", "GAME", false,
                                      calc::calcfile::Model::Ti83Plus, ce)
                    .file);
        f.close();
        m_fixture->script.files.push_back(file);
        doc->mnuImportCalc->trigger();
        QCOMPARE(captions(frame), (QStringList{"Document 1", "GAME"}));
        auto *imported =
            qobject_cast<editor::frmDocument *>(frame->mdiArea()->subWindowList().at(1)->widget());
        QCOMPARE(imported->RichTextBox1->Text(), QString("Disp \"ok\""));
        QCOMPARE(imported->findChild<QComboBox *>(QStringLiteral("cboModel"))->currentText(),
                 QString("TI-84 Plus CE / TI-83 Premium CE"));
        QVERIFY(doc->RichTextBox1->Text().isEmpty());
    }
    void tilingCoversTheArea()
    {
        frmMain *frame = openFrame(false);
        frame->resize(900, 700);
        for (int i = 0; i < 3; ++i)
            frame->LoadNewDoc();
        const QRect area = frame->mdiArea()->viewport()->rect();
        const auto subs = frame->mdiArea()->subWindowList();
        frame->tileHorizontal();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(QPoint(subs[i]->width(), subs[i]->y()),
                     QPoint(area.width(), i * (area.height() / 3)));
        frame->tileVertical();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(QPoint(subs[i]->x(), subs[i]->height()),
                     QPoint(i * (area.width() / 3), area.height()));
        subs[0]->showMinimized();
        subs[1]->showMinimized();
        frame->arrangeIcons();
        QCOMPARE(subs[0]->y(), subs[1]->y());
        QVERIFY(subs[0]->x() < subs[1]->x());
        QCOMPARE(subs[0]->geometry().bottom(), area.bottom());
    }
    void shortcutsAndCloseQuestionsWithTwoDocuments()
    {
        QPointer<frmMain> frame = openFrame();
        QApplication::setActiveWindow(frame);
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QPointer<editor::frmDocument> first =
            qobject_cast<editor::frmDocument *>(frame->mdiArea()->subWindowList()[0]->widget());
        QPointer<editor::frmDocument> def = Studio::instance().defaultDocument();
        QPointer<editor::frmDocument> untouched = frame->LoadNewDoc();
        QPointer<editor::frmDocument> second = frame->LoadNewDoc();
        QTRY_COMPARE(frame->mdiArea()->activeSubWindow()->widget(), second);
        // A shortcut must reach the active document only.
        for (editor::frmDocument *doc : {first, second})
            doc->RichTextBox1->setSelText("12");
        second->RichTextBox1->setFocus();
        QTest::keyClick(second->RichTextBox1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(second->RichTextBox1->Text(), QString());
        QCOMPARE(first->RichTextBox1->Text(), QString("12"));
        // The reference's shortcuts show the command's syntax without typing.
        const QList<QPair<Qt::Key, QString>> reference{
            {Qt::Key_F1, "Pause "},
            {Qt::Key_F2, "There is 3 ways to do a Display command."},
            {Qt::Key_F3, "Lbl [VARIABLE/NBR]"}};
        for (const auto &[key, syntax] : reference) {
            QTest::keyClick(second->RichTextBox1, key, Qt::ControlModifier);
            QCOMPARE(second->RichTextBox2->Text().section(QStringLiteral("\r\n"), 0, 0), syntax);
            QCOMPARE(second->RichTextBox1->Text(), QString());
        }
        QCOMPARE(first->RichTextBox2->Text(), QString());
        // A symbol key types (it is not Save); what the calculator cannot
        // show is named in the frame's status bar.
        QTest::keyClick(second->RichTextBox1, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(second->RichTextBox1->Text(), QString(QChar(252)));
        QApplication::clipboard()->setText("\u00DF");
        QTest::keyClick(second->RichTextBox1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(second->RichTextBox1->Text(), QString(QChar(252)));
        QCOMPARE(frame->sbStatusBar->currentMessage(),
                 QString("Left out \u00DF: the calculator has no such symbol."));
        second->RichTextBox1->setSelText("TWO");
        QTRY_COMPARE(frame->findChild<QLabel *>("PanelModified")->text(), QString("Modified"));

        // Discard the first, cancel at the second: nothing closes, nothing is lost.
        m_fixture->script.messageAnswers = {QMessageBox::Discard, QMessageBox::Cancel};
        frame->close();
        QCOMPARE(m_fixture->script.titles("message").size(), 2);
        QCOMPARE(m_fixture->script.asked[0].text, QString("Save changes to Document 1?"));
        QCOMPARE(m_fixture->script.asked[1].text, QString("Save changes to Document 3?"));
        QCoreApplication::processEvents();
        QVERIFY(frame && first && second && untouched && def);
        QCOMPARE(first->RichTextBox1->Text(), QString("12"));

        // Exit, both discarded: every window closes without a third question.
        m_fixture->script.messageAnswers = {QMessageBox::Discard, QMessageBox::Discard};
        act(frame, "mnuFileExit")->trigger();
        QCOMPARE(m_fixture->script.titles("message").size(), 4);
        QTRY_VERIFY(!frame && !first && !second && !untouched && !def);
    }
    void exitOfTheDefaultWindowBesideOtherWindows_data()
    {
        QTest::addColumn<QString>("control"); // what is open beside it
        QTest::newRow("compile window") << "mnuCompile";
        QTest::newRow("options") << "Image3";
        QTest::newRow("nothing") << QString();
    }
    void exitOfTheDefaultWindowBesideOtherWindows()
    {
        QFETCH(QString, control);
        for (const OptionKey &key : {ShowExample, ShowFirstTime, ShowTipsAtStartup})
            seed(key, "0");
        Main();
        QPointer<editor::frmDocument> def = Studio::instance().defaultDocument();
        if (auto *item = def->action(control))
            item->trigger();
        else if (!control.isEmpty())
            QTest::mouseClick(def->findChild<QAbstractButton *>(control), Qt::LeftButton);
        def->RichTextBox1->setSelText("Disp 1");
        // Real message boxes: their event loop lets the other windows react.
        platform::dialogs::setScript(nullptr);
        QStringList asked;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, this, [&asked] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                asked << box->text();
                box->button(QMessageBox::Discard)->click();
            }
        });
        answerer.start(10);
        def->mnuExit->trigger();
        QTRY_VERIFY(!def);
        QTest::qWait(50);
        answerer.stop();
        platform::dialogs::setScript(&m_fixture->script);
        // Asked once; the window stays closed until something addresses it.
        QCOMPARE(asked, QStringList{"Save changes to frmDocument?"});
        QCOMPARE(captions(Studio::instance().mainFrame()), QStringList{"Document 1"});
    }
    void twoWindowsOnOneFile_data()
    {
        QTest::addColumn<QString>("typed"); // typed in the window that did not save
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("text"); // then its text
        QTest::addColumn<bool>("modified");
        QTest::newRow("unchanged: reloaded quietly")
            << QString() << int(QMessageBox::Yes) << QString() << "Disp 2" << false;
        const QString asked = "Document 3 saved opened.tvf.\n\nReload it here? Undo gives this "
                              "window's text back.\nNo keeps this window's text.";
        QTest::newRow("changed, reloaded")
            << "X" << int(QMessageBox::Yes) << asked << "Disp 2" << false;
        QTest::newRow("changed, kept") << "X" << int(QMessageBox::No) << asked << "XDisp 1" << true;
    }
    void twoWindowsOnOneFile()
    {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        const QString path = m_fixture->profile.path() + "/opened.tvf";
        editor::frmDocument *opened = Studio::instance().createDocument("Document 1");
        editor::frmDocument *saver = Studio::instance().createDocument("Document 3");
        saver->RichTextBox1->setText("Disp 1");
        QVERIFY(saver->document()->saveTo(path));
        QString error;
        QVERIFY2(opened->openFile(path, &error), qPrintable(error));
        opened->RichTextBox1->setSelStart(0);
        opened->RichTextBox1->setSelText(typed);
        m_fixture->script.messageAnswers = {QMessageBox::StandardButton(answer)};
        saver->RichTextBox1->setText("Disp 2");
        QVERIFY(saver->mnuSave_Click());
        // The file system's notice of that write must not ask again.
        opened->document()->checkDisk();
        QStringList asked;
        for (const auto &a : m_fixture->script.asked)
            asked << a.text;
        QTEST(asked.join("|"), "asked");
        QTEST(opened->RichTextBox1->Text(), "text");
        QTEST(opened->isModified(), "modified");
    }
    void documentOpensOtherSubsystemsWindows_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("address");
        const auto row = [](const char *control, const char *window, const QString &address = {}) {
            QTest::newRow(control) << QString(control) << QString(window) << address;
        };
        row("mnuCompile", "frmCompile");
        row("Image6", "frmCompile");
        row("Image3", "frmOptions");
        row("mnuAbout", "frmAbout");
        row("mnuHelpTopics", "frmBrowser", platform::helpPageAddress());
        row("mnuSTWWW", "frmBrowser", platform::makerSiteAddress());
        row("Image1", "frmTasks");
        row("Image5", "frmProjectExplorer");
    }
    void documentOpensOtherSubsystemsWindows()
    {
        QFETCH(QString, control);
        QFETCH(QString, window);
        QFETCH(QString, address);
        editor::frmDocument *doc = openFrame(false)->LoadNewDoc();
        if (auto *item = doc->action(control))
            item->trigger();
        else
            QTest::mouseClick(doc->findChild<QAbstractButton *>(control), Qt::LeftButton);
        QWidget *opened = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == window && w->isVisible())
                opened = w;
        QVERIFY2(opened, qPrintable(window));
        if (!address.isNull())
            QCOMPARE(qobject_cast<auxiliary::frmBrowser *>(opened)->StartingAddress, address);
    }
    void referenceItems_data()
    {
        QTest::addColumn<QString>("item");
        editor::frmDocument doc;
        int entries = 0;
        for (const char *name : {"mnuInsert", "mnuGraph", "mnuVariables"})
            for (QAction *a : doc.menu(QLatin1String(name))->findChildren<QAction *>())
                if (!a->menu() && !a->isSeparator()) {
                    QTest::newRow(qPrintable(a->objectName())) << a->objectName();
                    entries += reference::findEntry(a->objectName()) ? 1 : 0;
                }
        // Every entry of the reference has its item in the menus.
        QCOMPARE(entries, int(reference::referenceEntries().size()));
    }
    void referenceItems()
    {
        QFETCH(QString, item);
        editor::frmDocument *doc = Studio::instance().createDocument("Document 1");
        doc->RichTextBox1->setText("Disp A");
        const QString before = state(doc, m_fixture->script);
        doc->action(item)->trigger();
        // Items with an entry do something visible; the others nothing at all.
        QCOMPARE(state(doc, m_fixture->script) != before, bool(reference::findEntry(item)));
    }
    void wizardsWriteIntoTheDefaultDocument()
    {
        editor::frmDocument *numbered = Studio::instance().createDocument("Document 1");
        QPointer<editor::frmDocument> def = Studio::instance().defaultDocument();
        def->RichTextBox1->setText("ClrHome");
        def->RichTextBox1->setSelStart(7);
        const int entries = def->history().undoCount();
        numbered->action("mnuGetkey")->trigger();
        auto *getkey = platform::windows().loadedWindow<reference::frmWizard_GETKEY>();
        QVERIFY(getkey);
        getkey->Image3->click();
        // On a line of its own, not glued to the line the caret stood in.
        QCOMPARE(def->RichTextBox1->Text(),
                 "ClrHome\r\n" + reference::getkeywizard::skeleton() + "\r\nEnd");
        QCOMPARE(def->history().undoCount(), entries + 1); // undone in one step

        // Closed, the default document comes back for the next result.
        def->setAskOnClose(false);
        def->unload();
        QTRY_VERIFY(!def);
        numbered->action("mnuMenu")->trigger();
        auto *menu = platform::windows().loadedWindow<reference::frmWizard_MENU>();
        QVERIFY(menu);
        menu->Image3->click();
        def = Studio::instance().defaultDocumentIfLoaded();
        QVERIFY(def);
        QCOMPARE(def->RichTextBox1->Text(), QString(")"));
        QCOMPARE(numbered->RichTextBox1->Text(), QString());
    }
    void newProjectsFromDocumentWindow()
    {
        frmMain *frame = openFrame();
        act(frame, "mnuWindowNewWindow")->trigger();
        editor::frmDocument *doc = frame->LoadNewDoc();
        doc->action(QStringLiteral("mnuSTWWW"))->trigger();
        QVERIFY(platform::windows().loadedWindow<auxiliary::frmBrowser>());
        // Project windows count 1, 2... on their own, whatever the frame's numbering.
        const int count = projects::frmNewStandard::projectCount();
        for (const QString &name : {QStringLiteral("Pong"), QStringLiteral("Tetris")}) {
            doc->action(QStringLiteral("NewProject"))->trigger();
            auto *chooser = platform::windows().loadedWindow<projects::frmNewProject>();
            QVERIFY(chooser);
            QTest::mouseClick(chooser->Command1, Qt::LeftButton);
            // The shared browser closes when the form opens.
            QVERIFY(!platform::windows().loadedWindow<auxiliary::frmBrowser>());
            auto *form = platform::windows().loadedWindow<projects::frmNewStandard>();
            QVERIFY(form && form->isVisible());
            form->RichTextBox1->setText(name.toUpper());
            form->RichTextBox3->setText(name);
            form->Option1->setChecked(true);
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        }
        QVERIFY(m_fixture->script.asked.empty());
        const QStringList titles = captions(frame);
        QCOMPARE(titles.mid(titles.size() - 2),
                 (QStringList{QStringLiteral("Document %1").arg(count + 1),
                              QStringLiteral("Document %1").arg(count + 2)}));
        editor::frmDocument *defaultDoc = Studio::instance().defaultDocumentIfLoaded();
        QVERIFY(defaultDoc && defaultDoc->isVisible() && !defaultDoc->mnuSave->isEnabled());
    }

private:
    std::optional<Fixture> m_fixture;
};

TORVANE_TEST(TstMainFrame);
#include "tst_shell.moc"
