// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The windows that live for the program's run, reached without naming any
// concrete window: single-instance windows by type, the default document
// window and new document windows through the shell's factory, and the
// shared browser through the opener and closer the shell installs.
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <typeindex>

class QAbstractButton;

namespace platform
{

class RichTextBox;

// A document window as the other subsystems see it.
class DocumentWindow
{
public:
    virtual ~DocumentWindow() = default;
    virtual QWidget *widget() = 0;
    virtual RichTextBox *programPane() = 0;
    // The reference panes and the line that describes their example.
    virtual RichTextBox *syntaxPane() = 0;
    virtual RichTextBox *examplePane() = 0;
    virtual void setDescription(const QString &text) = 0;
    virtual void setSaveEnabled(bool on) = 0;
    virtual bool saveEnabled() const = 0;
};

// Served by the shell: the one place that creates and wires document windows.
class DocumentFactory
{
public:
    virtual ~DocumentFactory() = default;
    // The window addressed by its form name; loaded again when it was closed.
    virtual DocumentWindow *defaultDocument() = 0;
    // A new document window captioned `caption`, shown in the main frame.
    virtual DocumentWindow *newDocument(const QString &caption) = 0;
};

class WindowRegistry
{
public:
    static WindowRegistry &instance();

    // Single-instance windows: created on first use, kept until closed. A
    // window that was closed and only waits for its deletion counts as gone.
    template <typename T> T *window()
    {
        Slot &slot = m_windows[std::type_index(typeid(T))];
        if (!alive(slot)) {
            T *w = new T();
            slot = {w, w->testAttribute(Qt::WA_DeleteOnClose)};
        }
        return static_cast<T *>(slot.widget.data());
    }
    template <typename T> T *loadedWindow() const
    {
        const auto it = m_windows.constFind(std::type_index(typeid(T)));
        return it == m_windows.constEnd() || !alive(*it) ? nullptr
                                                         : static_cast<T *>(it->widget.data());
    }
    // Shows a single-instance window modeless and brings it forward.
    template <typename T> T *show()
    {
        T *w = window<T>();
        bringForward(w);
        return w;
    }
    static void bringForward(QWidget *w);
    // True for a window that deletes itself on close and has been closed: it
    // only waits for its deletion and must not be handed out again.
    static bool closing(const QWidget *w) { return w && !w->testAttribute(Qt::WA_DeleteOnClose); }

    void setDocumentFactory(DocumentFactory *factory) { m_factory = factory; }
    // Both are null when no factory is installed.
    DocumentWindow *defaultDocument();
    DocumentWindow *newDocument(const QString &caption);

    using BrowserOpener = std::function<void(const QString &address)>;
    void setBrowserOpener(BrowserOpener opener) { m_browserOpener = std::move(opener); }
    // Opens the address in the browser window every caller shares.
    void openInSharedBrowser(const QString &address);
    // Brings the shared browser to the help book, wherever it was.
    void setHelpOpener(std::function<void()> opener) { m_helpOpener = std::move(opener); }
    void openHelp();
    using BrowserCloser = std::function<void()>;
    void setBrowserCloser(BrowserCloser closer) { m_browserCloser = std::move(closer); }
    // Closes the shared browser window if it is open.
    void closeSharedBrowser();

    // A short note on the main frame's status bar ("Wrote GUESS.8xp: ...").
    void setStatusShower(std::function<void(const QString &)> shower)
    {
        m_statusShower = std::move(shower);
    }
    void showStatus(const QString &text);

    // A document window that holds `path` with changes not yet saved: its
    // caption, and how to save it (false when that did not happen).
    struct UnsavedDocument {
        QString caption;
        std::function<bool()> save;
    };
    using UnsavedLookup = std::function<std::optional<UnsavedDocument>(const QString &path)>;
    void setUnsavedLookup(UnsavedLookup lookup) { m_unsavedLookup = std::move(lookup); }
    std::optional<UnsavedDocument> unsavedDocument(const QString &path) const;

    // Closes and deletes every single-instance window; used between tests.
    void closeAll();

private:
    struct Slot {
        QPointer<QWidget> widget;
        bool deleteOnClose = false;
    };
    // Closing a window that deletes itself clears the attribute and schedules
    // the deletion: from then on the window is on its way out.
    static bool alive(const Slot &slot)
    {
        return slot.widget && !(slot.deleteOnClose && closing(slot.widget));
    }

    WindowRegistry() = default;
    QHash<std::type_index, Slot> m_windows;
    DocumentFactory *m_factory = nullptr;
    BrowserOpener m_browserOpener;
    BrowserCloser m_browserCloser;
    std::function<void()> m_helpOpener;
    std::function<void(const QString &)> m_statusShower;
    UnsavedLookup m_unsavedLookup;
};

// Escape presses `cancel`, Enter presses `confirm` (either may be null; a
// null `cancel` closes the window). A text field that takes Enter itself
// keeps it.
void bindDialogKeys(QWidget *window, QAbstractButton *confirm, QAbstractButton *cancel);

// Where a top-level window of `size` goes: centred over `over` (or over the
// screen when null) and moved so that it lies within that screen's available
// area.
QRect placedOver(const QSize &size, const QWidget *over);
// A stored window rectangle, kept if enough of it lies on one of the current
// screens (its title bar can be reached); otherwise moved onto the primary
// screen. Too large a rectangle is shrunk to the screen.
QRect keptReachable(const QRect &rect);

// Cuts every connection from the window's descendants to the window itself.
// A window calls it first thing in its destructor: children destroyed after
// that may still emit, and their handlers must not run on a half-destroyed
// window.
void disconnectChildren(QObject *window);

inline WindowRegistry &windows()
{
    return WindowRegistry::instance();
}

} // namespace platform
