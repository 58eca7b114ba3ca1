// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Named controls: a heading shrinks its font only as far as it must.
#include "common/TestRegistry.h"

#include "platform/Controls.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTest>

class TstControls : public QObject
{
    Q_OBJECT
private slots:
    void fittedLabel_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("shrinks");
        QTest::newRow("fits") << "Example" << 12.0 << 400 << false;
        QTest::newRow("too wide") << "Main Programming Interface" << 11.25 << 120 << true;
        QTest::newRow("cannot fit") << "Main Programming Interface" << 11.25 << 10 << true;
        QTest::newRow("no caption") << "" << 8.25 << 0 << false;
    }
    void fittedLabel()
    {
        QFETCH(QString, caption);
        QFETCH(double, points);
        QFETCH(int, width);
        QFETCH(bool, shrinks);
        QWidget parent;
        const QRect place(5, 6, width, 20);
        QLabel *l =
            platform::controls::fittedLabel(&parent, "Label7", caption, points, true, place);
        QCOMPARE(l->objectName(), QString("Label7"));
        QCOMPARE(l->geometry(), place);
        QVERIFY(l->font().bold());
        const double size = l->font().pointSizeF();
        if (!shrinks) {
            QCOMPARE(size, points);
            return;
        }
        QVERIFY(size < points);
        const auto fits = [&](double pt) {
            QFont f = l->font();
            f.setPointSizeF(pt);
            return QFontMetrics(f).horizontalAdvance(caption) <= width;
        };
        // The largest size that fits, or the smallest readable one.
        QVERIFY(!fits(size + 0.25));
        QVERIFY(fits(size) || size <= 6);
        QVERIFY(size > 5.75);
    }
};

TORVANE_TEST(TstControls);
#include "tst_controls.moc"
