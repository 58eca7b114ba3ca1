// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/frmProblems.h"

#include "editor/ProblemMarks.h"
#include "editor/frmDocument.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace editor
{

using calc::checks::Severity;

frmProblems::frmProblems(ProblemMarks *marks, QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("frmProblems"));
    setWindowTitle(QStringLiteral("Problems"));
    lstProblems = new QTreeWidget(this);
    lstProblems->setObjectName(QStringLiteral("lstProblems"));
    lstProblems->setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Column"),
                                  QStringLiteral("Kind"), QStringLiteral("Message")});
    lstProblems->setRootIsDecorated(false);
    // A long message wraps instead of ending in "...".
    lstProblems->setWordWrap(true);
    lstProblems->setUniformRowHeights(false);
    lstProblems->setTextElideMode(Qt::ElideNone);
    // The message takes the free width; the other columns fit their text.
    lstProblems->header()->setStretchLastSection(true);
    for (int c = 0; c < 3; ++c)
        lstProblems->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    cmdApplyHint = new QPushButton(QStringLiteral("&Apply Hint"), this);
    cmdApplyHint->setObjectName(QStringLiteral("cmdApplyHint"));
    cmdApplyAll = new QPushButton(QStringLiteral("Apply A&ll Hints"), this);
    cmdApplyAll->setObjectName(QStringLiteral("cmdApplyAll"));
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdApplyHint);
    buttons->addWidget(cmdApplyAll);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstProblems);
    layout->addLayout(buttons);
    resize(560, 260);

    connect(lstProblems, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (m_marks)
            m_marks->select(lstProblems->indexOfTopLevelItem(item));
    });
    connect(lstProblems, &QTreeWidget::currentItemChanged, this, &frmProblems::updateButtons);
    connect(cmdApplyHint, &QPushButton::clicked, this, [this] {
        if (m_marks)
            m_marks->applyHint(lstProblems->indexOfTopLevelItem(lstProblems->currentItem()));
    });
    connect(cmdApplyAll, &QPushButton::clicked, this, [this] {
        if (m_marks)
            m_marks->applyAllHints();
    });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { follow(now); });
    setMarks(marks);
}

void frmProblems::setMarks(ProblemMarks *marks)
{
    if (m_marks == marks && marks)
        return;
    if (m_marks)
        disconnect(m_marks, nullptr, this, nullptr);
    m_marks = marks;
    if (m_marks) {
        connect(m_marks, &ProblemMarks::problemsChanged, this, &frmProblems::refill);
        // A window closed takes its problems along.
        connect(m_marks, &QObject::destroyed, this, [this] {
            m_marks = nullptr;
            refill();
        });
    }
    refill();
}

void frmProblems::follow(QWidget *now)
{
    if (!now || !isVisible())
        return;
    for (QWidget *w = now; w; w = w->parentWidget()) {
        if (w == this)
            return;
        if (auto *doc = qobject_cast<frmDocument *>(w)) {
            if (ProblemMarks *marks = ProblemMarks::of(doc->RichTextBox1)) {
                if (marks != m_marks) {
                    marks->checkNow();
                    setMarks(marks);
                }
            }
            return;
        }
    }
}

namespace
{

// Where `list` stands beside `window` without covering its text: right of,
// below, left of or above the window when the screen has room.
// The window's frame on the screen: a document in a frame's workspace
// stands in a sub-window, whose geometry counts from the workspace.
QRect frameOnScreen(const QWidget *window)
{
    const QWidget *outer = window;
    if (window->parentWidget() && window->parentWidget()->inherits("QMdiSubWindow"))
        outer = window->parentWidget();
    if (outer->isWindow())
        return outer->frameGeometry();
    return QRect(outer->mapToGlobal(QPoint(0, 0)), outer->size());
}

QRect besideText(const QWidget *list, const QWidget *window)
{
    const QRect frame = frameOnScreen(window);
    const QRect screen = window->screen() ? window->screen()->availableGeometry() : QRect();
    if (!screen.isValid())
        return QRect(frame.topRight() + QPoint(1, 0), list->size());
    const QSize size = list->frameGeometry().size();
    auto fits = [&](const QPoint &at, const QRect &avoid) {
        const QRect r(at, size);
        return screen.contains(r) && !r.intersects(avoid);
    };
    const QPoint sideways[] = {QPoint(frame.right() + 1, frame.top()),
                               QPoint(frame.left(), frame.bottom() + 1),
                               QPoint(frame.left() - size.width(), frame.top()),
                               QPoint(frame.left(), frame.top() - size.height())};
    for (const QPoint &at : sideways) {
        if (fits(at, frame))
            return QRect(at, size);
    }
    const auto *pane = window->findChild<const QWidget *>(QStringLiteral("RichTextBox1"));
    if (!pane || !pane->isVisible())
        return QRect(QPoint(screen.right() + 1 - size.width(), screen.top()), size);
    // No room for all of it: the largest strip of the screen beside the
    // program pane, the list made smaller to fit.
    const QRect text(pane->mapToGlobal(QPoint(0, 0)), pane->size());
    const QRect strips[] = {QRect(QPoint(text.right() + 1, screen.top()), screen.bottomRight()),
                            QRect(QPoint(screen.left(), text.bottom() + 1), screen.bottomRight()),
                            QRect(screen.topLeft(), QPoint(text.left() - 1, screen.bottom())),
                            QRect(screen.topLeft(), QPoint(screen.right(), text.top() - 1))};
    QRect best;
    for (const QRect &strip : strips) {
        const QRect r(strip.topLeft(), size.boundedTo(strip.size()));
        const QSize least = list->layout()->totalMinimumSize() + size - list->size();
        if (r.width() >= least.width() && r.height() >= least.height() &&
            r.width() * r.height() > best.width() * best.height())
            best = r;
    }
    return best.isValid() ? best : QRect(frame.topRight(), size);
}

} // namespace

frmProblems *frmProblems::showFor(QWidget *window, ProblemMarks *marks)
{
    QWidget *host = window->window();
    auto *list =
        host->findChild<frmProblems *>(QStringLiteral("frmProblems"), Qt::FindDirectChildrenOnly);
    if (list) {
        list->setMarks(marks);
    } else {
        list = new frmProblems(marks, host);
        // Shown first: its frame is known only then.
        list->show();
        QRect at = besideText(list, window);
        const QSize margins = list->frameGeometry().size() - list->size();
        list->resize(list->size().boundedTo(at.size() - margins));
        // Its title bar stays on the screen, where it can be taken.
        if (const QScreen *screen = window->screen()) {
            const QRect room = screen->availableGeometry();
            at.moveTop(std::max(at.top(), room.top()));
            at.moveLeft(std::clamp(at.left(), room.left(),
                                   std::max(room.left(), room.right() + 1 - at.width())));
        }
        list->move(at.topLeft());
    }
    list->show();
    list->raise();
    list->activateWindow();
    return list;
}

void frmProblems::refill()
{
    lstProblems->clear();
    QStyle *st = style();
    static const QVector<calc::checks::Problem> none;
    const auto &problems = m_marks ? m_marks->problems() : none;
    for (const auto &p : problems) {
        auto *item = new QTreeWidgetItem({QString::number(p.line), QString::number(p.column),
                                          calc::checks::severityName(p.severity), p.message});
        const QStyle::StandardPixmap icon =
            p.severity == Severity::Error     ? QStyle::SP_MessageBoxCritical
            : p.severity == Severity::Warning ? QStyle::SP_MessageBoxWarning
            : p.severity == Severity::Hint    ? QStyle::SP_ArrowDown
                                              : QStyle::SP_MessageBoxInformation;
        item->setIcon(2, st->standardIcon(icon));
        for (int c = 0; c < 4; ++c)
            item->setToolTip(c, p.message);
        lstProblems->addTopLevelItem(item);
    }
    if (problems.isEmpty()) {
        // A row that is no problem: nothing to go to.
        auto *none = new QTreeWidgetItem({QString(), QString(), QString(), tr("No problems")});
        none->setFlags(Qt::NoItemFlags);
        lstProblems->addTopLevelItem(none);
    }
    updateButtons();
}

void frmProblems::updateButtons()
{
    static const QVector<calc::checks::Problem> none;
    const auto &problems = m_marks ? m_marks->problems() : none;
    const int row = lstProblems->indexOfTopLevelItem(lstProblems->currentItem());
    const bool fix = row >= 0 && row < problems.size() && calc::checks::hasFix(problems[row]);
    cmdApplyHint->setEnabled(fix);
    // The button says what the fix of an error or warning does.
    cmdApplyHint->setToolTip(fix ? problems[row].fixTitle : QString());
    cmdApplyAll->setEnabled(std::any_of(problems.begin(), problems.end(), [](const auto &p) {
        return p.severity == Severity::Hint && calc::checks::hasFix(p);
    }));
}

} // namespace editor
