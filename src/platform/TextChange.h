#pragma once
// One change of a pane's text, in model text (CR LF line breaks, positions
// counted in that text): at `position`, `removed` gave way to `inserted`.
#include <QString>

namespace platform
{

struct TextChange {
    int position = 0;
    QString removed;
    QString inserted;
};

} // namespace platform
