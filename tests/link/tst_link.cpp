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
    void noCable()
    {
        // A fourth SilverLink: none is plugged in where the tests run.
        auto l = calclink::create({calclink::Cable::Silver, 4});
        const calclink::Result r = l->open();
        QCOMPARE(int(r.outcome), int(Outcome::NoCable));
        QVERIFY2(r.message.startsWith("The SilverLink (USB) on port 4 could not be opened"),
                 qPrintable(r.message));
    }
};

TORVANE_TEST(TstLink);
#include "tst_link.moc"
