// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A document's file changed or removed by another program while the window
// shows it: the window asks, each answer does what it says, and Save never
// writes over such a change without asking.
#include "common/TestRegistry.h"

#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <optional>

using editor::frmDocument;

namespace
{
QByteArray rtfOf(const QString &text)
{
    platform::RichTextBox box;
    box.setText(text);
    return box.toRtf();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TstDiskWatch : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_profile.emplace();
        m_script = {};
        platform::dialogs::setScript(&m_script);
        m_file = m_profile->path() + "/game.tvf";
        QVERIFY(writeFile(m_file, rtfOf("Disp 1")));
        m_w = new frmDocument;
        m_w->show();
        QString error;
        QVERIFY2(m_w->openFile(m_file, &error), qPrintable(error));
        m_w->RichTextBox1->setFocus();
        QTest::keyClicks(m_w->RichTextBox1, "Y");
    }
    void cleanup()
    {
        m_w->setAskOnClose(false);
        delete m_w;
        platform::dialogs::setScript(nullptr);
        m_profile.reset();
    }

    void changedFileAsks_data()
    {
        QTest::addColumn<bool>("reload");
        QTest::newRow("reload") << true;
        QTest::newRow("keep mine") << false;
    }
    void changedFileAsks()
    {
        QFETCH(bool, reload);
        m_script.messageAnswers.push_back(reload ? QMessageBox::Yes : QMessageBox::No);
        QVERIFY(writeFile(m_file, rtfOf("Disp 2")));
        QTRY_COMPARE(m_script.titles("message").size(), qsizetype(1));
        QVERIFY(m_script.asked.back().text.startsWith("game.tvf has been changed by another"));
        if (reload) {
            QCOMPARE(m_w->RichTextBox1->Text(), QString("Disp 2"));
            QVERIFY(!m_w->isModified());
            // A reload is a load: Undo gives the window's own text back.
            m_w->Undo();
            QCOMPARE(m_w->RichTextBox1->Text(), QString("YDisp 1"));
            return;
        }
        QCOMPARE(m_w->RichTextBox1->Text(), QString("YDisp 1"));
        QVERIFY(m_w->isModified());
        // The next Save asks; No leaves the other program's file alone...
        m_script.messageAnswers.push_back(QMessageBox::No);
        QVERIFY(!m_w->mnuSave_Click());
        QCOMPARE(readFile(m_file), rtfOf("Disp 2"));
        // ...Yes writes over it, and then Save asks no more.
        m_script.messageAnswers.push_back(QMessageBox::Yes);
        QVERIFY(m_w->mnuSave_Click());
        QCOMPARE(readFile(m_file), rtfOf("YDisp 1"));
        const size_t asked = m_script.asked.size();
        QTest::keyClicks(m_w->RichTextBox1, "Z");
        QVERIFY(m_w->mnuSave_Click());
        QCOMPARE(m_script.asked.size(), asked);
    }

    void removedFileStaysUnsaved()
    {
        QVERIFY(m_w->mnuSave_Click());
        QVERIFY(!m_w->isModified());
        QVERIFY(QFile::remove(m_file));
        QTRY_COMPARE(m_script.titles("message").size(), qsizetype(1));
        QVERIFY(m_script.asked.back().text.startsWith("game.tvf was removed by another program"));
        QCOMPARE(m_w->RichTextBox1->Text(), QString("YDisp 1"));
        QVERIFY(m_w->isModified());
        QVERIFY(m_w->mnuSave_Click());
        QCOMPARE(readFile(m_file), rtfOf("YDisp 1"));
    }

    void ownSavesAskNothing()
    {
        for (const char *more : {"A", "B", "C"}) {
            QTest::keyClicks(m_w->RichTextBox1, more);
            QVERIFY(m_w->mnuSave_Click());
        }
        QTest::qWait(400); // the file system's notices of our own saves arrive
        QVERIFY(m_script.asked.empty());
    }

private:
    std::optional<testing::IsolatedProfile> m_profile;
    platform::dialogs::Script m_script;
    frmDocument *m_w = nullptr;
    QString m_file;
};

TORVANE_TEST(TstDiskWatch);
#include "tst_diskwatch.moc"
