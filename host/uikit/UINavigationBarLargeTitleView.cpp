#include <algorithm>

#include "host/foundation/Dictionary.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UINavigationBar.h"

// The large title: _UINavigationBarLargeTitleView lays out by asking its
// _UINavigationBarLargeTitleViewLayout to layoutViews, and the layout sizes the title label by
// _textHeightForSize:titleType:. All three steps are messages.

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr double kLargeTitleMargin = 16;

UINavigationBarLargeTitleViewLayout* layout(Object* o)
{
    return static_cast<UINavigationBarLargeTitleViewLayout*>(o);
}
UINavigationBarLargeTitleView* titleView(Object* o)
{
    return static_cast<UINavigationBarLargeTitleView*>(o);
}

void layoutViews(Object* s, SEL)
{
    auto* l = layout(s);
    UIView* content = l->contentView();
    UILabel* label = l->titleLabel();
    if (!content || !label)
        return;
    CGRect b = content->bounds();
    CGSize available { std::max(0.0, b.width() - 2 * kLargeTitleMargin), b.height() };
    double height = rt::send<double>(s, SELECTOR("_textHeightForSize:titleType:"), available, 1L);
    height = std::clamp(height, 0.0, b.height());
    // The label is as wide as its text, up to the width there is, and starts at the leading margin.
    double width = std::min(label->defaultSizeThatFits(available).width, available.width);
    CGRect frame = CGRectMake(kLargeTitleMargin, b.height() - height - 6, width, height);
    rt::send(label, SELECTOR("setFrame:"), frame);
}

double textHeight(Object* s, SEL, CGSize size, long)
{
    UILabel* label = layout(s)->titleLabel();
    if (!label)
        return 0;
    return label->defaultSizeThatFits(size).height;
}

}

void UINavigationBarLargeTitleViewLayout::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(c, sel("layoutViews"), &layoutViews);
    addMethod(c, sel("_textHeightForSize:titleType:"), &textHeight);
    bindProperty<&UINavigationBarLargeTitleViewLayout::m_titleLabel>(c, "titleLabel");
    bindReadOnlyProperty<&UINavigationBarLargeTitleViewLayout::m_contentView>(c, "contentView");
}

void UINavigationBarLargeTitleView::registerMethods(Class* c)
{
    using namespace rt;
    bindReadOnlyProperty<&UINavigationBarLargeTitleView::m_layout>(c, "layout");
    addMethod(
        c, sel("layoutSubviews"), +[](Object* s, SEL) {
            sendSuper(s, UINavigationBarLargeTitleView::classObject(), SELECTOR("layoutSubviews"));
            auto* view = titleView(s);
            rt::Ref<Object> keep(view->m_layout);
            send(view->m_layout.get(), SELECTOR("layoutViews"));
            // A label the layout no longer holds is not shown.
            if (view->m_label)
                view->m_label->setHidden(layout(view->m_layout.get())->titleLabel() != view->m_label.get());
        });
}

Class* UINavigationBarLargeTitleView::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UINavigationBarLargeTitleView>(
            "_UINavigationBarLargeTitleView", UIView::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

Class* UINavigationBarLargeTitleView::layoutClass()
{
    return UINavigationBarLargeTitleViewLayout::classObject();
}

Class* UINavigationBarLargeTitleViewLayout::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UINavigationBarLargeTitleViewLayout>(
            "_UINavigationBarLargeTitleViewLayout", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

UINavigationBarLargeTitleView::~UINavigationBarLargeTitleView()
{
    if (m_layout)
        layout(m_layout.get())->setContentView(nullptr);
}

void UINavigationBarLargeTitleView::configure(const std::string& title, Object* attributes)
{
    if (!m_layout) {
        m_layout = rt::newObject(layoutClass());
        layout(m_layout.get())->setContentView(this);
        m_label = rt::Ref<UILabel>(static_cast<UILabel*>(UIView::create(UILabel::classObject()).get()));
        addSubview(m_label.get());
        // The layout is handed its label by message, where a replacement may refuse it.
        rt::send(m_layout.get(), SELECTOR("setTitleLabel:"), static_cast<Object*>(m_label.get()));
    }
    m_label->setText(ns(title));
    auto* dict = isDictionary(attributes) ? static_cast<NSDictionary*>(attributes) : nullptr;
    Object* font = dict ? dict->get(NSFontAttributeName) : nullptr;
    Object* color = dict ? dict->get(NSForegroundColorAttributeName) : nullptr;
    m_label->setFont(rt::isKindOf(font, UIFont::classObject()) ? static_cast<UIFont*>(font)
                                                                : UIFont::create(34, UIFontWeightBold).get());
    m_label->setTextColor(isColor(color) ? static_cast<UIColor*>(color) : nullptr);
    setNeedsLayout();
}
