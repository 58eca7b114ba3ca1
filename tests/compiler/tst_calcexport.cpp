// The command line's conversions, run on the program itself without a display.
#include "common/TestRegistry.h"
#include "compiler/CalcExport.h"
#include "compiler/LinkExport.h"
#include "platform/CalcFile.h"
#include "platform/RtfCodec.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace
{

const QString kProgram = QStringLiteral("Disp \"hi\"\r\n1") + QChar(252) + QChar(193);

QByteArray document()
{
    return platform::rtf::writePlain(kProgram, QStringLiteral("Ti83Pluspc"), 17);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TstCalcExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QFile f(path("game.tvf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(document());
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stderrText");
        QTest::addColumn<QString>("output");     // file the command writes
        QTest::addColumn<QByteArray>("content"); // what it holds then
        namespace calcfile = platform::calcfile;
        const QString game = path("game.tvf");
        QTest::newRow("8xp, name from the file")
            << QStringList{"--export-8xp", game, path("a.8xp")} << 0 << QString() << path("a.8xp")
            << calcfile::build(kProgram, "GAME", false, calcfile::Model::Ti83Plus).file;
        QTest::newRow("import") << QStringList{"--import-8xp", path("a.8xp"), path("a.tvf")} << 0
                                << QString() << path("a.tvf") << document();
        QTest::newRow("8xp named, protected")
            << QStringList{"--export-8xp", game, path("b.8xp"), "--name", "G2", "--protected"} << 0
            << QString() << path("b.8xp")
            << calcfile::build(kProgram, "G2", true, calcfile::Model::Ti83Plus).file;
        QTest::newRow("link")
            << QStringList{"--export-link", game, path("c.txt"), "--name", "g"} << 0 << QString()
            << path("c.txt")
            << compiler::toExportBytes(compiler::exportText(kProgram, "g", false, game)).bytes;
        QTest::newRow("bad name") << QStringList{"--export-8xp", game, path("d.8xp"), "--name", "9"}
                                  << 1
                                  << QString("\"%1\" was not exported. ").arg(game) +
                                         calcfile::nameRules("9") + "\n"
                                  << path("d.8xp") << QByteArray("<missing>");
        QTest::newRow("over the source")
            << QStringList{"--export-link", game, game} << 1
            << QStringLiteral("\"%1\" is the file being converted; please choose another file "
                              "name.\n")
                   .arg(game)
            << game << document();
        QTest::newRow("one file") << QStringList{"--import-8xp", game} << 1
                                  << QStringLiteral("A conversion needs two file names, IN and "
                                                    "OUT; 1 given.\n")
                                  << QString() << QByteArray();
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, stderrText);
        QFETCH(QString, output);
        QFETCH(QByteArray, content);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(display));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TORVANE_EXECUTABLE), arguments);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardError()), stderrText);
        QCOMPARE(p.exitCode(), exitCode);
        if (!output.isEmpty())
            QCOMPARE(readAll(output), content);
    }
};

TORVANE_TEST(TstCalcExport);
#include "tst_calcexport.moc"
