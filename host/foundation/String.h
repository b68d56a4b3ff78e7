#pragma once

#include <string>
#include <string_view>

#include "host/runtime/Runtime.h"

// NSString: an immutable UTF-8 string. The C++ API is for the host and for building values;
// everything the library does with strings it may also do by message.
class NSString : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<NSString> create(std::string_view);

    const std::string& str() const { return m_string; }
    unsigned long length() const;
    bool isEqualToString(NSString* other) const { return other && other->m_string == m_string; }

    std::string pathExtension() const;
    std::string deletingPathExtension() const;
    std::string lastPathComponent() const;
    std::string appendingPathComponent(std::string_view) const;

private:
    std::string m_string;
};

// An autoreleased NSString, for arguments and return values.
NSString* ns(std::string_view);
// The UTF-8 contents of a string object, or "" for nil or a non-string.
std::string toStdString(rt::Object*);
bool isString(rt::Object*);

enum NSComparisonResult : long { NSOrderedAscending = -1, NSOrderedSame = 0, NSOrderedDescending = 1 };
