#include "host/foundation/String.h"

#include <cctype>
#include <cstdlib>
#include <functional>

#include "host/runtime/Bind.h"

using rt::Object;
using rt::SEL;

namespace {

NSString* str(Object* o) { return static_cast<NSString*>(o); }

long compareStrings(const std::string& a, const std::string& b, bool caseless)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (caseless) {
            x = std::tolower(x);
            y = std::tolower(y);
        }
        if (x != y)
            return x < y ? NSOrderedAscending : NSOrderedDescending;
    }
    if (a.size() == b.size())
        return NSOrderedSame;
    return a.size() < b.size() ? NSOrderedAscending : NSOrderedDescending;
}

// NSString's numeric readers take leading whitespace and as many digits as form a number.
double leadingDouble(const std::string& s) { return std::strtod(s.c_str(), nullptr); }
long long leadingInteger(const std::string& s) { return std::strtoll(s.c_str(), nullptr, 10); }

bool stringBool(const std::string& s)
{
    size_t i = s.find_first_not_of(" \t\n");
    if (i == std::string::npos)
        return false;
    char c = s[i];
    if (c == 'Y' || c == 'y' || c == 'T' || c == 't')
        return true;
    if (c == '+' || c == '-')
        ++i;
    while (i < s.size() && s[i] == '0')
        ++i;
    return i < s.size() && s[i] >= '1' && s[i] <= '9';
}

void registerStringMethods(rt::Class* c)
{
    using namespace rt;
    addMethod(c, sel("length"), +[](Object* s, SEL) { return str(s)->length(); });
    addMethod(c, sel("UTF8String"), +[](Object* s, SEL) { return str(s)->str().c_str(); });
    addMethod(c, sel("description"), +[](Object* s, SEL) { return s; });
    addMethod(c, sel("copy"), +[](Object* s, SEL) { s->retain(); return s; });
    addMethod(c, sel("isEqualToString:"), +[](Object* s, SEL, Object* o) { return isString(o) && str(s)->isEqualToString(str(o)); });
    addMethod(c, sel("isEqual:"), +[](Object* s, SEL, Object* o) { return isString(o) && str(s)->isEqualToString(str(o)); });
    addMethod(c, sel("hash"), +[](Object* s, SEL) { return static_cast<unsigned long>(std::hash<std::string_view> {}(str(s)->str())); });
    addMethod(c, sel("hasPrefix:"), +[](Object* s, SEL, Object* o) { return str(s)->str().starts_with(toStdString(o)) && o; });
    // Case-sensitive; nil or an empty string is contained nowhere, as in Foundation.
    addMethod(c, sel("containsString:"), +[](Object* s, SEL, Object* o) {
        return isString(o) && !str(o)->str().empty() && str(s)->str().find(str(o)->str()) != std::string::npos;
    });
    addMethod(c, sel("hasSuffix:"), +[](Object* s, SEL, Object* o) { return str(s)->str().ends_with(toStdString(o)) && o; });
    addMethod(c, sel("pathExtension"), +[](Object* s, SEL) { return static_cast<Object*>(ns(str(s)->pathExtension())); });
    addMethod(c, sel("lastPathComponent"), +[](Object* s, SEL) { return static_cast<Object*>(ns(str(s)->lastPathComponent())); });
    addMethod(c, sel("stringByDeletingPathExtension"), +[](Object* s, SEL) { return static_cast<Object*>(ns(str(s)->deletingPathExtension())); });
    addMethod(c, sel("stringByAppendingPathComponent:"), +[](Object* s, SEL, Object* o) { return static_cast<Object*>(ns(str(s)->appendingPathComponent(toStdString(o)))); });
    addMethod(c, sel("stringByAppendingString:"), +[](Object* s, SEL, Object* o) { return static_cast<Object*>(ns(str(s)->str() + toStdString(o))); });
    addMethod(c, sel("compare:"), +[](Object* s, SEL, Object* o) { return compareStrings(str(s)->str(), toStdString(o), false); });
    addMethod(c, sel("caseInsensitiveCompare:"), +[](Object* s, SEL, Object* o) { return compareStrings(str(s)->str(), toStdString(o), true); });
    addMethod(c, sel("intValue"), +[](Object* s, SEL) { return static_cast<int>(leadingInteger(str(s)->str())); });
    addMethod(c, sel("integerValue"), +[](Object* s, SEL) { return static_cast<long>(leadingInteger(str(s)->str())); });
    addMethod(c, sel("floatValue"), +[](Object* s, SEL) { return static_cast<float>(leadingDouble(str(s)->str())); });
    addMethod(c, sel("doubleValue"), +[](Object* s, SEL) { return leadingDouble(str(s)->str()); });
    addMethod(c, sel("boolValue"), +[](Object* s, SEL) { return stringBool(str(s)->str()); });
    addClassMethod(c, sel("stringWithUTF8String:"), +[](rt::Class*, SEL, const char* s) { return static_cast<Object*>(s ? ns(s) : nullptr); });
    addClassMethod(c, sel("string"), +[](rt::Class*, SEL) { return static_cast<Object*>(ns("")); });
}

}

rt::Class* NSString::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSString>("NSString", rt::rootClass());
        registerStringMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSString> NSString::create(std::string_view s)
{
    auto obj = rt::adopt(static_cast<NSString*>(classObject()->allocate()));
    obj->m_string = std::string(s);
    return obj;
}

unsigned long NSString::length() const
{
    // Length in UTF-16 code units, as NSString counts.
    unsigned long n = 0;
    for (size_t i = 0; i < m_string.size(); ++i) {
        unsigned char c = m_string[i];
        if ((c & 0xC0) == 0x80)
            continue;
        n += c >= 0xF0 ? 2 : 1;
    }
    return n;
}

std::string NSString::lastPathComponent() const
{
    std::string s = m_string;
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    size_t slash = s.rfind('/');
    return slash == std::string::npos || s == "/" ? s : s.substr(slash + 1);
}

std::string NSString::pathExtension() const
{
    std::string last = lastPathComponent();
    size_t dot = last.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : last.substr(dot + 1);
}

std::string NSString::deletingPathExtension() const
{
    std::string ext = pathExtension();
    if (ext.empty())
        return m_string;
    std::string s = m_string;
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s.substr(0, s.size() - ext.size() - 1);
}

std::string NSString::appendingPathComponent(std::string_view component) const
{
    if (m_string.empty())
        return std::string(component);
    std::string s = m_string;
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    size_t skip = 0;
    while (skip < component.size() && component[skip] == '/')
        ++skip;
    if (s != "/")
        s += '/';
    s += component.substr(skip);
    return s;
}

NSString* ns(std::string_view s) { return rt::autorelease(NSString::create(s)); }

bool isString(rt::Object* o) { return rt::isKindOf(o, NSString::classObject()); }

std::string toStdString(rt::Object* o) { return isString(o) ? static_cast<NSString*>(o)->str() : std::string(); }
