#include "host/preferences/PSCapacityBarCell.h"

#include <algorithm>

#include "host/platform/Device.h"
#include "host/preferences/PSCapacityBarView.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr double kBarInset = 16;

}

Class* PSCapacityBarCell::classObject()
{
    static Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<PSCapacityBarCell>("PSCapacityBarCell", PSTableCell::classObject());
        addMethod(c, sel("initWithStyle:reuseIdentifier:specifier:"), &initWithBar);
        addMethod(c, sel("layoutSubviews"), &layOutBar);
        return c;
    }();
    return cls;
}

Object* PSCapacityBarCell::initWithBar(Object* self, SEL, long style, Object* reuse, Object* specifier)
{
    self = rt::sendSuper<Object*>(self, PSCapacityBarCell::classObject(),
        rt::sel("initWithStyle:reuseIdentifier:specifier:"), style, reuse, specifier);
    if (!self)
        return nullptr;
    const auto& device = currentDevice();
    auto barView = UIView::create(PSCapacityBarView::classObject());
    auto data = PSCapacityBarData::create(static_cast<long long>(device.storageCapacity), device.storageUse);
    rt::send(barView, SELECTOR("setBarData:"), static_cast<Object*>(data.get()));
    rt::send(rt::send<Object*>(self, SELECTOR("contentView")), SELECTOR("addSubview:"), barView.get());
    static_cast<PSCapacityBarCell*>(self)->m_bar = barView.get();
    return self;
}

void PSCapacityBarCell::layOutBar(Object* self, SEL)
{
    rt::sendSuper(self, PSCapacityBarCell::classObject(), rt::sel("layoutSubviews"));
    Object* content = rt::send<Object*>(self, SELECTOR("contentView"));
    CGRect bounds = rt::send<CGRect>(content, SELECTOR("bounds"));
    rt::send(static_cast<PSCapacityBarCell*>(self)->m_bar.get(), SELECTOR("setFrame:"),
        CGRectMake(kBarInset, 12, std::max(0.0, bounds.width() - 2 * kBarInset), bounds.height() - 12));
}
