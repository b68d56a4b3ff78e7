#include "tamarind/styling/LargeTitleLabel.h"

#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<LabelCenterImp> originalLabelSetCenter;

namespace {

HostClass largeTitleViewClass("_UINavigationBarLargeTitleView");

}

void labelSetCenter(rt::Object* label, rt::SEL cmd, CGPoint center)
{
    rt::Object* superview = rt::send<rt::Object*>(label, SELECTOR("superview"));
    if (largeTitleViewClass.get() && rt::isKindOf(superview, largeTitleViewClass.get())) {
        if (secondPass.centerTitle) {
            CGRect frame = rt::send<CGRect>(superview, SELECTOR("frame"));
            center = CGPoint { frame.size.width / 2, frame.size.height / 2 };
        }
        if (secondPass.isCustomTitleColor)
            rt::send(label, SELECTOR("setTextColor:"), pickedColor(ColorOption::colorTitle));
    }
    originalLabelSetCenter(label, cmd, center);
}

}
