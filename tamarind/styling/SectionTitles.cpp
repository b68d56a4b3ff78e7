#include "tamarind/styling/SectionTitles.h"

#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<HeaderFooterImp> originalHeaderFooterDidMoveToWindow;

namespace {

constexpr long kCentredText = 1;

}

void headerFooterDidMoveToWindow(rt::Object* view, rt::SEL cmd)
{
    originalHeaderFooterDidMoveToWindow(view, cmd);
    if (secondPass.isCenterLabels && secondPass.isCenterLabelsOnSubmenus)
        rt::send(rt::send<rt::Object*>(view, SELECTOR("textLabel")), SELECTOR("setTextAlignment:"), kCentredText);
}

}
