#include "tamarind/banner/GifLog.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "host/foundation/Data.h"
#include "host/foundation/String.h"

namespace tamarind {

namespace {

struct Sink {
    std::mutex lock;
    rt::Ref<rt::Object> block;
    unsigned long level { FLLogLevelNone };
};

Sink& sink()
{
    static auto* s = new Sink;
    return *s;
}

// Foundation prints data as its length and its first bytes.
std::string describeData(NSData* data)
{
    std::string out = "{length = " + std::to_string(data->length()) + ", bytes = 0x";
    char hex[3];
    for (std::size_t i = 0; i < data->length() && i < 16; ++i) {
        std::snprintf(hex, sizeof hex, "%02x", data->bytes()[i]);
        out += hex;
    }
    return out + (data->length() > 16 ? "...}" : "}");
}

}

void setGifLogSink(rt::Object* block, unsigned long level)
{
    auto& s = sink();
    rt::Ref<rt::Object> previous;
    std::lock_guard guard(s.lock);
    previous = std::exchange(s.block, rt::Ref<rt::Object>(block));
    s.level = level;
}

bool gifLogAccepts(unsigned long level)
{
    auto& s = sink();
    std::lock_guard guard(s.lock);
    return s.block && level <= s.level;
}

void deliverGifLog(const std::string& message, unsigned long level)
{
    rt::Ref<rt::Object> block;
    {
        auto& s = sink();
        std::lock_guard guard(s.lock);
        if (!s.block || level > s.level)
            return;
        block = s.block;
    }
    // The sink runs outside the lock, so that it may log or change the sink itself.
    rt::AutoreleasePool pool;
    rt::callBlock<void(rt::Object*, unsigned long)>(block.get(), ns(message), level);
}

std::string formatString(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out(length > 0 ? std::size_t(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(out.data(), out.size() + 1, format, arguments);
    va_end(arguments);
    return out;
}

std::string describeObject(rt::Object* object)
{
    if (!object)
        return "(null)";
    if (isData(object))
        return describeData(static_cast<NSData*>(object));
    if (rt::respondsTo(object, rt::sel("description")))
        return toStdString(rt::send<rt::Object*>(object, SELECTOR("description")));
    return formatString("<%s: %p>", object->isa()->name(), static_cast<void*>(object));
}

}
