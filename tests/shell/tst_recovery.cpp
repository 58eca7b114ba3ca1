// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Unsaved work survives a program that is killed: the next start offers it,
// Recover brings it back marked changed, Discard removes it, Later keeps it.
#include "common/TestRegistry.h"

#include "editor/RecoveryFiles.h"
#include "editor/RecoveryWriter.h"
#include "editor/frmDocument.h"
#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/Places.h"
#include "platform/RichTextBox.h"
#include "platform/SettingsStore.h"
#include "shell/Main.h"
#include "shell/Pause.h"
#include "shell/Studio.h"
#include "shell/frmMain.h"
#include "shell/frmRecover.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <optional>

using namespace shell;

namespace
{
const char kChildVariable[] = "TORVANE_RECOVERY_CHILD";

void normalStart()
{
    using namespace platform::config;
    for (const OptionKey &key : {ShowExample, ShowFirstTime, ShowTipsAtStartup})
        platform::settings::writeOption(key, QStringLiteral("0"));
}

QStringList recoveryFiles()
{
    return QDir(platform::places::recoveryFolder()).entryList({"*.tvr"}, QDir::Files);
}

frmRecover *offered()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *r = qobject_cast<frmRecover *>(w); r && r->isVisible())
            return r;
    return nullptr;
}

QStringList rows(frmRecover *r)
{
    QStringList out;
    for (int i = 0; i < r->lstFiles->topLevelItemCount(); ++i)
        out << r->lstFiles->topLevelItem(i)->text(0) + u'|' + r->lstFiles->topLevelItem(i)->text(2);
    return out;
}
} // namespace

// Runs only inside the child process the recovery test starts: opens the file
// named by the variable, types, waits for the recovery file, says so and
// waits to be killed.
class TstRecoveryChild : public QObject
{
    Q_OBJECT
private slots:
    void typeAndWait()
    {
        const QString file = qEnvironmentVariable(kChildVariable);
        if (file.isEmpty())
            QSKIP("the recovery test's child process");
        // The test's own main gave this process a profile of its own: use the parent's.
        for (const char *v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            qputenv(v, qgetenv(QByteArray("TORVANE_PARENT_") + v));
        shell::setPauseScale(0);
        QVERIFY(Main({file}));
        editor::frmDocument *doc = Studio::instance().defaultDocument();
        doc->RichTextBox1->setFocus();
        QTest::keyClicks(doc->RichTextBox1, "Y");
        QTRY_VERIFY_WITH_TIMEOUT(recoveryFiles().size() == 1, 20000);
        std::printf("ready\n");
        std::fflush(stdout);
        QTest::qWait(600000);
    }
};

class TstRecovery : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_profile.emplace();
        m_script = {};
        shell::setPauseScale(0);
        platform::dialogs::setScript(&m_script);
        normalStart();
    }
    void cleanup()
    {
        Studio::instance().reset();
        platform::dialogs::setScript(nullptr);
        m_profile.reset();
    }

    void killedProgramsWorkIsOffered_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("recover") << "cmdRecover";
        QTest::newRow("discard") << "cmdDiscard";
        QTest::newRow("later") << "cmdLater";
    }
    void killedProgramsWorkIsOffered()
    {
        QFETCH(QString, answer);
        const QString file = m_profile->path() + "/game.tvf";
        {
            platform::RichTextBox box;
            box.setText("Disp 1");
            QVERIFY(box.saveRtf(file, nullptr));
        }
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray saved = f.readAll();
        f.close();

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kChildVariable, file);
        for (const char *v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            env.insert(QString("TORVANE_PARENT_") + v, qEnvironmentVariable(v));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"TstRecoveryChild"});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("ready\n") ||
                                     child.state() != QProcess::Running,
                                 60000);
        QCOMPARE(child.state(), QProcess::Running);
        child.kill(); // SIGKILL: nothing of the child's own clean-up runs
        QVERIFY(child.waitForFinished());

        QVERIFY(Main());
        frmRecover *r = offered();
        QVERIFY(r);
        QCOMPARE(rows(r), QStringList{file + "|YDisp 1"});
        QTest::mouseClick(r->findChild<QPushButton *>(answer), Qt::LeftButton);
        QTRY_VERIFY(!offered());

        const auto subs = Studio::instance().mainFrame()->mdiArea()->subWindowList();
        auto *last = qobject_cast<editor::frmDocument *>(subs.last()->widget());
        if (answer == "cmdRecover") {
            QCOMPARE(last->RichTextBox1->Text(), QString("YDisp 1"));
            QCOMPARE(last->fileName(), file);
            QVERIFY(last->isModified());
            // The new window keeps its own recovery file; the old one is gone.
            QCOMPARE(recoveryFiles().size(), 1);
        } else {
            QCOMPARE(subs.size(), 2);
            QCOMPARE(editor::recovery::leftOver(platform::places::recoveryFolder()).size(),
                     answer == "cmdLater" ? 1 : 0);
        }
        // Nothing was written to the document's own file.
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), saved);
    }

    void onlyUnsavedWindowsKeepAFile()
    {
        QVERIFY(Main());
        frmMain *frame = Studio::instance().mainFrame();
        editor::frmDocument *a = frame->LoadNewDoc();
        editor::frmDocument *b = frame->LoadNewDoc();
        const QString file = m_profile->path() + "/b.tvf";
        m_script.files.push_back(file);
        for (editor::frmDocument *doc : {a, b}) {
            doc->RichTextBox1->setFocus();
            QTest::keyClicks(doc->RichTextBox1, "Disp 5");
            doc->findChild<editor::RecoveryWriter *>()->writeNow();
        }
        QCOMPARE(recoveryFiles().size(), 2);
        QVERIFY(b->mnuSave_Click());
        QCOMPARE(
            recoveryFiles(),
            QStringList{QFileInfo(a->findChild<editor::RecoveryWriter *>()->file()).fileName()});
        // Closing a changed window without saving (Discard) removes its file too.
        a->setAskOnClose(false);
        a->close();
        QTRY_VERIFY(recoveryFiles().isEmpty());
    }

    // Typing that never pauses long enough still leaves a recovery file: the
    // longest wait starts with the first key and later keys do not put it off.
    void longestWaitIsNotPutOff()
    {
        QVERIFY(Main());
        editor::frmDocument *doc = Studio::instance().mainFrame()->LoadNewDoc();
        auto *writer = doc->findChild<editor::RecoveryWriter *>();
        QVERIFY(writer);
        auto *pause = writer->findChild<QTimer *>("pauseTimer");
        auto *longest = writer->findChild<QTimer *>("longestTimer");
        QVERIFY(pause && longest);
        doc->RichTextBox1->setFocus();
        QTest::keyClicks(doc->RichTextBox1, "D");
        QVERIFY(pause->isActive() && longest->isActive());
        QCOMPARE(pause->interval(), 2000);
        QCOMPARE(longest->interval(), 30000);
        // The clock moved on: a longer wait stands in for time already gone.
        longest->start(100000);
        QTest::keyClicks(doc->RichTextBox1, "isp");
        QCOMPARE(longest->interval(), 100000);
        QCOMPARE(pause->interval(), 2000);
        QVERIFY(recoveryFiles().isEmpty());
        // The longest wait ends while the pause is still running.
        QVERIFY(QMetaObject::invokeMethod(longest, "timeout", Qt::DirectConnection));
        QCOMPARE(recoveryFiles(), QStringList{QFileInfo(writer->file()).fileName()});
        QVERIFY(!pause->isActive());
        const QVector<editor::recovery::Entry> left =
            editor::recovery::leftOver(platform::places::recoveryFolder());
        QVERIFY(left.isEmpty()); // this program still holds its lock
    }

    // Work left over by several programs is offered newest first, a damaged
    // file by the time it was last written.
    void leftOverNewestFirst()
    {
        const QString folder = m_profile->path() + "/left";
        QVERIFY(QDir().mkpath(folder));
        const QDateTime noon(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);
        const auto put = [&](const QString &session, const QString &caption, int minutes) {
            editor::recovery::Entry e;
            e.caption = caption;
            e.changed = noon.addSecs(minutes * 60);
            e.rtf = "{\\rtf1\\ansi Disp 1\\par}";
            QFile f(folder + "/" + session + "-1.tvr");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(editor::recovery::encode(e));
        };
        put("aaaaaaaaaaaa", "oldest", -60);
        put("bbbbbbbbbbbb", "newest", 60);
        put("cccccccccccc", "middle", 0);
        {
            QFile f(folder + "/dddddddddddd-1.tvr");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a recovery file");
            f.close();
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(noon.addSecs(30 * 60), QFileDevice::FileModificationTime));
        }
        QStringList order;
        for (const editor::recovery::Entry &e : editor::recovery::leftOver(folder))
            order << (e.damaged ? QStringLiteral("damaged") : e.caption);
        QCOMPARE(order, QStringList({"newest", "damaged", "middle", "oldest"}));
    }

    void damagedFileCanOnlyBeDiscarded()
    {
        QDir().mkpath(platform::places::recoveryFolder());
        const QString bad = platform::places::recoveryFolder() + "/0badc0ffee00-1.tvr";
        editor::recovery::Entry whole;
        whole.caption = "Document 3";
        whole.changed = QDateTime::currentDateTimeUtc();
        whole.rtf = "{\\rtf1\\ansi Disp 3\\par}";
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(editor::recovery::encode(whole).chopped(4)); // cut off
        out.close();

        QVERIFY(Main());
        frmRecover *r = offered();
        QVERIFY(r);
        QCOMPARE(rows(r), QStringList{"Document 3|(damaged: can only be discarded)"});
        QTest::mouseClick(r->cmdRecover, Qt::LeftButton);
        QCOMPARE(offered(), r);
        QCOMPARE(Studio::instance().mainFrame()->mdiArea()->subWindowList().size(), 2);
        QTest::mouseClick(r->cmdDiscard, Qt::LeftButton);
        QTRY_VERIFY(!offered());
        QVERIFY(!QFile::exists(bad));
    }

private:
    std::optional<testing::IsolatedProfile> m_profile;
    platform::dialogs::Script m_script;
};

TORVANE_TEST(TstRecoveryChild);
TORVANE_TEST(TstRecovery);
#include "tst_recovery.moc"
