#include "tamarind/rootpage/FloatingButton.h"

#include <limits>

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"

namespace tamarind {

namespace {

HostClass buttonClass("UIButton");

constexpr long kCustomButton = 0;
constexpr long kAlwaysTemplate = 2;
constexpr long kAspectFit = 1;
constexpr long kAlignmentFill = 3;
constexpr unsigned long kTouchUpInside = 64;

}

rt::Object* makeFloatingButton()
{
    return rt::send<rt::Object*>(buttonClass.get(), SELECTOR("buttonWithType:"), kCustomButton);
}

rt::Object* templateSymbol(const char* name)
{
    rt::Object* symbol = rt::send<rt::Object*>(imageClass.get(), SELECTOR("systemImageNamed:"), ns(name));
    return rt::send<rt::Object*>(symbol, SELECTOR("imageWithRenderingMode:"), kAlwaysTemplate);
}

void setButtonTint(rt::Object* button, rt::Object* color)
{
    if (!button)
        return;
    rt::send(button, SELECTOR("setTintColor:"), color);
    rt::send(rt::send<rt::Object*>(button, SELECTOR("imageView")), SELECTOR("setTintColor:"), color);
}

long placedCoordinate(double base, long plus, long minus)
{
    constexpr long kMax = std::numeric_limits<long>::max(), kMin = std::numeric_limits<long>::min();
    // A double at or past 2^63 does not convert to long; NaN counts as 0.
    long whole = !(base == base) ? 0 : base >= 0x1p63 ? kMax : base < -0x1p63 ? kMin : static_cast<long>(base);
    long sum = 0;
    if (__builtin_add_overflow(whole, plus, &sum))
        return plus > 0 ? kMax : kMin;
    long result = 0;
    if (__builtin_sub_overflow(sum, minus, &result))
        return minus < 0 ? kMax : kMin;
    return result;
}

void floatOverTable(rt::Object* button, rt::Object* page, const char* action)
{
    rt::send(button, SELECTOR("addTarget:action:forControlEvents:"), page, rt::sel(action), kTouchUpInside);
    rt::send(rt::send<rt::Object*>(page, SELECTOR("table")), SELECTOR("addSubview:"), button);
}

void placeSquare(rt::Object* button, long x, long y, double size)
{
    rt::send(button, SELECTOR("setFrame:"), CGRectMake(static_cast<double>(x), static_cast<double>(y), size, size));
}

void fillWithContent(rt::Object* button)
{
    rt::send(button, SELECTOR("setContentVerticalAlignment:"), kAlignmentFill);
    rt::send(button, SELECTOR("setContentHorizontalAlignment:"), kAlignmentFill);
}

void showImageFilling(rt::Object* button, rt::Object* image)
{
    rt::send(rt::send<rt::Object*>(button, SELECTOR("imageView")), SELECTOR("setContentMode:"), kAspectFit);
    rt::send(button, SELECTOR("setImage:forState:"), image, 0UL);
    fillWithContent(button);
}

}
