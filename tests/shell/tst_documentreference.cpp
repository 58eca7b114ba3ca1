// The reference as the document windows the shell creates reach it: every
// Insert, Graph and Variables item, the shortcuts, and the wizards' results
// landing in the default document window.
#include "common/TestRegistry.h"

#include "editor/UndoHistory.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "reference/ReferenceEntries.h"
#include "reference/WizardText.h"
#include "reference/frmWizard_GETKEY.h"
#include "reference/frmWizard_MENU.h"
#include "shell/Studio.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QToolButton>

using shell::Studio;

namespace
{
// Everything an item could have done to its window or the program.
QString state(editor::frmDocument *doc, const platform::dialogs::Script &script)
{
    return QStringList{
        doc->RichTextBox1->Text(),
        doc->RichTextBox2->Text(),
        doc->RichTextBox3->Text(),
        doc->example->text(),
        QString::number(script.asked.size()),
        QString::number(bool(platform::windows().loadedWindow<reference::frmWizard_GETKEY>())),
        QString::number(bool(platform::windows().loadedWindow<reference::frmWizard_MENU>()))}
        .join(QLatin1Char('|'));
}
} // namespace

class TstDocumentReference : public QObject
{
    Q_OBJECT
private slots:
    void init() { platform::dialogs::setScript(&m_script); }
    void cleanup()
    {
        platform::dialogs::setScript(nullptr);
        m_script = {};
        Studio::instance().reset();
    }
    void everyItem_data();
    void everyItem();
    void shortcuts_data();
    void shortcuts();
    void wizardsWriteIntoTheDefaultDocument();

private:
    platform::dialogs::Script m_script;
};

void TstDocumentReference::everyItem_data()
{
    QTest::addColumn<QString>("item");
    editor::frmDocument doc;
    int entries = 0;
    for (const char *name : {"mnuInsert", "mnuGraph", "mnuVariables"})
        for (QAction *a : doc.menu(QLatin1String(name))->findChildren<QAction *>())
            if (!a->menu() && !a->isSeparator()) {
                QTest::newRow(qPrintable(a->objectName())) << a->objectName();
                entries += reference::findEntry(a->objectName()) ? 1 : 0;
            }
    // Every entry of the reference has its item in the menus.
    QCOMPARE(entries, int(reference::referenceEntries().size()));
}

void TstDocumentReference::everyItem()
{
    QFETCH(QString, item);
    editor::frmDocument *doc = Studio::instance().createDocument("Document 1");
    doc->RichTextBox1->setText("Disp A");
    const QString before = state(doc, m_script);
    doc->action(item)->trigger();
    // Items with an entry do something visible; the others nothing at all.
    QCOMPARE(state(doc, m_script) != before, bool(reference::findEntry(item)));
}

void TstDocumentReference::shortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("syntax");
    QTest::newRow("Ctrl+F1 Pause") << int(Qt::Key_F1) << "Pause ";
    QTest::newRow("Ctrl+F2 Display")
        << int(Qt::Key_F2) << "There is 3 ways to do a Display command.";
    QTest::newRow("Ctrl+F3 Label") << int(Qt::Key_F3) << "Lbl [VARIABLE/NBR]";
}

void TstDocumentReference::shortcuts()
{
    QFETCH(int, key);
    QFETCH(QString, syntax);
    editor::frmDocument *doc = Studio::instance().createDocument("Document 1");
    QApplication::setActiveWindow(doc);
    doc->RichTextBox1->setFocus();
    QTest::keyClick(doc->RichTextBox1, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(doc->RichTextBox2->Text().section(QStringLiteral("\r\n"), 0, 0), syntax);
    QCOMPARE(doc->RichTextBox1->Text(), QString());
}

void TstDocumentReference::wizardsWriteIntoTheDefaultDocument()
{
    editor::frmDocument *numbered = Studio::instance().createDocument("Document 1");
    editor::frmDocument *def = Studio::instance().defaultDocument();
    def->RichTextBox1->setText("ClrHome");
    def->RichTextBox1->setSelStart(7);
    const int entries = def->history().undoCount();

    numbered->action("mnuGetkey")->trigger();
    auto *getkey = platform::windows().loadedWindow<reference::frmWizard_GETKEY>();
    QVERIFY(getkey);
    getkey->Image3->click();
    QCOMPARE(def->RichTextBox1->Text(),
             "ClrHome" + reference::getkeywizard::skeleton() + "\r\nEnd");
    QCOMPARE(numbered->RichTextBox1->Text(), QString());
    // One change, undone in one step.
    QCOMPARE(def->history().undoCount(), entries + 1);

    // Closed, the default document comes back for the next result.
    QPointer<editor::frmDocument> old(def);
    def->setAskOnClose(false);
    def->unload();
    QTRY_VERIFY(!old);
    numbered->action("mnuMenu")->trigger();
    auto *menu = platform::windows().loadedWindow<reference::frmWizard_MENU>();
    QVERIFY(menu);
    menu->Image3->click();
    def = Studio::instance().defaultDocumentIfLoaded();
    QVERIFY(def);
    QCOMPARE(def->windowTitle(), QString("frmDocument"));
    QCOMPARE(def->RichTextBox1->Text(), QString(")"));
    QCOMPARE(numbered->RichTextBox1->Text(), QString());
}

TORVANE_TEST(TstDocumentReference);
#include "tst_documentreference.moc"
