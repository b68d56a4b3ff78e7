#include "tamarind/banner/TMBannerCell.h"

#include <cstring>

#include "host/foundation/Geometry.h"
#include "host/foundation/NotificationNames.h"
#include "host/foundation/String.h"
#include "tamarind/banner/FLAnimatedImageView.h"
#include "tamarind/banner/GifClasses.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Message.h"
#include "tamarind/core/RowIdentifiers.h"

namespace tamarind {

namespace {

HostClass s_tableCellClass("PSTableCell");
HostClass s_animatedImageClass("FLAnimatedImage");

rt::Class* s_cellClass = nullptr;

constexpr char kBannerImageViewIvar[] = "_bannerImageView";
// Flexible width and flexible height.
constexpr unsigned long kFlexibleSize = 2 | 16;
constexpr long kScaleAspectFill = 2;
constexpr long kSelectionStyleNone = 0;

rt::Object* bannerView(rt::Object* self)
{
    return rt::getIvarObject(self, rt::getInstanceVariable(s_cellClass, kBannerImageViewIvar));
}

void setBannerView(rt::Object* self, rt::SEL, rt::Object* view)
{
    rt::setIvarObject(self, rt::getInstanceVariable(s_cellClass, kBannerImageViewIvar), view);
}

rt::Object* bannerImageView(rt::Object* self, rt::SEL)
{
    return bannerView(self);
}

rt::Object* makeBannerView()
{
    rt::Class* viewClass = registerAnimatedImageView();
    rt::Object* view = rt::autorelease(rt::newObject(viewClass));
    message<void>(view, "setAutoresizingMask:", kFlexibleSize);
    message<void>(view, "setContentMode:", kScaleAspectFill);
    message<void>(view, "setClipsToBounds:", true);
    return view;
}

void observe(rt::Object* self, const char* name, const char* action)
{
    rt::Object* center = message(notificationCenterClass.get(), "defaultCenter");
    message<void>(center, "addObserver:selector:name:object:", self, rt::sel(action), ns(name),
        static_cast<rt::Object*>(nullptr));
}

// The cell is always the banner's, whatever identifier it was asked for.
rt::Object* initWithStyle(rt::Object* self, rt::SEL cmd, long style, rt::Object*)
{
    self = rt::sendSuper<rt::Object*>(self, s_cellClass, cmd, style, ns(rowid::Banner));
    if (!self)
        return nullptr;
    message<void>(self, "setBackgroundColor:", message(colorClass.get(), "tableCellGroupedBackgroundColor"));
    message<void>(self, "setSelectionStyle:", kSelectionStyleNone);
    rt::Object* view = makeBannerView();
    setBannerView(self, nullptr, view);
    message<void>(message(self, "contentView"), "addSubview:", view);
    observe(self, UIApplicationDidEnterBackgroundNotification, "applicationDidEnterBackground");
    observe(self, UIApplicationWillEnterForegroundNotification, "applicationWillEnterForeground");
    return self;
}

void cellDealloc(rt::Object* self, rt::SEL cmd)
{
    message<void>(message(notificationCenterClass.get(), "defaultCenter"), "removeObserver:", self);
    rt::sendSuper(self, s_cellClass, cmd);
}

// The banner fills the cell; the system's own cell background would show around its corners.
void layoutSubviews(rt::Object* self, rt::SEL cmd)
{
    rt::sendSuper(self, s_cellClass, cmd);
    CGRect frame = message<CGRect>(self, "frame");
    message<void>(bannerView(self), "setFrame:", CGRectMake(0, 0, frame.width(), frame.height()));
    rt::Object* subviews = message(self, "subviews");
    for (unsigned long i = 0, n = message<unsigned long>(subviews, "count"); i < n; ++i) {
        rt::Object* subview = message(subviews, "objectAtIndex:", i);
        if (!std::strcmp(subview->isa()->name(), "_UISystemBackgroundView")) {
            message<void>(subview, "removeFromSuperview");
            return;
        }
    }
}

void loadAnimatedImageIfNeeded(rt::Object* self, rt::SEL)
{
    rt::Object* view = bannerView(self);
    if (message(view, "animatedImage"))
        return;
    rt::Object* data = pickedData(PictureOption::bannerImage);
    if (isDataAGIF(static_cast<NSData*>(data))) {
        rt::Object* image = message(s_animatedImageClass.get(), "animatedImageWithGIFData:", data);
        message<void>(view, "setAnimatedImage:", image);
        return;
    }
    message<void>(view, "setImage:", message(imageClass.get(), "imageWithData:", data));
}

void applicationDidEnterBackground(rt::Object* self, rt::SEL)
{
    message<void>(bannerView(self), "stopAnimating");
}

void applicationWillEnterForeground(rt::Object* self, rt::SEL)
{
    message<void>(bannerView(self), "startAnimating");
}

rt::Class* buildCellClass()
{
    rt::Class* base = s_tableCellClass.get();
    if (!base)
        return nullptr;
    rt::ClassBuilder builder("TMBannerCell", base);
    builder.ivar<rt::Ref<rt::Object>>(kBannerImageViewIvar)
        .method("bannerImageView", &bannerImageView)
        .method("setBannerImageView:", &setBannerView)
        .method("initWithStyle:reuseIdentifier:", &initWithStyle)
        .method("dealloc", &cellDealloc)
        .method("layoutSubviews", &layoutSubviews)
        .method("loadAnimatedImageIfNeeded", &loadAnimatedImageIfNeeded)
        .method("applicationDidEnterBackground", &applicationDidEnterBackground)
        .method("applicationWillEnterForeground", &applicationWillEnterForeground);
    return builder.registerClass();
}

}

rt::Class* registerBannerCell()
{
    static rt::Class* cls = [] {
        rt::Class* c = buildCellClass();
        s_cellClass = c ? c : rt::getClass("TMBannerCell");
        return s_cellClass;
    }();
    return cls;
}

}
