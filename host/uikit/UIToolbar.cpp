#include "host/uikit/UIToolbar.h"

#include <algorithm>

#include "host/foundation/Array.h"
#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIButton.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIBarButtonItem.h"
#include "host/uikit/UIScreen.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr double kToolbarMargin = 16;

UIToolbar* toolbar(Object* o)
{
    return static_cast<UIToolbar*>(o);
}

rt::Ref<UIView> viewFor(UIBarButtonItem* item)
{
    if (item->customView())
        return rt::Ref<UIView>(item->customView());
    if (!item->title() && !item->image())
        return nullptr;
    if (!item->barView()) {
        auto button = UIButton::create(UIButtonTypeSystem);
        button->addTarget(item, rt::sel("_sendAction:"), UIControlEventTouchUpInside);
        button->setImage(item->image(), 0);
        button->setTitle(item->image() ? nullptr : item->title(), 0);
        item->setBarView(button);
    }
    return rt::Ref<UIView>(item->barView());
}

}

void UIToolbar::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("items"), +[](Object* s, SEL) -> Object* { return autorelease(NSArray::create(toolbar(s)->items())); });
    bind<&UIToolbar::setItems>(c, "setItems:");
    addMethod(
        c, sel("setItems:animated:"), +[](Object* s, SEL, Object* items, bool) { toolbar(s)->setItems(items); });
    bindProperty<&UIToolbar::m_barStyle>(c, "barStyle");
    addMethod(
        c, sel("layoutSubviews"), +[](Object* s, SEL) {
            sendSuper(s, UIToolbar::classObject(), SELECTOR("layoutSubviews"));
            toolbar(s)->layoutToolbar();
        });
}

// Only bar button items are kept; each shows as its custom view or a button made for it.
void UIToolbar::setItems(Object* array)
{
    for (auto& view : m_itemViews)
        if (view->superview() == this)
            view->removeFromSuperview();
    m_items.clear();
    m_itemViews.clear();
    if (isArray(array))
        for (auto& entry : static_cast<NSArray*>(array)->items())
            if (auto* item = rt::dynamicCast<UIBarButtonItem>(entry.get(), UIBarButtonItem::classObject())) {
                m_items.push_back(entry);
                if (auto view = viewFor(item)) {
                    m_itemViews.push_back(view);
                    addSubview(view.get());
                }
            }
    setNeedsLayout();
}

Class* UIToolbar::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIToolbar>("UIToolbar", UIView::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

CGSize UIToolbar::defaultSizeThatFits(CGSize size) const
{
    return { size.width > 0 ? size.width : UIScreen::mainScreen()->bounds().width(), 44 };
}

void UIToolbar::layoutToolbar()
{
    CGRect b = bounds();
    double fixed = 0;
    int flexible = 0;
    for (auto& entry : m_items) {
        auto* item = static_cast<UIBarButtonItem*>(entry.get());
        if (item->systemItem() == UIBarButtonItem::kFlexibleSpace)
            ++flexible;
        else if (auto* view
            = item->customView() ? item->customView() : item->barView())
            fixed += std::max(view->frame().width(), view->defaultIntrinsicContentSize().width) + 8;
    }
    double spare = std::max(0.0, b.width() - 2 * kToolbarMargin - fixed);
    double x = kToolbarMargin;
    for (auto& entry : m_items) {
        auto* item = static_cast<UIBarButtonItem*>(entry.get());
        if (item->systemItem() == UIBarButtonItem::kFlexibleSpace) {
            x += flexible ? spare / flexible : 0;
            continue;
        }
        auto* view = item->customView() ? item->customView() : item->barView();
        if (!view)
            continue;
        CGSize size = view->defaultIntrinsicContentSize();
        size.width = std::max(size.width, view->frame().width());
        size.height = std::max(0.0, std::min(b.height(), size.height > 0 ? size.height : 30));
        rt::send(view, SELECTOR("setFrame:"), CGRectMake(x, (b.height() - size.height) / 2, size.width, size.height));
        x += size.width + 8;
    }
}

void UIToolbar::drawContent(Canvas& canvas, long style) const
{
    if (backgroundColor())
        return;
    canvas.fill(Path::rect(bounds()), UIColor::systemColor("systemChromeColor")->resolved(style));
    canvas.fill(Path::rect(CGRectMake(0, 0, bounds().width(), 1 / canvas.scale())), { 0, 0, 0, 0.3 });
}
