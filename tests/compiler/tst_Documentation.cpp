#include "common/TestRegistry.h"
#include "compiler/Documentation.h"

#include <QTest>

using namespace compiler::documentation;

class TstDocumentation : public QObject
{
    Q_OBJECT
private slots:
    void fileBytes_data();
    void fileBytes();
};

void TstDocumentation::fileBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("bare breaks") << QString("a\nb\rc\r\nd") + QChar(QChar::ParagraphSeparator)
                                 << QByteArray("a\r\nb\r\nc\r\nd\r\n");
    QTest::newRow("copyright") << QString("\u00A9 2024") << QByteArray("\xA9 2024");
    QTest::newRow("code page byte") << QString("\u0080\u20AC") << QByteArray("\x80\x80");
    QTest::newRow("beyond the code page")
        << QString("\u00A9 \u03C0\u0080")
        << QByteArray("\xEF\xBB\xBF\xC2\xA9 \xCF\x80\xE2\x82\xAC");
}

void TstDocumentation::fileBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(compiler::documentation::fileBytes(text), bytes);
}

TORVANE_TEST(TstDocumentation);
#include "tst_Documentation.moc"
