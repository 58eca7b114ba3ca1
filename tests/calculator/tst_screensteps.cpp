// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator window maximised: the screen takes the largest whole step
// the window holds, and the chosen step again when restored.
#include "calculator/frmCalculator.h"
#include "common/TestRegistry.h"

#include <QTest>

class TstScreenSteps : public QObject
{
    Q_OBJECT
private slots:
    void maximisedInWholeSteps()
    {
        testing::IsolatedProfile profile;
        calculator::frmCalculator w;
        w.setScale(1);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.picScreen->scale(), 1);
        w.showMaximized();
        QTRY_VERIFY(w.picScreen->scale() > 1);
        const int step = w.picScreen->scale();
        QCOMPARE(w.picScreen->size(), QSize(96, 64) * step);
        QVERIFY(w.picScreen->width() <= w.width());
        QCOMPARE(w.scale(), 1); // the chosen step is kept
        w.showNormal();
        QTRY_COMPARE(w.picScreen->scale(), 1);
    }
};

TORVANE_TEST(TstScreenSteps);
#include "tst_screensteps.moc"
