// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/Studio.h"

#include "auxiliary/frmAbout.h"
#include "auxiliary/frmBrowser.h"
#include "calc/CalculatorSymbols.h"
#include "calcfiles/CalcCommands.h"
#include "calcfiles/CalcExport.h"
#include "calcfiles/CalcLinkCommands.h"
#include "calcfiles/frmImportPrograms.h"
#include "compiler/frmCompile.h"
#include "debug/Debugger.h"
#include "editor/Document.h"
#include "editor/ModelChooser.h"
#include "editor/RecentFiles.h"
#include "editor/RecoveryWriter.h"
#include "platform/AppInfo.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/TextFiles.h"
#include "projects/frmNewProject.h"
#include "projects/frmProjectExplorer.h"
#include "projects/frmTasks.h"
#include "reference/Reference.h"
#include "shell/frmMain.h"
#include "shell/frmOptions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QUrl>

namespace shell
{

Studio::Studio()
{
    platform::windows().setDocumentFactory(this);
    platform::windows().setBrowserOpener(
        [this](const QString &address) { showSharedBrowser(address); });
    platform::windows().setHelpOpener([this] { showHelp(); });
    platform::windows().setStatusShower([this](const QString &text) {
        if (m_main)
            m_main->sbStatusBar->showMessage(text, 10000);
    });
    platform::windows().setUnsavedLookup(
        [](const QString &path) -> std::optional<platform::WindowRegistry::UnsavedDocument> {
            for (QWidget *w : QApplication::allWidgets()) {
                auto *doc = qobject_cast<editor::frmDocument *>(w);
                if (!doc || platform::WindowRegistry::closing(doc) || !doc->isModified() ||
                    doc->fileName().isEmpty() ||
                    !platform::textfiles::sameFile(doc->fileName(), path))
                    continue;
                return platform::WindowRegistry::UnsavedDocument{
                    doc->windowTitle(),
                    [d = QPointer<editor::frmDocument>(doc)] { return d && d->mnuSave_Click(); }};
            }
            return std::nullopt;
        });
    platform::windows().setBrowserCloser([] {
        if (auto *browser = platform::windows().loadedWindow<auxiliary::frmBrowser>())
            browser->close();
    });
}

Studio &Studio::instance()
{
    static Studio studio;
    return studio;
}

frmMain *Studio::mainFrame() const
{
    return m_main.data();
}

editor::frmDocument *Studio::defaultDocumentIfLoaded() const
{
    return platform::WindowRegistry::closing(m_defaultDocument) ? nullptr
                                                                : m_defaultDocument.data();
}

void Studio::setMainFrame(frmMain *frame)
{
    m_main = frame;
}

QMdiArea *Studio::mdiArea() const
{
    return m_main ? m_main->mdiArea() : nullptr;
}

editor::frmDocument *Studio::createDocument(const QString &caption)
{
    auto *doc = new editor::frmDocument();
    if (!caption.isEmpty())
        doc->setWindowTitle(caption);
    connectWindows(doc);
    connectCalculatorFiles(doc);

    // The other windows on the same file hear who wrote it.
    connect(doc->document(), &editor::Document::saved, doc, [doc](const QString &path) {
        for (QWidget *w : QApplication::allWidgets()) {
            auto *other = qobject_cast<editor::frmDocument *>(w);
            if (other && other != doc && !platform::WindowRegistry::closing(other) &&
                other->document()->canonicalPath() == path)
                other->document()->savedByOtherWindow(doc->windowTitle());
        }
    });

    if (m_recovery)
        new editor::RecoveryWriter(doc->document(), m_recovery.get());
    new debug::Debugger(doc);

    if (m_main)
        m_main->adopt(doc)->show();
    else
        doc->show();
    return doc;
}

// The windows a document window asks for.
void Studio::connectWindows(editor::frmDocument *doc)
{
    auto &windows = platform::windows();
    connect(doc, &editor::frmDocument::compileRequested, doc,
            [&windows] { windows.show<compiler::frmCompile>(); });
    connect(doc, &editor::frmDocument::optionsRequested, doc,
            [&windows] { windows.show<frmOptions>(); });
    connect(doc, &editor::frmDocument::aboutRequested, doc,
            [&windows] { windows.show<auxiliary::frmAbout>(); });
    connect(doc, &editor::frmDocument::referenceRequested, doc,
            [doc](const QString &item) { reference::chooseItem(*doc, item); });
    connect(doc, &editor::frmDocument::openFileRequested, this, &Studio::openPath);
    connect(doc, &editor::frmDocument::newProjectRequested, doc,
            [&windows] { windows.show<projects::frmNewProject>(); });
    connect(doc, &editor::frmDocument::tasksRequested, doc,
            [&windows] { windows.show<projects::frmTasks>(); });
    connect(doc, &editor::frmDocument::projectExplorerRequested, doc,
            [&windows] { windows.show<projects::frmProjectExplorer>(); });
}

// Export, import, send, receive and the screenshot.
void Studio::connectCalculatorFiles(editor::frmDocument *doc)
{
    connect(doc, &editor::frmDocument::exportCalcRequested, doc, [doc] {
        calcfiles::calccommands::exportProgram(
            doc, doc->programPane()->Text(), doc->fileName(), doc->windowTitle(),
            calcfiles::calcexport::metaIn(doc->programPane()->keptDestinations()),
            editor::ModelChooser::of(doc)->shownModel());
    });
    // Each imported program opens in a window of its own, captioned with its name.
    connect(doc, &editor::frmDocument::importCalcRequested, doc, [this, doc] {
        const calcfiles::CalcImport result = calcfiles::importCalculatorPrograms(doc);
        editor::frmDocument *opened = nullptr;
        for (const calc::calcfile::Imported &p : result.programs)
            opened = openImported(p, calc::calcsymbols::toUnicode(p.name));
        if (opened)
            emit opened->statusMessage(result.status);
    });

    connect(doc, &editor::frmDocument::sendToCalcRequested, doc, [doc] {
        calcfiles::calclinkcommands::sendProgram(
            doc, doc->programPane()->Text(), doc->fileName(), doc->windowTitle(),
            calcfiles::calcexport::metaIn(doc->programPane()->keptDestinations()));
    });
    // A received program opens in a window of its own, as an imported one.
    connect(doc, &editor::frmDocument::receiveFromCalcRequested, doc, [this, doc] {
        if (const auto program = calcfiles::calclinkcommands::receiveProgram(doc))
            openImported(*program, program->name);
    });

    if (auto *shot = doc->findChild<QAction *>(QStringLiteral("mnuGetScreenshot")))
        connect(shot, &QAction::triggered, doc,
                [doc] { calcfiles::calclinkcommands::getScreenshot(doc); });
}

// A program from a calculator file or the link, keeping what its header said.
editor::frmDocument *Studio::openImported(const calc::calcfile::Imported &program,
                                          const QString &caption)
{
    editor::frmDocument *opened = createDocument(caption);
    auto *pane = opened->programPane();
    pane->setText(program.text);
    pane->setKeptDestinations(calcfiles::calcexport::withMeta({}, calc::calcfile::metaOf(program)));
    editor::ModelChooser::of(opened)->reread();
    // What came from a file or the cable is no change of the user's.
    opened->document()->takeAsUnchanged();
    return opened;
}

bool Studio::isCalculatorFile(const QString &path)
{
    static const QStringList kinds{QStringLiteral("8xp"), QStringLiteral("83p"),
                                   QStringLiteral("8xg"), QStringLiteral("83g")};
    return kinds.contains(QFileInfo(path).suffix().toLower());
}

bool Studio::openPath(const QString &path)
{
    QWidget *parent = m_main ? static_cast<QWidget *>(m_main) : QApplication::activeWindow();
    if (!QFileInfo(path).isFile()) {
        editor::recent::forget(path);
        platform::dialogs::message(
            parent,
            QStringLiteral("%1 is not there any more; it is taken off the recent files.")
                .arg(QDir::toNativeSeparators(path)),
            QString(), QMessageBox::Warning);
        return false;
    }
    QString error;
    if (isCalculatorFile(path)) {
        calc::calcfile::ImportedFile file;
        if (!calcfiles::calcexport::readCalcFile(path, &file, &error)) {
            platform::dialogs::message(parent, error, QString(), QMessageBox::Critical);
            return false;
        }
        for (const calc::calcfile::Imported &p : file.programs) {
            auto *doc = createDocument(calc::calcsymbols::toUnicode(p.name));
            doc->programPane()->setText(p.text);
            editor::ModelChooser::of(doc)->reread();
            doc->document()->takeAsUnchanged();
            emit doc->statusMessage(calcfiles::calcexport::importReport(file, p));
        }
        editor::recent::note(path);
        return !file.programs.isEmpty();
    }
    editor::frmDocument *doc = m_main ? m_main->LoadNewDoc() : createDocument(QString());
    if (doc->openFile(path, &error))
        return true;
    doc->unload();
    platform::dialogs::message(parent, error, QString(), QMessageBox::Critical);
    return false;
}

editor::frmDocument *Studio::defaultDocument()
{
    if (!defaultDocumentIfLoaded())
        m_defaultDocument = createDocument(QString());
    return m_defaultDocument;
}

void Studio::showSharedBrowser(const QString &startingAddress)
{
    // The address counts only when the shared window loads; an open one is
    // just brought forward.
    auto &windows = platform::windows();
    if (!windows.loadedWindow<auxiliary::frmBrowser>())
        windows.window<auxiliary::frmBrowser>()->StartingAddress = startingAddress;
    windows.show<auxiliary::frmBrowser>();
}

void Studio::showHelp()
{
    // Unlike other addresses, help is shown even when the shared window is
    // open on another page; pages of the help book are left where they are.
    const QString help = platform::helpPageAddress();
    auto &windows = platform::windows();
    auto *browser = windows.loadedWindow<auxiliary::frmBrowser>();
    if (!browser) {
        showSharedBrowser(help);
        return;
    }
    const QString book = QUrl(help).adjusted(QUrl::RemoveFilename).toString();
    if (!browser->brwWebBrowser->LocationURL().startsWith(book))
        browser->NavigateTo(help);
    windows.show<auxiliary::frmBrowser>();
}

void Studio::showNewBrowser(const QString &startingAddress)
{
    auto *browser = new auxiliary::frmBrowser();
    browser->StartingAddress = startingAddress;
    platform::WindowRegistry::bringForward(browser);
}

void Studio::setInstanceServer(QObject *server)
{
    delete m_instanceServer.data();
    m_instanceServer = server;
    if (server)
        server->setParent(this);
}

void Studio::startRecovery(const QString &folder)
{
    m_recovery = std::make_unique<editor::recovery::Session>(folder);
    if (!m_recovery->ok())
        m_recovery.reset();
}

void Studio::reset()
{
    delete m_instanceServer.data();
    // Between tests nothing is asked: whatever a test typed is thrown away.
    for (QWidget *w : QApplication::allWidgets())
        if (auto *doc = qobject_cast<editor::frmDocument *>(w))
            doc->setAskOnClose(false);
    platform::windows().closeAll();
    if (m_main) {
        m_main->close();
        delete m_main.data();
    }
    if (m_defaultDocument)
        delete m_defaultDocument.data();
    // A document's own menus are top-level widgets too: collect first, or
    // deleting a document leaves them dangling in the list.
    QList<QPointer<QWidget>> documents;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<editor::frmDocument *>(w))
            documents << w;
    for (const QPointer<QWidget> &w : documents)
        delete w.data();
    // Last: the windows above removed their recovery files through it.
    m_recovery.reset();
}

} // namespace shell
