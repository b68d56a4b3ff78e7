#include "TableDump.h"

#include <algorithm>

#include "CellDump.h"

#include "host/preferences/SettingsApp.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIBackdropView.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UISlider.h"
#include "host/uikit/UISwitch.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITableViewHeaderFooterView.h"
#include "host/uikit/UIWindow.h"

using nlohmann::json;

namespace {

constexpr long kValueLabelTag = 1986096245; // 'valu'

json viewOf(UIView* view, long style)
{
    json j { { "class", view->isa()->name() }, { "frame", frameOf(view) }, { "hidden", view->isHidden() },
        { "alpha", view->alpha() } };
    if (auto* image = rt::dynamicCast<UIImageView>(view, UIImageView::classObject())) {
        j["image"] = image->image() != nullptr;
        if (image->image())
            j["imageSize"] = { image->image()->size().width, image->image()->size().height };
    }
    if (auto* backdrop = rt::dynamicCast<UIBackdropView>(view, UIBackdropView::classObject()))
        j["backdropStyle"] = backdrop->style();
    json children = json::array();
    for (auto& child : view->subviews())
        children.push_back(viewOf(child.get(), style));
    if (!children.empty())
        j["subviews"] = children;
    return j;
}

json titleViewOf(UIView* view, long style)
{
    auto* titled = rt::dynamicCast<UITableViewHeaderFooterView>(view, UITableViewHeaderFooterView::classObject());
    UILabel* label = titled ? titled->madeTextLabel() : nullptr;
    if (!label)
        return nullptr;
    return { { "text", label->text() }, { "alignment", label->textAlignment() },
        { "color", hexColor(label->textColor(), style) } };
}

// Scrolls each section's header and footer into view in turn and reads the title views shown.
json sectionTitlesOf(UITableView* table, long style)
{
    auto* window = static_cast<UIWindow*>(settings::window());
    json titles = json::array();
    if (!window)
        return titles;
    CGPoint original = table->contentOffset();
    for (long s = 0, n = table->numberOfSections(); s < n; ++s) {
        CGRect rect = table->rectForSection(s);
        table->setContentOffset({ 0, std::max(0.0, rect.origin.y - table->bounds().height() / 4) });
        window->layoutAndDisplay();
        json section { { "section", s } };
        if (json header = titleViewOf(table->headerView(s), style); !header.is_null())
            section["header"] = header;
        if (json footer = titleViewOf(table->footerView(s), style); !footer.is_null())
            section["footer"] = footer;
        titles.push_back(section);
    }
    table->setContentOffset(original);
    window->layoutAndDisplay();
    return titles;
}

json footerHeightsOf(rt::Object* page, UITableView* table)
{
    json heights = json::array();
    rt::Object* delegate = rt::send<rt::Object*>(table, SELECTOR("delegate"));
    rt::Object* asked = delegate ? delegate : page;
    for (long s = 0, n = table->numberOfSections(); s < n; ++s)
        heights.push_back(rt::send<double>(asked, SELECTOR("tableView:heightForFooterInSection:"), table, s));
    return heights;
}

}

json dumpTable(rt::Object* page)
{
    auto* table
        = rt::dynamicCast<UITableView>(rt::send<rt::Object*>(page, SELECTOR("table")), UITableView::classObject());
    if (!table)
        return nullptr;
    long style = table->effectiveUserInterfaceStyle();
    UIEdgeInsets inset = rt::send<UIEdgeInsets>(table, SELECTOR("_sectionContentInset"));
    json j;
    j["style"] = rt::send<long>(table, SELECTOR("style"));
    j["sectionInset"] = { inset.top, inset.left, inset.bottom, inset.right };
    j["background"] = hexColor(table->backgroundColor(), style);
    UIView* background = table->backgroundView();
    j["backgroundView"] = background && background->superview() == table ? viewOf(background, style) : json(nullptr);
    j["footerHeights"] = footerHeightsOf(page, table);
    j["sectionTitles"] = sectionTitlesOf(table, style);
    return j;
}

json dumpControl(UIView* control, long style)
{
    if (!control)
        return nullptr;
    json j { { "class", control->isa()->name() }, { "hidden", control->isHidden() }, { "frame", frameOf(control) },
        { "background", hexColor(control->backgroundColor(), style) },
        { "cornerRadius", control->layer()->cornerRadius() } };
    if (auto* toggle = rt::dynamicCast<UISwitch>(control, UISwitch::classObject())) {
        j["on"] = toggle->isOn();
        j["onTint"] = hexColor(toggle->onTintColor(), style);
    }
    if (auto* slider = rt::dynamicCast<UISlider>(control, UISlider::classObject())) {
        j["value"] = slider->value();
        auto* label = rt::dynamicCast<UILabel>(slider->viewWithTag(kValueLabelTag), UILabel::classObject());
        j["valueLabel"] = label ? json { { "text", label->text() }, { "color", hexColor(label->textColor(), style) },
            { "frame", frameOf(label) } }
                                : json(nullptr);
    }
    return j;
}
