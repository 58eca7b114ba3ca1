// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the MODE and FORMAT screens, the Y= editor's selection, the zoom
// memory, the pictures and graph databases and the archive hold. They live
// as long as the engine, like the other variables.
#include "calc/basic/core/Number.h"
#include "calc/basic/core/NumberFormat.h"
#include "calc/basic/core/Value.h"
#include "calc/basic/screens/GraphScreen.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>

#include <array>
#include <optional>

namespace calc::basic
{

struct GraphDatabase {
    Number window[GraphScreen::kWindowVars];
    Number xres;
    QHash<int, int> modes;
    unsigned functionsOff = 0;
    bool axes = true;
    QHash<int, QVector<int>> equations;
    // Tmin..PlotStep, u(nMin)..w(nMin) and the Y= styles.
    QVector<Number> graphVars;
    std::optional<Value> start[3];
    QHash<int, int> styles;
};

struct Settings {
    NumberFormat format;
    // The token chosen in each group of modes and formats, by the group's
    // first token; a group not here has its first setting.
    QHash<int, int> modes;
    unsigned functionsOff = 0;  // bit n for Yn
    unsigned archivedReals = 0; // bit k for A..Z, θ
    QSet<int> archivedVars;     // list, string, matrix tokens
    QSet<QString> archivedNamed;
    Number xres = Number::fromInt(1);
    std::optional<std::array<Number, GraphScreen::kWindowVars>> previous; // ZPrevious
    // 63 rows of 96 pixels, one byte each.
    std::array<std::optional<QByteArray>, 10> pictures;
    std::array<std::optional<GraphDatabase>, 10> databases;
    // The TI-84 Plus's clock: how far setDate( and setTime( moved it from
    // the computer's, its formats and whether the mode screen shows it.
    qint64 clockShift = 0;
    int dateFormat = 1, timeFormat = 12;
    bool clockOn = true;
};

// Setting commands: a statement of their own, with the arguments the
// compiler reads for them.
bool isSettingCommand(int t);
// The group a mode or format token belongs to (its first token); 0 for
// one of no group.
int modeGroup(int t);
// Values read (and some stored) like variables: Xres, ΔX, ΔY, startTmr,
// getTime, getDate, getDtStr.
bool isSettingValue(int t);
bool isClockFunction(int t);

// Seconds since 1 Jan 1997, the clock's epoch.
qint64 clockSeconds(const QDateTime &now);

} // namespace calc::basic
