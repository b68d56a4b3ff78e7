#include "Navigator.h"

#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/preferences/PSListController.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/SettingsApp.h"

namespace {

struct Route {
    const char* page;
    const char* rowID;
};

constexpr Route kRoutes[] = {
    { "root", nullptr },
    { "connectivity", "CONNECTIVITY_MODULE" },
    { "notifications", "NOTIFICATIONS_MODULE" },
    { "general", "GENERAL_MODULE" },
    { "tweaks", "TWEAKS_CELL" },
    { "apps", "APPS_CELL" },
    { "system-apps", "SYSTEM_APPS_CELL" },
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
    static const char* names[] = { "root", "connectivity", "notifications", "general", "tweaks", "apps", "system-apps", nullptr };
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

bool Navigator::tap(const std::string& rowID, std::string& error)
{
    rt::AutoreleasePool pool;
    rt::Object* page = topPage();
    if (!isListController(page)) {
        error = "the page on top has no rows to tap";
        return false;
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
            return true;
        }
    }
    error = "no row " + rowID + " on the page";
    return false;
}

bool Navigator::open(const std::string& page, std::string& error)
{
    const Route* route = routeOf(page);
    if (!route) {
        error = "unknown page \"" + page + "\"";
        return false;
    }
    rt::send<rt::Object*>(settings::navigationController(), SELECTOR("popToRootViewControllerAnimated:"), false);
    settle();
    m_pageName = "root";
    if (!route->rowID)
        return true;
    std::string tapError;
    if (!tap(route->rowID, tapError)) {
        error = "page \"" + page + "\" cannot be reached: the root list has no row " + route->rowID + " with the options in force";
        return false;
    }
    if (topPage() == settings::rootPage()) {
        error = "page \"" + page + "\" did not open from its row " + route->rowID;
        return false;
    }
    m_pageName = page;
    return true;
}
