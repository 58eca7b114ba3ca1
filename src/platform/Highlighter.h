#pragma once
// Colours a rich-text pane by platform::highlight's categories. Display only:
// the colours live in the layout, not in the text's formats, so the text, its
// change reports and the RTF written are the same with or without it.
#include "platform/Highlight.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

namespace platform
{

class RichTextBox;

class Highlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit Highlighter(RichTextBox *pane);
    ~Highlighter() override;

    // Switches colouring of `pane` on or off; on again reuses nothing.
    static void setEnabled(RichTextBox *pane, bool on);
    static Highlighter *of(const RichTextBox *pane);

    // The format a category is drawn with under the pane's current palette.
    QTextCharFormat format(highlight::Category category) const;
    // Colours for a light or a dark base colour.
    static QColor colour(highlight::Category category, bool dark);
    static QString errorToolTip();

protected:
    void highlightBlock(const QString &text) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFormats();
    bool showToolTip(const QPoint &viewportPos, const QPoint &globalPos);

    RichTextBox *m_pane;
    std::array<QTextCharFormat, size_t(highlight::Category::Count)> m_formats;
    bool m_dark = false;
};

} // namespace platform
