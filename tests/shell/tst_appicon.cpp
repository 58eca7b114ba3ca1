// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The icon every window shows.
#include "common/TestRegistry.h"

#include "shell/AppIcon.h"

#include <QImage>
#include <QTest>

using namespace shell;

class TstAppIcon : public QObject
{
    Q_OBJECT
private slots:
    void applicationIconShipsEverySize();
};

void TstAppIcon::applicationIconShipsEverySize()
{
    const QIcon icon = applicationIcon();
    QList<QSize> sizes;
    for (int s : {16, 22, 24, 32, 48, 64, 128, 256})
        sizes << QSize(s, s);
    QCOMPARE(icon.availableSizes(), sizes);
    // Drawn, not blank: the calculator's body covers the centre.
    const QImage image = icon.pixmap(16).toImage();
    QCOMPARE(qAlpha(image.pixel(8, 8)), 255);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

TORVANE_TEST(TstAppIcon);
#include "tst_appicon.moc"
