#pragma once
// Per-user text values addressed by application name, section and key.
#include "platform/Config.h"

#include <QString>

namespace platform::settings
{

QString read(const QString &app, const QString &section, const QString &key,
             const QString &defaultValue);
bool write(const QString &app, const QString &section, const QString &key, const QString &text);

// A stored value that is not a whole number reads as the default.
int readInt(const QString &app, const QString &section, const QString &key, int defaultValue);
// A stored value that is not a finite number reads as the default.
double readNumber(const QString &app, const QString &section, const QString &key,
                  double defaultValue);

// The "Options" switches live under the executable's base name, the
// "Settings" placement values under the program's title.
int readOption(const config::OptionKey &key);
bool writeOption(const config::OptionKey &key, const QString &text);
double readPlacement(const config::PlacementKey &key);
bool writePlacement(const config::PlacementKey &key, double twips);

// File that holds one application name's values.
QString fileFor(const QString &app);

} // namespace platform::settings
