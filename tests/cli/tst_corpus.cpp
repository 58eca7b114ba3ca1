// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The published programs of tests/data/published run as `--run` runs them,
// with answers to their questions and keys for their loops: none may stop
// on a command the engine does not carry out (but those refused on purpose
// and the next issue's), nor with an error a calculator would not give.
#include "cli/RunCommand.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QDirIterator>
#include <QHash>
#include <QTest>

namespace
{

const QString kCorpus = QStringLiteral(TORVANE_SOURCE_DIR "/tests/data/published");

// Files that are no program to run, and why.
const QHash<QString, QString> kNotPrograms = {
    // The header's length disagrees with the data: a line-ending conversion
    // damaged them when they were committed.
    {QStringLiteral("artnc-ti-basic/BINTREE2.8xp"), QStringLiteral("damaged")},
    {QStringLiteral("artnc-ti-basic/BINTREE3.8xp"), QStringLiteral("damaged")},
    {QStringLiteral("artnc-ti-basic/BSCHOLES.8xp"), QStringLiteral("damaged")},
    {QStringLiteral("artnc-ti-basic/BLKJACK.8xp"), QStringLiteral("damaged")},
};

// Refused on purpose (machine code, the link port) and the next issue's
// commands (graphing, statistics, matrices' algebra, complex numbers).
const QStringList kMayRefuse = {
    QStringLiteral("Asm("),  QStringLiteral("AsmPrgm"), QStringLiteral("AsmComp("),
    QStringLiteral("Send("), QStringLiteral("Get("),    QStringLiteral("GetCalc("),
};

// What the message names, "" for none: "Y₁ is not run by this engine".
QString refusedCommand(const QString &error)
{
    const int at = error.indexOf(QStringLiteral(" is not run by this engine"));
    return at < 0 ? QString() : error.left(at);
}

} // namespace

class TstCorpus : public QObject
{
    Q_OBJECT

private slots:
    void everyProgramRuns()
    {
        QStringList wrong;
        int ran = 0;
        QDirIterator it(kCorpus, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString rel = QDir(kCorpus).relativeFilePath(path);
            const QString ext = QFileInfo(path).suffix().toLower();
            if (!QStringList{"8xp", "83p", "txt", "bas"}.contains(ext) ||
                kNotPrograms.contains(rel))
                continue;
            cli::Options o;
            o.file = path;
            o.maxSteps = 200000;
            for (int i = 0; i < 40; ++i)
                o.inputs << QStringLiteral("2");
            for (int i = 0; i < 30; ++i)
                o.keys << 105 << 26 << 34 << 105 << 24 << 25 << 21 << 45;
            const cli::Result r = cli::runFile(o);
            ++ran;
            const QString command = refusedCommand(r.error);
            const QString first = r.error.section(QLatin1Char('\n'), 0, 0);
            // ERR:BREAK: the scripted answers ran out, which is the harness.
            if (first == QStringLiteral("ERR:BREAK"))
                continue;
            if (r.exitCode == cli::Unreadable)
                wrong << rel + QStringLiteral(": unreadable: ") + first;
            else if (!command.isEmpty() && !kMayRefuse.contains(command) &&
                     !nextIssue().contains(command))
                wrong << rel + QStringLiteral(": ") + first;
            else if (r.exitCode == cli::ProgramError && command.isEmpty() &&
                     !rightErrors().contains(rel + QStringLiteral(": ") + first))
                wrong << rel + QStringLiteral(": ") + r.error.simplified();
        }
        QVERIFY(ran >= 50);
        for (const QString &w : wrong)
            qInfo("%s", qPrintable(w));
        QVERIFY(wrong.isEmpty());
    }

private:
    static QStringList nextIssue();
    static QStringList rightErrors();
};

// Graphing, statistics, matrices' algebra, complex numbers: the next issue.
QStringList TstCorpus::nextIssue()
{
    return {
        QStringLiteral("Y₁"),          QStringLiteral("Y₂"),
        QStringLiteral("DrawF"),       QStringLiteral("Shade("),
        QStringLiteral("det("),        QStringLiteral("rref("),
        QStringLiteral("[i]"),         QStringLiteral("LinReg(ax+b)"),
        QStringLiteral("Equ►String("), QStringLiteral("String►Equ("),
        QStringLiteral("nDeriv("),     QStringLiteral("Plot1("),
        QStringLiteral("Plot2("),      QStringLiteral("Trace"),
        QStringLiteral("ZoomFit"),     QStringLiteral("getDtStr"),
        QStringLiteral("getTmStr("),
    };
}

// Errors the calculator gives too: the program needs a variable another
// program or run makes, or the scripted answers lead it there.
QStringList TstCorpus::rightErrors()
{
    return {
        // Pictures, graph databases and archived lists that the game ships
        // with or a save of an earlier run makes: UnArchive of a missing
        // list and RecallPic or RecallGDB of a missing one are ERR:UNDEFINED.
        QStringLiteral("davidtorosyan-ti84-entertainment/COIN.8xp: ERR:UNDEFINED"),
        QStringLiteral("ericsubach-ticalc-games/SIMON.8xp: ERR:UNDEFINED"),
        QStringLiteral("featherless-ti83plus-site/NOTEPAD.8XP: ERR:UNDEFINED"),
        QStringLiteral("featherless-ti83plus-site/POKER.8XP: ERR:UNDEFINED"),
        QStringLiteral("featherless-ti83plus-site/SIMCITY.8XP: ERR:UNDEFINED"),
        // Y₁ is the function the user defines before running it.
        QStringLiteral("davidtorosyan-ti84-entertainment/NDERIV.8xp: ERR:INVALID"),
        QStringLiteral("davidtorosyan-ti84-entertainment/TAYLOR.8xp: ERR:INVALID"),
        // Every X answered 2: the differences between the points are 0.
        QStringLiteral("anhadsawhney-tibasicmath/LAGRANGE.8xp: ERR:DIVIDE BY 0"),
        // The same point typed twice: a run of 0.
        QStringLiteral("featherless-ti83plus-site/SLOPE.8XP: ERR:DIVIDE BY 0"),
        // Lists and strings a run of another program makes first.
        QStringLiteral("featherless-ti83plus-site/GRADE.8XP: ERR:UNDEFINED"),
        QStringLiteral("featherless-ti83plus-site/RFRPG.8XP: ERR:UNDEFINED"),
        QStringLiteral("featherless-ti83plus-site/HITSHOT.8XP: ERR:UNDEFINED"),
        QStringLiteral("anhadsawhney-tibasicmath/SIMPLIFY.8xp: ERR:UNDEFINED"),
        // Data the program expects typed into L₁ or L₆ beforehand.
        QStringLiteral("featherless-ti83plus-site/STEMLEAF.8XP: ERR:INVALID DIM"),
        QStringLiteral("baranusluel-ti-programs/SCHEDULE.8xp: ERR:INVALID DIM"),
        // Led there by the scripted answers: 2 into a list, sin⁻¹ above 1,
        // the square root of a negative discriminant.
        QStringLiteral("ilipily-discriminantti/Discri.BAS: ERR:NONREAL ANS"),
        QStringLiteral("davidtorosyan-ti84-entertainment/VECTORS2.8xp: ERR:DATA TYPE"),
        QStringLiteral("stardustgogeta-ti-basic/ARMY.8XP.txt: ERR:DOMAIN"),
        // pxl-Test( walks off the screen: the program has no end.
        QStringLiteral("featherless-ti83plus-site/DRAWO.8XP: ERR:DOMAIN"),
        // Notes, not a program: a line of "======".
        QStringLiteral("gideontong-ti-basic/Experimental Design Rubric.8xp: ERR:SYNTAX"),
        // Spaces outside strings: after a closing quote, around "<".
        QStringLiteral("thatrobotdev-ti-83-basic-programs/QUADFORM.8xp: ERR:SYNTAX"),
        QStringLiteral("parkjoon-ti-basic-demos/NUMTOSTR.8xp.txt: ERR:SYNTAX"),
        QStringLiteral("parkjoon-ti-basic-demos/MYPERFSQ.8xp.txt: ERR:SYNTAX"),
    };
}

TORVANE_TEST(TstCorpus);
#include "tst_corpus.moc"
