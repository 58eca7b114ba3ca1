// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a program's calculator file said beside its tokens, kept with the
// document so that an export gives it back. A document file holds it as the
// ignorable RTF destination {\*\torvane key=value ...}, which word
// processors skip and our RTF codec keeps through load and save. Fields
// (unknown keys are kept as they came, for a newer version of us):
//   archived=1  the program was in the archive
//   version=N   the TI-83 Plus file's version byte, the clock flag apart
//   clock=1     the version byte's clock flag (0x20)
// The place for what else a file says of its program (its model, later).
#include <QLatin1String>
#include <QPair>
#include <QString>
#include <QStringView>
#include <QVector>

namespace calc
{

struct FileMeta {
    // The RTF destination's word.
    static QLatin1String destination() { return QLatin1String("torvane"); }

    QVector<QPair<QString, QString>> fields; // in the order first set

    bool isEmpty() const { return fields.isEmpty(); }
    // Null when the key is not there.
    QString value(const QString &key) const;
    // An empty value removes the key.
    void set(const QString &key, const QString &value);
    // A number field; `fallback` when missing or no number.
    int number(const QString &key, int fallback) const;

    // "key=value key=value"; keys and values hold no blank and no '='.
    QString toText() const;
    // What toText() wrote; pairs that are not key=value are left out.
    static FileMeta fromText(QStringView text);

    bool operator==(const FileMeta &o) const { return fields == o.fields; }
};

} // namespace calc
