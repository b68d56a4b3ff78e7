#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/foundation/String.h"
#include "host/preferences/PSSpecifier.h"

using rt::Object;
using rt::SEL;

namespace {

// What the value target below was asked, in order.
std::vector<std::string>& targetCalls()
{
    static std::vector<std::string> calls;
    return calls;
}

// A row's target as a page is one: it reads a value for a row and stores one with the row.
rt::Class* valueTargetClass()
{
    static rt::Class* cls
        = rt::ClassBuilder("TestSpecifierTarget", rt::rootClass())
              .method(
                  "valueFor:",
                  +[](Object*, SEL, Object* row) -> Object* {
                      targetCalls().push_back("read " + toStdString(rt::send<Object*>(row, SELECTOR("name"))));
                      return ns("stored");
                  })
              .method(
                  "store:specifier:",
                  +[](Object*, SEL, Object* value, Object* row) {
                      targetCalls().push_back("store " + toStdString(value) + " for "
                          + toStdString(rt::send<Object*>(row, SELECTOR("name"))));
                  })
              .registerClass();
    return cls;
}

PSSpecifier* specifierNamed(const char* name, Object* target, SEL setter, SEL getter, long cell)
{
    return static_cast<PSSpecifier*>(rt::send<Object*>(PSSpecifier::classObject(),
        SELECTOR("preferenceSpecifierNamed:target:set:get:detail:cell:edit:"), ns(name), target, setter, getter,
        static_cast<rt::Class*>(nullptr), cell, static_cast<rt::Class*>(nullptr)));
}

}

// The row's state is reached by message and read by the host through accessors: both must see
// the same fields, whichever side wrote them.
TEST(PSSpecifier, MessagesAndAccessorsSeeTheSameRow)
{
    rt::AutoreleasePool pool;
    PSSpecifier* row = specifierNamed("Wi-Fi", nullptr, nullptr, nullptr, PSLinkListCell);
    EXPECT_EQ(toStdString(row->name()), "Wi-Fi");
    EXPECT_EQ(row->cellType(), PSLinkListCell);
    EXPECT_EQ(row->identifier(), "Wi-Fi");

    rt::send(row, SELECTOR("setName:"), ns("Bluetooth"));
    rt::send(row, SELECTOR("setCellType:"), long(PSSwitchCell));
    EXPECT_EQ(toStdString(row->name()), "Bluetooth");
    EXPECT_EQ(row->cellType(), PSSwitchCell);
    EXPECT_EQ(toStdString(rt::send<Object*>(row, SELECTOR("identifier"))), "Bluetooth");

    rt::send(row, SELECTOR("setControllerLoadAction:"), rt::sel("lazyLoadBundle:"));
    EXPECT_EQ(rt::send<SEL>(row, SELECTOR("controllerLoadAction")), rt::sel("lazyLoadBundle:"));
    rt::send(row, SELECTOR("setDetailControllerClass:"), PSSpecifier::classObject());
    EXPECT_EQ(rt::send<rt::Class*>(row, SELECTOR("detailControllerClass")), PSSpecifier::classObject());

    row->setProperty("key", ns("value"));
    Object* properties = rt::send<Object*>(row, SELECTOR("properties"));
    EXPECT_EQ(toStdString(rt::send<Object*>(properties, SELECTOR("objectForKey:"), ns("key"))), "value");
}

// The row's value goes through its target, given the row; the row does not keep its target alive,
// and without one it reads nothing and stores nowhere.
TEST(PSSpecifier, TheValueGoesThroughATargetItDoesNotKeep)
{
    rt::AutoreleasePool pool;
    targetCalls().clear();
    auto target = rt::newObject(valueTargetClass());
    PSSpecifier* row
        = specifierNamed("Volume", target.get(), rt::sel("store:specifier:"), rt::sel("valueFor:"), PSSliderCell);
    {
        // What the row hands out is the pool's until the pool ends, the target included.
        rt::AutoreleasePool inner;
        EXPECT_EQ(toStdString(rt::send<Object*>(row, SELECTOR("performGetter"))), "stored");
        rt::send(row, SELECTOR("performSetterWithValue:"), ns("loud"));
        EXPECT_EQ(targetCalls(), (std::vector<std::string> { "read Volume", "store loud for Volume" }));
        EXPECT_EQ(rt::send<Object*>(row, SELECTOR("target")), target.get());

        // A row with accessors its target does not answer reads nothing and stores nothing.
        row->setValueAccessors(rt::sel("unknownStore:specifier:"), rt::sel("unknownRead:"));
        EXPECT_EQ(rt::send<Object*>(row, SELECTOR("performGetter")), nullptr);
        rt::send(row, SELECTOR("performSetterWithValue:"), ns("lost"));
        EXPECT_EQ(targetCalls().size(), 2u);
        row->setValueAccessors(rt::sel("store:specifier:"), rt::sel("valueFor:"));
    }

    targetCalls().clear();
    target = nullptr;
    EXPECT_EQ(rt::send<Object*>(row, SELECTOR("target")), nullptr);
    EXPECT_EQ(rt::send<Object*>(row, SELECTOR("performGetter")), nullptr);
    rt::send(row, SELECTOR("performSetterWithValue:"), ns("quiet"));
    EXPECT_TRUE(targetCalls().empty());
}
