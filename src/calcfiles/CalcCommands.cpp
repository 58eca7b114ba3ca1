// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calcfiles/CalcCommands.h"

#include "calc/Models.h"
#include "calc/Tokens.h"
#include "calcfiles/CalcExport.h"
#include "platform/Dialogs.h"
#include "platform/WindowRegistry.h"

#include <QFileInfo>

namespace calcfiles::calccommands
{

namespace calcfile = calc::calcfile;
namespace dialogs = platform::dialogs;

namespace
{

// The file types, the first named after the document's model: a .8xp is
// the file of every model from the TI-83 Plus on.
QString filterFor(calc::models::Model model)
{
    using calc::models::Model;
    if (model != Model::Ti84Plus && model != Model::Ti84PlusCSE && model != Model::Ti84PlusCE)
        return calcfile::fileFilter();
    return calc::models::name(model) +
           QStringLiteral(" Program (*.8xp)|*.8xp|TI-83 Program (*.83p)|*.83p");
}

} // namespace

void exportProgram(QWidget *parent, const QString &text, const QString &document,
                   const QString &caption, const calc::FileMeta &kept, calc::models::Model model)
{
    const QString title = QStringLiteral("Export to Calculator");
    auto refuse = [&](const QString &why) {
        dialogs::message(parent, why + QStringLiteral("\n\nNothing was exported."), title,
                         QMessageBox::Critical);
    };
    // A character without a token is reported before anything is asked.
    if (const auto t = calc::tokens::tokenize(text); !t.ok()) {
        refuse(t.error);
        return;
    }
    QString name = calcfile::nameFromFileName(document.isEmpty() ? caption : document);
    for (;;) {
        const auto answer = dialogs::promptOrCancel(
            parent,
            QStringLiteral("Name of the calculator program (1 to 8 characters: A-Z, 0-9 or "
                           "\u03B8, not a digit first):"),
            title, name);
        if (!answer)
            return;
        name = *answer;
        if (calcfile::isValidName(name))
            break;
        dialogs::message(parent, calcfile::nameRules(name), title, QMessageBox::Critical);
    }
    const QString filter = filterFor(model);
    const auto target =
        dialogs::saveFile(parent, title, filter, name + u'.' + dialogs::defaultSuffix(filter));
    if (!target)
        return;
    const calcfile::Built built =
        calcfile::build(text, name, false, calcfile::modelForPath(*target), kept);
    QString error;
    if (!built.ok())
        refuse(built.error);
    else if (!calcexport::writeOutput(document, *target, built.file, &error))
        refuse(error);
    else
        platform::windows().showStatus(QStringLiteral("Wrote %1: program %2, %3 bytes")
                                           .arg(QFileInfo(*target).fileName(), name)
                                           .arg(built.file.size()));
}

} // namespace calcfiles::calccommands
