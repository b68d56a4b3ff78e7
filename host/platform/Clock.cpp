#include "host/platform/Clock.h"

#include <chrono>

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
