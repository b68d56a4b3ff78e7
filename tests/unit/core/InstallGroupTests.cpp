#include <gtest/gtest.h>

#include "host/foundation/String.h"
#include "host/runtime/Runtime.h"
#include "tamarind/core/InstalledHooks.h"
#include "tamarind/core/Replacement.h"

using namespace tamarind;

namespace {

using CountImp = long (*)(rt::Object*, rt::SEL);

long hostCount(rt::Object*, rt::SEL) { return 3; }
long hostOther(rt::Object*, rt::SEL) { return 7; }

Saved<CountImp> originalCount;
long doubledCount(rt::Object* self, rt::SEL cmd) { return 2 * originalCount(self, cmd); }

bool addedAnswer(rt::Object*, rt::SEL) { return true; }

// A host class with two methods, and a subclass that only inherits them.
rt::Class* hostClass()
{
    static rt::Class* cls = rt::ClassBuilder("TestHookedHost", rt::rootClass())
                                .method("count", &hostCount)
                                .method("other", &hostOther)
                                .registerClass();
    return cls;
}

std::vector<std::string> describe(const std::vector<InstalledHook>& hooks)
{
    std::vector<std::string> lines;
    for (auto& h : hooks)
        lines.push_back(h.group + " " + h.kind + " " + h.className + " " + h.selector);
    return lines;
}

}

TEST(InstallGroup, InstallsEachKindInOrderAndRecordsOnlyWhatTookEffect)
{
    rt::AutoreleasePool pool;
    hostClass();
    std::size_t before = installedHooks().size();
    const Replacement rows[] = {
        replacing("TestHookedHost", "count", &doubledCount, originalCount),
        replacing("TestMissingClass", "count", &doubledCount, originalCount),
        adding("TestHookedHost", "answer", &addedAnswer),
        adding("TestHookedHost", "other", &addedAnswer), // the class has it already: nothing is added
        addingProperty("TestHookedHost", "badge", "NSString"),
    };
    installGroup("test", rows);

    auto object = rt::newObject(hostClass());
    EXPECT_EQ(rt::send<long>(object, SELECTOR("count")), 6) << "the replacement runs and calls what it displaced";
    EXPECT_EQ(rt::send<long>(object, SELECTOR("other")), 7);
    EXPECT_TRUE(rt::send<bool>(object, SELECTOR("answer")));
    rt::send(object, SELECTOR("setBadge:"), ns("New"));
    EXPECT_EQ(toStdString(rt::send<rt::Object*>(object, SELECTOR("badge"))), "New");
    ASSERT_NE(hostClass()->property("badge"), nullptr);
    EXPECT_EQ(hostClass()->property("badge")->attributes, "T@\"NSString\",&,N");

    auto hooks = installedHooks();
    hooks.erase(hooks.begin(), hooks.begin() + static_cast<long>(before));
    EXPECT_EQ(describe(hooks), (std::vector<std::string> { "test replace TestHookedHost count", "test add TestHookedHost answer",
                                   "test property TestHookedHost badge" }));
}
