#pragma once

#include <string>

#include "host/runtime/Runtime.h"

class NSDictionary;

// NSUserDefaults suites over the domain's plist file in /var/mobile/Library/Preferences of the
// device. "name" and "name.plist" are the same domain. A missing, empty or unreadable file, or
// one whose top level is not a dictionary, is an empty domain. The typed getters convert what
// is stored as Foundation's do: numbers and strings convert, anything else reads as zero.
class NSUserDefaults : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<NSUserDefaults> create(const std::string& suiteName);
    // The device path of a domain's file.
    static std::string domainPath(const std::string& suiteName);

    rt::Object* object(const std::string& key) const;
    bool boolValue(const std::string& key) const;
    long integerValue(const std::string& key) const;
    double doubleValue(const std::string& key) const;
    void set(const std::string& key, rt::Object* value);
    // Writes the domain back in the form it was read in (XML for a new file), atomically: a
    // write that fails (a full disk, a read-only folder) answers false and leaves the file as it
    // was, and one cut short by a crash leaves the old file whole.
    bool synchronize() const;
    // Stores the entries of `values` in place of the domain's, to be written back in the binary
    // form or not, as if the domain's file had held them. Nothing is written before synchronize.
    void replaceValues(const NSDictionary* values, bool binary);

private:
    static void registerMethods(rt::Class*);
    void load(const std::string& suiteName);
    NSDictionary* values() const;

    std::string m_path;
    bool m_binary { false };
    rt::Ref<rt::Object> m_values; // NSMutableDictionary
};
