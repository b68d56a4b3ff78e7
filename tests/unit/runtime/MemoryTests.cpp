#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "host/runtime/Runtime.h"

using namespace rt;

namespace {

// Counts live instances so tests can see exactly when objects die.
struct Tracked : Object {
    static inline std::atomic<int> live { 0 };
    Tracked() { ++live; }
    ~Tracked() override { --live; }
};

Class* trackedClass()
{
    static Class* cls = defineCppClass<Tracked>("RTTracked", rootClass());
    return cls;
}

Ref<Object> makeTracked() { return newObject(trackedClass()); }

const char kKey = 0;

}

TEST(Weak, ReadsNullOnceTheObjectDies)
{
    Weak<Object> weak;
    {
        auto obj = makeTracked();
        weak = obj.get();
        Weak<Object> copy = weak;
        EXPECT_EQ(weak.load().get(), obj.get());
        EXPECT_EQ(copy.load().get(), obj.get());
    }
    EXPECT_EQ(weak.load().get(), nullptr);
    EXPECT_EQ(Tracked::live, 0);
}

TEST(Associated, LivesAsLongAsItsOwnerAndNoLonger)
{
    auto owner = makeTracked();
    {
        auto value = makeTracked();
        setAssociatedObject(owner, &kKey, value);
    }
    EXPECT_EQ(Tracked::live, 2) << "the owner keeps its associated object alive";
    EXPECT_NE(getAssociatedObject(owner, &kKey), nullptr);

    auto replacement = makeTracked();
    setAssociatedObject(owner, &kKey, replacement);
    EXPECT_EQ(Tracked::live, 2) << "the replaced value is released";
    EXPECT_EQ(getAssociatedObject(owner, &kKey), replacement.get());

    replacement = nullptr;
    owner = nullptr;
    EXPECT_EQ(Tracked::live, 0) << "associated objects die with their owner";
}

TEST(Associated, AssignPolicyDoesNotRetain)
{
    auto owner = makeTracked();
    auto value = makeTracked();
    setAssociatedObject(owner, &kKey, value, AssociationAssign);
    EXPECT_EQ(value->retainCount(), 1u);
    owner = nullptr;
    EXPECT_EQ(value->retainCount(), 1u);
}

TEST(Ivars, RuntimeClassesHaveTypedInstanceVariablesAfterTheHostPart)
{
    Class* cls = ClassBuilder("RTWithIvars", trackedClass()).ivar<Ref<Object>>("_held").ivar<double>("_ratio").registerClass();
    const Ivar* held = getInstanceVariable(cls, "_held");
    const Ivar* ratio = getInstanceVariable(cls, "_ratio");
    ASSERT_TRUE(held && ratio);
    EXPECT_EQ(held->types, "@");
    EXPECT_GE(static_cast<size_t>(held->offset), sizeof(Tracked));
    EXPECT_EQ(getInstanceVariable(cls, "_missing"), nullptr);
    {
        auto obj = newObject(cls);
        *ivarPointer<double>(obj, ratio) = 0.5;
        setIvarObject(obj, held, makeTracked());
        EXPECT_EQ(Tracked::live, 2);
        EXPECT_EQ(*ivarPointer<double>(obj, ratio), 0.5);
    }
    EXPECT_EQ(Tracked::live, 0) << "object instance variables are released with their owner";
}

TEST(Blocks, AreObjectsThatCheckTheirSignature)
{
    int calls = 0;
    auto block = makeBlock<void(Object*)>([&](Object*) { ++calls; });
    callBlock<void(Object*)>(block, nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_DEATH(callBlock<void(long)>(block, 3L), "block of signature");
}

TEST(Autorelease, PoolReleasesWhatWasHandedToIt)
{
    {
        AutoreleasePool pool;
        autorelease(makeTracked());
        EXPECT_EQ(Tracked::live, 1);
    }
    EXPECT_EQ(Tracked::live, 0);
}

// Retains, releases, weak loads and associated objects from several threads at once; run under
// ThreadSanitizer this catches unsynchronised bookkeeping.
TEST(Threads, ReferenceCountingWeakAndAssociatedAreSafeTogether)
{
    auto shared = makeTracked();
    Weak<Object> weak = shared.get();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                Ref<Object> strong = weak.load();
                ASSERT_TRUE(strong);
                if (t % 2)
                    setAssociatedObject(strong, &kKey, makeTracked());
                else
                    getAssociatedObject(strong, &kKey);
                EXPECT_EQ(send<Class*>(strong, SELECTOR("class")), trackedClass());
            }
        });
    }
    for (auto& t : threads)
        t.join();
    shared = nullptr;
    EXPECT_EQ(weak.load().get(), nullptr);
    EXPECT_EQ(Tracked::live, 0);
}

TEST(Threads, WeakLoadRacingWithTheLastReleaseNeverRevives)
{
    for (int round = 0; round < 200; ++round) {
        auto obj = makeTracked();
        Weak<Object> weak = obj.get();
        std::thread reader([&] {
            for (int i = 0; i < 50; ++i) {
                auto strong = weak.load();
                if (strong) {
                    EXPECT_GE(strong->retainCount(), 1u);
                }
            }
        });
        obj = nullptr;
        reader.join();
        EXPECT_EQ(weak.load().get(), nullptr);
    }
    EXPECT_EQ(Tracked::live, 0);
}

namespace {

void formWeakReferenceInDealloc(Object* self, SEL cmd)
{
    Weak<Object> late(self);
    sendSuper(self, getClass("RTWeakInDealloc"), cmd);
}

}

// A weak reference formed to an object that is already being deallocated would dangle or read
// nil without telling anyone; the runtime stops instead, naming the object.
TEST(WeakDeathTest, FormingAReferenceToADeallocatingObjectStops)
{
    Class* cls = ClassBuilder("RTWeakInDealloc", trackedClass())
                     .method("dealloc", &formWeakReferenceInDealloc)
                     .registerClass();
    ASSERT_NE(cls, nullptr);
    EXPECT_DEATH(newObject(cls), "Cannot form weak reference to instance \\(0x[0-9a-f]+\\) of class RTWeakInDealloc");
}
