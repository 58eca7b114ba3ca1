#pragma once
// Undo and redo of the program pane. Every change stores a snapshot of the
// whole text; Undo and Redo then work out from the lengths of two neighbouring
// snapshots which run was added or removed and touch only that run. No widget
// in here: the document window drives it through UndoPane and UndoControls.
#include <QString>
#include <QtGlobal>

#include <memory>
#include <vector>

namespace editor
{

struct UndoElement {
    qint32 SelStart = 0; // caret right after the change
    qint32 TextLen = 0;  // length of Text
    QString Text;        // whole program text right after the change
};

// Implemented by the document window over its RichTextBox.
class UndoPane
{
public:
    virtual ~UndoPane() = default;
    virtual QString text() const = 0; // model text, CR LF line breaks
    virtual int selStart() const = 0;
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
    UndoHistory(UndoPane &pane, UndoControls &controls);
    UndoHistory(const UndoHistory &) = delete;
    UndoHistory &operator=(const UndoHistory &) = delete;

    // The pane's change notification: snapshot the text unless trackChanges is off.
    void recordChange();
    void Undo();
    void Redo();
    void UpdateUndoRedo();

    // The diff-length run of the longer text ending before 1-based startSearch.
    // A start outside the text is moved to the nearest one that still gives a
    // full run.
    static QString Change(const QString &lParam1, const QString &lParam2,
                          const qint32 &startSearch);

    bool trackChanges() const { return trackChanges_; }
    void setTrackChanges(bool on) { trackChanges_ = on; }

    int undoCount() const { return int(undoStack.size()); }
    int redoCount() const { return int(redoStack.size()); }
    // The snapshot of the text now in the pane; an empty element before the first record.
    const UndoElement &top() const;
    // What the next Redo applies; nullptr when there is nothing to redo.
    const UndoElement *redoTop() const;
    // Memory held by both stacks: text buffers (each counted once) plus per-element overhead.
    qint64 bytesHeld() const;

private:
    using Element = std::shared_ptr<const UndoElement>;

    void removeRun(int at, int length);
    void placeRun(int at, const QString &run);
    void replaceAll(int currentLength, const QString &text, int caret);

    UndoPane &pane_;
    UndoControls &controls_;
    std::vector<Element> undoStack; // oldest first, top at the end
    std::vector<Element> redoStack; // most recently undone at the end
    bool trackChanges_ = false;
    bool rewriting_ = false; // inside Undo or Redo
};

} // namespace editor
