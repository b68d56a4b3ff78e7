#include "tamarind/rootpage/AccountCell.h"

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "host/platform/Availability.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<AccountCellLayoutImp> originalAccountCellLayoutSubviews;

namespace {

// Stands for an empty name or subtitle; a label showing it counts as empty when the layout
// chooses between centred and top-aligned labels.
constexpr const char* kEmptyMarker = " ";
// The constraints one layout pass makes carry this identifier, so the next pass can let them go
// and the row is laid out by one pass's constraints only.
constexpr const char* kLayoutIdentifier = "TMAccountCellLayout";

constexpr double kPictureSize = 61;
constexpr long kCentreAlignment = 1;

enum class Anchor { Leading, Trailing, Top, Bottom, CenterX, CenterY, Width, Height };

const rt::CallSite& anchorSelector(Anchor anchor)
{
    switch (anchor) {
    case Anchor::Leading:
        return SELECTOR("leadingAnchor");
    case Anchor::Trailing:
        return SELECTOR("trailingAnchor");
    case Anchor::Top:
        return SELECTOR("topAnchor");
    case Anchor::Bottom:
        return SELECTOR("bottomAnchor");
    case Anchor::CenterX:
        return SELECTOR("centerXAnchor");
    case Anchor::CenterY:
        return SELECTOR("centerYAnchor");
    case Anchor::Width:
        return SELECTOR("widthAnchor");
    case Anchor::Height:
        return SELECTOR("heightAnchor");
    }
    return SELECTOR("leadingAnchor");
}

void activate(rt::Object* constraint)
{
    rt::send(constraint, SELECTOR("setIdentifier:"), ns(kLayoutIdentifier));
    rt::send(constraint, SELECTOR("setActive:"), true);
}

// Pins view.a = other.b + k.
void pin(rt::Object* view, Anchor a, rt::Object* other, Anchor b, double k = 0)
{
    rt::Object* first = rt::send<rt::Object*>(view, anchorSelector(a));
    rt::Object* second = rt::send<rt::Object*>(other, anchorSelector(b));
    activate(rt::send<rt::Object*>(first, SELECTOR("constraintEqualToAnchor:constant:"), second, k));
}

// Pins a size to a constant.
void pinSize(rt::Object* view, Anchor a, double k)
{
    activate(rt::send<rt::Object*>(
        rt::send<rt::Object*>(view, anchorSelector(a)), SELECTOR("constraintEqualToConstant:"), k));
}

void freeView(rt::Object* view)
{
    rt::send(view, SELECTOR("setTranslatesAutoresizingMaskIntoConstraints:"), false);
}

// Lets go of the constraints an earlier pass made for the view.
void dropEarlierPass(rt::Object* view)
{
    rt::Object* constraints = rt::send<rt::Object*>(view, SELECTOR("constraints"));
    for (unsigned long i = 0, n = countOf(constraints); i < n; ++i) {
        rt::Object* constraint = objectAt(constraints, i);
        if (toStdString(rt::send<rt::Object*>(constraint, SELECTOR("identifier"))) == kLayoutIdentifier)
            rt::send(constraint, SELECTOR("setActive:"), false);
    }
}

void removeOwnConstraints(rt::Object* view)
{
    rt::send(view, SELECTOR("removeConstraints:"), rt::send<rt::Object*>(view, SELECTOR("constraints")));
}

bool showsEmptyMarker(rt::Object* label)
{
    return toStdString(rt::send<rt::Object*>(label, SELECTOR("text"))) == kEmptyMarker;
}

rt::Object* textOr(rt::Object* value)
{
    return isString(value) && !toStdString(value).empty() ? value : ns(kEmptyMarker);
}

struct AccountRow {
    rt::Object* cell; // C
    rt::Object* content; // CV
    rt::Object* picture; // I
    rt::Object* title; // T
    rt::Object* subtitle; // D
};

void setCustomName(const AccountRow& row)
{
    rt::Object* name = textOr(firstPass.accCellNameValue);
    rt::Object* subtitle = textOr(firstPass.accCellSubtitleValue);
    if (!isOSVersionAtLeast(16, 0, 0)) {
        rt::send(row.title, SELECTOR("setText:"), name);
        rt::send(row.subtitle, SELECTOR("setText:"), subtitle);
        return;
    }
    // From iOS 16 on the texts live in the list content configuration of the cell's subview at
    // index 1; a cell without one keeps its texts.
    rt::Object* subviews = rt::send<rt::Object*>(row.cell, SELECTOR("subviews"));
    rt::Object* view = countOf(subviews) > 1 ? objectAt(subviews, 1) : nullptr;
    if (!view || !rt::respondsTo(view, rt::sel("configuration")))
        return;
    rt::Object* configuration = rt::send<rt::Object*>(view, SELECTOR("configuration"));
    rt::send(configuration, SELECTOR("setText:"), name);
    rt::send(configuration, SELECTOR("setSecondaryText:"), subtitle);
    rt::send(view, SELECTOR("setConfiguration:"), configuration);
}

// The title's top edge follows the picture's top, or its centre the anchor given, when the
// subtitle is empty; and the other way round for the subtitle.
void pinLabelsVertically(const AccountRow& row, rt::Object* titleCentre)
{
    if (showsEmptyMarker(row.subtitle))
        pin(row.title, Anchor::CenterY, titleCentre, Anchor::CenterY);
    else
        pin(row.title, Anchor::Top, row.picture, Anchor::Top, 5);
}

void pinSubtitleVertically(const AccountRow& row)
{
    if (showsEmptyMarker(row.title))
        pin(row.subtitle, Anchor::CenterY, row.content, Anchor::CenterY);
    else
        pin(row.subtitle, Anchor::Bottom, row.picture, Anchor::Bottom, -10);
}

void pinPictureSize(rt::Object* picture, double width)
{
    pinSize(picture, Anchor::Height, kPictureSize);
    pinSize(picture, Anchor::Width, width);
}

// Returns whether the centred labels take over from here.
bool layOutHiddenPicture(const AccountRow& row)
{
    rt::send(row.picture, SELECTOR("setHidden:"), true);
    removeOwnConstraints(row.picture);
    pin(row.picture, Anchor::Leading, row.content, Anchor::Leading, 10);
    pin(row.picture, Anchor::CenterY, row.content, Anchor::CenterY);
    pinPictureSize(row.picture, 0);
    if (firstPass.isCenterLabels)
        return true;
    freeView(row.title);
    freeView(row.subtitle);
    pin(row.title, Anchor::Leading, row.picture, Anchor::Leading, 10);
    pinLabelsVertically(row, row.content);
    pin(row.subtitle, Anchor::Leading, row.picture, Anchor::Leading, 10);
    pinSubtitleVertically(row);
    return false;
}

void layOutPictureOnLeft(const AccountRow& row)
{
    pin(row.picture, Anchor::Leading, row.content, Anchor::Leading, 10);
    pin(row.picture, Anchor::CenterY, row.content, Anchor::CenterY);
    pinPictureSize(row.picture, kPictureSize);
    freeView(row.title);
    pin(row.title, Anchor::Leading, row.picture, Anchor::Trailing, 15);
    pinLabelsVertically(row, row.content);
    freeView(row.subtitle);
    pin(row.subtitle, Anchor::Leading, row.picture, Anchor::Trailing, 15);
    pinSubtitleVertically(row);
}

void layOutPictureInCentre(const AccountRow& row)
{
    removeOwnConstraints(row.picture);
    pin(row.picture, Anchor::CenterX, row.cell, Anchor::CenterX);
    pin(row.picture, Anchor::CenterY, row.cell, Anchor::CenterY);
    pinPictureSize(row.picture, kPictureSize);
    rt::send(row.title, SELECTOR("setHidden:"), true);
    rt::send(row.subtitle, SELECTOR("setHidden:"), true);
}

void layOutPictureOnRight(const AccountRow& row)
{
    removeOwnConstraints(row.picture);
    pin(row.picture, Anchor::CenterY, row.cell, Anchor::CenterY);
    pinPictureSize(row.picture, kPictureSize);
    // With the arrow shown, the picture keeps clear of it inside the content view; without, it
    // goes to the cell's own edge.
    if (firstPass.isArrowAccessory)
        pin(row.picture, Anchor::Trailing, row.content, Anchor::Trailing, -10);
    else
        pin(row.picture, Anchor::Trailing, row.cell, Anchor::Trailing, -10);
    freeView(row.title);
    pin(row.title, Anchor::Leading, row.content, Anchor::Leading, 15);
    pinLabelsVertically(row, row.picture);
    freeView(row.subtitle);
    pin(row.subtitle, Anchor::Leading, row.content, Anchor::Leading, 15);
    pinSubtitleVertically(row);
}

void centreLabels(const AccountRow& row)
{
    rt::send(row.subtitle, SELECTOR("setTextAlignment:"), kCentreAlignment);
    freeView(row.subtitle);
    pin(row.subtitle, Anchor::CenterX, row.cell, Anchor::CenterX);
    pin(row.subtitle, Anchor::Top, row.title, Anchor::Top, 10);
    pin(row.subtitle, Anchor::Width, row.cell, Anchor::Width);
    pinSize(row.subtitle, Anchor::Height, 50);
    CGRect title = rt::send<CGRect>(row.title, SELECTOR("frame"));
    double width = rt::send<CGRect>(row.cell, SELECTOR("frame")).width();
    rt::send(row.title, SELECTOR("setTextAlignment:"), kCentreAlignment);
    rt::send(row.title, SELECTOR("setFrame:"), CGRectMake(0, title.origin.y, width, title.height()));
}

void layOutPictureAndLabels(const AccountRow& row)
{
    const auto& s = firstPass;
    freeView(row.picture);
    if (s.isStockiCloudPfpHidden) {
        layOutHiddenPicture(row);
        return;
    }
    if (s.accountImagePosition == 0)
        layOutPictureOnLeft(row);
    else if (s.accountImagePosition == 1)
        layOutPictureInCentre(row);
    else
        layOutPictureOnRight(row);
}

}

void accountCellLayoutSubviews(rt::Object* self, rt::SEL cmd)
{
    originalAccountCellLayoutSubviews(self, cmd);
    AccountRow row { self, rt::send<rt::Object*>(self, SELECTOR("contentView")), pageIvar(self, "_imageView"),
        pageIvar(self, "_textLabel"), pageIvar(self, "_detailTextLabel") };
    const auto& s = firstPass;
    rt::send(rt::send<rt::Object*>(row.picture, SELECTOR("layer")), SELECTOR("setBorderWidth:"), 0.0);
    if (s.isAccCellCustomNameEnabled)
        setCustomName(row);
    // A row without its picture or labels cannot be laid out; it keeps the host's layout.
    bool complete = row.content && row.picture && row.title && row.subtitle;
    if (complete) {
        for (rt::Object* view : { row.picture, row.title, row.subtitle })
            dropEarlierPass(view);
    }
    if (!s.stockiCloud)
        rt::send(self, SELECTOR("setHidden:"), true);
    else if (complete)
        layOutPictureAndLabels(row);
    if (complete && s.isCenterLabels && s.isStockiCloudPfpHidden)
        centreLabels(row);
    if (s.isCustomLabelColor) {
        rt::send(row.title, SELECTOR("setTextColor:"), pickedColor(ColorOption::colorTopLabel, ColorUse::AccountRow));
        rt::send(
            row.subtitle, SELECTOR("setTextColor:"), pickedColor(ColorOption::colorBottomLabel, ColorUse::AccountRow));
    }
}

}
