#pragma once

#include <cstddef>
#include <ctime>

// The calendar clock and the kernel's boot time of the simulated device, offered as the device's
// C library offers them (time(3) and sysctl(3) with {CTL_KERN, KERN_BOOTTIME}). Both read the
// host's one clock, so they move only when the run loop is told to advance: the calendar time is
// the device's start time plus the seconds the simulation has run, and the boot time stays where
// device.json put it.

namespace platform {

inline constexpr int CTL_KERN = 1;
inline constexpr int KERN_BOOTTIME = 21;

// The boot time's layout: seconds, then microseconds, 8 bytes each.
struct BootTimeValue {
    long tv_sec;
    long tv_usec;
};

time_t time(time_t* out);

// Answers {CTL_KERN, KERN_BOOTTIME} into a buffer of at least sizeof(BootTimeValue) bytes and sets
// *oldLength to the size written. Any other name, a short buffer or a new value fails with -1 and
// errno set, as the kernel does.
int sysctl(const int* name, unsigned count, void* oldValue, size_t* oldLength, const void* newValue, size_t newLength);

}
