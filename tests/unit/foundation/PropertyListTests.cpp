#include <gtest/gtest.h>

#include "Bytes.h"

#include <string>

#include "host/foundation/Array.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Number.h"
#include "host/foundation/PropertyList.h"
#include "host/foundation/String.h"

namespace {


const char* kXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>flag</key><true/>
<key>count</key><integer>-50</integer>
<key>ratio</key><real>0.25</real>
<key>name</key><string>Tweak</string>
<key>list</key><array><string>a</string><integer>2</integer></array>
</dict></plist>)";

}

TEST(PropertyList, ReadsXmlAndRoundTripsThroughBinary)
{
    rt::AutoreleasePool pool;
    auto parsed = parsePropertyList(bytes(kXml));
    ASSERT_TRUE(isDictionary(parsed.get()));
    for (auto format : { PropertyListFormat::Binary, PropertyListFormat::XML }) {
        auto written = serializePropertyList(parsed.get(), format);
        ASSERT_TRUE(written);
        EXPECT_EQ(isBinaryPropertyList(*written), format == PropertyListFormat::Binary);
        auto again = parsePropertyList(*written);
        auto* d = static_cast<NSDictionary*>(again.get());
        ASSERT_TRUE(isDictionary(d));
        EXPECT_TRUE(static_cast<NSNumber*>(d->get("flag"))->boolValue());
        EXPECT_EQ(static_cast<NSNumber*>(d->get("count"))->integerValue(), -50);
        EXPECT_DOUBLE_EQ(static_cast<NSNumber*>(d->get("ratio"))->doubleValue(), 0.25);
        EXPECT_EQ(toStdString(d->get("name")), "Tweak");
        EXPECT_EQ(static_cast<NSArray*>(d->get("list"))->count(), 2u);
    }
}

TEST(PropertyList, BadInputGivesNothing)
{
    const std::string cases[] = {
        "",
        "not a plist at all",
        "<?xml version=\"1.0\"?><plist><dict><key>a</key>",
        std::string("bplist00\xff\xff\xff\xff", 12),
        std::string("bplist00") + std::string(40, '\0'),
    };
    for (auto& c : cases)
        EXPECT_FALSE(parsePropertyList(bytes(c))) << c;
}

// A binary list's single-byte strings may hold bytes above 127, which are not text; each becomes
// U+FFFD, so that the strings are UTF-8 as every string object is, and a list written back from
// them reads again in both forms.
TEST(PropertyList, BytesThatAreNotTextReadAsReplacementCharactersAndWriteBack)
{
    rt::AutoreleasePool pool;
    // { "\x97": "a\xB6" }: a dictionary and two strings of single bytes, then the offset table.
    std::string list = std::string("bplist00"
                                   "\xD1\x01\x02"
                                   "\x51\x97"
                                   "\x52"
                                   "a\xB6"
                                   "\x08\x0B\x0D",
                           19)
        + std::string(6, '\0') + "\x01\x01" + std::string(7, '\0') + "\x03" + std::string(8, '\0')
        + std::string(7, '\0') + "\x10";
    auto parsed = parsePropertyList(bytes(list));
    ASSERT_TRUE(isDictionary(parsed.get()));
    const std::string replacement = "\xEF\xBF\xBD";
    for (auto format : { PropertyListFormat::Binary, PropertyListFormat::XML }) {
        auto written = serializePropertyList(parsed.get(), format);
        ASSERT_TRUE(written);
        auto again = parsePropertyList(*written);
        ASSERT_TRUE(isDictionary(again.get()));
        EXPECT_EQ(toStdString(static_cast<NSDictionary*>(again.get())->get(replacement)), "a" + replacement);
    }
}
