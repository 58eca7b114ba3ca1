// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// An editor's text listing read as a program, exactly as the command line
// reads a text file (calcfiles/ProgramFile.h): model text for the checks
// and the tokenizer, and every model position mapped back to the line and
// UTF-16 column of the editor's text it came from.
#include "lsp/Documents.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

namespace lsp
{

class Program
{
public:
    explicit Program(const QString &text);

    // CR LF line breaks; one model line for each line of the text.
    const QString &model() const { return m_model; }
    // The characters no calculator symbol stands for, each once; they are
    // left out of the model text.
    const QString &refused() const { return m_refused; }
    // The text begins with a calculator file's signature: bytes, not a listing.
    bool calculatorFile() const { return m_calculatorFile; }

    Position toText(int modelOffset) const;
    int toModel(Position p) const;
    int lineCount() const { return int(m_modelStarts.size()); }
    int modelLineStart(int line) const { return m_modelStarts.value(line, int(m_model.size())); }
    QStringView modelLine(int line) const;
    // The model line and column of a model offset.
    Position modelPosition(int modelOffset) const;
    QStringView textLine(int line) const;

private:
    struct LineMap {
        QVector<int> modelOfText; // for each column of the text line, 0..size
        QVector<int> textOfModel; // for each column of the model line, 0..size
    };
    const LineMap &map(int line) const;
    LineMap build(int line) const;

    QString m_text;
    QVector<int> m_textStarts, m_textEnds;
    QString m_model;
    QVector<int> m_modelStarts;
    QString m_refused;
    bool m_marked = false;
    bool m_calculatorFile = false;
    mutable QVector<std::shared_ptr<LineMap>> m_maps;
};

} // namespace lsp
