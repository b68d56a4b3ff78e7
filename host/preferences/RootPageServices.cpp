#include "host/preferences/RootPageServices.h"

#include <nlohmann/json.hpp>

#include "host/foundation/NotificationCenter.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/preferences/PSUIPrefsListController.h"

using rt::Object;
using rt::SEL;

namespace {

constexpr double kBluetoothReportDelay = 0.1;

PSUIPrefsListController* rootPage(Object* o)
{
    return static_cast<PSUIPrefsListController*>(o);
}

const nlohmann::json& deviceKey(const char* key)
{
    static const nlohmann::json none;
    auto& json = currentDevice().json;
    if (!json || !json->is_object() || !json->contains(key))
        return none;
    return (*json)[key];
}

bool deviceFlag(const char* key, bool fallback)
{
    auto& value = deviceKey(key);
    return value.is_boolean() ? value.get<bool>() : fallback;
}

std::string deviceText(const char* key)
{
    auto& value = deviceKey(key);
    return value.is_string() ? value.get<std::string>() : std::string();
}

// Shows `text` as the value of the page's row with the identifier, if the page shows that row.
void showRowValue(Object* page, const char* rowID, const std::string& text)
{
    Object* row = rt::send<Object*>(page, SELECTOR("specifierForID:"), ns(rowID));
    if (!row || !rt::send<bool>(rt::send<Object*>(page, SELECTOR("specifiers")), SELECTOR("containsObject:"), row))
        return;
    rt::send(row, SELECTOR("setProperty:forKey:"), ns(text), ns("value"));
    rt::send(rt::send<Object*>(page, SELECTOR("table")), SELECTOR("reloadData"));
}

// The family service answers with the circle's members; the caller's completion shows them.
void updateFamily(Object* self, SEL, rt::BlockBase* completion)
{
    auto& members = deviceKey("family");
    rootPage(self)->setFamilyMemberCount(members.is_array() ? static_cast<long>(members.size()) : 0);
    rt::callBlock<void()>(completion);
}

void updateVideoSubscriber(Object* self, SEL, rt::BlockBase* completion)
{
    rootPage(self)->setVideoSubscriberProvider(deviceText("videoSubscriberProvider"));
    rt::callBlock<void()>(completion);
}

void bluetoothPowerChanged(Object* self, SEL, Object*)
{
    showRowValue(self, "Bluetooth", deviceFlag("bluetoothPower", true) ? "On" : "Off");
}

bool shouldShowEthernet(Object*, SEL)
{
    return deviceFlag("ethernetConnected", false);
}
bool exposureAvailable(Object*, SEL)
{
    return deviceFlag("exposureNotificationsAvailable", true);
}

// When the TV provider account is known, its row shows the provider and joins the list.
void showVideoSubscriber(PSUIPrefsListController* page, double delay, const std::string& after)
{
    rt::Weak<Object> weakPage(page);
    RunLoop::main().addTimer(delay, [weakPage, after] {
        auto strong = weakPage.load();
        if (!strong)
            return;
        auto completion = rt::makeBlock<void()>([weakPage, after] {
            auto page = weakPage.load();
            if (!page)
                return;
            rt::AutoreleasePool pool;
            Object* row = rootPage(page.get())->videoSubscriberSpecifier();
            const std::string& provider = rootPage(page.get())->videoSubscriberProvider();
            if (row && !provider.empty())
                rt::send(row, SELECTOR("setProperty:forKey:"), ns(provider), ns("value"));
            rt::send(page.get(), SELECTOR("insertSpecifier:afterSpecifierID:animated:"), row, ns(after), true);
        });
        rt::send(strong.get(), SELECTOR("updateVideoSubscriberAccountWithCompletion:"),
            static_cast<rt::BlockBase*>(completion.get()));
    });
}

}

void registerRootPageServiceMethods(rt::Class* c)
{
    using namespace rt;
    addMethod(c, sel("updateFamilyWithCompletion:"), &updateFamily);
    addMethod(c, sel("updateVideoSubscriberAccountWithCompletion:"), &updateVideoSubscriber);
    addMethod(c, sel("bluetoothPowerChanged:"), &bluetoothPowerChanged);
    addMethod(c, sel("shouldShowEthernetSpecifier"), &shouldShowEthernet);
    addMethod(c, sel("_exposureNotificationAvailable"), &exposureAvailable);
}

void startRootPageServices(Object* page)
{
    rt::Weak<Object> weakPage(page);
    RunLoop::main().addTimer(0, [weakPage] {
        auto page = weakPage.load();
        if (!page)
            return;
        auto completion = rt::makeBlock<void()>([weakPage] {
            auto page = weakPage.load();
            if (!page)
                return;
            rt::AutoreleasePool pool;
            long count = rootPage(page.get())->familyMemberCount();
            if (count > 0)
                showRowValue(page.get(), "Family", std::to_string(count) + " Members");
        });
        rt::send(page.get(), SELECTOR("updateFamilyWithCompletion:"), static_cast<rt::BlockBase*>(completion.get()));
    });
    NotificationCenter::defaultCenter().addObserver(
        page, rt::sel("bluetoothPowerChanged:"), kBluetoothPowerChangedNotification);
    if (deviceKey("bluetoothPower").is_boolean())
        RunLoop::main().addTimer(kBluetoothReportDelay,
            [] { NotificationCenter::defaultCenter().post(kBluetoothPowerChangedNotification); });
    for (auto& insertion : currentDevice().insertions)
        if (insertion.row.id == "VIDEO_SUBSCRIBER")
            showVideoSubscriber(rootPage(page), insertion.delay, insertion.after);
}
