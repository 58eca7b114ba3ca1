// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/Reference.h"

#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "platform/WindowRegistry.h"
#include "reference/LineCommand.h"
#include "reference/frmWizard_GETKEY.h"
#include "reference/frmWizard_MENU.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace reference
{

namespace
{

void insertLine(platform::RichTextBox *pane, const QString &line, const QString &emphasis)
{
    using Attribute = platform::RichTextBox::Attribute;
    const qsizetype at = emphasis.isEmpty() ? -1 : line.indexOf(emphasis);
    if (at < 0) {
        pane->setSelText(line);
        return;
    }
    pane->setInsertAttribute(Attribute::Italic, false);
    pane->setSelText(line.left(at));
    pane->setInsertAttribute(Attribute::Italic, true);
    pane->setSelText(emphasis);
    // Switched off again, or the rest would take the italics before it.
    pane->setInsertAttribute(Attribute::Italic, false);
    pane->setSelText(line.mid(at + emphasis.size()));
}

} // namespace

void writePane(platform::RichTextBox *pane, const PaneText &text, const QString &emphasis)
{
    switch (text.mode) {
    case WriteMode::Unchanged:
        return;
    case WriteMode::Whole:
        pane->setText(joinLines(text.lines));
        return;
    case WriteMode::Rebuilt:
        pane->setText(QString());
        break;
    case WriteMode::Append:
        break;
    }
    for (qsizetype i = 0; i < text.lines.size(); ++i)
        insertLine(pane, (i == 0 ? QString() : lineBreak()) + text.lines[i], emphasis);
}

void writeEntry(const ReferenceEntry &entry, platform::DocumentWindow &doc)
{
    if (!entry.programInsertion.isEmpty())
        doc.programPane()->setSelText(entry.programInsertion);
    writePane(doc.syntaxPane(), entry.syntax, entry.emphasis);
    writePane(doc.examplePane(), entry.example);
    if (entry.description)
        doc.setDescription(*entry.description);
}

bool chooseItem(platform::DocumentWindow &doc, const QString &item)
{
    const ReferenceEntry *entry = findEntry(item);
    if (!entry)
        return false;
    switch (entry->action) {
    case Action::None:
        writeEntry(*entry, doc);
        break;
    case Action::Line:
        askLine(doc);
        break;
    case Action::Getkey:
        platform::windows().show<frmWizard_GETKEY>();
        break;
    case Action::Menu:
        platform::windows().show<frmWizard_MENU>();
        break;
    }
    return true;
}

void askLine(platform::DocumentWindow &doc)
{
    namespace dialogs = platform::dialogs;
    QWidget *parent = doc.widget();
    const QPointer<QWidget> alive = parent;
    const std::optional<QString> text = line::run(
        [parent](int step) {
            return dialogs::promptOrCancel(parent, line::promptText(step), line::title(),
                                           line::defaultAnswer());
        },
        [parent](int step) {
            dialogs::message(parent, line::rangeMessage(step), line::title(),
                             QMessageBox::Critical);
        });
    if (text && alive)
        doc.programPane()->setSelText(*text);
}

void insertWizardText(platform::DocumentWindow &doc, const QString &text)
{
    platform::RichTextBox *pane = doc.programPane();
    const QString crlf = QStringLiteral("\r\n");
    const int start = pane->SelStart();
    const int end = start + pane->SelLength();
    // Glued to the text around the caret it would read as one command.
    const QString before = pane->textRange(start - 2, qMin(start, 2));
    const QString after = pane->textRange(end, 2);
    // A text that brings its own break needs no second one (an empty line
    // costs a byte on the calculator).
    const bool glued = !before.isEmpty() && before != crlf && !text.startsWith(crlf);
    const QString lead = glued ? crlf : QString();
    const QString trail =
        !after.isEmpty() && after != crlf && !text.endsWith(crlf) ? crlf : QString();
    pane->setSelText(lead + text + trail);
    pane->setSelStart(start + int(lead.size()));
    pane->setSelLength(int(text.size()));

    QWidget *w = doc.widget();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget())) {
        if (sub->isMinimized())
            sub->showNormal();
        if (QMdiArea *area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    }
    platform::WindowRegistry::bringForward(w->window());
    pane->giveFocus();
}

} // namespace reference
