// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "auxiliary/frmBrowser.h"

#include "platform/BrowserView.h"
#include "platform/ButtonPictures.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace auxiliary
{

frmBrowser::frmBrowser(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    using platform::px;

    tbToolBar = new QToolBar(this);
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const char *key : {"Back", "Forward", "Stop", "Refresh", "Home", "Search"}) {
        const QString k = QString::fromLatin1(key);
        QAction *button = tbToolBar->addAction(platform::pictureButtonIcon(k), k);
        button->setObjectName(k);
        connect(button, &QAction::triggered, this, [this, k] { tbToolBar_ButtonClick(k); });
    }

    picAddress = new QWidget(this);
    picAddress->setObjectName(QStringLiteral("picAddress"));
    lblAddress = new QLabel(QStringLiteral("&Address:"), picAddress);
    lblAddress->setObjectName(QStringLiteral("lblAddress"));
    cboAddress = new QComboBox(picAddress);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setEditable(true);
    // The list is kept by the window's own rules, never by the box.
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    cboAddress->setDuplicatesEnabled(true);
    // Completion would change what was typed (and ignores case).
    cboAddress->setCompleter(nullptr);
    cboAddress->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboAddress->lineEdit()->installEventFilter(this);
    lblAddress->setBuddy(cboAddress);
    auto *strip = new QVBoxLayout(picAddress);
    strip->setContentsMargins(px(50), 0, px(50), 0);
    strip->setSpacing(px(15));
    strip->addWidget(lblAddress);
    strip->addWidget(cboAddress);

    brwWebBrowser = new platform::BrowserView(this);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));

    timTimer = new QTimer(this);
    timTimer->setObjectName(QStringLiteral("timTimer"));
    timTimer->setInterval(100);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(px(50), 0, px(50), px(100));
    main->addWidget(tbToolBar);
    main->addWidget(picAddress);
    main->addWidget(brwWebBrowser, 1);
    resize(800, 600);

    connect(cboAddress, &QComboBox::activated, this, &frmBrowser::cboAddress_Click);
    connect(brwWebBrowser, &platform::BrowserView::NavigateComplete2, this,
            &frmBrowser::brwWebBrowser_NavigateComplete2);
    connect(brwWebBrowser, &platform::BrowserView::DownloadComplete, this,
            &frmBrowser::brwWebBrowser_DownloadComplete);
    connect(timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);
}

frmBrowser::~frmBrowser()
{
    platform::disconnectChildren(this);
}

void frmBrowser::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
}

void frmBrowser::Form_Load()
{
    if (StartingAddress.isEmpty())
        return;
    cboAddress->setEditText(StartingAddress);
    cboAddress->addItem(StartingAddress);
    timTimer->start();
    brwWebBrowser->Navigate(StartingAddress);
}

void frmBrowser::NavigateTo(const QString &address)
{
    timTimer->start();
    brwWebBrowser->Navigate(address);
}

void frmBrowser::cboAddress_Click()
{
    if (m_suppressNavigation)
        return;
    NavigateTo(cboAddress->currentText());
}

bool frmBrowser::eventFilter(QObject *watched, QEvent *event)
{
    // Enter goes to the typed text; the box itself would first look for it
    // in the list without regard to case.
    if (watched == cboAddress->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cboAddress_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmBrowser::brwWebBrowser_NavigateComplete2(const QString &address)
{
    setWindowTitle(brwWebBrowser->LocationName());
    int found = -1;
    for (int i = 0; i < cboAddress->count(); ++i)
        if (cboAddress->itemText(i) == address) {
            found = i;
            break;
        }
    m_suppressNavigation = true;
    if (found >= 0)
        cboAddress->removeItem(found);
    cboAddress->insertItem(0, address);
    cboAddress->setCurrentIndex(0);
    m_suppressNavigation = false;
}

void frmBrowser::brwWebBrowser_DownloadComplete()
{
    setWindowTitle(brwWebBrowser->LocationName());
}

void frmBrowser::timTimer_Timer()
{
    if (brwWebBrowser->Busy()) {
        setWindowTitle(QStringLiteral("Working..."));
    } else {
        timTimer->stop();
        setWindowTitle(brwWebBrowser->LocationName());
    }
}

void frmBrowser::tbToolBar_ButtonClick(const QString &key)
{
    timTimer->start();
    if (key == QLatin1String("Back")) {
        brwWebBrowser->GoBack();
    } else if (key == QLatin1String("Forward")) {
        brwWebBrowser->GoForward();
    } else if (key == QLatin1String("Refresh")) {
        brwWebBrowser->Refresh();
    } else if (key == QLatin1String("Home")) {
        brwWebBrowser->GoHome();
    } else if (key == QLatin1String("Search")) {
        brwWebBrowser->GoSearch();
    } else if (key == QLatin1String("Stop")) {
        timTimer->stop();
        brwWebBrowser->Stop();
        setWindowTitle(brwWebBrowser->LocationName());
    }
}

} // namespace auxiliary
