// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Program files as the commands read and write them: listings as people
// publish them, and a calculator file's header through a document and back.
#include "TivarsPeer.h"
#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calcfiles/CalcExport.h"
#include "calcfiles/ProgramFile.h"
#include "common/Files.h"
#include "common/TestRegistry.h"
#include "common/TokenBytes.h"
#include "rtf/RtfCodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace calcfile = calc::calcfile;
namespace calcexport = calcfiles::calcexport;

namespace
{

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Offsets in a one-program TI-83 Plus file.
constexpr int kVersionAt = 55 + 13;
constexpr int kFlagAt = 55 + 14;

// A file as another program wrote it: its own version byte and archived flag.
QByteArray fileWithHeader(const QByteArray &tokens, int version, bool archived)
{
    calcfile::Program p;
    p.name = QStringLiteral("GAME");
    p.tokens = tokens;
    QByteArray file = calcfile::write(p, calcfile::Model::Ti83Plus);
    file[kVersionAt] = char(version);
    file[kFlagAt] = archived ? '\x80' : '\0';
    int sum = 0;
    for (const char c : file.mid(55, file.size() - 57))
        sum += static_cast<unsigned char>(c);
    file[file.size() - 2] = char(sum & 0xFF);
    file[file.size() - 1] = char((sum >> 8) & 0xFF);
    return file;
}

} // namespace

class TstProgramFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // A listing reads as the same tokens as the sheet's own spelling of it.
    void publishedListings_data()
    {
        QTest::addColumn<QByteArray>("listing"); // UTF-8, as published
        QTest::addColumn<QString>("canonical");  // the sheet's spelling
        QTest::newRow("⌊ for ʟ") << QByteArray("{1,2}→⌊ABC\nDisp ⌊ABC(1)")
                                 << QStringLiteral("{1,2}→ʟABC\r\nDisp ʟABC(1)");
        QTest::newRow("⏨ for ᴇ") << QByteArray("5⏨3→X") << QStringLiteral("5ᴇ3→X");
        QTest::newRow("∛ with its parenthesis")
            << QByteArray("Disp ∛(27)") << QStringLiteral("Disp ³√(27)");
        QTest::newRow("∛ alone") << QByteArray("Disp ∛27") << QStringLiteral("Disp ³√(27");
        QTest::newRow("␣ for a space, also leading")
            << QByteArray("Disp \"A␣B\"\n␣") << QStringLiteral("Disp \"A B\"\r\n ");
        QTest::newRow("indentation by blanks and tabs")
            << QByteArray("For(I,1,3\n   If I=2\n\t\tDisp I\n \tEnd")
            << QStringLiteral("For(I,1,3\r\nIf I=2\r\nDisp I\r\nEnd");
        QTest::newRow("blanks inside a string kept")
            << QByteArray("  Menu(\" MENU \",\"  A\",A\n  Disp \"  X  \"")
            << QStringLiteral("Menu(\" MENU \",\"  A\",A\r\nDisp \"  X  \"");
        QTest::newRow("final line break adds no line")
            << QByteArray("Disp 1\nDisp 2\n") << QStringLiteral("Disp 1\r\nDisp 2");
        QTest::newRow("CR LF, an empty last line kept")
            << QByteArray("Disp 1\r\n\r\n") << QStringLiteral("Disp 1\r\n");
        QTest::newRow("tabs ending a line, blanks kept before them")
            << QByteArray("\t:End\t\nDisp \"A \t\t\n1") << QStringLiteral(":End\r\nDisp \"A \r\n1");
        QTest::newRow("every line marked with a colon")
            << QByteArray(":If A\n\t:Then\n\n:Disp \":\"\n::End")
            << QStringLiteral("If A\r\nThen\r\n\r\nDisp \":\"\r\n:End");
        QTest::newRow("colons kept where a line has none")
            << QByteArray(":If A\nThen") << QStringLiteral(":If A\r\nThen");
        QTest::newRow("a soft hyphen for ⁻") << QByteArray("(\xc2\xad"
                                                           "B-2)/2A")
                                             << QStringLiteral("(⁻B-2)/2A");
        QTest::newRow("blank lines stay lines")
            << QByteArray("1\n  \n2") << QStringLiteral("1\r\n\r\n2");
        QTest::newRow("the link software's ᴛ and ᵤ")
            << QByteArray("\"X\xef\x80\xb8\"→X\xe2\x82\x81\xef\x80\xb8\n1\xf3\xb8\x8f\xb5"
                          "2\xe2\x81\x84"
                          "3")
            << QStringLiteral("\"Xᴛ\"→X₁ᴛ\r\n1ᵤ2⁄3");
        QTest::newRow("an ellipsis in a string")
            << QByteArray("Disp \"WAIT\xe2\x80\xa6\"") << QStringLiteral("Disp \"WAIT…\"");
    }
    void publishedListings()
    {
        QFETCH(QByteArray, listing);
        QFETCH(QString, canonical);
        QVERIFY(writeFile(path("p.txt"), listing));
        QString model, error;
        QVERIFY2(calcfiles::readModel(path("p.txt"), &model, &error), qPrintable(error));
        const auto wanted = calc::calcsymbols::fromUnicode(canonical);
        QVERIFY(wanted.refused.isEmpty());
        QCOMPARE(calc::calcsymbols::toUnicode(model), calc::calcsymbols::toUnicode(wanted.text));
        QByteArray tokens;
        QVERIFY2(calcfiles::readProgram(path("p.txt"), &tokens, &error), qPrintable(error));
        QCOMPARE(tokens.toHex(' '), calc::tokens::tokenize(wanted.text).bytes.toHex(' '));
    }

    // Where a character no token spells stands is said of the file as written,
    // indentation included.
    void refusedCharacterAtItsPlaceInTheFile()
    {
        QVERIFY(writeFile(path("r.txt"), "Disp 1\n\t  Disp \"ß\"\n"));
        calcfiles::ProgramFile file;
        QString error;
        QVERIFY(calcfiles::readProgramFile(path("r.txt"), &file, &error));
        QCOMPARE(file.refusedAt, QStringList{"2:10: error: no calculator token is written \"ß\""});
        // One that would not show is named by its code.
        QVERIFY(writeFile(path("u.txt"), "Disp \"\xee\x80\x92\"\n"));
        calcfiles::ProgramFile unknown;
        QVERIFY(calcfiles::readProgramFile(path("u.txt"), &unknown, &error));
        QCOMPARE(unknown.refusedAt,
                 QStringList{"1:7: error: no calculator token is written U+E012"});
        QByteArray tokens;
        QVERIFY(!calcfiles::readProgram(path("u.txt"), &tokens, &error));
        QVERIFY2(error.endsWith(QLatin1String("is written U+E012")), qPrintable(error));
    }

    // Import, a document saved and read again, export: the header comes back;
    // the version only rises as far as the tokens need, the clock flag kept.
    void headerThroughADocument_data()
    {
        QTest::addColumn<QByteArray>("tokens");
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("archived");
        QTest::addColumn<int>("exported");                  // the version byte written back
        const QByteArray plain = testing::bytesOf("DE 31"); // Disp 1
        QTest::newRow("archived") << plain << 0x00 << true << 0x00;
        QTest::newRow("a version above the tokens' kept") << plain << 0x06 << false << 0x06;
        QTest::newRow("clock flag kept") << plain << 0x24 << true << 0x24;
        QTest::newRow("raised for the clock's command")
            << testing::bytesOf("EF00 31 2B 31 2B 31") << 0x01 << false << 0x24;
        QTest::newRow("raised, clock flag kept")
            << testing::bytesOf("BBDB 3F EF13") << 0x21 << true << 0x25;
        QTest::newRow("tokens no calculator knows raise nothing")
            << testing::bytesOf("EFA7") << 0x03 << false << 0x03;
    }
    void headerThroughADocument()
    {
        QFETCH(QByteArray, tokens);
        QFETCH(int, version);
        QFETCH(bool, archived);
        QFETCH(int, exported);
        const QByteArray original = fileWithHeader(tokens, version, archived);
        QVERIFY(writeFile(path("in.8xp"), original));
        QString error;
        QVERIFY2(calcexport::importCalcFile(path("in.8xp"), path("a.tvf"), &error),
                 qPrintable(error));
        // A save by the codec (as the window does) keeps the place.
        rtf::Document doc;
        QVERIFY(rtf::read(testing::readAll(path("a.tvf")), &doc));
        QVERIFY(writeFile(path("b.tvf"), rtf::write(doc)));
        QVERIFY2(calcexport::exportCalcFile(path("b.tvf"), path("out.8xp"), QString("GAME"), false,
                                            &error),
                 qPrintable(error));
        const QByteArray out = testing::readAll(path("out.8xp"));
        QByteArray expected = fileWithHeader(tokens, exported, archived);
        QCOMPARE(out.toHex(' '), expected.toHex(' '));
        if (exported == version)
            QCOMPARE(out, original);

        std::string why;
        const auto vars = peer::readFile(path("out.8xp").toStdString(), &why);
        QVERIFY2(vars.size() == 1, why.c_str());
        QCOMPARE(vars[0].version, exported);
        QCOMPARE(vars[0].archived, archived);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(vars[0].tokens.data()),
                            qsizetype(vars[0].tokens.size())),
                 tokens);
        const int least = peer::minimumVersion(vars[0].tokens);
        if (least != 0xFF)
            QVERIFY((least & ~calcfile::kClockFlag) <= (exported & ~calcfile::kClockFlag));
    }

    // A program that never was in a calculator file exports as it always did:
    // not archived, the version byte its tokens choose, no clock flag.
    void newProgramExportUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("document") << QStringLiteral("Disp 1") << "n.tvf";
        QTest::newRow("document, clock command") << QStringLiteral("setDate(1,2,3") << "c.tvf";
        QTest::newRow("text, newest tokens") << QStringLiteral("⟦$EF41⟧Disp 1") << "t.txt";
    }
    void newProgramExportUnchanged()
    {
        QFETCH(QString, text);
        QFETCH(QString, fileName);
        const QString model = calc::calcsymbols::fromUnicode(text).text;
        QVERIFY(writeFile(path(fileName), fileName.endsWith(".tvf") ? calcexport::documentOf(model)
                                                                    : text.toUtf8()));
        QString error;
        QVERIFY2(calcexport::exportCalcFile(path(fileName), path("new.8xp"), QString("NEW"), false,
                                            &error),
                 qPrintable(error));
        const QByteArray out = testing::readAll(path("new.8xp"));
        const QByteArray tokens = calc::tokens::tokenize(model).bytes;
        QCOMPARE(out, calcfile::build(model, "NEW", false, calcfile::Model::Ti83Plus).file);
        QCOMPARE(int(static_cast<unsigned char>(out.at(kVersionAt))),
                 calc::tokens::versionFor(tokens));
        QCOMPARE(int(out.at(kFlagAt)), 0);
    }
};

TORVANE_TEST(TstProgramFile);
#include "tst_programfile.moc"
