// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/ProblemMarks.h"

#include "editor/EditorOptions.h"
#include "editor/frmDocument.h"
#include "editor/frmProblems.h"
#include "platform/RichTextBox.h"
#include "platform/Theme.h"

#include <QAction>
#include <QHelpEvent>
#include <QPointer>
#include <QPromise>
#include <QScrollBar>
#include <QTextBlock>
#include <QThreadPool>
#include <QTimer>
#include <QToolTip>

namespace editor
{

using calc::checks::Problem;
using calc::checks::Severity;

namespace
{

// Marks our extra selections among those others may add to the pane.
constexpr int kMarkProperty = QTextFormat::UserProperty + 26;

const char *kPropertyName = "torvaneProblemMarks";

// Characters around the visible text whose problems are drawn as well.
constexpr int kMargin = 200;

} // namespace

ProblemMarks::ProblemMarks(platform::RichTextBox *pane)
    : QObject(pane), m_pane(pane), m_viewport(pane->viewport()), m_pause(new QTimer(this))
{
    m_pane->setProperty(kPropertyName, QVariant::fromValue(static_cast<QObject *>(this)));
    m_pause->setSingleShot(true);
    m_pause->setInterval(kPauseMs);
    connect(m_pause, &QTimer::timeout, this, &ProblemMarks::runInBackground);
    // Typing only restarts the pause; the checks never run inside a keystroke.
    connect(m_pane, &platform::RichTextBox::Change, this, [this] {
        ++m_generation;
        m_pause->start();
    });
    connect(&m_watcher, &QFutureWatcher<QVector<Problem>>::finished, this, [this] {
        const bool current = m_running == m_generation;
        m_running = -1;
        if (current && m_watcher.future().resultCount() > 0)
            take(m_watcher.future().result());
    });
    connect(&EditorOptions::instance(), &EditorOptions::changed, this, &ProblemMarks::run);
    // A theme switched redraws the marks in its colours.
    connect(&EditorOptions::instance(), &EditorOptions::viewChanged, this, &ProblemMarks::show);
    m_pane->viewport()->installEventFilter(this);
    connect(m_pane->verticalScrollBar(), &QScrollBar::valueChanged, this, &ProblemMarks::show);
    m_pause->start();
}

ProblemMarks::~ProblemMarks()
{
    // A check still running finishes on its own copy; its result is dropped.
    m_watcher.disconnect(this);
}

ProblemMarks *ProblemMarks::of(const platform::RichTextBox *pane)
{
    return qobject_cast<ProblemMarks *>(pane->property(kPropertyName).value<QObject *>());
}

int ProblemMarks::count(Severity s) const
{
    return int(std::count_if(m_problems.begin(), m_problems.end(),
                             [s](const Problem &p) { return p.severity == s; }));
}

QString ProblemMarks::countsText() const
{
    const int e = count(Severity::Error), w = count(Severity::Warning);
    QStringList parts;
    if (e)
        parts << (e == 1 ? QStringLiteral("1 error") : QStringLiteral("%1 errors").arg(e));
    if (w)
        parts << (w == 1 ? QStringLiteral("1 warning") : QStringLiteral("%1 warnings").arg(w));
    return parts.join(QStringLiteral(", "));
}

void ProblemMarks::setTi83(bool on)
{
    m_ti83 = on;
    run();
}

void ProblemMarks::setModel(calc::models::Model model)
{
    if (model == m_model)
        return;
    m_model = model;
    run();
}

void ProblemMarks::checkNow()
{
    m_pause->stop();
    run();
}

void ProblemMarks::runInBackground()
{
    if (!EditorOptions::checkProgram()) {
        take({});
        return;
    }
    if (m_running >= 0) {
        m_pause->start(); // one at a time; try again after this one
        return;
    }
    calc::checks::Options o;
    o.ti83 = m_ti83;
    o.model = m_model;
    o.hints = EditorOptions::showHints();
    auto promise = std::make_shared<QPromise<QVector<Problem>>>();
    m_watcher.setFuture(promise->future());
    m_running = m_generation;
    QThreadPool::globalInstance()->start([promise, text = m_pane->Text(), o] {
        promise->start();
        promise->addResult(calc::checks::check(text, o));
        promise->finish();
    });
}

void ProblemMarks::run()
{
    m_pause->stop();
    m_running = -1; // a background result is for an older text
    QVector<Problem> problems;
    if (EditorOptions::checkProgram()) {
        calc::checks::Options o;
        o.ti83 = m_ti83;
        o.model = m_model;
        o.hints = EditorOptions::showHints();
        problems = calc::checks::check(m_pane->Text(), o);
    }
    take(problems);
}

void ProblemMarks::take(const QVector<Problem> &problems)
{
    m_problems = problems;
    show();
    emit problemsChanged();
}

void ProblemMarks::show()
{
    QList<QTextEdit::ExtraSelection> kept;
    for (const auto &s : m_pane->extraSelections()) {
        if (!s.format.hasProperty(kMarkProperty))
            kept << s;
    }
    // Only the problems on and near the screen are drawn: every extra
    // selection is a cursor the pane moves on each keystroke.
    const QRect view = m_pane->viewport()->rect();
    const int shownFrom =
        m_pane->toModelPosition(m_pane->cursorForPosition(view.topLeft()).position()) - kMargin;
    const int shownTo =
        m_pane->toModelPosition(m_pane->cursorForPosition(view.bottomRight()).position()) + kMargin;
    const bool dark = platform::theme::isDark(m_pane->palette());
    for (const Problem &p : m_problems) {
        if (p.start + p.length < shownFrom || p.start > shownTo)
            continue;
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(m_pane->document());
        s.cursor.setPosition(m_pane->toEditorPosition(p.start));
        s.cursor.setPosition(m_pane->toEditorPosition(p.start + p.length), QTextCursor::KeepAnchor);
        switch (p.severity) {
        case Severity::Error:
            s.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            s.format.setUnderlineColor(dark ? QColor(0xFF, 0x6E, 0x6E) : QColor(Qt::red));
            break;
        case Severity::Warning:
            s.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            s.format.setUnderlineColor(dark ? QColor(0xFF, 0xB0, 0x40) : QColor(255, 140, 0));
            break;
        case Severity::Hint:
            s.format.setUnderlineStyle(QTextCharFormat::DotLine);
            s.format.setUnderlineColor(dark ? QColor(0xA0, 0xA0, 0xA0) : QColor(Qt::darkGray));
            break;
        case Severity::Info:
            s.format.setUnderlineStyle(QTextCharFormat::DotLine);
            s.format.setUnderlineColor(dark ? QColor(0x60, 0xD0, 0xD0) : QColor(Qt::darkCyan));
            break;
        }
        s.format.setProperty(kMarkProperty, true);
        kept << s;
    }
    m_pane->setExtraSelections(kept);
}

bool ProblemMarks::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_viewport && event->type() == QEvent::Resize && !m_problems.isEmpty())
        QTimer::singleShot(0, this, &ProblemMarks::show); // once the layout follows

    if (watched == m_viewport && event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QTextCursor c = m_pane->cursorForPosition(help->pos());
        const int at = m_pane->toModelPosition(c.position());
        QStringList lines;
        for (const Problem &p : m_problems) {
            if (at >= p.start && at <= p.start + p.length)
                lines << p.message;
        }
        if (!lines.isEmpty()) {
            QToolTip::showText(help->globalPos(), lines.join(QLatin1Char('\n')),
                               m_pane->viewport());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool ProblemMarks::goToNext(bool backward)
{
    if (m_pause->isActive() || m_running >= 0)
        run();
    if (m_problems.isEmpty())
        return false;
    const int caret = m_pane->SelStart();
    int found = -1;
    if (!backward) {
        for (int i = 0; i < m_problems.size() && found < 0; ++i) {
            if (m_problems[i].start > caret)
                found = i;
        }
        if (found < 0)
            found = 0;
    } else {
        for (int i = int(m_problems.size()) - 1; i >= 0 && found < 0; --i) {
            if (m_problems[i].start < caret)
                found = i;
        }
        if (found < 0)
            found = int(m_problems.size()) - 1;
    }
    select(found);
    return true;
}

void ProblemMarks::select(int index)
{
    if (index < 0 || index >= m_problems.size())
        return;
    m_pane->setSelStart(m_problems[index].start);
    m_pane->setSelLength(m_problems[index].length);
    m_pane->giveFocus();
}

void ProblemMarks::replaceRange(int start, int length, const QString &text)
{
    // One replacement of the pane's text: one change, one undo step.
    m_pane->setSelStart(start);
    m_pane->setSelLength(length);
    m_pane->setSelText(text);
    run();
}

void ProblemMarks::applyHint(int index)
{
    // A hint's edit, or the fix of a slip.
    if (index < 0 || index >= m_problems.size() || !calc::checks::hasFix(m_problems[index]))
        return;
    const Problem p = m_problems[index];
    replaceRange(p.editStart, p.editLength, p.replacement);
}

void ProblemMarks::applyAllHints()
{
    QVector<Problem> hints;
    int from = -1, to = -1;
    for (const Problem &p : m_problems) {
        if (p.severity != Severity::Hint || !calc::checks::hasFix(p))
            continue;
        hints << p;
        from = from < 0 ? p.editStart : std::min(from, p.editStart);
        to = std::max(to, p.editStart + p.editLength);
    }
    if (hints.isEmpty())
        return;
    // The span from the first edit to the last, rewritten once.
    const QString span = m_pane->textRange(from, to - from);
    for (Problem &p : hints)
        p.editStart -= from;
    replaceRange(from, to - from, calc::checks::applyHints(span, hints));
}

namespace
{

// F8 and Shift+F8 say in the status bar what they select.
void goAndSay(ProblemMarks *marks, frmDocument *window, bool backward)
{
    if (!marks->goToNext(backward)) {
        emit window->statusMessage(QStringLiteral("No problems"));
        return;
    }
    const int at = window->RichTextBox1->SelStart();
    for (const auto &p : marks->problems()) {
        if (p.start == at) {
            emit window->statusMessage(calc::checks::severityName(p.severity) +
                                       QStringLiteral(": ") + p.message);
            return;
        }
    }
}

} // namespace

ProblemMarks *ProblemMarks::attach(frmDocument *window)
{
    auto *marks = new ProblemMarks(window->RichTextBox1);
    QPointer<frmProblems> list;
    auto showList = [window, marks] {
        marks->checkNow();
        frmProblems::showFor(window, marks);
    };
    if (QAction *a = window->action(QStringLiteral("mnuCheckProgram")))
        connect(a, &QAction::triggered, marks, showList);
    if (QAction *a = window->action(QStringLiteral("mnuNextProblem")))
        connect(a, &QAction::triggered, marks, [marks, window] { goAndSay(marks, window, false); });
    if (QAction *a = window->action(QStringLiteral("mnuPreviousProblem")))
        connect(a, &QAction::triggered, marks, [marks, window] { goAndSay(marks, window, true); });
    connect(marks, &ProblemMarks::problemsChanged, window, &frmDocument::statusFiguresChanged);
    return marks;
}

} // namespace editor
