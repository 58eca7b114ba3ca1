// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "projects/ProjectRecord.h"

#include "platform/Config.h"
#include "platform/RegistryAccess.h"

namespace projects
{

namespace reg = platform::config::registry;

ProjectMessage messageFor(ProjectOutcome outcome, const QString &registryError)
{
    switch (outcome) {
    case ProjectOutcome::NoProjectName:
        return {QStringLiteral("Error 02-C"),
                QStringLiteral("You need to specify a project name.")};
    case ProjectOutcome::BadProjectName:
        return {QStringLiteral("Error 03-C"),
                QStringLiteral("A project name cannot contain \\ or / and cannot be made of "
                               "blanks only. Please choose another project name.")};
    case ProjectOutcome::NoProgramName:
        return {QStringLiteral("Error 04-C"), QStringLiteral("You didn't specify a program name.")};
    case ProjectOutcome::NoCalculator:
        return {QStringLiteral("Error 01-C"),
                QStringLiteral("You need to specify the type of calculator you are using.")};
    case ProjectOutcome::RegistryFailed:
        return {QString(), QStringLiteral("The project could not be recorded in the registry.\n") +
                               registryError};
    case ProjectOutcome::Recorded:
        break;
    }
    return {};
}

bool isUsableProjectName(const QString &name)
{
    if (name.trimmed().isEmpty())
        return false;
    for (QChar c : name)
        if (c == QLatin1Char('\\') || c == QLatin1Char('/') || c.category() == QChar::Other_Control)
            return false;
    return true;
}

ProjectOutcome recordProject(platform::RegistryAccess &registry, const ProjectInput &input,
                             const ProjectProgress &progress, QString *error)
{
    auto failed = [&] {
        if (error)
            *error = registry.lastError();
        return ProjectOutcome::RegistryFailed;
    };
    auto set = [&](QLatin1String name, const QString &text) {
        int type = 0;
        return registry.SetValue(name, type, text);
    };

    progress(QStringLiteral("Creating New Directory in Registry"), -1);
    registry.SelectKey(reg::SoftwareKey);
    if (!registry.CreateSubKey(reg::CompanyName))
        return failed();
    registry.SelectKey(reg::CompanyKey);
    if (!registry.CreateSubKey(reg::ProjectValuesName))
        return failed();
    registry.SelectKey(reg::ProjectValuesKey);

    progress(QStringLiteral("Varifying Project Name"), 10);
    if (input.projectName.isEmpty())
        return ProjectOutcome::NoProjectName;
    if (!isUsableProjectName(input.projectName))
        return ProjectOutcome::BadProjectName;
    if (!registry.CreateSubKey(input.projectName))
        return failed();
    progress(QStringLiteral("Writing Context Value in the Registry"), 15);
    registry.SelectKey(reg::ProjectValuesKey + QLatin1Char('\\') + input.projectName);

    if (input.programTitle.isEmpty())
        return ProjectOutcome::NoProgramName;
    if (!set(reg::ProgramTitleValue, input.programTitle))
        return failed();
    progress(QString(), 25);
    if (!set(reg::CommentsValue, input.comments))
        return failed();
    progress(QString(), 34);

    QString type;
    if (input.calculator == Calculator::TI83)
        type = QStringLiteral("83");
    else if (input.calculator == Calculator::TI83Plus)
        type = QStringLiteral("83+");
    else
        return ProjectOutcome::NoCalculator;
    if (!set(reg::CalculatorTypeValue, type))
        return failed();
    progress(QString(), 45);
    if (!set(reg::ProjectNameValue, input.projectName))
        return failed();
    progress(QString(), 58);
    if (input.model != calc::models::Model::None &&
        !set(reg::ModelValue, calc::models::id(input.model)))
        return failed();
    return ProjectOutcome::Recorded;
}

std::optional<ProjectInput> readProject(platform::RegistryAccess &registry,
                                        const QString &projectName)
{
    if (!isUsableProjectName(projectName) || !registry.SelectKey(reg::ProjectValuesKey) ||
        !registry.subKeys().contains(projectName) ||
        !registry.SelectKey(reg::ProjectValuesKey + QLatin1Char('\\') + projectName))
        return std::nullopt;
    ProjectInput record;
    record.programTitle = registry.valueText(reg::ProgramTitleValue);
    record.comments = registry.valueText(reg::CommentsValue);
    record.projectName = registry.valueText(reg::ProjectNameValue);
    const QString type = registry.valueText(reg::CalculatorTypeValue);
    record.calculator = type == QLatin1String("83")    ? Calculator::TI83
                        : type == QLatin1String("83+") ? Calculator::TI83Plus
                                                       : Calculator::None;
    record.model = calc::models::fromId(registry.valueText(reg::ModelValue));
    return record;
}

} // namespace projects
