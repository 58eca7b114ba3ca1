// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every window shows the whole text of each visible label and button, at the
// designed size and at double scale (which needs a process of its own).
#include "common/TestRegistry.h"

#include "auxiliary/frmAbout.h"
#include "auxiliary/frmBrowser.h"
#include "auxiliary/frmTip.h"
#include "calculator/frmCalculator.h"
#include "compiler/frmCompile.h"
#include "compiler/frmCompile_Description.h"
#include "compiler/frmCompile_Final.h"
#include "compiler/frmCompile_Steps.h"
#include "compiler/frmDone.h"
#include "editor/frmDocument.h"
#include "editor/frmFind.h"
#include "platform/Config.h"
#include "platform/SettingsStore.h"
#include "platform/WindowFit.h"
#include "projects/frmNewProject.h"
#include "projects/frmNewStandard.h"
#include "projects/frmProjectExplorer.h"
#include "projects/frmTasks.h"
#include "reference/frmExample.h"
#include "reference/frmWizard_GETKEY.h"
#include "reference/frmWizard_MENU.h"
#include "shell/Studio.h"
#include "shell/frmFirstTime.h"
#include "shell/frmMain.h"
#include "shell/frmOptions.h"
#include "shell/frmRecover.h"
#include "shell/frmSplash.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

namespace
{

QString shown(QString text)
{
    // An accelerator's & is not drawn; && draws one.
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// What does not fit in `w`, or an empty text.
QString cutOff(QWidget *w)
{
    const QString where = QStringLiteral("%1 in %2 (%3x%4): ")
                              .arg(w->objectName(), w->window()->objectName())
                              .arg(w->width())
                              .arg(w->height());
    if (auto *l = qobject_cast<QLabel *>(w)) {
        if (l->text().isEmpty() || l->textFormat() == Qt::RichText ||
            Qt::mightBeRichText(l->text()))
            return QString();
        const QRect room = l->contentsRect();
        const QFontMetrics fm(l->font());
        if (l->wordWrap()) {
            const int needed = l->heightForWidth(l->width());
            if (needed > l->height())
                return where + QStringLiteral("needs %1 px of height: ").arg(needed) + l->text();
            return QString();
        }
        const QSize needed = fm.size(Qt::TextShowMnemonic, l->text());
        if (needed.width() > room.width() || fm.height() > room.height())
            return where + QStringLiteral("needs %1x%2: ").arg(needed.width()).arg(fm.height()) +
                   l->text();
        return QString();
    }
    auto *b = qobject_cast<QAbstractButton *>(w);
    if (!b || b->text().isEmpty())
        return QString();
    if (auto *t = qobject_cast<QToolButton *>(b);
        t && t->toolButtonStyle() == Qt::ToolButtonIconOnly)
        return QString();
    const QFontMetrics fm(b->font());
    int needed = fm.horizontalAdvance(shown(b->text()));
    if (qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b))
        needed = b->sizeHint().width(); // indicator, spacing and text
    else if (auto *t = qobject_cast<QToolButton *>(b); t && !b->icon().isNull())
        needed = t->toolButtonStyle() == Qt::ToolButtonTextBesideIcon
                     ? needed + b->iconSize().width() + 4
                     : qMax(needed, b->iconSize().width());
    else if (!b->icon().isNull())
        needed += b->iconSize().width() + 4;
    if (needed > b->width() || fm.height() > b->height())
        return where + QStringLiteral("needs %1x%2: ").arg(needed).arg(fm.height()) + b->text();
    return QString();
}

QStringList cutOffIn(QWidget *window)
{
    QStringList found;
    QList<QWidget *> all = window->findChildren<QWidget *>();
    all.prepend(window);
    for (QWidget *w : all)
        if (w->isVisibleTo(window) && !w->window()->isHidden()) {
            const QString what = cutOff(w);
            if (!what.isEmpty())
                found << what;
        }
    return found;
}

// What of a shown window lies off its screen: the window itself, or a button
// or status bar it cuts off (a scrolled area may hold more than it shows).
QStringList offScreen(QWidget *window)
{
    QStringList found;
    const QRect area = window->screen()->availableGeometry();
    if (!area.contains(window->frameGeometry()))
        found << QStringLiteral("%1 at %2,%3 %4x%5 on a screen of %6x%7")
                     .arg(window->objectName())
                     .arg(window->frameGeometry().x())
                     .arg(window->frameGeometry().y())
                     .arg(window->frameGeometry().width())
                     .arg(window->frameGeometry().height())
                     .arg(area.width())
                     .arg(area.height());
    QList<QWidget *> parts;
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        parts << b;
    for (QStatusBar *bar : window->findChildren<QStatusBar *>())
        parts << bar;
    for (QWidget *w : parts) {
        if (!w->isVisibleTo(window) || w->window() != window)
            continue;
        bool scrolled = false;
        for (QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
            scrolled |= qobject_cast<QAbstractScrollArea *>(p) != nullptr;
        const QRect at(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!scrolled && !window->rect().contains(at))
            found << QStringLiteral("%1 cut off in %2").arg(w->objectName(), window->objectName());
    }
    return found;
}

// Runs one test function of this class in a process of its own on a screen
// of `size` at `scale`; empty when it passed, else its output.
QByteArray runScaled(const char *function, QSize size, int scale)
{
    QTemporaryDir dir;
    const QString screen = dir.filePath("screen.json");
    QFile config(screen);
    if (!config.open(QIODevice::WriteOnly))
        return "no screen file";
    config.write(QStringLiteral(R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": %1,)"
                                R"( "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96,)"
                                R"( "dpr": 1}]})")
                     .arg(size.width())
                     .arg(size.height())
                     .toUtf8());
    config.close();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), "offscreen:configfile=" + screen);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("TstLabelFit"), QLatin1String(function)});
    if (!child.waitForFinished(300000))
        return "did not finish";
    const QByteArray output = child.readAll();
    const bool passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                        output.contains(QByteArray("PASS   : TstLabelFit::") + function);
    return passed ? QByteArray() : output;
}

} // namespace

class TstLabelFit : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { shell::Studio::instance().reset(); }

    void fitsAtDesignedSize_data()
    {
        QTest::addColumn<std::function<QWidget *()>>("make");
        auto row = [](const char *name, std::function<QWidget *()> make) {
            QTest::newRow(name) << make;
        };
        row("frmAbout", [] { return new auxiliary::frmAbout; });
        row("frmBrowser", [] { return new auxiliary::frmBrowser; });
        row("frmTip", [] { return new auxiliary::frmTip; });
        row("frmCompile", [] { return new compiler::frmCompile; });
        row("frmCompile_Description", [] { return new compiler::frmCompile_Description; });
        row("frmCompile_Final", [] { return new compiler::frmCompile_Final; });
        row("frmCompile_Steps", [] { return new compiler::frmCompile_Steps; });
        row("frmDone", [] { return new compiler::frmDone; });
        row("frmDocument", [] { return new editor::frmDocument; });
        row("frmFind", [] {
            auto *doc = new editor::frmDocument;
            doc->show();
            doc->mnuFind_Click(true);
            return static_cast<QWidget *>(doc->findDialog());
        });
        row("frmNewProject", [] { return new projects::frmNewProject; });
        row("frmNewStandard", [] { return new projects::frmNewStandard; });
        row("frmProjectExplorer", [] { return new projects::frmProjectExplorer; });
        row("frmTasks", [] { return new projects::frmTasks; });
        row("frmExample", [] { return new reference::frmExample; });
        row("frmWizard_GETKEY", [] { return new reference::frmWizard_GETKEY; });
        row("frmWizard_MENU", [] { return new reference::frmWizard_MENU; });
        row("frmFirstTime", [] { return new shell::frmFirstTime; });
        row("frmMain", [] { return new shell::frmMain; });
        row("frmOptions", [] { return new shell::frmOptions; });
        row("frmSplash", [] { return new shell::frmSplash; });
        row("frmRecover", [] {
            editor::recovery::Entry entry;
            entry.caption = QStringLiteral("Document 1");
            entry.fileName = QStringLiteral("/home/student/GUESS.tvf");
            entry.changed = QDateTime::currentDateTime();
            entry.rtf = "{\\rtf1 Disp 1}";
            return new shell::frmRecover(new shell::frmMain, {entry});
        });
    }
    void fitsAtDesignedSize()
    {
        QFETCH(std::function<QWidget *()>, make);
        QWidget *window = make();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList cut = cutOffIn(window);
        const QString listed = cut.join(QLatin1Char('\n'));
        const bool deletes = window->testAttribute(Qt::WA_DeleteOnClose);
        window->close();
        if (!deletes && !qobject_cast<editor::frmFind *>(window))
            delete window;
        QVERIFY2(cut.isEmpty(), qPrintable(listed));
    }

    void fitsAtDoubleScale()
    {
        if (!qgetenv("QT_SCALE_FACTOR").isEmpty())
            QSKIP("this process already runs scaled");
        // A screen as large as a user of double scale has: the default one
        // would squeeze the windows to fit it.
        QTemporaryDir dir;
        const QString screen = dir.filePath("screen.json");
        QFile config(screen);
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(R"({"screens": [{"name": "large", "x": 0, "y": 0, "width": 3840,)"
                     R"( "height": 2160, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        config.close();
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), "offscreen:configfile=" + screen);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("TstLabelFit"), QStringLiteral("fitsAtDesignedSize")});
        QVERIFY(child.waitForFinished(300000));
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 output.constData());
        QVERIFY2(output.contains("PASS   : TstLabelFit::fitsAtDesignedSize(frmWizard_GETKEY)"),
                 output.constData());
    }

    // Every window, and the calculator window and a frame restored at a size
    // stored on a larger screen, lies within the screen it opens on.
    void windowsFitTheScreen_data()
    {
        fitsAtDesignedSize_data();
        QTest::newRow("frmCalculator")
            << std::function<QWidget *()>([] { return new calculator::frmCalculator; });
        QTest::newRow("frmMain restored large") << std::function<QWidget *()>([] {
            namespace cfg = platform::config;
            platform::settings::writePlacement(cfg::MainLeft, 0);
            platform::settings::writePlacement(cfg::MainTop, 0);
            platform::settings::writePlacement(cfg::MainWidth, 3000 * 15);
            platform::settings::writePlacement(cfg::MainHeight, 2000 * 15);
            return new shell::frmMain;
        });
    }
    void windowsFitTheScreen()
    {
        QFETCH(std::function<QWidget *()>, make);
        testing::IsolatedProfile profile;
        platform::installWindowFit(); // as the program's start does
        QWidget *window = make();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList off = offScreen(window);
        const bool deletes = window->testAttribute(Qt::WA_DeleteOnClose);
        window->close();
        if (!deletes && !qobject_cast<editor::frmFind *>(window))
            delete window;
        QVERIFY2(off.isEmpty(), qPrintable(off.join(QLatin1Char('\n'))));
    }

    // The walk above on a 1600x1000 screen at single and double scale.
    void windowsFitASmallScreen_data()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("1x") << 1;
        QTest::newRow("2x") << 2;
    }
    void windowsFitASmallScreen()
    {
        QFETCH(int, scale);
        if (!qgetenv("QT_SCALE_FACTOR").isEmpty())
            QSKIP("this process already runs scaled");
        const QByteArray output = runScaled("windowsFitTheScreen", QSize(1600, 1000), scale);
        QVERIFY2(output.isEmpty(), output.constData());
    }
};

TORVANE_TEST(TstLabelFit);
#include "tst_labelfit.moc"
