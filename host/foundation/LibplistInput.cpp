#include "host/foundation/LibplistInput.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

std::uint64_t bigEndian(const std::uint8_t* bytes, unsigned size)
{
    std::uint64_t value = 0;
    for (unsigned i = 0; i < size; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// The parts of a binary property list that say where its objects are: the trailer (the last 32
// bytes, big-endian fields after six unused bytes) and the offset table it points to. Objects
// lie between the header and the trailer.
class BinaryLayout {
public:
    static std::optional<BinaryLayout> read(const std::vector<std::uint8_t>& bytes)
    {
        if (bytes.size() < 8 + 32 || std::memcmp(bytes.data(), "bplist00", 8) != 0)
            return std::nullopt;
        const std::uint8_t* trailer = bytes.data() + bytes.size() - 32;
        BinaryLayout l { bytes, trailer[6], trailer[7], bigEndian(trailer + 8, 8), bigEndian(trailer + 16, 8),
            bigEndian(trailer + 24, 8) };
        std::uint64_t end = l.end();
        if (l.m_offsetSize < 1 || l.m_offsetSize > 8 || l.m_referenceSize < 1 || l.m_referenceSize > 8
            || l.m_offsetTable > end || l.m_count > (end - l.m_offsetTable) / l.m_offsetSize)
            return std::nullopt;
        return l;
    }

    std::uint64_t count() const { return m_count; }
    std::uint64_t top() const { return m_top; }
    std::uint64_t end() const { return m_bytes.size() - 32; }

    // Where object i starts, or nothing when the table points outside the objects.
    std::optional<std::uint64_t> offset(std::uint64_t i) const
    {
        std::uint64_t at = bigEndian(&m_bytes[m_offsetTable + i * m_offsetSize], m_offsetSize);
        return at >= 8 && at < end() ? std::optional(at) : std::nullopt;
    }

    // The element count of the object at `at` and where its elements start: the marker's low
    // four bits, or when they are all set, an integer object (marker 0x1N, then 2^N bytes).
    bool extent(std::uint64_t at, std::uint64_t elementSize, std::uint64_t& count, std::uint64_t& start) const
    {
        count = m_bytes[at] & 0x0F;
        start = at + 1;
        if (count == 0x0F) {
            if (start >= end() || (m_bytes[start] & 0xF0) != 0x10 || (m_bytes[start] & 0x0F) > 3)
                return false;
            unsigned size = 1u << (m_bytes[start] & 0x0F);
            if (end() - start - 1 < size)
                return false;
            count = bigEndian(&m_bytes[start + 1], size);
            start += 1 + size;
        }
        return start <= end() && count <= (end() - start) / elementSize;
    }

    // The objects an array, set or dictionary refers to (a dictionary's keys, then its values).
    bool references(std::uint64_t at, std::uint64_t& count, std::uint64_t& start) const
    {
        unsigned kind = m_bytes[at] >> 4;
        if (kind != 0xA && kind != 0xC && kind != 0xD)
            return false;
        std::uint64_t per = kind == 0xD ? 2 * m_referenceSize : m_referenceSize;
        if (!extent(at, per, count, start))
            return false;
        count *= per / m_referenceSize;
        return true;
    }

    std::uint64_t reference(std::uint64_t start, std::uint64_t index) const
    {
        return bigEndian(&m_bytes[start + index * m_referenceSize], m_referenceSize);
    }

private:
    BinaryLayout(const std::vector<std::uint8_t>& bytes, unsigned offsetSize, unsigned referenceSize,
        std::uint64_t count, std::uint64_t top, std::uint64_t offsetTable)
        : m_bytes(bytes)
        , m_offsetSize(offsetSize)
        , m_referenceSize(referenceSize)
        , m_count(count)
        , m_top(top)
        , m_offsetTable(offsetTable)
    {
    }

    const std::vector<std::uint8_t>& m_bytes;
    unsigned m_offsetSize, m_referenceSize;
    std::uint64_t m_count, m_top, m_offsetTable;
};

// Whether the containers reachable from the top object nest at most `maximumDepth` deep, and
// whether the tree libplist makes of them stays small. libplist makes a node for every place an
// object appears, so 64 arrays that each hold the next one twice are 2^64 nodes. The walk keeps
// its own stack, never deeper than the limit, and remembers the depth and the node count below
// each object it finished, so that a shared object is walked once.
bool binaryShapeWithin(const BinaryLayout& layout, int maximumDepth)
{
    struct Frame {
        std::uint64_t object, start, count, next;
        std::uint32_t depth;
        std::uint64_t nodes;
    };
    struct Shape {
        std::uint32_t depth;
        std::uint64_t nodes; // 0: not walked yet; kOnStack: being walked
    };
    constexpr std::uint64_t kOnStack = UINT64_MAX;
    const std::uint64_t maximumNodes = std::max<std::uint64_t>(std::uint64_t(1) << 18, layout.count());
    std::vector<Shape> shapes(layout.count(), Shape { 0, 0 });
    std::vector<Frame> stack;
    auto enter = [&](std::uint64_t object) {
        std::uint64_t count = 0, start = 0;
        auto at = layout.offset(object);
        if (at && layout.references(*at, count, start)) {
            shapes[object].nodes = kOnStack;
            stack.push_back({ object, start, count, 0, 0, 1 });
        } else {
            shapes[object] = { 0, 1 };
        }
    };
    auto add = [&](Frame& frame, const Shape& child) {
        frame.depth = std::max(frame.depth, child.depth);
        frame.nodes += std::min(child.nodes, maximumNodes);
        return frame.nodes <= maximumNodes && frame.depth + stack.size() <= static_cast<std::size_t>(maximumDepth);
    };
    if (layout.top() >= layout.count())
        return true;
    enter(layout.top());
    while (!stack.empty()) {
        if (stack.size() > static_cast<std::size_t>(maximumDepth))
            return false;
        Frame& frame = stack.back();
        if (frame.next == frame.count) {
            Shape done { frame.depth + 1, frame.nodes };
            shapes[frame.object] = done;
            stack.pop_back();
            if (!stack.empty() && !add(stack.back(), done))
                return false;
            continue;
        }
        std::uint64_t child = layout.reference(frame.start, frame.next++);
        if (child >= layout.count())
            continue;
        if (shapes[child].nodes == kOnStack)
            return false; // a container that holds itself has no shape libplist could read
        if (!shapes[child].nodes)
            enter(child);
        if (shapes[child].nodes != kOnStack && !add(stack.back(), shapes[child]))
            return false;
    }
    return true;
}

// Replaces the NUL characters of every UTF-16 string; returns the bytes libplist is to read.
const std::vector<std::uint8_t>* replaceNulCharacters(
    const std::vector<std::uint8_t>& bytes, const BinaryLayout& layout, std::vector<std::uint8_t>& storage)
{
    const std::vector<std::uint8_t>* input = &bytes;
    for (std::uint64_t i = 0; i < layout.count(); ++i) {
        auto at = layout.offset(i);
        std::uint64_t count = 0, start = 0;
        if (!at || (bytes[*at] & 0xF0) != 0x60 || !layout.extent(*at, 2, count, start))
            continue;
        for (std::uint64_t c = start; c < start + 2 * count; c += 2) {
            if (bytes[c] || bytes[c + 1])
                continue;
            if (input == &bytes)
                input = &(storage = bytes);
            storage[c] = 0xFF;
            storage[c + 1] = 0xFD;
        }
    }
    return input;
}

// Counts opening and closing array and dict tags; a self-closing one ("<dict/>") holds nothing.
// Tags inside comments count too, which can only make the check stricter.
bool xmlDepthWithin(std::string_view text, int maximumDepth)
{
    int depth = 0;
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        std::string_view tag = text.substr(at + 1);
        bool closing = tag.starts_with('/');
        if (closing)
            tag.remove_prefix(1);
        std::size_t name = tag.starts_with("dict") ? 4 : tag.starts_with("array") ? 5 : 0;
        if (!name || name == tag.size()
            || (tag[name] != '>' && tag[name] != '/' && tag[name] != ' ' && tag[name] != '\t' && tag[name] != '\n'
                && tag[name] != '\r'))
            continue;
        std::size_t end = tag.find('>');
        if (closing)
            --depth;
        else if (end != std::string_view::npos && tag[end - 1] != '/' && ++depth > maximumDepth)
            return false;
    }
    return true;
}

}

const std::vector<std::uint8_t>* libplistInput(
    const std::vector<std::uint8_t>& bytes, int maximumDepth, std::vector<std::uint8_t>& storage)
{
    auto layout = BinaryLayout::read(bytes);
    if (!layout) {
        std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        bool safe = text.find('\0') == std::string_view::npos && xmlDepthWithin(text, maximumDepth);
        return safe ? &bytes : nullptr;
    }
    return binaryShapeWithin(*layout, maximumDepth) ? replaceNulCharacters(bytes, *layout, storage) : nullptr;
}
