// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculators a program is written for. Each later model has every token
// of the ones before it, so "the lowest model with these tokens" is a plain
// maximum. A program without a chosen model is `None`: it is checked against
// the lowest model its tokens need, and its files are written as before.
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVector>

namespace calc::models
{

enum class Model { None = 0, Ti83, Ti83Plus, Ti84Plus, Ti84PlusCSE, Ti84PlusCE };

QVector<Model> all(); // the five, oldest first
// "ti83", "ti83p", "ti84p", "ti84pcse", "ti84pce"; empty for None.
QString id(Model m);
// An id (any case), or the old --target values "83" and "83p"; None else.
Model fromId(QStringView id);
// "TI-84 Plus CE"; long names add the models sold under another name.
QString name(Model m);
QString longName(Model m);
bool isColour(Model m);
// The RAM left for variables and programs on a calculator just reset, in
// bytes: the wiki's comparison of the calculators (24 KB on the TI-83 and
// the monochrome Plus models, 21 KB on the C Silver Edition, 154 KB on the
// CE). None gets the most any model has, so it refuses nothing a
// calculator runs.
long long freeRam(Model m);

// The file header's product id: 0x04, 0x0A, 0x0F, 0x13; 0 for the TI-83
// and None (the TI-83's files carry none).
int productId(Model m);
// What a file's header and version byte say; None when they say nothing.
Model fromProductId(int productId);
Model fromVersionByte(int version);

// The model and OS a token first came with. A token every model has, or one
// no calculator knows, needs the TI-83.
struct Need {
    Model model = Model::Ti83;
    QString os; // "5.2"; empty when the model's first OS has it
};
Need need(int token);
bool has(Model m, int token);
// "a TI-84 Plus CE with OS 5.2 or later", "a TI-84 Plus C SE"
QString needText(const Need &n);

// The lowest model with every token of the bytes, and the token that
// decides it (-1 when the TI-83 has them all).
struct Lowest {
    Model model = Model::Ti83;
    int token = -1;
    Need need;
};
Lowest lowestFor(const QByteArray &bytes);
// The tokens of the bytes model `m` lacks, each once, in order.
QVector<int> missingOn(Model m, const QByteArray &bytes);

} // namespace calc::models
