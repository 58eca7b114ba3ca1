// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Dialogs.h"

#include "platform/AppInfo.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>

namespace platform::dialogs
{

namespace
{
Script *g_script = nullptr;

void record(const QString &kind, const QString &text, const QString &title,
            const QString &def = QString(), bool selection = false)
{
    g_script->asked.push_back({kind, text, title, def, selection, QString()});
}

template <typename T> T take(std::deque<T> &queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T v = std::move(queue.front());
    queue.pop_front();
    return v;
}

// A scripted answer for a text or file question; no answer means cancel.
QString takeText(std::deque<std::optional<QString>> &queue, bool *answered)
{
    *answered = false;
    if (queue.empty())
        return QString();
    const bool has = queue.front().has_value();
    const QString text = has ? *queue.front() : QString();
    queue.pop_front();
    *answered = has;
    return text;
}

// The folder the last file dialog ended in; empty before the first.
QString &lastFolder()
{
    static QString folder;
    return folder;
}

std::optional<QString> fileDialog(QWidget *parent, const QString &title, const QString &barFilter,
                                  bool save, const QString &suggestedName = QString())
{
    QString chosen;
    const QString start = fileDialogStart(suggestedName);
    if (g_script) {
        record(save ? "save" : "open", QString(), title, barFilter);
        g_script->asked.back().start = start;
        bool answered = false;
        chosen = takeText(g_script->files, &answered);
        if (!answered)
            return std::nullopt;
    } else {
        QFileDialog dlg(parent, title, start, toQtFilter(barFilter));
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
        dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // A name typed without extension gets the chosen filter's.
        const QStringList entries = toQtFilter(barFilter).split(QStringLiteral(";;"));
        const auto chosenFilter = [&](const QString &entry) {
            const QStringList parts = barFilter.split(QLatin1Char('|'));
            const qsizetype i = entries.indexOf(entry);
            return i >= 0 && 2 * i + 1 < parts.size() ? parts[2 * i] + u'|' + parts[2 * i + 1]
                                                      : barFilter;
        };
        if (save) {
            dlg.setDefaultSuffix(defaultSuffix(barFilter));
            QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&](const QString &entry) {
                dlg.setDefaultSuffix(defaultSuffix(chosenFilter(entry)));
            });
        }
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        chosen = dlg.selectedFiles().constFirst();
        if (chosen.isEmpty())
            return std::nullopt;
        if (save)
            chosen = withDefaultSuffix(chosen, chosenFilter(dlg.selectedNameFilter()));
    }
    if (save)
        chosen = withDefaultSuffix(chosen, barFilter);
    lastFolder() = QFileInfo(chosen).absolutePath();
    return chosen;
}
} // namespace

QString fileDialogStart(const QString &suggestedName)
{
    QString folder = lastFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        // A missing folder would be taken as the name to save under.
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QDir::homePath();
    }
    if (suggestedName.isEmpty())
        return folder;
    const QFileInfo name(suggestedName);
    if (suggestedName.contains(QLatin1Char('/')) && name.dir().exists())
        return name.absoluteFilePath();
    return QDir(folder).filePath(name.fileName());
}

void forgetLastFolder()
{
    lastFolder().clear();
}

QString defaultSuffix(const QString &barFilter)
{
    // "Name (*.tvf)|*.tvf": the first pattern's extension, when it has one.
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    const QString pattern = parts.size() > 1 ? parts[1].section(QLatin1Char(';'), 0, 0) : QString();
    if (!pattern.startsWith(QLatin1String("*.")) || pattern.indexOf(QLatin1Char('*'), 1) >= 0 ||
        pattern.size() < 3)
        return QString();
    return pattern.mid(2);
}

QString withDefaultSuffix(const QString &path, const QString &barFilter)
{
    const QString suffix = defaultSuffix(barFilter);
    if (suffix.isEmpty() || path.isEmpty() || path.endsWith(QLatin1Char('/')) ||
        !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

QString toQtFilter(const QString &barFilter)
{
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // Qt takes the patterns from the parentheses; make sure they are there.
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        entries << description;
    }
    if (entries.isEmpty() && !barFilter.isEmpty())
        entries << barFilter;
    return entries.join(QStringLiteral(";;"));
}

QString prompt(QWidget *parent, const QString &text, const QString &title,
               const QString &defaultAnswer)
{
    return promptOrCancel(parent, text, title, defaultAnswer).value_or(QString());
}

std::optional<QString> promptOrCancel(QWidget *parent, const QString &text, const QString &title,
                                      const QString &defaultAnswer)
{
    if (g_script) {
        record("prompt", text, title, defaultAnswer);
        bool answered = false;
        const QString answer = takeText(g_script->prompts, &answered);
        return answered ? std::optional<QString>(answer) : std::nullopt;
    }
    // A label shows a CR alone as nothing; the prompt means a line break.
    QString shown = text;
    shown.replace(QRegularExpression(QStringLiteral("\r(?!\n)")), QStringLiteral("\n"));
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, title, shown, QLineEdit::Normal, defaultAnswer, &ok);
    return ok ? std::optional<QString>(answer) : std::nullopt;
}

QMessageBox::StandardButton message(QWidget *parent, const QString &text, const QString &title,
                                    QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                    const ButtonCaptions &captions)
{
    const QString shownTitle = title.isEmpty() ? appTitle() : title;
    if (g_script) {
        record("message", text, shownTitle);
        return take(g_script->messageAnswers, QMessageBox::Ok);
    }
    QMessageBox box(icon, shownTitle, text, buttons, parent);
    for (const auto &[which, caption] : captions)
        if (QAbstractButton *b = box.button(which))
            b->setText(caption);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> openFile(QWidget *parent, const QString &title, const QString &barFilter)
{
    return fileDialog(parent, title, barFilter, false);
}

std::optional<QString> saveFile(QWidget *parent, const QString &title, const QString &barFilter,
                                const QString &suggestedName)
{
    return fileDialog(parent, title, barFilter, true, suggestedName);
}

namespace
{
// The print dialog as the flags describe it: 0x8 hides the page numbers,
// 0x1 opens it with the selection range chosen (else the whole range).
bool showPrintDialog(QWidget *parent, QPrinter *printer, const QString &title, int flags)
{
    QPrintDialog dlg(printer, parent);
    dlg.setWindowTitle(title);
    QAbstractPrintDialog::PrintDialogOptions options = dlg.options();
    if (flags & kNoPageNumbers)
        options &= ~QAbstractPrintDialog::PrintPageRange;
    if (flags & kSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    dlg.setOptions(options);
    // The printer remembers the last range; every dialog starts from its own.
    dlg.setPrintRange((flags & kSelection) ? QAbstractPrintDialog::Selection
                                           : QAbstractPrintDialog::AllPages);
    return dlg.exec() == QDialog::Accepted;
}
} // namespace

bool print(QWidget *parent, QPrinter *printer, const QString &title, bool selectionRange)
{
    if (g_script) {
        record("print", QString(), title, QString(), selectionRange);
        return take(g_script->printAnswers, false);
    }
    return showPrintDialog(parent, printer, title,
                           kNoPageNumbers | (selectionRange ? kSelection : 0));
}

void pageSetup(QWidget *parent, QPrinter *printer, const QString &title, int lastPrintFlags)
{
    if (g_script) {
        record("pageSetup", QString(), title, QString(), lastPrintFlags & kSelection);
        return;
    }
    // The set-up is the print dialog itself: what the user picks there stays
    // with the printer for later print commands; nothing is printed.
    showPrintDialog(parent, printer, title, lastPrintFlags);
}

QStringList Script::titles(const QString &kind) const
{
    QStringList out;
    for (const Asked &a : asked)
        if (kind.isEmpty() || a.kind == kind)
            out << a.title;
    return out;
}

void setScript(Script *script)
{
    g_script = script;
}
Script *script()
{
    return g_script;
}

} // namespace platform::dialogs
