#pragma once

// The OS-version availability check that `@available(iOS major.minor.subminor, *)` and
// `__builtin_available` compile to: whether the system runs at least that version.
extern "C" bool isOSVersionAtLeast(int major, int minor, int subminor);
