// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The editor's switches from the options dialog, with one notifier so that
// open windows follow a change at once.
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

signals:
    void changed();

private:
    EditorOptions() = default;
};

} // namespace editor
