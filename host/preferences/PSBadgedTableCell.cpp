#include "host/preferences/PSBadgedTableCell.h"

#include <algorithm>

#include "host/foundation/String.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"

using rt::Object;
using rt::SEL;

namespace {

constexpr double kBadgeSize = 22;
constexpr double kTrailingMargin = 8;

PSBadgedTableCell* badged(Object* o)
{
    return static_cast<PSBadgedTableCell*>(o);
}

void refresh(Object* self, SEL, Object* specifier)
{
    rt::sendSuper(self, PSBadgedTableCell::classObject(), SELECTOR("refreshCellContentsWithSpecifier:"), specifier);
    badged(self)->showBadge(specifier);
}

void cellLayoutSubviews(Object* self, SEL)
{
    rt::sendSuper(self, PSBadgedTableCell::classObject(), SELECTOR("layoutSubviews"));
    badged(self)->layoutBadge();
}

}

rt::Class* PSBadgedTableCell::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<PSBadgedTableCell>("PSBadgedTableCell", PSTableCell::classObject());
        rt::addMethod(c, rt::sel("refreshCellContentsWithSpecifier:"), &refresh);
        rt::addMethod(c, rt::sel("layoutSubviews"), &cellLayoutSubviews);
        return c;
    }();
    return cls;
}

void PSBadgedTableCell::showBadge(Object* specifier)
{
    Object* value = rt::send<Object*>(specifier, SELECTOR("propertyForKey:"), ns("value"));
    std::string count = isString(value) ? toStdString(value) : std::string();
    if (!m_badgeView) {
        m_badgeView = UIView::create(UIImageView::classObject(), CGRectMake(0, 0, kBadgeSize, kBadgeSize));
        m_badgeView->setBackgroundColor(UIColor::systemColor("systemRedColor"));
        m_badgeView->layer()->setCornerRadius(kBadgeSize / 2);
        m_badgeLabel = UIView::create(UILabel::classObject(), CGRectMake(0, 0, kBadgeSize, kBadgeSize));
        auto* label = static_cast<UILabel*>(m_badgeLabel.get());
        label->setFont(UIFont::create(15));
        label->setTextColor(UIColor::systemColor("whiteColor"));
        label->setTextAlignment(1);
        contentView()->addSubview(m_badgeView.get());
        contentView()->addSubview(m_badgeLabel.get());
    }
    static_cast<UILabel*>(m_badgeLabel.get())->setText(ns(count));
    m_badgeView->setHidden(count.empty());
    m_badgeLabel->setHidden(count.empty());
    // The count shows in the badge, not as the row's value.
    if (detailTextLabel())
        detailTextLabel()->setText(nullptr);
    setNeedsLayout();
}

void PSBadgedTableCell::layoutBadge()
{
    if (!m_badgeView)
        return;
    CGRect content = contentView()->bounds();
    CGRect frame = CGRectMake(std::max(0.0, content.width() - kTrailingMargin - kBadgeSize),
        (content.height() - kBadgeSize) / 2, kBadgeSize, kBadgeSize);
    rt::send(m_badgeView.get(), SELECTOR("setFrame:"), frame);
    rt::send(m_badgeLabel.get(), SELECTOR("setFrame:"), frame);
}
