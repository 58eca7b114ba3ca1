// The new project chooser and form: validation order, the registry record,
// the windows it opens and the counts in their titles.
#include "common/TestRegistry.h"

#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/Places.h"
#include "platform/RegistryAccess.h"
#include "platform/Twips.h"
#include "platform/Windows.h"
#include "projects/frmNewProject.h"
#include "projects/frmNewStandard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace projects;
namespace reg = platform::config::registry;

namespace
{
// Stands in for the shell's document windows.
class FakeDocument : public platform::DocumentWindow
{
public:
    QWidget *widget() override { return &m_widget; }
    platform::RichTextBox *programPane() override { return nullptr; }
    platform::RichTextBox *syntaxPane() override { return nullptr; }
    platform::RichTextBox *examplePane() override { return nullptr; }
    void setDescription(const QString &) override {}
    void setSaveEnabled(bool on) override { m_save = on; }
    bool saveEnabled() const override { return m_save; }

private:
    QWidget m_widget;
    bool m_save = true;
};

class FakeFactory : public platform::DocumentFactory
{
public:
    platform::DocumentWindow *defaultDocument() override { return &defaultDoc; }
    platform::DocumentWindow *newDocument(const QString &caption) override
    {
        captions << caption;
        return nullptr;
    }
    FakeDocument defaultDoc;
    QStringList captions;
};

QString projectKey(const QString &name)
{
    return reg::ProjectValuesKey + QLatin1Char('\\') + name;
}

QString value(const QString &project, QLatin1String name)
{
    platform::RegistryAccess registry;
    registry.SelectKey(projectKey(project));
    return registry.valueText(name);
}

QStringList projectKeys()
{
    platform::RegistryAccess registry;
    registry.SelectKey(reg::ProjectValuesKey);
    return registry.subKeys();
}

void fill(frmNewStandard *form, const QString &program, const QString &comments,
          const QString &project, int calculator)
{
    form->RichTextBox1->setText(program);
    form->RichTextBox2->setText(comments);
    form->RichTextBox3->setText(project);
    if (calculator == 1)
        form->Option1->setChecked(true);
    else if (calculator == 2)
        form->Option2->setChecked(true);
}
} // namespace

class TstNewProject : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_profile = std::make_unique<testing::IsolatedProfile>();
        m_script = std::make_unique<platform::dialogs::Script>();
        platform::dialogs::setScript(m_script.get());
        m_factory = std::make_unique<FakeFactory>();
        platform::windows().setDocumentFactory(m_factory.get());
        m_browserClosed = 0;
        platform::windows().setBrowserCloser([this] { ++m_browserClosed; });
    }
    void cleanup()
    {
        platform::windows().closeAll();
        platform::windows().setDocumentFactory(nullptr);
        platform::windows().setBrowserCloser(nullptr);
        platform::dialogs::setScript(nullptr);
        m_factory.reset();
        m_script.reset();
        m_profile.reset();
    }
    void chooser_data();
    void chooser();
    void failedChecksKeepTheForm_data();
    void failedChecksKeepTheForm();
    void fullRecordOpensWindows();
    void sameProjectIsOverwritten();
    void typingLimits();
    void registryFailureIsReported();
    void backDiscardsTheInputs();

private:
    std::unique_ptr<testing::IsolatedProfile> m_profile;
    std::unique_ptr<platform::dialogs::Script> m_script;
    std::unique_ptr<FakeFactory> m_factory;
    int m_browserClosed = 0;
};

void TstNewProject::chooser_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("chooserStays");
    QTest::addColumn<bool>("formShown");
    QTest::addColumn<int>("browserClosed");
    QTest::addColumn<QString>("message");
    QTest::newRow("Standard") << "Command1" << false << true << 1 << QString();
    QTest::newRow("Download") << "Command3" << true << false << 0
                              << "Sorry, this button is currently unavailable.";
    QTest::newRow("Back") << "Command4" << false << false << 1 << QString();
}

void TstNewProject::chooser()
{
    QFETCH(QString, button);
    QFETCH(bool, chooserStays);
    QFETCH(bool, formShown);
    QFETCH(int, browserClosed);
    QFETCH(QString, message);
    auto *chooser = platform::windows().show<frmNewProject>();
    QCOMPARE(chooser->windowTitle(), QStringLiteral("New Project (TI-83/83+)"));
    QVERIFY(!chooser->Command2->isEnabled());
    QCOMPARE(chooser->Command2->text(), QStringLiteral("Qor 2000"));

    QTest::mouseClick(chooser->findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(bool(platform::windows().loadedWindow<frmNewProject>()), chooserStays);
    auto *form = platform::windows().loadedWindow<frmNewStandard>();
    QCOMPARE(form && form->isVisible(), formShown);
    QCOMPARE(m_browserClosed, browserClosed);
    if (message.isNull()) {
        QVERIFY(m_script->asked.empty());
    } else {
        QCOMPARE(int(m_script->asked.size()), 1);
        QCOMPARE(m_script->asked[0].text, message);
        QCOMPARE(m_script->asked[0].title, QStringLiteral("Torvane Studio"));
    }
}

void TstNewProject::failedChecksKeepTheForm_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("project");
    QTest::addColumn<int>("calculator");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("progress");
    const QString verifying = QStringLiteral("Varifying Project Name");
    const QString writing = QStringLiteral("Writing Context Value in the Registry");
    const QString badName = QStringLiteral("A project name cannot contain \\ or / and cannot be "
                                           "made of blanks only. Please choose another project "
                                           "name.");
    QTest::newRow("all empty") << ""
                               << "" << 0 << "Error 02-C"
                               << "You need to specify a project name." << QStringList()
                               << verifying << 10;
    QTest::newRow("project name only")
        << ""
        << "Alpha" << 2 << "Error 04-C"
        << "You didn't specify a program name." << QStringList{"Alpha"} << writing << 15;
    QTest::newRow("no calculator") << "PRGM"
                                   << "Alpha" << 0 << "Error 01-C"
                                   << "You need to specify the type of calculator you are using."
                                   << QStringList{"Alpha"} << writing << 34;
    QTest::newRow("backslash") << "PRGM"
                               << "a\\b" << 1 << "Error 03-C" << badName << QStringList()
                               << verifying << 10;
    QTest::newRow("slash") << "PRGM"
                           << "a/b" << 1 << "Error 03-C" << badName << QStringList() << verifying
                           << 10;
    QTest::newRow("blanks") << "PRGM"
                            << "   " << 1 << "Error 03-C" << badName << QStringList() << verifying
                            << 10;
}

void TstNewProject::failedChecksKeepTheForm()
{
    QFETCH(QString, program);
    QFETCH(QString, project);
    QFETCH(int, calculator);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QStringList, keys);
    QFETCH(QString, status);
    QFETCH(int, progress);
    auto *form = platform::windows().show<frmNewStandard>();
    fill(form, program, QString(), project, calculator);
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    QCOMPARE(m_script->titles(), QStringList{title});
    QCOMPARE(m_script->asked[0].text, text);
    QCOMPARE(projectKeys(), keys);
    if (!keys.isEmpty()) {
        QCOMPARE(value(project, reg::ProgramTitleValue), program.isEmpty() ? QString() : program);
        QVERIFY(value(project, reg::CalculatorTypeValue).isNull());
    }
    QCOMPARE(platform::windows().loadedWindow<frmNewStandard>(), form);
    QCOMPARE(form->RichTextBox3->text(), project);
    QCOMPARE(form->Label6->text(), status);
    QCOMPARE(form->ProgressBar1->value(), progress);
    QCOMPARE(platform::twips(form->frameGeometry().height()), 6720);
    QVERIFY(m_factory->captions.isEmpty());
    QVERIFY(m_factory->defaultDoc.saveEnabled());
}

void TstNewProject::fullRecordOpensWindows()
{
    const int before = frmNewStandard::projectCount();
    for (int i = 1; i <= 2; ++i) {
        auto *form = platform::windows().show<frmNewStandard>();
        fill(form, QStringLiteral("GAME%1").arg(i), QString(),
             QStringLiteral(" Space Game %1 ").arg(i), 2);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QVERIFY(m_script->asked.empty());
        QCOMPARE(form->ProgressBar1->value(), 58);
        QTRY_VERIFY(!platform::windows().loadedWindow<frmNewStandard>());
    }
    // Names are kept exactly as typed, blanks included.
    const QString name = QStringLiteral(" Space Game 2 ");
    QCOMPARE(value(name, reg::ProgramTitleValue), QStringLiteral("GAME2"));
    QCOMPARE(value(name, reg::CommentsValue), QStringLiteral(""));
    QCOMPARE(value(name, reg::CalculatorTypeValue), QStringLiteral("83+"));
    QCOMPARE(value(name, reg::ProjectNameValue), name);
    QCOMPARE(projectKeys().size(), 2);
    QCOMPARE(m_factory->captions, (QStringList{QStringLiteral("Document %1").arg(before + 1),
                                               QStringLiteral("Document %1").arg(before + 2)}));
    QVERIFY(!m_factory->defaultDoc.saveEnabled());
    QVERIFY(m_factory->defaultDoc.widget()->isVisible());
}

void TstNewProject::sameProjectIsOverwritten()
{
    const QList<std::tuple<QString, QString, int>> runs{
        {QStringLiteral("FIRST"), QStringLiteral("old"), 2},
        {QStringLiteral("SECOND"), QStringLiteral("new comment"), 1}};
    for (const auto &[program, comments, calculator] : runs) {
        auto *form = platform::windows().show<frmNewStandard>();
        fill(form, program, comments, QStringLiteral("Same"), calculator);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QTRY_VERIFY(!platform::windows().loadedWindow<frmNewStandard>());
    }
    QCOMPARE(projectKeys(), QStringList{"Same"});
    QCOMPARE(value(QStringLiteral("Same"), reg::ProgramTitleValue), QStringLiteral("SECOND"));
    QCOMPARE(value(QStringLiteral("Same"), reg::CommentsValue), QStringLiteral("new comment"));
    QCOMPARE(value(QStringLiteral("Same"), reg::CalculatorTypeValue), QStringLiteral("83"));
}

void TstNewProject::typingLimits()
{
    auto *form = platform::windows().show<frmNewStandard>();
    const QString typed(100, QLatin1Char('x'));
    QTest::keyClicks(form->RichTextBox1, typed);
    QTest::keyClicks(form->RichTextBox2, typed);
    QTest::keyClicks(form->RichTextBox3, typed);
    QCOMPARE(form->RichTextBox1->text(), typed.left(8));
    QCOMPARE(form->RichTextBox2->text(), typed.left(42));
    QCOMPARE(form->RichTextBox3->text(), typed);
}

void TstNewProject::registryFailureIsReported()
{
    // A file where the registry's folder should be: nothing can be written.
    QDir().mkpath(QFileInfo(platform::places::configFolder()).absolutePath());
    QFile blocker(platform::places::configFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto *form = platform::windows().show<frmNewStandard>();
    fill(form, QStringLiteral("PRGM"), QString(), QStringLiteral("Alpha"), 1);
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    QCOMPARE(int(m_script->asked.size()), 1);
    QVERIFY2(m_script->asked[0].text.startsWith(
                 QStringLiteral("The project could not be recorded in the registry.\n")),
             qPrintable(m_script->asked[0].text));
    QCOMPARE(platform::windows().loadedWindow<frmNewStandard>(), form);
    QVERIFY(m_factory->captions.isEmpty());
}

void TstNewProject::backDiscardsTheInputs()
{
    auto *form = platform::windows().show<frmNewStandard>();
    fill(form, QStringLiteral("PRGM"), QStringLiteral("note"), QStringLiteral("Alpha"), 1);
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QVERIFY(platform::windows().loadedWindow<frmNewProject>()->isVisible());
    QTRY_VERIFY(!platform::windows().loadedWindow<frmNewStandard>());

    form = platform::windows().show<frmNewStandard>();
    QCOMPARE(form->RichTextBox1->text(), QString());
    QVERIFY(!form->Option1->isChecked() && !form->Option2->isChecked());
    QCOMPARE(form->ProgressBar1->value(), 0);
    QVERIFY(projectKeys().isEmpty());
}

TORVANE_TEST(TstNewProject);
#include "tst_newproject.moc"
