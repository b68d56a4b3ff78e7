// Feeds arbitrary bytes to the property list reader, which tells XML, binary and old-style text
// apart by their first bytes as the platform does. Whatever the bytes, the reader answers a value
// or a reason, never both and never neither; a value is written back in both forms libplist
// writes, and what is written must read again as a value.

#include <cstdint>
#include <cstdlib>

#include "host/foundation/Log.h"
#include "host/foundation/PropertyList.h"
#include "host/runtime/AutoreleasePool.h"

namespace {

void readsBack(rt::Object* value, PropertyListFormat format)
{
    auto bytes = serializePropertyList(value, format);
    if (!bytes)
        return;
    auto again = readPropertyList(*bytes);
    if (!again.value)
        std::abort();
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rt::AutoreleasePool pool;
    // What the host logs about a broken list is kept for this input and dropped with it.
    LogCapture capture;
    auto result = readPropertyList({ data, size });
    if (!result.value == result.error.empty())
        std::abort();
    if (result.value) {
        readsBack(result.value.get(), PropertyListFormat::XML);
        readsBack(result.value.get(), PropertyListFormat::Binary);
    }
    return 0;
}
