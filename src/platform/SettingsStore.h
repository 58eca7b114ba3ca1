// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Per-user text values addressed by application name, section and key.
#include "platform/Config.h"

#include <QString>

#include <optional>

namespace platform::settings
{

QString read(const QString &app, const QString &section, const QString &key,
             const QString &defaultValue);
bool write(const QString &app, const QString &section, const QString &key, const QString &text);

// A missing value reads as the default. A stored value is a number when it
// parses as a decimal number once blanks are trimmed ("1", " 1", "1.0";
// fractions are rounded); anything else is no number at all, which compares
// equal to no value a caller checks for.
std::optional<int> readInt(const QString &app, const QString &section, const QString &key,
                           int defaultValue);
// A stored value that is not a finite number reads as the default.
double readNumber(const QString &app, const QString &section, const QString &key,
                  double defaultValue);

// The "Options" switches live under the executable's base name, the
// "Settings" placement values under the program's title.
std::optional<int> readOption(const config::OptionKey &key);
bool writeOption(const config::OptionKey &key, const QString &text);
double readPlacement(const config::PlacementKey &key);
bool writePlacement(const config::PlacementKey &key, double twips);

// File that holds one application name's values.
QString fileFor(const QString &app);

} // namespace platform::settings
