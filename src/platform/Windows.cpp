#include "platform/Windows.h"

namespace platform
{

Windows &Windows::instance()
{
    static Windows windows;
    return windows;
}

void Windows::bringForward(QWidget *w)
{
    if (!w)
        return;
    if (w->isMinimized())
        w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
}

DocumentWindow *Windows::defaultDocument()
{
    return m_factory ? m_factory->defaultDocument() : nullptr;
}

DocumentWindow *Windows::newDocument(const QString &caption)
{
    return m_factory ? m_factory->newDocument(caption) : nullptr;
}

void Windows::openInSharedBrowser(const QString &address)
{
    if (m_browserOpener)
        m_browserOpener(address);
}

void Windows::closeSharedBrowser()
{
    if (m_browserCloser)
        m_browserCloser();
}

void Windows::closeAll()
{
    const auto open = m_windows;
    m_windows.clear();
    for (const Slot &s : open)
        if (s.widget) {
            s.widget->close();
            delete s.widget.data();
        }
}

void disconnectChildren(QObject *window)
{
    const QList<QObject *> children = window->findChildren<QObject *>();
    for (QObject *child : children)
        QObject::disconnect(child, nullptr, window, nullptr);
}

} // namespace platform
