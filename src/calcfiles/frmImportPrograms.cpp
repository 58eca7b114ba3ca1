// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calcfiles/frmImportPrograms.h"

#include "calc/CalculatorSymbols.h"
#include "calcfiles/CalcExport.h"
#include "platform/Dialogs.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace calcfiles
{

namespace calcfile = calc::calcfile;

frmImportPrograms::frmImportPrograms(const calcfile::ImportedFile &file, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImportPrograms"));
    setWindowTitle(QStringLiteral("Import Calculator Program"));
    Label1 = new QLabel(QStringLiteral("The file holds %1 programs. Import these, each in a "
                                       "window of its own:")
                            .arg(file.programs.size()),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    lstPrograms = new QListWidget(this);
    lstPrograms->setObjectName(QStringLiteral("lstPrograms"));
    for (const calcfile::Imported &p : file.programs) {
        QStringList state;
        if (p.isProtected)
            state << QStringLiteral("protected");
        if (p.archived)
            state << QStringLiteral("archived");
        auto *item = new QListWidgetItem(
            calc::calcsymbols::toUnicode(p.name) +
                (state.isEmpty() ? QString()
                                 : QStringLiteral(" (%1)").arg(state.join(QStringLiteral(", ")))),
            lstPrograms);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(lstPrograms, 1);
    if (!file.skipped.isEmpty()) {
        auto *skipped = new QLabel(QStringLiteral("Not programs, left out: %1.")
                                       .arg(file.skipped.join(QStringLiteral(", "))),
                                   this);
        skipped->setObjectName(QStringLiteral("Label2"));
        skipped->setWordWrap(true);
        layout->addWidget(skipped);
    }
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Nothing chosen, nothing to import.
    connect(lstPrograms, &QListWidget::itemChanged, this,
            [this] { buttons->button(QDialogButtonBox::Ok)->setEnabled(!chosen().isEmpty()); });
}

QVector<int> frmImportPrograms::chosen() const
{
    QVector<int> rows;
    for (int i = 0; i < lstPrograms->count(); ++i)
        if (lstPrograms->item(i)->checkState() == Qt::Checked)
            rows << i;
    return rows;
}

CalcImport importCalculatorPrograms(QWidget *parent)
{
    namespace dialogs = platform::dialogs;
    const QString title = QStringLiteral("Import Calculator Program");
    const auto source = dialogs::openFile(
        parent, title,
        QStringLiteral("Calculator Programs (*.8xp *.83p *.8xg *.83g)|*.8xp;*.83p;"
                       "*.8xg;*.83g"));
    if (!source)
        return {};
    calcfile::ImportedFile file;
    QString error;
    if (!calcexport::readCalcFile(*source, &file, &error)) {
        // The message names the file on a line of its own.
        error.replace(QStringLiteral("was not imported. "),
                      QStringLiteral("was not imported.\n\n"));
        dialogs::message(parent, error, title, QMessageBox::Critical);
        return {};
    }
    QVector<int> rows = {0};
    if (file.programs.size() > 1) {
        frmImportPrograms pick(file, parent);
        if (pick.exec() != QDialog::Accepted)
            return {};
        rows = pick.chosen();
    }
    CalcImport result;
    QStringList status;
    for (int row : rows) {
        result.programs << file.programs[row];
        status
            << calcexport::importReport(file, file.programs[row]).section(QLatin1Char('\n'), 0, 0);
    }
    QStringList left;
    for (int i = 0; i < file.programs.size(); ++i)
        if (!rows.contains(i))
            left << calc::calcsymbols::toUnicode(file.programs[i].name);
    if (!left.isEmpty())
        status << QStringLiteral("Not imported: %1.").arg(left.join(QStringLiteral(", ")));
    if (!file.skipped.isEmpty())
        status << QStringLiteral("Skipped, not programs: %1.")
                      .arg(file.skipped.join(QStringLiteral(", ")));
    for (const calcfile::Imported &p : result.programs)
        status << p.warnings;
    result.status = status.join(QLatin1Char(' '));
    return result;
}

} // namespace calcfiles
