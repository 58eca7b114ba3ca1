// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The reader over every seed of the fuzz corpus and thousands of
// deterministic mutations of them, so the normal suite guards what the
// fuzzer found without needing clang.
#include "common/TestRegistry.h"

#include "rtf/RtfCodec.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

namespace
{

// clang-format off
const QByteArrayList kTokens = {
    "{", "}", "\\", "\\'", "\\'f", "\\bin", "\\bin4 ", "\\u-", "\\u65535", "\\uc9", "\\*", "\\par ",
    "\\f99", "\\fonttbl", "\\colortbl;", "\\pict ", "\\fcharset128 ", "999999999999", "-",
    QByteArray(1, '\0'), "\r\n"};
// clang-format on

QByteArray mutate(QByteArray d, QRandomGenerator &r)
{
    for (int steps = 1 + r.bounded(4); steps > 0; --steps) {
        const int pos = r.bounded(int(d.size()) + 1);
        // Flip a byte, insert a token the reader knows, cut the file short, remove a span or
        // repeat one.
        // clang-format off
        switch (r.bounded(5)) {
        case 0: if (!d.isEmpty()) d[qMin(pos, int(d.size()) - 1)] = char(r.generate()); break;
        case 1: d.insert(pos, kTokens[r.bounded(int(kTokens.size()))]); break;
        case 2: d.truncate(pos); break;
        case 3: d.remove(pos, r.bounded(16)); break;
        case 4: d.insert(pos, d.mid(r.bounded(int(d.size()) + 1), r.bounded(64))); break;
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
    QRandomGenerator rng(0x9E3779B9);
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
