#include <gtest/gtest.h>

#include "UIKitTestSupport.h"
#include "host/foundation/String.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITraitCollection.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

using rt::Object;
using rt::SEL;

namespace {

std::string styleName(Object* traits)
{
    return traits ? std::to_string(rt::send<long>(traits, SELECTOR("userInterfaceStyle"))) : "nil";
}

rt::Class* traitViewClass()
{
    static rt::Class* cls
        = rt::ClassBuilder("TestTraitView", UIView::classObject())
              .method(
                  "traitCollectionDidChange:",
                  +[](Object* self, SEL, Object* previous) {
                      long now = rt::send<long>(
                          rt::send<Object*>(self, SELECTOR("traitCollection")), SELECTOR("userInterfaceStyle"));
                      messageLog().push_back("view " + styleName(previous) + "->" + std::to_string(now));
                  })
              .registerClass();
    return cls;
}

rt::Class* traitControllerClass()
{
    static rt::Class* cls
        = rt::ClassBuilder("TestTraitController", UIViewController::classObject())
              .method(
                  "traitCollectionDidChange:",
                  +[](Object*, SEL, Object* previous) { messageLog().push_back("controller " + styleName(previous)); })
              .registerClass();
    return cls;
}

}

TEST(Traits, StyleChangesReachViewsAndControllersOnce)
{
    rt::AutoreleasePool pool;
    auto window = makeWindow(1);
    auto controller = UIViewController::create(traitControllerClass());
    auto inner = UIView::create(traitViewClass());
    controller->view()->addSubview(inner.get());
    messageLog().clear();
    window->setRootViewController(controller.get());
    EXPECT_TRUE(messageLog().empty()) << "the window shows the style the views had";

    window->setOverrideUserInterfaceStyle(2);
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "controller 1", "view 1->2" }));
    messageLog().clear();
    window->setOverrideUserInterfaceStyle(2);
    EXPECT_TRUE(messageLog().empty()) << "no change, no message";

    // A view with its own style keeps it when the window changes.
    inner->setOverrideUserInterfaceStyle(2);
    window->setOverrideUserInterfaceStyle(1);
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "controller 2" }));
}

TEST(Traits, ViewEnteringADarkWindowHearsOfIt)
{
    rt::AutoreleasePool pool;
    auto window = makeWindow(2);
    auto view = UIView::create(traitViewClass());
    messageLog().clear();
    window->addSubview(view.get());
    long screen = UIScreen::mainScreen()->userInterfaceStyle();
    std::vector<std::string> expected;
    if (screen != 2)
        expected = { "view 1->2" };
    EXPECT_EQ(messageLog(), expected);
    EXPECT_EQ(view->effectiveUserInterfaceStyle(), 2);
}

TEST(Traits, DynamicColoursResolveAgainstTraits)
{
    rt::AutoreleasePool pool;
    UIColor* label = UIColor::systemColor("labelColor");
    EXPECT_EQ(label->resolved(1), (RGBAColor { 0, 0, 0, 1 }));
    EXPECT_EQ(label->resolved(2), (RGBAColor { 1, 1, 1, 1 }));
    Object* dark = UITraitCollection::forStyle(2);
    Object* resolved
        = rt::send<Object*>(rt::send<Object*>(UIColor::classObject(), SELECTOR("tableCellGroupedBackgroundColor")),
            SELECTOR("resolvedColorWithTraitCollection:"), dark);
    EXPECT_NEAR(static_cast<UIColor*>(resolved)->resolved(1).r, 0x1C / 255.0, 1e-9);
    // A provider block decides per trait collection.
    auto provider = rt::makeBlock<Object*(Object*)>([](Object* traits) -> Object* {
        return rt::send<long>(traits, SELECTOR("userInterfaceStyle")) == 2 ? UIColor::systemColor("redColor")
                                                                           : UIColor::systemColor("blueColor");
    });
    Object* dynamic = rt::send<Object*>(UIColor::classObject(), SELECTOR("colorWithDynamicProvider:"), provider);
    EXPECT_EQ(static_cast<UIColor*>(dynamic)->resolved(2), (RGBAColor { 1, 0, 0, 1 }));
    EXPECT_EQ(static_cast<UIColor*>(dynamic)->resolved(1), (RGBAColor { 0, 0, 1, 1 }));
    {
        CurrentTraitScope scope(UITraitCollection::forStyle(2));
        double r = 0, g = 0, b = 0, a = 0;
        rt::send<bool>(label, SELECTOR("getRed:green:blue:alpha:"), &r, &g, &b, &a);
        EXPECT_EQ(r, 1);
    }
}

TEST(Traits, NamedSystemColoursAnswerTheirName)
{
    rt::AutoreleasePool pool;
    Object* grouped = rt::send<Object*>(UIColor::classObject(), SELECTOR("tableCellGroupedBackgroundColor"));
    EXPECT_EQ(toStdString(rt::send<Object*>(grouped, SELECTOR("_systemColorName"))), "tableCellGroupedBackgroundColor");
    EXPECT_EQ(grouped, rt::send<Object*>(UIColor::classObject(), SELECTOR("tableCellGroupedBackgroundColor")))
        << "shared";
    Object* plain
        = rt::send<Object*>(UIColor::classObject(), SELECTOR("colorWithRed:green:blue:alpha:"), 1.0, 1.0, 1.0, 1.0);
    EXPECT_EQ(rt::send<Object*>(plain, SELECTOR("_systemColorName")), nullptr);
    EXPECT_TRUE(rt::send<bool>(plain, SELECTOR("isEqual:"), UIColor::systemColor("whiteColor")));
}

TEST(Traits, HexColours)
{
    struct Case {
        const char* text;
        bool valid;
        RGBAColor value;
    };
    const Case cases[] = {
        { "ffffff", true, { 1, 1, 1, 1 } },
        { "#0B84FF", true, { 0x0B / 255.0, 0x84 / 255.0, 1, 1 } },
        { "3c3c4399", true, { 0x3C / 255.0, 0x3C / 255.0, 0x43 / 255.0, 0x99 / 255.0 } },
        { "8E8E93", true, { 0x8E / 255.0, 0x8E / 255.0, 0x93 / 255.0, 1 } },
        { "fff", false, {} },
        { "gggggg", false, {} },
        { "#", false, {} },
        { "1234567", false, {} },
        { "", false, {} },
    };
    for (auto& c : cases) {
        auto parsed = UIColor::parseHex(c.text);
        EXPECT_EQ(parsed.has_value(), c.valid) << c.text;
        if (parsed && c.valid) {
            EXPECT_EQ(*parsed, c.value) << c.text;
        }
    }
}
