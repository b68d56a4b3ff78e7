#include <gtest/gtest.h>

#include "Bytes.h"

#include <string>

#include "host/foundation/Array.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/LibplistInput.h"
#include "host/foundation/PropertyList.h"
#include "host/foundation/String.h"

namespace {

std::string bigEndian(std::uint64_t value, unsigned size)
{
    std::string out;
    for (unsigned i = size; i-- > 0;)
        out += static_cast<char>(value >> (8 * i));
    return out;
}

// A binary property list of `depth` arrays, each holding the next; the innermost is empty.
// References and offsets take four bytes each.
std::vector<uint8_t> nestedBinary(std::uint32_t depth)
{
    std::string objects = "bplist00", table;
    for (std::uint32_t i = 0; i < depth; ++i) {
        table += bigEndian(objects.size(), 4);
        objects += i + 1 < depth ? "\xA1" + bigEndian(i + 1, 4) : std::string("\xA0");
    }
    std::uint64_t tableAt = objects.size();
    std::string trailer
        = std::string(6, '\0') + "\x04\x04" + bigEndian(depth, 8) + bigEndian(0, 8) + bigEndian(tableAt, 8);
    return bytes(objects + table + trailer);
}

// What libplistInput makes of the bytes: "as they are", "replaced" or why it refuses them.
std::string verdict(const std::vector<uint8_t>& list, int maximumDepth)
{
    std::vector<uint8_t> storage;
    std::string refusal;
    auto input = libplistInput(list, maximumDepth, storage, refusal);
    if (!input)
        return refusal;
    return input->data() == list.data() ? "as they are" : "replaced";
}

std::string nestedXml(int depth)
{
    std::string text = "<plist>";
    for (int i = 0; i < depth; ++i)
        text += i % 2 ? "<array >" : "<dict><key>k</key>";
    text += "<dict/><array/>";
    for (int i = depth; i-- > 0;)
        text += i % 2 ? "</array>" : "</dict>";
    return text + "</plist>";
}

// A binary property list of one dictionary whose key and value are UTF-16 strings of three
// characters with a NUL in the middle: { "a\0b": "x\0y" }.
const std::string kNulInUtf16 = std::string("bplist00"
                                            "\xD1\x01\x02" // 8: dict of one pair: key object 1, value object 2
                                            "\x63\x00"
                                            "a\x00\x00\x00"
                                            "b" // 11: UTF-16 string of three characters
                                            "\x63\x00"
                                            "x\x00\x00\x00"
                                            "y" // 18
                                            "\x08\x0B\x12", // 25: offset table
                                    28)
    + std::string(6, '\0') + "\x01\x01" + std::string(7, '\0') + "\x03" + std::string(8, '\0') + std::string(7, '\0')
    + "\x19";

}

// libplist stops the process with an assertion when it reads a string that holds a NUL; these
// came from fuzzing the preferences domain and the entry files.
TEST(LibplistInput, NulCharactersNeverReachLibplist)
{
    rt::AutoreleasePool pool;
    auto parsed = parsePropertyList(bytes(kNulInUtf16));
    ASSERT_TRUE(isDictionary(parsed.get()));
    auto* dict = static_cast<NSDictionary*>(parsed.get());
    rt::Object* value = dict->get("a\xEF\xBF\xBD"
                                  "b");
    ASSERT_TRUE(isString(value));
    EXPECT_EQ(toStdString(value), "x\xEF\xBF\xBDy");

    // A string of single bytes with a NUL and a byte above 127, from an entry file.
    std::string singleBytes = std::string("bplist00\xD1\x01\x02\x55label\x53"
                                          "b\x00\xB6\x08\x0B\x11",
                                  24)
        + std::string(6, '\0') + "\x01\x01" + std::string(7, '\0') + "\x03" + std::string(8, '\0')
        + std::string(7, '\0') + "\x15";
    auto withBytes = parsePropertyList(bytes(singleBytes));
    ASSERT_TRUE(isDictionary(withBytes.get()));
    rt::Object* label = static_cast<NSDictionary*>(withBytes.get())->get("label");
    ASSERT_TRUE(isString(label));
    EXPECT_TRUE(toStdString(label).starts_with("b?")) << toStdString(label);

    // An object may start anywhere before the offset table, even inside the header: here "l" of
    // "bplist00" is read as a UTF-16 string of twelve characters, most of them NUL.
    std::string inHeader = "bplist00" + std::string(20, '\0') + "\x02" + std::string(6, '\0') + "\x01\x01"
        + std::string(7, '\0') + "\x01" + std::string(8, '\0') + std::string(7, '\0') + "\x1C";
    EXPECT_TRUE(isString(parsePropertyList(bytes(inHeader)).get()));

    std::string xml = "<plist><dict><key>colorBorder</key><string>ff\x0b";
    xml += std::string(3, '\0') + "</string></dict></plist>";
    EXPECT_EQ(verdict(bytes(xml), 256), "XML text with a NUL byte");
    EXPECT_FALSE(parsePropertyList(bytes(xml)));
}

TEST(LibplistInput, ListsWithoutNulCharactersAreGivenAsTheyAre)
{
    rt::AutoreleasePool pool;
    auto dict = NSDictionary::createMutable();
    dict->set("key", ns("caf\xC3\xA9 \xE2\x98\x95"));
    auto binary = serializePropertyList(dict.get(), PropertyListFormat::Binary);
    ASSERT_TRUE(binary);
    EXPECT_EQ(verdict(*binary, 256), "as they are");
    EXPECT_EQ(verdict(bytes("<plist><string>text</string></plist>"), 256), "as they are");
    EXPECT_EQ(verdict(bytes(kNulInUtf16), 256), "replaced");
    auto cut = bytes(kNulInUtf16.substr(0, 30));
    EXPECT_EQ(verdict(cut, 256), "its objects do not fit before its offset table");
    EXPECT_FALSE(parsePropertyList(cut));
}

// libplist reads and frees nested containers by recursion: a binary list of a hundred thousand
// nested arrays overflowed the stack. Lists nested deeper than the limit are refused whole.
TEST(LibplistInput, ListsNestedTooDeeplyAreRefusedBeforeLibplistRecurses)
{
    rt::AutoreleasePool pool;
    for (int depth : { 1, 255 }) {
        EXPECT_EQ(verdict(nestedBinary(static_cast<std::uint32_t>(depth)), 255), "as they are") << depth;
        EXPECT_EQ(verdict(bytes(nestedXml(depth)), 255), "as they are") << depth;
    }
    for (int depth : { 256, 100000 }) {
        const char* refusal = "arrays and dictionaries nest more than 255 deep";
        EXPECT_EQ(verdict(nestedBinary(static_cast<std::uint32_t>(depth)), 255), refusal) << depth;
        EXPECT_EQ(verdict(bytes(nestedXml(depth)), 255), refusal) << depth;
    }
    EXPECT_FALSE(parsePropertyList(nestedBinary(100000)));
    EXPECT_TRUE(isArray(parsePropertyList(nestedBinary(200)).get()));
}

// A binary list of n arrays that each hold the next one twice is n levels deep but 2^n nodes
// once libplist has read it: sixteen levels are read, sixty-four would never end.
TEST(LibplistInput, SharedObjectsCountForEveryPlaceTheyAppear)
{
    auto doubling = [](std::uint32_t levels) {
        std::string objects = "bplist00", table;
        for (std::uint32_t i = 0; i < levels; ++i) {
            table += bigEndian(objects.size(), 4);
            objects += i + 1 < levels ? "\xA2" + bigEndian(i + 1, 4) + bigEndian(i + 1, 4) : std::string("\xA0");
        }
        std::uint64_t tableAt = objects.size();
        return bytes(objects + table + std::string(6, '\0') + "\x04\x04" + bigEndian(levels, 8) + bigEndian(0, 8)
            + bigEndian(tableAt, 8));
    };
    rt::AutoreleasePool pool;
    auto sixteen = doubling(16);
    EXPECT_EQ(verdict(sixteen, 16), "as they are");
    EXPECT_EQ(verdict(sixteen, 15), "arrays and dictionaries nest more than 15 deep");
    EXPECT_TRUE(isArray(parsePropertyList(sixteen).get()));
    auto sixtyFour = doubling(64);
    EXPECT_EQ(verdict(sixtyFour, 256), "its shared objects make more than 262144 values");
    EXPECT_FALSE(parsePropertyList(sixtyFour));
}
