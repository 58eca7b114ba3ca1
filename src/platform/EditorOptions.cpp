#include "platform/EditorOptions.h"

#include "platform/Config.h"
#include "platform/SettingsStore.h"

namespace platform
{

namespace
{
bool on(const config::OptionKey &key)
{
    return settings::readOption(key) != 0;
}
} // namespace

EditorOptions &EditorOptions::instance()
{
    static EditorOptions *options = new EditorOptions;
    return *options;
}

bool EditorOptions::highlighting()
{
    return on(config::EditorHighlighting);
}

bool EditorOptions::statusFigures()
{
    return on(config::EditorStatusFigures);
}

bool EditorOptions::apply(bool highlighting, bool statusFigures)
{
    const bool changing = highlighting != EditorOptions::highlighting() ||
                          statusFigures != EditorOptions::statusFigures();
    auto text = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    bool ok = settings::writeOption(config::EditorHighlighting, text(highlighting));
    ok &= settings::writeOption(config::EditorStatusFigures, text(statusFigures));
    if (changing)
        emit changed();
    return ok;
}

} // namespace platform
