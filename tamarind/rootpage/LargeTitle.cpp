#include "tamarind/rootpage/LargeTitle.h"

#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<LayoutImp> originalLargeTitleLayoutViews;
Saved<TextHeightImp> originalLargeTitleTextHeight;
Saved<SetLabelImp> originalLargeTitleSetTitleLabel;
Saved<LayoutImp> originalLargeTitleViewLayoutSubviews;

namespace {

CGPoint centerOf(rt::Object* view)
{
    return rt::send<CGPoint>(view, SELECTOR("center"));
}

// Moves the view sideways so that its centre x is x; its centre y stays.
void centerHorizontally(rt::Object* view, double x)
{
    rt::send(view, SELECTOR("setCenter:"), CGPoint { x, centerOf(view).y });
}

}

void largeTitleLayoutViews(rt::Object* self, rt::SEL cmd)
{
    originalLargeTitleLayoutViews(self, cmd);
    if (!firstPass.centerTitle)
        return;
    rt::Object* label = rt::send<rt::Object*>(self, SELECTOR("titleLabel"));
    rt::Object* content = rt::send<rt::Object*>(self, SELECTOR("contentView"));
    if (label && content)
        centerHorizontally(label, centerOf(content).x);
}

double largeTitleTextHeight(rt::Object* self, rt::SEL cmd, CGSize size, long titleType)
{
    if (firstPass.isSmallTitle)
        return 0.0;
    return originalLargeTitleTextHeight(self, cmd, size, titleType);
}

void largeTitleSetTitleLabel(rt::Object* self, rt::SEL cmd, rt::Object* label)
{
    originalLargeTitleSetTitleLabel(self, cmd, firstPass.isSmallTitle ? nullptr : label);
}

// The view's centre is in its superview's coordinates, as it reports it, and that is the x its
// subviews are moved to.
void largeTitleViewLayoutSubviews(rt::Object* self, rt::SEL cmd)
{
    if (firstPass.centerTitle) {
        double x = centerOf(self).x;
        rt::Object* subviews = rt::send<rt::Object*>(self, SELECTOR("subviews"));
        for (unsigned long i = 0, n = countOf(subviews); i < n; ++i)
            centerHorizontally(objectAt(subviews, i), x);
    }
    originalLargeTitleViewLayoutSubviews(self, cmd);
}

}
