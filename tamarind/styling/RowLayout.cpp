#include "tamarind/styling/RowLayout.h"

#include <algorithm>

#include "host/foundation/Array.h"
#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

namespace {

constexpr double kLineHeight = 20;
constexpr double kTitleRaise = -10;
constexpr double kSubtitleFromBottom = -30;
constexpr double kLeadingGap = 15;
constexpr long kCenteredText = 1;

// Tags the constraints a pass makes, so the next pass replaces them instead of piling copies
// onto a label that a reused cell keeps.
constexpr char kTitleTag[] = "TMRowTitle";
constexpr char kSubtitleTopTag[] = "TMRowSubtitleTop";

rt::Object* anchor(rt::Object* view, const char* name)
{
    return rt::send<rt::Object*>(view, rt::sel(name));
}

rt::Object* equal(rt::Object* view, const char* name, rt::Object* other, const char* otherName, double constant = 0)
{
    return rt::send<rt::Object*>(
        anchor(view, name), SELECTOR("constraintEqualToAnchor:constant:"), anchor(other, otherName), constant);
}

rt::Object* equalConstant(rt::Object* view, const char* name, double constant)
{
    return rt::send<rt::Object*>(anchor(view, name), SELECTOR("constraintEqualToConstant:"), constant);
}

// The three horizontal cases shared by title and subtitle: centred, after the icon, or after the
// content's leading edge.
rt::Object* horizontal(rt::Object* cell, rt::Object* label)
{
    rt::Object* content = rt::send<rt::Object*>(cell, SELECTOR("contentView"));
    if (secondPass.isCenterLabels) {
        rt::send(label, SELECTOR("setTextAlignment:"), kCenteredText);
        return equal(label, "centerXAnchor", cell, "centerXAnchor");
    }
    if (secondPass.isTableIconsEnabled) {
        rt::Object* icon = rt::send<rt::Object*>(cell, SELECTOR("iconImageView"));
        return equal(label, "leadingAnchor", icon, "trailingAnchor", kLeadingGap);
    }
    return equal(label, "leadingAnchor", content, "leadingAnchor", kLeadingGap);
}

void activate(std::initializer_list<rt::Object*> constraints, const char* tag)
{
    auto list = NSArray::createMutable();
    for (rt::Object* c : constraints) {
        if (tag)
            rt::send(c, SELECTOR("setIdentifier:"), ns(tag));
        list->add(c);
    }
    rt::send(rt::getClass("NSLayoutConstraint"), SELECTOR("activateConstraints:"), list.get());
}

void deactivateTagged(rt::Object* view, const char* tag)
{
    rt::Object* held = rt::send<rt::Object*>(view, SELECTOR("constraints"));
    auto stale = NSArray::createMutable();
    for (unsigned long i = 0, n = rt::send<unsigned long>(held, SELECTOR("count")); i < n; ++i) {
        rt::Object* c = rt::send<rt::Object*>(held, SELECTOR("objectAtIndex:"), i);
        if (toStdString(rt::send<rt::Object*>(c, SELECTOR("identifier"))) == tag)
            stale->add(c);
    }
    rt::send(rt::getClass("NSLayoutConstraint"), SELECTOR("deactivateConstraints:"), stale.get());
}

}

void constrainRowTitle(rt::Object* cell, rt::Object* title)
{
    rt::Object* content = rt::send<rt::Object*>(cell, SELECTOR("contentView"));
    rt::send(title, SELECTOR("setTranslatesAutoresizingMaskIntoConstraints:"), false);
    deactivateTagged(title, kTitleTag);
    double raise = secondPass.tableViewLabelsEnabled ? kTitleRaise : 0;
    activate({ equal(title, "widthAnchor", content, "widthAnchor"), equalConstant(title, "heightAnchor", kLineHeight),
                 equal(title, "centerYAnchor", cell, "centerYAnchor", raise), horizontal(cell, title) },
        kTitleTag);
}

void releaseRowTitle(rt::Object* title)
{
    deactivateTagged(title, kTitleTag);
    rt::send(title, SELECTOR("setTranslatesAutoresizingMaskIntoConstraints:"), true);
}

void constrainRowSubtitle(rt::Object* cell, rt::Object* subtitle)
{
    rt::Object* content = rt::send<rt::Object*>(cell, SELECTOR("contentView"));
    rt::Object* top = equal(subtitle, "topAnchor", content, "bottomAnchor", kSubtitleFromBottom);
    rt::send(top, SELECTOR("setIdentifier:"), ns(kSubtitleTopTag));
    activate({ top, equal(subtitle, "widthAnchor", content, "widthAnchor"),
                 equalConstant(subtitle, "heightAnchor", kLineHeight), horizontal(cell, subtitle) },
        nullptr);
    fitRowSubtitle(cell, subtitle);
}

// The subtitle's top sits 30 points above the row's bottom, which is below the raised title only
// in rows at least 60 points high. In a shorter row (the host's 44 points) it starts where the
// title ends instead, so the two lines never overlap.
void fitRowSubtitle(rt::Object* cell, rt::Object* subtitle)
{
    if (!subtitle)
        return;
    double height = rt::send<CGRect>(cell, SELECTOR("bounds")).height();
    double titleBottom = height / 2 + kTitleRaise + kLineHeight / 2;
    double constant = std::max(kSubtitleFromBottom, titleBottom - height);
    rt::Object* held = rt::send<rt::Object*>(subtitle, SELECTOR("constraints"));
    for (unsigned long i = 0, n = rt::send<unsigned long>(held, SELECTOR("count")); i < n; ++i) {
        rt::Object* c = rt::send<rt::Object*>(held, SELECTOR("objectAtIndex:"), i);
        if (toStdString(rt::send<rt::Object*>(c, SELECTOR("identifier"))) != kSubtitleTopTag
            || rt::send<double>(c, SELECTOR("constant")) == constant)
            continue;
        rt::send(c, SELECTOR("setConstant:"), constant);
        rt::send(rt::send<rt::Object*>(subtitle, SELECTOR("superview")), SELECTOR("setNeedsLayout"));
    }
}

}
