#pragma once
// Per-user text values addressed by application name, section and key.
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
int readOption(const QString &key, int defaultValue = 1);
bool writeOption(const QString &key, const QString &text);

// File that holds one application name's values.
QString fileFor(const QString &app);

} // namespace platform::settings
