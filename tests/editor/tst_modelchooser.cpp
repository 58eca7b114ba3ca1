// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The model of a document window's program: the status-bar field and the
// Run menu agree, the choice travels in the saved document to an export,
// and the checks follow it.
#include "calc/CalcFile.h"
#include "calc/Tokens.h"
#include "calcfiles/CalcExport.h"
#include "common/TestRegistry.h"
#include "editor/Document.h"
#include "editor/EditorOptions.h"
#include "editor/ModelChooser.h"
#include "editor/ProblemMarks.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using calc::models::Model;
using editor::frmDocument;

namespace
{

QStringList errors(frmDocument &w)
{
    editor::ProblemMarks *marks = editor::ProblemMarks::of(w.RichTextBox1);
    marks->checkNow();
    QStringList out;
    for (const auto &p : marks->problems())
        if (p.severity == calc::checks::Severity::Error)
            out << p.message;
    return out;
}

} // namespace

class TstModelChooser : public QObject
{
    Q_OBJECT
private slots:
    void chooserAndMenuAgree()
    {
        testing::IsolatedProfile profile;
        frmDocument w;
        auto *combo = w.findChild<QComboBox *>(QStringLiteral("cboModel"));
        QVERIFY(combo);
        QCOMPARE(combo->count(), 6);
        QCOMPARE(combo->currentText(), QStringLiteral("TI-83 Plus (default)"));
        QMenu *model = w.findChild<QMenu *>(QStringLiteral("mnuModel"));
        QVERIFY(model);
        QVERIFY(w.menu(QStringLiteral("mnuRun"))->actions().contains(model->menuAction()));
        QAction *ce = nullptr;
        for (QAction *a : model->actions())
            if (a->objectName() == QLatin1String("mnuModelTi84pce"))
                ce = a;
        QVERIFY(ce);
        ce->trigger();
        QCOMPARE(combo->currentText(), QStringLiteral("TI-84 Plus CE / TI-83 Premium CE"));
        QVERIFY(ce->isChecked());
        // Insert > Colour shows for the colour models, its items asking for
        // their reference entries.
        QMenu *colour = w.findChild<QMenu *>(QStringLiteral("mnuInsertColour"));
        QVERIFY(colour);
        QVERIFY(colour->menuAction()->isVisible());
        QSignalSpy asked(&w, &frmDocument::referenceRequested);
        colour->actions().first()->trigger();
        QCOMPARE(asked.value(0).value(0).toString(), QStringLiteral("mnuTextColor"));
        QCOMPARE(colour->actions().size(), 8);
        combo->setCurrentIndex(2);
        emit combo->activated(2);
        QCOMPARE(editor::ModelChooser::of(&w)->model(), Model::Ti83Plus);
        QVERIFY(!ce->isChecked());
        QVERIFY(!colour->menuAction()->isVisible());
    }

    // The program: errors for the TI-83 Plus, none for the CE, and
    // the saved document exports with the CE's product id and version byte.
    void choiceTravelsToTheFile()
    {
        testing::IsolatedProfile profile;
        platform::dialogs::Script script;
        platform::dialogs::setScript(&script);
        QTemporaryDir dir;
        {
            frmDocument w;
            w.RichTextBox1->setText(QStringLiteral("TextColor(BLUE)\r\nBackgroundOff\r\nWait 0.1"));
            auto *chooser = editor::ModelChooser::of(&w);
            chooser->setModel(Model::Ti83Plus);
            const QStringList e = errors(w);
            QVERIFY2(e.contains(QStringLiteral("Wait needs a TI-84 Plus CE with OS 5.2 or later")),
                     qPrintable(e.join(u'|')));
            QVERIFY(e.contains(QStringLiteral("TextColor( needs a TI-84 Plus C SE")));
            chooser->setModel(Model::Ti84PlusCE);
            QCOMPARE(errors(w), QStringList());
            QVERIFY(w.document()->saveTo(dir.filePath(QStringLiteral("CE.tvf"))));
        }
        frmDocument again;
        QString error;
        QVERIFY2(again.document()->openFile(dir.filePath(QStringLiteral("CE.tvf")), &error),
                 qPrintable(error));
        QCOMPARE(editor::ModelChooser::of(&again)->model(), Model::Ti84PlusCE);
        const calc::FileMeta meta =
            calcfiles::calcexport::metaIn(again.RichTextBox1->keptDestinations());
        const auto built = calc::calcfile::build(again.RichTextBox1->Text(), QStringLiteral("CE"),
                                                 false, calc::calcfile::Model::Ti83Plus, meta);
        QVERIFY2(built.ok(), qPrintable(built.error));
        QCOMPARE(int(uchar(built.file.at(10))), 0x13);
        QCOMPARE(int(uchar(built.file.at(0x44))), 0x0B);
        platform::dialogs::setScript(nullptr);
    }

    // Choosing is a change to the document: Close would ask, Save keeps it.
    // Choosing the model it already has, or going back to the saved one, is
    // no change.
    void choosingMarksTheDocumentChanged()
    {
        testing::IsolatedProfile profile;
        platform::dialogs::Script script;
        platform::dialogs::setScript(&script);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("P.tvf"));
        {
            frmDocument w;
            w.RichTextBox1->setText(QStringLiteral("Disp 1"));
            QVERIFY(w.document()->saveTo(path));
            auto *chooser = editor::ModelChooser::of(&w);
            QSignalSpy modified(w.document(), &editor::Document::modifiedChanged);
            chooser->setModel(Model::Ti84Plus);
            QVERIFY(w.document()->isModified());
            QCOMPARE(modified.count(), 1);
            chooser->setModel(Model::None);
            QVERIFY(!w.document()->isModified());
            auto *combo = w.findChild<QComboBox *>(QStringLiteral("cboModel"));
            const int ce = combo->findData(int(Model::Ti84PlusCE));
            combo->setCurrentIndex(ce);
            emit combo->activated(ce);
            QVERIFY(w.document()->isModified());
            QVERIFY(w.document()->save());
            QVERIFY(!w.document()->isModified());
            chooser->setModel(Model::Ti84PlusCE);
            QVERIFY(!w.document()->isModified());
        }
        frmDocument again;
        QString error;
        QVERIFY2(again.document()->openFile(path, &error), qPrintable(error));
        QCOMPARE(editor::ModelChooser::of(&again)->model(), Model::Ti84PlusCE);
        QVERIFY(!again.document()->isModified());
        platform::dialogs::setScript(nullptr);
    }

    // The Options default names the unchosen entry and decides the colour
    // menu, live; the checks and the file still see no model chosen.
    void defaultShowsButIsNotChosen()
    {
        testing::IsolatedProfile profile;
        QVERIFY(editor::EditorOptions::instance().applyDefaultModel(Model::Ti84PlusCE));
        frmDocument w;
        w.RichTextBox1->setText(QStringLiteral("TextColor(BLUE)\r\nWait 0.1"));
        auto *chooser = editor::ModelChooser::of(&w);
        auto *combo = w.findChild<QComboBox *>(QStringLiteral("cboModel"));
        QCOMPARE(combo->currentText(), QStringLiteral("TI-84 Plus CE (default)"));
        QCOMPARE(chooser->model(), Model::None);
        QCOMPARE(chooser->shownModel(), Model::Ti84PlusCE);
        QMenu *colour = w.findChild<QMenu *>(QStringLiteral("mnuInsertColour"));
        QVERIFY(colour->menuAction()->isVisible());
        QCOMPARE(errors(w), QStringList());
        const calc::FileMeta meta =
            calcfiles::calcexport::metaIn(w.RichTextBox1->keptDestinations());
        QVERIFY(meta.value(QStringLiteral("model")).isEmpty());

        QVERIFY(editor::EditorOptions::instance().applyDefaultModel(Model::Ti83));
        QCOMPARE(combo->currentText(), QStringLiteral("TI-83 (default)"));
        QVERIFY(!colour->menuAction()->isVisible());
        QCOMPARE(errors(w), QStringList()); // still inferred, not the TI-83's errors
        QVERIFY(!editor::EditorOptions::instance().applyDefaultModel(Model::None));
        QCOMPARE(editor::EditorOptions::defaultModel(), Model::Ti83);
    }

    // To a colour model and back: the tokens spelt otherwise there change
    // spelling, text in strings and other tokens stay, the tokens stay the
    // same, and one Undo takes the respelling back.
    void colourModelsRespell()
    {
        testing::IsolatedProfile profile;
        frmDocument w;
        const QString plain =
            QStringLiteral("Connected\r\nDot\r\nGridOn\r\nDisp \"Connected\"\r\nLine(0,0,1,1)");
        w.RichTextBox1->setText(plain);
        w.document()->history().reset();
        const QByteArray tokens = calc::tokens::tokenize(plain).bytes;
        auto *chooser = editor::ModelChooser::of(&w);
        chooser->setModel(Model::Ti84Plus); // no colour either side: nothing to respell
        QCOMPARE(w.RichTextBox1->Text(), plain);
        QCOMPARE(w.document()->history().undoCount(), 1);
        chooser->setModel(Model::Ti84PlusCSE);
        const QString colour =
            QStringLiteral("Thick\r\nDot-Thick\r\nGridDot \r\nDisp \"Connected\"\r\nLine(0,0,1,1)");
        QCOMPARE(w.RichTextBox1->Text(), colour);
        QCOMPARE(calc::tokens::tokenize(w.RichTextBox1->Text()).bytes, tokens);
        QCOMPARE(w.document()->history().undoCount(), 2);
        chooser->setModel(Model::Ti84PlusCE); // colour to colour: as it is
        QCOMPARE(w.RichTextBox1->Text(), colour);
        w.document()->history().Undo();
        QCOMPARE(w.RichTextBox1->Text(), plain);
        w.document()->history().Redo();
        chooser->setModel(Model::None); // shown as the TI-83 Plus default
        QCOMPARE(w.RichTextBox1->Text(), plain);
    }
};

TORVANE_TEST(TstModelChooser);
#include "tst_modelchooser.moc"
