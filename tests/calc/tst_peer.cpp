// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Our files and tokens judged by an independent reader (tivars_lib_cpp).
#include "TivarsPeer.h"
#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "common/TestRegistry.h"
#include "common/TokenBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace calc::calcfile;

namespace
{

QByteArray bytesOf(const std::vector<uint8_t> &v)
{
    return QByteArray(reinterpret_cast<const char *>(v.data()), qsizetype(v.size()));
}

QString model(const QString &unicode)
{
    return calc::calcsymbols::fromUnicode(unicode).text;
}

QStringList peerPrograms()
{
    QStringList files;
    for (const QString &f : QDir(QStringLiteral(TIVARS_DATA)).entryList(QDir::Files))
        if (f.endsWith(QLatin1String(".8xp"), Qt::CaseInsensitive) ||
            f.endsWith(QLatin1String(".8xg"), Qt::CaseInsensitive))
            files << f;
    return files;
}

} // namespace

class TstPeer : public QObject
{
    Q_OBJECT

private slots:
    // What the export writes, the peer reads with the same name, type,
    // version and tokens.
    void peerReadsOurFiles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isProtected");
        QTest::addColumn<int>("fileModel");
        QTest::addColumn<QString>("peerName");
        QTest::newRow("plain") << model(QStringLiteral("Disp \"HI\"\r\nIf X≤3:Goto A")) << "HELLO"
                               << false << int(Model::Ti83Plus) << "HELLO";
        QTest::newRow("protected, theta")
            << model(QStringLiteral("1→θ")) << model(QStringLiteral("θ1")) << true
            << int(Model::Ti83Plus) << "θ1";
        QTest::newRow("newer tokens") << model(QStringLiteral("Disp \"abc\":setDate(1,2,3"))
                                      << "NEW" << false << int(Model::Ti83Plus) << "NEW";
        QTest::newRow("unknown tokens kept") << model(QStringLiteral("⟦$BBD0⟧⟦$EF41⟧")) << "UNK"
                                             << false << int(Model::Ti83Plus) << "UNK";
        QTest::newRow("TI-83") << model(QStringLiteral("ClrHome\r\nOutput(1,1,\"A")) << "OLD"
                               << false << int(Model::Ti83) << "OLD";
    }
    void peerReadsOurFiles()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(bool, isProtected);
        QFETCH(int, fileModel);
        QFETCH(QString, peerName);
        const Built b = build(text, name, isProtected, Model(fileModel));
        QVERIFY2(b.ok(), qPrintable(b.error));
        QTemporaryDir dir;
        const QString path = dir.filePath(fileModel == int(Model::Ti83) ? "a.83p" : "a.8xp");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(b.file) == b.file.size());
        f.close();
        std::string error;
        const std::vector<peer::Variable> vars = peer::readFile(path.toStdString(), &error);
        QVERIFY2(vars.size() == 1, error.c_str());
        QCOMPARE(QString::fromStdString(vars[0].name), peerName);
        QCOMPARE(vars[0].type, isProtected ? 6 : 5);
        QCOMPARE(bytesOf(vars[0].tokens).toHex(' '), calc::tokens::tokenize(text).bytes.toHex(' '));
        if (fileModel == int(Model::Ti83Plus))
            QCOMPARE(vars[0].version, calc::tokens::versionFor(bytesOf(vars[0].tokens)));
    }

    // The lowest version byte for a program's tokens, as the peer judges it:
    // the operating system that brought the newest token, the clock flag.
    void minimumVersionAsThePeer_data()
    {
        QTest::addColumn<QByteArray>("tokens");
        const char *const rows[] = {
            "",           "DE 31", "BB67", "BB68", "BBCE",      "BBCF", "BBDA",
            "BBDB 3F 31", "BBF5",  "EF00", "EF10", "EF11",      "EF12", "EF13",
            "EF16",       "EF17",  "EF3E", "EF3F", "EF40",      "EF41", "EF75",
            "EF76",       "EF98",  "EF99", "EFA6", "BBDB EF06", "EF",   "5C00 6000 AA01 BB68"};
        for (const char *row : rows)
            QTest::newRow(*row ? row : "nothing") << testing::bytesOf(row);
    }
    void minimumVersionAsThePeer()
    {
        QFETCH(QByteArray, tokens);
        const std::vector<uint8_t> v(tokens.cbegin(), tokens.cend());
        QCOMPARE(minimumVersion(tokens), peer::minimumVersion(v));
    }

    // Every program file of the peer's test data, TI Connect CE's included,
    // imports, and exports back as the same program: name, type, protection
    // and tokens, which the peer reads again.
    void peerFilesImportAndExportBack()
    {
        const QStringList files = peerPrograms();
        QVERIFY(files.size() >= 5);
        int programs = 0;
        QTemporaryDir dir;
        for (const QString &file : files) {
            QFile in(QStringLiteral(TIVARS_DATA "/") + file);
            QVERIFY(in.open(QIODevice::ReadOnly));
            const QByteArray data = in.readAll();
            const Contents original = readAll(data);
            const ImportedFile imported = importAll(data);
            if (!original.ok()) {
                if (file == QLatin1String("Group.8xg"))
                    QCOMPARE(original.error, QStringLiteral("The file holds no program, only: r₁ "
                                                            "(equation), window settings."));
                QVERIFY2(original.error.startsWith(QLatin1String("The file holds no program")),
                         qPrintable(file + ": " + original.error));
                continue;
            }
            QVERIFY2(imported.ok(), qPrintable(file + ": " + imported.error));
            for (qsizetype i = 0; i < imported.programs.size(); ++i) {
                const Imported &im = imported.programs[i];
                const Program &p = original.programs[i];
                const Built b = build(im.text, im.name, im.isProtected, Model::Ti83Plus);
                QVERIFY2(b.ok(), qPrintable(file + ": " + b.error));
                const Read back = read(b.file);
                QCOMPARE(back.program.name, p.name);
                QCOMPARE(back.program.isProtected, p.isProtected);
                QVERIFY2(back.program.tokens == p.tokens, qPrintable(file));
                const QString path = dir.filePath(QStringLiteral("%1.8xp").arg(programs++));
                QFile out(path);
                QVERIFY(out.open(QIODevice::WriteOnly) && out.write(b.file) == b.file.size());
                out.close();
                std::string error;
                const auto vars = peer::readFile(path.toStdString(), &error);
                QVERIFY2(vars.size() == 1, error.c_str());
                QVERIFY2(bytesOf(vars[0].tokens) == p.tokens, qPrintable(file));
            }
        }
        QVERIFY(programs >= 5);
    }

    // What the issue found: TI Connect CE's files open, with the strings'
    // statistics letters marked, and tokens the peer's table knows beyond ours.
    void connectFilesReadAsThePeerReadsThem()
    {
        QFile in(QStringLiteral(TIVARS_DATA "/ProtectedProgram.8xp"));
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray data = in.readAll();
        QCOMPARE(readAll(data).productId, 0x0A);
        const Imported im = import(data);
        QVERIFY2(im.ok(), qPrintable(im.error));
        QVERIFY(im.isProtected);
        QCOMPARE(calc::calcsymbols::toUnicode(im.text),
                 QStringLiteral("Disp \"H⟦[|e]⟧llo Wo⟦[r]⟧l⟦[|d]⟧"));
        std::string error;
        const auto vars = peer::readFile(
            QStringLiteral(TIVARS_DATA "/ProtectedProgram.8xp").toStdString(), &error);
        QVERIFY2(vars.size() == 1, error.c_str());
        QCOMPARE(calc::tokens::tokenize(im.text).bytes, bytesOf(vars[0].tokens));
    }

    // The peer's tokenizer and ours agree on ordinary programs.
    void sameTokensAsThePeer_data()
    {
        QTest::addColumn<QString>("peerText");
        QTest::addColumn<QString>("ours");
        QTest::newRow("menu") << "ClrHome:Menu(\"GAME\",\"PLAY\",A,\"QUIT\",B"
                              << "ClrHome:Menu(\"GAME\",\"PLAY\",A,\"QUIT\",B";
        QTest::newRow("loop") << "For(I,1,10):Output(I,1,I²):End"
                              << "For(I,1,10):Output(I,1,I²):End";
        QTest::newRow("store and lists") << "{1,2,3}→L₁:sum(L₁)→S:Disp S"
                                         << "{1,2,3}→L₁:sum(L₁)→S:Disp S";
        QTest::newRow("getKey") << "Repeat K:getKey→K:End"
                                << "Repeat K:getKey→K:End";
        QTest::newRow("lowercase in a string") << "Disp \"Hi there\""
                                               << "Disp \"Hi there\"";
        QTest::newRow("2-Var Stats") << "2-Var Stats L₁,L₂"
                                     << "2-Var Stats L₁,L₂";
    }
    void sameTokensAsThePeer()
    {
        QFETCH(QString, peerText);
        QFETCH(QString, ours);
        std::string error;
        const QByteArray expected = bytesOf(peer::tokenize(peerText.toStdString(), &error));
        QVERIFY2(error.empty(), error.c_str());
        QCOMPARE(calc::tokens::tokenize(model(ours)).bytes.toHex(' '), expected.toHex(' '));
    }
};

TORVANE_TEST(TstPeer);
#include "tst_peer.moc"
