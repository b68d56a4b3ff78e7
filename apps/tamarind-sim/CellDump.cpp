#include "CellDump.h"

#include <cstdio>

#include "TableDump.h"

#include "host/foundation/String.h"
#include "host/preferences/SettingsApp.h"
#include "host/render/Color.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIButton.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UISlider.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITableViewCell.h"
#include "host/uikit/UIWindow.h"

using nlohmann::json;

namespace {

json layerOf(UIView* view, long style)
{
    CALayer* layer = view->layer();
    return { { "cornerRadius", layer->cornerRadius() }, { "borderWidth", layer->borderWidth() },
        { "borderColor", hexColor(layer->borderColor(), style) }, { "clips", view->clipsToBounds() } };
}

// What a tap shows: the cell is highlighted while the finger is down and selected when it
// lifts, each through the cell's own methods; the state is read and then cleared again.
json tapOf(UITableViewCell* cell)
{
    rt::send(cell, SELECTOR("setHighlighted:animated:"), true, false);
    bool highlighted = cell->isHighlighted();
    rt::send(cell, SELECTOR("setHighlighted:animated:"), false, false);
    rt::send(cell, SELECTOR("setSelected:animated:"), true, false);
    bool selected = cell->isSelected();
    rt::send(cell, SELECTOR("setSelected:animated:"), false, false);
    return { { "highlighted", highlighted }, { "selected", selected } };
}

// A slider row's slider: where it stands and its range.
json sliderOf(UITableViewCell* cell)
{
    rt::Object* control
        = rt::respondsTo(cell, rt::sel("control")) ? rt::send<rt::Object*>(cell, SELECTOR("control")) : nullptr;
    auto* slider = rt::dynamicCast<UISlider>(control, UISlider::classObject());
    if (!slider)
        return nullptr;
    return { { "class", slider->isa()->name() }, { "value", slider->value() }, { "min", slider->minimumValue() },
        { "max", slider->maximumValue() } };
}

// The chevron or check as drawn: its tint and whether its image is a template.
json accessoryImageOf(UITableViewCell* cell, long style)
{
    auto* button = rt::dynamicCast<UIButton>(cell->accessoryButton(), UIButton::classObject());
    if (!button || button->superview() != cell || !button->imageView())
        return nullptr;
    UIImageView* image = button->imageView();
    return { { "tint", hexColor(image->tintColor(), style) },
        { "template", image->image() && image->image()->renderingMode() == 2 } };
}

// The content view's own subviews besides the title, value and icon (badges, for instance).
json extraContentOf(UITableViewCell* cell, long style)
{
    json views = json::array();
    for (auto& view : cell->contentView()->subviews()) {
        UIView* v = view.get();
        if (v == cell->textLabel() || v == cell->detailTextLabel() || v == cell->imageView())
            continue;
        json j { { "class", v->isa()->name() }, { "hidden", v->isHidden() } };
        if (auto* label = rt::dynamicCast<UILabel>(v, UILabel::classObject()))
            j["text"] = label->text();
        views.push_back(j);
    }
    (void)style;
    return views;
}

bool showsSeparator(UITableViewCell* cell)
{
    return cell->separator() && cell->separator()->superview() == cell && !cell->separator()->isHidden();
}

json cellOf(UITableViewCell* cell)
{
    long style = cell->effectiveUserInterfaceStyle();
    json j;
    j["class"] = cell->isa()->name();
    j["frame"] = frameOf(cell);
    j["hidden"] = cell->isHidden();
    j["background"] = hexColor(cell->backgroundColor(), style);
    j["backgroundName"] = optionalText(rt::send<rt::Object*>(cell->backgroundColor(), SELECTOR("_systemColorName")));
    j["layer"] = layerOf(cell, style);
    j["text"] = labelOf(cell->textLabel(), style);
    j["detail"] = labelOf(cell->detailTextLabel(), style);
    rt::Object* subtitle = rt::respondsTo(cell, rt::sel("customDetailLabel"))
        ? rt::send<rt::Object*>(cell, SELECTOR("customDetailLabel"))
        : nullptr;
    j["subtitle"] = rt::isKindOf(subtitle, UILabel::classObject()) ? labelOf(static_cast<UILabel*>(subtitle), style)
                                                                   : json(nullptr);
    j["accessory"] = cell->accessoryType();
    if (json slider = sliderOf(cell); !slider.is_null())
        j["slider"] = slider;
    j["accessoryImage"] = accessoryImageOf(cell, style);
    j["separator"] = showsSeparator(cell);
    if (json extra = extraContentOf(cell, style); !extra.empty())
        j["contentViews"] = extra;
    rt::Object* control
        = rt::respondsTo(cell, rt::sel("control")) ? rt::send<rt::Object*>(cell, SELECTOR("control")) : nullptr;
    if (isView(control))
        j["control"] = dumpControl(static_cast<UIView*>(control), style);
    j["tap"] = tapOf(cell);
    if (UIImageView* image = cell->imageView()) {
        j["icon"] = layerOf(image, style);
        j["icon"]["hidden"] = image->isHidden();
        if (!image->isHidden())
            j["imageFrame"] = frameOf(image);
    }
    return j;
}

}

std::vector<std::vector<json>> dumpCells(rt::Object* page)
{
    std::vector<std::vector<json>> cells;
    auto* table = static_cast<UITableView*>(rt::send<rt::Object*>(page, SELECTOR("table")));
    auto* window = static_cast<UIWindow*>(settings::window());
    if (!table || !window || !rt::isKindOf(table, UITableView::classObject()))
        return cells;
    window->layoutAndDisplay();
    CGPoint original = table->contentOffset();
    long sections = table->numberOfSections();
    for (long s = 0; s < sections; ++s) {
        std::vector<json> rows;
        for (long r = 0, n = table->numberOfRows(s); r < n; ++r) {
            CGRect rect = table->rectForRow(s, r);
            table->setContentOffset({ 0, std::max(0.0, rect.origin.y - table->bounds().height() / 2) });
            window->layoutAndDisplay();
            rt::Object* cell = rt::send<rt::Object*>(table, SELECTOR("cellForRowAtIndexPath:"),
                rt::send<rt::Object*>(rt::getClass("NSIndexPath"), SELECTOR("indexPathForRow:inSection:"), r, s));
            rows.push_back(cell ? cellOf(static_cast<UITableViewCell*>(cell)) : json(nullptr));
        }
        cells.push_back(std::move(rows));
    }
    table->setContentOffset(original);
    window->layoutAndDisplay();
    return cells;
}
