#include "host/preferences/PSUIAppleAccountCell.h"

#include "host/foundation/String.h"
#include "host/platform/Device.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr long kSubtitleStyle = 3;

UIListContentConfiguration* configuration(Object* o)
{
    return static_cast<UIListContentConfiguration*>(o);
}

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
    auto copy
        = rt::adopt(static_cast<UIListContentConfiguration*>(UIListContentConfiguration::classObject()->allocate()));
    if (given) {
        copy->m_text = given->m_text;
        copy->m_secondaryText = given->m_secondaryText;
    }
    content->m_configuration = copy;
    auto* cell = rt::dynamicCast<UITableViewCell>(content->superview(), UITableViewCell::classObject());
    if (!cell || cell->contentView() != content)
        return;
    cell->textLabel()->setText(copy->m_text.get());
    if (cell->detailTextLabel())
        cell->detailTextLabel()->setText(copy->m_secondaryText.get());
    cell->setNeedsLayout();
}

// A copy, as UIKit's configurations are values: changing it changes nothing until it is set.
Object* currentConfiguration(Object* view, SEL)
{
    auto* content = static_cast<ListContentView*>(view);
    auto copy
        = rt::adopt(static_cast<UIListContentConfiguration*>(UIListContentConfiguration::classObject()->allocate()));
    if (content->m_configuration) {
        copy->m_text = content->m_configuration->m_text;
        copy->m_secondaryText = content->m_configuration->m_secondaryText;
    }
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
    auto config
        = rt::adopt(static_cast<UIListContentConfiguration*>(UIListContentConfiguration::classObject()->allocate()));
    config->m_text = rt::send<Object*>(specifier, SELECTOR("name"));
    config->m_secondaryText = rt::send<Object*>(specifier, SELECTOR("propertyForKey:"), ns("value"));
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
        rt::addMethod(
            c, rt::sel("text"), +[](Object* s, SEL) -> Object* { return configuration(s)->m_text.get(); });
        rt::addMethod(
            c, rt::sel("setText:"), +[](Object* s, SEL, Object* t) { configuration(s)->m_text = t; });
        rt::addMethod(
            c, rt::sel("secondaryText"),
            +[](Object* s, SEL) -> Object* { return configuration(s)->m_secondaryText.get(); });
        rt::addMethod(
            c, rt::sel("setSecondaryText:"), +[](Object* s, SEL, Object* t) { configuration(s)->m_secondaryText = t; });
        return c;
    }();
    return cls;
}
