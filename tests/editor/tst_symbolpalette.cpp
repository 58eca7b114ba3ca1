#include "common/TestRegistry.h"
#include "editor/SymbolPalette.h"

#include <QTemporaryDir>
#include <QTest>

class TstSymbolPalette : public QObject
{
    Q_OBJECT
private slots:
    void insertText_data();
    void insertText();
    void scratchText_data();
    void scratchText();
};

void TstSymbolPalette::insertText_data()
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
    QTest::newRow("past list") << 38 << testing::chars({247});
    // clang-format on
}

void TstSymbolPalette::insertText()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    const std::optional<QString> got = editor::paletteInsertText(index);
    QCOMPARE(got.value_or(QString()), text);
    QCOMPARE(got.has_value(), !text.isNull());
    const QStringList entries = editor::symbolPaletteEntries();
    QCOMPARE(entries.size(), 38);
    if (index >= 0 && index < 38)
        QCOMPARE(entries.at(index), text.isNull() ? QStringLiteral("") : text);
}

void TstSymbolPalette::scratchText_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // null: nothing to insert
    // clang-format off
    QTest::newRow("missing") << false << QByteArray() << QString();
    QTest::newRow("empty") << true << QByteArray() << QString();
    QTest::newRow("LF") << true << QByteArray("A\nB\n") << "A\r\nB\r\n";
    QTest::newRow("CR") << true << QByteArray("A\rB") << "A\r\nB";
    QTest::newRow("CR LF kept") << true << QByteArray("A\r\nB") << "A\r\nB";
    QTest::newRow("Latin-1") << true << QByteArray("\xFD^(") << testing::chars({253, '^', '('});
    // clang-format on
}

void TstSymbolPalette::scratchText()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("torvedit.tmp"));
    QFile f(path);
    if (exists)
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush());
    const std::optional<QString> got = editor::readScratchText(path);
    QCOMPARE(got.has_value(), !text.isNull());
    QCOMPARE(got.value_or(QString()), text);
}

TORVANE_TEST(TstSymbolPalette);
#include "tst_symbolpalette.moc"
