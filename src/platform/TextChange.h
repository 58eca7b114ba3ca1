// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One change of a pane's text, in model text (calc/ModelText.h): at
// `position`, `removed` gave way to `inserted`.
#include <QString>

namespace platform
{

struct TextChange {
    int position = 0;
    QString removed;
    QString inserted;
};

} // namespace platform
