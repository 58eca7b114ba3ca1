// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "calc/Checks.h"
#include "calc/Models.h"
#include "calc/Tokens.h"
#include "calc/basic/core/Compiler.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
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
QString listed(const QString &program, const Options &o)
{
    QStringList out;
    for (const Problem &p : check(model(program), o))
        out << QStringLiteral("%1:%2 %3: %4")
                   .arg(p.line)
                   .arg(p.column)
                   .arg(severityName(p.severity), p.message);
    return out.join(QLatin1Char('|'));
}

QString listed(const QString &program, bool ti83 = false, bool hints = false)
{
    Options o;
    o.ti83 = ti83;
    o.hints = hints;
    return listed(program, o);
}

// The model text of a published program file; null for files that are no
// program or that the file reader refuses (a damaged checksum).
QString publishedModel(const QFileInfo &f)
{
    QFile file(f.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray data = file.readAll();
    const QString ext = f.suffix().toLower();
    if (ext == QLatin1String("8xp") || ext == QLatin1String("83p")) {
        const auto im = calc::calcfile::import(data);
        return im.ok() ? im.text : QString();
    }
    // A listing's tab indentation is the listing's: no token spells a tab.
    if (ext == QLatin1String("txt") || ext == QLatin1String("bas"))
        return model(QString::fromUtf8(data).remove(QLatin1Char('\r')).remove(QLatin1Char('\t')));
    return QString();
}

QString unicode(const QString &m)
{
    QString t = calc::calcsymbols::toUnicode(m);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

// What the engine shows after running a program, or how it stopped.
QString outcome(const QByteArray &bytes)
{
    calc::basic::Engine engine;
    engine.setMaxSteps(2000);
    const auto o = engine.run(bytes);
    if (o.error == calc::basic::Error::Steps)
        return QStringLiteral("steps");
    // This engine works out all of Disp's values before showing any, so
    // after an error a merged Disp shows less.
    if (o.error != calc::basic::Error::None)
        return calc::basic::errorName(o.error);
    return engine.screen().text();
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
        const QString again = QStringLiteral(
            " (this matters only when the program runs it again and again: ERR:MEMORY in the end)");
        QTest::newRow("if-then open")
            << "If A\nThen\nDisp 1" << false
            << "1:1 warning: If-Then is never closed: End is missing" + again;
        QTest::newRow("for open") << "Disp 1:For(I,1,2)" << false
                                  << "1:8 warning: For( is never closed: End is missing" + again;
        QTest::newRow("while and repeat open")
            << "While 1\nRepeat 0" << false
            << "1:1 warning: While is never closed: End is missing" + again +
                   "|2:1 warning: Repeat is never closed: End is missing" + again;
        QTest::newRow("else without then")
            << "If A\nElse\nDisp 1" << false
            << "2:1 warning: Else without If-Then: the calculator skips from it to the next End";
        QTest::newRow("second else")
            << "If A\nThen\nDisp 1\nElse\nDisp 2\nElse\nDisp 3\nEnd" << false
            << "6:1 warning: a second Else: the calculator skips from it to End, so what follows "
               "it never runs";
        QTest::newRow("lone then")
            << "Disp 1\nThen\nEnd" << false << "2:1 error: Then without If (ERR:SYNTAX)";
        QTest::newRow("end after goto")
            << "Lbl A\nDisp 1\nGoto A\nEnd" << false
            << "4:1 warning: never reached: End after Goto closes no block";
        QTest::newRow("end after a conditional stop")
            << "If A\nStop\nEnd" << false
            << "3:1 warning: End closes no block: reached only when the Stop above is not taken "
               "(ERR:SYNTAX then)";
        QTest::newRow("end after a label a leaking jump lands on")
            << "Lbl A\nDisp 1\nEnd\nWhile 1\nGoto A\nEnd" << false
            << "3:1 warning: End closes a block only when the program comes here by a jump that "
               "left one open (ERR:SYNTAX otherwise)";
        QTest::newRow("end below a label the program also falls into")
            << "Lbl A\nEnd\nWhile 1\nGoto A\nEnd" << false
            << "2:1 warning: End closes a block only when the program comes here by a jump that "
               "left one open (ERR:SYNTAX otherwise)";
        QTest::newRow("end after an endless while")
            << "While 1\nDisp 1\nEnd\nEnd" << false
            << "4:1 warning: never reached: End after an endless While closes no block";
        QTest::newRow("end after an endless repeat")
            << "Repeat 0\nDisp 1\nEnd\nEnd" << false
            << "4:1 warning: never reached: End after an endless Repeat closes no block";
        QTest::newRow("end after a loop that ends")
            << "Repeat 1\nEnd\nWhile 0\nEnd\nWhile 1ᴇ0\nEnd\nEnd" << false
            << "7:1 error: End without a block to close (ERR:SYNTAX)";
        QTest::newRow("goto to a label whose end is further below")
            << "Stop\nLbl A\nDisp 1\nIf B\nThen\nDisp 2\nEnd\nEnd\nWhile 1\nGoto A\nEnd" << false
            << none;
        QTest::newRow("a stop between the label and the end")
            << "Stop\nLbl A\nStop\nEnd\nWhile 1\nGoto A\nEnd" << false
            << "4:1 warning: never reached: End after Stop closes no block|6:1 warning: jumping "
               "to A leaves While open: the calculator loses memory each time (ERR:MEMORY in the "
               "end)";
        QTest::newRow("end after a program call")
            << "prgmCASINO\nEnd" << false
            << "2:1 warning: End closes no block: reached only when the program called above "
               "returns (ERR:SYNTAX then)";
        QTest::newRow("unknown function in a call")
            << "Output(1,1,getDtStr(3)),2" << false << "1:12 note: uses getDtStr: TI-84 Plus";
        QTest::newRow("lbl end closes what goto leaves")
            << "While 1\nIf K\nGoto A\nEnd\nLbl A\nEnd" << false << none;
        QTest::newRow("lbl end with nothing left open")
            << "Lbl A\nEnd\nGoto A" << false
            << "2:1 error: End without a block to close (ERR:SYNTAX)";
        QTest::newRow("unused label")
            << "Lbl A\nDisp 1" << false << "1:5 note: nothing jumps to label A";
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
        QTest::newRow("too few arguments")
            << "Output(1,2\nLine(1,2,3\nrandInt(1)→A\nText(1,2,3,4" << false
            << "1:1 error: Output( takes 3 arguments, not 2 (ERR:ARGUMENT)|2:1 error: wrong "
               "number of arguments (ERR:ARGUMENT)|3:1 error: wrong number of arguments "
               "(ERR:ARGUMENT)";
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
                                     << "3:1 warning: never reached: nothing jumps here after "
                                        "Stop|5:5 note: nothing jumps to label A";
        QTest::newRow("unreachable after goto")
            << "Lbl A\nDisp 1\nGoto A\nDisp 2" << false
            << "4:1 warning: never reached: nothing jumps here after Goto";
        QTest::newRow("else after stop is reached")
            << "If A\nThen\nStop\nElse\nDisp 2\nEnd" << false << none;
        QTest::newRow("invalid label twice") << "Lbl ABC\nLbl ABC" << false
                                             << "1:5 error: a label name is one or two of A-Z, "
                                                "0-9 and θ|2:5 error: a label name is one or two "
                                                "of A-Z, 0-9 and θ";
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

    // Lines calculators run: at most a warning.
    void noFalseErrors_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("if-then-else at the end") << "If A\nThen\nDisp 1\nElse\nDisp 2";
        QTest::newRow("both branches leave") << "Lbl B\nLbl C\nIf A\nThen\nGoto B\nElse\nGoto C";
        QTest::newRow("end after stop") << "Disp 1\nStop\nEnd";
        QTest::newRow("end after return") << "Return\nEnd\nEnd";
        QTest::newRow("end after menu") << "Menu(\"M\",\"A\",A)\nEnd\nLbl A";
        QTest::newRow("ends after goto") << "Goto A\nEnd\nEnd\nLbl A";
        QTest::newRow("lbl end idiom")
            << "Repeat 0\ngetKey→K\nIf K=45\nGoto Q\nIf K=21\nGoto Q\nEnd\nLbl Q\nEnd";
        QTest::newRow("two blocks, two ends")
            << "For(I,1,9\nWhile 1\nGoto X\nEnd\nEnd\nStop\nLbl X\nEnd\nEnd";
        QTest::newRow("two else") << "If A\nThen\nElse\nElse\nEnd";
        // Nothing names ST: the End below it is never run.
        QTest::newRow("end after a label no jump names") << "Goto Z\nLbl ST\nEnd\nLbl Z";
    }
    void noFalseErrors()
    {
        QFETCH(QString, program);
        const QString found = listed(program);
        QVERIFY2(!found.contains(QStringLiteral(" error: ")), qPrintable(found));
        // The jumps that Lbl X:End closes after are no leak either.
        if (QByteArray(QTest::currentDataTag()).contains("end"))
            QVERIFY2(!found.contains(QStringLiteral("leaves")), qPrintable(found));
    }

    // The colour models' longer commands, counted as the model chosen (or
    // the lowest one the tokens need) counts them.
    void colourModelsArguments_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("expected");
        const QString nine = "Menu(\"M\",\"1\",A,\"2\",A,\"3\",A,\"4\",A,\"5\",A,\"6\",A,\"7\",A,"
                             "\"8\",A,\"9\",A\nLbl A";
        const int ce = int(calc::models::Model::Ti84PlusCE);
        const int mono = int(calc::models::Model::Ti84Plus);
        QTest::newRow("a mark and a colour")
            << "Pt-On(1,1,2,BLACK" << 0 << "1:13 note: uses BLACK: TI-84 Plus C SE";
        QTest::newRow("a colour and a style")
            << "Circle(0,0,1,BLACK,1" << 0 << "1:14 note: uses BLACK: TI-84 Plus C SE";
        QTest::newRow("a line's colour and style") << "Line(0,0,1,1,1,RED,2" << ce << "";
        QTest::newRow("nine menu items") << nine << ce << "";
        QTest::newRow("too many for a colour model")
            << "Circle(0,0,1,BLACK,1,1" << ce
            << "1:1 error: wrong number of arguments (ERR:ARGUMENT)";
        QTest::newRow("nine menu items on a monochrome model")
            << nine << mono << "1:1 error: wrong number of arguments (ERR:ARGUMENT)";
        QTest::newRow("a colour on a monochrome model")
            << "Pt-On(1,1,2,3" << mono << "1:1 error: wrong number of arguments (ERR:ARGUMENT)";
    }
    void colourModelsArguments()
    {
        QFETCH(QString, program);
        QFETCH(int, chosen);
        QFETCH(QString, expected);
        Options o;
        o.model = calc::models::Model(chosen);
        QCOMPARE(listed(program, o), expected);
    }

    // Beginners' slips: errors with the fix that makes them right.
    void slips_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("fixed");
        const QString lower =
            QStringLiteral(" is not a command (lowercase letters are characters of their own): ");
        const QString minus =
            QStringLiteral(" error: a minus sign cannot start a number here: use the negation "
                           "sign ⁻");
        QTest::newRow("disp") << "disp 1"
                              << "1:1 error: disp" + lower + "Disp"
                              << "Disp 1";
        QTest::newRow("commands in any case")
            << "If A:clrhome\nfor(I,1,2\ngetkey→K\nEnd"
            << "1:6 error: clrhome" + lower + "ClrHome|2:1 error: for(" + lower +
                   "For(|3:1 error: getkey" + lower +
                   "getKey|4:1 error: End without a block to close (ERR:SYNTAX)"
            << "If A:ClrHome\nFor(I,1,2\ngetKey→K\nEnd";
        QTest::newRow("words in strings") << "Disp \"disp if\""
                                          << ""
                                          << "";
        QTest::newRow("spellings the tokenizer takes") << "Getkey→K"
                                                       << ""
                                                       << "";
        QTest::newRow("lowercase that is no command") << "ab→B"
                                                      << ""
                                                      << "";
        QTest::newRow("line") << "Line(-8,-8,8,8"
                              << "1:6" + minus + "|1:9" + minus << "Line(⁻8,⁻8,8,8";
        QTest::newRow("after commands and operators")
            << "Disp -1\nIf A=-1\nOutput(1,-A+2,{-1}"
            << "1:6" + minus + "|2:6" + minus + "|3:10" + minus + "|3:16" + minus
            << "Disp ⁻1\nIf A=⁻1\nOutput(1,⁻A+2,{⁻1}";
        const QString fromAns =
            QStringLiteral(" warning: a minus sign at the start of a statement subtracts from "
                           "Ans: use the negation sign ⁻ for a negative number");
        QTest::newRow("a statement starting with minus")
            << "-8→A\nA:-1→B\nDisp A-1,\"-1\""
            << "1:1" + fromAns + "|2:3" + fromAns << "⁻8→A\nA:⁻1→B\nDisp A-1,\"-1\"";
        QTest::newRow("subscripts typed as digits")
            << "\"X²\"→Y1\nDisp Y0,r2,X1T,Y6T\nY1(2)"
            << "1:6 warning: Y1 is Y times 1; did you mean Y₁?|2:6 warning: Y0 is Y times 0; did "
               "you mean Y₀?|2:9 warning: r2 is r times 2; did you mean r₂?|2:12 warning: X1T is "
               "X times 1 times T; did you mean X₁ᴛ?|2:16 warning: Y6T is Y times 6 times T; did "
               "you mean Y₆ᴛ?|3:1 warning: Y1 is Y times 1; did you mean Y₁?"
            << "\"X²\"→Y₁\nDisp Y₀,r₂,X₁ᴛ,Y₆ᴛ\nY₁(2)";
        QTest::newRow("digits that are no subscript") << "X1+Y12→A\nDisp r7,X7T,\"Y1\",L1"
                                                      << ""
                                                      << "";
        const QString open = QStringLiteral(
            " is never closed: End is missing (this matters only when the program runs it "
            "again and again: ERR:MEMORY in the end)");
        const QString blank =
            QStringLiteral(" warning: a blank outside a string is a token of its own on the "
                           "calculator: indentation is not ignored");
        QTest::newRow("end where the indentation ends")
            << "If A\nThen\n Disp 1\n\n Disp 2\nDisp 3"
            << "1:1 warning: If-Then" + open + "|3:1" + blank + "|5:1" + blank
            << "If A\nThen\nDisp 1\n\nDisp 2\nEnd\nDisp 3";
        QTest::newRow("end at the end") << "While 1\nDisp 1"
                                        << "1:1 warning: While" + open << "While 1\nDisp 1\nEnd";
        QTest::newRow("end on the last, empty line")
            << "For(I,1,2\nDisp I\n"
            << "1:1 warning: For(" + open << "For(I,1,2\nDisp I\nEnd";
        QTest::newRow("a label one letter away")
            << "Goto AB\nLbl AC"
            << "1:6 error: no Lbl AB to go to (ERR:LABEL)|2:5 note: nothing jumps to label AC"
            << "Goto AC\nLbl AC";
        QTest::newRow("a label added") << "If A\nGoto B\nDisp 1\nLbl C\nGoto C"
                                       << "2:6 error: no Lbl B to go to (ERR:LABEL)"
                                       << "If A\nGoto B\nDisp 1\nLbl C\nGoto C\nLbl B";
        QTest::newRow("indentation")
            << "If A\nThen\n  Disp 1\nEnd"
            << "3:1 warning: a blank outside a string is a token of its own on the calculator: "
               "indentation is not ignored"
            << "If A\nThen\nDisp 1\nEnd";
    }
    void slips()
    {
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QFETCH(QString, fixed);
        QCOMPARE(listed(program), expected);
        if (fixed.isEmpty())
            return;
        // Every fix at once, from the last to the first.
        QString m = model(program);
        Options noHints;
        noHints.hints = false;
        QVector<Problem> found = check(m, noHints);
        std::sort(found.begin(), found.end(),
                  [](const Problem &a, const Problem &b) { return a.editStart > b.editStart; });
        for (const Problem &p : found) {
            if (hasFix(p))
                m.replace(p.editStart, p.editLength, p.replacement);
        }
        QCOMPARE(unicode(m), fixed);
        QCOMPARE(listed(fixed), QString());
    }

    // Where a typed minus becomes the negation sign in the program pane.
    void negationMeant_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("meant");
        QTest::newRow("line start") << "" << false;
        QTest::newRow("after a colon") << "A:" << false;
        QTest::newRow("after a comma") << "Line(1," << true;
        QTest::newRow("after a function") << "Line(" << true;
        QTest::newRow("after Disp") << "Disp " << true;
        QTest::newRow("after a comparison") << "If A=" << true;
        QTest::newRow("after a letter") << "Disp A" << false;
        QTest::newRow("after a closing parenthesis") << "Disp (A+1)" << false;
        QTest::newRow("in a string") << "Disp \"A," << false;
    }
    void negationMeant()
    {
        QFETCH(QString, before);
        QTEST(calc::checks::negationMeant(model(before)), "meant");
    }

    // runs as the old program did.
    void hints_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected"); // hints, '|'
        QTest::addColumn<QString>("applied");
        QTest::addColumn<int>("saves");
        QTest::newRow("paren at end") << "Disp int(2.5)"
                                      << "1:13 hint: closing parenthesis not needed at the "
                                         "end of a line (saves 1 byte)"
                                      << "Disp int(2.5" << 1;
        QTest::newRow("quote and paren before store")
            << "sub(\"AB\",1,1)→Str1"
            << "1:13 hint: closing parenthesis not needed before → (saves 1 byte)"
            << "sub(\"AB\",1,1→Str1" << 1;
        QTest::newRow("string closer")
            << "Output(1,1,\"HI\")"
            << "1:15 hint: closing quote and parenthesis not needed at the end of a line "
               "(saves 2 bytes)"
            << "Output(1,1,\"HI" << 2;
        QTest::newRow("leading colon") << "Disp 1\n:Disp 2"
                                       << "2:1 hint: a line needs no leading : (saves 1 byte)"
                                       << "Disp 1\nDisp 2" << 1;
        QTest::newRow("leading colons") << "Disp 1\n:::Disp 2"
                                        << "2:1 hint: a line needs no leading : (saves 3 bytes)"
                                        << "Disp 1\nDisp 2" << 3;
        QTest::newRow("colon after if is kept") << "If A\n:Disp 2" << QString() << "" << 0;
        QTest::newRow("colon inside a line is kept") << "Disp 1:Disp 2" << QString() << "" << 0;
        QTest::newRow("if not zero") << "If A+B≠0\nDisp 1"
                                     << "1:7 hint: If needs no ≠0 (saves 2 bytes)"
                                     << "If A+B\nDisp 1" << 2;
        QTest::newRow("not zero inside") << "If (A≠0)B\nDisp 1" << QString() << "" << 0;
        QTest::newRow("point five") << "0.5→A"
                                    << "1:1 hint: the leading 0 of a number can go "
                                       "(saves 1 byte)"
                                    << ".5→A" << 1;
        QTest::newRow("two disp") << "Disp A\nDisp B,C"
                                  << "1:1 hint: two Disp lines are one Disp (saves 1 byte)"
                                  << "Disp A,B,C" << 1;
        QTest::newRow("disp after if stays") << "If 1\nDisp A\nDisp B" << QString() << "" << 0;
        QTest::newRow("times") << "5*A→B"
                               << "1:2 hint: the multiplication sign can go (saves 1 byte)"
                               << "5A→B" << 1;
        QTest::newRow("times after point five")
            << "Disp 0.5*A"
            << "1:6 hint: the leading 0 of a number can go (saves 1 byte)|1:9 hint: the "
               "multiplication sign can go (saves 1 byte)"
            << "Disp .5A" << 2;
        QTest::newRow("for keeps its parenthesis before a lone if")
            << "For(I,1,9)\nIf I=5\nDisp I\nEnd" << QString() << "" << 0;
        QTest::newRow("for keeps its parenthesis before IS>(")
            << "For(I,1,9)\nIS>(A,3)\nDisp I\nEnd"
            << "2:8 hint: closing parenthesis not needed at the end of a line (saves 1 byte)"
            << "For(I,1,9)\nIS>(A,3\nDisp I\nEnd" << 1;
        QTest::newRow("for keeps its parenthesis before DS<(")
            << "9→A\nFor(I,1,3)\nDS<(A,3)\nDisp I\nEnd"
            << "3:8 hint: closing parenthesis not needed at the end of a line (saves 1 byte)"
            << "9→A\nFor(I,1,3)\nDS<(A,3\nDisp I\nEnd" << 1;
        QTest::newRow("for before if-then loses it")
            << "For(I,1,9)\nIf I=5\nThen\nDisp I\nA+1→A\nEnd\nEnd"
            << "1:10 hint: closing parenthesis not needed at the end of a line (saves 1 byte)"
            << "For(I,1,9\nIf I=5\nThen\nDisp I\nA+1→A\nEnd\nEnd" << 1;
        QTest::newRow("for before if-then that becomes a lone if keeps it")
            << "For(I,1,9)\nIf I=5\nThen\nDisp I\nEnd\nEnd"
            << "3:1 hint: Then and End around one statement can go (saves 4 bytes)"
            << "For(I,1,9)\nIf I=5\nDisp I\nEnd" << 4;
        QTest::newRow("square") << "Disp A^2+1"
                                << "1:7 hint: ^2 is ² (saves 1 byte)"
                                << "Disp A²+1" << 1;
        QTest::newRow("power of twenty stays") << "Disp A^23" << QString() << "" << 0;
        QTest::newRow("inverse") << "Disp 1/B"
                                 << "1:6 hint: 1/B is B⁻¹ (saves 1 byte)"
                                 << "Disp B⁻¹" << 1;
        QTest::newRow("inverse after a power stays") << "Disp 2^1/B" << QString() << "" << 0;
        QTest::newRow("exponent") << "50000→A"
                                  << "1:1 hint: a number with an exponent is shorter (saves 2 "
                                     "bytes)"
                                  << "5ᴇ4→A" << 2;
        QTest::newRow("exponent not shorter") << "500→A" << QString() << "" << 0;
        QTest::newRow("not") << "If A=0\nDisp 1"
                             << "1:4 hint: A=0 is not(A (saves 1 byte)"
                             << "If not(A\nDisp 1" << 1;
        QTest::newRow("and of truth values")
            << "If (A=1) and not(B\nDisp 1"
            << "1:9 hint: and of two truth values is their product (saves 1 byte)"
            << "If (A=1)not(B\nDisp 1" << 1;
        QTest::newRow("and of numbers stays") << "If A and B\nDisp 1" << QString() << "" << 0;
        QTest::newRow("plain if") << "Disp 1\nIf A=1\nThen\nDisp 2\nEnd\nDisp 3"
                                  << "3:1 hint: Then and End around one statement can go (saves "
                                     "4 bytes)"
                                  << "Disp 1\nIf A=1\nDisp 2\nDisp 3" << 4;
        QTest::newRow("plain if not first in a for( without its parenthesis")
            << "For(I,1,3\nIf I=2\nThen\nDisp I\nEnd\nEnd" << QString() << "" << 0;
        QTest::newRow("then with two statements stays")
            << "If A=1\nThen\nDisp 2\nDisp 3\nEnd"
            << "3:1 hint: two Disp lines are one Disp (saves 1 byte)"
            << "If A=1\nThen\nDisp 2,3\nEnd" << 1;
        QTest::newRow("delvar chain")
            << "0→A\n0→B\nDisp A+B"
            << "1:1 hint: 0→A is DelVar A, which needs no line break after it (saves 1 byte)|2:1 "
               "hint: 0→B is DelVar B, which needs no line break after it (saves 1 byte)"
            << "DelVar ADelVar BDisp A+B" << 2;
        QTest::newRow("no delvar before a label")
            << "0→A\nLbl A\nDisp A\nGoto A" << QString() << "" << 0;
        QTest::newRow("no delvar where Ans is read") << "0→A\nDisp Ans" << QString() << "" << 0;
        QTest::newRow("no delvar of what IS>( counts")
            << "0→A\nIS>(A,5\nDisp 1" << QString() << "" << 0;
        QTest::newRow("lowercase in a string is only said")
            << "Disp \"Hi"
            << "1:6 hint: lowercase letters take two bytes each: in capitals this text is smaller "
               "(saves 1 byte)"
            << "Disp \"Hi" << 0;
        QTest::newRow("no times removed")
            << "2*3→A\nL₁*(2)→B"
            << "2:6 hint: closing parenthesis not needed before → (saves 1 byte)"
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
        // A mark never spans a line break, even where its fix removes one.
        for (const Problem &p : found)
            QVERIFY2(!m.mid(p.start, p.length).contains(QLatin1Char('\n')), qPrintable(p.message));
        const QString after = applyHints(m, found);
        QCOMPARE(unicode(after), applied);
        const QByteArray a = calc::tokens::tokenize(m).bytes;
        const QByteArray b = calc::tokens::tokenize(after).bytes;
        QCOMPARE(int(a.size() - b.size()), saves);
        QCOMPARE(outcome(b), outcome(a));
    }

    // Listings the fuzzer found faults with: on every model, with hints, each
    // mark stays on its line, and a fix once made is not offered again.
    void fuzzFindings_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("delvar mark over the break") << "0→A\nIf A\nDisp 1";
        QTest::newRow("two disp mark over the break") << "Disp 1\nDisp 2";
        // The fix of a statement that does not compile would be offered forever.
        QTest::newRow("signs of a broken product") << "15***→B\nDisp B";
        // The bytecode walk read fnInt('s operands as instructions.
        QTest::newRow("fnInt operands") << "2→A\nfnInt(AX,X,0,A\nfnInt(AX,X,0,1)1)";
        QTest::newRow("colour operands") << "TextColor(BLUE\nTextColor(RED)\nDisp 2";
        QTest::newRow("lone carriage return") << "Disp X\r:A+1";
        // Taking one of many leading colons left the next to start the line.
        QTest::newRow("leading colons in a block") << "If A\nThen\nGoto B\n:::::Disp 1\nEnd";
    }
    void fuzzFindings()
    {
        QFETCH(QString, program);
        const QString m = model(program);
        for (calc::models::Model chosen : calc::models::all()) {
            Options o;
            o.model = chosen;
            o.hints = true;
            for (const Problem &p : check(m, o)) {
                const QString marked = m.mid(p.start, p.length);
                QVERIFY2(!marked.contains(QLatin1Char('\n')) && !marked.contains(QLatin1Char('\r')),
                         qPrintable(p.message));
                if (!hasFix(p))
                    continue;
                const QString fixed = QString(m).replace(p.editStart, p.editLength, p.replacement);
                QVERIFY(calc::tokens::tokenize(fixed).ok());
                for (const Problem &again : check(fixed, o))
                    QVERIFY2(again.message != p.message || again.editStart != p.editStart,
                             qPrintable(p.message));
            }
        }
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

    // Programs that run on calculators: no error in any, but for true errors
    // on lines the programs never reach.
    void publishedPrograms()
    {
        const QDir dir(QStringLiteral(TORVANE_SOURCE_DIR "/tests/data/published"));
        if (!dir.exists())
            QSKIP("the published programs are not here");
        // FILE:LINE: message. True errors (ERR:LABEL, ERR:SYNTAX when reached).
        const QSet<QString> reachedNever = {
            "CODEBUST.8xp:3: no Lbl 6 to go to (ERR:LABEL)",
            "SEVSTONE.8XP:155: no Lbl O3 to go to (ERR:LABEL)",
            "SEVSTONE.8XP:162: no Lbl O4 to go to (ERR:LABEL)",
            "MATH.8XP:143: no Lbl 10 to go to (ERR:LABEL)",
        };
        // Notes kept as a program ("------" lines), and an emulator's listing
        // with indentation and three-letter labels: not calculator programs.
        const QStringList notPrograms = {"Experimental Design Rubric.8xp", "Slots.txt"};
        int count = 0;
        QStringList errors;
        QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo f(it.next());
            const QString m = publishedModel(f);
            if (m.isNull() || notPrograms.contains(f.fileName()))
                continue;
            ++count;
            for (const Problem &p : check(m)) {
                const QString line =
                    QStringLiteral("%1:%2: %3").arg(f.fileName()).arg(p.line).arg(p.message);
                if (p.severity == Severity::Error && !reachedNever.contains(line))
                    errors << line;
            }
        }
        QVERIFY(count > 50);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    }

    // Random programs run the same before and after every hint is applied,
    // round after round, and never grow.
    void hintsKeepWhatRuns()
    {
        static const char *const lines[] = {"Disp A",
                                            "If A≠0",
                                            ":Disp 0.5",
                                            "A+1→A",
                                            "If A",
                                            "Then",
                                            "Else",
                                            "End",
                                            "Output(1,1,\"HI\")",
                                            "For(I,1,3)",
                                            "Lbl A",
                                            "Goto A",
                                            "Disp int(2.5)",
                                            "{1,2}→L₁",
                                            "Disp L₁(1)",
                                            "While A<3",
                                            "Stop",
                                            ":A-1→A",
                                            "Disp \"X\",A",
                                            "Disp (A+1)*2",
                                            "If A=2≠0",
                                            "Repeat A>2",
                                            "Disp 2*0.5",
                                            "Disp A^2",
                                            "Disp 1/A",
                                            "If A=0",
                                            "20000→A",
                                            "Disp 3*A",
                                            "While A=0",
                                            "If (A=2) and (A<3)",
                                            "If not(A) and (A≠1)",
                                            "If A=1\nThen\nA+1→A\nEnd",
                                            "If A\nThen\nGoto A\nEnd",
                                            "0→A",
                                            "0→B\nDisp B"};
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
            QVERIFY2(outcome(original) == outcome(optimized),
                     qPrintable(program.join(QLatin1String(" / ")) + QLatin1String(" -> ") +
                                unicode(m)));
        }
        QVERIFY(shrunk > 200);
    }
};

TORVANE_TEST(TstChecks);
#include "tst_checks.moc"
