// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The rich-text pane of the document windows and wizards. Callers work in
// model text (calc/ModelText.h). The pane keeps one QTextBlock per model line
// and converts positions through the block map, never by walking the text.
#include "platform/TextChange.h"

#include <QByteArray>
#include <QPalette>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QVector>

#include <functional>

class QKeyEvent;
class QMimeData;
class QMouseEvent;
class QPrinter;

namespace rtf
{
struct Document;
}

namespace platform
{

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
    // Model text of [pos, pos + length); reads only that run.
    QString textRange(int pos, int length) const;
    // What the last Change() notification changed, found without reading the
    // whole text.
    const TextChange &lastChange() const { return m_lastChange; }

    // Model text as other programs get it from the clipboard: line breaks
    // as "\n" and the calculator's symbols in Unicode, so pasting it back
    // gives the same codes where each symbol has one.
    static QString toClipboardText(const QString &model);
    // Unicode text arriving from outside (paste, drop, typing) as model text.
    // Characters the calculator has no symbol for are left out, and
    // textRefused() says which.
    QString acceptIncoming(const QString &text);
    // What copying the selection offers: toClipboardText() for other
    // programs, and the codes themselves for this one, where several codes
    // draw one symbol.
    QMimeData *selectionMimeData() const;
    // Model text of clipboard or drop data: the codes when this program put
    // them there, else acceptIncoming() of its text.
    QString incomingFrom(const QMimeData *data);
    // A pane whose text no tab belongs in: incoming tabs are left out, and
    // textRefused() says so.
    void setRefusesTabs(bool on) { m_refusesTabs = on; }

    // Prose is ordinary Unicode text, not a program: what is typed or pasted
    // is kept as it is, and Text() gives what the box shows.
    void setProse(bool prose) { m_prose = prose; }
    bool isProse() const { return m_prose; }

    enum class Attribute { Bold, Italic, Underline, Strike };
    void setInsertAttribute(Attribute a, bool on);

    void setFontName(const QString &family);
    QString fontName() const { return m_fontName; }
    void setFontSize(double points);
    double fontSize() const { return m_fontSize; }
    // The family the pane draws with: fontName() when installed, else a
    // monospaced stand-in.
    QString displayFontFamily() const;

    // What a loaded RTF file held beside its text that a save gives back
    // (rtf::Document::kept): another program's data, our program header.
    const QVector<QByteArray> &keptDestinations() const { return m_kept; }
    void setKeptDestinations(const QVector<QByteArray> &kept) { m_kept = kept; }

    bool loadFile(const QString &path, bool asRtf, QString *error);
    bool saveRtf(const QString &path, QString *error);
    QByteArray toRtf() const;
    bool fromRtf(const QByteArray &data, QString *error);

    void printTo(QPrinter *printer);
    void hideSelection(bool hide);
    bool isSelectionHidden() const { return m_selectionHidden; }
    void giveFocus();
    // Room left of the text for marks drawn beside its lines.
    void setLeftMargin(int pixels) { setViewportMargins(pixels, 0, 0, 0); }
    int leftMarginWidth() const { return viewportMargins().left(); }
    // The size the main font is shown at, whatever size the text is saved
    // with (0: as saved). Zoom and the options' font size use it.
    void setShownFontSize(double points);
    double shownFontSize() const;

    // Model position <-> editor position; exposed for callers that mix both.
    int toEditorPosition(int modelPos, bool afterLineBreak = false) const;
    int toModelPosition(int editorPos) const;

signals:
    void Change();
    void SelChange();
    void KeyDown(QKeyEvent *event, bool *swallow);
    void MouseUp(QMouseEvent *event);
    void textRefused(const QString &message);

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    friend struct QuietEdit;
    void onContentsChange(int from, int removed, int added);
    void noteChange(int from, int removed, int added);
    void flushChange();
    TextChange describe(int from, QStringView before, QStringView after, bool toEnd) const;
    QString editorSlice(int from, int length) const;
    void checkSelection();
    void settle();
    void applyPaneFont();
    void replaceContent(const rtf::Document &doc);
    void replaceWhole(const std::function<void(QTextCursor &)> &fill);
    rtf::Document toDocument() const;

    bool m_prose = false;
    QVector<QByteArray> m_kept;
    QString m_fontName;
    double m_fontSize = 8.25;
    double m_shownFontSize = 0;
    int m_fontCharset = 0;
    QTextCharFormat m_pending; // attributes for the text inserted next
    int m_quiet = 0;           // >0 while our own code edits the document
    int m_formatting = 0;      // >0 while our own code changes formats only
    bool m_changed = false;
    // The document's characters as last reported (a paragraph separator
    // between blocks and one at the end), so a change can say what it
    // removed; and the range changed since, in old and new positions.
    QString m_mirror;
    int m_pendFrom = -1;
    int m_pendOldEnd = 0;
    int m_pendNewEnd = 0;
    TextChange m_lastChange;
    int m_lastStart = -1;
    int m_lastEnd = -1;
    bool m_selectionHidden = false;
    bool m_refusesTabs = false;
    QPalette m_shownPalette;
};

} // namespace platform
