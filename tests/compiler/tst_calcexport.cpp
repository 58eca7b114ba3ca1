// The command line's conversions, run on the program itself without a display.
#include "calc/CalcFile.h"
#include "common/Files.h"
#include "common/TestRegistry.h"
#include "compiler/CalcExport.h"
#include "compiler/LinkExport.h"
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

} // namespace

using testing::readAll;

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
        row("import", {"--import-8xp", path("a.8xp"), path("a.tvf")}, {}, document());
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
        row("one file", {"--import-8xp", game},
            "A conversion needs two file names, IN and OUT; 1 given.\n", {});
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, stderrText);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(display));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TORVANE_EXECUTABLE), arguments);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardError()), stderrText);
        QCOMPARE(p.exitCode(), stderrText.isEmpty() ? 0 : 1);
        if (arguments.size() > 2)
            QTEST(readAll(arguments[2]), "content");
    }
};

TORVANE_TEST(TstCalcExport);
#include "tst_calcexport.moc"
