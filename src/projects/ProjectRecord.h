// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Recording a new project in the machine registry: one key per project
// under the project values key, named after the project, holding the
// program title, comments, calculator type and project name as typed, and
// the model the program is for when one was chosen.
#include "calc/Models.h"

#include <QString>
#include <functional>
#include <optional>

namespace platform
{
class RegistryAccess;
}

namespace projects
{

enum class Calculator { None, TI83, TI83Plus };

struct ProjectInput {
    QString programTitle;
    QString comments;
    QString projectName;
    Calculator calculator = Calculator::None;
    // Written only when chosen; a record without it reads as None.
    calc::models::Model model = calc::models::Model::None;
};

enum class ProjectOutcome {
    Recorded,
    NoProjectName,  // checked first
    BadProjectName, // cannot be a key name
    NoProgramName,
    NoCalculator,
    RegistryFailed
};

// The message a failed outcome shows: title and text.
struct ProjectMessage {
    QString title; // empty: the program's title
    QString text;
};
ProjectMessage messageFor(ProjectOutcome outcome, const QString &registryError = QString());

// A name that can only ever address its own key under the project values
// key: not blank, no key separator, no control character.
bool isUsableProjectName(const QString &name);

// Reports each step: a status text (null: unchanged) and a progress value
// (-1: unchanged).
using ProjectProgress = std::function<void(const QString &status, int progress)>;

// Runs the steps in their order. What was written before a failing check
// stays; a name that cannot be a key name is refused before its key is
// made. On RegistryFailed *error holds the store's reason.
ProjectOutcome recordProject(platform::RegistryAccess &registry, const ProjectInput &input,
                             const ProjectProgress &progress, QString *error = nullptr);

// The record of a project as recordProject() wrote it; nullopt when there is
// no such project. Records from before the model read as not chosen.
std::optional<ProjectInput> readProject(platform::RegistryAccess &registry,
                                        const QString &projectName);

} // namespace projects
