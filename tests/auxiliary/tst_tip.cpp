// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/TestRegistry.h"

#include "auxiliary/frmTip.h"

#include <QFile>
#include <QLabel>
#include <QTest>

class TstTip : public QObject
{
    Q_OBJECT
private slots:
    void tipIsShownAsWritten_data();
    void tipIsShownAsWritten();
};

void TstTip::tipIsShownAsWritten_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("shown");
    QTest::newRow("looks like markup") << QByteArray("Use If A<B and C>D:Then <b>now</b>\r\n")
                                       << QString("Use If A<B and C>D:Then <b>now</b>");
    QTest::newRow("windows code page")
        << QByteArray("It\x92s \x93quoted\x94 \x96 \x80 5\xB0")
        << QString("It\u2019s \u201Cquoted\u201D \u2013 \u20AC 5\u00B0");
}

void TstTip::tipIsShownAsWritten()
{
    QFETCH(QByteArray, line);
    testing::IsolatedProfile profile;
    const QString path = profile.path() + "/TIPOFDAY.TXT";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(line);
    f.close();
    auxiliary::frmTip tip;
    QVERIFY(tip.LoadTips(path));
    QTEST(tip.lblTipText->text(), "shown");
    QCOMPARE(tip.lblTipText->textFormat(), Qt::PlainText);
}

TORVANE_TEST(TstTip);
#include "tst_tip.moc"
