// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The document window and its file on disk: another program may change or
// remove the file while the window shows it, and Save never writes over such
// a change without asking.
#include "editor/DiskWatch.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileInfo>

namespace editor
{

void frmDocument::watchDisk()
{
    m_disk = new DiskWatch(this);
    connect(m_disk, &DiskWatch::changedOutside, this, &frmDocument::diskChangedOutside);
    connect(m_disk, &DiskWatch::removedOutside, this, &frmDocument::diskRemovedOutside);
    // Notices can get lost (a file replaced by rename): look again whenever
    // the window, or the program, comes back into use.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && isAncestorOf(now))
            m_disk->check();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive && isVisible())
            m_disk->check();
    });
}

void frmDocument::diskChangedOutside()
{
    const QString name = QFileInfo(m_fileName).fileName();
    const auto answer = platform::dialogs::message(
        this,
        QStringLiteral("%1 has been changed by another program.\n\nReload it? Undo gives this "
                       "window's text back.\nNo keeps this window's text; Save will ask before "
                       "writing over the file.")
            .arg(name),
        QString(), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        m_savedText.reset(); // what is on disk now was never in this window
        setModified(true);
        return;
    }
    QString error;
    if (!openFile(m_fileName, &error))
        platform::dialogs::message(this, error, QString(), QMessageBox::Critical);
}

void frmDocument::diskRemovedOutside()
{
    platform::dialogs::message(
        this,
        QStringLiteral("%1 was removed by another program. Its text stays in this window, unsaved.")
            .arg(QFileInfo(m_fileName).fileName()),
        QString(), QMessageBox::Warning);
    m_savedText.reset();
    setModified(true);
}

bool frmDocument::mayOverwrite(const QString &path)
{
    if (path != m_disk->path() || !QFileInfo::exists(path) || !m_disk->changedSinceTracked())
        return true;
    return platform::dialogs::message(
               this,
               QStringLiteral("%1 has been changed by another program since it was opened or "
                              "saved here. Write over it with this window's text?")
                   .arg(QFileInfo(path).fileName()),
               QString(), QMessageBox::Warning,
               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

} // namespace editor
