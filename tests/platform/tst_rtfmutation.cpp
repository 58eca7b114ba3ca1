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

const char *const kTokens[] = {"{",
                               "}",
                               "\\",
                               "\\'",
                               "\\'f",
                               "\\bin",
                               "\\bin4 ",
                               "\\u-",
                               "\\u65535",
                               "\\uc9",
                               "\\*",
                               "\\par ",
                               "\\f99",
                               "\\fonttbl",
                               "\\colortbl;",
                               "\\pict ",
                               "\\fcharset128 ",
                               "999999999999",
                               "-",
                               "\0",
                               "\r\n"};

QByteArray mutate(QByteArray d, Rng &r)
{
    const int steps = 1 + r.below(4);
    for (int i = 0; i < steps; ++i) {
        const int pos = r.below(int(d.size()) + 1);
        switch (r.below(5)) {
        case 0: // flip a byte
            if (!d.isEmpty())
                d[qMin(pos, int(d.size()) - 1)] = char(r.next());
            break;
        case 1: // insert a token that means something to the reader
        {
            const char *t = kTokens[r.below(int(std::size(kTokens)))];
            d.insert(pos, t[0] ? QByteArray(t) : QByteArray(1, '\0'));
            break;
        }
        case 2: // cut the file short
            d.truncate(pos);
            break;
        case 3: // remove a span
            d.remove(pos, r.below(16));
            break;
        case 4: // repeat a span
            d.insert(pos, d.mid(r.below(int(d.size())), r.below(64)));
            break;
        }
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
            ++total;
            rtf::Document doc;
            QString error;
            if (!rtf::read(input, &doc, &error)) {
                QVERIFY2(!error.isEmpty(), qPrintable(name));
                continue;
            }
            ++readable;
            const QString text = doc.text();
            // Never more text than input: memory stays bounded by the file.
            QVERIFY2(text.size() <= input.size(), qPrintable(name));
            rtf::Document back;
            QVERIFY2(rtf::read(rtf::write(doc), &back, &error), qPrintable(name));
            if (back.text() != text)
                QFAIL(qPrintable(QStringLiteral("%1 mutation %2 does not survive a save: %3")
                                     .arg(name)
                                     .arg(i)
                                     .arg(QString::fromLatin1(input.toBase64()))));
        }
    }
    // The mutations must leave most files readable, or they test only the header check.
    QVERIFY2(readable > total / 2, qPrintable(QStringLiteral("%1/%2").arg(readable).arg(total)));
}

TORVANE_TEST(TstRtfMutation);
#include "tst_rtfmutation.moc"
