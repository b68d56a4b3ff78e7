#include <gtest/gtest.h>

#include "SimHarness.h"

// Every rule that depends on the system's version, on the shipped phones on either side of its
// boundary: iOS 14.8 (ios14), 15.1 (ios15, between the 15.0 and 15.2 boundaries) and 16.4
// (default). Where a phone sits on the wrong side of a boundary it is moved across it, so each
// rule is seen where it applies and where it does not.

using nlohmann::json;
using Ids = std::vector<std::string>;

namespace {

struct VersionedPhone {
    const char* folder;
    const char* version; // empty: the device's own
};

void moveAcross(TestDevice& device, const VersionedPhone& phone)
{
    if (*phone.version)
        device.description()["systemVersion"] = phone.version;
}

std::string describe(const VersionedPhone& phone)
{
    return std::string(phone.folder) + (*phone.version ? std::string(" at ") + phone.version : "");
}

const json kGeneralModule = { { "isCustomTableCellCustomizabilityEnabled", true }, { "isGeneralGroupingEnabled", true } };

}

// The account button reads the Apple Account row from "_appleAccountSpecifier" before iOS 15.2 and
// from "__appleAccountSpecifier" from then on; reading the other name would open nothing.
TEST(SystemVersions, AccountButtonReadsTheAccountRowOfItsVersion)
{
    for (auto phone : { VersionedPhone { "ios14", "" }, VersionedPhone { "ios15", "" }, VersionedPhone { "ios15", "15.2" }, VersionedPhone { "default", "" } }) {
        SCOPED_TRACE(describe(phone));
        TestDevice device(phone.folder);
        moveAcross(device, phone);
        auto pages = scriptDumps(device, { { "stockiCloud", false } }, "button account\ndump\n");
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(pages[0]["title"], "Jane Appleseed");
    }
}

// The General module appends the root page's exposure row after Emergency SOS, read from
// "_exposureNotificationSpecifier" before iOS 15.0 and "__exposureNotificationSpecifier" after.
TEST(SystemVersions, GeneralModuleFindsTheExposureRowOfItsVersion)
{
    for (auto phone : { VersionedPhone { "ios14", "" }, VersionedPhone { "ios15", "15.0" }, VersionedPhone { "ios15", "" }, VersionedPhone { "default", "" } }) {
        SCOPED_TRACE(describe(phone));
        TestDevice device(phone.folder);
        moveAcross(device, phone);
        auto& rows = device.description()["rootList"];
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].value("id", "") == "PASSCODE") {
                json sos = { { "id", "EMERGENCY_SOS" }, { "name", "Emergency SOS" }, { "cell", "PSLinkCell" } };
                rows.insert(rows.begin() + long(i) + 1, sos);
                break;
            }
        Ids ids = flatRowIDs(dumpPage(device, kGeneralModule, "general"));
        long sos = indexOf(ids, "EMERGENCY_SOS");
        ASSERT_GE(sos, 0);
        EXPECT_EQ(indexOf(ids, "Exposure Notifications"), sos + 1);
    }
}

// A preference page's cell gets the border from its own didMoveToSuperview only from iOS 15.0 on.
TEST(SystemVersions, PreferenceCellsGetTheirBorderFromIOS15)
{
    struct Case {
        VersionedPhone phone;
        int width;
    } cases[] = { { { "ios14", "" }, 0 }, { { "ios14", "15.0" }, 3 }, { { "ios15", "" }, 3 }, { { "default", "" }, 3 } };
    for (auto& c : cases) {
        SCOPED_TRACE(describe(c.phone));
        TestDevice device(c.phone.folder);
        moveAcross(device, c.phone);
        json about = dumpPage(device, { { "isCustomBorderColor", true }, { "borderWidthValue", 3 } }, "about");
        EXPECT_EQ(cellOf(about, "ProductModel")["layer"]["borderWidth"], c.width);
    }
}

// The account row's custom texts reach it through the list content configuration from iOS 16.0
// and through its labels before; either way the row shows them.
TEST(SystemVersions, AccountRowShowsCustomTextsOnEveryVersion)
{
    for (auto phone : { VersionedPhone { "ios14", "" }, VersionedPhone { "ios15", "" }, VersionedPhone { "ios15", "16.0" }, VersionedPhone { "default", "" } }) {
        SCOPED_TRACE(describe(phone));
        TestDevice device(phone.folder);
        moveAcross(device, phone);
        auto pages = scriptDumps(device,
            { { "stockiCloud", true }, { "isAccCellCustomNameEnabled", true }, { "accCellNameValue", "Jo" },
                { "accCellSubtitleValue", "Family of four" } },
            "dump\n");
        ASSERT_EQ(pages.size(), 1u);
        json row = pages[0]["rootControls"]["accountCell"];
        EXPECT_EQ(row["title"]["text"], "Jo");
        EXPECT_EQ(row["subtitle"]["text"], "Family of four");
    }
}

// Before iOS 15.0 the regrouped root list brings the TV provider row in after the passcode row's
// section; from 15.0 the row only arrives where the host inserts it, at the end.
TEST(SystemVersions, TVProviderRowJoinsThePasscodeSectionBeforeIOS15)
{
    struct Case {
        VersionedPhone phone;
        bool joins;
    } cases[] = { { { "ios14", "" }, true }, { { "ios15", "14.8" }, true }, { { "ios15", "" }, false },
        { { "default", "" }, false } };
    for (auto& c : cases) {
        SCOPED_TRACE(describe(c.phone));
        TestDevice device(c.phone.folder);
        moveAcross(device, c.phone);
        json prefs = kGeneralModule;
        prefs["tvProviderEnabled"] = true;
        json page = dumpPage(device, prefs, "root");
        Ids ids = flatRowIDs(page);
        long passcode = indexOf(ids, "PASSCODE");
        ASSERT_GE(passcode, 0);
        EXPECT_EQ(ids.size() > size_t(passcode + 1) && ids[passcode + 1] == "VIDEO_SUBSCRIBER", c.joins);
    }
}
