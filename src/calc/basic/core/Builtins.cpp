// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/Builtins.h"

#include <QHash>

namespace calc::basic
{

namespace
{

struct Registry {
    std::vector<const Builtin *> entries;
    QHash<int, int> byToken;
    Registry()
    {
        for (const Library *l : libraries()) {
            for (int i = 0; i < l->count; ++i) {
                const Builtin &b = l->entries[i];
                // A token in two tables would leave one of them unreachable.
                Q_ASSERT(!byToken.contains(b.token));
                byToken.insert(b.token, int(entries.size()));
                entries.push_back(&b);
            }
        }
    }
};

const Registry &registry()
{
    static const Registry r;
    return r;
}

} // namespace

const std::vector<const Library *> &libraries()
{
    static const std::vector<const Library *> all = {
        &mathsLibrary,      &listsLibrary,         &colourLibrary,      &matricesLibrary,
        &statisticsLibrary, &distributionsLibrary, &regressionsLibrary, &statisticsTestsLibrary,
        &financeLibrary,    &complexLibrary,       &conversionsLibrary, &systemLibrary,
    };
    return all;
}

int builtinIndex(int token)
{
    return registry().byToken.value(token, -1);
}

const Builtin &builtinAt(int index)
{
    return *registry().entries[std::size_t(index)];
}

} // namespace calc::basic
