// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One program per user session: a second start hands its files to the first
// and ends; a socket left by a killed program is replaced; a program that
// does not answer leads to a start of its own.
#include "common/TestRegistry.h"

#include "editor/frmDocument.h"
#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "platform/SettingsStore.h"
#include "shell/Main.h"
#include "shell/Pause.h"
#include "shell/SingleInstance.h"
#include "shell/Studio.h"
#include "shell/frmMain.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QStatusBar>
#include <QTest>

#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace shell;

namespace
{
struct Fixture {
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    Fixture()
    {
        shell::setPauseScale(0);
        platform::dialogs::setScript(&script);
        using namespace platform::config;
        for (const OptionKey &key : {ShowExample, ShowFirstTime, ShowTipsAtStartup})
            platform::settings::writeOption(key, QStringLiteral("0"));
    }
    ~Fixture()
    {
        Studio::instance().reset();
        platform::dialogs::setScript(nullptr);
    }
    QString program(const QString &name, const QString &text) const
    {
        platform::RichTextBox box;
        box.setText(text);
        const QString path = profile.path() + u'/' + name;
        return box.saveRtf(path, nullptr) ? path : QString();
    }
};

// A second start of the real program, given `files`; its exit code.
int secondStart(const QStringList &files)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(TORVANE_EXECUTABLE), files);
    if (!child.waitForStarted())
        return -1;
    // The first program answers from this event loop; a hang guard only.
    if (!QTest::qWaitFor([&] { return child.state() == QProcess::NotRunning; }, 60000)) {
        child.kill();
        child.waitForFinished();
        return -3;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -2;
}

QString socketPath()
{
    return QDir(QDir::tempPath()).filePath(instance::serverName());
}
} // namespace

class TstSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_fixture.emplace(); }
    void cleanup() { m_fixture.reset(); }

    void secondStartOpensItsFilesInTheFirst()
    {
        QVERIFY(Main());
        QVERIFY(Studio::instance().instanceServer());
        const QString first = m_fixture->program("first.tvf", "Disp 1");
        const QString second = m_fixture->program("second.tvf", "Disp 2");
        QCOMPARE(secondStart({first}), 0);
        // The default window was empty and unchanged: it takes the file.
        editor::frmDocument *def = Studio::instance().defaultDocumentIfLoaded();
        QCOMPARE(def->fileName(), first);
        QCOMPARE(def->RichTextBox1->Text(), QString("Disp 1"));
        QCOMPARE(secondStart({second}), 0);
        const auto subs = Studio::instance().mainFrame()->mdiArea()->subWindowList();
        auto *last = qobject_cast<editor::frmDocument *>(subs.last()->widget());
        QCOMPARE(last->fileName(), second);
        QCOMPARE(last->RichTextBox1->Text(), QString("Disp 2"));
        QCOMPARE(subs.size(), 3);
    }

    void deadProgramsSocketIsReplaced()
    {
        // What a killed program leaves: the socket file, nobody listening.
        QFile::remove(socketPath());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray path = socketPath().toLocal8Bit();
        qstrncpy(addr.sun_path, path.constData(), sizeof addr.sun_path);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
        ::close(fd);
        QVERIFY(QFile::exists(socketPath()));

        QCOMPARE(instance::handOver({}, 2000), instance::Handover::NoServer);
        QVERIFY(Main());
        QVERIFY(Studio::instance().instanceServer());
        QLocalSocket client;
        client.connectToServer(instance::serverName());
        QVERIFY(client.waitForConnected(2000));
    }

    void silentProgramLeadsToAStartOfItsOwn()
    {
        QLocalServer silent;
        QVERIFY(silent.listen(instance::serverName()));
        QVERIFY(Main());
        frmMain *frame = Studio::instance().mainFrame();
        QVERIFY(frame && frame->isVisible());
        QVERIFY(!Studio::instance().instanceServer());
        QCOMPARE(frame->sbStatusBar->currentMessage(),
                 QString("Another Torvane Studio did not answer; this one runs on its own."));
    }

private:
    std::optional<Fixture> m_fixture;
};

TORVANE_TEST(TstSingleInstance);
#include "tst_singleinstance.moc"
