// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pictures of the document window's buttons and the browser's toolbar.
#include "common/TestRegistry.h"

#include "platform/ButtonPictures.h"

#include <QImage>
#include <QTest>

using namespace platform;

class TstButtonPictures : public QObject
{
    Q_OBJECT
private slots:
    void pictureButtonsAreDistinct();
};

void TstButtonPictures::pictureButtonsAreDistinct()
{
    QList<QImage> seen;
    for (int i = 1; i <= 6; ++i) {
        const QImage image = pictureButtonIcon(QString("Image%1").arg(i)).pixmap(32).toImage();
        QVERIFY2(!image.isNull() && !seen.contains(image), qPrintable(QString::number(i)));
        seen << image;
    }
    QVERIFY(pictureButtonIcon("Image7").isNull());
    QVERIFY(pictureButtonIcon("image1").isNull());
}

TORVANE_TEST(TstButtonPictures);
#include "tst_buttonpictures.moc"
