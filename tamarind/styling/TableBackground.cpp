#include "tamarind/styling/TableBackground.h"

#include "host/foundation/Geometry.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/InterfaceStyle.h"
#include "tamarind/core/Settings.h"
#include "tamarind/styling/PageKinds.h"

namespace tamarind {

Saved<TableImp> originalTableDidMoveToWindow;
Saved<TableTraitsImp> originalTableTraitCollectionDidChange;

namespace {

constexpr long kBlurStyle = 2;

HostClass backdropClass("_UIBackdropView");
HostClass backdropSettingsClass("_UIBackdropViewSettings");

rt::Object* pictureFor(UIUserInterfaceStyle style)
{
    return pickedImage(
        style == UIUserInterfaceStyleDark ? PictureOption::backgroundImageDark : PictureOption::backgroundImageLight);
}

rt::Object* newImageView(rt::Object* image)
{
    rt::Object* view = rt::send<rt::Object*>(imageViewClass.get(), SELECTOR("alloc"));
    return rt::autorelease(rt::adopt(rt::send<rt::Object*>(view, SELECTOR("initWithImage:"), image)));
}

// The blur layer over the picture, as large as the screen; its opacity is the user's blur value,
// so 0 leaves the picture as it is and 1 shows only the blur.
rt::Object* newBlurLayer()
{
    rt::Object* settings
        = rt::send<rt::Object*>(backdropSettingsClass.get(), SELECTOR("settingsForStyle:"), kBlurStyle);
    rt::Object* blur = rt::send<rt::Object*>(backdropClass.get(), SELECTOR("alloc"));
    blur = rt::autorelease(rt::adopt(rt::send<rt::Object*>(blur, SELECTOR("initWithSettings:"), settings)));
    rt::Object* screen = rt::send<rt::Object*>(screenClass.get(), SELECTOR("mainScreen"));
    rt::send(blur, SELECTOR("setFrame:"), rt::send<CGRect>(screen, SELECTOR("bounds")));
    rt::send(blur, SELECTOR("setAlpha:"), secondPass.backgroundImageBlurValue);
    return blur;
}

void showBackgroundPicture(rt::Object* table)
{
    rt::Object* pictureView = newImageView(rt::send<rt::Object*>(table, SELECTOR("bgImage")));
    rt::send(table, SELECTOR("setBgImageView:"), pictureView);
    rt::send(pictureView, SELECTOR("setFrame:"), rt::send<CGRect>(table, SELECTOR("frame")));
    rt::send(pictureView, SELECTOR("setImage:"), pictureFor(interfaceStyleOf(table)));
    if (rt::send<rt::Object*>(table, SELECTOR("backgroundView")) != pictureView)
        rt::send(table, SELECTOR("setBackgroundView:"), pictureView);
    rt::Object* blur = newBlurLayer();
    rt::send(rt::send<rt::Object*>(table, SELECTOR("backgroundView")), SELECTOR("addSubview:"), blur);
}

void paintBackgroundColor(rt::Object* table)
{
    rt::send(table, SELECTOR("setBackgroundColor:"), pickedColor(ColorOption::colorBackground));
}

}

void tableDidMoveToWindow(rt::Object* table, rt::SEL cmd)
{
    originalTableDidMoveToWindow(table, cmd);
    if (!secondPass.isCustomBackgroundImageEnabled && !secondPass.isCustomBackgroundColor)
        return;
    if (!isInPreferencePage(table))
        return;
    if (secondPass.isCustomBackgroundImageEnabled)
        showBackgroundPicture(table);
    else
        paintBackgroundColor(table);
}

// The colour branch does not ask for a preference page: after an appearance change every table
// that reaches it is coloured, while entering a window colours only tables of preference pages.
void tableTraitCollectionDidChange(rt::Object* table, rt::SEL cmd, rt::Object* previous)
{
    originalTableTraitCollectionDidChange(table, cmd, previous);
    if (secondPass.isCustomBackgroundImageEnabled && isInPreferencePage(table)) {
        UIUserInterfaceStyle style = interfaceStyleOf(table);
        if (isLightOrDark(style))
            rt::send(rt::send<rt::Object*>(table, SELECTOR("bgImageView")), SELECTOR("setImage:"), pictureFor(style));
        return;
    }
    if (secondPass.isCustomBackgroundColor)
        paintBackgroundColor(table);
}

}
