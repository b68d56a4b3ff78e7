#include "host/preferences/PSCapacityBarView.h"

#include <cmath>
#include <cstdio>

#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

// The categories' colours, in the order Settings gives them.
constexpr const char* kSegmentColors[] = { "FF3B30", "FF9500", "FFCC00", "34C759", "5AC8FA", "AF52DE" };

constexpr double kBarHeight = 22;

rt::Ref<Object> makeView(Object* parent, Object* color)
{
    auto view = UIView::create(UIView::classObject());
    rt::send(view, SELECTOR("setBackgroundColor:"), color);
    rt::send(parent, SELECTOR("addSubview:"), view.get());
    return view;
}

std::string gigabytes(double bytes)
{
    char text[64];
    double gb = bytes / 1e9;
    if (std::fabs(gb - std::round(gb)) < 0.05)
        std::snprintf(text, sizeof text, "%.0f GB", gb);
    else
        std::snprintf(text, sizeof text, "%.1f GB", gb);
    return text;
}

}

std::string PSCapacityBarView::usageText(long long capacity, double used)
{
    return gigabytes(used) + " of " + gigabytes(static_cast<double>(capacity)) + " Used";
}

void PSCapacityBarView::ensureSubviews()
{
    if (m_label)
        return;
    auto track = makeView(this, UIColor::systemColor("systemGray5Color"));
    rt::send(rt::send<Object*>(track, SELECTOR("layer")), SELECTOR("setCornerRadius:"), 5.0);
    rt::send(rt::send<Object*>(track, SELECTOR("layer")), SELECTOR("setMasksToBounds:"), true);
    m_segments.push_back(track);
    for (const char* hex : kSegmentColors)
        m_segments.push_back(makeView(track, UIColor::fromHex(hex).get()));
    m_label
        = rt::adopt(rt::send<Object*>(rt::send<Object*>(rt::getClass("UILabel"), SELECTOR("alloc")), SELECTOR("init")));
    rt::send(m_label, SELECTOR("setFont:"),
        rt::send<Object*>(rt::getClass("UIFont"), SELECTOR("systemFontOfSize:"), 15.0));
    rt::send(m_label, SELECTOR("setTextColor:"), UIColor::systemColor("secondaryLabelColor"));
    rt::send(this, SELECTOR("addSubview:"), m_label.get());
}

void PSCapacityBarView::layoutBar()
{
    rt::sendSuper(this, classObject(), rt::sel("layoutSubviews"));
    ensureSubviews();
    Object* data = rt::send<Object*>(this, SELECTOR("barData"));
    long long capacity = rt::send<long long>(data, SELECTOR("capacity"));
    CGRect bounds = this->bounds();
    Object* track = m_segments[0].get();
    rt::send(track, SELECTOR("setFrame:"), CGRectMake(0, 0, bounds.width(), kBarHeight));
    double x = 0, used = 0;
    auto* d = rt::dynamicCast<PSCapacityBarData>(data, PSCapacityBarData::classObject());
    for (size_t i = 1; i < m_segments.size(); ++i) {
        double bytes = d && i - 1 < d->use().size() ? d->use()[i - 1].second : 0;
        double width
            = capacity > 0 ? std::min(bounds.width() - x, bounds.width() * bytes / static_cast<double>(capacity)) : 0;
        rt::send(m_segments[i], SELECTOR("setFrame:"), CGRectMake(x, 0, std::max(0.0, width), kBarHeight));
        x += std::max(0.0, width);
        used += bytes;
    }
    rt::send(m_label, SELECTOR("setText:"), ns(usageText(capacity, used)));
    rt::send(m_label, SELECTOR("setFrame:"), CGRectMake(0, kBarHeight + 8, bounds.width(), 20));
}

Class* PSCapacityBarData::classObject()
{
    static Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<PSCapacityBarData>("PSCapacityBarData", rootClass());
        bindProperty<&PSCapacityBarData::m_capacity>(c, "capacity");
        return c;
    }();
    return cls;
}

rt::Ref<PSCapacityBarData> PSCapacityBarData::create(
    long long capacity, std::vector<std::pair<std::string, double>> use)
{
    auto d = rt::adopt(static_cast<PSCapacityBarData*>(classObject()->allocate()));
    d->m_capacity = capacity;
    d->m_use = std::move(use);
    return d;
}

Class* PSCapacityBarView::classObject()
{
    static Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<PSCapacityBarView>("PSCapacityBarView", UIView::classObject());
        bindPropertyThen<&PSCapacityBarView::m_barData, &UIView::setNeedsLayout>(c, "barData");
        bind<&PSCapacityBarView::layoutBar>(c, "layoutSubviews");
        return c;
    }();
    return cls;
}
