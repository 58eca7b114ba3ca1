#include "editor/UndoHistory.h"

#include <QStringView>

#include <unordered_set>

namespace editor
{

namespace
{

const QString kCrLf = QStringLiteral("\r\n");

// Where `longer` holds the run that `shorter` lacks: the first position where
// they differ, provided cutting the run there gives `shorter` back; else -1.
int runStart(const QString &shorter, const QString &longer)
{
    const qsizetype extra = longer.size() - shorter.size();
    if (extra < 0)
        return -1;
    qsizetype p = 0;
    while (p < shorter.size() && shorter.at(p) == longer.at(p))
        ++p;
    return QStringView(longer).mid(p + extra) == QStringView(shorter).mid(p) ? int(p) : -1;
}

// True when `text` is `tail` with `head` written before it.
bool isJoin(const QString &text, const QString &head, const QString &tail)
{
    return text.size() == head.size() + tail.size() && text.startsWith(head) &&
           QStringView(text).mid(head.size()) == tail;
}

} // namespace

UndoHistory::UndoHistory(UndoPane &pane, UndoControls &controls) : pane_(pane), controls_(controls)
{
}

void UndoHistory::recordChange()
{
    if (!trackChanges_)
        return;
    redoStack.clear();
    auto e = std::make_shared<UndoElement>();
    e->Text = pane_.text(); // implicitly shared: no copy of the characters
    e->TextLen = qint32(e->Text.size());
    e->SelStart = pane_.selStart();
    undoStack.push_back(std::move(e));
    UpdateUndoRedo();
}

void UndoHistory::Undo()
{
    // A notification fired by our own rewrite must not touch the history or
    // switch tracking back on half-way through.
    if (rewriting_)
        return;
    if (undoStack.size() >= 2 && trackChanges_) {
        trackChanges_ = false;
        rewriting_ = true;
        const Element cur = undoStack.back();
        const Element prev = undoStack[undoStack.size() - 2];
        if (prev->TextLen < cur->TextLen) {
            const qint32 added = cur->TextLen - prev->TextLen;
            pane_.hideSelection(true);
            if (cur->SelStart >= added) {
                removeRun(cur->SelStart - added, added);
            } else {
                // The caret was not left at the end of the run (a whole-text
                // load leaves it at 0), so find the run from the texts.
                const QString now = pane_.text();
                const int at =
                    now.size() - prev->Text.size() == added ? runStart(prev->Text, now) : -1;
                if (at >= 0)
                    removeRun(at, added);
                else // not a plain insertion: only the whole old text is right
                    replaceAll(int(now.size()), prev->Text, prev->SelStart);
            }
            pane_.hideSelection(false);
        } else {
            const qint32 startSearch =
                cur->SelStart + 1 + qint32(qAbs(prev->Text.size() - cur->Text.size()));
            const QString restored = Change(prev->Text, cur->Text, startSearch);
            // A caret at 0 after a change that was no deletion at the start
            // means the whole text was replaced (a file load): a run put back
            // at 0 would mix both texts, so the old text comes back whole.
            if (cur->SelStart == 0 && !isJoin(prev->Text, restored, cur->Text))
                replaceAll(cur->TextLen, prev->Text, prev->SelStart);
            else
                placeRun(cur->SelStart, restored);
        }
        redoStack.push_back(cur);
        undoStack.pop_back();
        rewriting_ = false;
    }
    UpdateUndoRedo();
    trackChanges_ = true;
    pane_.focusPane();
}

void UndoHistory::Redo()
{
    if (rewriting_)
        return;
    if (!redoStack.empty() && trackChanges_) {
        trackChanges_ = false;
        rewriting_ = true;
        const Element r = redoStack.back();
        const QString now = pane_.text();
        if (r->SelStart == 0 && r->TextLen <= now.size() &&
            !isJoin(now, now.left(now.size() - r->TextLen), r->Text)) {
            // The mirror of Undo's whole-text case: a load is redone whole.
            replaceAll(int(now.size()), r->Text, r->SelStart);
        } else if (r->TextLen < now.size()) {
            pane_.setSelStart(r->SelStart);
            pane_.setSelLength(int(now.size()) - r->TextLen);
            pane_.setSelText(QString());
        } else {
            const QString inserted = Change(now, r->Text, r->SelStart + 1);
            if (r->SelStart >= inserted.size()) {
                placeRun(r->SelStart - int(inserted.size()), inserted);
            } else {
                // Same situation as in Undo: the caret does not mark the run.
                const int at = runStart(now, r->Text);
                if (at >= 0)
                    placeRun(at, r->Text.mid(at, r->Text.size() - now.size()));
                else
                    replaceAll(int(now.size()), r->Text, r->SelStart);
            }
        }
        undoStack.push_back(r);
        redoStack.pop_back();
        rewriting_ = false;
    }
    UpdateUndoRedo();
    trackChanges_ = true;
    pane_.focusPane();
}

void UndoHistory::UpdateUndoRedo()
{
    controls_.setUndoEnabled(undoStack.size() >= 2); // the load snapshot alone does not count
    controls_.setRedoEnabled(!redoStack.empty());
    if (trackChanges_)
        controls_.selectionRule();
}

QString UndoHistory::Change(const QString &lParam1, const QString &lParam2,
                            const qint32 &startSearch)
{
    const bool swap = lParam1.size() > lParam2.size();
    const QString &a = swap ? lParam2 : lParam1;
    const QString &b = swap ? lParam1 : lParam2;
    const qsizetype diff = b.size() - a.size();
    if (diff == 0)
        return QString();
    // 0-based start; b.size() - diff == a.size() is the last start with a full run.
    const qsizetype start = qBound<qsizetype>(0, qsizetype(startSearch) - diff - 1, a.size());
    return b.mid(start, diff);
}

const UndoElement &UndoHistory::top() const
{
    static const UndoElement none;
    return undoStack.empty() ? none : *undoStack.back();
}

const UndoElement *UndoHistory::redoTop() const
{
    return redoStack.empty() ? nullptr : redoStack.back().get();
}

qint64 UndoHistory::bytesHeld() const
{
    // make_shared puts the element, its counts and a vtable pointer in one block.
    constexpr qint64 perElement =
        qint64(sizeof(UndoElement) + 2 * sizeof(void *) + sizeof(Element));
    std::unordered_set<const QChar *> buffers;
    qint64 total = 0;
    for (const auto *stack : {&undoStack, &redoStack}) {
        for (const Element &e : *stack) {
            total += perElement;
            if (!e->Text.isEmpty() && buffers.insert(e->Text.constData()).second)
                total += qint64(sizeof(QArrayData)) +
                         qint64(qMax(e->Text.size(), e->Text.capacity())) * qint64(sizeof(QChar));
        }
    }
    return total;
}

void UndoHistory::removeRun(int at, int length)
{
    pane_.setSelStart(at);
    pane_.setSelLength(length);
    pane_.setSelText(QString());
}

// Write a restored run at `at`; a run of more than one character (other than a
// line break) is left selected, otherwise the caret stands after it.
void UndoHistory::placeRun(int at, const QString &run)
{
    pane_.setSelStart(at);
    pane_.setSelLength(0);
    pane_.setSelText(run);
    pane_.setSelStart(at);
    if (run != kCrLf && run.size() > 1)
        pane_.setSelLength(int(run.size()));
    else
        pane_.setSelStart(pane_.selStart() + int(run.size()));
}

void UndoHistory::replaceAll(int currentLength, const QString &text, int caret)
{
    pane_.setSelStart(0);
    pane_.setSelLength(currentLength);
    pane_.setSelText(text);
    pane_.setSelStart(caret);
}

} // namespace editor
