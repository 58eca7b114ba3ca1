// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/RichTextBox.h"

#include "calc/ModelText.h"

#include "calc/CalculatorSymbols.h"
#include "platform/TextFiles.h"
#include "rtf/RtfCodec.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>

namespace platform
{

namespace
{

// Name of the font a run was written with, kept even when not installed.
constexpr int kRtfFontName = QTextFormat::UserProperty + 1;

// Copies between our own panes carry the codes themselves.
const QString kCodesMime = QStringLiteral("application/x-torvane-studio-codes");

QString displayFamilyFor(const QString &family)
{
    static QHash<QString, QString> cache;
    auto it = cache.constFind(family);
    if (it != cache.constEnd())
        return *it;
    const auto installed = [](const QString &f) {
        return !f.isEmpty() && QFontDatabase::families().contains(f, Qt::CaseInsensitive);
    };
    QString shown = family;
    if (!installed(family)) {
        // A stand-in registered for the name (our calculator font), else a
        // monospaced one.
        shown = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        for (const QString &sub : QFont::substitutes(family))
            if (installed(sub)) {
                shown = sub;
                break;
            }
    }
    cache.insert(family, shown);
    return shown;
}

// Model text to what the document holds: one '\n' per line break (the
// cursor turns it into a block), display characters for 0x80-0x9F.
QString toEditorText(const QString &model)
{
    QString out;
    out.reserve(model.size());
    const int n = int(model.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = model.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < n && model.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1Char('\n');
        } else if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            out += QLatin1Char('\n');
        } else if (c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1) {
            // The document takes these two as its own frame marks.
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += calc::modelToDisplay(c);
        }
    }
    return out;
}

// Prose (setProse()) keeps every character as itself.
void appendModel(QString &out, QStringView editor, bool prose)
{
    for (QChar c : editor) {
        if (c == QChar::ParagraphSeparator)
            out += QLatin1String("\r\n");
        else
            out += prose ? c : calc::displayToModel(c);
    }
}

rtf::Format toRtfFormat(const QTextCharFormat &f, int mainHalfPoints, const QString &mainFont,
                        QVector<rtf::Font> &fonts)
{
    rtf::Format r;
    r.bold = f.fontWeight() > QFont::Normal;
    r.italic = f.fontItalic();
    r.underline = f.fontUnderline();
    r.strike = f.fontStrikeOut();
    r.halfPoints = f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0
                       ? qRound(f.fontPointSize() * 2)
                       : mainHalfPoints;
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush) {
        r.hasColour = true;
        r.colour = f.foreground().color().rgb() & 0xFFFFFFu;
    }
    r.font = 0;
    const QString name = f.stringProperty(kRtfFontName);
    if (!name.isEmpty() && name != mainFont) {
        int i = 1;
        while (i < fonts.size() && fonts[i].name != name)
            ++i;
        if (i == fonts.size())
            fonts.push_back(rtf::Font{name, 0});
        r.font = i;
    }
    return r;
}

} // namespace

// Our own edits of the document: changes are reported once, at the end.
struct QuietEdit {
    explicit QuietEdit(RichTextBox *b) : box(b) { ++box->m_quiet; }
    ~QuietEdit()
    {
        if (--box->m_quiet == 0)
            box->settle();
    }
    RichTextBox *box;
};

RichTextBox::RichTextBox(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    // The owning window keeps its own history.
    setUndoRedoEnabled(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    m_fontName = QApplication::font().family();
    m_fontSize = QApplication::font().pointSizeF() > 0 ? QApplication::font().pointSizeF() : 8.25;
    applyPaneFont();
    m_shownPalette = palette();

    m_mirror = QString(QChar::ParagraphSeparator);
    connect(document(), &QTextDocument::contentsChange, this, &RichTextBox::onContentsChange);
    connect(this, &QTextEdit::cursorPositionChanged, this, &RichTextBox::checkSelection);
    connect(this, &QTextEdit::selectionChanged, this, &RichTextBox::checkSelection);
    m_lastStart = m_lastEnd = 0;
}

// ------------------------------------------------------------ positions

int RichTextBox::toModelPosition(int editorPos) const
{
    const QTextDocument *doc = document();
    editorPos = qBound(0, editorPos, doc->characterCount() - 1);
    const QTextBlock b = doc->findBlock(editorPos);
    return editorPos + (b.isValid() ? b.blockNumber() : 0);
}

int RichTextBox::toEditorPosition(int modelPos, bool afterLineBreak) const
{
    const QTextDocument *doc = document();
    modelPos = qBound(0, modelPos, TextLength());
    // Model start of block k is its editor position + k (one extra character
    // per line break before it); find the last block starting at or before.
    int lo = 0, hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= modelPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    const int offset = modelPos - (b.position() + lo);
    const int len = b.length() - 1;
    if (offset <= len)
        return b.position() + offset;
    // Between CR and LF.
    return b.position() + len + (afterLineBreak ? 1 : 0);
}

int RichTextBox::TextLength() const
{
    const QTextDocument *doc = document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

QString RichTextBox::Text() const
{
    QString out;
    out.reserve(TextLength());
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (b != document()->begin())
            out += QLatin1String("\r\n");
        appendModel(out, b.text(), m_prose);
    }
    return out;
}

QString RichTextBox::textRange(int pos, int length) const
{
    const int total = TextLength();
    pos = qBound(0, pos, total);
    const int end = qBound(pos, pos + qMax(0, length), total);
    const int from = toEditorPosition(pos);
    QString out;
    appendModel(out, editorSlice(from, toEditorPosition(end, true) - from), m_prose);
    return out;
}

// Characters [from, from + length) of the document, the final paragraph
// separator included when the range reaches it. Read block by block: a
// QTextCursor placed outside an edit block would lay the text out up to it.
QString RichTextBox::editorSlice(int from, int length) const
{
    const QTextDocument *doc = document();
    const int count = doc->characterCount();
    from = qBound(0, from, count);
    const int end = qBound(from, from + length, count);
    if (from == 0 && end == count)
        return doc->toRawText() + QChar(QChar::ParagraphSeparator);
    QString out;
    out.reserve(end - from);
    for (QTextBlock b = doc->findBlock(from); b.isValid() && from < end; b = b.next()) {
        const int blockEnd = b.position() + b.length(); // just after its separator
        const QString text = b.text();
        const int offset = from - b.position();
        out += QStringView(text).mid(offset, qMin(end, blockEnd - 1) - from);
        if (end >= blockEnd)
            out += QChar(QChar::ParagraphSeparator);
        from = blockEnd;
    }
    return out;
}

int RichTextBox::SelStart() const
{
    return toModelPosition(textCursor().selectionStart());
}

int RichTextBox::SelLength() const
{
    const QTextCursor c = textCursor();
    return toModelPosition(c.selectionEnd()) - toModelPosition(c.selectionStart());
}

QString RichTextBox::SelText() const
{
    QString out;
    appendModel(out, textCursor().selectedText(), m_prose);
    return out;
}

void RichTextBox::setSelStart(int pos)
{
    QuietEdit q(this);
    m_pending = QTextCharFormat();
    QTextCursor c = textCursor();
    c.setPosition(toEditorPosition(pos));
    setTextCursor(c);
}

void RichTextBox::setSelLength(int len)
{
    QuietEdit q(this);
    m_pending = QTextCharFormat();
    const int start = SelStart();
    const int end = qBound(start, start + qMax(0, len), TextLength());
    QTextCursor c = textCursor();
    c.setPosition(toEditorPosition(start));
    c.setPosition(toEditorPosition(end, true), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

// ------------------------------------------------------------ editing

void RichTextBox::setText(const QString &text)
{
    const QString shown = toEditorText(text);
    replaceWhole([&shown](QTextCursor &c) { c.insertText(shown, QTextCharFormat()); });
}

// Replaces the whole text by what `fill` inserts at the cursor it is given;
// the caret is left at 0. Written so that the document lays the new text out
// in steps, as for setPlainText(), instead of all at once: a large program
// opens several times faster.
void RichTextBox::replaceWhole(const std::function<void(QTextCursor &)> &fill)
{
    QuietEdit q(this);
    m_pending = QTextCharFormat();
    QTextCursor c(document());
    c.beginEditBlock();
    // Cleared inside the edit block, the document reports one change that
    // covers the whole new text, which is what makes the layout lazy.
    document()->clear();
    c.setBlockCharFormat(QTextCharFormat());
    // A spare line break ahead of the new text keeps the view's own cursor
    // out of its way: carried to the end and set back, it would make the view
    // lay out all of the text.
    c.insertBlock();
    setTextCursor(QTextCursor(document()));
    fill(c);
    QTextCursor(document()).deleteChar();
    c.endEditBlock();
    c.setPosition(0);
    setTextCursor(c);
    m_changed = true; // a whole-text write is a change even when equal
}

void RichTextBox::setSelText(const QString &text)
{
    QuietEdit q(this);
    QTextCursor c = textCursor();
    QTextCharFormat fmt = c.charFormat();
    fmt.clearProperty(QTextFormat::ObjectType);
    fmt.merge(m_pending);
    c.insertText(toEditorText(text), fmt);
    setTextCursor(c);
    m_pending = QTextCharFormat();
}

void RichTextBox::setInsertAttribute(Attribute a, bool on)
{
    switch (a) {
    case Attribute::Bold:
        m_pending.setFontWeight(on ? QFont::Bold : QFont::Normal);
        break;
    case Attribute::Italic:
        m_pending.setFontItalic(on);
        break;
    case Attribute::Underline:
        m_pending.setFontUnderline(on);
        break;
    case Attribute::Strike:
        m_pending.setFontStrikeOut(on);
        break;
    }
}

void RichTextBox::onContentsChange(int from, int removed, int added)
{
    if ((removed == 0 && added == 0) || m_formatting)
        return;
    noteChange(from, removed, added);
    if (m_quiet) {
        m_changed = true;
        return;
    }
    flushChange();
    emit Change();
}

// Widens the pending range to cover one more report, given in the positions
// of the document as it was just before that report.
void RichTextBox::noteChange(int from, int removed, int added)
{
    if (m_pendFrom < 0) {
        m_pendFrom = from;
        m_pendOldEnd = from + removed;
        m_pendNewEnd = from + added;
        return;
    }
    const int endBefore = qMax(m_pendNewEnd, from + removed);
    m_pendOldEnd += endBefore - m_pendNewEnd;
    m_pendNewEnd = endBefore - removed + added;
    m_pendFrom = qMin(from, m_pendFrom);
}

// Turns the pending range into lastChange() and brings the mirror up to date.
void RichTextBox::flushChange()
{
    const int from = m_pendFrom;
    m_pendFrom = -1;
    if (from < 0) {
        m_lastChange = TextChange{};
        return;
    }
    const int count = document()->characterCount();
    const int oldLength = m_pendOldEnd - from;
    const int newLength = m_pendNewEnd - from;
    if (oldLength >= 0 && newLength >= 0 && m_pendOldEnd <= m_mirror.size() &&
        m_mirror.size() - oldLength + newLength == count) {
        const QString now = editorSlice(from, newLength);
        m_lastChange = describe(from, QStringView(m_mirror).mid(from, oldLength), now,
                                m_pendOldEnd == m_mirror.size());
        m_mirror.replace(from, oldLength, now);
    } else {
        // The reports did not add up (a clear() outside an edit block reports
        // its parts out of order): compare the whole texts instead.
        QString now = editorSlice(0, count);
        m_lastChange = describe(0, m_mirror, now, true);
        m_mirror = std::move(now);
    }
}

// The change from `before` to `after` at editor position `from`, narrowed to
// the run that differs. When both reach the end of the document, their last
// character is the final paragraph separator, which is no part of the model
// text: matched against a real line break it would place the change beyond
// the end.
TextChange RichTextBox::describe(int from, QStringView before, QStringView after, bool toEnd) const
{
    if (toEnd && !before.isEmpty() && !after.isEmpty()) {
        before.chop(1);
        after.chop(1);
    }
    const qsizetype shorter = qMin(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    TextChange c;
    const bool same = head == before.size() && head == after.size();
    c.position = toModelPosition(from + (same ? 0 : int(head)));
    appendModel(c.removed, before.mid(head, before.size() - head - tail), m_prose);
    appendModel(c.inserted, after.mid(head, after.size() - head - tail), m_prose);
    return c;
}

void RichTextBox::checkSelection()
{
    if (m_quiet)
        return;
    const QTextCursor c = textCursor();
    const int s = toModelPosition(c.selectionStart());
    const int e = toModelPosition(c.selectionEnd());
    if (s == m_lastStart && e == m_lastEnd)
        return;
    m_lastStart = s;
    m_lastEnd = e;
    emit SelChange();
}

void RichTextBox::settle()
{
    if (m_changed) {
        m_changed = false;
        flushChange();
        emit Change();
    }
    checkSelection();
}

// ------------------------------------------------------------ fonts

QString RichTextBox::displayFontFamily() const
{
    return displayFamilyFor(m_fontName);
}

void RichTextBox::applyPaneFont()
{
    ++m_formatting;
    QFont f(displayFamilyFor(m_fontName));
    if (f.family() != m_fontName)
        f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(shownFontSize());
    setFont(f);
    document()->setDefaultFont(f);
    --m_formatting;
}

void RichTextBox::setShownFontSize(double points)
{
    if (points == m_shownFontSize)
        return;
    m_shownFontSize = points;
    applyPaneFont();
}

double RichTextBox::shownFontSize() const
{
    if (m_shownFontSize > 0)
        return m_shownFontSize;
    return m_fontSize > 0 ? m_fontSize : 8.25;
}

void RichTextBox::setFontName(const QString &family)
{
    m_fontName = family;
    applyPaneFont();
}

void RichTextBox::setFontSize(double points)
{
    if (points <= 0)
        return;
    m_fontSize = points;
    applyPaneFont();
}

// ------------------------------------------------------------ RTF

rtf::Document RichTextBox::toDocument() const
{
    rtf::Document d;
    d.fonts.push_back(rtf::Font{m_fontName, m_fontCharset});
    const int mainHp = qRound(m_fontSize * 2);
    d.halfPoints = mainHp; // an empty pane keeps its size
    d.kept = m_kept;
    rtf::Format base;
    base.halfPoints = mainHp;
    auto add = [&d](const QString &text, const rtf::Format &f) {
        if (!d.runs.isEmpty() && d.runs.back().format == f)
            d.runs.back().text += text;
        else
            d.runs.push_back(rtf::Run{text, f});
    };
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (b != document()->begin()) {
            if (d.runs.isEmpty())
                d.runs.push_back(rtf::Run{QString(), base});
            d.runs.back().text += QLatin1String("\r\n");
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            QString text;
            appendModel(text, frag.text(), m_prose);
            text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
            add(text, toRtfFormat(frag.charFormat(), mainHp, m_fontName, d.fonts));
        }
    }
    return d;
}

QByteArray RichTextBox::toRtf() const
{
    return rtf::write(toDocument());
}

void RichTextBox::replaceContent(const rtf::Document &doc)
{
    const int mainFont = [&] {
        for (const rtf::Run &r : doc.runs)
            if (!r.text.isEmpty())
                return r.format.font;
        return 0;
    }();
    if (mainFont >= 0 && mainFont < doc.fonts.size() && !doc.fonts[mainFont].name.isEmpty()) {
        m_fontName = doc.fonts[mainFont].name;
        m_fontCharset = doc.fonts[mainFont].charset;
    }
    const int mainHp = doc.mainHalfPoints();
    m_fontSize = mainHp / 2.0;
    m_kept = doc.kept;

    replaceWhole([&](QTextCursor &c) {
        applyPaneFont(); // on the empty document: nothing to lay out again
        for (const rtf::Run &r : doc.runs) {
            QTextCharFormat f;
            if (r.format.bold)
                f.setFontWeight(QFont::Bold);
            if (r.format.italic)
                f.setFontItalic(true);
            if (r.format.underline)
                f.setFontUnderline(true);
            if (r.format.strike)
                f.setFontStrikeOut(true);
            if (r.format.hasColour)
                f.setForeground(QColor::fromRgb(QRgb(0xFF000000u | r.format.colour)));
            if (r.format.halfPoints != mainHp)
                f.setFontPointSize(r.format.halfPoints / 2.0);
            if (r.format.font != mainFont && r.format.font >= 0 &&
                r.format.font < doc.fonts.size()) {
                const QString &name = doc.fonts[r.format.font].name;
                f.setProperty(kRtfFontName, name);
                f.setFontFamilies(QStringList{displayFamilyFor(name)});
            }
            c.insertText(toEditorText(r.text), f);
        }
    });
}

bool RichTextBox::fromRtf(const QByteArray &data, QString *error)
{
    rtf::Document doc;
    QString why;
    if (!rtf::read(data, &doc, &why)) {
        if (error)
            *error = why;
        return false;
    }
    replaceContent(doc);
    return true;
}

bool RichTextBox::loadFile(const QString &path, bool asRtf, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    constexpr qint64 kMaxFile = qint64(256) * 1024 * 1024;
    if (f.size() > kMaxFile) {
        if (error)
            *error = QStringLiteral("\"%1\" is too large to load.").arg(path);
        return false;
    }
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    if (asRtf) {
        QString why;
        if (!fromRtf(data, &why)) {
            if (error)
                *error = QStringLiteral("Cannot read \"%1\": %2").arg(path, why);
            return false;
        }
        return true;
    }
    // Plain text is single-byte text; a UTF-8 mark says otherwise.
    QString text;
    if (data.startsWith("\xEF\xBB\xBF")) {
        for (QChar c : QString::fromUtf8(data.mid(3)))
            text += calc::displayToModel(c);
    } else {
        text = QString::fromLatin1(data);
    }
    text.remove(QChar(0));
    setText(text);
    return true;
}

bool RichTextBox::saveRtf(const QString &path, QString *error)
{
    QString reason;
    if (textfiles::writeAtomically(path, toRtf(), &reason))
        return true;
    if (error)
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, reason);
    return false;
}

// ------------------------------------------------------------ output, focus

void RichTextBox::printTo(QPrinter *printer)
{
    if (!printer)
        return;
    const QTextCursor c = textCursor();
    if (!c.hasSelection()) {
        document()->print(printer);
        return;
    }
    QTextDocument part;
    part.setDefaultFont(document()->defaultFont());
    QTextCursor(&part).insertFragment(c.selection());
    part.print(printer);
}

void RichTextBox::hideSelection(bool hide)
{
    if (hide == m_selectionHidden)
        return;
    ++m_formatting;
    if (hide) {
        m_shownPalette = palette();
        QPalette p = m_shownPalette;
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(group, QPalette::Highlight, p.color(group, QPalette::Base));
            p.setColor(group, QPalette::HighlightedText, p.color(group, QPalette::Text));
        }
        setPalette(p);
    } else {
        setPalette(m_shownPalette);
    }
    m_selectionHidden = hide;
    --m_formatting;
}

void RichTextBox::giveFocus()
{
    setFocus(Qt::OtherFocusReason);
}

// ------------------------------------------------------------ events

bool RichTextBox::event(QEvent *e)
{
    // Keys with Ctrl or Alt go to the window's shortcuts first, as
    // accelerators of a form do, instead of the editor's built-in ones.
    if (e->type() == QEvent::ShortcutOverride) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            ke->ignore();
            return true;
        }
    }
    return QTextEdit::event(e);
}

void RichTextBox::keyPressEvent(QKeyEvent *e)
{
    bool swallow = false;
    emit KeyDown(e, &swallow);
    if (swallow) {
        e->accept();
        return;
    }
    if (!isReadOnly() && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        (e->modifiers() & Qt::ShiftModifier)) {
        // A line break is always a new line of the program (CR LF).
        setSelText(QStringLiteral("\r\n"));
        ensureCursorVisible();
        e->accept();
        return;
    }
    const QString typed = e->text();
    const bool symbol = std::any_of(typed.cbegin(), typed.cend(),
                                    [](QChar c) { return c.unicode() >= 0x80 && c.isPrint(); });
    if (!isReadOnly() && symbol) {
        // A key that types a symbol types the calculator's code for it.
        const QString model = acceptIncoming(typed);
        if (!model.isEmpty())
            setSelText(model);
        ensureCursorVisible();
        e->accept();
        return;
    }
    if (!m_pending.isEmpty() && !textCursor().hasSelection())
        mergeCurrentCharFormat(m_pending);
    QTextEdit::keyPressEvent(e);
}

void RichTextBox::inputMethodEvent(QInputMethodEvent *e)
{
    const QString committed = e->commitString();
    if (isReadOnly() || e->preeditString().length() > 0 || e->replacementLength() != 0 ||
        std::all_of(committed.cbegin(), committed.cend(),
                    [](QChar c) { return c.unicode() < 0x80; })) {
        QTextEdit::inputMethodEvent(e);
        return;
    }
    const QString model = acceptIncoming(committed);
    if (!model.isEmpty())
        setSelText(model);
    e->accept();
}

void RichTextBox::mouseReleaseEvent(QMouseEvent *e)
{
    QTextEdit::mouseReleaseEvent(e);
    emit MouseUp(e);
}

bool RichTextBox::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void RichTextBox::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source->hasText())
        return;
    const QString model = incomingFrom(source);
    if (model.isEmpty())
        return;
    setSelText(model);
    ensureCursorVisible();
}

QMimeData *RichTextBox::createMimeDataFromSelection() const
{
    return selectionMimeData();
}

QMimeData *RichTextBox::selectionMimeData() const
{
    auto *m = new QMimeData;
    const QString model = SelText();
    m->setText(toClipboardText(model));
    m->setData(kCodesMime, model.toUtf8());
    return m;
}

QString RichTextBox::incomingFrom(const QMimeData *data)
{
    if (!data)
        return QString();
    QString text = data->hasFormat(kCodesMime) ? QString::fromUtf8(data->data(kCodesMime))
                                               : acceptIncoming(data->text());
    if (m_refusesTabs && text.contains(u'\t')) {
        text.remove(u'\t');
        emit textRefused(QStringLiteral("Left out tabs: no calculator command is spelt with one."));
    }
    return text;
}

QString RichTextBox::toClipboardText(const QString &model)
{
    QString text = calc::calcsymbols::toUnicode(model);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString RichTextBox::acceptIncoming(const QString &text)
{
    if (m_prose)
        return text;
    calc::calcsymbols::Incoming in = calc::calcsymbols::fromUnicode(text);
    if (!in.refused.isEmpty()) {
        QStringList chars;
        for (qsizetype i = 0; i < in.refused.size(); ++i) {
            const bool pair = in.refused.at(i).isHighSurrogate() && i + 1 < in.refused.size();
            chars << in.refused.mid(i, pair ? 2 : 1);
            i += pair ? 1 : 0;
        }
        emit textRefused(QStringLiteral("Left out %1: the calculator has no such symbol.")
                             .arg(chars.join(QLatin1Char(' '))));
    }
    return in.text;
}

} // namespace platform
