// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A build without the cable libraries: no link, nothing detected.
#include "link/Link.h"

namespace calclink
{

bool available()
{
    return false;
}

std::unique_ptr<Link> create(const Options &, FakeCalculator *)
{
    return nullptr;
}

QList<Options> detect()
{
    return {};
}

} // namespace calclink
