// The icon every window shows and the document window's button pictures.
#include "common/TestRegistry.h"

#include "platform/AppIcon.h"

#include <QImage>
#include <QTest>

using namespace platform;

class TstAppIcon : public QObject
{
    Q_OBJECT
private slots:
    void applicationIconShipsEverySize();
    void pictureButtonsAreDistinct();
};

void TstAppIcon::applicationIconShipsEverySize()
{
    const QIcon icon = applicationIcon();
    QList<int> sizes;
    for (const QSize &s : icon.availableSizes()) {
        QCOMPARE(s.width(), s.height());
        sizes << s.width();
    }
    QCOMPARE(sizes, (QList<int>{16, 22, 24, 32, 48, 64, 128, 256}));
    // Drawn, not blank: the calculator's body covers the centre.
    for (int size : {16, 256}) {
        const QImage image = icon.pixmap(size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }
}

void TstAppIcon::pictureButtonsAreDistinct()
{
    QList<QImage> seen;
    for (int i = 1; i <= 6; ++i) {
        const QIcon icon = pictureButtonIcon(QString("Image%1").arg(i));
        QVERIFY2(!icon.isNull(), qPrintable(QString("Image%1").arg(i)));
        const QImage image = icon.pixmap(32).toImage();
        QCOMPARE(image.size(), QSize(32, 32));
        QVERIFY2(!seen.contains(image), qPrintable(QString("Image%1 repeats a picture").arg(i)));
        seen << image;
    }
    QVERIFY(pictureButtonIcon("Image7").isNull());
    QVERIFY(pictureButtonIcon("image1").isNull());
}

TORVANE_TEST(TstAppIcon);
#include "tst_appicon.moc"
