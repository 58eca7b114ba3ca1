// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// File > Export to Calculator and Import Calculator Program of a document
// window, as the shell wires them to the compiler.
#include "common/Files.h"
#include "common/TestRegistry.h"

#include "calc/CalcFile.h"
#include "calc/CalculatorSymbols.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "rtf/RtfCodec.h"
#include "shell/Studio.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using editor::frmDocument;
using testing::readAll;
namespace dialogs = platform::dialogs;

namespace
{
// A document window as the program makes it: wired to the compiler.
frmDocument *newDocument()
{
    return shell::Studio::instance().createDocument(QString());
}

// The other document windows open now, by caption.
QHash<QString, frmDocument *> othersThan(const frmDocument *doc)
{
    QHash<QString, frmDocument *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *other = qobject_cast<frmDocument *>(w); other && other != doc)
            out.insert(other->windowTitle(), other);
    return out;
}
} // namespace

class TstCalcMenu : public QObject
{
    Q_OBJECT
    dialogs::Script m_script;
    QTemporaryDir m_dir;

private slots:
    void init() { dialogs::setScript(&(m_script = dialogs::Script())); }
    void cleanup()
    {
        shell::Studio::instance().reset();
        dialogs::setScript(nullptr);
    }

    // Typed with the calculator's symbols and lowercase, exported, imported:
    // the same model text comes back, symbols as the codes typing made.
    void exportedProgramComesBack()
    {
        frmDocument &w = *newDocument();
        for (const char *line : {"Disp \"Hello\"", "1→θ", "If θ≤2 and θ≠1", "Disp θ"}) {
            for (QChar c : QString::fromUtf8(line)) {
                // Keys a PC keyboard lacks arrive as text only.
                const Qt::Key key =
                    c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
                QTest::sendKeyEvent(QTest::Click, w.RichTextBox1, key, QString(c), Qt::NoModifier);
            }
            QTest::keyClick(w.RichTextBox1, Qt::Key_Return);
        }
        const QString file = m_dir.filePath("g.8xp");
        m_script.prompts = {QString("game"), QString("GAME")};
        m_script.files = {file, file};
        w.mnuExportCalc->trigger();
        w.mnuImportCalc->trigger();

        QCOMPARE(m_script.titles(), QStringList({"Export to Calculator", "Export to Calculator",
                                                 "Export to Calculator", "Export to Calculator",
                                                 "Import Calculator Program"}));
        QCOMPARE(m_script.asked[0].defaultAnswer, QString("FRMDOCUM"));
        QCOMPARE(m_script.asked[1].text, calc::calcfile::nameRules("game"));
        QCOMPARE(m_script.asked[2].defaultAnswer, QString("game")); // asked again
        QCOMPARE(m_script.asked[3].defaultAnswer, calc::calcfile::fileFilter());
        const auto imported = othersThan(&w);
        QCOMPARE(imported.keys(), QStringList({"GAME"}));
        QVERIFY(w.RichTextBox1->Text().contains(
            QChar(char16_t(calc::calcsymbols::byteFor(QStringView(u"\u2192"))))));
        QCOMPARE(imported["GAME"]->RichTextBox1->Text(), w.RichTextBox1->Text());
    }

    void refusedExports_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("says");
        QTest::addColumn<int>("questions"); // asked before the message
        QTest::newRow("character")
            << QString("1\r\nA") + QChar(237) << "a.8xp"
            << "Line 2, column 2: no calculator command or symbol is written "
               "\"æ\".\n\nNothing was exported."
            << 0;
        QTest::newRow("its own document")
            << "Disp 1"
            << "p.tvf"
            << QString("\"%1\" is the file being converted; please choose another file name."
                       "\n\nNothing was exported.")
            << 2;
    }
    void refusedExports()
    {
        QFETCH(QString, text);
        QFETCH(QString, file);
        QFETCH(QString, says);
        QFETCH(int, questions);
        QTemporaryDir dir;
        const QString document = dir.filePath("p.tvf");
        const QByteArray rtf = rtf::writePlain("1", "Ti83Pluspc", 17);
        QFile f(document);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(rtf) == rtf.size());
        f.close();
        frmDocument &w = *newDocument();
        QString error;
        QVERIFY(w.openFile(document, &error));
        w.RichTextBox1->setText(text);
        m_script.prompts = {QString("A")};
        m_script.files = {dir.filePath(file)};
        w.mnuExportCalc->trigger();
        QCOMPARE(int(m_script.asked.size()), questions + 1);
        QCOMPARE(m_script.asked.back().text,
                 QString(says).replace("%1", QDir::toNativeSeparators(document)));
        QCOMPARE(readAll(document), rtf);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"p.tvf"}));
    }

    // The real dialogs: the filter the user picks gives a typed name its
    // extension, and with it the calculator.
    void realDialogsPickTheCalculatorByFilter()
    {
        dialogs::setScript(nullptr);
        QTemporaryDir dir;
        frmDocument &w = *newDocument();
        w.RichTextBox1->setText("Disp 1");
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&dir] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *prompt = qobject_cast<QInputDialog *>(modal)) {
                prompt->setTextValue("AB");
                prompt->accept();
            } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                // The dialog lists its folder in the background; the name is
                // typed once that is done, as a user would.
                if (files->directory().absolutePath() != QDir(dir.path()).absolutePath()) {
                    files->setDirectory(dir.path());
                    QTest::keyClick(files->findChild<QComboBox *>("fileTypeCombo"), Qt::Key_Down);
                    return;
                }
                files->findChild<QLineEdit *>("fileNameEdit")->setText("prog");
                static_cast<QDialog *>(files)->accept(); // as the Save button does
            }
        });
        answer.start(20);
        w.mnuExportCalc->trigger();
        answer.stop();
        QCOMPARE(readAll(dir.filePath("prog.83p")),
                 calc::calcfile::build(u"Disp 1", "AB", false, calc::calcfile::Model::Ti83).file);
    }
};

TORVANE_TEST(TstCalcMenu);
#include "tst_calcmenu.moc"
