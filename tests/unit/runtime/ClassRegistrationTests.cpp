#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "host/runtime/Runtime.h"

using namespace rt;

namespace {

long answer(Object*, SEL) { return 42; }

struct Base : Object {
    double m_value { 0 };
};

Class* baseClass()
{
    static Class* cls = defineCppClass<Base>("RTRegistrationBase", rootClass());
    return cls;
}

ClassBuilder pageBuilder(const std::string& name)
{
    ClassBuilder builder(name, baseClass());
    builder.ivar<Ref<Object>>("_table").ivar<double>("_ratio").method("answer", &answer);
    return builder;
}

long ivarsNamed(const Class* cls, std::string_view name)
{
    return std::count_if(cls->ivars().begin(), cls->ivars().end(), [&](const Ivar& v) { return v.name == name; });
}

// Runs `body` on several threads released at the same moment.
template<class F>
void race(int threads, F body)
{
    std::atomic<bool> go { false };
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            while (!go.load(std::memory_order_acquire))
                std::this_thread::yield();
            body(t);
        });
    go.store(true, std::memory_order_release);
    for (auto& t : pool)
        t.join();
}

}

TEST(ClassRegistration, ATakenNameIsRefused)
{
    Class* first = pageBuilder("RTTakenOnce").registerClass();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(pageBuilder("RTTakenOnce").registerClass(), nullptr);
    EXPECT_EQ(pageBuilder("RTRegistrationBase").registerClass(), nullptr) << "a host class's name is taken too";
    EXPECT_EQ(getClass("RTTakenOnce"), first);
    EXPECT_EQ(ivarsNamed(first, "_table"), 1);
}

// Several threads register one name at once, round after round: exactly one of them gets the
// class, and it is laid out once. Under ThreadSanitizer this also catches a class whose layout
// is written after it became visible.
TEST(ClassRegistration, RacingRegistrationsOfOneNameHaveOneWinner)
{
    constexpr int kThreads = 4;
    for (int round = 0; round < 40; ++round) {
        std::string name = "RTRaced" + std::to_string(round);
        std::vector<Class*> results(kThreads, nullptr);
        race(kThreads, [&](int t) { results[t] = pageBuilder(name).registerClass(); });

        Class* winner = getClass(name);
        ASSERT_NE(winner, nullptr);
        EXPECT_EQ(std::count(results.begin(), results.end(), winner), 1) << name;
        EXPECT_EQ(std::count(results.begin(), results.end(), nullptr), kThreads - 1) << name;
        EXPECT_EQ(ivarsNamed(winner, "_table"), 1) << name;
        EXPECT_EQ(ivarsNamed(winner, "_ratio"), 1) << name;
    }
}

// A class found by name is complete: its instance variables, its size and its methods are in
// place before anyone can find it.
TEST(ClassRegistration, AClassIsFoundOnlyOnceItIsComplete)
{
    for (int round = 0; round < 40; ++round) {
        std::string name = "RTPublished" + std::to_string(round);
        race(2, [&](int t) {
            if (t == 0) {
                pageBuilder(name).registerClass();
                return;
            }
            Class* cls = nullptr;
            while (!(cls = getClass(name)))
                std::this_thread::yield();
            // An instance made the moment the class is found has room for every variable.
            auto obj = newObject(cls);
            std::size_t size = cls->instanceSize();
            const Ivar* ratio = cls->ivar("_ratio");
            ASSERT_NE(ratio, nullptr) << name;
            EXPECT_GE(size, ratio->offset + ratio->size) << name;
            *ivarPointer<double>(obj, ratio) = 0.5;
            EXPECT_EQ(send<long>(obj, SELECTOR("answer")), 42) << name;
        });
    }
}

TEST(ClassRegistration, AddIvarRawHonoursAlignment)
{
    struct Case {
        const char* name;
        std::ptrdiff_t offset;
        std::size_t size, alignment;
        bool added;
    };
    const Case cases[] = {
        { "_aligned", offsetof(Base, m_value), sizeof(double), alignof(double), true },
        { "_misaligned", offsetof(Base, m_value) + 4, sizeof(double), alignof(double), false },
        { "_oddAlignment", offsetof(Base, m_value), sizeof(double), 3, false },
        { "_noAlignment", offsetof(Base, m_value), sizeof(double), 0, false },
        { "_widerThanAnInstance", 0, sizeof(double), 32, false },
        { "_negative", -8, sizeof(double), alignof(double), false },
        { "_pastTheEnd", 4096, sizeof(double), alignof(double), false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(addIvarRaw(baseClass(), c.name, "d", c.offset, c.size, c.alignment), c.added) << c.name;
        EXPECT_EQ(baseClass()->ivar(c.name) != nullptr, c.added) << c.name;
    }
}

namespace {

struct alignas(16) Wide {
    double x, y;
};
// An instance is only as aligned as its allocation, so a wider variable cannot be placed.
struct alignas(64) Line {
    char bytes[64];
};

}

namespace rt {
template<>
struct IvarEncoding<Wide> {
    static constexpr std::string_view value = "{Wide=dd}";
};
template<>
struct IvarEncoding<Line> {
    static constexpr std::string_view value = "{Line=[64c]}";
};
}

TEST(ClassRegistration, RuntimeIvarsAreLaidOutAtTheirAlignment)
{
    Class* cls = ClassBuilder("RTAlignedIvars", baseClass()).ivar<char>("_flag").ivar<Wide>("_wide").registerClass();
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->ivar("_wide")->offset % alignof(Wide), 0);

    EXPECT_EQ(ClassBuilder("RTOverAlignedIvars", baseClass()).ivar<Line>("_line").registerClass(), nullptr);
    EXPECT_EQ(getClass("RTOverAlignedIvars"), nullptr);
}
