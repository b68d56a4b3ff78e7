// Feeds arbitrary bytes to the property list reader as an old-style text (the XML and binary forms
// are libplist's). Whatever the bytes, the reader must answer a value or a reason, never both and
// never neither, and a value must be a tree of the form's four kinds no deeper than the bound.
// Log lines are captured so that failures do not flood the output.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "host/foundation/Array.h"
#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Log.h"
#include "host/foundation/OldStylePropertyList.h"
#include "host/foundation/String.h"
#include "host/runtime/AutoreleasePool.h"

namespace {

// The depth of a value read from old-style text; aborts on anything the form cannot hold.
int depthOf(rt::Object* value)
{
    if (isString(value) || isData(value))
        return 0;
    int deepest = 0;
    if (isArray(value)) {
        for (auto& item : static_cast<NSArray*>(value)->items())
            deepest = std::max(deepest, depthOf(item.get()));
    } else if (isDictionary(value)) {
        for (auto& [key, item] : static_cast<NSDictionary*>(value)->entries()) {
            if (!isString(key.get()))
                std::abort();
            deepest = std::max(deepest, depthOf(item.get()));
        }
    } else {
        std::abort();
    }
    return deepest + 1;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rt::AutoreleasePool pool;
    LogCapture capture;
    auto result = parseOldStylePropertyList({ data, size });
    if (!result.value == result.error.empty())
        std::abort();
    if (result.value && depthOf(result.value.get()) > kOldStyleMaximumDepth + 1)
        std::abort();
    return 0;
}
