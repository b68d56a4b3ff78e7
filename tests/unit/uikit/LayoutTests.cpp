#include <gtest/gtest.h>

#include "UIKitTestSupport.h"
#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/platform/Substrate.h"
#include "host/uikit/NSLayoutConstraint.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

using rt::Object;
using rt::SEL;

namespace {

Object* anchor(UIView* v, const char* name)
{
    return rt::send<Object*>(v, rt::sel(name));
}

void pin(UIView* a, const char* attrA, UIView* b, const char* attrB, double constant = 0)
{
    Object* c = rt::send<Object*>(
        anchor(a, attrA), SELECTOR("constraintEqualToAnchor:constant:"), anchor(b, attrB), constant);
    rt::send(c, SELECTOR("setActive:"), true);
}

void pinConstant(UIView* a, const char* attr, double constant)
{
    Object* c = rt::send<Object*>(anchor(a, attr), SELECTOR("constraintEqualToConstant:"), constant);
    rt::send(c, SELECTOR("setActive:"), true);
}

rt::Ref<UIView> freeView(UIView* parent)
{
    auto v = makeView();
    v->setTranslatesAutoresizingMaskIntoConstraints(false);
    parent->addSubview(v.get());
    return v;
}

int g_layouts = 0;
void (*g_originalLayout)(Object*, SEL) = nullptr;
void countingLayout(Object* self, SEL cmd)
{
    ++g_layouts;
    g_originalLayout(self, cmd);
}

CGPoint g_forcedCenter { 5, 6 };
void (*g_originalSetCenter)(Object*, SEL, CGPoint) = nullptr;
void forcedCenter(Object* self, SEL cmd, CGPoint)
{
    g_originalSetCenter(self, cmd, g_forcedCenter);
}

}

TEST(Layout, LayoutSubviewsIsSentWhereLayoutWasAskedFor)
{
    rt::AutoreleasePool pool;
    rt::Class* cls = rt::ClassBuilder("TestCountingLayoutView", UIView::classObject()).registerClass();
    platform::hookMessage(cls, rt::sel("layoutSubviews"), &countingLayout, &g_originalLayout);
    auto view = UIView::create(cls, CGRectMake(0, 0, 50, 50));
    g_layouts = 0;
    rt::send(view.get(), SELECTOR("layoutIfNeeded"));
    EXPECT_EQ(g_layouts, 1);
    rt::send(view.get(), SELECTOR("layoutIfNeeded"));
    EXPECT_EQ(g_layouts, 1) << "nothing changed, nothing to lay out";
    rt::send(view.get(), SELECTOR("setFrame:"), CGRectMake(0, 0, 60, 50));
    rt::send(view.get(), SELECTOR("layoutIfNeeded"));
    EXPECT_EQ(g_layouts, 2) << "a new size asks for layout";
}

TEST(Layout, ControllerHearsAroundItsViewsLayout)
{
    rt::AutoreleasePool pool;
    rt::Class* cls = rt::ClassBuilder("TestLayoutController", UIViewController::classObject())
                         .method(
                             "viewWillLayoutSubviews", +[](Object*, SEL) { messageLog().push_back("will"); })
                         .method(
                             "viewDidLayoutSubviews", +[](Object*, SEL) { messageLog().push_back("did"); })
                         .method(
                             "viewDidLoad", +[](Object*, SEL) { messageLog().push_back("load"); })
                         .registerClass();
    auto controller = UIViewController::create(cls);
    messageLog().clear();
    UIView* view = controller->view();
    view->layoutIfNeeded();
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "load", "will", "did" }));
}

TEST(Layout, SetFrameMovesThroughSetCenter)
{
    rt::AutoreleasePool pool;
    rt::Class* cls = rt::ClassBuilder("TestCenteredLabel", UILabel::classObject()).registerClass();
    platform::hookMessage(cls, rt::sel("setCenter:"), &forcedCenter, &g_originalSetCenter);
    auto label = UIView::create(cls, CGRectMake(100, 100, 20, 10));
    EXPECT_EQ(label->center(), g_forcedCenter);
    EXPECT_EQ(label->frame(), CGRectMake(-5, 1, 20, 10));
}

TEST(Layout, AutoresizingFollowsTheSuperviewsSize)
{
    rt::AutoreleasePool pool;
    auto parent = makeView(CGRectMake(0, 0, 100, 100));
    auto stretched = makeView(CGRectMake(10, 10, 80, 20));
    stretched->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    auto pinnedRight = makeView(CGRectMake(80, 50, 10, 10));
    pinnedRight->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    parent->addSubview(stretched.get());
    parent->addSubview(pinnedRight.get());
    parent->setFrame(CGRectMake(0, 0, 200, 100));
    EXPECT_EQ(stretched->frame(), CGRectMake(10, 10, 180, 20));
    EXPECT_EQ(pinnedRight->frame(), CGRectMake(180, 50, 10, 10));
}

TEST(Layout, ConstraintsPlaceViewsAtLayoutTime)
{
    rt::AutoreleasePool pool;
    // The root list footer's shape: a centred line of text and a 40-point icon at the end.
    auto footer = makeView(CGRectMake(0, 0, 390, 50));
    auto line = rt::Ref<UILabel>(static_cast<UILabel*>(UIView::create(UILabel::classObject()).get()));
    line->setTranslatesAutoresizingMaskIntoConstraints(false);
    line->setText(ns("My Phone, iOS 16.3"));
    footer->addSubview(line.get());
    pin(line.get(), "centerXAnchor", footer.get(), "centerXAnchor");
    pin(line.get(), "centerYAnchor", footer.get(), "centerYAnchor");
    auto holder = freeView(footer.get());
    pin(holder.get(), "centerYAnchor", footer.get(), "centerYAnchor");
    pinConstant(holder.get(), "widthAnchor", 40);
    pinConstant(holder.get(), "heightAnchor", 40);
    pin(holder.get(), "trailingAnchor", footer.get(), "trailingAnchor");
    auto image = freeView(holder.get());
    pin(image.get(), "widthAnchor", holder.get(), "widthAnchor");
    pin(image.get(), "heightAnchor", holder.get(), "heightAnchor");
    pin(image.get(), "centerXAnchor", holder.get(), "centerXAnchor");
    pin(image.get(), "centerYAnchor", holder.get(), "centerYAnchor");
    footer->layoutIfNeeded();

    CGSize text = line->defaultIntrinsicContentSize();
    EXPECT_GT(text.width, 0);
    EXPECT_DOUBLE_EQ(line->frame().midX(), 195);
    EXPECT_DOUBLE_EQ(line->frame().midY(), 25);
    EXPECT_EQ(line->frame().size, text) << "an unconstrained size is the intrinsic one";
    EXPECT_EQ(holder->frame(), CGRectMake(350, 5, 40, 40));
    EXPECT_EQ(image->frame(), CGRectMake(0, 0, 40, 40));
}

// A label pinned to a picture follows the picture; the picture, placed by its own constraints,
// does not move to where the label happened to be first (the account row's shape: the title
// comes before the picture among the subviews).
TEST(Layout, AViewPlacedByItsOwnConstraintsIsNotMovedByThoseOfOthers)
{
    rt::AutoreleasePool pool;
    auto row = makeView(CGRectMake(0, 0, 358, 87));
    auto title = freeView(row.get());
    rt::send(title.get(), SELECTOR("setFrame:"), CGRectMake(0, 60, 100, 18));
    auto picture = freeView(row.get());
    pin(picture.get(), "leadingAnchor", row.get(), "leadingAnchor", 10);
    pin(picture.get(), "centerYAnchor", row.get(), "centerYAnchor");
    pinConstant(picture.get(), "widthAnchor", 61);
    pinConstant(picture.get(), "heightAnchor", 61);
    pin(title.get(), "leadingAnchor", picture.get(), "trailingAnchor", 15);
    pin(title.get(), "topAnchor", picture.get(), "topAnchor", 5);
    row->layoutIfNeeded();

    EXPECT_EQ(picture->frame(), CGRectMake(10, 13, 61, 61));
    EXPECT_EQ(title->frame().origin, (CGPoint { 86, 18 }));
}

TEST(Layout, ConstraintsToViewsElsewhereAndTheirRemoval)
{
    rt::AutoreleasePool pool;
    // A title 15 points after an icon, centred 10 points above the middle of the cell that holds
    // the content view the title sits in.
    auto cell = makeView(CGRectMake(0, 0, 358, 60));
    auto content = makeView(CGRectMake(0, 0, 320, 60));
    cell->addSubview(content.get());
    auto icon = makeView(CGRectMake(16, 15, 29, 29));
    content->addSubview(icon.get());
    auto title = freeView(content.get());
    pin(title.get(), "leadingAnchor", icon.get(), "trailingAnchor", 15);
    pin(title.get(), "centerYAnchor", cell.get(), "centerYAnchor", -10);
    pinConstant(title.get(), "heightAnchor", 20);
    pin(title.get(), "widthAnchor", content.get(), "widthAnchor");
    cell->layoutIfNeeded();
    EXPECT_EQ(title->frame(), CGRectMake(60, 10, 320, 20));

    // Removing the title drops its constraints to views outside it.
    Object* constraints = rt::send<Object*>(title.get(), SELECTOR("constraints"));
    EXPECT_EQ(static_cast<NSArray*>(constraints)->count(), 4u);
    title->removeFromSuperview();
    EXPECT_EQ(static_cast<NSArray*>(rt::send<Object*>(title.get(), SELECTOR("constraints")))->count(), 1u)
        << "only the height, which involves no other view, stays";
    EXPECT_TRUE(icon->secondaryConstraints().empty());
}

TEST(Layout, ConstraintOutlivesItsViews)
{
    rt::AutoreleasePool pool;
    rt::Ref<Object> kept;
    {
        auto parent = makeView(CGRectMake(0, 0, 100, 100));
        auto child = freeView(parent.get());
        kept = rt::send<Object*>(
            anchor(child.get(), "topAnchor"), SELECTOR("constraintEqualToAnchor:"), anchor(parent.get(), "topAnchor"));
        rt::send(kept.get(), SELECTOR("setActive:"), true);
    }
    EXPECT_FALSE(rt::send<bool>(kept.get(), SELECTOR("isActive")));
    EXPECT_EQ(rt::send<Object*>(kept.get(), SELECTOR("firstItem")), nullptr);
    rt::send(kept.get(), SELECTOR("setActive:"), true);
    EXPECT_FALSE(rt::send<bool>(kept.get(), SELECTOR("isActive")));
}
