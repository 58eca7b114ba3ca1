// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pause of the splash screen and the first-time window, on the real clock.
#include "common/TestRegistry.h"

#include "shell/Pause.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace shell;

class TstPause : public QObject
{
    Q_OBJECT
private slots:
    void pauseLastsItsLengthUnlessTheApplicationQuits()
    {
        const double saved = pauseScale();
        setPauseScale(1);
        QElapsedTimer t;
        t.start();
        pause(0.4);
        const qint64 full = t.elapsed();
        bool finished = true;
        qint64 cut = -1;
        // Inside the application's own loop, as in the program; the quit must be seen while
        // pausing.
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(50, qApp, &QCoreApplication::quit);
            t.restart();
            finished = pause(30);
            cut = t.elapsed();
        });
        QCoreApplication::exec();
        setPauseScale(saved);
        QVERIFY2(full >= 400 && full < 3000, qPrintable(QString::number(full)));
        QVERIFY(!finished);
        QVERIFY2(cut >= 0 && cut < 10000, qPrintable(QString::number(cut)));
    }
};

TORVANE_TEST(TstPause);
#include "tst_pause.moc"
