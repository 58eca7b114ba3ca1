// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Undo and redo of the program pane. Each change is kept as a delta: where it
// happened, what it removed and how much it inserted. Of the two texts only
// the one that is not in the pane is stored (the removed text while the change
// is applied, the inserted text once it is undone), so the history costs what
// was edited, not the size of the document. No widget in here: the document
// window drives it through UndoPane and UndoControls.
#include "platform/TextChange.h"

#include <QString>
#include <QtGlobal>

#include <deque>

namespace editor
{

// Implemented by the document window over its RichTextBox.
class UndoPane
{
public:
    virtual ~UndoPane() = default;
    // The change the pane notified last.
    virtual const platform::TextChange &lastChange() const = 0;
    // Model text [pos, pos + length), CR LF line breaks.
    virtual QString textRange(int pos, int length) const = 0;
    virtual void setSelStart(int) = 0; // collapses selection; beyond end = end
    virtual void setSelLength(int) = 0;
    virtual void
    setSelText(const QString &) = 0; // replace selection / insert at caret, caret after
    virtual void hideSelection(bool) = 0;
    virtual void focusPane() = 0;
};

// Enabled states of cmdUndo/mnuUndo and cmdRedo/mnuRedo, and the window's
// selection-change rule.
class UndoControls
{
public:
    virtual ~UndoControls() = default;
    virtual void setUndoEnabled(bool) = 0;
    virtual void setRedoEnabled(bool) = 0;
    virtual void selectionRule() = 0; // only called when trackChanges is true
};

class UndoHistory
{
public:
    // Oldest entries are dropped once the history holds more than this.
    static constexpr qint64 kDefaultLimitBytes = qint64(32) * 1024 * 1024;

    UndoHistory(UndoPane &pane, UndoControls &controls);
    UndoHistory(const UndoHistory &) = delete;
    UndoHistory &operator=(const UndoHistory &) = delete;

    // The text now in the pane is where the history starts: nothing to undo
    // or redo.
    void reset();
    // The pane's change notification: records its last change as one entry
    // (or as part of the open group) unless trackChanges is off.
    void recordChange();
    // Changes recorded between these make one entry, undone and redone
    // together (a compound edit the program makes in one go). Nestable.
    void beginGroup();
    void endGroup();

    void Undo();
    void Redo();
    void UpdateUndoRedo();

    bool trackChanges() const { return m_trackChanges; }
    void setTrackChanges(bool on) { m_trackChanges = on; }

    // Entries that Undo can take back, plus one for the state the history
    // started from (so 1 means nothing to undo).
    int undoCount() const { return m_undoEntries + 1; }
    int redoCount() const { return m_redoEntries; }
    // Memory held by the entries of both stacks.
    qint64 bytesHeld() const { return m_bytes; }
    void setLimitBytes(qint64 bytes);

private:
    struct Step {
        qint32 position = 0;
        qint32 removedLength = 0;
        qint32 insertedLength = 0;
        bool joined = false; // part of the same entry as the step before it
        // Applied (undo stack): the removed text. Undone: the inserted text.
        QString stored;
    };

    static qint64 cost(const Step &s);
    void push(std::deque<Step> &stack, int &entries, Step &&s);
    void dropRedo();
    void enforceLimit();
    void replace(int position, int length, const QString &text);
    void finishAt(int position, const QString &written);
    struct Swapped {
        int position;
        bool joined;
    };
    Swapped swapStep(std::deque<Step> &from, std::deque<Step> &to, int &toEntries, bool undoing,
                     QString *written);

    UndoPane &m_pane;
    UndoControls &m_controls;
    std::deque<Step> m_undo; // oldest first, last applied at the back
    std::deque<Step> m_redo; // most recently undone at the back
    int m_undoEntries = 0;
    int m_redoEntries = 0;
    qint64 m_bytes = 0;
    qint64 m_limit = kDefaultLimitBytes;
    int m_groupDepth = 0;
    bool m_groupStarted = false; // the open group has recorded its first step
    bool m_trackChanges = false;
    bool m_rewriting = false; // inside Undo or Redo
};

} // namespace editor
