// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The PC keys the calculator window takes as calculator keys.
#include "calculator/KeyMap.h"
#include "common/TestRegistry.h"

#include <QTest>

class TstKeyMap : public QObject
{
    Q_OBJECT

private slots:
    void calculatorKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("arrows") << int(Qt::Key_Left) << "" << 24;
        QTest::newRow("down") << int(Qt::Key_Down) << "" << 34;
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << 105;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "\r" << 105;
        QTest::newRow("Backspace is CLEAR") << int(Qt::Key_Backspace) << "" << 45;
        QTest::newRow("7") << int(Qt::Key_7) << "7" << 72;
        QTest::newRow("0") << int(Qt::Key_0) << "0" << 102;
        QTest::newRow("A on MATH") << int(Qt::Key_A) << "a" << 41;
        QTest::newRow("Z on 2") << int(Qt::Key_Z) << "Z" << 93;
        QTest::newRow("plus") << int(Qt::Key_Plus) << "+" << 95;
        QTest::newRow("F5 runs, not GRAPH") << int(Qt::Key_F5) << "" << 0;
        QTest::newRow("unknown") << int(Qt::Key_Tab) << "\t" << 0;
    }
    void calculatorKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QTEST(calculator::keyCode(key, text), "code");
    }
};

TORVANE_TEST(TstKeyMap);
#include "tst_keymap.moc"
