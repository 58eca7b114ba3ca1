// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The new project form (validation order, the registry record, the counts in
// the new windows' titles) and the two record browsers over their database
// files (what is stored when, what an empty table says, a broken file).
#include "common/TestRegistry.h"

#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/Places.h"
#include "platform/RegistryAccess.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "projects/ProjectRecord.h"
#include "projects/frmNewProject.h"
#include "projects/frmNewStandard.h"
#include "projects/frmProjectExplorer.h"
#include "projects/frmTasks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>

using namespace projects;
namespace reg = platform::config::registry;

namespace
{
QString value(const QString &project, QLatin1String name)
{
    platform::RegistryAccess registry;
    registry.SelectKey(reg::ProjectValuesKey + QLatin1Char('\\') + project);
    return registry.valueText(name);
}

QStringList projectKeys()
{
    platform::RegistryAccess registry;
    registry.SelectKey(reg::ProjectValuesKey);
    return registry.subKeys();
}

// Shows the form, fills it in (calculator 1: TI-83, 2: TI-83 Plus), clicks OK.
frmNewStandard *submit(const QString &program, const QString &comments, const QString &project,
                       int calculator)
{
    auto *form = platform::windows().show<frmNewStandard>();
    form->RichTextBox1->setText(program);
    form->RichTextBox2->setText(comments);
    form->RichTextBox3->setText(project);
    form->Option1->setChecked(calculator == 1);
    form->Option2->setChecked(calculator == 2);
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    return form;
}

bool isTasks(const QString &form)
{
    return form == QLatin1String("frmTasks");
}

RecordBrowser *openBrowser(const QString &form)
{
    if (isTasks(form))
        return platform::windows().show<frmTasks>();
    return platform::windows().show<frmProjectExplorer>();
}

// One column of a browser's table as any other SQLite client reads it; the
// first field's column unless told.
QStringList stored(const QString &form, QString column = QString())
{
    if (column.isNull())
        column = isTasks(form) ? "Title of Task" : "ProgramName";
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "reader");
        db.setDatabaseName(isTasks(form) ? platform::places::tasksDatabase()
                                         : platform::places::projectDatabase());
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("SELECT \"%1\" FROM \"%2\" ORDER BY rowid")
                                    .arg(column, isTasks(form) ? "Tasks" : "ProjectExplorer")))
            while (q.next())
                out << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase("reader");
    return out;
}

void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}
} // namespace

class TstProjects : public QObject
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
    void failedChecksKeepTheForm_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("calculator");
        QTest::addColumn<QString>("project");
        QTest::addColumn<bool>("keyMade");
        QTest::addColumn<bool>("blocked"); // a file where the registry's folder should be
        QTest::addColumn<QString>("title");
        QTest::newRow("all empty") << "" << 0 << "" << false << false << "Error 02-C";
        QTest::newRow("project name only") << "" << 2 << "Alpha" << true << false << "Error 04-C";
        QTest::newRow("no calculator") << "PRGM" << 0 << "Alpha" << true << false << "Error 01-C";
        QTest::newRow("backslash") << "PRGM" << 1 << "a\\b" << false << false << "Error 03-C";
        QTest::newRow("slash") << "PRGM" << 1 << "a/b" << false << false << "Error 03-C";
        QTest::newRow("blanks") << "PRGM" << 1 << "   " << false << false << "Error 03-C";
        QTest::newRow("registry fails")
            << "PRGM" << 1 << "Alpha" << false << true << "Torvane Studio";
    }
    void failedChecksKeepTheForm()
    {
        QFETCH(QString, program);
        QFETCH(int, calculator);
        QFETCH(QString, project);
        QFETCH(bool, keyMade);
        QFETCH(bool, blocked);
        QFETCH(QString, title);
        QDir().mkpath(QFileInfo(platform::places::configFolder()).absolutePath());
        QFile blocker(platform::places::configFolder());
        QVERIFY(!blocked || blocker.open(QIODevice::WriteOnly));
        const int count = frmNewStandard::projectCount();
        frmNewStandard *form = submit(program, QString(), project, calculator);
        QCOMPARE(m_script->titles(), QStringList{title});
        QCOMPARE(projectKeys(), keyMade ? QStringList{project} : QStringList());
        if (keyMade) { // made, with the program name typed, before the next check failed
            QCOMPARE(value(project, reg::ProgramTitleValue), program);
            QVERIFY(value(project, reg::CalculatorTypeValue).isNull());
        }
        QCOMPARE(platform::windows().loadedWindow<frmNewStandard>(), form);
        QCOMPARE(form->RichTextBox3->text(), project);
        QCOMPARE(frmNewStandard::projectCount(), count);
    }
    void projectsAreRecorded()
    {
        const int count = frmNewStandard::projectCount();
        // The third overwrites the first; names are kept exactly as typed.
        const QList<std::tuple<QString, QString, QString, int>> runs{
            {"FIRST", "old", "Same", 2},
            {"GAME", "", " Space Game ", 2},
            {"SECOND", "new", "Same", 1}};
        for (int i = 0; i < runs.size(); ++i) {
            const auto &[program, comments, project, calculator] = runs[i];
            frmNewStandard *form = submit(program, comments, project, calculator);
            QCOMPARE(platform::twips(form->frameGeometry().height()), 6720);
            QTRY_VERIFY(!platform::windows().loadedWindow<frmNewStandard>());
            QCOMPARE(frmNewStandard::projectCount(), count + i + 1);
        }
        QVERIFY(m_script->asked.empty());
        QCOMPARE(projectKeys(), (QStringList{" Space Game ", "Same"}));
        const auto record = [](const QString &project) {
            return QStringList{
                value(project, reg::ProgramTitleValue), value(project, reg::CommentsValue),
                value(project, reg::CalculatorTypeValue), value(project, reg::ProjectNameValue)};
        };
        QCOMPARE(record(" Space Game "), (QStringList{"GAME", "", "83+", " Space Game "}));
        QCOMPARE(record("Same"), (QStringList{"SECOND", "new", "83", "Same"}));
    }
    // The model is one more value of the record, written only when chosen;
    // a record from before it reads as not chosen.
    void recordKeepsTheModel()
    {
        platform::RegistryAccess registry;
        ProjectInput input;
        input.programTitle = QStringLiteral("GAME");
        input.projectName = QStringLiteral("Colour");
        input.calculator = Calculator::TI83Plus;
        input.model = calc::models::Model::Ti84PlusCE;
        const auto quiet = [](const QString &, int) {};
        QCOMPARE(recordProject(registry, input, quiet), ProjectOutcome::Recorded);
        QCOMPARE(value("Colour", reg::ModelValue), QStringLiteral("ti84pce"));
        input.projectName = QStringLiteral("Older");
        input.model = calc::models::Model::None;
        QCOMPARE(recordProject(registry, input, quiet), ProjectOutcome::Recorded);
        QVERIFY(value("Older", reg::ModelValue).isEmpty());

        platform::RegistryAccess reader; // a fresh read of the store
        const auto colour = readProject(reader, QStringLiteral("Colour"));
        QVERIFY(colour);
        QCOMPARE(colour->model, calc::models::Model::Ti84PlusCE);
        QCOMPARE(colour->programTitle, QStringLiteral("GAME"));
        QCOMPARE(colour->calculator, Calculator::TI83Plus);
        const auto older = readProject(reader, QStringLiteral("Older"));
        QVERIFY(older);
        QCOMPARE(older->model, calc::models::Model::None);
        QVERIFY(!readProject(reader, QStringLiteral("Nowhere")));
    }
    void typingLimits()
    {
        auto *form = platform::windows().show<frmNewStandard>();
        const QString typed(100, QLatin1Char('x'));
        for (QLineEdit *box : {form->RichTextBox1, form->RichTextBox2, form->RichTextBox3})
            QTest::keyClicks(box, typed);
        QCOMPARE(form->RichTextBox1->text(), typed.left(8));
        QCOMPARE(form->RichTextBox2->text(), typed.left(42));
        QCOMPARE(form->RichTextBox3->text(), typed);
    }
    void browserStoresTypedRecord_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QList<int>>("lengths");
        QTest::addColumn<QString>("button"); // clicked after typing; none: the window is closed
        QTest::addColumn<bool>("newAfter");
        QTest::addColumn<QString>("caption");
        const QList<int> tasks{50, 15, 100, 150};
        QTest::newRow("tasks, Add") << "frmTasks" << tasks << "Image1" << true << "Record: 0";
        QTest::newRow("tasks, close") << "frmTasks" << tasks << QString() << false << QString();
        QTest::newRow("projects, Update") << "frmProjectExplorer" << QList<int>{8, 20, 185, 10, 42}
                                          << "Image4" << false << "Record: 1";
    }
    void browserStoresTypedRecord()
    {
        QFETCH(QString, form);
        QFETCH(QList<int>, lengths);
        QFETCH(QString, button);
        QFETCH(bool, newAfter);
        RecordBrowser *w = openBrowser(form);
        QCOMPARE(w->Data1->caption(), QStringLiteral("Record: 0"));
        click(w->Image2);
        click(w->Image4);
        QCOMPARE(m_script->titles(), (QStringList{"Delete Records", "Update Records"}));
        QCOMPARE(m_script->asked[0].text, QStringLiteral("Can't delete any records."));
        QCOMPARE(m_script->asked[1].text, QStringLiteral("Can't update any records."));

        // Add, then type more than each column holds; Enter keeps what was typed.
        click(w->Image1);
        const QString typed(200, QLatin1Char('z'));
        for (int i = 0; i < lengths.size(); ++i) {
            QTest::keyClicks(w->txtFields[i], typed);
            QCOMPARE(w->txtFields[i]->text().size(), lengths[i]);
        }
        QTest::keyClick(w->txtFields.last(), Qt::Key_Return);
        const QString first = typed.left(lengths[0]);
        if (!button.isNull()) {
            click(w->findChild<QToolButton *>(button));
            QCOMPARE(w->Data1->isNewRecord(), newAfter);
            QCOMPARE(w->txtFields[0]->text(), newAfter ? QString() : first);
            QTEST(w->Data1->caption(), "caption");
        }
        click(w->Command1); // Done closes either browser
        QVERIFY(!w->isVisible());
        QCOMPARE(stored(form), QStringList{first});

        // Opened again, as after a restart: the record, and no empty one.
        w = openBrowser(form);
        QCOMPARE(w->Data1->recordCount(), 1);
        QCOMPARE(w->txtFields[0]->text(), first);
        QCOMPARE(int(m_script->asked.size()), 2);
    }
    void leavingAndDeleting()
    {
        auto *w = platform::windows().show<frmTasks>();
        for (const char *title : {"a", "b", "c"}) {
            click(w->Image1);
            QTest::keyClicks(w->txtFields[0], QLatin1String(title));
        }
        click(w->Image4);
        click(w->Data1->cmdFirst);
        w->txtFields[0]->setText(QStringLiteral("A"));
        click(w->Data1->cmdNext); // leaving the record stores the edit
        QCOMPARE(stored("frmTasks"), (QStringList{"A", "b", "c"}));
        const QList<QPair<QString, QString>> afterDelete{
            {"c", "Record: 2"}, {"A", "Record: 1"}, {"", "Record: 0"}};
        for (const auto &[title, caption] : afterDelete) {
            click(w->Image2);
            QCOMPARE(w->txtFields[0]->text(), title);
            QCOMPARE(w->Data1->caption(), caption);
        }
        QCOMPARE(stored("frmTasks"), QStringList());
        QVERIFY(m_script->asked.empty());
    }
    void locateFileBeforeAdd()
    {
        const QString path = QDir(m_profile->path()).filePath(QStringLiteral("games/SNAKE.tvf"));
        m_script->files.push_back(path);
        auto *w = platform::windows().show<frmProjectExplorer>();
        click(w->Command2);
        QCOMPARE(m_script->titles("open"), QStringList{QString()});
        // The located path becomes the new record's, and is stored with it.
        click(w->Image1);
        QCOMPARE(w->txtFields[2]->text(), path);
        QTest::keyClicks(w->txtFields[0], QStringLiteral("SNAKE"));
        click(w->Image1);
        QCOMPARE(stored("frmProjectExplorer", "Location of File"), QStringList{path});
    }
    void unreadableDatabase()
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
        QCOMPARE(w->Data1->caption(), QStringLiteral("Record: 0"));
        // Opening and every later button report the error; the file is untouched.
        click(w->Image1);
        click(w->Image3);
        QCOMPARE(int(m_script->asked.size()), 3);
        for (const auto &a : m_script->asked)
            QVERIFY2(a.text.startsWith("Data error event hit err:") && a.text.size() > 25,
                     qPrintable(a.text));
        QVERIFY(w->isVisible());
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), garbage);
    }

private:
    std::unique_ptr<testing::IsolatedProfile> m_profile;
    std::unique_ptr<platform::dialogs::Script> m_script;
};

TORVANE_TEST(TstProjects);
#include "tst_projects.moc"
