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
                                 << QByteArray("\xEF\xBB\xBF"
                                               "a\r\nb\r\nc\r\nd\r\n");
    // Codes are written as what the calculator shows: store, less than or
    // equal, subscript zero, "-1" on the baseline.
    QTest::newRow("calculator codes")
        << QString("1\u00FCA:A\u00F7\u0080\u00B6")
        << QByteArray("\xEF\xBB\xBF"
                      "1\xE2\x86\x92"
                      "A:A\xE2\x89\xA4\xE2\x82\x80\xE2\x82\x8B\xE2\x82\x81");
}

void TstDocumentation::fileBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(compiler::documentation::fileBytes(text), bytes);
}

TORVANE_TEST(TstDocumentation);
#include "tst_documentation.moc"
