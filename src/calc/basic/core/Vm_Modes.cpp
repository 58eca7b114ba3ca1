// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The loop's side of Settings.h: settings, zooms, pictures, graph databases,
// the archive and the clock.
#include "calc/basic/core/Maths.h"
#include "calc/basic/core/NumberTokens.h"
#include "calc/basic/core/Vm.h"

#include <cmath>

namespace calc::basic
{

namespace
{

Number fromReal(long double v)
{
    Number n;
    if (!Number::fromLongDouble(v, &n))
        raise(Error::Overflow);
    return n;
}

long double real(const Number &n)
{
    return n.toLongDouble();
}

// Pic1..Pic9, Pic0 as 1..9, 0; a literal 0-9 as itself; else ERR:DATA TYPE.
int pictureIndex(const Value &v)
{
    std::int64_t i;
    if (v.kind != Value::Real || !v.num.toInt(&i) || i < 0 || i > 9)
        raise(Error::DataType);
    return int(i);
}

} // namespace

[[noreturn]] void Vm::archived()
{
    raise(Error::Archived);
}

void Vm::setting(int cmd, int n, int kind, int key, const Chunk *prog)
{
    const Value *args = stack_.data() + stack_.size() - n;
    switch (cmd) {
    case tok::Archive:
    case tok::UnArchive:
        archive(cmd, kind, key, prog);
        break;
    case tok::StorePic:
    case tok::RecallPic:
    case tok::StoreGDB:
    case tok::RecallGDB:
        picture(cmd, args[0]);
        break;
    case tok::ClrAllLists:
        // The archive keeps its lists.
        for (auto it = c_.vars().begin(); it != c_.vars().end(); ++it) {
            if (it->kind == Value::List && !c_.settings().archivedVars.contains(it.key()))
                c_.replace(*it, Value::list({}));
        }
        for (auto it = c_.namedLists().begin(); it != c_.namedLists().end(); ++it)
            if (!c_.settings().archivedNamed.contains(it.key()))
                c_.replace(*it, Value::list({}), int(it.key().size()));
        break;
    case tok::SetUpEditor:
        // The editor's columns: named lists it shows exist afterwards.
        if (kind == TNamed)
            c_.named(prog->names[key], true);
        break;
    case tok::ClrTable:
    case tok::ClearEntries:
        break;
    case tok::SetDate:
    case tok::SetTime:
    case tok::SetDtFmt:
    case tok::SetTmFmt:
    case tok::ClockOff:
    case tok::ClockOn:
    case tok::OpenLib:
    case tok::ExecLib:
    case tok::GarbageCollect:
        systemCommand(c_, cmd, args, n);
        break;
    default: {
        const auto graphed = graphSettings(c_);
        if (modeGroup(cmd) == 0 && cmd != tok::FnOn && cmd != tok::FnOff)
            zoom(c_, cmd);
        else
            modeSetting(cmd, args, n);
        if (graphSettings(c_) != graphed)
            c_.graph().invalidate();
        break;
    }
    }
    stack_.resize(stack_.size() - n);
}

void Vm::modeSetting(int cmd, const Value *args, int n)
{
    Settings &s = c_.settings();
    if (cmd == tok::FnOn || cmd == tok::FnOff) {
        unsigned bits = n ? 0 : 0x3FF;
        // The numbers the current mode has: Y₀..Y₉, six pairs or r's, u v w.
        const int mode = s.modes.value(tok::Func, tok::Func);
        const int least = mode == tok::Func ? 0 : 1;
        const int most = mode == tok::Func ? 9 : mode == tok::SeqMode ? 3 : 6;
        for (int i = 0; i < n; ++i) {
            std::int64_t k;
            if (!realOf(args[i]).toInt(&k) || k < least || k > most)
                raise(Error::Domain);
            bits |= 1u << k;
        }
        s.functionsOff = cmd == tok::FnOff ? s.functionsOff | bits : s.functionsOff & ~bits;
        return;
    }
    if (cmd == tok::PlotsOn || cmd == tok::PlotsOff) {
        bool which[3] = {n == 0, n == 0, n == 0};
        for (int i = 0; i < n; ++i) {
            std::int64_t k;
            if (!realOf(args[i]).toInt(&k) || k < 1 || k > 3)
                raise(Error::Domain);
            which[k - 1] = true;
        }
        for (int k = 0; k < 3; ++k) {
            if (which[k])
                c_.graphing().plots[k].on = cmd == tok::PlotsOn;
        }
        c_.graph().invalidate();
    }
    // Connected and Dot set every equation's style back to theirs.
    if (cmd == tok::Connected || cmd == tok::Dot) {
        c_.graphing().styles.clear();
        for (int k = 1; k <= 3 && cmd == tok::Connected; ++k)
            c_.graphing().styles.insert(tok::SeqMode * 16 + k, StyleLine);
        // The colour models' Thick and Dot-Thick, after Thin or Dot-Thin.
        if (ColourScreen *colour = c_.colour())
            colour->thin = false;
        c_.graph().invalidate();
    }
    if (modeGroup(cmd) == tok::Time)
        c_.graph().invalidate();
    if (cmd == tok::Fix) {
        std::int64_t k;
        if (!realOf(args[0]).toInt(&k) || k < 0 || k > 9)
            raise(Error::Domain);
        s.format.fix = int(k);
        s.modes.insert(tok::Float, cmd);
        return;
    }
    if (cmd == tok::Float)
        s.format.fix = -1;
    else if (cmd == tok::Normal || cmd == tok::Sci || cmd == tok::Eng)
        s.format.notation = cmd == tok::Sci   ? NumberFormat::Sci
                            : cmd == tok::Eng ? NumberFormat::Eng
                                              : NumberFormat::Normal;
    else if (modeGroup(cmd) == tok::RealMode)
        s.format.polar = cmd == tok::ABiMode - 1;
    else if (modeGroup(cmd) == tok::AnswerAuto)
        s.format.answers = NumberFormat::Answers(cmd - tok::AnswerAuto);
    else if (modeGroup(cmd) == tok::FracND)
        s.format.mixed = cmd == tok::FracUND;
    s.modes.insert(modeGroup(cmd), cmd);
}

// A variable moving to the archive gives its RAM back; one coming back
// needs room for it.
void Vm::inRam(bool archived, long long bytes)
{
    c_.memory().change(archived ? -bytes : bytes);
}

void Vm::archive(int cmd, int kind, int key, const Chunk *prog)
{
    Settings &s = c_.settings();
    const bool on = cmd == tok::Archive;
    if (kind == TReal) {
        // The graph's own variables stay in RAM.
        if (key == 'R' - 'A' || key == 'T' - 'A' || key == 'X' - 'A' || key == 'Y' - 'A' ||
            key == 26)
            raise(Error::Variable);
        const bool was = s.archivedReals >> key & 1;
        if (was != on && (c_.definedReals() >> key & 1))
            inRam(on, memory::realBytes(c_.complexReals() >> key & 1));
        s.archivedReals = on ? s.archivedReals | (1u << key) : s.archivedReals & ~(1u << key);
    } else if (kind == TNamed) {
        const QString &name = prog->names[key];
        if (!c_.namedLists().contains(name))
            raise(Error::Undefined);
        if (s.archivedNamed.contains(name) != on)
            inRam(on, memory::variableBytes(c_.namedLists()[name], int(name.size())));
        on ? void(s.archivedNamed.insert(name)) : void(s.archivedNamed.remove(name));
    } else {
        if (!c_.vars().contains(key) && !c_.builtinListThere(key))
            raise(Error::Undefined);
        if (s.archivedVars.contains(key) != on)
            inRam(on, memory::variableBytes(c_.listSlot(key)));
        on ? void(s.archivedVars.insert(key)) : void(s.archivedVars.remove(key));
    }
}

void Vm::picture(int cmd, const Value &which)
{
    Settings &s = c_.settings();
    GraphScreen &g = c_.graph();
    const int i = pictureIndex(which);
    switch (cmd) {
    case tok::StorePic: {
        QByteArray bits = storedPicture(c_);
        c_.memory().replace(s.pictures[i] ? Calculator::pictureBytes(*s.pictures[i]) : 0,
                            Calculator::pictureBytes(bits));
        s.pictures[i] = std::move(bits);
        break;
    }
    case tok::RecallPic:
        if (!s.pictures[i])
            raise(Error::Undefined);
        recallPicture(c_, *s.pictures[i]);
        break;
    case tok::StoreGDB: {
        GraphDatabase d;
        const auto w = g.windows();
        std::copy(w.begin(), w.end(), d.window);
        d.xres = s.xres;
        d.modes = s.modes;
        d.functionsOff = s.functionsOff;
        d.axes = g.axes();
        d.equations = c_.graphing().equations;
        d.graphVars = QVector<Number>(c_.graphing().vars, c_.graphing().vars + kZoomed);
        std::copy(std::begin(c_.graphing().start), std::end(c_.graphing().start), d.start);
        d.styles = c_.graphing().styles;
        c_.memory().replace(s.databases[i] ? Calculator::databaseBytes(*s.databases[i]) : 0,
                            Calculator::databaseBytes(d));
        s.databases[i] = d;
        break;
    }
    case tok::RecallGDB: {
        if (!s.databases[i])
            raise(Error::Undefined);
        const GraphDatabase &d = *s.databases[i];
        GraphScreen::Windows w;
        std::copy(std::begin(d.window), std::end(d.window), w.begin());
        g.setWindows(w);
        g.setAxes(d.axes);
        s.xres = d.xres;
        s.modes = d.modes;
        s.functionsOff = d.functionsOff;
        std::copy(d.graphVars.begin(), d.graphVars.end(), c_.graphing().vars);
        std::copy(std::begin(d.start), std::end(d.start), c_.graphing().start);
        c_.graphing().styles = d.styles;
        g.invalidate();
        if (c_.graphing().equations != d.equations) {
            c_.graphing().equations = d.equations;
            c_.graphing().compiled.clear();
            g.invalidate();
        }
        break;
    }
    default:
        break;
    }
}

Value Vm::settingValue(int t)
{
    const GraphScreen &g = c_.graph();
    switch (t) {
    case tok::Xres:
        return Value::real(c_.settings().xres);
    case tok::DeltaX:
        return Value::real(
            fromReal((real(g.window(GraphScreen::Xmax)) - real(g.window(GraphScreen::Xmin))) / 94));
    case tok::DeltaY:
        return Value::real(
            fromReal((real(g.window(GraphScreen::Ymax)) - real(g.window(GraphScreen::Ymin))) / 62));
    case tok::StartTmr:
        return Value::real(num(c_.clockSeconds()));
    case tok::GetTime: {
        const QDateTime now = c_.now();
        return Value::list(
            {num(now.time().hour()), num(now.time().minute()), num(now.time().second())});
    }
    case tok::GetDate: {
        const QDate today = c_.now().date();
        return Value::list({num(today.year()), num(today.month()), num(today.day())});
    }
    case tok::GetDtFmt:
        return Value::real(num(c_.settings().dateFormat));
    case tok::GetTmFmt:
        return Value::real(num(c_.settings().timeFormat));
    case tok::IsClockOn:
        return Value::real(num(c_.settings().clockOn));
    default:
        if (isMathVariable(t))
            return mathVariable(c_, t);
        if (isSequenceValue(t))
            return sequenceValue(c_, t);
        raise(Error::Syntax);
    }
}

void Vm::storeSetting(int t, const Value &v)
{
    if (isStoredMathVariable(t)) {
        storeMathVariable(c_, t, v);
        return;
    }
    if (isSequenceValue(t)) {
        storeSequenceValue(c_, t, v);
        return;
    }
    GraphScreen &g = c_.graph();
    const Number x = realOf(v);
    if (t == tok::Xres) {
        std::int64_t k;
        if (!x.toInt(&k) || k < 1 || k > 8)
            raise(Error::Domain);
        if (c_.settings().xres != x)
            g.invalidate(); // the functions are graphed anew
        c_.settings().xres = x;
        return;
    }
    if (t != tok::DeltaX && t != tok::DeltaY)
        raise(Error::Syntax);
    // ΔX and ΔY move the maximum so that the pixels are that far apart.
    const bool isX = t == tok::DeltaX;
    const auto lo = isX ? GraphScreen::Xmin : GraphScreen::Ymin;
    const auto hi = isX ? GraphScreen::Xmax : GraphScreen::Ymax;
    if (!g.setWindow(hi, fromReal(real(g.window(lo)) + real(x) * (isX ? 94 : 62))))
        raise(Error::WindowRange);
}

} // namespace calc::basic
