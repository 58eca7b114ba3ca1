// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalculatorSymbols.h"
#include "calc/Checks.h"
#include "calc/Tokens.h"
#include "calc/run/Compiler.h"
#include "calc/run/Engine.h"
#include "common/TestRegistry.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace calc::checks;

namespace
{

QString model(const QString &program)
{
    QString text = program;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return calc::calcsymbols::fromUnicode(text).text;
}

// "line:column severity: message" of each problem, joined by '|'.
QString listed(const QString &program, bool ti83 = false, bool hints = false)
{
    Options o;
    o.ti83 = ti83;
    o.hints = hints;
    QStringList out;
    for (const Problem &p : check(model(program), o))
        out << QStringLiteral("%1:%2 %3: %4")
                   .arg(p.line)
                   .arg(p.column)
                   .arg(severityName(p.severity), p.message);
    return out.join(QLatin1Char('|'));
}

QString unicode(const QString &m)
{
    QString t = calc::calcsymbols::toUnicode(m);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

class TstChecks : public QObject
{
    Q_OBJECT

private slots:
    void problems_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("ti83");
        QTest::addColumn<QString>("expected");
        const QString none;
        QTest::newRow("end without block")
            << "Disp 1\nEnd" << false << "2:1 error: End without a block to close (ERR:SYNTAX)";
        QTest::newRow("closed blocks")
            << "If A\nThen\nDisp 1\nElse\nDisp 2\nEnd\nFor(I,1,2\nWhile 0\nEnd\nRepeat 1\nEnd\nEnd"
            << false << none;
        QTest::newRow("if-then open") << "If A\nThen\nDisp 1" << false
                                      << "1:1 error: If-Then is never closed: End is missing";
        QTest::newRow("for open") << "Disp 1:For(I,1,2)" << false
                                  << "1:8 error: For( is never closed: End is missing";
        QTest::newRow("while and repeat open")
            << "While 1\nRepeat 0" << false
            << "1:1 error: While is never closed: End is missing|2:1 error: Repeat is never "
               "closed: End is missing";
        QTest::newRow("else without then")
            << "If A\nElse\nDisp 1" << false << "2:1 error: Else without If-Then (ERR:SYNTAX)";
        QTest::newRow("missing label")
            << "Lbl A\nIf A:Goto A\nGoto B" << false << "3:6 error: no Lbl B to go to (ERR:LABEL)";
        QTest::newRow("menu missing label") << "Menu(\"M\",\"X\",A,\"Y\",B2)\nLbl A" << false
                                            << "1:20 error: no Lbl B2 to go to (ERR:LABEL)";
        QTest::newRow("labels with digits and theta")
            << "Lbl 10\nLbl θ\nIf A:Goto 10\nGoto θ" << false << none;
        QTest::newRow("invalid label") << "Lbl ABC\nLbl " << false
                                       << "1:5 error: a label name is one or two of A-Z, 0-9 and "
                                          "θ|2:1 error: a label name is one or two of A-Z, 0-9 and "
                                          "θ";
        QTest::newRow("no token") << QStringLiteral("Disp 1\nDisp \u2206") << false
                                  << "2:6 error: no calculator token is written \"\u2206\"";
        QTest::newRow("ti83 lacks")
            << "Disp 1\nArchive A" << true << "2:1 error: Archive is not on the TI-83";
        QTest::newRow("ti83 plus has") << "Disp 1\nArchive A" << false << none;
        QTest::newRow("argument count") << "Disp 1\nDisp gcd(4)\nDisp gcd(4,6)" << false
                                        << "2:1 error: wrong number of arguments (ERR:ARGUMENT)";
        QTest::newRow("label twice") << "Lbl A\nLbl A\nGoto A" << false
                                     << "2:5 warning: label A is defined again; Goto goes to the "
                                        "first";
        QTest::newRow("goto out of a loop")
            << "Lbl A\nWhile 1\nGoto A\nEnd" << false
            << "3:1 warning: jumping to A leaves While open: the calculator loses memory each time "
               "(ERR:MEMORY in the end)";
        QTest::newRow("goto inside a loop")
            << "While 1\nLbl A\nGoto A\nEnd\nIf 1:Goto B\nLbl B" << false << none;
        QTest::newRow("unreachable") << "Disp 1\nStop\nDisp 2\nDisp 3\nLbl A\nDisp 4" << false
                                     << "3:1 warning: never reached: nothing jumps here after Stop";
        QTest::newRow("stop guarded by IS>") << "IS>(A,5)\nStop\nDisp 2" << false << none;
        QTest::newRow("goto guarded by DS<") << "DS<(A,5)\nGoto B\nDisp 2\nLbl B" << false << none;
        QTest::newRow("goto back out of a repeat")
            << "Lbl A\nRepeat 0\nGoto A\nEnd" << false
            << "3:1 warning: jumping to A leaves Repeat open: the calculator loses memory each "
               "time (ERR:MEMORY in the end)";
        QTest::newRow("goto on out of a repeat")
            << "Repeat 0\nIf 1:Goto B\nEnd\nLbl B" << false
            << "2:6 warning: jumping to B leaves Repeat open: the calculator loses memory each "
               "time (ERR:MEMORY in the end)";
        QTest::newRow("conditional stop")
            << "If A\nStop\nDisp 2\nWhile 1\nReturn\nEnd\nDisp 3" << false << none;
    }
    void problems()
    {
        QFETCH(QString, program);
        QFETCH(bool, ti83);
        QFETCH(QString, expected);
        QCOMPARE(listed(program, ti83), expected);
    }

    // Each hint's edit tokenizes to the old tokens minus what it removes and
    // runs as the old program did.
    void hints_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected"); // hints, '|'
        QTest::addColumn<QString>("applied");
        QTest::addColumn<int>("saves");
        QTest::newRow("paren at end") << "Disp int(2.5)"
                                      << "1:13 hint: closing not needed at the "
                                         "end of a line (saves 1 byte)"
                                      << "Disp int(2.5" << 1;
        QTest::newRow("quote and paren before store")
            << "sub(\"AB\",1,1)→Str1"
            << "1:13 hint: closing not needed before → (saves 1 byte)"
            << "sub(\"AB\",1,1→Str1" << 1;
        QTest::newRow("string closer") << "Output(1,1,\"HI\")"
                                       << "1:15 hint: closing not needed at the end of a line "
                                          "(saves 2 bytes)"
                                       << "Output(1,1,\"HI" << 2;
        QTest::newRow("leading colon") << "Disp 1\n:Disp 2"
                                       << "2:1 hint: a line needs no leading : (saves 1 byte)"
                                       << "Disp 1\nDisp 2" << 1;
        QTest::newRow("colon after if is kept") << "If A\n:Disp 2" << QString() << "" << 0;
        QTest::newRow("if not zero") << "If A+B≠0\nDisp 1"
                                     << "1:7 hint: If needs no ≠0 (saves 2 bytes)"
                                     << "If A+B\nDisp 1" << 2;
        QTest::newRow("not zero inside") << "If (A≠0)B\nDisp 1" << QString() << "" << 0;
        QTest::newRow("point five") << "0.5→A"
                                    << "1:1 hint: the leading 0 of a number can go "
                                       "(saves 1 byte)"
                                    << ".5→A" << 1;
        QTest::newRow("two disp") << "Disp A\nDisp B,C"
                                  << "1:7 hint: two Disp lines are one Disp (saves 1 byte)"
                                  << "Disp A,B,C" << 1;
        QTest::newRow("disp after if stays") << "If 1\nDisp A\nDisp B" << QString() << "" << 0;
        QTest::newRow("no times removed") << "2*3→A\nL₁*(2)→B"
                                          << "2:6 hint: closing not needed before → (saves 1 byte)"
                                          << "2*3→A\nL₁*(2→B" << 1;
    }
    void hints()
    {
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QFETCH(QString, applied);
        QFETCH(int, saves);
        QCOMPARE(listed(program, false, true), expected);
        if (expected.isEmpty())
            return;
        const QString m = model(program);
        const QVector<Problem> found = check(m);
        const QString after = applyHints(m, found);
        QCOMPARE(unicode(after), applied);
        const QByteArray a = calc::tokens::tokenize(m).bytes;
        const QByteArray b = calc::tokens::tokenize(after).bytes;
        QCOMPARE(int(a.size() - b.size()), saves);
    }

    // The help page's wrong examples show their problem; its right ones
    // raise no alarm.
    void helpExamples()
    {
        QFile page(QStringLiteral(TORVANE_SOURCE_DIR "/resources/help/checks.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        static const QRegularExpression pre(
            QStringLiteral("<pre class=\"(wrong|right)\">(.*?)</pre>"),
            QRegularExpression::DotMatchesEverythingOption);
        int count = 0;
        for (auto it = pre.globalMatch(html); it.hasNext(); ++count) {
            const auto m = it.next();
            const QString program = m.captured(2);
            const QString found = listed(program, m.captured(2).startsWith("Archive"));
            const bool alarm = found.contains(QStringLiteral(" error: ")) ||
                               found.contains(QStringLiteral(" warning: "));
            QVERIFY2(alarm == (m.captured(1) == QLatin1String("wrong")),
                     qPrintable(program + QLatin1String(" -> ") + found));
        }
        QVERIFY(count > 20);
    }

    // Random programs run the same before and after every hint is applied,
    // round after round, and never grow.
    void hintsKeepWhatRuns()
    {
        static const char *const lines[] = {"Disp A",        "If A≠0",       ":Disp 0.5",
                                            "A+1→A",         "If A",         "Then",
                                            "Else",          "End",          "Output(1,1,\"HI\")",
                                            "For(I,1,3)",    "Lbl A",        "Goto A",
                                            "Disp int(2.5)", "{1,2}→L₁",     "Disp L₁(1)",
                                            "While A<3",     "Stop",         ":A-1→A",
                                            "Disp \"X\",A",  "Disp (A+1)*2", "If A=2≠0",
                                            "Repeat A>2",    "Disp 2*0.5"};
        QRandomGenerator random(26);
        int shrunk = 0;
        for (int round = 0; round < 300; ++round) {
            QStringList program;
            const int count = 2 + int(random.bounded(10));
            for (int i = 0; i < count; ++i)
                program << QString::fromUtf8(lines[random.bounded(int(std::size(lines)))]);
            QString m = model(program.join(QLatin1Char('\n')));
            const QByteArray original = calc::tokens::tokenize(m).bytes;
            for (int step = 0; step < 20; ++step) {
                const QString next = applyHints(m, check(m));
                if (next == m)
                    break;
                m = next;
            }
            const QByteArray optimized = calc::tokens::tokenize(m).bytes;
            QVERIFY(optimized.size() <= original.size());
            shrunk += optimized.size() < original.size();
            auto outcome = [](const QByteArray &bytes) {
                calc::run::Engine engine;
                engine.setMaxSteps(2000);
                const auto o = engine.run(bytes);
                if (o.error == calc::run::Error::Steps)
                    return QStringLiteral("steps");
                // This engine works out all of Disp's values before showing
                // any, so after an error a merged Disp shows less.
                if (o.error != calc::run::Error::None)
                    return calc::run::errorName(o.error);
                return engine.screen().text();
            };
            QVERIFY2(outcome(original) == outcome(optimized),
                     qPrintable(program.join(QLatin1String(" / ")) + QLatin1String(" -> ") +
                                unicode(m)));
        }
        QVERIFY(shrunk > 200);
    }
};

TORVANE_TEST(TstChecks);
#include "tst_checks.moc"
