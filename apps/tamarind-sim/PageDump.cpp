#include "PageDump.h"

#include "AlertDump.h"
#include "BannerDump.h"
#include "CellDump.h"
#include "DeviceInfoDump.h"
#include "NavigationDump.h"
#include "RootControlsDump.h"
#include "SplitViewDump.h"
#include "TableDump.h"

#include "host/foundation/Geometry.h"
#include "host/foundation/Log.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/foundation/UserDefaults.h"
#include "host/preferences/PSListController.h"
#include "host/preferences/PSSpecifier.h"

using nlohmann::json;

namespace {

// The preference a pane's row names, with what its domain stores now (null while nothing is).
json preferenceOf(PSSpecifier* spec)
{
    rt::Object* domain = spec->property("defaults");
    rt::Object* key = spec->property("key");
    if (!isString(domain) || !isString(key))
        return nullptr;
    auto defaults = NSUserDefaults::create(toStdString(domain));
    rt::Object* stored = defaults->object(toStdString(key));
    json value = isNumber(stored) ? json(static_cast<NSNumber*>(stored)->doubleValue())
        : isString(stored)        ? json(toStdString(stored))
                                  : json(nullptr);
    if (isNumber(stored) && static_cast<NSNumber*>(stored)->kind() == NSNumber::Kind::Bool)
        value = static_cast<NSNumber*>(stored)->boolValue();
    return { { "defaults", toStdString(domain) }, { "key", toStdString(key) }, { "stored", value } };
}

json dumpRow(rt::Object* row)
{
    auto* spec = static_cast<PSSpecifier*>(row);
    json j;
    j["id"] = spec->identifier();
    j["name"] = toStdString(spec->name());
    if (rt::Object* value = spec->property("value"))
        j["value"] = optionalText(value);
    if (json preference = preferenceOf(spec); !preference.is_null())
        j["preference"] = preference;
    rt::Object* icon = spec->property("iconImage");
    j["icon"] = icon != nullptr;
    if (icon) {
        CGSize size = rt::send<CGSize>(icon, SELECTOR("size"));
        j["iconSize"] = { size.width, size.height };
    }
    return j;
}

}

json dumpPage(rt::Object* page, const std::string& pageName, CellScan scan)
{
    rt::AutoreleasePool pool;
    json j;
    j["page"] = pageName;
    j["title"] = optionalText(rt::send<rt::Object*>(page, SELECTOR("title")));
    j["class"] = page ? page->isa()->name() : "";
    rt::Object* parent = rt::respondsTo(page, rt::sel("parentController"))
        ? rt::send<rt::Object*>(page, SELECTOR("parentController"))
        : nullptr;
    j["parentController"] = parent ? json(parent->isa()->name()) : json(nullptr);
    json sections = json::array();
    if (isListController(page)) {
        // What the page answers now, as the table would show after a reload.
        rt::send<rt::Object*>(page, SELECTOR("specifiers"));
        rt::Object* table = rt::send<rt::Object*>(page, SELECTOR("table"));
        auto all = static_cast<PSListController*>(page)->sections();
        auto cells = scan == CellScan::Scroll ? dumpCells(page) : std::vector<std::vector<json>> {};
        for (size_t s = 0; s < all.size(); ++s) {
            json section;
            section["header"] = optionalText(rt::send<rt::Object*>(
                page, SELECTOR("tableView:titleForHeaderInSection:"), table, static_cast<long>(s)));
            if (all[s].group)
                section["group"] = static_cast<PSSpecifier*>(all[s].group)->identifier();
            json rows = json::array();
            for (size_t r = 0; r < all[s].rows.size(); ++r) {
                json row = dumpRow(all[s].rows[r]);
                if (s < cells.size() && r < cells[s].size())
                    row["cell"] = cells[s][r];
                rows.push_back(row);
            }
            section["rows"] = rows;
            // Finding a footer scrolls the table to it, which a dump in the background must not.
            json footer = scan == CellScan::Scroll ? dumpSectionFooter(page, static_cast<long>(s)) : json();
            if (!footer.is_null())
                section["footer"] = footer;
            sections.push_back(section);
        }
        if (scan == CellScan::Scroll)
            j["table"] = dumpTable(page);
        if (json bar = dumpCapacityBar(page); !bar.is_null())
            j["capacityBar"] = bar;
    }
    j["sections"] = sections;
    j["navigationBar"] = dumpNavigationBar(page);
    if (json scrolling = dumpScrolling(page); scrolling.is_object())
        j.update(scrolling);
    if (json root = dumpRootPageState(page); root.is_object())
        j["rootPage"] = root;
    if (pageName == "root")
        j["banner"] = dumpBanner(page);
    if (json alert = dumpAlert(); !alert.is_null())
        j["alert"] = alert;
    if (json controls = dumpRootControls(page); !controls.is_null())
        j["rootControls"] = controls;
    if (json split = dumpSplitView(); !split.is_null())
        j["splitView"] = split;
    j["spawned"] = dumpSpawned();
    // What the device wrote to its system log so far, oldest first.
    j["log"] = LogCapture().lines();
    return j;
}

std::string jsonText(const json& value, int indent)
{
    return value.dump(indent, ' ', false, json::error_handler_t::replace);
}
