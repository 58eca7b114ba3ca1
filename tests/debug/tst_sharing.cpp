// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Sharing from the windows: a run recorded in the calculator window, its
// screen saved, the listing commands and the speed of the Run menu.
#include "calc/CalculatorSymbols.h"
#include "calc/Listing.h"
#include "calc/Tokens.h"
#include "calculator/Recorder.h"
#include "calculator/frmCalculator.h"
#include "common/TestRegistry.h"
#include "debug/Debugger.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <gif_lib.h>

namespace
{

QByteArray bytes(QString text)
{
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text).bytes;
}

struct Window {
    testing::IsolatedProfile profile;
    platform::dialogs::Script script;
    editor::frmDocument *w = new editor::frmDocument;
    debug::Debugger *debugger = new debug::Debugger(w);

    explicit Window(const QString &program)
    {
        platform::dialogs::setScript(&script);
        w->setWindowTitle(QStringLiteral("GAME"));
        QString model = calc::calcsymbols::fromUnicode(program).text;
        model.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        w->RichTextBox1->setText(model);
        w->show();
    }
    ~Window()
    {
        platform::dialogs::setScript(nullptr);
        delete w;
    }
    calculator::frmCalculator *calc() const { return debugger->calculator(); }
};

} // namespace

class TstSharingWindows : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // A game's run recorded from the window: the GIF holds each screen it
    // showed, and the window said how many frames it took.
    void recordingFromTheWindow()
    {
        Window f(QStringLiteral("ClrDraw\nFor(I,1,5\nLine(0,I,9,I\nLine(I,1,I,9\nEnd\nPause\n"));
        const QString gif = m_dir.filePath(QStringLiteral("game.gif"));
        f.calc()->startRecording(gif, 2);
        QVERIFY(f.calc()->isRecording());
        QCOMPARE(f.calc()->mnuRecord->text(), QStringLiteral("Stop Recording"));
        f.w->action(QStringLiteral("mnuRunProgram"))->trigger();
        // Stopped by the user at the Pause: what was drawn stays recorded.
        QVERIFY(QTest::qWaitFor(
            [&] { return f.calc()->session().waiting() == calculator::Session::Wait::Enter; }));
        f.calc()->stopRecording();
        QVERIFY(QTest::qWaitFor([&] { return !f.calc()->isRecording(); }));
        QCOMPARE(f.calc()->recordingResult(), gif);
        QCOMPARE(f.calc()->mnuRecord->text(), QStringLiteral("Record"));
        f.calc()->stop();
        QVERIFY(QTest::qWaitFor([&] { return !f.calc()->isRunning(); }));

        int error = 0;
        GifFileType *file = DGifOpenFileName(QFile::encodeName(gif).constData(), &error);
        QVERIFY(file);
        QCOMPARE(DGifSlurp(file), GIF_OK);
        // The home screen, the axes, then two lines each pass.
        QCOMPARE(file->ImageCount, 2 + 5 * 2);
        QCOMPARE(file->SWidth, 192);
        // The last frame is the screen as the window shows it now.
        const QImage shown =
            calculator::screenImage(f.calc()->shown().home, f.calc()->shown().graph, true);
        const SavedImage &last = file->SavedImages[file->ImageCount - 1];
        int differ = 0;
        for (int r = 0; r < 64; ++r)
            for (int c = 0; c < 96; ++c)
                differ +=
                    (last.RasterBits[r * 2 * 192 + c * 2] == 1) != (qGray(shown.pixel(c, r)) < 128);
        QCOMPARE(differ, 0);
        DGifCloseFile(file, &error);
        QVERIFY(f.calc()->lblRecording->text().startsWith(QStringLiteral("Recorded 12 frames")));

        // Save Screen: the same screen, three pixels a calculator pixel.
        const QString png = m_dir.filePath(QStringLiteral("screen.png"));
        QString why;
        QVERIFY2(f.calc()->saveScreen(png, 3, &why), qPrintable(why));
        const QImage saved(png);
        QCOMPARE(saved.size(), QSize(288, 192));
        QCOMPARE(saved.scaled(96, 64).convertToFormat(QImage::Format_RGB32),
                 shown.convertToFormat(QImage::Format_RGB32));
    }

    // A run at full speed ends saying its time on a calculator.
    void estimateInTheStatus()
    {
        Window f(QStringLiteral("For(I,1,1000\nEnd"));
        f.w->action(QStringLiteral("mnuRunProgram"))->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !f.calc()->isRunning(); }));
        QCOMPARE(f.calc()->lblStatus->text(), QStringLiteral("Done, about 0.69 s on a calculator"));
        f.w->action(QStringLiteral("mnuSpeedCalculator"))->trigger();
        QCOMPARE(f.calc()->session().pace().speed(), calculator::Pace::Speed::Calculator);
        QVERIFY(f.w->action(QStringLiteral("mnuSpeedCalculator"))->isChecked());
        QVERIFY(!f.w->action(QStringLiteral("mnuSpeedFast"))->isChecked());
    }

    void listings()
    {
        Window f(QStringLiteral(" Disp \"A<B\"\nOutput(1,1,A→B"));
        const QByteArray tokens = bytes(QStringLiteral(" Disp \"A<B\"\nOutput(1,1,A→B"));
        f.w->action(QStringLiteral("mnuCopyAsListing"))->trigger();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), calc::listing::text(tokens));
        QVERIFY(data->html().contains(QStringLiteral("<pre")));
        QVERIFY(data->html().contains(QStringLiteral("A&lt;B")));

        const QString html = m_dir.filePath(QStringLiteral("GAME.html"));
        f.script.files.push_back(html);
        f.script.messageAnswers.push_back(QMessageBox::Yes); // numbered lines
        f.w->action(QStringLiteral("mnuExportListing"))->trigger();
        QFile page(html);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        QVERIFY(text.contains(QStringLiteral("<title>prgmGAME</title>")));
        QVERIFY(text.contains(QStringLiteral("<span class=\"n\">2 </span>Output(")));
    }
};

TORVANE_TEST(TstSharingWindows);
#include "tst_sharing.moc"
