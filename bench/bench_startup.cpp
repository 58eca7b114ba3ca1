// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up cost of the program: time from starting the process to the main
// frame on screen, not counting the splash's pause, and the memory it holds
// once idle; then the same memory with a browser window opened afterwards,
// and how long that first page took. For comparison, the same start with a
// shared OpenGL context made at start, as the engine's library demands when
// it is linked into the program. Each run is a fresh process (this program
// started again with --child), runs alternate between the three kinds, and
// the figures are medians. Run it on a real display or under
// xvfb-run: the offscreen platform has no OpenGL and would hide its cost.
// Prints figures only: nothing here passes or fails on time, but it fails
// (exit code 1, a message) when a child never shows its main frame.
#include "auxiliary/frmBrowser.h"
#include "platform/AppInfo.h"
#include "platform/BrowserView.h"
#include "platform/Config.h"
#include "platform/SettingsStore.h"
#include "platform/WindowRegistry.h"
#include "shell/Main.h"
#include "shell/Pause.h"
#include "shell/Studio.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

// Resident memory of a process in MB, from /proc.
double residentMb(const QString &pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// The processes started below `pid` (the web engine's helpers).
QStringList descendants(const QString &pid)
{
    QStringList out;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile f(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray stat = f.readAll();
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.value(1) == pid.toLatin1())
            out << entry << descendants(entry);
    }
    return out;
}

// Lets the program settle, as a user would leave it.
void idle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

enum Kind { Plain, Browse, SharedContextAtStart, SecondStart, Kinds };
const char *const kindArgument[Kinds] = {"--child", "--child-browse", "--child-shared-context",
                                         "--child-second"};

// A second start with a file: hands it to the running program and ends.
int secondStart(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    return shell::Main({QString::fromLocal8Bit(argv[2])}) ? 1 : 0;
}

int child(int argc, char **argv, Kind kind)
{
    if (kind == SecondStart)
        return secondStart(argc, argv);
    if (kind == SharedContextAtStart)
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // As main.cpp does it.
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("torvane-studio"));
    QApplication::setApplicationName(QStringLiteral("Torvane Studio"));
    platform::settings::writeOption(platform::config::ShowFirstTime, QStringLiteral("0"));
    platform::settings::writeOption(platform::config::ShowTipsAtStartup, QStringLiteral("0"));
    platform::settings::writeOption(platform::config::ShowExample, QStringLiteral("0"));
    shell::setPauseScale(0);

    shell::Main({});
    shell::frmMain *frame = shell::Studio::instance().mainFrame();
    while (!frame->windowHandle() || !frame->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("shown\n");
    std::fflush(stdout);

    idle(2000);
    const QString self = QString::number(QCoreApplication::applicationPid());
    std::printf("idle %.1f\n", residentMb(self));
    if (kind == Plain) {
        // Waits for the file a second start hands over (see main()).
        std::printf("listening\n");
        std::fflush(stdout);
        QElapsedTimer t;
        t.start();
        while (shell::Studio::instance().defaultDocument()->fileName().isEmpty() &&
               t.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::printf("opened\n");
    }
    if (kind == Browse) {
        QElapsedTimer t;
        t.start();
        QString why;
        platform::BrowserView::engineAvailable(&why);
        const qint64 loaded = t.elapsed();
        platform::windows().openInSharedBrowser(platform::helpPageAddress());
        auto *browser = platform::windows().loadedWindow<auxiliary::frmBrowser>();
        while (browser->windowTitle() != QLatin1String("Torvane Studio Help") &&
               t.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::printf("module %lld\nfirst-page %lld\n", loaded, t.elapsed());
        idle(2000);
        double helpers = 0;
        for (const QString &pid : descendants(self))
            helpers += residentMb(pid);
        std::printf("browsing %.1f %.1f\n", residentMb(self), helpers);
        // Pages go before the engine's profile does.
        delete browser;
    }
    std::fflush(stdout);
    return 0;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    for (int kind = 0; kind < Kinds; ++kind)
        if (argc > 1 && qstrcmp(argv[1], kindArgument[kind]) == 0)
            return child(argc, argv, Kind(kind));

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    std::vector<double> start[Kinds], idleMb[Kinds], module, firstPage, browsingMb, helpersMb;
    std::vector<double> handover, handedOpen;
    for (int run = 0; run < SecondStart * runs; ++run) {
        const int kind = run % SecondStart;
        QTemporaryDir profile;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), profile.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), profile.filePath(QStringLiteral("data")));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        p.start(QCoreApplication::applicationFilePath(), {QLatin1String(kindArgument[kind])});
        const size_t shownBefore = start[kind].size();
        while (p.waitForReadyRead(60000)) {
            while (p.canReadLine()) {
                const QList<QByteArray> f = p.readLine().trimmed().split(' ');
                if (f[0] == "shown")
                    start[kind].push_back(t.elapsed());
                else if (f[0] == "idle")
                    idleMb[kind].push_back(f.value(1).toDouble());
                else if (f[0] == "module")
                    module.push_back(f.value(1).toDouble());
                else if (f[0] == "first-page")
                    firstPage.push_back(f.value(1).toDouble());
                else if (f[0] == "listening") {
                    // The second start, its file, and the first program opening it.
                    QProcess second;
                    second.setProcessEnvironment(env);
                    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
                    const QString file = profile.filePath(QStringLiteral("handed.tvf"));
                    QFile out(file);
                    if (out.open(QIODevice::WriteOnly))
                        out.write("{\\rtf1\\ansi Disp 1\\par}");
                    out.close();
                    QElapsedTimer h;
                    h.start();
                    second.start(QCoreApplication::applicationFilePath(),
                                 {QLatin1String(kindArgument[SecondStart]), file});
                    if (second.waitForFinished(60000) && second.exitCode() == 0)
                        handover.push_back(h.elapsed());
                    if (p.waitForReadyRead(60000) && p.readLine().trimmed() == "opened")
                        handedOpen.push_back(h.elapsed());
                } else if (f[0] == "browsing") {
                    browsingMb.push_back(f.value(1).toDouble());
                    helpersMb.push_back(f.value(2).toDouble());
                }
            }
        }
        p.waitForFinished(60000);
        // A child that never showed its frame (no display, a crash) has no
        // start-up time; a zero would pass for a free start.
        if (start[kind].size() == shownBefore) {
            std::fprintf(stderr,
                         "bench_startup: run %d (%s) did not reach the main frame: %s, exit "
                         "code %d. Run it on a display or under xvfb-run.\n",
                         run + 1, kindArgument[kind],
                         p.exitStatus() == QProcess::CrashExit  ? "it crashed"
                         : p.error() == QProcess::FailedToStart ? "it did not start"
                                                                : "it ended without showing it",
                         p.exitCode());
            return 1;
        }
    }
    std::printf("bench_startup: medians of %d runs each, splash pause not counted\n", runs);
    std::printf("  start to main frame shown:        %6.0f ms (%6.0f ms in the runs that "
                "browse later; %6.0f ms with a shared GL context made at start)\n",
                median(start[Plain]), median(start[Browse]), median(start[SharedContextAtStart]));
    std::printf("  idle resident memory:             %6.1f MB (%6.1f MB; %6.1f MB)\n",
                median(idleMb[Plain]), median(idleMb[Browse]),
                median(idleMb[SharedContextAtStart]));
    std::printf("  first browser: engine module and GL context %6.0f ms, first help page "
                "shown after %6.0f ms\n",
                median(module), median(firstPage));
    std::printf("  idle with a browser open:         %6.1f MB in the program, %6.1f MB in the "
                "engine's helper processes\n",
                median(browsingMb), median(helpersMb));
    std::printf("  second start handing a file to the running program: %6.0f ms until it "
                "ends, %6.0f ms until the file is open (%zu of %d handed over)\n",
                median(handover), median(handedOpen), handover.size(), runs);
    return 0;
}
