// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "projects/MousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace projects::pointer
{

namespace
{
Shape g_shape = Shape::Default;
bool g_overridden = false;
} // namespace

void set(Shape shape)
{
    g_shape = shape;
    // Only the hourglass is forced on every window. A forced arrow would
    // outlive the window that asked for it and take the text cursor away
    // from every editor, so the arrow simply ends the hourglass.
    if (shape == Shape::Hourglass && !g_overridden) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        g_overridden = true;
    } else if (shape != Shape::Hourglass && g_overridden) {
        QGuiApplication::restoreOverrideCursor();
        g_overridden = false;
    }
}

Shape current()
{
    return g_shape;
}

} // namespace projects::pointer
