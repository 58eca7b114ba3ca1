// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/PaneView.h"

#include "editor/EditorOptions.h"
#include "editor/frmDocument.h"
#include "platform/RichTextBox.h"
#include "platform/Theme.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

namespace editor
{

PaneView *PaneView::attach(platform::RichTextBox *pane)
{
    auto *view = new PaneView(pane);
    view->apply();
    return view;
}

PaneView::PaneView(platform::RichTextBox *pane)
    : QObject(pane), m_pane(pane), m_viewport(pane->viewport())
{
    setObjectName(QStringLiteral("paneView"));
    pane->installEventFilter(this);
    m_viewport->installEventFilter(this);
    connect(&EditorOptions::instance(), &EditorOptions::viewChanged, this, &PaneView::apply);
}

bool PaneView::darkChosen()
{
    switch (EditorOptions::theme()) {
    case EditorOptions::Theme::Light:
        return false;
    case EditorOptions::Theme::Dark:
        return true;
    case EditorOptions::Theme::Desktop:
        break;
    }
    return platform::theme::isDark(QApplication::palette());
}

bool PaneView::zoomStepFor(int key, Qt::KeyboardModifiers modifiers, int *step)
{
    // Ctrl and + is Ctrl+Shift+= on a US keyboard; with Shift the other keys
    // type the calculator's symbols.
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Equal || key == Qt::Key_Plus) &&
        (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))) {
        *step = 1;
        return true;
    }
    if (mods != Qt::ControlModifier)
        return false;
    switch (key) {
    case Qt::Key_Minus:
        *step = -1;
        return true;
    case Qt::Key_0:
        *step = 0;
        return true;
    default:
        return false;
    }
}

void PaneView::apply()
{
    m_pane->setShownFontSize(EditorOptions::shownFontSize());
    const bool dark = darkChosen();
    // The theme is the whole document window's: its frames, palette and
    // buttons, not only the program pane.
    QWidget *window = m_pane;
    for (QWidget *w = m_pane; w; w = w->parentWidget()) {
        if (qobject_cast<frmDocument *>(w))
            window = w;
    }
    const QPalette shown = EditorOptions::theme() == EditorOptions::Theme::Desktop
                               ? QPalette()
                               : platform::theme::themed(QApplication::palette(), dark);
    if (window != m_pane)
        window->setPalette(shown);
    m_pane->setPalette(shown);
}

bool PaneView::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (watched == m_pane && (type == QEvent::KeyPress || type == QEvent::ShortcutOverride)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        int step = 0;
        if (!zoomStepFor(key->key(), key->modifiers(), &step))
            return false;
        event->accept();
        if (type == QEvent::KeyPress)
            EditorOptions::instance().zoomBy(step);
        return true;
    }
    if (watched == m_viewport && type == QEvent::Wheel) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier))
            return false;
        // One step per notch; a touchpad's small deltas add up.
        static int pending = 0;
        pending += wheel->angleDelta().y();
        const int steps = pending / 120;
        pending %= 120;
        if (steps != 0)
            EditorOptions::instance().zoomBy(steps);
        return true;
    }
    return false;
}

} // namespace editor
