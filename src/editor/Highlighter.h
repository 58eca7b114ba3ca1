// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Colours a rich-text pane by calc::syntax's categories. Display only:
// the colours are layout formats of the blocks, not formats of the text, and
// they are applied without an edit, so the text, the pane's change reports
// and the RTF written are the same with or without them.
#include "calc/SyntaxSpans.h"

#include <QObject>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextLayout>
#include <QVector>
#include <array>

class QTextBlock;
class QTimer;

namespace platform
{
class RichTextBox;
}

namespace editor
{

using platform::RichTextBox;

class Highlighter : public QObject
{
    Q_OBJECT
public:
    explicit Highlighter(RichTextBox *pane);
    ~Highlighter() override;

    // Switches colouring of `pane` on or off.
    static void setEnabled(RichTextBox *pane, bool on);
    static Highlighter *of(const RichTextBox *pane);

    // The format a category is drawn with under the pane's current palette.
    QTextCharFormat format(calc::syntax::Category category) const;
    // Colours for a light or a dark base colour.
    static QColor colour(calc::syntax::Category category, bool dark);
    // The colour of a token the calculator draws like another one (the
    // statistics variable a, drawn as the letter a).
    static QColor lookalikeColour(bool dark);
    // A lookalike token's tool tip: its sheet name and how it is drawn.
    static QString lookalikeToolTip(int token);
    // The parts of a lookalike token's spelling [from, from + length) that
    // the pane squeezes away so that it reads as the calculator shows it
    // ("[|a]": all but the a); empty when its spelling lacks that text.
    static QVector<QPair<int, int>> squeezed(const QString &spelling, int token);
    static QString errorToolTip();

    // True while a large change (opening a file, a big paste, switching
    // colours on) is still being coloured in the background.
    bool isFilling() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFormats();
    bool colourBlock(const QTextBlock &block) const;
    void colourFrom(const QTextBlock &first, int count, int *dirtyFrom, int *dirtyEnd) const;
    void contentsChanged(int from, int removed, int added);
    void queue(int from, int end);
    void fillSome();
    void clearAll();
    void markLookalikes(const QString &model, QList<QTextLayout::FormatRange> &ranges) const;
    bool showToolTip(const QPoint &viewportPos, const QPoint &globalPos);

    RichTextBox *m_pane;
    // Kept apart: while the pane is torn down its viewport can no longer be
    // asked for, yet the viewport still reports events.
    QWidget *m_viewport;
    std::array<QTextCharFormat, size_t(calc::syntax::Category::Count)> m_formats;
    QTextCharFormat m_lookalike;
    QTextCharFormat m_squeezed;
    bool m_dark = false;
    // What the timer still has to colour: [m_fillNext, m_fillEnd]; both move
    // with edits.
    QTextCursor m_fillNext;
    QTextCursor m_fillEnd;
    QTimer *m_fill = nullptr;
};

} // namespace editor
