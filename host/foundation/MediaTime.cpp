#include "host/foundation/MediaTime.h"

#include "host/foundation/Clock.h"

double CACurrentMediaTime()
{
    return hostClock().now();
}
