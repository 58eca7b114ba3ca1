// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The multiple-document main frame.
#include <QMainWindow>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QTimer;

namespace editor
{
class frmDocument;
}

namespace shell
{

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Load step: first document window, then the stored placement.
    void load();

    editor::frmDocument *LoadNewDoc();
    int documentCounter() const { return m_documentCounter; }
    QMdiArea *mdiArea() const { return m_mdi; }
    // Places a document window in the frame as a child.
    QMdiSubWindow *adopt(editor::frmDocument *doc);

    void tileHorizontal();
    void tileVertical();
    void arrangeIcons();
    void tile(Qt::Orientation stacking);

    QStatusBar *sbStatusBar = nullptr;
    QAction *mnuViewToolbar = nullptr;
    QAction *mnuViewStatusBar = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    // A document or calculator file dropped on the frame opens.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createMenus();
    QMenu *topMenu(const QString &name, const QString &caption);
    void createFileMenu();
    void createEditMenu();
    void createViewMenu();
    void createToolsMenu();
    void createWindowMenu();
    void createHelpMenu();
    void createStatusBar();
    void showMenusOf(QMdiSubWindow *sub);
    void updateClock();
    void savePlacement();
    void restorePlacement();
    void fileOpen();
    void addMessageItem(QMenu *menu, const QString &name, const QString &caption,
                        const QString &handlerName);
    void rebuildWindowList();
    void showModifiedState();
    void showStatusFigures();

    QMdiArea *m_mdi = nullptr;
    QList<QMenu *> m_ownMenus;
    QMenu *m_windowMenu = nullptr;
    QList<QAction *> m_windowListActions;
    QLabel *m_filePanel = nullptr;     // the active document's file
    QLabel *m_modifiedPanel = nullptr; // "Modified" while the active document has changes
    QLabel *m_figuresPanel = nullptr;  // caret position and program size of the active document
    QLabel *m_datePanel = nullptr;
    QLabel *m_timePanel = nullptr;
    QTimer *m_clock = nullptr;
    int m_documentCounter = 0;
    bool m_unloaded = false;
};

} // namespace shell
