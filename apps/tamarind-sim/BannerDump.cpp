#include "BannerDump.h"

#include "host/foundation/String.h"
#include "host/uikit/CADisplayLink.h"
#include "host/uikit/UIView.h"

using nlohmann::json;

namespace {

rt::Object* findCell(UIView* view, rt::Class* cellClass)
{
    if (rt::isKindOf(view, cellClass))
        return view;
    for (auto& subview : view->subviews()) {
        if (rt::Object* found = findCell(subview.get(), cellClass))
            return found;
    }
    return nullptr;
}

json displayLinkOf(rt::Object* view)
{
    auto* link = rt::dynamicCast<CADisplayLink>(message(view, "displayLink"), CADisplayLink::classObject());
    if (!link)
        return nullptr;
    return { { "preferredFramesPerSecond", link->preferredFramesPerSecond() }, { "paused", link->isPaused() },
        { "runLoopMode", toStdString(link->runLoopMode()) }, { "refreshes", link->fireCount() } };
}

json animatedBanner(rt::Object* view, rt::Object* image)
{
    return { { "kind", "gif" }, { "frameCount", message<unsigned long>(image, "frameCount") },
        { "loopCount", message<unsigned long>(image, "loopCount") },
        { "currentFrameIndex", message<unsigned long>(view, "currentFrameIndex") },
        // An image that loops for ever counts down from the largest unsigned value.
        { "loopCountdown", message<unsigned long>(view, "loopCountdown") },
        { "accumulator", message<double>(view, "accumulator") }, { "animating", message<bool>(view, "isAnimating") },
        { "displayLink", displayLinkOf(view) } };
}

}

rt::Object* findBannerView(rt::Object* page)
{
    rt::Class* cellClass = rt::getClass("TMBannerCell");
    auto* table = rt::dynamicCast<UIView>(message(page, "table"), UIView::classObject());
    if (!cellClass || !table)
        return nullptr;
    return message(findCell(table, cellClass), "bannerImageView");
}

json dumpBanner(rt::Object* page)
{
    rt::Object* view = findBannerView(page);
    if (!view)
        return nullptr;
    CGRect frame = message<CGRect>(view, "frame");
    json banner;
    if (rt::Object* image = message(view, "animatedImage")) {
        banner = animatedBanner(view, image);
    } else if (rt::Object* still = message(view, "image")) {
        CGSize size = message<CGSize>(still, "size");
        banner = { { "kind", "still" }, { "imageSize", { size.width, size.height } } };
    } else {
        banner = { { "kind", "empty" } };
    }
    banner["frame"] = { frame.origin.x, frame.origin.y, frame.size.width, frame.size.height };
    return banner;
}
