// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/frmDocument.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Checks.h"
#include "calc/NamedVariables.h"
#include "calc/TokenCodes.h"
#include "calc/Tokens.h"
#include "editor/Document.h"
#include "editor/EditorOptions.h"
#include "editor/Highlighter.h"
#include "editor/ModelChooser.h"
#include "editor/PaneView.h"
#include "editor/ProblemMarks.h"
#include "editor/RecentFiles.h"
#include "editor/StatusFigures.h"
#include "editor/SymbolPalette.h"
#include "editor/UndoHistory.h"
#include "editor/frmFind.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/Places.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <utility>

namespace editor
{

namespace
{

// "-" typed where an expression starts becomes the negation sign, in two
// steps, so Undo gives back the "-".
bool typedNegation(platform::RichTextBox *pane, const QKeyEvent *e)
{
    if (e->text() != QLatin1String("-") || pane->isReadOnly() || pane->SelLength() != 0)
        return false;
    const int lineStart = pane->toModelPosition(pane->textCursor().block().position());
    if (!calc::checks::negationMeant(pane->textRange(lineStart, pane->SelStart() - lineStart)))
        return false;
    pane->setSelText(QStringLiteral("-"));
    pane->setSelStart(pane->SelStart() - 1);
    pane->setSelLength(1);
    pane->setSelText(calc::tokens::modelSpelling(calc::tok::Neg)); // the negation token
    pane->ensureCursorVisible();
    return true;
}

} // namespace

// What the program pane must not act on: Ctrl alone with a key that is not
// caret movement or word deletion (the text widget's own formatting and
// other shortcuts; the window's menu shortcuts run before this), and Alt with
// a letter, which would type it.
bool swallowedInPane(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier))
        return true;
    if ((mods & ~Qt::ShiftModifier) != Qt::ControlModifier)
        return false;
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return false;
    default:
        return mods == Qt::ControlModifier;
    }
}

// The window's editing shortcuts, which the palette's field must leave to
// the menus.
bool isEditShortcut(const QKeyEvent *e)
{
    if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return false;
    switch (e->key()) {
    case Qt::Key_Z:
    case Qt::Key_Y:
    case Qt::Key_X:
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_A:
    case Qt::Key_F:
    case Qt::Key_H:
    case Qt::Key_G:
        return true;
    default:
        return false;
    }
}

QSize frmDocument::designedSize()
{
    return {platform::px(11880), platform::px(8040)};
}

frmDocument::frmDocument(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDocument"));
    setWindowTitle(QStringLiteral("frmDocument"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    // The designed size again, now that the menu bar has its menus: the
    // canvas scrolls rather than forcing the window to fit it.
    resize(designedSize() + QSize(0, m_menuBar->sizeHint().height()));
    createDocument();
    connectCommands();
    watchDisk();
    loadWindow();
    applyEditorOptions();
    PaneView::attach(RichTextBox1);
    ProblemMarks::attach(this);
    ModelChooser::attach(this);
    connect(&editor::EditorOptions::instance(), &editor::EditorOptions::changed, this,
            &frmDocument::applyEditorOptions);
}

void frmDocument::createDocument()
{
    m_document = new Document(RichTextBox1, this);
    m_document->setCaption(windowTitle());
    m_document->setDialogParent(this);
    connect(this, &QWidget::windowTitleChanged, m_document, &Document::setCaption);
    connect(m_document, &Document::modifiedChanged, this, &frmDocument::modifiedChanged);
    connect(m_document, &Document::fileNameChanged, this, &frmDocument::fileNameChanged);
    auto enableSave = [this] { setSaveEnabled(true); };
    connect(m_document, &Document::loaded, this, enableSave);
    connect(m_document, &Document::savedAs, this, enableSave);
    connect(m_document, &Document::undoAvailable, this, [this](bool on) {
        cmdUndo->setEnabled(on);
        mnuUndo->setEnabled(on);
    });
    connect(m_document, &Document::redoAvailable, this, [this](bool on) {
        cmdRedo->setEnabled(on);
        mnuRedo->setEnabled(on);
    });
    connect(m_document, &Document::selectionRuleDue, this, &frmDocument::selectionRule);
}

void frmDocument::watchDisk()
{
    // Notices can get lost (a file replaced by rename): look again whenever
    // the window, or the program, comes back into use.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && isAncestorOf(now))
            m_document->checkDisk();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive && isVisible())
            m_document->checkDisk();
    });
}

void frmDocument::applyEditorOptions()
{
    const bool on = editor::EditorOptions::highlighting();
    for (Pane *pane : {RichTextBox1, RichTextBox2, RichTextBox3})
        editor::Highlighter::setEnabled(pane, on);
    emit statusFiguresChanged();
}

QAction *frmDocument::action(const QString &name) const
{
    if (QAction *a = m_actions.value(name))
        return a;
    return findChild<QAction *>(name);
}

frmDocument::~frmDocument()
{
    // Children still emit while ~QWidget deletes them (the palette reports
    // an activation when it loses its edit text); none of that may reach
    // this half-destroyed window.
    platform::disconnectChildren(this);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    // The program pane goes before the document that listens to it.
    disconnect(RichTextBox1, nullptr, m_document, nullptr);
}

bool frmDocument::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (watched == m_canvas) {
        if (type == QEvent::Resize)
            layoutControls();
        return QWidget::eventFilter(watched, event);
    }
    if (watched == combo0001a && type == QEvent::Wheel)
        return true;
    // The combo box hands its field's keys on directly, so both are watched.
    const bool field = watched == combo0001a || watched == combo0001a->lineEdit();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (field && isEditShortcut(key)) {
            event->ignore(); // the menu's shortcut runs instead, never the field's
            return true;
        }
        if (field && enter && type == QEvent::KeyPress) {
            // Enter picks the entry the field names, also when it is the one
            // picked last (the combo box itself reports no activation then).
            const int index = combo0001a->findText(combo0001a->currentText());
            if (index >= 0)
                combo0001a_Click(index);
            return true;
        }
        // The drop-down list takes Enter as a shortcut override.
        if (!field && enter)
            armPalette();
    }
    if (type == QEvent::MouseButtonRelease && watched == combo0001a->view()->viewport())
        armPalette();
    return QWidget::eventFilter(watched, event);
}

void frmDocument::armPalette()
{
    // Valid for the event being handled only: the activation it causes
    // arrives before control returns to the event loop.
    m_paletteArmed = true;
    QTimer::singleShot(0, this, [this] { m_paletteArmed = false; });
}

QWidget *frmDocument::widget()
{
    return this;
}

platform::RichTextBox *frmDocument::programPane()
{
    return RichTextBox1;
}

platform::RichTextBox *frmDocument::syntaxPane()
{
    return RichTextBox2;
}

platform::RichTextBox *frmDocument::examplePane()
{
    return RichTextBox3;
}

void frmDocument::setDescription(const QString &text)
{
    example->setText(text);
}

void frmDocument::setSaveEnabled(bool on)
{
    mnuSave->setEnabled(on);
    // A disabled item takes no key: Ctrl+S, still shown on Save, then saves
    // under a new name through an item of no menu.
    if (!m_saveAsKey) {
        m_saveAsKey = new QAction(this);
        m_saveAsKey->setObjectName(QStringLiteral("mnuSaveAsKey"));
        m_saveAsKey->setShortcut(mnuSave->shortcut());
        m_saveAsKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(m_saveAsKey);
        connect(m_saveAsKey, &QAction::triggered, this, &frmDocument::mnuSaveAs_Click);
    }
    m_saveAsKey->setEnabled(!on);
}

bool frmDocument::saveEnabled() const
{
    return mnuSave->isEnabled();
}

void frmDocument::loadWindow()
{
    combo0001a->addItems(symbolPaletteEntries());
    // The scratch entry has no symbol of its own: its row says what it is.
    combo0001a->setItemText(kScratchEntry, QLatin1String(kScratchCaption));
    for (int i = 0; i < kPaletteEntryCount; ++i)
        combo0001a->setItemData(i, paletteToolTip(i), Qt::ToolTipRole);
    combo0001a->setCurrentIndex(-1);
    combo0001a->setEditText(QStringLiteral("Symbols"));

    // The history starts from the empty text; the undo controls start disabled.
    history().setTrackChanges(true);
    history().reset();
    selectionRule();
}

void frmDocument::connectCommands()
{
    connectPane();
    connectExamplePane();
    connectFileCommands();
    connectEditCommands();
    connectPalette();
    connectRequests();
}

void frmDocument::connectPane()
{
    Pane *pane = RichTextBox1;
    connect(pane, &Pane::SelChange, this, [this] {
        if (history().trackChanges())
            selectionRule();
    });
    // The status figures follow typing at most ten times a second.
    m_figuresTimer = new QTimer(this);
    m_figuresTimer->setSingleShot(true);
    m_figuresTimer->setInterval(100);
    connect(m_figuresTimer, &QTimer::timeout, this, &frmDocument::statusFiguresChanged);
    auto figures = [this] {
        if (!m_figuresTimer->isActive())
            m_figuresTimer->start();
    };
    connect(pane, &Pane::Change, this, [this, figures] {
        m_size.reset();
        figures();
    });
    connect(pane, &Pane::SelChange, this, figures);
    connect(pane, &Pane::KeyDown, this, [this, pane](QKeyEvent *e, bool *swallow) {
        const int code = symbolKeyCode(e->key(), e->modifiers());
        if (code >= 0 && !pane->isReadOnly()) {
            // A press handed to the pane a second time keeps its time stamp and
            // types nothing more; a held key repeats with new stamps.
            const bool again = e->timestamp() != 0 && e->timestamp() == m_lastSymbolPress;
            m_lastSymbolPress = e->timestamp();
            if (!again)
                insertSymbol(code);
            *swallow = true;
            return;
        }
        if (typedStoreArrow(e) || typedNegation(pane, e) || completeWord(e)) {
            *swallow = true;
            return;
        }
        *swallow = swallowedInPane(e);
    });
    // No token spells a tab: Tab moves on to the next control instead, and
    // a pasted tab is left out.
    pane->setTabChangesFocus(true);
    pane->setRefusesTabs(true);
    for (Pane *p : {RichTextBox1, RichTextBox2, RichTextBox3})
        connect(p, &Pane::textRefused, this, &frmDocument::statusMessage);
    pane->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(pane, &Pane::MouseUp, this, [this](QMouseEvent *e) {
        if (e->button() == Qt::RightButton)
            mnuEdit->popup(e->globalPosition().toPoint());
    });
}

void frmDocument::connectExamplePane()
{
    mnuInsertIntoProgram = new QAction(QStringLiteral("Insert into Program"), this);
    mnuInsertIntoProgram->setObjectName(QStringLiteral("mnuInsertIntoProgram"));
    connect(mnuInsertIntoProgram, &QAction::triggered, this,
            &frmDocument::mnuInsertIntoProgram_Click);
    RichTextBox3->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichTextBox3, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu *menu = RichTextBox3->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        mnuInsertIntoProgram->setEnabled(!RichTextBox1->isReadOnly() &&
                                         !RichTextBox3->Text().trimmed().isEmpty());
        menu->addAction(mnuInsertIntoProgram);
        menu->popup(RichTextBox3->viewport()->mapToGlobal(at));
    });
}

void frmDocument::mnuInsertIntoProgram_Click()
{
    Pane *pane = RichTextBox1;
    QString text = RichTextBox3->Text();
    while (text.endsWith(u'\r') || text.endsWith(u'\n'))
        text.chop(1);
    if (text.isEmpty() || pane->isReadOnly())
        return;
    // Whatever was selected is replaced; the example starts and ends a line.
    const QString program = pane->Text();
    const int start = pane->SelStart();
    const int end = start + pane->SelLength();
    if (start > 0 && program.at(start - 1) != u'\n')
        text.prepend(QStringLiteral("\r\n"));
    if (end < program.size() && program.at(end) != u'\r')
        text.append(QStringLiteral("\r\n"));
    history().beginGroup();
    pane->setSelText(text);
    history().endGroup();
    pane->ensureCursorVisible();
    pane->setFocus();
}

void frmDocument::connectFileCommands()
{
    connect(mnuOpenProject, &QAction::triggered, this, &frmDocument::mnuOpenProject_Click);
    connect(m_document, &Document::loaded, this, [this] { recent::note(fileName()); });
    connect(m_document, &Document::saved, this, [](const QString &path) { recent::note(path); });
    connect(mnuSave, &QAction::triggered, this, &frmDocument::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &frmDocument::mnuSaveAs_Click);
    connect(mnuExportCalc, &QAction::triggered, this, &frmDocument::exportCalcRequested);
    connect(mnuImportCalc, &QAction::triggered, this, &frmDocument::importCalcRequested);
    connect(mnuSendToCalc, &QAction::triggered, this, &frmDocument::sendToCalcRequested);
    connect(mnuReceiveFromCalc, &QAction::triggered, this, &frmDocument::receiveFromCalcRequested);

    auto print = [this](const QString &title, Pane *p) {
        return [this, title, p] { printPane(title, p); };
    };
    connect(action(QStringLiteral("mnuPrintDocument")), &QAction::triggered, this,
            print(QStringLiteral("Print Document"), RichTextBox1));
    connect(findChild<QToolButton *>(QStringLiteral("Image4")), &QToolButton::clicked, this,
            print(QStringLiteral("Print Document"), RichTextBox1));
    connect(action(QStringLiteral("mnuPrintSyntax")), &QAction::triggered, this,
            print(QStringLiteral("Print Syntax"), RichTextBox2));
    connect(action(QStringLiteral("mnuPrintExample")), &QAction::triggered, this,
            print(QStringLiteral("Print Example"), RichTextBox3));
    connect(action(QStringLiteral("mnuPrintAll")), &QAction::triggered, this,
            &frmDocument::mnuPrintAll_Click);
    connect(action(QStringLiteral("mnuPrintSetup")), &QAction::triggered, this,
            &frmDocument::mnuPrintSetup_Click);
}

void frmDocument::connectEditCommands()
{
    connect(mnuUndo, &QAction::triggered, this, &frmDocument::Undo);
    connect(mnuRedo, &QAction::triggered, this, &frmDocument::Redo);
    connect(cmdUndo, &QPushButton::clicked, this, &frmDocument::Undo);
    connect(cmdRedo, &QPushButton::clicked, this, &frmDocument::Redo);
    connect(mnuCut, &QAction::triggered, this, &frmDocument::mnuCut_Click);
    connect(mnuCopy, &QAction::triggered, this, &frmDocument::mnuCopy_Click);
    connect(mnuPaste, &QAction::triggered, this, &frmDocument::mnuPaste_Click);
    connect(mnuDelete, &QAction::triggered, this, &frmDocument::mnuDelete_Click);
    connect(mnuSelectAll, &QAction::triggered, this, &frmDocument::mnuSelectAll_Click);
    connect(mnuFind, &QAction::triggered, this, [this] { mnuFind_Click(false); });
    connect(mnuReplace, &QAction::triggered, this, [this] { mnuFind_Click(true); });
    connect(mnuFindNext, &QAction::triggered, this, [this] { mnuFindNext_Click(false); });
    connect(mnuFindPrevious, &QAction::triggered, this, [this] { mnuFindNext_Click(true); });
    connect(mnuGoToLine, &QAction::triggered, this, &frmDocument::mnuGoToLine_Click);
    // Paste follows the clipboard also when it changes elsewhere. The
    // clipboard is asked once per change, not on every keystroke.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        m_clipboardHasText = !QApplication::clipboard()->text().isEmpty();
        if (history().trackChanges())
            selectionRule();
    });
    m_clipboardHasText = !QApplication::clipboard()->text().isEmpty();
}

void frmDocument::connectPalette()
{
    // The palette inserts only when the user picks an entry from its list or
    // presses Enter in it; the combo box also reports an activation on a
    // wheel turn and when its field loses the focus.
    connect(combo0001a, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (std::exchange(m_paletteArmed, false))
            combo0001a_Click(index);
    });
    for (QObject *o :
         {static_cast<QObject *>(combo0001a), static_cast<QObject *>(combo0001a->lineEdit()),
          static_cast<QObject *>(combo0001a->view()),
          static_cast<QObject *>(combo0001a->view()->viewport())})
        o->installEventFilter(this);
}

void frmDocument::connectRequests()
{
    // Windows of other subsystems are opened by whoever created this one.
    auto request = [this](const char *item, const char *picture, void (frmDocument::*signal)()) {
        connect(action(QLatin1String(item)), &QAction::triggered, this, signal);
        connect(findChild<QToolButton *>(QLatin1String(picture)), &QToolButton::clicked, this,
                signal);
    };
    request("mnuCompile", "Image6", &frmDocument::compileRequested);
    request("mnuOptions", "Image3", &frmDocument::optionsRequested);
    request("mnuAbout", "Image2", &frmDocument::aboutRequested);
    for (const char *name : {"mnuInsert", "mnuGraph", "mnuVariables"})
        for (QAction *item : menu(QLatin1String(name))->findChildren<QAction *>())
            if (!item->menu() && !item->isSeparator())
                connect(item, &QAction::triggered, this,
                        [this, item] { emit referenceRequested(item->objectName()); });
    connect(action(QStringLiteral("NewProject")), &QAction::triggered, this,
            &frmDocument::newProjectRequested);
    connect(findChild<QToolButton *>(QStringLiteral("Image1")), &QToolButton::clicked, this,
            &frmDocument::tasksRequested);
    connect(findChild<QToolButton *>(QStringLiteral("Image5")), &QToolButton::clicked, this,
            &frmDocument::projectExplorerRequested);
    connect(action(QStringLiteral("mnuSTWWW")), &QAction::triggered, this,
            [] { platform::windows().openInSharedBrowser(platform::makerSiteAddress()); });
    connect(action(QStringLiteral("mnuHelpTopics")), &QAction::triggered, this,
            [] { platform::windows().openHelp(); });
}

void frmDocument::insertSymbol(int code)
{
    if (RichTextBox1->isReadOnly())
        return;
    RichTextBox1->setSelText(QString(QChar(code)));
    RichTextBox1->ensureCursorVisible();
}

bool frmDocument::completeWord(const QKeyEvent *e)
{
    Pane *pane = RichTextBox1;
    if (e->key() != Qt::Key_Space ||
        (e->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier || pane->isReadOnly())
        return false;
    // The letters and digits before the caret are the word to complete.
    const int lineStart = pane->toModelPosition(pane->textCursor().block().position());
    const QString before = pane->textRange(lineStart, pane->SelStart() - lineStart);
    int from = int(before.size());
    while (from > 0 && before.at(from - 1).isLetterOrNumber() &&
           before.at(from - 1).unicode() < 0x80)
        --from;
    const QString word = before.mid(from);
    const auto found = calc::names::variablesStartingWith(word);
    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("mnuCompletion"));
    popup->setAttribute(Qt::WA_DeleteOnClose);
    for (const calc::names::NamedVariable &v : found) {
        QAction *a = popup->addAction(v.shown + u'\t' + v.typed);
        a->setObjectName(QStringLiteral("mnuComplete") + v.typed);
        const int start = lineStart + from;
        connect(a, &QAction::triggered, this,
                [this, pane, start, length = int(word.size()), text = v.spelling] {
                    pane->setSelStart(start);
                    pane->setSelLength(length);
                    insertText(text);
                });
    }
    if (found.isEmpty())
        popup->addAction(QStringLiteral("No variable starts with %1").arg(word))->setEnabled(false);
    popup->popup(pane->viewport()->mapToGlobal(pane->cursorRect().bottomLeft()));
    return true;
}

void frmDocument::insertText(const QString &text)
{
    if (RichTextBox1->isReadOnly())
        return;
    RichTextBox1->setSelText(text);
    RichTextBox1->ensureCursorVisible();
    RichTextBox1->setFocus();
}

bool frmDocument::typedStoreArrow(const QKeyEvent *e)
{
    Pane *pane = RichTextBox1;
    if (e->text() != QLatin1String(">") || pane->isReadOnly() || pane->SelLength() != 0)
        return false;
    const int lineStart = pane->toModelPosition(pane->textCursor().block().position());
    const QString before = pane->textRange(lineStart, pane->SelStart() - lineStart);
    if (!before.endsWith(u'-'))
        return false;
    // Only where the minus is a token of its own, not inside a string.
    const QVector<calc::tokens::Piece> pieces = calc::tokens::scanLine(before);
    if (pieces.isEmpty() || pieces.last().start != before.size() - 1 || pieces.last().inString)
        return false;
    // Two steps, so Undo gives back the "->" that was typed.
    pane->setSelText(QStringLiteral(">"));
    const int end = pane->SelStart();
    pane->setSelStart(end - 2);
    pane->setSelLength(2);
    pane->setSelText(QString(QChar(calc::calcsymbols::byteFor(u"\u2192"))));
    pane->ensureCursorVisible();
    return true;
}

void frmDocument::selectionRule()
{
    const bool selected = RichTextBox1->SelLength() != 0;
    mnuCut->setEnabled(selected);
    mnuCopy->setEnabled(selected);
    mnuDelete->setEnabled(selected);
    mnuPaste->setEnabled(m_clipboardHasText);
    mnuSelectAll->setEnabled(RichTextBox1->TextLength() != 0);
}

void frmDocument::Undo()
{
    history().Undo();
    selectionRule();
}
void frmDocument::Redo()
{
    history().Redo();
    selectionRule();
}

bool frmDocument::openFile(const QString &path, QString *error)
{
    return m_document->openFile(path, error);
}

bool frmDocument::recover(const QByteArray &rtf, const QString &fileName, QString *error)
{
    return m_document->recover(rtf, fileName, error);
}

UndoHistory &frmDocument::history()
{
    return m_document->history();
}

QString frmDocument::fileName() const
{
    return m_document->fileName();
}

bool frmDocument::isModified() const
{
    return m_document->isModified();
}

bool frmDocument::mnuSave_Click()
{
    return m_document->save();
}

bool frmDocument::mnuSaveAs_Click()
{
    return m_document->saveAs();
}

bool frmDocument::maybeSave()
{
    return !m_askOnClose || m_document->maybeSave();
}

void frmDocument::closeEvent(QCloseEvent *event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frmDocument::mnuOpenProject_Click()
{
    const auto path = platform::dialogs::openFile(
        this, QStringLiteral("Open File"),
        platform::documentFileFilter() +
            QStringLiteral(
                "|Calculator programs (*.8xp *.8xg *.83p *.83g)|*.8xp;*.8xg;*.83p;*.83g"));
    if (!path)
        return;
    // A calculator's file is no document: it is imported, each program in
    // a window of its own.
    const QString suffix = QFileInfo(*path).suffix().toLower();
    if (QStringList{"8xp", "8xg", "83p", "83g"}.contains(suffix)) {
        emit openFileRequested(*path);
        return;
    }
    QString error;
    if (!openFile(*path, &error))
        platform::dialogs::message(this, error, QString(), QMessageBox::Critical);
}

void frmDocument::mnuCopy_Click()
{
    QApplication::clipboard()->setMimeData(RichTextBox1->selectionMimeData());
}

void frmDocument::mnuCut_Click()
{
    QApplication::clipboard()->setMimeData(RichTextBox1->selectionMimeData());
    RichTextBox1->setSelText(QString());
}

void frmDocument::mnuPaste_Click()
{
    // Two changes, so two undo entries: the selection goes, then the text comes.
    const QString text = RichTextBox1->incomingFrom(QApplication::clipboard()->mimeData());
    if (text.isEmpty())
        return;
    RichTextBox1->setSelText(QString());
    RichTextBox1->setSelText(text);
}

void frmDocument::mnuDelete_Click()
{
    RichTextBox1->setSelText(QString());
}

void frmDocument::mnuSelectAll_Click()
{
    RichTextBox1->setSelStart(0);
    RichTextBox1->setSelLength(RichTextBox1->TextLength());
}

void frmDocument::combo0001a_Click(int index)
{
    std::optional<QString> text = paletteInsertText(index);
    if (index == kScratchEntry)
        text = readScratchText(platform::places::scratchFile());
    if (text)
        RichTextBox1->setSelText(*text);
    // The palette shows the chosen entry; typing goes on in the program.
    combo0001a->setEditText(combo0001a->itemText(index));
    RichTextBox1->setFocus();
}

void frmDocument::mnuFind_Click(bool replacing)
{
    if (!m_find)
        m_find = new frmFind(RichTextBox1, &history(), this);
    m_find->showFor(replacing);
}

void frmDocument::mnuFindNext_Click(bool backward)
{
    if (!m_find || !m_find->hasSearch())
        mnuFind_Click(false);
    else
        m_find->findNext(backward);
}

void frmDocument::mnuGoToLine_Click()
{
    const int lines = RichTextBox1->document()->blockCount();
    const int current = RichTextBox1->textCursor().blockNumber() + 1;
    const std::optional<QString> answer =
        platform::dialogs::promptOrCancel(this, QStringLiteral("Line number (1 - %1):").arg(lines),
                                          QStringLiteral("Go to Line"), QString::number(current));
    bool ok = false;
    const int line = answer ? answer->trimmed().toInt(&ok) : 0;
    if (ok)
        goToLine(line);
}

void frmDocument::goToLine(int line)
{
    const QTextDocument *doc = RichTextBox1->document();
    const QTextBlock block = doc->findBlockByNumber(qBound(1, line, doc->blockCount()) - 1);
    RichTextBox1->setSelStart(RichTextBox1->toModelPosition(block.position()));
    RichTextBox1->giveFocus();
}

QString frmDocument::statusFigures() const
{
    const QTextCursor c = RichTextBox1->textCursor();
    const QString position = positionFigure(c.blockNumber() + 1, c.positionInBlock() + 1);
    // The size needs the whole text: worked out again only after an edit.
    if (!m_size)
        m_size = sizeFigure(RichTextBox1->Text());
    QString figures = m_size->isEmpty() ? position : position + QStringLiteral("   ") + *m_size;
    const ProblemMarks *marks = ProblemMarks::of(RichTextBox1);
    if (marks && !marks->countsText().isEmpty())
        figures += QStringLiteral("   ") + marks->countsText();
    return figures;
}

QPrinter *frmDocument::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

void frmDocument::printPane(const QString &title, Pane *pane)
{
    m_printFlags = platform::dialogs::kPrintFlags |
                   (pane->SelLength() != 0 ? platform::dialogs::kSelection : 0);
    QPrinter *p = printer();
    if (!platform::dialogs::print(this, p, title, m_printFlags & platform::dialogs::kSelection))
        return;
    pane->printTo(p);
    if (p->printerState() == QPrinter::Error)
        platform::dialogs::message(this, QStringLiteral("The document could not be printed."),
                                   QString(), QMessageBox::Critical);
}

void frmDocument::mnuPrintAll_Click()
{
    // Each pane has its own dialog; cancelling one goes on to the next.
    printPane(QStringLiteral("Print All - Document"), RichTextBox1);
    printPane(QStringLiteral("Print All - Syntax"), RichTextBox2);
    printPane(QStringLiteral("Print All - Example"), RichTextBox3);
}

void frmDocument::mnuPrintSetup_Click()
{
    platform::dialogs::pageSetup(this, printer(), QStringLiteral("Page Setup"), m_printFlags);
}

void frmDocument::setOwnMenuBarVisible(bool visible)
{
    m_menuBar->setVisible(visible);
}

void frmDocument::unload()
{
    // Inside the main frame the window lives in a sub-window; closing that
    // closes (and deletes) this window with it.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

} // namespace editor
