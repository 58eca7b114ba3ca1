#include "editor/frmDocument.h"

#include "calc/CalcFile.h"
#include "calc/Tokens.h"
#include "editor/EditorOptions.h"
#include "editor/Highlighter.h"
#include "editor/StatusFigures.h"
#include "editor/SymbolPalette.h"
#include "editor/UndoHistory.h"
#include "editor/frmFind.h"
#include "platform/AppIcon.h"
#include "platform/AppInfo.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Places.h"
#include "platform/TextFiles.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

using platform::px;
using platform::rectTwips;

namespace editor
{

namespace
{

QFrame *addShape(QWidget *parent, const char *name, QRect r)
{
    QFrame *f = platform::controls::box(parent, name);
    f->setGeometry(r);
    return f;
}

QLabel *addLabel(QWidget *parent, const QString &name, const QString &caption, double points,
                 bool bold, QRect r)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setPointSizeF(points);
    f.setBold(bold);
    // The designed sizes assume narrower system fonts; shrink a heading
    // rather than cut it off.
    while (!caption.isEmpty() && f.pointSizeF() > 6 &&
           QFontMetrics(f).horizontalAdvance(caption) > r.width())
        f.setPointSizeF(f.pointSizeF() - 0.25);
    l->setFont(f);
    l->setGeometry(r);
    return l;
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

// The history drives the program pane and the undo controls through this.
class frmDocument::Adapter : public UndoPane, public UndoControls
{
public:
    explicit Adapter(frmDocument &w) : m_w(w) {}
    const platform::TextChange &lastChange() const override
    {
        return m_w.RichTextBox1->lastChange();
    }
    QString textRange(int pos, int length) const override
    {
        return m_w.RichTextBox1->textRange(pos, length);
    }
    void setSelStart(int pos) override { m_w.RichTextBox1->setSelStart(pos); }
    void setSelLength(int len) override { m_w.RichTextBox1->setSelLength(len); }
    void setSelText(const QString &t) override { m_w.RichTextBox1->setSelText(t); }
    void hideSelection(bool hide) override { m_w.RichTextBox1->hideSelection(hide); }
    void focusPane() override { m_w.RichTextBox1->giveFocus(); }
    void setUndoEnabled(bool on) override
    {
        m_w.cmdUndo->setEnabled(on);
        m_w.mnuUndo->setEnabled(on);
    }
    void setRedoEnabled(bool on) override
    {
        m_w.cmdRedo->setEnabled(on);
        m_w.mnuRedo->setEnabled(on);
    }
    void selectionRule() override { m_w.selectionRule(); }

private:
    frmDocument &m_w;
};

namespace
{

}

frmDocument::frmDocument(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDocument"));
    setWindowTitle(QStringLiteral("frmDocument"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    m_adapter = std::make_unique<Adapter>(*this);
    m_history = std::make_unique<UndoHistory>(*m_adapter, *m_adapter);
    connectCommands();
    loadWindow();
    applyEditorOptions();
    connect(&editor::EditorOptions::instance(), &editor::EditorOptions::changed, this,
            &frmDocument::applyEditorOptions);
}

void frmDocument::applyEditorOptions()
{
    const bool on = editor::EditorOptions::highlighting();
    for (Pane *pane : {RichTextBox1, RichTextBox2, RichTextBox3})
        editor::Highlighter::setEnabled(pane, on);
    emit statusFiguresChanged();
}

frmDocument::~frmDocument()
{
    // Children still emit while ~QWidget deletes them (the palette reports
    // an activation when it loses its edit text); none of that may reach
    // this half-destroyed window.
    platform::disconnectChildren(this);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
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
}

bool frmDocument::saveEnabled() const
{
    return mnuSave->isEnabled();
}

void frmDocument::loadWindow()
{
    combo0001a->addItems(symbolPaletteEntries());
    for (int i = 0; i < kPaletteEntryCount; ++i)
        combo0001a->setItemData(i, paletteToolTip(i), Qt::ToolTipRole);
    combo0001a->setCurrentIndex(-1);
    combo0001a->setEditText(QStringLiteral("Symbols"));

    // The history starts from the empty text; the undo controls start disabled.
    m_history->setTrackChanges(true);
    m_history->reset();
    selectionRule();
}

void frmDocument::connectCommands()
{
    Pane *pane = RichTextBox1;
    connect(pane, &Pane::Change, this, [this] {
        m_history->recordChange();
        setModified(true);
    });
    connect(pane, &Pane::SelChange, this, [this] {
        if (m_history->trackChanges())
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
    connect(mnuFind, &QAction::triggered, this, [this] { mnuFind_Click(false); });
    connect(mnuReplace, &QAction::triggered, this, [this] { mnuFind_Click(true); });
    connect(mnuFindNext, &QAction::triggered, this, [this] { mnuFindNext_Click(false); });
    connect(mnuFindPrevious, &QAction::triggered, this, [this] { mnuFindNext_Click(true); });
    connect(mnuGoToLine, &QAction::triggered, this, &frmDocument::mnuGoToLine_Click);
    // Paste follows the clipboard also when it changes elsewhere. The
    // clipboard is asked once per change, not on every keystroke.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        m_clipboardHasText = !QApplication::clipboard()->text().isEmpty();
        if (m_history->trackChanges())
            selectionRule();
    });
    m_clipboardHasText = !QApplication::clipboard()->text().isEmpty();
    connect(pane, &Pane::KeyDown, this, [pane](QKeyEvent *e, bool *swallow) {
        const int code = symbolKeyCode(e->key(), e->modifiers());
        if (code >= 0 && !pane->isReadOnly()) {
            pane->setSelText(QString(QChar(code)));
            pane->ensureCursorVisible();
            *swallow = true;
            return;
        }
        *swallow = swallowedInPane(e);
    });
    for (Pane *p : {RichTextBox1, RichTextBox2, RichTextBox3})
        connect(p, &Pane::textRefused, this, &frmDocument::statusMessage);
    pane->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(pane, &Pane::MouseUp, this, [this](QMouseEvent *e) {
        if (e->button() == Qt::RightButton)
            mnuEdit->popup(e->globalPosition().toPoint());
    });

    connect(mnuOpenProject, &QAction::triggered, this, &frmDocument::mnuOpenProject_Click);
    connect(mnuSave, &QAction::triggered, this, &frmDocument::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &frmDocument::mnuSaveAs_Click);
    connect(mnuExportCalc, &QAction::triggered, this, &frmDocument::mnuExportCalc_Click);
    connect(mnuImportCalc, &QAction::triggered, this, &frmDocument::mnuImportCalc_Click);
    connect(mnuUndo, &QAction::triggered, this, &frmDocument::Undo);
    connect(mnuRedo, &QAction::triggered, this, &frmDocument::Redo);
    connect(cmdUndo, &QPushButton::clicked, this, &frmDocument::Undo);
    connect(cmdRedo, &QPushButton::clicked, this, &frmDocument::Redo);
    connect(mnuCut, &QAction::triggered, this, &frmDocument::mnuCut_Click);
    connect(mnuCopy, &QAction::triggered, this, &frmDocument::mnuCopy_Click);
    connect(mnuPaste, &QAction::triggered, this, &frmDocument::mnuPaste_Click);
    connect(mnuDelete, &QAction::triggered, this, &frmDocument::mnuDelete_Click);
    connect(mnuSelectAll, &QAction::triggered, this, &frmDocument::mnuSelectAll_Click);
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
    m_history->Undo();
    selectionRule();
}
void frmDocument::Redo()
{
    m_history->Redo();
    selectionRule();
}

bool frmDocument::openFile(const QString &path, QString *error)
{
    if (!RichTextBox1->loadFile(path, true, error))
        return false;
    m_fileName = path;
    mnuSave->setEnabled(true);
    setModified(false);
    return true;
}

bool frmDocument::saveTo(const QString &path)
{
    QString error;
    if (!RichTextBox1->saveRtf(path, &error)) {
        platform::dialogs::message(this, error, QString(), QMessageBox::Critical);
        return false;
    }
    m_fileName = path;
    setModified(false);
    return true;
}

void frmDocument::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

bool frmDocument::mnuSave_Click()
{
    return m_fileName.isEmpty() ? mnuSaveAs_Click() : saveTo(m_fileName);
}

bool frmDocument::maybeSave()
{
    if (!m_modified || !m_askOnClose)
        return true;
    const QString name = m_fileName.isEmpty() ? windowTitle() : QFileInfo(m_fileName).fileName();
    switch (platform::dialogs::message(
        this, QStringLiteral("Save changes to %1?").arg(name), QString(), QMessageBox::Warning,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save:
        return mnuSave_Click();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
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
    const auto path = platform::dialogs::openFile(this, QStringLiteral("Open File"),
                                                  platform::documentFileFilter());
    if (!path)
        return;
    QString error;
    if (!openFile(*path, &error))
        platform::dialogs::message(this, error, QString(), QMessageBox::Critical);
}

bool frmDocument::mnuSaveAs_Click()
{
    const auto path = platform::dialogs::saveFile(this, QStringLiteral("Save File"),
                                                  platform::documentFileFilter());
    if (!path || !saveTo(*path))
        return false;
    mnuSave->setEnabled(true);
    return true;
}

void frmDocument::mnuExportCalc_Click()
{
    namespace calcfile = calc::calcfile;
    namespace dialogs = platform::dialogs;
    const QString title = QStringLiteral("Export to Calculator");
    const QString text = RichTextBox1->Text();
    // A character without a token is reported before anything is asked.
    if (const auto t = calc::tokens::tokenize(text); !t.ok()) {
        dialogs::message(this, t.error + QStringLiteral("\n\nNothing was exported."), title,
                         QMessageBox::Critical);
        return;
    }
    QString name =
        calc::calcfile::nameFromFileName(m_fileName.isEmpty() ? windowTitle() : m_fileName);
    for (;;) {
        const auto answer = dialogs::promptOrCancel(
            this,
            QStringLiteral("Name of the calculator program (1 to 8 characters: A-Z, 0-9 or "
                           "\u03B8, not a digit first):"),
            title, name);
        if (!answer)
            return;
        name = *answer;
        if (calc::calcfile::isValidName(name))
            break;
        dialogs::message(this, calc::calcfile::nameRules(name), title, QMessageBox::Critical);
    }
    const auto target = dialogs::saveFile(this, title, calc::calcfile::fileFilter());
    if (!target)
        return;
    const calc::calcfile::Built built =
        calc::calcfile::build(text, name, false, calc::calcfile::modelForPath(*target));
    QString error;
    if (!built.ok()) {
        error = built.error;
    } else if (platform::textfiles::sameFile(*target, m_fileName)) {
        error = QStringLiteral("\"%1\" is this program's document; please choose another file "
                               "name.")
                    .arg(QDir::toNativeSeparators(*target));
    } else if (!platform::textfiles::writeAtomically(*target, built.file, &error)) {
        error =
            QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(*target), error);
    }
    if (!error.isEmpty())
        dialogs::message(this, error + QStringLiteral("\n\nNothing was exported."), title,
                         QMessageBox::Critical);
}

void frmDocument::mnuImportCalc_Click()
{
    emit importCalculatorRequested();
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
    // The palette keeps the focus and shows the chosen entry.
    combo0001a->setEditText(combo0001a->itemText(index));
    combo0001a->setFocus();
}

void frmDocument::mnuFind_Click(bool replacing)
{
    if (!m_find)
        m_find = new frmFind(RichTextBox1, m_history.get(), this);
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
    const QString &size = *m_size;
    return size.isEmpty() ? position : position + QStringLiteral("   ") + size;
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

void frmDocument::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    outer->setMenuBar(m_menuBar);

    // At the designed size every control is at its designed place; a larger
    // window gives the program pane its extra width and height and the
    // reference panes its extra height (layoutControls).
    auto *canvas = new QWidget(this);
    m_canvas = canvas;
    canvas->setObjectName(QStringLiteral("canvas"));
    canvas->setMinimumSize(px(11880), px(8040));
    canvas->installEventFilter(this);
    outer->addWidget(canvas, 1);

    place(addShape(canvas, "Shape1", rectTwips(120, 120, 1215, 7455)), Anchor::GrowHeight);
    place(addShape(canvas, "Shape2", rectTwips(1560, 120, 3495, 7455)), Anchor::Grow);
    place(addShape(canvas, "Shape3", rectTwips(5280, 120, 6495, 3500)), Anchor::RightTopHalf);
    place(addShape(canvas, "Shape4", rectTwips(5280, 4080, 6495, 3495)), Anchor::RightBottomHalf);

    addLabel(canvas, QStringLiteral("Label7"), QStringLiteral("Main Programming Interface"), 11.25,
             true, rectTwips(1680, 180, 3255, 300));
    place(addLabel(canvas, QStringLiteral("Label8"), QStringLiteral("Syntax Code"), 12, true,
                   rectTwips(5400, 180, 6135, 300)),
          Anchor::Right);
    place(addLabel(canvas, QStringLiteral("Label10"), QStringLiteral("Example"), 12, true,
                   rectTwips(5400, 4140, 6255, 300)),
          Anchor::RightMoveHalf);
    example = addLabel(canvas, QStringLiteral("example"), QString(), 8.25, false,
                       rectTwips(5400, 4440, 6255, 495));
    example->setWordWrap(true);
    place(example, Anchor::RightMoveHalf);

    auto makePane = [&](const QString &name, QRect r) {
        auto *pane = new Pane(canvas);
        pane->setObjectName(name);
        pane->setGeometry(r);
        pane->setFontName(platform::calculatorFontName());
        pane->setFontSize(8.25);
        return pane;
    };
    RichTextBox1 = makePane(QStringLiteral("RichTextBox1"), rectTwips(1680, 840, 3255, 6615));
    RichTextBox2 = makePane(QStringLiteral("RichTextBox2"), rectTwips(5400, 480, 6135, 3015));
    RichTextBox3 = makePane(QStringLiteral("RichTextBox3"), rectTwips(5400, 4920, 6255, 2535));
    place(RichTextBox1, Anchor::Grow);
    place(RichTextBox2, Anchor::RightTopHalf);
    place(RichTextBox3, Anchor::RightBottomHalf);

    combo0001a = new QComboBox(canvas);
    combo0001a->setObjectName(QStringLiteral("combo0001a"));
    combo0001a->setEditable(true);
    combo0001a->setInsertPolicy(QComboBox::NoInsert);
    // Made now, so the drop-down's own key and mouse handling exists before
    // the window's filters go on top of it (see armPalette).
    combo0001a->setView(new QListView(combo0001a));
    combo0001a->setFont(platform::calculatorFont(8.25));
    combo0001a->setGeometry(rectTwips(1680, 480, 3255, 285));
    combo0001a->setEditText(QStringLiteral("Symbols"));
    place(combo0001a, Anchor::GrowWidth);

    addPictureButton(QStringLiteral("Image2"), QStringLiteral("Label2"), QStringLiteral("About"),
                     480, 360);
    addPictureButton(QStringLiteral("Image4"), QStringLiteral("Label4"), QStringLiteral("Pr int"),
                     480, 1560);
    auto *tasks = addPictureButton(QStringLiteral("Image1"), QStringLiteral("Label1"),
                                   QStringLiteral("Tasks"), 480, 2880);
    tasks->setToolTip(QStringLiteral("Task Menu"));
    addPictureButton(QStringLiteral("Image5"), QStringLiteral("Label5"),
                     QStringLiteral("Project Explorer"), 480, 4200);
    addPictureButton(QStringLiteral("Image3"), QStringLiteral("Label3"), QStringLiteral("Options"),
                     480, 5640);
    addPictureButton(QStringLiteral("Image6"), QStringLiteral("Label6"), QStringLiteral("Compile"),
                     480, 6720);

    auto hiddenButton = [&](const QString &name, const QString &caption, QRect r) {
        auto *b = new QPushButton(caption, canvas);
        b->setObjectName(name);
        b->setGeometry(r);
        b->setVisible(false);
        return b;
    };
    cmdUndo = hiddenButton(QStringLiteral("cmdUndo"), QStringLiteral("Command1"),
                           rectTwips(1920, 7560, 1215, 375));
    cmdRedo = hiddenButton(QStringLiteral("cmdRedo"), QStringLiteral("Command2"),
                           rectTwips(3120, 7560, 1215, 375));
    cmdDummy =
        hiddenButton(QStringLiteral("cmdDummy"), QString(), rectTwips(10680, 7560, 1215, 315));
    cmdUndo->setEnabled(false);
    cmdRedo->setEnabled(false);
    place(cmdUndo, Anchor::Bottom);
    place(cmdRedo, Anchor::Bottom);
    place(cmdDummy, Anchor::RightBottom);

    resize(px(11880), px(8040) + m_menuBar->sizeHint().height());
}

void frmDocument::place(QWidget *w, Anchor anchor)
{
    m_placed.push_back(Placed{w, w->geometry(), anchor});
}

void frmDocument::layoutControls()
{
    const int dx = qMax(0, m_canvas->width() - px(11880));
    const int dy = qMax(0, m_canvas->height() - px(8040));
    // The two reference panes share the extra height.
    const int top = dy / 2;
    const int bottom = dy - top;
    for (const Placed &p : std::as_const(m_placed)) {
        QRect r = p.designed;
        switch (p.anchor) {
        case Anchor::Fixed:
            break;
        case Anchor::Grow:
            r.adjust(0, 0, dx, dy);
            break;
        case Anchor::GrowWidth:
            r.adjust(0, 0, dx, 0);
            break;
        case Anchor::GrowHeight:
            r.adjust(0, 0, 0, dy);
            break;
        case Anchor::Right:
            r.translate(dx, 0);
            break;
        case Anchor::RightTopHalf:
            r.translate(dx, 0);
            r.adjust(0, 0, 0, top);
            break;
        case Anchor::RightMoveHalf:
            r.translate(dx, top);
            break;
        case Anchor::RightBottomHalf:
            r.translate(dx, top);
            r.adjust(0, 0, 0, bottom);
            break;
        case Anchor::Bottom:
            r.translate(0, dy);
            break;
        case Anchor::RightBottom:
            r.translate(dx, dy);
            break;
        }
        p.widget->setGeometry(r);
    }
}

QToolButton *frmDocument::addPictureButton(const QString &imageName, const QString &labelName,
                                           const QString &caption, int leftTwips, int topTwips)
{
    QWidget *canvas = findChild<QWidget *>(QStringLiteral("canvas"));
    auto *b = new QToolButton(canvas);
    b->setObjectName(imageName);
    b->setAutoRaise(true);
    b->setIcon(platform::pictureButtonIcon(imageName));
    b->setIconSize(QSize(px(480), px(480)));
    b->setGeometry(px(leftTwips), px(topTwips), px(480), px(480));

    auto *l = new QLabel(caption, canvas);
    l->setObjectName(labelName);
    l->setFont(platform::captionFont(8.25));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(true);
    l->setGeometry(px(120), px(topTwips + 500), px(1215), px(420));
    return b;
}

QMenu *frmDocument::addMenu(QMenuBar *bar, const QString &name, const QString &caption)
{
    auto *m = new QMenu(caption, this);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    bar->addMenu(m);
    m_menus << m;
    m_menuByName.insert(name, m);
    return m;
}

QMenu *frmDocument::addSubMenu(QMenu *parent, const QString &name, const QString &caption)
{
    auto *m = parent->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    m_menuByName.insert(name, m);
    return m;
}

QAction *frmDocument::addItem(QMenu *menu, const QString &name, const QString &caption,
                              const QKeySequence &shortcut)
{
    auto *a = menu->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    m_actions.insert(name, a);
    return a;
}

void frmDocument::buildMenus()
{
    QMenuBar *bar = m_menuBar;

    QMenu *file = addMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File "));
    addItem(file, QStringLiteral("NewProject"), QStringLiteral("&New Project"));
    file->addSeparator();
    mnuOpenProject =
        addItem(file, QStringLiteral("mnuOpenProject"), QStringLiteral("&Open Project"));
    file->addSeparator();
    mnuSave = addItem(file, QStringLiteral("mnuSave"), QStringLiteral("Save"),
                      QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveAs = addItem(file, QStringLiteral("mnuSaveAs"), QStringLiteral("Save As..."));
    mnuExportCalc = addItem(file, QStringLiteral("mnuExportCalc"),
                            QStringLiteral("Export to Calculator\u2026"));
    mnuImportCalc = addItem(file, QStringLiteral("mnuImportCalc"),
                            QStringLiteral("Import Calculator Program\u2026"));
    file->addSeparator();
    addItem(file, QStringLiteral("mnuPrintSetup"), QStringLiteral("Print Setup"));
    file->addSeparator();
    addItem(file, QStringLiteral("mnuPrintDocument"), QStringLiteral("Print Document"));
    addItem(file, QStringLiteral("mnuPrintSyntax"), QStringLiteral("Print Syntax"));
    addItem(file, QStringLiteral("mnuPrintExample"), QStringLiteral("Print Example"));
    addItem(file, QStringLiteral("mnuPrintAll"), QStringLiteral("Print All"));
    file->addSeparator();
    mnuExit = addItem(file, QStringLiteral("mnuExit"), QStringLiteral("Exit"));

    mnuEdit = addMenu(bar, QStringLiteral("mnuEdit"), QStringLiteral("&Edit "));
    mnuUndo = addItem(mnuEdit, QStringLiteral("mnuUndo"), QStringLiteral("Undo"),
                      QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRedo = addItem(mnuEdit, QStringLiteral("mnuRedo"), QStringLiteral("Redo"),
                      QKeySequence(Qt::CTRL | Qt::Key_Y));
    mnuEdit->addSeparator();
    mnuCut = addItem(mnuEdit, QStringLiteral("mnuCut"), QStringLiteral("Cut"),
                     QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuCopy = addItem(mnuEdit, QStringLiteral("mnuCopy"), QStringLiteral("Copy"),
                      QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuPaste = addItem(mnuEdit, QStringLiteral("mnuPaste"), QStringLiteral("Paste"),
                       QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuDelete = addItem(mnuEdit, QStringLiteral("mnuDelete"), QStringLiteral("Delete"));
    mnuEdit->addSeparator();
    mnuSelectAll = addItem(mnuEdit, QStringLiteral("mnuSelectAll"), QStringLiteral("Select All"),
                           QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuEdit->addSeparator();
    mnuFind = addItem(mnuEdit, QStringLiteral("mnuFind"), QStringLiteral("Find..."),
                      QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuFindNext = addItem(mnuEdit, QStringLiteral("mnuFindNext"), QStringLiteral("Find Next"),
                          QKeySequence(Qt::Key_F3));
    mnuFindPrevious =
        addItem(mnuEdit, QStringLiteral("mnuFindPrevious"), QStringLiteral("Find Previous"),
                QKeySequence(Qt::SHIFT | Qt::Key_F3));
    mnuReplace = addItem(mnuEdit, QStringLiteral("mnuReplace"), QStringLiteral("Replace..."),
                         QKeySequence(Qt::CTRL | Qt::Key_H));
    mnuEdit->addSeparator();
    mnuGoToLine = addItem(mnuEdit, QStringLiteral("mnuGoToLine"), QStringLiteral("Go to Line..."),
                          QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuUndo->setEnabled(false);
    mnuRedo->setEnabled(false);

    QMenu *insert = addMenu(bar, QStringLiteral("mnuInsert"), QStringLiteral("&Insert "));
    QMenu *flow = addSubMenu(insert, QStringLiteral("mnuFlowControllers"),
                             QStringLiteral("Flow Controllers"));
    addItem(flow, QStringLiteral("mnuIfThenElse"), QStringLiteral("If..Then..Else"));
    addItem(flow, QStringLiteral("mnuIfThen"), QStringLiteral("If..Then"));
    addItem(flow, QStringLiteral("mnuIf"), QStringLiteral("If"));
    flow->addSeparator();
    addItem(flow, QStringLiteral("mnuFor"), QStringLiteral("For"));
    flow->addSeparator();
    addItem(flow, QStringLiteral("mnuGetkey"), QStringLiteral("Getkey"));
    flow->addSeparator();
    addItem(flow, QStringLiteral("mnuPause"), QStringLiteral("Pause"),
            QKeySequence(Qt::CTRL | Qt::Key_F1));
    addItem(flow, QStringLiteral("mnuWait"), QStringLiteral("Wait"));
    addItem(flow, QStringLiteral("mnuWhile"), QStringLiteral("While"));
    addItem(flow, QStringLiteral("mnuRepeat"), QStringLiteral("Repeat"));

    QMenu *io =
        addSubMenu(insert, QStringLiteral("mnuInputOutput"), QStringLiteral("Input/Output"));
    addItem(io, QStringLiteral("mnuInput"), QStringLiteral("Input"));
    addItem(io, QStringLiteral("mnuPrompt"), QStringLiteral("Prompt"));
    io->addSeparator();
    addItem(io, QStringLiteral("mnuOutput"), QStringLiteral("Output"));
    addItem(io, QStringLiteral("mnuDisplay"), QStringLiteral("Display"),
            QKeySequence(Qt::CTRL | Qt::Key_F2));
    io->addSeparator();
    addItem(io, QStringLiteral("mnuMenu"), QStringLiteral("Menu"));
    io->addSeparator();
    addItem(io, QStringLiteral("mnuClearHomeScreen"), QStringLiteral("Clear Home Screen"));
    addItem(io, QStringLiteral("mnuClearTable"), QStringLiteral("Clear Table"));

    QMenu *labels =
        addSubMenu(insert, QStringLiteral("mnuLabelControls"), QStringLiteral("Label Controls"));
    addItem(labels, QStringLiteral("mnuLabel"), QStringLiteral("Label"),
            QKeySequence(Qt::CTRL | Qt::Key_F3));
    addItem(labels, QStringLiteral("mnuGoto"), QStringLiteral("Goto"));
    addItem(labels, QStringLiteral("mnuReturn"), QStringLiteral("Return"));

    QMenu *sendGet = addSubMenu(insert, QStringLiteral("mnuSendGet"), QStringLiteral("Send/Get"));
    addItem(sendGet, QStringLiteral("mnuSend"), QStringLiteral("Send"));
    sendGet->addSeparator();
    addItem(sendGet, QStringLiteral("mnuGet"), QStringLiteral("Get"));
    addItem(sendGet, QStringLiteral("mnuGetCalc"), QStringLiteral("Get Calculator"));

    QMenu *misc =
        addSubMenu(insert, QStringLiteral("mnuMiscanellous"), QStringLiteral("Miscanellous"));
    addItem(misc, QStringLiteral("mnuDelvar"), QStringLiteral("Delete Variable"));
    misc->addSeparator();
    addItem(misc, QStringLiteral("mnuIS"), QStringLiteral("IS>"));
    addItem(misc, QStringLiteral("mnuDS"), QStringLiteral("DS<"));

    QMenu *graph = addMenu(bar, QStringLiteral("mnuGraph"), QStringLiteral("Graph"));
    addItem(graph, QStringLiteral("mnuClrDraw"), QStringLiteral("Clear Graph Screen"));
    QMenu *draw = addSubMenu(graph, QStringLiteral("mnuDraw"), QStringLiteral("Draw"));
    addItem(draw, QStringLiteral("mnuLine"), QStringLiteral("Line"));
    addItem(draw, QStringLiteral("mnuTangent"), QStringLiteral("Tangent"));
    addItem(draw, QStringLiteral("mnuDrawFunction"), QStringLiteral("Draw Function"));
    addItem(draw, QStringLiteral("mnuShade"), QStringLiteral("Shade"));
    addItem(draw, QStringLiteral("mnuInverseofaFunction"), QStringLiteral("Inverse of a Function"));
    addItem(draw, QStringLiteral("mnuCircle"), QStringLiteral("Circle"));
    addItem(draw, QStringLiteral("mnuText"), QStringLiteral("Text"));
    QMenu *points = addSubMenu(graph, QStringLiteral("mnuPoints"), QStringLiteral("Points"));
    addItem(points, QStringLiteral("mnuDrawPointOn"), QStringLiteral("Draw Point - On"));
    addItem(points, QStringLiteral("mnuDrawPointOff"), QStringLiteral("Draw Point - Off"));
    addItem(points, QStringLiteral("mnuDrawPointChange"), QStringLiteral("Draw Point - Change"));
    points->addSeparator();
    addItem(points, QStringLiteral("mnuDrawPixelOn"), QStringLiteral("Draw Pixel - On"));
    addItem(points, QStringLiteral("mnuDrawPixelOff"), QStringLiteral("Draw Pixel - Off"));
    addItem(points, QStringLiteral("mnuDrawPixelChange"), QStringLiteral("Draw Pixel - Change"));
    addItem(points, QStringLiteral("mnuDrawPixelTest"), QStringLiteral("Draw Pixel - Test"));
    QMenu *picture =
        addSubMenu(graph, QStringLiteral("mnuGraphPicture"), QStringLiteral("Picture"));
    addItem(picture, QStringLiteral("mnuSavePicture"), QStringLiteral("Save Picture"));
    addItem(picture, QStringLiteral("mnuLoadPicture"), QStringLiteral("Load Picture"));
    picture->addSeparator();
    addItem(picture, QStringLiteral("mnuSaveGraphDatabase"), QStringLiteral("Save Graph Database"));
    addItem(picture, QStringLiteral("mnuLoadGraphDatabase"), QStringLiteral("Load Graph Database"));

    QMenu *vars = addMenu(bar, QStringLiteral("mnuVariables"), QStringLiteral("Variables"));
    addItem(vars, QStringLiteral("mnuWindow"), QStringLiteral("Window"));
    addItem(vars, QStringLiteral("mnuZoom"), QStringLiteral("Zoom"));
    addItem(vars, QStringLiteral("mnuGraphDatabase"), QStringLiteral("Graph Database"));
    addItem(vars, QStringLiteral("mnuPicture"), QStringLiteral("Picture"));
    addItem(vars, QStringLiteral("mnuStatistics"), QStringLiteral("Statistics"));
    addItem(vars, QStringLiteral("mnuTable"), QStringLiteral("Table"));
    addItem(vars, QStringLiteral("mnuString"), QStringLiteral("String"));
    vars->addSeparator();
    addItem(vars, QStringLiteral("mnuFunction"), QStringLiteral("Function"));
    addItem(vars, QStringLiteral("mnuParametic"), QStringLiteral("Parametric"));
    addItem(vars, QStringLiteral("mnuPolar"), QStringLiteral("Polar"));
    addItem(vars, QStringLiteral("mnuOnOff"), QStringLiteral("On/Off"));

    QMenu *tools = addMenu(bar, QStringLiteral("mnuTools"), QStringLiteral("Tools "));
    addItem(tools, QStringLiteral("mnuSTWWW"), QStringLiteral("Torvane TI Web-Site"));
    tools->addSeparator();
    addItem(tools, QStringLiteral("mnuCompile"), QStringLiteral("Compile"));
    tools->addSeparator();
    addItem(tools, QStringLiteral("mnuOptions"), QStringLiteral("Options"));

    QMenu *help = addMenu(bar, QStringLiteral("mnuHelp"), QStringLiteral("Help "));
    addItem(help, QStringLiteral("mnuHelpTopics"), QStringLiteral("Help Topics"),
            QKeySequence(Qt::Key_F1));
    help->addSeparator();
    addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("About"));

    connect(mnuExit, &QAction::triggered, this, &frmDocument::unload);
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
