// The task manager and the project explorer over their database files:
// what is stored when, what an empty table says, and what a database that
// fails does to the window.
#include "common/TestRegistry.h"

#include "platform/Dialogs.h"
#include "platform/MousePointer.h"
#include "platform/Places.h"
#include "platform/Windows.h"
#include "projects/frmProjectExplorer.h"
#include "projects/frmTasks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>

using namespace projects;

namespace
{
// Reads one column of a table the way any other SQLite client would.
QStringList columnOf(const QString &file, const QString &table, const QString &column)
{
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "reader");
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SELECT \"%1\" FROM \"%2\" ORDER BY rowid").arg(column, table));
            while (q.next())
                out << q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("reader");
    return out;
}

RecordBrowser *openBrowser(const QString &form)
{
    if (form == QLatin1String("frmTasks"))
        return platform::windows().show<frmTasks>();
    return platform::windows().show<frmProjectExplorer>();
}

QString databaseOf(const QString &form)
{
    return form == QLatin1String("frmTasks") ? platform::places::tasksDatabase()
                                             : platform::places::projectDatabase();
}
} // namespace

class TstRecordBrowsers : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_profile = std::make_unique<testing::IsolatedProfile>();
        m_script = std::make_unique<platform::dialogs::Script>();
        platform::dialogs::setScript(m_script.get());
    }
    void cleanup()
    {
        platform::windows().closeAll();
        platform::dialogs::setScript(nullptr);
        m_script.reset();
        m_profile.reset();
    }
    void emptyTable_data();
    void emptyTable();
    void typingStopsAtColumnLength_data();
    void typingStopsAtColumnLength();
    void addTypeAddStoresFirst();
    void addTypeUpdateKeepsCurrent();
    void editsAreStoredOnLeavingAndClosing();
    void deletingShowsSensibleRecord();
    void locateFileBeforeAdd();
    void unreadableDatabase();
    void lockedDatabaseKeepsTyping();

private:
    std::unique_ptr<testing::IsolatedProfile> m_profile;
    std::unique_ptr<platform::dialogs::Script> m_script;
};

void TstRecordBrowsers::emptyTable_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::newRow("tasks") << "frmTasks"
                           << "Tasks"
                           << QStringList{"Title of Task:", "Priority:", "Task:", "Status:"}
                           << QList<bool>{false, false, false, false};
    QTest::newRow("projects") << "frmProjectExplorer"
                              << "ProjectExplorer"
                              << QStringList{"ProgramName:", "ProjectTitle:", "Location of File:",
                                             "Platform:", "Comments:"}
                              << QList<bool>{false, false, false, false, true};
}

void TstRecordBrowsers::emptyTable()
{
    QFETCH(QString, form);
    QFETCH(QString, caption);
    QFETCH(QStringList, labels);
    QFETCH(QList<bool>, enabled);
    RecordBrowser *w = openBrowser(form);
    QCOMPARE(w->objectName(), form);
    QCOMPARE(w->windowTitle(), caption);
    QStringList shown;
    QList<bool> states;
    for (int i = 0; i < w->txtFields.size(); ++i) {
        shown << w->lblLabels[i]->text();
        states << w->txtFields[i]->isEnabled();
    }
    QCOMPARE(shown, labels);
    QCOMPARE(states, enabled);
    QCOMPARE(w->Label5->text(), QStringLiteral("TIP: To start, click the 'Add' button. Then you "
                                               "can type in your tasks."));
    QCOMPARE(w->Data1->caption(), QStringLiteral("Record: 0"));
    QVERIFY(QFileInfo::exists(databaseOf(form)));

    QTest::mouseClick(w->Image2, Qt::LeftButton);
    QTest::mouseClick(w->Image4, Qt::LeftButton);
    QCOMPARE(m_script->titles(), (QStringList{"Delete Records", "Update Records"}));
    QCOMPARE(m_script->asked[0].text, QStringLiteral("Can't delete any records."));
    QCOMPARE(m_script->asked[1].text, QStringLiteral("Can't update any records."));
    QCOMPARE(w->Data1->recordCount(), 0);

    // Done closes both windows.
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCOMPARE(platform::pointer::current(), platform::pointer::Shape::Arrow);
}

void TstRecordBrowsers::typingStopsAtColumnLength_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QList<int>>("lengths");
    QTest::newRow("tasks") << "frmTasks" << QList<int>{50, 15, 100, 150};
    QTest::newRow("projects") << "frmProjectExplorer" << QList<int>{8, 20, 185, 10, 42};
}

void TstRecordBrowsers::typingStopsAtColumnLength()
{
    QFETCH(QString, form);
    QFETCH(QList<int>, lengths);
    RecordBrowser *w = openBrowser(form);
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    const QString typed(200, QLatin1Char('z'));
    for (int i = 0; i < lengths.size(); ++i) {
        QTest::keyClicks(w->txtFields[i], typed);
        QCOMPARE(w->txtFields[i]->text().size(), lengths[i]);
    }
}

void TstRecordBrowsers::addTypeAddStoresFirst()
{
    auto *w = platform::windows().show<frmTasks>();
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QCOMPARE(w->Label5->text(),
             QStringLiteral("TIP: Click the 'Add' button again to store it into the database."));
    QVERIFY(w->txtFields[3]->isEnabled());
    QTest::keyClicks(w->txtFields[0], QStringLiteral("Write menu"));
    QTest::keyClicks(w->txtFields[3], QStringLiteral("started"));
    // Enter in the last box keeps what was typed.
    QTest::keyClick(w->txtFields[3], Qt::Key_Return);
    QCOMPARE(w->txtFields[0]->text(), QStringLiteral("Write menu"));
    QTest::mouseClick(w->Image1, Qt::LeftButton);

    const QString file = platform::places::tasksDatabase();
    QCOMPARE(columnOf(file, "Tasks", "Title of Task"), QStringList{"Write menu"});
    QCOMPARE(columnOf(file, "Tasks", "Status"), QStringList{"started"});
    QVERIFY(w->Data1->isNewRecord());
    QCOMPARE(w->txtFields[0]->text(), QString());
    QCOMPARE(w->Data1->caption(), QStringLiteral("Record: 0"));

    // A new record left empty is not stored.
    QTest::mouseClick(w->Data1->cmdFirst, Qt::LeftButton);
    QCOMPARE(w->Data1->caption(), QStringLiteral("Record: 1"));
    QCOMPARE(w->txtFields[0]->text(), QStringLiteral("Write menu"));
    QCOMPARE(w->Data1->recordCount(), 1);
}

void TstRecordBrowsers::addTypeUpdateKeepsCurrent()
{
    auto *w = platform::windows().show<frmProjectExplorer>();
    for (const char *name : {"FIRST", "SECOND"}) {
        QTest::mouseClick(w->Image1, Qt::LeftButton);
        QTest::keyClicks(w->txtFields[0], QLatin1String(name));
        QTest::mouseClick(w->Image4, Qt::LeftButton);
        QVERIFY(!w->Data1->isNewRecord());
        QCOMPARE(w->txtFields[0]->text(), QLatin1String(name));
    }
    QCOMPARE(w->Data1->caption(), QStringLiteral("Record: 2"));
    QCOMPARE(columnOf(platform::places::projectDatabase(), "ProjectExplorer", "ProgramName"),
             (QStringList{"FIRST", "SECOND"}));
    QVERIFY(m_script->asked.empty());
}

void TstRecordBrowsers::editsAreStoredOnLeavingAndClosing()
{
    auto *w = platform::windows().show<frmTasks>();
    for (const char *title : {"one", "two", "three"}) {
        QTest::mouseClick(w->Image1, Qt::LeftButton);
        QTest::keyClicks(w->txtFields[0], QLatin1String(title));
    }
    // Moving away stores the record being typed, then the edit of another.
    QTest::mouseClick(w->Data1->cmdPrevious, Qt::LeftButton);
    QCOMPARE(w->Data1->caption(), QStringLiteral("Record: 2"));
    QCOMPARE(w->txtFields[0]->text(), QStringLiteral("two"));
    w->txtFields[1]->setText(QStringLiteral("high"));
    QTest::mouseClick(w->Data1->cmdNext, Qt::LeftButton);
    QCOMPARE(w->txtFields[0]->text(), QStringLiteral("three"));
    w->txtFields[1]->setText(QStringLiteral("low"));
    w->close();

    const QString file = platform::places::tasksDatabase();
    QCOMPARE(columnOf(file, "Tasks", "Title of Task"), (QStringList{"one", "two", "three"}));
    QCOMPARE(columnOf(file, "Tasks", "Priority"), (QStringList{"", "high", "low"}));
    QVERIFY(m_script->asked.empty());

    // Opened again, as after a restart, the records are there.
    w = platform::windows().show<frmTasks>();
    QCOMPARE(w->Data1->recordCount(), 3);
    QCOMPARE(w->txtFields[0]->text(), QStringLiteral("one"));
}

void TstRecordBrowsers::deletingShowsSensibleRecord()
{
    auto *w = platform::windows().show<frmTasks>();
    for (const char *title : {"a", "b", "c"}) {
        QTest::mouseClick(w->Image1, Qt::LeftButton);
        QTest::keyClicks(w->txtFields[0], QLatin1String(title));
    }
    QTest::mouseClick(w->Image4, Qt::LeftButton);
    QTest::mouseClick(w->Data1->cmdFirst, Qt::LeftButton);
    const QList<QPair<QString, QString>> steps{// shown after each Delete, and the caption
                                               {"b", "Record: 1"},
                                               {"c", "Record: 1"},
                                               {"", "Record: 0"}};
    for (const auto &[title, caption] : steps) {
        QTest::mouseClick(w->Image2, Qt::LeftButton);
        QCOMPARE(w->txtFields[0]->text(), title);
        QCOMPARE(w->Data1->caption(), caption);
    }
    // Deleting the last record shows the previous one.
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QTest::keyClicks(w->txtFields[0], QStringLiteral("x"));
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QTest::keyClicks(w->txtFields[0], QStringLiteral("y"));
    QTest::mouseClick(w->Image4, Qt::LeftButton);
    QTest::mouseClick(w->Image2, Qt::LeftButton);
    QCOMPARE(w->txtFields[0]->text(), QStringLiteral("x"));
    QCOMPARE(columnOf(platform::places::tasksDatabase(), "Tasks", "Title of Task"),
             QStringList{"x"});
    QVERIFY(m_script->asked.empty());
}

void TstRecordBrowsers::locateFileBeforeAdd()
{
    const QString path = QDir(m_profile->path()).filePath(QStringLiteral("games/SNAKE.tvf"));
    m_script->files.push_back(path);
    auto *w = platform::windows().show<frmProjectExplorer>();
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    QCOMPARE(m_script->asked[0].kind, QStringLiteral("open"));
    QCOMPARE(m_script->asked[0].title, QString());
    QCOMPARE(w->txtFields[2]->text(), path);
    QVERIFY(!w->txtFields[2]->isEnabled());

    // The located path becomes the new record's, and is stored with it.
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QCOMPARE(w->txtFields[2]->text(), path);
    QTest::keyClicks(w->txtFields[0], QStringLiteral("SNAKE"));
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QCOMPARE(columnOf(platform::places::projectDatabase(), "ProjectExplorer", "Location of File"),
             QStringList{path});
}

void TstRecordBrowsers::unreadableDatabase()
{
    const QString file = platform::places::tasksDatabase();
    QDir().mkpath(QFileInfo(file).absolutePath());
    const QByteArray garbage(4096, '\x5a');
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    }
    auto *w = platform::windows().show<frmTasks>();
    QCOMPARE(int(m_script->asked.size()), 1);
    const QString first = m_script->asked[0].text;
    QVERIFY2(first.startsWith(QStringLiteral("Data error event hit err:")) && first.size() > 25,
             qPrintable(first));
    QCOMPARE(m_script->asked[0].title, QStringLiteral("Torvane Studio"));
    QCOMPARE(w->Data1->caption(), QStringLiteral("Record: 0"));

    // Every button still answers, with a message, and the file is untouched.
    QSignalSpy errors(w->Data1, &platform::RecordNavigator::Error);
    for (QToolButton *b : {w->Image1, w->Image3})
        QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(errors.size(), 2);
    QCOMPARE(m_script->asked.back().text,
             QStringLiteral("Data error event hit err:") + errors.back().at(0).toString());
    QVERIFY(w->isVisible());
    QVERIFY(!QGuiApplication::overrideCursor());
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), garbage);
}

void TstRecordBrowsers::lockedDatabaseKeepsTyping()
{
    auto *w = platform::windows().show<frmTasks>();
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QTest::keyClicks(w->txtFields[0], QStringLiteral("keep me"));

    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
        other.setDatabaseName(platform::places::tasksDatabase());
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY2(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")), qPrintable(lock.lastError().text()));

        QTest::mouseClick(w->Image1, Qt::LeftButton);
        QCOMPARE(int(m_script->asked.size()), 1);
        QVERIFY(m_script->asked[0].text.startsWith(QStringLiteral("Data error event hit err:")));
        QVERIFY(w->Data1->isNewRecord());
        QCOMPARE(w->txtFields[0]->text(), QStringLiteral("keep me"));
        lock.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase("locker");

    QTest::mouseClick(w->Image4, Qt::LeftButton);
    QCOMPARE(int(m_script->asked.size()), 1);
    QCOMPARE(columnOf(platform::places::tasksDatabase(), "Tasks", "Title of Task"),
             QStringList{"keep me"});
}

TORVANE_TEST(TstRecordBrowsers);
#include "tst_recordbrowsers.moc"
