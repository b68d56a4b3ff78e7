#include "host/preferences/PSCapacityBarView.h"

#include <cmath>
#include <cstdio>

#include "host/foundation/String.h"
#include "host/uikit/UIColor.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

PSCapacityBarView* bar(Object* o)
{
    return static_cast<PSCapacityBarView*>(o);
}
PSCapacityBarData* barData(Object* o)
{
    return static_cast<PSCapacityBarData*>(o);
}

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

void ensureSubviews(Object* self)
{
    auto* b = bar(self);
    if (b->m_label)
        return;
    auto track = makeView(self, UIColor::systemColor("systemGray5Color"));
    rt::send(rt::send<Object*>(track, SELECTOR("layer")), SELECTOR("setCornerRadius:"), 5.0);
    rt::send(rt::send<Object*>(track, SELECTOR("layer")), SELECTOR("setMasksToBounds:"), true);
    b->m_segments.push_back(track);
    for (const char* hex : kSegmentColors)
        b->m_segments.push_back(makeView(track, UIColor::fromHex(hex).get()));
    b->m_label
        = rt::adopt(rt::send<Object*>(rt::send<Object*>(rt::getClass("UILabel"), SELECTOR("alloc")), SELECTOR("init")));
    rt::send(b->m_label, SELECTOR("setFont:"),
        rt::send<Object*>(rt::getClass("UIFont"), SELECTOR("systemFontOfSize:"), 15.0));
    rt::send(b->m_label, SELECTOR("setTextColor:"), UIColor::systemColor("secondaryLabelColor"));
    rt::send(self, SELECTOR("addSubview:"), b->m_label.get());
}

// Lays the bar out from what `barData` answers now.
void layoutBar(Object* self, SEL)
{
    rt::sendSuper(self, PSCapacityBarView::classObject(), rt::sel("layoutSubviews"));
    ensureSubviews(self);
    auto* b = bar(self);
    Object* data = rt::send<Object*>(self, SELECTOR("barData"));
    long long capacity = rt::send<long long>(data, SELECTOR("capacity"));
    CGRect bounds = b->bounds();
    Object* track = b->m_segments[0].get();
    rt::send(track, SELECTOR("setFrame:"), CGRectMake(0, 0, bounds.width(), kBarHeight));
    double x = 0, used = 0;
    auto* d = rt::dynamicCast<PSCapacityBarData>(data, PSCapacityBarData::classObject());
    for (size_t i = 1; i < b->m_segments.size(); ++i) {
        double bytes = d && i - 1 < d->m_use.size() ? d->m_use[i - 1].second : 0;
        double width
            = capacity > 0 ? std::min(bounds.width() - x, bounds.width() * bytes / static_cast<double>(capacity)) : 0;
        rt::send(b->m_segments[i], SELECTOR("setFrame:"), CGRectMake(x, 0, std::max(0.0, width), kBarHeight));
        x += std::max(0.0, width);
        used += bytes;
    }
    rt::send(b->m_label, SELECTOR("setText:"), ns(PSCapacityBarView::usageText(capacity, used)));
    rt::send(b->m_label, SELECTOR("setFrame:"), CGRectMake(0, kBarHeight + 8, bounds.width(), 20));
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

Class* PSCapacityBarData::classObject()
{
    static Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<PSCapacityBarData>("PSCapacityBarData", rootClass());
        addMethod(
            c, sel("capacity"), +[](Object* s, SEL) { return barData(s)->m_capacity; });
        addMethod(
            c, sel("setCapacity:"), +[](Object* s, SEL, long long capacity) { barData(s)->m_capacity = capacity; });
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
        addMethod(
            c, sel("barData"), +[](Object* s, SEL) { return bar(s)->m_barData.get(); });
        addMethod(
            c, sel("setBarData:"), +[](Object* s, SEL, Object* data) {
                bar(s)->m_barData = data;
                bar(s)->setNeedsLayout();
            });
        addMethod(c, sel("layoutSubviews"), &layoutBar);
        return c;
    }();
    return cls;
}
