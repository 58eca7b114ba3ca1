// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// --check and --optimize on the program itself.
#include "cli/CheckCommand.h"
#include "common/TestRegistry.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstCheckCommand : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString &name)
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        write("clean.txt", "Lbl A\nDisp \"HI\nIf getKey\nGoto A\n");
        write("bad.txt", "If A\nThen\nGoto B\n");
        write("plus.txt", "Archive A\n");
        write("refused.txt", "ClrHome\nDisp A\xC2\xA9\n");
        write("long.txt", ":Disp 1\nDisp 0.5\nIf A≠0\nOutput(1,1,\"HI\")\n");
        write("start.txt", "\xE2\x82\xAC"
                           "1->A\n");
        write("hello.txt", ":Disp \"HELLO\"\nIf X≠0\nDisp 0.5*A\n");
        write("slowfor.txt", "For(I,1,99)\nIf I=50\nDisp I\nEnd\n");
        write("ce.txt", "TextColor(BLUE\nBackgroundOff\nWait .1\n");
    }

    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out"); // FILE stands for the first file
        QTest::addColumn<QString>("err");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("clean") << QStringList{"--check", path("clean.txt")} << ""
                               << "" << 0;
        QTest::newRow("errors") << QStringList{"--check", path("bad.txt")}
                                << "FILE:1:1: warning: If-Then is never closed: End is missing "
                                   "(this matters only when the program runs it again and again: "
                                   "ERR:MEMORY in the end)\n"
                                   "FILE:3:6: error: no Lbl B to go to (ERR:LABEL)\n"
                                << "" << 1;
        QTest::newRow("refused character")
            << QStringList{"--check", path("refused.txt")}
            << "FILE:2:7: error: no calculator token is written \"\u00A9\"\n"
            << "" << 1;
        QTest::newRow("refused first character")
            << QStringList{"--check", path("start.txt")}
            << "FILE:1:1: error: no calculator token is written \"\u20AC\"\n"
            << "" << 1;
        QTest::newRow("for keeps its parenthesis")
            << QStringList{"--check", path("slowfor.txt")} << ""
            << "" << 0;
        QTest::newRow("optimize applies every hint")
            << QStringList{"--optimize", path("hello.txt"), path("hello2.txt")}
            << path("hello2.txt") + ": 6 bytes saved (21 to 15)\n"
            << "" << 0;
        QTest::newRow("optimize keeps every character")
            << QStringList{"--optimize", path("refused.txt"), path("refused2.txt")} << ""
            << "no calculator token is written" << 1;
        QTest::newRow("plus by default") << QStringList{"--check", path("plus.txt")} << ""
                                         << "" << 0;
        QTest::newRow("target 83") << QStringList{"--check", path("plus.txt"), "--target", "83"}
                                   << "FILE:1:1: error: Archive is not on the TI-83\n"
                                   << "" << 1;
        QTest::newRow("bad target")
            << QStringList{"--check", path("plus.txt"), "--target", "84"} << ""
            << "--target: \"84\" is neither 83 nor 83p.\n"
            << 2;
        // The models: a chosen one makes what it lacks errors, none names the
        // lowest, --target stays a synonym and must agree.
        QTest::newRow("model ti83p")
            << QStringList{"--check", path("ce.txt"), "--model", "ti83p"}
            << "FILE:1:1: error: TextColor( needs a TI-84 Plus C SE\n"
               "FILE:1:11: error: BLUE needs a TI-84 Plus C SE\n"
               "FILE:2:1: error: BackgroundOff needs a TI-84 Plus C SE\n"
               "FILE:3:1: error: Wait needs a TI-84 Plus CE with OS 5.2 or later\n"
            << "" << 1;
        QTest::newRow("model ti84pce")
            << QStringList{"--check", path("ce.txt"), "--model", "ti84pce"} << ""
            << "" << 0;
        QTest::newRow("no model") << QStringList{"--check", path("ce.txt")}
                                  << "FILE:3:1: note: uses Wait: TI-84 Plus CE OS 5.2 or later\n"
                                  << "" << 0;
        QTest::newRow("model ti83 is target 83")
            << QStringList{"--check", path("plus.txt"), "--model", "ti83"}
            << "FILE:1:1: error: Archive is not on the TI-83\n"
            << "" << 1;
        QTest::newRow("bad model")
            << QStringList{"--check", path("plus.txt"), "--model", "ti89"} << ""
            << "--model: \"ti89\" is none of ti83, ti83p, ti84p, ti84pcse, ti84pce.\n"
            << 2;
        QTest::newRow("model and target disagree")
            << QStringList{"--check", path("plus.txt"), "--model", "ti84p", "--target", "83"} << ""
            << "--model and --target name different calculators.\n"
            << 2;
        QTest::newRow("unreadable") << QStringList{"--check", path("none.txt")} << ""
                                    << "Cannot open" << 2;
        QTest::newRow("optimize") << QStringList{"--optimize", path("long.txt"), path("short.txt")}
                                  << path("short.txt") + ": 7 bytes saved (24 to 17)\n"
                                  << "" << 0;
        QTest::newRow("never over IN")
            << QStringList{"--optimize", path("long.txt"), path("long.txt")} << ""
            << "is the file being optimized" << 1;
    }
    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess p;
        p.start(QStringLiteral(TORVANE_EXECUTABLE), arguments);
        QVERIFY(p.waitForFinished(60000));
        out.replace(QStringLiteral("FILE"), arguments.value(1));
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), out);
        const QString actualErr = QString::fromUtf8(p.readAllStandardError());
        if (err.endsWith(QLatin1Char('\n')) || err.isEmpty())
            QCOMPARE(actualErr, err);
        else
            QVERIFY2(actualErr.contains(err), qPrintable(actualErr));
        QTEST(p.exitCode(), "exitCode");
    }

    // What --optimize wrote runs as the original and checks clean.
    void optimizedFile()
    {
        const auto r = cli::optimizeFile(path("long.txt"), path("short2.txt"));
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QString::fromUtf8(read("short2.txt")),
                 QStringLiteral("Disp 1,.5\nIf A\nOutput(1,1,\"HI\n"));
        QCOMPARE(read("long.txt"), QByteArray(":Disp 1\nDisp 0.5\nIf A≠0\nOutput(1,1,\"HI\")\n"));
        const auto c = cli::checkFile(path("short2.txt"), QString());
        QCOMPARE(c.out, QString());
        // The loop whose first statement is a lone If keeps its ")".
        QCOMPARE(cli::optimizeFile(path("slowfor.txt"), path("slowfor2.txt")).exitCode, 0);
        QCOMPARE(read("slowfor2.txt"), QByteArray("For(I,1,99)\nIf I=50\nDisp I\nEnd\n"));
    }

    // --model on an export and an optimize writes the model's product id
    // and version byte; the import names the model it found.
    void modelFiles()
    {
        const auto run = [](const QStringList &arguments) {
            QProcess p;
            p.start(QStringLiteral(TORVANE_EXECUTABLE), arguments);
            p.waitForFinished(60000);
            return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        };
        QCOMPARE(run({"--export-8xp", path("ce.txt"), path("CE.8xp"), "--model", "ti84pce"}),
                 QString());
        QByteArray file = read("CE.8xp");
        QCOMPARE(int(uchar(file.at(10))), 0x13);
        QCOMPARE(int(uchar(file.at(0x44))), 0x0B);
        QCOMPARE(run({"--import-8xp", path("CE.8xp"), path("ce.tvf")}),
                 QStringLiteral("Imported the program CE.\nModel: TI-84 Plus CE / TI-83 Premium "
                                "CE.\n"));
        // The document keeps it: checked without --model, the CE's tokens are no error.
        QCOMPARE(cli::checkFile(path("ce.tvf"), QString()).exitCode, 0);
        QCOMPARE(cli::checkFile(path("ce.tvf"), QStringLiteral("ti83p")).exitCode, 1);
        QCOMPARE(run({"--export-8xp", path("ce.txt"), path("CE2.8xp"), "--model", "ti84pcse"}),
                 QString());
        QCOMPARE(int(uchar(read("CE2.8xp").at(10))), 0x0F);
        QCOMPARE(cli::optimizeFile(path("ce.txt"), path("CE3.8xp"), calc::models::Model::Ti84Plus)
                     .exitCode,
                 0);
        file = read("CE3.8xp");
        QCOMPARE(int(uchar(file.at(10))), 0x0A);
        QCOMPARE(int(uchar(file.at(0x44))), 0x0B); // the tokens decide the version byte
        QVERIFY(run({"--import-8xp", path("CE.8xp"), path("x.tvf"), "--model", "ti83"})
                    .contains("--model applies to --export-8xp only"));
    }
};

TORVANE_TEST(TstCheckCommand);
#include "tst_checkcommand.moc"
