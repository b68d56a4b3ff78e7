#pragma once

#include <ifaddrs.h>
#include <string>
#include <vector>

// The device's network as the C library and the network framework report it, read from
// device.json's "network" object: "interfaces", a list of {"name", "family" ("ipv4" or "ipv6"),
// "address"}, in the order the kernel lists them; and "scopedProxies", the interface names the
// system's proxy settings list under "__SCOPED__" (an active VPN adds a utun, ipsec, ppp, tap or
// tun interface there).

namespace platform {

// getifaddrs over the device's interfaces: a list that only freeifaddrs below may release.
// Answers -1 with errno set when the device describes no interfaces or one that does not parse.
int getifaddrs(struct ifaddrs** list);
void freeifaddrs(struct ifaddrs* list);

// The names under "__SCOPED__", or nothing when the device lists no scoped proxy settings.
bool scopedProxyInterfaces(std::vector<std::string>& names);

}
