// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One program's text as a file: its name, the text last loaded or saved, the
// modified state, saving, the file on disk changed by another program, and
// the undo history. The text itself is in the pane it is given; the window
// around that pane (if any) keeps the menus and the layout.
#include "editor/UndoHistory.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>
#include <memory>
#include <optional>

class QWidget;

namespace platform
{
class RichTextBox;
}

namespace editor
{

class DiskWatch;

class Document : public QObject, private UndoPane, private UndoControls
{
    Q_OBJECT
public:
    // `pane` holds the text and outlives this document.
    explicit Document(platform::RichTextBox *pane, QObject *parent = nullptr);
    ~Document() override;

    platform::RichTextBox *pane() const { return m_pane; }
    UndoHistory &history() { return *m_history; }

    // The file last opened or saved; empty before either.
    QString fileName() const { return m_fileName; }
    // The same file however it was named (links resolved), for telling
    // whether two documents hold one file; empty before a file.
    QString canonicalPath() const;
    // True when the text, or what the file keeps beside it (the pane's kept
    // destinations: the model and the other header values), differs from
    // what was last loaded or saved.
    bool isModified() const { return m_modified; }
    // The pane's kept destinations were set: the modified state follows.
    void keptChanged();

    // What the user calls this document: the window's caption.
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }
    // Dialogs this document shows are over this widget (the pane's window
    // when none is set).
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }
    QWidget *dialogParent() const;

    // Loads a document file; on failure the text is left as it was and
    // *error says why.
    bool openFile(const QString &path, QString *error);
    // Text kept from a program that stopped: shown as changed, its file name
    // kept, nothing written until the user saves.
    bool recover(const QByteArray &rtf, const QString &fileName, QString *error);
    // Save: to the file, or through Save As when there is none yet. False
    // when nothing was written (cancelled, refused or failed; a failure is
    // reported).
    bool save();
    bool saveAs();
    bool saveTo(const QString &path);
    // The text as it stands counts as unchanged though no file holds it (a
    // program imported or received): closing asks nothing until it is edited.
    void takeAsUnchanged();
    // What Save As offers: the file, or a program's name for a new one.
    QString suggestedName() const;
    // Asks "Save changes to ...?" when the text changed. False when the user
    // cancelled, or chose Save and the saving did not happen.
    bool maybeSave();
    // Looks whether another program changed or removed the file.
    void checkDisk();
    // Another window of this program, captioned `by`, saved this file:
    // reloaded quietly when unchanged here, else the user chooses.
    void savedByOtherWindow(const QString &by);

signals:
    void modifiedChanged(bool modified);
    void fileNameChanged(const QString &path);
    // A file was loaded into the document (opened, reloaded or recovered).
    void loaded();
    // The text was written to `path` (canonical form).
    void saved(const QString &path);
    // Save As wrote the text under the name the user chose.
    void savedAs(const QString &path);
    // The undo history's controls.
    void undoAvailable(bool on);
    void redoAvailable(bool on);
    // Undo or Redo moved the selection: the window's Edit menu follows.
    void selectionRuleDue();

private:
    // UndoPane over the pane.
    const platform::TextChange &lastChange() const override;
    QString textRange(int pos, int length) const override;
    void setSelStart(int pos) override;
    void setSelLength(int len) override;
    void setSelText(const QString &t) override;
    void hideSelection(bool hide) override;
    void focusPane() override;
    // UndoControls as signals.
    void setUndoEnabled(bool on) override { emit undoAvailable(on); }
    void setRedoEnabled(bool on) override { emit redoAvailable(on); }
    void selectionRule() override { emit selectionRuleDue(); }

    void changed();
    bool differsFromSaved() const;
    void setModified(bool modified);
    void setFileName(const QString &path);
    bool mayOverwrite(const QString &path);
    void diskChangedOutside();
    void diskRemovedOutside();

    platform::RichTextBox *m_pane;
    std::unique_ptr<UndoHistory> m_history;
    DiskWatch *m_disk = nullptr;
    QString m_fileName;
    QString m_caption;
    QPointer<QWidget> m_dialogParent;
    // The text as last loaded or saved; none after a recovery, whose saved
    // counterpart is unknown.
    std::optional<QString> m_savedText = QString();
    QVector<QByteArray> m_savedKept;
    bool m_modified = false;
};

} // namespace editor
