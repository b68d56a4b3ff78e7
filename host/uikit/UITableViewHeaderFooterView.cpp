#include "host/uikit/UITableViewHeaderFooterView.h"

#include <algorithm>

#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UILabel.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UITableViewHeaderFooterView* headerFooter(Object* o)
{
    return static_cast<UITableViewHeaderFooterView*>(o);
}

}

Class* UITableViewHeaderFooterView::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UITableViewHeaderFooterView>("UITableViewHeaderFooterView", UIView::classObject());
        registerMethods(c);
        TAM_HOST_IVAR(c, UITableViewHeaderFooterView, m_textLabel, "_textLabel");
        return c;
    }();
    return cls;
}

void UITableViewHeaderFooterView::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithReuseIdentifier:"), +[](Object* s, SEL, Object* identifier) -> Object* {
            s = send<Object*>(s, SELECTOR("initWithFrame:"), CGRect {});
            if (s)
                headerFooter(s)->m_reuseIdentifier = identifier;
            return s;
        });
    addMethod(
        c, sel("textLabel"), +[](Object* s, SEL) -> Object* { return headerFooter(s)->textLabel(); });
    bindReadOnlyProperty<&UITableViewHeaderFooterView::m_contentView>(c, "contentView");
    bindReadOnlyProperty<&UITableViewHeaderFooterView::m_reuseIdentifier>(c, "reuseIdentifier");
    addMethod(
        c, sel("prepareForReuse"), +[](Object*, SEL) {});
    addMethod(
        c, sel("layoutSubviews"), +[](Object* s, SEL) {
            sendSuper(s, UITableViewHeaderFooterView::classObject(), SELECTOR("layoutSubviews"));
            headerFooter(s)->layoutHeaderFooter();
        });
}

UILabel* UITableViewHeaderFooterView::textLabel()
{
    if (!m_textLabel) {
        m_contentView = UIView::create(UIView::classObject(), bounds());
        addSubview(m_contentView.get());
        m_textLabel = rt::Ref<UILabel>(static_cast<UILabel*>(UIView::create(UILabel::classObject()).get()));
        m_textLabel->setFont(UIFont::create(13));
        m_textLabel->setTextColor(UIColor::systemColor("secondaryLabelColor"));
        m_textLabel->setNumberOfLines(0);
        m_contentView->addSubview(m_textLabel.get());
    }
    return m_textLabel.get();
}

void UITableViewHeaderFooterView::layoutHeaderFooter()
{
    CGRect b = bounds();
    if (m_contentView)
        rt::send(m_contentView.get(), SELECTOR("setFrame:"), b);
    if (!m_textLabel)
        return;
    constexpr double kTextInset = 16;
    double x = m_leadingInset + kTextInset;
    double width = std::max(0.0, b.width() - x - m_trailingInset - kTextInset);
    CGSize size = rt::send<CGSize>(m_textLabel.get(), SELECTOR("sizeThatFits:"), CGSize { width, 0 });
    size.width = width;
    // Headers sit on the section below them, footers hang from the section above.
    double y = m_isFooter ? 7 : std::max(0.0, b.height() - size.height - 7);
    rt::send(m_textLabel.get(), SELECTOR("setFrame:"), CGRectMake(x, y, size.width, size.height));
}
