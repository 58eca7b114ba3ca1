// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Lets several QtTest classes share one executable per subsystem.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace testing
{

struct TestEntry {
    const char *name;
    std::function<std::unique_ptr<QObject>()> make;
};

inline std::vector<TestEntry> &registry()
{
    static std::vector<TestEntry> entries;
    return entries;
}

struct Registrar {
    Registrar(const char *name, std::function<std::unique_ptr<QObject>()> make)
    {
        registry().push_back({name, std::move(make)});
    }
};

// A text made of the given character codes, e.g. chars({221, 240}).
inline QString chars(std::initializer_list<int> codes)
{
    QString s;
    for (int c : codes)
        s += QChar(c);
    return s;
}

// Gives the code under test a settings store, registry and databases of
// its own in a temporary folder, for as long as the object lives.
class IsolatedProfile
{
public:
    IsolatedProfile() : m_oldConfig(qgetenv("XDG_CONFIG_HOME")), m_oldData(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QByteArray(m_dir.path().toLocal8Bit() + "/config"));
        qputenv("XDG_DATA_HOME", QByteArray(m_dir.path().toLocal8Bit() + "/data"));
    }
    ~IsolatedProfile()
    {
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
        qputenv("XDG_DATA_HOME", m_oldData);
    }
    IsolatedProfile(const IsolatedProfile &) = delete;
    IsolatedProfile &operator=(const IsolatedProfile &) = delete;
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfig;
    QByteArray m_oldData;
};

} // namespace testing

#define TORVANE_TEST(Class)                                                                        \
    static testing::Registrar registrar_##Class(#Class, [] { return std::make_unique<Class>(); })
