#include "host/foundation/Dictionary.h"

#include "host/foundation/Array.h"
#include "host/foundation/String.h"

using rt::Class;
using rt::Object;
using rt::Ref;
using rt::SEL;

namespace {

NSDictionary* dict(Object* o) { return static_cast<NSDictionary*>(o); }

void registerImmutableDictionary(Class* c)
{
    using namespace rt;
    addMethod(c, sel("count"), +[](Object* d, SEL) { return static_cast<unsigned long>(dict(d)->count()); });
    addMethod(c, sel("objectForKey:"), +[](Object* d, SEL, Object* key) { return dict(d)->get(key); });
    addMethod(c, sel("objectForKeyedSubscript:"), +[](Object* d, SEL, Object* key) { return dict(d)->get(key); });
    addMethod(c, sel("allKeys"), +[](Object* d, SEL) {
        std::vector<Ref<Object>> keys;
        for (auto& [k, v] : dict(d)->entries())
            keys.push_back(k);
        return static_cast<Object*>(autorelease(NSArray::create(std::move(keys))));
    });
    addMethod(c, sel("allValues"), +[](Object* d, SEL) {
        std::vector<Ref<Object>> values;
        for (auto& [k, v] : dict(d)->entries())
            values.push_back(v);
        return static_cast<Object*>(autorelease(NSArray::create(std::move(values))));
    });
    addMethod(c, sel("copy"), +[](Object* d, SEL) { return static_cast<Object*>(NSDictionary::create(dict(d)->entries()).leak()); });
    addMethod(c, sel("mutableCopy"), +[](Object* d, SEL) { return static_cast<Object*>(NSDictionary::createMutable(dict(d)->entries()).leak()); });
    addClassMethod(c, sel("dictionary"), +[](Class* cls, SEL) {
        return static_cast<Object*>(autorelease(adopt(cls->allocate())));
    });
}

void registerMutableDictionary(Class* c)
{
    using namespace rt;
    addMethod(c, sel("setObject:forKey:"), +[](Object* d, SEL, Object* value, Object* key) {
        if (!value || !key)
            fatal("-[NSMutableDictionary setObject:forKey:]: %s cannot be nil", value ? "key" : "object");
        dict(d)->set(key, value);
    });
    addMethod(c, sel("removeObjectForKey:"), +[](Object* d, SEL, Object* key) {
        if (key)
            dict(d)->set(key, nullptr);
    });
    addMethod(c, sel("removeAllObjects"), +[](Object* d, SEL) { dict(d)->removeAll(); });
}

}

size_t NSDictionary::KeyHash::operator()(const Ref<Object>& key) const
{
    if (isString(key.get()))
        return std::hash<std::string_view> {}(static_cast<NSString*>(key.get())->str());
    return rt::send<unsigned long>(key, SELECTOR("hash"));
}

bool NSDictionary::KeyEqual::operator()(const Ref<Object>& a, const Ref<Object>& b) const
{
    return objectsEqual(a.get(), b.get());
}

bool NSDictionary::KeyEqual::operator()(std::string_view a, const Ref<Object>& b) const
{
    return isString(b.get()) && static_cast<NSString*>(b.get())->str() == a;
}

Class* NSDictionary::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSDictionary>("NSDictionary", rt::rootClass());
        registerImmutableDictionary(c);
        return c;
    }();
    return cls;
}

Class* NSDictionary::mutableClassObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<NSDictionary>("NSMutableDictionary", classObject());
        registerMutableDictionary(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSDictionary> NSDictionary::create(Map map)
{
    auto d = rt::adopt(static_cast<NSDictionary*>(classObject()->allocate()));
    d->m_map = std::move(map);
    return d;
}

rt::Ref<NSDictionary> NSDictionary::createMutable(Map map)
{
    auto d = rt::adopt(static_cast<NSDictionary*>(mutableClassObject()->allocate()));
    d->m_map = std::move(map);
    return d;
}

Object* NSDictionary::get(Object* key) const
{
    if (!key)
        return nullptr;
    auto it = m_map.find(Ref<Object>(key));
    return it == m_map.end() ? nullptr : it->second.get();
}

Object* NSDictionary::get(std::string_view key) const
{
    auto it = m_map.find(key);
    return it == m_map.end() ? nullptr : it->second.get();
}

void NSDictionary::set(Object* key, Object* value)
{
    if (!value) {
        m_map.erase(Ref<Object>(key));
        return;
    }
    m_map.insert_or_assign(Ref<Object>(key), Ref<Object>(value));
}

void NSDictionary::removeAll()
{
    // The entries are released once the dictionary is empty, so that an object whose release
    // reaches back into the dictionary finds it in a whole state.
    auto old = std::move(m_map);
    m_map.clear();
}

void NSDictionary::set(std::string_view key, Object* value) { set(NSString::create(key).get(), value); }

bool isDictionary(Object* o) { return rt::isKindOf(o, NSDictionary::classObject()); }
