// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/CloseOnShow.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace platform
{

namespace
{
class Closer : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            QTimer::singleShot(0, static_cast<QWidget *>(watched), &QWidget::close);
        return false;
    }
};
} // namespace

void closeWhenShown(QWidget *window)
{
    window->installEventFilter(new Closer(window));
}

} // namespace platform
