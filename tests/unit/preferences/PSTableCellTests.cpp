#include <gtest/gtest.h>

#include <map>

#include "unit/uikit/UIKitTestSupport.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/imageio/CGImage.h"
#include "host/preferences/PSTableCell.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UISwitch.h"

using rt::Object;
using rt::SEL;

namespace {

// A row that answers only the four messages the cell may use; it is not a PSSpecifier.
struct RowData {
    std::string name;
    long cellType;
    rt::Ref<NSDictionary> properties = NSDictionary::createMutable();
};
std::map<Object*, RowData>& rows()
{
    static std::map<Object*, RowData> table;
    return table;
}

rt::Class* rowClass()
{
    static rt::Class* cls
        = rt::ClassBuilder("TestCellRow", rt::rootClass())
              .method(
                  "name", +[](Object* s, SEL) -> Object* { return ns(rows()[s].name); })
              .method(
                  "cellType", +[](Object* s, SEL) { return rows()[s].cellType; })
              .method(
                  "identifier", +[](Object* s, SEL) -> Object* { return ns(rows()[s].name); })
              .method(
                  "propertyForKey:", +[](Object* s, SEL, Object* key) { return rows()[s].properties->get(key); })
              .registerClass();
    return cls;
}

rt::Ref<Object> makeRow(const std::string& name, long type, Object* value = nullptr, Object* icon = nullptr)
{
    auto row = rt::newObject(rowClass());
    RowData data { name, type };
    if (value)
        data.properties->set("value", value);
    if (icon)
        data.properties->set("iconImage", icon);
    rows()[row.get()] = data;
    return row;
}

rt::Ref<PSTableCell> makeCell(Object* row)
{
    Object* made = rt::send<Object*>(PSTableCell::classObject()->allocate(),
        SELECTOR("initWithStyle:reuseIdentifier:specifier:"), 1L, ns("PSTableCell"), row);
    auto cell = rt::adopt(static_cast<PSTableCell*>(made));
    rt::send(cell.get(), SELECTOR("refreshCellContentsWithSpecifier:"), row);
    rt::send(cell.get(), SELECTOR("setFrame:"), CGRectMake(0, 0, 358, 44));
    cell->layoutIfNeeded();
    return cell;
}

}

TEST(PSTableCell, ShowsALinkRowWithIconValueAndChevron)
{
    rt::AutoreleasePool pool;
    auto icon = UIImage::create(
        CGImage::create(87, 87, 87 * 4, CGImageAlphaInfo::PremultipliedLast, std::vector<uint8_t>(87 * 87 * 4, 255)),
        3);
    auto row = makeRow("Wi-Fi", PSLinkListCell, ns("Home Network"), icon.get());
    auto cell = makeCell(row.get());
    EXPECT_EQ(rt::send<Object*>(cell.get(), SELECTOR("specifier")), row.get());
    EXPECT_EQ(cell->textLabel()->text(), "Wi-Fi");
    EXPECT_EQ(cell->detailTextLabel()->text(), "Home Network");
    auto* iconView = static_cast<UIImageView*>(rt::send<Object*>(cell.get(), SELECTOR("iconImageView")));
    EXPECT_EQ(iconView->image(), icon.get());
    EXPECT_EQ(iconView->frame(), CGRectMake(16, 7.5, 29, 29));
    EXPECT_EQ(cell->textLabel()->frame().minX(), 61);
    EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);
    EXPECT_LT(cell->detailTextLabel()->frame().maxX(), cell->accessoryButton()->frame().minX());
    // The value label is the one the library finds by name.
    EXPECT_EQ(rt::getIvarObject(cell.get(), rt::getInstanceVariable(cell->isa(), "_detailTextLabel")),
        cell->detailTextLabel());
}

TEST(PSTableCell, SwitchRowsShowASwitchAndReuseTurnsThemBack)
{
    rt::AutoreleasePool pool;
    auto row = makeRow("Airplane Mode", PSSwitchCell, NSNumber::withBool(true).get());
    auto cell = makeCell(row.get());
    auto* toggle
        = rt::dynamicCast<UISwitch>(rt::send<Object*>(cell.get(), SELECTOR("control")), UISwitch::classObject());
    ASSERT_TRUE(toggle);
    EXPECT_TRUE(toggle->isOn());
    EXPECT_EQ(toggle->superview(), cell.get());
    EXPECT_EQ(toggle->frame().maxX(), 358 - 16);
    EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryNone);
    EXPECT_TRUE(rt::send<bool>(rt::send<Object*>(cell.get(), SELECTOR("controlValue")), SELECTOR("boolValue")));

    // The same cell, refreshed for a plain title-and-value row, drops the switch.
    auto plain = makeRow("Version", PSTitleValueCell, ns("16.3"));
    rt::send(cell.get(), SELECTOR("refreshCellContentsWithSpecifier:"), plain.get());
    cell->layoutIfNeeded();
    EXPECT_EQ(toggle->superview(), nullptr);
    EXPECT_EQ(cell->detailTextLabel()->text(), "16.3");
    EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryNone);
}

TEST(PSTableCell, IsFoundByNameAndSubclassable)
{
    EXPECT_EQ(rt::getClass("PSTableCell"), PSTableCell::classObject());
    // A library cell class built on it, as the banner cell is, runs its own initializer.
    rt::Class* banner = rt::ClassBuilder("TestBannerCell", PSTableCell::classObject())
                            .method(
                                "initWithStyle:reuseIdentifier:",
                                +[](Object* s, SEL, long style, Object*) -> Object* {
                                    s = rt::sendSuper<Object*>(s, rt::getClass("TestBannerCell"),
                                        SELECTOR("initWithStyle:reuseIdentifier:"), style, ns("TMBannerCell"));
                                    messageLog().push_back("banner init");
                                    return s;
                                })
                            .registerClass();
    rt::AutoreleasePool pool;
    messageLog().clear();
    auto cell = UITableViewCell::create(0, ns("other"), banner);
    ASSERT_TRUE(cell);
    EXPECT_EQ(messageLog(), (std::vector<std::string> { "banner init" }));
    EXPECT_EQ(toStdString(cell->reuseIdentifier()), "TMBannerCell");
    EXPECT_TRUE(cell->contentView());
}
