#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "host/foundation/String.h"
#include "host/platform/DeviceRoot.h"
#include "host/preferences/PSListController.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/PSTableCell.h"
#include "host/preferences/PSUIPrefsListController.h"
#include "host/preferences/PreferencesConstants.h"
#include "tamarind/core/Replacement.h"
#include "tamarind/core/Settings.h"
#include "tamarind/styling/RowSubtitles.h"

// Root rows described on a device without the library's localization bundle, which every device
// the simulator runs carries: there every lookup answers nothing.

namespace fs = std::filesystem;
using namespace tamarind;

namespace {

void installOnce()
{
    static bool done = [] {
        std::string pattern = (fs::temp_directory_path() / "tamarind-titles-XXXXXX").string();
        fs::path base = mkdtemp(pattern.data());
        fs::create_directories(base / "var/jb/Library/PreferenceBundles");
        setDeviceRoot(base);
        PSListController::classObject();
        PSUIPrefsListController::classObject();
        PSTableCell::classObject();
        static const Replacement rows[] = {
            addingProperty("PSTableCell", "customDetailLabel", "UILabel"),
            adding("PSTableCell", "loadSubtitle", &loadSubtitle),
        };
        installGroup("test", rows);
        return true;
    }();
    (void)done;
}

// A cell of the root page showing the row, described once.
std::string describedTitle(rt::Object* page, const char* name, const char* identifier)
{
    auto row = PSSpecifier::create(name, page, nullptr, PSLinkCell);
    rt::send(row.get(), SELECTOR("setProperty:forKey:"), ns(identifier), ns("id"));
    rt::Object* cell = rt::send<rt::Object*>(rt::send<rt::Object*>(PSTableCell::classObject(), SELECTOR("alloc")),
        SELECTOR("initWithStyle:reuseIdentifier:specifier:"), 1L, ns("Cell"), row.get());
    rt::autorelease(cell);
    rt::send(cell, SELECTOR("refreshCellContentsWithSpecifier:"), row.get());
    rt::send(rt::send<rt::Object*>(page, SELECTOR("view")), SELECTOR("addSubview:"), cell);
    rt::send(cell, SELECTOR("loadSubtitle"));
    std::string title = toStdString(rt::send<rt::Object*>(rt::send<rt::Object*>(cell, SELECTOR("titleLabel")), SELECTOR("text")));
    rt::send(cell, SELECTOR("removeFromSuperview"));
    return title;
}

}

// A lookup with no text for a title leaves the row its name, and a title in Greek or Cyrillic
// capitals is no key to look up.
TEST(RowTitles, ARowKeepsItsTitleWhenTheLookupAnswersNothing)
{
    rt::AutoreleasePool pool;
    installOnce();
    secondPass.tableViewLabelsEnabled = false;
    auto page = rt::newObject(PSUIPrefsListController::classObject());
    struct Case {
        const char* name;
        const char* identifier;
    };
    for (auto c : { Case { "Bluetooth", "Bluetooth" }, Case { "VPN", "VPN" },
             Case { "GENERAL_MODULE_TITLE", "GENERAL_MODULE" }, Case { "Aurora", "Aurora" },
             Case { "ΚΑΙΡΟΣ", "GREEK_ROW" }, Case { "ПОЧТА", "CYRILLIC_ROW" } })
        EXPECT_EQ(describedTitle(page.get(), c.name, c.identifier), c.name) << c.identifier;
}
