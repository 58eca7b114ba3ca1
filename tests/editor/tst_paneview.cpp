// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the program pane is shown: zoom by keys and wheel, kept per user and
// never saved into the file; the light and dark themes, readable in both.
#include "common/TestRegistry.h"

#include "calc/CalculatorSymbols.h"
#include "editor/EditorOptions.h"
#include "editor/Highlighter.h"
#include "editor/frmDocument.h"
#include "platform/Theme.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

using editor::EditorOptions;
using editor::frmDocument;
using Theme = EditorOptions::Theme;
// Keys pressed in turn, each as key and modifiers.
using Keys = QList<QPair<int, int>>;

namespace
{
struct Fixture {
    testing::IsolatedProfile profile;
    frmDocument *w = new frmDocument;
    Fixture()
    {
        w->show();
        QApplication::setActiveWindow(w);
        w->RichTextBox1->setFocus();
    }
    ~Fixture() { delete w; }
    platform::RichTextBox *pane() const { return w->RichTextBox1; }
    int shown() const { return qRound(pane()->font().pointSizeF()); }
    void wheel(int delta, Qt::KeyboardModifiers mods)
    {
        QWidget *v = pane()->viewport();
        const QPointF at(10, 10);
        QWheelEvent e(at, v->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(v, &e);
    }
};
} // namespace

class TstPaneView : public QObject
{
    Q_OBJECT
private slots:
    // Keys as "key+modifiers" pressed in turn; the zoom they leave, and the
    // text they type (Ctrl+Shift+= is the not-equal key, not a zoom).
    void zoomKeys_data()
    {
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("typed");
        const int ctrl = Qt::ControlModifier;
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("Ctrl+=") << Keys{{Qt::Key_Equal, ctrl}} << 1 << QString();
        QTest::newRow("Ctrl+= twice")
            << Keys{{Qt::Key_Equal, ctrl}, {Qt::Key_Equal, ctrl}} << 2 << QString();
        QTest::newRow("Ctrl+-") << Keys{{Qt::Key_Minus, ctrl}} << -1 << QString();
        QTest::newRow("keypad Ctrl++")
            << Keys{{Qt::Key_Plus, ctrl | Qt::KeypadModifier}} << 1 << QString();
        QTest::newRow("Ctrl+0 resets")
            << Keys{{Qt::Key_Equal, ctrl}, {Qt::Key_Equal, ctrl}, {Qt::Key_0, ctrl}} << 0
            << QString();
        QTest::newRow("Ctrl and + (Shift+= on a US keyboard) zooms")
            << Keys{{Qt::Key_Plus, ctrlShift}} << 1 << QString();
        QTest::newRow("Ctrl+Shift+N types not-equal")
            << Keys{{Qt::Key_N, ctrlShift}} << 0 << calc::calcsymbols::fromUnicode(u"≠").text;
        QTest::newRow("Ctrl+Shift+- types negation") << Keys{{Qt::Key_Underscore, ctrlShift}} << 0
                                                     << calc::calcsymbols::fromUnicode(u"⁻").text;
    }
    void zoomKeys()
    {
        QFETCH(Keys, keys);
        QFETCH(int, zoom);
        QFETCH(QString, typed);
        Fixture f;
        const int before = f.shown();
        for (const auto &[key, mods] : keys)
            QTest::keyClick(f.pane(), Qt::Key(key), Qt::KeyboardModifiers(mods));
        QCOMPARE(EditorOptions::zoom(), zoom);
        QCOMPARE(f.shown(), before + zoom);
        QCOMPARE(f.pane()->Text(), typed);
    }

    // Ctrl+wheel zooms a step per notch (small deltas add up); a plain wheel
    // scrolls.
    void zoomByWheel_data()
    {
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<int>("zoom");
        QTest::newRow("one notch up") << QList<int>{120} << true << 1;
        QTest::newRow("two notches down") << QList<int>{-120, -120} << true << -2;
        QTest::newRow("half notches add up") << QList<int>{60, 30, 30} << true << 1;
        QTest::newRow("no Ctrl") << QList<int>{120} << false << 0;
    }
    void zoomByWheel()
    {
        QFETCH(QList<int>, deltas);
        QFETCH(bool, ctrl);
        QFETCH(int, zoom);
        Fixture f;
        for (int d : deltas)
            f.wheel(d, ctrl ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(EditorOptions::zoom(), zoom);
    }

    // The zoom is the user's: stored, found again by a window opened later
    // and after the settings are read anew; the file keeps its own size.
    void zoomKeptAndNeverSaved()
    {
        Fixture f;
        f.pane()->setText(QStringLiteral("Disp 1"));
        const QByteArray rtf = f.pane()->toRtf();
        const int before = f.shown();
        QTest::keyClick(f.pane(), Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(f.pane(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(f.pane()->toRtf(), rtf);
        // The store is read from its file each time, as after a restart.
        frmDocument later;
        QCOMPARE(qRound(later.RichTextBox1->font().pointSizeF()), before + 2);
    }

    // Zoom stops at the sizes a pane can show, and a step back from there is
    // seen at once; the options' font size moves every window.
    void zoomBounds()
    {
        Fixture f;
        EditorOptions::instance().applyView(true, EditorOptions::kMaxFontSize - 1, Theme::Light);
        QCOMPARE(f.shown(), EditorOptions::kMaxFontSize - 1);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(f.pane(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(f.shown(), EditorOptions::kMaxFontSize);
        QTest::keyClick(f.pane(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(f.shown(), EditorOptions::kMaxFontSize - 1);
    }

    // Switching the theme recolours the pane and its highlighting at once.
    void themeSwitch_data()
    {
        QTest::addColumn<int>("theme");
        QTest::addColumn<bool>("dark");
        QTest::newRow("dark") << int(Theme::Dark) << true;
        QTest::newRow("light") << int(Theme::Light) << false;
        QTest::newRow("desktop") << int(Theme::Desktop)
                                 << platform::theme::isDark(QApplication::palette());
    }
    void themeSwitch()
    {
        QFETCH(int, theme);
        QFETCH(bool, dark);
        Fixture f;
        // From the opposite theme, so that the switch is seen.
        EditorOptions::instance().applyView(true, 10, dark ? Theme::Light : Theme::Dark);
        EditorOptions::instance().applyView(true, 10, Theme(theme));
        QCOMPARE(platform::theme::isDark(f.pane()->palette()), dark);
        auto *h = editor::Highlighter::of(f.pane());
        QVERIFY(h);
        QCOMPARE(h->format(calc::syntax::Category::String).foreground().color(),
                 editor::Highlighter::colour(calc::syntax::Category::String, dark));
    }

    // Every highlighting colour, and the plain text, is readable on the
    // pane's background of its theme by the WCAG measure.
    void contrastOfEveryColour_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<bool>("dark");
        for (bool dark : {false, true})
            for (int c = 0; c < int(calc::syntax::Category::Count); ++c)
                QTest::addRow("%s category %d", dark ? "dark" : "light", c) << c << dark;
    }
    void contrastOfEveryColour()
    {
        QFETCH(int, category);
        QFETCH(bool, dark);
        const QPalette p = platform::theme::themed(QPalette(), dark);
        const QColor colour =
            category == 0 ? p.color(QPalette::Text)
                          : editor::Highlighter::colour(calc::syntax::Category(category), dark);
        const double ratio = platform::theme::contrast(colour, p.color(QPalette::Base));
        QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
    }

    // The WCAG formula against its documented values.
    void contrastFormula_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("same colour") << QColor(0x77, 0x77, 0x77) << QColor(0x77, 0x77, 0x77) << 1.0;
        QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
        QTest::newRow("order does not matter")
            << QColor(Qt::white) << QColor(0x76, 0x76, 0x76) << 4.54;
    }
    void contrastFormula()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QCOMPARE(qRound(platform::theme::contrast(a, b) * 100), qRound(ratio * 100));
    }
};

TORVANE_TEST(TstPaneView);
#include "tst_paneview.moc"
