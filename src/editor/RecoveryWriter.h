// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Keeps a document's unsaved text in a recovery file: written a short
// time after typing pauses, and at least every 30 seconds while it goes on;
// removed when the window is saved, reloaded or closed.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace editor
{

class Document;
namespace recovery
{
class Session;
}

class RecoveryWriter : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPauseMs = 2000;
    static constexpr int kLongestMs = 30000;

    RecoveryWriter(Document *doc, recovery::Session *session);
    ~RecoveryWriter() override;

    // Writes at once when the document has changes.
    void writeNow();
    QString file() const { return m_path; }

private:
    void typed();
    void remove();

    Document *m_doc;
    recovery::Session *m_session;
    QString m_path;
    QTimer m_pause;
    QTimer m_longest;
    bool m_written = false;
};

} // namespace editor
