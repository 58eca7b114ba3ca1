#pragma once
// What lives for the program's run: the main frame, the single-instance
// windows, and the default document window.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <typeindex>

class QMdiArea;

namespace editor
{
class frmDocument;
}

namespace shell
{

class frmMain;

class Studio : public QObject
{
    Q_OBJECT
public:
    static Studio &instance();

    frmMain *mainFrame() const;
    void setMainFrame(frmMain *frame);
    QMdiArea *mdiArea() const;

    // The document window addressed by its form name: created again (a new
    // child captioned "frmDocument") when it was closed.
    editor::frmDocument *defaultDocument();
    editor::frmDocument *defaultDocumentIfLoaded() const;

    // A new document window, child of the main frame when there is one.
    editor::frmDocument *createDocument(const QString &caption);

    // Single-instance windows: created on first use, kept until closed.
    template <typename T> T *window()
    {
        QPointer<QWidget> &slot = m_windows[std::type_index(typeid(T))];
        if (!slot)
            slot = new T();
        return static_cast<T *>(slot.data());
    }
    template <typename T> T *loadedWindow() const
    {
        const auto it = m_windows.constFind(std::type_index(typeid(T)));
        return it == m_windows.constEnd() ? nullptr : static_cast<T *>(it->data());
    }
    // Shows a single-instance window modeless and brings it forward.
    template <typename T> T *show()
    {
        T *w = window<T>();
        bringForward(w);
        return w;
    }
    static void bringForward(QWidget *w);

    // The browser window the document and export windows share.
    void showSharedBrowser(const QString &startingAddress);
    // A new, separate browser window (the main frame's View > Web Browser).
    void showNewBrowser(const QString &startingAddress);

    // Addresses the program opens.
    static QString makerSiteAddress();
    static QString helpPageAddress();
    static QString calculatorMakerAddress();

    // Closes and forgets every window; used between tests.
    void reset();

private:
    Studio() = default;
    QPointer<frmMain> m_main;
    QPointer<editor::frmDocument> m_defaultDocument;
    QHash<std::type_index, QPointer<QWidget>> m_windows;
};

} // namespace shell
