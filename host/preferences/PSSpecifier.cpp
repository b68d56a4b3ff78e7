#include "host/preferences/PSSpecifier.h"

#include "host/foundation/Dictionary.h"
#include "host/foundation/String.h"

using rt::Class;
using rt::Object;
using rt::SEL;

const char* const PSLazilyLoadedBundleKey = "lazy-bundle";
const char* const PSIDKey = "id";
const char* const PSCellClassKey = "cellClass";

namespace {

PSSpecifier* spec(Object* o) { return static_cast<PSSpecifier*>(o); }

Object* preferenceSpecifierNamed(Class*, SEL, Object* name, Object* target, SEL setter, SEL getter, Class* detail,
    long cell, Class* edit)
{
    auto s = PSSpecifier::create(toStdString(name), target, detail, cell);
    s->m_setter = setter;
    s->m_getter = getter;
    s->m_editPaneClass = edit;
    return rt::autorelease(std::move(s));
}

// A row's value comes from its target's getter, given the row ([target getter:row]); a row
// without a getter, or whose target does not answer it, has none.
Object* performGetter(Object* self, SEL)
{
    auto* s = spec(self);
    auto target = s->m_target.load();
    if (!s->m_getter || !target || !rt::respondsTo(target.get(), s->m_getter))
        return nullptr;
    return rt::send<Object*>(target.get(), s->m_getter, self);
}

// A new value goes to the target's setter with the row ([target setter:value specifier:row]).
void performSetter(Object* self, SEL, Object* value)
{
    auto* s = spec(self);
    auto target = s->m_target.load();
    if (s->m_setter && target && rt::respondsTo(target.get(), s->m_setter))
        rt::send(target.get(), s->m_setter, value, self);
}

void registerPSSpecifierMethods(Class* c)
{
    using namespace rt;
    addClassMethod(c, sel("preferenceSpecifierNamed:target:set:get:detail:cell:edit:"), &preferenceSpecifierNamed);
    addClassMethod(
        c, sel("emptyGroupSpecifier"), +[](Class*, SEL) {
            return static_cast<Object*>(autorelease(PSSpecifier::create("", nullptr, nullptr, PSGroupCell)));
        });
    addClassMethod(
        c, sel("groupSpecifierWithName:"), +[](Class*, SEL, Object* name) {
            return static_cast<Object*>(
                autorelease(PSSpecifier::create(toStdString(name), nullptr, nullptr, PSGroupCell)));
        });
    addMethod(c, sel("identifier"), +[](Object* self, SEL) -> Object* {
        Object* id = spec(self)->property(PSIDKey);
        return isString(id) ? id : spec(self)->m_name.get();
    });
    addMethod(c, sel("setIdentifier:"), +[](Object* self, SEL, Object* id) { spec(self)->setProperty(PSIDKey, id); });
    addMethod(c, sel("name"), +[](Object* self, SEL) { return spec(self)->m_name.get(); });
    addMethod(c, sel("setName:"), +[](Object* self, SEL, Object* name) { spec(self)->m_name = name; });
    addMethod(c, sel("propertyForKey:"), +[](Object* self, SEL, Object* key) { return spec(self)->property(toStdString(key)); });
    addMethod(c, sel("setProperty:forKey:"), +[](Object* self, SEL, Object* value, Object* key) {
        spec(self)->setProperty(toStdString(key), value);
    });
    addMethod(c, sel("removePropertyForKey:"), +[](Object* self, SEL, Object* key) { spec(self)->setProperty(toStdString(key), nullptr); });
    addMethod(c, sel("properties"), +[](Object* self, SEL) { return spec(self)->m_properties.get(); });
    addMethod(c, sel("target"), +[](Object* self, SEL) { return static_cast<Object*>(autorelease(spec(self)->m_target.load())); });
    addMethod(c, sel("setTarget:"), +[](Object* self, SEL, Object* t) { spec(self)->m_target = t; });
    addMethod(c, sel("detailControllerClass"), +[](Object* self, SEL) { return spec(self)->m_detailControllerClass; });
    addMethod(c, sel("setDetailControllerClass:"), +[](Object* self, SEL, Class* cls) { spec(self)->m_detailControllerClass = cls; });
    addMethod(c, sel("performGetter"), &performGetter);
    addMethod(c, sel("performSetterWithValue:"), &performSetter);
    addMethod(c, sel("cellType"), +[](Object* self, SEL) { return spec(self)->m_cellType; });
    addMethod(c, sel("setCellType:"), +[](Object* self, SEL, long type) { spec(self)->m_cellType = type; });
    addMethod(c, sel("controllerLoadAction"), +[](Object* self, SEL) { return spec(self)->m_controllerLoadAction; });
    addMethod(c, sel("setControllerLoadAction:"), +[](Object* self, SEL, SEL action) { spec(self)->m_controllerLoadAction = action; });
    addMethod(c, sel("description"), +[](Object* self, SEL) {
        auto* s = spec(self);
        return static_cast<Object*>(ns("<PSSpecifier " + s->identifier() + ": " + toStdString(s->m_name.get()) + ">"));
    });
    TAM_HOST_IVAR(c, PSSpecifier, m_controllerLoadAction, "_controllerLoadAction");
    TAM_HOST_IVAR(c, PSSpecifier, m_properties, "_properties");
    TAM_HOST_IVAR(c, PSSpecifier, m_cellType, "cellType");
}

}

Class* PSSpecifier::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<PSSpecifier>("PSSpecifier", rt::rootClass());
        registerPSSpecifierMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<PSSpecifier> PSSpecifier::create(const std::string& name, Object* target, Class* detail, long cellType)
{
    auto s = rt::adopt(static_cast<PSSpecifier*>(classObject()->allocate()));
    s->m_name = NSString::create(name);
    s->m_target = target;
    s->m_detailControllerClass = detail;
    s->m_cellType = cellType;
    s->m_properties = NSDictionary::createMutable();
    return s;
}

long PSSpecifier::cellTypeNamed(const std::string& name)
{
    static const std::pair<const char*, PSCellType> names[] = { { "PSGroupCell", PSGroupCell },
        { "PSLinkCell", PSLinkCell }, { "PSLinkListCell", PSLinkListCell }, { "PSListItemCell", PSListItemCell },
        { "PSTitleValueCell", PSTitleValueCell }, { "PSSliderCell", PSSliderCell }, { "PSSwitchCell", PSSwitchCell },
        { "PSStaticTextCell", PSStaticTextCell }, { "PSEditTextCell", PSEditTextCell },
        { "PSSegmentCell", PSSegmentCell }, { "PSButtonCell", PSButtonCell } };
    for (auto& [n, type] : names)
        if (name == n)
            return type;
    return PSLinkCell;
}

std::string PSSpecifier::identifier() const
{
    Object* id = property(PSIDKey);
    return isString(id) ? toStdString(id) : toStdString(m_name.get());
}

Object* PSSpecifier::property(const std::string& key) const
{
    return static_cast<NSDictionary*>(m_properties.get())->get(key);
}

void PSSpecifier::setProperty(const std::string& key, Object* value)
{
    static_cast<NSDictionary*>(m_properties.get())->set(key, value);
}
