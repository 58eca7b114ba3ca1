// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/frmProblems.h"

#include "editor/ProblemMarks.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace editor
{

using calc::checks::Severity;

frmProblems::frmProblems(ProblemMarks *marks, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_marks(marks)
{
    setObjectName(QStringLiteral("frmProblems"));
    setWindowTitle(QStringLiteral("Problems"));
    lstProblems = new QTreeWidget(this);
    lstProblems->setObjectName(QStringLiteral("lstProblems"));
    lstProblems->setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Column"),
                                  QStringLiteral("Kind"), QStringLiteral("Message")});
    lstProblems->setRootIsDecorated(false);
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

    connect(m_marks, &ProblemMarks::problemsChanged, this, &frmProblems::refill);
    connect(lstProblems, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        m_marks->select(lstProblems->indexOfTopLevelItem(item));
    });
    connect(lstProblems, &QTreeWidget::currentItemChanged, this, &frmProblems::updateButtons);
    connect(cmdApplyHint, &QPushButton::clicked, this, [this] {
        m_marks->applyHint(lstProblems->indexOfTopLevelItem(lstProblems->currentItem()));
    });
    connect(cmdApplyAll, &QPushButton::clicked, m_marks, &ProblemMarks::applyAllHints);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    refill();
}

namespace
{

// Where `list` stands beside `window` without covering its text: right of,
// below, left of or above the window when the screen has room.
QRect besideText(const QWidget *list, const QWidget *window)
{
    const QRect frame = window->frameGeometry();
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
    auto *list =
        window->findChild<frmProblems *>(QStringLiteral("frmProblems"), Qt::FindDirectChildrenOnly);
    if (!list) {
        list = new frmProblems(marks, window);
        // Shown first: its frame is known only then.
        list->show();
        const QRect at = besideText(list, window);
        const QSize margins = list->frameGeometry().size() - list->size();
        list->resize(list->size().boundedTo(at.size() - margins));
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
    for (const auto &p : m_marks->problems()) {
        auto *item = new QTreeWidgetItem({QString::number(p.line), QString::number(p.column),
                                          calc::checks::severityName(p.severity), p.message});
        const QStyle::StandardPixmap icon =
            p.severity == Severity::Error     ? QStyle::SP_MessageBoxCritical
            : p.severity == Severity::Warning ? QStyle::SP_MessageBoxWarning
            : p.severity == Severity::Hint    ? QStyle::SP_ArrowDown
                                              : QStyle::SP_MessageBoxInformation;
        item->setIcon(2, st->standardIcon(icon));
        item->setToolTip(3, p.message);
        lstProblems->addTopLevelItem(item);
    }
    if (m_marks->problems().isEmpty()) {
        // A row that is no problem: nothing to go to.
        auto *none = new QTreeWidgetItem({QString(), QString(), QString(), tr("No problems")});
        none->setFlags(Qt::NoItemFlags);
        lstProblems->addTopLevelItem(none);
    }
    updateButtons();
}

void frmProblems::updateButtons()
{
    const auto &problems = m_marks->problems();
    const int row = lstProblems->indexOfTopLevelItem(lstProblems->currentItem());
    cmdApplyHint->setEnabled(row >= 0 && row < problems.size() &&
                             calc::checks::hasFix(problems[row]));
    cmdApplyAll->setEnabled(std::any_of(problems.begin(), problems.end(), [](const auto &p) {
        return p.severity == Severity::Hint && calc::checks::hasFix(p);
    }));
}

} // namespace editor
