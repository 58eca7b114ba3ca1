// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The TI-84 Plus's clock and system commands: setDate( and setTime( move
// the engine's clock away from the computer's (or the host's), the formats
// and ClockOn/ClockOff are kept for getDtFmt, getTmFmt and isClockOn.
// timeCnv( and pieceWise( are here too. No application library is ever
// installed, so OpenLib( and ExecLib stop as a calculator without it does.
#include "calc/Tokens.h"
#include "calc/basic/core/NumberTokens.h"
#include "calc/basic/lib/Libraries.h"
#include "calc/basic/lib/Library.h"
#include "calc/basic/screens/ColourCodes.h"

namespace calc::basic
{

namespace
{

int wholeIn(const Value &v, int least, int most)
{
    std::int64_t k;
    if (!realOf(v).toInt(&k) || k < least || k > most)
        raise(Error::Domain);
    return int(k);
}

} // namespace

bool isSystemCommand(int t)
{
    return t == tok::SetDate || t == tok::SetTime || t == tok::SetDtFmt || t == tok::SetTmFmt ||
           t == tok::ClockOff || t == tok::ClockOn || t == tok::OpenLib || t == tok::ExecLib ||
           t == tok::GarbageCollect;
}

bool isEditorToken(int t)
{
    // Quartiles Setting…, LEFT, CENTER, RIGHT, and Execute Program … Quit
    // Editor: menu items of the colour models, not commands; ' outside a
    // DMS entry and ? are characters of strings.
    return t == 0xEF81 || (t >= 0xEF92 && t <= 0xEF94) || (t >= 0xEF9E && t <= 0xEFA5) ||
           t == tok::Minutes || t == tok::Question;
}

void systemCommand(Calculator &c_, int cmd, const Value *args, int n)
{
    Settings &s = c_.settings();
    const QDateTime now = c_.now();
    switch (cmd) {
    case tok::SetDate:
    case tok::SetTime: {
        QDateTime then = now;
        if (cmd == tok::SetDate) {
            const QDate d(wholeIn(args[0], 1997, 9999), wholeIn(args[1], 1, 12),
                          wholeIn(args[2], 1, 31));
            if (!d.isValid())
                raise(Error::Domain);
            then.setDate(d);
        } else {
            then.setTime(
                QTime(wholeIn(args[0], 0, 23), wholeIn(args[1], 0, 59), wholeIn(args[2], 0, 59)));
        }
        s.clockShift += now.secsTo(then);
        break;
    }
    case tok::SetDtFmt:
        s.dateFormat = wholeIn(args[0], 1, 3);
        break;
    case tok::SetTmFmt: {
        const int f = wholeIn(args[0], 12, 24);
        if (f != 12 && f != 24)
            raise(Error::Domain);
        s.timeFormat = f;
        break;
    }
    case tok::ClockOff:
    case tok::ClockOn:
        s.clockOn = cmd == tok::ClockOn;
        break;
    case tok::OpenLib:
        raise(Error::Undefined, QStringLiteral("no application library"));
    case tok::ExecLib:
        raise(Error::Invalid, QStringLiteral("no library opened"));
    default: // GarbageCollect: the engine keeps no archive to tidy
        break;
    }
    (void)n;
}

Value systemFunction(Calculator &, int fn, Value *args, int n)
{
    switch (fn) {
    case tok::TimeCnv: {
        // {days, hours, minutes, seconds} of a number of seconds.
        const Number secs = realOf(args[0]).iPart();
        if (secs.isNegative())
            raise(Error::Domain);
        const Number days = divide(secs, num(86400)).iPart();
        Number rest = sub(secs, mul(days, num(86400)));
        std::int64_t r = 0;
        rest.toInt(&r);
        return Value::list({days, num(r / 3600), num(r % 3600 / 60), num(r % 60)});
    }
    case tok::PieceWise:
    case ctok::Piecewise:
        // Pieces of a value and its condition: the first whose condition
        // holds; none holding leaves the value undefined.
        if (n % 2)
            raise(Error::Argument);
        for (int i = 0; i < n; i += 2) {
            if (truth(args[i + 1]))
                return args[i];
        }
        raise(Error::Domain);
    default:
        break;
    }
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

namespace
{

// The tokens of a clock string: digits, letters, : / and spaces.
QVector<int> tokensOfText(const QString &text)
{
    QVector<int> out;
    for (QChar ch : text) {
        const char c = char(ch.unicode());
        if (c >= '0' && c <= '9')
            out << tok::Digit0 + (c - '0');
        else if (c >= 'A' && c <= 'Z')
            out << tok::A + (c - 'A');
        else if (c == ':')
            out << tok::Colon;
        else if (c == '/')
            out << 0x83;
        else if (c == '.')
            out << tok::Point;
        else
            out << 0x29; // space
    }
    return out;
}

} // namespace

// checkTmr(, dayOfWk(, getTmStr( and getDtStr(.
Value clock(Calculator &c_, int fn, Value *args, int n)
{
    std::int64_t a = 0;
    if (n >= 1 && fn != tok::DayOfWk && !realOf(args[0]).toInt(&a))
        raise(Error::Domain);
    if (fn == tok::CheckTmr)
        return Value::real(num(c_.clockSeconds() - a));
    const QDateTime now = c_.now();
    switch (fn) {
    case tok::DayOfWk: {
        std::int64_t y, m, d;
        if (n != 3 || !realOf(args[0]).toInt(&y) || !realOf(args[1]).toInt(&m) ||
            !realOf(args[2]).toInt(&d))
            raise(Error::Domain);
        const QDate date{int(y), int(m), int(d)};
        if (!date.isValid())
            raise(Error::Domain);
        return Value::real(num(date.dayOfWeek() % 7 + 1));
    }
    case tok::GetTmStr: {
        // Hours and minutes, as the clock shows them: "13:05", "1:05 PM".
        // Programs that give 0 cut out the hours and minutes at 1 and 4.
        if (a != 12 && a != 24 && a != 0)
            raise(Error::Domain);
        const QTime t = now.time();
        if (a != 12)
            return Value::string(tokensOfText(t.toString(QStringLiteral("HH:mm"))));
        const int h = t.hour() % 12 ? t.hour() % 12 : 12;
        return Value::string(tokensOfText(QStringLiteral("%1:%2 %3")
                                              .arg(h)
                                              .arg(t.toString(QStringLiteral("mm")))
                                              .arg(t.hour() < 12 ? "AM" : "PM")));
    }
    case tok::GetDtStr: {
        // Two digits a field, the year's last two: programs cut the fields
        // out at 1, 4 and 7.
        static const char *const formats[] = {"MM/dd/yy", "dd/MM/yy", "yy/MM/dd"};
        // The colour models take 0 for the format the clock is set to.
        if (a == 0 && c_.colour())
            a = c_.settings().dateFormat;
        if (a < 1 || a > 3)
            raise(Error::Domain);
        return Value::string(tokensOfText(now.date().toString(QLatin1String(formats[a - 1]))));
    }
    default:
        raise(Error::Syntax);
    }
}

namespace
{
const Builtin kSystem[] = {
    {tok::CheckTmr, "CheckTmr", Builtin::Read, 1, 1, clock},
    {tok::DayOfWk, "DayOfWk", Builtin::Read, 3, 3, clock},
    {tok::GetTmStr, "GetTmStr", Builtin::Read, 1, 1, clock},
    {tok::GetDtStr, "GetDtStr", Builtin::Read, 1, 1, clock},
    {tok::TimeCnv, "TimeCnv", Builtin::Parsed, 1, 1, systemFunction},
    {tok::PieceWise, "PieceWise", Builtin::Parsed, 2, 10, systemFunction},
    {ctok::Piecewise, "Piecewise", Builtin::Read, 2, 10, systemFunction},
};
} // namespace

const Library systemLibrary{"system", kSystem, int(std::size(kSystem))};

} // namespace calc::basic
