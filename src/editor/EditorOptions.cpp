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
int number(const platform::config::OptionKey &key)
{
    return platform::settings::readOption(key).value_or(key.defaultValue);
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

bool EditorOptions::lineNumbers()
{
    return on(platform::config::EditorLineNumbers);
}

int EditorOptions::fontSize()
{
    return qBound(kMinFontSize, number(platform::config::EditorFontSize), kMaxFontSize);
}

int EditorOptions::zoom()
{
    return qBound(-kMaxFontSize, number(platform::config::EditorZoom), kMaxFontSize);
}

int EditorOptions::shownFontSize()
{
    return qBound(kMinFontSize, fontSize() + zoom(), kMaxFontSize);
}

EditorOptions::Theme EditorOptions::theme()
{
    const int t = number(platform::config::EditorTheme);
    return t >= 0 && t <= 2 ? Theme(t) : Theme::Desktop;
}

bool EditorOptions::applyView(bool lineNumbers, int fontSize, Theme theme)
{
    const bool changing = lineNumbers != EditorOptions::lineNumbers() ||
                          fontSize != EditorOptions::fontSize() || theme != EditorOptions::theme();
    using namespace platform::config;
    bool ok = platform::settings::writeOption(EditorLineNumbers, QString::number(int(lineNumbers)));
    ok &= platform::settings::writeOption(
        EditorFontSize, QString::number(qBound(kMinFontSize, fontSize, kMaxFontSize)));
    ok &= platform::settings::writeOption(EditorTheme, QString::number(int(theme)));
    if (changing)
        emit viewChanged();
    return ok;
}

calc::models::Model EditorOptions::defaultModel()
{
    const auto m = calc::models::Model(number(platform::config::EditorDefaultModel));
    return calc::models::all().contains(m) ? m : calc::models::Model::Ti83Plus;
}

bool EditorOptions::applyDefaultModel(calc::models::Model model)
{
    if (!calc::models::all().contains(model))
        return false;
    const bool changing = model != defaultModel();
    const bool ok = platform::settings::writeOption(platform::config::EditorDefaultModel,
                                                    QString::number(int(model)));
    if (changing)
        emit changed();
    return ok;
}

void EditorOptions::zoomBy(int steps)
{
    // Stored as the zoom that is really shown, so a step back from the
    // largest size is seen at once.
    const int wanted =
        steps == 0 ? 0 : qBound(kMinFontSize, shownFontSize() + steps, kMaxFontSize) - fontSize();
    if (wanted == zoom())
        return;
    platform::settings::writeOption(platform::config::EditorZoom, QString::number(wanted));
    emit viewChanged();
}

} // namespace editor
