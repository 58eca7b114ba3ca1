// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the browser view needs of a web engine. The engine is a module of its
// own, loaded the first time a page is shown: linking it into the program
// would start a shared OpenGL context (and the GL stack behind it) at every
// start, browser or not.
#include <QString>
#include <QUrl>

class QWidget;

namespace platform
{

// Told by the engine about the page it shows.
class BrowserEvents
{
public:
    virtual void navigateComplete() = 0; // the location changed
    virtual void downloadComplete() = 0; // a load ended or the title arrived
protected:
    ~BrowserEvents() = default;
};

class BrowserEngine
{
public:
    virtual ~BrowserEngine() = default;
    virtual QWidget *widget() = 0;
    virtual void navigate(const QUrl &address) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void refresh() = 0;
    virtual void stop() = 0;
    virtual QString locationName() const = 0;
    virtual QUrl locationURL() const = 0;
    virtual bool busy() const = 0;
};

// The one symbol the module exports; bumped when this interface changes so
// an old module is refused instead of called wrongly.
#define TORVANE_BROWSER_ENGINE_ENTRY "torvane_create_browser_engine_v1"
using CreateBrowserEngine = BrowserEngine *(*)(BrowserEvents *events, QWidget *parent);

} // namespace platform
