#include "tamarind/deviceinfo/Uptime.h"

#include <cstdio>

#include "host/platform/SystemClock.h"

namespace tamarind {

long uptimeSeconds()
{
    long now = static_cast<long>(platform::time(nullptr));
    int name[2] = { platform::CTL_KERN, platform::KERN_BOOTTIME };
    platform::BootTimeValue boot {};
    size_t size = sizeof boot;
    if (platform::sysctl(name, 2, &boot, &size, nullptr, 0) == -1 || boot.tv_sec == 0)
        return -1;
    return now - boot.tv_sec;
}

std::string uptimeText(long seconds)
{
    char text[96];
    std::snprintf(text, sizeof text, "%ldd %ldh %ldm %lds", seconds / 86400, (seconds / 3600) % 24, (seconds / 60) % 60,
        seconds % 60);
    return text;
}

}
