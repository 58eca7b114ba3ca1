// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Numbers beyond arithmetic: calculus with an expression and its variable,
// conversions and the forms answers are shown in, the amortization
// functions, the TI-84 Plus's clock and system commands, and how the home
// screen shows numbers in Fix, Sci and Eng. Rows from the wiki's pages.
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::basic;

namespace
{

using testing::addRows;
using testing::outcome;

// Ans as the home screen shows it in the current modes, or the error.
QString shown(Engine &engine, const QString &program)
{
    const QString o = outcome(engine, program);
    if (o.startsWith(QLatin1String("ERR:")))
        return o;
    return displayText(engine.ans(), engine.settings().format);
}

// The clock stands still at noon on 1 March 2024 unless a program moves it.
void fixedClock(Engine &engine)
{
    engine.host().now = [] { return QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0)); };
}

} // namespace

class TstNumbers : public QObject
{
    Q_OBJECT

private slots:
    void calculus_data()
    {
        addRows({
            {"fnInt", {"fnInt(1/X,X,1,2)", ".6931471806"}},
            {"fnInt of a polynomial is exact", {"fnInt(3X²,X,0,2)", "8"}},
            {"fnInt near a singularity", {"fnInt(ln(X),X,0,1)", "⁻.999998347"}},
            {"fnInt with a tolerance", {"fnInt(ln(X),X,0,1,ᴇ⁻11)", "⁻1"}},
            {"fnInt backwards", {"fnInt(X,X,2,0)", "⁻2"}},
            {"fnInt of tolerance 0", {"fnInt(X,X,0,1,0)", "ERR:DOMAIN line 1"}},
            {"fnInt in fnInt", {"fnInt(fnInt(T,T,0,X),X,0,1)", "ERR:ILLEGAL NEST line 1"}},
            {"fnInt leaves its variable", {"5→X\nfnInt(X,X,0,1)\nX", "5"}},
            {"fnInt uses the others", {"2→A\nfnInt(AX,X,0,1)", "1"}},
            {"nDeriv", {"π→X\nnDeriv(sin(T),T,X)", "⁻.9999998333"}},
            {"nDeriv with a step", {"π→X\nnDeriv(sin(T),T,X,(abs(X)+ᴇ⁻6)ᴇ⁻6)", "⁻1.000000015"}},
            {"nDeriv in nDeriv", {"π→X\nnDeriv(nDeriv(cos(U),U,T),T,X)", ".999999665"}},
            {"nDeriv thrice",
             {"nDeriv(nDeriv(nDeriv(X³,X,T),T,U),U,1)", "ERR:ILLEGAL NEST line 1"}},
            {"nDeriv of step 0", {"nDeriv(X²,X,1,0)", "ERR:DOMAIN line 1"}},
            {"nDeriv at a list", {"nDeriv(X²,X,{1,2})", "{2 4}"}},
            {"nDeriv symmetric at a pole", {"nDeriv(1/X²,X,0)", "0"}},
            {"fMin", {"round(fMin(cos(sin(X)+Xcos(X)),X,0,2),4)", "1.0769"}},
            {"fMax", {"round(fMax(sin(X)cos(X),X,0,3),4)", ".7854"}},
            {"fMin at an end", {"round(fMin(X,X,⁻1,1),3)", "⁻1"}},
            {"fMin of reversed bounds", {"fMin(X²,X,2,1)", "ERR:BOUND line 1"}},
            {"fMax of tolerance 0", {"fMax(X,X,0,1,0)", "ERR:DOMAIN line 1"}},
            {"solve", {"solve(X²-4,X,1)", "2"}},
            {"solve finds the nearer root", {"solve(X²-4,X,⁻1)", "⁻2"}},
            {"solve far away", {"solve(X-1ᴇ50,X,0)", "1ᴇ50"}},
            {"solve of a double root", {"solve((X+1)²,X,0)", "ERR:NO SIGN CHNG line 1"}},
            {"solve within bounds", {"solve(sin(X),X,3,{2,4})=π", "1"}},
            {"solve with no root in bounds", {"solve(X-5,X,0,{⁻1,1})", "ERR:NO SIGN CHNG line 1"}},
            {"solve of a guess outside", {"solve(X,X,5,{0,1})", "ERR:BAD GUESS line 1"}},
            {"solve of an undefined guess", {"solve(√(X)-2,X,⁻1)", "ERR:BAD GUESS line 1"}},
            {"solve of a string", {"solve(\"X\",X,0)", "ERR:BAD GUESS line 1"}},
            {"solve with a Y= function", {"\"X-3\"→Y₁\nsolve(Y₁,X,0)", "3"}},
            {"solve leaves its variable", {"7→X\nsolve(X-1,X,0)\nX", "7"}},
            {"Σ", {"Σ(2X,X,1,10)", "110"}},
            {"Σ of lists", {"Σ({1,X},X,1,3)", "{3 6}"}},
            {"Σ of no terms", {"Σ(X,X,2,1)", "0"}},
            {"Σ of a fraction", {"Σ(X,X,1,2.5)", "ERR:DOMAIN line 1"}},
            {"variable is a letter", {"fnInt(X,2,0,1)", "ERR:SYNTAX line 1"}},
            {"too few arguments", {"fnInt(X,X,0)", "ERR:ARGUMENT line 1"}},
        });
    }
    void calculus()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(outcome(engine, program), "shown");
    }

    // A search that never ends stops at the step limit like a program.
    void calculusCountsSteps()
    {
        Engine engine;
        engine.setMaxSteps(1000);
        QCOMPARE(outcome(engine, "Σ(X,X,1,1ᴇ9)"), QStringLiteral("ERR:STEPS line 1"));
    }

    void conversions_data()
    {
        addRows({
            {"R►Pr", {"R►Pr(3,4)", "5"}},
            {"R►Pr of lists", {"R►Pr({6,5},{8,12})", "{10 13}"}},
            {"R►Pr past overflow", {"R►Pr(3ᴇ99,4ᴇ99)", "5ᴇ99"}},
            {"R►Pθ", {"R►Pθ(3,4)", ".927295218"}},
            {"R►Pθ of a list", {"R►Pθ(0,{1,⁻1})", "{1.570796327 ⁻1.570796327}"}},
            {"R►Pθ in degrees", {"Degree\nR►Pθ(⁻1,0)", "180"}},
            {"P►Rx", {"P►Rx(5,π/4)", "3.535533906"}},
            {"P►Rx of lists", {"P►Rx({1,2},{π/4,π/3})", "{.7071067812 1}"}},
            {"P►Ry in degrees", {"Degree\nP►Ry(2,30)", "1"}},
            {"of other sizes", {"R►Pr({1,2},{1})", "ERR:DIM MISMATCH line 1"}},
            {"of a complex", {"R►Pr(𝑖,1)", "ERR:DATA TYPE line 1"}},
            {"►DMS", {"30►DMS", "30°0'0\""}},
            {"►DMS of a third", {"Degree\n100/9°►DMS", "11°6'40\""}},
            {"►DMS of a negative", {"⁻1.5►DMS", "⁻1°30'0\""}},
            {"►DMS of a list", {"{1}►DMS", "ERR:DATA TYPE line 1"}},
            {"degrees and minutes", {"Degree\n30°15'", "30.25"}},
            {"degrees and minutes in Radian", {"179°60'=π", "1"}},
            {"degrees, minutes and seconds", {"Degree\n30°15'36\"", "30.26"}},
            {"►DMS of an entry", {"Degree\n11°6'40\"\nAns►DMS", "11°6'40\""}},
            {"a string after minutes", {"Degree\n{30°15',\"A\"}", "ERR:DATA TYPE line 2"}},
            {"minutes alone", {"15'", "ERR:SYNTAX line 1"}},
            {"a question mark", {"?", "ERR:SYNTAX line 1"}},
            {"►Polar", {"𝑖►Polar", "1ℯ^(1.570796327𝑖)"}},
            {"►Rect", {"re^θi\n3+4𝑖►Rect", "3+4𝑖"}},
            {"►Rect of a real", {"5►Rect", "ERR:DATA TYPE line 1"}},
            {"a fraction as typed", {"3⁄4", "3/4"}},
            {"a mixed number", {"1ᵤ3⁄4", "1ᵤ3/4"}},
            {"a sum of fractions", {"1⁄2+1⁄4", "3/4"}},
            {"a fraction in a function", {"sin(1⁄2)", ".4794255386"}},
            {"a fraction stored", {"1⁄2→A\nA", ".5"}},
            {"a mixed number in a sum", {"1ᵤ1⁄2+1", "5/2"}},
            {"a mixed number's value", {"1ᵤ3⁄4=1.75", "1"}},
            {"a negative mixed number", {"⁻2ᵤ1⁄2+0", "⁻5/2"}},
            {"a mixed number of decimals", {"1.5ᵤ1⁄2", "ERR:DOMAIN line 1"}},
            {"over 0", {"1⁄0", "ERR:DIVIDE BY 0 line 1"}},
            {"DEC answers", {"[DEC]\n3⁄4", ".75"}},
            {"FRAC answers", {"[FRAC]\n1/4+1/2", "3/4"}},
            {"FRAC answers of π", {"[FRAC]\nπ", "3.141592654"}},
            {"AUTO answers", {"[FRAC]\n[AUTO]\n1/4", ".25"}},
            {"►F◄►D", {"7.5►F◄►D", "15/2"}},
            {"►F◄►D back", {"7.5►F◄►D\nAns►F◄►D", "7.5"}},
            {"►n⁄d◄►Un⁄d", {"7/2►n⁄d◄►Un⁄d", "3ᵤ1/2"}},
            {"►n⁄d◄►Un⁄d back", {"7/2►n⁄d◄►Un⁄d\nAns►n⁄d◄►Un⁄d", "7/2"}},
            {"►n⁄d◄►Un⁄d of a list", {"{1.25,⁻.5}►n⁄d◄►Un⁄d", "{1ᵤ1/4 ⁻1/2}"}},
            {"the box alone", {"mathprintbox", "ERR:SYNTAX line 1"}},
            {"►Frac of a complex number", {"(1/2-𝑖/3)►Frac", "1/2-1/3𝑖"}},
            {"►Dec of a complex number", {"(1/2+𝑖)►Dec", ".5+𝑖"}},
        });
    }
    void conversions()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(shown(engine, program), "shown");
    }

    void finance_data()
    {
        const QString loan = "360→|N:8/12→I%:100000→PV:0→FV:tvm_Pmt→PMT\n";
        addRows({
            {"bal", {loan + "round(bal(180),2)", "76781.56"}},
            {"bal of 0", {loan + "bal(0)", "100000"}},
            {"bal rounded at each step", {loan + "round(PMT,2)→PMT:bal(1,2)", "99932.91"}},
            {"bal in Fix 2", {loan + "round(PMT,2)→PMT:Fix 2:bal(1)=99932.91", "1"}},
            {"ΣPrn", {loan + "round(ΣPrn(1,60),2)", "⁻4930.14"}},
            {"ΣInt", {loan + "round(ΣInt(1,60),2)", "⁻39095.73"}},
            {"ΣInt and ΣPrn make the payments",
             {loan + "round(ΣInt(1,12)+ΣPrn(1,12)-12PMT,6)", "0"}},
            {"bal of a negative", {"bal(⁻1)", "ERR:DOMAIN line 1"}},
            {"bal of a fraction", {"bal(1.5)", "ERR:DOMAIN line 1"}},
            {"ΣPrn backwards", {"ΣPrn(5,2)", "ERR:DOMAIN line 1"}},
            {"dbd", {"dbd(612.07,2512.07)", "19"}},
            {"dbd backwards", {"dbd(1.0207,1.0107)", "⁻1"}},
            {"dbd of a list", {"dbd(1.0107,{2.0107,3.0107,4.0107})", "{31 59 90}"}},
            {"dbd across 2000", {"dbd(3112.99,101)", "1"}},
            {"dbd of a bad date", {"dbd(3102.07,1)", "ERR:DOMAIN line 1"}},
        });
    }
    void finance()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(outcome(engine, program), "shown");
    }

    // The home screen's last line: Fix, Sci and Eng change how numbers are
    // shown wherever the screen shows them, never the numbers.
    void display_data()
    {
        addRows({
            {"Fix 3 of a whole number", {"Fix 3\n1", "1.000"}},
            {"Fix 3 rounds", {"Fix 3\n3.14156", "3.142"}},
            {"Fix 1 rounds up", {"Fix 1\n3.97", "4.0"}},
            {"Fix 9 stops at ten digits", {"Fix 9\n123456789.1", "123456789.1"}},
            {"Fix 0", {"Fix 0\n2.5", "3"}},
            {"Fix keeps the value", {"Fix 0\n2.5→A\nFloat\nA", "2.5"}},
            {"Fix of a tiny number", {"Fix 2\n.0001", "1.00ᴇ⁻4"}},
            {"Fix of a negative", {"Fix 2\n⁻1/3", "⁻.33"}},
            {"Fix of a list", {"Fix 1\n{1,2.25}", "{1.0 2.3}"}},
            {"Float shows ten digits", {"Float\n1234567890.7", "1234567891"}},
            {"Float hides the rest", {"1.0000000003", "1"}},
            {"Sci", {"Sci\n1000", "1ᴇ3"}},
            {"Sci of a list", {"Sci\n{1,2,3}", "{1ᴇ0 2ᴇ0 3ᴇ0}"}},
            {"Sci with Fix", {"Sci\nFix 2\n12345", "1.23ᴇ4"}},
            {"Eng", {"Eng\n12345", "12.345ᴇ3"}},
            {"Eng of a small number", {"Eng\n.00012", "120ᴇ⁻6"}},
            {"Eng with Fix", {"Eng\nFix 2\n12345", "12.35ᴇ3"}},
            {"Normal again", {"Sci\nNormal\n1000", "1000"}},
            {"Disp in Fix", {"Fix 2\nDisp 1/3\n", ".33"}},
            {"Output( in Fix", {"ClrHome\nFix 2\nOutput(1,1,1/3", ".33"}},
            {"a complex number in Fix", {"Fix 2\n1/3+2𝑖", ".33+2.00𝑖"}},
            {"a matrix in Fix", {"Fix 1\n[[1,2]]", "[[1.0 2.0]]"}},
            {"►Frac in Fix", {"Fix 2\n.5►Frac", "1/2"}},
            {"Disp of ►DMS", {"Degree\nDisp 100/9°►DMS", "11°6'40\""}},
            {"Disp of ►Polar", {"Disp 2𝑖►Polar", "2ℯ^(1.570796327…"}},
        });
    }
    void display()
    {
        QFETCH(QString, program);
        Engine engine;
        const QString o = outcome(engine, program);
        const HomeScreen &s = engine.screen();
        int last = s.lastWasOutput() ? 0 : s.cursorRow() - 1;
        if (s.row(last).trimmed() == QLatin1String("Done"))
            --last;
        QTEST(o.startsWith(QLatin1String("ERR:")) ? o : s.row(last).trimmed(), "shown");
    }

    // A..θ and list elements hold complex numbers as on the calculator;
    // matrices hold reals only.
    void complexVariables_data()
    {
        addRows({
            {"stored in A", {"3+4𝑖→A\nA", "3+4𝑖"}},
            {"used from A", {"3+4𝑖→A\nabs(A)", "5"}},
            {"a real again", {"3+4𝑖→A\n2→A\nA+1", "3"}},
            {"a zero imaginary part is real", {"𝑖²→A\nA<0", "1"}},
            {"DelVar clears it", {"𝑖→A\nDelVar A\nA", "0"}},
            {"calculus keeps it", {"𝑖→X\nfnInt(X,X,0,1)\nX", "𝑖"}},
            {"For makes it real", {"𝑖→I\nFor(I,1,2)\nEnd\nI", "3"}},
            {"a list of them", {"{1,2𝑖}", "{1 2𝑖}"}},
            {"an element stored", {"{1,2,3}→L₁\n𝑖→L₁(2)\nL₁", "{1 𝑖 3}"}},
            {"an element added", {"{1}→L₁\n𝑖→L₁(2)\ndim(L₁)", "2"}},
            {"an element read", {"{1,2𝑖}→L₁\nL₁(2)²", "⁻4"}},
            {"a real element of a complex list", {"{1,2𝑖}→L₁\n5→L₁(1)\nL₁(1)", "5"}},
            {"arithmetic", {"{1,2𝑖}+{𝑖,1}", "{1+𝑖 1+2𝑖}"}},
            {"times i", {"𝑖{1,2}", "{𝑖 2𝑖}"}},
            {"real parts again", {"{𝑖,1}²", "{⁻1 1}"}},
            {"imag of a list", {"imag({1,2𝑖})", "{0 2}"}},
            {"into a named list", {"{𝑖}→ʟCX\nʟCX(1)", "𝑖"}},
            {"into a list by a letter", {"{1,𝑖}→X\nʟX(2)", "𝑖"}},
            {"other sizes", {"{1,𝑖}+{1}", "ERR:DIM MISMATCH line 1"}},
            {"not in a matrix", {"[[1,𝑖]]", "ERR:DATA TYPE line 1"}},
            {"not in a matrix element", {"[[1,2]]→[A]\n𝑖→[A](1,1)", "ERR:DATA TYPE line 2"}},
            {"sum of them", {"sum({1,𝑖,2𝑖})", "1+3𝑖"}},
            {"prod of part of them", {"prod({5,𝑖,𝑖},2,3)", "⁻1"}},
            {"not in other list functions", {"median({1,𝑖})", "ERR:DATA TYPE line 1"}},
        });
    }
    void complexVariables()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(outcome(engine, program), "shown");
    }

    // An answer typed at Input may be complex.
    void complexInput()
    {
        Engine engine;
        engine.host().nextAnswer = [](QString *answer) {
            *answer = QStringLiteral("1+2𝑖");
            return true;
        };
        QCOMPARE(outcome(engine, "Input A\nA²"), QStringLiteral("⁻3+4𝑖"));
    }

    // 𝑖 is one character of the screen though two UTF-16 units.
    void imaginaryUnitTakesOneColumn()
    {
        Engine engine;
        engine.run(testing::programBytes("a+bi\nDisp 1234567.891+.25𝑖,\"A𝑖\""));
        QCOMPARE(engine.screen().row(0), QStringLiteral("1234567.891+.25𝑖"));
        QCOMPARE(engine.screen().row(1), QStringLiteral("A𝑖"));
        engine.run(testing::programBytes("ClrHome\nOutput(1,15,1+2𝑖"));
        QCOMPARE(engine.screen().row(0), QStringLiteral("              1+"));
        QCOMPARE(engine.screen().row(1), QStringLiteral("2𝑖"));
    }

    void system_data()
    {
        addRows({
            {"randIntNoRep holds each once",
             {"randIntNoRep(1,6)→L₁\nSortA(L₁)\nL₁", "{1 2 3 4 5 6}"}},
            {"randIntNoRep of a deck", {"dim(randIntNoRep(0,51))", "52"}},
            {"randIntNoRep follows the seed",
             {"7→rand\nrandIntNoRep(1,9)→L₁\n7→rand\nmin(randIntNoRep(1,9)=L₁)", "1"}},
            {"randIntNoRep shuffles", {"7→rand\nrandIntNoRep(1,30)≠seq(X,X,1,30)\nmax(Ans)", "1"}},
            {"randIntNoRep of some", {"dim(randIntNoRep(1,9,4))", "4"}},
            {"randIntNoRep of a fraction", {"randIntNoRep(1,2.5)", "ERR:DOMAIN line 1"}},
            {"setDate", {"setDate(2008,1,1)\ngetDate", "{2008 1 1}"}},
            {"setDate keeps the time", {"setDate(2008,1,1)\ngetTime", "{12 0 0}"}},
            {"setTime", {"setTime(13,30,5)\ngetTime", "{13 30 5}"}},
            {"setTime moves the timer", {"startTmr→T\nsetTime(13,0,0)\ncheckTmr(T)", "3600"}},
            {"setDate of no such day", {"setDate(2007,2,29)", "ERR:DOMAIN line 1"}},
            {"setTime of 24", {"setTime(24,0,0)", "ERR:DOMAIN line 1"}},
            {"getDtStr after setDate", {"setDate(2008,7,4)\ngetDtStr(3)", "08/07/04"}},
            {"date format", {"{getDtFmt,getTmFmt}", "{1 12}"}},
            {"setDtFmt", {"setDtFmt(3)\ngetDtFmt", "3"}},
            {"setDtFmt of 4", {"setDtFmt(4)", "ERR:DOMAIN line 1"}},
            {"setTmFmt", {"setTmFmt(24)\ngetTmFmt", "24"}},
            {"setTmFmt of 13", {"setTmFmt(13)", "ERR:DOMAIN line 1"}},
            {"ClockOff", {"ClockOff\nisClockOn", "0"}},
            {"ClockOn", {"ClockOff\nClockOn\nisClockOn", "1"}},
            {"timeCnv", {"timeCnv(90061)", "{1 1 1 1}"}},
            {"timeCnv of a fraction", {"timeCnv(59.9)", "{0 0 0 59}"}},
            {"timeCnv of a negative", {"timeCnv(⁻1)", "ERR:DOMAIN line 1"}},
            {"OpenLib", {"OpenLib(USBDRV8X", "ERR:UNDEFINED line 1"}},
            {"ExecLib", {"{6\nExecLib", "ERR:INVALID line 2"}},
            {"GarbageCollect", {"5\nGarbageCollect", "5"}},
            {"STATWIZARD", {"STATWIZARD OFF\n2", "2"}},
            {"pieceWise", {"3→X\npieceWise(X²+2,X≥0,⁻X,X<0)", "11"}},
            {"pieceWise's second piece", {"⁻5→X\npieceWise(X²+2,X≥0,⁻X,X<0)", "5"}},
            {"pieceWise of no piece", {"⁻5→X\npieceWise(X²+2,X≥0)", "ERR:DOMAIN line 2"}},
            {"pieceWise of half a piece", {"pieceWise(1,1,2)", "ERR:ARGUMENT line 1"}},
            {"an editor item", {"Undo Clear", "ERR:SYNTAX line 1"}},
        });
    }
    void system()
    {
        QFETCH(QString, program);
        Engine engine;
        fixedClock(engine);
        QTEST(outcome(engine, program), "shown");
    }
};

TORVANE_TEST(TstNumbers);
#include "tst_numbers.moc"
