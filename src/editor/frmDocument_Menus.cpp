// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The document window's menu bar, written as one table.
#include "editor/frmDocument.h"

#include "calc/NamedVariables.h"
#include "editor/RecentFilesMenu.h"
#include "editor/SymbolPalette.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace editor
{

namespace
{

// A menu of the bar opens a group; a submenu opens a group inside the last
// menu; items and separators go into the last group opened.
enum Kind { Menu, SubMenu, Item, Separator };

struct Entry {
    Kind kind;
    const char *name;
    const char *caption; // UTF-8
    const char *shortcut;
};

constexpr Entry sep{Separator, "", "", ""};

// clang-format off
constexpr Entry kMenus[] = {
    {Menu, "mnuFile", "&File ", ""},
    {Item, "NewProject", "&New Project", ""},
    sep,
    {Item, "mnuOpenProject", "&Open Project", "Ctrl+O"},
    sep,
    {Item, "mnuSave", "Save", "Ctrl+S"},
    {Item, "mnuSaveAs", "Save As...", ""},
    {Item, "mnuExportCalc", "Export to Calculator\u2026", ""},
    {Item, "mnuImportCalc", "Import Calculator Program\u2026", ""},
    {Item, "mnuSendToCalc", "Send to Calculator\u2026", "F6"},
    {Item, "mnuReceiveFromCalc", "Receive from Calculator\u2026", ""},
    {Item, "mnuGetScreenshot", "Get Calculator Screenshot\u2026", ""},
    {Item, "mnuExportListing", "Export Listing\u2026", ""},
    sep,
    {Item, "mnuPrintSetup", "Print Setup", ""},
    sep,
    {Item, "mnuPrintDocument", "Print Document", "Ctrl+P"},
    {Item, "mnuPrintSyntax", "Print Syntax", ""},
    {Item, "mnuPrintExample", "Print Example", ""},
    {Item, "mnuPrintAll", "Print All", ""},
    sep,
    {Item, "mnuExit", "Exit", "Ctrl+W"},

    {Menu, "mnuEdit", "&Edit ", ""},
    {Item, "mnuUndo", "Undo", "Ctrl+Z"},
    {Item, "mnuRedo", "Redo", "Ctrl+Y"},
    sep,
    {Item, "mnuCut", "Cut", "Ctrl+X"},
    {Item, "mnuCopy", "Copy", "Ctrl+C"},
    {Item, "mnuCopyAsListing", "Copy as Listing", ""},
    {Item, "mnuPaste", "Paste", "Ctrl+V"},
    {Item, "mnuDelete", "Delete", ""},
    sep,
    {Item, "mnuSelectAll", "Select All", "Ctrl+A"},
    sep,
    {Item, "mnuFind", "Find...", "Ctrl+F"},
    {Item, "mnuFindNext", "Find Next", "F3"},
    {Item, "mnuFindPrevious", "Find Previous", "Shift+F3"},
    {Item, "mnuReplace", "Replace...", "Ctrl+H"},
    sep,
    {Item, "mnuGoToLine", "Go to Line...", "Ctrl+G"},
    sep,
    {SubMenu, "mnuSymbols", "Symbols", ""},

    {Menu, "mnuInsert", "&Insert ", ""},
    {SubMenu, "mnuFlowControllers", "Flow Controllers", ""},
    {Item, "mnuIfThenElse", "If..Then..Else", ""},
    {Item, "mnuIfThen", "If..Then", ""},
    {Item, "mnuIf", "If", ""},
    sep,
    {Item, "mnuFor", "For", ""},
    sep,
    {Item, "mnuGetkey", "Getkey", ""},
    sep,
    {Item, "mnuPause", "Pause", "Ctrl+F1"},
    {Item, "mnuWait", "Wait", ""},
    {Item, "mnuWhile", "While", ""},
    {Item, "mnuRepeat", "Repeat", ""},
    {SubMenu, "mnuInputOutput", "Input/Output", ""},
    {Item, "mnuInput", "Input", ""},
    {Item, "mnuPrompt", "Prompt", ""},
    sep,
    {Item, "mnuOutput", "Output", ""},
    {Item, "mnuDisplay", "Display", "Ctrl+F2"},
    sep,
    {Item, "mnuMenu", "Menu", ""},
    sep,
    {Item, "mnuClearHomeScreen", "Clear Home Screen", ""},
    {Item, "mnuClearTable", "Clear Table", ""},
    {SubMenu, "mnuLabelControls", "Label Controls", ""},
    {Item, "mnuLabel", "Label", "Ctrl+F3"},
    {Item, "mnuGoto", "Goto", ""},
    {Item, "mnuReturn", "Return", ""},
    {SubMenu, "mnuSendGet", "Send/Get", ""},
    {Item, "mnuSend", "Send", ""},
    sep,
    {Item, "mnuGet", "Get", ""},
    {Item, "mnuGetCalc", "Get Calculator", ""},
    {SubMenu, "mnuMiscanellous", "Miscanellous", ""},
    {Item, "mnuDelvar", "Delete Variable", ""},
    sep,
    {Item, "mnuIS", "IS>", ""},
    {Item, "mnuDS", "DS<", ""},

    {Menu, "mnuGraph", "Graph", ""},
    {Item, "mnuClrDraw", "Clear Graph Screen", ""},
    {SubMenu, "mnuDraw", "Draw", ""},
    {Item, "mnuLine", "Line", ""},
    {Item, "mnuTangent", "Tangent", ""},
    {Item, "mnuDrawFunction", "Draw Function", ""},
    {Item, "mnuShade", "Shade", ""},
    {Item, "mnuInverseofaFunction", "Inverse of a Function", ""},
    {Item, "mnuCircle", "Circle", ""},
    {Item, "mnuText", "Text", ""},
    {SubMenu, "mnuPoints", "Points", ""},
    {Item, "mnuDrawPointOn", "Draw Point - On", ""},
    {Item, "mnuDrawPointOff", "Draw Point - Off", ""},
    {Item, "mnuDrawPointChange", "Draw Point - Change", ""},
    sep,
    {Item, "mnuDrawPixelOn", "Draw Pixel - On", ""},
    {Item, "mnuDrawPixelOff", "Draw Pixel - Off", ""},
    {Item, "mnuDrawPixelChange", "Draw Pixel - Change", ""},
    {Item, "mnuDrawPixelTest", "Draw Pixel - Test", ""},
    {SubMenu, "mnuGraphPicture", "Picture", ""},
    {Item, "mnuSavePicture", "Save Picture", ""},
    {Item, "mnuLoadPicture", "Load Picture", ""},
    sep,
    {Item, "mnuSaveGraphDatabase", "Save Graph Database", ""},
    {Item, "mnuLoadGraphDatabase", "Load Graph Database", ""},

    {Menu, "mnuVariables", "Variables", ""},
    {Item, "mnuWindow", "Window", ""},
    {Item, "mnuZoom", "Zoom", ""},
    {Item, "mnuGraphDatabase", "Graph Database", ""},
    {Item, "mnuPicture", "Picture", ""},
    {Item, "mnuStatistics", "Statistics", ""},
    {Item, "mnuTable", "Table", ""},
    {Item, "mnuString", "String", ""},
    sep,
    {Item, "mnuFunction", "Function", ""},
    {Item, "mnuParametic", "Parametric", ""},
    {Item, "mnuPolar", "Polar", ""},
    {Item, "mnuOnOff", "On/Off", ""},

    {Menu, "mnuTools", "Tools ", ""},
    {Item, "mnuSTWWW", "Torvane TI Web-Site", ""},
    sep,
    {Item, "mnuCompile", "Compile", ""},
    sep,
    {Item, "mnuCheckProgram", "Check Program", ""},
    {Item, "mnuNextProblem", "Next Problem", "F8"},
    {Item, "mnuPreviousProblem", "Previous Problem", "Shift+F8"},
    sep,
    {Item, "mnuOptions", "Options", ""},

    {Menu, "mnuRun", "&Run", ""},
    {Item, "mnuRunProgram", "Run", "F5"},
    {Item, "mnuRunStep", "Step", "F10"},
    {Item, "mnuRunToggleBreakpoint", "Toggle Breakpoint", "F9"},
    {Item, "mnuRunStop", "Stop", "Shift+F5"},
    sep,
    {SubMenu, "mnuSpeed", "Speed", ""},
    {Item, "mnuSpeedFast", "As fast as possible", ""},
    {Item, "mnuSpeedCalculator", "As a calculator", ""},

    {Menu, "mnuHelp", "Help ", ""},
    {Item, "mnuHelpTopics", "Help Topics", "F1"},
    sep,
    {Item, "mnuAbout", "About", ""},
};
// clang-format on

} // namespace

void frmDocument::buildMenus()
{
    QMenu *top = nullptr;
    QMenu *group = nullptr;
    for (const Entry &e : kMenus) {
        const QString name = QLatin1String(e.name);
        const QString caption = QString::fromUtf8(e.caption);
        switch (e.kind) {
        case Menu:
            top = group = new QMenu(caption, this);
            m_menuBar->addMenu(top);
            m_menus << top;
            break;
        case SubMenu:
            group = top->addMenu(caption);
            break;
        case Item: {
            QAction *a = group->addAction(caption);
            a->setObjectName(name);
            if (*e.shortcut)
                a->setShortcut(QKeySequence(QLatin1String(e.shortcut), QKeySequence::PortableText));
            m_actions.insert(name, a);
            continue;
        }
        case Separator:
            group->addSeparator();
            continue;
        }
        group->setObjectName(name);
        group->menuAction()->setObjectName(name);
        m_menuByName.insert(name, group);
    }
    findMenuItems();
    addSymbolMenus();
    connect(mnuExit, &QAction::triggered, this, &frmDocument::unload);

    QMenu *file = menu(QStringLiteral("mnuFile"));
    const QList<QAction *> items = file->actions();
    const int open = int(items.indexOf(mnuOpenProject));
    QMenu *recent = addRecentFilesMenu(
        file, items.value(open + 1), [this](const QString &path) { emit openFileRequested(path); });
    m_menuByName.insert(recent->objectName(), recent);
}

// The items the window's own code works with.
void frmDocument::findMenuItems()
{
    mnuSave = action(QStringLiteral("mnuSave"));
    mnuSaveAs = action(QStringLiteral("mnuSaveAs"));
    mnuExportCalc = action(QStringLiteral("mnuExportCalc"));
    mnuImportCalc = action(QStringLiteral("mnuImportCalc"));
    mnuSendToCalc = action(QStringLiteral("mnuSendToCalc"));
    mnuReceiveFromCalc = action(QStringLiteral("mnuReceiveFromCalc"));
    mnuOpenProject = action(QStringLiteral("mnuOpenProject"));
    mnuExit = action(QStringLiteral("mnuExit"));
    mnuUndo = action(QStringLiteral("mnuUndo"));
    mnuRedo = action(QStringLiteral("mnuRedo"));
    mnuCut = action(QStringLiteral("mnuCut"));
    mnuCopy = action(QStringLiteral("mnuCopy"));
    mnuPaste = action(QStringLiteral("mnuPaste"));
    mnuDelete = action(QStringLiteral("mnuDelete"));
    mnuSelectAll = action(QStringLiteral("mnuSelectAll"));
    mnuFind = action(QStringLiteral("mnuFind"));
    mnuFindNext = action(QStringLiteral("mnuFindNext"));
    mnuFindPrevious = action(QStringLiteral("mnuFindPrevious"));
    mnuReplace = action(QStringLiteral("mnuReplace"));
    mnuGoToLine = action(QStringLiteral("mnuGoToLine"));
    mnuEdit = menu(QStringLiteral("mnuEdit"));
    mnuUndo->setEnabled(false);
    mnuRedo->setEnabled(false);
}

void frmDocument::addSymbolMenus()
{
    // The symbol keys, so they can be found; the key is only shown here (the
    // program pane types the symbol), which keeps the shifted US forms working.
    const QList<SymbolKey> keys = symbolKeys();
    for (int i = 0; i < keys.size(); ++i) {
        const SymbolKey &k = keys.at(i);
        QAction *a = menu(QStringLiteral("mnuSymbols"))
                         ->addAction(k.symbol + QLatin1String("  ") + k.name + u'\t' + k.keys);
        a->setObjectName(QStringLiteral("mnuSymbol%1").arg(i + 1));
        m_actions.insert(a->objectName(), a);
        connect(a, &QAction::triggered, this, [this, code = k.code] { insertSymbol(code); });
    }

    // The named variables, whose subscripts no key types: one submenu a family.
    QMenu *symbols = menu(QStringLiteral("mnuSymbols"));
    symbols->addSeparator();
    for (const calc::names::VariableGroup &g : calc::names::namedVariables()) {
        QMenu *sub = symbols->addMenu(g.name);
        const QString groupName = QStringLiteral("mnuSymbols") + QString(g.name).remove(u' ');
        sub->setObjectName(groupName);
        sub->menuAction()->setObjectName(groupName);
        m_menuByName.insert(groupName, sub);
        for (const calc::names::NamedVariable &v : g.variables) {
            QAction *a = sub->addAction(v.shown);
            a->setObjectName(QStringLiteral("mnuVar") + v.typed);
            m_actions.insert(a->objectName(), a);
            connect(a, &QAction::triggered, this, [this, text = v.spelling] { insertText(text); });
        }
    }
}

} // namespace editor
