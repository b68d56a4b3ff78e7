#include "tamarind/core/RoundedIcon.h"

#include "host/foundation/Geometry.h"
#include "tamarind/core/HostClasses.h"

namespace tamarind {

namespace {

constexpr double kIconSide = 29;
constexpr double kIconCornerRadius = 6;

}

rt::Object* roundedIcon(rt::Object* image)
{
    CGRect square = CGRectMake(0, 0, kIconSide, kIconSide);
    auto renderer = rt::adopt(rt::send<rt::Object*>(rt::send<rt::Object*>(imageRendererClass.get(), SELECTOR("alloc")),
        SELECTOR("initWithSize:"), CGSizeMake(kIconSide, kIconSide)));
    rt::Ref<rt::Object> drawn = image;
    auto draw = rt::makeBlock<void(rt::Object*)>([drawn, square](rt::Object*) {
        rt::Object* clip = rt::send<rt::Object*>(
            bezierPathClass.get(), SELECTOR("bezierPathWithRoundedRect:cornerRadius:"), square, kIconCornerRadius);
        rt::send(clip, SELECTOR("addClip"));
        rt::send(drawn.get(), SELECTOR("drawInRect:"), square);
    });
    return rt::send<rt::Object*>(renderer, SELECTOR("imageWithActions:"), static_cast<rt::BlockBase*>(draw.get()));
}

}
