// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The editing window for one calculator program: program pane, syntax and
// example panes, symbol palette, picture buttons and its own menu bar.
#include "platform/RichTextBox.h"
#include "platform/WindowRegistry.h"

#include <QHash>
#include <QWidget>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QPrinter;
class QPushButton;
class QTimer;
class QToolButton;

namespace editor
{

class Document;
class UndoHistory;
class frmFind;

class frmDocument : public QWidget, public platform::DocumentWindow
{
    Q_OBJECT
public:
    using Pane = platform::RichTextBox;

    explicit frmDocument(QWidget *parent = nullptr);
    ~frmDocument() override;

    // How the other subsystems see this window.
    QWidget *widget() override;
    platform::RichTextBox *programPane() override;
    platform::RichTextBox *syntaxPane() override;
    platform::RichTextBox *examplePane() override;
    void setDescription(const QString &text) override;
    void setSaveEnabled(bool on) override;
    bool saveEnabled() const override;

    // The menus of the window's own menu bar, in order; the main frame shows
    // them in its menu bar while this window is active.
    QList<QMenu *> menus() const { return m_menus; }
    void setOwnMenuBarVisible(bool visible);
    // The window's designed size, its own menu bar apart.
    static QSize designedSize();

    // Any menu item by its name ("mnuFor", "mnuSave", ...).
    // The menu table's items, then those added beside it (Insert > Colour).
    QAction *action(const QString &name) const;
    QMenu *menu(const QString &name) const { return m_menuByName.value(name); }

    // Closes this window only (File > Exit).
    void unload();

    // The program pane's text as a file: name, modified state, saving, the
    // file on disk and the undo history.
    Document *document() const { return m_document; }

    // The document's, for the callers that hold the window.
    bool openFile(const QString &path, QString *error);
    bool recover(const QByteArray &rtf, const QString &fileName, QString *error);
    UndoHistory &history();
    QString fileName() const;
    bool isModified() const;
    // Asks "Save changes to ...?" when the text changed (and asking was not
    // switched off). False when the user cancelled, or chose Save and the
    // saving did not happen.
    bool maybeSave();
    // For a caller that already asked: closing then asks no more.
    void setAskOnClose(bool ask) { m_askOnClose = ask; }
    // Enables Cut, Copy, Delete, Paste and Select All from the program pane
    // and the clipboard.
    void selectionRule();

    // Menu commands.
    void Undo();
    void Redo();
    void mnuOpenProject_Click();
    bool mnuSave_Click();
    bool mnuSaveAs_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDelete_Click();
    void mnuSelectAll_Click();
    void combo0001a_Click(int index);
    // Printing: one pane with its dialog title; Print All; Print Setup.
    void printPane(const QString &title, Pane *pane);
    void mnuPrintAll_Click();
    void mnuPrintSetup_Click();
    QPrinter *printer();
    // Find... and Replace... open the dialog; Find Next and Find Previous
    // repeat its search (or open it when there is none yet).
    void mnuFind_Click(bool replacing);
    void mnuFindNext_Click(bool backward);
    void mnuGoToLine_Click();
    // Caret line to 1-based `line`; beyond the last line means the last one.
    void goToLine(int line);
    // The example pane's text at the program pane's caret, on lines of its
    // own, as one undo step.
    void mnuInsertIntoProgram_Click();
    frmFind *findDialog() const { return m_find; }

    // "Ln 3, Col 7" and the program's size, for the main frame's status bar.
    QString statusFigures() const;

signals:
    // Requests for windows of other subsystems; the shell opens them.
    void compileRequested();
    // File > Export to Calculator and Import Calculator Program; the
    // compiler does the converting, the shell opens what was imported.
    void exportCalcRequested();
    void importCalcRequested();
    // File > Send to Calculator and Receive from Calculator (link cable).
    void sendToCalcRequested();
    void receiveFromCalcRequested();
    void optionsRequested();
    void aboutRequested();
    // An item of the Insert, Graph or Variables menu was chosen; the
    // command reference decides what it does.
    void referenceRequested(const QString &itemName);
    void newProjectRequested();
    // File > Recent Files chose `path`; the shell opens it.
    void openFileRequested(const QString &path);
    void tasksRequested();
    void projectExplorerRequested();
    void modifiedChanged(bool modified);
    void fileNameChanged(const QString &path);
    // The caret or the text changed; at most once every 100 ms.
    void statusFiguresChanged();
    // A short note for the main frame's status bar.
    void statusMessage(const QString &text);

public:
    Pane *RichTextBox1 = nullptr;
    Pane *RichTextBox2 = nullptr;
    Pane *RichTextBox3 = nullptr;
    QComboBox *combo0001a = nullptr;
    QLabel *example = nullptr;
    QPushButton *cmdUndo = nullptr;
    QPushButton *cmdRedo = nullptr;
    QPushButton *cmdDummy = nullptr;

    QAction *mnuSave = nullptr;
    QAction *mnuSaveAs = nullptr;
    QAction *mnuExportCalc = nullptr;
    QAction *mnuImportCalc = nullptr;
    QAction *mnuSendToCalc = nullptr;
    QAction *mnuReceiveFromCalc = nullptr;
    QAction *mnuOpenProject = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QAction *mnuCut = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuPaste = nullptr;
    QAction *mnuDelete = nullptr;
    QAction *mnuSelectAll = nullptr;
    QAction *mnuFind = nullptr;
    QAction *mnuFindNext = nullptr;
    QAction *mnuFindPrevious = nullptr;
    QAction *mnuReplace = nullptr;
    QAction *mnuGoToLine = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuInsertIntoProgram = nullptr; // the example pane's context menu

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createDocument();
    // The document looks at its file again when the window comes back into use.
    void watchDisk();
    // The symbol with calculator code `code` at the caret, one undo step.
    void insertSymbol(int code);
    // Ctrl+Space: the named variables that complete the word before the caret.
    bool completeWord(const QKeyEvent *e);
    // Model text at the caret, one undo step.
    void insertText(const QString &text);
    // "->" typed where it would be two tokens becomes the store arrow.
    bool typedStoreArrow(const QKeyEvent *e);
    void armPalette();
    // frmDocument_Layout.cpp (with layoutControls and place below)
    void buildControls();
    void buildFrames();
    void buildPanes();
    void buildPalette();
    void buildButtons();
    QToolButton *addPictureButton(const char *imageName, const char *labelName,
                                  const QString &caption, int leftTwips, int topTwips);
    // frmDocument_Menus.cpp
    void buildMenus();
    void findMenuItems();
    void addSymbolMenus();

    // One per family of commands.
    void connectCommands();
    void connectPane();
    void connectExamplePane();
    void connectFileCommands();
    void connectEditCommands();
    void connectPalette();
    void connectRequests();
    void loadWindow();
    void applyEditorOptions();
    // Designed places at the designed size; extra room goes to the panes.
    void layoutControls();
    enum class Anchor {
        Fixed,
        Grow,
        GrowWidth,
        GrowHeight,
        Right,
        RightTopHalf,
        RightBottomHalf,
        RightMoveHalf,
        Bottom,
        RightBottom
    };
    struct Placed {
        QWidget *widget;
        QRect designed;
        Anchor anchor;
    };
    void place(QWidget *w, Anchor anchor);

    Document *m_document = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    int m_printFlags = 0; // the last print command's dialog flags
    QMenuBar *m_menuBar = nullptr;
    QList<QMenu *> m_menus;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menuByName;
    bool m_askOnClose = true;
    QAction *m_saveAsKey = nullptr; // Ctrl+S while Save is disabled
    bool m_clipboardHasText = false;
    bool m_paletteArmed = false;   // a user's pick is under way
    quint64 m_lastSymbolPress = 0; // time stamp of the last symbol key typed
    frmFind *m_find = nullptr;
    QTimer *m_figuresTimer = nullptr;
    mutable std::optional<QString> m_size; // sizeFigure of the text as it is now
    QWidget *m_canvas = nullptr;
    QList<Placed> m_placed;
};

} // namespace editor
