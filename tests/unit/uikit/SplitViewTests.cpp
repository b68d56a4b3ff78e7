#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "UIKitTestSupport.h"
#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/uikit/UINavigationBar.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UISplitViewController.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

using rt::Object;
using rt::SEL;

namespace {

struct SplitFixture {
    rt::Ref<UIWindow> window = makeWindow();
    rt::Ref<UIViewController> list = lifecyclePage("List");
    rt::Ref<UIViewController> empty = lifecyclePage("Empty");
    rt::Ref<UINavigationController> primary = UINavigationController::create(list.get());
    rt::Ref<UINavigationController> secondary = UINavigationController::create(empty.get());
    rt::Ref<UISplitViewController> split
        = rt::Ref<UISplitViewController>(static_cast<UISplitViewController*>(rt::newObject(UISplitViewController::classObject()).get()));

    SplitFixture()
    {
        messageLog().clear();
        rt::send(split.get(), SELECTOR("setViewControllers:"),
            NSArray::create({ rt::Ref<Object>(primary.get()), rt::Ref<Object>(secondary.get()) }).get());
        window->setRootViewController(split.get());
        window->layoutAndDisplay();
    }
};

}

TEST(SplitView, ShowsBothColumnsSideBySideAndBothAppear)
{
    rt::AutoreleasePool pool;
    SplitFixture f;
    double width = f.window->bounds().width();
    double primaryWidth = std::min(320.0, std::floor(width / 2));
    EXPECT_EQ(f.primary->view()->frame(), CGRectMake(0, 0, primaryWidth, f.window->bounds().height()));
    EXPECT_EQ(f.secondary->view()->frame(),
        CGRectMake(primaryWidth, 0, width - primaryWidth, f.window->bounds().height()));
    EXPECT_EQ(rt::send<double>(f.split.get(), SELECTOR("primaryColumnWidth")), primaryWidth);
    EXPECT_FALSE(rt::send<bool>(f.split.get(), SELECTOR("isCollapsed")));
    // Each column's bar spans its column.
    EXPECT_EQ(f.secondary->navigationBar()->frame().width(), width - primaryWidth);
    EXPECT_NE(std::find(messageLog().begin(), messageLog().end(), "List willAppear"), messageLog().end());
    EXPECT_NE(std::find(messageLog().begin(), messageLog().end(), "Empty willAppear"), messageLog().end());
    EXPECT_EQ(rt::send<Object*>(f.list.get(), SELECTOR("splitViewController")), f.split.get());
    EXPECT_EQ(rt::send<Object*>(lifecyclePage("Alone").get(), SELECTOR("splitViewController")), nullptr);
}

TEST(SplitView, ShowingADetailReplacesTheSecondaryStackOnly)
{
    rt::AutoreleasePool pool;
    SplitFixture f;
    auto pushed = lifecyclePage("Pushed");
    f.secondary->pushViewController(pushed.get(), false);
    auto chosen = lifecyclePage("Chosen");
    messageLog().clear();
    rt::send(f.split.get(), SELECTOR("showDetailViewController:sender:"), chosen.get(), f.list.get());
    ASSERT_EQ(f.secondary->childViewControllers().size(), 1u);
    EXPECT_EQ(f.secondary->topViewController(), chosen.get());
    EXPECT_EQ(f.primary->topViewController(), f.list.get());
    EXPECT_EQ(messageLog(),
        (std::vector<std::string> {
            "Chosen load", "Pushed willDisappear", "Chosen willAppear", "Chosen didAppear", "Pushed didDisappear" }));
    EXPECT_EQ(chosen->view()->window(), f.window.get());
    EXPECT_EQ(pushed->view()->window(), nullptr);
}

TEST(SplitView, ThePreferredPrimaryWidthIsKeptWithinHalfTheScreen)
{
    rt::AutoreleasePool pool;
    SplitFixture f;
    double width = f.window->bounds().width();
    for (double preferred : { 100.0, width }) {
        rt::send(f.split.get(), SELECTOR("setPreferredPrimaryColumnWidth:"), preferred);
        f.window->layoutAndDisplay();
        double expected = std::min(preferred, std::floor(width / 2));
        EXPECT_EQ(f.primary->view()->frame().width(), expected) << preferred;
        EXPECT_EQ(f.secondary->view()->frame().minX(), expected) << preferred;
    }
}
