#include "tamarind/styling/SliderLabel.h"

#include <string>

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/styling/PageKinds.h"

namespace tamarind {

Saved<SliderImp> originalSliderLayoutSubviews;

namespace {

// The four-character code 'valu', most significant byte first.
constexpr long kValueLabelTag = ('v' << 24) | ('a' << 16) | ('l' << 8) | 'u';
static_assert(kValueLabelTag == 1986096245);

constexpr unsigned long kNoAutoresizing = 0;
constexpr unsigned long kFlexibleLeftMarginAndWidth = 3;
constexpr double kLabelOffset = 10;

HostClass offsetsPageClass("OffsetsRootListController");
HostClass tableCellPageClass("SORRELTableCellRootListController");

rt::Object* valueLabelOf(rt::Object* slider)
{
    return rt::send<rt::Object*>(slider, SELECTOR("viewWithTag:"), kValueLabelTag);
}

bool isOnTidiedPage(rt::Object* slider)
{
    return isInPageOfKind(slider, offsetsPageClass.get()) || isInPageOfKind(slider, tableCellPageClass.get());
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Drops a decimal part made only of zeros (5.0 reads 5, "2.0 pt" reads "2 pt"). A decimal part
// with other digits stays whole: taking ".0" out of 5.05 would show 55.
std::string withoutWholeDecimals(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t end = i + 1;
        while (text[i] == '.' && end < text.size() && text[end] == '0')
            ++end;
        bool zeros = text[i] == '.' && end > i + 1;
        if (zeros && (end == text.size() || !isDigit(text[end]))) {
            i = end;
            continue;
        }
        out += text[i++];
    }
    return out;
}

void tidy(rt::Object* label)
{
    rt::Object* text = rt::send<rt::Object*>(label, SELECTOR("text"));
    if (isString(text))
        rt::send(label, SELECTOR("setText:"), ns(withoutWholeDecimals(toStdString(text))));
    rt::send(
        label, SELECTOR("setTextColor:"), rt::send<rt::Object*>(colorClass.get(), SELECTOR("secondaryLabelColor")));
}

}

// The re-alignment is sent only to a slider without a value label, where it has nothing to do;
// sliders with a label keep the host's placement of it.
void sliderLayoutSubviews(rt::Object* slider, rt::SEL cmd)
{
    originalSliderLayoutSubviews(slider, cmd);
    rt::Object* label = valueLabelOf(slider);
    if (!label) {
        rt::send(slider, SELECTOR("_csp_sliderLabelFix"));
        return;
    }
    if (isOnTidiedPage(slider))
        tidy(label);
}

void sliderLabelFix(rt::Object* slider, rt::SEL)
{
    rt::Object* label = valueLabelOf(slider);
    if (!label)
        return;
    rt::send(label, SELECTOR("setAutoresizingMask:"), kNoAutoresizing);
    rt::send(label, SELECTOR("sizeToFit"));
    CGRect frame = rt::send<CGRect>(label, SELECTOR("frame"));
    CGRect sliderFrame = rt::send<CGRect>(rt::send<rt::Object*>(slider, SELECTOR("layer")), SELECTOR("frame"));
    frame.origin.x = sliderFrame.size.width - frame.size.width + kLabelOffset;
    rt::send(label, SELECTOR("setFrame:"), frame);
    rt::send(label, SELECTOR("setAutoresizingMask:"), kFlexibleLeftMarginAndWidth);
}

}
