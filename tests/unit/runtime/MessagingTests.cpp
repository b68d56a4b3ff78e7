#include <gtest/gtest.h>

#include "host/platform/Substrate.h"
#include "host/runtime/Runtime.h"

using namespace rt;

namespace {

// A small hierarchy: Animal <- Dog, Animal <- Cat, each answering -sound with a number.
struct Fixture {
    Class* animal;
    Class* dog;
    Class* cat;
};

long animalSound(Object*, SEL) { return 1; }
long dogSound(Object*, SEL) { return 2; }
long legs(Object*, SEL) { return 4; }

Fixture& classes()
{
    static Fixture f = [] {
        Fixture f;
        f.animal = defineCppClass<Object>("RTAnimal", rootClass());
        addMethod(f.animal, sel("sound"), &animalSound);
        addMethod(f.animal, sel("legs"), &legs);
        f.dog = ClassBuilder("RTDog", f.animal).method("sound", &dogSound).registerClass();
        f.cat = ClassBuilder("RTCat", f.animal).registerClass();
        return f;
    }();
    return f;
}

long sound(Object* obj) { return send<long>(obj, SELECTOR("sound")); }

}

TEST(Messaging, DispatchesThroughSuperclassesAndClassMethods)
{
    auto& f = classes();
    auto dog = newObject(f.dog);
    auto cat = newObject(f.cat);
    EXPECT_EQ(sound(dog), 2);
    EXPECT_EQ(sound(cat), 1);
    EXPECT_EQ(send<long>(dog, SELECTOR("legs")), 4);
    EXPECT_EQ(send<Class*>(dog, SELECTOR("class")), f.dog);
    EXPECT_TRUE(send<bool>(dog, SELECTOR("isKindOfClass:"), f.animal));
    EXPECT_FALSE(send<bool>(cat, SELECTOR("isKindOfClass:"), f.dog));
    EXPECT_TRUE(send<bool>(dog, SELECTOR("respondsToSelector:"), sel("legs")));
    EXPECT_FALSE(send<bool>(dog, SELECTOR("respondsToSelector:"), sel("fly")));
    EXPECT_EQ(getClass("RTDog"), f.dog);
    EXPECT_EQ(getClass("RTNoSuchClass"), nullptr);
    // Class methods of the root class reach every class through the metaclass chain.
    EXPECT_EQ(send<Class*>(f.dog, SELECTOR("class")), f.dog);
}

TEST(Messaging, NilReceiverAnswersZero)
{
    Object* nothing = nullptr;
    EXPECT_EQ(send<long>(nothing, SELECTOR("sound")), 0);
    EXPECT_EQ(send<Object*>(nothing, SELECTOR("anything")), nullptr);
    struct Pair {
        double a, b;
    };
    send(nothing, SELECTOR("doSomething:"), 3.0);
}

TEST(Messaging, HookOnInheritedMethodStaysOnItsClass)
{
    Class* base = defineCppClass<Object>("RTHookBase", rootClass());
    addMethod(base, sel("sound"), &animalSound);
    Class* left = ClassBuilder("RTHookLeft", base).registerClass();
    Class* right = ClassBuilder("RTHookRight", base).registerClass();
    Class* leftChild = ClassBuilder("RTHookLeftChild", left).registerClass();
    auto l = newObject(left), r = newObject(right), lc = newObject(leftChild), b = newObject(base);
    // Warm every call site's cache first: the hook must be seen by the next call anyway.
    EXPECT_EQ(sound(l), 1);
    EXPECT_EQ(sound(r), 1);

    static long (*saved)(Object*, SEL) = nullptr;
    long (*replacement)(Object*, SEL) = [](Object* self, SEL cmd) { return 100 + saved(self, cmd); };
    ASSERT_TRUE(platform::hookMessage(left, sel("sound"), replacement, &saved));
    EXPECT_EQ(saved, &animalSound);
    EXPECT_EQ(sound(l), 101);
    EXPECT_EQ(sound(lc), 101);
    EXPECT_EQ(sound(r), 1);
    EXPECT_EQ(sound(b), 1);
}

TEST(Messaging, HookOnOwnMethodSavesTheDisplacedImplementation)
{
    auto& f = classes();
    Class* cls = ClassBuilder("RTHookOwn", f.animal).method("sound", &dogSound).registerClass();
    auto obj = newObject(cls);
    EXPECT_EQ(sound(obj), 2);
    static long (*saved)(Object*, SEL) = nullptr;
    long (*replacement)(Object*, SEL) = [](Object* self, SEL cmd) { return 10 * saved(self, cmd); };
    ASSERT_TRUE(platform::hookMessage(cls, sel("sound"), replacement, &saved));
    EXPECT_EQ(saved, &dogSound);
    EXPECT_EQ(sound(obj), 20);
}

TEST(Messaging, HookOnMissingClassOrSelectorInstallsNothing)
{
    long (*slot)(Object*, SEL) = nullptr;
    EXPECT_FALSE(platform::hookMessage(getClass("RTAbsent"), sel("sound"), &dogSound, &slot));
    EXPECT_FALSE(platform::hookMessage(classes().cat, sel("nonexistent"), &dogSound, &slot));
    EXPECT_EQ(slot, nullptr);
}

TEST(Messaging, AddedMethodInvalidatesCachedLookups)
{
    auto& f = classes();
    Class* cls = ClassBuilder("RTLateOverride", f.animal).registerClass();
    auto obj = newObject(cls);
    EXPECT_EQ(sound(obj), 1);
    addMethod(cls, sel("sound"), &dogSound);
    EXPECT_EQ(sound(obj), 2);
}

TEST(Messaging, TypeStringsFollowSignatures)
{
    EXPECT_STREQ((MethodSignature<void>::value), "v@:");
    EXPECT_STREQ((MethodSignature<void, Object*>::value), "v@:@");
    EXPECT_STREQ((MethodSignature<bool>::value), "B@:");
    EXPECT_STREQ((MethodSignature<Object*>::value), "@@:");
    EXPECT_STREQ((MethodSignature<long, double, float, int, SEL, Class*>::value), "q@:dfi:#");
}

TEST(MessagingDeathTest, SignatureMismatchStopsWithBothTypeStrings)
{
    auto& f = classes();
    auto dog = newObject(f.dog);
    EXPECT_DEATH(send<double>(dog, SELECTOR("sound")), "RTDog sound.*\"q@:\".*\"d@:\"");
    EXPECT_DEATH(send<long>(dog, SELECTOR("sound"), 5), "\"q@:\".*\"q@:i\"");
}

TEST(MessagingDeathTest, UnrecognizedSelectorNamesClassAndSelector)
{
    auto dog = newObject(classes().dog);
    EXPECT_DEATH(send(dog, SELECTOR("fly")), "unrecognized selector -\\[RTDog fly\\]");
}

TEST(Messaging, ForwardingTargetReceivesUnknownSelectors)
{
    auto& f = classes();
    static Object* target = nullptr;
    Class* proxy = ClassBuilder("RTProxy", rootClass())
                       .method("forwardingTargetForSelector:", +[](Object*, SEL, SEL) { return target; })
                       .registerClass();
    auto dog = newObject(f.dog);
    target = dog.get();
    auto p = newObject(proxy);
    EXPECT_EQ(sound(p), 2);
    target = nullptr;
    EXPECT_DEATH(sound(p), "unrecognized selector -\\[RTProxy sound\\]");
}

TEST(Messaging, SuperSendStartsAboveTheCurrentClass)
{
    auto& f = classes();
    auto dog = newObject(f.dog);
    EXPECT_EQ(sendSuper<long>(dog, f.dog, sel("sound")), 1);
}
