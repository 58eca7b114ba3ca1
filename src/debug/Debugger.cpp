// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "debug/Debugger.h"

#include "calc/CalcFile.h"
#include "calc/ImageFile.h"
#include "calc/Tokens.h"
#include "calcfiles/ProgramFile.h"
#include "calculator/frmCalculator.h"
#include "editor/EditorOptions.h"
#include "editor/ModelChooser.h"
#include "editor/PaneView.h"
#include "editor/frmDocument.h"
#include "platform/Theme.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace debug
{

namespace
{

constexpr int kDotWidth = 14;
// Marks our highlight among the pane's extra selections, so others' stay.
constexpr int kOurs = QTextFormat::UserProperty + 0x7425;

QList<Debugger *> &all()
{
    static QList<Debugger *> list;
    return list;
}

} // namespace

// The strip left of the program pane's text: a dot for each breakpoint, an
// arrow at the line paused at. A click toggles a breakpoint.
class Margin : public QWidget
{
public:
    Margin(Debugger *debugger, platform::RichTextBox *pane)
        : QWidget(pane), m_debugger(debugger), m_pane(pane)
    {
        setObjectName(QStringLiteral("picBreakpoints"));
        setCursor(Qt::PointingHandCursor);
        pane->installEventFilter(this);
        connect(pane->document(), &QTextDocument::blockCountChanged, this, &Margin::place);
        connect(&editor::EditorOptions::instance(), &editor::EditorOptions::viewChanged, this,
                &Margin::place);
        connect(pane->verticalScrollBar(), &QScrollBar::valueChanged, this,
                qOverload<>(&QWidget::update));
        connect(pane->document()->documentLayout(),
                &QAbstractTextDocumentLayout::documentSizeChanged, this,
                qOverload<>(&QWidget::update));
        place();
        show();
    }

    // The line at a height in this strip, 1-based.
    int lineAt(int y) const { return m_pane->cursorForPosition(QPoint(0, y)).blockNumber() + 1; }

    // The number drawn at the top of each line, as the checks and the
    // engine count lines (blocks, not wrapped rows).
    int numberWidth() const
    {
        if (!editor::EditorOptions::lineNumbers())
            return 0;
        const int digits = int(QString::number(m_pane->document()->blockCount()).size());
        return QFontMetrics(m_pane->font()).horizontalAdvance(QLatin1Char('0')) * qMax(2, digits) +
               4;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_pane &&
            (event->type() == QEvent::Resize || event->type() == QEvent::FontChange))
            place();
        return false;
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        m_debugger->toggleBreakpoint(lineAt(int(event->position().y())));
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        p.setRenderHint(QPainter::Antialiasing);
        const int offset = m_pane->verticalScrollBar()->value();
        auto *layout = m_pane->document()->documentLayout();
        auto rowOf = [&](int line) {
            const QTextBlock b = m_pane->document()->findBlockByNumber(line - 1);
            const QRectF r = layout->blockBoundingRect(b);
            return QRectF(0, r.top() - offset, width(), std::min<qreal>(r.height(), 16));
        };
        const bool dark = platform::theme::isDark(m_pane->palette());
        paintNumbers(p);
        p.setPen(Qt::NoPen);
        p.setBrush(dark ? QColor(0xFF, 0x55, 0x55) : QColor(0xC0, 0x20, 0x20));
        for (int line : m_debugger->breakpoints()) {
            const QRectF r = rowOf(line);
            const qreal d = std::min<qreal>(r.height(), kDotWidth) - 4;
            const qreal x = width() - kDotWidth / 2.0;
            p.drawEllipse(QRectF(x - d / 2, r.center().y() - d / 2, d, d));
        }
        if (m_debugger->currentLine() > 0) {
            const QRectF r = rowOf(m_debugger->currentLine());
            const qreal m = r.center().y();
            p.setBrush(QColor(0xE0, 0xB0, 0x00));
            p.drawPolygon(
                QPolygonF({QPointF(width() - kDotWidth + 2, m - 4), QPointF(width() - 2, m),
                           QPointF(width() - kDotWidth + 2, m + 4)}));
        }
    }

    void paintNumbers(QPainter &p)
    {
        const int room = width() - kDotWidth;
        if (room <= 0)
            return;
        p.setFont(m_pane->font());
        p.setPen(m_pane->palette().color(QPalette::PlaceholderText));
        const int offset = m_pane->verticalScrollBar()->value();
        auto *layout = m_pane->document()->documentLayout();
        QTextBlock b = m_pane->cursorForPosition(QPoint(0, 0)).block();
        for (; b.isValid(); b = b.next()) {
            const QRectF r = layout->blockBoundingRect(b);
            const qreal top = r.top() - offset;
            if (top > height())
                break;
            const int row = b.layout() && b.layout()->lineCount() > 0
                                ? qRound(b.layout()->lineAt(0).height())
                                : QFontMetrics(m_pane->font()).height();
            p.drawText(QRectF(0, top, room - 2, row), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(b.blockNumber() + 1));
        }
    }

private:
    void place()
    {
        const int f = m_pane->frameWidth();
        const int w = kDotWidth + numberWidth();
        if (w != width() || m_pane->leftMarginWidth() != w)
            m_pane->setLeftMargin(w);
        setGeometry(f, f, w, m_pane->height() - 2 * f);
        update();
    }

    Debugger *m_debugger;
    platform::RichTextBox *m_pane;
};

QColor pausedColour(bool dark, bool statement)
{
    // Every highlighting colour keeps 4.5:1 on these.
    if (dark)
        return statement ? QColor(0x3A, 0x35, 0x20) : QColor(0x2A, 0x28, 0x16);
    return statement ? QColor(0xFF, 0xEE, 0x90) : QColor(0xFF, 0xF8, 0xD0);
}

Debugger::Debugger(editor::frmDocument *doc) : QObject(doc), m_doc(doc)
{
    setObjectName(QStringLiteral("debugger"));
    all().append(this);
    m_margin = new Margin(this, doc->RichTextBox1);
    // The theme reaches the highlight of the line paused at and the calculator.
    connect(&editor::EditorOptions::instance(), &editor::EditorOptions::viewChanged, this, [this] {
        if (m_current > 0)
            showCurrent(m_current, m_statement);
        if (m_calc)
            m_calc->setDark(editor::PaneView::darkChosen());
    });
    connect(doc->action(QStringLiteral("mnuRunProgram")), &QAction::triggered, this,
            &Debugger::runProgram);
    connect(doc->action(QStringLiteral("mnuRunStep")), &QAction::triggered, this,
            &Debugger::stepProgram);
    connect(doc->action(QStringLiteral("mnuRunToggleBreakpoint")), &QAction::triggered, this,
            &Debugger::toggleBreakpointAtCaret);
    connect(doc->action(QStringLiteral("mnuRunStop")), &QAction::triggered, this,
            &Debugger::stopProgram);
    connectSharing();
    // Marks move with their lines; a text replaced whole (a file opened)
    // takes them with it. Changes of format alone keep the lengths.
    QTextDocument *text = doc->RichTextBox1->document();
    connect(text, &QTextDocument::contentsChange, this,
            [this, text](int at, int removed, int added) {
                const int before = text->characterCount() - added + removed;
                if (at == 0 && removed != added && removed >= before - 1 && !m_marks.isEmpty()) {
                    m_marks.clear();
                    sendBreakpoints();
                    m_margin->update();
                }
            });
    // A program edited while it runs is no longer the one running.
    connect(doc->RichTextBox1, &platform::RichTextBox::Change, this, [this] {
        if (m_calc && m_calc->isRunning())
            m_calc->stop();
        showCurrent(0);
    });
}

Debugger::~Debugger()
{
    all().removeOne(this);
}

Debugger *Debugger::of(const editor::frmDocument *doc)
{
    for (Debugger *d : all())
        if (d->m_doc == doc)
            return d;
    return nullptr;
}

QString Debugger::programName() const
{
    // The name an export would suggest, so the calculator's prgm names match.
    const QString file = m_doc->fileName();
    QString title = m_doc->windowTitle();
    title.remove(QStringLiteral("[*]"));
    title = title.trimmed();
    const QString name = calc::calcfile::nameFromFileName(file.isEmpty() ? title : file);
    if (!name.isEmpty())
        return name;
    return file.isEmpty() ? title : QFileInfo(file).completeBaseName();
}

calculator::frmCalculator *Debugger::calculator()
{
    if (m_calc)
        return m_calc;
    m_calc = new calculator::frmCalculator(m_doc);
    connect(m_calc, &calculator::frmCalculator::paused, this, &Debugger::pausedAt);
    connect(m_calc, &calculator::frmCalculator::ended, this, &Debugger::ended);
    connect(m_calc, &calculator::frmCalculator::runRequested, this, &Debugger::runProgram);
    connect(m_calc, &calculator::frmCalculator::stepRequested, this, &Debugger::stepProgram);
    connect(m_calc, &calculator::frmCalculator::stopRequested, this, &Debugger::stopProgram);
    m_calc->setDark(editor::PaneView::darkChosen());
    return m_calc;
}

calculator::frmCalculator *Debugger::calculatorIfLoaded() const
{
    return m_calc;
}

QList<int> Debugger::breakpoints() const
{
    QList<int> lines;
    for (const QTextCursor &c : m_marks)
        if (!lines.contains(c.blockNumber() + 1))
            lines << c.blockNumber() + 1;
    std::sort(lines.begin(), lines.end());
    return lines;
}

void Debugger::toggleBreakpoint(int line)
{
    const QTextBlock block = m_doc->RichTextBox1->document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    bool removed = false;
    for (int i = int(m_marks.size()) - 1; i >= 0; --i) {
        if (m_marks[i].blockNumber() == block.blockNumber()) {
            m_marks.removeAt(i);
            removed = true;
        }
    }
    if (!removed)
        m_marks << QTextCursor(block);
    sendBreakpoints();
    m_margin->update();
}

void Debugger::sendBreakpoints()
{
    if (!m_calc)
        return;
    const QList<int> lines = breakpoints();
    m_calc->session().setBreakpoints(QSet<int>(lines.begin(), lines.end()));
}

void Debugger::toggleBreakpointAtCaret()
{
    toggleBreakpoint(m_doc->RichTextBox1->textCursor().blockNumber() + 1);
}

void Debugger::runProgram()
{
    calculator::frmCalculator *c = calculator();
    if (c->isRunning()) {
        c->session().resume();
        showCurrent(0);
        c->raise();
        c->activateWindow();
        return;
    }
    start(false);
}

void Debugger::stepProgram()
{
    calculator::frmCalculator *c = calculator();
    if (c->isRunning()) {
        c->session().step();
        return;
    }
    start(true);
}

void Debugger::stopProgram()
{
    if (m_calc)
        m_calc->stop();
}

bool Debugger::start(bool stepping)
{
    const auto t = calc::tokens::tokenize(m_doc->RichTextBox1->Text());
    calculator::frmCalculator *c = calculator();
    if (!t.ok()) {
        selectLine(t.errorLine, t.errorColumn);
        c->lblStatus->setText(t.error);
        c->show();
        return false;
    }
    // prgmNAME finds the open windows' programs as they are now, then the
    // files beside this one; the worker reads only these copies.
    QHash<QString, QByteArray> open;
    for (Debugger *d : all()) {
        const auto other = calc::tokens::tokenize(d->m_doc->RichTextBox1->Text());
        if (other.ok())
            open.insert(d->programName().toUpper(), other.bytes);
    }
    const QString folder =
        m_doc->fileName().isEmpty() ? QString() : QFileInfo(m_doc->fileName()).absolutePath();
    c->session().findProgram = [open, folder](const QString &name, QByteArray *out) {
        const auto it = open.constFind(name.toUpper());
        if (it != open.constEnd()) {
            *out = *it;
            return true;
        }
        if (folder.isEmpty())
            return false;
        for (const char *ext : {".tvf", ".8xp", ".83p"}) {
            const QString path = QDir(folder).filePath(name + QLatin1String(ext));
            QString why;
            if (QFileInfo::exists(path))
                return calcfiles::readProgram(path, out, &why);
        }
        return false;
    };
    // The calculator the document is for; not chosen, the session takes the
    // lowest one with the program's tokens.
    const editor::ModelChooser *chooser = editor::ModelChooser::of(m_doc);
    c->session().model = chooser ? chooser->model() : calc::models::Model::None;
    // BackgroundOn's images: the .8ca files beside the program.
    c->session().findImage = [folder](int slot, calc::basic::ColourScreen::Image *image) {
        return calc::imagefile::findInFolder(folder, slot, image);
    };
    showCurrent(0);
    sendBreakpoints();
    m_running = t.bytes;
    return c->run(t.bytes, programName(), stepping);
}

void Debugger::pausedAt(const QString &program, int line)
{
    if (program != programName()) {
        showCurrent(0);
        return;
    }
    // Model text counts as the detokenized bytes before each end do.
    const QPair<int, int> bytes = m_calc->session().pausedBytes();
    const int from = int(calc::tokens::detokenize(m_running.left(bytes.first)).size());
    const int to = int(calc::tokens::detokenize(m_running.left(bytes.second)).size());
    showCurrent(line, {from, to});
}

void Debugger::ended()
{
    showCurrent(0);
    const calc::basic::Outcome o = m_calc->session().outcome();
    if (o.error == calc::basic::Error::None)
        return;
    // The calculator's Goto: the line of the error, in its own window.
    for (Debugger *d : all()) {
        if (d->programName().compare(o.program, Qt::CaseInsensitive) == 0) {
            d->selectLine(o.line);
            return;
        }
    }
}

void Debugger::showCurrent(int line, QPair<int, int> statement)
{
    m_current = line;
    m_statement = line > 0 ? statement : QPair<int, int>();
    platform::RichTextBox *pane = m_doc->RichTextBox1;
    QList<QTextEdit::ExtraSelection> kept;
    for (const QTextEdit::ExtraSelection &s : pane->extraSelections())
        if (!s.format.hasProperty(kOurs))
            kept << s;
    if (line > 0) {
        const QTextBlock block = pane->document()->findBlockByNumber(line - 1);
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(block);
        const bool dark = platform::theme::isDark(pane->palette());
        s.format.setBackground(pausedColour(dark, false));
        s.format.setProperty(QTextFormat::FullWidthSelection, true);
        s.format.setProperty(kOurs, true);
        kept << s;
        if (m_statement.second > m_statement.first) {
            QTextEdit::ExtraSelection st;
            st.cursor = QTextCursor(pane->document());
            st.cursor.setPosition(pane->toEditorPosition(m_statement.first));
            st.cursor.setPosition(pane->toEditorPosition(m_statement.second),
                                  QTextCursor::KeepAnchor);
            st.format.setBackground(pausedColour(dark, true));
            st.format.setProperty(kOurs, true);
            kept << st;
        }
        m_doc->goToLine(line);
    }
    pane->setExtraSelections(kept);
    m_margin->update();
}

void Debugger::selectLine(int line, int column)
{
    platform::RichTextBox *pane = m_doc->RichTextBox1;
    const QTextBlock block = pane->document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    const int start = pane->toModelPosition(block.position());
    if (column > 0) {
        pane->setSelStart(start + column - 1);
        pane->setSelLength(1);
    } else {
        pane->setSelStart(start);
        pane->setSelLength(block.length() - 1);
    }
    pane->giveFocus();
}

} // namespace debug
