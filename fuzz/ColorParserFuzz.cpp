#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/uikit/UIColor.h"

// The colour parser reads strings the user's preference pane (or anyone editing the domain file)
// wrote. Whatever the bytes, it answers a colour exactly when they are six or eight hexadecimal
// digits after an optional "#", and every component of that colour lies in 0...1.

namespace {

bool isHexColour(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (text.size() != 6 && text.size() != 8)
        return false;
    for (char ch : text)
        if (!std::isxdigit(static_cast<unsigned char>(ch)))
            return false;
    return true;
}

bool inRange(double v)
{
    return v >= 0 && v <= 1;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto colour = UIColor::parseHex(text);
    if (colour.has_value() != isHexColour(text))
        abort();
    if (colour && !(inRange(colour->r) && inRange(colour->g) && inRange(colour->b) && inRange(colour->a)))
        abort();
    return 0;
}
