// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program pane's margin with line numbers beside the breakpoint dots, its
// lines counted as the checks count them, the paused line readable in both
// themes, and the calculator screen's zoom.
#include "common/TestRegistry.h"

#include "calc/Tokens.h"
#include "calculator/frmCalculator.h"
#include "debug/Debugger.h"
#include "editor/EditorOptions.h"
#include "editor/Highlighter.h"
#include "editor/frmDocument.h"
#include "platform/Theme.h"

#include <QApplication>
#include <QTest>

using editor::EditorOptions;
using editor::frmDocument;
using Theme = EditorOptions::Theme;

namespace
{
struct Fixture {
    testing::IsolatedProfile profile;
    frmDocument *w = new frmDocument;
    debug::Debugger *debugger = new debug::Debugger(w);
    Fixture() { w->show(); }
    ~Fixture() { delete w; }
    platform::RichTextBox *pane() const { return w->RichTextBox1; }
    QWidget *margin() const { return pane()->findChild<QWidget *>("picBreakpoints"); }
};

QString lines(int count)
{
    QStringList all;
    for (int i = 1; i <= count; ++i)
        all << QStringLiteral("Disp %1").arg(i);
    return all.join(QStringLiteral("\r\n"));
}
} // namespace

class TstMargin : public QObject
{
    Q_OBJECT
private slots:
    // The margin widens for the numbers it must show and narrows when they
    // are switched off; the text always starts right of it.
    void marginFitsTheNumbers()
    {
        Fixture f;
        QVERIFY(f.margin());
        f.pane()->setText(lines(9));
        const int nine = f.pane()->leftMarginWidth();
        QCOMPARE(f.margin()->width(), nine);
        f.pane()->setText(lines(1200));
        const int many = f.pane()->leftMarginWidth();
        QCOMPARE(f.margin()->width(), many);
        QVERIFY2(many > nine, qPrintable(QStringLiteral("%1 %2").arg(many).arg(nine)));
        EditorOptions::instance().applyView(false, EditorOptions::fontSize(), Theme::Light);
        const int off = f.pane()->leftMarginWidth();
        QCOMPARE(f.margin()->width(), off);
        QVERIFY(off > 0 && off < nine);
    }

    // A line too long for the pane wraps; the margin, the status bar's "Ln"
    // and the checks still count it as one line.
    void linesCountedAsTheChecksDo_data()
    {
        QTest::addColumn<int>("badLine");
        QTest::newRow("after a wrapped line") << 3;
        QTest::newRow("on the first line") << 1;
        QTest::newRow("at the end") << 5;
    }
    void linesCountedAsTheChecksDo()
    {
        QFETCH(int, badLine);
        Fixture f;
        f.w->resize(500, 400);
        QStringList text = lines(5).split(QStringLiteral("\r\n"));
        text[1] = QStringLiteral("Disp ") + QString(60, QLatin1Char('A')) + QStringLiteral("+1");
        text[badLine - 1] += QChar(237);
        f.pane()->setText(text.join(QStringLiteral("\r\n")));
        QTest::qWait(0);
        const calc::tokens::Tokenized t = calc::tokens::tokenize(f.pane()->Text());
        QCOMPARE(t.errorLine, badLine);
        f.w->goToLine(badLine);
        QVERIFY(f.w->statusFigures().startsWith(QStringLiteral("Ln %1,").arg(badLine)));
        const int y = f.pane()->cursorRect().center().y();
        QTest::mouseClick(f.margin(), Qt::LeftButton, Qt::NoModifier, QPoint(2, y));
        QCOMPARE(f.debugger->breakpoints(), QList<int>{badLine});
    }

    // Text of every highlighting colour stays readable on the paused line
    // and statement of each theme.
    void pausedLineReadable_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("statement");
        for (bool dark : {false, true})
            for (bool statement : {false, true})
                for (int c = 0; c < int(calc::syntax::Category::Count); ++c)
                    QTest::addRow("%s %s %d", dark ? "dark" : "light",
                                  statement ? "statement" : "line", c)
                        << c << dark << statement;
    }
    void pausedLineReadable()
    {
        QFETCH(int, category);
        QFETCH(bool, dark);
        QFETCH(bool, statement);
        const QColor text =
            category == 0 ? platform::theme::themed(QPalette(), dark).color(QPalette::Text)
                          : editor::Highlighter::colour(calc::syntax::Category(category), dark);
        const double ratio = platform::theme::contrast(text, debug::pausedColour(dark, statement));
        QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
    }

    // The calculator screen zooms by whole pixels, within bounds, and a
    // calculator window opened later keeps the scale.
    void calculatorZoom_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("scale");
        using calculator::frmCalculator;
        QTest::newRow("Ctrl+=") << QList<int>{Qt::Key_Equal} << frmCalculator::kDefaultScale + 1;
        QTest::newRow("Ctrl+-") << QList<int>{Qt::Key_Minus} << frmCalculator::kDefaultScale - 1;
        QTest::newRow("Ctrl+0") << QList<int>{Qt::Key_Equal, Qt::Key_0}
                                << frmCalculator::kDefaultScale;
        QTest::newRow("not below 1") << QList<int>(6, Qt::Key_Minus) << frmCalculator::kMinScale;
        QTest::newRow("not above the most")
            << QList<int>(9, Qt::Key_Equal) << frmCalculator::kMaxScale;
    }
    void calculatorZoom()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, scale);
        Fixture f;
        calculator::frmCalculator *calc = f.debugger->calculator();
        calc->show();
        for (int key : keys)
            QTest::keyClick(calc, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(calc->picScreen->width(), 96 * scale);
        QCOMPARE(calc->picScreen->height(), 64 * scale);
        calculator::frmCalculator later;
        QCOMPARE(later.picScreen->width(), 96 * scale);
    }

    // The calculator window follows the theme chosen while it is open.
    void calculatorFollowsTheTheme()
    {
        Fixture f;
        calculator::frmCalculator *calc = f.debugger->calculator();
        EditorOptions::instance().applyView(true, 10, Theme::Dark);
        QVERIFY(platform::theme::isDark(calc->palette()));
        EditorOptions::instance().applyView(true, 10, Theme::Light);
        QVERIFY(!platform::theme::isDark(calc->palette()));
    }
};

TORVANE_TEST(TstMargin);
#include "tst_margin.moc"
