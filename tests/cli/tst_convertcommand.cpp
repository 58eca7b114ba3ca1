// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line's conversions, run on the program itself without a display.
#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "calcfiles/CalcExport.h"
#include "common/Files.h"
#include "common/TestRegistry.h"
#include "compiler/LinkExport.h"
#include "rtf/RtfCodec.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace
{

const QString kProgram = QStringLiteral("Disp \"hi\"\r\n1") + QChar(252) + QChar(193);

QByteArray document()
{
    return rtf::writePlain(kProgram, QStringLiteral("Ti83Pluspc"), 17);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

struct Run {
    int exitCode;
    QString out;
    QString err;
};
Run runProgram(const QStringList &arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(display));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TORVANE_EXECUTABLE), arguments);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

// A file of two programs, ONE and TWO (archived), and a real number A.
QByteArray severalVariables()
{
    namespace calcfile = calc::calcfile;
    const auto entry = [](const char *name, const QString &text) {
        const QByteArray f = calcfile::build(text, name, false, calcfile::Model::Ti83Plus).file;
        return f.mid(55, f.size() - 57);
    };
    QByteArray two = entry("TWO", QStringLiteral("Disp 2"));
    two[14] = '\x80';
    const QByteArray data = entry("ONE", QStringLiteral("Disp 1")) + two +
                            QByteArray::fromHex("0D00 0900 00 4100000000000000 00 00 0900") +
                            QByteArray(9, '\0');
    QByteArray file = calcfile::build(u"1", "X", false, calcfile::Model::Ti83Plus).file.left(53);
    file.append(char(data.size() & 0xFF)).append(char(data.size() >> 8)).append(data);
    int sum = 0;
    for (char c : data)
        sum += static_cast<unsigned char>(c);
    return file.append(char(sum & 0xFF)).append(char((sum >> 8) & 0xFF));
}

} // namespace

using testing::readAll;

class TstConvertCommand : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(writeFile(path("game.tvf"), document()));
        // The same program as text, and one with a character no token spells.
        QVERIFY(writeFile(path("game.txt"), calc::calcsymbols::toUnicode(kProgram).toUtf8()));
        QVERIFY(writeFile(path("smile.txt"), "Disp \"\xF0\x9F\x98\x80\"\n"));
    }
    // The file a conversion writes is its third argument; it fails (exit code
    // 1) exactly when it reports an error.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("stderrText");
        QTest::addColumn<QByteArray>("content"); // what the written file holds then
        namespace calcfile = calc::calcfile;
        const QString game = path("game.tvf");
        const auto row = [](const char *name, const QStringList &arguments, const QString &error,
                            const QByteArray &content) {
            QTest::newRow(name) << arguments << error << content;
        };
        row("8xp, name from the file", {"--export-8xp", game, path("a.8xp")}, {},
            calc::calcfile::build(kProgram, "GAME", false, calc::calcfile::Model::Ti83Plus).file);
        // The file names no product; its version byte (lowercase letters) the TI-83 Plus.
        QByteArray imported = document();
        imported.replace("}}\r\n", "}}{\\*\\torvane model=ti83p product=0}\r\n");
        row("import", {"--import-8xp", path("a.8xp"), path("a.tvf")}, {}, imported);
        row("8xp named, protected",
            {"--export-8xp", game, path("b.8xp"), "--name", "G2", "--protected"}, {},
            calc::calcfile::build(kProgram, "G2", true, calc::calcfile::Model::Ti83Plus).file);
        row("link", {"--export-link", game, path("c.txt"), "--name", "g"}, {},
            compiler::toExportBytes(compiler::exportText(kProgram, "g", false, game)).bytes);
        row("bad name", {"--export-8xp", game, path("d.8xp"), "--name", "9"},
            QString("\"%1\" was not exported. ").arg(game) + calc::calcfile::nameRules("9") + "\n",
            "<missing>");
        row("over the source", {"--export-link", game, game},
            QString("\"%1\" is the file being converted; please choose another file name.\n")
                .arg(game),
            document());
        // Text is read as --run reads it.
        const QString text = path("game.txt");
        row("8xp from text", {"--export-8xp", text, path("e.8xp")}, {},
            calc::calcfile::build(kProgram, "GAME", false, calc::calcfile::Model::Ti83Plus).file);
        row("link from text", {"--export-link", text, path("f.txt"), "--name", "g"}, {},
            compiler::toExportBytes(compiler::exportText(kProgram, "g", false, text)).bytes);
        row("text without a token", {"--export-8xp", path("smile.txt"), path("g.8xp")},
            QString("%1: no calculator command or symbol is written \xF0\x9F\x98\x80\n")
                .arg(path("smile.txt")),
            "<missing>");
        row("one file", {"--import-8xp", game},
            "A conversion needs two file names, IN and OUT; 1 given.\n", {});
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, stderrText);
        const Run r = runProgram(arguments);
        QCOMPARE(r.err, stderrText);
        QCOMPARE(r.exitCode, stderrText.isEmpty() ? 0 : 1);
        if (arguments.size() > 2)
            QTEST(readAll(arguments[2]), "content");
    }

    // A file of several variables: the first program or the one named, a
    // report of what was taken and left; a name not in the file fails.
    void severalPrograms_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("text"); // the document's program
        const QString skipped = "Skipped, not programs: A (real number).\n";
        QTest::newRow("first") << QStringList() << 0
                               << "Imported the program ONE.\nNot imported, other programs of "
                                  "the file: TWO.\n" +
                                      skipped
                               << "Disp 1";
        QTest::newRow("named") << QStringList{"--program", "TWO"} << 0
                               << "Imported the program TWO (archived).\nNot imported, other "
                                  "programs of the file: ONE.\n" +
                                      skipped
                               << "Disp 2";
        QTest::newRow("not in the file")
            << QStringList{"--program", "SIX"} << 1
            << QString("\"%1\" holds no program named SIX; its programs: ONE, TWO.\n")
                   .arg(path("g.8xg"))
            << QString();
    }
    void severalPrograms()
    {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFETCH(QString, text);
        QVERIFY(writeFile(path("g.8xg"), severalVariables()));
        QFile::remove(path("g.tvf"));
        const Run r =
            runProgram(QStringList{"--import-8xp", path("g.8xg"), path("g.tvf")} + options);
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(exitCode == 0 ? r.out : r.err, said);
        // TWO was archived: the document keeps that for an export.
        calc::FileMeta archived;
        if (options.contains("TWO"))
            archived.set("archived", "1");
        QCOMPARE(readAll(path("g.tvf")), text.isEmpty()
                                             ? QByteArray("<missing>")
                                             : calcfiles::calcexport::documentOf(text, archived));
    }

    // Every program file of the peer's test data, through a document saved
    // and read again, exports back to the same program.
    void importThenExportKeepsThePrograms()
    {
        namespace calcfile = calc::calcfile;
        namespace calcexport = calcfiles::calcexport;
        int checked = 0;
        for (const QString &name : QDir(TIVARS_DATA).entryList(QDir::Files)) {
            if (!name.endsWith(".8xp", Qt::CaseInsensitive))
                continue;
            const QString source = QString(TIVARS_DATA "/") + name;
            const calcfile::Contents original = calcfile::readAll(readAll(source));
            QVERIFY2(original.ok(), qPrintable(name + ": " + original.error));
            const calcfile::Program &p = original.programs.first();
            QString error;
            QVERIFY2(calcexport::importCalcFile(source, path("p.tvf"), &error), qPrintable(error));
            QVERIFY2(calcexport::exportCalcFile(path("p.tvf"), path("p.8xp"), p.name, p.isProtected,
                                                &error),
                     qPrintable(error));
            const calcfile::Read back = calcfile::read(readAll(path("p.8xp")));
            QCOMPARE(back.program.name, p.name);
            QCOMPARE(back.program.isProtected, p.isProtected);
            QVERIFY2(back.program.tokens == p.tokens, qPrintable(name));
            ++checked;
        }
        QCOMPARE(checked, 5);
        const Run groupOfLibraries =
            runProgram({"--import-8xp", QString(TIVARS_DATA "/clibs.8xg"), path("l.tvf")});
        QCOMPARE(groupOfLibraries.exitCode, 1);
        QVERIFY2(groupOfLibraries.err.contains("The file holds no program, only: LibLoad "
                                               "(application variable), GRAPHX"),
                 qPrintable(groupOfLibraries.err));
    }
};

TORVANE_TEST(TstConvertCommand);
#include "tst_convertcommand.moc"
