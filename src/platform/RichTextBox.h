#pragma once
// The rich-text pane of the document windows and wizards. Callers work in
// *model text*: CR LF line breaks, positions counted in that text, codes
// 128-255 as U+0080-U+00FF. The pane keeps one QTextBlock per model line and
// converts positions through the block map, never by walking the text.
#include <QPalette>
#include <QTextCharFormat>
#include <QTextEdit>

class QKeyEvent;
class QMouseEvent;
class QPrinter;

namespace platform
{

namespace rtf
{
struct Document;
}

class RichTextBox : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichTextBox(QWidget *parent = nullptr);

    QString Text() const;
    void setText(const QString &text);
    int SelStart() const;
    void setSelStart(int pos);
    int SelLength() const;
    void setSelLength(int len);
    QString SelText() const;
    void setSelText(const QString &text);
    int TextLength() const;

    enum class Attribute { Bold, Italic, Underline, Strike };
    void setInsertAttribute(Attribute a, bool on);

    void setFontName(const QString &family);
    QString fontName() const { return m_fontName; }
    void setFontSize(double points);
    double fontSize() const { return m_fontSize; }
    // The family the pane draws with: fontName() when installed, else a
    // monospaced stand-in.
    QString displayFontFamily() const;

    bool loadFile(const QString &path, bool asRtf, QString *error);
    bool saveRtf(const QString &path, QString *error);
    QByteArray toRtf() const;
    bool fromRtf(const QByteArray &data, QString *error);

    void printTo(QPrinter *printer);
    void hideSelection(bool hide);
    bool isSelectionHidden() const { return m_selectionHidden; }
    void giveFocus();

    // Model position <-> editor position; exposed for callers that mix both.
    int toEditorPosition(int modelPos, bool afterLineBreak = false) const;
    int toModelPosition(int editorPos) const;

signals:
    void Change();
    void SelChange();
    void KeyDown(QKeyEvent *event, bool *swallow);
    void MouseUp(QMouseEvent *event);

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    friend struct QuietEdit;
    void onContentsChange(int from, int removed, int added);
    void checkSelection();
    void settle();
    void applyPaneFont();
    void replaceContent(const rtf::Document &doc);
    rtf::Document toDocument() const;

    QString m_fontName;
    double m_fontSize = 8.25;
    int m_fontCharset = 0;
    QTextCharFormat m_pending; // attributes for the text inserted next
    int m_quiet = 0;           // >0 while our own code edits the document
    int m_formatting = 0;      // >0 while our own code changes formats only
    bool m_changed = false;
    int m_lastStart = -1;
    int m_lastEnd = -1;
    bool m_selectionHidden = false;
    QPalette m_shownPalette;
};

} // namespace platform
