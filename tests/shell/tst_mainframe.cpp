// The main frame: document numbering, placement, menus and File > Open.
#include "common/TestRegistry.h"

#include "auxiliary/frmBrowser.h"
#include "editor/frmDocument.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "platform/SettingsStore.h"
#include "shell/Studio.h"
#include "shell/frmMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>

using namespace shell;

namespace
{
QStringList captions(frmMain *frame)
{
    QStringList out;
    for (QMdiSubWindow *s : frame->mdiArea()->subWindowList())
        out << s->widget()->windowTitle();
    return out;
}

QAction *act(QWidget *w, const char *name)
{
    return w->findChild<QAction *>(QString::fromLatin1(name));
}

QStringList menuBarCaptions(QMainWindow *w)
{
    QStringList out;
    for (QAction *a : w->menuBar()->actions())
        out << a->text();
    return out;
}
} // namespace

class TstMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        platform::dialogs::setScript(nullptr);
        Studio::instance().reset();
    }
    void menuTree();
    void documentNumbering();
    void placementSavedUnlessMinimised_data();
    void placementSavedUnlessMinimised();
    void placementStaysUsable_data();
    void placementStaysUsable();
    void statusBarToggle();
    void exitClosesDocuments();
    void messageItems_data();
    void messageItems();
    void activeChildMenusReplaceFrameMenus();
    void fileOpenUsesDefaultDocument();
    void tilingCoversTheArea();
    void documentShortcutsWorkInsideFrame();
    void closingAsksForEveryChangedDocument();
    void documentOpensOtherSubsystemsWindows_data();
    void documentOpensOtherSubsystemsWindows();
};

void TstMainFrame::menuTree()
{
    testing::IsolatedProfile profile;
    frmMain frame;
    const QList<QPair<const char *, const char *>> items{
        {"mnuNewProject", "New Project"},
        {"mnuOpen", "Open"},
        {"mnuFilePageSetup", "Page Set&up..."},
        {"mnuFilePrint", "&Print..."},
        {"mnuFileExit", "E&xit"},
        {"mnuEditUndo", "&Undo"},
        {"mnuEditCut", "Cu&t"},
        {"mnuEditCopy", "&Copy"},
        {"mnuEditPaste", "&Paste"},
        {"mnuEditPasteSpecial", "Paste &Special..."},
        {"mnuViewToolbar", "&Toolbar"},
        {"mnuViewStatusBar", "Status &Bar"},
        {"mnuViewRefresh", "&Refresh"},
        {"mnuViewOptions", "&Options..."},
        {"mnuViewWebBrowser", "&Web Browser"},
        {"mnuToolsOptions", "&Options..."},
        {"mnuWindowNewWindow", "&New Window"},
        {"mnuWindowCascade", "&Cascade"},
        {"mnuWindowTileHorizontal", "Tile &Horizontal"},
        {"mnuWindowTileVertical", "Tile &Vertical"},
        {"mnuWindowArrangeIcons", "&Arrange Icons"},
        {"mnuHelpAbout", "&About "}};
    for (const auto &[name, caption] : items) {
        QAction *a = act(&frame, name);
        QVERIFY2(a, name);
        QCOMPARE(a->text(), QString::fromLatin1(caption));
    }
    QCOMPARE(menuBarCaptions(&frame),
             (QStringList{"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"}));
    QVERIFY(act(&frame, "mnuViewToolbar")->isChecked());
    QVERIFY(act(&frame, "mnuViewStatusBar")->isChecked());
    QVERIFY(act(&frame, "Space5")->isSeparator());
}

void TstMainFrame::documentNumbering()
{
    testing::IsolatedProfile profile;
    auto *frame = new frmMain;
    frame->load();
    frame->show();
    QAction *newWindow = act(frame, "mnuWindowNewWindow");
    for (int i = 0; i < 3; ++i)
        newWindow->trigger();
    QCOMPARE(captions(frame),
             (QStringList{"Document 1", "Document 2", "Document 3", "Document 4"}));
    frame->mdiArea()->subWindowList()[2]->close();
    QTRY_COMPARE(frame->mdiArea()->subWindowList().size(), 3);
    newWindow->trigger();
    QCOMPARE(captions(frame),
             (QStringList{"Document 1", "Document 2", "Document 4", "Document 5"}));
    QCOMPARE(frame->documentCounter(), 5);
}

void TstMainFrame::placementSavedUnlessMinimised_data()
{
    QTest::addColumn<bool>("minimise");
    QTest::newRow("normal") << false;
    QTest::newRow("minimised") << true;
}

void TstMainFrame::placementSavedUnlessMinimised()
{
    QFETCH(bool, minimise);
    testing::IsolatedProfile profile;
    platform::settings::write("Torvane Studio", "Settings", "MainLeft", "1500");
    platform::settings::write("Torvane Studio", "Settings", "MainWidth", "not a number");
    auto *frame = new frmMain;
    frame->load();
    QCOMPARE(frame->pos(), QPoint(100, 67));
    QCOMPARE(frame->size(), QSize(433, 433));
    frame->show();
    frame->move(30, 45);
    frame->resize(600, 300);
    if (minimise)
        frame->showMinimized();
    act(frame, "mnuFileExit")->trigger();
    const auto read = [](const char *key) {
        return platform::settings::read("Torvane Studio", "Settings", QString::fromLatin1(key),
                                        "-");
    };
    if (minimise) {
        QCOMPARE(read("MainLeft"), QString("1500"));
        QCOMPARE(read("MainTop"), QString("-"));
    } else {
        QCOMPARE(read("MainLeft"), QString("450"));
        QCOMPARE(read("MainTop"), QString("675"));
        QCOMPARE(read("MainWidth"), QString("9000"));
        QCOMPARE(read("MainHeight"), QString("4500"));
    }
}

void TstMainFrame::placementStaysUsable_data()
{
    QTest::addColumn<QStringList>("stored"); // left, top, width, height in twips; empty: none
    QTest::newRow("nothing stored") << QStringList();
    QTest::newRow("screen that is gone") << QStringList{"-60000", "90000", "9000", "7000"};
    QTest::newRow("larger than the screen") << QStringList{"0", "0", "90000", "90000"};
}

void TstMainFrame::placementStaysUsable()
{
    QFETCH(QStringList, stored);
    testing::IsolatedProfile profile;
    const char *keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (int i = 0; i < stored.size(); ++i)
        platform::settings::write("Torvane Studio", "Settings", keys[i], stored[i]);
    auto *frame = new frmMain;
    frame->load();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(frame->geometry()), qPrintable(QString("%1,%2 %3x%4")
                                                                .arg(frame->x())
                                                                .arg(frame->y())
                                                                .arg(frame->width())
                                                                .arg(frame->height())));
    if (stored.isEmpty()) {
        // Room for the first document window as designed (when the screen has it).
        const QSize doc = frame->mdiArea()->subWindowList().constFirst()->size();
        QVERIFY(frame->width() > std::min(doc.width(), screen.width() - 20));
        QVERIFY(frame->height() > std::min(doc.height(), screen.height() - 60));
    }
    delete frame;
}

void TstMainFrame::statusBarToggle()
{
    testing::IsolatedProfile profile;
    frmMain frame;
    frame.show();
    QAction *item = act(&frame, "mnuViewStatusBar");
    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(!frame.sbStatusBar->isVisible());
    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(frame.sbStatusBar->isVisible());
    const auto panels = frame.sbStatusBar->findChildren<QLabel *>();
    QVERIFY(std::any_of(panels.begin(), panels.end(),
                        [](QLabel *l) { return l->text() == QLatin1String("Status"); }));
}

void TstMainFrame::exitClosesDocuments()
{
    testing::IsolatedProfile profile;
    auto *frame = new frmMain;
    frame->load();
    frame->show();
    QPointer<editor::frmDocument> def = Studio::instance().defaultDocument();
    QPointer<QWidget> first = frame->mdiArea()->subWindowList().constFirst()->widget();
    QPointer<frmMain> guard(frame);
    act(frame, "mnuFileExit")->trigger();
    QTRY_VERIFY(!guard);
    QTRY_VERIFY(!def);
    QTRY_VERIFY(!first);
}

void TstMainFrame::messageItems_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("text");
    QTest::newRow("undo") << "mnuEditUndo"
                          << "Add 'mnuEditUndo_Click' code.";
    QTest::newRow("paste special") << "mnuEditPasteSpecial"
                                   << "Add 'mnuEditPasteSpecial_Click' code.";
    QTest::newRow("refresh") << "mnuViewRefresh"
                             << "Add 'mnuViewRefresh_Click' code.";
}

void TstMainFrame::messageItems()
{
    QFETCH(QString, item);
    QFETCH(QString, text);
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    platform::dialogs::setScript(&script);
    frmMain frame;
    act(&frame, item.toLatin1().constData())->trigger();
    QCOMPARE(script.asked.size(), size_t(1));
    QCOMPARE(script.asked[0].kind, QString("message"));
    QCOMPARE(script.asked[0].text, text);
    QCOMPARE(script.asked[0].title, QString("Torvane Studio"));
}

void TstMainFrame::activeChildMenusReplaceFrameMenus()
{
    testing::IsolatedProfile profile;
    auto *frame = new frmMain;
    frame->show();
    QCOMPARE(menuBarCaptions(frame).constFirst(), QString("&File"));
    frame->LoadNewDoc();
    QTRY_COMPARE(menuBarCaptions(frame), (QStringList{"&File ", "&Edit ", "&Insert ", "Graph",
                                                      "Variables", "Tools ", "Help ", "&Window"}));
    // The frame's Window menu works from there.
    act(frame, "mnuWindowNewWindow")->trigger();
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 2);
    frame->mdiArea()->closeAllSubWindows();
    QTRY_COMPARE(menuBarCaptions(frame).constFirst(), QString("&File"));
}

void TstMainFrame::fileOpenUsesDefaultDocument()
{
    testing::IsolatedProfile profile;
    auto *frame = new frmMain;
    frame->load();
    frame->show();
    platform::dialogs::Script script;
    platform::dialogs::setScript(&script);

    // Cancel: no default document is even created.
    script.files.push_back(std::nullopt);
    act(frame, "mnuOpen")->trigger();
    QVERIFY(!Studio::instance().defaultDocumentIfLoaded());
    QCOMPARE(script.asked.back().title, QString("Open File"));
    QCOMPARE(script.asked.back().defaultAnswer, QString("Torvane Studio Files (*.tvf)|*.tvf"));

    // A file that does not exist is reported; the window stays.
    script.files.push_back(profile.path() + "/missing.tvf");
    act(frame, "mnuOpen")->trigger();
    QCOMPARE(script.asked.back().kind, QString("message"));
    editor::frmDocument *doc = Studio::instance().defaultDocumentIfLoaded();
    QVERIFY(doc);
    QCOMPARE(doc->windowTitle(), QString("frmDocument"));

    // Closed, it comes back as a new child when addressed.
    QPointer<editor::frmDocument> old(doc);
    doc->unload();
    QTRY_VERIFY(!old);
    QVERIFY(Studio::instance().defaultDocument());
    QCOMPARE(Studio::instance().defaultDocument()->windowTitle(), QString("frmDocument"));
    QCOMPARE(captions(frame), (QStringList{"Document 1", "frmDocument"}));
}

void TstMainFrame::tilingCoversTheArea()
{
    testing::IsolatedProfile profile;
    auto *frame = new frmMain;
    frame->resize(900, 700);
    frame->show();
    frame->LoadNewDoc();
    frame->LoadNewDoc();
    frame->LoadNewDoc();
    const QRect area = frame->mdiArea()->viewport()->rect();
    frame->tileHorizontal();
    auto subs = frame->mdiArea()->subWindowList();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(subs[i]->width(), area.width());
        QCOMPARE(subs[i]->y(), i * (area.height() / 3));
    }
    frame->tileVertical();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(subs[i]->height(), area.height());
        QCOMPARE(subs[i]->x(), i * (area.width() / 3));
    }
    subs[0]->showMinimized();
    subs[1]->showMinimized();
    frame->arrangeIcons();
    QCOMPARE(subs[0]->y(), subs[1]->y());
    QVERIFY(subs[0]->x() < subs[1]->x());
    QCOMPARE(subs[0]->geometry().bottom(), area.bottom());
}

void TstMainFrame::documentShortcutsWorkInsideFrame()
{
    testing::IsolatedProfile profile;
    auto *frame = new frmMain;
    frame->load();
    frame->show();
    QApplication::setActiveWindow(frame);
    QVERIFY(QTest::qWaitForWindowActive(frame));
    // Two documents: the shortcut must reach the active one only.
    editor::frmDocument *first = qobject_cast<editor::frmDocument *>(
        frame->mdiArea()->subWindowList().constFirst()->widget());
    editor::frmDocument *second = frame->LoadNewDoc();
    QTRY_COMPARE(frame->mdiArea()->activeSubWindow()->widget(), second);
    for (editor::frmDocument *doc : {first, second})
        doc->RichTextBox1->setSelText("12");
    second->RichTextBox1->setFocus();
    QTest::keyClick(second->RichTextBox1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(second->RichTextBox1->Text(), QString());
    QCOMPARE(first->RichTextBox1->Text(), QString("12"));
    QTest::keyClick(second->RichTextBox1, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(second->RichTextBox1->Text(), QString());
}

void TstMainFrame::closingAsksForEveryChangedDocument()
{
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    platform::dialogs::setScript(&script);
    QPointer<frmMain> frame = new frmMain;
    frame->load();
    frame->show();
    QPointer<editor::frmDocument> first = qobject_cast<editor::frmDocument *>(
        frame->mdiArea()->subWindowList().constFirst()->widget());
    QPointer<editor::frmDocument> second = frame->LoadNewDoc();
    QPointer<editor::frmDocument> untouched = frame->LoadNewDoc();
    first->RichTextBox1->setSelText("ONE");
    second->RichTextBox1->setSelText("TWO");
    frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(second->parentWidget()));
    QTRY_COMPARE(frame->findChild<QLabel *>("PanelModified")->text(), QString("Modified"));

    // Discard the first, cancel at the second: nothing closes, nothing is lost.
    script.messageAnswers = {QMessageBox::Discard, QMessageBox::Cancel};
    act(frame, "mnuFileExit")->trigger();
    QCOMPARE(script.titles("message").size(), 2);
    QCOMPARE(script.asked[0].text, QString("Save changes to Document 1?"));
    QCOMPARE(script.asked[1].text, QString("Save changes to Document 2?"));
    QCoreApplication::processEvents();
    QVERIFY(frame && first && second && untouched);
    QCOMPARE(first->RichTextBox1->Text(), QString("ONE"));

    // Asked again, both discarded: everything closes without a third question.
    script.messageAnswers = {QMessageBox::Discard, QMessageBox::Discard};
    frame->close();
    QCOMPARE(script.titles("message").size(), 4);
    QTRY_VERIFY(!frame && !first && !second && !untouched);
}

void TstMainFrame::documentOpensOtherSubsystemsWindows_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("address");
    QTest::newRow("compile item") << "mnuCompile"
                                  << "frmCompile" << QString();
    QTest::newRow("compile picture") << "Image6"
                                     << "frmCompile" << QString();
    QTest::newRow("options picture") << "Image3"
                                     << "frmOptions" << QString();
    QTest::newRow("about item") << "mnuAbout"
                                << "frmAbout" << QString();
    QTest::newRow("help topics") << "mnuHelpTopics"
                                 << "frmBrowser" << platform::helpPageAddress();
    QTest::newRow("maker site") << "mnuSTWWW"
                                << "frmBrowser" << platform::makerSiteAddress();
    QTest::newRow("new project") << "NewProject"
                                 << "frmNewProject" << QString();
    QTest::newRow("tasks") << "Image1"
                           << "frmTasks" << QString();
    QTest::newRow("project explorer") << "Image5"
                                      << "frmProjectExplorer" << QString();
}

void TstMainFrame::documentOpensOtherSubsystemsWindows()
{
    QFETCH(QString, control);
    QFETCH(QString, window);
    QFETCH(QString, address);
    testing::IsolatedProfile profile;
    auto *frame = new frmMain;
    frame->show();
    editor::frmDocument *doc = frame->LoadNewDoc();
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

TORVANE_TEST(TstMainFrame);
#include "tst_mainframe.moc"
