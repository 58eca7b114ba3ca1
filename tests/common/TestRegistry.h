#pragma once
// Lets several QtTest classes share one executable per subsystem.
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace testing {

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

} // namespace testing

#define TORVANE_TEST(Class)                                                              \
    static testing::Registrar registrar_##Class(#Class, [] { return std::make_unique<Class>(); })
