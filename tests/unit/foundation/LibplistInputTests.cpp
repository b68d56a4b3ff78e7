#include <gtest/gtest.h>

#include <string>

#include "host/foundation/Dictionary.h"
#include "host/foundation/LibplistInput.h"
#include "host/foundation/PropertyList.h"
#include "host/foundation/String.h"

namespace {

std::vector<uint8_t> bytes(const std::string& s)
{
    return { s.begin(), s.end() };
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

    std::string xml = "<plist><dict><key>colorBorder</key><string>ff\x0b";
    xml += std::string(3, '\0') + "</string></dict></plist>";
    EXPECT_FALSE(parsePropertyList(bytes(xml))) << "XML holds no NUL";
}

TEST(LibplistInput, ListsWithoutNulCharactersAreGivenAsTheyAre)
{
    rt::AutoreleasePool pool;
    auto dict = NSDictionary::createMutable();
    dict->set("key", ns("caf\xC3\xA9 \xE2\x98\x95"));
    auto binary = serializePropertyList(dict.get(), PropertyListFormat::Binary);
    ASSERT_TRUE(binary);
    std::vector<uint8_t> storage;
    EXPECT_EQ(libplistInput(*binary, storage), &*binary);
    auto xml = bytes("<plist><string>text</string></plist>");
    EXPECT_EQ(libplistInput(xml, storage), &xml);
    // A binary list that is cut short is left for libplist to refuse.
    auto cut = bytes(kNulInUtf16.substr(0, 30));
    EXPECT_EQ(libplistInput(cut, storage), nullptr);
    EXPECT_FALSE(parsePropertyList(cut));
}
