// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// How the program pane is shown: its font size with the zoom (Ctrl+=,
// Ctrl+-, Ctrl+0, Ctrl+wheel) and its colour theme. Display only: the text
// and the RTF saved keep their own size and colours.
#include <QObject>

namespace platform
{
class RichTextBox;
}

namespace editor
{

class PaneView : public QObject
{
    Q_OBJECT
public:
    // Attaches to the pane and lives as long as it does.
    static PaneView *attach(platform::RichTextBox *pane);
    // Whether the theme chosen draws dark (the desktop's when so chosen).
    static bool darkChosen();
    // A zoom step for a key press, or nothing (0 resets, which is also a
    // step): true when the key zooms.
    static bool zoomStepFor(int key, Qt::KeyboardModifiers modifiers, int *step);
    // Applies the current options.
    void apply();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit PaneView(platform::RichTextBox *pane);
    platform::RichTextBox *m_pane;
    // Kept apart: the filter still sees the viewport's events while the pane is being destroyed.
    QObject *m_viewport;
};

} // namespace editor
