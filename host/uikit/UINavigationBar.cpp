#include "host/uikit/UINavigationBar.h"

#include <algorithm>

#include "host/foundation/Array.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/String.h"
#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIBarButtonItem.h"
#include "host/uikit/UIButton.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UINavigationItem.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UISearchBar.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr double kBarHeight = 44;
constexpr double kLargeTitleHeight = 52;
constexpr double kSearchHeight = 52;
constexpr double kBarMargin = 16;

UINavigationBar* bar(Object* o)
{
    return static_cast<UINavigationBar*>(o);
}

Object* attributeOf(Object* attributes, const char* key)
{
    return isDictionary(attributes) ? static_cast<NSDictionary*>(attributes)->get(key) : nullptr;
}

// Setting the bar's own title attributes also sets them on its standard appearance, as UIKit
// bridges the older bar properties into the appearance objects.
void setBarAttributes(Object* s, Object* value, bool large)
{
    rt::Ref<Object> copy
        = isDictionary(value) ? NSDictionary::create(static_cast<NSDictionary*>(value)->entries()) : NSDictionary::create();
    bar(s)->standardAppearance()->storeTitleTextAttributes(std::move(copy), large);
    bar(s)->refreshContent();
}

void setAppearance(Object* s, rt::Ref<UINavigationBarAppearance>& slot, Object* value, bool required)
{
    auto* a = rt::dynamicCast<UINavigationBarAppearance>(value, UINavigationBarAppearance::classObject());
    if (slot && slot->owner() == bar(s))
        slot->setOwner(nullptr);
    if (a)
        slot = rt::adopt(static_cast<UINavigationBarAppearance*>(rt::send<Object*>(a, SELECTOR("copy"))));
    else if (!required)
        slot = nullptr;
    if (slot)
        slot->setOwner(bar(s));
}

}

Class* UINavigationBar::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UINavigationBar>("UINavigationBar", UIView::classObject());
        registerMethods(c);
        registerLookMethods(c);
        return c;
    }();
    return cls;
}

void UINavigationBar::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("items"), +[](Object* s, SEL) -> Object* {
            return autorelease(
                NSArray::create(std::vector<Ref<Object>>(bar(s)->m_items.begin(), bar(s)->m_items.end())));
        });
    addMethod(
        c, sel("topItem"), +[](Object* s, SEL) -> Object* { return bar(s)->topItem(); });
    addMethod(
        c, sel("backItem"), +[](Object* s, SEL) -> Object* { return bar(s)->backItem(); });
    bindPropertyThen<&UINavigationBar::m_prefersLargeTitles, &UINavigationBar::refreshContent>(c, "prefersLargeTitles");
    // Appearances are copied when set and told which bar they belong to, so only their getters are fields.
    bindGetter<&UINavigationBar::m_standardAppearance>(c, "standardAppearance");
    addMethod(
        c, sel("setStandardAppearance:"), +[](Object* s, SEL, Object* a) {
            setAppearance(s, bar(s)->m_standardAppearance, a, true);
            bar(s)->refreshContent();
        });
    bindGetter<&UINavigationBar::m_scrollEdgeAppearance>(c, "scrollEdgeAppearance");
    addMethod(
        c, sel("setScrollEdgeAppearance:"), +[](Object* s, SEL, Object* a) {
            setAppearance(s, bar(s)->m_scrollEdgeAppearance, a, false);
            bar(s)->refreshContent();
        });
    bindGetter<&UINavigationBar::m_compactAppearance>(c, "compactAppearance");
    addMethod(
        c, sel("setCompactAppearance:"),
        +[](Object* s, SEL, Object* a) { setAppearance(s, bar(s)->m_compactAppearance, a, false); });
}

void UINavigationBar::registerLookMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("titleTextAttributes"),
        +[](Object* s, SEL) -> Object* { return bar(s)->m_standardAppearance->titleTextAttributes(); });
    addMethod(
        c, sel("setTitleTextAttributes:"), +[](Object* s, SEL, Object* a) { setBarAttributes(s, a, false); });
    addMethod(
        c, sel("largeTitleTextAttributes"),
        +[](Object* s, SEL) -> Object* { return bar(s)->m_standardAppearance->largeTitleTextAttributes(); });
    addMethod(
        c, sel("setLargeTitleTextAttributes:"), +[](Object* s, SEL, Object* a) { setBarAttributes(s, a, true); });
    bindGetter<&UINavigationBar::m_barTintColor>(c, "barTintColor");
    addMethod(
        c, sel("setBarTintColor:"),
        +[](Object* s, SEL, Object* color) { bar(s)->m_barTintColor = isColor(color) ? color : nullptr; });
    bindProperty<&UINavigationBar::m_barStyle>(c, "barStyle");
    bindProperty<&UINavigationBar::m_translucent>(c, { "translucent", "isTranslucent" });
    // UIKit refreshes the prompt whenever the items change; the host has no prompt to show.
    addMethod(
        c, sel("updatePrompt"), +[](Object*, SEL) {});
    addMethod(
        c, sel("_navigationItemDidChange:"), +[](Object* s, SEL, Object*) { bar(s)->refreshContent(); });
    addMethod(
        c, sel("layoutSubviews"), +[](Object* s, SEL) {
            sendSuper(s, UINavigationBar::classObject(), SELECTOR("layoutSubviews"));
            bar(s)->layoutBar();
        });
}

UINavigationBar::UINavigationBar()
{
    m_standardAppearance = UINavigationBarAppearance::create();
    m_standardAppearance->setOwner(this);
}

UINavigationBar::~UINavigationBar()
{
    for (auto* appearance : { m_standardAppearance.get(), m_scrollEdgeAppearance.get(), m_compactAppearance.get() })
        if (appearance && appearance->owner() == this)
            appearance->setOwner(nullptr);
}

void UINavigationBar::setItems(std::vector<rt::Ref<UINavigationItem>> items)
{
    m_items = std::move(items);
    for (auto& item : m_items)
        item->setBar(this);
    refreshContent();
    rt::send(this, SELECTOR("updatePrompt"));
}

bool UINavigationBar::showsLargeTitle() const
{
    if (!m_prefersLargeTitles || m_items.empty())
        return false;
    // Automatic follows the item below it; the bottom item shows a large title.
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        if ((*it)->largeTitleDisplayMode() == 1)
            return true;
        if ((*it)->largeTitleDisplayMode() == 2)
            return false;
    }
    return true;
}

UIView* UINavigationBar::searchBar() const
{
    UINavigationItem* item = topItem();
    if (!item || !item->searchController())
        return nullptr;
    return rt::dynamicCast<UIView>(
        rt::send<Object*>(item->searchController(), SELECTOR("searchBar")), UIView::classObject());
}

double UINavigationBar::preferredHeight() const
{
    double height = kBarHeight;
    if (showsLargeTitle())
        height += kLargeTitleHeight;
    if (searchBar())
        height += kSearchHeight;
    return height;
}

void UINavigationBar::setAtScrollEdge(bool edge)
{
    if (edge == m_atScrollEdge)
        return;
    m_atScrollEdge = edge;
    refreshContent();
}

UINavigationBarAppearance* UINavigationBar::currentAppearance() const
{
    if (m_atScrollEdge && m_scrollEdgeAppearance)
        return m_scrollEdgeAppearance.get();
    return m_standardAppearance.get();
}

rt::Ref<UIView> UINavigationBar::viewForItem(Object* object)
{
    auto* item = rt::dynamicCast<UIBarButtonItem>(object, UIBarButtonItem::classObject());
    if (!item)
        return nullptr;
    if (item->customView())
        return rt::Ref<UIView>(item->customView());
    // Spaces and other system items without a title or image show nothing.
    if (!item->image() && !item->title())
        return nullptr;
    if (!item->barView()) {
        auto button = UIButton::create(UIButtonTypeSystem);
        button->addTarget(item, rt::sel("_sendAction:"), UIControlEventTouchUpInside);
        item->setBarView(button);
    }
    auto* button = static_cast<UIButton*>(item->barView());
    button->setImage(item->image(), 0);
    button->setTitle(item->image() ? nullptr : item->title(), 0);
    button->setTintColor(item->tintColor());
    return rt::Ref<UIView>(button);
}

void UINavigationBar::refreshContent()
{
    refreshTitles();
    refreshItems();
    refreshBackButton();
    refreshSearchBar();
    setNeedsLayout();
    // The controller's view places the bar; a bar that needs another height asks it to.
    if (superview() && preferredHeight() != frame().height())
        superview()->setNeedsLayout();
}

void UINavigationBar::refreshTitles()
{
    UINavigationItem* item = topItem();
    std::string title = item ? toStdString(item->title()) : "";
    UINavigationBarAppearance* appearance = currentAppearance();
    if (!m_titleLabel) {
        m_titleLabel = rt::Ref<UILabel>(static_cast<UILabel*>(UIView::create(UILabel::classObject()).get()));
        m_titleLabel->setTextAlignment(1);
        addSubview(m_titleLabel.get());
    }
    m_titleLabel->setText(ns(title));
    Object* font = attributeOf(appearance->titleTextAttributes(), NSFontAttributeName);
    Object* color = attributeOf(appearance->titleTextAttributes(), NSForegroundColorAttributeName);
    m_titleLabel->setFont(rt::isKindOf(font, UIFont::classObject()) ? static_cast<UIFont*>(font)
                                                                     : UIFont::create(17, UIFontWeightSemibold).get());
    m_titleLabel->setTextColor(isColor(color) ? static_cast<UIColor*>(color) : nullptr);
    // A large title shows while the page rests at its top; scrolled, the small title takes over.
    bool large = showsLargeTitle();
    m_titleLabel->setHidden(large && m_atScrollEdge);
    if (!large) {
        if (m_largeTitleView && m_largeTitleView->superview() == this)
            m_largeTitleView->removeFromSuperview();
        m_largeTitleView = nullptr;
        return;
    }
    if (!m_largeTitleView)
        m_largeTitleView = rt::Ref<UINavigationBarLargeTitleView>(static_cast<UINavigationBarLargeTitleView*>(
            UIView::create(UINavigationBarLargeTitleView::classObject()).get()));
    if (m_largeTitleView->superview() != this)
        addSubview(m_largeTitleView.get());
    m_largeTitleView->configure(title, appearance->largeTitleTextAttributes());
}

void UINavigationBar::refreshItems()
{
    // Item views that stay are left where they are, so they hear of no move.
    std::vector<rt::Ref<UIView>> items;
    if (UINavigationItem* item = topItem())
        for (auto& right : item->rightItems())
            if (auto view = viewForItem(right.get()))
                items.push_back(view);
    for (auto& view : m_itemViews)
        if (std::find(items.begin(), items.end(), view) == items.end() && view->superview() == this)
            view->removeFromSuperview();
    m_itemViews = std::move(items);
    for (auto& view : m_itemViews)
        if (view->superview() != this)
            addSubview(view.get());
}

void UINavigationBar::refreshBackButton()
{
    UINavigationItem* back = backItem();
    if (back && !m_backButton) {
        m_backButton = UIButton::create(UIButtonTypeSystem);
        m_backButton->setImage(UIImage::systemImage("chevron.backward").get(), 0);
    }
    if (!m_backButton)
        return;
    // A page without a title is gone back to as "Back", as UIKit shows it.
    std::string backTitle = back ? toStdString(back->title()) : "";
    m_backButton->setTitle(back ? ns(backTitle.empty() ? "Back" : backTitle) : nullptr, 0);
    if (back && m_backButton->superview() != this)
        addSubview(m_backButton.get());
    else if (!back && m_backButton->superview() == this)
        m_backButton->removeFromSuperview();
}

void UINavigationBar::refreshSearchBar()
{
    UIView* search = searchBar();
    if (m_shownSearchBar && m_shownSearchBar.get() != search && m_shownSearchBar->superview() == this)
        m_shownSearchBar->removeFromSuperview();
    m_shownSearchBar = search;
    if (search && search->superview() != this)
        addSubview(search);
}

void UINavigationBar::layoutBar()
{
    CGRect b = bounds();
    if (m_titleLabel) {
        CGSize size = m_titleLabel->defaultIntrinsicContentSize();
        double width = std::min(size.width, b.width() * 0.6);
        rt::send(m_titleLabel.get(), SELECTOR("setFrame:"),
            CGRectMake((b.width() - width) / 2, (kBarHeight - size.height) / 2, width, size.height));
    }
    double right = b.width() - kBarMargin;
    for (auto& view : m_itemViews) {
        CGSize size = view->frame().size;
        if (size.width <= 0 || size.height <= 0)
            size = rt::send<CGSize>(view.get(), SELECTOR("sizeThatFits:"), CGSize { 44, 44 });
        right -= size.width;
        rt::send(view.get(), SELECTOR("setFrame:"),
            CGRectMake(right, (kBarHeight - size.height) / 2, size.width, size.height));
        right -= 8;
    }
    if (m_backButton && m_backButton->superview() == this) {
        CGSize size = m_backButton->defaultIntrinsicContentSize();
        rt::send(m_backButton.get(), SELECTOR("setFrame:"),
            CGRectMake(8, (kBarHeight - size.height) / 2, size.width, size.height));
    }
    double y = kBarHeight;
    if (m_largeTitleView && m_largeTitleView->superview() == this) {
        rt::send(m_largeTitleView.get(), SELECTOR("setFrame:"), CGRectMake(0, y, b.width(), kLargeTitleHeight));
        y += kLargeTitleHeight;
    }
    if (m_shownSearchBar && m_shownSearchBar->superview() == this)
        rt::send(m_shownSearchBar.get(), SELECTOR("setFrame:"), CGRectMake(0, y, b.width(), kSearchHeight));
}

void UINavigationBar::drawContent(Canvas& canvas, long style) const
{
    UINavigationBarAppearance* appearance = currentAppearance();
    // At the scroll edge a bar without its own edge appearance is clear, as since iOS 15.
    bool clear = appearance->isTransparent() || (m_atScrollEdge && !m_scrollEdgeAppearance);
    if (clear)
        return;
    RGBAColor fill = appearance->backgroundColor() ? resolveColorObject(appearance->backgroundColor(), style)
                                                   : UIColor::systemColor("systemChromeColor")->resolved(style);
    // The bar's background reaches up behind the status bar.
    CGRect area = bounds();
    double above = frame().minY();
    area.origin.y -= above;
    area.size.height += above;
    canvas.fill(Path::rect(area), fill);
    RGBAColor shadow = appearance->shadowColor() ? resolveColorObject(appearance->shadowColor(), style)
                                                 : RGBAColor { 0, 0, 0, 0.3 };
    double hairline = 1 / canvas.scale();
    canvas.fill(Path::rect(CGRectMake(0, bounds().maxY() - hairline, bounds().width(), hairline)), shadow);
}
