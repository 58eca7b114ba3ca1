// The reader over every seed of the fuzz corpus and thousands of
// deterministic mutations of them, so the normal suite guards what the
// fuzzer found without needing clang.
#include "common/TestRegistry.h"

#include "platform/RtfCodec.h"

#include <QDir>
#include <QTest>

using namespace platform;

namespace
{

struct Rng {
    quint64 s;
    quint32 next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return quint32(s);
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % quint32(n)); }
};

// clang-format off
const QByteArrayList kTokens = {
    "{", "}", "\\", "\\'", "\\'f", "\\bin", "\\bin4 ", "\\u-", "\\u65535", "\\uc9", "\\*", "\\par ",
    "\\f99", "\\fonttbl", "\\colortbl;", "\\pict ", "\\fcharset128 ", "999999999999", "-",
    QByteArray(1, '\0'), "\r\n"};
// clang-format on

QByteArray mutate(QByteArray d, Rng &r)
{
    const int steps = 1 + r.below(4);
    for (int i = 0; i < steps; ++i) {
        const int pos = r.below(int(d.size()) + 1);
        // Flip a byte, insert a token the reader knows, cut the file short, remove a span or
        // repeat one.
        // clang-format off
        switch (r.below(5)) {
        case 0: if (!d.isEmpty()) d[qMin(pos, int(d.size()) - 1)] = char(r.next()); break;
        case 1: d.insert(pos, kTokens[r.below(int(kTokens.size()))]); break;
        case 2: d.truncate(pos); break;
        case 3: d.remove(pos, r.below(16)); break;
        case 4: d.insert(pos, d.mid(r.below(int(d.size())), r.below(64))); break;
        }
        // clang-format on
    }
    return d;
}

} // namespace

class TstRtfMutation : public QObject
{
    Q_OBJECT
private slots:
    void seedsAndMutations();
};

void TstRtfMutation::seedsAndMutations()
{
    const QDir dir(QStringLiteral(TORVANE_TEST_DATA "/rtf"));
    const QStringList seeds = dir.entryList(QDir::Files, QDir::Name);
    QVERIFY(seeds.size() >= 6);
    Rng rng{0x9E3779B97F4A7C15ull};
    int readable = 0, total = 0;
    for (const QString &name : seeds) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray seed = f.readAll();
        for (int i = 0; i < 500; ++i) {
            const QByteArray input = i == 0 ? seed : mutate(seed, rng);
            const QString where = QStringLiteral("%1 mutation %2: %3")
                                      .arg(name, QString::number(i), input.toBase64());
            ++total;
            rtf::Document doc, back;
            QString error;
            if (!rtf::read(input, &doc, &error)) {
                QVERIFY2(!error.isEmpty(), qPrintable(where));
                continue;
            }
            ++readable;
            // Never more text than input: memory stays bounded by the file.
            QVERIFY2(doc.text().size() <= input.size(), qPrintable(where));
            // Whatever was read survives a save.
            QVERIFY2(rtf::read(rtf::write(doc), &back, &error), qPrintable(where));
            QVERIFY2(back.text() == doc.text(), qPrintable(where));
        }
    }
    // The mutations must leave most files readable, or they test only the header check.
    QVERIFY2(readable > total / 2, qPrintable(QStringLiteral("%1/%2").arg(readable).arg(total)));
}

TORVANE_TEST(TstRtfMutation);
#include "tst_rtfmutation.moc"
