// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The editor's switches from the options dialog, with one notifier so that
// open windows follow a change at once.
#include "calc/Models.h"

#include <QObject>

namespace editor
{

class EditorOptions : public QObject
{
    Q_OBJECT
public:
    static EditorOptions &instance();

    static bool highlighting();
    static bool statusFigures();
    // The checks while typing, and their byte-saving hints among them.
    static bool checkProgram();
    static bool showHints();
    // Stores both switches; tells the windows when either changed.
    bool applyChecks(bool checkProgram, bool showHints);
    // Stores both switches; tells the windows when either changed.
    bool apply(bool highlighting, bool statusFigures);

    enum class Theme { Light = 0, Dark = 1, Desktop = 2 };
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 48;
    static bool lineNumbers();
    // The program pane's size in points before zoom, and the zoom in points.
    static int fontSize();
    static int zoom();
    // Font size plus zoom, kept within the sizes a pane can show.
    static int shownFontSize();
    static Theme theme();
    // Stores the view settings; tells the windows when any changed.
    bool applyView(bool lineNumbers, int fontSize, Theme theme);
    // The model a document without a chosen one is shown as: its spellings
    // and menus. The checks and the files still treat it as not chosen.
    static calc::models::Model defaultModel();
    // Stores it; tells the windows when it changed.
    bool applyDefaultModel(calc::models::Model model);
    // Steps the zoom by `steps` points (0 resets it); kept per user.
    void zoomBy(int steps);

signals:
    void changed();
    // Line numbers, font size, zoom or theme: nothing to check again.
    void viewChanged();

private:
    EditorOptions() = default;
};

} // namespace editor
