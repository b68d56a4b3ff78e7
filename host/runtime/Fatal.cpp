#include "host/runtime/Fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace rt {

void fatal(const char* format, ...)
{
    std::fputs("tamarind runtime: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    std::abort();
}

}
