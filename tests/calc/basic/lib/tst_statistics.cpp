// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rest of the statistics: the t, χ², F and geometric distributions,
// the tests and intervals in their data and numbers forms, the later
// regressions against fits worked out by hand, the results screen a
// statistics command ends a program on, and the shaded densities.
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::basic;

namespace
{

using testing::addRows;
using testing::outcome;

QStringList screenRows(Engine &engine)
{
    QStringList rows;
    for (int r = 0; r < HomeScreen::kRows; ++r)
        rows << engine.screen().row(r).trimmed();
    return rows;
}

} // namespace

class TstStatistics : public QObject
{
    Q_OBJECT

private slots:
    // Values worked out to 25 digits apart from the engine; the wiki's
    // rows where it gives them.
    void distributions_data()
    {
        addRows({
            {"tpdf", {"tpdf(1.5,5)", ".1245173446"}},
            {"tpdf of a list", {"tpdf({0,1},1)", "{.3183098862 .1591549431}"}},
            {"tcdf", {"tcdf(⁻2,2,10)", ".9266119652"}},
            {"tcdf tail", {"tcdf(3,ᴇ99,4)", ".019970984"}},
            {"tcdf of one df is Cauchy", {"tcdf(⁻1,1,1)", ".5"}},
            {"tcdf reversed", {"tcdf(2,⁻2,10)", "⁻.9266119652"}},
            {"tcdf of df 0", {"tcdf(0,1,0)", "ERR:DOMAIN line 1"}},
            {"invT", {"invT(.95,24)", "1.71088208"}},
            {"invT low", {"invT(.01,3)", "⁻4.540702859"}},
            {"invT of one df", {"invT(.75,1)", "1"}},
            {"invT of .5", {"invT(.5,7)", "0"}},
            {"invT of 1", {"invT(1,5)", "ERR:DOMAIN line 1"}},
            {"χ²pdf", {"χ²pdf(2,3)", ".2075537487"}},
            {"χ²cdf", {"χ²cdf(0,19.68,11)", ".9500728238"}},
            {"χ²cdf tail", {"χ²cdf(30,ᴇ99,10)", "8.566412108ᴇ⁻4"}},
            {"χ²cdf below 0", {"χ²cdf(⁻5,0,3)", "0"}},
            {"Fpdf", {"Fpdf(1.5,4,6)", ".25"}},
            {"Fcdf", {"Fcdf(0,2.5,4,6)", ".8483886719"}},
            {"Fcdf tail", {"Fcdf(5,ᴇ99,3,20)", ".0095103375"}},
            {"Fcdf of df 0", {"Fcdf(0,1,0,3)", "ERR:DOMAIN line 1"}},
            {"geometpdf", {"geometpdf(1/3,3)", ".1481481481"}},
            {"geometpdf of a list", {"geometpdf(.5,{1,2,3})", "{.5 .25 .125}"}},
            {"geometcdf", {"geometcdf(.25,4)", ".68359375"}},
            {"geometcdf sums geometpdf", {"geometcdf(.3,5)=sum(geometpdf(.3,{1,2,3,4,5}))", "1"}},
            {"geometpdf of p 0", {"geometpdf(0,3)", "ERR:DOMAIN line 1"}},
            {"geometpdf past 1", {"geometpdf(1.1,3)", "ERR:DOMAIN line 1"}},
            {"geometpdf of trial 0", {"geometpdf(.5,0)", "ERR:DOMAIN line 1"}},
            {"invBinom", {"invBinom(.5,10,.3)", "3"}},
            {"invBinom is binomcdf's inverse", {"invBinom(binomcdf(20,.4,7),20,.4)", "7"}},
            {"invBinom of area past 1", {"invBinom(1.5,10,.3)", "ERR:DOMAIN line 1"}},
            // Past a thousand terms the areas come from the incomplete beta
            // and gamma functions (or the normal): a moment, not hours.
            {"binomcdf of a billion trials", {"round(binomcdf(1ᴇ9,.5,5ᴇ8),8)", ".50001262"}},
            {"binomcdf sums past a thousand terms",
             {"round(binomcdf(2000,.3,600)-sum(binompdf(2000,.3,seq(K,K,0,600))),9)", "0"}},
            {"binomcdf beyond the fraction's reach", {"binomcdf(1ᴇ99,.5,5ᴇ98)", ".5"}},
            {"invBinom of a billion trials", {"invBinom(.5,1ᴇ9,.5)", "500000000"}},
            {"invBinom past whole numbers", {"invBinom(.5,1ᴇ99,.5)", "5ᴇ98"}},
            {"poissoncdf of a large mean", {"round(poissoncdf(1ᴇ9,1ᴇ9),7)", ".5000084"}},
            {"poissoncdf sums past a thousand terms",
             {"round(poissoncdf(1500,1490)-poissoncdf(1500,999)-sum(poissonpdf(1500,seq(K,K,1000,"
              "1490))),9)",
              "0"}},
            {"t of huge freedom is normal",
             {"{tcdf(0,1,1ᴇ99),round(invT(.114,3.71ᴇ99)-invNorm(.114),9)}", "{.3413447461 0}"}},
        });
    }
    void distributions()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(outcome(engine, program), "shown");
    }

    // The wiki's sample problems, and figures worked out apart for the rest.
    void tests_data()
    {
        addRows({
            {"Z-Test from numbers",
             {"Z-Test(10,2,11.2,30,1\n{[z],[p],ẋ,[n]}", "{3.286335345 5.075004736ᴇ⁻4 11.2 30}"}},
            {"Z-Test from L₁",
             {"{1,2,3,4,5→L₁\nZ-Test(2,1\n{[z],ẋ,[Sx],[n]}", "{2.236067977 3 1.58113883 5}"}},
            {"Z-Test below", {"Z-Test(10,2,11.2,30,⁻3\n[p]", ".9994924995"}},
            {"Z-Test of σ 0", {"Z-Test(10,0,11.2,30", "ERR:DOMAIN line 1"}},
            {"T-Test from numbers",
             {"T-Test 10,11.2,1.3,30,1\n{[t],[p],[df]}", "{5.055900531 1.08577683ᴇ⁻5 29}"}},
            {"T-Test from a list with frequencies",
             {"T-Test 2,{1,2,3},{1,1,3}\n{[n],ẋ}", "{5 2.4}"}},
            {"2-SampZTest",
             {"2-SampZTest(200,200,1737,60,1623,40,1\n{[z],[p],ẋ₁,n₂}",
              "{2.792418307 .0026157838 1737 40}"}},
            {"2-SampZTest from lists with frequencies",
             {"2-SampZTest(1,1,{1,2},{3,4},{1,1},{2,2}\n{ẋ₁,ẋ₂,n₁,n₂,Sx₁}",
              "{1.5 3.5 2 4 .7071067812}"}},
            {"2-SampTTest",
             {"2-SampTTest 1737,211,60,1623,218,40,1\n{[t],[p]}", "{2.594854858 .0056059825}"}},
            {"2-SampTTest pooled",
             {"2-SampTTest 1737,211,60,1623,218,40,0,1\n{[t],[p],[df],[Sxp]}",
              "{2.612017131 .0104164976 98 213.8131694}"}},
            {"2-SampTTest from L₁ and L₂",
             {"{1,2,3,4→L₁\n{2,4,6,8→L₂\n2-SampTTest\n{ẋ₁,ẋ₂,n₁}", "{2.5 5 4}"}},
            {"1-PropZTest",
             {"1-PropZTest(.5,22,50\n{[z],[p],[ṗ]}", "{⁻.8485281374 .3961439092 .44}"}},
            {"1-PropZTest of p₀ 1", {"1-PropZTest(1,22,50", "ERR:DOMAIN line 1"}},
            {"1-PropZTest of x past n", {"1-PropZTest(.5,60,50", "ERR:DOMAIN line 1"}},
            {"2-PropZTest",
             {"2-PropZTest(22,50,48,100\n{[z],[p],[ṗ],ṗ₁,ṗ₂}",
              "{⁻.4629100499 .6434288436 .4666666667 .44 .48}"}},
            {"2-PropZTest of a fraction", {"2-PropZTest(22.5,50,48,100", "ERR:DOMAIN line 1"}},
            {"χ²-Test",
             {"[[40,10][27,6][11,6→[A]\nχ²-Test([A],[B]\n{χ²,[p],[df]}",
              "{2.14776311 .3416796916 2}"}},
            {"χ²-Test stores the expected counts",
             {"[[10,20][30,40→[A]\nχ²-Test([A],[C]\n[C]", "[[12 18] [28 42]]"}},
            {"χ²-Test of one row", {"χ²-Test([[1,2]],[B]", "ERR:INVALID DIM line 1"}},
            {"χ²GOF-Test",
             {"{17,21,18,10,24,28,24→L₁\n142/7{1,1,1,1,1,1,1→L₂\nχ²GOF-Test(L₁,L₂,6\n{χ²,[p]}",
              "{10.32394366 .1116563376}"}},
            {"χ²GOF-Test's contributions",
             {"χ²GOF-Test({10,20},{15,15},1\nʟCNTRB", "{1.666666667 1.666666667}"}},
            {"χ²GOF-Test of other sizes",
             {"χ²GOF-Test({1,2,3},{1,2},1", "ERR:DIM MISMATCH line 1"}},
            {"χ²GOF-Test of df 0", {"χ²GOF-Test({1,2},{1,2},0", "ERR:DOMAIN line 1"}},
            {"2-SampFTest", {"2-SampFTest 2,10,1.5,12\n{[|F],[p]}", "{1.777777778 .3645648977}"}},
            {"2-SampFTest from lists",
             {"2-SampFTest {1,2,3,4},{2,4,6,8}\n{[|F],ẋ₁,n₂}", "{.25 2.5 4}"}},
            {"2-SampFTest above", {"2-SampFTest 2,10,1.5,12,1\n[p]", ".1822824489"}},
            {"ANOVA(",
             {"ANOVA({1,2,3},{4,5,6},{7,8,10}\n{[|F],[p],[Sxp]}",
              "{20.84615385 .0019911718 1.201850425}"}},
            {"ANOVA('s factor and error",
             {"ANOVA({1,2,3},{4,5,6},{7,8,10}\n{[factordf],[factorSS],[errordf],[errorMS]}",
              "{2 60.22222222 6 1.444444444}"}},
            {"ANOVA( of one list", {"ANOVA({1,2,3}", "ERR:ARGUMENT line 1"}},
            {"Z-Test( without σ", {"Z-Test(0", "ERR:ARGUMENT line 1"}},
            {"1-PropZTest( short", {"1-PropZTest(.5,3", "ERR:ARGUMENT line 1"}},
            {"2-PropZInt( short", {"2-PropZInt(1,2,3", "ERR:ARGUMENT line 1"}},
            {"χ²GOF-Test( short", {"χ²GOF-Test({1,2},{1,2}", "ERR:ARGUMENT line 1"}},
            {"ANOVA( of a number", {"ANOVA({1,2,3},5", "ERR:SYNTAX line 1"}},
            {"T-Test of fractional frequencies", {"T-Test 2,{1,2,3},{1,.5,1}", "ERR:STAT line 1"}},
            {"T-Test of frequencies of another size",
             {"T-Test 2,{1,2,3},{1,1}", "ERR:DIM MISMATCH line 1"}},
            {"a test variable before any test", {"[p]", "ERR:UNDEFINED line 1"}},
            {"a test variable is not stored to", {"5→[p]", "ERR:SYNTAX line 1"}},
            {"a test is no value", {"1+Z-Test(0,1,1,1)", "ERR:SYNTAX line 1"}},
        });
    }
    void tests()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(outcome(engine, program), "shown");
    }

    void intervals_data()
    {
        addRows({
            {"ZInterval from numbers",
             {"ZInterval 6,63,30\n{[lower],[upper]}", "{60.85296703 65.14703297}"}},
            {"ZInterval level as a percentage",
             {"ZInterval 6,63,30,95\n{[lower],[upper]}", "{60.85296703 65.14703297}"}},
            {"ZInterval level past 100", {"ZInterval 6,63,30,100", "ERR:DOMAIN line 1"}},
            {"TInterval from numbers",
             {"TInterval 63,6,30\n{[lower],[upper]}", "{60.75956318 65.24043682}"}},
            {"ZInterval from a list with frequencies",
             {"ZInterval 1,{1,2},{1,3},50\n{ẋ,[n],round([upper]-[lower],5)}", "{1.75 4 .67449}"}},
            {"TInterval of one", {"TInterval 63,6,1", "ERR:DOMAIN line 1"}},
            {"TInterval from L₁", {"{1,2,3,4,5→L₁\nTInterval\n{ẋ,[Sx],[n]}", "{3 1.58113883 5}"}},
            {"2-SampZInt",
             {"2-SampZInt(200,200,1737,60,1623,40\n{[lower],[upper]}",
              "{33.98480539 194.0151946}"}},
            {"2-SampTInt",
             {"2-SampTInt 57,5.2,40,67,7.1,40\n{[lower],[upper],[df]}",
              "{⁻12.77422618 ⁻7.225773822 71.49083954}"}},
            {"1-PropZInt", {"1-PropZInt(22,50\nround({[lower],[upper]},5)", "{.30241 .57759}"}},
            {"2-PropZInt",
             {"2-PropZInt(22,50,28,75\nround({[lower],[upper]},5)", "{⁻.10916 .24249}"}},
        });
    }
    void intervals()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(outcome(engine, program), "shown");
    }

    // Exact fits of known curves, and the wiki's rows.
    void regressions_data()
    {
        addRows({
            {"CubicReg",
             {"CubicReg {0,1,2,3,4},{⁻4,⁻2,2,14,40}\nround({[|a],[|b],[|c],[|d],R²},9)",
              "{1 ⁻2 3 ⁻4 1}"}},
            {"CubicReg of three points", {"CubicReg {1,2,3},{1,2,5}", "ERR:SINGULAR MAT line 1"}},
            {"QuartReg",
             {"QuartReg {⁻2,⁻1,0,1,2,3},{17,2,1,2,17,82}\nround({[|a],[|b],[|c],[|d],[|e]},9)",
              "{1 0 0 0 1}"}},
            {"LnReg", {"LnReg {1,2,4,8},{1,2,3,4}\n{[|a],[|b],[r]}", "{1 1.442695041 1}"}},
            {"LnReg of x 0", {"LnReg {0,1},{1,2}", "ERR:DOMAIN line 1"}},
            {"PwrReg", {"PwrReg {1,2,4},{3,12,48}\nround({[|a],[|b],[r]},9)", "{3 2 1}"}},
            {"PwrReg of a negative y", {"PwrReg {1,2},{1,⁻2}", "ERR:DOMAIN line 1"}},
            {"Med-Med",
             {"{9,13,21,30,31,31,34→L₁\n{260,320,420,530,560,550,590→L₂\nMed-Med\n{[|a],[|b]}",
              "{13.02325581 144.2635659}"}},
            {"Med-Med's summary points",
             {"Med-Med {9,13,21,30,31,31,34},{260,320,420,530,560,550,590}\n{x₁,x₂,x₃,y₁,y₂,y₃}",
              "{11 30 32.5 290 530 570}"}},
            {"SinReg",
             {"seq(K,K,1,12→L₁\n3sin(.5L₁+1)+4→L₂\nSinReg\nround({[|a],[|b],[|c],[|d]},6)",
              "{3 .5 1 4}"}},
            {"SinReg with a period",
             {"seq(K,K,1,12→L₁\n3sin(.5L₁+1)+4→L₂\nSinReg "
              "16,L₁,L₂,4π\nround({[|a],[|b],[|c],[|d]},9)",
              "{3 .5 1 4}"}},
            // Hundreds of points: the frequency search steps sin and cos along
            // without trigonometry, 2000 steps, and still finds the true one.
            {"SinReg of many points",
             {"seq(K,K,1,400→L₁\n2sin(.03L₁-.5)+1→L₂\nSinReg\nround({[|a],[|b],[|c],[|d]},6)",
              "{2 .03 ⁻.5 1}"}},
            // The least squares' own minimum, worked out to 50 digits: where
            // the cost is flat the slope still has to pin the last digits.
            {"SinReg of scattered points",
             {"SinReg {1,2,3,4,5,6,7,8},{1,5,2,7,3,3,9,1}\nround(1E11({[|a],[|b],[|c],[|d]}-"
              "{3.197160031689,2.546779082051,3.103807119221,4.137736705505}),0)",
              "{0 0 0 0}"}},
            {"SinReg of three points", {"SinReg {1,2,3},{1,2,1}", "ERR:SINGULAR MAT line 1"}},
            {"Logistic",
             {"{0,1,2,3,4,5,6→L₁\n10/(1+5e^(⁻L₁→L₂\nLogistic\nround({[|a],[|b],[|c]},5)",
              "{5 1 10}"}},
            {"LinRegTTest",
             {"{9,13,21,30,31,31,34→L₁\n{260,320,420,530,560,550,590→L₂\nLinRegTTest\n{[t],[p],["
              "df],[|a],[|b],[s],r²}",
              "{53.71561274 4.228534407ᴇ⁻8 5 145.3808831 13.09073265 5.913823968 .9982701159}"}},
            {"LinRegTInt",
             {"LinRegTInt "
              "{4,5,6,7,8},{1,2,3,3.5,4.5}\n{round([lower],5),round([upper],4),[|b],[df],["
              "s],[|a],r²}",
              "{.69088 1.0091 .85 3 .158113883 ⁻2.3 .9897260274}"}},
            {"a regression to Y₁", {"PwrReg {1,2,4},{3,12,48},Y₁\n5→X\nround(Y₁,6)", "75"}},
            {"CubicReg to Y₁", {"CubicReg {0,1,2,3,4},{⁻4,⁻2,2,14,40},Y₁\n5→X\nround(Y₁,6)", "86"}},
            {"SinReg to Y₁",
             {"seq(K,K,1,12→L₁\n3sin(.5L₁+1)+4→L₂\nSinReg L₁,L₂,Y₁\n0→X\nround(Y₁,5)", "6.52441"}},
            {"Logistic to Y₁",
             {"{0,1,2,3,4,5,6→L₁\nLogistic L₁,10/(1+5e^(⁻L₁)),Y₁\n0→X\nround(Y₁,5)", "1.66667"}},
            {"Manual-Fit corner to corner",
             {"0→Xmin:10→Xmax:0→Ymin:5→Ymax\nManual-Fit Y₂\n3→X\nY₂", "1.5"}},
            {"ʟRESID after LinReg",
             {"LinReg(ax+b) {1,2,3},{1,4,5}\nʟRESID", "{⁻.3333333333 .6666666667 ⁻.3333333333}"}},
            {"ʟRESID after PwrReg", {"PwrReg {1,2,4},{3,12,48}\nround(ʟRESID,9)", "{0 0 0}"}},
            {"the regression's d before one", {"[|d]", "ERR:UNDEFINED line 1"}},
        });
    }
    void regressions()
    {
        QFETCH(QString, program);
        Engine engine;
        QTEST(outcome(engine, program), "shown");
    }

    // A statistics command the program ends on leaves its results screen
    // (its first page); anywhere else it shows nothing.
    void resultsScreen_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("LinReg last")
            << "LinReg(ax+b) {1,2,3},{1,3,5}"
            << QStringList{"LinReg", "y=ax+b", "a=2", "b=⁻1", "", "", "", ""};
        QTest::newRow("LinReg with diagnostics")
            << "DiagnosticOn\nLinReg(ax+b) {1,2,3},{1,3,5}"
            << QStringList{"LinReg", "y=ax+b", "a=2", "b=⁻1", "r²=1", "r=1", "", ""};
        QTest::newRow("LinReg not last") << "LinReg(ax+b) {1,2,3},{1,3,5}\nDelVar A"
                                         << QStringList{"Done", "", "", "", "", "", "", ""};
        QTest::newRow("Z-Test last")
            << "Z-Test(10,2,11.2,30,1"
            << QStringList{"Z-Test", "μ>10", "z=3.286335345", "p=5.0750047ᴇ⁻4", "x̄=11.2", "n=30",
                           "",       ""};
        QTest::newRow("1-PropZInt last")
            << "1-PropZInt(22,50"
            << QStringList{"1-PropZInt", "(.30241,.57759)", "p̂=.44", "n=50", "", "", "", ""};
        QTest::newRow("LinRegTTest last, as the wiki shows it")
            << "{9,13,21,30,31,31,34→L₁\n{260,320,420,530,560,550,590→L₂\nLinRegTTest"
            << QStringList{"LinRegTTest",    "y=a+bx", "β≠0 and ρ≠0",   "t=53.71561274",
                           "p=4.2285344ᴇ⁻8", "df=5",   "a=145.3808831", "b=13.09073265"};
        QTest::newRow("LinRegTTest not last") << "LinRegTTest {1,2,3,4},{1,3,2,5}\nDelVar A"
                                              << QStringList{"Done", "", "", "", "", "", "", ""};
        QTest::newRow("ANOVA( last")
            << "ANOVA({1,2,3},{4,5,6},{7,8,10}"
            << QStringList{"One-way ANOVA", "F=20.84615385", "p=.0019911718", "Factor",
                           "df=2",          "SS=60.2222222", "MS=30.1111111", "Error"};
        QTest::newRow("2-Var Stats last")
            << "2-Var Stats {1,2},{3,4}" << QStringList{"2-Var Stats",    "x̄=1.5", "Σx=3", "Σx²=5",
                                                        "Sx=.7071067812", "σx=.5", "n=2",  ""};
    }
    void resultsScreen()
    {
        QFETCH(QString, program);
        Engine engine;
        QCOMPARE(int(engine.run(testing::programBytes(program)).error), int(Error::None));
        QTEST(screenRows(engine), "rows");
    }

    // The density is drawn and the area under it between the bounds shaded:
    // more lit within the bounds than outside, none past them below the curve.
    void shadedDensities_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<double>("inside");
        QTest::addColumn<double>("outside");
        QTest::newRow("ShadeNorm") << "ShadeNorm(⁻1,1" << .5 << 2.;
        QTest::newRow("ShadeNorm scaled") << "13→Xmax:7→Xmin:ShadeNorm(9,11,10,2.5" << 10.5 << 12.5;
        QTest::newRow("Shade_t") << "Shade_t(⁻1,1,4" << .5 << 2.;
        QTest::newRow("Shadeχ²") << "⁻.5→Xmin:5→Xmax:Shadeχ²(⁻1,1,3" << .5 << 3.;
        QTest::newRow("ShadeF") << "⁻.5→Xmin:5→Xmax:ShadeF(⁻1,1,4,6" << .5 << 3.;
    }
    void shadedDensities()
    {
        QFETCH(QString, program);
        QFETCH(double, inside);
        QFETCH(double, outside);
        Engine engine;
        const QString window = "AxesOff:⁻3→Xmin:3→Xmax:⁻.05→Ymin:.5→Ymax:";
        QCOMPARE(int(engine.run(testing::programBytes(window + program)).error), int(Error::None));
        QVERIFY(engine.graphShown());
        const GraphScreen &g = engine.graph();
        const double xmin = double(g.window(GraphScreen::Xmin).toLongDouble());
        const double xmax = double(g.window(GraphScreen::Xmax).toLongDouble());
        auto lit = [&](double x) {
            const int c = int((x - xmin) / (xmax - xmin) * (GraphScreen::kColumns - 1) + 0.5);
            int n = 0;
            for (int r = 0; r < GraphScreen::kRows; ++r)
                n += g.pixel(r, c);
            return n;
        };
        QVERIFY(lit(inside) > 5);
        QVERIFY(lit(outside) <= 3);
    }

    // draw? 1: the test's distribution over a window of its own, the tails
    // past ±z shaded and the middle left empty; no results screen.
    void drawnTest()
    {
        Engine engine;
        QCOMPARE(int(engine.run(testing::programBytes("Z-Test(0,1,1,1,0,1")).error),
                 int(Error::None));
        QVERIFY(engine.graphShown());
        const GraphScreen &g = engine.graph();
        QCOMPARE(g.window(GraphScreen::Xmax).display(), QStringLiteral("3.5"));
        auto lit = [&](double x) {
            const int c = int((x + 3.5) / 7 * (GraphScreen::kColumns - 1) + 0.5);
            int n = 0;
            for (int r = 0; r < GraphScreen::kRows; ++r)
                n += g.pixel(r, c);
            return n;
        };
        QVERIFY(lit(1.5) > 8);
        QVERIFY(lit(-1.5) > 8);
        QVERIFY(lit(.5) <= 3);
        QCOMPARE(engine.screen().row(0).trimmed(), QStringLiteral("Done"));
    }
};

TORVANE_TEST(TstStatistics);
#include "tst_statistics.moc"
