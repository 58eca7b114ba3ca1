// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "compiler/frmDone.h"

#include "calc/CalcFile.h"
#include "compiler/LinkExport.h"
#include "platform/AppInfo.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "platform/TextFiles.h"
#include "platform/WindowRegistry.h"
#include "rtf/RtfCodec.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace compiler
{

namespace dialogs = platform::dialogs;

using platform::controls::button;
using platform::controls::label;

frmDone::frmDone(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDone"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Torvane Compiler Version 1.0 - Done!"));

    Label1 = label(this, "Label1", QStringLiteral("READ THIS CAREFULLY:"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label6 = label(this, "Label6",
                   QStringLiteral("Do you want your program to not be read/edited by others?"));
    Check1 = new QCheckBox(QStringLiteral("Protected"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Label3 = label(this, "Label3",
                   QStringLiteral("Load up your program by pressing 'Open'. Then it will ask you "
                                  "to save your program as a text file. Do this and remember "
                                  "where you saved your file at."));
    Command1 = button(this, "Command1", QStringLiteral("Open..."));
    Label2 = label(this, "Label2",
                   QStringLiteral("Now, open up your TI-Graph Link program. Goto Tools->Import "
                                  "and click on ASCII Program. Now choose your file, and you are "
                                  "done!"));
    chkCalcFile = new QCheckBox(QStringLiteral("Also write a calculator file"), this);
    chkCalcFile->setObjectName(QStringLiteral("chkCalcFile"));
    chkCalcFile->setToolTip(QStringLiteral("A .8xp (TI-83 Plus) or .83p (TI-83) file that the "
                                           "calculator's own link software sends as it is."));
    Shape1 = platform::controls::box(this, "Shape1");
    Label4 = label(Shape1, "Label4",
                   QStringLiteral("If you don't have TI-Graph Link program, click on the button "
                                  "below:"));
    Command2 = button(Shape1, "Command2", QStringLiteral("Web-Site"));
    Label5 = label(this, "Label5", QStringLiteral("You are finished. Please click Close."));
    Command3 = button(this, "Command3", QStringLiteral("Close"));

    // Working panes, never shown.
    temp = new platform::RichTextBox(this);
    temp->setObjectName(QStringLiteral("temp"));
    temp->hide();
    Preview = new platform::RichTextBox(this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->hide();

    auto *shapeLayout = new QVBoxLayout(Shape1);
    shapeLayout->addWidget(Label4);
    shapeLayout->addWidget(Command2, 0, Qt::AlignHCenter);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label6);
    layout->addWidget(Check1);
    layout->addWidget(Label3);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    layout->addWidget(Label2);
    layout->addWidget(chkCalcFile);
    layout->addWidget(Shape1);
    layout->addWidget(Label5);
    layout->addWidget(Command3, 0, Qt::AlignHCenter);
    setFixedWidth(360);

    connect(Command1, &QPushButton::clicked, this, &frmDone::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmDone::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmDone::Command3_Click);
}

void frmDone::refuse(const QString &text, bool failure)
{
    dialogs::message(this, text + QStringLiteral("\n\nNothing was exported."), QString(),
                     failure ? QMessageBox::Critical : QMessageBox::Information);
}

void frmDone::tryAgain(const QString &why)
{
    dialogs::message(this, why, QString(), QMessageBox::Warning);
}

std::optional<QString> frmDone::loadDocument()
{
    const std::optional<QString> source = dialogs::openFile(
        this, QStringLiteral("Load Torvane Studio File"), platform::documentFileFilter());
    if (!source) {
        refuse(QStringLiteral("No document was chosen."), false);
        return std::nullopt;
    }
    // The export reads the saved file; changes still in a window would be
    // missing from it without a word.
    if (const auto open = platform::windows().unsavedDocument(*source)) {
        const QString title = QStringLiteral("Torvane Compiler");
        const auto answer =
            dialogs::message(this,
                             QStringLiteral("%1 has unsaved changes in %2.")
                                 .arg(QFileInfo(*source).fileName(), open->caption),
                             title, QMessageBox::Question,
                             QMessageBox::Save | QMessageBox::Ignore | QMessageBox::Cancel,
                             {{QMessageBox::Save, QStringLiteral("Save them first")},
                              {QMessageBox::Ignore, QStringLiteral("Export the saved file")}});
        if (answer != QMessageBox::Save && answer != QMessageBox::Ignore)
            return std::nullopt;
        if (answer == QMessageBox::Save && !open->save()) {
            refuse(QStringLiteral("The changes were not saved."), false);
            return std::nullopt;
        }
    }
    QString error;
    if (!temp->loadFile(*source, true, &error)) {
        refuse(QStringLiteral("The document \"%1\" could not be read:\n%2")
                   .arg(QDir::toNativeSeparators(*source), error),
               true);
        return std::nullopt;
    }
    return source;
}

std::optional<QString> frmDone::askName(bool calcFile)
{
    // Each answer is checked when it is given, and asked again at once.
    QString name = QStringLiteral("DEFULT");
    for (bool again = false;; again = true) {
        const std::optional<QString> answer = dialogs::promptOrCancel(
            this, QStringLiteral("What is the program name? Please type all in CAPS. 8 Char. Max."),
            QStringLiteral("Torvane Compiler"), name);
        // Cancel at first leaves the name empty, which the link file takes as
        // it is; cancel when asked again stops.
        if (!answer && again) {
            refuse(QStringLiteral("No program name was given."), false);
            return std::nullopt;
        }
        name = answer.value_or(QString());
        const ExportBytes nameBytes = toExportBytes(name);
        if (!nameBytes.ok()) {
            tryAgain(QStringLiteral("The program name holds the character \"%1\", which has no "
                                    "single-byte code for the calculator link.")
                         .arg(nameBytes.badChar));
            continue;
        }
        if (calcFile && !calc::calcfile::isValidName(name)) {
            if (!answer) {
                refuse(QStringLiteral("No program name was given for the calculator file."), false);
                return std::nullopt;
            }
            tryAgain(calc::calcfile::nameRules(name));
            continue;
        }
        return name;
    }
}

std::optional<QString> frmDone::askTarget(const QString &source, const QString &name)
{
    for (;;) {
        const std::optional<QString> target = dialogs::saveFile(
            this, QStringLiteral("Save Text File"), QStringLiteral("Text File (*.txt)|*.txt"),
            name + QStringLiteral(".txt"));
        if (!target) {
            refuse(QStringLiteral("No file name was chosen for the export."), false);
            return std::nullopt;
        }
        if (!platform::textfiles::sameFile(source, *target))
            return target;
        tryAgain(QStringLiteral("\"%1\" is the document the program was loaded from; the export "
                                "must not replace it. Please choose another file name.")
                     .arg(QDir::toNativeSeparators(*target)));
    }
}

bool frmDone::makeCalcFile(const QString &source, const QString &target, const QString &name,
                           QString *calcTarget, QByteArray *calcBytes)
{
    const QString filter = calc::calcfile::fileFilter();
    for (;;) {
        const std::optional<QString> chosen =
            dialogs::saveFile(this, QStringLiteral("Save Calculator File"), filter,
                              name + u'.' + dialogs::defaultSuffix(filter));
        if (!chosen) {
            refuse(QStringLiteral("No file name was chosen for the calculator file."), false);
            return false;
        }
        *calcTarget = *chosen;
        if (!platform::textfiles::sameFile(*chosen, target) &&
            !platform::textfiles::sameFile(*chosen, source))
            break;
        tryAgain(QStringLiteral("The calculator file must be a file of its own, neither the "
                                "document nor the export file. Please choose another file "
                                "name."));
    }
    // An imported program's document gives back what its file's header said.
    const calc::FileMeta kept = calc::FileMeta::fromText(
        rtf::keptText(temp->keptDestinations(), calc::FileMeta::destination()));
    const calc::calcfile::Built built = calc::calcfile::build(
        temp->Text(), name, Check1->isChecked(), calc::calcfile::modelForPath(*calcTarget), kept);
    if (!built.ok()) {
        refuse(QStringLiteral("The calculator file cannot be made:\n%1").arg(built.error), true);
        return false;
    }
    *calcBytes = built.file;
    return true;
}

void frmDone::Command1_Click()
{
    temp->setText(QString());
    Preview->setText(QString());

    const std::optional<QString> source = loadDocument();
    if (!source)
        return;
    const bool calcFile = chkCalcFile->isChecked();
    const std::optional<QString> name = askName(calcFile);
    if (!name)
        return;
    const QString text = exportText(temp->Text(), *name, Check1->isChecked(), *source);
    Preview->setText(text);

    // Checked before asking where to save, so the user is not sent through
    // the save dialog for an export that cannot be written.
    const ExportBytes bytes = toExportBytes(text);
    if (!bytes.ok()) {
        const QString where = bytes.badLine == fileLine
                                  ? QStringLiteral("The path of the document")
                                  : QStringLiteral("Line %1 of the program")
                                        .arg(bytes.badLine - programFirstLine + 1);
        refuse(where + QStringLiteral(" holds the character \"%1\", which has no single-byte "
                                      "code for the calculator link.")
                           .arg(bytes.badChar),
               true);
        return;
    }
    const std::optional<QString> target = askTarget(*source, *name);
    if (!target)
        return;
    // The calculator file is made in full before anything is written.
    QString calcTarget;
    QByteArray calcBytes;
    if (calcFile && !makeCalcFile(*source, *target, *name, &calcTarget, &calcBytes))
        return;
    writeFiles(*target, bytes.bytes, calcTarget, calcBytes, *name);
}

void frmDone::writeFiles(const QString &target, const QByteArray &bytes, const QString &calcTarget,
                         const QByteArray &calcBytes, const QString &name)
{
    QString error;
    if (!platform::textfiles::writeAtomically(target, bytes, &error)) {
        refuse(QStringLiteral("The export file \"%1\" could not be written:\n%2")
                   .arg(QDir::toNativeSeparators(target), error),
               true);
        return;
    }
    QString wrote = QStringLiteral("Wrote %1: program %2, %3 bytes")
                        .arg(QFileInfo(target).fileName(), name)
                        .arg(bytes.size());
    if (!calcTarget.isEmpty()) {
        if (!platform::textfiles::writeAtomically(calcTarget, calcBytes, &error)) {
            dialogs::message(this,
                             QStringLiteral("Cannot write \"%1\": %2")
                                     .arg(QDir::toNativeSeparators(calcTarget), error) +
                                 QStringLiteral("\n\nThe export file was written; the "
                                                "calculator file was not."),
                             QString(), QMessageBox::Critical);
        } else {
            wrote += QStringLiteral("; %1, %2 bytes")
                         .arg(QFileInfo(calcTarget).fileName())
                         .arg(calcBytes.size());
        }
    }
    platform::windows().showStatus(wrote);
}

void frmDone::Command2_Click()
{
    platform::windows().openInSharedBrowser(platform::calculatorMakerAddress());
}

void frmDone::Command3_Click()
{
    close();
}

} // namespace compiler
