// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Modes and formats, the window and zooms, pictures and graph databases,
// the archive and the clock, each row from the command's documented result.
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/basic/EngineRows.h"
#include "calc/basic/core/Engine.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace calc::basic;

namespace
{

QByteArray bytes(const QString &program)
{
    return testing::programBytes(program);
}

// The error's name, or the home screen's last line.
QString outcome(Engine &engine, const QString &program)
{
    const Outcome out = engine.run(bytes(program));
    if (out.error != Error::None)
        return errorName(out.error) + (out.detail.isEmpty() ? QString() : ' ' + out.detail);
    const QStringList lines = engine.screen().text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

// Sunday 30 December 2007, 13:05:09.
QDateTime clockNow()
{
    return QDateTime(QDate(2007, 12, 30), QTime(13, 5, 9));
}

} // namespace

class TstModes : public QObject
{
    Q_OBJECT

private slots:
    void results_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shown");
        // Number display.
        QTest::newRow("Fix 2 rounds") << "Fix 2:1/3"
                                      << ".33";
        QTest::newRow("Fix 2 pads") << "Fix 2:5"
                                    << "5.00";
        QTest::newRow("Fix too small turns scientific") << "Fix 2:.001"
                                                        << "1.00ᴇ⁻3";
        QTest::newRow("Fix keeps ten figures") << "Fix 9:123456.7"
                                               << "123456.7000";
        QTest::newRow("Fix in a list") << "Fix 1:{1,2.25}"
                                       << "{1.0 2.3}";
        QTest::newRow("Float again") << "Fix 2:Float:1/3"
                                     << ".3333333333";
        QTest::newRow("Sci") << "Sci:12345"
                             << "1.2345ᴇ4";
        QTest::newRow("Sci negative") << "Sci:⁻.05"
                                      << "⁻5ᴇ⁻2";
        QTest::newRow("Sci Fix") << "Sci:Fix 2:12345"
                                 << "1.23ᴇ4";
        QTest::newRow("Eng") << "Eng:12345"
                             << "12.345ᴇ3";
        QTest::newRow("Eng small") << "Eng:.00042"
                                   << "420ᴇ⁻6";
        QTest::newRow("Normal again") << "Sci:Normal:12345"
                                      << "12345";
        QTest::newRow("Fix 0 out of range") << "Fix 10"
                                            << "ERR:DOMAIN";
        // Angles.
        QTest::newRow("Degree") << "Degree:sin(90)"
                                << "1";
        QTest::newRow("Radian") << "Degree:Radian:cos(0)"
                                << "1";
        // Every other setting is kept without a word.
        QTest::newRow("graphing modes") << "Func:Param:Polar:Seq:Func"
                                        << "Done";
        QTest::newRow("screen modes") << "Full:Horiz:G-T:Full"
                                      << "Done";
        QTest::newRow("format pairs") << "Connected:Dot:Sequential:Simul:CoordOn:CoordOff"
                                      << "Done";
        QTest::newRow("more format pairs") << "GridOn:GridOff:LabelOn:LabelOff:RectGC:PolarGC"
                                           << "Done";
        QTest::newRow("expression and plots") << "ExprOn:ExprOff:PlotsOn :PlotsOff 1,3"
                                              << "Done";
        QTest::newRow("PlotsOff 4") << "PlotsOff 4"
                                    << "ERR:DOMAIN";
        QTest::newRow("diagnostics") << "DiagnosticOn:DiagnosticOff"
                                     << "Done";
        QTest::newRow("number modes") << "Real:a+bi:re^θi:Real"
                                      << "Done";
        QTest::newRow("output modes") << "[MATHPRINT]:[CLASSIC]"
                                      << "Done";
        QTest::newRow("clear commands") << "ClrTable:Clear Entries:IndpntAuto"
                                        << "Done";
        QTest::newRow("FnOff FnOn") << "FnOff :FnOn 1,2"
                                    << "Done";
        QTest::newRow("FnOff past Y0") << "FnOff 10"
                                       << "ERR:DOMAIN";
        QTest::newRow("SetUpEditor makes its lists") << "SetUpEditor L₅,ABC:dim(ʟABC)"
                                                     << "0";
        QTest::newRow("ClrAllLists") << "{1,2}→L₁:{3}→ʟAB:ClrAllLists:dim(L₁)+dim(ʟAB)"
                                     << "0";
        // The window.
        QTest::newRow("ZDecimal") << "ZDecimal:{Xmin,Xmax,Ymin}"
                                  << "{⁻4.7 4.7 ⁻3.1}";
        QTest::newRow("ZDecimal's pixels") << "ZDecimal:{Ymax,ΔX,ΔY}"
                                           << "{3.1 .1 .1}";
        QTest::newRow("ZDecimal in G-T") << "G-T:ZDecimal:{Xmax,Ymax}"
                                         << "{2.3 2.5}";
        QTest::newRow("ZInteger centres") << "⁻2→Xmin:6→Xmax:ZInteger:{Xmin,Xmax,Xscl}"
                                          << "{⁻45 49 10}";
        QTest::newRow("ZSquare widens x") << "ZStandard:ZSquare:{Xmax,Ymax}"
                                          << "{15.16129032 10}";
        QTest::newRow("ZSquare widens y") << "ZDecimal:⁻20→Xmin:20→Xmax:ZSquare:Ymax"
                                          << "13.19148936";
        QTest::newRow("ZTrig radians") << "ZTrig:Xmax"
                                       << "6.152285613";
        QTest::newRow("ZTrig's Xscl") << "ZTrig:Xscl"
                                      << "1.570796327";
        QTest::newRow("ZTrig's y") << "ZTrig:{Ymin,Ymax,Yscl}"
                                   << "{⁻4 4 1}";
        QTest::newRow("ZTrig degrees") << "Degree:ZTrig:{Xmin,Xscl}"
                                       << "{⁻352.5 90}";
        QTest::newRow("ZoomSto ZoomRcl") << "ZStandard:ZoomSto:ZDecimal:ZoomRcl:Xmax"
                                         << "10";
        QTest::newRow("ZoomRcl unstored") << "ZDecimal:ZoomRcl:Ymin"
                                          << "⁻10";
        QTest::newRow("ZPrevious") << "ZStandard:ZDecimal:ZPrevious:Xmax"
                                   << "10";
        QTest::newRow("ZFrac1/2") << "ZFrac1/2:{Xmax,ΔX}"
                                  << "{23.5 .5}";
        QTest::newRow("ZQuadrant1") << "ZQuadrant1:{Xmin,Xmax,Ymax}"
                                    << "{0 9.4 9.4}";
        QTest::newRow("Zoom In") << "ZStandard:Zoom In:{Xmin,Xmax}"
                                 << "{⁻2.5 2.5}";
        QTest::newRow("Zoom Out") << "ZStandard:Zoom Out:Ymax"
                                  << "40";
        // ZoomFit: Y over the columns in Func (X² peaks at the edge, 0 at
        // the middle column); both axes over T in Par; a flat graph fits no window.
        QTest::newRow("ZoomFit Func") << "\"X²\"→Y₁:ZStandard:ZoomFit:{Xmin,Ymin,Ymax}"
                                      << "{⁻10 0 100}";
        QTest::newRow("ZoomFit skips what is off and fails")
            << "\"√(X)\"→Y₁:\"X\"→Y₂:FnOff 2:ZStandard:ZoomFit:{Ymin,Ymax}"
            << "{0 3.16227766}";
        QTest::newRow("ZoomFit Par") << "Param:\"cos(T)\"→X₁ᴛ:\"2sin(T)\"→Y₁ᴛ:ZStandard:ZoomFit:"
                                        "round({Xmin,Xmax,Ymin,Ymax},6)"
                                     << "{⁻1 1 ⁻2 2}";
        QTest::newRow("ZoomFit flat") << "\"3\"→Y₁:ZStandard:ZoomFit"
                                      << "ERR:WINDOW RANGE";
        QTest::newRow("ZoomFit nothing to fit") << "FnOff :ZStandard:ZoomFit:Ymax"
                                                << "10";
        QTest::newRow("ΔX stored") << "ZStandard:.5→ΔX:Xmax"
                                   << "37";
        QTest::newRow("ΔY stored") << "ZStandard:1→ΔY:Ymax"
                                   << "52";
        QTest::newRow("Xres") << "3→Xres:Xres"
                              << "3";
        QTest::newRow("Xres too large") << "9→Xres"
                                        << "ERR:DOMAIN";
        // Graph databases.
        QTest::newRow("RecallGDB")
            << "ZStandard:AxesOff:StoreGDB 2:ZDecimal:AxesOn:RecallGDB 2:Xmax"
            << "10";
        QTest::newRow("GDB by name") << "ZDecimal:StoreGDB GDB3:ZStandard:RecallGDB 3:Ymax"
                                     << "3.1";
        QTest::newRow("RecallGDB unstored") << "RecallGDB 4"
                                            << "ERR:UNDEFINED";
        QTest::newRow("StoreGDB of a variable") << "1→X:StoreGDB X"
                                                << "ERR:DATA TYPE";
        // Pictures.
        QTest::newRow("RecallPic unstored") << "RecallPic 7"
                                            << "ERR:UNDEFINED";
        QTest::newRow("StorePic of a variable") << "StorePic X"
                                                << "ERR:DATA TYPE";
        QTest::newRow("StorePic 10") << "StorePic 10"
                                     << "ERR:DATA TYPE";
        // The archive.
        QTest::newRow("archived list") << "{1,2}→L₁:Archive L₁:sum(L₁)"
                                       << "ERR:ARCHIVED";
        QTest::newRow("archived list stored to") << "{1,2}→L₁:Archive L₁:{3}→L₁"
                                                 << "ERR:ARCHIVED";
        QTest::newRow("UnArchive") << "{1,2}→L₁:Archive L₁:UnArchive L₁:sum(L₁)"
                                   << "3";
        QTest::newRow("archived named list") << "{4}→ʟHI:Archive ʟHI:ʟHI(1)"
                                             << "ERR:ARCHIVED";
        QTest::newRow("archived real") << "5→A:Archive A:A+1"
                                       << "ERR:ARCHIVED";
        QTest::newRow("archived real stored to") << "Archive B:3→B"
                                                 << "ERR:ARCHIVED";
        QTest::newRow("Archive X") << "Archive X"
                                   << "ERR:VARIABLE";
        QTest::newRow("UnArchive of a list never stored") << "UnArchive L₆:dim(L₆)"
                                                          << "0";
        QTest::newRow("UnArchive of a deleted list") << "DelVar L₆UnArchive L₆"
                                                     << "ERR:UNDEFINED";
        QTest::newRow("Archive twice") << "7→C:Archive C:Archive C:UnArchive C:C"
                                       << "7";
        // The clock.
        QTest::newRow("dayOfWk") << "dayOfWk(2007,12,30)"
                                 << "1";
        QTest::newRow("dayOfWk Saturday") << "dayOfWk(2008,1,5)"
                                          << "7";
        QTest::newRow("dayOfWk no such date") << "dayOfWk(2007,2,30)"
                                              << "ERR:DOMAIN";
        QTest::newRow("getTime") << "getTime"
                                 << "{13 5 9}";
        QTest::newRow("getDate") << "getDate"
                                 << "{2007 12 30}";
        QTest::newRow("getTmStr(24") << "getTmStr(24)"
                                     << "13:05";
        QTest::newRow("getTmStr(12") << "getTmStr(12)"
                                     << "1:05 PM";
        QTest::newRow("getDtStr 1") << "getDtStr(1)"
                                    << "12/30/07";
        QTest::newRow("getDtStr 2") << "getDtStr(2)"
                                    << "30/12/07";
        // The fields a published program cuts out and hands to dayOfWk(.
        QTest::newRow("getDtStr 3 cut") << "getDtStr(3)→Str1:expr(sub(Str1,4,2))"
                                        << "12";
        QTest::newRow("getDtStr 4") << "getDtStr(4)"
                                    << "ERR:DOMAIN";
        QTest::newRow("startTmr") << "startTmr"
                                  << "346943109";
        QTest::newRow("checkTmr") << "startTmr-75→T:checkTmr(T)"
                                  << "75";
    }
    void results()
    {
        QFETCH(QString, program);
        QFETCH(QString, shown);
        Engine engine;
        engine.host().now = clockNow;
        QCOMPARE(outcome(engine, program), shown);
    }

    // RecallPic ORs the picture onto what is drawn; the picture holds the
    // first 63 rows only.
    void pictures_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QList<int>>("lit"); // row, column pairs
        QTest::newRow("recalled with OR")
            << "AxesOff:ClrDraw:Pxl-On(2,3:StorePic 1:ClrDraw:Pxl-On(5,5:RecallPic 1"
            << QList<int>{2, 3, 5, 5};
        QTest::newRow("Pic by name")
            << "AxesOff:ClrDraw:Pxl-On(62,94:StorePic Pic0:ClrDraw:RecallPic 0"
            << QList<int>{62, 94};
        QTest::newRow("recall never erases")
            << "AxesOff:ClrDraw:StorePic 2:Pxl-On(1,1:RecallPic 2" << QList<int>{1, 1};
    }
    void pictures()
    {
        QFETCH(QString, program);
        QFETCH(QList<int>, lit);
        Engine engine;
        QCOMPARE(engine.run(bytes(program)).error, Error::None);
        QList<int> seen;
        for (int r = 0; r < GraphScreen::kHeight; ++r)
            for (int c = 0; c < GraphScreen::kWidth; ++c)
                if (engine.graph().pixel(r, c))
                    seen << r << c;
        QCOMPARE(seen, lit);
        QVERIFY(engine.graphShown());
    }

    // Settings outlive a run, as the calculator's do; FnOff's numbers turn
    // those functions off only.
    void settingsLast()
    {
        Engine engine;
        QCOMPARE(engine.run(bytes("Fix 3:FnOff 1,3")).error, Error::None);
        QCOMPARE(outcome(engine, "2"), QStringLiteral("2.000"));
        QCOMPARE(engine.settings().functionsOff, 0b1010u);
        QCOMPARE(engine.run(bytes("FnOn 3")).error, Error::None);
        QCOMPARE(engine.settings().functionsOff, 0b10u);
    }

    // Waiting for the user's place: a Stop there ends the program.
    void zoomWaitsForTheUser()
    {
        Engine engine;
        int waits = 0;
        engine.host().pause = [&] { return ++waits < 2; };
        QCOMPARE(engine.run(bytes("ZBox")).error, Error::None);
        QCOMPARE(engine.run(bytes("Zoom In")).error, Error::Break);
        QCOMPARE(waits, 2);
    }
};

TORVANE_TEST(TstModes);
#include "tst_settings.moc"
