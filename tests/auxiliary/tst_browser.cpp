// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/TestRegistry.h"

#include "auxiliary/frmBrowser.h"
#include "editor/frmDocument.h"
#include "platform/BrowserView.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolBar>

#include <memory>

namespace
{
// The engine's first start is slow, more so in a sanitizer build.
constexpr int kLoad = 60000;

QString page(const QTemporaryDir &dir, const QString &name, const QString &body = QString())
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
                    .arg(name, body)
                    .toUtf8());
    return QUrl::fromLocalFile(path).toString();
}

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}
} // namespace

class TstBrowser : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_browser.reset(); }
    void addressListKeepsVisitsOnceMostRecentFirst();
    void enterGoesToTheTypedText();
    void toolbarKeys();
    void busyCaptionWhileASlowPageLoads();
    void helpSearchFindsPagesOfTheBook();
    void everyMenuItemIsInTheHelpBook();

private:
    // Shows a browser on `address` and waits until the page is there.
    auxiliary::frmBrowser *open(const QString &address);
    void go(const QString &address);

    QTemporaryDir m_dir;
    std::unique_ptr<auxiliary::frmBrowser> m_browser;
};

void TstBrowser::init()
{
    QString why;
    if (!platform::BrowserView::engineAvailable(&why))
        QFAIL(qPrintable(why));
}

auxiliary::frmBrowser *TstBrowser::open(const QString &address)
{
    m_browser = std::make_unique<auxiliary::frmBrowser>();
    m_browser->setAttribute(Qt::WA_DeleteOnClose, false);
    m_browser->StartingAddress = address;
    m_browser->show();
    if (!address.isEmpty()) {
        [&] {
            QTRY_COMPARE_WITH_TIMEOUT(m_browser->brwWebBrowser->LocationURL(), address, kLoad);
        }();
        [&] { QTRY_VERIFY_WITH_TIMEOUT(!m_browser->timTimer->isActive(), kLoad); }();
    }
    return m_browser.get();
}

void TstBrowser::go(const QString &address)
{
    m_browser->NavigateTo(address);
    QTRY_COMPARE_WITH_TIMEOUT(m_browser->cboAddress->itemText(0), address, kLoad);
    QTRY_VERIFY_WITH_TIMEOUT(!m_browser->timTimer->isActive(), kLoad);
}

void TstBrowser::addressListKeepsVisitsOnceMostRecentFirst()
{
    const QString a = page(m_dir, "a.html"), b = page(m_dir, "b.html");
    const QString lower = page(m_dir, "case.html"), upper = page(m_dir, "Case.html");
    auxiliary::frmBrowser *w = open(a);
    QCOMPARE(items(w->cboAddress), QStringList{a});
    QCOMPARE(w->windowTitle(), QString("a.html"));

    go(b);
    go(lower);
    go(upper);
    QCOMPARE(items(w->cboAddress), (QStringList{upper, lower, b, a}));
    // A revisit moves to the top; the list never holds it twice.
    go(b);
    QCOMPARE(items(w->cboAddress), (QStringList{b, upper, lower, a}));
    QCOMPARE(w->cboAddress->currentIndex(), 0);
    QCOMPARE(w->windowTitle(), QString("b.html"));

    // Rewriting the list selected item 0; that must not start another visit.
    QSignalSpy visits(w->brwWebBrowser, &platform::BrowserView::NavigateComplete2);
    QVERIFY(!visits.wait(500));
    QVERIFY(!w->timTimer->isActive());

    // Choosing an item of the list goes there.
    w->cboAddress->setCurrentIndex(3);
    emit w->cboAddress->activated(3);
    QTRY_COMPARE_WITH_TIMEOUT(w->brwWebBrowser->LocationURL(), a, kLoad);
    QTRY_COMPARE(items(w->cboAddress), (QStringList{a, b, upper, lower}));
}

void TstBrowser::enterGoesToTheTypedText()
{
    const QString a = page(m_dir, "a.html");
    const QString other = page(m_dir, "B.html");
    auxiliary::frmBrowser *w = open(a);
    // The typed text is, but for case, the start of a visited address: the box
    // must neither complete it nor take the listed one for it.
    go(page(m_dir, "b.html5"));
    w->cboAddress->lineEdit()->clear();
    QTest::keyClicks(w->cboAddress->lineEdit(), other);
    QTest::keyClick(w->cboAddress->lineEdit(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(w->brwWebBrowser->LocationURL(), other, kLoad);
    QCOMPARE(w->cboAddress->itemText(0), other);
    QCOMPARE(w->cboAddress->count(), 3);
}

void TstBrowser::toolbarKeys()
{
    const QString a = page(m_dir, "a.html"), b = page(m_dir, "b.html");
    auxiliary::frmBrowser *w = open(QString());
    // A blank window: no visit, nothing listed, timer off.
    QCOMPARE(w->cboAddress->count(), 0);
    QVERIFY(!w->timTimer->isActive());
    QCOMPARE(w->brwWebBrowser->LocationURL(), QString());

    go(a);
    go(b);
    auto press = [w](const char *key) {
        QAction *button = w->tbToolBar->findChild<QAction *>(key);
        QVERIFY(button);
        button->trigger();
    };
    press("Back");
    QTRY_COMPARE_WITH_TIMEOUT(w->brwWebBrowser->LocationURL(), a, kLoad);
    press("Forward");
    QTRY_COMPARE_WITH_TIMEOUT(w->brwWebBrowser->LocationURL(), b, kLoad);
    press("Home");
    QTRY_COMPARE_WITH_TIMEOUT(w->brwWebBrowser->LocationURL(), platform::BrowserView::homeAddress(),
                              kLoad);
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Torvane Studio Help"), kLoad);
    press("Search");
    QTRY_COMPARE_WITH_TIMEOUT(w->brwWebBrowser->LocationURL(),
                              platform::BrowserView::searchAddress(), kLoad);
    QCOMPARE(items(w->cboAddress).mid(0, 3),
             (QStringList{platform::BrowserView::searchAddress(),
                          platform::BrowserView::homeAddress(), b}));
}

void TstBrowser::busyCaptionWhileASlowPageLoads()
{
    // A local server that answers only when told.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QList<QTcpSocket *> held;
    connect(&server, &QTcpServer::newConnection, this,
            [&] { held << server.nextPendingConnection(); });
    const QString slow = QStringLiteral("http://127.0.0.1:%1/slow.html").arg(server.serverPort());
    auxiliary::frmBrowser *w = open(page(m_dir, "a.html"));

    w->NavigateTo(slow);
    QTRY_VERIFY_WITH_TIMEOUT(!held.isEmpty(), kLoad);
    QTRY_COMPARE(w->windowTitle(), QString("Working..."));
    QVERIFY(w->timTimer->isActive());
    for (QTcpSocket *s : held) {
        s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n"
                 "<title>Slow page</title>");
        s->disconnectFromHost();
    }
    QTRY_VERIFY_WITH_TIMEOUT(!w->timTimer->isActive(), kLoad);
    QCOMPARE(w->windowTitle(), QString("Slow page"));
}

void TstBrowser::helpSearchFindsPagesOfTheBook()
{
    // The index is made from the pages at build time; an empty or broken one
    // finds nothing.
    auxiliary::frmBrowser *w = open(QString());
    w->NavigateTo(platform::BrowserView::searchAddress() + "?q=symbol+palette");
    QTRY_VERIFY_WITH_TIMEOUT(
        w->windowTitle().contains(QRegularExpression("^Search the help: [1-9]")), kLoad);
}

void TstBrowser::everyMenuItemIsInTheHelpBook()
{
    // The book's words without markup, as a reader sees them ("Edit > Find...").
    QString book;
    const QDir help(QStringLiteral(":/help"));
    for (const QString &name : help.entryList({QStringLiteral("*.html")})) {
        QFile f(help.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        book += QTextDocumentFragment::fromHtml(QString::fromUtf8(f.readAll())).toPlainText() +
                QLatin1Char('\n');
    }
    book = book.simplified();

    testing::IsolatedProfile profile;
    editor::frmDocument document;
    shell::frmMain frame;
    const QRegularExpression ellipsis(QStringLiteral("(\\.\\.\\.|\u2026)$"));
    int checked = 0;
    QStringList missing;
    for (const QWidget *w : {static_cast<QWidget *>(&document), static_cast<QWidget *>(&frame)}) {
        for (const QAction *a : w->findChildren<QAction *>()) {
            if (!a->objectName().startsWith(QLatin1String("mnu")) || a->isSeparator() ||
                !a->isVisible())
                continue;
            const QString caption =
                a->text().remove(QLatin1Char('&')).simplified().remove(ellipsis);
            if (caption.isEmpty())
                continue;
            ++checked;
            if (!book.contains(caption))
                missing << a->objectName() + QStringLiteral(" \"") + caption + QLatin1Char('"');
        }
    }
    QVERIFY2(checked > 50, qPrintable(QString::number(checked)));
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

TORVANE_TEST(TstBrowser);
#include "tst_browser.moc"
