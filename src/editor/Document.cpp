// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A document and its file on disk: another program may change or remove the
// file while the document shows it, and Save never writes over such a change
// without asking.
#include "editor/Document.h"

#include "calc/CalcFile.h"
#include "editor/DiskWatch.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"

#include <QFileInfo>

namespace editor
{

Document::Document(platform::RichTextBox *pane, QObject *parent) : QObject(parent), m_pane(pane)
{
    UndoPane &overPane = *this;
    UndoControls &asSignals = *this;
    m_history = std::make_unique<UndoHistory>(overPane, asSignals);
    m_history->setTrackChanges(true);
    // First of the pane's listeners: whoever follows sees the modified state
    // of the text as it is now.
    connect(pane, &platform::RichTextBox::Change, this, &Document::changed);
    m_disk = new DiskWatch(this);
    connect(m_disk, &DiskWatch::changedOutside, this, &Document::diskChangedOutside);
    connect(m_disk, &DiskWatch::removedOutside, this, &Document::diskRemovedOutside);
}

Document::~Document() = default;

QWidget *Document::dialogParent() const
{
    return m_dialogParent ? m_dialogParent.data() : m_pane->window();
}

QString Document::canonicalPath() const
{
    if (m_fileName.isEmpty())
        return QString();
    const QString canonical = QFileInfo(m_fileName).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(m_fileName).absoluteFilePath() : canonical;
}

void Document::changed()
{
    m_history->recordChange();
    // Undo back to the saved text is no change; the length is compared first
    // so typing costs no copy of the text.
    setModified(differsFromSaved());
}

void Document::keptChanged()
{
    setModified(differsFromSaved());
}

bool Document::differsFromSaved() const
{
    return !m_savedText || m_pane->keptDestinations() != m_savedKept ||
           m_pane->TextLength() != m_savedText->size() || m_pane->Text() != *m_savedText;
}

void Document::setFileName(const QString &path)
{
    if (m_fileName == path)
        return;
    m_fileName = path;
    emit fileNameChanged(path);
}

void Document::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

bool Document::openFile(const QString &path, QString *error)
{
    if (!m_pane->loadFile(path, true, error))
        return false;
    setFileName(path);
    m_savedText = m_pane->Text();
    m_savedKept = m_pane->keptDestinations();
    m_disk->track(path);
    emit loaded();
    setModified(false);
    return true;
}

bool Document::recover(const QByteArray &rtf, const QString &fileName, QString *error)
{
    if (!m_pane->fromRtf(rtf, error))
        return false;
    setFileName(fileName);
    m_savedText.reset();
    if (!fileName.isEmpty())
        m_disk->track(fileName);
    emit loaded();
    setModified(true);
    return true;
}

void Document::takeAsUnchanged()
{
    m_savedText = m_pane->Text();
    m_savedKept = m_pane->keptDestinations();
    setModified(false);
}

bool Document::saveTo(const QString &path)
{
    if (!mayOverwrite(path))
        return false;
    QString error;
    if (!m_pane->saveRtf(path, &error)) {
        platform::dialogs::message(dialogParent(), error, QString(), QMessageBox::Critical);
        return false;
    }
    setFileName(path);
    m_savedText = m_pane->Text();
    m_savedKept = m_pane->keptDestinations();
    m_disk->track(path);
    setModified(false);
    emit saved(canonicalPath());
    return true;
}

bool Document::save()
{
    return m_fileName.isEmpty() ? saveAs() : saveTo(m_fileName);
}

QString Document::suggestedName() const
{
    // A window captioned with a program's name (imported, received) offers
    // that name; "Document 1" is no name to keep.
    if (m_fileName.isEmpty() && calc::calcfile::isValidName(m_caption))
        return m_caption;
    return m_fileName;
}

bool Document::saveAs()
{
    const auto path = platform::dialogs::saveFile(dialogParent(), QStringLiteral("Save File"),
                                                  platform::documentFileFilter(), suggestedName());
    if (!path || !saveTo(*path))
        return false;
    emit savedAs(canonicalPath());
    return true;
}

bool Document::maybeSave()
{
    if (!m_modified)
        return true;
    const QString name = m_fileName.isEmpty() ? m_caption : QFileInfo(m_fileName).fileName();
    switch (platform::dialogs::message(
        dialogParent(), QStringLiteral("Save changes to %1?").arg(name), QString(),
        QMessageBox::Warning, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void Document::checkDisk()
{
    m_disk->check();
}

void Document::diskChangedOutside()
{
    const QString name = QFileInfo(m_fileName).fileName();
    const auto answer = platform::dialogs::message(
        dialogParent(),
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
        platform::dialogs::message(dialogParent(), error, QString(), QMessageBox::Critical);
}

void Document::savedByOtherWindow(const QString &by)
{
    QString error;
    if (!m_modified) {
        if (!openFile(m_fileName, &error))
            platform::dialogs::message(dialogParent(), error, QString(), QMessageBox::Critical);
        return;
    }
    const auto answer = platform::dialogs::message(
        dialogParent(),
        QStringLiteral("%1 saved %2.\n\nReload it here? Undo gives this window's text back.\nNo "
                       "keeps this window's text.")
            .arg(by, QFileInfo(m_fileName).fileName()),
        QString(), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        if (!openFile(m_fileName, &error))
            platform::dialogs::message(dialogParent(), error, QString(), QMessageBox::Critical);
        return;
    }
    // This program wrote the file: its watch must not call it a stranger's change.
    m_savedText.reset();
    m_disk->track(m_fileName);
    setModified(true);
}

void Document::diskRemovedOutside()
{
    platform::dialogs::message(
        dialogParent(),
        QStringLiteral("%1 was removed by another program. Its text stays in this window, unsaved.")
            .arg(QFileInfo(m_fileName).fileName()),
        QString(), QMessageBox::Warning);
    m_savedText.reset();
    setModified(true);
}

bool Document::mayOverwrite(const QString &path)
{
    if (path != m_disk->path() || !QFileInfo::exists(path) || !m_disk->changedSinceTracked())
        return true;
    return platform::dialogs::message(
               dialogParent(),
               QStringLiteral("%1 has been changed by another program since it was opened or "
                              "saved here. Write over it with this window's text?")
                   .arg(QFileInfo(path).fileName()),
               QString(), QMessageBox::Warning,
               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// The undo history works on the pane through these.

const platform::TextChange &Document::lastChange() const
{
    return m_pane->lastChange();
}

QString Document::textRange(int pos, int length) const
{
    return m_pane->textRange(pos, length);
}

void Document::setSelStart(int pos)
{
    m_pane->setSelStart(pos);
}

void Document::setSelLength(int len)
{
    m_pane->setSelLength(len);
}

void Document::setSelText(const QString &t)
{
    m_pane->setSelText(t);
}

void Document::hideSelection(bool hide)
{
    m_pane->hideSelection(hide);
}

void Document::focusPane()
{
    m_pane->giveFocus();
}

} // namespace editor
