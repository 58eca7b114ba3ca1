// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/Highlighter.h"

#include "calc/ModelText.h"
#include "calc/Tokens.h"
#include "calc/basic/screens/HomeScreen.h"
#include "calc/basic/screens/ScreenText.h"

#include "platform/RichTextBox.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QHelpEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>

namespace editor
{

using calc::syntax::Category;

namespace
{
// A change of more lines than this colours that many at once and the rest
// from a timer, which works for at most kSliceMs a turn: opening a long
// program costs little more than without colours.
constexpr int kEagerBlocks = 120;
constexpr int kSliceMs = 8;

void widen(int *from, int *end, const QTextBlock &b)
{
    *from = *from < 0 ? b.position() : qMin(*from, b.position());
    *end = qMax(*end, b.position() + b.length());
}
} // namespace

Highlighter::Highlighter(RichTextBox *pane)
    : QObject(pane), m_pane(pane), m_viewport(pane->viewport())
{
    setObjectName(QStringLiteral("highlighter"));
    buildFormats();
    pane->installEventFilter(this);
    m_viewport->installEventFilter(this);
    m_fill = new QTimer(this);
    m_fill->setInterval(0);
    connect(m_fill, &QTimer::timeout, this, &Highlighter::fillSome);
    QTextDocument *doc = pane->document();
    connect(doc, &QTextDocument::contentsChange, this, &Highlighter::contentsChanged);
    // The lines in view first, then the whole text in the background.
    QTextBlock first = pane->cursorForPosition(QPoint(0, 0)).block();
    int from = -1, end = 0;
    colourFrom(first, kEagerBlocks, &from, &end);
    if (from >= 0)
        doc->markContentsDirty(from, end - from);
    queue(0, doc->characterCount() - 1);
}

Highlighter::~Highlighter() = default;

void Highlighter::setEnabled(RichTextBox *pane, bool on)
{
    Highlighter *h = of(pane);
    if (on && !h) {
        new Highlighter(pane);
    } else if (!on && h) {
        h->clearAll();
        delete h;
    }
}

Highlighter *Highlighter::of(const RichTextBox *pane)
{
    return pane->findChild<Highlighter *>(QStringLiteral("highlighter"),
                                          Qt::FindDirectChildrenOnly);
}

QColor Highlighter::colour(Category category, bool dark)
{
    // Two sets, each readable on its own background: darker hues on light
    // bases, lighter ones on dark bases.
    switch (category) {
    case Category::Command:
        return dark ? QColor(0x82, 0xAA, 0xFF) : QColor(0x00, 0x3D, 0xA5);
    case Category::Keyword:
        return dark ? QColor(0xC7, 0x92, 0xEA) : QColor(0x7A, 0x1F, 0xA2);
    case Category::String:
        return dark ? QColor(0xC3, 0xE8, 0x8D) : QColor(0x1B, 0x7A, 0x1B);
    case Category::Number:
        return dark ? QColor(0xF7, 0x8C, 0x6C) : QColor(0xA6, 0x4B, 0x00);
    case Category::Store:
    case Category::StoreTarget:
        return dark ? QColor(0xFF, 0xCB, 0x6B) : QColor(0x8A, 0x5A, 0x00);
    case Category::Label:
        return dark ? QColor(0x89, 0xDD, 0xFF) : QColor(0x00, 0x6E, 0x7F);
    case Category::Operator:
        return dark ? QColor(0xB0, 0xBE, 0xC5) : QColor(0x55, 0x55, 0x55);
    case Category::Error:
        return dark ? QColor(0xFF, 0x6E, 0x6E) : QColor(0xC0, 0x00, 0x00);
    default:
        return QColor();
    }
}

QColor Highlighter::lookalikeColour(bool dark)
{
    return dark ? QColor(0xFF, 0x9C, 0xE0) : QColor(0xB0, 0x00, 0x70);
}

QString Highlighter::lookalikeToolTip(int token)
{
    return tr("%1: the calculator shows it as \"%2\", but it is not that text")
        .arg(calc::tokens::displayString(token), calc::basic::screenText(token));
}

QVector<QPair<int, int>> Highlighter::squeezed(const QString &spelling, int token)
{
    const QString shown = calc::basic::screenText(token);
    const int at = int(spelling.lastIndexOf(shown));
    if (shown.isEmpty() || at < 0 || shown.size() == spelling.size())
        return {};
    QVector<QPair<int, int>> out;
    if (at > 0)
        out.append({0, at});
    const int after = at + int(shown.size());
    if (after < spelling.size())
        out.append({after, int(spelling.size()) - after});
    return out;
}

QString Highlighter::errorToolTip()
{
    return tr("The calculator has no token for this character; the program cannot be sent to a "
              "calculator with it.");
}

void Highlighter::buildFormats()
{
    m_dark = m_pane->palette().color(QPalette::Base).lightness() < 128;
    for (int i = 0; i < int(Category::Count); ++i) {
        const auto cat = Category(i);
        QTextCharFormat f;
        if (cat != Category::Plain)
            f.setForeground(colour(cat, m_dark));
        if (cat == Category::Keyword || cat == Category::StoreTarget)
            f.setFontWeight(QFont::Bold);
        if (cat == Category::Error) {
            f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            f.setUnderlineColor(colour(cat, m_dark));
            f.setToolTip(errorToolTip());
        }
        m_formats[size_t(i)] = f;
    }
    m_lookalike = QTextCharFormat();
    m_lookalike.setForeground(lookalikeColour(m_dark));
    m_lookalike.setUnderlineStyle(QTextCharFormat::DotLine);
    m_lookalike.setUnderlineColor(lookalikeColour(m_dark));
    // Squeezed away: drawn in no colour and next to no width.
    m_squeezed = QTextCharFormat();
    m_squeezed.setForeground(Qt::transparent);
    m_squeezed.setFontPointSize(1);
}

// Tokens the calculator draws like others read as it draws them, marked.
// Only lines with a bracket, a bar or an escape can hold one.
void Highlighter::markLookalikes(const QString &model,
                                 QList<QTextLayout::FormatRange> &ranges) const
{
    if (!model.contains(QLatin1Char('[')) && !model.contains(QLatin1Char('|')) &&
        !model.contains(QChar(0x27E6)))
        return;
    for (const calc::tokens::Piece &p : calc::tokens::scanLine(model)) {
        // One cell on the calculator: what could pass for another token.
        if (p.token < 0 || p.length < 2 || !calc::basic::shownDifferently(p.token) ||
            calc::basic::screenWidth(calc::basic::screenText(p.token)) != 1)
            continue;
        QTextCharFormat mark = m_lookalike;
        mark.setToolTip(lookalikeToolTip(p.token));
        ranges.push_back({int(p.start), int(p.length), mark});
        for (const auto &[from, length] : squeezed(model.mid(p.start, p.length), p.token))
            ranges.push_back({int(p.start) + from, length, m_squeezed});
    }
}

QTextCharFormat Highlighter::format(Category category) const
{
    return m_formats[size_t(category)];
}

bool Highlighter::isFilling() const
{
    return m_fill->isActive();
}

// Sets the block's colours; true when they changed (the block must then be
// laid out again).
bool Highlighter::colourBlock(const QTextBlock &block) const
{
    // The block holds display characters; the scan reads model text, one
    // character for one.
    const QString text = block.text();
    QString model(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        model[i] = calc::displayToModel(text[i]);
    QList<QTextLayout::FormatRange> ranges;
    for (const calc::syntax::Span &s : calc::syntax::lineSpans(model))
        ranges.push_back({s.start, s.length, m_formats[size_t(s.category)]});
    markLookalikes(model, ranges);
    QTextLayout *layout = block.layout();
    if (layout->formats() == ranges)
        return false;
    layout->setFormats(ranges);
    return true;
}

void Highlighter::colourFrom(const QTextBlock &first, int count, int *dirtyFrom,
                             int *dirtyEnd) const
{
    QTextBlock b = first;
    for (int i = 0; i < count && b.isValid(); ++i, b = b.next())
        if (colourBlock(b))
            widen(dirtyFrom, dirtyEnd, b);
}

void Highlighter::contentsChanged(int from, int removed, int added)
{
    Q_UNUSED(removed);
    QTextDocument *doc = m_pane->document();
    const QTextBlock first = doc->findBlock(from);
    const QTextBlock last = doc->findBlock(from + added);
    int dirtyFrom = -1, dirtyEnd = 0;
    int count = 0;
    QTextBlock b = first;
    for (; b.isValid() && count < kEagerBlocks; b = b.next(), ++count) {
        if (colourBlock(b))
            widen(&dirtyFrom, &dirtyEnd, b);
        if (b == last)
            break;
    }
    // Inside the change report the layout takes this as part of the change.
    if (dirtyFrom >= 0)
        doc->markContentsDirty(dirtyFrom, dirtyEnd - dirtyFrom);
    if (count == kEagerBlocks && b.isValid())
        queue(b.position(), last.isValid() ? last.position() : doc->characterCount() - 1);
}

void Highlighter::queue(int from, int end)
{
    QTextDocument *doc = m_pane->document();
    if (isFilling()) {
        from = qMin(from, m_fillNext.position());
        end = qMax(end, m_fillEnd.position());
    }
    m_fillNext = QTextCursor(doc);
    m_fillNext.setPosition(qBound(0, from, doc->characterCount() - 1));
    m_fillEnd = QTextCursor(doc);
    m_fillEnd.setPosition(qBound(0, end, doc->characterCount() - 1));
    m_fill->start();
}

void Highlighter::fillSome()
{
    QTextDocument *doc = m_pane->document();
    QElapsedTimer clock;
    clock.start();
    QTextBlock b = doc->findBlock(m_fillNext.position());
    const int end = m_fillEnd.position();
    int dirtyFrom = -1, dirtyEnd = 0;
    for (; b.isValid() && b.position() <= end && clock.elapsed() < kSliceMs; b = b.next())
        if (colourBlock(b))
            widen(&dirtyFrom, &dirtyEnd, b);
    if (dirtyFrom >= 0)
        doc->markContentsDirty(dirtyFrom, dirtyEnd - dirtyFrom);
    if (b.isValid() && b.position() <= end)
        m_fillNext.setPosition(b.position());
    else
        m_fill->stop();
}

void Highlighter::clearAll()
{
    m_fill->stop();
    QTextDocument *doc = m_pane->document();
    int dirtyFrom = -1, dirtyEnd = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (!b.layout()->formats().isEmpty()) {
            b.layout()->clearFormats();
            widen(&dirtyFrom, &dirtyEnd, b);
        }
    }
    if (dirtyFrom >= 0)
        doc->markContentsDirty(dirtyFrom, dirtyEnd - dirtyFrom);
}

bool Highlighter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pane && event->type() == QEvent::PaletteChange) {
        const bool dark = m_pane->palette().color(QPalette::Base).lightness() < 128;
        if (dark != m_dark) {
            buildFormats();
            queue(0, m_pane->document()->characterCount() - 1);
        }
    } else if (watched == m_viewport && event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (showToolTip(help->pos(), help->globalPos()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

// The text widget shows tool tips of the text's own formats only; these live
// in the block layouts.
bool Highlighter::showToolTip(const QPoint &viewportPos, const QPoint &globalPos)
{
    const QTextCursor c = m_pane->cursorForPosition(viewportPos);
    const QTextBlock block = c.block();
    const int at = c.positionInBlock();
    for (const QTextLayout::FormatRange &r : block.layout()->formats()) {
        if (!r.format.toolTip().isEmpty() && at >= r.start && at <= r.start + r.length) {
            QToolTip::showText(globalPos, r.format.toolTip(), m_pane->viewport());
            return true;
        }
    }
    return false;
}

} // namespace editor
