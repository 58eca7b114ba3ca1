// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/RunCommand.h"

#include "cli/ModelOption.h"

#include "calc/CalcFile.h"
#include "calc/ImageFile.h"
#include "calc/basic/core/Engine.h"
#include "calc/basic/state/Pace.h"
#include "calcfiles/ProgramFile.h"
#include "calculator/ColourImage.h"
#include "calculator/GraphImage.h"
#include "calculator/Recorder.h"
#include "platform/Fonts.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace cli
{

using calcfiles::readProgram;

bool parseKeys(const QString &text, QList<int> *keys, QString *error)
{
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int code = part.trimmed().toInt(&ok);
        if (!ok || code < 0) {
            *error = QStringLiteral("--keys: \"%1\" is not a key code.").arg(part.trimmed());
            return false;
        }
        keys->append(code);
    }
    return true;
}

QString findProgramFile(const QDir &folder, const QString &name)
{
    // By file name first, whatever the case of its extension (INVERT.8XP).
    const QStringList exts = {QStringLiteral("tvf"), QStringLiteral("8xp"), QStringLiteral("83p"),
                              QStringLiteral("txt")};
    const QFileInfoList files = folder.entryInfoList(QDir::Files, QDir::Name);
    for (const QString &ext : exts) {
        for (const QFileInfo &f : files) {
            // A listing may keep the calculator file's name: NAME.8xp.txt.
            const bool named =
                f.completeBaseName() == name || (ext == exts[3] && f.baseName() == name);
            if (named && f.suffix().compare(ext, Qt::CaseInsensitive) == 0)
                return f.filePath();
        }
    }
    // Then by the name stored in a calculator file, as the calculator finds it.
    for (const QFileInfo &f : files) {
        const QString suffix = f.suffix().toLower();
        if (suffix != exts[1] && suffix != exts[2])
            continue;
        QFile file(f.filePath());
        if (f.size() > 70000 || !file.open(QIODevice::ReadOnly))
            continue;
        const calc::calcfile::Read read = calc::calcfile::read(file.readAll());
        if (read.ok() && read.program.name == name)
            return f.filePath();
    }
    return QString();
}

namespace
{

// What a running program reads and finds: the options' answers and keys, and
// the programs and images beside its file (or in an open document).
struct Feed {
    QStringList inputs;
    QList<int> keys;
    QDir folder;
    QString missing; // a program file that exists but cannot be read
};

void connectHost(calc::basic::Host &host, const Options &options, Feed &feed)
{
    host.nextAnswer = [&feed](QString *answer) {
        if (feed.inputs.isEmpty())
            return false;
        *answer = feed.inputs.takeFirst();
        return true;
    };
    host.nextKey = [&feed] { return feed.keys.isEmpty() ? 0 : feed.keys.takeFirst(); };
    host.findProgram = [&options, &feed](const QString &name, QByteArray *out) {
        if (options.openDocument && options.openDocument(name, out))
            return true;
        const QString path = findProgramFile(feed.folder, name);
        if (path.isEmpty())
            return false;
        QString why;
        if (readProgram(path, out, &why))
            return true;
        feed.missing = why;
        return false;
    };
    // Image0-Image9 from the .8ca files beside the program.
    host.findImage = [&feed](int slot, calc::basic::ColourScreen::Image *image) {
        return calc::imagefile::findInFolder(feed.folder.absolutePath(), slot, image);
    };
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        host.drawText = calculator::drawGraphText;
        host.drawLargeText = calculator::drawGraphLargeText;
        host.drawColourText = calculator::drawColourText;
    }
}

// The calculator's clock, and the recording it times.
struct Recording {
    calc::basic::Pace pace;
    calculator::Recorder recorder; // the colour models' 320x240 screen on those

    void start(calc::basic::Engine &engine, const Options &options)
    {
        if (options.estimate || !options.record.isEmpty())
            engine.setPace(&pace);
        if (options.record.isEmpty())
            return;
        pace.onStatement = [this, &engine](long long micros) {
            if (engine.colour())
                recorder.sample(engine.screen(), *engine.colour(), engine.graphShown(), micros);
            else
                recorder.sample(engine.screen(), engine.graph(), engine.graphShown(), micros);
        };
    }

    // The GIF of --record; false and *error when it cannot be written.
    bool finish(const Options &options, Result *result)
    {
        if (options.record.isEmpty())
            return true;
        recorder.finish(pace.micros());
        result->notice = recorder.fullMessage();
        return recorder.writeGif(options.record, options.scale, &result->error);
    }
};

// The graph as it was, error or not.
bool writeGraph(const calc::basic::Engine &engine, const QString &path, QString *error)
{
    if (path.isEmpty())
        return true;
    return engine.colour() ? calculator::writeColourPng(*engine.colour(), path, error)
                           : calculator::writeGraphPng(engine.graph(), path, error);
}

// The exit code and message of a run that ended on an error.
void reportError(const calc::basic::Outcome &o, const QString &name, const Options &options,
                 const QString &missing, Result *result)
{
    using calc::basic::Error;
    if (o.error == Error::Steps) {
        result->exitCode = TooManySteps;
        result->error =
            QStringLiteral("Stopped after %1 statements (--max-steps).\n").arg(options.maxSteps);
        return;
    }
    result->exitCode = ProgramError;
    const QString where = o.program.isEmpty() || o.program == name
                              ? QStringLiteral("line %1").arg(o.line)
                              : QStringLiteral("line %1 of prgm%2").arg(o.line).arg(o.program);
    if (o.error == Error::Unsupported) {
        result->error = QStringLiteral("%1 is not run by this engine\n%2\n").arg(o.detail, where);
        return;
    }
    result->error = calc::basic::errorName(o.error) + QLatin1Char('\n') + where + QLatin1Char('\n');
    if (!missing.isEmpty())
        result->error += missing + QLatin1Char('\n');
    else if (!o.detail.isEmpty())
        result->error += o.detail + QLatin1Char('\n');
}

} // namespace

Result runFile(const Options &options)
{
    Result result;
    QByteArray tokens;
    if (!readProgram(options.file, &tokens, &result.error)) {
        result.exitCode = Unreadable;
        return result;
    }
    calc::basic::Engine engine;
    engine.setMaxSteps(options.maxSteps);
    engine.setModel(options.model != calc::models::Model::None
                        ? options.model
                        : calc::models::lowestFor(tokens).model);
    Feed feed{options.inputs, options.keys, QFileInfo(options.file).absoluteDir(), QString()};
    connectHost(engine.host(), options, feed);
    Recording recording;
    recording.start(engine, options);
    const QString name = calc::calcfile::nameFromFileName(options.file);
    const calc::basic::Outcome o = engine.run(tokens, name);
    result.screen = engine.screen().text();
    // What ↓ would bring up of a results screen longer than the screen.
    const QStringList &results = engine.screen().results();
    for (int i = engine.screen().rows(); i < results.size(); ++i)
        result.screen += results[i] + QLatin1Char('\n');
    result.calculatorMicros = recording.pace.micros();
    if (!recording.finish(options, &result) ||
        !writeGraph(engine, options.graphPng, &result.error)) {
        result.exitCode = Unreadable;
        return result;
    }
    if (o.error != calc::basic::Error::None)
        reportError(o, name, options, feed.missing, &result);
    return result;
}

namespace
{

// The options of --run; false and *error on a value that is not one.
bool readOptions(const QCommandLineParser &parser, Options *options, QString *error)
{
    options->file = parser.value(QStringLiteral("run"));
    options->graphPng = parser.value(QStringLiteral("graph-png"));
    options->inputs = parser.values(QStringLiteral("input"));
    options->record = parser.value(QStringLiteral("record"));
    options->estimate = parser.isSet(QStringLiteral("estimate"));
    if (parser.isSet(QStringLiteral("scale"))) {
        const QString scale = parser.value(QStringLiteral("scale"));
        bool ok = false;
        options->scale = scale.toInt(&ok);
        if (!ok || options->scale < 1 || options->scale > 4) {
            *error = QStringLiteral("--scale: \"%1\" is not 1, 2, 3 or 4.").arg(scale);
            return false;
        }
    }
    for (const QString &k : parser.values(QStringLiteral("keys")))
        if (!parseKeys(k, &options->keys, error))
            return false;
    // The model the engine runs as: the colour models' screens and commands.
    if (!modelOption(parser, &options->model, error))
        return false;
    const QString steps = parser.value(QStringLiteral("max-steps"));
    if (parser.isSet(QStringLiteral("max-steps"))) {
        bool ok = false;
        options->maxSteps = steps.toLongLong(&ok);
        if (!ok || options->maxSteps < 1) {
            *error = QStringLiteral("--max-steps: \"%1\" is not a positive number.").arg(steps);
            return false;
        }
    }
    return true;
}

} // namespace

int runCommand(const QCommandLineParser &parser, int &argc, char **argv)
{
    // Text( on the graph and the home screen's letters need fonts, so a
    // picture needs a (hidden) display.
    std::unique_ptr<QCoreApplication> app;
    if (parser.isSet(QStringLiteral("graph-png")) || parser.isSet(QStringLiteral("record"))) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        platform::useCalculatorDisplayFont();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    Options options;
    QString error;
    if (!readOptions(parser, &options, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return Unreadable;
    }
    const Result r = runFile(options);
    std::fputs(r.screen.toUtf8().constData(), stdout);
    if (!r.notice.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(r.notice));
    if (options.estimate)
        std::fprintf(stderr, "%s\n", qPrintable(calc::basic::estimateText(r.calculatorMicros)));
    std::fputs(r.error.toUtf8().constData(), stderr);
    if (r.exitCode == Unreadable)
        std::fputc('\n', stderr);
    return r.exitCode;
}

} // namespace cli
