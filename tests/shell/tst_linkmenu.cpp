// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// File > Send to Calculator and Receive from Calculator of a document
// window, with the test calculator on the cable.
#include "common/TestRegistry.h"

#include "calc/CalcFile.h"
#include "calc/Tokens.h"
#include "calcfiles/CalcLinkCommands.h"
#include "calcfiles/CalcTransfer.h"
#include "editor/frmDocument.h"
#include "link/FakeCalculator.h"
#include "link/Link.h"
#include "platform/Dialogs.h"
#include "shell/Studio.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using calclink::FakeCalculator;
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

QByteArray tokens(const QString &text)
{
    return calc::tokens::tokenize(text).bytes;
}

FakeCalculator::Variable program(const QByteArray &name, const QString &text)
{
    FakeCalculator::Variable v;
    v.name = name;
    const QByteArray t = tokens(text);
    v.data = QByteArray(1, char(t.size() & 0xFF)) + char(t.size() >> 8) + t;
    return v;
}
} // namespace

class TstLinkMenu : public QObject
{
    Q_OBJECT
    dialogs::Script m_script;
    std::unique_ptr<testing::IsolatedProfile> m_profile;
    FakeCalculator m_calc;

private slots:
    void initTestCase()
    {
        if (!calclink::available())
            QSKIP("This build has no link cable.");
    }
    void init()
    {
        m_profile = std::make_unique<testing::IsolatedProfile>();
        calcfiles::calctransfer::rememberCable({calclink::Cable::Silver, 1});
        m_calc = FakeCalculator();
        calcfiles::calclinkcommands::setTestCalculator(&m_calc);
        dialogs::setScript(&(m_script = dialogs::Script()));
    }
    void cleanup()
    {
        shell::Studio::instance().reset();
        dialogs::setScript(nullptr);
        calcfiles::calclinkcommands::setTestCalculator(nullptr);
        m_profile.reset();
    }

    void menuItems()
    {
        frmDocument &w = *newDocument(QString());
        QCOMPARE(w.mnuSendToCalc->text(), QStringLiteral("Send to Calculator\u2026"));
        QCOMPARE(w.mnuSendToCalc->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(w.mnuReceiveFromCalc->text(), QStringLiteral("Receive from Calculator\u2026"));
    }

    // A program of the same name: Yes replaces it, No asks for another
    // name, Cancel sends nothing.
    void send_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("names");  // what the prompts are answered
        QTest::addColumn<QStringList>("onCalc"); // programs afterwards
        QTest::addColumn<QString>("helloText");  // HELLO's text afterwards
        QTest::addColumn<QString>("lastMessage");
        const QString sent = QStringLiteral("HELLO is on the calculator (PRGM menu).");
        QTest::newRow("new") << QList<int>{} << QStringList{"hello"} << QStringList{"OLD", "HELLO"}
                             << "Disp 1" << sent;
        QTest::newRow("replace") << QList<int>{QMessageBox::Yes} << QStringList{"OLD"}
                                 << QStringList{"OLD"} << QString()
                                 << "OLD is on the calculator (PRGM menu).";
        QTest::newRow("rename") << QList<int>{QMessageBox::No} << QStringList{"OLD", "HELLO"}
                                << QStringList{"OLD", "HELLO"} << "Disp 1" << sent;
        QTest::newRow("skip") << QList<int>{QMessageBox::Cancel} << QStringList{"OLD"}
                              << QStringList{"OLD"} << QString()
                              << "The calculator already has a program OLD.\n\nYes replaces it, "
                                 "No sends this one under another name, Cancel skips it.";
    }
    void send()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, names);
        QFETCH(QStringList, onCalc);
        QFETCH(QString, helloText);
        QFETCH(QString, lastMessage);
        m_calc.store(program("OLD", "Disp 2"));
        frmDocument &w = *newDocument("Disp 1");
        for (const QString &n : names)
            m_script.prompts.push_back(n);
        for (int a : answers)
            m_script.messageAnswers.push_back(QMessageBox::StandardButton(a));
        w.mnuSendToCalc->trigger();
        QVERIFY(!m_script.asked.empty());
        QCOMPARE(m_script.asked.back().text, lastMessage);
        QStringList names2;
        for (const auto &v : m_calc.variables())
            names2 << QString::fromLatin1(v.name);
        QCOMPARE(names2, onCalc);
        if (!helloText.isEmpty())
            QCOMPARE(m_calc.find("HELLO")->data.mid(2), tokens(helloText));
        const bool replaced = QTest::currentDataTag() == QByteArray("replace");
        QCOMPARE(m_calc.find("OLD")->data.mid(2), tokens(replaced ? "Disp 1" : "Disp 2"));
    }

    // A failure says what to do and leaves the calculator as it was.
    void sendFails_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("memory") << int(FakeCalculator::Fault::RejectMemory)
                                << "The calculator has no room for the program. Delete or "
                                   "archive something on it (2nd MEM), then try again.\n\n"
                                   "Nothing was sent.";
        QTest::newRow("silence") << int(FakeCalculator::Fault::Silence)
                                 << "No calculator answers. Check that it is on and at the home "
                                    "screen, that the cable is pushed fully into its link port, "
                                    "then try again.\n\nNothing was sent.\n\nChoose the cable "
                                    "again?";
    }
    void sendFails()
    {
        QFETCH(int, fault);
        QFETCH(QString, message);
        m_calc.setFault(FakeCalculator::Fault(fault));
        frmDocument &w = *newDocument("Disp 1");
        m_script.prompts = {QString("HELLO")};
        m_script.messageAnswers = {QMessageBox::No};
        w.mnuSendToCalc->trigger();
        QVERIFY(!m_script.asked.empty());
        QCOMPARE(m_script.asked.back().text, message);
        QVERIFY(m_calc.variables().isEmpty());
    }

    // A slow calculator shows the progress window; its Cancel stops the
    // transfer and nothing changes.
    void cancel()
    {
        m_calc.setFault(FakeCalculator::Fault::SlowReply);
        m_calc.replyDelayMs = 400;
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
        QVERIFY(m_calc.variables().isEmpty());
    }

    // The program chosen from the calculator's list opens in a new window
    // captioned with its name.
    void receive()
    {
        m_calc.store(program("FIRST", "Disp 1"));
        m_calc.store(program("SECOND", "Disp 2\r\nDisp 3"));
        frmDocument &w = *newDocument(QString());
        QStringList offered;
        // The list comes after the calculator answered.
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto *d = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
                answer.stop();
                offered = d->comboBoxItems();
                d->setTextValue(QStringLiteral("SECOND"));
                d->accept();
            }
        });
        answer.start(10);
        w.mnuReceiveFromCalc->trigger();
        QCOMPARE(offered, QStringList({"FIRST", "SECOND"}));
        frmDocument *opened = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<frmDocument *>(top); d && d->windowTitle() == "SECOND")
                opened = d;
        QVERIFY(opened);
        QCOMPARE(opened->RichTextBox1->Text(), QStringLiteral("Disp 2\r\nDisp 3"));
        QVERIFY(m_script.asked.empty());
    }
};

TORVANE_TEST(TstLinkMenu);
#include "tst_linkmenu.moc"
