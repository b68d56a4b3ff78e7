#include <gtest/gtest.h>

#include "UIKitTestSupport.h"
#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/uikit/UIButton.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UIMenu.h"
#include "host/uikit/UISlider.h"
#include "host/uikit/UISwitch.h"

using rt::Object;
using rt::SEL;

namespace {

rt::Class* targetClass()
{
    static rt::Class* cls
        = rt::ClassBuilder("TestControlTarget", rt::rootClass())
              .method(
                  "plain", +[](Object*, SEL) { messageLog().push_back("plain"); })
              .method(
                  "withSender:",
                  +[](Object*, SEL, Object* sender) {
                      messageLog().push_back(sender ? "withSender" : "withSender:nil");
                  })
              .method(
                  "withSender:event:", +[](Object*, SEL, Object*, Object*) { messageLog().push_back("withEvent"); })
              .method(
                  "wrongShape:", +[](Object*, SEL, long) { messageLog().push_back("wrong"); })
              .registerClass();
    return cls;
}

}

TEST(Controls, ButtonSendsItsActionsOnTouchUpInside)
{
    rt::AutoreleasePool pool;
    auto target = rt::newObject(targetClass());
    Object* button = rt::send<Object*>(UIButton::classObject(), SELECTOR("buttonWithType:"), 0L);
    for (const char* action : { "plain", "withSender:", "withSender:event:", "wrongShape:" })
        rt::send(button, SELECTOR("addTarget:action:forControlEvents:"), target.get(), rt::sel(action), 64UL);
    rt::send(button, SELECTOR("addTarget:action:forControlEvents:"), target.get(), rt::sel("plain"), 4096UL);
    messageLog().clear();
    static_cast<UIButton*>(button)->simulateTap();
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "plain", "withSender", "withEvent" }));
    messageLog().clear();
    rt::send(button, SELECTOR("setEnabled:"), false);
    static_cast<UIButton*>(button)->simulateTap();
    EXPECT_TRUE(messageLog().empty());
    // Targets are not kept alive by the control.
    rt::Ref<Object> keep(button);
    target = nullptr;
    rt::send(button, SELECTOR("setEnabled:"), true);
    static_cast<UIButton*>(button)->simulateTap();
    EXPECT_TRUE(messageLog().empty());
}

TEST(Controls, ButtonShowsItsImageAndOpensItsMenu)
{
    rt::AutoreleasePool pool;
    Object* button = rt::send<Object*>(UIButton::classObject(), SELECTOR("buttonWithType:"), 0L);
    rt::send(button, SELECTOR("setFrame:"), CGRectMake(0, 0, 26, 25));
    Object* gear
        = rt::send<Object*>(rt::send<Object*>(UIImage::classObject(), SELECTOR("systemImageNamed:"), ns("gear")),
            SELECTOR("imageWithRenderingMode:"), 2L);
    rt::send(button, SELECTOR("setImage:forState:"), gear, 0UL);
    rt::send(button, SELECTOR("setContentVerticalAlignment:"), 3L);
    rt::send(button, SELECTOR("setContentHorizontalAlignment:"), 3L);
    rt::send(button, SELECTOR("layoutIfNeeded"));
    auto* imageView = static_cast<UIImageView*>(rt::send<Object*>(button, SELECTOR("imageView")));
    EXPECT_EQ(imageView->image(), gear);
    EXPECT_EQ(imageView->frame(), CGRectMake(0, 0, 26, 25)) << "fill alignment stretches the image";

    int chosen = 0;
    auto handler = rt::makeBlock<void(Object*)>([&chosen](Object* action) {
        chosen += toStdString(rt::send<Object*>(action, SELECTOR("title"))) == "Respring" ? 1 : 100;
    });
    Object* action = rt::send<Object*>(UIAction::classObject(), SELECTOR("actionWithTitle:image:identifier:handler:"),
        ns("Respring"), nullptr, nullptr, handler.get());
    auto children = NSArray::create({ rt::Ref<Object>(action) });
    Object* menu
        = rt::send<Object*>(UIMenu::classObject(), SELECTOR("menuWithTitle:children:"), ns(""), children.get());
    rt::send(button, SELECTOR("setMenu:"), menu);
    rt::send(button, SELECTOR("setShowsMenuAsPrimaryAction:"), true);
    static_cast<UIButton*>(button)->simulateTap();
    EXPECT_EQ(static_cast<UIButton*>(button)->openMenu(), menu);
    auto* opened = static_cast<UIMenu*>(static_cast<UIButton*>(button)->openMenu());
    ASSERT_EQ(opened->children().size(), 1u);
    static_cast<UIAction*>(opened->children()[0].get())->perform();
    EXPECT_EQ(chosen, 1);
}

TEST(Controls, SwitchFlipsOnTapAndSliderStaysInRange)
{
    rt::AutoreleasePool pool;
    auto target = rt::newObject(targetClass());
    auto toggle = UIView::create(UISwitch::classObject(), CGRectMake(0, 0, 10, 10));
    EXPECT_EQ(toggle->frame().size, (CGSize { 51, 31 }));
    rt::send(
        toggle.get(), SELECTOR("addTarget:action:forControlEvents:"), target.get(), rt::sel("withSender:"), 4096UL);
    messageLog().clear();
    static_cast<UISwitch*>(toggle.get())->simulateTap();
    EXPECT_TRUE(rt::send<bool>(toggle.get(), SELECTOR("isOn")));
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "withSender" }));

    auto slider = UIView::create(UISlider::classObject(), CGRectMake(0, 0, 200, 31));
    rt::send(slider.get(), SELECTOR("setMaximumValue:"), 100.0f);
    rt::send(slider.get(), SELECTOR("setValue:animated:"), 420.0f, true);
    EXPECT_EQ(rt::send<float>(slider.get(), SELECTOR("value")), 100.0f);
    rt::send(slider.get(), SELECTOR("setValue:"), -5.0f);
    EXPECT_EQ(rt::send<float>(slider.get(), SELECTOR("value")), 0.0f);
}
