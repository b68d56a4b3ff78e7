#include "tamarind/rootpage/ScrollIndicator.h"

#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<IndicatorImp> originalScrollIndicatorDidMoveToWindow;

namespace {

}

void scrollIndicatorDidMoveToWindow(rt::Object* self, rt::SEL cmd)
{
    const auto& s = firstPass;
    rt::Object* subviews = rt::send<rt::Object*>(self, SELECTOR("subviews"));
    for (unsigned long i = 0, n = countOf(subviews); i < n; ++i) {
        rt::Object* bar = objectAt(subviews, i);
        if (!rt::isKindOf(bar, viewClass.get()))
            continue;
        if (s.isScrollBarHiddenEnabled)
            rt::send(bar, SELECTOR("setHidden:"), true);
        else if (s.isCustomScrollbarColorEnabled)
            rt::send(bar, SELECTOR("setBackgroundColor:"), pickedColor(ColorOption::colorScrollbar));
    }
    originalScrollIndicatorDidMoveToWindow(self, cmd);
}

}
