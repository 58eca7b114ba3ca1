#include "calc/CalcFile.h"
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
            << QStringLiteral("The file is not a TI-83 Plus (.8xp) or TI-83 (.83p) program file.");
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
            << resummed(list)
            << QStringLiteral("The file holds a calculator variable that is not a program.");
        QByteArray tooLong = good;
        tooLong[57] = '\x09';
        QTest::newRow("entry too long") << resummed(tooLong) << damaged;
        QByteArray unknown = good;
        unknown[74] = '\x26';
        QTest::newRow("unknown token")
            << resummed(unknown)
            << QStringLiteral("The program cannot be read: The byte $26 at offset 0 of the "
                              "program is no calculator token.");
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
};

TORVANE_TEST(TstCalcFile);
#include "tst_calcfile.moc"
