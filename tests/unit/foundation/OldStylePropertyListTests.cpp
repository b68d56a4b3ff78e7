#include <gtest/gtest.h>

#include "Bytes.h"

#include <string>

#include "host/foundation/Array.h"
#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Log.h"
#include "host/foundation/PropertyList.h"
#include "host/foundation/String.h"

namespace {

NSDictionary* dictionary(rt::Object* o)
{
    return isDictionary(o) ? static_cast<NSDictionary*>(o) : nullptr;
}

// A PreferenceLoader entry file as tweaks' build systems write them: braces, unquoted values,
// a quoted label with a space, both kinds of comment and a byte-order mark.
const char* kBracedEntry = "\xEF\xBB\xBF"
                           "// Entry of the Velvet pane.\n"
                           "{\n"
                           "\tentry = {\n"
                           "\t\tbundle = VelvetPrefs;\n"
                           "\t\tcell = PSLinkCell;\n"
                           "\t\tdetail = VLVRootListController; /* the pane's first page */\n"
                           "\t\ticon = \"icon.png\";\n"
                           "\t\tisController = 1;\n"
                           "\t\tlabel = \"Velvet Pro\";\n"
                           "\t};\n"
                           "}\n";

// The bare form: the top-level entries without outer braces, as in a strings table.
const char* kBareEntry = "/* Quick Notes:\n   a pane without a bundle. */\n"
                         "entry = { cell = PSLinkCell; label = 'Quick Notes'; icon = notes.png; };\n"
                         "items = (\n"
                         "    { cell = PSSwitchCell; key = enabled; label = Enabled; default = <01>; },\n"
                         "    { cell = PSGroupCell; label = \"\"; },\n"
                         ");\n";

}

TEST(OldStylePropertyList, ReadsBracedAndBareEntryFiles)
{
    rt::AutoreleasePool pool;
    auto braced = parsePropertyList(bytes(kBracedEntry));
    ASSERT_TRUE(dictionary(braced.get()));
    auto* entry = dictionary(dictionary(braced.get())->get("entry"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->count(), 6u);
    EXPECT_EQ(toStdString(entry->get("label")), "Velvet Pro");
    EXPECT_EQ(toStdString(entry->get("detail")), "VLVRootListController");
    EXPECT_EQ(toStdString(entry->get("icon")), "icon.png");
    EXPECT_TRUE(isString(entry->get("isController"))) << "the form has no numbers";

    auto bare = parsePropertyList(bytes(kBareEntry));
    ASSERT_TRUE(dictionary(bare.get()));
    EXPECT_EQ(toStdString(dictionary(dictionary(bare.get())->get("entry"))->get("label")), "Quick Notes");
    auto* items = static_cast<NSArray*>(dictionary(bare.get())->get("items"));
    ASSERT_TRUE(isArray(items));
    ASSERT_EQ(items->count(), 2u) << "a comma after the last item is allowed";
    auto* switchItem = dictionary(items->at(0));
    ASSERT_TRUE(isData(switchItem->get("default")));
    EXPECT_EQ(static_cast<NSData*>(switchItem->get("default"))->contents(), (std::vector<uint8_t> { 1 }));
    EXPECT_EQ(toStdString(dictionary(items->at(1))->get("label")), "");
}

TEST(OldStylePropertyList, ReadsEveryKindOfValueAtTheTopLevel)
{
    rt::AutoreleasePool pool;
    auto data = parsePropertyList(bytes("<0fbd77 1C27\n35ae>"));
    ASSERT_TRUE(isData(data.get())) << "data is told apart from an XML tag";
    EXPECT_EQ(
        static_cast<NSData*>(data.get())->contents(), (std::vector<uint8_t> { 0x0f, 0xbd, 0x77, 0x1c, 0x27, 0x35, 0xae }));
    auto array = parsePropertyList(bytes("( a, (b, ()), {} ) // end"));
    ASSERT_TRUE(isArray(array.get()));
    EXPECT_EQ(static_cast<NSArray*>(array.get())->count(), 3u);
    EXPECT_EQ(toStdString(parsePropertyList(bytes("  /usr/lib/tweak-1.0:$x_y ")).get()), "/usr/lib/tweak-1.0:$x_y");
    auto empty = parsePropertyList(bytes("/* nothing */ // at all\n"));
    ASSERT_TRUE(dictionary(empty.get())) << "a strings table with no entries";
    EXPECT_EQ(dictionary(empty.get())->count(), 0u);
    // "key" = "value"; lines, with a key given twice: the later value wins.
    auto table = parsePropertyList(bytes("\"Title\" = \"Velvet\";\n\"Title\" = \"Velours\";\n"));
    EXPECT_EQ(toStdString(dictionary(table.get())->get("Title")), "Velours");
}

TEST(OldStylePropertyList, QuotedStringsDecodeTheirEscapes)
{
    rt::AutoreleasePool pool;
    struct Case {
        const char* written;
        std::string expected;
    };
    const Case cases[] = {
        { R"("line\nbreak\ttab")", "line\nbreak\ttab" },
        { R"("say \"hi\" \\ 'there'")", "say \"hi\" \\ 'there'" },
        { R"('it\'s')", "it's" },
        { R"("\101\102C\0619")", "ABC19" },
        { R"("caf\U00e9 \U00E9")", "caf\u00e9 \u00e9" },
        { R"("\U20AC\U1")", "\u20ac\x01" },
        { R"("\Ud83d\Ude00!")", "\U0001F600!" },
        { R"("\Ud83d alone \Ude00")", "\uFFFD alone \uFFFD" },
        { R"("\351t\351")", "\u00e9t\u00e9" },
        { R"("\a\b\f\v\r\q")", "\a\b\f\v\rq" },
        { "\"d\xC3\xA9j\xC3\xA0 vu\"", "d\u00e9j\u00e0 vu" },
        { "\"\\\xC3\xA9\"", "\u00e9" },
    };
    for (auto& c : cases) {
        auto value = parsePropertyList(bytes(c.written));
        ASSERT_TRUE(isString(value.get())) << c.written;
        EXPECT_EQ(toStdString(value.get()), c.expected) << c.written;
    }
}

TEST(OldStylePropertyList, UTF16TextWithAByteOrderMarkReads)
{
    rt::AutoreleasePool pool;
    std::string text = "\"Title\" = \"\u00c9t\u00e9 \U0001F600\";";
    std::u16string wide = u"\"Title\" = \"\u00c9t\u00e9 \U0001F600\";";
    std::vector<uint8_t> little { 0xFF, 0xFE }, big { 0xFE, 0xFF };
    for (char16_t unit : wide) {
        little.insert(little.end(), { uint8_t(unit), uint8_t(unit >> 8) });
        big.insert(big.end(), { uint8_t(unit >> 8), uint8_t(unit) });
    }
    for (auto& encoded : { little, big }) {
        auto table = parsePropertyList(encoded);
        ASSERT_TRUE(dictionary(table.get()));
        EXPECT_EQ(toStdString(dictionary(table.get())->get("Title")), "\u00c9t\u00e9 \U0001F600");
    }
}

TEST(OldStylePropertyList, MalformedTextGivesNothingAndOneLoggedReason)
{
    rt::AutoreleasePool pool;
    struct Case {
        std::string text;
        std::string reason;
    };
    std::string entry = kBracedEntry;
    const Case cases[] = {
        { entry.substr(0, entry.find("\t};")), "line 10: a dictionary is never closed" },
        { entry.substr(0, 120), "line 6: expected ';' after the value of \"detail\"" },
        { "{ entry = { label = Velvet } ; }", "line 1: expected ';' after the value of \"label\"" },
        { "{\n  label Velvet;\n}", "line 2: expected '=' after the key \"label\"" },
        { "{ label = \"Velvet; }", "a quoted string is never closed" },
        { "{ label = Velvet; /* }", "a comment opened with /* is never closed" },
        { "( a, b", "an array is never closed" },
        { "( a b )", "expected ',' or ')' in an array, not 'b'" },
        { "( a, , b )", "unexpected ','" },
        { "<0fb>", "odd number of hexadecimal digits" },
        { "<0fbg>", "unexpected 'g' in data" },
        { "{ icon = icon@2x.png; }", "expected ';' after the value of \"icon\"" },
        { "{ a = b; } trailing", "unexpected 't' after the end" },
        { "\"\\Uzz\"", "\\U is not followed by hexadecimal digits" },
        { "{ a = \"\xC3\x28\"; }", "neither UTF-8 nor UTF-16" },
        { "\x01\x02 garbage", "unexpected byte 0x01" },
        { std::string(300, '(') + std::string(300, ')'), "nested more than 256 deep" },
        { "{ a = ", "the text ends where a value was expected" },
    };
    for (auto& c : cases) {
        LogCapture capture;
        EXPECT_FALSE(parsePropertyList(bytes(c.text), "/var/jb/Bad.plist")) << c.text;
        auto lines = capture.lines();
        ASSERT_EQ(lines.size(), 1u) << c.text;
        EXPECT_TRUE(lines[0].starts_with("Property list /var/jb/Bad.plist: ")) << lines[0];
        EXPECT_NE(lines[0].find(c.reason), std::string::npos) << lines[0];
    }
}

TEST(OldStylePropertyList, HostileNestingNeitherCrashesNorLogsMoreThanOnce)
{
    rt::AutoreleasePool pool;
    for (const char* open : { "(", "{a=", "(\"x\",{k=(" }) {
        std::string text;
        while (text.size() < (1u << 20))
            text += open;
        LogCapture capture;
        EXPECT_FALSE(parsePropertyList(bytes(text)));
        EXPECT_EQ(capture.lines().size(), 1u);
    }
    // Nesting up to the bound is fine.
    auto deep = parsePropertyList(bytes(std::string(256, '(') + std::string(256, ')')));
    EXPECT_TRUE(isArray(deep.get()));
}

TEST(OldStylePropertyList, XMLAndBinaryKeepTheirReaders)
{
    rt::AutoreleasePool pool;
    for (const char* xml : { "<?xml version=\"1.0\"?><plist><dict><key>a</key><string>b</string></dict></plist>",
             "\xEF\xBB\xBF<plist version=\"1.0\"><dict><key>a</key><string>b</string></dict></plist>",
             "\n <!DOCTYPE plist><plist><dict><key>a</key><string>b</string></dict></plist>" }) {
        auto parsed = parsePropertyList(bytes(xml));
        ASSERT_TRUE(dictionary(parsed.get())) << xml;
        EXPECT_EQ(toStdString(dictionary(parsed.get())->get("a")), "b");
    }
    auto result = readPropertyList(bytes("<?xml version=\"1.0\"?><plist><dict><key>a</key>"));
    EXPECT_FALSE(result.value);
    EXPECT_EQ(result.error, "not a well-formed XML property list");
}
