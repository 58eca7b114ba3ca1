// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"
#include "common/TokenBytes.h"

#include <QTest>

using namespace calc::basic;

namespace
{

QByteArray bytes(const QString &program)
{
    return testing::programBytes(program);
}

// Runs a program; gives Ans as the screen shows it, or the error and line.
QString result(Engine &engine, const QString &program)
{
    const Outcome o = engine.run(bytes(program));
    if (o.error != Error::None)
        return errorName(o.error) + QStringLiteral(" line ") + QString::number(o.line);
    return displayText(engine.ans());
}

// The rows of the home screen that hold text, joined by '|'.
QString screen(Engine &engine)
{
    QStringList rows;
    for (int r = 0; r < HomeScreen::kRows; ++r)
        rows << engine.screen().row(r);
    while (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
    return rows.join(QLatin1Char('|'));
}

} // namespace

class TstEngine : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        // Normal Float display: ten figures, no leading zero, ᴇ outside
        // .001 <= |x| < 1ᴇ10, the negation sign.
        QTest::newRow("third") << "1/3"
                               << ".3333333333";
        QTest::newRow("two thirds") << "2/3"
                                    << ".6666666667";
        QTest::newRow("exact tenths") << "0.1+0.2=.3"
                                      << "1";
        QTest::newRow("sum shown") << "0.1+0.2"
                                   << ".3";
        QTest::newRow("below 1E10") << "9999999999"
                                    << "9999999999";
        QTest::newRow("1E10") << "1ᴇ10"
                              << "1ᴇ10";
        QTest::newRow("rounds up to 1E10") << "9999999999.6"
                                           << "1ᴇ10";
        QTest::newRow("eleven figures") << "12345678901"
                                        << "1.23456789ᴇ10";
        QTest::newRow("thousandth") << ".001"
                                    << ".001";
        QTest::newRow("below a thousandth") << ".0009"
                                            << "9ᴇ⁻4";
        QTest::newRow("ten places") << "1/700"
                                    << ".0014285714";
        QTest::newRow("negative") << "⁻5/2"
                                  << "⁻2.5";
        QTest::newRow("negative exponent") << "⁻1/30000"
                                           << "⁻3.333333333ᴇ⁻5";
        QTest::newRow("big") << "2^100"
                             << "1.2676506ᴇ30";
        QTest::newRow("fPart large") << "fPart(123456789012.5)"
                                     << ".5";
        QTest::newRow("fPart 14 figures") << "fPart(1234567890.1234)"
                                          << ".1234";
        QTest::newRow("int negative") << "int(⁻2.5)"
                                      << "⁻3";
        QTest::newRow("iPart negative") << "iPart(⁻2.5)"
                                        << "⁻2";
        QTest::newRow("pi") << "π"
                            << "3.141592654";
        QTest::newRow("sqrt") << "√(2)"
                              << "1.414213562";
        QTest::newRow("e") << "e^(1)"
                           << "2.718281828";
        QTest::newRow("log") << "log(1000)"
                             << "3";
        QTest::newRow("round wiki 1") << "round(5.45,0)"
                                      << "5";
        QTest::newRow("round wiki 2") << "round(⁻5.65,0)"
                                      << "⁻6";
        QTest::newRow("round pi") << "round(π)-π"
                                  << "4.102ᴇ⁻10";
        QTest::newRow("negation below power") << "⁻2²"
                                              << "⁻4";
        QTest::newRow("power left to right") << "2^3^2"
                                             << "64";
        QTest::newRow("implicit") << "2→A:3A+A(A+1)"
                                  << "12";
        QTest::newRow("two letters") << "2→A:5→B:AB"
                                     << "10";
        QTest::newRow("open parens") << "2(3+4"
                                     << "14";
        QTest::newRow("and or") << "1 and 0 or 1"
                                << "1";
        QTest::newRow("not") << "not(0)+not(5)"
                             << "1";
        QTest::newRow("nCr") << "5 nCr 2"
                             << "10";
        QTest::newRow("factorial") << "5!"
                                   << "120";
        QTest::newRow("degree sin") << "Degree:sin(30)"
                                    << ".5";
        QTest::newRow("radian cos") << "Radian:cos(0)"
                                    << "1";
        QTest::newRow("inverse") << "4⁻¹"
                                 << ".25";
        QTest::newRow("list math") << "{1,2,3}*2+{1,1,1}"
                                   << "{3 5 7}";
        QTest::newRow("list store element") << "{1,2}→L₁:5→L₁(3):L₁"
                                            << "{1 2 5}";
        QTest::newRow("dim store") << "3→dim(L₂):L₂"
                                   << "{0 0 0}";
        QTest::newRow("sum") << "sum({1,2,3,4})"
                             << "10";
        QTest::newRow("seq") << "seq(X²,X,1,5)"
                             << "{1 4 9 16 25}";
        QTest::newRow("seq keeps var") << "7→X:seq(X,X,1,3):X"
                                       << "7";
        QTest::newRow("augment") << "augment({1,2},{3})"
                                 << "{1 2 3}";
        QTest::newRow("min max") << "min({5,2,8})+max(3,4)"
                                 << "6";
        // Rounding that carries into a fifteenth digit, and whole numbers
        // far above eight digits.
        QTest::newRow("carry into 1ᴇ14") << "99999999999999+.6=1ᴇ14"
                                         << "1";
        QTest::newRow("≤ of equals, xor") << "(2≤2)+2(1 xor 0)+4(1 xor 1)"
                                          << "3";
        QTest::newRow("gcd( of twelve digits") << "gcd(123456789012,8)"
                                               << "4";
        QTest::newRow("named list") << "{4,5}→ʟAB:ʟAB(2)"
                                    << "5";
        // After → a list's ʟ may be left out, even before a single letter.
        QTest::newRow("named list without ʟ") << "{4,5}→AB1:ʟAB1(2)"
                                              << "5";
        QTest::newRow("list into a letter") << "3→X:{6,7}→X:ʟX(1)+X"
                                            << "9";
        QTest::newRow("real into a list name") << "5→AB"
                                               << "ERR:DATA TYPE line 1";
        QTest::newRow("string join") << "\"AB\"+\"CD\"→Str1:Str1"
                                     << "ABCD";
        QTest::newRow("length") << "length(\"HELLO\")"
                                << "5";
        QTest::newRow("sub") << "sub(\"HELLO\",2,3)"
                             << "ELL";
        QTest::newRow("inString") << "inString(\"HELLO\",\"L\",4)"
                                  << "4";
        QTest::newRow("expr") << "expr(\"2+3*4\")"
                              << "14";
        QTest::newRow("string equal") << "\"AB\"=\"AB\""
                                      << "1";
        QTest::newRow("matrix") << "[[1,2][3,4]]→[A]:[A](2,1)"
                                << "3";
    }
    void numbers()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(result(engine, program), "shown");
    }

    // Arithmetic rounds once to 14 figures, half away from zero.
    void arithmetic_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("full"); // every figure kept; empty for overflow
        QTest::newRow("third") << "1"
                               << "/"
                               << "3"
                               << "3.3333333333333ᴇ⁻1";
        QTest::newRow("two thirds up") << "2"
                                       << "/"
                                       << "3"
                                       << "6.6666666666667ᴇ⁻1";
        QTest::newRow("carry to 1E14") << "99999999999999"
                                       << "+"
                                       << "1"
                                       << "1ᴇ14";
        QTest::newRow("half up") << "12345678901234"
                                 << "+"
                                 << ".5"
                                 << "1.2345678901235ᴇ13";
        QTest::newRow("half away below zero") << "-12345678901234"
                                              << "-"
                                              << ".5"
                                              << "⁻1.2345678901235ᴇ13";
        QTest::newRow("tiny lost") << "1E20"
                                   << "+"
                                   << "1"
                                   << "1ᴇ20";
        QTest::newRow("cancel exactly") << "1.0000000000001"
                                        << "-"
                                        << "1"
                                        << "1ᴇ⁻13";
        QTest::newRow("product rounds") << "11111111111111"
                                        << "*"
                                        << "9"
                                        << "9.9999999999999ᴇ13";
        QTest::newRow("overflow") << "1E99"
                                  << "*"
                                  << "10"
                                  << "";
        QTest::newRow("underflow") << "1E-99"
                                   << "/"
                                   << "10"
                                   << "0";
        QTest::newRow("division exact") << "1"
                                        << "/"
                                        << "8"
                                        << "1.25ᴇ⁻1";
    }
    void arithmetic()
    {
        QFETCH(QString, a);
        QFETCH(QString, op);
        QFETCH(QString, b);
        const auto parse = [](QString t) {
            const bool neg = t.startsWith('-');
            if (neg)
                t.remove(0, 1);
            int exp = 0;
            if (t.contains('E')) {
                exp = t.section('E', 1).toInt();
                t = t.section('E', 0, 0);
            }
            const int point = t.contains('.') ? int(t.indexOf('.')) : int(t.size());
            Number n;
            Number::fromDigits(t.remove('.').toLatin1(), point, exp, &n);
            return neg ? n.negated() : n;
        };
        Number r;
        const Number x = parse(a), y = parse(b);
        const bool ok = op == "+"   ? Number::add(x, y, &r)
                        : op == "-" ? Number::sub(x, y, &r)
                        : op == "*" ? Number::mul(x, y, &r)
                                    : Number::div(x, y, &r);
        QTEST(ok ? r.full() : QString(), "full");
    }

    // The wiki's documented results, page by page.
    void wikiExamples_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *page, const char *program, const char *shown) {
            QTest::newRow(QByteArray(page).append(": ").append(program).constData())
                << QString::fromUtf8(program) << QString::fromUtf8(shown);
        };
        row("fpart", "fPart(5.32)", ".32");
        row("fpart", "fPart(⁻4/5)", "⁻.8");
        row("fpart", "1/3*3→X:iPart(X)", "0");
        row("fpart", "1/3*3→X:fPart(X)", "1");
        row("fpart", "1/3*3→X:iPart(round(X,9))", "1");
        row("ipart", "iPart(⁻5.32)", "⁻5");
        row("ipart", "iPart(⁻4/5)", "0");
        row("int", "int(⁻5.32)", "⁻6");
        row("int", "int(⁻4/5)", "⁻1");
        row("sub", "sub(\"TI-BASIC\",4,5", "BASIC");
        row("sub", "sub(\"TI-BASIC\",5,2", "AS");
        row("sub", "sub(225", "2.25");
        row("instring", "inString(\"TI-BASIC\",\"BASIC", "4");
        row("instring", "inString(\"TI-BASIC\",\"ELEPHANT", "0");
        row("instring", "inString(\"TI-BASIC\",\"I\",3", "7");
        row("augment", "augment({1,2,3,4},{5,6,7", "{1 2 3 4 5 6 7}");
        row("sum", "sum({1,2,3,4,5},2,4)", "9");
        row("sum", "sum({1,2,3,4,5},3)", "12");
        row("cumsum", "cumSum({1,3,5,7,9})", "{1 4 9 16 25}");
        row("min", "min({1,3},{4,2})", "{1 2}");
        row("max", "max({1,3},2)", "{2 3}");
        row("gcd", "gcd({14,12},{6,8})", "{2 4}");
        row("lcm", "lcm({9,12},6)", "{18 12}");
        row("xor", "2 xor (3 xor 0)", "0");
        row("not", "not(⁻20 and 14)", "0");
        row("ncr", "6 nCr 4", "15");
        row("round", "round(π,4)", "3.1416");
        row("round", "round({1.5,2.4,3.8},0)", "{2 2 4}");
        row("factorial", "(⁻.5)!", "1.772453851");
        row("factorial", "(⁻.5)!²", "3.141592654");
        row("power", "(⁻1)^(1/3)", "⁻1");
        row("dim", "{2,3,4,5,6}→L₁:dim(L₁", "5");
        row("dim", "{2,3}→dim([A]):dim([A]", "{2 3}");
        row("length", "length(\"HELLO", "5");
        row("sorta", "{3,1,2}→L₁:SortA(L₁):L₁", "{1 2 3}");
        row("clrlist", "{1,2}→L₁:ClrList L₁:dim(L₁", "0");
        row("fill", "{1,2,3}→L₂:Fill(7,L₂):L₂", "{7 7 7}");
        row("sortd", "{3,1,2}→ʟX:SortD(ʟX):ʟX", "{3 2 1}");
        row("e", "ln([e]^(2", "2");
    }
    void wikiExamples()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(result(engine, program), "shown");
    }

    // The generator: L'Ecuyer's, seeded by n→rand (the wiki's rows).
    void random_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        QTest::newRow("rand") << "0→rand:rand"
                              << ".9435974025";
        QTest::newRow("rand(2)") << "0→rand:rand:rand(2)"
                                 << "{.908318861 .1466878292}";
        QTest::newRow("randInt") << "0→rand:randInt(1,10)"
                                 << "10";
        QTest::newRow("randInt list") << "0→rand:randInt(1,10):randInt(1,10,5)"
                                      << "{10 2 6 5 8}";
        QTest::newRow("randInt as rand") << "0→rand:randInt(1,10,5):0→rand:1+int(10rand(5))"
                                         << "{10 10 2 6 5}";
        QTest::newRow("seed reaches 1") << "196164532→rand:rand"
                                        << "1";
        QTest::newRow("seed sign and fraction ignored") << "⁻7.9→rand:rand→A:7→rand:rand=A"
                                                        << "1";
    }
    void random()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(result(engine, program), "shown");
    }

    void errors_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        QTest::newRow("syntax") << "1\n2+*3"
                                << "ERR:SYNTAX line 2";
        QTest::newRow("syntax only when reached") << "Goto A\n2+*3\nLbl A\n5"
                                                  << "5";
        QTest::newRow("divide") << "1/0"
                                << "ERR:DIVIDE BY 0 line 1";
        QTest::newRow("data type") << "\"A\"+1"
                                   << "ERR:DATA TYPE line 1";
        QTest::newRow("undefined") << "DelVar L₁\nL₁"
                                   << "ERR:UNDEFINED line 2";
        QTest::newRow("label") << "1\nGoto Q"
                               << "ERR:LABEL line 2";
        QTest::newRow("domain") << "ln(0)"
                                << "ERR:DOMAIN line 1";
        QTest::newRow("nonreal") << "√(⁻1)"
                                 << "ERR:NONREAL ANS line 1";
        QTest::newRow("dim mismatch") << "{1,2}+{1,2,3}"
                                      << "ERR:DIM MISMATCH line 1";
        QTest::newRow("invalid dim") << "{1,2}→L₁\nL₁(5)"
                                     << "ERR:INVALID DIM line 2";
        QTest::newRow("argument") << "randInt(1)"
                                  << "ERR:ARGUMENT line 1";
        QTest::newRow("overflow") << "10^99*10"
                                  << "ERR:OVERFLOW line 1";
        QTest::newRow("increment") << "For(I,1,5,0)\nEnd"
                                   << "ERR:INCREMENT line 1";
        QTest::newRow("nested seq") << "seq(seq(I,I,1,2),J,1,2)"
                                    << "ERR:ILLEGAL NEST line 1";
        QTest::newRow("End without block") << "1\nEnd"
                                           << "ERR:SYNTAX line 2";
        QTest::newRow("leaking Goto") << "Lbl A\nWhile 1\nGoto A\nEnd"
                                      << "ERR:MEMORY line 2";
        QTest::newRow("unsupported") << "1\nAsmPrgm"
                                     << "ERR:UNSUPPORTED line 2";
        QTest::newRow("sort a string") << "\"BA\"→Str1:SortA(Str1)"
                                       << "ERR:DATA TYPE line 1";
        QTest::newRow("store to a table variable") << "2→TblStart:TblStart+∆Tbl"
                                                   << "3";
        QTest::newRow("prgm missing") << "prgmNOPE"
                                      << "ERR:UNDEFINED line 1";
        QTest::newRow("no answers") << "Input A"
                                    << "ERR:BREAK line 1";
        QTest::newRow("rand of no numbers") << "rand(0)"
                                            << "ERR:DOMAIN line 1";
        QTest::newRow("list of 1000") << "{1}→L₁\n1000→dim(L₁)"
                                      << "ERR:INVALID DIM line 2";
        QTest::newRow("list of 999") << "999→dim(L₁):dim(L₁)"
                                     << "999";
        QTest::newRow("element 1000") << "999→dim(L₁)\n5→L₁(1000)"
                                      << "ERR:INVALID DIM line 2";
        QTest::newRow("seq of 1000") << "seq(I,I,1,1000)"
                                     << "ERR:INVALID DIM line 1";
        QTest::newRow("seq of 999") << "dim(seq(I,I,1,999))"
                                    << "999";
        QTest::newRow("Output past the last row") << "Output(9,1,\"X\")"
                                                  << "ERR:DOMAIN line 1";
        QTest::newRow("Output past the last column") << "Output(1,17,\"X\")"
                                                     << "ERR:DOMAIN line 1";
        QTest::newRow("Output before the first row") << "Output(0,1,\"X\")"
                                                     << "ERR:DOMAIN line 1";
        QTest::newRow("Output before the first column") << "Output(1,0,\"X\")"
                                                        << "ERR:DOMAIN line 1";
        QTest::newRow("seq that never starts") << "seq(I,I,5,1)"
                                               << "ERR:INVALID DIM line 1";
        QTest::newRow("seq down that never starts") << "seq(I,I,1,5,⁻1)"
                                                    << "ERR:INVALID DIM line 1";
        QTest::newRow("seq of one") << "seq(I,I,5,5)"
                                    << "{5}";
        QTest::newRow("element 0") << "{1,2}→L₁\nL₁(0)"
                                   << "ERR:INVALID DIM line 2";
        QTest::newRow("matrix of 100 rows") << "{100,1}→dim([A])"
                                            << "ERR:INVALID DIM line 1";
        QTest::newRow("matrix of 100 columns") << "{1,100}→dim([A])"
                                               << "ERR:INVALID DIM line 1";
        QTest::newRow("matrix of 99 by 99") << "{99,99}→dim([A]):dim([A])"
                                            << "{99 99}";
        QTest::newRow("product of unfit matrices") << "[[1,2]]*[[3,4]]"
                                                   << "ERR:DIM MISMATCH line 1";
    }
    void errors()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(result(engine, program), "shown");
    }

    // Control flow: the value left in Ans tells which way it went.
    void flow_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        QTest::newRow("If guards one") << "0→A\nIf 0\n1→A\nA"
                                       << "0";
        QTest::newRow("If Then Else") << "If 0\nThen\n1→A\nElse\n2→A\nEnd\nA"
                                      << "2";
        QTest::newRow("nested skip") << "0→A\nIf 0\nThen\nFor(I,1,3)\n1→A\nEnd\nEnd\nA"
                                     << "0";
        QTest::newRow("For") << "0→S\nFor(I,1,10)\nS+I→S\nEnd\nS"
                             << "55";
        QTest::newRow("For after end") << "For(I,1,10,3)\nEnd\nI"
                                       << "13";
        QTest::newRow("For down") << "0→S\nFor(I,5,1,⁻2)\nS+I→S\nEnd\nS"
                                  << "9";
        QTest::newRow("For skipped") << "0→S\nFor(I,5,1)\n1→S\nEnd\nS"
                                     << "0";
        QTest::newRow("For from its end runs once") << "0→S\nFor(I,3,3)\nS+1→S\nEnd\n10S+I"
                                                    << "14";
        QTest::newRow("For from its end, down") << "0→S\nFor(I,3,3,⁻1)\nS+1→S\nEnd\n10S+I"
                                                << "12";
        QTest::newRow("While") << "1→A\nWhile A<100\n2A→A\nEnd\nA"
                               << "128";
        QTest::newRow("Repeat runs once") << "0→A\nRepeat 1\nA+1→A\nEnd\nA"
                                          << "1";
        QTest::newRow("Repeat") << "0→A\nRepeat A≥5\nA+1→A\nEnd\nA"
                                << "5";
        QTest::newRow("IS>") << "5→A\nIS>(A,5)\n0→A\nA"
                             << "6";
        QTest::newRow("DS<") << "5→A\nDS<(A,9)\n0→A\nA"
                             << "4";
        // Reaching the limit exactly is not past it: nothing is skipped.
        QTest::newRow("IS> at the limit") << "5→A\nIS>(A,6)\n0→A\nA"
                                          << "0";
        QTest::newRow("DS< at the limit") << "5→A\nDS<(A,4)\n0→A\nA"
                                          << "0";
        QTest::newRow("Goto out of loop") << "For(I,1,9)\nIf I=3\nGoto E\nEnd\nLbl E\nI"
                                          << "3";
        QTest::newRow("Stop") << "1\nStop\n2"
                              << "1";
        QTest::newRow("numbered label") << "0→A\nGoto 10\n1→A\nLbl 10\nA"
                                        << "0";
        QTest::newRow("colon in string") << "\"A:B\"→Str1:length(Str1)"
                                         << "3";
        QTest::newRow("DelVar runs on") << "5→A:DelVar A7"
                                        << "7";
        // A second Else skips to the End of its If-Then, as the first one does.
        QTest::newRow("second Else") << "0→A\nIf 1\nThen\n1→A\nElse\n2→A\nElse\n3→A\nEnd\n10A+4"
                                     << "14";
        QTest::newRow("second Else in a loop")
            << "0→A\nFor(I,1,2)\nIf 0\nThen\nElse\nA+1→A\nElse\nA+5→A\nEnd\nEnd\nA"
            << "2";
    }
    void flow()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(result(engine, program), "shown");
    }

    // The home screen after the program: Disp aligns, scrolls, Done.
    void homeScreen_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Disp and Done") << "Disp \"HI\",42"
                                       << "HI|              42|            Done";
        QTest::newRow("final value") << "Disp 1\n\"END"
                                     << "               1|END";
        QTest::newRow("final value, then a blank line") << "Disp 1\n\"END\n\n"
                                                        << "               1|END";
        QTest::newRow("Output, no Done") << "ClrHome\nOutput(2,15,\"ABCD"
                                         << "|              AB|CD";
        QTest::newRow("long text cut") << "Disp \"ABCDEFGHIJKLMNOPQ"
                                       << "ABCDEFGHIJKLMNO…|            Done";
        QTest::newRow("scrolls")
            << "For(I,1,8)\nDisp I\nEnd"
            << "               3|               4|               5|               6|"
               "               7|               8|            Done";
        QTest::newRow("Output in the last cell") << "ClrHome\nOutput(8,16,\"X\")"
                                                 << "|||||||               X";
        QTest::newRow("Output in the first cell") << "ClrHome\nOutput(1,1,\"X\")"
                                                  << "X";
        QTest::newRow("list") << "Disp {1,⁻2}"
                              << "          {1 ⁻2}|            Done";
        // Disp alone leaves the graph screen for the home screen.
        QTest::newRow("Disp alone") << "Disp 1\nDispGraph\nDisp\nDisp 2"
                                    << "               1|               2|            Done";
        QTest::newRow("Disp alone, with its blank") << "Disp 1\nDisp "
                                                    << "               1|            Done";
    }
    void homeScreen()
    {
        QFETCH(QString, program);
        Engine engine;
        const Outcome o = engine.run(bytes(program));
        QCOMPARE(errorName(o.error), QString());
        QTEST(screen(engine), "shown");
    }

    void inputAndKeys()
    {
        Engine engine;
        QStringList answers = {"12", "-3", "HELLO", "\"PEAR\"", "1000000000000+1"};
        QList<int> keys = {105};
        engine.host().nextAnswer = [&](QString *a) {
            if (answers.isEmpty())
                return false;
            *a = answers.takeFirst();
            return true;
        };
        engine.host().nextKey = [&] { return keys.isEmpty() ? 0 : keys.takeFirst(); };
        // Prompts, a prompt made by an expression, quotes around text left
        // out, an answer longer than a line wrapping.
        const Outcome o = engine.run(bytes("Prompt A\nInput \"B?\",B\nInput Str1\n\"FRUIT\"\n"
                                           "Input \"BEST \"+Ans,Str2\nInput \"NUMBER\",N\n"
                                           "getKey→K\ngetKey→L\nA+B+K+L+length(Str2)"));
        QCOMPARE(errorName(o.error), QString());
        QCOMPARE(screen(engine), QStringLiteral("A=?12|B?-3|?HELLO|BEST FRUIT\"PEAR\"|"
                                                "NUMBER1000000000|000+1|             118"));
        QCOMPARE(engine.real('N').display(), QStringLiteral("1ᴇ12"));
    }

    void prgmCalls()
    {
        Engine engine;
        engine.host().findProgram = [](const QString &name, QByteArray *out) {
            if (name != QLatin1String("SUB"))
                return false;
            *out = bytes("A+1→A\nReturn\n99→A");
            return true;
        };
        QCOMPARE(result(engine, "1→A\nprgmSUB\nprgmSUB\nA"), QStringLiteral("3"));
        const Outcome o = engine.run(bytes("prgmSUB\nprgmTHERE"));
        QCOMPARE(o.line, 2);
        QCOMPARE(o.error, Error::Undefined);
    }

    // A program that calls itself runs out of memory long before the step limit.
    void prgmCallsItself()
    {
        Engine engine;
        engine.host().findProgram = [](const QString &, QByteArray *out) {
            *out = bytes("A+1→A\nprgmSELF");
            return true;
        };
        const Outcome o = engine.run(bytes("0→A\nprgmSELF"));
        QCOMPARE(errorName(o.error), errorName(Error::Memory));
    }

    void menuChoice_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first") << "1"
                               << "10";
        QTest::newRow("last") << "2"
                              << "20";
        QTest::newRow("past the last") << "3"
                                       << "ERR:BREAK line 1";
        QTest::newRow("none") << "0"
                              << "ERR:BREAK line 1";
    }
    void menuChoice()
    {
        QFETCH(QString, answer);
        Engine engine;
        engine.host().nextAnswer = [answer](QString *a) {
            *a = answer;
            return true;
        };
        QTEST(result(engine, "Menu(\"M\",\"ONE\",A,\"TWO\",B)\nLbl A\n10\nStop\nLbl B\n20"),
              "shown");
    }

    // Text in a string stays letters, so expr( inside expr( comes as bytes.
    void nestedExpr()
    {
        Engine engine;
        const Outcome o =
            engine.run(testing::bytesOf("2A 31 2A 04 AA00 3F BB2A 2A BB2A AA00 2A 11"));
        QCOMPARE(o.error, Error::IllegalNest);
        QCOMPARE(o.line, 2);
    }

    // Any token stream runs to an end: no crash, and an error names a line
    // the program has.
    void randomProgramsEndWithALine()
    {
        const QList<QByteArray> alphabet = {"\x04",
                                            "\x06",
                                            "\x07",
                                            "\x08",
                                            "\x09",
                                            "\x0c",
                                            "\x10",
                                            "\x11",
                                            "\x14",
                                            "\x23",
                                            "\x2a",
                                            "\x2b",
                                            "1",
                                            "0",
                                            ".",
                                            "\x3b",
                                            "\x3e",
                                            "\x3f",
                                            "\x40",
                                            "A",
                                            "I",
                                            "\x6a",
                                            "\x6b",
                                            "\x70",
                                            "\x71",
                                            "\x72",
                                            "\x82",
                                            "\x83",
                                            "\xab",
                                            "\xad",
                                            "\xb0",
                                            "\xb5",
                                            "\xce",
                                            "\xcf",
                                            "\xd0",
                                            "\xd1",
                                            "\xd2",
                                            "\xd3",
                                            "\xd4",
                                            "\xd6",
                                            "\xd7",
                                            "\xda",
                                            "\xdc",
                                            "\xde",
                                            "\xe0",
                                            "\xe6",
                                            "\xeb",
                                            "\xbb\x2a",
                                            "\xbb\x0c",
                                            QByteArray("\x5d\x00", 2),
                                            QByteArray("\xaa\x00", 2)};
        quint32 seed = 7;
        auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
        for (int n = 0; n < 3000; ++n) {
            QByteArray p;
            const int length = int(next() >> 24) % 30;
            for (int i = 0; i < length; ++i)
                p += alphabet[int(next() >> 16) % alphabet.size()];
            Engine engine;
            engine.setMaxSteps(500);
            engine.host().nextAnswer = [](QString *a) {
                *a = QStringLiteral("1");
                return true;
            };
            const Outcome o = engine.run(p);
            if (o.error != Error::None)
                QVERIFY2(o.line >= 1 && o.line <= p.count('\x3f') + 1, p.toHex().constData());
        }
    }

    void maxSteps()
    {
        Engine engine;
        engine.setMaxSteps(1000);
        const Outcome o = engine.run(bytes("Lbl A\nGoto A"));
        QCOMPARE(o.error, Error::Steps);
        QCOMPARE(o.steps, 1001);
    }

    // Built-ins that loop a billion times inside one statement count their
    // rounds as steps, so the limit (and Stop) ends them there.
    void maxStepsInsideBuiltins_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("bal(") << "bal(1ᴇ9)";
        QTest::newRow("ΣPrn(") << "ΣPrn(1,1ᴇ9)";
        QTest::newRow("randBin( a draw at a time") << "randBin(1000,.5,999)";
    }
    void maxStepsInsideBuiltins()
    {
        QFETCH(QString, program);
        Engine engine;
        engine.setMaxSteps(2000);
        const Outcome o = engine.run(testing::programBytes("1→PV:⁻.1→PMT:" + program));
        QCOMPARE(errorName(o.error), errorName(Error::Steps));
        QCOMPARE(o.line, 1);
    }
};

TORVANE_TEST(TstEngine);
#include "tst_engine.moc"
