// Runs every test class registered in this executable. A first argument that
// names a class runs that class only; the remaining arguments go to QtTest.
#include "common/TestRegistry.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

#include <cstring>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QStandardPaths::setTestModeEnabled(true);
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
