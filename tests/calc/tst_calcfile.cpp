// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalcFile.h"
#include "calc/Tokens.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::calcfile;

namespace
{

QByteArray header(const char *signature, const char *dataLength)
{
    QByteArray h(signature);
    h += QByteArray::fromHex("1A0A00");
    h += QByteArray("Created by Torvane Studio").leftJustified(42, '\0');
    return h + QByteArray::fromHex(dataLength);
}

// Sets the checksum after a change to the data section.
QByteArray resummed(QByteArray file)
{
    int sum = 0;
    for (qsizetype i = 55; i < file.size() - 2; ++i)
        sum += static_cast<unsigned char>(file.at(i));
    file[file.size() - 2] = char(sum & 0xFF);
    file[file.size() - 1] = char(sum >> 8);
    return file;
}

// A file of these variable entries, each cut from a file build() wrote
// (or given raw), with the product byte of the link software.
QByteArray fileOf(const QList<QByteArray> &entries, char product = 0)
{
    QByteArray data;
    for (const QByteArray &e : entries)
        data += e.startsWith("**TI83") ? e.mid(55, e.size() - 57) : e;
    QByteArray file = header("**TI83F*", "0000") + data + QByteArray(2, '\0');
    file[10] = product;
    file[53] = char(data.size() & 0xFF);
    file[54] = char(data.size() >> 8);
    return resummed(file);
}

QByteArray programFile(const char *name, const QString &text = QStringLiteral("1"))
{
    return build(text, QString::fromLatin1(name), false, Model::Ti83Plus).file;
}

} // namespace

class TstCalcFile : public QObject
{
    Q_OBJECT

private slots:
    // Header, lengths and checksum worked out by hand for "Disp 1" (DE 31).
    void writtenFilesByteByByte_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("isProtected");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("8xp") << int(Model::Ti83Plus) << false
                             << header("**TI83F*", "1500") +
                                    QByteArray::fromHex("0D00 0400 05 4142000000000000 00 00 0400 "
                                                        "0200 DE31 AE01");
        QTest::newRow("8xp protected")
            << int(Model::Ti83Plus) << true
            << header("**TI83F*", "1500") +
                   QByteArray::fromHex("0D00 0400 06 4142000000000000 00 00 0400 0200 DE31 AF01");
        QTest::newRow("83p") << int(Model::Ti83) << false
                             << header("**TI83**", "1300") +
                                    QByteArray::fromHex(
                                        "0B00 0400 05 4142000000000000 0400 0200 DE31 AC01");
    }
    void writtenFilesByteByByte()
    {
        QFETCH(int, model);
        QFETCH(bool, isProtected);
        QFETCH(QByteArray, expected);
        const Built b = build(u"Disp 1", QStringLiteral("AB"), isProtected, Model(model));
        QVERIFY2(b.ok(), qPrintable(b.error));
        QCOMPARE(b.file.toHex(' '), expected.toHex(' '));
    }

    void newerTokensRaiseTheVersion()
    {
        const Built b = build(u"Disp \"hi\"", QStringLiteral("A"), false, Model::Ti83Plus);
        QCOMPARE(int(b.file.at(68)), 1);
    }

    void protectedProgramReadsBack()
    {
        const QString text = QStringLiteral("Disp \"ok\"\r\n1") + QChar(252) + QChar(193);
        const Built b = build(text, QString(QChar(193)) + u'1', true, Model::Ti83Plus);
        QVERIFY2(b.ok(), qPrintable(b.error));
        const Read r = read(b.file);
        QVERIFY(r.ok());
        QCOMPARE(r.program.name, QStringLiteral("θ1"));
        QVERIFY(r.program.isProtected);
        const Imported im = import(b.file);
        QCOMPARE(im.text, text);
        QCOMPARE(im.name, QStringLiteral("θ1"));
    }

    void malformedFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        const QByteArray good = build(u"Disp 1", QStringLiteral("AB"), false, Model::Ti83Plus).file;
        const QString cutOff =
            QStringLiteral("The file is cut off: it is shorter than its header says.");
        const QString damaged = QStringLiteral(
            "The file is damaged: its variable entry does not fit its data section.");
        QByteArray wrongSignature = good;
        wrongSignature[5] = '2';
        QTest::newRow("signature")
            << wrongSignature
            << QStringLiteral("The file is not a TI-83 Plus (.8xp, .8xg) or TI-83 (.83p, .83g) "
                              "calculator file.");
        QTest::newRow("no checksum") << good.left(good.size() - 1) << cutOff;
        QTest::newRow("half") << good.left(60) << cutOff;
        QByteArray badSum = good;
        badSum[good.size() - 3] = '\x32';
        QTest::newRow("checksum")
            << badSum
            << QStringLiteral("The file is damaged: its checksum does not match its contents.");
        QByteArray list = good;
        list[59] = '\x01';
        QTest::newRow("not a program")
            << resummed(list) << QStringLiteral("The file holds no program, only: A (list).");
        QByteArray tooLong = good;
        tooLong[57] = '\x09';
        QTest::newRow("entry too long") << resummed(tooLong) << damaged;
        // The data length stands twice in the entry; the program's own length
        // leads its tokens.
        QByteArray twoLengths = good;
        twoLengths[70] = char(twoLengths[70] + 1);
        QTest::newRow("the entry's two lengths disagree") << resummed(twoLengths) << damaged;
        QByteArray programLength = good;
        programLength[72] = char(programLength[72] + 1);
        QTest::newRow("program longer than its entry") << resummed(programLength) << damaged;
        QByteArray cutToken = good;
        cutToken[75] = '\xBB';
        QTest::newRow("cut inside a two-byte token")
            << resummed(cutToken)
            << QStringLiteral("The program AB cannot be read: The program ends in the middle of "
                              "a two-byte token ($BB).");
    }
    void malformedFiles()
    {
        QFETCH(QByteArray, file);
        const Imported im = import(file);
        QTEST(im.error, "error");
        QVERIFY(im.text.isEmpty());
    }

    void refusedExports_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("error");
        const QString rules = QStringLiteral(
            "cannot be the name of a calculator program. A name has 1 to 8 characters: the "
            "first a capital letter A-Z or θ, the others capital letters, digits 0-9 or θ.");
        for (const char *bad : {"", "1A", "ABCDEFGHI", "game"})
            QTest::newRow(bad) << QStringLiteral("1") << QString::fromLatin1(bad)
                               << int(Model::Ti83Plus)
                               << QStringLiteral("\"%1\" ").arg(QLatin1String(bad)) + rules;
        QTest::newRow("character")
            << QStringLiteral("1\r\nA") + QChar(237) << "A" << int(Model::Ti83Plus)
            << QStringLiteral("Line 2, column 2: no calculator command or "
                              "symbol is written \"æ\".");
        QTest::newRow("TI-83") << QStringLiteral("Disp \"ab\":Archive A") << QStringLiteral("A")
                               << int(Model::Ti83)
                               << QStringLiteral("The TI-83 does not have these commands of the "
                                                 "program: \"a\", \"b\", \"Archive\". Export it "
                                                 "for the TI-83 Plus (.8xp) instead.");
    }
    void refusedExports()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(int, model);
        const Built b = build(text, name, false, Model(model));
        QTEST(b.error, "error");
        QVERIFY(b.file.isEmpty());
    }

    // The byte after the signature names the calculator of the link
    // software that wrote the file (TI Connect CE writes 0x0A); any is read.
    void anyProductByte_data()
    {
        QTest::addColumn<int>("product");
        for (int product : {0x00, 0x01, 0x04, 0x0A, 0x0F, 0x13, 0x1B, 0xFF})
            QTest::addRow("%02X", product) << product;
    }
    void anyProductByte()
    {
        QFETCH(int, product);
        const Contents c = readAll(fileOf({programFile("AB")}, char(product)));
        QVERIFY2(c.ok(), qPrintable(c.error));
        QCOMPARE(c.productId, product);
        QCOMPARE(c.programs.value(0).name, QStringLiteral("AB"));
    }

    // Several entries, or a group variable: every program is taken, in
    // order, the other variables named as skipped; the archived flag read.
    void severalVariables()
    {
        QByteArray archived = programFile("ARCH").mid(55);
        archived.chop(2);
        archived[14] = '\x80';
        // A real number, then a group of a list L1 and a program G.
        const QByteArray real =
            QByteArray::fromHex("0D00 0900 00 4100000000000000 00 00 0900") + QByteArray(9, '\0');
        const QByteArray group = QByteArray::fromHex("1800 01 00 00 0000 00 03 5D0000 0000"
                                                     "05 00 00 0000 00 01 47 0200 DE31");
        const QByteArray groupEntry =
            QByteArray::fromHex("0D00 1A00 17 4752000000000000 00 00 1A00") + group;
        const Contents c = readAll(fileOf({programFile("ONE"), real, archived, groupEntry}));
        QVERIFY2(c.ok(), qPrintable(c.error));
        QStringList names;
        for (const Program &p : c.programs)
            names << p.name + (p.archived ? QStringLiteral("*") : QString());
        QCOMPARE(names, QStringList({"ONE", "ARCH*", "G"}));
        QCOMPARE(c.programs[2].tokens, QByteArray::fromHex("DE31"));
        QCOMPARE(c.skipped, QStringList({"A (real number)", "L₁ (list)"}));
        const ImportedFile f = importAll(fileOf({programFile("ONE"), real}));
        QCOMPARE(f.programs.size(), 1);
        QVERIFY(!f.programs[0].archived);
        QCOMPARE(f.skipped, QStringList({"A (real number)"}));
        QCOMPARE(readAll(fileOf({real})).error,
                 QStringLiteral("The file holds no program, only: A (real number)."));
        QByteArray badGroup = groupEntry;
        badGroup[17] = '\x20'; // its length no longer fits
        QCOMPARE(readAll(fileOf({badGroup})).error,
                 QStringLiteral("The file is damaged: a group in it does not hold what its "
                                "length says."));
    }

    // Names are checked on the bytes they are stored as: a model code the
    // calculator draws as a letter is not that letter.
    void namesByTheirBytes()
    {
        QVERIFY(isValidName(QStringLiteral("AB")));
        QVERIFY(isValidName(QString(QChar(193)) + u'1')); // θ as its model code
        QVERIFY(!isValidName(QString(QChar(0xE2))));      // drawn as N
        QVERIFY(!isValidName(QStringLiteral("Aé")));
        QByteArray file = programFile("AN");
        file[61] = '\xE2';
        const Imported im = import(resummed(file));
        QVERIFY2(im.ok(), qPrintable(im.error));
        QCOMPARE(im.name, QStringLiteral("A") + QChar(0xE2));
        QCOMPARE(im.warnings, QStringList({"\"AN\" is no name the TI-83 Plus allows; export the "
                                           "program under another."}));
        QVERIFY(!build(im.text, im.name, false, Model::Ti83Plus).ok());
    }

    // A token the sheet does not know is kept, escaped, and reported.
    void unknownTokensKept()
    {
        const Built b =
            build(QStringLiteral("⟦$BBD0⟧1"), QStringLiteral("U"), false, Model::Ti83Plus);
        QVERIFY2(b.ok(), qPrintable(b.error));
        const Imported im = import(b.file);
        QCOMPARE(im.text, QStringLiteral("⟦$BBD0⟧1"));
        QCOMPARE(im.warnings, QStringList({"⟦$BBD0⟧ in U is no TI-83 Plus token; it is kept as "
                                           "written and exported back unchanged."}));
        QCOMPARE(build(im.text, im.name, false, Model::Ti83Plus).file, b.file);
    }

    // The data section's 16-bit length bounds a program: the longest one is
    // written and read back whole on both models, one token more is refused
    // rather than written with a length that wraps.
    void longestProgram_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("tokens");
        QTest::addColumn<QString>("error");
        for (Model m : {Model::Ti83Plus, Model::Ti83}) {
            const char *name = m == Model::Ti83 ? "83" : "83+";
            QTest::addRow("%s, longest", name) << int(m) << 0xFFFF - 19 << QString();
            QTest::addRow("%s, one more", name)
                << int(m) << 0xFFFF - 18
                << QStringLiteral("The program is too long for a calculator file: 65517 bytes "
                                  "of tokens, at most 65516.");
        }
    }
    void longestProgram()
    {
        QFETCH(int, model);
        QFETCH(int, tokens);
        const QString text(tokens, QLatin1Char('1'));
        const Built b = build(text, QStringLiteral("LONG"), false, Model(model));
        QTEST(b.error, "error");
        if (!b.ok()) {
            QVERIFY(b.file.isEmpty());
            return;
        }
        const Read r = read(b.file);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.program.tokens, QByteArray(tokens, '1'));
        QCOMPARE(int(r.model), model);
    }

    // The archived flag is written where a calculator looks for it and read
    // back, so a program written again (exported, sent or received) keeps it.
    void archivedFlagWritten_data()
    {
        QTest::addColumn<bool>("archived");
        QTest::newRow("archived") << true;
        QTest::newRow("in RAM") << false;
    }
    void archivedFlagWritten()
    {
        QFETCH(bool, archived);
        Program p;
        p.name = QStringLiteral("ARCH");
        p.tokens = QByteArray::fromHex("DE31");
        p.archived = archived;
        const QByteArray file = write(p, Model::Ti83Plus);
        QCOMPARE(quint8(file.at(55 + 14)), quint8(archived ? 0x80 : 0x00));
        const Read r = read(file);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.program.archived, archived);
        QCOMPARE(write(r.program, Model::Ti83Plus), file);
        QCOMPARE(import(file).archived, archived);
    }

    void namesFromFileNames()
    {
        QCOMPARE(nameFromFileName("/x/my game.tvf"), QStringLiteral("MYGAME"));
        QCOMPARE(nameFromFileName("1st-try.tvf"), QStringLiteral("STTRY"));
        QCOMPARE(nameFromFileName("verylongname.tvf"), QStringLiteral("VERYLONG"));
        QCOMPARE(nameFromFileName(QStringLiteral("aθ2.tvf")), QStringLiteral("Aθ2"));
        QCOMPARE(nameFromFileName("123.tvf"), QString());
        QCOMPARE(modelForPath("A.83P"), Model::Ti83);
        QCOMPARE(modelForPath("A.8xp"), Model::Ti83Plus);
    }

    // The header's text in a document: what a later version adds is kept,
    // what is no key=value is left out, a header read back is the same.
    void metaText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("archived");
        QTest::addColumn<int>("version"); // as applied to a program, -1: none
        QTest::newRow("all three") << "archived=1 version=6 clock=1"
                                   << "archived=1 version=6 clock=1" << true << 0x26;
        QTest::newRow("a later field, other order") << "model=84p  version=4"
                                                    << "model=84p version=4" << false << 4;
        QTest::newRow("damaged pairs") << "archived version==3 =1 x= clock=1 archived=0"
                                       << "clock=1 archived=0" << false << -1;
        QTest::newRow("not a number") << "version=new"
                                      << "version=new" << false << -1;
        QTest::newRow("empty") << ""
                               << "" << false << -1;
    }
    void metaText()
    {
        QFETCH(QString, text);
        const calc::FileMeta meta = calc::FileMeta::fromText(text);
        QTEST(meta.toText(), "kept");
        QCOMPARE(calc::FileMeta::fromText(meta.toText()), meta);
        Program p;
        applyMeta(meta, &p);
        QTEST(p.archived, "archived");
        QTEST(p.version, "version");
        if (p.version >= 0)
            QCOMPARE(metaOf(p).toText(), meta.toText().remove(QStringLiteral("model=84p ")));
    }
};

TORVANE_TEST(TstCalcFile);
#include "tst_calcfile.moc"
