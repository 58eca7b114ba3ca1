// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/frmProblems.h"

#include "editor/ProblemMarks.h"

#include <QHBoxLayout>
#include <QHeaderView>
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

frmProblems *frmProblems::showFor(QWidget *window, ProblemMarks *marks)
{
    auto *list =
        window->findChild<frmProblems *>(QStringLiteral("frmProblems"), Qt::FindDirectChildrenOnly);
    if (!list) {
        list = new frmProblems(marks, window);
        // Beside the document, not over its text: right of it when the
        // screen has room, else below it.
        const QRect frame = window->frameGeometry();
        const QRect screen = window->screen() ? window->screen()->availableGeometry() : QRect();
        QPoint at(frame.right() + 1, frame.top());
        if (screen.isValid() && at.x() + list->width() > screen.right())
            at = QPoint(frame.left(),
                        std::min(frame.bottom() + 1, screen.bottom() - list->height()));
        list->move(at);
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
