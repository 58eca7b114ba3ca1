// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator window on a colour program: the CE's 320x240 screen at a
// whole step, the graph area in it with the program's drawing.
#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calculator/ColourImage.h"
#include "calculator/frmCalculator.h"
#include "common/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

class TstColourWindow : public QObject
{
    Q_OBJECT

private slots:
    void runsOnTheColourScreen()
    {
        QString text = QStringLiteral("ClrDraw\nBackgroundOff\nTextColor(BLUE)\n"
                                      "Text(10,10,\"HI\")\nWait 0.1\nPxl-On(164,264,RED)\n");
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        const auto t = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text);
        QVERIFY(t.ok());
        calculator::frmCalculator w;
        w.show();
        QSignalSpy ended(&w, &calculator::frmCalculator::ended);
        QVERIFY(w.run(t.bytes, QStringLiteral("HI")));
        QVERIFY(ended.count() > 0 || ended.wait(5000));
        const int step = calculator::colourStep(w.picScreen->scale());
        QTRY_COMPARE(w.picScreen->size(), QSize(320, 240) * step);
        const QImage shot = w.picScreen->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto at = [&](int row, int col) {
            return QColor(shot.pixel((calculator::kGraphLeft + col) * step,
                                     (calculator::kGraphTop + row) * step));
        };
        QCOMPARE(at(164, 264), QColor(255, 0, 0));
        QCOMPARE(at(163, 264), QColor(255, 255, 255));
        int blue = 0;
        for (int r = 10; r < 22; ++r)
            for (int c = 10; c < 26; ++c)
                blue += at(r, c) == QColor(0, 0, 255);
        QVERIFY(blue > 8);
    }
};

TORVANE_TEST(TstColourWindow);
#include "tst_colourwindow.moc"
