// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QTimer;
class QToolBar;

namespace platform
{
class BrowserView;
}

namespace auxiliary
{

// The program's small web browser window: an address list of the pages
// visited, most recent first, and a toolbar. The main frame opens a new one
// each time; every other caller shares one.
class frmBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit frmBrowser(QWidget *parent = nullptr);
    ~frmBrowser() override;

    // Read once, when the window is first shown.
    QString StartingAddress;

    // Starts the timer and goes to `address`, as choosing it in the list does.
    void NavigateTo(const QString &address);

    QWidget *picAddress = nullptr;
    QLabel *lblAddress = nullptr;
    QComboBox *cboAddress = nullptr;
    QToolBar *tbToolBar = nullptr;
    platform::BrowserView *brwWebBrowser = nullptr;
    QTimer *timTimer = nullptr;

    void cboAddress_Click();
    void tbToolBar_ButtonClick(const QString &key);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void brwWebBrowser_NavigateComplete2(const QString &address);
    void brwWebBrowser_DownloadComplete();
    void timTimer_Timer();

    bool m_loaded = false;
    // Set while the program itself rewrites the address list.
    bool m_suppressNavigation = false;
};

} // namespace auxiliary
