#pragma once

#include <unordered_map>
#include <vector>

#include "host/runtime/Runtime.h"

// NSDictionary and NSMutableDictionary share one C++ type. Keys are compared with isEqual: and
// hashed with hash, as Foundation does.
class NSDictionary : public rt::Object {
public:
    struct KeyHash {
        size_t operator()(const rt::Ref<rt::Object>& key) const;
    };
    struct KeyEqual {
        bool operator()(const rt::Ref<rt::Object>& a, const rt::Ref<rt::Object>& b) const;
    };
    using Map = std::unordered_map<rt::Ref<rt::Object>, rt::Ref<rt::Object>, KeyHash, KeyEqual>;

    static rt::Class* classObject();
    static rt::Class* mutableClassObject();
    static rt::Ref<NSDictionary> create(Map = {});
    static rt::Ref<NSDictionary> createMutable(Map = {});

    rt::Object* get(rt::Object* key) const;
    rt::Object* get(std::string_view key) const;
    void set(rt::Object* key, rt::Object* value);
    void set(std::string_view key, rt::Object* value);
    size_t count() const { return m_map.size(); }

    Map m_map;
};

bool isDictionary(rt::Object*);
