#include "host/platform/Availability.h"

#include "host/platform/Device.h"

extern "C" bool isOSVersionAtLeast(int major, int minor, int subminor)
{
    return systemVersionAtLeast(major, minor, subminor);
}
