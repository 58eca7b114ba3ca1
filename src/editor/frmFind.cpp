// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/frmFind.h"

#include "calc/CalculatorSymbols.h"
#include "editor/UndoHistory.h"
#include "platform/Controls.h"
#include "platform/RichTextBox.h"
#include "platform/WindowRegistry.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace editor
{

using platform::controls::named;

frmFind::frmFind(platform::RichTextBox *pane, UndoHistory *history, QWidget *owner)
    : QWidget(owner, Qt::Tool), m_pane(pane), m_history(history)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(tr("Find"));

    txtFind = named(new QLineEdit, "txtFind");
    txtReplace = named(new QLineEdit, "txtReplace");
    lblReplace = named(new QLabel(tr("Replace &with:")), "lblReplace");
    lblReplace->setBuddy(txtReplace);
    auto *lblFind = named(new QLabel(tr("Fi&nd what:")), "lblFind");
    lblFind->setBuddy(txtFind);
    chkMatchCase = named(new QCheckBox(tr("Match &case")), "chkMatchCase");
    chkWholeWord = named(new QCheckBox(tr("&Whole word")), "chkWholeWord");
    chkInSelection = named(new QCheckBox(tr("In &selection")), "chkInSelection");
    cmdFindNext = named(new QPushButton(tr("&Find Next")), "cmdFindNext");
    cmdFindPrevious = named(new QPushButton(tr("Find &Previous")), "cmdFindPrevious");
    cmdReplace = named(new QPushButton(tr("&Replace")), "cmdReplace");
    cmdReplaceAll = named(new QPushButton(tr("Replace &All")), "cmdReplaceAll");
    cmdClose = named(new QPushButton(tr("Close")), "cmdClose");
    lblResult = named(new QLabel, "lblResult");
    cmdFindNext->setDefault(true);

    auto *fields = new QGridLayout;
    fields->addWidget(lblFind, 0, 0);
    fields->addWidget(txtFind, 0, 1);
    fields->addWidget(lblReplace, 1, 0);
    fields->addWidget(txtReplace, 1, 1);
    auto *checks = new QHBoxLayout;
    checks->addWidget(chkMatchCase);
    checks->addWidget(chkWholeWord);
    checks->addWidget(chkInSelection);
    checks->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(checks);
    left->addWidget(lblResult);
    left->addStretch(1);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {cmdFindNext, cmdFindPrevious, cmdReplace, cmdReplaceAll, cmdClose})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto *main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addLayout(buttons);

    connect(cmdFindNext, &QPushButton::clicked, this, [this] { findNext(false); });
    connect(cmdFindPrevious, &QPushButton::clicked, this, [this] { findNext(true); });
    connect(cmdReplace, &QPushButton::clicked, this, &frmFind::replace);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &frmFind::replaceAll);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::hide);
    platform::bindDialogKeys(this, nullptr, cmdClose);
    connect(chkInSelection, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            takeScope();
    });
    connect(txtFind, &QLineEdit::returnPressed, this, [this] { findNext(false); });
    // The document window's repeat keys work here too.
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
            [this] { findNext(false); });
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this), &QShortcut::activated, this,
            [this] { findNext(true); });
}

void frmFind::showFor(bool replacing)
{
    setWindowTitle(replacing ? tr("Replace") : tr("Find"));
    for (QWidget *w : {static_cast<QWidget *>(lblReplace), static_cast<QWidget *>(txtReplace),
                       static_cast<QWidget *>(cmdReplace), static_cast<QWidget *>(cmdReplaceAll)})
        w->setVisible(replacing);
    // A selection within one line is what to look for; one over several
    // lines is where to look.
    const QString selected = m_pane->SelText();
    const bool lines = selected.contains(QLatin1Char('\n'));
    if (!selected.isEmpty() && !lines)
        txtFind->setText(calc::calcsymbols::toUnicode(selected));
    chkInSelection->setChecked(lines);
    if (lines)
        takeScope();
    lblResult->clear();
    if (!isVisible())
        placeBeside();
    show();
    raise();
    activateWindow();
    txtFind->setFocus();
    txtFind->selectAll();
}

bool frmFind::hasSearch() const
{
    return !txtFind->text().isEmpty();
}

QString frmFind::needle() const
{
    return calc::calcsymbols::fromUnicode(txtFind->text()).text;
}

QString frmFind::replacement() const
{
    return calc::calcsymbols::fromUnicode(txtReplace->text()).text;
}

FindOptions frmFind::options() const
{
    return FindOptions{chkMatchCase->isChecked(), chkWholeWord->isChecked()};
}

void frmFind::takeScope()
{
    m_scopeStart = m_pane->SelStart();
    m_scopeEnd = m_scopeStart + m_pane->SelLength();
}

void frmFind::report(const QString &text)
{
    lblResult->setText(text);
    if (!text.isEmpty())
        QApplication::beep();
}

bool frmFind::findNext(bool backward)
{
    const QString what = needle();
    if (what.isEmpty())
        return false;
    const QString text = m_pane->Text();
    const bool scoped = chkInSelection->isChecked();
    const int start = scoped ? m_scopeStart : 0;
    const int end = scoped ? m_scopeEnd : int(text.size());
    const int from = backward ? m_pane->SelStart() : m_pane->SelStart() + m_pane->SelLength();
    const Match m = findText(text, what, from, backward, options(), start, end);
    if (!m.found()) {
        report(tr("\"%1\" was not found.").arg(txtFind->text()));
        return false;
    }
    lblResult->clear();
    m_pane->setSelStart(m.start);
    m_pane->setSelLength(m.length);
    m_pane->ensureCursorVisible();
    keepClearOfSelection();
    return true;
}

void frmFind::placeBeside()
{
    const QWidget *doc = parentWidget() ? parentWidget() : m_pane;
    const QRect over(doc->mapToGlobal(QPoint(0, 0)), doc->size());
    const QSize size = sizeHint().expandedTo(minimumSize());
    const QScreen *screen = doc->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QRect frame = frameGeometry();
    // The frame adds its title bar and borders to the size asked for.
    const QSize extra = isVisible() ? frame.size() - geometry().size() : QSize(0, 0);
    const QSize outer = size + extra;
    const int y = qBound(room.top(), over.top(), qMax(room.top(), room.bottom() - outer.height()));
    const int x = qBound(room.left(), over.left(), qMax(room.left(), room.right() - outer.width()));
    for (const QPoint at : {QPoint(over.right() + 1, y), QPoint(over.left() - outer.width(), y),
                            QPoint(x, over.bottom() + 1), QPoint(x, over.top() - outer.height())}) {
        if (room.contains(QRect(at, outer))) {
            setGeometry(QRect(at, size));
            return;
        }
    }
    setGeometry(platform::placedOver(size, doc));
}

void frmFind::keepClearOfSelection()
{
    if (!isVisible())
        return;
    // The caret's line across the pane, mapped to the screen once.
    const QRect caret = m_pane->cursorRect();
    const QRect found(m_pane->viewport()->mapToGlobal(QPoint(0, caret.top())),
                      QSize(m_pane->viewport()->width(), caret.height()));
    if (!frameGeometry().intersects(found))
        return;
    // Above or below the line of the match, whichever side has more room.
    const QScreen *screen = m_pane->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QRect frame = frameGeometry();
    const int above = found.top() - room.top();
    const int below = room.bottom() - found.bottom();
    const int top = above >= below ? found.top() - frame.height() : found.bottom() + 1;
    move(frame.left(), qMax(room.top(), top));
}

bool frmFind::replace()
{
    const QString what = needle();
    if (what.isEmpty())
        return false;
    const int at = m_pane->SelStart();
    const bool inScope = !chkInSelection->isChecked() ||
                         (at >= m_scopeStart && at + m_pane->SelLength() <= m_scopeEnd);
    if (inScope && isMatch(m_pane->SelText(), what, options())) {
        const QString with = replacement();
        m_pane->setSelText(with);
        if (at < m_scopeEnd)
            m_scopeEnd += int(with.size()) - int(what.size());
    }
    return findNext(false);
}

int frmFind::replaceAll()
{
    const QString what = needle();
    if (what.isEmpty())
        return 0;
    const QString text = m_pane->Text();
    const bool scoped = chkInSelection->isChecked();
    const QVector<Match> found = findAll(text, what, options(), scoped ? m_scopeStart : 0,
                                         scoped ? m_scopeEnd : int(text.size()));
    if (found.isEmpty()) {
        report(tr("\"%1\" was not found.").arg(txtFind->text()));
        return 0;
    }
    const QString with = replacement();
    // From the last match back, so the earlier positions stay valid.
    m_history->beginGroup();
    for (auto it = found.crbegin(); it != found.crend(); ++it) {
        m_pane->setSelStart(it->start);
        m_pane->setSelLength(it->length);
        m_pane->setSelText(with);
    }
    m_history->endGroup();
    const int delta = int(found.size()) * (int(with.size()) - int(what.size()));
    if (scoped) {
        m_scopeEnd += delta;
        m_pane->setSelStart(m_scopeStart);
        m_pane->setSelLength(m_scopeEnd - m_scopeStart);
    }
    keepClearOfSelection();
    lblResult->setText(tr("%n replaced.", nullptr, int(found.size())));
    return int(found.size());
}

} // namespace editor
