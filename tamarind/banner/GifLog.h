#pragma once

#include <string>

#include "host/runtime/Runtime.h"

// The GIF classes' log: one process-wide sink, a block that takes a message string and a level,
// and the highest level it accepts. Nothing is installed by default, so the classes stay silent
// unless a client asks (+[FLAnimatedImage setLogBlock:logLevel:]). A message is built only when
// the sink will receive it.

namespace tamarind {

enum FLLogLevel : unsigned long {
    FLLogLevelNone = 0,
    FLLogLevelError = 1,
    FLLogLevelWarn = 2,
    FLLogLevelInfo = 3,
    FLLogLevelDebug = 4,
    FLLogLevelVerbose = 5,
};

// The sink's block: void (^)(NSString* message, FLLogLevel level).
using GifLogSinkBlock = rt::Block<void(rt::Object*, unsigned long)>;
// A message builder: NSString* (^)(void).
using GifLogMessageBlock = rt::Block<rt::Object*()>;

// Any thread: the decoding queue logs too.
void setGifLogSink(rt::Object* block, unsigned long level);
bool gifLogAccepts(unsigned long level);
void deliverGifLog(const std::string& message, unsigned long level);
// Delivers the message to the sink when it accepts the level; `build` runs only then.
template <class Build> void gifLog(unsigned long level, Build&& build)
{
    if (gifLogAccepts(level))
        deliverGifLog(build(), level);
}

// printf-style formatting for log lines; objects go in as %s with describeObject().
[[gnu::format(printf, 1, 2)]] std::string formatString(const char* format, ...);
// What %@ prints for an object: its description, or "<Class: 0x…>" when it has none, "(null)"
// for nil.
std::string describeObject(rt::Object*);

}
