#include "host/foundation/MediaTime.h"

#include "host/platform/Clock.h"

double CACurrentMediaTime()
{
    return hostClock().now();
}
