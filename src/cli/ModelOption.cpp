// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/ModelOption.h"

#include <QCommandLineParser>
#include <QStringList>

namespace cli
{

bool modelOption(const QCommandLineParser &parser, calc::models::Model *model, QString *error)
{
    using calc::models::Model;
    *model = Model::None;
    const QString target = parser.value(QStringLiteral("target"));
    if (!target.isEmpty()) {
        if (target != QLatin1String("83") && target != QLatin1String("83p")) {
            *error = QStringLiteral("--target: \"%1\" is neither 83 nor 83p.").arg(target);
            return false;
        }
        *model = calc::models::fromId(target);
    }
    const QString given = parser.value(QStringLiteral("model"));
    if (given.isEmpty())
        return true;
    const Model named = calc::models::fromId(given);
    if (named == Model::None || given == QLatin1String("83") || given == QLatin1String("83p")) {
        QStringList ids;
        for (Model m : calc::models::all())
            ids << calc::models::id(m);
        *error = QStringLiteral("--model: \"%1\" is none of %2.")
                     .arg(given, ids.join(QStringLiteral(", ")));
        return false;
    }
    if (*model != Model::None && *model != named) {
        *error = QStringLiteral("--model and --target name different calculators.");
        return false;
    }
    *model = named;
    return true;
}

} // namespace cli
