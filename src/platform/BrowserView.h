// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The page area of the browser window: the operations the window needs of
// an embedded browser. The web engine is loaded on first use (see
// BrowserEngine.h); until then, and where it cannot be loaded, nothing of it
// is in the process.
#include "platform/BrowserEngine.h"

#include <QWidget>

class QLabel;
class QStackedLayout;

namespace platform
{

class BrowserView : public QWidget, private BrowserEvents
{
    Q_OBJECT
public:
    explicit BrowserView(QWidget *parent = nullptr);
    ~BrowserView() override;

    void Navigate(const QString &address);
    void GoBack();
    void GoForward();
    void Refresh();
    void GoHome();
    void GoSearch();
    void Stop();
    QString LocationName() const;
    QString LocationURL() const;
    bool Busy() const;

    // Where Home and Search go: the help book's start and search pages.
    static QString homeAddress();
    static QString searchAddress();
    // Whether the engine could be loaded into this process (it is loaded if
    // it was not), and why not.
    static bool engineAvailable(QString *why = nullptr);

signals:
    void NavigateComplete2(const QString &address);
    void DownloadComplete();

private:
    void navigateComplete() override;
    void downloadComplete() override;
    BrowserEngine *engine();

    BrowserEngine *m_engine = nullptr;
    QStackedLayout *m_stack = nullptr;
    QLabel *m_unavailable = nullptr;
    bool m_shutDown = false;
};

} // namespace platform
