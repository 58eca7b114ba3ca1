// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every modal question the program asks goes through here, so a test can
// script the answers and read back what was asked.
#include <QList>
#include <QMessageBox>
#include <QPair>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace platform
{

namespace dialogs
{

// "Torvane Studio Files (*.tvf)|*.tvf" -> "Torvane Studio Files (*.tvf)"
QString toQtFilter(const QString &barFilter);

// Modal text prompt; cancel gives the empty text.
QString prompt(QWidget *parent, const QString &text, const QString &title,
               const QString &defaultAnswer = QString());
// The same prompt for a caller that must tell cancel from an empty answer:
// std::nullopt when the user cancelled. A lone CR in the text breaks the line.
std::optional<QString> promptOrCancel(QWidget *parent, const QString &text, const QString &title,
                                      const QString &defaultAnswer = QString());

// Modal message box. An empty title shows the program's title; `captions`
// words buttons as the question needs ("Save them first").
using ButtonCaptions = QList<QPair<QMessageBox::StandardButton, QString>>;
QMessageBox::StandardButton message(QWidget *parent, const QString &text,
                                    const QString &title = QString(),
                                    QMessageBox::Icon icon = QMessageBox::NoIcon,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    const ButtonCaptions &captions = {});

// The extension of a filter's first pattern ("tvf"), empty when it has none.
QString defaultSuffix(const QString &barFilter);
// A typed file name without extension gets the filter's.
QString withDefaultSuffix(const QString &path, const QString &barFilter);

// File dialogs; std::nullopt means the user cancelled. Each opens in the
// folder the last one ended in (at first the user's documents folder, or the
// home folder where there is none); the save dialog offers `suggestedName`
// (a bare name, or a path whose folder it opens in) and adds the chosen
// filter's extension to a name typed without one.
std::optional<QString> openFile(QWidget *parent, const QString &title, const QString &barFilter);
std::optional<QString> saveFile(QWidget *parent, const QString &title, const QString &barFilter,
                                const QString &suggestedName = QString());
// Where the next file dialog opens: a folder, or a folder and a file name.
QString fileDialogStart(const QString &suggestedName = QString());
// Forgets the folder the last file dialog ended in.
void forgetLastFolder();

// Print dialog with the given title; selectionRange opens it with its
// selection range chosen. Returns true when the user confirmed.
bool print(QWidget *parent, QPrinter *printer, const QString &title, bool selectionRange);

// Print dialog flags a print command leaves behind for the page set-up.
constexpr int kSelection = 0x1;
constexpr int kNoPageNumbers = 0x8;
constexpr int kPrintFlags = 0x100 | kNoPageNumbers; // 264: every print command's own

// Page set-up: the print dialog with the flags the last print command left
// (0 before any); never prints, every failure is ignored.
void pageSetup(QWidget *parent, QPrinter *printer, const QString &title, int lastPrintFlags);

// ---- test seam -------------------------------------------------------
// While a script is installed no real dialog opens: each call takes the next
// queued answer of its kind (a missing answer counts as cancel) and is
// recorded in `asked`.
struct Asked {
    QString kind; // "prompt", "message", "open", "save", "print", "pageSetup"
    QString text; // prompt or message text
    QString title;
    QString defaultAnswer; // prompt default, or the file filter
    bool selectionRange = false;
    QString start; // file dialogs: where it opened (fileDialogStart)
};

struct Script {
    std::deque<std::optional<QString>> prompts; // nullopt = cancel
    std::deque<std::optional<QString>> files;   // open and save dialogs, in order; nullopt = cancel
    std::deque<QMessageBox::StandardButton> messageAnswers; // default: Ok
    std::deque<bool> printAnswers;                          // default: false (cancel)
    std::vector<Asked> asked;

    QStringList titles(const QString &kind = QString()) const;
};

// Installs a script (nullptr restores the real dialogs). Not owned.
void setScript(Script *script);
Script *script();

} // namespace dialogs
} // namespace platform
