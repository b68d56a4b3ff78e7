#include "tamarind/deviceinfo/RootFooter.h"

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Settings.h"
#include "tamarind/deviceinfo/JailbreakDetection.h"

namespace tamarind {

Saved<FooterViewImp> originalRootViewForFooter;
Saved<FooterHeightImp> originalRootHeightForFooter;

namespace {

constexpr double kFooterHeight = 50;
constexpr double kIconSide = 40;
constexpr long kPadIdiom = 1;
constexpr long kCentredText = 1;

// The OS name, computed afresh for every device line.
rt::Object* osName;

rt::Object* make(rt::Class* cls, const char* initializer = "init")
{
    rt::Object* object = rt::send<rt::Object*>(cls, SELECTOR("alloc"));
    return rt::autorelease(rt::adopt(rt::send<rt::Object*>(object, rt::sel(initializer))));
}

rt::Object* anchor(rt::Object* view, const char* name)
{
    return rt::send<rt::Object*>(view, rt::sel(name));
}

void activate(rt::Object* constraint)
{
    rt::send(constraint, SELECTOR("setActive:"), true);
}

void pin(rt::Object* view, rt::Object* to, const char* anchorName)
{
    activate(
        rt::send<rt::Object*>(anchor(view, anchorName), SELECTOR("constraintEqualToAnchor:"), anchor(to, anchorName)));
}

void pinSize(rt::Object* view, const char* anchorName, double side)
{
    activate(rt::send<rt::Object*>(anchor(view, anchorName), SELECTOR("constraintEqualToConstant:"), side));
}

rt::Object* deviceLine()
{
    static HostClass deviceClass("UIDevice");
    static HostClass labelClass("UILabel");
    static HostClass fontClass("UIFont");
    static HostClass colorClass("UIColor");
    rt::Object* device = rt::send<rt::Object*>(deviceClass.get(), SELECTOR("currentDevice"));
    rt::Object* name = ns(rt::send<long>(device, SELECTOR("userInterfaceIdiom")) == kPadIdiom ? "iPadOS" : "iOS");
    name->retain();
    if (osName)
        osName->release();
    osName = name;
    std::string text = toStdString(rt::send<rt::Object*>(device, SELECTOR("name"))) + ", " + toStdString(osName) + " "
        + toStdString(rt::send<rt::Object*>(device, SELECTOR("systemVersion")));
    rt::Object* label = make(labelClass.get());
    rt::send(label, SELECTOR("setTranslatesAutoresizingMaskIntoConstraints:"), false);
    rt::send(label, SELECTOR("setNumberOfLines:"), 0L);
    rt::send(label, SELECTOR("setText:"), ns(text));
    rt::send(label, SELECTOR("setTextAlignment:"), kCentredText);
    rt::send(label, SELECTOR("setFont:"), rt::send<rt::Object*>(fontClass.get(), SELECTOR("systemFontOfSize:"), 13.0));
    rt::send(
        label, SELECTOR("setTextColor:"), rt::send<rt::Object*>(colorClass.get(), SELECTOR("secondaryLabelColor")));
    return label;
}

// The 40 x 40 holder with the jailbreak's icon filling it (empty when none is detected).
rt::Object* iconHolder()
{
    static HostClass imageViewClass("UIImageView");
    rt::Object* holder = make(viewClass.get());
    rt::send(holder, SELECTOR("setTranslatesAutoresizingMaskIntoConstraints:"), false);
    rt::Object* imageView = rt::send<rt::Object*>(imageViewClass.get(), SELECTOR("alloc"));
    imageView = rt::autorelease(
        rt::adopt(rt::send<rt::Object*>(imageView, SELECTOR("initWithImage:"), detectedJailbreakIcon())));
    rt::send(imageView, SELECTOR("setTranslatesAutoresizingMaskIntoConstraints:"), false);
    rt::send(rt::send<rt::Object*>(imageView, SELECTOR("layer")), SELECTOR("setMasksToBounds:"), true);
    rt::send(holder, SELECTOR("addSubview:"), imageView);
    for (const char* name : { "centerYAnchor", "centerXAnchor", "widthAnchor", "heightAnchor" })
        pin(imageView, holder, name);
    return holder;
}

rt::Object* buildFooter(rt::Object* tableView)
{
    double width = rt::send<CGRect>(tableView, SELECTOR("frame")).size.width;
    rt::Object* footer = rt::send<rt::Object*>(viewClass.get(), SELECTOR("alloc"));
    footer = rt::autorelease(
        rt::adopt(rt::send<rt::Object*>(footer, SELECTOR("initWithFrame:"), CGRectMake(0, 0, width, kFooterHeight))));
    bool deviceLineShown = firstPass.isDeviceIDEnabled;
    if (deviceLineShown) {
        rt::Object* line = deviceLine();
        rt::send(footer, SELECTOR("addSubview:"), line);
        pin(line, footer, "centerYAnchor");
        pin(line, footer, "centerXAnchor");
    }
    if (!firstPass.isWhatJailbreakEnabled)
        return footer;
    rt::Object* holder = iconHolder();
    rt::send(footer, SELECTOR("addSubview:"), holder);
    pin(holder, footer, "centerYAnchor");
    pinSize(holder, "widthAnchor", kIconSide);
    pinSize(holder, "heightAnchor", kIconSide);
    // Beside the device line the icon closes the footer's line; alone it stands in the middle.
    pin(holder, footer, deviceLineShown ? "trailingAnchor" : "centerXAnchor");
    return footer;
}

bool isLastSection(rt::Object* tableView, long section)
{
    return section == rt::send<long>(tableView, SELECTOR("numberOfSections")) - 1;
}

}

rt::Object* rootViewForFooter(rt::Object* self, rt::SEL cmd, rt::Object* tableView, long section)
{
    rt::Object* ownTable = rt::send<rt::Object*>(self, SELECTOR("table"));
    if (isLastSection(tableView, section) && !rt::send<rt::Object*>(ownTable, SELECTOR("tableFooterView")))
        return buildFooter(tableView);
    return originalRootViewForFooter(self, cmd, tableView, section);
}

double rootHeightForFooter(rt::Object*, rt::SEL, rt::Object* tableView, long section)
{
    if (isLastSection(tableView, section))
        return kFooterHeight;
    return static_cast<double>(firstPass.tableCellSpacingValue);
}

}
