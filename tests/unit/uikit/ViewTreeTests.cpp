#include <gtest/gtest.h>

#include "UIKitTestSupport.h"
#include "host/platform/Substrate.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

using rt::Object;
using rt::SEL;

namespace {

// A view class whose tree announcements are recorded, so the order UIKit sends them in shows.
rt::Class* recordingViewClass()
{
    static rt::Class* cls
        = rt::ClassBuilder("TestRecordingView", UIView::classObject())
              .method(
                  "willMoveToSuperview:",
                  +[](Object*, SEL, Object* s) {
                      messageLog().push_back(s ? "willMoveToSuperview" : "willMoveToSuperview:nil");
                  })
              .method(
                  "didMoveToSuperview", +[](Object*, SEL) { messageLog().push_back("didMoveToSuperview"); })
              .method(
                  "willMoveToWindow:",
                  +[](Object*, SEL, Object* w) {
                      messageLog().push_back(w ? "willMoveToWindow" : "willMoveToWindow:nil");
                  })
              .method(
                  "didMoveToWindow",
                  +[](Object* self, SEL) {
                      messageLog().push_back(
                          static_cast<UIView*>(self)->window() ? "didMoveToWindow" : "didMoveToWindow:nil");
                  })
              .registerClass();
    return cls;
}

// A view that takes itself out of the tree as soon as it arrives in a window, as the library's
// separator rule does; installed through the hooking service on a class of its own.
void (*g_originalDidMoveToWindow)(Object*, SEL) = nullptr;
void removeOnArrival(Object* self, SEL cmd)
{
    g_originalDidMoveToWindow(self, cmd);
    if (static_cast<UIView*>(self)->window())
        rt::send(self, SELECTOR("removeFromSuperview"));
}

rt::Class* selfRemovingClass()
{
    static rt::Class* cls = [] {
        rt::Class* c = rt::ClassBuilder("TestSelfRemovingView", UIView::classObject()).registerClass();
        platform::hookMessage(c, rt::sel("didMoveToWindow"), &removeOnArrival, &g_originalDidMoveToWindow);
        return c;
    }();
    return cls;
}

}

TEST(ViewTree, AnnouncesMovesInUIKitOrder)
{
    rt::AutoreleasePool pool;
    auto window = makeWindow();
    auto parent = makeView(CGRectMake(0, 0, 100, 100));
    window->addSubview(parent.get());
    auto child = UIView::create(recordingViewClass());
    messageLog().clear();
    parent->addSubview(child.get());
    EXPECT_EQ(messageLog(),
        (std::vector<std::string> {
            "willMoveToSuperview", "willMoveToWindow", "didMoveToWindow", "didMoveToSuperview" }));
    EXPECT_EQ(child->window(), window.get());

    messageLog().clear();
    child->removeFromSuperview();
    EXPECT_EQ(messageLog(),
        (std::vector<std::string> {
            "willMoveToSuperview:nil", "willMoveToWindow:nil", "didMoveToWindow:nil", "didMoveToSuperview" }));
    EXPECT_EQ(child->window(), nullptr);
    EXPECT_EQ(child->superview(), nullptr);

    // Outside any window only the superview changes.
    auto detached = makeView();
    messageLog().clear();
    detached->addSubview(child.get());
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "willMoveToSuperview", "didMoveToSuperview" }));
    // A subtree entering a window tells every view in it.
    messageLog().clear();
    window->addSubview(detached.get());
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "willMoveToWindow", "didMoveToWindow" }));
}

TEST(ViewTree, ReplacementThatRemovesTheViewDuringTheAnnouncementIsSafe)
{
    rt::AutoreleasePool pool;
    auto window = makeWindow();
    auto container = makeView(CGRectMake(0, 0, 100, 100));
    for (int i = 0; i < 3; ++i) {
        auto leaving = UIView::create(selfRemovingClass());
        container->addSubview(leaving.get());
        container->addSubview(makeView().get());
    }
    ASSERT_EQ(container->subviews().size(), 6u);
    window->addSubview(container.get());
    EXPECT_EQ(container->subviews().size(), 3u);
    for (auto& view : container->subviews())
        EXPECT_FALSE(rt::isKindOf(view.get(), selfRemovingClass()));
}

TEST(ViewTree, RefusesCyclesAndFindsControllersAndTags)
{
    rt::AutoreleasePool pool;
    auto a = makeView();
    auto b = makeView();
    a->addSubview(b.get());
    b->addSubview(a.get());
    EXPECT_EQ(a->superview(), nullptr);
    a->addSubview(a.get());
    EXPECT_EQ(a->subviews().size(), 1u);

    auto controller = UIViewController::create(UIViewController::classObject());
    UIView* root = controller->view();
    root->addSubview(a.get());
    b->setTag(7);
    EXPECT_EQ(rt::send<Object*>(b.get(), SELECTOR("_viewControllerForAncestor")), controller.get());
    EXPECT_EQ(rt::send<Object*>(root, SELECTOR("viewWithTag:"), 7L), b.get());
    EXPECT_EQ(rt::send<Object*>(makeView().get(), SELECTOR("_viewControllerForAncestor")), nullptr);
}

TEST(ViewTree, LayerStateIsReachableByMessage)
{
    rt::AutoreleasePool pool;
    auto view = makeView(CGRectMake(10, 20, 30, 40));
    Object* layer = rt::send<Object*>(view.get(), SELECTOR("layer"));
    rt::send(layer, SELECTOR("setCornerRadius:"), 6.0);
    rt::send(layer, SELECTOR("setMasksToBounds:"), true);
    rt::send(layer, SELECTOR("setBorderWidth:"), 2.0);
    EXPECT_EQ(view->layer()->cornerRadius(), 6);
    EXPECT_TRUE(view->clipsToBounds());
    EXPECT_EQ(rt::send<double>(layer, SELECTOR("borderWidth")), 2);
    EXPECT_EQ(rt::send<CGRect>(layer, SELECTOR("frame")), CGRectMake(10, 20, 30, 40));
    // Nonsense values are refused rather than stored.
    rt::send(layer, SELECTOR("setCornerRadius:"), -3.0);
    EXPECT_EQ(view->layer()->cornerRadius(), 0);
}
