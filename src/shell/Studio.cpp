#include "shell/Studio.h"

#include "auxiliary/frmBrowser.h"
#include "editor/frmDocument.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QMdiSubWindow>

namespace shell
{

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
    return m_defaultDocument.data();
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
    if (m_main)
        m_main->adopt(doc)->show();
    else
        doc->show();
    return doc;
}

editor::frmDocument *Studio::defaultDocument()
{
    if (!m_defaultDocument)
        m_defaultDocument = createDocument(QString());
    return m_defaultDocument;
}

void Studio::bringForward(QWidget *w)
{
    if (!w)
        return;
    if (w->isMinimized())
        w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
}

void Studio::showSharedBrowser(const QString &startingAddress)
{
    // The address counts only when the shared window loads; an open one is
    // just brought forward.
    if (!loadedWindow<auxiliary::frmBrowser>())
        window<auxiliary::frmBrowser>()->StartingAddress = startingAddress;
    show<auxiliary::frmBrowser>();
}

void Studio::showNewBrowser(const QString &startingAddress)
{
    auto *browser = new auxiliary::frmBrowser();
    browser->StartingAddress = startingAddress;
    bringForward(browser);
}

QString Studio::makerSiteAddress()
{
    return QStringLiteral("https://www.example.com/torvane/");
}
QString Studio::helpPageAddress()
{
    return QStringLiteral("qrc:/help/index.html");
}
QString Studio::calculatorMakerAddress()
{
    return QStringLiteral("https://www.ti.com/");
}

void Studio::reset()
{
    for (auto &w : m_windows)
        if (w) {
            w->close();
            delete w.data();
        }
    m_windows.clear();
    if (m_main) {
        m_main->close();
        delete m_main.data();
    }
    if (m_defaultDocument)
        delete m_defaultDocument.data();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<editor::frmDocument *>(w))
            delete w;
}

} // namespace shell
