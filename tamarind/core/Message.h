#pragma once

#include "host/runtime/Runtime.h"

namespace tamarind {

// Sends the message of that name, the selector interned at the call:
//   message<void>(view, "setImage:", image);
// For code that sends many different messages once each, where a cached selector buys nothing.
template <class R = rt::Object*, class... Args> R message(rt::Object* receiver, const char* name, Args... args)
{
    return rt::send<R>(receiver, rt::sel(name), args...);
}

}
