// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/TestRegistry.h"

#include "auxiliary/frmAbout.h"
#include "platform/Places.h"
#include "platform/RegistryAccess.h"

#include <QTest>

class TstAbout : public QObject
{
    Q_OBJECT
private slots:
    void getKeyValue_data()
    {
        QTest::addColumn<QString>("stored"); // null: no such value
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("value");
        const QString key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        QTest::newRow("string") << "/usr/bin/tool" << key << true << "/usr/bin/tool";
        QTest::newRow("cut at NUL") << QString("abc") + QChar(0) + "def" << key << true << "abc";
        QTest::newRow("number") << "dword:0000012c" << key << true << "300";
        QTest::newRow("largest number") << "DWORD:FFFFFFFF" << key << true << "4294967295";
        QTest::newRow("not 8 digits") << "dword:12c" << key << true << "dword:12c";
        QTest::newRow("missing value") << QString() << key << false << "";
        QTest::newRow("missing key") << "x"
                                     << "SOFTWARE\\Nowhere" << false << "";
    }
    void getKeyValue()
    {
        QFETCH(QString, stored);
        QFETCH(QString, key);
        testing::IsolatedProfile profile;
        platform::RegistryStore store(platform::places::registryFile());
        const QString path = "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        QVERIFY(store.createKey(path));
        if (!stored.isNull())
            QVERIFY(store.setValue(path, "PATH", stored));
        using auxiliary::frmAbout;
        QString value = "left over";
        QTEST(frmAbout::GetKeyValue(frmAbout::HKEY_LOCAL_MACHINE, key, "PATH", value), "found");
        QTEST(value, "value");
        // Another root finds nothing there.
        QVERIFY(!frmAbout::GetKeyValue(0x80000001u, key, "PATH", value));
        QCOMPARE(value, QString());
    }
};

TORVANE_TEST(TstAbout);
#include "tst_about.moc"
