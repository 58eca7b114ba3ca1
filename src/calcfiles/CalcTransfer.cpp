// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calcfiles/CalcTransfer.h"

#include "calc/CalcFile.h"
#include "calcfiles/CalcExport.h"
#include "calcfiles/CalcScreenshot.h"
#include "calcfiles/ProgramFile.h"
#include "link/FakeCalculator.h"
#include "link/FakeDusb.h"
#include "platform/AppInfo.h"
#include "platform/Fonts.h"
#include "platform/SettingsStore.h"
#include "rtf/RtfCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace calcfiles::calctransfer
{

namespace calcfile = calc::calcfile;

namespace
{

const QString kSection = QStringLiteral("Link");

bool isDocument(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("tvf"), Qt::CaseInsensitive) == 0;
}

// A link whose test calculator is kept in a file between runs.
class SavedFake final : public calclink::Link
{
public:
    SavedFake(const calclink::Options &options, const QString &path)
        : m_path(path), m_fake(makeFake())
    {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            m_fake->load(f.readAll());
        using F = calclink::FakeCalculator::Fault;
        const QByteArray fault = qgetenv("TORVANE_TEST_CALCULATOR_FAULT");
        const QList<QPair<QByteArray, F>> faults = {
            {"exit", F::RejectExit}, {"skip", F::RejectSkip},      {"memory", F::RejectMemory},
            {"silence", F::Silence}, {"checksum", F::BadChecksum}, {"cutoff", F::CutOff},
            {"slow", F::SlowReply}};
        for (const auto &f : faults)
            if (fault == f.first)
                m_fake->setFault(f.second);
        m_fake->replyDelayMs = 100;
        m_link = calclink::create(options, m_fake.get());
    }
    ~SavedFake() override
    {
        m_link.reset();
        QSaveFile f(m_path);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(m_fake->save());
            f.commit();
        }
    }
    calclink::Result open() override { return m_link->open(); }
    calclink::Result list(QList<calclink::Entry> *programs, const calclink::Progress &p) override
    {
        return m_link->list(programs, p);
    }
    calclink::Result send(const QList<QByteArray> &files, const calclink::Progress &p) override
    {
        return m_link->send(files, p);
    }
    calclink::Result receive(const calclink::Entry &program, QByteArray *file,
                             const calclink::Progress &p) override
    {
        return m_link->receive(program, file, p);
    }
    calclink::Result screenshot(calclink::Screenshot *screen, const calclink::Progress &p) override
    {
        return m_link->screenshot(screen, p);
    }
    calclink::Model model() const override { return m_link->model(); }

private:
    static std::unique_ptr<calclink::FakeCalculator> makeFake()
    {
        using M = calclink::FakeCalculator::Model;
        const QByteArray model = qgetenv(kTestCalculatorModel);
        if (model == "ti84p")
            return std::make_unique<calclink::FakeDusbCalculator>(M::Ti84Plus);
        if (model == "ti84pce")
            return std::make_unique<calclink::FakeDusbCalculator>(M::Ti84PlusCE);
        return std::make_unique<calclink::FakeCalculator>();
    }

    QString m_path;
    std::unique_ptr<calclink::FakeCalculator> m_fake;
    std::unique_ptr<calclink::Link> m_link;
};

} // namespace

bool programFile(const QString &path, const QString &name, QByteArray *file, QString *error)
{
    if (!name.isEmpty() && !calcfile::isValidName(name)) {
        *error = calcfile::nameRules(name);
        return false;
    }
    ProgramFile source;
    if (!readProgramFile(path, &source, error))
        return false;
    if (source.kind != ProgramFile::Calculator) {
        QString text;
        if (!modelOf(path, source, &text, error))
            return false;
        const calcfile::Built built =
            calcfile::build(text, name.isEmpty() ? calcfile::nameFromFileName(path) : name, false,
                            calcfile::Model::Ti83Plus, source.meta);
        if (!built.ok()) {
            *error = QStringLiteral("\"%1\" was not sent. %2")
                         .arg(QFileInfo(path).fileName(), built.error);
            return false;
        }
        *file = built.file;
        return true;
    }
    const calcfile::Read read = calcfile::read(source.data);
    if (!read.ok() || read.model != calcfile::Model::Ti83Plus) {
        *error = QStringLiteral("\"%1\" was not sent. %2")
                     .arg(QFileInfo(path).fileName(),
                          read.ok() ? QStringLiteral("It is a TI-83 file; export the program as "
                                                     ".8xp for a TI-83 Plus.")
                                    : read.error);
        return false;
    }
    calcfile::Program program = read.program;
    if (!name.isEmpty())
        program.name = name;
    *file = calcfile::write(program, calcfile::Model::Ti83Plus);
    return true;
}

std::optional<calclink::Options> rememberedCable()
{
    const QString app = platform::appTitle();
    calclink::Options o;
    if (!calclink::cableFromKey(
            platform::settings::read(app, kSection, QStringLiteral("Cable"), QString()), &o.cable))
        return std::nullopt;
    o.port = platform::settings::readInt(app, kSection, QStringLiteral("Port"), 1).value_or(1);
    o.port = qBound(1, o.port, 4);
    return o;
}

void rememberCable(const calclink::Options &options)
{
    const QString app = platform::appTitle();
    platform::settings::write(app, kSection, QStringLiteral("Cable"),
                              calclink::cableKey(options.cable));
    platform::settings::write(app, kSection, QStringLiteral("Port"), QString::number(options.port));
}

std::unique_ptr<calclink::Link> makeLink(const calclink::Options &options)
{
    if (!calclink::available())
        return nullptr;
    const QString fake = qEnvironmentVariable(kTestCalculator);
    if (!fake.isEmpty())
        return std::make_unique<SavedFake>(options, fake);
    return calclink::create(options);
}

bool run(const Command &command, QString *error)
{
    if (!calclink::available()) {
        *error = QStringLiteral("This Torvane Studio was built without the link cable libraries.");
        return false;
    }
    calclink::Options options;
    if (command.cable) {
        options.cable = *command.cable;
        options.port = command.port > 0 ? command.port : 1;
    } else if (const QByteArray fake = qgetenv(kTestCalculatorModel);
               !qEnvironmentVariableIsEmpty(kTestCalculator) &&
               (fake == "ti84p" || fake == "ti84pce")) {
        // The test calculator is found where a real one would be.
        options.cable = calclink::Cable::Usb;
    } else if (const QList<calclink::Options> found = calclink::detect(); !found.isEmpty()) {
        options = found.first();
    } else if (command.port > 0) {
        options.port = command.port;
    }

    QByteArray file;
    if (command.kind == Command::Send && !programFile(command.file, command.name, &file, error))
        return false;
    auto link = makeLink(options);
    calclink::Result r = link->open();
    if (r.ok() && command.kind == Command::Screenshot) {
        calclink::Screenshot screen;
        r = link->screenshot(&screen, {});
        if (r.ok())
            return calcscreenshot::savePng(screen, 1, command.file, error);
    } else if (r.ok() && command.kind == Command::Send) {
        r = link->send({file}, {});
    } else if (r.ok() && command.kind == Command::Receive) {
        QList<calclink::Entry> programs;
        r = link->list(&programs, {});
        const QString wanted = command.name.toUpper();
        const auto it = std::find_if(programs.cbegin(), programs.cend(),
                                     [&](const calclink::Entry &e) { return e.name == wanted; });
        if (r.ok() && it == programs.cend())
            r = {calclink::Outcome::NotFound,
                 QStringLiteral("There is no program %1 on the calculator.").arg(wanted)};
        if (r.ok())
            r = link->receive(*it, &file, {});
        if (r.ok()) {
            QByteArray out = file;
            if (isDocument(command.file)) {
                const calcfile::Imported im = calcfile::import(file);
                out = calcexport::documentOf(im.text, calcfile::metaOf(im));
            }
            return calcexport::writeOutput(QString(), command.file, out, error);
        }
    }
    if (!r.ok())
        *error = r.message;
    return r.ok();
}

} // namespace calcfiles::calctransfer
