// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The link over the real cable libraries, with a test calculator at the
// other end of the cable.
#include "calc/CalcFile.h"
#include "common/TestRegistry.h"
#include "link/FakeCalculator.h"
#include "link/Link.h"

#include <QTest>

namespace
{

using calc::calcfile::Model;
using calclink::FakeCalculator;
using calclink::Outcome;

// A program of `tokens` bytes as the export writes it.
QByteArray programFile(const QString &name, int tokens, bool isProtected = false)
{
    calc::calcfile::Program p;
    p.name = name;
    p.isProtected = isProtected;
    for (int i = 0; i < tokens; ++i)
        p.tokens.append(i % 2 ? char(0x3F) : char('A' + i % 26)); // letters and line breaks
    return calc::calcfile::write(p, Model::Ti83Plus);
}

std::unique_ptr<calclink::Link> opened(FakeCalculator *fake, calclink::Result *result)
{
    auto l = calclink::create(calclink::Options(), fake);
    *result = l->open();
    return l;
}

} // namespace

class TstLink : public QObject
{
    Q_OBJECT

private slots:
    // What goes out comes back: the calculator holds the export's variable
    // bytes, and receiving gives the same file.
    void sendAndReceive_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("tokens");
        QTest::addColumn<bool>("isProtected");
        QTest::newRow("small") << "A" << 5 << false;
        QTest::newRow("large") << "BIGPRGM" << 4000 << false;
        QTest::newRow("protected, theta") << QStringLiteral("X\u03B8") << 40 << true;
    }
    void sendAndReceive()
    {
        QFETCH(QString, name);
        QFETCH(int, tokens);
        QFETCH(bool, isProtected);
        FakeCalculator fake;
        calclink::Result r;
        auto l = opened(&fake, &r);
        QVERIFY2(r.ok(), qPrintable(r.message));
        const QByteArray file = programFile(name, tokens, isProtected);
        QList<QPair<qint64, qint64>> steps;
        calclink::Progress progress;
        progress.report = [&](qint64 done, qint64 total) { steps.append({done, total}); };
        r = l->send({file}, progress);
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(fake.variables().size(), 1);
        const auto read = calc::calcfile::read(file);
        QCOMPARE(fake.variables()[0].type, quint8(isProtected ? 6 : 5));
        QCOMPARE(fake.variables()[0].data.mid(2), read.program.tokens);
        QVERIFY(!steps.isEmpty());
        QCOMPARE(steps.last().first, steps.last().second);

        QList<calclink::Entry> programs;
        r = l->list(&programs, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(programs.size(), 1);
        QCOMPARE(programs[0].name, name);
        QCOMPARE(programs[0].isProtected, isProtected);
        QByteArray back;
        r = l->receive(programs[0], &back, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(back, file);
    }

    // Each fault of the calculator ends in its outcome and leaves the
    // calculator's programs and the received file as they were.
    void faults_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<int>("sendOutcome");
        QTest::addColumn<int>("receiveOutcome");
        using F = FakeCalculator::Fault;
        const auto row = [](const char *name, F fault, int delay, Outcome send, Outcome receive) {
            QTest::newRow(name) << int(fault) << delay << int(send) << int(receive);
        };
        row("exit", F::RejectExit, 0, Outcome::Refused, Outcome::Ok);
        // The libraries take a skip for an answer: nothing is sent, no error.
        row("skip", F::RejectSkip, 0, Outcome::Ok, Outcome::Ok);
        row("memory", F::RejectMemory, 0, Outcome::OutOfMemory, Outcome::Ok);
        row("silence", F::Silence, 0, Outcome::NoAnswer, Outcome::NoAnswer);
        row("bad checksum", F::BadChecksum, 0, Outcome::Ok, Outcome::Failed);
        row("cut off", F::CutOff, 0, Outcome::NoAnswer, Outcome::NoAnswer);
        row("slow", F::SlowReply, 150, Outcome::Ok, Outcome::Ok);
        row("too slow", F::SlowReply, 2500, Outcome::NoAnswer, Outcome::NoAnswer);
    }
    void faults()
    {
        QFETCH(int, fault);
        QFETCH(int, delayMs);
        QFETCH(int, sendOutcome);
        QFETCH(int, receiveOutcome);
        FakeCalculator fake;
        FakeCalculator::Variable old;
        old.name = "OLD";
        old.data = QByteArray("\x01\x00\x41", 3);
        fake.store(old);
        fake.setFault(FakeCalculator::Fault(fault));
        fake.replyDelayMs = delayMs;

        auto l = calclink::create(calclink::Options(), &fake);
        calclink::Result r = l->open();
        if (r.ok())
            r = l->send({programFile("NEW", 30)}, {});
        QCOMPARE(int(r.outcome), sendOutcome);
        QCOMPARE(fake.find("NEW") != nullptr,
                 r.ok() && fault != int(FakeCalculator::Fault::RejectSkip));
        QCOMPARE(fake.find("OLD")->data, old.data);

        l.reset();
        l = calclink::create(calclink::Options(), &fake);
        QByteArray file;
        r = l->open();
        if (r.ok())
            r = l->receive({QStringLiteral("OLD"), false, false, 3}, &file, {});
        QCOMPARE(int(r.outcome), receiveOutcome);
        QCOMPARE(file.isEmpty(), !r.ok());
        if (r.ok())
            QCOMPARE(calc::calcfile::read(file).program.tokens, QByteArray("A"));
    }

    // Cancel before or during the data sends nothing.
    void cancel()
    {
        FakeCalculator fake;
        auto l = calclink::create(calclink::Options(), &fake);
        QVERIFY(l->open().ok());
        std::atomic_bool stop{true};
        calclink::Progress progress;
        progress.cancel = &stop;
        calclink::Result r = l->send({programFile("A", 100)}, progress);
        QCOMPARE(int(r.outcome), int(Outcome::Cancelled));
        QCOMPARE(r.message, QStringLiteral("The transfer was cancelled."));
        QVERIFY(fake.variables().isEmpty());
        // Cancel pressed while the data goes: the calculator never gets a
        // whole program, so it keeps none.
        progress.report = [&stop](qint64 done, qint64) {
            if (done > 0)
                stop = true;
        };
        stop = false;
        QVERIFY(l->open().ok());
        const QByteArray large = programFile("A", 4000);
        QCOMPARE(int(l->send({large}, progress).outcome), int(Outcome::Cancelled));
        QVERIFY(fake.variables().isEmpty());
        // The cable is still usable afterwards.
        progress.report = nullptr;
        stop = false;
        QVERIFY(l->open().ok());
        QVERIFY(l->send({programFile("B", 100)}, progress).ok());
        QCOMPARE(fake.variables().size(), 1);
    }
    // An archived program is listed as archived and comes back with the flag
    // set; the flag a file carries goes out with the program.
    void archivedFlagCrossesTheCable_data()
    {
        QTest::addColumn<bool>("archived");
        QTest::newRow("archived") << true;
        QTest::newRow("in RAM") << false;
    }
    void archivedFlagCrossesTheCable()
    {
        QFETCH(bool, archived);
        FakeCalculator fake;
        FakeCalculator::Variable v;
        v.name = "ARCH";
        v.archived = archived;
        v.data = QByteArray("\x02\x00\xDE\x31", 4);
        fake.store(v);
        calclink::Result r;
        auto l = opened(&fake, &r);
        QVERIFY2(r.ok(), qPrintable(r.message));
        QList<calclink::Entry> programs;
        r = l->list(&programs, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(programs.size(), 1);
        QCOMPARE(programs[0].archived, archived);
        QByteArray file;
        r = l->receive(programs[0], &file, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        const auto read = calc::calcfile::read(file);
        QVERIFY2(read.ok(), qPrintable(read.error));
        QCOMPARE(read.program.archived, archived);
        QCOMPARE(read.program.tokens, QByteArray("\xDE\x31", 2));

        // Sent back: the request to send names the flag (its last byte).
        FakeCalculator other;
        l.reset(); // one cable open at a time
        l = opened(&other, &r);
        QVERIFY2(r.ok(), qPrintable(r.message));
        r = l->send({file}, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        QByteArray rts;
        for (const QByteArray &p : other.packetsReceived())
            if (quint8(p.at(1)) == 0xC9)
                rts = p;
        QCOMPARE(rts.size(), 4 + 13 + 2);
        QCOMPARE(quint8(rts.at(4 + 12)), quint8(archived ? 0x80 : 0x00));
    }

    // A packet whose checksum does not match its data is refused with an
    // error packet and changes nothing; the same packet summed right is taken.
    void fakeRefusesBadChecksums()
    {
        const auto packet = [](quint8 command, const QByteArray &data, int sumError) {
            quint16 sum = 0;
            for (char c : data)
                sum += quint8(c);
            sum += sumError;
            QByteArray p;
            p.append(char(0x23)).append(char(command));
            p.append(char(data.size() & 0xFF)).append(char(data.size() >> 8));
            return p + data + char(sum & 0xFF) + char(sum >> 8);
        };
        const QByteArray header = QByteArray::fromHex("0400 05 4241440000000000 00 00");
        const QByteArray data = QByteArray::fromHex("0200 DE31");
        const QByteArray err = QByteArray::fromHex("735A0000");
        const QByteArray ackCts = QByteArray::fromHex("73560000 73090000");

        FakeCalculator fake;
        fake.receive(packet(0xC9, header, 1)); // a request to send, garbled
        QCOMPARE(fake.take(64).toHex(' '), err.toHex(' '));
        fake.receive(packet(0xC9, header, 0));
        QCOMPARE(fake.take(64).toHex(' '), ackCts.toHex(' '));
        fake.receive(QByteArray::fromHex("23560000")); // ACK of the CTS
        fake.receive(packet(0x15, data, 0x100));       // the data, garbled
        QCOMPARE(fake.take(64).toHex(' '), err.toHex(' '));
        QVERIFY(fake.variables().isEmpty());
        QCOMPARE(fake.freeMemory, 24000);
        fake.receive(packet(0x15, data, 0));
        QCOMPARE(fake.take(64).toHex(' '), QByteArray("73 56 00 00"));
        QCOMPARE(fake.variables().size(), 1);
        QCOMPARE(fake.variables()[0].name, QByteArray("BAD"));
        QCOMPARE(fake.variables()[0].data, data);
        QCOMPARE(fake.freeMemory, 24000 - data.size());
    }

    // A program that needs more than the calculator has free is refused
    // before anything is stored; one that fits takes its room.
    void freeMemory()
    {
        FakeCalculator fake;
        fake.freeMemory = 1000;
        auto l = calclink::create(calclink::Options(), &fake);
        calclink::Result r = l->open();
        QVERIFY2(r.ok(), qPrintable(r.message));
        r = l->send({programFile("BIG", 2000)}, {});
        QCOMPARE(int(r.outcome), int(Outcome::OutOfMemory));
        QVERIFY(fake.variables().isEmpty());
        r = l->send({programFile("SMALL", 30)}, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        QVERIFY(fake.freeMemory < 1000);
    }

    void noCable()
    {
        // A fourth SilverLink: none is plugged in where the tests run.
        auto l = calclink::create({calclink::Cable::Silver, 4});
        const calclink::Result r = l->open();
        QCOMPARE(int(r.outcome), int(Outcome::NoCable));
        QVERIFY2(r.message.startsWith("No SilverLink cable is plugged in."), qPrintable(r.message));
    }
};

TORVANE_TEST(TstLink);
#include "tst_link.moc"
