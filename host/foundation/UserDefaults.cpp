#include "host/foundation/UserDefaults.h"

#include "host/foundation/Dictionary.h"
#include "host/foundation/FileManager.h"
#include "host/foundation/Number.h"
#include "host/foundation/PropertyList.h"
#include "host/foundation/String.h"

using rt::Object;
using rt::SEL;

namespace {

NSUserDefaults* ud(Object* o) { return static_cast<NSUserDefaults*>(o); }

}

void NSUserDefaults::registerMethods(rt::Class* c)
{
    using namespace rt;
    addMethod(c, sel("initWithSuiteName:"), +[](Object* self, SEL, Object* name) {
        ud(self)->load(toStdString(name));
        return self;
    });
    addMethod(c, sel("objectForKey:"), +[](Object* self, SEL, Object* key) { return ud(self)->object(toStdString(key)); });
    addMethod(c, sel("boolForKey:"), +[](Object* self, SEL, Object* key) { return ud(self)->boolValue(toStdString(key)); });
    addMethod(c, sel("integerForKey:"), +[](Object* self, SEL, Object* key) { return ud(self)->integerValue(toStdString(key)); });
    addMethod(c, sel("floatForKey:"), +[](Object* self, SEL, Object* key) { return static_cast<float>(ud(self)->doubleValue(toStdString(key))); });
    addMethod(c, sel("doubleForKey:"), +[](Object* self, SEL, Object* key) { return ud(self)->doubleValue(toStdString(key)); });
    addMethod(c, sel("stringForKey:"), +[](Object* self, SEL, Object* key) -> Object* {
        Object* v = ud(self)->object(toStdString(key));
        if (isString(v))
            return v;
        return isNumber(v) ? send<Object*>(v, SELECTOR("stringValue")) : nullptr;
    });
    addMethod(c, sel("setObject:forKey:"), +[](Object* self, SEL, Object* value, Object* key) { ud(self)->set(toStdString(key), value); });
    addMethod(c, sel("removeObjectForKey:"), +[](Object* self, SEL, Object* key) { ud(self)->set(toStdString(key), nullptr); });
    addMethod(c, sel("synchronize"), +[](Object* self, SEL) { return ud(self)->synchronize(); });
    addMethod(c, sel("dictionaryRepresentation"), +[](Object* self, SEL) {
        // A domain made without a suite name (alloc and init) holds nothing.
        NSDictionary* values = ud(self)->values();
        return static_cast<Object*>(autorelease(values ? NSDictionary::create(values->entries()) : NSDictionary::create()));
    });
}

rt::Class* NSUserDefaults::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSUserDefaults>("NSUserDefaults", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSUserDefaults> NSUserDefaults::create(const std::string& suiteName)
{
    auto d = rt::adopt(static_cast<NSUserDefaults*>(classObject()->allocate()));
    d->load(suiteName);
    return d;
}

void NSUserDefaults::load(const std::string& suiteName)
{
    m_path = domainPath(suiteName);
    m_values = NSDictionary::createMutable();
    auto bytes = NSFileManager::defaultManager()->contents(m_path);
    if (!bytes)
        return;
    m_binary = isBinaryPropertyList(*bytes);
    auto parsed = parsePropertyList(*bytes, m_path);
    if (isDictionary(parsed.get()))
        values()->setEntries(static_cast<NSDictionary*>(parsed.get())->entries());
}

NSDictionary* NSUserDefaults::values() const { return static_cast<NSDictionary*>(m_values.get()); }

std::string NSUserDefaults::domainPath(const std::string& suiteName)
{
    std::string name = suiteName;
    if (name.ends_with(".plist"))
        name.resize(name.size() - 6);
    // A suite name is a file name, never a path.
    for (char& c : name)
        if (c == '/')
            c = '_';
    return "/var/mobile/Library/Preferences/" + name + ".plist";
}

Object* NSUserDefaults::object(const std::string& key) const { return m_values ? values()->get(key) : nullptr; }

bool NSUserDefaults::boolValue(const std::string& key) const
{
    Object* v = object(key);
    if (isNumber(v))
        return static_cast<NSNumber*>(v)->boolValue();
    return isString(v) && rt::send<bool>(v, SELECTOR("boolValue"));
}

long NSUserDefaults::integerValue(const std::string& key) const
{
    Object* v = object(key);
    if (isNumber(v))
        return static_cast<long>(static_cast<NSNumber*>(v)->integerValue());
    return isString(v) ? rt::send<long>(v, SELECTOR("integerValue")) : 0;
}

double NSUserDefaults::doubleValue(const std::string& key) const
{
    Object* v = object(key);
    if (isNumber(v))
        return static_cast<NSNumber*>(v)->doubleValue();
    return isString(v) ? rt::send<double>(v, SELECTOR("doubleValue")) : 0;
}

void NSUserDefaults::set(const std::string& key, Object* value)
{
    if (!m_values)
        m_values = NSDictionary::createMutable();
    values()->set(key, value);
}

void NSUserDefaults::replaceValues(const NSDictionary* replacement, bool binary)
{
    if (!m_values)
        m_values = NSDictionary::createMutable();
    values()->setEntries(replacement->entries());
    m_binary = binary;
}

bool NSUserDefaults::synchronize() const
{
    auto bytes = serializePropertyList(m_values.get(), m_binary ? PropertyListFormat::Binary : PropertyListFormat::XML);
    return bytes && NSFileManager::defaultManager()->writeAtomically(m_path, *bytes);
}
