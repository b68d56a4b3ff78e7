#include "host/foundation/Clock.h"

#include <chrono>

#include "host/platform/SystemClock.h"

namespace {

double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

Clock*& currentClock()
{
    static Clock* clock = new VirtualClock;
    return clock;
}

}

RealClock::RealClock()
    : m_origin(steadySeconds())
{
}

double RealClock::now() const { return steadySeconds() - m_origin; }

Clock& hostClock() { return *currentClock(); }

void useRealClock()
{
    static RealClock real;
    currentClock() = &real;
}

namespace {

// The device's time calls read this clock, so the calendar and the uptime move with the run loop.
[[gnu::constructor(101)]] void installClockInPlatform()
{
    platform::setElapsedSecondsSource(+[] { return hostClock().now(); });
}

}
