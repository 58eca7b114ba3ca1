// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The link over the calculator's own USB port: the real cable libraries
// talk to a fake TI-84 Plus or TI-84 Plus CE.
#include "calc/CalcFile.h"
#include "common/TestRegistry.h"
#include "link/FakeDusb.h"
#include "link/Link.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace
{

using calclink::FakeCalculator;
using calclink::FakeDusbCalculator;
using calclink::Outcome;
using FakeModel = FakeCalculator::Model;

QByteArray programFile(const QString &name, int tokens, bool isProtected = false)
{
    calc::calcfile::Program p;
    p.name = name;
    p.isProtected = isProtected;
    for (int i = 0; i < tokens; ++i)
        p.tokens.append(i % 2 ? char(0x3F) : char('A' + i % 26));
    return calc::calcfile::write(p, calc::calcfile::Model::Ti83Plus);
}

std::unique_ptr<calclink::Link> openedUsb(FakeCalculator *fake, calclink::Result *result)
{
    auto l = calclink::create({calclink::Cable::Usb, 1}, fake);
    *result = l->open();
    return l;
}

void addModels()
{
    QTest::addColumn<int>("model");
    QTest::newRow("TI-84 Plus") << int(FakeModel::Ti84Plus);
    QTest::newRow("TI-84 Plus CE") << int(FakeModel::Ti84PlusCE);
}

FakeDusbCalculator::Model fetchedModel()
{
    QFETCH(int, model);
    return FakeModel(model);
}

} // namespace

class TstLinkUsb : public QObject
{
    Q_OBJECT

private slots:
    // The cable says which calculator is on it, and the library's handle
    // for that model does the talking: its packets are the USB protocol's
    // (a buffer size request first), not the serial one's.
    void probeFindsTheModel_data()
    {
        QTest::addColumn<int>("fake");
        QTest::addColumn<int>("cable");
        QTest::addColumn<int>("expected");
        QTest::newRow("TI-84 Plus") << int(FakeModel::Ti84Plus) << int(calclink::Cable::Usb)
                                    << int(calclink::Model::Ti84Plus);
        QTest::newRow("TI-84 Plus CE") << int(FakeModel::Ti84PlusCE) << int(calclink::Cable::Usb)
                                       << int(calclink::Model::Ti84PlusCE);
        QTest::newRow("TI-83 Plus, SilverLink")
            << int(FakeModel::Ti83Plus) << int(calclink::Cable::Silver)
            << int(calclink::Model::Ti83Plus);
    }
    void probeFindsTheModel()
    {
        QFETCH(int, fake);
        QFETCH(int, cable);
        QFETCH(int, expected);
        std::unique_ptr<FakeCalculator> calculator;
        if (FakeModel(fake) == FakeModel::Ti83Plus)
            calculator = std::make_unique<FakeCalculator>();
        else
            calculator = std::make_unique<FakeDusbCalculator>(FakeModel(fake));
        auto l = calclink::create({calclink::Cable(cable), 1}, calculator.get());
        QCOMPARE(int(l->model()), int(calclink::Model::Unknown));
        const calclink::Result r = l->open();
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(int(l->model()), expected);
        if (FakeModel(fake) != FakeModel::Ti83Plus) {
            QVERIFY(!calculator->packetsReceived().isEmpty());
            QCOMPARE(calculator->packetsReceived().first().toHex(' '),
                     QByteArray("00 00 00 04 01 00 00 04 00"));
        }
    }

    // What goes out comes back, in one raw packet or in many.
    void sendAndReceive_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("tokens");
        QTest::addColumn<bool>("isProtected");
        for (FakeModel m : {FakeModel::Ti84Plus, FakeModel::Ti84PlusCE}) {
            const char *tag = m == FakeModel::Ti84Plus ? "84+" : "CE";
            QTest::addRow("%s small", tag) << int(m) << "A" << 5 << false;
            // A last raw packet of 59 bytes makes the library add a read or
            // a write of none, as the calculators need.
            QTest::addRow("%s empty transfer", tag) << int(m) << "EMPTY" << 51 << false;
            // 244 bytes of data fill the TI-84 Plus's first raw packet exactly.
            QTest::addRow("%s one packet full", tag) << int(m) << "FULL" << 242 << false;
            QTest::addRow("%s large", tag) << int(m) << "BIGPRGM" << 4000 << false;
            QTest::addRow("%s protected, theta", tag)
                << int(m) << QStringLiteral("X\u03B8") << 40 << true;
        }
    }
    void sendAndReceive()
    {
        QFETCH(QString, name);
        QFETCH(int, tokens);
        QFETCH(bool, isProtected);
        FakeDusbCalculator fake(fetchedModel());
        calclink::Result r;
        auto l = openedUsb(&fake, &r);
        QVERIFY2(r.ok(), qPrintable(r.message));
        const QByteArray file = programFile(name, tokens, isProtected);
        QList<QPair<qint64, qint64>> steps;
        calclink::Progress progress;
        progress.report = [&](qint64 done, qint64 total) { steps.append({done, total}); };
        r = l->send({file}, progress);
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(fake.variables().size(), 1);
        QCOMPARE(fake.variables()[0].type, quint8(isProtected ? 6 : 5));
        QCOMPARE(fake.variables()[0].data.mid(2), calc::calcfile::read(file).program.tokens);
        if (!steps.isEmpty())
            QCOMPARE(steps.last().first, steps.last().second);
        // No raw packet the computer sent is larger than the calculator took.
        for (const QByteArray &p : fake.packetsReceived())
            QVERIFY(p.size() - 5 <= fake.rawPacketSize());

        QList<calclink::Entry> programs;
        r = l->list(&programs, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(programs.size(), 1);
        QCOMPARE(programs[0].name, name);
        QCOMPARE(programs[0].isProtected, isProtected);
        QCOMPARE(programs[0].size, int(fake.variables()[0].data.size()));
        QByteArray back;
        r = l->receive(programs[0], &back, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(back, file);
    }

    // A program of a name already there replaces it; under another name it
    // goes beside it. (The question is asked before anything is sent.)
    void replaceAndRename_data() { addModels(); }
    void replaceAndRename()
    {
        FakeDusbCalculator fake(fetchedModel());
        calclink::Result r;
        auto l = openedUsb(&fake, &r);
        QVERIFY2(r.ok(), qPrintable(r.message));
        QVERIFY(l->send({programFile("SAME", 10)}, {}).ok());
        QVERIFY(l->send({programFile("SAME", 30)}, {}).ok());
        QCOMPARE(fake.variables().size(), 1);
        QCOMPARE(fake.variables()[0].data.size(), 2 + 30);
        QVERIFY(l->send({programFile("OTHER", 10)}, {}).ok());
        QCOMPARE(fake.variables().size(), 2);
        QList<calclink::Entry> programs;
        QVERIFY(l->list(&programs, {}).ok());
        QCOMPARE(programs.size(), 2);
        QCOMPARE(programs[1].name, QStringLiteral("OTHER"));
    }

    // The archive flag crosses the USB cable both ways, as an attribute.
    void archivedFlag_data() { addModels(); }
    void archivedFlag()
    {
        FakeDusbCalculator fake(fetchedModel());
        calclink::Result r;
        auto l = openedUsb(&fake, &r);
        QVERIFY2(r.ok(), qPrintable(r.message));
        calc::calcfile::Program p;
        p.name = "ARCH";
        p.archived = true;
        p.tokens = QByteArray("\xDE\x31", 2);
        const QByteArray file = calc::calcfile::write(p, calc::calcfile::Model::Ti83Plus);
        QVERIFY(l->send({file}, {}).ok());
        QVERIFY(fake.find("ARCH") && fake.find("ARCH")->archived);
        FakeCalculator::Variable inRam = *fake.find("ARCH");
        inRam.name = "RAM";
        inRam.archived = false;
        fake.store(inRam);
        QList<calclink::Entry> programs;
        QVERIFY(l->list(&programs, {}).ok());
        QCOMPARE(programs.size(), 2);
        QCOMPARE(programs[0].archived, true);
        QCOMPARE(programs[1].archived, false);
        for (const calclink::Entry &e : programs) {
            QByteArray back;
            QVERIFY(l->receive(e, &back, {}).ok());
            QCOMPARE(calc::calcfile::read(back).program.archived, e.archived);
        }
    }

    // Each fault ends in its outcome and leaves the calculator's programs
    // and the received file as they were.
    void faults_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<int>("sendOutcome");
        QTest::addColumn<int>("receiveOutcome");
        using F = FakeCalculator::Fault;
        for (FakeModel m : {FakeModel::Ti84Plus, FakeModel::Ti84PlusCE}) {
            const char *tag = m == FakeModel::Ti84Plus ? "84+" : "CE";
            const auto row = [&](const char *name, F fault, int delay, Outcome send,
                                 Outcome receive) {
                QTest::addRow("%s %s", tag, name)
                    << int(m) << int(fault) << delay << int(send) << int(receive);
            };
            row("exit", F::RejectExit, 0, Outcome::Refused, Outcome::Ok);
            // The USB protocol has no skip: the calculator refuses the name.
            row("skip", F::RejectSkip, 0, Outcome::Refused, Outcome::Ok);
            row("memory", F::RejectMemory, 0, Outcome::OutOfMemory, Outcome::Ok);
            row("silence", F::Silence, 0, Outcome::NoAnswer, Outcome::NoAnswer);
            row("garbled", F::BadChecksum, 0, Outcome::Ok, Outcome::Failed);
            row("cut off", F::CutOff, 0, Outcome::NoAnswer, Outcome::NoAnswer);
            row("slow", F::SlowReply, 120, Outcome::Ok, Outcome::Ok);
            row("too slow", F::SlowReply, 2500, Outcome::NoAnswer, Outcome::NoAnswer);
        }
    }
    void faults()
    {
        QFETCH(int, fault);
        QFETCH(int, delayMs);
        QFETCH(int, sendOutcome);
        QFETCH(int, receiveOutcome);
        FakeDusbCalculator fake(fetchedModel());
        FakeCalculator::Variable old;
        old.name = "OLD";
        old.data = QByteArray("\x01\x00\x41", 3);
        fake.store(old);
        fake.setFault(FakeCalculator::Fault(fault));
        fake.replyDelayMs = delayMs;

        calclink::Result r;
        auto l = openedUsb(&fake, &r);
        if (r.ok())
            r = l->send({programFile("NEW", 30)}, {});
        QCOMPARE(int(r.outcome), sendOutcome);
        QCOMPARE(fake.find("NEW") != nullptr, r.ok());
        QCOMPARE(fake.find("OLD")->data, old.data);
        // One or two sentences, never the library's own words.
        QVERIFY2(!r.message.contains("Msg:"), qPrintable(r.message));

        l.reset();
        QByteArray file;
        l = openedUsb(&fake, &r);
        if (r.ok())
            r = l->receive({QStringLiteral("OLD"), false, false, 3}, &file, {});
        QCOMPARE(int(r.outcome), receiveOutcome);
        QCOMPARE(file.isEmpty(), !r.ok());
        if (r.ok())
            QCOMPARE(calc::calcfile::read(file).program.tokens, QByteArray("A"));
    }

    // Cancel before or during the data sends nothing, and the cable works
    // afterwards.
    void cancel_data() { addModels(); }
    void cancel()
    {
        FakeDusbCalculator fake(fetchedModel());
        calclink::Result r;
        auto l = openedUsb(&fake, &r);
        QVERIFY2(r.ok(), qPrintable(r.message));
        std::atomic_bool stop{true};
        calclink::Progress progress;
        progress.cancel = &stop;
        QCOMPARE(int(l->send({programFile("A", 100)}, progress).outcome), int(Outcome::Cancelled));
        QVERIFY(fake.variables().isEmpty());
        progress.report = [&stop](qint64 done, qint64) {
            if (done > 0)
                stop = true;
        };
        stop = false;
        QVERIFY(l->open().ok());
        QCOMPARE(int(l->send({programFile("A", 4000)}, progress).outcome), int(Outcome::Cancelled));
        QVERIFY(fake.variables().isEmpty());
        progress.report = nullptr;
        stop = false;
        QVERIFY(l->open().ok());
        QVERIFY(l->send({programFile("B", 100)}, progress).ok());
        QCOMPARE(fake.variables().size(), 1);
    }

    // The screen comes back pixel for pixel: 1 bit a pixel on the TI-83 Plus
    // (serial) and TI-84 Plus, RGB565 on the CE.
    void screenshot_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("TI-83 Plus") << int(FakeModel::Ti83Plus);
        QTest::newRow("TI-84 Plus") << int(FakeModel::Ti84Plus);
        QTest::newRow("TI-84 Plus CE") << int(FakeModel::Ti84PlusCE);
    }
    void screenshot()
    {
        const FakeModel model = fetchedModel();
        const bool colour = model == FakeModel::Ti84PlusCE;
        const int w = colour ? 320 : 96, h = colour ? 240 : 64;
        // A random picture, each pixel a colour the screen shows exactly.
        QRandomGenerator random(41);
        QList<quint32> expected;
        QByteArray bytes(colour ? w * h * 2 : w * h / 8, '\0');
        for (int i = 0; i < w * h; ++i) {
            if (colour) {
                const quint32 r = random.bounded(32), g = random.bounded(64),
                              b = random.bounded(32);
                const quint16 p = quint16(r << 11 | g << 5 | b);
                bytes[2 * i] = char(p & 0xFF);
                bytes[2 * i + 1] = char(p >> 8);
                expected << (0xFF000000u | (r * 255 / 31) << 16 | (g * 255 / 63) << 8 |
                             (b * 255 / 31));
            } else {
                const bool dark = random.bounded(2);
                if (dark)
                    bytes[i / 8] = char(quint8(bytes[i / 8]) | 0x80 >> (i % 8));
                expected << (dark ? 0xFF000000u : 0xFFFFFFFFu);
            }
        }
        std::unique_ptr<FakeCalculator> fake;
        if (model == FakeModel::Ti83Plus)
            fake = std::make_unique<FakeCalculator>();
        else
            fake = std::make_unique<FakeDusbCalculator>(model);
        fake->screen = bytes;
        auto l = calclink::create(
            {model == FakeModel::Ti83Plus ? calclink::Cable::Silver : calclink::Cable::Usb, 1},
            fake.get());
        calclink::Result r = l->open();
        QVERIFY2(r.ok(), qPrintable(r.message));
        calclink::Screenshot shot;
        r = l->screenshot(&shot, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(shot.width, w);
        QCOMPARE(shot.height, h);
        // Within one step of each channel's exact value: the widening may
        // round, never more.
        QCOMPARE(shot.pixels.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            for (int shift : {0, 8, 16}) {
                const int a = int(shot.pixels[i] >> shift & 0xFF);
                const int b = int(expected[i] >> shift & 0xFF);
                if (qAbs(a - b) > 1)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2: %3, not %4")
                                         .arg(i % w)
                                         .arg(i / w)
                                         .arg(shot.pixels[i], 8, 16)
                                         .arg(expected[i], 8, 16)));
            }
        }
        // A garbled screen is an error, not a picture.
        fake->setFault(FakeCalculator::Fault::BadChecksum);
        if (model != FakeModel::Ti83Plus) {
            QVERIFY(l->open().ok());
            QCOMPARE(int(l->screenshot(&shot, {}).outcome), int(Outcome::Failed));
        }
    }

    // The fake itself, byte for byte: it takes the buffer size it can, holds
    // each of its raw packets until the one before was acknowledged, and
    // drops a virtual packet whose declared size is not what came.
    void fakeFlowControl()
    {
        FakeDusbCalculator fake(FakeModel::Ti84Plus);
        for (int i = 0; i < 3; ++i) {
            FakeCalculator::Variable v;
            v.name = QByteArray("V") + char('1' + i);
            v.data = QByteArray("\x01\x00\x41", 3);
            fake.store(v);
        }
        fake.receive(QByteArray::fromHex("00000004 01 00000400"));
        QCOMPARE(fake.take(64).toHex(' '), QByteArray("00 00 00 04 02 00 00 00 fa"));
        // A directory request for the size attribute alone.
        const QByteArray request = QByteArray::fromHex("00000001 0001 0001 0001 0001 01");
        const auto packet = [&](int declared) {
            QByteArray p = QByteArray::fromHex("00000000");
            p[3] = char(6 + request.size());
            p.append(char(4)).append(QByteArray::fromHex("00000000"));
            p[8] = char(declared);
            return p + QByteArray::fromHex("0009") + request;
        };
        const QByteArray wrong = packet(int(request.size()) + 1);
        const QByteArray right = packet(int(request.size()));
        fake.receive(wrong);
        QCOMPARE(fake.take(64).toHex(' '), QByteArray("00 00 00 02 05 e0 00"));
        QCOMPARE(fake.available(), 0);
        fake.receive(right);
        const QByteArray header1 = fake.take(64);
        QVERIFY(header1.startsWith(QByteArray::fromHex("00000002 05 e000")));
        QCOMPARE(quint8(header1.at(7 + 4)), quint8(4)); // the final raw packet of one
        QCOMPARE(header1.mid(7 + 5 + 4, 2).toHex(), QByteArray("000a"));
        QCOMPARE(fake.available(), 0); // the next waits for the acknowledgement
        const QByteArray ack = QByteArray::fromHex("00000002 05 e000");
        for (const char *name : {"V2", "V3"}) {
            fake.receive(ack);
            const QByteArray header = fake.take(64);
            QVERIFY2(header.contains(name), header.toHex(' ').constData());
            QCOMPARE(fake.available(), 0);
        }
        fake.receive(ack);
        QCOMPARE(fake.take(64).toHex(' '), QByteArray("00 00 00 06 04 00 00 00 00 dd 00"));
    }

    // Too few bytes for the size are refused; full black and white, and
    // full scale in each channel, come out exact.
    void decoding()
    {
        calclink::Screenshot s;
        QVERIFY(!calclink::decodeMono(QByteArray(10, '\0'), 96, 64, &s));
        QVERIFY(!calclink::decodeRgb565(QByteArray(10, '\0'), 320, 240, &s));
        QVERIFY(calclink::decodeRgb565(QByteArray::fromHex("00F8E007 1F00FFFF"), 4, 1, &s));
        QCOMPARE(s.pixels, (QList<quint32>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu}));
        QVERIFY(calclink::decodeMono(QByteArray::fromHex("A0"), 3, 1, &s));
        QCOMPARE(s.pixels, (QList<quint32>{0xFF000000u, 0xFFFFFFFFu, 0xFF000000u}));
    }

    // Without a cable the message says, in one or two sentences, what is
    // wrong and what to do, and names the help page; the library's words
    // are kept for the details.
    void cableMessages_data()
    {
        QTest::addColumn<int>("cable");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("says");
        QTest::newRow("usb, none") << int(calclink::Cable::Usb) << false << "Plug its USB cable";
        QTest::newRow("usb, not allowed")
            << int(calclink::Cable::Usb) << true << "this account may not use it";
        QTest::newRow("silverlink, none")
            << int(calclink::Cable::Silver) << false << "No SilverLink cable is plugged in";
        QTest::newRow("grey") << int(calclink::Cable::Grey) << false << "serial port 2";
    }
    void cableMessages()
    {
        QFETCH(int, cable);
        QFETCH(bool, present);
        QFETCH(QString, says);
        const QString m = calclink::cableMessage(calclink::Cable(cable), 2, present);
        QVERIFY2(m.contains(says), qPrintable(m));
        QVERIFY2(m.contains(QLatin1String(calclink::kCableHelpPage)), qPrintable(m));
        const qsizetype sentences = m.count(QRegularExpression(QStringLiteral("[.!?](\\s|$)")));
        QVERIFY2(sentences >= 1 && sentences <= 2, qPrintable(m));
    }
    void noCable_data()
    {
        QTest::addColumn<int>("cable");
        QTest::newRow("usb") << int(calclink::Cable::Usb);
        QTest::newRow("silverlink") << int(calclink::Cable::Silver);
    }
    void noCable()
    {
        QFETCH(int, cable);
        // The fourth cable of its kind: none is plugged in where tests run.
        auto l = calclink::create({calclink::Cable(cable), 4});
        const calclink::Result r = l->open();
        QCOMPARE(int(r.outcome), int(Outcome::NoCable));
        QCOMPARE(r.message, calclink::cableMessage(calclink::Cable(cable), 4, false));
        QVERIFY(!r.details.isEmpty());
        for (const char *word : {"Msg:", "libusb", "pam_console", "CONFIG", "errno"})
            QVERIFY2(!r.message.contains(QLatin1String(word)), qPrintable(r.message));
    }
};

TORVANE_TEST(TstLinkUsb);
#include "tst_linkusb.moc"
