// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/RecoveryWriter.h"

#include "editor/Document.h"
#include "editor/RecoveryFiles.h"
#include "platform/RichTextBox.h"

#include <QFile>

namespace editor
{

RecoveryWriter::RecoveryWriter(Document *doc, recovery::Session *session)
    : QObject(doc), m_doc(doc), m_session(session), m_path(session->newFileName()), m_pause(this),
      m_longest(this)
{
    // Named children, so a test can stand in for the clock.
    m_pause.setObjectName(QStringLiteral("pauseTimer"));
    m_longest.setObjectName(QStringLiteral("longestTimer"));
    m_pause.setSingleShot(true);
    m_longest.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &RecoveryWriter::writeNow);
    connect(&m_longest, &QTimer::timeout, this, &RecoveryWriter::writeNow);
    connect(doc->pane(), &platform::RichTextBox::Change, this, &RecoveryWriter::typed);
    connect(doc, &Document::modifiedChanged, this, [this](bool modified) {
        if (!modified)
            remove();
    });
}

RecoveryWriter::~RecoveryWriter()
{
    remove();
}

void RecoveryWriter::typed()
{
    if (!m_doc->isModified())
        return;
    m_pause.start(kPauseMs);
    if (!m_longest.isActive())
        m_longest.start(kLongestMs);
}

void RecoveryWriter::writeNow()
{
    m_pause.stop();
    m_longest.stop();
    if (!m_doc->isModified())
        return;
    recovery::Entry e;
    e.fileName = m_doc->fileName();
    e.caption = m_doc->caption();
    e.changed = QDateTime::currentDateTimeUtc();
    e.rtf = m_doc->pane()->toRtf();
    // A full disk costs the safety net, never the typing: the next pause tries again.
    m_written = m_session->write(m_path, e) || m_written;
}

void RecoveryWriter::remove()
{
    m_pause.stop();
    m_longest.stop();
    if (m_written)
        QFile::remove(m_path);
    m_written = false;
}

} // namespace editor
