// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator's RAM: each variable's bytes as the memory screen lists
// them, programs that run out of it on each model, and Stop in the middle
// of a long built-in.
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"

#include <QElapsedTimer>
#include <QTest>

#include <atomic>
#include <thread>

using namespace calc::basic;
using calc::models::Model;

Q_DECLARE_METATYPE(calc::models::Model)

namespace
{

QByteArray bytes(const QString &program)
{
    return testing::programBytes(program);
}

// Bytes of the variables other than Ans.
long long variablesBesideAns(Engine &e)
{
    return e.calculator().memory().variables() - memory::variableBytes(e.ans());
}

} // namespace

class TstMemory : public QObject
{
    Q_OBJECT

private slots:
    // What each kind takes, data and table entry, as MEM > Mem Mgmt lists it;
    // the running total always equals a fresh count.
    void variableSizes_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("size");
        QTest::newRow("real") << "5→A" << 15;
        QTest::newRow("real stored twice") << "5→A\n6→A" << 15;
        QTest::newRow("two reals") << "5→A\n6→B" << 30;
        QTest::newRow("For( makes its variable") << "For(I,1,3)\nEnd" << 15;
        QTest::newRow("complex") << "1+2𝑖→A" << 24;
        QTest::newRow("complex back to real") << "1+2𝑖→A\n3→A" << 15;
        QTest::newRow("list of three") << "{1,2,3}→L₁" << 2 + 27 + 6;
        QTest::newRow("complex list") << "{1,𝑖}→L₁" << 2 + 36 + 6;
        QTest::newRow("matrix 2×2") << "[[1,2][3,4]]→[A]" << 2 + 36 + 6;
        QTest::newRow("string of two-byte tokens") << "\"ab\"→Str1" << 2 + 4 + 6;
        QTest::newRow("string") << "\"HELLO\"→Str1" << 2 + 5 + 6;
        QTest::newRow("named list") << "{1,2}→ʟAB" << 2 + 18 + 6 + 2 + 2;
        QTest::newRow("element past the end") << "{1,2}→L₁\n3→L₁(3)" << 2 + 27 + 6;
        QTest::newRow("dim( grows") << "10→dim(L₁)" << 2 + 90 + 6;
        QTest::newRow("dim( shrinks") << "10→dim(L₁)\n2→dim(L₁)" << 2 + 18 + 6;
        QTest::newRow("matrix dim(") << "{3,2}→dim([B])" << 2 + 54 + 6;
        QTest::newRow("ClrList") << "{1,2}→L₁\nClrList L₁" << 2 + 6;
        QTest::newRow("DelVar gives it back") << "{1,2}→L₁\n5→A\nDelVar L₁DelVar A" << 0;
        QTest::newRow("picture") << "StorePic 1" << 758 + 6;
        QTest::newRow("picture deleted") << "StorePic 1\nDelVar Pic1" << 0;
        QTest::newRow("archived list is out of RAM") << "{1,2}→L₁\nArchive L₁" << 0;
        QTest::newRow("unarchived comes back")
            << "{1,2}→L₁\nArchive L₁\nUnArchive L₁" << 2 + 18 + 6;
        QTest::newRow("ClrAllLists") << "{1,2}→L₁\n{1}→ʟAB\nClrAllLists" << 8 + 12;
    }
    void variableSizes()
    {
        QFETCH(QString, program);
        QFETCH(int, size);
        Engine e;
        e.setModel(Model::Ti83Plus);
        const Outcome o = e.run(bytes(program));
        QCOMPARE(errorName(o.error), QString());
        QCOMPARE(variablesBesideAns(e), size);
        QCOMPARE(e.calculator().memory().variables(), e.calculator().recount());
        // The run's own (its calls, blocks and program) ends with it.
        QCOMPARE(e.calculator().memory().used(), e.calculator().memory().variables());
    }

    // Programs that fill the RAM stop where the calculator would, and what
    // they were storing keeps its old value.
    void runsOut_data()
    {
        QTest::addColumn<Model>("model");
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("check"); // an expression once stopped
        QTest::addColumn<QString>("after"); // its value
        const QString doubling = "\"A→Str1\nWhile 1\nStr1+Str1→Str1\nEnd";
        // Str1 and Ans both hold the string: 2·(2+8192+6) fit in 24 KB and
        // 21 KB beside the program, 2·(2+16384+6) do not; 154 KB holds two
        // of 65536.
        for (Model m : {Model::Ti83, Model::Ti83Plus, Model::Ti84Plus, Model::Ti84PlusCSE})
            QTest::newRow(qPrintable("doubling " + calc::models::id(m)))
                << m << doubling << 3 << "length(Str1)"
                << "8192";
        QTest::newRow("doubling ti84pce") << Model::Ti84PlusCE << doubling << 3 << "length(Str1)"
                                          << "65536";
        // Three lists growing side by side, beside Ans and I (15 each), the
        // program (2+35+6+1) and the For( block (12), each list 8 bytes
        // empty and 9 an element: 110+27·905+27 ≤ 24576 < 110+27·906+9, and
        // 110+27·792+9 ≤ 21504 < 110+27·792+18.
        const QString lists = "For(I,1,999)\nI→L₁(I)\nI→L₂(I)\nI→L₃(I)\nEnd";
        const QString dims = "{dim(L₁),dim(L₂),dim(L₃)}";
        QTest::newRow("lists ti83p") << Model::Ti83Plus << lists << 2 << dims << "{906 906 906}";
        QTest::newRow("lists ti84pcse")
            << Model::Ti84PlusCSE << lists << 3 << dims << "{793 792 792}";
        QTest::newRow("lists ti84pce")
            << Model::Ti84PlusCE << lists << 0 << dims << "{999 999 999}";
        // A 99×99 matrix is 88,211 bytes: none on the 24 and 21 KB models,
        // one on the CE.
        const QString matrices = "{99,99}→dim([A])\n{99,99}→dim([B])";
        const QString made = "dim([A])";
        QTest::newRow("matrices ti84p") << Model::Ti84Plus << matrices << 1 << "1"
                                        << "1";
        QTest::newRow("matrices ti84pce")
            << Model::Ti84PlusCE << matrices << 2 << made << "{99 99}";
        // Every call not yet returned holds 16 bytes, beside Ans and A, the
        // program (2+9+6+1) and SELF (2+11+6+1+4): 72+16·1531 ≤ 24576.
        const QString calls = "0→A\nprgmSELF";
        QTest::newRow("calls ti83p") << Model::Ti83Plus << calls << 2 << "A"
                                     << "1531";
        QTest::newRow("calls ti84pce") << Model::Ti84PlusCE << calls << 2 << "A"
                                       << "9851";
    }
    void runsOut()
    {
        QFETCH(Model, model);
        QFETCH(QString, program);
        QFETCH(int, line);
        QFETCH(QString, check);
        QFETCH(QString, after);
        Engine e;
        e.setModel(model);
        e.host().findProgram = [](const QString &, QByteArray *out) {
            *out = bytes("A+1→A\nprgmSELF");
            return true;
        };
        const Outcome o = e.run(bytes(program));
        QCOMPARE(errorName(o.error), line ? errorName(Error::Memory) : QString());
        QCOMPARE(o.line, line);
        const Memory &m = e.calculator().memory();
        QCOMPARE(m.variables(), e.calculator().recount());
        // What the memory screen shows once the run is over.
        QVERIFY(m.free() >= 0);
        QCOMPARE(m.free(), m.capacity() - m.variables());
        Value v;
        QCOMPARE(errorName(e.evaluate(bytes(check), &v).error), QString());
        QCOMPARE(displayText(v), after);
    }

    // The free figure per model on a calculator just reset.
    void capacity_data()
    {
        QTest::addColumn<Model>("model");
        QTest::addColumn<int>("free");
        QTest::newRow("TI-83") << Model::Ti83 << 24576;
        QTest::newRow("TI-83 Plus") << Model::Ti83Plus << 24576;
        QTest::newRow("TI-84 Plus") << Model::Ti84Plus << 24576;
        QTest::newRow("TI-84 Plus C SE") << Model::Ti84PlusCSE << 21504;
        QTest::newRow("TI-84 Plus CE") << Model::Ti84PlusCE << 157696;
    }
    void capacity()
    {
        QFETCH(Model, model);
        QFETCH(int, free);
        Engine e;
        e.setModel(model);
        // Ans, a real 0, is always there.
        QCOMPARE(e.calculator().memory().free(), free - 15);
    }

    // Stop reaches a run inside one long built-in, not only between
    // statements. The bound is generous; bench_run prints the figure.
    void stopInsideBuiltin()
    {
        Engine e;
        e.setModel(Model::Ti84PlusCE);
        std::atomic<bool> stop{false};
        e.host().stop = &stop;
        // A trillion payments: hours of work in one statement.
        const QByteArray program = bytes("0→A\nbal(1ᴇ12)");
        std::atomic<bool> started{false};
        e.host().statement = [&](const QString &, int line, int, int) {
            started = started || line == 2;
            return true;
        };
        Outcome o;
        std::thread worker([&] { o = e.run(program); });
        if (!QTest::qWaitFor([&] { return started.load(); }, 5000)) {
            worker.join();
            QFAIL(qPrintable(errorName(o.error) + QString::number(o.line)));
        }
        QTest::qWait(200);
        QElapsedTimer t;
        t.start();
        stop = true;
        worker.join();
        QCOMPARE(errorName(o.error), errorName(Error::Break));
        QCOMPARE(o.line, 2);
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    }
};

TORVANE_TEST(TstMemory);
#include "tst_memory.moc"
