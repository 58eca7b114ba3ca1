// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A document without its window: the modified state, saving, the file
// changed or removed by another program (each answer does what it says, and
// Save never writes over such a change without asking) and the recovery file.
#include "common/TestRegistry.h"

#include "editor/Document.h"
#include "editor/RecoveryFiles.h"
#include "editor/RecoveryWriter.h"
#include "editor/UndoHistory.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using editor::Document;

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

class TstDocumentModel : public QObject
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
        m_pane = new platform::RichTextBox;
        m_doc = new Document(m_pane);
        m_doc->setCaption("PROG1");
        QString error;
        QVERIFY2(m_doc->openFile(m_file, &error), qPrintable(error));
        type("Y");
    }
    void cleanup()
    {
        delete m_doc;
        delete m_pane;
        platform::dialogs::setScript(nullptr);
        m_profile.reset();
    }

    void modifiedFollowsTheSavedText_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("changes"); // modifiedChanged signals after the steps
        QTest::newRow("typed") << QStringList{} << true << 0;
        QTest::newRow("undone back to the file") << QStringList{"undo"} << false << 1;
        QTest::newRow("undone and redone") << QStringList{"undo", "redo"} << true << 2;
        QTest::newRow("typed away again") << QStringList{"erase"} << false << 1;
        QTest::newRow("saved") << QStringList{"save"} << false << 1;
        QTest::newRow("saved, then typed") << QStringList{"save", "type"} << true << 2;
        // A recovered text has no saved counterpart, even when it is the file's.
        QTest::newRow("recovered") << QStringList{"save", "recover"} << true << 2;
        QTest::newRow("recovered, undone") << QStringList{"recover", "undo"} << true << 0;
    }
    void modifiedFollowsTheSavedText()
    {
        QFETCH(QStringList, steps);
        QVERIFY(m_doc->isModified());
        QSignalSpy spy(m_doc, &Document::modifiedChanged);
        for (const QString &step : steps) {
            if (step == "undo")
                m_doc->history().Undo();
            else if (step == "redo")
                m_doc->history().Redo();
            else if (step == "erase") {
                select(0, 1);
                m_pane->setSelText(QString());
            } else if (step == "save")
                QVERIFY(m_doc->save());
            else if (step == "type")
                type("Z");
            else if (step == "recover")
                QVERIFY(m_doc->recover(rtfOf(m_pane->Text()), m_file, nullptr));
        }
        QTEST(m_doc->isModified(), "modified");
        QTEST(int(spy.size()), "changes");
        if (!spy.isEmpty())
            QCOMPARE(spy.last().at(0).toBool(), m_doc->isModified());
    }

    void saveAsNamesTheFileOnce()
    {
        // Saved under a link: the document knows the file the link names.
        const QString target = m_profile->path() + "/real.tvf";
        const QString link = m_profile->path() + "/link.tvf";
        QVERIFY(writeFile(target, QByteArray()));
        QVERIFY(QFile::link(target, link));
        QSignalSpy saved(m_doc, &Document::saved);
        QSignalSpy savedAs(m_doc, &Document::savedAs);
        QSignalSpy named(m_doc, &Document::fileNameChanged);
        m_script.files.push_back(link);
        QVERIFY(m_doc->saveAs());
        QCOMPARE(m_script.asked.back().title, QString("Save File"));
        QCOMPARE(m_doc->fileName(), link);
        QCOMPARE(m_doc->canonicalPath(), QFileInfo(target).canonicalFilePath());
        QCOMPARE(readFile(target), rtfOf("YDisp 1"));
        QCOMPARE(named.size(), qsizetype(1));
        QCOMPARE(saved.size(), qsizetype(1));
        QCOMPARE(saved.at(0).at(0).toString(), m_doc->canonicalPath());
        QCOMPARE(savedAs.size(), qsizetype(1));
        // Save writes the same file again: no dialog, no new name.
        type("Z");
        const size_t asked = m_script.asked.size();
        QVERIFY(m_doc->save());
        QCOMPARE(m_script.asked.size(), asked);
        QCOMPARE(readFile(target), rtfOf("ZYDisp 1"));
        QCOMPARE(saved.size(), qsizetype(2));
        QCOMPARE(savedAs.size(), qsizetype(1));
        QCOMPARE(named.size(), qsizetype(1));
        // Cancelled, nothing changes.
        m_script.files.push_back(std::nullopt);
        type("W");
        QVERIFY(!m_doc->saveAs());
        QCOMPARE(m_doc->fileName(), link);
        QVERIFY(m_doc->isModified());
        QCOMPARE(saved.size(), qsizetype(2));
    }

    void askingAboutChanges_data()
    {
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("question");
        QTest::newRow("save") << true << int(QMessageBox::Save) << true
                              << "Save changes to other.tvf?";
        QTest::newRow("discard") << true << int(QMessageBox::Discard) << true
                                 << "Save changes to other.tvf?";
        QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << false
                                << "Save changes to other.tvf?";
        // Never saved: named by its caption, and Save asks for a file.
        QTest::newRow("unnamed, save cancelled")
            << false << int(QMessageBox::Save) << false << "Save changes to PROG1?";
    }
    void askingAboutChanges()
    {
        QFETCH(bool, hasFile);
        QFETCH(int, answer);
        const QString file = m_profile->path() + "/other.tvf";
        QVERIFY(writeFile(file, rtfOf("Disp 1")));
        platform::RichTextBox pane;
        Document doc(&pane);
        doc.setCaption("PROG1");
        if (hasFile)
            QVERIFY(doc.openFile(file, nullptr));
        QVERIFY(doc.maybeSave()); // nothing changed, nothing asked
        QVERIFY(m_script.asked.empty());
        type("N", &pane);
        m_script.messageAnswers.push_back(QMessageBox::StandardButton(answer));
        m_script.files.push_back(std::nullopt);
        QTEST(doc.maybeSave(), "goesOn");
        QTEST(m_script.asked.front().text, "question");
        const bool saved = answer == QMessageBox::Save && hasFile;
        QCOMPARE(readFile(file), rtfOf(saved ? "NDisp 1" : "Disp 1"));
        QCOMPARE(doc.isModified(), !saved);
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
            QCOMPARE(m_pane->Text(), QString("Disp 2"));
            QVERIFY(!m_doc->isModified());
            // A reload is a load: Undo gives the document's own text back.
            m_doc->history().Undo();
            QCOMPARE(m_pane->Text(), QString("YDisp 1"));
            return;
        }
        QCOMPARE(m_pane->Text(), QString("YDisp 1"));
        QVERIFY(m_doc->isModified());
        // The next Save asks; No leaves the other program's file alone...
        m_script.messageAnswers.push_back(QMessageBox::No);
        QVERIFY(!m_doc->save());
        QCOMPARE(readFile(m_file), rtfOf("Disp 2"));
        // ...Yes writes over it, and then Save asks no more.
        m_script.messageAnswers.push_back(QMessageBox::Yes);
        QVERIFY(m_doc->save());
        QCOMPARE(readFile(m_file), rtfOf("YDisp 1"));
        const size_t asked = m_script.asked.size();
        type("Z");
        QVERIFY(m_doc->save());
        QCOMPARE(m_script.asked.size(), asked);
    }

    void removedFileStaysUnsaved()
    {
        QVERIFY(m_doc->save());
        QVERIFY(!m_doc->isModified());
        QVERIFY(QFile::remove(m_file));
        QTRY_COMPARE(m_script.titles("message").size(), qsizetype(1));
        QVERIFY(m_script.asked.back().text.startsWith("game.tvf was removed by another program"));
        QCOMPARE(m_pane->Text(), QString("YDisp 1"));
        QVERIFY(m_doc->isModified());
        QVERIFY(m_doc->save());
        QCOMPARE(readFile(m_file), rtfOf("YDisp 1"));
    }

    void ownSavesAskNothing()
    {
        for (const char *more : {"A", "B", "C"}) {
            type(more);
            QVERIFY(m_doc->save());
        }
        QTest::qWait(400); // the file system's notices of our own saves arrive
        QVERIFY(m_script.asked.empty());
    }

    void recoveryFileHoldsUnsavedText()
    {
        editor::recovery::Session session(m_profile->path() + "/recovery");
        QVERIFY(session.ok());
        auto *writer = new editor::RecoveryWriter(m_doc, &session);
        writer->writeNow();
        const editor::recovery::Entry e =
            editor::recovery::decode(writer->file(), readFile(writer->file()));
        QVERIFY(!e.damaged);
        QCOMPARE(e.fileName, m_file);
        QCOMPARE(e.caption, QString("PROG1"));
        QCOMPARE(e.rtf, m_pane->toRtf());
        // Saved, the safety net goes; with nothing unsaved none is written.
        QVERIFY(m_doc->save());
        QVERIFY(!QFile::exists(writer->file()));
        writer->writeNow();
        QVERIFY(!QFile::exists(writer->file()));
        // Typing writes one again once typing pauses.
        type("Q");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(writer->file()),
                                 editor::RecoveryWriter::kPauseMs * 3);
        // A document that goes leaves no recovery file behind.
        const QString file = writer->file();
        delete writer;
        QVERIFY(!QFile::exists(file));
    }

private:
    void select(int start, int length)
    {
        m_pane->setSelStart(start);
        m_pane->setSelLength(length);
    }
    // Text typed at the start, one change per call.
    void type(const QString &text, platform::RichTextBox *pane = nullptr)
    {
        pane = pane ? pane : m_pane;
        pane->setSelStart(0);
        pane->setSelText(text);
    }

    std::optional<testing::IsolatedProfile> m_profile;
    platform::dialogs::Script m_script;
    platform::RichTextBox *m_pane = nullptr;
    Document *m_doc = nullptr;
    QString m_file;
};

TORVANE_TEST(TstDocumentModel);
#include "tst_documentmodel.moc"
