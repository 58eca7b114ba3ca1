// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Find and replace, Go to Line, the status figures, colouring as display only,
// and the panes' places at the designed size and beyond.
#include "common/TestRegistry.h"

#include "editor/EditorOptions.h"
#include "editor/FindText.h"
#include "editor/Highlighter.h"
#include "editor/StatusFigures.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "editor/frmFind.h"
#include "platform/Dialogs.h"
#include "platform/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using editor::frmDocument;
using platform::rectTwips;

namespace
{
const QString kArrow(QChar(0xFC));

struct Fixture {
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    frmDocument w;
    Fixture()
    {
        platform::dialogs::setScript(&script);
        w.show();
        QApplication::setActiveWindow(&w);
        w.RichTextBox1->setFocus();
    }
    ~Fixture() { platform::dialogs::setScript(nullptr); }
    platform::RichTextBox *pane() { return w.RichTextBox1; }
    void select(int start, int length) { pane()->setSelStart(start), pane()->setSelLength(length); }
    editor::frmFind *find(const QString &what, const QString &with = QString())
    {
        w.mnuFind_Click(true);
        editor::frmFind *f = w.findDialog();
        f->txtFind->setText(what);
        f->txtReplace->setText(with);
        return f;
    }
};
} // namespace

class TstEditing : public QObject
{
    Q_OBJECT
private slots:
    void findText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle"); // as typed, Unicode
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("backward");
        QTest::addColumn<QString>("flags"); // c: match case, w: whole word, r: range 5..15
        QTest::addColumn<int>("expected");
        // clang-format off
        QTest::newRow("any case") << "Disp X:DISP Y" << "disp" << 1 << false << "" << 7;
        QTest::newRow("match case skips") << "Disp X:DISP Y" << "DISP" << 0 << false << "c" << 7;
        QTest::newRow("match case none") << "Disp X" << "DISP" << 0 << false << "c" << -1;
        QTest::newRow("wraps around") << "A:B:A" << "A" << 5 << false << "" << 0;
        QTest::newRow("match at the caret") << "A:B:A" << "A" << 4 << false << "" << 4;
        QTest::newRow("backward before caret") << "A:B:A" << "A" << 4 << true << "" << 0;
        QTest::newRow("backward wraps") << "A:B:A" << "A" << 0 << true << "" << 4;
        QTest::newRow("whole word") << "AB A BA" << "A" << 0 << false << "w" << 3;
        QTest::newRow("whole word by operator") << "AB+A" << "A" << 0 << false << "w" << 3;
        QTest::newRow("symbol as Unicode") << "5" + kArrow + "A" << "→A" << 0 << false << "" << 1;
        QTest::newRow("symbol case is kept") << QString(QChar(0xE1)) << QString(QChar(0xC1)) << 0 << false << "" << -1;
        QTest::newRow("range only") << "A:B:A:B:A:B:A:B" << "A" << 0 << false << "r" << 8;
        QTest::newRow("range wraps inside") << "A:B:A:B:A:B:A:B" << "A" << 13 << false << "r" << 8;
        QTest::newRow("range end cuts match") << "0123ABCDEFGHIJKL" << "JKL" << 0 << false << "r" << -1;
        // clang-format on
    }
    void findText()
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(int, from);
        QFETCH(bool, backward);
        QFETCH(QString, flags);
        QFETCH(int, expected);
        Fixture f;
        f.pane()->setText(text);
        editor::frmFind *dialog = f.find(needle);
        dialog->chkMatchCase->setChecked(flags.contains('c'));
        dialog->chkWholeWord->setChecked(flags.contains('w'));
        if (flags.contains('r')) {
            f.select(5, 10);
            dialog->chkInSelection->setChecked(true);
        }
        f.pane()->setSelStart(from);
        QCOMPARE(dialog->findNext(backward), expected >= 0);
        if (expected >= 0) {
            QCOMPARE(f.pane()->SelStart(), expected);
            QCOMPARE(f.pane()->SelLength(), int(needle.size()));
        }
    }

    // Replace All is one undo entry; "in selection" leaves the rest alone;
    // Replace replaces the selected match and moves to the next.
    void replacing()
    {
        Fixture f;
        const QString text = "A" + kArrow + "B\r\nA" + kArrow + "C\r\nA" + kArrow + "D";
        f.pane()->setText(text);
        f.w.history().reset();
        f.select(5, 7); // the second line and the start of the third
        editor::frmFind *dialog = f.find("→", "->");
        QVERIFY(dialog->chkInSelection->isChecked());
        QCOMPARE(dialog->replaceAll(), 2);
        QCOMPARE(f.pane()->Text(), "A" + kArrow + "B\r\nA->C\r\nA->D");
        QCOMPARE(f.w.history().undoCount(), 2);
        QVERIFY(f.w.isModified());
        f.w.Undo();
        QCOMPARE(f.pane()->Text(), text);

        dialog->chkInSelection->setChecked(false);
        f.pane()->setSelStart(0);
        QVERIFY(dialog->replace()); // nothing selected yet: finds the first
        QCOMPARE(f.pane()->SelStart(), 1);
        QVERIFY(dialog->replace());
        QCOMPARE(f.pane()->Text(), "A->B\r\nA" + kArrow + "C\r\nA" + kArrow + "D");
        QCOMPARE(f.pane()->SelStart(), 7);
        dialog->txtFind->setText("none");
        QCOMPARE(dialog->replaceAll(), 0);
        QVERIFY(!dialog->lblResult->text().isEmpty());
    }

    // The new items are menu shortcuts that reach the window from the pane.
    void shortcutsFromThePane()
    {
        Fixture f;
        f.pane()->setText("A\r\nB\r\nA");
        const QList<QPair<QString, QKeySequence>> items{{"mnuFind", Qt::CTRL | Qt::Key_F},
                                                        {"mnuFindNext", Qt::Key_F3},
                                                        {"mnuFindPrevious", Qt::SHIFT | Qt::Key_F3},
                                                        {"mnuReplace", Qt::CTRL | Qt::Key_H},
                                                        {"mnuGoToLine", Qt::CTRL | Qt::Key_G}};
        for (const auto &[name, keys] : items) {
            QAction *a = f.w.action(name);
            QVERIFY(a && a->shortcut() == keys);
            QSignalSpy spy(a, &QAction::triggered);
            QApplication::setActiveWindow(&f.w);
            f.pane()->setFocus();
            QTest::keySequence(f.pane(), keys);
            QVERIFY2(spy.count() == 1, qPrintable(name));
        }
        QCOMPARE(f.pane()->Text(), QString("A\r\nB\r\nA"));
    }

    // Token bytes counted by hand from the token sheet.
    void sizeFigure_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("figure");
        // Disp " H I "
        QTest::newRow("one line") << "Disp \"HI\""
                                  << "5 bytes";
        // ClrHome / For( I , 1 , 1 0 / Output( I , 1 , " h(2) i(2) " / End
        QTest::newRow("lowercase takes two") << "ClrHome\r\nFor(I,1,10\r\nOutput(I,1,\"hi\"\r\nEnd"
                                             << "23 bytes";
        // " A B " -> Str1(2) / Disp Str1(2) , Xmin(2) / and the last break
        QTest::newRow("two-byte variables") << "\"AB\"" + kArrow + "Str1\r\nDisp Str1,Xmin\r\n"
                                            << "15 bytes";
        QTest::newRow("one") << "A"
                             << "1 byte";
        QTest::newRow("no token") << QString("Disp 1\r\nA") + QChar(0x263A) + "\r\n" + QChar(0x263A)
                                  << "not tokenizable: line 2";
    }
    void sizeFigure()
    {
        QFETCH(QString, program);
        QFETCH(QString, figure);
        QCOMPARE(editor::sizeFigure(program), figure);
    }

    void goToLineAndStatusFigures()
    {
        Fixture f;
        f.pane()->setText("Disp 1\r\nDisp 22\r\nStop");
        QSignalSpy figures(&f.w, &frmDocument::statusFiguresChanged);
        for (const auto &[answer, caret] :
             QList<QPair<QString, int>>{{"999", 17}, {"2", 8}, {"x", 8}, {"0", 0}}) {
            f.script.prompts.push_back(answer);
            f.w.action("mnuGoToLine")->trigger();
            QCOMPARE(f.pane()->SelStart(), caret);
        }
        f.w.goToLine(2);
        f.pane()->setSelStart(f.pane()->SelStart() + 3);
        QCOMPARE(f.w.statusFigures(), QString("Ln 2, Col 4   8 bytes"));
        // A burst of changes is reported once, later.
        figures.clear();
        QTest::keyClicks(f.pane(), "ABCDE");
        QCOMPARE(figures.count(), 0);
        QVERIFY(figures.wait(1000));
        QTest::qWait(150);
        QCOMPARE(figures.count(), 1);
    }

    // Colouring on and off leaves the text, the history, the modified flag and
    // the file as they were.
    void highlightingIsDisplayOnly()
    {
        Fixture f;
        f.pane()->setSelText("Disp \"HI\"\r\n5" + kArrow + "A\r\nGoto A");
        f.w.setSaveEnabled(true);
        const int entries = f.w.history().undoCount();
        const QByteArray rtf = f.pane()->toRtf();
        QVERIFY(editor::Highlighter::of(f.pane()) && editor::Highlighter::of(f.w.RichTextBox2));
        f.w.history().reset();
        for (bool on : {false, true}) {
            editor::EditorOptions::instance().apply(on, true);
            QCoreApplication::processEvents();
            QCOMPARE(bool(editor::Highlighter::of(f.w.RichTextBox3)), on);
            QCOMPARE(f.pane()->toRtf(), rtf);
            QCOMPARE(f.w.history().undoCount(), 1);
        }
        QVERIFY(entries > 1);
    }

    void panesAtDesignedSizeAndLarger()
    {
        Fixture f;
        QWidget *canvas = f.w.findChild<QWidget *>("canvas");
        // How each pane grows: x, y, width, height in extra widths and half heights.
        const struct {
            const char *name;
            QRect designed;
            int dx, dy, dw, dh;
        } panes[] = {{"RichTextBox1", rectTwips(1680, 840, 3255, 6615), 0, 0, 1, 2},
                     {"RichTextBox2", rectTwips(5400, 480, 6135, 3015), 1, 0, 0, 1},
                     {"RichTextBox3", rectTwips(5400, 4920, 6255, 2535), 1, 1, 0, 1},
                     {"combo0001a", rectTwips(1680, 480, 3255, 285), 0, 0, 1, 0},
                     {"example", rectTwips(5400, 4440, 6255, 495), 1, 1, 0, 0},
                     {"Shape4", rectTwips(5280, 4080, 6495, 3495), 1, 1, 0, 1}};
        for (const QSize &grow : {QSize(0, 0), QSize(400, 300)}) {
            f.w.resize(canvas->minimumSize() + grow + QSize(0, f.w.height() - canvas->height()));
            QTRY_COMPARE(canvas->size(), canvas->minimumSize() + grow);
            const int w = grow.width(), h = grow.height() / 2;
            for (const auto &p : panes) {
                const QRect &r = p.designed;
                QCOMPARE(f.w.findChild<QWidget *>(p.name)->geometry(),
                         QRect(r.x() + p.dx * w, r.y() + p.dy * h, r.width() + p.dw * w,
                               r.height() + p.dh * h));
            }
        }
    }
};

TORVANE_TEST(TstEditing);
#include "tst_editing.moc"
