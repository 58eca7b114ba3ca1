// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Mode, format, zoom, picture and archive commands: what follows each.
#include "calc/basic/core/CompilerImpl.h"

#include "calc/basic/core/NumberTokens.h"
#include "calc/basic/state/Settings.h"

namespace calc::basic
{
namespace compiling
{

void Compiler::settingStatement(int t)
{
    int n = 0, kind = 0, key = 0;
    if (t == tok::SetUpEditor) {
        setUpEditor();
        return;
    }
    if (t == tok::Archive || t == tok::UnArchive)
        ioTarget(&kind, &key);
    else
        n = settingArguments(t);
    endOfStatement();
    put(OpSetting, t);
    put(n, kind);
    put(key);
}

// Lists by their names, ʟ left out; each one a command of its own.
void Compiler::setUpEditor()
{
    while (!atEnd()) {
        accept(tok::SmallL);
        const int u = peek();
        if (u >= tok::List0 && u <= tok::List0 + 5) {
            next();
        } else {
            put(OpSetting, tok::SetUpEditor);
            put(0, TNamed);
            put(name(nameChars(5)));
        }
        if (!atEnd())
            comma();
    }
}

// A figure or the variable itself; StorePic X is a data type error.
void Compiler::pictureNumber()
{
    const int u = next();
    const int family = u >> 8;
    if (u == tok::Number) {
        --pos_;
        primary();
    } else if (family == tok::PicturePrefix || family == tok::GdbPrefix) {
        put(OpConst, constant(Value::real(num(((u & 0xFF) + 1) % 10))));
    } else {
        fail(Error::DataType);
    }
}

// The arguments of a setting command; how many it has.
int Compiler::settingArguments(int t)
{
    int n = 0;
    switch (t) {
    case tok::StorePic:
    case tok::RecallPic:
    case tok::StoreGDB:
    case tok::RecallGDB:
        pictureNumber();
        return 1;
    case tok::Fix:
        expr();
        return 1;
    case tok::SetDtFmt:
    case tok::SetTmFmt:
        expr();
        close(tok::RParen);
        return 1;
    case tok::SetDate:
    case tok::SetTime:
        n = expressions();
        close(tok::RParen);
        if (n != 3)
            fail(Error::Argument);
        return n;
    case tok::OpenLib:
        // The library is an application's name, not a value.
        if (nameChars(9).isEmpty())
            fail(Error::Syntax);
        close(tok::RParen);
        return 0;
    case tok::FnOn:
    case tok::FnOff:
    case tok::PlotsOn:
    case tok::PlotsOff:
        while (!atEnd()) {
            expr();
            ++n;
            if (!atEnd())
                comma();
        }
        return n;
    default:
        return 0;
    }
}

} // namespace compiling
} // namespace calc::basic
