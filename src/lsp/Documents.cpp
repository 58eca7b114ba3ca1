// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lsp/Documents.h"

#include <algorithm>

namespace lsp
{

Position positionFrom(const QJsonObject &position)
{
    return {position.value(QLatin1String("line")).toInt(),
            position.value(QLatin1String("character")).toInt()};
}

QJsonObject toJson(Position p)
{
    return {{QStringLiteral("line"), p.line}, {QStringLiteral("character"), p.character}};
}

QJsonObject rangeJson(Position start, Position end)
{
    return {{QStringLiteral("start"), toJson(start)}, {QStringLiteral("end"), toJson(end)}};
}

TextDocument::TextDocument(QString uri, QString languageId, int version, QString text)
    : m_uri(std::move(uri)), m_languageId(std::move(languageId)), m_version(version),
      m_text(std::move(text))
{
    index();
}

void TextDocument::index()
{
    m_lineStarts = {0};
    const int n = int(m_text.size());
    const QChar *c = m_text.constData();
    for (int i = 0; i < n; ++i) {
        if (c[i] == u'\r' && i + 1 < n && c[i + 1] == u'\n')
            ++i;
        if (c[i] == u'\n' || c[i] == u'\r')
            m_lineStarts.append(i + 1);
    }
}

int TextDocument::offsetOf(Position p) const
{
    if (p.line < 0)
        return 0;
    if (p.line >= m_lineStarts.size())
        return int(m_text.size());
    const int start = m_lineStarts[p.line];
    int end = p.line + 1 < m_lineStarts.size() ? m_lineStarts[p.line + 1] : int(m_text.size());
    // The line's own break is no column of it.
    if (end > start && m_text.at(end - 1) == u'\n')
        --end;
    if (end > start && m_text.at(end - 1) == u'\r')
        --end;
    return start + std::clamp(p.character, 0, end - start);
}

Position TextDocument::positionOf(int offset) const
{
    offset = std::clamp(offset, 0, int(m_text.size()));
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const int line = int(after - m_lineStarts.begin()) - 1;
    return {line, offset - m_lineStarts[line]};
}

void TextDocument::apply(const QJsonObject &change)
{
    const QString text = change.value(QLatin1String("text")).toString();
    const QJsonValue range = change.value(QLatin1String("range"));
    if (!range.isObject()) {
        m_text = text;
    } else {
        const QJsonObject r = range.toObject();
        const int from = offsetOf(positionFrom(r.value(QLatin1String("start")).toObject()));
        const int to = offsetOf(positionFrom(r.value(QLatin1String("end")).toObject()));
        m_text.replace(std::min(from, to), std::abs(to - from), text);
    }
    index();
}

TextDocument &DocumentStore::open(const QString &uri, const QString &languageId, int version,
                                  const QString &text)
{
    return m_documents[uri] = TextDocument(uri, languageId, version, text);
}

void DocumentStore::close(const QString &uri)
{
    m_documents.remove(uri);
}

TextDocument *DocumentStore::find(const QString &uri)
{
    const auto it = m_documents.find(uri);
    return it == m_documents.end() ? nullptr : &*it;
}

} // namespace lsp
