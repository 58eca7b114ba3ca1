#include "platform/Highlighter.h"

#include "platform/RichTextBox.h"
#include "platform/RtfCodec.h"

#include <QEvent>
#include <QHelpEvent>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>

namespace platform
{

using highlight::Category;

Highlighter::Highlighter(RichTextBox *pane) : QSyntaxHighlighter(pane), m_pane(pane)
{
    setObjectName(QStringLiteral("highlighter"));
    buildFormats();
    pane->installEventFilter(this);
    pane->viewport()->installEventFilter(this);
    setDocument(pane->document());
}

Highlighter::~Highlighter()
{
    // Taking the colours off reports the blocks as changed, which the pane
    // sees as formatting only.
    setDocument(nullptr);
}

void Highlighter::setEnabled(RichTextBox *pane, bool on)
{
    Highlighter *h = of(pane);
    if (on && !h)
        new Highlighter(pane);
    else if (!on && h)
        delete h;
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

QString Highlighter::errorToolTip()
{
    return tr("No calculator token spells this character; the program cannot be sent to a "
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
}

QTextCharFormat Highlighter::format(Category category) const
{
    return m_formats[size_t(category)];
}

void Highlighter::highlightBlock(const QString &text)
{
    // The block holds display characters; the scan reads model text, one
    // character for one.
    QString model(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        model[i] = rtf::displayToModel(text[i]);
    for (const highlight::Span &s : highlight::lineSpans(model))
        setFormat(s.start, s.length, m_formats[size_t(s.category)]);
}

bool Highlighter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pane && event->type() == QEvent::PaletteChange) {
        const bool dark = m_pane->palette().color(QPalette::Base).lightness() < 128;
        if (dark != m_dark) {
            buildFormats();
            rehighlight();
        }
    } else if (watched == m_pane->viewport() && event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (showToolTip(help->pos(), help->globalPos()))
            return true;
    }
    return QSyntaxHighlighter::eventFilter(watched, event);
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

} // namespace platform
