// Settings store and machine registry as their callers rely on them.
#include "common/TestRegistry.h"

#include "platform/AppInfo.h"
#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/Pause.h"
#include "platform/Places.h"
#include "platform/RegistryAccess.h"
#include "platform/SettingsStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

using namespace platform;

class TstStore : public QObject
{
    Q_OBJECT
private slots:
    void settingsDefaultsAndRoundTrip();
    void settingsNumbers_data();
    void settingsNumbers();
    void settingsFileIsInspectable();
    void registryCreateSubKeyKeepsValues();
    void registryMissingValuesMatchNothing();
    void registryValuesSurviveOddText_data();
    void registryValuesSurviveOddText();
    void registryKeysIgnoreCase();
    void registryUnwritableStoreFails();
    void pauseLastsItsLength();
    void pauseKeepsEventsFlowing();
    void pauseEndsWhenTheApplicationQuits();
    void filterConversion_data();
    void filterConversion();
};

void TstStore::settingsDefaultsAndRoundTrip()
{
    testing::IsolatedProfile profile;
    QCOMPARE(settings::read("Torvane Studio", "Settings", "MainLeft", "1000"), QString("1000"));
    QCOMPARE(settings::readOption(config::ShowFirstTime), 1);
    QVERIFY(settings::write("Torvane Studio", "Settings", "MainLeft", "1234.5"));
    QCOMPARE(settings::read("Torvane Studio", "Settings", "MainLeft", "1000"), QString("1234.5"));
    QCOMPARE(settings::readNumber("Torvane Studio", "Settings", "MainLeft", 1000), 1234.5);
    // The two application names keep separate values.
    QVERIFY(settings::writeOption(config::ShowExample, "0"));
    QCOMPARE(settings::readInt(exeBaseName(), "Options", "Show Example", 1), 0);
    QCOMPARE(settings::readInt(appTitle(), "Options", "Show Example", 1), 1);
}

void TstStore::settingsNumbers_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected"); // -1: no number, equal to nothing
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("two") << "2" << 2;
    QTest::newRow("blank padded") << " 1 " << 1;
    QTest::newRow("decimal") << "1.0" << 1;
    QTest::newRow("not a number") << "yes" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("too large") << "99999999999999" << -1;
}

void TstStore::settingsNumbers()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);
    testing::IsolatedProfile profile;
    settings::writeOption(config::ShowTipsAtStartup, stored);
    QCOMPARE(settings::readInt(exeBaseName(), "Options", "Show Tips at Startup", 7).value_or(-1),
             expected);
}

void TstStore::settingsFileIsInspectable()
{
    testing::IsolatedProfile profile;
    settings::writeOption(config::ShowFirstTime, "0");
    QFile f(settings::fileFor(exeBaseName()));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY2(text.contains("[Options]"), text.constData());
    QVERIFY2(text.contains("Show%20First%20Time=0"), text.constData());
}

void TstStore::registryCreateSubKeyKeepsValues()
{
    testing::IsolatedProfile profile;
    RegistryAccess reg;
    QVERIFY(reg.selectCompileOptionsForWriting());
    int type = 0;
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
    RegistryAccess third;
    third.SelectKey(platform::config::registry::CompileOptionsKey);
    QCOMPARE(third.valueText("E-Mail OPT"), QString("0"));
}

void TstStore::registryMissingValuesMatchNothing()
{
    testing::IsolatedProfile profile;
    RegistryAccess reg;
    QVERIFY(!reg.SelectKey(platform::config::registry::CompileOptionsKey));
    int type = 0;
    QVariant data = QStringLiteral("stale");
    QVERIFY(!reg.GetValue("E-Mail OPT", type, data));
    QCOMPARE(data.toList().size(), 0);
    const QString text = reg.valueText("E-Mail OPT");
    QVERIFY(text.isNull());
    QVERIFY(text != QLatin1String("0") && text != QLatin1String("1"));
    // Writing into a key that was never created fails instead of inventing it.
    QVERIFY(!reg.SetValue("E-Mail OPT", type, QStringLiteral("1")));
    QVERIFY(!reg.lastError().isEmpty());
    // An empty value is a value, not a missing one.
    QVERIFY(reg.selectCompileOptionsForWriting());
    QVERIFY(reg.SetValue("Company Name OPT", type, QString()));
    QVERIFY(!reg.valueText("Company Name OPT").isNull());
}

void TstStore::registryValuesSurviveOddText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("backslashes") << "Path"
                                 << "C:\\Temp\\x.tvf";
    QTest::newRow("line breaks") << "Notes"
                                 << "one\r\ntwo\nthree";
    QTest::newRow("equals in name") << "a=b"
                                    << "=c=";
    QTest::newRow("brackets") << "[x]"
                              << "[section]";
    QTest::newRow("latin1") << "Name" << QString::fromLatin1("\xfc\xfc\xfe");
}

void TstStore::registryValuesSurviveOddText()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    testing::IsolatedProfile profile;
    RegistryAccess reg;
    reg.SelectKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE");
    QVERIFY(reg.CreateSubKey("Torvane TI"));
    reg.SelectKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Torvane TI");
    int type = 0;
    QVERIFY(reg.SetValue(name, type, value));
    QVERIFY(reg.SetValue("After", type, QStringLiteral("still here")));
    RegistryAccess fresh;
    fresh.SelectKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Torvane TI");
    QCOMPARE(fresh.valueText(name), value);
    QCOMPARE(fresh.valueText("After"), QString("still here"));
}

void TstStore::registryKeysIgnoreCase()
{
    testing::IsolatedProfile profile;
    RegistryAccess reg;
    QVERIFY(reg.selectCompileOptionsForWriting());
    int type = 0;
    QVERIFY(reg.SetValue("Web-Page url OPT", type, QStringLiteral("1")));
    RegistryAccess other;
    QVERIFY(other.SelectKey("\\hkey_local_machine\\software\\torvane ti\\compile options\\"));
    QCOMPARE(other.valueText("WEB-PAGE URL OPT"), QString("1"));
    other.SelectKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Torvane TI");
    QCOMPARE(other.subKeys(), QStringList{"Compile Options"});
}

void TstStore::registryUnwritableStoreFails()
{
    testing::IsolatedProfile profile;
    // A folder where the file should be makes every write fail cleanly.
    QDir().mkpath(places::registryFile());
    RegistryAccess reg;
    QVERIFY(!reg.selectCompileOptionsForWriting());
    QVERIFY(!reg.lastError().isEmpty());
    QVERIFY(reg.valueText("E-Mail OPT").isNull());
}

void TstStore::pauseLastsItsLength()
{
    const double saved = pauseScale();
    setPauseScale(1);
    QElapsedTimer t;
    t.start();
    pause(0.4);
    const qint64 ms = t.elapsed();
    setPauseScale(saved);
    QVERIFY2(ms >= 400, qPrintable(QString::number(ms)));
    QVERIFY2(ms < 3000, qPrintable(QString::number(ms)));
}

void TstStore::pauseKeepsEventsFlowing()
{
    int fired = 0;
    QTimer::singleShot(50, [&] { ++fired; });
    QTimer::singleShot(100, [&] { ++fired; });
    pause(0.3);
    QCOMPARE(fired, 2);
}

void TstStore::pauseEndsWhenTheApplicationQuits()
{
    const double saved = pauseScale();
    setPauseScale(1);
    bool finished = true;
    qint64 ms = -1;
    // Inside the application's own loop, as in the program.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(50, qApp, &QCoreApplication::quit);
        QElapsedTimer t;
        t.start();
        finished = pause(30);
        ms = t.elapsed();
    });
    QCoreApplication::exec();
    setPauseScale(saved);
    QVERIFY(!finished);
    QVERIFY2(ms >= 0 && ms < 10000, qPrintable(QString::number(ms)));
}

void TstStore::filterConversion_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("qt");
    QTest::newRow("tvf") << "Torvane Studio Files (*.tvf)|*.tvf"
                         << "Torvane Studio Files (*.tvf)";
    QTest::newRow("two entries") << "Text File (*.txt)|*.txt|All|*.*"
                                 << "Text File (*.txt);;All (*.*)";
}

void TstStore::filterConversion()
{
    QFETCH(QString, bar);
    QFETCH(QString, qt);
    QCOMPARE(dialogs::toQtFilter(bar), qt);
}

TORVANE_TEST(TstStore);
#include "tst_store.moc"
