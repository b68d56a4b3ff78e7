#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "UIKitTestSupport.h"
#include "host/foundation/Bundle.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/platform/DeviceRoot.h"
#include "host/uikit/CADisplayLink.h"
#include "host/imageio/ImageCodec.h"
#include "host/uikit/UIAlertController.h"
#include "host/uikit/UIGestureRecognizer.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIKeyboard.h"
#include "host/uikit/UITextField.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

using rt::Object;
using rt::SEL;

namespace {

rt::Class* frameCounterClass()
{
    static rt::Class* cls = rt::ClassBuilder("TestFrameCounter", rt::rootClass())
                                .method(
                                    "frame:",
                                    +[](Object*, SEL, Object* link) {
                                        double next = rt::send<double>(link, SELECTOR("targetTimestamp"));
                                        messageLog().push_back(std::to_string(static_cast<int>(next * 1000 + 0.5)));
                                    })
                                .method(
                                    "tapped:", +[](Object*, SEL, Object*) { messageLog().push_back("tapped"); })
                                .registerClass();
    return cls;
}

// Whether the window shows a keyboard anywhere in its tree.
bool hasKeyboard(UIView* view)
{
    if (rt::isKindOf(view, UIKeyboard::classObject()))
        return true;
    for (auto& sub : view->subviews())
        if (hasKeyboard(sub.get()))
            return true;
    return false;
}
}

TEST(Presentation, AlertButtonsDismissThenRunTheirHandler)
{
    rt::AutoreleasePool pool;
    auto window = makeWindow();
    auto page = UIViewController::create(UIViewController::classObject());
    window->setRootViewController(page.get());
    Object* alert = rt::send<Object*>(UIAlertController::classObject(),
        SELECTOR("alertControllerWithTitle:message:preferredStyle:"), ns("Respring?"), ns(""), 1L);
    int continued = 0;
    auto handler = rt::makeBlock<void(Object*)>([&](Object*) {
        ++continued;
        EXPECT_EQ(page->presentedViewController(), nullptr) << "the alert is gone when the handler runs";
    });
    rt::send(alert, SELECTOR("addAction:"),
        rt::send<Object*>(UIAlertAction::classObject(), SELECTOR("actionWithTitle:style:handler:"), ns("Cancel"), 0L,
            static_cast<rt::BlockBase*>(nullptr)));
    rt::send(alert, SELECTOR("addAction:"),
        rt::send<Object*>(UIAlertAction::classObject(), SELECTOR("actionWithTitle:style:handler:"), ns("Continue"), 2L,
            static_cast<rt::BlockBase*>(handler.get())));
    auto configure
        = rt::makeBlock<void(Object*)>([](Object* field) { rt::send(field, SELECTOR("setText:"), ns("42.5")); });
    rt::send(alert, SELECTOR("addTextFieldWithConfigurationHandler:"), static_cast<rt::BlockBase*>(configure.get()));
    rt::send(page.get(), SELECTOR("presentViewController:animated:completion:"), alert, true,
        static_cast<rt::BlockBase*>(nullptr));
    ASSERT_EQ(page->presentedViewController(), alert);
    EXPECT_EQ(static_cast<UIViewController*>(alert)->view()->window(), window.get());
    Object* fields = rt::send<Object*>(alert, SELECTOR("textFields"));
    EXPECT_EQ(
        toStdString(rt::send<Object*>(rt::send<Object*>(fields, SELECTOR("firstObject")), SELECTOR("text"))), "42.5");

    // The alert's first field has the keyboard while the alert shows.
    Object* field = rt::send<Object*>(fields, SELECTOR("firstObject"));
    EXPECT_EQ(UITextField::focused(), field);
    EXPECT_TRUE(hasKeyboard(window.get()));

    auto* controller = static_cast<UIAlertController*>(alert);
    EXPECT_FALSE(controller->chooseAction("Nope"));
    EXPECT_TRUE(controller->chooseAction("Cancel"));
    EXPECT_EQ(UITextField::focused(), nullptr);
    EXPECT_FALSE(hasKeyboard(window.get()));
    EXPECT_EQ(continued, 0);
    EXPECT_EQ(page->presentedViewController(), nullptr);
    rt::send(page.get(), SELECTOR("presentViewController:animated:completion:"), alert, true,
        static_cast<rt::BlockBase*>(nullptr));
    EXPECT_TRUE(controller->chooseAction("Continue"));
    EXPECT_EQ(continued, 1);
}

TEST(Presentation, DoubleTapRecognizerFiresOnTheSecondTap)
{
    rt::AutoreleasePool pool;
    auto target = rt::newObject(frameCounterClass());
    auto view = makeView();
    Object* tap = rt::send<Object*>(UIGestureRecognizer::tapClass()->allocate(), SELECTOR("initWithTarget:action:"),
        target.get(), rt::sel("tapped:"));
    auto owned = rt::adopt(tap);
    rt::send(tap, SELECTOR("setNumberOfTapsRequired:"), 2UL);
    rt::send(view.get(), SELECTOR("addGestureRecognizer:"), tap);
    EXPECT_EQ(rt::send<Object*>(tap, SELECTOR("view")), view.get());
    messageLog().clear();
    auto* recognizer = static_cast<UIGestureRecognizer*>(tap);
    EXPECT_FALSE(recognizer->simulateTaps(1));
    EXPECT_TRUE(recognizer->simulateTaps(2));
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "tapped" }));
    view = nullptr;
    EXPECT_EQ(rt::send<Object*>(tap, SELECTOR("view")), nullptr) << "the view let go of it when it died";
}

TEST(Presentation, TextFieldTakesTheKeyboardOnlyInAWindowAndKeysEditItsEnd)
{
    rt::AutoreleasePool pool;
    auto window = makeWindow();
    auto view = UIView::create(UITextField::classObject());
    auto* field = static_cast<UITextField*>(view.get());
    EXPECT_FALSE(rt::send<bool>(field, SELECTOR("becomeFirstResponder")));
    window->addSubview(field);
    EXPECT_TRUE(rt::send<bool>(field, SELECTOR("becomeFirstResponder")));
    EXPECT_TRUE(rt::send<bool>(field, SELECTOR("isFirstResponder")));
    for (const char* key : { "4", "2", "\u00B7", "5" })
        rt::send(field, SELECTOR("insertText:"), ns(key));
    EXPECT_EQ(field->text(), "42\u00B75");
    rt::send(field, SELECTOR("deleteBackward"));
    rt::send(field, SELECTOR("deleteBackward"));
    EXPECT_EQ(field->text(), "42") << "a character of two bytes goes whole";
    field->removeFromSuperview();
    EXPECT_EQ(UITextField::focused(), nullptr) << "the focus leaves with the window";
}

TEST(Presentation, TapsReachTheNearestRecognizerUpTheTree)
{
    rt::AutoreleasePool pool;
    auto target = rt::newObject(frameCounterClass());
    auto outer = makeView(), inner = makeView();
    outer->addSubview(inner.get());
    auto tap = rt::adopt(rt::send<Object*>(UIGestureRecognizer::tapClass()->allocate(),
        SELECTOR("initWithTarget:action:"), target.get(), rt::sel("tapped:")));
    rt::send(tap.get(), SELECTOR("setNumberOfTapsRequired:"), 2UL);
    rt::send(outer.get(), SELECTOR("addGestureRecognizer:"), tap.get());
    messageLog().clear();
    EXPECT_FALSE(deliverTaps(inner.get(), 1));
    EXPECT_TRUE(deliverTaps(inner.get(), 2));
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "tapped" }));
}

TEST(Presentation, DisplayLinkTicksAtItsRateUntilPausedOrInvalidated)
{
    rt::AutoreleasePool pool;
    auto target = rt::newObject(frameCounterClass());
    Object* link = rt::send<Object*>(
        CADisplayLink::classObject(), SELECTOR("displayLinkWithTarget:selector:"), target.get(), rt::sel("frame:"));
    rt::Ref<Object> keep(link);
    rt::send(link, SELECTOR("setPreferredFramesPerSecond:"), 10L);
    rt::send(link, SELECTOR("addToRunLoop:forMode:"), nullptr, nullptr);
    messageLog().clear();
    double start = CACurrentMediaTime();
    RunLoop::main().advance(0.35);
    ASSERT_EQ(messageLog().size(), 3u);
    EXPECT_EQ(messageLog()[0], std::to_string(static_cast<int>((start + 0.2) * 1000 + 0.5)));
    rt::send(link, SELECTOR("setPaused:"), true);
    RunLoop::main().advance(0.5);
    EXPECT_EQ(messageLog().size(), 3u);
    rt::send(link, SELECTOR("setPaused:"), false);
    RunLoop::main().advance(0.1);
    EXPECT_EQ(messageLog().size(), 4u);
    uint32_t before = target->retainCount();
    rt::send(link, SELECTOR("invalidate"));
    EXPECT_EQ(target->retainCount(), before - 1) << "invalidating releases the target";
    RunLoop::main().advance(0.5);
    EXPECT_EQ(messageLog().size(), 4u);
}

TEST(Presentation, ImagesNamedInABundlePreferTheScreensScale)
{
    rt::AutoreleasePool pool;
    auto root = std::filesystem::temp_directory_path() / "tam-uikit-device";
    auto folder = root / "var/jb/Library/PreferenceBundles/Pane.bundle";
    std::filesystem::create_directories(folder);
    auto png
        = encodePNG(*CGImage::create(3, 3, 12, CGImageAlphaInfo::PremultipliedLast, std::vector<uint8_t>(36, 255)));
    for (const char* name : { "icon@2x.png", "icon@3x.png" })
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(png->data()), std::streamsize(png->size()));
    setDeviceRoot(root);
    auto bundle = NSBundle::create("/var/jb/Library/PreferenceBundles/Pane.bundle");
    ASSERT_TRUE(bundle);
    Object* image = rt::send<Object*>(UIImage::classObject(),
        SELECTOR("imageNamed:inBundle:compatibleWithTraitCollection:"), ns("icon"), bundle.get(), nullptr);
    ASSERT_TRUE(isImage(image));
    EXPECT_EQ(static_cast<UIImage*>(image)->scale(), 3) << "the default screen is scale 3";
    EXPECT_EQ(rt::send<Object*>(UIImage::classObject(), SELECTOR("imageNamed:inBundle:compatibleWithTraitCollection:"),
                  ns("missing"), bundle.get(), nullptr),
        nullptr);
    EXPECT_EQ(rt::send<Object*>(UIImage::classObject(), SELECTOR("imageNamed:inBundle:compatibleWithTraitCollection:"),
                  ns("icon"), nullptr, nullptr),
        nullptr);
}
