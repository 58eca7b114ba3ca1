// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole programs through `torvane-studio --run`, on the program itself.
#include "calc/CalcFile.h"
#include "cli/RunCommand.h"
#include "common/TestRegistry.h"
#include "rtf/RtfCodec.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// The eight lines of a home screen from the rows that hold text.
QString screen(QStringList rows)
{
    while (rows.size() < 8)
        rows << QString();
    return rows.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

class TstRunCommand : public QObject
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

private slots:
    void initTestCase()
    {
        write("guess.txt", "0->rand\nrandInt(1,100)->N\n0->T\nRepeat G=N\nInput \"GUESS?\",G\n"
                           "T+1->T\nIf G<N\nDisp \"HIGHER\"\nIf G>N\nDisp \"LOWER\"\nEnd\n"
                           "Disp \"GOT IT IN\",T\n");
        write("menu.txt", "Lbl M\nMenu(\"MAIN\",\"PLAY\",P,\"QUIT\",Q\nLbl P\nDisp \"PLAYING\"\n"
                          "Goto M\nLbl Q\nOutput(3,1,\"BYE\n");
        write("keys.txt", "Repeat K=105\ngetKey->K\nIf K\nDisp K\nEnd\n");
        write("calls.txt", "1->A\nprgmADD\nprgmTWICE\nDisp A\nprgmNONE\n");
        // A document and a calculator file beside it.
        write("ADD.tvf", rtf::writePlain("A+1\xE2\x86\x92"
                                         "A",
                                         QStringLiteral("Courier"), 20));
        write("TWICE.8xp", calc::calcfile::build(QStringLiteral("2A->A\r\nReturn\r\n0->A"), "TWICE",
                                                 false, calc::calcfile::Model::Ti83Plus)
                               .file);
        write("loop.txt", "While 1\nEnd\n");
        write("errors.txt", "Disp 1\n1/0\n");
        write("draw.txt", "ClrHome\nSend(A\n");
        write("picture.txt", "AxesOff:ClrDraw\nPxl-On(0,0\nPt-On(10,⁻10\nText(20,40,\"HI\"\n"
                             "Disp 1\n1/0\n");
        write("nothing.txt", "Disp \"\xF0\x9F\x98\x80\"\n");
    }

    void programs_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<int>("exitCode");
        // Seed 0 makes the number 95.
        QTest::newRow("guessing game")
            << QStringList{path("guess.txt"), "--input", "50", "--input", "97", "--input", "95"}
            << screen({"HIGHER", "GUESS?97", "LOWER", "GUESS?95", "GOT IT IN", "               3",
                       "            Done"})
            << "" << 0;
        QTest::newRow("answers run out") << QStringList{path("guess.txt"), "--input", "50"}
                                         << screen({"GUESS?50", "HIGHER"}) << "ERR:BREAK\nline 5\n"
                                         << 2;
        QTest::newRow("menu") << QStringList{path("menu.txt"), "--input", "1", "--input", "2"}
                              << screen({"PLAYING", "", "BYE"}) << "" << 0;
        QTest::newRow("getKey loop")
            << QStringList{path("keys.txt"), "--keys", "0,24,0,26", "--keys", "105"}
            << screen(
                   {"              24", "              26", "             105", "            Done"})
            << "" << 0;
        QTest::newRow("prgm calls")
            << QStringList{path("calls.txt")} << screen({"               4"})
            << "ERR:UNDEFINED\nline 5\nprgmNONE\n"
            << 2;
        QTest::newRow("document") << QStringList{path("ADD.tvf")} << screen({"               1"})
                                  << "" << 0;
        QTest::newRow("calculator file")
            << QStringList{path("TWICE.8xp")} << screen({"            Done"}) << "" << 0;
        QTest::newRow("bad key code") << QStringList{path("keys.txt"), "--keys", "24,up"} << ""
                                      << "--keys: \"up\" is not a key code.\n"
                                      << 1;
        QTest::newRow("bad step count")
            << QStringList{path("loop.txt"), "--max-steps", "many"} << ""
            << "--max-steps: \"many\" is not a positive number.\n"
            << 1;
        QTest::newRow("runaway loop")
            << QStringList{path("loop.txt"), "--max-steps", "1000"} << screen({})
            << "Stopped after 1000 statements (--max-steps).\n"
            << 3;
        QTest::newRow("error line") << QStringList{path("errors.txt")}
                                    << screen({"               1"}) << "ERR:DIVIDE BY 0\nline 2\n"
                                    << 2;
        QTest::newRow("command not run") << QStringList{path("draw.txt")} << screen({})
                                         << "Send( is not run by this engine\nline 2\n"
                                         << 2;
        QTest::newRow("no token") << QStringList{path("nothing.txt")} << ""
                                  << "no calculator command" << 1;
        QTest::newRow("missing file") << QStringList{path("none.txt")} << ""
                                      << "Cannot open" << 1;
    }
    void programs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, err);
        QProcess p;
        p.start(QStringLiteral(TORVANE_EXECUTABLE), QStringList{"--run"} + arguments);
        QVERIFY(p.waitForFinished(60000));
        QTEST(QString::fromUtf8(p.readAllStandardOutput()), "out");
        const QString actualErr = QString::fromUtf8(p.readAllStandardError());
        // Messages about files name the path: only their start is fixed.
        if (err.endsWith(QLatin1Char('\n')) || err.isEmpty())
            QCOMPARE(actualErr, err);
        else
            QVERIFY2(actualErr.contains(err), qPrintable(actualErr));
        QTEST(p.exitCode(), "exitCode");
    }

    void graphPng()
    {
        QProcess p;
        p.start(QStringLiteral(TORVANE_EXECUTABLE),
                {"--run", path("picture.txt"), "--graph-png", path("graph.png")});
        QVERIFY(p.waitForFinished(60000));
        // The graph is written as it was when the program stopped.
        QCOMPARE(p.exitCode(), 2);
        QImage image(path("graph.png"));
        QCOMPARE(image.size(), QSize(96, 64));
        auto dark = [&](int row, int col) { return qGray(image.pixel(col, row)) < 128; };
        QVERIFY(dark(0, 0) && dark(62, 94));
        QVERIFY(!dark(1, 1) && !dark(63, 95) && !dark(31, 47));
        int text = 0;
        for (int r = 20; r < 26; ++r)
            for (int c = 40; c < 48; ++c)
                text += dark(r, c);
        QVERIFY2(text >= 8, qPrintable(QString::number(text)));
        int elsewhere = 0;
        for (int r = 0; r < 64; ++r)
            for (int c = 0; c < 96; ++c)
                elsewhere += dark(r, c) && !(r >= 20 && r < 26 && c >= 40 && c < 48);
        QCOMPARE(elsewhere, 2);

        p.start(QStringLiteral(TORVANE_EXECUTABLE),
                {"--run", path("picture.txt"), "--graph-png", path("no/such/folder/g.png")});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("Cannot write"));
    }

    void keyCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("ok");
        QTest::newRow("list") << "105, 45,24" << QList<int>{105, 45, 24} << true;
        QTest::newRow("empty") << "" << QList<int>{} << true;
        QTest::newRow("word") << "105,ENTER" << QList<int>{} << false;
    }
    void keyCodes()
    {
        QFETCH(QString, text);
        QList<int> keys;
        QString error;
        QTEST(cli::parseKeys(text, &keys, &error), "ok");
        if (error.isEmpty())
            QTEST(keys, "keys");
    }
};

TORVANE_TEST(TstRunCommand);
#include "tst_runcommand.moc"
