#include "SamplePage.h"

#include <memory>

#include "host/foundation/String.h"
#include "host/render/Canvas.h"
#include "host/uikit/NSIndexPath.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UINavigationBar.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UISearchBar.h"
#include "host/uikit/UISearchController.h"
#include "host/uikit/UISwitch.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITableViewCell.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

using rt::Object;
using rt::SEL;

namespace {

// The page keeps its rows in a side table keyed by the page object.
std::vector<std::vector<SampleRow>>& rowsOf(Object*)
{
    static std::vector<std::vector<SampleRow>> rows;
    return rows;
}

rt::Ref<UIImage> icon(unsigned color)
{
    double scale = UIScreen::mainScreen()->scale();
    auto canvas = BitmapCanvas::create({ 29, 29 }, scale);
    RGBAColor fill { ((color >> 16) & 255) / 255.0, ((color >> 8) & 255) / 255.0, (color & 255) / 255.0, 1 };
    canvas->fill(Path::roundedRect(CGRectMake(0, 0, 29, 29), 6.5), fill);
    canvas->fill(Path::roundedRect(CGRectMake(8, 8, 13, 13), 3), { 1, 1, 1, 0.9 });
    return UIImage::create(canvas->makeImage(), scale);
}

long sections(Object* self, SEL, Object*)
{
    return static_cast<long>(rowsOf(self).size());
}
long rows(Object* self, SEL, Object*, long section)
{
    return static_cast<long>(rowsOf(self)[section].size());
}

Object* cell(Object* self, SEL, Object* table, Object* path)
{
    auto* p = static_cast<NSIndexPath*>(path);
    const SampleRow& row = rowsOf(self)[p->section()][p->row()];
    Object* reused = rt::send<Object*>(table, SELECTOR("dequeueReusableCellWithIdentifier:"), ns("row"));
    rt::Ref<UITableViewCell> c(static_cast<UITableViewCell*>(reused));
    if (!c) {
        c = UITableViewCell::create(UITableViewCellStyleValue1, ns("row"));
    }
    c->textLabel()->setText(ns(row.title));
    c->detailTextLabel()->setText(ns(row.value));
    rt::send(c->imageView(), SELECTOR("setImage:"), static_cast<Object*>(icon(row.iconColor).get()));
    if (row.isSwitch) {
        auto toggle = UIView::create(UISwitch::classObject());
        rt::send(toggle, SELECTOR("setOn:"), true);
        c->setAccessoryView(toggle.get());
    } else {
        c->setAccessoryView(nullptr);
        c->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    }
    return rt::autorelease(std::move(c));
}

void loadView(Object* self, SEL)
{
    auto table = UIView::create(UITableView::classObject(), UIScreen::mainScreen()->bounds());
    auto* t = static_cast<UITableView*>(table.get());
    t->setStyle(UITableViewStyleInsetGrouped);
    rt::send(t, SELECTOR("setDataSource:"), self);
    rt::send(t, SELECTOR("setDelegate:"), self);
    rt::send(self, SELECTOR("setView:"), static_cast<Object*>(t));
}

rt::Class* pageClass()
{
    static rt::Class* cls = rt::ClassBuilder("TestSamplePage", UIViewController::classObject())
                                .method("loadView", &loadView)
                                .method("numberOfSectionsInTableView:", &sections)
                                .method("tableView:numberOfRowsInSection:", &rows)
                                .method("tableView:cellForRowAtIndexPath:", &cell)
                                .registerClass();
    return cls;
}

}

std::vector<std::vector<SampleRow>> sampleSections(int count)
{
    static const SampleRow names[] = { { "Airplane Mode", "", 0xFF9500, true }, { "Wi-Fi", "Home", 0x007AFF },
        { "Bluetooth", "On", 0x007AFF }, { "Cellular", "", 0x34C759 }, { "Personal Hotspot", "Off", 0x34C759 },
        { "Notifications", "", 0xFF3B30 }, { "Sounds & Haptics", "", 0xFF2D55 }, { "Focus", "", 0x5856D6 },
        { "Screen Time", "", 0x5856D6 }, { "General", "", 0x8E8E93 }, { "Control Center", "", 0x8E8E93 },
        { "Display & Brightness", "", 0x007AFF }, { "Home Screen", "", 0x5856D6 }, { "Accessibility", "", 0x007AFF } };
    std::vector<std::vector<SampleRow>> result;
    int made = 0;
    while (made < count) {
        size_t size = 4 + result.size() % 3;
        std::vector<SampleRow> section;
        for (size_t i = 0; i < size && made < count; ++i, ++made)
            section.push_back(names[made % std::size(names)]);
        result.push_back(std::move(section));
    }
    return result;
}

SamplePage makeSamplePage(const std::vector<std::vector<SampleRow>>& content, long style)
{
    SamplePage sample;
    sample.page = rt::newObject(pageClass());
    rowsOf(sample.page.get()) = content;
    rt::send(sample.page.get(), SELECTOR("setTitle:"), ns("Settings"));
    sample.navigation = UINavigationController::create(sample.page.get());
    sample.navigation->navigationBar()->setPrefersLargeTitles(true);
    auto search = rt::newObject(UISearchController::classObject());
    rt::send(rt::send<Object*>(sample.page.get(), SELECTOR("navigationItem")), SELECTOR("setSearchController:"),
        search.get());
    sample.window = UIWindow::create(UIScreen::mainScreen()->bounds());
    sample.window->setOverrideUserInterfaceStyle(style);
    sample.window->setRootViewController(sample.navigation.get());
    sample.window->makeKeyAndVisible();
    sample.table = static_cast<UITableView*>(static_cast<UIViewController*>(sample.page.get())->view());
    return sample;
}
