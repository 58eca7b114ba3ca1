// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/frmMain.h"

#include "auxiliary/frmAbout.h"
#include "editor/EditorOptions.h"
#include "editor/RecentFilesMenu.h"
#include "editor/frmDocument.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "shell/Studio.h"
#include "shell/frmOptions.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace shell
{

namespace
{

QAction *item(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

void separator(QMenu *menu, const QString &name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(name);
}
} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("TorvaneStudio"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &frmMain::showMenusOf);
    setAcceptDrops(true);

    createMenus();
    createStatusBar();
    Studio::instance().setMainFrame(this);
}

frmMain::~frmMain() = default;

void frmMain::createMenus()
{
    createFileMenu();
    createEditMenu();
    createViewMenu();
    createToolsMenu();
    createWindowMenu();
    createHelpMenu();
    for (QMenu *m : m_ownMenus)
        menuBar()->addMenu(m);
}

// A menu of the frame's own menu bar, in the order they are made.
QMenu *frmMain::topMenu(const QString &name, const QString &caption)
{
    auto *m = new QMenu(caption, this);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    m_ownMenus << m;
    return m;
}

void frmMain::createFileMenu()
{
    QMenu *file = topMenu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    item(file, QStringLiteral("mnuNewProject"), QStringLiteral("New Project"));
    separator(file, QStringLiteral("Space5"));
    QAction *open = item(file, QStringLiteral("mnuOpen"), QStringLiteral("Open"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, &frmMain::fileOpen);
    editor::addRecentFilesMenu(file, nullptr,
                               [](const QString &path) { Studio::instance().openPath(path); });
    separator(file, QStringLiteral("Space6"));
    item(file, QStringLiteral("mnuFilePageSetup"), QStringLiteral("Page Set&up..."));
    item(file, QStringLiteral("mnuFilePrint"), QStringLiteral("&Print..."));
    separator(file, QStringLiteral("mnuFileBar0"));
    QAction *exit = item(file, QStringLiteral("mnuFileExit"), QStringLiteral("E&xit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    // The frame's menus leave the bar while a document window is active; its
    // key still ends the program then.
    addAction(exit);
}

void frmMain::createEditMenu()
{
    QMenu *edit = topMenu(QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    addMessageItem(edit, QStringLiteral("mnuEditUndo"), QStringLiteral("&Undo"),
                   QStringLiteral("mnuEditUndo_Click"));
    separator(edit, QStringLiteral("mnuEditBar0"));
    item(edit, QStringLiteral("mnuEditCut"), QStringLiteral("Cu&t"));
    item(edit, QStringLiteral("mnuEditCopy"), QStringLiteral("&Copy"));
    item(edit, QStringLiteral("mnuEditPaste"), QStringLiteral("&Paste"));
    addMessageItem(edit, QStringLiteral("mnuEditPasteSpecial"), QStringLiteral("Paste &Special..."),
                   QStringLiteral("mnuEditPasteSpecial_Click"));
}

void frmMain::createViewMenu()
{
    QMenu *view = topMenu(QStringLiteral("mnuView"), QStringLiteral("&View"));
    mnuViewToolbar = item(view, QStringLiteral("mnuViewToolbar"), QStringLiteral("&Toolbar"));
    mnuViewToolbar->setCheckable(true);
    mnuViewToolbar->setChecked(true);
    mnuViewStatusBar =
        item(view, QStringLiteral("mnuViewStatusBar"), QStringLiteral("Status &Bar"));
    mnuViewStatusBar->setCheckable(true);
    mnuViewStatusBar->setChecked(true);
    connect(mnuViewStatusBar, &QAction::triggered, this,
            [this](bool checked) { sbStatusBar->setVisible(checked); });
    separator(view, QStringLiteral("mnuViewBar0"));
    addMessageItem(view, QStringLiteral("mnuViewRefresh"), QStringLiteral("&Refresh"),
                   QStringLiteral("mnuViewRefresh_Click"));
    connect(item(view, QStringLiteral("mnuViewOptions"), QStringLiteral("&Options...")),
            &QAction::triggered, this, [] { platform::windows().show<frmOptions>(); });
    connect(item(view, QStringLiteral("mnuViewWebBrowser"), QStringLiteral("&Web Browser")),
            &QAction::triggered, this,
            [] { Studio::instance().showNewBrowser(platform::makerSiteAddress()); });
}

void frmMain::createToolsMenu()
{
    QMenu *tools = topMenu(QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    connect(item(tools, QStringLiteral("mnuToolsOptions"), QStringLiteral("&Options...")),
            &QAction::triggered, this, [] { platform::windows().show<frmOptions>(); });
}

void frmMain::createWindowMenu()
{
    m_windowMenu = topMenu(QStringLiteral("mnuWindow"), QStringLiteral("&Window"));
    QAction *newWindow =
        item(m_windowMenu, QStringLiteral("mnuWindowNewWindow"), QStringLiteral("&New Window"));
    newWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(newWindow, &QAction::triggered, this, [this] { LoadNewDoc(); });
    separator(m_windowMenu, QStringLiteral("mnuWindowBar0"));
    connect(item(m_windowMenu, QStringLiteral("mnuWindowCascade"), QStringLiteral("&Cascade")),
            &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
    connect(item(m_windowMenu, QStringLiteral("mnuWindowTileHorizontal"),
                 QStringLiteral("Tile &Horizontal")),
            &QAction::triggered, this, &frmMain::tileHorizontal);
    connect(item(m_windowMenu, QStringLiteral("mnuWindowTileVertical"),
                 QStringLiteral("Tile &Vertical")),
            &QAction::triggered, this, &frmMain::tileVertical);
    connect(item(m_windowMenu, QStringLiteral("mnuWindowArrangeIcons"),
                 QStringLiteral("&Arrange Icons")),
            &QAction::triggered, this, &frmMain::arrangeIcons);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &frmMain::rebuildWindowList);
    m_windowMenu->setToolTipsVisible(true);
}

void frmMain::createHelpMenu()
{
    QMenu *help = topMenu(QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    connect(item(help, QStringLiteral("mnuHelpAbout"), QStringLiteral("&About ")),
            &QAction::triggered, this, [this] {
                // Modal and owned by the frame.
                auto *about = platform::windows().window<auxiliary::frmAbout>();
                if (about->parentWidget() != this)
                    about->setParent(this, Qt::Dialog);
                about->exec();
            });
}

void frmMain::addMessageItem(QMenu *menu, const QString &name, const QString &caption,
                             const QString &handlerName)
{
    connect(item(menu, name, caption), &QAction::triggered, this, [this, handlerName] {
        platform::dialogs::message(this, QStringLiteral("Add '%1' code.").arg(handlerName),
                                   platform::appTitle());
    });
}

void frmMain::createStatusBar()
{
    sbStatusBar = new QStatusBar(this);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    setStatusBar(sbStatusBar);
    auto *status = new QLabel(QStringLiteral("Status"), sbStatusBar);
    status->setObjectName(QStringLiteral("Panel1"));
    m_filePanel = new QLabel(sbStatusBar);
    m_filePanel->setObjectName(QStringLiteral("PanelFile"));
    m_modifiedPanel = new QLabel(sbStatusBar);
    m_modifiedPanel->setObjectName(QStringLiteral("PanelModified"));
    m_figuresPanel = new QLabel(sbStatusBar);
    m_figuresPanel->setObjectName(QStringLiteral("PanelFigures"));
    m_figuresPanel->hide();
    m_datePanel = new QLabel(sbStatusBar);
    m_datePanel->setObjectName(QStringLiteral("Panel2"));
    m_timePanel = new QLabel(sbStatusBar);
    m_timePanel->setObjectName(QStringLiteral("Panel3"));
    sbStatusBar->addWidget(status, 1);
    sbStatusBar->addPermanentWidget(m_filePanel);
    sbStatusBar->addPermanentWidget(m_modifiedPanel);
    sbStatusBar->addPermanentWidget(m_figuresPanel);
    connect(&editor::EditorOptions::instance(), &editor::EditorOptions::changed, this,
            &frmMain::showStatusFigures);
    sbStatusBar->addPermanentWidget(m_datePanel);
    sbStatusBar->addPermanentWidget(m_timePanel);
    m_clock = new QTimer(this);
    connect(m_clock, &QTimer::timeout, this, &frmMain::updateClock);
    m_clock->start(1000);
    updateClock();
}

void frmMain::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_datePanel->setText(QLocale().toString(now.date(), QLocale::ShortFormat));
    m_timePanel->setText(QLocale().toString(now.time(), QLocale::ShortFormat));
}

void frmMain::load()
{
    LoadNewDoc();
    restorePlacement();
}

editor::frmDocument *frmMain::LoadNewDoc()
{
    ++m_documentCounter;
    return Studio::instance().createDocument(QStringLiteral("Document %1").arg(m_documentCounter));
}

QMdiSubWindow *frmMain::adopt(editor::frmDocument *doc)
{
    // The sub-window would take the document's size hint, which is small now
    // that its canvas scrolls: it takes the designed size, as far as the
    // screen allows.
    QMdiSubWindow *sub = m_mdi->addSubWindow(doc);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(QStringLiteral("subWindow"));
    // The sub-window's own Close takes Ctrl+W on this desktop, which File >
    // Exit shows: two items on one key run neither.
    if (QMenu *system = sub->systemMenu()) {
        for (QAction *a : system->actions()) {
            if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
                a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
        }
    }
    doc->setOwnMenuBarVisible(false);
    const int border = sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
    const int title = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    QSize wanted = editor::frmDocument::designedSize() + QSize(2 * border, title + border);
    if (const QScreen *screen = this->screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
    sub->resize(wanted);
    connect(doc, &editor::frmDocument::modifiedChanged, this, &frmMain::showModifiedState);
    connect(doc, &editor::frmDocument::fileNameChanged, this, &frmMain::showModifiedState);
    connect(doc, &editor::frmDocument::statusFiguresChanged, this, [this, doc] {
        QMdiSubWindow *active = m_mdi->activeSubWindow();
        if (active && active->widget() == doc)
            showStatusFigures();
    });
    connect(doc, &editor::frmDocument::statusMessage, this,
            [this](const QString &text) { sbStatusBar->showMessage(text, 10000); });
    return sub;
}

void frmMain::showMenusOf(QMdiSubWindow *sub)
{
    auto *doc = sub ? qobject_cast<editor::frmDocument *>(sub->widget()) : nullptr;
    QMenuBar *bar = menuBar();
    for (QAction *a : bar->actions())
        bar->removeAction(a);
    const QList<QMenu *> menus = doc ? doc->menus() : m_ownMenus;
    for (QMenu *m : menus)
        bar->addMenu(m);
    // The frame's Window menu stays reachable after the document's own menus.
    if (doc)
        bar->addMenu(m_windowMenu);
    showModifiedState();
    showStatusFigures();
}

void frmMain::showStatusFigures()
{
    QMdiSubWindow *sub = m_mdi->activeSubWindow();
    auto *doc = sub ? qobject_cast<editor::frmDocument *>(sub->widget()) : nullptr;
    const bool shown = doc && editor::EditorOptions::statusFigures();
    m_figuresPanel->setText(shown ? doc->statusFigures() : QString());
    m_figuresPanel->setVisible(shown);
}

void frmMain::showModifiedState()
{
    QMdiSubWindow *sub = m_mdi->activeSubWindow();
    auto *doc = sub ? qobject_cast<editor::frmDocument *>(sub->widget()) : nullptr;
    m_modifiedPanel->setText(doc && doc->isModified() ? QStringLiteral("Modified") : QString());
    m_filePanel->setText(doc ? QDir::toNativeSeparators(doc->fileName()) : QString());
}

void frmMain::rebuildWindowList()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const QList<QMdiSubWindow *> subs = m_mdi->subWindowList();
    if (subs.isEmpty())
        return;
    m_windowListActions << m_windowMenu->addSeparator();
    int n = 0;
    for (QMdiSubWindow *sub : subs) {
        QAction *a =
            m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->activeSubWindow());
        if (auto *doc = qobject_cast<editor::frmDocument *>(sub->widget()))
            a->setToolTip(doc->fileName().isEmpty() ? QStringLiteral("Not saved yet")
                                                    : QDir::toNativeSeparators(doc->fileName()));
        connect(a, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
        m_windowListActions << a;
    }
}

// Qt's MDI area tiles in a grid only; these place the open (not minimised)
// children in one column of rows, or one row of columns.
void frmMain::tile(Qt::Orientation stacking)
{
    QList<QMdiSubWindow *> subs;
    for (QMdiSubWindow *s : m_mdi->subWindowList())
        if (!s->isMinimized() && s->isVisible())
            subs << s;
    if (subs.isEmpty())
        return;
    const QRect area = m_mdi->viewport()->rect();
    const bool rows = stacking == Qt::Vertical;
    const int step = std::max(1, (rows ? area.height() : area.width()) / int(subs.size()));
    int offset = 0;
    for (QMdiSubWindow *s : subs) {
        s->showNormal();
        if (rows)
            s->setGeometry(0, offset, area.width(), step);
        else
            s->setGeometry(offset, 0, step, area.height());
        offset += step;
    }
}

void frmMain::tileHorizontal()
{
    tile(Qt::Vertical);
}
void frmMain::tileVertical()
{
    tile(Qt::Horizontal);
}

// Minimised children line up along the bottom edge, left to right.
void frmMain::arrangeIcons()
{
    const QRect area = m_mdi->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow *s : m_mdi->subWindowList()) {
        if (!s->isMinimized())
            continue;
        const QSize size = s->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        s->move(x, y - size.height() + 1);
        x += size.width();
    }
}

void frmMain::restorePlacement()
{
    using platform::settings::readPlacement;
    namespace cfg = platform::config;
    QRect r;
    if (platform::settings::read(platform::appTitle(), cfg::SettingsSection, cfg::MainWidth.name,
                                 QString())
            .isNull()) {
        // Nothing stored yet: room for the first document window at its
        // designed size, with the frame's bars around it.
        QSize room(400, 300);
        for (QMdiSubWindow *sub : m_mdi->subWindowList())
            room = room.expandedTo(sub->size());
        room += QSize(8, menuBar()->sizeHint().height() + sbStatusBar->sizeHint().height() + 8);
        r = platform::placedOver(room, nullptr);
    } else {
        r = QRect(platform::px(readPlacement(cfg::MainLeft)),
                  platform::px(readPlacement(cfg::MainTop)),
                  std::max(1, platform::px(readPlacement(cfg::MainWidth))),
                  std::max(1, platform::px(readPlacement(cfg::MainHeight))));
    }
    // A placement stored on a screen that is gone must not hide the frame.
    r = platform::keptReachable(r);
    move(r.topLeft());
    resize(r.size());
}

void frmMain::savePlacement()
{
    if (isMinimized())
        return;
    using platform::settings::writePlacement;
    namespace cfg = platform::config;
    writePlacement(cfg::MainLeft, platform::twips(pos().x()));
    writePlacement(cfg::MainTop, platform::twips(pos().y()));
    writePlacement(cfg::MainWidth, platform::twips(width()));
    writePlacement(cfg::MainHeight, platform::twips(height()));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded) {
        // Every changed document is asked about before any closes, so Cancel
        // keeps everything open.
        QList<editor::frmDocument *> docs;
        for (QMdiSubWindow *sub : m_mdi->subWindowList())
            if (auto *doc = qobject_cast<editor::frmDocument *>(sub->widget()))
                docs << doc;
        for (editor::frmDocument *doc : docs)
            if (!doc->maybeSave()) {
                event->ignore();
                return;
            }
        for (editor::frmDocument *doc : docs)
            doc->setAskOnClose(false);
        m_unloaded = true;
        savePlacement();
        m_clock->stop();
        m_mdi->closeAllSubWindows();
    }
    event->accept();
}

namespace
{

// The dropped files this program opens: documents and calculator files.
QStringList openable(const QMimeData *data)
{
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl &url : data->urls()) {
        const QString path = url.toLocalFile();
        if (path.endsWith(QLatin1String(".tvf"), Qt::CaseInsensitive) ||
            Studio::isCalculatorFile(path))
            paths << path;
    }
    return paths;
}

} // namespace

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!openable(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QStringList paths = openable(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString &path : paths)
        Studio::instance().openPath(path);
}

void frmMain::fileOpen()
{
    const auto path = platform::dialogs::openFile(this, QStringLiteral("Open File"),
                                                  platform::documentFileFilter());
    if (!path)
        return; // cancelled: nothing is loaded
    editor::frmDocument *doc = Studio::instance().defaultDocument();
    QString error;
    if (!doc->openFile(*path, &error))
        platform::dialogs::message(this, error, QString(), QMessageBox::Critical);
}

} // namespace shell
