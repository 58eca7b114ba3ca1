// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a new user reaches for first: the named variables from the menu and
// by completion, the zoom and save keys, the palette giving the keys back.
#include "common/TestRegistry.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "editor/EditorOptions.h"
#include "editor/SymbolPalette.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPointer>
#include <QTest>

using editor::frmDocument;

namespace
{

struct Fixture {
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    QPointer<frmDocument> w = new frmDocument;
    Fixture()
    {
        platform::dialogs::setScript(&script);
        w->show();
        QApplication::setActiveWindow(w);
        w->RichTextBox1->setFocus();
    }
    ~Fixture()
    {
        platform::dialogs::setScript(nullptr);
        delete w;
    }
    platform::RichTextBox *pane() { return w->RichTextBox1; }
    QString shown() { return calc::calcsymbols::toUnicode(pane()->Text()); }
};

} // namespace

class TstNewUser : public QObject
{
    Q_OBJECT

private slots:
    // "X²→Y₁ without a subscript key: Edit > Symbols has the equations.
    void namedVariablesFromTheMenu_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Y₁") << "mnuVarY1"
                            << "\"X²\"→Y₁";
        QTest::newRow("Y₀") << "mnuVarY0"
                            << "\"X²\"→Y₀";
        QTest::newRow("parametric") << "mnuVarY6T"
                                    << "\"X²\"→Y₆ᴛ";
        QTest::newRow("list") << "mnuVarL6"
                              << "\"X²\"→L₆";
        QTest::newRow("string") << "mnuVarStr0"
                                << "\"X²\"→Str0";
        QTest::newRow("image") << "mnuVarImage1"
                               << "\"X²\"→Image1";
        // Escaped, so that it stays one token in a string.
        QTest::newRow("statistics letter") << "mnuVarp"
                                           << "\"X²\"→⟦[p]⟧";
    }
    void namedVariablesFromTheMenu()
    {
        QFETCH(QString, item);
        Fixture f;
        f.pane()->setText(calc::calcsymbols::fromUnicode(u"\"X²\"→").text);
        f.pane()->setSelStart(f.pane()->TextLength());
        QAction *a = f.w->action(item);
        QVERIFY2(a, qPrintable(item));
        QVERIFY(f.w->menu(QStringLiteral("mnuSymbols"))->findChildren<QAction *>().contains(a));
        a->trigger();
        QTEST(f.shown(), "typed");
        QVERIFY(f.pane()->hasFocus());
    }

    // Ctrl+Space offers the variables the letters before the caret start.
    void completion()
    {
        Fixture f;
        f.pane()->setText(calc::calcsymbols::fromUnicode(u"1→").text);
        f.pane()->setSelStart(f.pane()->TextLength());
        QTest::keyClicks(f.pane(), QStringLiteral("Y1"));
        QTest::keyClick(f.pane(), Qt::Key_Space, Qt::ControlModifier);
        QMenu *popup = nullptr;
        QTRY_VERIFY((popup = f.w->findChild<QMenu *>(QStringLiteral("mnuCompletion"))) &&
                    popup->isVisible());
        QStringList offered;
        for (QAction *a : popup->actions())
            offered << a->objectName();
        QCOMPARE(offered, QStringList({"mnuCompleteY1", "mnuCompleteY1T"}));
        popup->actions().first()->trigger();
        popup->close();
        QCOMPARE(f.shown(), QStringLiteral("1→Y₁"));
        QTRY_VERIFY(!f.w->findChild<QMenu *>(QStringLiteral("mnuCompletion")));
        // In a string a statistics letter is offered for its letter, and
        // written as one token.
        f.pane()->setText(QStringLiteral("Disp \"A "));
        f.pane()->setSelStart(f.pane()->TextLength());
        QTest::keyClicks(f.pane(), QStringLiteral("p"));
        QTest::keyClick(f.pane(), Qt::Key_Space, Qt::ControlModifier);
        QTRY_VERIFY((popup = f.w->findChild<QMenu *>(QStringLiteral("mnuCompletion"))) &&
                    popup->isVisible());
        QAction *letter = popup->findChild<QAction *>(QStringLiteral("mnuCompletep"));
        QVERIFY(letter);
        letter->trigger();
        popup->close();
        const auto t = calc::tokens::tokenize(f.pane()->Text());
        QVERIFY(t.ok());
        QVERIFY(t.bytes.endsWith(QByteArray("\x62\x22")));
        QCOMPARE(t.bytes.size(), 6); // Disp, ", A, space, [p]
    }

    // ≠ has a key of its own now that Ctrl and + zooms.
    void notEqualKey()
    {
        Fixture f;
        QTest::keyClick(f.pane(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.shown(), QStringLiteral("≠"));
    }

    // Save keeps showing Ctrl+S; while it is disabled the key saves under
    // a new name.
    void saveKeyShownOnSave()
    {
        Fixture f;
        f.w->setSaveEnabled(false);
        QCOMPARE(f.w->mnuSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QVERIFY(f.w->mnuSaveAs->shortcut().isEmpty());
        f.script.files.push_back(f.profile.path() + QStringLiteral("/a.tvf"));
        QTest::keyClick(f.pane(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.script.titles(), QStringList{QStringLiteral("Save File")});
        // Enabled again, the key saves to the file it knows: nothing asked.
        f.w->setSaveEnabled(true);
        QTest::keyClicks(f.pane(), QStringLiteral("A"));
        QVERIFY(f.w->isModified());
        QTest::keyClick(f.pane(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!f.w->isModified());
        QCOMPARE(f.script.titles().size(), 1);
    }

    // The palette: the store arrow is in it, no row is blank, and typing
    // goes on in the program after a pick.
    void palette()
    {
        Fixture f;
        QComboBox *combo = f.w->combo0001a;
        for (int i = 0; i < combo->count(); ++i)
            QVERIFY2(!combo->itemText(i).isEmpty(), qPrintable(QString::number(i)));
        QTest::keyClicks(f.pane(), QStringLiteral("1"));
        combo->setFocus();
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->model()->index(38, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QTRY_VERIFY(f.pane()->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("A"));
        QCOMPARE(f.shown(), QStringLiteral("1→A"));
    }

    // The dark theme darkens the whole document window, and the desktop's
    // colours come back with the desktop theme.
    void darkThemeWholeWindow()
    {
        Fixture f;
        auto &options = editor::EditorOptions::instance();
        const QColor desktop = f.w->combo0001a->palette().color(QPalette::Window);
        options.applyView(true, editor::EditorOptions::fontSize(),
                          editor::EditorOptions::Theme::Dark);
        for (QWidget *w :
             {static_cast<QWidget *>(f.w->combo0001a), static_cast<QWidget *>(f.w->RichTextBox2),
              static_cast<QWidget *>(f.w.data())}) {
            QVERIFY2(w->palette().color(QPalette::Window).lightness() < 80,
                     qPrintable(w->objectName() + QLatin1Char(' ') +
                                w->palette().color(QPalette::Window).name() + QLatin1Char(' ') +
                                f.pane()->palette().color(QPalette::Base).name() +
                                QLatin1Char(' ') + f.w->palette().color(QPalette::Window).name()));
            QVERIFY(w->palette().color(QPalette::WindowText).lightness() > 160);
        }
        options.applyView(true, editor::EditorOptions::fontSize(),
                          editor::EditorOptions::Theme::Desktop);
        QCOMPARE(f.w->combo0001a->palette().color(QPalette::Window), desktop);
    }
};

TORVANE_TEST(TstNewUser);
#include "tst_newuser.moc"
