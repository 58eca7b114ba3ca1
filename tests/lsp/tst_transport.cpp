// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The framing of messages, in process: every way a stream can be cut.
#include "common/TestRegistry.h"
#include "lsp/Documents.h"
#include "lsp/Transport.h"

#include <QTest>

using lsp::Frame;

class TstTransport : public QObject
{
    Q_OBJECT

    static QByteArray framed(const QByteArray &body) { return lsp::framed(body); }
    static QString kinds(const QVector<Frame> &frames)
    {
        QStringList out;
        for (const Frame &f : frames) {
            switch (f.kind) {
            case Frame::Message:
                out << QString::fromUtf8(f.body);
                break;
            case Frame::TooLarge:
                out << "too large";
                break;
            case Frame::NoLength:
                out << "no length";
                break;
            case Frame::End:
                out << "end";
                break;
            }
        }
        return out.join('|');
    }

private slots:
    void frames_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one") << framed("{\"a\":1}") << "{\"a\":1}";
        QTest::newRow("merged") << framed("[1]") + framed("[2]") + framed("[3]") << "[1]|[2]|[3]";
        QTest::newRow("extra headers")
            << QByteArray("Content-Type: application/vscode-jsonrpc; charset=utf-8\r\n"
                          "content-length: 3\r\n\r\n[1]")
            << "[1]";
        QTest::newRow("empty body")
            << QByteArray("Content-Length: 0\r\n\r\n") + framed("[1]") << "|[1]";
        QTest::newRow("no length")
            << QByteArray("Content-Type: x\r\n\r\n") + framed("[2]") << "no length|[2]";
        QTest::newRow("length not a number")
            << QByteArray("Content-Length: 1x\r\n\r\n") + framed("[2]") << "no length|[2]";
        QTest::newRow("too large") << QByteArray("Content-Length: 67108865\r\n\r\n") +
                                          QByteArray(67108865, 'x') + framed("[3]")
                                   << "too large|[3]";
        QTest::newRow("header too long")
            << QByteArray(70000, 'h') + "\r\n\r\n" + framed("[4]") << "no length|[4]";
        QTest::newRow("multi-byte body") << framed("\"θ→\"") << "\"θ→\"";
    }

    // Fed whole, byte by byte and in two pieces at every third cut, the
    // stream gives the same frames.
    void frames()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QString, expected);
        QVector<Frame> whole;
        lsp::Framer().feed(stream.constData(), stream.size(), &whole);
        QCOMPARE(kinds(whole), expected);
        if (stream.size() > 100000)
            return; // the large rows are cut in chunks below
        QVector<Frame> bytes;
        lsp::Framer single;
        for (const char c : stream)
            single.feed(&c, 1, &bytes);
        QCOMPARE(kinds(bytes), expected);
        for (int cut = 0; cut <= stream.size(); cut += 3) {
            QVector<Frame> two;
            lsp::Framer f;
            f.feed(stream.constData(), cut, &two);
            f.feed(stream.constData() + cut, stream.size() - cut, &two);
            QCOMPARE(kinds(two), expected);
        }
    }

    void largeInChunks()
    {
        const QByteArray stream = QByteArray("Content-Length: 100000000\r\n\r\n") +
                                  QByteArray(100000000, 'x') + framed("[5]");
        QVector<Frame> out;
        lsp::Framer f;
        for (qsizetype at = 0; at < stream.size(); at += 65536)
            f.feed(stream.constData() + at, std::min<qsizetype>(65536, stream.size() - at), &out);
        QCOMPARE(kinds(out), QString("too large|[5]"));
    }

    // Positions count UTF-16 units; any line break ends a line.
    void positions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("character");
        QTest::addColumn<int>("offset");
        const QString t = QString::fromUtf8("1→A\r\nθ²\r😀B\nʟC");
        QTest::newRow("start") << t << 0 << 0 << 0;
        QTest::newRow("after arrow") << t << 0 << 2 << 2;
        QTest::newRow("past the line's end") << t << 0 << 99 << 3;
        QTest::newRow("after CR LF") << t << 1 << 1 << 6;
        QTest::newRow("after CR") << t << 2 << 0 << 8;
        QTest::newRow("after a surrogate pair") << t << 2 << 2 << 10;
        QTest::newRow("last line") << t << 3 << 1 << 13;
        QTest::newRow("past the last line") << t << 9 << 0 << int(t.size());
    }
    void positions()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(int, character);
        QFETCH(int, offset);
        const lsp::TextDocument doc("u", "tibasic", 1, text);
        QCOMPARE(doc.offsetOf({line, character}), offset);
        if (line < doc.lineCount() && character < 99) {
            const lsp::Position back = doc.positionOf(offset);
            QCOMPARE(back.line, line);
            QCOMPARE(back.character, character);
        }
    }
};

TORVANE_TEST(TstTransport);
#include "tst_transport.moc"
