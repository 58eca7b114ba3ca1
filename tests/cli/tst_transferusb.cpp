// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// --send, --receive and --screenshot over the USB cable, with a fake
// TI-84 Plus or TI-84 Plus CE chosen by the environment.
#include "calc/CalcFile.h"
#include "common/TestRegistry.h"
#include "link/FakeCalculator.h"
#include "link/Link.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstTransferUsb : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    int run(const QStringList &arguments, const QByteArray &model, QString *error,
            const QByteArray &fault = {})
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TORVANE_TEST_CALCULATOR", path("calculator-" + model));
        env.insert("TORVANE_TEST_CALCULATOR_MODEL", model);
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
        program.name = "PROG";
        for (int i = 0; i < 600; ++i)
            program.tokens.append(i % 3 ? char('A' + i % 26) : char(0x3F));
        QFile f(path("prog.8xp"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(calc::calcfile::write(program, calc::calcfile::Model::Ti83Plus));
    }

    void models_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QSize>("screen");
        QTest::newRow("ti84p") << QByteArray("ti84p") << QSize(96, 64);
        QTest::newRow("ti84pce") << QByteArray("ti84pce") << QSize(320, 240);
    }
    // The program sent comes back the same, name and data; the screen is
    // written at the calculator's own size, pixel for pixel.
    void models()
    {
        QFETCH(QByteArray, model);
        QFETCH(QSize, screen);
        QString error;
        QCOMPARE(run({"--send", path("prog.8xp"), "--cable", "usb"}, model, &error), 0);
        QCOMPARE(error, QString());
        const QString back = path("back-" + model + ".8xp");
        QCOMPARE(run({"--receive", "PROG", back, "--cable", "usb"}, model, &error), 0);
        QFile sent(path("prog.8xp")), received(back);
        QVERIFY(sent.open(QIODevice::ReadOnly) && received.open(QIODevice::ReadOnly));
        QCOMPARE(received.readAll(), sent.readAll());

        // Without --cable the calculator is found on its USB cable.
        const QString png = path("screen-" + model + ".png");
        QCOMPARE(run({"--screenshot", png}, model, &error), 0);
        const QImage image(png);
        QCOMPARE(image.size(), screen);
        calclink::Screenshot expected;
        const bool colour = model == "ti84pce";
        const QByteArray pattern = calclink::FakeCalculator::testPattern(
            colour ? calclink::FakeCalculator::Model::Ti84PlusCE
                   : calclink::FakeCalculator::Model::Ti84Plus);
        QVERIFY(colour ? calclink::decodeRgb565(pattern, 320, 240, &expected)
                       : calclink::decodeMono(pattern, 96, 64, &expected));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(image.pixel(x, y), expected.pixels[y * image.width() + x]);
    }

    // Failures: exit code 1 and one line; no file written.
    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<QString>("error");
        const QString png = path("bad.png");
        QTest::newRow("garbled screen")
            << QStringList{"--screenshot", png, "--cable", "usb"} << QByteArray("checksum")
            << "The screen was not received. It arrived garbled; check the cable and try again.";
        QTest::newRow("silent") << QStringList{"--screenshot", png, "--cable", "usb"}
                                << QByteArray("silence")
                                << "No calculator answers. Check that it is on and at the home "
                                   "screen, that the cable is pushed fully into its link port, "
                                   "then try again.";
        QTest::newRow("two commands")
            << QStringList{"--screenshot", png, "--send", path("prog.8xp")} << QByteArray()
            << "Give one of --send, --receive and --screenshot.";
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, fault);
        QFETCH(QString, error);
        QString said;
        QCOMPARE(run(arguments, "ti84pce", &said, fault), 1);
        QCOMPARE(said, error + '\n');
        QVERIFY(!QFile::exists(path("bad.png")));
    }
};

TORVANE_TEST(TstTransferUsb);
#include "tst_transferusb.moc"
