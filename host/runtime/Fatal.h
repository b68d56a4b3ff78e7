#pragma once

namespace rt {

// Stops the process with one line on standard error, as the real runtime's _objc_fatal does.
[[noreturn, gnu::format(printf, 1, 2)]] void fatal(const char* format, ...);

}

#define TAM_ASSERT(condition)                                                       \
    do {                                                                            \
        if (!(condition))                                                           \
            ::rt::fatal("assertion failed: %s (%s:%d)", #condition, __FILE__, __LINE__); \
    } while (0)
