// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The documents an editor has open: their text and version, changed in
// place by incremental edits. Positions are lines and UTF-16 code units,
// which is what QString indexes; a line ends at \n, \r\n or \r.
#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QVector>

namespace lsp
{

struct Position {
    int line = 0;
    int character = 0;
};

Position positionFrom(const QJsonObject &position);
QJsonObject toJson(Position p);
QJsonObject rangeJson(Position start, Position end);

class TextDocument
{
public:
    TextDocument() = default;
    TextDocument(QString uri, QString languageId, int version, QString text);

    const QString &uri() const { return m_uri; }
    const QString &languageId() const { return m_languageId; }
    int version() const { return m_version; }
    const QString &text() const { return m_text; }

    // An offset in the text; a character past its line's end means the end
    // of the line, a line past the last the end of the text.
    int offsetOf(Position p) const;
    Position positionOf(int offset) const;
    int lineCount() const { return int(m_lineStarts.size()); }
    // The end of the text.
    Position end() const { return positionOf(int(m_text.size())); }

    // One entry of contentChanges: a range and its new text, or the whole
    // text when there is no range.
    void apply(const QJsonObject &change);
    void setVersion(int version) { m_version = version; }

private:
    void index();

    QString m_uri, m_languageId;
    int m_version = 0;
    QString m_text;
    QVector<int> m_lineStarts;
};

class DocumentStore
{
public:
    TextDocument &open(const QString &uri, const QString &languageId, int version,
                       const QString &text);
    void close(const QString &uri);
    TextDocument *find(const QString &uri);
    QList<QString> uris() const { return m_documents.keys(); }

private:
    QHash<QString, TextDocument> m_documents;
};

} // namespace lsp
