#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "host/platform/DeviceRoot.h"
#include "host/preferences/PSListController.h"
#include "host/preferences/PSSegmentableSlider.h"
#include "host/preferences/PSUIPrefsListController.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITextView.h"
#include "host/uikit/UIWindow.h"
#include "tamarind/core/Replacement.h"
#include "tamarind/core/Settings.h"
#include "tamarind/startup/OwnClasses.h"
#include "tamarind/startup/ReplacementTable.h"
#include "tamarind/styling/RootTextViews.h"
#include "tamarind/styling/SliderLabel.h"
#include "tamarind/styling/TableBackground.h"
#include "tamarind/styling/TableStyle.h"

// The table and control replacements on host objects built here, for the cases no page of the
// simulated device shows: tables outside preference pages, a table initialised inside a page, a
// subclass of a module page, and the slider label's re-alignment.

namespace fs = std::filesystem;
using namespace tamarind;

namespace {

constexpr long kDarkStyle = 2;

// Installs the replacements once, with a domain whose background colour is known.
void installOnce()
{
    static bool done = [] {
        std::string pattern = (fs::temp_directory_path() / "tamarind-styling-XXXXXX").string();
        fs::path base = mkdtemp(pattern.data());
        fs::create_directories(base / "var/mobile/Library/Preferences");
        setDeviceRoot(base);
        std::ofstream(base / "var/mobile/Library/Preferences/com.corvane.sorrelpreferences.plist")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
               "<key>colorBackground</key><string>#204080</string></dict></plist>\n";
        PSListController::classObject();
        PSUIPrefsListController::classObject();
        PSSegmentableSlider::classObject();
        // The library registered its pages while it loaded, before this program's host classes
        // existed; it registers them now that their superclass is there.
        registerOwnClasses();
        // The library's own rows for the classes these tests build, so that what is tested is
        // what the library installs.
        const std::set<std::string> tested { "PSListController", "UITableView", "UITextView", "PSSegmentableSlider" };
        std::vector<Replacement> rows;
        for (const Replacement& row : secondGroup())
            if (tested.contains(row.className))
                rows.push_back(row);
        installGroup("test", rows);
        return true;
    }();
    (void)done;
}

rt::Ref<UIWindow> makeWindow()
{
    auto window = UIWindow::create(UIScreen::mainScreen()->bounds());
    window->setOverrideUserInterfaceStyle(1);
    window->makeKeyAndVisible();
    return window;
}

rt::Ref<rt::Object> newPage(const char* className)
{
    return rt::newObject(rt::getClass(className));
}

UIView* viewOf(rt::Object* controller)
{
    return static_cast<UIView*>(rt::send<rt::Object*>(controller, SELECTOR("view")));
}

rt::Object* newTable(long style)
{
    rt::Object* table = rt::send<rt::Object*>(UITableView::classObject(), SELECTOR("alloc"));
    return rt::send<rt::Object*>(table, SELECTOR("initWithFrame:style:"), CGRectMake(0, 0, 390, 400), style);
}

RGBAColor backgroundOf(UIView* view)
{
    return view->backgroundColor() ? view->backgroundColor()->resolved(1) : RGBAColor {};
}

const RGBAColor kPicked { 0x20 / 255.0, 0x40 / 255.0, 0x80 / 255.0, 1 };

}

TEST(TableStyle, OnlyATableThatAlreadySitsInAPreferencePageTurnsInsetGrouped)
{
    rt::AutoreleasePool pool;
    installOnce();
    auto loose = rt::adopt(newTable(1));
    EXPECT_EQ(rt::send<long>(loose, SELECTOR("style")), 1) << "made before it has a view controller";

    auto page = newPage("PSListController");
    UIView* table = viewOf(page.get());
    ASSERT_TRUE(isTableView(table));
    rt::send<rt::Object*>(table, SELECTOR("initWithFrame:style:"), CGRectMake(0, 0, 390, 400), 1L);
    EXPECT_EQ(rt::send<long>(table, SELECTOR("style")), 2);

    auto plain = rt::newObject(UIViewController::classObject());
    auto inPlainPage = rt::adopt(newTable(0));
    viewOf(plain.get())->addSubview(static_cast<UIView*>(inPlainPage.get()));
    rt::send<rt::Object*>(inPlainPage.get(), SELECTOR("initWithFrame:style:"), CGRectMake(0, 0, 390, 400), 0L);
    EXPECT_EQ(rt::send<long>(inPlainPage, SELECTOR("style")), 0);
}

// Entering a window colours only tables of preference pages; an appearance change colours every
// table that reaches it.
TEST(TableBackground, ATableOutsidePreferencePagesIsColouredOnlyAfterAnAppearanceChange)
{
    rt::AutoreleasePool pool;
    installOnce();
    secondPass.isCustomBackgroundColor = true;
    auto window = makeWindow();
    auto plain = rt::newObject(UIViewController::classObject());
    auto outside = rt::adopt(newTable(1));
    viewOf(plain.get())->addSubview(static_cast<UIView*>(outside.get()));
    auto page = newPage("PSListController");
    UIView* inside = viewOf(page.get());

    window->addSubview(viewOf(plain.get()));
    window->addSubview(inside);
    EXPECT_EQ(backgroundOf(inside), kPicked);
    EXPECT_NE(backgroundOf(static_cast<UIView*>(outside.get())), kPicked);

    window->setOverrideUserInterfaceStyle(kDarkStyle);
    window->propagateTraitChanges();
    EXPECT_EQ(backgroundOf(static_cast<UIView*>(outside.get())), kPicked);
    EXPECT_EQ(backgroundOf(inside), kPicked);
    secondPass.isCustomBackgroundColor = false;
    window->removeFromSuperview();
}

TEST(TableStyle, OnlyTheTwoModulePagesThemselvesLoseTheirFooterSpace)
{
    rt::AutoreleasePool pool;
    installOnce();
    rt::Class* general = rt::getClass("TMGeneralRootListController");
    ASSERT_TRUE(general);
    static rt::Class* subclass = rt::ClassBuilder("TestGeneralPageSubclass", general).registerClass();
    struct Case {
        rt::Class* cls;
        double height;
    } cases[] = { { general, 0 }, { rt::getClass("TMNotificationsRootListController"), 0 },
        { rt::getClass("ConnectivityRootListController"), -1 }, { subclass, -1 },
        { PSListController::classObject(), -1 } };
    for (auto c : cases) {
        auto page = rt::newObject(c.cls);
        EXPECT_EQ(rt::send<double>(
                      page, SELECTOR("tableView:heightForFooterInSection:"), static_cast<rt::Object*>(nullptr), 0L),
            c.height)
            << c.cls->name();
    }
}

TEST(SliderLabel, TheAddedFixSizesTheLabelToItsTextAndRightAlignsIt)
{
    rt::AutoreleasePool pool;
    installOnce();
    auto slider = UIView::create(PSSegmentableSlider::classObject(), CGRectMake(0, 0, 300, 31));
    rt::send(slider.get(), SELECTOR("_csp_sliderLabelFix")); // no label: nothing to do
    rt::send(slider.get(), SELECTOR("setShowValue:"), true);
    rt::send(slider.get(), SELECTOR("setValue:"), 0.5f);
    auto* label = static_cast<UILabel*>(slider->viewWithTag(PSSegmentableSlider::kValueLabelTag));
    ASSERT_TRUE(label);
    rt::send(slider.get(), SELECTOR("_csp_sliderLabelFix"));
    CGSize fitting = label->defaultSizeThatFits({});
    CGRect frame = label->frame();
    EXPECT_DOUBLE_EQ(frame.size.width, fitting.width);
    EXPECT_DOUBLE_EQ(frame.origin.x, 300 - fitting.width + 10);
    EXPECT_EQ(label->autoresizingMask(), 3u);
}

TEST(RootTextViews, TextViewsLeaveTheRootListButNotOtherPages)
{
    rt::AutoreleasePool pool;
    installOnce();
    auto window = makeWindow();
    for (const char* pageClass : { "PSUIPrefsListController", "PSListController" }) {
        auto page = newPage(pageClass);
        UIView* table = viewOf(page.get());
        auto text = UIView::create(UITextView::classObject(), CGRectMake(0, 0, 100, 40));
        table->addSubview(text.get());
        window->addSubview(table);
        EXPECT_EQ(text->superview() == table, std::string(pageClass) != "PSUIPrefsListController") << pageClass;
        table->removeFromSuperview();
    }
    window->removeFromSuperview();
}
