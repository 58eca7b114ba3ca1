// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/Tokens.h"
#include "common/TestRegistry.h"
#include "common/TokenBytes.h"
#include "editor/SymbolPalette.h"

#include <QTemporaryDir>
#include <QTest>

class TstSymbolPalette : public QObject
{
    Q_OBJECT
private slots:
    void insertText_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text"); // null: no fixed text (scratch entry)
        // clang-format off
        QTest::newRow("3") << 3 << "=";
        QTest::newRow("12") << 12 << testing::chars({221, 240, '('});
        QTest::newRow("20") << 20 << testing::chars({253, '^', '('});
        QTest::newRow("33") << 33 << QString();
        QTest::newRow("36") << 36 << testing::chars({196});
        QTest::newRow("37") << 37 << "?";
        QTest::newRow("below list") << -1 << testing::chars({247});
        QTest::newRow("store arrow") << 38 << testing::chars({252});
        QTest::newRow("past list") << 39 << testing::chars({247});
        // clang-format on
    }
    void insertText()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        const std::optional<QString> got = editor::paletteInsertText(index);
        QCOMPARE(got.value_or(QString()), text);
        QCOMPARE(got.has_value(), !text.isNull());
        const QStringList entries = editor::symbolPaletteEntries();
        QCOMPARE(entries.size(), 39);
        if (index >= 0 && index < 39)
            QCOMPARE(entries.at(index), text.isNull() ? QStringLiteral("") : text);
    }
    void scratchText_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<QString>("text");     // null: nothing to insert
        // clang-format off
        QTest::newRow("missing") << QByteArray() << QString();
        QTest::newRow("empty") << QByteArray("") << QString();
        QTest::newRow("LF") << QByteArray("A\nB\n") << "A\r\nB\r\n";
        QTest::newRow("CR") << QByteArray("A\rB") << "A\r\nB";
        QTest::newRow("CR LF kept") << QByteArray("A\r\nB") << "A\r\nB";
        QTest::newRow("Latin-1") << QByteArray("\xFD^(") << testing::chars({253, '^', '('});
        // clang-format on
    }
    void scratchText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("torvedit.tmp")));
        if (!bytes.isNull())
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush());
        const std::optional<QString> got = editor::readScratchText(f.fileName());
        QCOMPARE(got.has_value(), !text.isNull());
        QCOMPARE(got.value_or(QString()), text);
    }

    void paletteEntries()
    {
        const char *expected[editor::kPaletteEntryCount] = {
            "6D", "6E", "6F", "6A", "6B", "6C", "0B", "2D", "0A", "0E", "F1", "0F", "BD",
            "7F", "80", "81", "0C", "0D", "F0", "B0", "C1", "BC", "82", "83", "70", "71",
            "08", "06", "10", "09", "07", "11", "2B", "",   "3E", "AE", "AC", "AF", "04"};
        for (int i = 0; i < editor::kPaletteEntryCount; ++i)
            QCOMPARE(calc::tokens::tokenize(editor::paletteInsertText(i).value_or(QString())).bytes,
                     testing::bytesOf(expected[i]));
    }
};

TORVANE_TEST(TstSymbolPalette);
#include "tst_symbolpalette.moc"
