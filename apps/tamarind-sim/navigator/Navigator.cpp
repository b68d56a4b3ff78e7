#include "Navigator.h"

#include <cstdio>
#include <vector>

#include "host/foundation/Geometry.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/preferences/PSListController.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/SettingsApp.h"
#include "host/preferences/SettingsSplitView.h"
#include "host/uikit/UIGestureRecognizer.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITableViewCell.h"

namespace {

// One tap on the way to a page: the row to tap, and the module row that holds it when the
// library has moved it off the page (General's own rows live in the General module then).
struct Step {
    const char* rowID;
    const char* via { nullptr };
};

struct Route {
    const char* page;
    std::vector<Step> steps;
    double settleSeconds { 0 }; // time the page is given after it opened, for its first timer ticks
    // A page of a preference pane outside the library, pushed by its class after the steps, and
    // the title its pane gives it.
    const char* pushClass { nullptr };
    const char* pushTitle { nullptr };
};

const std::vector<Route> kRoutes = {
    { "root", {} },
    { "connectivity", { { "CONNECTIVITY_MODULE" } } },
    { "notifications", { { "NOTIFICATIONS_MODULE" } } },
    { "general", { { "GENERAL_MODULE" } } },
    { "tweaks", { { "TWEAKS_CELL" } } },
    { "apps", { { "APPS_CELL" } } },
    { "system-apps", { { "SYSTEM_APPS_CELL" } } },
    // The About page's uptime row shows its first text one second after the page appears.
    { "about", { { "General", "GENERAL_MODULE" }, { "About" } }, 1.0 },
    { "storage", { { "General", "GENERAL_MODULE" }, { "STORAGE_MGMT" } } },
    { "battery", { { "BATTERY_USAGE", "GENERAL_MODULE" }, { "BATTERY_HEALTH" } } },
    { "bluetooth", { { "Bluetooth", "CONNECTIVITY_MODULE" } } },
    { "keyboards", { { "General", "GENERAL_MODULE" }, { "Keyboard" } } },
    { "snowboard", { { "Snowboard", "TWEAKS_CELL" } } },
    // A preference pane with a slider row.
    { "quick-notes", { { "Quick Notes", "TWEAKS_CELL" } } },
    { "general-settings", { { "General", "GENERAL_MODULE" } } },
    // The preference pane's own pages, as its root page pushes them.
    { "offsets", {}, 0, "OffsetsRootListController", "Offsets" },
    { "table-cells", {}, 0, "SORRELTableCellRootListController", "Table Cells" },
};

const Route* routeOf(const std::string& page)
{
    for (auto& r : kRoutes)
        if (page == r.page)
            return &r;
    return nullptr;
}

}

const char* const* Navigator::pageNames()
{
    static const char* names[] = { "root", "connectivity", "notifications", "general", "tweaks", "apps", "system-apps",
        "about", "storage", "battery", "bluetooth", "keyboards", "snowboard", "quick-notes", "general-settings", "offsets",
        "table-cells", nullptr };
    return names;
}

bool Navigator::isKnownPage(const std::string& page) { return routeOf(page); }

void Navigator::settle()
{
    RunLoop::main().runUntilIdle();
    rt::send(settings::window(), SELECTOR("layoutIfNeeded"));
    RunLoop::main().runUntilIdle();
}

void Navigator::launch(long interfaceStyle, double settleSeconds)
{
    settings::launch(interfaceStyle);
    settle();
    RunLoop::main().advance(settleSeconds);
    settle();
}

rt::Object* Navigator::topPage() const { return settings::topPage(); }

void Navigator::back()
{
    rt::send<rt::Object*>(settings::navigationController(), SELECTOR("popViewControllerAnimated:"), true);
    settle();
}

void Navigator::returnToRoot()
{
    if (!settings::splitViewController()) {
        rt::send<rt::Object*>(settings::navigationController(), SELECTOR("popToRootViewControllerAnimated:"), false);
        settle();
        return;
    }
    // On an iPad the root list never leaves its column: the page beside it goes, and with it the
    // root row's selection.
    rt::Object* root = settings::rootPage();
    settings::showBeside(root, nullptr);
    rt::Object* table = rt::send<rt::Object*>(root, SELECTOR("table"));
    if (rt::Object* selected = rt::send<rt::Object*>(table, SELECTOR("indexPathForSelectedRow")))
        rt::send(table, SELECTOR("deselectRowAtIndexPath:animated:"), selected, false);
    settle();
}

rt::Object* Navigator::pageWithRow(const std::string& rowID) const
{
    if (hasRow(topPage(), rowID))
        return topPage();
    // On an iPad the root list stays in sight beside the page on top, and its rows can be tapped.
    if (settings::splitViewController() && hasRow(settings::rootPage(), rowID))
        return settings::rootPage();
    return nullptr;
}

// A root row that leads to a page whose page cannot be built leaves the secondary column of an
// iPad empty; the person running the simulator is told why.
void Navigator::reportEmptyColumn(rt::Object* page, rt::Object* row) const
{
    if (page != settings::rootPage() || !settings::splitViewController() || settings::showsPageBeside()
        || !settings::isLinkRow(row))
        return;
    rt::Class* detail = rt::send<rt::Class*>(row, SELECTOR("detailControllerClass"));
    std::string why = detail ? "its page class " + std::string(detail->name()) + " is not a page"
                             : "Settings has no page class for it";
    std::fprintf(stderr, "tamarind-sim: warning: root row %s opens no page beside the list: %s\n",
        static_cast<PSSpecifier*>(row)->identifier().c_str(), why.c_str());
}

bool Navigator::scroll(double dy, std::string& error)
{
    rt::AutoreleasePool pool;
    rt::Object* table = rt::send<rt::Object*>(topPage(), SELECTOR("table"));
    if (!table) {
        error = "the page on top does not scroll";
        return false;
    }
    CGPoint offset = rt::send<CGPoint>(table, SELECTOR("contentOffset"));
    rt::send(table, SELECTOR("setContentOffset:"), CGPoint { offset.x, offset.y + dy });
    settle();
    return true;
}

void Navigator::pushRootPage()
{
    rt::AutoreleasePool pool;
    auto page = rt::newObject(rt::getClass("PSUIPrefsListController"));
    rt::send(settings::navigationController(), SELECTOR("pushViewController:animated:"), page.get(), true);
    settle();
    m_pageName = "root";
}

bool Navigator::tap(const std::string& rowID, std::string& error)
{
    rt::Object* tapped = nullptr;
    rt::Object* page = selectRow(rowID, tapped, error);
    if (page)
        reportEmptyColumn(page, tapped);
    return page;
}

rt::Object* Navigator::selectRow(const std::string& rowID, rt::Object*& tapped, std::string& error)
{
    rt::AutoreleasePool pool;
    rt::Object* page = pageWithRow(rowID);
    if (!page)
        page = topPage();
    if (!isListController(page)) {
        error = "the page on top has no rows to tap";
        return nullptr;
    }
    auto sections = static_cast<PSListController*>(page)->sections();
    for (size_t s = 0; s < sections.size(); ++s) {
        for (size_t r = 0; r < sections[s].rows.size(); ++r) {
            if (static_cast<PSSpecifier*>(sections[s].rows[r])->identifier() != rowID)
                continue;
            rt::Object* indexPath = rt::send<rt::Object*>(rt::getClass("NSIndexPath"), SELECTOR("indexPathForRow:inSection:"),
                static_cast<long>(r), static_cast<long>(s));
            rt::Object* table = rt::send<rt::Object*>(page, SELECTOR("table"));
            rt::Object* delegate = rt::send<rt::Object*>(table, SELECTOR("delegate"));
            rt::send(delegate ? delegate : page, SELECTOR("tableView:didSelectRowAtIndexPath:"), table, indexPath);
            settle();
            tapped = sections[s].rows[r];
            return page;
        }
    }
    error = "no row " + rowID + " on the page";
    return nullptr;
}

bool Navigator::findRow(rt::Object* page, const std::string& rowID, long& section, long& row) const
{
    if (!isListController(page))
        return false;
    auto sections = static_cast<PSListController*>(page)->sections();
    for (size_t s = 0; s < sections.size(); ++s)
        for (size_t r = 0; r < sections[s].rows.size(); ++r)
            if (static_cast<PSSpecifier*>(sections[s].rows[r])->identifier() == rowID) {
                section = static_cast<long>(s);
                row = static_cast<long>(r);
                return true;
            }
    return false;
}

bool Navigator::doubleTap(const std::string& rowID, std::string& error)
{
    rt::AutoreleasePool pool;
    long section = 0, row = 0;
    rt::Object* page = pageWithRow(rowID);
    if (!findRow(page, rowID, section, row)) {
        error = "no row " + rowID + " on the page";
        return false;
    }
    auto* table
        = rt::dynamicCast<UITableView>(rt::send<rt::Object*>(page, SELECTOR("table")), UITableView::classObject());
    if (!table) {
        error = "the page on top has no table";
        return false;
    }
    // A row out of sight is scrolled to the middle first, as a person would before tapping it.
    CGRect rect = table->rectForRow(section, row);
    CGRect visible = table->bounds();
    if (rect.origin.y < visible.origin.y || rect.origin.y + rect.size.height > visible.origin.y + visible.size.height) {
        table->setContentOffset({ 0, std::max(0.0, rect.origin.y - visible.size.height / 2) });
        settle();
    }
    rt::Object* cell = rt::send<rt::Object*>(table, SELECTOR("cellForRowAtIndexPath:"),
        rt::send<rt::Object*>(rt::getClass("NSIndexPath"), SELECTOR("indexPathForRow:inSection:"), row, section));
    if (auto* tableCell = rt::dynamicCast<UITableViewCell>(cell, UITableViewCell::classObject()))
        deliverTaps(tableCell->contentView(), 2);
    settle();
    return true;
}

bool Navigator::open(const std::string& page, std::string& error)
{
    const Route* route = routeOf(page);
    if (!route) {
        error = "unknown page \"" + page + "\"";
        return false;
    }
    returnToRoot();
    m_pageName = "root";
    for (auto& step : route->steps) {
        std::string tapError;
        rt::Object* before = topPage();
        rt::Object* row = nullptr;
        bool tapped = pageWithRow(step.rowID)
            ? selectRow(step.rowID, row, tapError) != nullptr
            : step.via && selectRow(step.via, row, tapError) && selectRow(step.rowID, row, tapError);
        if (!tapped) {
            error = "page \"" + page + "\" cannot be reached: no row " + step.rowID + " on the way with the options in force";
            return false;
        }
        if (topPage() == before) {
            error = "page \"" + page + "\" did not open from its row " + step.rowID;
            return false;
        }
    }
    if (route->pushClass && !pushPage(route->pushClass, route->pushTitle)) {
        error = "page \"" + page + "\" is not on this device (no class " + route->pushClass + ")";
        return false;
    }
    m_pageName = page;
    if (route->settleSeconds > 0) {
        RunLoop::main().advance(route->settleSeconds);
        settle();
    }
    return true;
}

bool Navigator::pushPage(const char* className, const char* title)
{
    rt::Class* cls = rt::getClass(className);
    if (!cls)
        return false;
    auto page = rt::newObject(cls);
    rt::send(page.get(), SELECTOR("setTitle:"), ns(title));
    rt::send(settings::navigationController(), SELECTOR("pushViewController:animated:"), page.get(), true);
    settle();
    return true;
}

bool Navigator::hasRow(rt::Object* page, const std::string& rowID) const
{
    if (!isListController(page))
        return false;
    for (auto& section : static_cast<PSListController*>(page)->sections())
        for (rt::Object* row : section.rows)
            if (static_cast<PSSpecifier*>(row)->identifier() == rowID)
                return true;
    return false;
}
