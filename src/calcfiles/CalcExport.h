// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Conversions between saved documents and the files a calculator's link
// software loads, shared by the command line and the export window. No
// window and no display needed.
#include "calc/CalcFile.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace calcfiles::calcexport
{

// An empty *name is made from `source`'s file name; false when none can be.
bool nameFor(const QString &source, QString *name, QString *error);

// A program file (see ProgramFile.h) to .8xp or .83p (by the target's
// extension). An empty name is made from the source's file name. What the
// source keeps of an imported header (archived, version) is written back.
bool exportCalcFile(const QString &source, const QString &target, QString name, bool isProtected,
                    QString *error);
// The same for a model given here (None: the source's own, if any).
bool exportCalcFile(const QString &source, const QString &target, QString name, bool isProtected,
                    calc::models::Model model, QString *error);
// What the document keeps with a model chosen: the model, and no longer the
// product id an imported file carried.
calc::FileMeta withModel(calc::FileMeta meta, calc::models::Model model);

// A calculator file's programs (.8xp, .83p, groups .8xg, .83g), or *error.
bool readCalcFile(const QString &source, calc::calcfile::ImportedFile *file, QString *error);
// A document (.tvf) of model text in the calculator font, keeping what a
// calculator file's header said (calc/FileMeta.h) when there is any.
QByteArray documentOf(const QString &modelText, const calc::FileMeta &kept = calc::FileMeta());
// The header (calc/FileMeta.h) a document's kept RTF destinations hold, and
// those destinations with it set; what the window's import and export use.
calc::FileMeta metaIn(const QVector<QByteArray> &kept);
QVector<QByteArray> withMeta(QVector<QByteArray> kept, const calc::FileMeta &meta);
// What an import reports: the program taken, protected and archived, its model, the
// file's other programs and other variables, and the warnings.
QString importReport(const calc::calcfile::ImportedFile &file,
                     const calc::calcfile::Imported &program);

// A calculator file's program to a document in the calculator font: the
// first, or the one named `program`. *report says what was taken and left.
bool importCalcFile(const QString &source, const QString &target, QString *error,
                    const QString &program = QString(), QString *report = nullptr);

// Writes bytes whole or not at all, never over `source`.
bool writeOutput(const QString &source, const QString &target, const QByteArray &bytes,
                 QString *error);

} // namespace calcfiles::calcexport
