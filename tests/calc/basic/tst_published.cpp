// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What published programs use: the wiki's rows for the smaller functions,
// the errors a calculator gives where the engine used to give others, and
// which of the sheet's tokens the engine refuses.
#include "calc/CalculatorSymbols.h"
#include "calc/Models.h"
#include "calc/Tokens.h"
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"

#include <QSet>
#include <QTest>

using namespace calc::basic;

namespace
{

QByteArray bytesOf(const QString &program)
{
    return testing::programBytes(program);
}

using testing::outcome;

int litPixels(const GraphScreen &g)
{
    int n = 0;
    for (int r = 0; r < GraphScreen::kRows; ++r)
        for (int c = 0; c < GraphScreen::kColumns; ++c)
            n += g.pixel(r, c);
    return n;
}

// Never run: machine code and the link port.
const QStringList kRefused = {"Asm(", "AsmComp(", "AsmPrgm",    "Send(",
                              "Get(", "GetCalc(", "Asm84CPrgm", "Asm84CEPrgm"};

} // namespace

class TstPublished : public QObject
{
    Q_OBJECT

private slots:
    void rows_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        // remainder(: whole numbers 0..1ᴇ12, element by element on lists.
        QTest::newRow("remainder") << "remainder(30,7)"
                                   << "2";
        QTest::newRow("remainder of lists") << "remainder({10,11},3)"
                                            << "{1 2}";
        QTest::newRow("remainder by 0") << "remainder(7,0)"
                                        << "ERR:DIVIDE BY 0 line 1";
        QTest::newRow("remainder of a fraction") << "remainder(2.5,2)"
                                                 << "ERR:DOMAIN line 1";
        QTest::newRow("remainder past 1ᴇ12") << "remainder(2ᴇ12,7)"
                                             << "ERR:DOMAIN line 1";
        QTest::newRow("logBASE") << "logBASE(8,2)"
                                 << "3";
        QTest::newRow("logBASE of 0") << "logBASE(0,2)"
                                      << "ERR:DOMAIN line 1";
        QTest::newRow("logBASE of a negative") << "logBASE(⁻8,2)"
                                               << "ERR:NONREAL ANS line 1";
        QTest::newRow("logBASE without a base") << "logBASE(8)"
                                                << "ERR:ARGUMENT line 1";
        QTest::newRow("logBASE base 1") << "logBASE(8,1)"
                                        << "ERR:DIVIDE BY 0 line 1";
        // A complex number beside a list made a complex list, which the
        // pairing read as a real one, past its end (the engine fuzzer).
        QTest::newRow("remainder of a complex and a list") << "remainder(𝑖,{1,2})"
                                                           << "ERR:DATA TYPE line 1";
        QTest::newRow("logBASE of a list and a complex") << "logBASE({8,9},𝑖)"
                                                         << "ERR:DATA TYPE line 1";
        QTest::newRow("gcd of a complex and a list") << "gcd(𝑖,{1,2})"
                                                     << "ERR:DATA TYPE line 1";
        // A radius far past any int (UBSan in the engine fuzzer).
        QTest::newRow("Circle of a huge radius") << "Circle(0,0,8ᴇ75):pxl-Test(0,0)"
                                                 << "0";
        // randBin( draws as sum(P>rand(N)) does for the same seed.
        QTest::newRow("randBin as sum of rand") << "0→rand:randBin(9,.4)→A:0→rand:A=sum(.4>rand(9))"
                                                << "1";
        // Past a thousand trials one draw from the distribution itself.
        QTest::newRow("randBin of a trillion trials") << "abs(randBin(1ᴇ12,.5)-5ᴇ11)<5ᴇ6"
                                                      << "1";
        QTest::newRow("randBin certain") << "randBin(5,1)"
                                         << "5";
        QTest::newRow("randBin never") << "randBin(5,0)"
                                       << "0";
        QTest::newRow("randBin list") << "dim(randBin(5,.5,7))"
                                      << "7";
        QTest::newRow("randBin probability 2") << "randBin(5,2)"
                                               << "ERR:DOMAIN line 1";
        QTest::newRow("ΔList") << "ΔList({0,1,4,9,16,25,36})"
                               << "{1 3 5 7 9 11}";
        QTest::newRow("ΔList of cumSum") << "ΔList(cumSum({1,2,3,4,5,6,7}))"
                                         << "{2 3 4 5 6 7}";
        QTest::newRow("ΔList of one") << "ΔList({5})"
                                      << "ERR:INVALID DIM line 1";
        // ►Frac and ►Dec show a value; they do not change it.
        QTest::newRow("►Frac third") << "1/3►Frac"
                                     << "1/3";
        QTest::newRow("►Frac negative") << "⁻2.5►Frac"
                                        << "⁻5/2";
        QTest::newRow("►Frac list") << "{.5,.25,3}►Frac"
                                    << "{1/2 1/4 3}";
        QTest::newRow("►Frac without one") << "π►Frac"
                                           << "3.141592654";
        QTest::newRow("►Frac keeps the value") << "1/3►Frac:Ans*3"
                                               << "1";
        QTest::newRow("►Dec") << "1/3►Dec"
                              << ".3333333333";
        QTest::newRow("►Frac of a string") << "\"A\"►Frac"
                                           << "ERR:DATA TYPE line 1";
        QTest::newRow("List►matr") << "List►matr({1,2,3},{10,20,30},{100,200,300},[A]):[A]"
                                   << "[[1 10 100] [2 20 200] [3 30 300]]";
        QTest::newRow("List►matr pads with zeros") << "List►matr({1,2,3},{10},{100,200},[A]):[A]"
                                                   << "[[1 10 100] [2 0 200] [3 0 0]]";
        QTest::newRow("List►matr of a list of 100") << "100→dim(L₁):List►matr(L₁,[A])"
                                                    << "ERR:INVALID DIM line 1";
        QTest::newRow("Matr►list")
            << "Matr►list([[11,12,13,14][21,22,23,24][31,32,33,34]],L₁,L₂):L₂"
            << "{12 22 32}";
        QTest::newRow("Matr►list more lists than columns")
            << "{7}→L₃:Matr►list([[1,2]],L₁,L₂,L₃):L₃"
            << "{7}";
        QTest::newRow("Matr►list of a list") << "Matr►list({1},L₁)"
                                             << "ERR:DATA TYPE line 1";
    }
    void rows()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(outcome(engine, program), "shown");
    }

    // The errors a calculator gives where the engine used to give others.
    void errors_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        QTest::newRow("machine code") << "1\nAsm(prgmA"
                                      << "ERR:UNSUPPORTED Asm( line 2";
        QTest::newRow("AsmPrgm") << "AsmPrgm\nC9"
                                 << "ERR:UNSUPPORTED AsmPrgm line 1";
        QTest::newRow("Send(") << "Send(A"
                               << "ERR:UNSUPPORTED Send( line 1";
        QTest::newRow("GetCalc(") << "GetCalc(Str1"
                                  << "ERR:UNSUPPORTED GetCalc( line 1";
        QTest::newRow("refused after a value") << "2Send(L₁"
                                               << "ERR:UNSUPPORTED Send( line 1";
        QTest::newRow("command after a value") << "2Disp 3"
                                               << "ERR:SYNTAX line 1";
        QTest::newRow("space outside a string") << "If 1 <0:1"
                                                << "ERR:SYNTAX line 1";
        QTest::newRow("space after a quote") << "Disp \"A\" \n7"
                                             << "ERR:SYNTAX line 1";
        QTest::newRow("space inside a string") << "length(\" A \")"
                                               << "3";
        QTest::newRow("lower-case word") << "disp \"HI\""
                                         << "ERR:SYNTAX line 1";
        QTest::newRow("lower-case in a string") << "length(\"hi\")"
                                                << "2";
        QTest::newRow("Fill( a matrix") << "{2,2}→dim([A]):Fill(5,[A]):[A]"
                                        << "[[5 5] [5 5]]";
        QTest::newRow("Fill( a string") << "\"A\"→Str1:Fill(5,Str1)"
                                        << "ERR:DATA TYPE line 1";
        QTest::newRow("SortA( along") << "{3,1,2}→L₁:{30,10,20}→L₂:SortA(L₁,L₂):L₂"
                                      << "{10 20 30}";
        QTest::newRow("SortD( along") << "{3,1,2}→L₁:{30,10,20}→L₂:SortD(L₁,L₂):L₁+L₂"
                                      << "{33 22 11}";
        QTest::newRow("SortA( named along") << "{2,1}→ʟK:{5,6}→ʟV:SortA(ʟK,ʟV):ʟV"
                                            << "{6 5}";
        QTest::newRow("SortA( along a shorter list") << "{3,1}→L₁:{1}→L₂:SortA(L₁,L₂)"
                                                     << "ERR:DIM MISMATCH line 1";
        QTest::newRow("Text( large") << "Text(⁻1,56,0,\"A\"):7"
                                     << "7";
        QTest::newRow("Text( large below") << "Text(⁻1,57,0,\"A\")"
                                           << "ERR:DOMAIN line 1";
        QTest::newRow("Text( large of nothing") << "Text(⁻1,0,0):7"
                                                << "7";
        QTest::newRow("Disp alone") << "Disp \n7"
                                    << "7";
        QTest::newRow("►Frac of a sum") << "1+1/3►Frac"
                                        << "4/3";
        QTest::newRow("character outside a string") << "2é"
                                                    << "ERR:SYNTAX line 1";
        QTest::newRow("operator without a value") << "²"
                                                  << "ERR:SYNTAX line 1";
        // The wiki's error conditions.
        QTest::newRow("expr( of nothing") << "\"\"→Str1:expr(Str1)"
                                          << "ERR:INVALID line 1";
        QTest::newRow("augment( of an empty list") << "ClrList L₁:augment(L₁,{5})"
                                                   << "ERR:INVALID DIM line 1";
        QTest::newRow("augment( past 99 columns") << "{1,60}→dim([A]):augment([A],[A])"
                                                  << "ERR:INVALID DIM line 1";
        QTest::newRow("If last") << "Disp 1\nIf 1"
                                 << "ERR:SYNTAX line 2";
        QTest::newRow("If before an empty last line") << "0→A\nIf A\n"
                                                      << "ERR:SYNTAX line 2";
        QTest::newRow("loop variable deleted") << "For(I,1,3)\nDelVar I\nEnd"
                                               << "ERR:UNDEFINED line 3";
        QTest::newRow("sum( ends before it starts") << "sum({1,2,3},3,2)"
                                                    << "ERR:INVALID DIM line 1";
        QTest::newRow("prod( from 0") << "prod({1,2,3},0)"
                                      << "ERR:DOMAIN line 1";
        QTest::newRow("sum( past the end") << "sum({1,2,3},2,4)"
                                           << "ERR:INVALID DIM line 1";
        QTest::newRow("sum( of a part") << "sum({1,2,3},2,3)+prod({1,2,3},2)"
                                        << "11";
        QTest::newRow("statistics of no values") << "ClrList L₁:median(L₁)"
                                                 << "ERR:INVALID DIM line 1";
        QTest::newRow("min( of no values") << "ClrList L₁:min(L₁)"
                                           << "ERR:INVALID DIM line 1";
        QTest::newRow("list name of six") << "{1,2}→ʟABCDE:ʟABCDEF"
                                          << "ERR:SYNTAX line 1";
        QTest::newRow("ClrList of a letter") << "ClrList B"
                                             << "ERR:SYNTAX line 1";
        QTest::newRow("tan( of π/2") << "tan(π/2)"
                                     << "ERR:DOMAIN line 1";
        QTest::newRow("tan( close to π/2") << "tan(1.57079632679)>1ᴇ11"
                                           << "1";
        QTest::newRow("cosh⁻¹( below 1") << "cosh⁻¹(.5)"
                                         << "ERR:DOMAIN line 1";
        QTest::newRow("DelVar of an archived variable") << "1→A:Archive A:DelVar A"
                                                        << "ERR:ARCHIVED line 1";
        QTest::newRow("IS>( last") << "0→A\nIS>(A,5"
                                   << "ERR:SYNTAX line 2";
        QTest::newRow("DS<( before an empty last line") << "0→A\nDS<(A,5\n"
                                                        << "ERR:SYNTAX line 2";
        QTest::newRow("IS>( then an empty line") << "0→A\nIS>(A,5\n\n7"
                                                 << "7";
        QTest::newRow("IS>( of a deleted variable") << "DelVar A\nIS>(A,5\n1"
                                                    << "ERR:UNDEFINED line 2";
        QTest::newRow("DS<( of a deleted variable") << "DelVar A\nDS<(A,5\n1"
                                                    << "ERR:UNDEFINED line 2";
        QTest::newRow("IS>( stored again") << "DelVar A:1→A\nIS>(A,5\n7"
                                           << "7";
        QTest::newRow("IS>( after For(") << "DelVar A:For(A,1,2):End\nIS>(A,9\n7"
                                         << "7";
        QTest::newRow("IS>( after Input") << "DelVar A:Prompt A\nIS>(A,9\n7"
                                          << "7";
        QTest::newRow("sub( past the end") << "sub(\"ABC\",2,5)"
                                           << "ERR:INVALID DIM line 1";
        QTest::newRow("sub( from 0") << "sub(\"ABC\",0,1)"
                                     << "ERR:DOMAIN line 1";
        QTest::newRow("L₁ exists") << "dim(L₁)+dim(L₆)"
                                   << "0";
        QTest::newRow("SortD( of L₁ fresh") << "SortD(L₁):dim(L₁)"
                                            << "0";
        QTest::newRow("L₁ after DelVar") << "DelVar L₁:dim(L₁)"
                                         << "ERR:UNDEFINED line 1";
        QTest::newRow("L₁ stored after DelVar") << "DelVar L₁:{4}→L₁:L₁"
                                                << "{4}";
    }
    void errors()
    {
        QFETCH(QString, program);
        Engine engine;
        engine.host().nextAnswer = [](QString *a) {
            *a = QStringLiteral("3");
            return true;
        };
        QTEST(outcome(engine, program), "shown");
    }

    // Pt-On( marks: 2 and 6 a box, 3 and 7 a cross, any other value a dot.
    void marks_data()
    {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<int>("pixels");
        QTest::newRow("none") << "" << 1;
        QTest::newRow("1") << ",1" << 1;
        QTest::newRow("2") << ",2" << 8;
        QTest::newRow("3") << ",3" << 5;
        QTest::newRow("4") << ",4" << 1;
        QTest::newRow("6") << ",6" << 8;
        QTest::newRow("7") << ",7" << 5;
        QTest::newRow("2.5") << ",2.5" << 1;
        QTest::newRow("⁻2") << ",⁻2" << 1;
    }
    void marks()
    {
        QFETCH(QString, mark);
        Engine engine;
        const Outcome o = engine.run(bytesOf("AxesOff:ClrDraw:Pt-On(1,1" + mark + ")"));
        QCOMPARE(int(o.error), int(Error::None));
        QTEST(litPixels(engine.graph()), "pixels");
    }

    // Every token of the sheet alone runs, on the first model that has it,
    // or stops with an error a calculator gives, unless it is refused on
    // purpose; and a token refused on purpose really is refused.
    void everyTokenRunsOrIsListed()
    {
        QStringList wronglyRefused, wronglyRun;
        for (int t = 1; t < 0x10000; ++t) {
            if (t > 0xFF && !calc::tokens::isTwoBytePrefix(t >> 8))
                continue;
            if (t <= 0xFF && calc::tokens::isTwoBytePrefix(t))
                continue;
            const QString name = calc::tokens::displayString(t).trimmed();
            if (name.isEmpty() || t == 0x3F || t == 0x3E)
                continue;
            Engine engine;
            engine.setMaxSteps(100);
            if (calc::models::need(t).model >= calc::models::Model::Ti84PlusCSE)
                engine.setModel(calc::models::need(t).model);
            const Outcome o = engine.run(calc::tokens::tokenBytes(t));
            const bool refused = o.error == Error::Unsupported;
            if (refused && !kRefused.contains(name))
                wronglyRefused << name;
            if (!refused && kRefused.contains(name))
                wronglyRun << name;
        }
        QCOMPARE(wronglyRefused.join(QLatin1Char(' ')), QString());
        QCOMPARE(wronglyRun.join(QLatin1Char(' ')), QString());
    }
};

TORVANE_TEST(TstPublished);
#include "tst_published.moc"
