// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rich-text pane as the document window and the wizards drive it.
#include "common/TestRegistry.h"

#include "platform/RichTextBox.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
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

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QTextCharFormat formatAt(RichTextBox &box, int pos)
{
    QTextCursor c(box.document());
    c.setPosition(pos);
    return c.charFormat();
}

} // namespace

class TstRichTextBox : public QObject
{
    Q_OBJECT
private slots:
    void selection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("set");    // SelStart written
        QTest::addColumn<int>("length"); // then SelLength written
        QTest::addColumn<int>("start");  // SelStart read back
        QTest::addColumn<QString>("selected");

        const QString k = kSkeleton, crlf = "\r\n";
        // clang-format off
        QTest::newRow("after the store arrow") << k << 16 << 1 << 16 << "A";
        QTest::newRow("between CR and LF") << k << 8 << 1 << 7 << crlf;
        QTest::newRow("line break selected whole") << k << 7 << 1 << 7 << crlf;
        QTest::newRow("across a line") << k << 9 << 15 << 9 << "Getkey" + kStore + "A\r\nWhile";
        QTest::newRow("past the end") << k << 40 << 100 << 40 << "End";
        QTest::newRow("beyond the end") << k << 1000 << 1 << 43 << "";
        QTest::newRow("negative") << k << -5 << 1 << 0 << "W";
        QTest::newRow("empty lines") << QString("\r\n\r\n\r\nX") << 5 << 1 << 4 << crlf;
        QTest::newRow("empty text") << QString() << 3 << 1 << 0 << "";
        // clang-format on
    }
    void selection()
    {
        QFETCH(QString, text);
        QFETCH(int, set);
        QFETCH(int, length);
        RichTextBox box;
        box.setText(text);
        box.setSelStart(set);
        QTEST(box.SelStart(), "start");
        QCOMPARE(box.SelLength(), 0);
        box.setSelLength(length);
        QTEST(box.SelText(), "selected");
        QTEST(box.SelStart(), "start");
        QCOMPARE(box.SelLength(), int(box.SelText().size()));
    }

    void textIsNormalisedAndKeepsCodes()
    {
        RichTextBox box;
        const QString codes = testing::chars({0x80, 0x9F, 0xFC, 0x3C0});
        box.setText("A\rB\nC\r\n" + codes);
        QCOMPARE(box.Text(), "A\r\nB\r\nC\r\n" + codes);
        // What the user sees is the real character of the Windows code page.
        QVERIFY(box.toPlainText().contains(QChar(0x20AC)));
        // Characters the document would take as its own line marks stay one line.
        box.setText(testing::chars({'A', 0xFDD0, 'B', 0xFDD1}));
        QCOMPARE(box.Text(), testing::chars({'A', 0xFFFD, 'B', 0xFFFD}));
    }

    void editingMovesCaretAndNotifies()
    {
        RichTextBox box;
        QSignalSpy change(&box, &RichTextBox::Change);
        QSignalSpy sel(&box, &RichTextBox::SelChange);
        // Writes the selection; checks the whole text, the caret and the changes notified so far.
        auto put = [&](const QString &s, const QString &text, int caret, int changes) {
            box.setSelText(s);
            QCOMPARE(box.Text(), text);
            QCOMPARE(box.SelStart(), caret);
            QCOMPARE(change.size(), changes);
        };
        box.setText("ABC");
        box.setSelStart(3);
        QCOMPARE(change.size(), 1); // moving the caret is no change
        QCOMPARE(sel.size(), 1);
        put("D", "ABCD", 4, 2);
        box.setSelStart(0);
        box.setSelLength(2);
        put("x\r\ny", "x\r\nyCD", 4, 3); // replacing a selection is one change
        box.setSelStart(1000);
        put(kStore, "x\r\nyCD" + kStore, 7, 4);

        // Formatting only.
        const int selBefore = sel.size();
        box.setFontName("Ti83Pluspc");
        box.setFontSize(12);
        box.setInsertAttribute(RichTextBox::Attribute::Bold, true);
        box.hideSelection(true);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.resize(400, 300);
        QCOMPARE(change.size(), 4);
        QCOMPARE(sel.size(), selBefore);

        // Loading is one change.
        QVERIFY(box.fromRtf("{\\rtf1 a\\par b}", nullptr));
        QCOMPARE(change.size(), 5);
        QCOMPARE(box.Text(), QString("a\r\nb"));
        QCOMPARE(box.SelStart(), 0);
    }

    void keyboardAndMouse()
    {
        RichTextBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QList<QPair<int, int>> seen;
        connect(&box, &RichTextBox::KeyDown, this, [&](QKeyEvent *e, bool *swallow) {
            // Control and Shift are reported on their own too.
            if (e->key() != Qt::Key_Control && e->key() != Qt::Key_Shift)
                seen << qMakePair(e->key(), int(e->modifiers()));
            *swallow = e->key() == Qt::Key_E;
        });
        QSignalSpy change(&box, &RichTextBox::Change);
        QSignalSpy sel(&box, &RichTextBox::SelChange);
        QTest::keyClick(&box, Qt::Key_E, Qt::ControlModifier);
        QTest::keyClicks(&box, "aeb"); // the hook swallows the e
        QCOMPARE(seen.size(), 4);
        QCOMPARE(seen[0], qMakePair(int(Qt::Key_E), int(Qt::ControlModifier)));
        QCOMPARE(box.Text(), QString("ab"));
        QCOMPARE(change.size(), 2);
        QCOMPARE(sel.size(), 2);

        qRegisterMetaType<QMouseEvent *>();
        QSignalSpy up(&box, &RichTextBox::MouseUp);
        QTest::mouseClick(box.viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(up.size(), 1);
    }

    void rtfRoundTripThroughFile()
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
        // Attributes apply to what is inserted after them, not before.
        QCOMPARE(formatAt(b, 5).fontWeight(), QFont::Normal);
        QVERIFY(formatAt(b, 6).fontWeight() > QFont::Normal);
        QVERIFY(formatAt(b, 14).fontUnderline());
        const QTextCharFormat last = formatAt(b, int(b.document()->characterCount()) - 1);
        QVERIFY(last.fontItalic() && last.fontStrikeOut());

        // Plain text load keeps single bytes as their codes.
        writeFile(dir.filePath("t.txt"), "A\r\nB\xfc\nC");
        QVERIFY(b.loadFile(dir.filePath("t.txt"), false, &error));
        QCOMPARE(b.Text(), "A\r\nB" + kStore + "\r\nC");

        // Drawn with our calculator font when the named one is missing; the
        // name is kept. Another missing font falls back to the fixed one.
        if (!QFontDatabase::families().contains("Ti83Pluspc")) {
            QCOMPARE(QFontInfo(b.font()).family(), QString("Torvane Calc Mono"));
            QCOMPARE(b.document()->defaultFont().family(), b.displayFontFamily());
            b.setFontName("No Such Font");
            QCOMPARE(b.displayFontFamily(),
                     QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
        }
    }

    // What a document holds beside its text (another program's data, our
    // program header) survives an edit and a save; the next file opened
    // brings its own.
    void keptDestinationsSurviveEditing()
    {
        QTemporaryDir dir;
        const QByteArray ours = "{\\*\\torvane archived=1 version=4}";
        const QByteArray theirs = "{\\*\\otherwriter {\\v1 x}}";
        writeFile(dir.filePath("a.tvf"), "{\\rtf1{\\fonttbl{\\f0 Ti83Pluspc;}}" + theirs + ours +
                                             "\\pard\\f0\\fs17 Disp 1\\par}");
        RichTextBox box;
        QString error;
        QVERIFY2(box.loadFile(dir.filePath("a.tvf"), true, &error), qPrintable(error));
        box.setSelStart(1000);
        box.setSelText("\r\nDisp 2");
        QVERIFY2(box.saveRtf(dir.filePath("b.tvf"), &error), qPrintable(error));
        QFile saved(dir.filePath("b.tvf"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray rtf = saved.readAll();
        QVERIFY2(rtf.contains(theirs + ours) && rtf.contains("Disp 2"), rtf.constData());
        QCOMPARE(box.keptDestinations(), (QVector<QByteArray>{theirs, ours}));

        writeFile(dir.filePath("c.tvf"), "{\\rtf1 Disp 3\\par}");
        QVERIFY2(box.loadFile(dir.filePath("c.tvf"), true, &error), qPrintable(error));
        QVERIFY(box.keptDestinations().isEmpty());
        QVERIFY(!box.toRtf().contains("torvane"));
    }

    void fileErrorsLeavePaneUnchanged_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("name");       // in an empty temporary folder
        QTest::addColumn<QByteArray>("content"); // written there first unless null
        QTest::newRow("load missing") << false << "x.tvf" << QByteArray();
        QTest::newRow("load plain text") << false << "x.tvf" << QByteArray("Disp 1\r\n");
        QTest::newRow("save into a missing folder")
            << true << "no/such/folder/a.tvf" << QByteArray();
        QTest::newRow("save onto a folder") << true << "." << QByteArray();
    }
    void fileErrorsLeavePaneUnchanged()
    {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (!content.isNull())
            writeFile(path, content);
        RichTextBox box;
        box.setFontName("Arial");
        box.setText("keep me");
        box.setSelStart(2);
        QSignalSpy change(&box, &RichTextBox::Change);
        QString error;
        QVERIFY(!(save ? box.saveRtf(path, &error) : box.loadFile(path, true, &error)));
        QVERIFY2(error.contains(path), qPrintable(error));
        QCOMPARE(box.Text(), QString("keep me"));
        QCOMPARE(box.SelStart(), 2);
        QCOMPARE(box.fontName(), QString("Arial"));
        QCOMPARE(change.size(), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 content.isNull() ? QStringList() : QStringList{name});
    }
};

TORVANE_TEST(TstRichTextBox);
#include "tst_richtextbox.moc"
