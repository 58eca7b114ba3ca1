// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/EditorOptions.h"

#include "platform/Config.h"
#include "platform/SettingsStore.h"

namespace editor
{

namespace
{
bool on(const platform::config::OptionKey &key)
{
    return platform::settings::readOption(key) != 0;
}
} // namespace

EditorOptions &EditorOptions::instance()
{
    static EditorOptions *options = new EditorOptions;
    return *options;
}

bool EditorOptions::highlighting()
{
    return on(platform::config::EditorHighlighting);
}

bool EditorOptions::statusFigures()
{
    return on(platform::config::EditorStatusFigures);
}

bool EditorOptions::checkProgram()
{
    return on(platform::config::EditorCheckProgram);
}

bool EditorOptions::showHints()
{
    return on(platform::config::EditorShowHints);
}

bool EditorOptions::applyChecks(bool checkProgram, bool showHints)
{
    const bool changing =
        checkProgram != EditorOptions::checkProgram() || showHints != EditorOptions::showHints();
    auto text = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    bool ok =
        platform::settings::writeOption(platform::config::EditorCheckProgram, text(checkProgram));
    ok &= platform::settings::writeOption(platform::config::EditorShowHints, text(showHints));
    if (changing)
        emit changed();
    return ok;
}

bool EditorOptions::apply(bool highlighting, bool statusFigures)
{
    const bool changing = highlighting != EditorOptions::highlighting() ||
                          statusFigures != EditorOptions::statusFigures();
    auto text = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    bool ok =
        platform::settings::writeOption(platform::config::EditorHighlighting, text(highlighting));
    ok &=
        platform::settings::writeOption(platform::config::EditorStatusFigures, text(statusFigures));
    if (changing)
        emit changed();
    return ok;
}

} // namespace editor
