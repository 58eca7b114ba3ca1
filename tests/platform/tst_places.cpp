// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the program finds the files it ships with, in a build tree and in an
// installed tree.
#include "common/TestRegistry.h"

#include "platform/AppInfo.h"
#include "platform/Places.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace platform;

namespace
{
// A tree of empty files under a temporary folder, with the user's and the
// system's data folders pointed into it for as long as it lives.
class FakeTree
{
public:
    explicit FakeTree(const QStringList &files)
        : m_oldHome(qgetenv("XDG_DATA_HOME")), m_oldDirs(qgetenv("XDG_DATA_DIRS"))
    {
        for (const QString &f : files) {
            QDir().mkpath(QFileInfo(path(f)).path());
            QFile file(path(f));
            file.open(QIODevice::WriteOnly);
        }
        qputenv("XDG_DATA_HOME", path("user").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (path("system") + ":" + path("system2")).toLocal8Bit());
    }
    ~FakeTree()
    {
        places::setProgramFolderForTesting(QString());
        qputenv("XDG_DATA_HOME", m_oldHome);
        qputenv("XDG_DATA_DIRS", m_oldDirs);
    }

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    void runFrom(const QString &relative) const
    {
        QDir().mkpath(path(relative));
        places::setProgramFolderForTesting(path(relative));
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QByteArray m_oldDirs;
};
} // namespace

class TstPlaces : public QObject
{
    Q_OBJECT
private slots:
    void shippedFileSearchOrder_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");

        auto row = [](const char *tag, const QStringList &files, const char *program,
                      const char *name, const QString &expected) {
            QTest::newRow(tag) << files << QString(program) << QString(name) << expected;
        };
        const QString inst = "usr/share/torvane-studio/", user = "user/torvane-studio/";
        row("program folder before installed folder", {"usr/bin/menu.txt", inst + "menu.txt"},
            "usr/bin", "menu.txt", "usr/bin/menu.txt");
        row("installed folder before data folders", {inst + "menu.txt", user + "menu.txt"},
            "usr/bin", "menu.txt", inst + "menu.txt");
        row("user's data folder before the system's",
            {user + "menu.txt", "system/torvane-studio/menu.txt"}, "opt/bin", "menu.txt",
            user + "menu.txt");
        row("any system data folder", {"system2/torvane-studio/help/index.html"}, "opt/bin", "help",
            "system2/torvane-studio/help");
        row("another file's folder does not count", {"usr/bin/menu.txt", inst + "TIPOFDAY.TXT"},
            "usr/bin", "TIPOFDAY.TXT", inst + "TIPOFDAY.TXT");
        row("nowhere: the program folder's name", {"system/torvane-studio/menu.txt"}, "usr/bin",
            "TIPOFDAY.TXT", "usr/bin/TIPOFDAY.TXT");
    }
    void shippedFileSearchOrder()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, program);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        FakeTree tree(files);
        tree.runFrom(program);
        QCOMPARE(places::shippedFile(name), tree.path(expected));
    }
    void installedTreeAnswersEveryDataFile()
    {
        const QString data = "prefix/share/torvane-studio/";
        FakeTree tree({data + "TIPOFDAY.TXT", data + "menu.txt", data + "help/other.html"});
        tree.runFrom("prefix/bin");
        QCOMPARE(places::tipsFile(), tree.path(data + "TIPOFDAY.TXT"));
        QCOMPARE(places::delimiterFile(), tree.path(data + "menu.txt"));
        QCOMPARE(places::helpFolder(), tree.path(data + "help"));
        // A help folder without its first page falls back to the built-in one.
        QCOMPARE(helpPageAddress(), QString("qrc:/help/index.html"));
        QFile(tree.path(data + "help/index.html")).open(QIODevice::WriteOnly);
        QCOMPARE(helpPageAddress(),
                 QUrl::fromLocalFile(tree.path(data + "help/index.html")).toString());
    }
};

TORVANE_TEST(TstPlaces);
#include "tst_places.moc"
