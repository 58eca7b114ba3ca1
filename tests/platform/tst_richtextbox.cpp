// The rich-text pane as the document window and the wizards drive it.
#include "common/TestRegistry.h"

#include "platform/RichTextBox.h"

#include <QFontDatabase>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

using namespace platform;

namespace
{

const QString kStore = QString(QChar(252));
const QString kSkeleton =
    "While 1\r\nGetkey" + kStore + "A\r\nWhile A=0\r\nGetkey" + kStore + "A\r\nEnd";

} // namespace

class TstRichTextBox : public QObject
{
    Q_OBJECT
private slots:
    void modelPositions_data();
    void modelPositions();
    void selectionLengthAndText();
    void textIsNormalisedAndKeepsCodes();
    void selTextReplacesAndMovesCaret();
    void changeNotifications();
    void typingNotifiesWithCaretAfterKey();
    void rtfRoundTripThroughFile();
    void writesRichEditRtf();
    void missingFontKeepsItsName();
    void unreadableFilesLeavePaneUnchanged_data();
    void unreadableFilesLeavePaneUnchanged();
    void failedSaveReports();
    void keyHooks();
    void printsSelection();
};

void TstRichTextBox::modelPositions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("expected");

    QTest::newRow("skeleton start") << kSkeleton << 0 << 0;
    QTest::newRow("after the store arrow") << kSkeleton << 16 << 16;
    QTest::newRow("line 3 start") << kSkeleton << 19 << 19;
    QTest::newRow("between CR and LF") << kSkeleton << 8 << 7;
    QTest::newRow("end") << kSkeleton << 43 << 43;
    QTest::newRow("beyond the end") << kSkeleton << 1000 << 43;
    QTest::newRow("negative") << kSkeleton << -5 << 0;
    QTest::newRow("empty lines") << QString("\r\n\r\n\r\nX") << 5 << 4;
    QTest::newRow("empty text") << QString() << 3 << 0;
}

void TstRichTextBox::modelPositions()
{
    QFETCH(QString, text);
    QFETCH(int, set);
    QFETCH(int, expected);
    RichTextBox box;
    box.setText(text);
    QCOMPARE(box.TextLength(), int(text.size()));
    box.setSelStart(set);
    QCOMPARE(box.SelStart(), expected);
    QCOMPARE(box.SelLength(), 0);
    // The model position must name the same character as the text.
    box.setSelLength(1);
    if (expected < text.size())
        QCOMPARE(box.SelText().left(1), text.mid(expected, 1));
}

void TstRichTextBox::selectionLengthAndText()
{
    RichTextBox box;
    box.setText(kSkeleton);
    QCOMPARE(box.TextLength(), 43);
    box.setSelStart(7);
    box.setSelLength(1); // a line break is selected whole
    QCOMPARE(box.SelText(), QString("\r\n"));
    QCOMPARE(box.SelLength(), 2);
    box.setSelStart(9);
    box.setSelLength(15);
    QCOMPARE(box.SelText(), "Getkey" + kStore + "A\r\nWhile");
    QCOMPARE(box.SelStart(), 9);
    QCOMPARE(box.SelLength(), 15);
    box.setSelStart(40);
    box.setSelLength(100);
    QCOMPARE(box.SelText(), QString("End"));
}

void TstRichTextBox::textIsNormalisedAndKeepsCodes()
{
    RichTextBox box;
    const QString codes = QString(QChar(0x80)) + QChar(0x9F) + QChar(0xFC) + QChar(0x3C0);
    box.setText("A\rB\nC\r\n" + codes);
    QCOMPARE(box.Text(), "A\r\nB\r\nC\r\n" + codes);
    QCOMPARE(box.TextLength(), 13);
    // What the user sees is the real character of the Windows code page.
    QVERIFY(box.toPlainText().contains(QChar(0x20AC)));
    box.selectAll();
    QCOMPARE(box.SelText(), box.Text());
}

void TstRichTextBox::selTextReplacesAndMovesCaret()
{
    RichTextBox box;
    box.setText("ABC");
    box.setSelStart(0);
    box.setSelLength(2);
    box.setSelText("=");
    QCOMPARE(box.Text(), QString("=C"));
    QCOMPARE(box.SelStart(), 1);
    box.setSelText("x\r\ny");
    QCOMPARE(box.Text(), QString("=x\r\nyC"));
    QCOMPARE(box.SelStart(), 5);
    box.setSelStart(1000);
    box.setSelText(kStore + "^(");
    QCOMPARE(box.Text(), "=x\r\nyC" + kStore + "^(");
    QCOMPARE(box.SelStart(), 9);

    // An attribute applies to what is inserted next, not before.
    box.setText(QString());
    box.setSelText("Input ");
    box.setInsertAttribute(RichTextBox::Attribute::Italic, true);
    box.setSelText("[OPTIONAL TEXT],");
    box.setInsertAttribute(RichTextBox::Attribute::Italic, false);
    box.setSelText("[VARIABLE]");
    QCOMPARE(box.Text(), QString("Input [OPTIONAL TEXT],[VARIABLE]"));
    auto italicAt = [&box](int pos) {
        QTextCursor c(box.document());
        c.setPosition(pos + 1);
        return c.charFormat().fontItalic();
    };
    QVERIFY(!italicAt(0));
    QVERIFY(italicAt(6));
    QVERIFY(italicAt(21));
    QVERIFY(!italicAt(22));
}

void TstRichTextBox::changeNotifications()
{
    RichTextBox box;
    QSignalSpy change(&box, &RichTextBox::Change);
    QSignalSpy sel(&box, &RichTextBox::SelChange);

    box.setText("ABC");
    QCOMPARE(change.size(), 1);
    box.setText("ABC"); // writing the whole text is a change even when equal
    QCOMPARE(change.size(), 2);
    box.setSelStart(3);
    QCOMPARE(change.size(), 2);
    QCOMPARE(sel.size(), 1);
    box.setSelText("D");
    QCOMPARE(change.size(), 3);

    // Paste: remove the selection, then insert: two changes.
    box.setSelStart(0);
    box.setSelLength(2);
    box.setSelText(QString());
    box.setSelText("XY");
    QCOMPARE(change.size(), 5);
    QCOMPARE(box.Text(), QString("XYCD"));

    // Formatting only.
    const int selBefore = sel.size();
    box.setFontName("Ti83Pluspc");
    box.setFontSize(12);
    box.setInsertAttribute(RichTextBox::Attribute::Bold, true);
    box.hideSelection(true);
    box.hideSelection(false);
    box.resize(200, 80);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.resize(400, 300);
    QCOMPARE(change.size(), 5);
    QCOMPARE(sel.size(), selBefore);

    // Loading is one change.
    QVERIFY(box.fromRtf("{\\rtf1 a\\par b}", nullptr));
    QCOMPARE(change.size(), 6);
    QCOMPARE(box.Text(), QString("a\r\nb"));
    QCOMPARE(box.SelStart(), 0);
}

void TstRichTextBox::typingNotifiesWithCaretAfterKey()
{
    RichTextBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QList<int> caretAtChange;
    QList<QString> textAtChange;
    connect(&box, &RichTextBox::Change, this, [&] {
        caretAtChange << box.SelStart();
        textAtChange << box.Text();
    });
    QSignalSpy sel(&box, &RichTextBox::SelChange);
    QTest::keyClicks(&box, "ab");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(textAtChange, (QList<QString>{"a", "ab", "ab\r\n", "ab\r\n\r\n", "ab\r\n"}));
    QCOMPARE(caretAtChange, (QList<int>{1, 2, 4, 6, 4}));
    QCOMPARE(sel.size(), 5);

    // Typing over a selection is one change.
    box.setSelStart(0);
    box.setSelLength(2);
    const int before = caretAtChange.size();
    QTest::keyClicks(&box, "Z");
    QCOMPARE(caretAtChange.size(), before + 1);
    QCOMPARE(box.Text(), QString("Z\r\n"));
}

void TstRichTextBox::rtfRoundTripThroughFile()
{
    QTemporaryDir dir;
    RichTextBox a;
    a.setFontName("Ti83Pluspc");
    a.setFontSize(8.25);
    a.setText("Disp ");
    a.setSelStart(1000);
    a.setInsertAttribute(RichTextBox::Attribute::Bold, true);
    a.setSelText("''HI''");
    a.setInsertAttribute(RichTextBox::Attribute::Bold, false);
    a.setInsertAttribute(RichTextBox::Attribute::Underline, true);
    a.setSelText("\r\n1" + kStore + "A");
    a.setInsertAttribute(RichTextBox::Attribute::Underline, false);
    a.setInsertAttribute(RichTextBox::Attribute::Italic, true);
    a.setInsertAttribute(RichTextBox::Attribute::Strike, true);
    a.setSelText("{\\}");
    const QString path = dir.filePath("prog.tvf");
    QString error;
    QVERIFY2(a.saveRtf(path, &error), qPrintable(error));

    RichTextBox b;
    QSignalSpy change(&b, &RichTextBox::Change);
    QVERIFY2(b.loadFile(path, true, &error), qPrintable(error));
    QCOMPARE(change.size(), 1);
    QCOMPARE(b.Text(), a.Text());
    QCOMPARE(b.fontName(), QString("Ti83Pluspc"));
    QCOMPARE(b.fontSize(), 8.5); // \fs17: the file holds half points
    QCOMPARE(b.toRtf(), a.toRtf());
    QTextCursor c(b.document());
    c.setPosition(6);
    QVERIFY(c.charFormat().fontWeight() > QFont::Normal);
    c.setPosition(14);
    QVERIFY(c.charFormat().fontUnderline());
    c.movePosition(QTextCursor::End);
    QVERIFY(c.charFormat().fontItalic() && c.charFormat().fontStrikeOut());

    // Plain text load keeps single bytes as their codes.
    QFile plain(dir.filePath("t.txt"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write("A\r\nB\xfc\nC");
    plain.close();
    QVERIFY(b.loadFile(plain.fileName(), false, &error));
    QCOMPARE(b.Text(), "A\r\nB" + kStore + "\r\nC");
}

void TstRichTextBox::writesRichEditRtf()
{
    RichTextBox box;
    box.setFontName("Ti83Pluspc");
    box.setFontSize(8.25);
    box.setText("Getkey" + kStore + "A\r\nEnd");
    QCOMPARE(box.toRtf(),
             QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil"
                        "\\fcharset0 Ti83Pluspc;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs17 Getkey"
                        "\\'fcA\\par\r\nEnd\\par\r\n}\r\n"));
}

void TstRichTextBox::missingFontKeepsItsName()
{
    if (QFontDatabase::families().contains("Ti83Pluspc"))
        QSKIP("the calculator font is installed here");
    RichTextBox box;
    box.setFontName("Ti83Pluspc");
    QCOMPARE(box.fontName(), QString("Ti83Pluspc"));
    QCOMPARE(box.displayFontFamily(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    QCOMPARE(box.document()->defaultFont().family(), box.displayFontFamily());
    QVERIFY(box.toRtf().contains("\\fcharset0 Ti83Pluspc;"));
}

void TstRichTextBox::unreadableFilesLeavePaneUnchanged_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("plain text") << QByteArray("Disp 1\r\n") << true;
    QTest::newRow("too deep") << "{\\rtf1 " + QByteArray(3000, '{') << true;
}

void TstRichTextBox::unreadableFilesLeavePaneUnchanged()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.tvf");
    if (exists) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    RichTextBox box;
    box.setFontName("Arial");
    box.setText("keep me");
    box.setSelStart(2);
    QSignalSpy change(&box, &RichTextBox::Change);
    QString error;
    QVERIFY(!box.loadFile(path, true, &error));
    QVERIFY(error.contains(path));
    QCOMPARE(box.Text(), QString("keep me"));
    QCOMPARE(box.SelStart(), 2);
    QCOMPARE(box.fontName(), QString("Arial"));
    QCOMPARE(change.size(), 0);
}

void TstRichTextBox::failedSaveReports()
{
    QTemporaryDir dir;
    RichTextBox box;
    box.setText("x");
    QString error;
    QVERIFY(!box.saveRtf(dir.filePath("no/such/folder/a.tvf"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!box.saveRtf(dir.path(), &error)); // a folder, not a file
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void TstRichTextBox::keyHooks()
{
    RichTextBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QList<QPair<int, int>> seen;
    connect(&box, &RichTextBox::KeyDown, this, [&](QKeyEvent *e, bool *swallow) {
        if (e->key() != Qt::Key_Control) // the test presses the modifier on its own too
            seen << qMakePair(e->key(), int(e->modifiers()));
        *swallow = e->modifiers() == Qt::ControlModifier;
    });
    QSignalSpy change(&box, &RichTextBox::Change);
    QTest::keyClick(&box, Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Q);
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0], qMakePair(int(Qt::Key_E), int(Qt::ControlModifier)));
    QCOMPARE(box.Text(), QString("q"));
    QCOMPARE(change.size(), 1);

    qRegisterMetaType<QMouseEvent *>();
    QSignalSpy up(&box, &RichTextBox::MouseUp);
    QTest::mouseClick(box.viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(up.size(), 1);
}

void TstRichTextBox::printsSelection()
{
    QTemporaryDir dir;
    RichTextBox box;
    box.setText(kSkeleton);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("all.pdf"));
    box.printTo(&printer);
    box.setSelStart(0);
    box.setSelLength(5);
    printer.setOutputFileName(dir.filePath("sel.pdf"));
    box.printTo(&printer);
    QVERIFY(QFileInfo(dir.filePath("all.pdf")).size() > 0);
    QVERIFY(QFileInfo(dir.filePath("sel.pdf")).size() > 0);
    // Printing leaves the pane as it was.
    QCOMPARE(box.SelText(), QString("While"));
}

TORVANE_TEST(TstRichTextBox);
#include "tst_richtextbox.moc"
