#include "tamarind/styling/UpdateBadge.h"

#include <string>

#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/styling/PageKinds.h"

namespace tamarind {

Saved<ContentViewImp> originalContentViewDidMoveToWindow;

namespace {

HostClass generalPageClass("PSGGeneralController");

constexpr const char* kBadgeDigits[] = { "1", "2", "3", "4" };

// The test is by text, so any label holding one of the digits goes with the badge: a version
// such as 14.4 included.
bool showsBadgeDigit(rt::Object* label)
{
    rt::Object* text = rt::send<rt::Object*>(label, SELECTOR("text"));
    if (!isString(text))
        return false;
    std::string value = toStdString(text);
    for (const char* digit : kBadgeDigits)
        if (value.find(digit) != std::string::npos)
            return true;
    return false;
}

void hideBadge(rt::Object* contentView)
{
    rt::Object* subviews = rt::send<rt::Object*>(contentView, SELECTOR("subviews"));
    unsigned long count = countOf(subviews);
    for (unsigned long i = 0; i < count; ++i)
        if (rt::Object* view = objectAt(subviews, i); rt::isKindOf(view, imageViewClass.get()))
            rt::send(view, SELECTOR("setHidden:"), true);
    for (unsigned long i = 0; i < count; ++i)
        if (rt::Object* view = objectAt(subviews, i); rt::isKindOf(view, labelClass.get()) && showsBadgeDigit(view))
            rt::send(view, SELECTOR("setHidden:"), true);
}

}

void contentViewDidMoveToWindow(rt::Object* contentView, rt::SEL cmd)
{
    if (secondPass.isSoftwareUpdateBadgeEnabled && isInPageOfKind(contentView, generalPageClass.get()))
        hideBadge(contentView);
    originalContentViewDidMoveToWindow(contentView, cmd);
}

}
