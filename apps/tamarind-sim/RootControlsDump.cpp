#include "RootControlsDump.h"

#include "CellDump.h"

#include "host/foundation/String.h"
#include "host/platform/Spawn.h"
#include "host/preferences/PSUIAppleAccountCell.h"
#include "host/preferences/PSUIPrefsListController.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIBarButtonItem.h"
#include "host/uikit/UIButton.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UIMenu.h"
#include "host/uikit/UINavigationItem.h"
#include "host/uikit/UISearchBar.h"
#include "host/uikit/UISearchController.h"
#include "host/uikit/UITableView.h"

using nlohmann::json;

namespace {

json rectOf(CGRect r)
{
    return { r.origin.x, r.origin.y, r.size.width, r.size.height };
}

json imageOf(rt::Object* object)
{
    auto* image = rt::dynamicCast<UIImage>(object, UIImage::classObject());
    if (!image)
        return nullptr;
    CGSize size = image->size();
    json j { { "size", { size.width, size.height } }, { "template", image->isTemplate() } };
    if (!image->symbolName().empty())
        j["symbol"] = image->symbolName();
    return j;
}

// A button as it sits in its superview (and in the window), with the tints set on it and on its
// image view.
json buttonOf(UIButton* button)
{
    if (!button)
        return nullptr;
    long style = button->effectiveUserInterfaceStyle();
    return { { "frame", rectOf(button->frame()) }, { "windowFrame", frameOf(button) }, { "hidden", button->isHidden() },
        { "tint", hexColor(button->ownTintColor(), style) },
        { "imageTint", hexColor(button->imageView()->ownTintColor(), style) },
        { "image", imageOf(button->imageForState(0)) } };
}

json menuOf(UIButton* button)
{
    auto* menu = rt::dynamicCast<UIMenu>(button->menu(), UIMenu::classObject());
    if (!menu)
        return nullptr;
    json titles = json::array();
    for (auto& child : menu->children())
        if (auto* action = rt::dynamicCast<UIAction>(child.get(), UIAction::classObject()))
            titles.push_back(toStdString(action->title()));
    return { { "title", toStdString(menu->title()) }, { "entries", titles },
        { "primaryAction", button->showsMenuAsPrimaryAction() } };
}

json topMenuOf(rt::Object* page)
{
    UIButton* gear = topMenuButton(page);
    if (!gear)
        return nullptr;
    json j = buttonOf(gear);
    j["menu"] = menuOf(gear);
    return j;
}

json searchBarOf(rt::Object* page)
{
    auto* controller = rt::dynamicCast<UISearchController>(
        rt::send<rt::Object*>(page, SELECTOR("spotlightSearchController")), UISearchController::classObject());
    UISearchBar* bar = controller ? controller->searchBar() : nullptr;
    if (!bar)
        return nullptr;
    json j { { "class", bar->isa()->name() }, { "hidden", bar->isHidden() }, { "frame", rectOf(bar->frame()) } };
    if (UIView* background = bar->fieldBackground()) {
        long style = background->effectiveUserInterfaceStyle();
        j["fieldBackground"]
            = { { "hidden", background->isHidden() }, { "color", hexColor(background->backgroundColor(), style) },
                  { "cornerRadius", background->layer()->cornerRadius() },
                  { "masksToBounds", background->layer()->masksToBounds() } };
    }
    return j;
}

// A label as labelOf() shows it, with its alignment.
json alignedLabelOf(UILabel* label, long style)
{
    json j = labelOf(label, style);
    if (label)
        j["alignment"] = label->textAlignment();
    return j;
}

// The account row's cell among the table's visible cells; frames in the window's coordinates.
json accountCellOf(rt::Object* page)
{
    auto* table
        = rt::dynamicCast<UITableView>(rt::send<rt::Object*>(page, SELECTOR("table")), UITableView::classObject());
    if (!table)
        return nullptr;
    for (auto& view : table->subviews()) {
        auto* cell = rt::dynamicCast<UITableViewCell>(view.get(), PSUIAppleAccountCell::classObject());
        if (!cell)
            continue;
        long style = cell->effectiveUserInterfaceStyle();
        UIImageView* picture = cell->imageView();
        return { { "hidden", cell->isHidden() }, { "frame", frameOf(cell) },
            { "picture", { { "hidden", picture->isHidden() }, { "frame", frameOf(picture) } } },
            { "title", alignedLabelOf(cell->textLabel(), style) },
            { "subtitle", alignedLabelOf(cell->detailTextLabel(), style) } };
    }
    return nullptr;
}

}

UIButton* floatingButton(rt::Object* page, const char* action)
{
    auto* table = rt::dynamicCast<UIView>(rt::send<rt::Object*>(page, SELECTOR("table")), UIView::classObject());
    if (!table)
        return nullptr;
    for (auto& view : table->subviews())
        if (auto* button = rt::dynamicCast<UIButton>(view.get(), UIButton::classObject()))
            if (button->sendsAction(rt::sel(action)))
                return button;
    return nullptr;
}

UIButton* topMenuButton(rt::Object* page)
{
    auto* item = rt::dynamicCast<UINavigationItem>(
        rt::send<rt::Object*>(page, SELECTOR("navigationItem")), UINavigationItem::classObject());
    if (!item || item->rightItems().empty())
        return nullptr;
    auto* barItem = rt::dynamicCast<UIBarButtonItem>(item->rightItems().front().get(), UIBarButtonItem::classObject());
    return barItem ? rt::dynamicCast<UIButton>(barItem->customView(), UIButton::classObject()) : nullptr;
}

json dumpRootControls(rt::Object* page)
{
    if (!rt::isKindOf(page, PSUIPrefsListController::classObject()))
        return nullptr;
    rt::AutoreleasePool pool;
    return { { "accountButton", buttonOf(floatingButton(page, "openAccountCell:")) },
        { "searchButton", buttonOf(floatingButton(page, "toggleSearch:")) }, { "topMenu", topMenuOf(page) },
        { "searchBar", searchBarOf(page) }, { "accountCell", accountCellOf(page) } };
}

json dumpSpawned()
{
    json all = json::array();
    for (auto& child : platform::spawnedProcesses())
        all.push_back(child.arguments);
    return all;
}
