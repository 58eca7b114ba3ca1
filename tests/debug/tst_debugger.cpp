// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator window and the debugger as a user drives them: F5 in a
// document window, keys in the calculator window, breakpoints and steps.
#include "common/TestRegistry.h"

#include "calc/CalculatorSymbols.h"
#include "calculator/frmCalculator.h"
#include "debug/Debugger.h"
#include "editor/Document.h"
#include "editor/ModelChooser.h"
#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

using calculator::frmCalculator;
using editor::frmDocument;
using Wait = calculator::Session::Wait;

namespace
{

struct Fixture {
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    frmDocument *w = new frmDocument;
    debug::Debugger *debugger = new debug::Debugger(w);

    explicit Fixture(const QString &program)
    {
        platform::dialogs::setScript(&script);
        w->setWindowTitle(QStringLiteral("GAME"));
        QString model = calc::calcsymbols::fromUnicode(program).text;
        model.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        // Opened from a file, so the window starts unmodified.
        w->RichTextBox1->setText(model);
        const QString path = profile.path() + QStringLiteral("/GAME.tvf");
        QFile file(path);
        QString error;
        if (!file.open(QIODevice::WriteOnly) || file.write(w->RichTextBox1->toRtf()) < 0 ||
            (file.close(), !w->openFile(path, &error)))
            qWarning("%s", qPrintable(error));
        w->show();
    }
    ~Fixture()
    {
        platform::dialogs::setScript(nullptr);
        delete w;
    }
    void trigger(const char *name) { w->action(QLatin1String(name))->trigger(); }
    frmCalculator *calc() const { return debugger->calculator(); }
    // The home screen's rows with text, joined by '|'.
    QString screen() const
    {
        QStringList rows;
        for (int r = 0; r < 8; ++r)
            rows << calc()->shown().home.row(r).trimmed();
        rows.removeAll(QString());
        return rows.join(QLatin1Char('|'));
    }
    QString variable(const QString &name) const
    {
        QTableWidget *t = calc()->lstVariables;
        for (int r = 0; r < t->rowCount(); ++r)
            if (t->item(r, 0)->text() == name)
                return t->item(r, 1)->text();
        return QStringLiteral("(none)");
    }
    bool waitFor(Wait what)
    {
        return QTest::qWaitFor([&] {
            return calc()->session().waiting() == what &&
                   calc()->shown().home.generation() == calc()->session().frame().home.generation();
        });
    }
    bool waitEnded()
    {
        return QTest::qWaitFor([&] { return !calc()->isRunning(); }, 5000);
    }
};

} // namespace

class TstDebugger : public QObject
{
    Q_OBJECT

private slots:
    void guessingGameWithKeys()
    {
        Fixture f(QStringLiteral("ClrHome\nDisp \"PRESS ENTER\"\nRepeat getKey=105\nEnd\n"
                                 "37→N:0→T\nRepeat G=N\nInput \"GUESS?\",G\nT+1→T\n"
                                 "If G<N:Disp \"HIGHER\"\nIf G>N:Disp \"LOWER\"\nEnd\n"
                                 "Disp \"GOT IT IN\",T"));
        f.trigger("mnuRunProgram");
        QVERIFY(f.calc()->isVisible());
        QTRY_COMPARE(f.screen(), QStringLiteral("PRESS ENTER"));
        // The Enter key is getKey's 105 while no Input waits.
        QTest::keyClick(f.calc(), Qt::Key_Return);
        int low = 1, high = 100, guesses = 0;
        for (;;) {
            QVERIFY(f.waitFor(Wait::Answer));
            const int guess = (low + high) / 2;
            QTest::keyClicks(f.calc(), QString::number(guess));
            QCOMPARE(f.calc()->typed(), QString::number(guess));
            QTest::keyClick(f.calc(), Qt::Key_Return);
            ++guesses;
            QString verdict;
            QVERIFY(QTest::qWaitFor([&] {
                const QString s = f.screen();
                const QString typed = QStringLiteral("GUESS?%1|").arg(guess);
                const int at = int(s.lastIndexOf(typed));
                verdict = at < 0 ? QString() : s.mid(at + typed.size()).section(u'|', 0, 0);
                return !verdict.isEmpty();
            }));
            if (verdict == QStringLiteral("GOT IT IN"))
                break;
            if (verdict == QStringLiteral("HIGHER"))
                low = guess + 1;
            else if (verdict == QStringLiteral("LOWER"))
                high = guess - 1;
            else
                QFAIL(qPrintable(f.screen()));
            QVERIFY(guesses < 8);
        }
        QVERIFY(f.waitEnded());
        QVERIFY(f.screen().endsWith(QStringLiteral("GOT IT IN|%1|Done").arg(guesses)));
        QCOMPARE(f.variable(QStringLiteral("N")), QStringLiteral("37"));
    }

    void calculatorTitledWithTheProgramName_data()
    {
        QTest::addColumn<QString>("file"); // saved as, in the profile; null: never saved
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        // The name an export would suggest...
        QTest::newRow("default window") << QString() << "frmDocument"
                                        << "Calculator - prgmFRMDOCUM";
        QTest::newRow("numbered window") << QString() << "Document 3"
                                         << "Calculator - prgmDOCUMENT";
        QTest::newRow("saved") << "guess.tvf"
                               << "frmDocument"
                               << "Calculator - prgmGUESS";
        // ...else the file's base name, else the caption.
        QTest::newRow("file name without letters") << "2048.tvf"
                                                   << "Document 1"
                                                   << "Calculator - prgm2048";
        QTest::newRow("caption without letters") << QString() << "42"
                                                 << "Calculator - prgm42";
    }
    void calculatorTitledWithTheProgramName()
    {
        QFETCH(QString, file);
        QFETCH(QString, caption);
        Fixture f(QStringLiteral("Disp 1"));
        auto *w = new frmDocument;
        auto *debugger = new debug::Debugger(w);
        w->setWindowTitle(caption);
        w->RichTextBox1->setText(QStringLiteral("Disp 1"));
        if (!file.isNull())
            QVERIFY(w->document()->saveTo(f.profile.path() + u'/' + file));
        w->action(QStringLiteral("mnuRunProgram"))->trigger();
        QTEST(debugger->calculator()->windowTitle(), "title");
        QTRY_VERIFY(!debugger->calculator()->isRunning());
        delete w;
    }
    void breakpointAndSteps()
    {
        Fixture f(QStringLiteral("0→S\nFor(I,1,3)\nS+I→S\nEnd\nDisp S"));
        f.debugger->toggleBreakpoint(3);
        f.trigger("mnuRunProgram");
        QVERIFY(f.waitFor(Wait::Paused));
        QCOMPARE(f.debugger->currentLine(), 3);
        QCOMPARE(f.variable("I") + "," + f.variable("S"), QStringLiteral("1,0"));
        f.trigger("mnuRunProgram"); // on to the breakpoint again
        QTRY_COMPARE(f.variable("I") + "," + f.variable("S"), QStringLiteral("2,1"));
        QVERIFY(f.waitFor(Wait::Paused));
        f.trigger("mnuRunStep");
        QTRY_COMPARE(f.debugger->currentLine(), 4);
        QCOMPARE(f.variable("S"), QStringLiteral("3"));
        f.debugger->toggleBreakpoint(3);
        QCOMPARE(f.debugger->breakpoints(), QList<int>());
        f.trigger("mnuRunProgram");
        QVERIFY(f.waitEnded());
        QCOMPARE(f.debugger->currentLine(), 0);
        QCOMPARE(f.screen(), QStringLiteral("6|Done"));
        QCOMPARE(f.variable("S"), QStringLiteral("6"));
    }

    void stepFromTheStart()
    {
        Fixture f(QStringLiteral("1→A:2→B\n3→C"));
        f.trigger("mnuRunStep");
        auto statement = [&] {
            const auto [from, to] = f.debugger->currentStatement();
            return f.w->RichTextBox1->textRange(from, to - from);
        };
        QVERIFY(f.waitFor(Wait::Paused));
        QCOMPARE(f.debugger->currentLine(), 1);
        QCOMPARE(statement(), calc::calcsymbols::fromUnicode(QStringLiteral("1→A")).text);
        f.trigger("mnuRunStep"); // the second statement of line 1
        // The variables view may show A before the pause on the next statement.
        QTRY_COMPARE(statement(), calc::calcsymbols::fromUnicode(QStringLiteral("2→B")).text);
        QTRY_COMPARE(f.variable("A"), QStringLiteral("1"));
        QCOMPARE(f.debugger->currentLine(), 1);
        f.trigger("mnuRunStep");
        QTRY_COMPARE(f.debugger->currentLine(), 2);
        QCOMPARE(statement(), calc::calcsymbols::fromUnicode(QStringLiteral("3→C")).text);
        QCOMPARE(f.variable("B"), QStringLiteral("2"));
        QCOMPARE(f.variable("C"), QStringLiteral("0"));
    }

    void stopsARunawayLoop_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("Stop") << "mnuRunStop";
        QTest::newRow("editing") << "edit";
        QTest::newRow("while Input waits") << "Input";
    }
    void stopsARunawayLoop()
    {
        QFETCH(QString, how);
        Fixture f(how == "Input" ? QStringLiteral("Disp 1\nInput A")
                                 : QStringLiteral("Disp 1\nWhile 1\nEnd"));
        f.trigger("mnuRunProgram");
        QVERIFY(QTest::qWaitFor([&] { return f.screen() == "1"; }));
        if (how == "Esc" || how == "Input")
            QTest::keyClick(f.calc(), Qt::Key_Escape);
        else if (how == "edit")
            f.w->RichTextBox1->setText(QStringLiteral("Disp 2"));
        else
            f.trigger(qPrintable(how));
        QVERIFY(f.waitEnded());
        QCOMPARE(f.calc()->session().outcome().error, calc::basic::Error::Break);
        QVERIFY(f.calc()->lblStatus->text().startsWith(QStringLiteral("ERR:BREAK at line ")));
    }

    void errorSelectsItsLine()
    {
        Fixture f(QStringLiteral("Disp 1\n1/0\nDisp 2"));
        f.trigger("mnuRunProgram");
        QVERIFY(f.waitEnded());
        QCOMPARE(f.calc()->lblStatus->text(), QStringLiteral("ERR:DIVIDE BY 0 at line 2"));
        QCOMPARE(f.w->RichTextBox1->SelText(), QStringLiteral("1/0"));
    }

    void marksStayOutOfTheText()
    {
        Fixture f(QStringLiteral("For(I,1,2)\nDisp I\nEnd"));
        const QByteArray rtf = f.w->RichTextBox1->toRtf();
        const QString text = f.w->RichTextBox1->Text();
        const bool undo = f.w->mnuUndo->isEnabled();
        QVERIFY(!f.w->isModified());
        f.debugger->toggleBreakpoint(2);
        f.debugger->toggleBreakpoint(3);
        f.trigger("mnuRunProgram");
        QVERIFY(f.waitFor(Wait::Paused));
        QCOMPARE(f.debugger->breakpoints(), (QList<int>{2, 3}));
        QCOMPARE(f.w->RichTextBox1->Text(), text);
        QCOMPARE(f.w->RichTextBox1->toRtf(), rtf);
        QVERIFY(!f.w->isModified());
        QCOMPARE(f.w->mnuUndo->isEnabled(), undo);
        f.trigger("mnuRunStop");
        QVERIFY(f.waitEnded());
        QCOMPARE(f.w->RichTextBox1->toRtf(), rtf);
        QVERIFY(!f.w->isModified());
        QCOMPARE(f.w->mnuUndo->isEnabled(), undo);
        // Marks move with the lines they are on.
        f.w->RichTextBox1->setSelStart(0);
        QTest::keyClicks(f.w->RichTextBox1, "ClrHome");
        QTest::keyClick(f.w->RichTextBox1, Qt::Key_Return);
        QCOMPARE(f.debugger->breakpoints(), (QList<int>{3, 4}));
        // Another program in the window keeps none of them.
        f.w->RichTextBox1->setText(QStringLiteral("Disp 1\r\nDisp 2\r\nDisp 3\r\nDisp 4"));
        QCOMPARE(f.debugger->breakpoints(), QList<int>());
    }

    void graphScreenInTheWindow()
    {
        Fixture f(QStringLiteral("Disp 1\n5→A:AxesOff:ClrDraw:Pxl-On(2,3\nPause\nDisp 2"));
        f.trigger("mnuRunProgram");
        QVERIFY(f.waitFor(Wait::Enter));
        QVERIFY(f.calc()->shown().graphShown);
        QVERIFY(f.calc()->shown().graph.pixel(2, 3));
        QCOMPARE(f.variable("A"), QStringLiteral("5"));
        QTest::keyClick(f.calc(), Qt::Key_Return);
        QVERIFY(f.waitEnded());
        QVERIFY(!f.calc()->shown().graphShown);
        QCOMPARE(f.screen(), QStringLiteral("1|2|Done"));
    }

    // The model chosen in the document decides the calculator the window
    // runs as: the CE's home screen is 26 columns wide, the TI-83 Plus's 16.
    void runsAsTheDocumentsModel()
    {
        Fixture f(QStringLiteral("Output(1,20,\"X\")"));
        f.trigger("mnuRunProgram");
        QVERIFY(f.waitEnded());
        QVERIFY(f.calc()->lblStatus->text().contains(QStringLiteral("ERR:DOMAIN")));

        editor::ModelChooser::of(f.w)->setModel(calc::models::Model::Ti84PlusCE);
        f.trigger("mnuRunProgram");
        QVERIFY(f.waitEnded());
        QVERIFY(!f.calc()->lblStatus->text().contains(QStringLiteral("ERR")));
        QCOMPARE(f.calc()->shown().home.row(0).trimmed(), QStringLiteral("X"));
    }

    void menuAndInputScroll()
    {
        Fixture f(QStringLiteral("For(I,1,8):Disp I:End\nInput \"N?\",N\n"
                                 "Menu(\"MAIN\",\"PLAY\",P,\"QUIT\",Q\nLbl P\nDisp 0\n"
                                 "Lbl Q\nDisp N"));
        f.trigger("mnuRunProgram");
        QVERIFY(f.waitFor(Wait::Answer));
        QCOMPARE(f.calc()->shown().home.prompt(), QStringLiteral("N?"));
        QTest::keyClicks(f.calc(), "12");
        QTest::keyClick(f.calc(), Qt::Key_Backspace);
        QTest::keyClick(f.calc(), Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([&] { return !f.calc()->shown().home.menu().isEmpty(); }));
        QCOMPARE(f.calc()->shown().home.menu(), (QStringList{"MAIN", "PLAY", "QUIT"}));
        QTest::keyClick(f.calc(), Qt::Key_Down);
        QTest::keyClick(f.calc(), Qt::Key_Return);
        QVERIFY(f.waitEnded());
        QVERIFY2(f.screen().endsWith(QStringLiteral("N?1|1|Done")), qPrintable(f.screen()));
    }
};

TORVANE_TEST(TstDebugger);
#include "tst_debugger.moc"
