// A project created from a document window, as a user would: the chooser,
// the form, the shared browser closed and the project's own window.
#include "common/TestRegistry.h"

#include "auxiliary/frmBrowser.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "platform/Windows.h"
#include "projects/frmNewProject.h"
#include "projects/frmNewStandard.h"
#include "shell/Studio.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace shell;

class TstProjectWiring : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        Studio::instance().reset();
        platform::dialogs::setScript(nullptr);
    }
    void newProjectFromDocumentWindow();
};

void TstProjectWiring::newProjectFromDocumentWindow()
{
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    platform::dialogs::setScript(&script);
    auto *frame = new frmMain;
    frame->load();
    frame->show();
    frame->findChild<QAction *>(QStringLiteral("mnuWindowNewWindow"))->trigger();
    editor::frmDocument *doc = frame->LoadNewDoc();
    doc->action(QStringLiteral("mnuSTWWW"))->trigger();
    QVERIFY(platform::windows().loadedWindow<auxiliary::frmBrowser>());

    // Two projects: their windows count 1, 2... on their own, whatever the
    // frame's numbering of its windows.
    const int count = projects::frmNewStandard::projectCount();
    for (const QString &name : {QStringLiteral("Pong"), QStringLiteral("Tetris")}) {
        doc->action(QStringLiteral("NewProject"))->trigger();
        auto *chooser = platform::windows().loadedWindow<projects::frmNewProject>();
        QVERIFY(chooser);
        QTest::mouseClick(chooser->Command1, Qt::LeftButton);
        QVERIFY(!platform::windows().loadedWindow<auxiliary::frmBrowser>());
        auto *form = platform::windows().loadedWindow<projects::frmNewStandard>();
        QVERIFY(form && form->isVisible());
        form->RichTextBox1->setText(name.toUpper());
        form->RichTextBox3->setText(name);
        form->Option1->setChecked(true);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
    }
    QVERIFY(script.asked.empty());

    QStringList captions;
    for (QMdiSubWindow *s : frame->mdiArea()->subWindowList())
        captions << s->widget()->windowTitle();
    QCOMPARE(captions.mid(captions.size() - 2),
             (QStringList{QStringLiteral("Document %1").arg(count + 1),
                          QStringLiteral("Document %1").arg(count + 2)}));
    QVERIFY(captions.contains(QStringLiteral("Document 3")));
    editor::frmDocument *defaultDoc = Studio::instance().defaultDocumentIfLoaded();
    QVERIFY(defaultDoc && defaultDoc->isVisible());
    QVERIFY(!defaultDoc->mnuSave->isEnabled());
}

TORVANE_TEST(TstProjectWiring);
#include "tst_projectwiring.moc"
