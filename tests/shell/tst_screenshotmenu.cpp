// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// File > Get Calculator Screenshot, and Send to Calculator over the USB
// cable, with a fake TI-84 Plus or TI-84 Plus CE on it.
#include "common/TestRegistry.h"

#include "calc/Tokens.h"
#include "calcfiles/CalcLinkCommands.h"
#include "calcfiles/CalcTransfer.h"
#include "calcfiles/frmScreenshot.h"
#include "editor/frmDocument.h"
#include "link/FakeDusb.h"
#include "link/Link.h"
#include "platform/Dialogs.h"
#include "shell/Studio.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using calclink::FakeCalculator;
using calclink::FakeDusbCalculator;
using editor::frmDocument;
namespace dialogs = platform::dialogs;

namespace
{
frmDocument *newDocument(const QString &text)
{
    frmDocument *doc = shell::Studio::instance().createDocument(QString());
    doc->RichTextBox1->setText(text);
    return doc;
}

QAction *screenshotItem(frmDocument &w)
{
    return w.findChild<QAction *>(QStringLiteral("mnuGetScreenshot"));
}
} // namespace

class TstScreenshotMenu : public QObject
{
    Q_OBJECT
    dialogs::Script m_script;
    std::unique_ptr<testing::IsolatedProfile> m_profile;
    std::unique_ptr<FakeCalculator> m_calc;
    QTemporaryDir m_dir;

    void useCalculator(FakeCalculator::Model model)
    {
        if (model == FakeCalculator::Model::Ti83Plus)
            m_calc = std::make_unique<FakeCalculator>();
        else
            m_calc = std::make_unique<FakeDusbCalculator>(model);
        calcfiles::calctransfer::rememberCable({model == FakeCalculator::Model::Ti83Plus
                                                    ? calclink::Cable::Silver
                                                    : calclink::Cable::Usb,
                                                1});
        calcfiles::calclinkcommands::setTestCalculator(m_calc.get());
    }

private slots:
    void initTestCase()
    {
        if (!calclink::available())
            QSKIP("This build has no link cable.");
    }
    void init()
    {
        m_profile = std::make_unique<testing::IsolatedProfile>();
        dialogs::setScript(&(m_script = dialogs::Script()));
    }
    void cleanup()
    {
        shell::Studio::instance().reset();
        dialogs::setScript(nullptr);
        calcfiles::calclinkcommands::setTestCalculator(nullptr);
        m_calc.reset();
        m_profile.reset();
    }

    // The item sits in the File menu right after Receive.
    void menuItem()
    {
        frmDocument &w = *newDocument(QString());
        QAction *item = screenshotItem(w);
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Get Calculator Screenshot\u2026"));
        const QList<QAction *> file = w.findChild<QMenu *>(QStringLiteral("mnuFile"))->actions();
        const qsizetype at = file.indexOf(item);
        QVERIFY(at > 0);
        QCOMPARE(file.at(at - 1), w.mnuReceiveFromCalc);
    }

    // The screen shows in its window and is saved at the size chosen, each
    // calculator pixel a square of that many.
    void showAndSave_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("scale");
        QTest::newRow("TI-83 Plus, 1x") << int(FakeCalculator::Model::Ti83Plus) << 1;
        QTest::newRow("TI-84 Plus, 4x") << int(FakeCalculator::Model::Ti84Plus) << 4;
        QTest::newRow("TI-84 Plus CE, 2x") << int(FakeCalculator::Model::Ti84PlusCE) << 2;
    }
    void showAndSave()
    {
        QFETCH(int, model);
        QFETCH(int, scale);
        useCalculator(FakeCalculator::Model(model));
        frmDocument &w = *newDocument(QString());
        auto *window = calcfiles::calclinkcommands::getScreenshot(&w);
        QVERIFY(window);
        QCOMPARE(window->objectName(), QStringLiteral("frmScreenshot"));
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Calculator Screenshot - ") +
                     calclink::modelTitle(
                         FakeCalculator::Model(model) == FakeCalculator::Model::Ti84PlusCE
                             ? calclink::Model::Ti84PlusCE
                         : FakeCalculator::Model(model) == FakeCalculator::Model::Ti84Plus
                             ? calclink::Model::Ti84Plus
                             : calclink::Model::Ti83Plus));
        QVERIFY(m_script.asked.empty());
        calclink::Screenshot expected;
        const QByteArray pattern = FakeCalculator::testPattern(FakeCalculator::Model(model));
        if (FakeCalculator::Model(model) == FakeCalculator::Model::Ti84PlusCE)
            QVERIFY(calclink::decodeRgb565(pattern, 320, 240, &expected));
        else
            QVERIFY(calclink::decodeMono(pattern, 96, 64, &expected));
        QCOMPARE(window->screen().pixels, expected.pixels);

        auto *size = window->findChild<QComboBox *>(QStringLiteral("cboScale"));
        QCOMPARE(size->count(), 4);
        size->setCurrentIndex(scale - 1);
        const QString path = m_dir.filePath(QStringLiteral("shot%1.png").arg(model));
        m_script.files = {path};
        QVERIFY(window->save());
        const QImage saved(path);
        QCOMPARE(saved.size(), QSize(expected.width * scale, expected.height * scale));
        for (int y = 0; y < saved.height(); y += 7)
            for (int x = 0; x < saved.width(); x += 5)
                QCOMPARE(saved.pixel(x, y),
                         expected.pixels[(y / scale) * expected.width + x / scale]);
    }

    // Over the USB cable the questions are today's: replace, another
    // name, or skip.
    void sendOverUsb_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("onCalc");
        for (auto m : {FakeCalculator::Model::Ti84Plus, FakeCalculator::Model::Ti84PlusCE}) {
            const char *tag = m == FakeCalculator::Model::Ti84Plus ? "84+" : "CE";
            QTest::addRow("%s replace", tag)
                << int(m) << int(QMessageBox::Yes) << QStringList{"OLD"};
            QTest::addRow("%s rename", tag)
                << int(m) << int(QMessageBox::No) << QStringList{"OLD", "NEW"};
            QTest::addRow("%s skip", tag)
                << int(m) << int(QMessageBox::Cancel) << QStringList{"OLD"};
        }
    }
    void sendOverUsb()
    {
        QFETCH(int, model);
        QFETCH(int, answer);
        QFETCH(QStringList, onCalc);
        useCalculator(FakeCalculator::Model(model));
        FakeCalculator::Variable old;
        old.name = "OLD";
        old.data = QByteArray("\x01\x00\x41", 3);
        m_calc->store(old);
        frmDocument &w = *newDocument("Disp 1");
        m_script.prompts = {QString("OLD"), QString("NEW")};
        m_script.messageAnswers = {QMessageBox::StandardButton(answer)};
        w.mnuSendToCalc->trigger();
        QStringList names;
        for (const auto &v : m_calc->variables())
            names << QString::fromLatin1(v.name);
        QCOMPARE(names, onCalc);
        const QByteArray sent = calc::tokens::tokenize(QStringLiteral("Disp 1")).bytes;
        QCOMPARE(m_calc->find("OLD")->data.mid(2),
                 answer == QMessageBox::Yes ? sent : QByteArray("A"));
    }

    // Cancel in the progress window stops a send over the USB cable too.
    void cancelOverUsb()
    {
        useCalculator(FakeCalculator::Model::Ti84PlusCE);
        m_calc->setFault(FakeCalculator::Fault::SlowReply);
        m_calc->replyDelayMs = 400;
        frmDocument &w = *newDocument("Disp 1");
        m_script.prompts = {QString("HELLO")};
        bool shown = false;
        QTimer press;
        connect(&press, &QTimer::timeout, [&] {
            if (auto *d = w.findChild<QProgressDialog *>(); d && d->isVisible()) {
                shown = true;
                d->findChild<QPushButton *>()->click();
            }
        });
        press.start(20);
        w.mnuSendToCalc->trigger();
        QVERIFY(shown);
        QCOMPARE(m_script.asked.back().text,
                 QStringLiteral("The transfer was cancelled.\n\nNothing was sent."));
        QVERIFY(m_calc->variables().isEmpty());
    }

    // With nothing plugged in the message says what to do in a sentence or
    // two and names the help page; the library's words stay out of it.
    void noCable()
    {
        calcfiles::calctransfer::rememberCable({calclink::Cable::Usb, 4});
        frmDocument &w = *newDocument(QString());
        m_script.messageAnswers = {QMessageBox::No};
        QVERIFY(!calcfiles::calclinkcommands::getScreenshot(&w));
        QCOMPARE(m_script.asked.size(), size_t(1));
        QCOMPARE(m_script.asked[0].text,
                 calclink::cableMessage(calclink::Cable::Usb, 4, false) +
                     QStringLiteral("\n\nNo screen was received.\n\nChoose the cable again?"));
    }
};

TORVANE_TEST(TstScreenshotMenu);
#include "tst_screenshotmenu.moc"
