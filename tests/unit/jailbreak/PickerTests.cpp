#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/foundation/Data.h"
#include "host/foundation/String.h"
#include "host/platform/DeviceRoot.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIImage.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDomain = "com.corvane.sorrelpreferences";

// A device whose picker domain holds the given <dict> body, rewritten by each call.
struct PickerDevice : testing::Test {
    fs::path base;
    rt::AutoreleasePool pool;

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tamarind-picker-XXXXXX").string();
        base = mkdtemp(pattern.data());
        fs::create_directories(base / "var/mobile/Library/Preferences");
        setDeviceRoot(base);
    }
    void TearDown() override { fs::remove_all(base); }

    void store(const std::string& dictBody)
    {
        std::ofstream(base / "var/mobile/Library/Preferences" / (std::string(kDomain) + ".plist"))
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" << dictBody
            << "</dict></plist>\n";
    }

    rt::Object* color(const char* key, const char* fallback)
    {
        return rt::send<rt::Object*>(rt::getClass("GcColorPickerUtils"),
            SELECTOR("colorFromDefaults:withKey:fallback:"), ns(kDomain), ns(key), fallback ? ns(fallback) : nullptr);
    }
    rt::Object* data(const char* key)
    {
        return rt::send<rt::Object*>(
            rt::getClass("GcImagePickerUtils"), SELECTOR("dataFromDefaults:withKey:"), ns(kDomain), ns(key));
    }
    rt::Object* image(const char* key)
    {
        return rt::send<rt::Object*>(
            rt::getClass("GcImagePickerUtils"), SELECTOR("imageFromDefaults:withKey:"), ns(kDomain), ns(key));
    }
};

RGBAColor rgba(int r, int g, int b, int a = 255)
{
    return { r / 255.0, g / 255.0, b / 255.0, a / 255.0 };
}

}

TEST_F(PickerDevice, StoredColoursWinAndEverythingElseFallsBack)
{
    struct Case {
        const char* stored; // the <key>c</key> value's XML, or nothing for no key
        RGBAColor expected;
    } cases[] = {
        { "<string>FF0000</string>", rgba(255, 0, 0) },
        { "<string>#00ff0080</string>", rgba(0, 255, 0, 128) },
        { "<string>0b84FF</string>", rgba(11, 132, 255) },
        { nullptr, rgba(0x3c, 0x3c, 0x43, 0x99) },
        { "<integer>16711680</integer>", rgba(0x3c, 0x3c, 0x43, 0x99) },
        { "<array><string>FF0000</string></array>", rgba(0x3c, 0x3c, 0x43, 0x99) },
        { "<string>12345</string>", rgba(0x3c, 0x3c, 0x43, 0x99) },
        { "<string>GGGGGG</string>", rgba(0x3c, 0x3c, 0x43, 0x99) },
        { "<string></string>", rgba(0x3c, 0x3c, 0x43, 0x99) },
        { "<string>#</string>", rgba(0x3c, 0x3c, 0x43, 0x99) },
    };
    for (auto& c : cases) {
        store(c.stored ? std::string("<key>c</key>") + c.stored : "");
        rt::Object* colour = color("c", "3c3c4399");
        ASSERT_TRUE(isColor(colour)) << (c.stored ? c.stored : "absent");
        EXPECT_EQ(resolveColorObject(colour, 1), c.expected) << (c.stored ? c.stored : "absent");
    }
}

TEST_F(PickerDevice, EveryCallReadsTheDisk)
{
    store("<key>c</key><string>112233</string>");
    EXPECT_EQ(resolveColorObject(color("c", "ffffff"), 1), rgba(0x11, 0x22, 0x33));
    store("<key>c</key><string>445566</string>");
    EXPECT_EQ(resolveColorObject(color("c", "ffffff"), 1), rgba(0x44, 0x55, 0x66));
    fs::remove(base / "var/mobile/Library/Preferences" / (std::string(kDomain) + ".plist"));
    EXPECT_EQ(resolveColorObject(color("c", "ffffff"), 1), rgba(255, 255, 255));
}

TEST_F(PickerDevice, AFallbackThatIsNoColourGivesNothing)
{
    store("");
    EXPECT_EQ(color("c", "zz"), nullptr);
    EXPECT_EQ(color("c", nullptr), nullptr);
}

TEST_F(PickerDevice, ImagesFromDataOrADevicePath)
{
    // A 1 x 1 red PNG.
    static const unsigned char png[]
        = { 0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
              0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00,
              0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x08, 0xd7, 0x63, 0xf8, 0xcf, 0xc0, 0x00, 0x00, 0x03, 0x01, 0x01,
              0x00, 0x18, 0xdd, 0x8d, 0xb0, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82 };
    fs::create_directories(base / "var/mobile/Pictures");
    std::ofstream(base / "var/mobile/Pictures/red.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png), sizeof png);
    std::ofstream(base / "var/mobile/Pictures/notes.txt") << "not an image";
    std::ofstream(base / "../tamarind-outside.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png), sizeof png);
    fs::create_directories(base / "var/mobile/Pictures/folder.png");

    store(
        "<key>path</key><string>/var/mobile/Pictures/red.png</string>"
        "<key>data</"
        "key><data>iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVQI12P4z8AAAAMBAQAY3Y2wAAAAAElFTkSuQmCC</data>"
        "<key>text</key><string>/var/mobile/Pictures/notes.txt</string>"
        "<key>missing</key><string>/var/mobile/Pictures/none.png</string>"
        "<key>dir</key><string>/var/mobile/Pictures/folder.png</string>"
        "<key>escape</key><string>/../tamarind-outside.png</string>"
        "<key>relative</key><string>var/mobile/Pictures/red.png</string>"
        "<key>number</key><integer>7</integer>");
    for (const char* key : { "path", "data" }) {
        auto* bytes = rt::dynamicCast<NSData>(data(key), NSData::classObject());
        ASSERT_TRUE(bytes) << key;
        EXPECT_EQ(bytes->length(), sizeof png) << key;
        EXPECT_TRUE(image(key)) << key;
    }
    EXPECT_TRUE(data("text"));
    for (const char* key : { "text", "missing", "dir", "escape", "relative", "number", "absent" })
        EXPECT_EQ(image(key), nullptr) << key;
    for (const char* key : { "missing", "dir", "escape", "relative", "number", "absent" })
        EXPECT_EQ(data(key), nullptr) << key;
    fs::remove(base / "../tamarind-outside.png");
}
