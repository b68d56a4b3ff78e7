#include "host/preferences/PSSpecifier.h"

#include "host/foundation/Dictionary.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"

using rt::Class;
using rt::Object;
using rt::SEL;

const char* const PSLazilyLoadedBundleKey = "lazy-bundle";
const char* const PSIDKey = "id";
const char* const PSCellClassKey = "cellClass";

namespace {

PSSpecifier* spec(Object* o) { return static_cast<PSSpecifier*>(o); }

}

Object* PSSpecifier::specifierNamed(Class*, SEL, Object* name, Object* target, SEL setter, SEL getter, Class* detail,
    long cell, Class* edit)
{
    auto s = create(toStdString(name), target, detail, cell);
    s->m_setter = setter;
    s->m_getter = getter;
    s->m_editPaneClass = edit;
    return rt::autorelease(std::move(s));
}

// A row's value comes from its target's getter, given the row ([target getter:row]); a row
// without a getter, or whose target does not answer it, has none.
Object* PSSpecifier::performGetter()
{
    auto target = m_target.load();
    if (!m_getter || !target || !rt::respondsTo(target.get(), m_getter))
        return nullptr;
    return rt::send<Object*>(target.get(), m_getter, static_cast<Object*>(this));
}

// A new value goes to the target's setter with the row ([target setter:value specifier:row]).
void PSSpecifier::performSetter(Object* value)
{
    auto target = m_target.load();
    if (m_setter && target && rt::respondsTo(target.get(), m_setter))
        rt::send(target.get(), m_setter, value, static_cast<Object*>(this));
}

void PSSpecifier::registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(c, sel("preferenceSpecifierNamed:target:set:get:detail:cell:edit:"), &specifierNamed);
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
        return isString(id) ? id : spec(self)->name();
    });
    addMethod(c, sel("setIdentifier:"), +[](Object* self, SEL, Object* id) { spec(self)->setProperty(PSIDKey, id); });
    bindProperty<&PSSpecifier::m_name>(c, "name");
    addMethod(c, sel("propertyForKey:"), +[](Object* self, SEL, Object* key) { return spec(self)->property(toStdString(key)); });
    addMethod(c, sel("setProperty:forKey:"), +[](Object* self, SEL, Object* value, Object* key) {
        spec(self)->setProperty(toStdString(key), value);
    });
    addMethod(c, sel("removePropertyForKey:"), +[](Object* self, SEL, Object* key) { spec(self)->setProperty(toStdString(key), nullptr); });
    bindGetter<&PSSpecifier::m_properties>(c, "properties");
    bindProperty<&PSSpecifier::m_target>(c, "target");
    bindProperty<&PSSpecifier::m_detailControllerClass>(c, "detailControllerClass");
    bind<&PSSpecifier::performGetter>(c, "performGetter");
    bind<&PSSpecifier::performSetter>(c, "performSetterWithValue:");
    bindProperty<&PSSpecifier::m_cellType>(c, "cellType");
    bindProperty<&PSSpecifier::m_controllerLoadAction>(c, "controllerLoadAction");
    addMethod(c, sel("description"), +[](Object* self, SEL) {
        auto* s = spec(self);
        return static_cast<Object*>(ns("<PSSpecifier " + s->identifier() + ": " + toStdString(s->name()) + ">"));
    });
    TAM_HOST_IVAR(c, PSSpecifier, m_controllerLoadAction, "_controllerLoadAction");
    TAM_HOST_IVAR(c, PSSpecifier, m_properties, "_properties");
    TAM_HOST_IVAR(c, PSSpecifier, m_cellType, "cellType");
}

Class* PSSpecifier::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<PSSpecifier>("PSSpecifier", rt::rootClass());
        registerMethods(c);
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
