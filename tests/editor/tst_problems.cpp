// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The checks in a document window: underlines as display only, F8 and
// Shift+F8, the problems list, hints applied as one undo step, the counts.
#include "calc/TokenCodes.h"
#include "calc/Tokens.h"
#include "common/TestRegistry.h"

#include "editor/EditorOptions.h"
#include "editor/ProblemMarks.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "editor/frmProblems.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using editor::frmDocument;
using editor::ProblemMarks;

namespace
{
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
    ProblemMarks *marks() { return ProblemMarks::of(pane()); }
    // Types a program, a line at a time, and waits for the checks.
    void type(const QStringList &lines)
    {
        for (int i = 0; i < lines.size(); ++i) {
            if (i)
                QTest::keyClick(pane(), Qt::Key_Return);
            QTest::keyClicks(pane(), lines[i]);
        }
        QSignalSpy checked(marks(), &ProblemMarks::problemsChanged);
        QVERIFY(checked.wait(5000));
    }
    int marksShown()
    {
        int n = 0;
        for (const auto &s : pane()->extraSelections())
            n += s.format.underlineStyle() != QTextCharFormat::NoUnderline;
        return n;
    }
};
} // namespace

class TstProblems : public QObject
{
    Q_OBJECT
private slots:
    // An End without a block and a missing label are underlined while
    // typing, with nothing recorded: no undo entry, no modified flag.
    void underlinesAreDisplayOnly()
    {
        Fixture f;
        f.type({"End", "If A", "Goto B"});
        const int undoBefore = f.w.history().undoCount();
        QCOMPARE(f.marks()->count(calc::checks::Severity::Error), 2);
        QCOMPARE(f.marksShown(), 2);
        QVERIFY(f.w.statusFigures().endsWith(QStringLiteral("2 errors")));
        QCOMPARE(f.w.history().undoCount(), undoBefore);
        QCOMPARE(f.pane()->Text(), QStringLiteral("End\r\nIf A\r\nGoto B"));
        // Switched off: no marks and no counts.
        editor::EditorOptions::instance().applyChecks(false, true);
        QCOMPARE(f.marksShown(), 0);
        QVERIFY(!f.w.statusFigures().contains(QStringLiteral("error")));
        editor::EditorOptions::instance().applyChecks(true, true);
        QCOMPARE(f.marksShown(), 2);
    }

    void nextAndPrevious()
    {
        Fixture f;
        f.type({"End", "Disp 1", "End"});
        f.pane()->setSelStart(0);
        QAction *next = f.w.action(QStringLiteral("mnuNextProblem"));
        QAction *previous = f.w.action(QStringLiteral("mnuPreviousProblem"));
        QCOMPARE(next->shortcut(), QKeySequence(Qt::Key_F8));
        QCOMPARE(previous->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F8));
        QSignalSpy said(&f.w, &editor::frmDocument::statusMessage);
        next->trigger();
        QCOMPARE(f.pane()->SelStart(), 13); // the second End
        QCOMPARE(f.pane()->SelLength(), 3);
        // The status bar says what is selected.
        QCOMPARE(said.count(), 1);
        QCOMPARE(said.last().at(0).toString(),
                 QStringLiteral("error: End without a block to close (ERR:SYNTAX)"));
        next->trigger();
        QCOMPARE(f.pane()->SelStart(), 0); // round the end
        previous->trigger();
        QCOMPARE(f.pane()->SelStart(), 13);
    }

    // The list jumps to a problem; all hints are applied as one undo step.
    void problemsList()
    {
        Fixture f;
        f.type({"Disp int(2.5)", ":Disp 0.5"});
        f.w.action(QStringLiteral("mnuCheckProgram"))->trigger();
        auto *list = f.w.findChild<editor::frmProblems *>(QStringLiteral("frmProblems"));
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->lstProblems->topLevelItemCount(), 3);
        QCOMPARE(list->lstProblems->topLevelItem(1)->text(3),
                 QStringLiteral("a line needs no leading : (saves 1 byte)"));
        emit list->lstProblems->itemActivated(list->lstProblems->topLevelItem(1), 0);
        QCOMPARE(f.pane()->SelStart(), 15);
        const int undoBefore = f.w.history().undoCount();
        QVERIFY(list->cmdApplyAll->isEnabled());
        list->cmdApplyAll->click();
        QCOMPARE(f.pane()->Text(), QStringLiteral("Disp int(2.5\r\nDisp .5"));
        QCOMPARE(f.w.history().undoCount(), undoBefore + 1);
        QVERIFY(f.w.isModified());
        // What is left is proven again: one Disp of both. An empty list says so.
        QCOMPARE(list->lstProblems->topLevelItemCount(), 1);
        QCOMPARE(list->lstProblems->topLevelItem(0)->text(3), QStringLiteral("No problems"));
        f.w.Undo();
        QCOMPARE(f.pane()->Text(), QStringLiteral("Disp int(2.5)\r\n:Disp 0.5"));
        // One hint alone.
        f.marks()->checkNow();
        list->lstProblems->setCurrentItem(list->lstProblems->topLevelItem(0));
        QVERIFY(list->cmdApplyHint->isEnabled());
        list->cmdApplyHint->click();
        QCOMPARE(f.pane()->Text(), QStringLiteral("Disp int(2.5\r\n:Disp 0.5"));
    }

    // The list opens beside the document, never over its text: beside
    // the window where the screen has room, else beside the program pane.
    void listBesideDocument_data()
    {
        QTest::addColumn<QPoint>("document");
        QTest::newRow("top left") << QPoint(0, 0);
        QTest::newRow("moved down") << QPoint(0, 150);
    }
    void listBesideDocument()
    {
        QFETCH(QPoint, document);
        Fixture f;
        f.w.move(document);
        f.type({"End"});
        f.w.action(QStringLiteral("mnuCheckProgram"))->trigger();
        auto *list = f.w.findChild<editor::frmProblems *>(QStringLiteral("frmProblems"));
        QVERIFY(list && list->isVisible());
        const QRect text(f.pane()->mapToGlobal(QPoint(0, 0)), f.pane()->size());
        const QRect at = list->frameGeometry();
        QVERIFY2(!text.intersects(at),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 over the text at %5,%6 %7x%8")
                                .arg(at.x())
                                .arg(at.y())
                                .arg(at.width())
                                .arg(at.height())
                                .arg(text.x())
                                .arg(text.y())
                                .arg(text.width())
                                .arg(text.height())));
        QVERIFY(list->screen()->availableGeometry().contains(at));
    }

    // Each kind has an icon of its own; the message takes the width the
    // other columns leave and shows its whole text as a tooltip.
    void listRows()
    {
        Fixture f;
        f.type({"End", "Lbl A", "While 1", "Disp int(2.5)"});
        f.w.action(QStringLiteral("mnuCheckProgram"))->trigger();
        auto *list = f.w.findChild<editor::frmProblems *>(QStringLiteral("frmProblems"));
        QVERIFY(list);
        QTreeWidget *rows = list->lstProblems;
        QHash<QString, QImage> icons; // kind to its icon
        for (int i = 0; i < rows->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = rows->topLevelItem(i);
            QCOMPARE(item->toolTip(3), item->text(3));
            const QImage icon = item->icon(2).pixmap(16, 16).toImage();
            QVERIFY(!icon.isNull());
            icons.insert(item->text(2), icon);
        }
        QCOMPARE(icons.size(), 4); // error, warning, note, hint
        const QList<QImage> images = icons.values();
        for (int a = 0; a < images.size(); ++a) {
            for (int b = a + 1; b < images.size(); ++b)
                QVERIFY(images[a] != images[b]);
        }
        int others = 0;
        for (int c = 0; c < 3; ++c)
            others += rows->columnWidth(c);
        QVERIFY(rows->columnWidth(3) >= rows->viewport()->width() - others - 1);
        QVERIFY(rows->columnWidth(3) > others);
    }

    // One list serves the documents of a workspace: it follows the one in
    // use, stands beside it, and a fix applied leaves no row behind.
    void listFollowsTheActiveDocument()
    {
        testing::IsolatedProfile profile;
        QWidget frame;
        frame.resize(900, 600);
        auto *area = new QMdiArea(&frame);
        area->resize(frame.size());
        auto *first = new frmDocument, *second = new frmDocument;
        QMdiSubWindow *sub1 = area->addSubWindow(first);
        area->addSubWindow(second);
        frame.show();
        QApplication::setActiveWindow(&frame);
        QTest::keyClicks(first->RichTextBox1, QStringLiteral("Goto B"));
        QTest::keyClicks(second->RichTextBox1, QStringLiteral("While 1"));
        area->setActiveSubWindow(sub1);
        first->RichTextBox1->setFocus();
        first->action(QStringLiteral("mnuCheckProgram"))->trigger();
        auto *list = frame.findChild<editor::frmProblems *>(QStringLiteral("frmProblems"));
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->lstProblems->topLevelItem(0)->text(3),
                 QStringLiteral("no Lbl B to go to (ERR:LABEL)"));
        const QRect doc(sub1->mapToGlobal(QPoint(0, 0)), sub1->size());
        QVERIFY(!doc.intersects(list->frameGeometry()));
        QVERIFY(list->screen()->availableGeometry().contains(list->frameGeometry().topLeft()));

        QApplication::setActiveWindow(&frame);
        second->RichTextBox1->setFocus();
        QTRY_COMPARE(list->marks(), ProblemMarks::of(second->RichTextBox1));
        QVERIFY(list->lstProblems->topLevelItem(0)->text(3).startsWith(
            QStringLiteral("While is never closed")));
        // The fix inserts End; the row goes with it.
        list->lstProblems->setCurrentItem(list->lstProblems->topLevelItem(0));
        QCOMPARE(list->cmdApplyHint->toolTip(), QStringLiteral("Insert End"));
        list->cmdApplyHint->click();
        QCOMPARE(second->RichTextBox1->Text(), QStringLiteral("While 1\r\nEnd"));
        QCOMPARE(list->lstProblems->topLevelItem(0)->text(3), QStringLiteral("No problems"));

        QApplication::setActiveWindow(&frame);
        first->RichTextBox1->setFocus();
        QTRY_COMPARE(list->marks(), ProblemMarks::of(first->RichTextBox1));
        list->lstProblems->setCurrentItem(list->lstProblems->topLevelItem(0));
        QCOMPARE(list->cmdApplyHint->toolTip(), QStringLiteral("Add Lbl B at the end"));
        list->cmdApplyHint->click();
        QCOMPARE(first->RichTextBox1->Text(), QStringLiteral("Goto B\r\nLbl B"));
        for (int i = 0; i < list->lstProblems->topLevelItemCount(); ++i)
            QVERIFY(!list->lstProblems->topLevelItem(i)->text(3).contains(u"no Lbl"));
        // A document closed takes its rows along.
        delete sub1;
        QCOMPARE(list->lstProblems->topLevelItem(0)->text(3), QStringLiteral("No problems"));
    }

    // A minus typed where a number starts is the negation sign; Undo gives
    // back the minus. At a line's start it subtracts from Ans and stays.
    void typedMinus()
    {
        Fixture f;
        const QString neg = calc::tokens::modelSpelling(calc::tok::Neg);
        QTest::keyClicks(f.pane(), QStringLiteral("Line(-"));
        QCOMPARE(f.pane()->Text(), QStringLiteral("Line(") + neg);
        f.w.Undo();
        QCOMPARE(f.pane()->Text(), QStringLiteral("Line(-"));
        QTest::keyClick(f.pane(), Qt::Key_Return);
        QTest::keyClicks(f.pane(), QStringLiteral("-1+A-2"));
        QCOMPARE(f.pane()->Text(), QStringLiteral("Line(-\r\n-1+A-2"));
    }
};

TORVANE_TEST(TstProblems);
#include "tst_problems.moc"
