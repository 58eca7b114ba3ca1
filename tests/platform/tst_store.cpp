// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Settings store and machine registry as their callers rely on them.
#include "common/TestRegistry.h"

#include "platform/AppInfo.h"
#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/Places.h"
#include "platform/RegistryAccess.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTest>

#include <memory>

using namespace platform;

class TstStore : public QObject
{
    Q_OBJECT
    std::unique_ptr<testing::IsolatedProfile> m_profile;
    int type = 0;
private slots:
    void init() { m_profile = std::make_unique<testing::IsolatedProfile>(); }
    void cleanup() { m_profile.reset(); }

    void settingsDefaultsRoundTripAndFile()
    {
        QCOMPARE(settings::read("Torvane Studio", "Settings", "MainLeft", "1000"), QString("1000"));
        QCOMPARE(settings::readOption(config::ShowFirstTime), 1);
        QVERIFY(settings::write("Torvane Studio", "Settings", "MainLeft", "1234.5"));
        QCOMPARE(settings::read("Torvane Studio", "Settings", "MainLeft", "1000"),
                 QString("1234.5"));
        QCOMPARE(settings::readNumber("Torvane Studio", "Settings", "MainLeft", 1000), 1234.5);
        // The two application names keep separate values.
        QVERIFY(settings::writeOption(config::ShowExample, "0"));
        QCOMPARE(settings::readInt(exeBaseName(), "Options", "Show Example", 1), 0);
        QCOMPARE(settings::readInt(appTitle(), "Options", "Show Example", 1), 1);
        // The file stays readable by hand.
        QFile f(settings::fileFor(exeBaseName()));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY2(text.contains("[Options]") && text.contains("Show%20Example=0"), text.constData());
    }

    void settingsNumbers_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected"); // -1: no number, equal to nothing
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("blank padded") << " 1 " << 1;
        QTest::newRow("decimal") << "1.0" << 1;
        QTest::newRow("not a number") << "yes" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("too large") << "99999999999999" << -1;
    }
    void settingsNumbers()
    {
        QFETCH(QString, stored);
        settings::writeOption(config::ShowTipsAtStartup, stored);
        QTEST(settings::readInt(exeBaseName(), "Options", "Show Tips at Startup", 7).value_or(-1),
              "expected");
    }

    void registryCreateSubKeyKeepsValuesAndIgnoresCase()
    {
        RegistryAccess reg;
        QVERIFY(reg.selectCompileOptionsForWriting());
        QVERIFY(reg.SetValue("E-Mail OPT", type, QStringLiteral("1")));
        QVERIFY(reg.SetValue("DocumentPrgm OPT", type, QStringLiteral("WordPad")));
        // Running the whole sequence again must leave the key and its values.
        RegistryAccess again;
        QVERIFY(again.selectCompileOptionsForWriting());
        QVariant data;
        QVERIFY(again.GetValue("E-Mail OPT", type, data));
        QCOMPARE(data.toList().value(0).toString(), QString("1"));
        QCOMPARE(again.valueText("DocumentPrgm OPT"), QString("WordPad"));
        QVERIFY(again.SetValue("E-Mail OPT", type, QStringLiteral("0")));
        QCOMPARE(RegistryAccess().valueText("E-Mail OPT"), QString()); // nothing selected
        // Keys and value names ignore case.
        RegistryAccess third;
        QVERIFY(third.SelectKey("\\hkey_local_machine\\software\\torvane ti\\compile options\\"));
        QCOMPARE(third.valueText("E-MAIL opt"), QString("0"));
        third.SelectKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Torvane TI");
        QCOMPARE(third.subKeys(), QStringList{"Compile Options"});
    }

    void registryMissingValuesMatchNothing()
    {
        RegistryAccess reg;
        QVERIFY(!reg.SelectKey(platform::config::registry::CompileOptionsKey));
        QVariant data = QStringLiteral("stale");
        QVERIFY(!reg.GetValue("E-Mail OPT", type, data));
        QCOMPARE(data.toList().size(), 0);
        QVERIFY(reg.valueText("E-Mail OPT").isNull());
        // Writing into a key that was never created fails instead of inventing it.
        QVERIFY(!reg.SetValue("E-Mail OPT", type, QStringLiteral("1")));
        QVERIFY(!reg.lastError().isEmpty());
        // An empty value is a value, not a missing one.
        QVERIFY(reg.selectCompileOptionsForWriting());
        QVERIFY(reg.SetValue("Company Name OPT", type, QString()));
        QVERIFY(!reg.valueText("Company Name OPT").isNull());
    }

    void registryValuesSurviveOddText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        auto row = [](const char *tag, const QString &name, const QString &value) {
            QTest::newRow(tag) << name << value;
        };
        row("backslashes", "Path", "C:\\Temp\\x.tvf");
        row("line breaks", "Notes", "one\r\ntwo\nthree");
        row("equals in name", "a=b", "=c=");
        row("brackets", "[x]", "[section]");
        row("latin1", "Name", QString::fromLatin1("\xfc\xfc\xfe"));
    }

    void registryValuesSurviveOddText()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        const QString key = "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Torvane TI";
        RegistryAccess reg;
        reg.SelectKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE");
        QVERIFY(reg.CreateSubKey("Torvane TI"));
        reg.SelectKey(key);
        QVERIFY(reg.SetValue(name, type, value));
        QVERIFY(reg.SetValue("After", type, QStringLiteral("still here")));
        RegistryAccess fresh;
        fresh.SelectKey(key);
        QCOMPARE(fresh.valueText(name), value);
        QCOMPARE(fresh.valueText("After"), QString("still here"));
    }

    void registryUnwritableStoreFails()
    {
        // A folder where the file should be makes every write fail cleanly.
        QDir().mkpath(places::registryFile());
        RegistryAccess reg;
        QVERIFY(!reg.selectCompileOptionsForWriting());
        QVERIFY(!reg.lastError().isEmpty());
        QVERIFY(reg.valueText("E-Mail OPT").isNull());
    }

    void filterConversion()
    {
        QCOMPARE(dialogs::toQtFilter("Torvane Studio Files (*.tvf)|*.tvf"),
                 QString("Torvane Studio Files (*.tvf)"));
        QCOMPARE(dialogs::toQtFilter("Text File (*.txt)|*.txt|All|*.*"),
                 QString("Text File (*.txt);;All (*.*)"));
    }
};

TORVANE_TEST(TstStore);
#include "tst_store.moc"
