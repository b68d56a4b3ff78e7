#include "host/preferences/PSUIAppleAccountCell.h"

#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr long kSubtitleStyle = 3;

bool showsConfiguration()
{
    return systemVersionAtLeast(16);
}

// A list content view's configuration lives on the view; the cell's labels show its texts.
struct ListContentView final : UIView {
    rt::Ref<UIListContentConfiguration> m_configuration;
};

Class* listContentViewClass();

void showConfiguration(Object* view, Object* value)
{
    auto* content = static_cast<ListContentView*>(view);
    auto* given = rt::dynamicCast<UIListContentConfiguration>(value, UIListContentConfiguration::classObject());
    auto copy = given ? UIListContentConfiguration::create(given->text(), given->secondaryText())
                      : UIListContentConfiguration::create(nullptr, nullptr);
    content->m_configuration = copy;
    auto* cell = rt::dynamicCast<UITableViewCell>(content->superview(), UITableViewCell::classObject());
    if (!cell || cell->contentView() != content)
        return;
    cell->textLabel()->setText(copy->text());
    if (cell->detailTextLabel())
        cell->detailTextLabel()->setText(copy->secondaryText());
    cell->setNeedsLayout();
}

// A copy, as UIKit's configurations are values: changing it changes nothing until it is set.
Object* currentConfiguration(Object* view, SEL)
{
    auto* content = static_cast<ListContentView*>(view);
    auto* current = content->m_configuration.get();
    auto copy = current ? UIListContentConfiguration::create(current->text(), current->secondaryText())
                        : UIListContentConfiguration::create(nullptr, nullptr);
    return rt::autorelease(std::move(copy));
}

Class* listContentViewClass()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<ListContentView>("UIListContentView", UITableViewCell::contentViewClass());
        rt::addMethod(c, rt::sel("configuration"), &currentConfiguration);
        rt::addMethod(
            c, rt::sel("setConfiguration:"), +[](Object* s, SEL, Object* v) { showConfiguration(s, v); });
        return c;
    }();
    return cls;
}

Object* initWithStyle(Object* self, SEL, long, Object* reuseIdentifier)
{
    // The account row is always a subtitle cell, whatever style it is asked for.
    return rt::sendSuper<Object*>(self, PSUIAppleAccountCell::classObject(), SELECTOR("initWithStyle:reuseIdentifier:"),
        kSubtitleStyle, reuseIdentifier);
}

void refreshAccountContents(Object* self, SEL, Object* specifier)
{
    rt::sendSuper(self, PSUIAppleAccountCell::classObject(), SELECTOR("refreshCellContentsWithSpecifier:"), specifier);
    if (!showsConfiguration())
        return;
    auto* cell = static_cast<PSUIAppleAccountCell*>(self);
    auto config = UIListContentConfiguration::create(rt::send<Object*>(specifier, SELECTOR("name")),
        rt::send<Object*>(specifier, SELECTOR("propertyForKey:"), ns("value")));
    rt::send(cell->contentView(), SELECTOR("setConfiguration:"), static_cast<Object*>(config.get()));
}

}

Class* PSUIAppleAccountCell::classObject()
{
    static Class* cls = [] {
        UIListContentConfiguration::classObject();
        auto* c = rt::defineCppClass<PSUIAppleAccountCell>("PSUIAppleAccountCell", PSTableCell::classObject());
        rt::addMethod(c, rt::sel("initWithStyle:reuseIdentifier:"), &initWithStyle);
        rt::addMethod(c, rt::sel("refreshCellContentsWithSpecifier:"), &refreshAccountContents);
        return c;
    }();
    return cls;
}

Class* PSUIAppleAccountCell::contentViewClassForCell() const
{
    return showsConfiguration() ? listContentViewClass() : UITableViewCell::contentViewClass();
}

Class* UIListContentConfiguration::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIListContentConfiguration>("UIListContentConfiguration", rt::rootClass());
        rt::bindProperty<&UIListContentConfiguration::m_text>(c, "text");
        rt::bindProperty<&UIListContentConfiguration::m_secondaryText>(c, "secondaryText");
        return c;
    }();
    return cls;
}

rt::Ref<UIListContentConfiguration> UIListContentConfiguration::create(Object* text, Object* secondaryText)
{
    auto configuration = rt::adopt(static_cast<UIListContentConfiguration*>(classObject()->allocate()));
    configuration->m_text = text;
    configuration->m_secondaryText = secondaryText;
    return configuration;
}
