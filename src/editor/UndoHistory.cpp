// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/UndoHistory.h"

namespace editor
{

namespace
{
const QString kCrLf = QStringLiteral("\r\n");

QString tight(QString s)
{
    if (s.capacity() > s.size())
        s.squeeze();
    return s;
}
} // namespace

UndoHistory::UndoHistory(UndoPane &pane, UndoControls &controls)
    : m_pane(pane), m_controls(controls)
{
}

qint64 UndoHistory::cost(const Step &s)
{
    qint64 bytes = sizeof(Step);
    if (!s.stored.isEmpty())
        bytes += qint64(sizeof(QArrayData)) +
                 qint64(qMax(s.stored.size(), s.stored.capacity())) * qint64(sizeof(QChar));
    return bytes;
}

void UndoHistory::push(std::deque<Step> &stack, int &entries, Step &&s)
{
    if (!s.joined)
        ++entries;
    m_bytes += cost(s);
    stack.push_back(std::move(s));
}

void UndoHistory::reset()
{
    m_undo.clear();
    m_redo.clear();
    m_undoEntries = m_redoEntries = 0;
    m_bytes = 0;
    m_groupStarted = false;
    UpdateUndoRedo();
}

void UndoHistory::dropRedo()
{
    for (const Step &s : m_redo)
        m_bytes -= cost(s);
    m_redo.clear();
    m_redoEntries = 0;
}

void UndoHistory::recordChange()
{
    if (!m_trackChanges) {
        // A change that Undo or Redo did not make moves text under the
        // recorded positions; restoring from them could build a text that
        // never existed, so the history starts again from here.
        if (!m_rewriting && (m_undoEntries > 0 || m_redoEntries > 0)) {
            m_undo.clear();
            m_redo.clear();
            m_undoEntries = m_redoEntries = 0;
            m_bytes = 0;
            m_groupStarted = false;
        }
        return;
    }
    const platform::TextChange &c = m_pane.lastChange();
    dropRedo();
    Step s;
    s.position = c.position;
    s.removedLength = qint32(c.removed.size());
    s.insertedLength = qint32(c.inserted.size());
    s.stored = tight(c.removed);
    s.joined = m_groupDepth > 0 && m_groupStarted;
    if (m_groupDepth > 0)
        m_groupStarted = true;
    push(m_undo, m_undoEntries, std::move(s));
    enforceLimit();
    UpdateUndoRedo();
}

void UndoHistory::beginGroup()
{
    if (m_groupDepth++ == 0)
        m_groupStarted = false;
}

void UndoHistory::endGroup()
{
    if (m_groupDepth > 0 && --m_groupDepth == 0)
        m_groupStarted = false;
}

// Takes the step at the back of `from` back or forward: the text it stored
// goes in place of the run now standing there, which the step stores instead
// on its way to `to`.
UndoHistory::Swapped UndoHistory::swapStep(std::deque<Step> &from, std::deque<Step> &to,
                                           int &toEntries, bool undoing, QString *written)
{
    Step s = std::move(from.back());
    from.pop_back();
    m_bytes -= cost(s);
    const int standing = undoing ? s.insertedLength : s.removedLength;
    const QString current = m_pane.textRange(s.position, standing);
    replace(s.position, standing, s.stored);
    *written = std::move(s.stored);
    s.stored = tight(current);
    const Swapped done{s.position, s.joined};
    push(to, toEntries, std::move(s));
    return done;
}

void UndoHistory::Undo()
{
    // A notification fired by our own rewrite must not touch the history or
    // switch tracking back on half-way through.
    if (m_rewriting)
        return;
    if (m_undoEntries > 0 && m_trackChanges) {
        m_trackChanges = false;
        m_rewriting = true;
        m_groupStarted = false; // what an open group records next is a new entry
        m_pane.hideSelection(true);
        QString written;
        Swapped last{};
        do
            last = swapStep(m_undo, m_redo, m_redoEntries, true, &written);
        while (last.joined);
        --m_undoEntries;
        m_pane.hideSelection(false);
        finishAt(last.position, written);
        enforceLimit();
        m_rewriting = false;
    }
    UpdateUndoRedo();
    m_trackChanges = true;
    m_pane.focusPane();
}

void UndoHistory::Redo()
{
    if (m_rewriting)
        return;
    if (m_redoEntries > 0 && m_trackChanges) {
        m_trackChanges = false;
        m_rewriting = true;
        m_groupStarted = false;
        QString written;
        Swapped last{};
        do
            last = swapStep(m_redo, m_undo, m_undoEntries, false, &written);
        while (!m_redo.empty() && m_redo.back().joined);
        --m_redoEntries;
        finishAt(last.position, written);
        enforceLimit();
        m_rewriting = false;
    }
    UpdateUndoRedo();
    m_trackChanges = true;
    m_pane.focusPane();
}

void UndoHistory::UpdateUndoRedo()
{
    m_controls.setUndoEnabled(m_undoEntries > 0);
    m_controls.setRedoEnabled(m_redoEntries > 0);
    if (m_trackChanges)
        m_controls.selectionRule();
}

void UndoHistory::setLimitBytes(qint64 bytes)
{
    m_limit = qMax<qint64>(0, bytes);
    enforceLimit();
}

// Drops whole entries, oldest first, then those furthest in the redo future;
// the entry next to the current text on either side always stays.
void UndoHistory::enforceLimit()
{
    while (m_bytes > m_limit && m_undoEntries > 1) {
        do {
            m_bytes -= cost(m_undo.front());
            m_undo.pop_front();
        } while (!m_undo.empty() && m_undo.front().joined);
        --m_undoEntries;
    }
    // Undone steps lie in reverse: an entry ends with its unjoined step.
    while (m_bytes > m_limit && m_redoEntries > 1) {
        bool last = false;
        while (!last) {
            last = !m_redo.front().joined;
            m_bytes -= cost(m_redo.front());
            m_redo.pop_front();
        }
        --m_redoEntries;
    }
}

void UndoHistory::replace(int position, int length, const QString &text)
{
    if (length == 0 && text.isEmpty())
        return;
    m_pane.setSelStart(position);
    m_pane.setSelLength(length);
    m_pane.setSelText(text);
}

// The caret after a restore: a written run of more than one character (other
// than a line break) is selected, otherwise the caret stands after it; where
// nothing was written it stays where the text was taken out.
void UndoHistory::finishAt(int position, const QString &written)
{
    m_pane.setSelStart(position);
    if (written.size() > 1 && written != kCrLf)
        m_pane.setSelLength(int(written.size()));
    else
        m_pane.setSelStart(position + int(written.size()));
}

} // namespace editor
