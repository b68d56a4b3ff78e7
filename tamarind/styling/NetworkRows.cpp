#include <arpa/inet.h>
#include <netinet/in.h>
#include <string_view>

#include "host/foundation/String.h"
#include "host/foundation/SystemProxySettings.h"
#include "host/platform/Network.h"
#include "tamarind/core/RowIdentifiers.h"
#include "tamarind/core/Rows.h"
#include "tamarind/styling/RowSubtitles.h"

// The live network state that the connectivity rows show: whether a VPN is up, and the Wi-Fi
// address.

namespace tamarind {

namespace {

// Interface names that a VPN's tunnel takes, tested in this order.
constexpr const char* kTunnelMarkers[] = { "tap", "tun", "ipsec", "ppp" };

bool namesTunnel(std::string_view name)
{
    for (const char* marker : kTunnelMarkers)
        if (name.find(marker) != std::string_view::npos)
            return true;
    return false;
}

// The IPv4 address of "en0" into the label; the last such address in the list wins. A failing
// query leaves the label as it was.
void showWiFiAddress(rt::Object* label)
{
    struct ifaddrs* list = nullptr;
    if (platform::getifaddrs(&list) != 0)
        return;
    for (struct ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET || std::string_view(entry->ifa_name) != "en0")
            continue;
        in_addr address = reinterpret_cast<sockaddr_in*>(entry->ifa_addr)->sin_addr;
        rt::send(label, SELECTOR("setText:"), ns(inet_ntoa(address)));
    }
    platform::freeifaddrs(list);
}

}

bool isVPNConnected(rt::Object*, rt::SEL)
{
    rt::AutoreleasePool pool;
    rt::Ref<rt::Object> settings = rt::adopt(CFNetworkCopySystemProxySettings());
    rt::Object* scoped = rt::send<rt::Object*>(settings.get(), SELECTOR("objectForKey:"), ns("__SCOPED__"));
    rt::Object* names = rt::send<rt::Object*>(scoped, SELECTOR("allKeys"));
    for (unsigned long i = 0, n = countOf(names); i < n; ++i)
        if (namesTunnel(toStdString(objectAt(names, i))))
            return true;
    return false;
}

// Every label of the content view after its first subview gets the address, the subtitle
// included; the interface list is read again for each.
void setIPAddress(rt::Object* cell, rt::SEL)
{
    if (identifierOf(rt::send<rt::Object*>(cell, SELECTOR("specifier"))) != rowid::WiFi)
        return;
    rt::AutoreleasePool pool;
    rt::Object* subviews
        = rt::send<rt::Object*>(rt::send<rt::Object*>(cell, SELECTOR("contentView")), SELECTOR("subviews"));
    rt::Class* labelClass = rt::getClass("UILabel");
    for (unsigned long i = 1, n = countOf(subviews); i < n; ++i)
        if (rt::Object* view = objectAt(subviews, i); rt::isKindOf(view, labelClass))
            showWiFiAddress(view);
}

}
