#pragma once

#include <atomic>

// The host's one clock, in seconds since the simulated device booted. Tests and the command line
// use the virtual clock, which moves only when the run loop is told to advance, so timers and
// delayed calls are deterministic; interactive use may run on the real clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
    virtual bool isVirtual() const = 0;
};

class VirtualClock final : public Clock {
public:
    double now() const override { return m_now.load(std::memory_order_acquire); }
    bool isVirtual() const override { return true; }
    // Time never moves backwards.
    void advanceTo(double t)
    {
        if (t > now())
            m_now.store(t, std::memory_order_release);
    }

private:
    std::atomic<double> m_now { 0 };
};

class RealClock final : public Clock {
public:
    RealClock();
    double now() const override;
    bool isVirtual() const override { return false; }

private:
    double m_origin;
};

Clock& hostClock();
// Replaces the host clock; call before the run loop starts. The host keeps the clock.
void useRealClock();
