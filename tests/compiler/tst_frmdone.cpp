// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/CalcFile.h"
#include "common/Files.h"
#include "common/TestRegistry.h"
#include "compiler/frmDone.h"
#include "platform/Dialogs.h"
#include "platform/WindowRegistry.h"
#include "rtf/RtfCodec.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstring>

using namespace compiler;
namespace dialogs = platform::dialogs;

namespace
{
void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray header(const char *protect, const QString &name, const QString &file)
{
    return "\\start83P\\\r\n\\comment=Created by Torvane Studio\r\n\\protected=" +
           QByteArray(protect) + "\r\n\\name=" + name.toLatin1() + "\r\n\\file=" + file.toLatin1() +
           "\r\n";
}
} // namespace

using testing::readAll;

class TstfrmDone : public QObject
{
    Q_OBJECT
private slots:
    void init() { dialogs::setScript(&(m_script = dialogs::Script())); }
    void cleanup() { dialogs::setScript(nullptr); }

    void exportsInARow()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath("first.tvf"), second = dir.filePath("second.tvf");
        writeFile(first, rtf::writePlain("Disp \"\\A\"\r\n\u00FC\u00A9\u0080\r\n", "Arial", 20));
        writeFile(second, rtf::writePlain("2", "Arial", 20));
        writeFile(dir.filePath("2.txt"), QByteArray(300, 'z')); // replaced whole
        m_script.files = {first, dir.filePath("1.txt"), second, dir.filePath("2.txt")};
        m_script.prompts = {QString("DEFULT"), std::nullopt};

        frmDone w; // not protected at first: see the first header
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        w.Check1->setChecked(true);
        QTest::mouseClick(w.Command1, Qt::LeftButton);

        QCOMPARE(readAll(dir.filePath("1.txt")),
                 header("FALSE", "DEFULT", first) +
                     "Disp \"\\A\"\r\n\xFC\xA9\x80\r\n\r\n\\stop83P\\");
        QCOMPARE(readAll(dir.filePath("2.txt")), header("TRUE", "", second) + "2\r\n\\stop83P\\");
        QStringList asked;
        for (const auto &a : m_script.asked)
            asked << a.kind + "|" + a.text + "|" + a.title + "|" + a.defaultAnswer;
        const QStringList once{
            "open||Load Torvane Studio File|Torvane Studio Files (*.tvf)|*.tvf",
            "prompt|What is the program name? Please type all in CAPS. 8 Char. Max.|Torvane "
            "Compiler|DEFULT",
            "save||Save Text File|Text File (*.txt)|*.txt"};
        QCOMPARE(asked, once + once);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("files"); // "-" = cancel
        QTest::addColumn<QString>("says");
        QTest::addColumn<int>("asksAgain"); // answers refused, each asked again at once

        auto row = [](const char *tag, const QStringList &files, const QString &says,
                      const QString &program = "1", const QString &name = "N", int again = 0) {
            QTest::newRow(tag) << program << name << files << says << again;
        };
        row("open cancelled", {"-"}, "No document was chosen.");
        row("save cancelled", {"p.tvf", "-"}, "No file name was chosen");
        row("unreadable", {"gone.tvf"}, "could not be read");
        row("source as target", {"p.tvf", "p.tvf"}, "must not replace it", "1", "N", 1);
        row("source via link", {"p.tvf", "link.txt"}, "must not replace it", "1", "N", 1);
        row("no byte in program", {"p.tvf", "out.txt"},
            "Line 2 of the program holds the character \"\u2192\"", "ok\r\nx\u2192");
        row("no byte in name", {"p.tvf", "out.txt"}, "The program name holds", "1", "\u0394", 1);
        row("not writable", {"p.tvf", "none/out.txt"}, "could not be written");
    }
    void refusals()
    {
        QFETCH(QString, program);
        QFETCH(QString, name);
        QFETCH(QStringList, files);
        QFETCH(QString, says);
        QFETCH(int, asksAgain);

        QTemporaryDir dir;
        const QByteArray source = rtf::writePlain(program, "Arial", 20);
        writeFile(dir.filePath("p.tvf"), source);
        QVERIFY(QFile::link(dir.filePath("p.tvf"), dir.filePath("link.txt")));
        for (const QString &f : files)
            m_script.files.push_back(f == "-" ? std::nullopt
                                              : std::optional<QString>(dir.filePath(f)));
        m_script.prompts = {name};

        frmDone w;
        QTest::mouseClick(w.Command1, Qt::LeftButton);

        QCOMPARE(m_script.titles("message").size(), 1 + asksAgain);
        const QString text = m_script.asked.back().text;
        QVERIFY2(text.endsWith("Nothing was exported."), qPrintable(text));
        const auto first = std::find_if(m_script.asked.begin(), m_script.asked.end(),
                                        [](const auto &a) { return a.kind == "message"; });
        QVERIFY2(first->text.contains(says), qPrintable(first->text));
        if (asksAgain) // the same question again, right after the refusal
            QCOMPARE((first + 1)->kind, (first - 1)->kind);
        QCOMPARE(readAll(dir.filePath("p.tvf")), source);
        QVERIFY(QFileInfo(dir.filePath("link.txt")).isSymLink());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList({"link.txt", "p.tvf"}));
    }

    void alsoACalculatorFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("header"); // what an imported program's document kept
        QTest::newRow("written") << "AB" << QString();
        QTest::newRow("an imported header given back") << "AB"
                                                       << "archived=1 version=6";
        QTest::newRow("name refused") << "ab" << QString();
    }
    void alsoACalculatorFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, header);
        QTemporaryDir dir;
        QByteArray document = rtf::writePlain("Disp 1", "Arial", 20);
        if (!header.isEmpty())
            document.insert(int(std::strlen("{\\rtf1")),
                            "{\\*\\torvane " + header.toLatin1() + '}');
        writeFile(dir.filePath("p.tvf"), document);
        m_script.files = {dir.filePath("p.tvf"), dir.filePath("p.txt"), dir.filePath("p.8xp")};
        m_script.prompts = {name};

        frmDone w;
        w.chkCalcFile->setChecked(true);
        QTest::mouseClick(w.Command1, Qt::LeftButton);

        if (name == "ab") {
            // Refused as soon as it is given, before any file is asked for.
            QStringList kinds;
            for (const auto &a : m_script.asked)
                kinds << a.kind;
            QCOMPARE(kinds, QStringList({"open", "prompt", "message", "prompt", "message"}));
            QCOMPARE(m_script.asked.at(2).text, calc::calcfile::nameRules(name));
            QCOMPARE(m_script.asked.back().text,
                     QString("No program name was given.\n\nNothing was exported."));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"p.tvf"}));
            return;
        }
        QVERIFY(m_script.titles("message").isEmpty());
        QCOMPARE(m_script.titles("save"), QStringList({"Save Text File", "Save Calculator File"}));
        QCOMPARE(m_script.asked.back().defaultAnswer, calc::calcfile::fileFilter());
        QVERIFY(readAll(dir.filePath("p.txt")).endsWith("Disp 1\r\n\\stop83P\\"));
        QCOMPARE(readAll(dir.filePath("p.8xp")),
                 calc::calcfile::build(u"Disp 1", "AB", false, calc::calcfile::Model::Ti83Plus,
                                       calc::FileMeta::fromText(header))
                     .file);
    }

    void saysWhatWasWritten()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("p.tvf"), rtf::writePlain("Disp 1", "Arial", 20));
        m_script.files = {dir.filePath("p.tvf"), dir.filePath("GUESS.txt"),
                          dir.filePath("GUESS.8xp")};
        m_script.prompts = {QString("guess"), QString("GUESS")};
        QStringList notes;
        platform::windows().setStatusShower([&notes](const QString &t) { notes << t; });

        frmDone w;
        w.chkCalcFile->setChecked(true);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        platform::windows().setStatusShower(nullptr);

        QCOMPARE(m_script.titles("save"), QStringList({"Save Text File", "Save Calculator File"}));
        QVERIFY(m_script.asked.back().start.endsWith("/GUESS.8xp"));
        const QByteArray link = readAll(dir.filePath("GUESS.txt"));
        const QByteArray calcFile = readAll(dir.filePath("GUESS.8xp"));
        QVERIFY(!link.isEmpty() && !calcFile.isEmpty());
        QCOMPARE(notes, QStringList(QString("Wrote GUESS.txt: program GUESS, %1 bytes; GUESS.8xp, "
                                            "%2 bytes")
                                        .arg(link.size())
                                        .arg(calcFile.size())));
    }

    void unsavedChangesInAWindow_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saves");       // what saving the window does
        QTest::addColumn<QString>("exported"); // the program the export holds; empty: none
        QTest::newRow("save them first") << int(QMessageBox::Save) << true << "Disp 2";
        QTest::newRow("saving fails") << int(QMessageBox::Save) << false << "";
        QTest::newRow("export the saved file") << int(QMessageBox::Ignore) << true << "Disp 1";
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << true << "";
    }
    void unsavedChangesInAWindow()
    {
        QFETCH(int, answer);
        QFETCH(bool, saves);
        QFETCH(QString, exported);
        QTemporaryDir dir;
        const QString source = dir.filePath("GUESS.tvf");
        writeFile(source, rtf::writePlain("Disp 1", "Arial", 20));
        platform::windows().setUnsavedLookup([&](const QString &path) {
            return path == source
                       ? std::optional(platform::WindowRegistry::UnsavedDocument{
                             "Document 1",
                             [&] {
                                 if (saves)
                                     writeFile(source, rtf::writePlain("Disp 2", "Arial", 20));
                                 return saves;
                             }})
                       : std::nullopt;
        });
        m_script.files = {source, dir.filePath("out.txt")};
        m_script.prompts = {QString("GUESS")};
        m_script.messageAnswers = {QMessageBox::StandardButton(answer)};

        frmDone w;
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        platform::windows().setUnsavedLookup(nullptr);

        QCOMPARE(m_script.asked.at(1).kind, QString("message"));
        QCOMPARE(m_script.asked.at(1).text,
                 QString("GUESS.tvf has unsaved changes in Document 1."));
        if (exported.isEmpty()) {
            QVERIFY(!QFile::exists(dir.filePath("out.txt")));
            QCOMPARE(m_script.titles("prompt").size(), 0);
            return;
        }
        QVERIFY(readAll(dir.filePath("out.txt")).endsWith(exported.toLatin1() + "\r\n\\stop83P\\"));
    }

private:
    dialogs::Script m_script;
};

TORVANE_TEST(TstfrmDone);
#include "tst_frmdone.moc"
