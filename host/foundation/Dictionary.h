#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/runtime/Runtime.h"

// NSDictionary and NSMutableDictionary share one C++ type. Keys are compared with isEqual: and
// hashed with hash, as Foundation does.
class NSDictionary : public rt::Object {
public:
    // String keys can be looked up by their text without making a string object.
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(const rt::Ref<rt::Object>& key) const;
        size_t operator()(std::string_view key) const { return std::hash<std::string_view> {}(key); }
    };
    struct KeyEqual {
        using is_transparent = void;
        bool operator()(const rt::Ref<rt::Object>& a, const rt::Ref<rt::Object>& b) const;
        bool operator()(std::string_view a, const rt::Ref<rt::Object>& b) const;
        bool operator()(const rt::Ref<rt::Object>& a, std::string_view b) const { return (*this)(b, a); }
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
    void removeAll();
    size_t count() const { return m_map.size(); }
    const Map& entries() const { return m_map; }
    // Stores these entries in place of the dictionary's.
    void setEntries(Map entries) { m_map = std::move(entries); }

private:
    Map m_map;
};

bool isDictionary(rt::Object*);
