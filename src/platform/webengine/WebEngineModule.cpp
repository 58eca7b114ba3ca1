// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The web engine behind platform::BrowserView, built as a module so the
// program loads it (and the engine's start-up cost) only when a page is shown.
#include "platform/BrowserEngine.h"

#include <QPointer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace
{

class View : public QWebEngineView
{
public:
    using QWebEngineView::QWebEngineView;

protected:
    // Links that ask for a new window open in this one.
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType) override { return this; }
};

class Engine final : public platform::BrowserEngine
{
public:
    Engine(platform::BrowserEvents *events, QWidget *parent) : m_view(new View(parent))
    {
        QObject::connect(m_view, &QWebEngineView::urlChanged, m_view,
                         [events] { events->navigateComplete(); });
        QObject::connect(m_view, &QWebEngineView::loadStarted, m_view, [this] { m_busy = true; });
        QObject::connect(m_view, &QWebEngineView::loadFinished, m_view, [this, events] {
            m_busy = false;
            events->downloadComplete();
        });
        QObject::connect(m_view, &QWebEngineView::titleChanged, m_view,
                         [events] { events->downloadComplete(); });
    }
    // The view goes with the engine, so no signal of it reaches a window
    // that is being destroyed.
    ~Engine() override { delete m_view.data(); }
    QWidget *widget() override { return m_view; }
    // Busy from the request on, not only once the page process answers, so
    // the window shows it at its first look.
    void navigate(const QUrl &address) override
    {
        // A script address runs in the page and loads nothing.
        m_busy = m_busy || address.scheme() != QLatin1String("javascript");
        m_view->setUrl(address);
    }
    void goBack() override
    {
        m_busy = m_busy || m_view->history()->canGoBack();
        m_view->back();
    }
    void goForward() override
    {
        m_busy = m_busy || m_view->history()->canGoForward();
        m_view->forward();
    }
    void refresh() override
    {
        m_busy = true;
        m_view->reload();
    }
    void stop() override
    {
        m_view->stop();
        m_busy = false;
    }
    QString locationName() const override { return m_view->title(); }
    QUrl locationURL() const override { return m_view->url(); }
    bool busy() const override { return m_busy; }

private:
    QPointer<View> m_view;
    bool m_busy = false;
};

} // namespace

extern "C" Q_DECL_EXPORT platform::BrowserEngine *
torvane_create_browser_engine_v1(platform::BrowserEvents *events, QWidget *parent)
{
    return new Engine(events, parent);
}
