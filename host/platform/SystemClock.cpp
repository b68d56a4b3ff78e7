#include "host/platform/SystemClock.h"

#include <cerrno>
#include <cmath>
#include <cstring>

#include "host/platform/Clock.h"
#include "host/platform/Device.h"

namespace platform {

time_t time(time_t* out)
{
    auto now = static_cast<time_t>(std::floor(currentDevice().startTime + hostClock().now()));
    if (out)
        *out = now;
    return now;
}

int sysctl(const int* name, unsigned count, void* oldValue, size_t* oldLength, const void* newValue, size_t)
{
    if (!name || count != 2 || name[0] != CTL_KERN || name[1] != KERN_BOOTTIME || newValue) {
        errno = newValue ? EPERM : ENOENT;
        return -1;
    }
    if (!oldLength || (oldValue && *oldLength < sizeof(BootTimeValue))) {
        errno = ENOMEM;
        return -1;
    }
    *oldLength = sizeof(BootTimeValue);
    if (!oldValue)
        return 0;
    double boot = currentDevice().bootTime;
    BootTimeValue value { static_cast<long>(std::floor(boot)), static_cast<long>((boot - std::floor(boot)) * 1e6) };
    std::memcpy(oldValue, &value, sizeof value);
    return 0;
}

}
