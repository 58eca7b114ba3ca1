// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/TestRegistry.h"
#include "compiler/LinkExport.h"
#include "platform/RichTextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace compiler;

class TstLinkExport : public QObject
{
    Q_OBJECT
private slots:
    // A program copied from a web page as Unicode exports as calculator codes.
    void pastedUnicodeProgram()
    {
        platform::RichTextBox pane;
        QApplication::clipboard()->setText("Input \u201CX\u201D,X\n"
                                           "If X\u2264\u221A(2)\u2260\u03B8\n"
                                           "\u207B1\u2192X\u00B2");
        pane.paste();
        const ExportBytes out = toExportBytes(exportText(pane.Text(), "P", false, "/d/p.tvf"));
        QVERIFY(out.ok());
        QVERIFY2(out.bytes.contains("Input \"X\",X\r\nIf X\xF7\xF0(2)\xF8\xC1\r\n\xDE"
                                    "1\xFCX\xF2\r\n\\stop83P\\"),
                 out.bytes.constData());
    }
    void layout_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("protect");
        QTest::addColumn<QString>("body"); // after the "\file=" line
        // clang-format off
        QTest::newRow("empty program") << "" << "DEFULT" << false << "\r\n\\stop83P\\";
        QTest::newRow("trailing break") << "Disp 1\r\n" << "A" << true << "Disp 1\r\n\r\n\\stop83P\\";
        QTest::newRow("backslashes, blank lines") << "\\\\n\r\n\r\n\\stop83P\\" << "X" << false
                                                  << "\\\\n\r\n\r\n\\stop83P\\\r\n\\stop83P\\";
        QTest::newRow("name as typed") << " 1" << "lower long name" << false << " 1\r\n\\stop83P\\";
        QTest::newRow("empty name") << "1" << "" << true << "1\r\n\\stop83P\\";
        // clang-format on
    }
    void layout()
    {
        QFETCH(QString, program);
        QFETCH(QString, name);
        QFETCH(bool, protect);
        QFETCH(QString, body);
        const QString head = QString("\\start83P\\\r\n\\comment=Created by Torvane Studio\r\n"
                                     "\\protected=%1\r\n\\name=%2\r\n\\file=/d/a.tvf\r\n")
                                 .arg(protect ? "TRUE" : "FALSE", name);
        QCOMPARE(exportText(program, name, protect, "/d/a.tvf"), head + body);
    }
    void bytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("badLine");
        QTest::addColumn<QString>("badChar");

        QString high;
        QByteArray highBytes;
        for (int c = 128; c <= 255; ++c) {
            high += QChar(c);
            highBytes += char(c);
        }
        QTest::newRow("codes 128-255") << high << highBytes << 0 << QString();
        QTest::newRow("code page characters")
            << QString("\u20AC\u201C\u0178") << QByteArray("\x80\x93\x9F") << 0 << QString();
        QTest::newRow("no byte, line 3")
            << QString("a\r\nb\r\nc\u2192\u0101") << QByteArray() << 3 << QString("\u2192");
        QTest::newRow("surrogate pair") << QString::fromUcs4(U"\r\nx\U0001F600") << QByteArray()
                                        << 2 << QString::fromUcs4(U"\U0001F600");
    }
    void bytes()
    {
        QFETCH(QString, text);
        const ExportBytes out = toExportBytes(text);
        QTEST(out.bytes, "bytes");
        QTEST(out.badLine, "badLine");
        QTEST(out.badChar, "badChar");
    }
};

TORVANE_TEST(TstLinkExport);
#include "tst_linkexport.moc"
