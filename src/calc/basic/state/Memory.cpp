// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/state/Memory.h"

#include <algorithm>

namespace calc::basic::memory
{

long long dataBytes(const Value &v)
{
    switch (v.kind) {
    case Value::Real:
        return kReal;
    case Value::Complex:
        return kComplex;
    case Value::List:
        return kSizeField + kReal * v.items.size();
    case Value::ComplexList:
        // Its items are the real and imaginary parts in turn.
        return kSizeField + kReal * v.items.size();
    case Value::Matrix:
        return kSizeField + kReal * v.items.size();
    case Value::String:
        if (v.wideTokens < 0)
            v.wideTokens =
                int(std::count_if(v.text.cbegin(), v.text.cend(), [](int t) { return t > 0xFF; }));
        return kSizeField + v.text.size() + v.wideTokens;
    }
    return kReal;
}

long long variableBytes(const Value &v, int nameLength)
{
    return dataBytes(v) + kEntry + (nameLength > 0 ? 2 + nameLength : 0);
}

long long programBytes(long long tokenBytes, int nameLength)
{
    return kSizeField + tokenBytes + kEntry + 1 + nameLength;
}

long long realBytes(bool complex)
{
    return (complex ? kComplex : kReal) + kEntry;
}

} // namespace calc::basic::memory
