#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/runtime/Bind.h"
#include "host/runtime/Runtime.h"

using namespace rt;

namespace {

// A value class of its own, so a field can be typed with it; copying makes a new instance and
// counts the copies.
struct Swatch : Object {
    static Class* classObject();
    static inline int copies = 0;
    int shade = 0;
};

Object* copySwatch(Object* self, SEL)
{
    ++Swatch::copies;
    auto* copy = static_cast<Swatch*>(newObject(Swatch::classObject()).leak());
    copy->shade = static_cast<Swatch*>(self)->shade;
    return copy;
}

Class* Swatch::classObject()
{
    static Class* cls = [] {
        Class* c = defineCppClass<Swatch>("RTBoundSwatch", rootClass());
        addMethod(c, sel("copy"), &copySwatch);
        return c;
    }();
    return cls;
}

enum class Tint : long { Plain = 0, Vivid = 2 };

// A host-style class whose state is private and reached only through its bound properties.
class Gadget : public Object {
public:
    static Class* classObject();
    // Binds the level a second time, which the class must refuse.
    static bool bindLevelAgain(Class* c) { return bindProperty<&Gadget::m_level>(c, "level"); }
    int changes() const { return m_changes; }
    long volumeSeenByChange() const { return m_volumeSeen; }

private:
    static void registerProperties(Class*);

    bool m_on { false };
    double m_level { 0.5 };
    Tint m_tint { Tint::Plain };
    Ref<Object> m_anything;
    Ref<Swatch> m_swatch;
    Ref<Swatch> m_copiedSwatch;
    Weak<Object> m_delegate;
    Object* m_owner { nullptr };
    long m_serial { 7 };
    long m_volume { 0 };
    long m_pitch { 3 };
    int m_changes { 0 };
    long m_volumeSeen { -1 };

    void noteChange()
    {
        ++m_changes;
        m_volumeSeen = m_volume;
    }
};

Class* Gadget::classObject()
{
    static Class* cls = [] {
        Class* c = defineCppClass<Gadget>("RTBoundGadget", rootClass());
        registerProperties(c);
        return c;
    }();
    return cls;
}

void Gadget::registerProperties(Class* c)
{
    bindProperty<&Gadget::m_on>(c, { "on", "isOn" });
    bindProperty<&Gadget::m_level>(c, "level");
    bindProperty<&Gadget::m_tint>(c, "tint");
    bindProperty<&Gadget::m_anything>(c, "anything");
    bindProperty<&Gadget::m_swatch>(c, "swatch");
    bindProperty<&Gadget::m_copiedSwatch, Memory::Copy>(c, "copiedSwatch");
    bindProperty<&Gadget::m_delegate>(c, "delegate");
    bindProperty<&Gadget::m_owner>(c, "owner");
    bindReadOnlyProperty<&Gadget::m_serial>(c, "serial");
    bindPropertyThen<&Gadget::m_volume, &Gadget::noteChange>(c, "volume");
    // A checked setter of its own beside the bound getter.
    bindGetter<&Gadget::m_pitch>(c, "pitch");
    addMethod(c, sel("setPitch:"), +[](Object* self, SEL, long pitch) {
        static_cast<Gadget*>(self)->m_pitch = std::max(0L, pitch);
    });
}

Ref<Object> newGadget() { return newObject(Gadget::classObject()); }

Ref<Swatch> newSwatch(int shade)
{
    auto swatch = newObject<Swatch>(Swatch::classObject());
    swatch->shade = shade;
    return swatch;
}

}

TEST(PropertyBinding, ValuesRoundTripThroughTheirTypedMethods)
{
    auto gadget = newGadget();
    EXPECT_FALSE(send<bool>(gadget, SELECTOR("isOn")));
    send(gadget, SELECTOR("setOn:"), true);
    EXPECT_TRUE(send<bool>(gadget, SELECTOR("isOn")));

    EXPECT_DOUBLE_EQ(send<double>(gadget, SELECTOR("level")), 0.5);
    send(gadget, SELECTOR("setLevel:"), 0.25);
    EXPECT_DOUBLE_EQ(send<double>(gadget, SELECTOR("level")), 0.25);

    send(gadget, SELECTOR("setTint:"), Tint::Vivid);
    EXPECT_EQ(send<Tint>(gadget, SELECTOR("tint")), Tint::Vivid);
    EXPECT_EQ(send<long>(gadget, SELECTOR("tint")), 2) << "an enumeration travels as its integer";
}

TEST(PropertyBinding, MethodsCarryTheFieldsTypeStrings)
{
    Class* c = Gadget::classObject();
    struct Case {
        const char* selector;
        const char* types;
    } cases[] = {
        { "isOn", "B@:" },
        { "setOn:", "v@:B" },
        { "level", "d@:" },
        { "setLevel:", "v@:d" },
        { "tint", "q@:" },
        { "swatch", "@@:" },
        { "setSwatch:", "v@:@" },
        { "delegate", "@@:" },
        { "serial", "q@:" },
    };
    for (auto& expected : cases) {
        Method* m = c->ownMethod(sel(expected.selector));
        ASSERT_NE(m, nullptr) << expected.selector;
        EXPECT_EQ(m->types, expected.types) << expected.selector;
    }
}

TEST(PropertyBinding, PropertiesSayHowTheyKeepTheirValues)
{
    Class* c = Gadget::classObject();
    struct Case {
        const char* name;
        const char* attributes;
    } cases[] = {
        { "on", "TB,N,GisOn" },
        { "level", "Td,N" },
        { "anything", "T@,&,N" },
        { "copiedSwatch", "T@,C,N" },
        { "delegate", "T@,W,N" },
        { "owner", "T@,N" },
        { "serial", "Tq,R,N" },
    };
    for (auto& expected : cases) {
        const Property* p = c->property(expected.name);
        ASSERT_NE(p, nullptr) << expected.name;
        EXPECT_EQ(p->attributes, expected.attributes) << expected.name;
    }
}

TEST(PropertyBinding, ARetainedObjectLivesWhileTheFieldHoldsIt)
{
    auto gadget = newGadget();
    auto swatch = newSwatch(3);
    uint32_t before = swatch->retainCount();
    send(gadget, SELECTOR("setSwatch:"), swatch);
    EXPECT_EQ(swatch->retainCount(), before + 1);
    EXPECT_EQ(send<Object*>(gadget, SELECTOR("swatch")), swatch.get());

    send(gadget, SELECTOR("setSwatch:"), nullptr);
    EXPECT_EQ(swatch->retainCount(), before) << "replacing the value releases the old one";
    EXPECT_EQ(send<Object*>(gadget, SELECTOR("swatch")), nullptr);

    send(gadget, SELECTOR("setSwatch:"), swatch);
    gadget = nullptr;
    EXPECT_EQ(swatch->retainCount(), before) << "the owner releases its value when it dies";
}

TEST(PropertyBinding, AValueOfAnotherClassIsStoredAsNil)
{
    auto gadget = newGadget();
    auto stranger = newGadget();
    send(gadget, SELECTOR("setSwatch:"), newSwatch(1));
    send(gadget, SELECTOR("setSwatch:"), stranger);
    EXPECT_EQ(send<Object*>(gadget, SELECTOR("swatch")), nullptr);

    // An untyped field keeps whatever it is given.
    send(gadget, SELECTOR("setAnything:"), stranger);
    EXPECT_EQ(send<Object*>(gadget, SELECTOR("anything")), stranger.get());
}

TEST(PropertyBinding, ACopiedObjectIsACopyTheCallerCannotChange)
{
    auto gadget = newGadget();
    auto swatch = newSwatch(5);
    int copiesBefore = Swatch::copies;
    uint32_t before = swatch->retainCount();
    send(gadget, SELECTOR("setCopiedSwatch:"), swatch);
    EXPECT_EQ(Swatch::copies, copiesBefore + 1);
    EXPECT_EQ(swatch->retainCount(), before) << "the original is not kept";

    auto* kept = static_cast<Swatch*>(send<Object*>(gadget, SELECTOR("copiedSwatch")));
    ASSERT_NE(kept, nullptr);
    EXPECT_NE(kept, swatch.get());
    EXPECT_EQ(kept->retainCount(), 1u) << "the copy's own reference is the field's, not one more";
    swatch->shade = 9;
    EXPECT_EQ(kept->shade, 5);

    send(gadget, SELECTOR("setCopiedSwatch:"), nullptr);
    EXPECT_EQ(send<Object*>(gadget, SELECTOR("copiedSwatch")), nullptr);
    EXPECT_EQ(Swatch::copies, copiesBefore + 1) << "nil is not copied";
}

TEST(PropertyBinding, WeakAndAssignedObjectsAreNotRetained)
{
    auto gadget = newGadget();
    auto owner = newGadget();
    uint32_t before = owner->retainCount();
    send(gadget, SELECTOR("setOwner:"), owner);
    EXPECT_EQ(owner->retainCount(), before);
    EXPECT_EQ(send<Object*>(gadget, SELECTOR("owner")), owner.get());

    {
        auto delegate = newGadget();
        send(gadget, SELECTOR("setDelegate:"), delegate);
        EXPECT_EQ(delegate->retainCount(), 1u);
        AutoreleasePool pool;
        EXPECT_EQ(send<Object*>(gadget, SELECTOR("delegate")), delegate.get());
    }
    EXPECT_EQ(send<Object*>(gadget, SELECTOR("delegate")), nullptr) << "a weak property reads nil once its object died";
}

TEST(PropertyBinding, AReadOnlyPropertyHasNoSetter)
{
    auto gadget = newGadget();
    EXPECT_EQ(send<long>(gadget, SELECTOR("serial")), 7);
    EXPECT_TRUE(respondsTo(gadget, sel("serial")));
    EXPECT_FALSE(respondsTo(gadget, sel("setSerial:")));
}

TEST(PropertyBinding, ATakenNameIsRefused)
{
    Class* c = Gadget::classObject();
    EXPECT_FALSE(Gadget::bindLevelAgain(c));
    EXPECT_FALSE(Gadget::bindLevelAgain(nullptr));
}

TEST(PropertyBinding, ASetterCanTellOfTheChangeAfterStoring)
{
    auto gadget = newGadget();
    auto* g = static_cast<Gadget*>(gadget.get());
    send(gadget, SELECTOR("setVolume:"), 11L);
    EXPECT_EQ(send<long>(gadget, SELECTOR("volume")), 11);
    EXPECT_EQ(g->changes(), 1);
    EXPECT_EQ(g->volumeSeenByChange(), 11) << "the change is told once the value is stored";
    send(gadget, SELECTOR("setLevel:"), 1.0);
    EXPECT_EQ(g->changes(), 1) << "only the property that asks for it tells";
}

TEST(PropertyBinding, ABoundGetterLeavesTheSetterAndThePropertyToTheClass)
{
    auto gadget = newGadget();
    EXPECT_EQ(send<long>(gadget, SELECTOR("pitch")), 3);
    send(gadget, SELECTOR("setPitch:"), -4L);
    EXPECT_EQ(send<long>(gadget, SELECTOR("pitch")), 0) << "the class's own setter checked the value";
    EXPECT_EQ(Gadget::classObject()->property("pitch"), nullptr);
}
