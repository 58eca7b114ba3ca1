// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser windows as the other windows reach them: the one shared
// window, the main frame's new windows, and help.
#include "common/TestRegistry.h"

#include "auxiliary/frmBrowser.h"
#include "editor/frmDocument.h"
#include "platform/AppInfo.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/WindowRegistry.h"
#include "shell/Studio.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace
{
constexpr int kLoad = 60000;

QString page(const QTemporaryDir &dir, const QString &name)
{
    QFile f(dir.filePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(QStringLiteral("<title>%1</title>").arg(name).toUtf8());
    return QUrl::fromLocalFile(f.fileName()).toString();
}

QList<auxiliary::frmBrowser *> browsersShown()
{
    QList<auxiliary::frmBrowser *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *b = qobject_cast<auxiliary::frmBrowser *>(w); b && b->isVisible())
            out << b;
    return out;
}
} // namespace

class TstBrowsers : public QObject
{
    Q_OBJECT
    testing::IsolatedProfile m_profile;
    QTemporaryDir m_dir;
private slots:
    // The studio installs the openers the other windows call.
    void init() { shell::Studio::instance(); }
    void cleanup() { shell::Studio::instance().reset(); }

    void sharedWindowKeepsItsPageAndHelpBringsItToTheBook()
    {
        const QString a = page(m_dir, "a.html");
        auto &windows = platform::windows();
        windows.openInSharedBrowser(a);
        auto *shared = windows.loadedWindow<auxiliary::frmBrowser>();
        QVERIFY(shared);
        QTRY_COMPARE_WITH_TIMEOUT(shared->windowTitle(), QString("a.html"), kLoad);

        // Shown again for another address: brought forward, page and list kept.
        windows.openInSharedBrowser(page(m_dir, "b.html"));
        QCOMPARE(windows.loadedWindow<auxiliary::frmBrowser>(), shared);
        QSignalSpy visits(shared->brwWebBrowser, &platform::BrowserView::NavigateComplete2);
        QVERIFY(!visits.wait(500));
        QCOMPARE(shared->brwWebBrowser->LocationURL(), a);
        QCOMPARE(shared->cboAddress->count(), 1);

        // Help Topics takes the same window to the help book...
        editor::frmDocument *doc = shell::Studio::instance().createDocument("Document 1");
        doc->action("mnuHelpTopics")->trigger();
        QCOMPARE(browsersShown(), QList<auxiliary::frmBrowser *>{shared});
        QTRY_COMPARE_WITH_TIMEOUT(shared->brwWebBrowser->LocationURL(),
                                  platform::BrowserView::homeAddress(), kLoad);
        QTRY_COMPARE_WITH_TIMEOUT(shared->windowTitle(), QString("Torvane Studio Help"), kLoad);

        // ...and leaves it on a page of the book it already shows.
        shared->tbToolBar_ButtonClick("Search");
        QTRY_COMPARE_WITH_TIMEOUT(shared->brwWebBrowser->LocationURL(),
                                  platform::BrowserView::searchAddress(), kLoad);
        QTRY_VERIFY_WITH_TIMEOUT(!shared->timTimer->isActive(), kLoad);
        doc->action("mnuHelpTopics")->trigger();
        QVERIFY(!visits.wait(500));
        QCOMPARE(shared->brwWebBrowser->LocationURL(), platform::BrowserView::searchAddress());
    }
    void viewWebBrowserOpensANewWindowEachTime()
    {
        platform::dialogs::Script script;
        platform::dialogs::setScript(&script);
        auto *frame = new shell::frmMain;
        frame->show();
        platform::windows().openInSharedBrowser(page(m_dir, "a.html"));
        QAction *item = frame->findChild<QAction *>("mnuViewWebBrowser");
        item->trigger();
        item->trigger();
        const QList<auxiliary::frmBrowser *> shown = browsersShown();
        QCOMPARE(shown.size(), 3);
        for (auxiliary::frmBrowser *b : shown)
            if (b != platform::windows().loadedWindow<auxiliary::frmBrowser>())
                QCOMPARE(b->StartingAddress, platform::makerSiteAddress());
        for (auxiliary::frmBrowser *b : shown)
            b->close();
        delete frame;
        platform::dialogs::setScript(nullptr);
    }
};

TORVANE_TEST(TstBrowsers);
#include "tst_browsers.moc"
