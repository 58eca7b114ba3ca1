// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/TestRegistry.h"

#include "platform/WindowRegistry.h"

#include <QPointer>
#include <QTest>

using platform::windows;

namespace
{
// A single-instance window that is destroyed when closed, and one that is
// only hidden.
struct Closing : QWidget {
    Closing() { setAttribute(Qt::WA_DeleteOnClose); }
};
struct Kept : QWidget {
};
} // namespace

class TstWindows : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { windows().closeAll(); }
    void closedWindowIsNotHandedOutAgain();
    void hiddenWindowIsKept();
};

void TstWindows::closedWindowIsNotHandedOutAgain()
{
    QPointer<Closing> first = windows().show<Closing>();
    QCOMPARE(windows().show<Closing>(), first.data());
    first->close();
    // Closed but not yet deleted: it counts as gone at once.
    QVERIFY(first);
    QVERIFY(!windows().loadedWindow<Closing>());
    QPointer<Closing> second = windows().show<Closing>();
    QVERIFY(second != first);
    // The pending deletion takes the old one only.
    QTRY_VERIFY(!first);
    QVERIFY(second);
    QCOMPARE(windows().loadedWindow<Closing>(), second.data());
}

void TstWindows::hiddenWindowIsKept()
{
    Kept *w = windows().show<Kept>();
    w->close();
    QCoreApplication::processEvents();
    QCOMPARE(windows().loadedWindow<Kept>(), w);
    QCOMPARE(windows().show<Kept>(), w);
    QVERIFY(w->isVisible());
}

TORVANE_TEST(TstWindows);
#include "tst_windowregistry.moc"
