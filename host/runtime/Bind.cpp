#include "host/runtime/Bind.h"

namespace rt {

std::string PropertyName::setter() const
{
    std::string out = "set";
    out += name;
    if (out.size() > 3 && out[3] >= 'a' && out[3] <= 'z')
        out[3] = static_cast<char>(out[3] - 'a' + 'A');
    out += ':';
    return out;
}

std::string PropertyName::attributes(std::string_view encoding, Memory memory, bool readOnly) const
{
    std::string out = "T";
    out += encoding;
    if (readOnly)
        out += ",R";
    switch (memory) {
    case Memory::Assign:
        break;
    case Memory::Retain:
        out += ",&";
        break;
    case Memory::Copy:
        out += ",C";
        break;
    case Memory::Weak:
        out += ",W";
        break;
    }
    // Host properties are all nonatomic: the host's objects belong to the main thread.
    out += ",N";
    if (getter != name) {
        out += ",G";
        out += getter;
    }
    return out;
}

}
