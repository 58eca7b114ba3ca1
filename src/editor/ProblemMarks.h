// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The checks of calc/Checks.h on a document window's program pane: run
// after a short pause in typing, shown as underlines with the message as a
// tool tip. Display only, like the colouring: the underlines are extra
// selections of the pane, never formats of its text, so no change report,
// undo entry or modified flag comes of them.
#include "calc/Checks.h"

#include <QFutureWatcher>
#include <QObject>
#include <QVector>

class QTimer;
class QWidget;

namespace platform
{
class RichTextBox;
}

namespace editor
{

class frmDocument;

class ProblemMarks : public QObject
{
    Q_OBJECT
public:
    explicit ProblemMarks(platform::RichTextBox *pane);
    ~ProblemMarks() override;

    // Marks for a document window's program pane, with its Tools items
    // (Check Program, Next Problem, Previous Problem) and status counts.
    static ProblemMarks *attach(frmDocument *window);
    static ProblemMarks *of(const platform::RichTextBox *pane);

    // How long typing must pause before the checks run.
    static constexpr int kPauseMs = 400;

    const QVector<calc::checks::Problem> &problems() const { return m_problems; }
    int count(calc::checks::Severity s) const;
    // "1 error, 2 warnings"; empty when there are none.
    QString countsText() const;

    void setTi83(bool on);
    // The model chosen for the program (calc/Models.h); checks run again on a change.
    void setModel(calc::models::Model model);
    // Runs the checks now (Check Program) instead of after the pause.
    void checkNow();
    // F8 and Shift+F8: selects the next (previous) problem after (before)
    // the caret, round the end. False when there is none.
    bool goToNext(bool backward);
    // Selects a problem's text and shows the pane.
    void select(int index);
    // Applies one hint, or all of them as one edit (one undo step).
    void applyHint(int index);
    void applyAllHints();

signals:
    void problemsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // After a pause: the checks run on a copy of the text in another thread;
    // a result for a text that has changed since is dropped.
    void runInBackground();
    void run();
    void take(const QVector<calc::checks::Problem> &problems);
    void show();
    void replaceRange(int start, int length, const QString &text);

    platform::RichTextBox *m_pane;
    // Kept: the pane's destructor sends events here after it stops being a scroll area.
    QWidget *m_viewport;
    QTimer *m_pause;
    QVector<calc::checks::Problem> m_problems;
    bool m_ti83 = false;
    calc::models::Model m_model = calc::models::Model::None;
    QFutureWatcher<QVector<calc::checks::Problem>> m_watcher;
    int m_generation = 0; // counts the pane's changes
    int m_running = -1;   // the generation being checked in the background
};

} // namespace editor
