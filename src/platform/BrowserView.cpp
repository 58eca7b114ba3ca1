// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/BrowserView.h"

#include "platform/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>
#include <QOpenGLContext>
#include <QStackedLayout>

#include <unistd.h>

// Exported by Qt GUI but not in its public headers: the context all others
// share with. The engine renders through it and finds none unless it is set
// before the engine is loaded.
void qt_gl_set_global_share_context(QOpenGLContext *context);

// Resources of a static library must be registered by hand.
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace platform
{

namespace
{

const char moduleName[] = "libtorvane-webengine.so";

QOpenGLContext *ownShareContext = nullptr;

void dropShareContext()
{
    qt_gl_set_global_share_context(nullptr);
    delete ownShareContext;
    ownShareContext = nullptr;
}

void prepareShareContext()
{
    if (QOpenGLContext::globalShareContext())
        return;
    // Created as the engine would at start-up; where there is no OpenGL the
    // engine falls back to drawing in software.
    ownShareContext = new QOpenGLContext;
    ownShareContext->setFormat(QSurfaceFormat::defaultFormat());
    ownShareContext->create();
    qt_gl_set_global_share_context(ownShareContext);
    qAddPostRoutine(dropShareContext);
}

struct Module {
    bool tried = false;
    CreateBrowserEngine create = nullptr;
    QString why;
};

// Beside the executable (a build; the tests one folder below it), then
// where the installation puts it.
QStringList moduleCandidates()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(QLatin1String(moduleName)),
            QDir::cleanPath(program.filePath(QStringLiteral("../") + QLatin1String(moduleName))),
            QDir::cleanPath(program.filePath(QStringLiteral(TORVANE_MODULE_FROM_BIN "/") +
                                             QLatin1String(moduleName)))};
}

Module &module()
{
    static Module m;
    if (m.tried)
        return m;
    m.tried = true;
    // Chromium refuses to start its sandbox as root (containers, CI).
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QStringList tried;
    for (const QString &path : moduleCandidates()) {
        if (!QFileInfo::exists(path))
            continue;
        prepareShareContext();
        QLibrary library(path);
        m.create =
            reinterpret_cast<CreateBrowserEngine>(library.resolve(TORVANE_BROWSER_ENGINE_ENTRY));
        if (m.create)
            return m;
        tried << library.errorString();
    }
    m.why = tried.isEmpty() ? QStringLiteral("%1 was not found beside the program or in %2.")
                                  .arg(QLatin1String(moduleName), moduleCandidates().last())
                            : tried.join(QLatin1Char('\n'));
    return m;
}

} // namespace

BrowserView::BrowserView(QWidget *parent) : QWidget(parent)
{
    initHelpResources();
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    // The engine's pages must be gone before the engine shuts down with the
    // application; a closed window may still wait for its deletion then.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        delete m_engine;
        m_engine = nullptr;
        m_shutDown = true;
    });
}

BrowserView::~BrowserView()
{
    delete m_engine;
}

bool BrowserView::engineAvailable(QString *why)
{
    const Module &m = module();
    if (why)
        *why = m.why;
    return m.create;
}

BrowserEngine *BrowserView::engine()
{
    if (m_engine || m_unavailable || m_shutDown)
        return m_engine;
    QString why;
    if (engineAvailable(&why)) {
        m_engine = module().create(this, this);
        m_stack->addWidget(m_engine->widget());
    } else {
        // Said in the page area, where the page would have been.
        m_unavailable =
            new QLabel(QStringLiteral("The web view cannot be started.\n%1").arg(why), this);
        m_unavailable->setAlignment(Qt::AlignCenter);
        m_unavailable->setWordWrap(true);
        m_stack->addWidget(m_unavailable);
    }
    return m_engine;
}

void BrowserView::Navigate(const QString &address)
{
    // An address without a scheme is completed as any browser would
    // ("example.com", a file path); one with a scheme is taken as it is.
    QUrl url(address);
    if (url.scheme().isEmpty())
        url = QUrl::fromUserInput(address, QDir::currentPath());
    if (url.isEmpty())
        return;
    if (BrowserEngine *e = engine())
        e->navigate(url);
}

void BrowserView::GoBack()
{
    if (BrowserEngine *e = engine())
        e->goBack();
}

void BrowserView::GoForward()
{
    if (BrowserEngine *e = engine())
        e->goForward();
}

void BrowserView::Refresh()
{
    if (BrowserEngine *e = engine())
        e->refresh();
}

void BrowserView::GoHome()
{
    Navigate(homeAddress());
}

void BrowserView::GoSearch()
{
    Navigate(searchAddress());
}

void BrowserView::Stop()
{
    if (BrowserEngine *e = engine())
        e->stop();
}

QString BrowserView::LocationName() const
{
    return m_engine ? m_engine->locationName() : QString();
}

QString BrowserView::LocationURL() const
{
    return m_engine ? m_engine->locationURL().toString() : QString();
}

bool BrowserView::Busy() const
{
    return m_engine && m_engine->busy();
}

QString BrowserView::homeAddress()
{
    return helpPageAddress();
}

QString BrowserView::searchAddress()
{
    return QUrl(helpPageAddress()).resolved(QUrl(QStringLiteral("search.html"))).toString();
}

void BrowserView::navigateComplete()
{
    emit NavigateComplete2(LocationURL());
}

void BrowserView::downloadComplete()
{
    emit DownloadComplete();
}

} // namespace platform
