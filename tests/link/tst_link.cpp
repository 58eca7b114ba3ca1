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
        r = l->list(&programs);
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(programs.size(), 1);
        QCOMPARE(programs[0].name, name);
        QCOMPARE(programs[0].isProtected, isProtected);
        QByteArray back;
        r = l->receive(programs[0], &back, {});
        QVERIFY2(r.ok(), qPrintable(r.message));
        const auto again = calc::calcfile::read(back);
        QVERIFY2(again.ok(), qPrintable(again.error));
        QCOMPARE(again.program.name, name);
        QCOMPARE(again.program.tokens, read.program.tokens);
        QCOMPARE(again.program.isProtected, isProtected);
    }
};

TORVANE_TEST(TstLink);
#include "tst_link.moc"
