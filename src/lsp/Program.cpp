// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lsp/Program.h"

#include "calc/CalculatorSymbols.h"
#include "calcfiles/ProgramFile.h"

#include <algorithm>

namespace lsp
{

namespace
{

// Whether every line that holds anything starts with a colon, as the text
// reader decides it: then each line's first colon is dropped.
bool colonMarked(const QString &text)
{
    bool any = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QStringView code = line.trimmed();
        if (code.isEmpty())
            continue;
        if (!code.startsWith(u':'))
            return false;
        any = true;
    }
    return any;
}

int symbolWidth(QChar c)
{
    return c.unicode() >= 0x80 && c.unicode() <= 0xFF
               ? int(calc::calcsymbols::symbolOf(c.unicode()).size())
               : 1;
}

} // namespace

Program::Program(const QString &text) : m_text(text)
{
    m_calculatorFile =
        text.startsWith(QLatin1String("**TI83F*")) || text.startsWith(QLatin1String("**TI83**"));
    const calcfiles::ProgramFile file = calcfiles::textProgram(text.toUtf8());
    m_model = file.model;
    m_refused = file.refused;
    QString lf = text;
    lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lf.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_marked = colonMarked(lf);
    const int n = int(text.size());
    m_textStarts = {0};
    for (int i = 0; i < n; ++i) {
        const bool crlf = text.at(i) == u'\r' && i + 1 < n && text.at(i + 1) == u'\n';
        if (crlf || text.at(i) == u'\n' || text.at(i) == u'\r') {
            m_textEnds.append(i);
            i += crlf ? 1 : 0;
            m_textStarts.append(i + 1);
        }
    }
    m_textEnds.append(n);
    m_modelStarts = {0};
    for (int i = 0; i + 1 < m_model.size(); ++i) {
        if (m_model.at(i) == u'\r' && m_model.at(i + 1) == u'\n')
            m_modelStarts.append(i + 2);
    }
    m_maps.resize(m_modelStarts.size());
}

QStringView Program::modelLine(int line) const
{
    if (line < 0 || line >= m_modelStarts.size())
        return {};
    const int start = m_modelStarts[line];
    const int end =
        line + 1 < m_modelStarts.size() ? m_modelStarts[line + 1] - 2 : int(m_model.size());
    return QStringView(m_model).mid(start, end - start);
}

QStringView Program::textLine(int line) const
{
    if (line < 0 || line >= m_textStarts.size())
        return {};
    return QStringView(m_text).mid(m_textStarts[line], m_textEnds[line] - m_textStarts[line]);
}

Position Program::modelPosition(int modelOffset) const
{
    modelOffset = std::clamp(modelOffset, 0, int(m_model.size()));
    const auto after = std::upper_bound(m_modelStarts.begin(), m_modelStarts.end(), modelOffset);
    const int line = int(after - m_modelStarts.begin()) - 1;
    return {line, std::min(modelOffset - m_modelStarts[line], int(modelLine(line).size()))};
}

Program::LineMap Program::build(int line) const
{
    LineMap m;
    const QStringView text = textLine(line);
    const QStringView model = modelLine(line);
    if (calc::calcsymbols::toUnicode(model) == text) {
        // The common case: each model character is its symbol, in order.
        m.textOfModel.append(0);
        for (const QChar c : model)
            m.textOfModel.append(m.textOfModel.last() + symbolWidth(c));
        m.modelOfText.fill(0, text.size() + 1);
        for (int k = 0, j = 0; j <= text.size(); ++j) {
            while (k < model.size() && m.textOfModel[k + 1] <= j)
                ++k;
            m.modelOfText[j] = k;
        }
        return m;
    }
    // Otherwise the reader itself says how much model text each prefix of
    // the line makes; an unmarked line follows one so that its own colon
    // is not taken for a mark.
    const QString context = m_marked ? QString() : QStringLiteral("X\n");
    const int skip = m_marked ? 0 : 3;
    m.modelOfText.append(0);
    for (int j = 1; j <= text.size(); ++j) {
        QString prefix = context + text.left(j).toString();
        if (line == 0 && m_marked && prefix.startsWith(QChar(0xFEFF)))
            prefix.remove(0, 1);
        const int made = int(calcfiles::textProgram(prefix.toUtf8()).model.size()) - skip;
        m.modelOfText.append(std::clamp(made, 0, int(model.size())));
    }
    m.textOfModel.fill(0, model.size() + 1);
    for (int j = 0; j <= text.size(); ++j) {
        for (int k = m.modelOfText[j]; k <= model.size(); ++k)
            m.textOfModel[k] = std::max(m.textOfModel[k], j);
    }
    return m;
}

const Program::LineMap &Program::map(int line) const
{
    if (!m_maps[line])
        m_maps[line] = std::make_shared<LineMap>(build(line));
    return *m_maps[line];
}

Position Program::toText(int modelOffset) const
{
    const Position at = modelPosition(modelOffset);
    if (at.line >= m_textStarts.size())
        return {int(m_textStarts.size()) - 1, int(textLine(int(m_textStarts.size()) - 1).size())};
    return {at.line, map(at.line).textOfModel.value(at.character)};
}

int Program::toModel(Position p) const
{
    if (p.line < 0)
        return 0;
    if (p.line >= m_modelStarts.size())
        return int(m_model.size());
    const LineMap &m = map(p.line);
    const int column = std::clamp(p.character, 0, int(m.modelOfText.size()) - 1);
    return m_modelStarts[p.line] + m.modelOfText[column];
}

} // namespace lsp
