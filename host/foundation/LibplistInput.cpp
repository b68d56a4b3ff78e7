#include "host/foundation/LibplistInput.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
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
// bytes, big-endian fields after six unused bytes) and the offset table it points to. A list is
// taken only when every object lies before the offset table and every string and container fits
// there too, so that what the checks below read is what libplist reads; libplist itself is less
// strict, and an object that ran into the tables could change as its strings are made safe.
class BinaryLayout {
public:
    static bool isBinary(std::span<const std::uint8_t> bytes)
    {
        return bytes.size() >= 8 && std::memcmp(bytes.data(), "bplist00", 8) == 0;
    }

    // Nothing when the list is not one whose objects all fit as described above.
    static std::optional<BinaryLayout> read(std::span<const std::uint8_t> bytes)
    {
        if (bytes.size() < 8 + 32)
            return std::nullopt;
        const std::uint8_t* trailer = bytes.data() + bytes.size() - 32;
        BinaryLayout l { bytes, trailer[6], trailer[7], bigEndian(trailer + 8, 8), bigEndian(trailer + 16, 8),
            bigEndian(trailer + 24, 8) };
        std::uint64_t tablesEnd = bytes.size() - 32;
        if (l.m_offsetSize < 1 || l.m_offsetSize > 8 || l.m_referenceSize < 1 || l.m_referenceSize > 8
            || l.m_offsetTable > tablesEnd || l.m_count > (tablesEnd - l.m_offsetTable) / l.m_offsetSize
            || l.m_top >= l.m_count)
            return std::nullopt;
        for (std::uint64_t i = 0; i < l.m_count; ++i) {
            std::uint64_t count = 0, start = 0;
            if (l.offset(i) >= l.m_offsetTable || (l.elementSize(i) && !l.extent(i, count, start)))
                return std::nullopt;
        }
        return l;
    }

    std::uint64_t count() const { return m_count; }
    std::uint64_t top() const { return m_top; }
    unsigned kind(std::uint64_t i) const { return m_bytes[offset(i)] >> 4; }

    // The bytes of one element of a string (0x5: single bytes, 0x6: UTF-16) or of a container
    // (0xA array, 0xC set: one reference; 0xD dictionary: a key and a value), or 0 for any other
    // object.
    std::uint64_t elementSize(std::uint64_t i) const
    {
        switch (kind(i)) {
        case 0x5:
            return 1;
        case 0x6:
            return 2;
        case 0xA:
        case 0xC:
            return m_referenceSize;
        case 0xD:
            return 2 * m_referenceSize;
        default:
            return 0;
        }
    }

    // The element count of object i and where its elements start: the marker's low four bits,
    // or when they are all set, an integer object (marker 0x1N, then 2^N bytes). False when the
    // elements do not fit before the offset table.
    bool extent(std::uint64_t i, std::uint64_t& count, std::uint64_t& start) const
    {
        std::uint64_t at = offset(i), end = m_offsetTable;
        count = m_bytes[at] & 0x0F;
        start = at + 1;
        if (count == 0x0F) {
            if (start >= end || (m_bytes[start] & 0xF0) != 0x10 || (m_bytes[start] & 0x0F) > 3)
                return false;
            unsigned size = 1u << (m_bytes[start] & 0x0F);
            if (end - start - 1 < size)
                return false;
            count = bigEndian(&m_bytes[start + 1], size);
            start += 1 + size;
        }
        return start <= end && count <= (end - start) / elementSize(i);
    }

    // The objects container i refers to (a dictionary's keys, then its values); false for any
    // other object.
    bool references(std::uint64_t i, std::uint64_t& count, std::uint64_t& start) const
    {
        unsigned k = kind(i);
        if ((k != 0xA && k != 0xC && k != 0xD) || !extent(i, count, start))
            return false;
        count *= elementSize(i) / m_referenceSize;
        return true;
    }

    std::uint64_t reference(std::uint64_t start, std::uint64_t index) const
    {
        return bigEndian(&m_bytes[start + index * m_referenceSize], m_referenceSize);
    }

private:
    BinaryLayout(std::span<const std::uint8_t> bytes, unsigned offsetSize, unsigned referenceSize, std::uint64_t count,
        std::uint64_t top, std::uint64_t offsetTable)
        : m_bytes(bytes)
        , m_offsetSize(offsetSize)
        , m_referenceSize(referenceSize)
        , m_count(count)
        , m_top(top)
        , m_offsetTable(offsetTable)
    {
    }

    std::uint64_t offset(std::uint64_t i) const
    {
        return bigEndian(&m_bytes[m_offsetTable + i * m_offsetSize], m_offsetSize);
    }

    std::span<const std::uint8_t> m_bytes;
    unsigned m_offsetSize, m_referenceSize;
    std::uint64_t m_count, m_top, m_offsetTable;
};

// Whether the containers reachable from the top object nest at most `maximumDepth` deep, and
// whether the tree libplist makes of them stays small. libplist makes a node for every place an
// object appears, so 64 arrays that each hold the next one twice are 2^64 nodes. The walk keeps
// its own stack, never deeper than the limit, and remembers the depth and the node count below
// each object it finished, so that a shared object is walked once. Returns what is wrong, or "".
std::string binaryShapeFault(const BinaryLayout& layout, int maximumDepth)
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
        if (layout.references(object, count, start)) {
            shapes[object].nodes = kOnStack;
            stack.push_back({ object, start, count, 0, 0, 1 });
        } else {
            shapes[object] = { 0, 1 };
        }
    };
    const std::string tooDeep = "arrays and dictionaries nest more than " + std::to_string(maximumDepth) + " deep";
    const std::string tooLarge = "its shared objects make more than " + std::to_string(maximumNodes) + " values";
    auto add = [&](Frame& frame, const Shape& child) -> std::string {
        frame.depth = std::max(frame.depth, child.depth);
        frame.nodes += std::min(child.nodes, maximumNodes);
        if (frame.nodes > maximumNodes)
            return tooLarge;
        return frame.depth + stack.size() > static_cast<std::size_t>(maximumDepth) ? tooDeep : std::string();
    };
    enter(layout.top());
    while (!stack.empty()) {
        if (stack.size() > static_cast<std::size_t>(maximumDepth))
            return tooDeep;
        Frame& frame = stack.back();
        if (frame.next == frame.count) {
            Shape done { frame.depth + 1, frame.nodes };
            shapes[frame.object] = done;
            stack.pop_back();
            if (std::string fault = stack.empty() ? std::string() : add(stack.back(), done); !fault.empty())
                return fault;
            continue;
        }
        std::uint64_t child = layout.reference(frame.start, frame.next++);
        if (child >= layout.count())
            continue;
        if (shapes[child].nodes == kOnStack)
            return "an array or dictionary holds itself";
        if (!shapes[child].nodes)
            enter(child);
        if (shapes[child].nodes == kOnStack)
            continue;
        if (std::string fault = add(stack.back(), shapes[child]); !fault.empty())
            return fault;
    }
    return {};
}

// Replaces the NUL characters of every string: in a UTF-16 string with U+FFFD, in a string of
// single bytes with "?", so that no string changes its length. The copy with the replacements is
// made in `storage` at the first one; returns whether there was any.
bool replaceNulCharacters(
    std::span<const std::uint8_t> bytes, const BinaryLayout& layout, std::vector<std::uint8_t>& storage)
{
    bool replaced = false;
    auto replace = [&](std::uint64_t at, std::initializer_list<std::uint8_t> with) {
        if (!replaced)
            storage.assign(bytes.begin(), bytes.end());
        replaced = true;
        for (std::uint8_t byte : with)
            storage[at++] = byte;
    };
    for (std::uint64_t i = 0; i < layout.count(); ++i) {
        unsigned kind = layout.kind(i);
        std::uint64_t size = layout.elementSize(i), count = 0, start = 0;
        if ((kind != 0x5 && kind != 0x6) || !layout.extent(i, count, start))
            continue;
        for (std::uint64_t c = start; c < start + size * count; c += size) {
            if (size == 1 && !bytes[c])
                replace(c, { '?' });
            else if (size == 2 && !bytes[c] && !bytes[c + 1])
                replace(c, { 0xFF, 0xFD });
        }
    }
    return replaced;
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

std::optional<std::span<const std::uint8_t>> libplistInput(
    std::span<const std::uint8_t> bytes, int maximumDepth, std::vector<std::uint8_t>& storage, std::string& refusal)
{
    if (!BinaryLayout::isBinary(bytes)) {
        std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (text.find('\0') != std::string_view::npos)
            refusal = "XML text with a NUL byte";
        else if (!xmlDepthWithin(text, maximumDepth))
            refusal = "arrays and dictionaries nest more than " + std::to_string(maximumDepth) + " deep";
        return refusal.empty() ? std::optional(bytes) : std::nullopt;
    }
    auto layout = BinaryLayout::read(bytes);
    refusal = layout ? binaryShapeFault(*layout, maximumDepth) : "its objects do not fit before its offset table";
    if (!refusal.empty())
        return std::nullopt;
    if (!replaceNulCharacters(bytes, *layout, storage))
        return bytes;
    // Objects may overlap, so what the replacements made of the others is checked again.
    auto replaced = BinaryLayout::read(storage);
    std::vector<std::uint8_t> again;
    refusal = replaced ? binaryShapeFault(*replaced, maximumDepth) : "its objects do not fit before its offset table";
    if (refusal.empty() && replaceNulCharacters(storage, *replaced, again))
        refusal = "its strings overlap";
    return refusal.empty() ? std::optional<std::span<const std::uint8_t>>(storage) : std::nullopt;
}
