#include "host/foundation/Array.h"
#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/FileManager.h"
#include "host/foundation/PropertyList.h"
#include "host/foundation/String.h"

// The class methods that read a value from a device file, and path resolution on strings.

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

// The file's property list when it is of the receiving class's kind (mutable when asked).
Object* propertyListOfKind(Class* cls, Object* path, bool (*isKind)(Object*))
{
    std::string devicePath = toStdString(path);
    auto bytes = NSFileManager::defaultManager()->contents(devicePath);
    if (!bytes)
        return nullptr;
    auto parsed = parsePropertyList(*bytes, devicePath);
    if (!isKind(parsed.get()))
        return nullptr;
    // The parser builds mutable containers; an immutable class gets an immutable copy.
    if (cls == NSDictionary::classObject() || cls == NSArray::classObject())
        return rt::autorelease(rt::adopt(rt::send<Object*>(parsed, SELECTOR("copy"))));
    return rt::autorelease(std::move(parsed));
}

}

void registerContentsOfFileMethods()
{
    using namespace rt;
    addClassMethod(NSDictionary::classObject(), sel("dictionaryWithContentsOfFile:"),
        +[](Class* cls, SEL, Object* path) { return propertyListOfKind(cls, path, &isDictionary); });
    addClassMethod(NSArray::classObject(), sel("arrayWithContentsOfFile:"),
        +[](Class* cls, SEL, Object* path) { return propertyListOfKind(cls, path, &isArray); });
    addClassMethod(NSData::classObject(), sel("dataWithContentsOfFile:"), +[](Class*, SEL, Object* path) -> Object* {
        auto bytes = NSFileManager::defaultManager()->contents(toStdString(path));
        return bytes ? autorelease(NSData::create(std::move(*bytes))) : nullptr;
    });
    addMethod(NSString::classObject(), sel("stringByResolvingSymlinksInPath"), +[](Object* s, SEL) {
        return static_cast<Object*>(ns(NSFileManager::defaultManager()->resolvingSymlinks(toStdString(s))));
    });
}
