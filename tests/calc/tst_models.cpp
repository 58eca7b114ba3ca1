// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator models: the colour models' tokens, the files written for a
// model as tivars_lib_cpp reads them, real colour-model files, the checks.
#include "TivarsPeer.h"
#include "calc/CalcFile.h"
#include "calc/Checks.h"
#include "calc/Models.h"
#include "calc/Tokens.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using calc::models::Model;

namespace
{

QByteArray bytesOf(const std::vector<uint8_t> &v)
{
    return QByteArray(reinterpret_cast<const char *>(v.data()), qsizetype(v.size()));
}

QByteArray two(int token)
{
    return calc::tokens::tokenBytes(token);
}

QString colourDir()
{
    return QStringLiteral(TORVANE_SOURCE_DIR "/tests/data/published-colour");
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The problems of a severity, as "line:message".
QStringList problems(const QString &text, Model model, calc::checks::Severity severity)
{
    calc::checks::Options options;
    options.model = model;
    options.hints = false;
    QStringList out;
    for (const auto &p : calc::checks::check(text, options))
        if (p.severity == severity)
            out << QStringLiteral("%1:%2").arg(p.line).arg(p.message);
    return out;
}

} // namespace

class TstModels : public QObject
{
    Q_OBJECT

private slots:
    // Every token the colour models added reads back from its own spelling,
    // and tivars_lib_cpp makes the same bytes of that spelling.
    void colourTokensRoundTrip()
    {
        int seen = 0;
        for (int token = 0xEF3F; token <= 0xEFA6; ++token) {
            const QString display = calc::tokens::displayString(token);
            if (display.isEmpty())
                continue; // a gap the calculators leave unused
            QVERIFY(calc::models::need(token).model >= Model::Ti84Plus);
            ++seen;
            for (bool colour : {false, true}) {
                const QString text = calc::tokens::detokenize(two(token), colour);
                QCOMPARE(calc::tokens::tokenize(text).bytes, two(token));
            }
            std::string error;
            const QByteArray peer = bytesOf(peer::tokenize(display.toStdString(), &error));
            QVERIFY2(error.empty(), error.c_str());
            QCOMPARE(peer, two(token));
        }
        // STATWIZARD, colours, images, 13 commands, 2 + 1 + 23 of the CE, 9 of OS 5.3
        QCOMPARE(seen, 2 + 15 + 10 + 13 + 2 + 1 + 23 + 9);
    }

    // The spellings that differ on the colour models: written for them,
    // read on every model.
    void colourSpellings_data()
    {
        QTest::addColumn<int>("token");
        QTest::addColumn<QString>("mono");
        QTest::addColumn<QString>("colour");
        QTest::newRow("Connected") << 0x7E06 << "Connected"
                                   << "Thick";
        QTest::newRow("Dot") << 0x7E07 << "Dot"
                             << "Dot-Thick";
        QTest::newRow("GridOn") << 0x7E0A << "GridOn"
                                << "GridDot ";
        QTest::newRow("AxesOn") << 0x7E08 << "AxesOn"
                                << "AxesOn ";
        QTest::newRow("FRAC") << 0xEF3D << "[FRAC]"
                              << "FRAC-APPROX";
        QTest::newRow("MATHPRINT") << 0xEF37 << "[MATHPRINT]"
                                   << "MATHPRINT";
        QTest::newRow("CLASSIC") << 0xEF38 << "[CLASSIC]"
                                 << "CLASSIC";
    }
    void colourSpellings()
    {
        QFETCH(int, token);
        QFETCH(QString, mono);
        QFETCH(QString, colour);
        QCOMPARE(calc::tokens::detokenize(two(token), false), mono);
        QCOMPARE(calc::tokens::detokenize(two(token), true), colour);
        QCOMPARE(calc::tokens::tokenize(mono).bytes, two(token));
        QCOMPARE(calc::tokens::tokenize(colour).bytes, two(token));
    }

    // One row per range of the version table: the file written for a model
    // carries its product id and the version byte tivars_lib_cpp computes.
    void peerReadsModelFiles_data()
    {
        QTest::addColumn<QByteArray>("tokens");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("productId");
        QTest::addColumn<int>("version");
        const QByteArray disp("\xDE\x41", 2); // Disp A
        QTest::newRow("none") << disp << int(Model::Ti83Plus) << 0x04 << 0x00;
        QTest::newRow("BB68 Archive") << two(0xBB68) + "A" << int(Model::Ti83Plus) << 0x04 << 0x01;
        QTest::newRow("BBD1 @") << disp + two(0xBBD1) << int(Model::Ti83Plus) << 0x04 << 0x02;
        QTest::newRow("BBDC angle") << two(0xBBDC) << int(Model::Ti83Plus) << 0x04 << 0x03;
        QTest::newRow("EF11 OpenLib") << two(0xEF11) << int(Model::Ti84Plus) << 0x0A << 0x04;
        QTest::newRow("EF09 getDate, clock") << two(0xEF09) << int(Model::Ti84Plus) << 0x0A << 0x24;
        QTest::newRow("EF13 invT") << two(0xEF13) << int(Model::Ti84Plus) << 0x0A << 0x05;
        QTest::newRow("EF32 remainder") << two(0xEF32) << int(Model::Ti84Plus) << 0x0A << 0x06;
        QTest::newRow("EF3F STATWIZARD") << two(0xEF3F) << int(Model::Ti84Plus) << 0x0A << 0x07;
        QTest::newRow("EF67 TextColor") << two(0xEF67) << int(Model::Ti84PlusCSE) << 0x0F << 0x0A;
        QTest::newRow("EF96 Wait") << two(0xEF96) << int(Model::Ti84PlusCE) << 0x13 << 0x0B;
        QTest::newRow("EFA6 piecewise") << two(0xEFA6) << int(Model::Ti84PlusCE) << 0x13 << 0x0C;
    }
    void peerReadsModelFiles()
    {
        QFETCH(QByteArray, tokens);
        QFETCH(int, model);
        QFETCH(int, productId);
        QFETCH(int, version);
        calc::calcfile::Program p;
        p.name = QStringLiteral("PRGM");
        p.tokens = tokens;
        p.model = Model(model);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("PRGM.8xp"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(calc::calcfile::write(p, calc::calcfile::Model::Ti83Plus));
        f.close();
        std::string error;
        const auto vars = peer::readFile(path.toStdString(), &error);
        QVERIFY2(error.empty(), error.c_str());
        QCOMPARE(int(vars.size()), 1);
        QCOMPARE(vars[0].version, version);
        QCOMPARE(vars[0].version,
                 peer::minimumVersion(std::vector<uint8_t>(tokens.begin(), tokens.end())));
        QCOMPARE(peer::productId(path.toStdString()), productId);
        // Read back, the header names the model.
        QCOMPARE(int(calc::calcfile::read(readAll(path)).program.model), model);
        // Without a model the file is what it always was.
        p.model = Model::None;
        QCOMPARE(calc::calcfile::write(p, calc::calcfile::Model::Ti83Plus).at(10), '\0');
    }

    // The issue's own program, through the document's model field.
    void cePrograms()
    {
        const QString text = QStringLiteral("TextColor(BLUE)\r\nBackgroundOff\r\nWait 0.1");
        calc::FileMeta meta;
        meta.set(QStringLiteral("model"), QStringLiteral("ti84pce"));
        const auto built = calc::calcfile::build(text, QStringLiteral("CE"), false,
                                                 calc::calcfile::Model::Ti83Plus, meta);
        QVERIFY2(built.ok(), qPrintable(built.error));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("CE.8xp"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(built.file);
        f.close();
        std::string error;
        const auto vars = peer::readFile(path.toStdString(), &error);
        QVERIFY2(error.empty(), error.c_str());
        QCOMPARE(vars.at(0).version, 0x0B);
        QCOMPARE(peer::productId(path.toStdString()), 0x13);

        const QStringList errors = problems(text, Model::Ti83Plus, calc::checks::Severity::Error);
        QCOMPARE(errors, QStringList({"1:TextColor( needs a TI-84 Plus C SE",
                                      "1:BLUE needs a TI-84 Plus C SE",
                                      "2:BackgroundOff needs a TI-84 Plus C SE",
                                      "3:Wait needs a TI-84 Plus CE with OS 5.2 or later"}));
    }

    void checksByModel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("model");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<QStringList>("notes");
        const QString ce = QStringLiteral("TextColor(RED)\r\nWait 1");
        QTest::newRow("CE on the CE")
            << ce << int(Model::Ti84PlusCE) << QStringList() << QStringList();
        QTest::newRow("CE on the C SE")
            << ce << int(Model::Ti84PlusCSE)
            << QStringList{"2:Wait needs a TI-84 Plus CE with OS 5.2 or later"} << QStringList();
        QTest::newRow("CE, no model") << ce << int(Model::None) << QStringList()
                                      << QStringList{"2:uses Wait: TI-84 Plus CE OS 5.2 or later"};
        QTest::newRow("remainder, no model")
            << QStringLiteral("Disp remainder(7,2)") << int(Model::None) << QStringList()
            << QStringList{"1:uses remainder(: TI-84 Plus OS 2.53 or later"};
        QTest::newRow("remainder on the 83 Plus")
            << QStringLiteral("Disp remainder(7,2)") << int(Model::Ti83Plus)
            << QStringList{"1:remainder( needs a TI-84 Plus with OS 2.53 or later"}
            << QStringList();
        QTest::newRow("83 Plus tokens, no model: no note")
            << QStringLiteral("Archive A") << int(Model::None) << QStringList() << QStringList();
        QTest::newRow("Archive on the TI-83")
            << QStringLiteral("Archive A") << int(Model::Ti83)
            << QStringList{"1:Archive is not on the TI-83"} << QStringList();
        QTest::newRow("Asm84CEPrgm on the CE")
            << QStringLiteral("Asm84CEPrgm") << int(Model::Ti84PlusCE)
            << QStringList{"1:Asm84CEPrgm programs do not run on a TI-84 Plus CE from OS 5.3.1 on"}
            << QStringList();
        QTest::newRow("Asm84CPrgm on the C SE")
            << QStringLiteral("Asm84CPrgm") << int(Model::Ti84PlusCSE) << QStringList()
            << QStringList();
    }
    void checksByModel()
    {
        QFETCH(QString, text);
        QFETCH(int, model);
        QFETCH(QStringList, errors);
        QFETCH(QStringList, notes);
        QCOMPARE(problems(text, Model(model), calc::checks::Severity::Error), errors);
        QCOMPARE(problems(text, Model(model), calc::checks::Severity::Info), notes);
    }

    // Real programs of the colour models: the model their header and tokens
    // name, and back to the same bytes but the comment.
    void realColourFiles()
    {
        const QHash<QString, Model> expected = {
            {"CHOOSE.8xp", Model::Ti84PlusCE},    // product id 0x13
            {"GROWTH.8xp", Model::Ti84PlusCE},    // 0x0F, but CE tokens
            {"BTCINIT.8xp", Model::Ti84Plus},     // 0x0A, version 0
            {"AIMNOMEN.8xp", Model::Ti84PlusCSE}, // 0x0F, version 0x0A
            {"IDEALGAS.8xp", Model::Ti84Plus},    // 0x0A
        };
        int checked = 0;
        QDirIterator it(colourDir(), {QStringLiteral("*.8xp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QByteArray file = readAll(path);
            const auto read = calc::calcfile::read(file);
            QVERIFY2(read.ok(), qPrintable(path));
            const auto im = calc::calcfile::import(file);
            QVERIFY2(im.ok() && im.warnings.isEmpty(), qPrintable(path));
            QVERIFY(im.model != Model::None);
            if (expected.contains(it.fileName())) {
                QVERIFY2(im.model == expected.value(it.fileName()), qPrintable(path));
                ++checked;
            }
            const auto built =
                calc::calcfile::build(im.text, im.name, im.isProtected,
                                      calc::calcfile::Model::Ti83Plus, calc::calcfile::metaOf(im));
            QVERIFY2(built.ok(), qPrintable(built.error));
            QCOMPARE(built.file.left(11), file.left(11));
            QCOMPARE(built.file.mid(53), file.mid(53));
        }
        QCOMPARE(checked, expected.size());
    }

    void modelIds()
    {
        for (Model m : calc::models::all())
            QCOMPARE(calc::models::fromId(calc::models::id(m).toUpper()), m);
        QCOMPARE(calc::models::fromId(u"83"), Model::Ti83);
        QCOMPARE(calc::models::fromId(u"83p"), Model::Ti83Plus);
        QCOMPARE(calc::models::fromId(u"ti89"), Model::None);
        // The vendored files with no product id: the version byte names it.
        QCOMPARE(calc::models::fromVersionByte(0x25), Model::Ti84Plus); // ALLTOKS, clock
        QCOMPARE(calc::models::fromVersionByte(0x00), Model::None);
        QCOMPARE(calc::models::fromVersionByte(0x03), Model::Ti83Plus);
        QCOMPARE(calc::models::fromVersionByte(0x0A), Model::Ti84PlusCSE);
        QCOMPARE(calc::models::fromVersionByte(0x0C), Model::Ti84PlusCE);
        QCOMPARE(calc::models::fromProductId(0x0F), Model::Ti84PlusCSE);
        QCOMPARE(calc::models::fromProductId(0x00), Model::None);
    }
};

TORVANE_TEST(TstModels);
#include "tst_models.moc"
