// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The shell's window factory and wiring point: the main frame, the default
// document window, every new document window, and the shared browser.
// Windows below the shell reach these through platform::WindowRegistry.
#include "editor/RecoveryFiles.h"
#include "editor/frmDocument.h"
#include "platform/WindowRegistry.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QMdiArea;

namespace calc::calcfile
{
struct Imported;
}

namespace shell
{

class frmMain;

class Studio : public QObject, public platform::DocumentFactory
{
    Q_OBJECT
public:
    static Studio &instance();

    frmMain *mainFrame() const;
    void setMainFrame(frmMain *frame);
    QMdiArea *mdiArea() const;

    // The document window addressed by its form name: created again (a new
    // child captioned "frmDocument") when it was closed.
    editor::frmDocument *defaultDocument() override;
    editor::frmDocument *defaultDocumentIfLoaded() const;

    // The one place that creates a document window: wired to the windows of
    // the other subsystems, a child of the main frame when there is one.
    editor::frmDocument *createDocument(const QString &caption);
    editor::frmDocument *newDocument(const QString &caption) override
    {
        return createDocument(caption);
    }

    // A document (.tvf) or calculator file chosen from Recent Files or
    // dropped on the frame, each in a window of its own. A file that is gone
    // is said so and leaves the recent list. False when nothing opened.
    bool openPath(const QString &path);
    static bool isCalculatorFile(const QString &path);

    // The browser window the document and export windows share.
    void showSharedBrowser(const QString &startingAddress);
    // The shared browser on the help book (Help Topics, F1).
    void showHelp();
    // A new, separate browser window (the main frame's View > Web Browser).
    void showNewBrowser(const QString &startingAddress);

    // Closes and forgets every window; used between tests.
    void reset();

    // The end a later start hands its files to (SingleInstance.h); owned here.
    QObject *instanceServer() const { return m_instanceServer; }
    void setInstanceServer(QObject *server);

    // From now on every document window keeps its unsaved text in a
    // recovery file in `folder` (RecoveryFiles.h).
    void startRecovery(const QString &folder);
    editor::recovery::Session *recoverySession() const { return m_recovery.get(); }

private:
    Studio();
    void connectWindows(editor::frmDocument *doc);
    void connectCalculatorFiles(editor::frmDocument *doc);
    editor::frmDocument *openImported(const calc::calcfile::Imported &program,
                                      const QString &caption);
    QPointer<frmMain> m_main;
    QPointer<QObject> m_instanceServer;
    std::unique_ptr<editor::recovery::Session> m_recovery;
    QPointer<editor::frmDocument> m_defaultDocument;
};

} // namespace shell
