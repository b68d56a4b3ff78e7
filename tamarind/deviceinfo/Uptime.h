#pragma once

#include <string>

// The time since the device last booted, in whole seconds, and its text.

namespace tamarind {

// Now (time) minus the kernel's boot time (sysctl {CTL_KERN, KERN_BOOTTIME}); -1 when the boot
// time cannot be read or reads 0.
long uptimeSeconds();

// "%ldd %ldh %ldm %lds" of days, hours (mod 24), minutes (mod 60) and seconds (mod 60), with
// truncating division, so a negative uptime keeps its sign in every field it reaches: -1 reads
// "0d 0h 0m -1s". Days are not capped.
std::string uptimeText(long seconds);

}
