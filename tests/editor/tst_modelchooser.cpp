// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The model of a document window's program: the status-bar field and the
// Run menu agree, the choice travels in the saved document to an export,
// and the checks follow it.
#include "calc/CalcFile.h"
#include "calcfiles/CalcExport.h"
#include "common/TestRegistry.h"
#include "editor/Document.h"
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
        QCOMPARE(combo->currentText(), QStringLiteral("Not chosen"));
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
};

TORVANE_TEST(TstModelChooser);
#include "tst_modelchooser.moc"
