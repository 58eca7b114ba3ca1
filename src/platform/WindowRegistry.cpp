// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WindowRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

namespace platform
{

WindowRegistry &WindowRegistry::instance()
{
    static WindowRegistry windows;
    return windows;
}

void WindowRegistry::bringForward(QWidget *w)
{
    if (!w)
        return;
    if (w->isWindow() && !w->isVisible()) {
        // Opened by the user from another window: it comes up over that one.
        const QSize size = w->testAttribute(Qt::WA_Resized) ? w->size() : w->sizeHint();
        w->move(
            placedOver(size.expandedTo(w->minimumSize()), QApplication::activeWindow()).topLeft());
    }
    if (w->isMinimized())
        w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
}

DocumentWindow *WindowRegistry::defaultDocument()
{
    return m_factory ? m_factory->defaultDocument() : nullptr;
}

DocumentWindow *WindowRegistry::newDocument(const QString &caption)
{
    return m_factory ? m_factory->newDocument(caption) : nullptr;
}

void WindowRegistry::openInSharedBrowser(const QString &address)
{
    if (m_browserOpener)
        m_browserOpener(address);
}

void WindowRegistry::openHelp()
{
    if (m_helpOpener)
        m_helpOpener();
}

void WindowRegistry::showStatus(const QString &text)
{
    if (m_statusShower)
        m_statusShower(text);
}

std::optional<WindowRegistry::UnsavedDocument>
WindowRegistry::unsavedDocument(const QString &path) const
{
    return m_unsavedLookup ? m_unsavedLookup(path) : std::nullopt;
}

void WindowRegistry::closeSharedBrowser()
{
    if (m_browserCloser)
        m_browserCloser();
}

void WindowRegistry::closeAll()
{
    const auto open = m_windows;
    m_windows.clear();
    for (const Slot &s : open)
        if (s.widget) {
            s.widget->close();
            delete s.widget.data();
        }
}

namespace
{
QRect available(const QScreen *screen)
{
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect within(QRect r, const QRect &area)
{
    r.setSize(r.size().boundedTo(area.size()));
    r.moveLeft(qBound(area.left(), r.left(), area.right() - r.width() + 1));
    r.moveTop(qBound(area.top(), r.top(), area.bottom() - r.height() + 1));
    return r;
}
} // namespace

void bindDialogKeys(QWidget *window, QAbstractButton *confirm, QAbstractButton *cancel)
{
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, [window, cancel] {
        if (cancel)
            cancel->click();
        else
            window->close();
    });
    if (!confirm)
        return;
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *enter = new QShortcut(QKeySequence(key), window);
        QObject::connect(enter, &QShortcut::activated, confirm, &QAbstractButton::click);
    }
}

QRect placedOver(const QSize &size, const QWidget *over)
{
    const QScreen *screen = over ? over->screen() : QGuiApplication::primaryScreen();
    const QRect area = available(screen);
    const QPoint centre = over ? over->frameGeometry().center() : area.center();
    QRect r(QPoint(0, 0), size);
    r.moveCenter(centre);
    return within(r, area);
}

QRect keptReachable(const QRect &rect)
{
    // The top strip of the window, where its title bar is, must be on a screen.
    const QRect titleStrip(rect.left(), rect.top(), rect.width(), 30);
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect shared = available(screen).intersected(titleStrip);
        if (shared.width() >= qMin(100, rect.width()) && shared.height() >= 10)
            return QRect(rect.topLeft(), rect.size().boundedTo(available(screen).size()));
    }
    return within(rect, available(QGuiApplication::primaryScreen()));
}

void disconnectChildren(QObject *window)
{
    const QList<QObject *> children = window->findChildren<QObject *>();
    for (QObject *child : children)
        QObject::disconnect(child, nullptr, window, nullptr);
}

} // namespace platform
