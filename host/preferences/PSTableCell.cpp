#include "host/preferences/PSTableCell.h"

#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UISlider.h"
#include "host/uikit/UISwitch.h"
#include "host/uikit/UITableViewCell.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

PSTableCell* cell(Object* o)
{
    return static_cast<PSTableCell*>(o);
}

Object* property(Object* specifier, const char* key)
{
    return rt::send<Object*>(specifier, SELECTOR("propertyForKey:"), ns(key));
}

// The value a row shows: its getter's answer when it has one, else its "value" property.
Object* rowValue(Object* specifier)
{
    static const rt::CallSite performGetter { "performGetter" };
    if (specifier && rt::respondsTo(specifier, performGetter.sel()))
        if (Object* value = rt::send<Object*>(specifier, performGetter))
            return value;
    return property(specifier, "value");
}

std::string describeValue(Object* value)
{
    if (isString(value))
        return toStdString(value);
    if (isNumber(value))
        return toStdString(rt::send<Object*>(value, SELECTOR("stringValue")));
    return "";
}

}

void PSTableCell::registerInit(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithStyle:reuseIdentifier:specifier:"),
        +[](Object* s, SEL, long style, Object* identifier, Object* specifier) -> Object* {
            s = send<Object*>(s, SELECTOR("initWithStyle:reuseIdentifier:"), style, identifier);
            if (s && specifier) {
                cell(s)->m_type = send<long>(specifier, SELECTOR("cellType"));
                send(s, SELECTOR("setSpecifier:"), specifier);
            }
            return s;
        });
    bindProperty<&PSTableCell::m_specifier>(c, "specifier");
    addMethod(
        c, sel("refreshCellContentsWithSpecifier:"),
        +[](Object* s, SEL, Object* specifier) { cell(s)->refreshFrom(specifier); });
    addMethod(
        c, sel("reloadWithSpecifier:animated:"), +[](Object* s, SEL, Object* specifier, bool) {
            send(s, SELECTOR("refreshCellContentsWithSpecifier:"), specifier);
        });
    bindProperty<&PSTableCell::m_type>(c, "type");
}

void PSTableCell::registerContent(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("iconImageView"), +[](Object* s, SEL) -> Object* { return cell(s)->imageView(); });
    addMethod(
        c, sel("titleLabel"), +[](Object* s, SEL) -> Object* { return cell(s)->textLabel(); });
    addMethod(
        c, sel("valueLabel"), +[](Object* s, SEL) -> Object* { return cell(s)->detailTextLabel(); });
    addMethod(
        c, sel("title"), +[](Object* s, SEL) -> Object* { return cell(s)->textLabel()->textObject(); });
    addMethod(
        c, sel("setTitle:"), +[](Object* s, SEL, Object* t) { cell(s)->textLabel()->setText(t); });
    bindGetter<&PSTableCell::m_value>(c, "value");
    addMethod(
        c, sel("setValue:"), +[](Object* s, SEL, Object* v) {
            cell(s)->m_value = v;
            if (cell(s)->detailTextLabel())
                cell(s)->detailTextLabel()->setText(ns(describeValue(v)));
            cell(s)->setNeedsLayout();
        });
    addMethod(
        c, sel("setIcon:"), +[](Object* s, SEL, Object* image) {
            send(cell(s)->imageView(), SELECTOR("setImage:"), image);
            cell(s)->setNeedsLayout();
        });
    bindProperty<&PSTableCell::m_control>(c, "control");
    addMethod(
        c, sel("controlValue"), +[](Object* s, SEL) { return cell(s)->controlValue(); });
    addMethod(
        c, sel("controlChanged:"), +[](Object* s, SEL, Object*) {
            Object* specifier = cell(s)->m_specifier.get();
            static const rt::CallSite performSetter { "performSetterWithValue:" };
            if (specifier && respondsTo(specifier, performSetter.sel()))
                send(specifier, performSetter, cell(s)->controlValue());
        });
    bindGetter<&PSTableCell::m_checked>(c, "isChecked");
    addMethod(
        c, sel("setChecked:"), +[](Object* s, SEL, bool checked) {
            cell(s)->m_checked = checked;
            send(s, SELECTOR("setAccessoryType:"), checked ? long(UITableViewCellAccessoryCheckmark) : 0L);
        });
    bindGetter<&PSTableCell::m_cellEnabled>(c, "cellEnabled");
    addMethod(
        c, sel("setCellEnabled:"), +[](Object* s, SEL, bool enabled) {
            cell(s)->m_cellEnabled = enabled;
            cell(s)->textLabel()->setEnabled(enabled);
        });
    addMethod(
        c, sel("canReload"), +[](Object*, SEL) { return true; });
    addMethod(
        c, sel("cellTarget"),
        +[](Object* s, SEL) -> Object* { return send<Object*>(cell(s)->m_specifier.get(), SELECTOR("target")); });
}

Class* PSTableCell::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<PSTableCell>("PSTableCell", UITableViewCell::classObject());
        registerInit(c);
        registerContent(c);
        TAM_HOST_IVAR(c, PSTableCell, m_specifier, "_specifier");
        return c;
    }();
    return cls;
}

Object* PSTableCell::controlValue() const
{
    if (auto* toggle = rt::dynamicCast<UISwitch>(m_control.get(), UISwitch::classObject()))
        return rt::autorelease(NSNumber::withBool(toggle->isOn()));
    if (auto* slider = rt::dynamicCast<UISlider>(m_control.get(), UISlider::classObject()))
        return rt::autorelease(NSNumber::withDouble(slider->value()));
    return m_value.get();
}

void PSTableCell::refreshFrom(Object* specifier)
{
    if (!specifier)
        return;
    rt::AutoreleasePool pool;
    m_specifier = specifier;
    m_type = rt::send<long>(specifier, SELECTOR("cellType"));
    textLabel()->setText(rt::send<Object*>(specifier, SELECTOR("name")));
    Object* icon = property(specifier, "iconImage");
    rt::send(imageView(), SELECTOR("setImage:"), isImage(icon) ? icon : nullptr);
    long accessory = m_type == PSLinkCell || m_type == PSLinkListCell ? UITableViewCellAccessoryDisclosureIndicator
                                                                      : UITableViewCellAccessoryNone;
    rt::send(this, SELECTOR("setAccessoryType:"), accessory);
    Object* value = rowValue(specifier);
    if (m_type == PSSwitchCell)
        showControl(value);
    else
        showValue(m_type == PSLinkListCell || m_type == PSTitleValueCell || m_type == PSLinkCell ? value : nullptr);
    setNeedsLayout();
}

void PSTableCell::showValue(Object* value)
{
    if (m_control && accessoryView() == m_control.get())
        rt::send(this, SELECTOR("setAccessoryView:"), static_cast<Object*>(nullptr));
    m_value = value;
    if (detailTextLabel())
        detailTextLabel()->setText(ns(describeValue(value)));
}

void PSTableCell::showControl(Object* value)
{
    if (!rt::isKindOf(m_control.get(), UISwitch::classObject())) {
        auto toggle = UIView::create(UISwitch::classObject(), CGRectMake(0, 0, 51, 31));
        static_cast<UISwitch*>(toggle.get())->addTarget(this, rt::sel("controlChanged:"), UIControlEventValueChanged);
        m_control = toggle;
    }
    rt::send(m_control.get(), SELECTOR("setOn:"), value ? rt::send<bool>(value, SELECTOR("boolValue")) : false);
    rt::send(this, SELECTOR("setAccessoryView:"), m_control.get());
    if (detailTextLabel())
        detailTextLabel()->setText(nullptr);
    // A switch row is not selected by a tap: the switch takes it.
    setSelectionStyle(0);
}

// Preferences registers its cell once UIKit's classes exist.
[[gnu::constructor(104)]] static void registerPreferencesCellClass()
{
    PSTableCell::classObject();
}
