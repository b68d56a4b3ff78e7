#include <gtest/gtest.h>

#include "UIKitTestSupport.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/String.h"
#include "host/platform/Substrate.h"
#include "host/uikit/UIBarButtonItem.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UINavigationBar.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UINavigationItem.h"
#include "host/uikit/UIScrollView.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

using rt::Object;
using rt::SEL;

namespace {

UILabel* largeTitleLabel(UINavigationBar* bar)
{
    return bar->largeTitleView() ? bar->largeTitleView()->label() : nullptr;
}

void (*g_originalSetTitleLabel)(Object*, SEL, Object*) = nullptr;
void refuseTitleLabel(Object* self, SEL cmd, Object*)
{
    g_originalSetTitleLabel(self, cmd, nullptr);
}

void (*g_originalLabelSetCenter)(Object*, SEL, CGPoint) = nullptr;
void centreInLargeTitle(Object* self, SEL cmd, CGPoint point)
{
    UIView* superview = static_cast<UIView*>(self)->superview();
    if (rt::isKindOf(superview, UINavigationBarLargeTitleView::classObject()))
        point = { superview->frame().width() / 2, superview->frame().height() / 2 };
    g_originalLabelSetCenter(self, cmd, point);
}

}

TEST(Navigation, PushAndPopSendTheAppearanceMessages)
{
    rt::AutoreleasePool pool;
    auto window = makeWindow();
    auto root = lifecyclePage("Root");
    messageLog().clear();
    auto nav = UINavigationController::create(root.get());
    window->setRootViewController(nav.get());
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "Root load", "Root willAppear", "Root didAppear" }));

    messageLog().clear();
    auto detail = lifecyclePage("Detail");
    nav->pushViewController(detail.get(), true);
    EXPECT_EQ(messageLog(),
        (std::vector<std::string> {
            "Detail load", "Root willDisappear", "Detail willAppear", "Detail didAppear", "Root didDisappear" }));
    EXPECT_EQ(nav->topViewController(), detail.get());
    EXPECT_EQ(rt::send<Object*>(detail.get(), SELECTOR("navigationController")), nav.get());
    EXPECT_EQ(detail->view()->window(), window.get());
    EXPECT_EQ(root->view()->window(), nullptr);
    EXPECT_EQ(toStdString(nav->navigationBar()->backItem()->title()), "Root");

    messageLog().clear();
    EXPECT_EQ(nav->popViewController(true), detail.get());
    EXPECT_EQ(messageLog(),
        (std::vector<std::string> {
            "Detail willDisappear", "Root willAppear", "Root didAppear", "Detail didDisappear" }));
    EXPECT_EQ(nav->popViewController(true), nullptr) << "the root stays";
    nav->pushViewController(nav.get(), false);
    EXPECT_EQ(nav->childViewControllers().size(), 1u);
}

TEST(Navigation, LargeTitleIsLaidOutByItsLayoutObject)
{
    rt::AutoreleasePool pool;
    auto window = makeWindow();
    auto root = lifecyclePage("Settings");
    auto nav = UINavigationController::create(root.get());
    UINavigationBar* bar = nav->navigationBar();
    rt::send(bar, SELECTOR("setPrefersLargeTitles:"), true);
    window->setRootViewController(nav.get());
    window->layoutAndDisplay();
    EXPECT_EQ(bar->frame().height(), 96);
    UILabel* label = largeTitleLabel(bar);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), "Settings");
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(label->frame().minX(), 16);
    EXPECT_GT(label->frame().height(), 30);
    Object* layout = rt::send<Object*>(bar->largeTitleView(), SELECTOR("layout"));
    EXPECT_EQ(rt::send<Object*>(layout, SELECTOR("titleLabel")), label);
    EXPECT_EQ(rt::send<Object*>(layout, SELECTOR("contentView")), bar->largeTitleView());

    // Regular weight through the bar's large title attributes.
    auto attributes = NSDictionary::createMutable();
    attributes->set(NSFontAttributeName, UIFont::create(34, UIFontWeightRegular).get());
    rt::send(bar, SELECTOR("setLargeTitleTextAttributes:"), attributes.get());
    EXPECT_EQ(largeTitleLabel(bar)->font()->numericWeight(), 400);

    // A page that never shows a large title.
    auto detail = lifecyclePage("General");
    rt::send(rt::send<Object*>(detail.get(), SELECTOR("navigationItem")), SELECTOR("setLargeTitleDisplayMode:"), 2L);
    nav->pushViewController(detail.get(), false);
    EXPECT_EQ(bar->frame().height(), 44);
}

TEST(Navigation, ReplacementsOnTheLargeTitleClassesAreReached)
{
    rt::AutoreleasePool pool;
    platform::hookMessage(UINavigationBarLargeTitleView::layoutClass(), rt::sel("setTitleLabel:"), &refuseTitleLabel,
        &g_originalSetTitleLabel);
    auto window = makeWindow();
    auto nav = UINavigationController::create(lifecyclePage("Settings").get());
    rt::send(nav->navigationBar(), SELECTOR("setPrefersLargeTitles:"), true);
    window->setRootViewController(nav.get());
    window->layoutAndDisplay();
    ASSERT_TRUE(largeTitleLabel(nav->navigationBar()));
    EXPECT_TRUE(largeTitleLabel(nav->navigationBar())->isHidden()) << "a layout without its label shows none";
    // Undo, so the rest of the process sees the host's behaviour again.
    platform::hookMessage(UINavigationBarLargeTitleView::layoutClass(), rt::sel("setTitleLabel:"),
        g_originalSetTitleLabel, &g_originalSetTitleLabel);
}

TEST(Navigation, LabelCentreReplacementMovesTheLargeTitle)
{
    rt::AutoreleasePool pool;
    rt::Class* labelClass = UILabel::classObject();
    platform::hookMessage(labelClass, rt::sel("setCenter:"), &centreInLargeTitle, &g_originalLabelSetCenter);
    auto window = makeWindow();
    auto nav = UINavigationController::create(lifecyclePage("Settings").get());
    rt::send(nav->navigationBar(), SELECTOR("setPrefersLargeTitles:"), true);
    window->setRootViewController(nav.get());
    window->layoutAndDisplay();
    UILabel* label = largeTitleLabel(nav->navigationBar());
    ASSERT_TRUE(label);
    EXPECT_DOUBLE_EQ(label->center().x, window->bounds().width() / 2);
    EXPECT_DOUBLE_EQ(label->center().y, 26);
    platform::hookMessage(labelClass, rt::sel("setCenter:"), g_originalLabelSetCenter, &g_originalLabelSetCenter);
}

TEST(Navigation, RightBarItemShowsItsCustomView)
{
    rt::AutoreleasePool pool;
    auto window = makeWindow();
    auto root = lifecyclePage("Settings");
    auto nav = UINavigationController::create(root.get());
    window->setRootViewController(nav.get());
    auto gear = makeView(CGRectMake(0, 0, 26, 25));
    auto item = rt::adopt(
        rt::send<Object*>(UIBarButtonItem::classObject()->allocate(), SELECTOR("initWithCustomView:"), gear.get()));
    rt::send(rt::send<Object*>(root.get(), SELECTOR("navigationItem")), SELECTOR("setRightBarButtonItem:"), item.get());
    window->layoutAndDisplay();
    EXPECT_EQ(gear->superview(), nav->navigationBar());
    EXPECT_EQ(gear->frame(), CGRectMake(window->bounds().width() - 16 - 26, 9.5, 26, 25));
}

TEST(Navigation, PageAtItsTopFollowsTheBarWhenItGrows)
{
    rt::AutoreleasePool pool;
    rt::Class* cls = rt::ClassBuilder("TestScrollingPage", UIViewController::classObject())
                         .method(
                             "loadView",
                             +[](Object* s, SEL) {
                                 rt::send(s, SELECTOR("setView:"), UIView::create(UIScrollView::classObject()).get());
                             })
                         .registerClass();
    auto window = makeWindow();
    auto root = UIViewController::create(cls);
    auto nav = UINavigationController::create(root.get());
    window->setRootViewController(nav.get());
    window->layoutAndDisplay();
    auto* scroll = static_cast<UIScrollView*>(root->view());
    double statusBar = nav->navigationBar()->frame().minY();
    EXPECT_EQ(scroll->contentOffset().y, -(statusBar + 44));
    EXPECT_TRUE(nav->navigationBar()->isAtScrollEdge());

    rt::send(nav->navigationBar(), SELECTOR("setPrefersLargeTitles:"), true);
    window->layoutAndDisplay();
    EXPECT_EQ(nav->navigationBar()->frame().height(), 96);
    EXPECT_EQ(scroll->contentOffset().y, -(statusBar + 96));
    EXPECT_TRUE(nav->navigationBar()->isAtScrollEdge());

    // Scrolled, the bar leaves the edge state and the small title shows.
    rt::send(scroll, SELECTOR("setContentOffset:"), CGPoint { 0, 200 });
    window->layoutAndDisplay();
    EXPECT_FALSE(nav->navigationBar()->isAtScrollEdge());
    EXPECT_FALSE(nav->navigationBar()->titleLabel()->isHidden());
}
