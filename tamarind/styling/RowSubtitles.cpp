#include "tamarind/styling/RowSubtitles.h"

#include <string>

#include "host/foundation/String.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/RowIdentifiers.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/styling/CellRules.h"
#include "tamarind/styling/PageValues.h"
#include "tamarind/styling/RowLayout.h"

namespace tamarind {

namespace {

HostClass bannerImageCellClass("CSSBannerImageCell");
HostClass aboutPageClass("PSGAboutController");
HostClass batteryPageClass("BatteryHealthUIController");
HostClass connectivityPageClass("ConnectivityRootListController");

constexpr char kLocalizationBundle[] = "/var/jb/Library/PreferenceBundles/TamarindLocalization.bundle";
constexpr double kSubtitleFontSize = 13;

// The pieces of a cell that the row operations work on.
struct RowCell {
    rt::Object* cell;
    std::string identifier;
    rt::Object* title; // the host's _textLabel
    rt::Object* value; // the host's _detailTextLabel
};

rt::Object* textOf(rt::Object* label)
{
    return rt::send<rt::Object*>(label, SELECTOR("text"));
}

// The localization bundle's string for a key, with the row's current title as the answer for a
// key it lacks; nothing when the bundle is missing.
struct Localizer {
    rt::Object* bundle;
    rt::Object* title;
    rt::Object* operator()(rt::Object* key) const
    {
        return rt::send<rt::Object*>(
            bundle, SELECTOR("localizedStringForKey:value:table:"), key, title, static_cast<rt::Object*>(nullptr));
    }
    rt::Object* operator()(const std::string& key) const { return (*this)(ns(key)); }
};

void fillMissingIcon(rt::Object* cell)
{
    rt::Object* icon = rt::send<rt::Object*>(cell, SELECTOR("iconImageView"));
    if (!secondPass.isTableIconsEnabled) {
        rt::send(icon, SELECTOR("setHidden:"), true);
        return;
    }
    rt::Object* imageView = rt::send<rt::Object*>(cell, SELECTOR("imageView"));
    if (rt::send<rt::Object*>(imageView, SELECTOR("image")))
        return;
    rt::Object* image = secondPass.isDefaultTweakIconEnabled
        ? rt::send<rt::Object*>(rt::send<rt::Object*>(iconCacheClass.get(), SELECTOR("settingsIconCache")),
            SELECTOR("imageForKey:"), ns("Tweak"))
        : rt::send<rt::Object*>(rt::getClass("UIImage"), SELECTOR("blankIcon"));
    rt::send(imageView, SELECTOR("setImage:"), image);
}

// The subtitle's text: the live state for the connectivity rows, a description for the others.
rt::Object* subtitleText(const RowCell& row, const Localizer& L)
{
    const std::string& id = row.identifier;
    rt::Object* valueText = textOf(row.value);
    if (id == rowid::WiFi || id == rowid::Bluetooth)
        return valueText;
    if (id == rowid::MobileData || id == rowid::PersonalHotspot) {
        rt::Object* off = L(id + "-OFF");
        return rt::send<bool>(valueText, SELECTOR("isEqual:"), off) ? valueText : L(id + "-ON");
    }
    if (id == rowid::VPN)
        return L(id + (rt::send<bool>(row.cell, SELECTOR("isVPNConnected")) ? "-ON" : "-OFF"));
    return L(ns(id));
}

// Builds a new subtitle label under the title, replacing the one an earlier pass made.
void buildSubtitle(const RowCell& row, const Localizer& L)
{
    rt::send(row.value, SELECTOR("setHidden:"), true);
    rt::send(rt::send<rt::Object*>(row.cell, SELECTOR("customDetailLabel")), SELECTOR("removeFromSuperview"));
    auto label = rt::newObject(rt::getClass("UILabel"));
    rt::send(row.cell, SELECTOR("setCustomDetailLabel:"), label.get());
    rt::send(label, SELECTOR("setFont:"),
        rt::send<rt::Object*>(rt::getClass("UIFont"), SELECTOR("systemFontOfSize:"), kSubtitleFontSize));
    rt::send(label, SELECTOR("setNumberOfLines:"), 0L);
    rt::send(label, SELECTOR("setTranslatesAutoresizingMaskIntoConstraints:"), false);
    rt::send(rt::send<rt::Object*>(row.cell, SELECTOR("contentView")), SELECTOR("addSubview:"), label.get());
    rt::send(label, SELECTOR("setTextColor:"),
        secondPass.isCustomLabelColor
            ? pickedColor(ColorOption::colorBottomLabel)
            : rt::send<rt::Object*>(rt::getClass("UIColor"), SELECTOR("secondaryLabelColor")));
    constrainRowSubtitle(row.cell, label.get());
    rt::send(label, SELECTOR("setText:"), subtitleText(row, L));
}

// A title in capitals without spaces has the shape of a key that was never translated. Only
// ASCII letters count as cased here, so the shape alone does not make a key: see isKey.
bool looksLikeKey(const std::string& text)
{
    for (unsigned char c : text)
        if ((c >= 'a' && c <= 'z') || c == ' ' || (c >= '\t' && c <= '\r'))
            return false;
    return true;
}

// A key is what the strings table holds: asked without a fallback, the bundle answers a key it
// lacks with the key itself. A title in Greek or Cyrillic capitals is no key of ours.
bool isKey(rt::Object* bundle, rt::Object* text)
{
    if (!bundle || !looksLikeKey(toStdString(text)))
        return false;
    rt::Object* entry = rt::send<rt::Object*>(bundle, SELECTOR("localizedStringForKey:value:table:"), text,
        static_cast<rt::Object*>(nullptr), static_cast<rt::Object*>(nullptr));
    return isString(entry) && !rt::send<bool>(entry, SELECTOR("isEqualToString:"), text);
}

// The rows whose subtitle is a live state (their value text, or an "-ON" or "-OFF" entry). Every
// other row's subtitle is the table's entry under its identifier.
bool showsLiveState(const std::string& id)
{
    return id == rowid::WiFi || id == rowid::Bluetooth || id == rowid::MobileData || id == rowid::PersonalHotspot
        || id == rowid::VPN;
}

// A lookup that has no text for the title (no localization bundle) leaves the row its name.
void retitle(const RowCell& row, rt::Object* text)
{
    if (isString(text) && !toStdString(text).empty())
        rt::send(row.title, SELECTOR("setText:"), text);
}

// A row titled with its identifier is looked up under it, unless that entry is the row's
// description: one key cannot give both the title and the subtitle, and the row keeps the
// title the host gave it rather than show its description twice.
void relocalizeTitle(const RowCell& row, rt::Object* bundle, const Localizer& L)
{
    std::string title = toStdString(L.title);
    if (title == row.identifier && row.identifier != rowid::General) {
        if (showsLiveState(row.identifier))
            retitle(row, L(ns(row.identifier)));
        return;
    }
    if (isKey(bundle, L.title))
        retitle(row, L(L.title));
}

// A reused cell can carry the subtitle an earlier pass built for another row. A row that gets no
// subtitle of its own must not show that one.
void dropStaleSubtitle(rt::Object* cell)
{
    rt::Object* stale = rt::send<rt::Object*>(cell, SELECTOR("customDetailLabel"));
    if (!stale)
        return;
    rt::send(stale, SELECTOR("removeFromSuperview"));
    rt::send(cell, SELECTOR("setCustomDetailLabel:"), static_cast<rt::Object*>(nullptr));
}

// The family row keeps the host's look entirely, table colour included. A cell reused from
// another root row carries what the passes did to that row (its subtitle, its title raised and
// held by constraints, a hidden or see-through value label, a hidden icon), and the family row
// would show the count of its members in none of it; so all of that goes back to the host's.
void giveBackHostLook(const RowCell& row)
{
    dropStaleSubtitle(row.cell);
    releaseRowTitle(row.title);
    rt::send(row.value, SELECTOR("setHidden:"), false);
    rt::send(row.value, SELECTOR("setTextColor:"),
        secondPass.isCustomDetailLabelColor
            ? pickedColor(ColorOption::colorDetail)
            : rt::send<rt::Object*>(rt::getClass("UIColor"), SELECTOR("secondaryLabelColor")));
    rt::send(rt::send<rt::Object*>(row.cell, SELECTOR("iconImageView")), SELECTOR("setHidden:"), false);
}

void describeRootRow(const RowCell& row)
{
    if (!(row.cell->isa() == accountCellClass.get()) && row.identifier != rowid::Banner)
        constrainRowTitle(row.cell, row.title);
    if (rt::isKindOf(row.cell, bannerImageCellClass.get()) || row.identifier == rowid::Banner
        || row.identifier == rowid::Account || row.identifier.empty())
        return dropStaleSubtitle(row.cell);
    rt::Object* bundle
        = rt::send<rt::Object*>(rt::getClass("NSBundle"), SELECTOR("bundleWithPath:"), ns(kLocalizationBundle));
    fillMissingIcon(row.cell);
    if (secondPass.tableViewLabelsEnabled) {
        buildSubtitle(row, Localizer { bundle, textOf(row.title) });
    } else if (secondPass.isDetailLabelEnabled) {
        rt::send(row.value, SELECTOR("setHidden:"), true);
    }
    relocalizeTitle(row, bundle, Localizer { bundle, textOf(row.title) });
}

void describeRow(const RowCell& row)
{
    rt::Object* controller = owningController(row.cell);
    if (rt::isKindOf(controller, rootPageClass.get()))
        describeRootRow(row);
    else if (rt::isKindOf(controller, aboutPageClass.get()))
        replaceAboutValue(row.identifier, row.value);
    else if (rt::isKindOf(controller, batteryPageClass.get()))
        replaceBatteryValue(row.identifier, row.value);
    else if (rt::isKindOf(controller, connectivityPageClass.get())
        || rt::isKindOf(controller, generalModuleClass.get()))
        adjustModuleRow(row.identifier, row.title, row.value);
}

}

void loadSubtitle(rt::Object* cell, rt::SEL)
{
    rt::AutoreleasePool pool;
    RowCell row { cell, identifierOf(rt::send<rt::Object*>(cell, SELECTOR("specifier"))), cellIvar(cell, "_textLabel"),
        cellIvar(cell, "_detailTextLabel") };
    if (row.identifier == rowid::Family)
        return giveBackHostLook(row);
    if (secondPass.isCustomDetailLabelColor)
        rt::send(row.value, SELECTOR("setTextColor:"), pickedColor(ColorOption::colorDetail));
    if (secondPass.isCustomLabelColor)
        rt::send(row.title, SELECTOR("setTextColor:"), pickedColor(ColorOption::colorTopLabel));
    applyIconRounding(cell);
    describeRow(row);
    applyTableColorRule(cell);
}

}
