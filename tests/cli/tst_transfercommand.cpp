// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// --send and --receive on the program itself, with the test calculator on
// the cable.
#include "calc/CalcFile.h"
#include "common/TestRegistry.h"
#include "link/Link.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstTransferCommand : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Runs the program; its exit code, and standard error in *error.
    int run(const QStringList &arguments, QString *error, const QByteArray &fault = {})
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TORVANE_TEST_CALCULATOR", path("calculator"));
        if (!fault.isEmpty())
            env.insert("TORVANE_TEST_CALCULATOR_FAULT", fault);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TORVANE_EXECUTABLE), arguments);
        if (!p.waitForFinished(60000))
            return -1;
        *error = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitCode();
    }

private slots:
    void initTestCase()
    {
        if (!calclink::available())
            QSKIP("built without the link cable libraries");
        calc::calcfile::Program program;
        program.name = "FIRST";
        program.tokens = QByteArray("\xDE\x2A"
                                    "HI",
                                    4); // Disp "HI
        QFile f(path("first.8xp"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(calc::calcfile::write(program, calc::calcfile::Model::Ti83Plus));
    }

    // A program sent under a name comes back under it, byte for byte as an
    // export of it, whichever file it was read from.
    void sendThenReceive_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("calculator file") << "first.8xp";
        QTest::newRow("text") << "first.txt";
    }
    void sendThenReceive()
    {
        QFETCH(QString, file);
        QFile text(path("first.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Disp \"HI");
        text.close();
        QString error;
        QCOMPARE(run({"--send", path(file), "--name", "SECOND", "--cable", "silver"}, &error), 0);
        QCOMPARE(error, QString());
        QFile::remove(path("back.8xp"));
        QCOMPARE(run({"--receive", "second", path("back.8xp")}, &error), 0);
        QFile f(path("back.8xp"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const auto read = calc::calcfile::read(f.readAll());
        QCOMPARE(read.program.name, QStringLiteral("SECOND"));
        QCOMPARE(read.program.tokens, QByteArray("\xDE\x2A"
                                                 "HI",
                                                 4));
    }

    // Every failure: exit code 1, one line on standard error, no file.
    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<QString>("error");
        const QString first = path("first.8xp");
        const QString out = path("out.8xp");
        QTest::newRow("missing") << QStringList{"--receive", "NOPE", out} << QByteArray()
                                 << "There is no program NOPE on the calculator.";
        QTest::newRow("memory") << QStringList{"--send", first} << QByteArray("memory")
                                << "The calculator has no room for the program. Delete or "
                                   "archive something on it (2nd MEM), then try again.";
        QTest::newRow("silence")
            << QStringList{"--receive", "FIRST", out} << QByteArray("silence")
            << "No calculator answers. Check that it is on and at the home screen, that the "
               "cable is pushed fully into its link port, then try again.";
        QTest::newRow("bad name") << QStringList{"--send", first, "--name", "9X"} << QByteArray()
                                  << calc::calcfile::nameRules("9X");
        QTest::newRow("bad cable") << QStringList{"--send", first, "--cable", "red"} << QByteArray()
                                   << "--cable: \"red\" is none of silver, grey and usb.";
        QTest::newRow("bad port") << QStringList{"--send", first, "--cable", "grey", "--port", "9"}
                                  << QByteArray() << "--port: \"9\" is not a number from 1 to 4.";
        QTest::newRow("no OUT") << QStringList{"--receive", "FIRST"} << QByteArray()
                                << "--receive NAME needs one file name, OUT; 0 given.";
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, fault);
        QFETCH(QString, error);
        QString said;
        QCOMPARE(run(arguments, &said, fault), 1);
        QCOMPARE(said, error + '\n');
        QVERIFY(!QFile::exists(path("out.8xp")));
    }
};

TORVANE_TEST(TstTransferCommand);
#include "tst_transfercommand.moc"
