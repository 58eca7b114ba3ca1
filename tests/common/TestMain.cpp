// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs every test class registered in this executable. A first argument that
// names a class runs that class only; the remaining arguments go to QtTest.
#include "common/TestRegistry.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    // Nothing a test does may touch the user's own files: every run starts
    // with a settings store, registry and databases in a folder of its own,
    // and a private runtime folder (CI runs without a session).
    testing::IsolatedProfile profile;
    if (qgetenv("XDG_RUNTIME_DIR").isEmpty()) {
        const QString runtime = profile.path() + QStringLiteral("/runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Torvane Studio"));
    // As the program does at start-up, from the font the build made.
    platform::useCalculatorDisplayFont(QStringLiteral(TORVANE_CALC_FONT));

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
