// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calcfiles/CalcLinkCommands.h"

#include "calc/Tokens.h"
#include "calcfiles/CalcTransfer.h"
#include "calcfiles/frmScreenshot.h"
#include "link/FakeCalculator.h"
#include "link/Link.h"
#include "platform/Dialogs.h"
#include "platform/Places.h"
#include "platform/WindowRegistry.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QSpinBox>
#include <QThread>
#include <QUrl>

#include <functional>

namespace calcfiles::calclinkcommands
{

namespace calcfile = calc::calcfile;
namespace dialogs = platform::dialogs;
using calclink::Outcome;
using calclink::Result;

namespace
{

calclink::FakeCalculator *s_testCalculator = nullptr;

// The cable libraries keep state of their own: every transfer of the
// program's run happens on this one thread.
QObject *cableThread()
{
    static QObject *context = [] {
        auto *thread = new QThread;
        thread->setObjectName(QStringLiteral("link cable"));
        thread->start();
        auto *c = new QObject;
        c->moveToThread(thread);
        return c;
    }();
    return context;
}

std::unique_ptr<calclink::Link> makeLink(const calclink::Options &options)
{
    if (s_testCalculator)
        return calclink::create(options, s_testCalculator);
    return calctransfer::makeLink(options);
}

using Job = std::function<Result(calclink::Link &, const calclink::Progress &)>;

// Opens the link and runs `job` on the cable's thread while a progress
// dialog with Cancel is up.
Result runJob(QWidget *parent, const QString &title, const QString &label,
              const calclink::Options &options, const Job &job)
{
    QProgressDialog dialog(label, QStringLiteral("Cancel"), 0, 0, parent);
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(300);
    dialog.setValue(0); // shows it once the transfer takes longer than that
    std::atomic_bool cancel{false};
    QObject::connect(&dialog, &QProgressDialog::canceled, [&cancel] { cancel = true; });
    QPointer<QProgressDialog> shown(&dialog);
    calclink::Progress progress;
    progress.cancel = &cancel;
    progress.report = [shown](qint64 done, qint64 total) {
        QMetaObject::invokeMethod(
            qApp,
            [shown, done, total] {
                if (shown) {
                    shown->setMaximum(int(total));
                    shown->setValue(int(done));
                }
            },
            Qt::QueuedConnection);
    };

    Result result;
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    QMetaObject::invokeMethod(
        cableThread(),
        [&, waiting] {
            auto link = makeLink(options);
            if (!link)
                result = {Outcome::Failed, QStringLiteral("This Torvane Studio was built without "
                                                          "the link cable libraries.")};
            else if (result = link->open(); result.ok())
                result = job(*link, progress);
            link.reset();
            QMetaObject::invokeMethod(waiting, "quit", Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    loop.exec();
    return result;
}

// The cable to use: the one remembered, else the user's choice, offered
// with those found plugged in.
std::optional<calclink::Options> chooseCable(QWidget *parent, bool ask)
{
    if (const auto remembered = calctransfer::rememberedCable(); remembered && !ask)
        return remembered;
    QDialog d(parent);
    d.setObjectName(QStringLiteral("frmLinkCable"));
    d.setWindowTitle(QStringLiteral("Link Cable"));
    auto *form = new QFormLayout(&d);
    auto *cable = new QComboBox(&d);
    cable->setObjectName(QStringLiteral("cboCable"));
    auto *port = new QSpinBox(&d);
    port->setObjectName(QStringLiteral("spnPort"));
    port->setRange(1, 4);
    const calclink::Cable kinds[] = {calclink::Cable::Silver, calclink::Cable::Grey,
                                     calclink::Cable::Usb};
    for (calclink::Cable c : kinds)
        cable->addItem(calclink::cableTitle(c), int(c));
    const QList<calclink::Options> found = calclink::detect();
    calclink::Options start = calctransfer::rememberedCable().value_or(
        found.isEmpty() ? calclink::Options() : found.first());
    cable->setCurrentIndex(cable->findData(int(start.cable)));
    port->setValue(start.port);
    QString note = QStringLiteral("No USB cable was found; a grey serial cable cannot be found "
                                  "this way.");
    if (!found.isEmpty()) {
        QStringList names;
        for (const auto &o : found)
            names << QStringLiteral("%1 (port %2)").arg(calclink::cableTitle(o.cable)).arg(o.port);
        note = QStringLiteral("Found: %1.").arg(names.join(QStringLiteral(", ")));
    }
    form->addRow(new QLabel(note, &d));
    form->addRow(QStringLiteral("&Cable:"), cable);
    form->addRow(QStringLiteral("&Port:"), port);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    form->addRow(buttons);
    if (d.exec() != QDialog::Accepted)
        return std::nullopt;
    calclink::Options chosen{calclink::Cable(cable->currentData().toInt()), port->value()};
    calctransfer::rememberCable(chosen);
    return chosen;
}

// A failure's message with the libraries' own words behind "Show
// Details...", and the help page it names as a link where it is installed.
QMessageBox::StandardButton failureBox(QWidget *parent, const QString &text, const Result &r,
                                       const QString &title, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons)
{
    const QString page = QLatin1String(calclink::kCableHelpPage);
    const QString local = QDir(platform::places::helpFolder()).filePath(page);
    const bool link = text.contains(page) && QFileInfo::exists(local);
    if (dialogs::script() || (r.details.isEmpty() && !link))
        return dialogs::message(parent, text, title, icon, buttons);
    QMessageBox box(icon, title, text, buttons, parent);
    if (link) {
        QString html = text.toHtmlEscaped();
        html.replace(page, QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(QUrl::fromLocalFile(local).toString(), page));
        html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
        box.setTextFormat(Qt::RichText);
        box.setText(html);
        // The link opens the page in the program's own browser window.
        box.setTextInteractionFlags(Qt::TextBrowserInteraction);
        if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            label->setOpenExternalLinks(false);
            QObject::connect(label, &QLabel::linkActivated, &box, [](const QString &address) {
                platform::windows().openInSharedBrowser(address);
            });
        }
    }
    if (!r.details.isEmpty())
        box.setDetailedText(r.details);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// Reports a failure; true when the user wants to choose the cable again.
bool report(QWidget *parent, const QString &title, const Result &r, const QString &nothing)
{
    if (r.outcome == Outcome::Cancelled) {
        dialogs::message(parent, r.message + QStringLiteral("\n\n") + nothing, title,
                         QMessageBox::Information);
        return false;
    }
    if (r.outcome == Outcome::NoCable || r.outcome == Outcome::NoAnswer)
        return failureBox(parent,
                          r.message + QStringLiteral("\n\n") + nothing +
                              QStringLiteral("\n\nChoose the cable again?"),
                          r, title, QMessageBox::Critical,
                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    failureBox(parent, r.message + QStringLiteral("\n\n") + nothing, r, title,
               QMessageBox::Critical, QMessageBox::Ok);
    return false;
}

// Opens the link over the chosen cable and runs the job; asks for another
// cable as long as the user wants to after a cable fault.
std::optional<Result> withCable(QWidget *parent, const QString &title, const QString &label,
                                const QString &nothing, const Job &job)
{
    bool ask = false;
    for (;;) {
        const auto options = chooseCable(parent, ask);
        if (!options)
            return std::nullopt;
        const Result r = runJob(parent, title, label, *options, job);
        if (r.ok())
            return r;
        if (!report(parent, title, r, nothing))
            return std::nullopt;
        ask = true;
    }
}

QString askName(QWidget *parent, const QString &title, const QString &offered)
{
    QString name = offered;
    for (;;) {
        const auto answer = dialogs::promptOrCancel(
            parent,
            QStringLiteral("Name of the calculator program (1 to 8 characters: A-Z, 0-9 or "
                           "\u03B8, not a digit first):"),
            title, name);
        if (!answer)
            return QString();
        name = answer->toUpper();
        if (calcfile::isValidName(name))
            return name;
        dialogs::message(parent, calcfile::nameRules(name), title, QMessageBox::Critical);
    }
}

} // namespace

void setTestCalculator(calclink::FakeCalculator *calculator)
{
    s_testCalculator = calculator;
}

void sendProgram(QWidget *parent, const QString &text, const QString &document,
                 const QString &caption, const calc::FileMeta &kept)
{
    const QString title = QStringLiteral("Send to Calculator");
    const QString nothing = QStringLiteral("Nothing was sent.");
    if (const auto t = calc::tokens::tokenize(text); !t.ok()) {
        dialogs::message(parent, t.error + QStringLiteral("\n\n") + nothing, title,
                         QMessageBox::Critical);
        return;
    }
    QString name =
        askName(parent, title, calcfile::nameFromFileName(document.isEmpty() ? caption : document));
    if (name.isEmpty())
        return;

    QList<calclink::Entry> programs;
    const auto listed = withCable(parent, title, QStringLiteral("Asking the calculator\u2026"),
                                  nothing, [&programs](calclink::Link &l, const auto &progress) {
                                      return l.list(&programs, progress);
                                  });
    if (!listed)
        return;
    // A program of that name is replaced only when the user says so.
    for (;;) {
        const auto same = std::find_if(programs.cbegin(), programs.cend(),
                                       [&](const calclink::Entry &e) { return e.name == name; });
        if (same == programs.cend())
            break;
        const auto answer = dialogs::message(
            parent,
            QStringLiteral("The calculator already has a program %1.\n\nYes replaces it, No "
                           "sends this one under another name, Cancel skips it.")
                .arg(name),
            title, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes)
            break;
        if (answer != QMessageBox::No)
            return;
        name = askName(parent, title, name);
        if (name.isEmpty())
            return;
    }
    const calcfile::Built built =
        calcfile::build(text, name, false, calcfile::Model::Ti83Plus, kept);
    if (!built.ok()) {
        dialogs::message(parent, built.error + QStringLiteral("\n\n") + nothing, title,
                         QMessageBox::Critical);
        return;
    }
    const auto sent =
        withCable(parent, title, QStringLiteral("Sending %1 to the calculator\u2026").arg(name),
                  nothing, [&built](calclink::Link &l, const auto &progress) {
                      return l.send({built.file}, progress);
                  });
    if (sent)
        dialogs::message(parent, QStringLiteral("%1 is on the calculator (PRGM menu).").arg(name),
                         title, QMessageBox::Information);
}

frmScreenshot *getScreenshot(QWidget *parent)
{
    const QString title = QStringLiteral("Get Calculator Screenshot");
    calclink::Screenshot screen;
    QString model;
    if (!withCable(parent, title, QStringLiteral("Receiving the calculator's screen\u2026"),
                   QStringLiteral("No screen was received."),
                   [&](calclink::Link &l, const auto &progress) {
                       const Result r = l.screenshot(&screen, progress);
                       if (l.model() != calclink::Model::Unknown)
                           model = calclink::modelTitle(l.model());
                       return r;
                   }))
        return nullptr;
    auto *window = new frmScreenshot(screen, model, parent);
    window->show();
    return window;
}

std::optional<calcfile::Imported> receiveProgram(QWidget *parent)
{
    const QString title = QStringLiteral("Receive from Calculator");
    const QString nothing = QStringLiteral("Nothing was received.");
    QList<calclink::Entry> programs;
    if (!withCable(parent, title, QStringLiteral("Asking the calculator\u2026"), nothing,
                   [&programs](calclink::Link &l, const auto &progress) {
                       return l.list(&programs, progress);
                   }))
        return std::nullopt;
    if (programs.isEmpty()) {
        dialogs::message(parent, QStringLiteral("The calculator has no programs."), title,
                         QMessageBox::Information);
        return std::nullopt;
    }
    QStringList names;
    for (const auto &p : programs)
        names << p.name;
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(parent, title, QStringLiteral("&Program:"), names, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    const calclink::Entry entry = programs.at(int(names.indexOf(chosen)));
    QByteArray file;
    if (!withCable(parent, title, QStringLiteral("Receiving %1\u2026").arg(entry.name), nothing,
                   [&](calclink::Link &l, const auto &progress) {
                       return l.receive(entry, &file, progress);
                   }))
        return std::nullopt;
    calcfile::Imported program = calcfile::import(file);
    if (!program.ok()) {
        dialogs::message(parent, program.error, title, QMessageBox::Critical);
        return std::nullopt;
    }
    return program;
}

} // namespace calcfiles::calclinkcommands
