// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WindowFit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform
{

namespace
{

class Fitter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *w = static_cast<QWidget *>(watched);
            const Qt::WindowType type = w->windowType();
            if (w->isWindow() && (type == Qt::Window || type == Qt::Dialog))
                fitToScreen(w);
        }
        return false;
    }
};

} // namespace

QRect fittedFrame(const QRect &frame, const QRect &area)
{
    QRect r(frame.topLeft(), frame.size().boundedTo(area.size()));
    r.moveLeft(qBound(area.left(), r.left(), area.right() - r.width() + 1));
    r.moveTop(qBound(area.top(), r.top(), area.bottom() - r.height() + 1));
    return r;
}

void fitToScreen(QWidget *window)
{
    if (!window || !window->isWindow() || window->isMaximized() || window->isFullScreen())
        return;
    const QRect frame = window->frameGeometry();
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    if (area.contains(frame))
        return;
    const QRect fitted = fittedFrame(frame, area);
    // The frame's borders and title bar stay as they are.
    const QSize borders = frame.size() - window->size();
    const QSize inner = (fitted.size() - borders).expandedTo(window->minimumSize());
    if (inner != window->size())
        window->resize(inner);
    window->move(fitted.topLeft());
}

void installWindowFit()
{
    static Fitter *fitter = nullptr;
    if (fitter || !qApp)
        return;
    fitter = new Fitter(qApp);
    qApp->installEventFilter(fitter);
}

} // namespace platform
