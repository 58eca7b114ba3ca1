// Runs every test class registered in this executable. A first argument that
// names a class runs that class only; the remaining arguments go to QtTest.
#include "common/TestRegistry.h"

#include <QApplication>
#include <QTest>

#include <cstring>

namespace
{
QtMessageHandler g_previous = nullptr;

// The offscreen platform reports window operations it cannot perform; they
// say nothing about the code under test.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_previous(type, context, message);
}
} // namespace

int main(int argc, char **argv)
{
    g_previous = qInstallMessageHandler(quietHandler);
    qputenv("XDG_RUNTIME_DIR",
            qgetenv("XDG_RUNTIME_DIR").isEmpty() ? QByteArray("/tmp") : qgetenv("XDG_RUNTIME_DIR"));
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    // Nothing a test does may touch the user's own files: every run starts
    // with a settings store, registry and databases in a folder of its own.
    testing::IsolatedProfile profile;
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Torvane Studio"));

    const char *only = nullptr;
    std::vector<char *> args{argv[0]};
    for (int i = 1; i < argc; ++i) {
        bool isClass = false;
        for (const auto &e : testing::registry())
            if (i == 1 && std::strcmp(argv[i], e.name) == 0)
                isClass = true;
        if (isClass)
            only = argv[i];
        else
            args.push_back(argv[i]);
    }

    int failures = 0;
    for (const auto &entry : testing::registry()) {
        if (only && std::strcmp(only, entry.name) != 0)
            continue;
        auto test = entry.make();
        failures += QTest::qExec(test.get(), int(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}
