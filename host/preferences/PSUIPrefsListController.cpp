#include "host/preferences/PSUIPrefsListController.h"

#include "host/foundation/Array.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Number.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/preferences/PSKeyboardNavigationSearchBar.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/RootPageServices.h"
#include "host/runtime/Bind.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

Object* iconFor(const std::string& key)
{
    if (key.empty())
        return nullptr;
    Object* cache = rt::send<Object*>(rt::getClass("PKIconImageCache"), SELECTOR("settingsIconCache"));
    return rt::send<Object*>(cache, SELECTOR("imageForKey:"), ns(key));
}

Object* appRows(Object* target)
{
    auto rows = NSArray::createMutable();
    for (auto& row : currentDevice().appRows)
        rows->add(makeDeviceSpecifier(row, target));
    return rt::autorelease(std::move(rows));
}

using AppRowsCompletion = void(Object*, Object*);

void loadThirdPartySpecifiers(Object* self, SEL, Object*, rt::BlockBase* completion)
{
    Object* rows = appRows(self);
    rt::callBlock<AppRowsCompletion>(completion, rows, static_cast<Object*>(rt::autorelease(NSDictionary::create())));
}

void loadThirdPartySpecifiersWithAppClips(Object* self, SEL, Object* apps, bool, rt::BlockBase* completion)
{
    loadThirdPartySpecifiers(self, nullptr, apps, completion);
}

void updateFollowups(Object* self, SEL, rt::BlockBase* completion)
{
    for (auto& row : currentDevice().followups) {
        if (rt::send<Object*>(self, SELECTOR("specifierForID:"), ns(row.id)))
            continue;
        rt::send(self, SELECTOR("insertSpecifier:afterSpecifierID:animated:"), makeDeviceSpecifier(row, self),
            ns("FollowUpList_com.apple.followup.-group.account"), false);
    }
    rt::callBlock<void()>(completion);
}

// What Settings does after its root page loaded, each at its own time on the main queue.
void scheduleLaterWork(PSUIPrefsListController* page)
{
    rt::Weak<Object> weakPage(page);
    RunLoop::main().addTimer(0, [weakPage] {
        if (auto page = weakPage.load())
            rt::send(page, SELECTOR("updateFollowupSpecifiersWithCompletion:"), rt::makeBlock<void()>([] { }).get());
    });
    // The TV provider row waits for its account check (startRootPageServices).
    for (auto& insertion : currentDevice().insertions) {
        if (insertion.row.id == "VIDEO_SUBSCRIBER")
            continue;
        RunLoop::main().addTimer(insertion.delay, [weakPage, insertion] {
            auto page = weakPage.load();
            if (!page)
                return;
            rt::AutoreleasePool pool;
            rt::send(page, SELECTOR("insertSpecifier:afterSpecifierID:animated:"),
                makeDeviceSpecifier(insertion.row, page), ns(insertion.after), true);
        });
    }
    startRootPageServices(page);
    RunLoop::main().addTimer(currentDevice().appRowsDelay, [weakPage] {
        auto page = weakPage.load();
        if (!page)
            return;
        rt::Weak<Object> target(page.get());
        auto completion = rt::makeBlock<AppRowsCompletion>([target](Object* rows, Object*) {
            if (auto page = target.load())
                rt::send(page, SELECTOR("addSpecifiersFromArray:animated:"), rows, true);
        });
        Object* apps = rt::autorelease(NSArray::create());
        if (systemVersionAtLeast(15))
            rt::send(page, SELECTOR("_reallyLoadThirdPartySpecifiersForApps:shouldAddAppClipSpecifier:withCompletion:"), apps, true,
                static_cast<rt::BlockBase*>(completion.get()));
        else
            rt::send(page, SELECTOR("_reallyLoadThirdPartySpecifiersForApps:withCompletion:"), apps,
                static_cast<rt::BlockBase*>(completion.get()));
    });
}

// The root page's own look: the large title "Settings" and the search field under it, which
// Settings' Spotlight search controller owns.
void configureNavigationItem(Object* self)
{
    rt::send(self, SELECTOR("setTitle:"), ns("Settings"));
    Object* item = rt::send<Object*>(self, SELECTOR("navigationItem"));
    rt::send(item, SELECTOR("setLargeTitleDisplayMode:"), 1L);
    rt::send(item, SELECTOR("setSearchController:"), makeSpotlightSearchController().get());
    rt::send(item, SELECTOR("setHidesSearchBarWhenScrolling:"), false);
}

}

Object* makeDeviceSpecifier(const DeviceRow& row, Object* target)
{
    long cellType = PSSpecifier::cellTypeNamed(row.cell);
    Class* detail = row.detail.empty() ? nullptr : rt::getClass(row.detail);
    auto spec = PSSpecifier::create(row.name, target, detail, cellType);
    if (!row.id.empty())
        spec->setProperty(PSIDKey, NSString::create(row.id));
    spec->setProperty("cell", NSString::create(row.cell));
    if (!row.value.empty())
        spec->setProperty("value", NSString::create(row.value));
    if (!row.iconCache.empty()) {
        spec->setProperty("iconCache", NSString::create(row.iconCache));
        spec->setProperty("iconImage", iconFor(row.iconCache));
    }
    if (!row.bundleID.empty())
        spec->setProperty("bundleID", NSString::create(row.bundleID));
    if (!row.cellClass.empty())
        spec->setProperty(PSCellClassKey, NSString::create(row.cellClass));
    for (const auto& [key, value] : row.properties) {
        if (auto* flag = std::get_if<bool>(&value))
            spec->setProperty(key, NSNumber::withBool(*flag));
        else if (auto* number = std::get_if<double>(&value))
            spec->setProperty(key, NSNumber::withDouble(*number));
        else
            spec->setProperty(key, NSString::create(std::get<std::string>(value)));
    }
    return rt::autorelease(std::move(spec));
}

// The root page's own rows: the Apple Account, Wallpaper and exposure rows stand in the list,
// the TV provider row is made now and inserted later.
void PSUIPrefsListController::adoptSpecialRows(NSArray* list)
{
    for (auto& item : list->m_items) {
        std::string id = static_cast<PSSpecifier*>(item.get())->identifier();
        if (id == "APPLE_ACCOUNT")
            m_appleAccountSpecifier = item;
        else if (id == "Wallpaper")
            m_wallpaperSpecifier = item;
        else if (id == "Exposure Notifications")
            m_exposureNotificationSpecifier = item;
    }
    for (auto& insertion : currentDevice().insertions)
        if (insertion.row.id == "VIDEO_SUBSCRIBER")
            m_videoSubscriberSpecifier = makeDeviceSpecifier(insertion.row, this);
}

Object* PSUIPrefsListController::rootSpecifiers()
{
    if (Object* built = specifiersIvar())
        return built;
    auto all = NSArray::createMutable();
    for (auto& row : currentDevice().rootList)
        all->add(makeDeviceSpecifier(row, this));
    adoptSpecialRows(all.get());
    // The Ethernet row shows only while an adapter is connected, and the exposure row only where
    // Exposure Notifications is offered; the page keeps its exposure row either way.
    auto list = NSArray::createMutable();
    for (auto& item : all->m_items) {
        std::string id = static_cast<PSSpecifier*>(item.get())->identifier();
        if (id == "ETHERNET" && !rt::send<bool>(this, SELECTOR("shouldShowEthernetSpecifier")))
            continue;
        if (id == "Exposure Notifications" && !rt::send<bool>(this, SELECTOR("_exposureNotificationAvailable")))
            continue;
        list->add(item.get());
    }
    keepSpecifiers(list.get());
    return list.get();
}

void PSUIPrefsListController::rootViewDidLoad()
{
    rt::sendSuper(this, classObject(), rt::sel("viewDidLoad"));
    configureNavigationItem(this);
    if (m_scheduledLaterWork)
        return;
    m_scheduledLaterWork = true;
    scheduleLaterWork(this);
}

Class* PSUIPrefsListController::classObject()
{
    static Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<PSUIPrefsListController>("PSUIPrefsListController", PSListController::classObject());
        bind<&PSUIPrefsListController::rootSpecifiers>(c, "specifiers");
        bind<&PSUIPrefsListController::rootViewDidLoad>(c, "viewDidLoad");
        addMethod(c, sel("updateFollowupSpecifiersWithCompletion:"), &updateFollowups);
        addMethod(c, sel("_reallyLoadThirdPartySpecifiersForApps:withCompletion:"), &loadThirdPartySpecifiers);
        addMethod(c, sel("_reallyLoadThirdPartySpecifiersForApps:shouldAddAppClipSpecifier:withCompletion:"),
            &loadThirdPartySpecifiersWithAppClips);
        registerRootPageServiceMethods(c);
        addMethod(c, sel("spotlightSearchController"), +[](Object* self, SEL) {
            return send<Object*>(send<Object*>(self, SELECTOR("navigationItem")), SELECTOR("searchController"));
        });
        TAM_HOST_IVAR(c, PSUIPrefsListController, m_wallpaperSpecifier, "_wallpaperSpecifier");
        // Settings renamed the account row's variable in iOS 15.2.
        TAM_HOST_IVAR(c, PSUIPrefsListController, m_appleAccountSpecifier,
            systemVersionAtLeast(15, 2) ? "__appleAccountSpecifier" : "_appleAccountSpecifier");
        TAM_HOST_IVAR(c, PSUIPrefsListController, m_videoSubscriberSpecifier, "_videoSubscriberSpecifier");
        // Settings renamed the exposure row's variable in iOS 15.
        TAM_HOST_IVAR(c, PSUIPrefsListController, m_exposureNotificationSpecifier,
            systemVersionAtLeast(15) ? "__exposureNotificationSpecifier" : "_exposureNotificationSpecifier");
        return c;
    }();
    return cls;
}
