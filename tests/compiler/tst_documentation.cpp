// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
    // Prose as the wizard shows it, the copyright sign included.
    QTest::newRow("prose") << QString("\u00A9 1\u2192A \u03C9")
                           << QByteArray("\xEF\xBB\xBF"
                                         "\xC2\xA9 1\xE2\x86\x92"
                                         "A \xCF\x89");
}

void TstDocumentation::fileBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(compiler::documentation::fileBytes(text), bytes);
}

TORVANE_TEST(TstDocumentation);
#include "tst_documentation.moc"
