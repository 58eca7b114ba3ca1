// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SettingsStore.h"

#include "platform/AppInfo.h"
#include "platform/Places.h"

#include <QDir>
#include <QSettings>
#include <cmath>

namespace platform::settings
{

namespace
{
QString safeFileName(QString app)
{
    for (QChar &c : app)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            c = QLatin1Char('_');
    return app.isEmpty() ? QStringLiteral("_") : app;
}
} // namespace

QString fileFor(const QString &app)
{
    return QDir(places::configFolder()).filePath(safeFileName(app) + QStringLiteral(".ini"));
}

QString read(const QString &app, const QString &section, const QString &key,
             const QString &defaultValue)
{
    QSettings s(fileFor(app), QSettings::IniFormat);
    const QVariant v = s.value(section + QLatin1Char('/') + key);
    return v.isValid() ? v.toString() : defaultValue;
}

bool write(const QString &app, const QString &section, const QString &key, const QString &text)
{
    QDir().mkpath(places::configFolder());
    QSettings s(fileFor(app), QSettings::IniFormat);
    s.setValue(section + QLatin1Char('/') + key, text);
    s.sync();
    return s.status() == QSettings::NoError;
}

std::optional<int> readInt(const QString &app, const QString &section, const QString &key,
                           int defaultValue)
{
    const QString stored = read(app, section, key, QString());
    if (stored.isNull())
        return defaultValue;
    bool ok = false;
    const QString text = stored.trimmed();
    const int value = text.toInt(&ok);
    if (ok)
        return value;
    // "1.0" and the like still count as numbers.
    const double d = text.toDouble(&ok);
    if (ok && std::isfinite(d) && d >= -2147483648.0 && d <= 2147483647.0)
        return int(std::lround(d));
    return std::nullopt;
}

double readNumber(const QString &app, const QString &section, const QString &key,
                  double defaultValue)
{
    bool ok = false;
    const double d = read(app, section, key, QString::number(defaultValue)).trimmed().toDouble(&ok);
    return ok && std::isfinite(d) ? d : defaultValue;
}

std::optional<int> readOption(const config::OptionKey &key)
{
    return readInt(exeBaseName(), config::OptionsSection, key.name, key.defaultValue);
}

bool writeOption(const config::OptionKey &key, const QString &text)
{
    return write(exeBaseName(), config::OptionsSection, key.name, text);
}

double readPlacement(const config::PlacementKey &key)
{
    return readNumber(appTitle(), config::SettingsSection, key.name, key.defaultValue);
}

bool writePlacement(const config::PlacementKey &key, double twips)
{
    return write(appTitle(), config::SettingsSection, key.name, QString::number(twips, 'g', 10));
}

} // namespace platform::settings
