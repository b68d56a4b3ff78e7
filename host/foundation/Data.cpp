#include "host/foundation/Data.h"

#include <cstring>

#include "host/foundation/FileManager.h"
#include "host/foundation/String.h"

using rt::Object;
using rt::SEL;

namespace {
NSData* data(Object* o) { return static_cast<NSData*>(o); }
}

rt::Class* NSData::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<NSData>("NSData", rootClass());
        addMethod(c, sel("length"), +[](Object* d, SEL) { return static_cast<unsigned long>(data(d)->length()); });
        addMethod(c, sel("bytes"), +[](Object* d, SEL) { return static_cast<const void*>(data(d)->bytes()); });
        addMethod(c, sel("copy"), +[](Object* d, SEL) { d->retain(); return d; });
        addMethod(c, sel("writeToFile:atomically:"), +[](Object* d, SEL, Object* path, bool atomically) {
            if (!isString(path))
                return false;
            auto* files = NSFileManager::defaultManager();
            return atomically ? files->writeAtomically(toStdString(path), data(d)->m_bytes)
                              : files->createFile(toStdString(path), data(d)->m_bytes);
        });
        addMethod(c, sel("isEqual:"), +[](Object* d, SEL, Object* o) { return isData(o) && data(o)->m_bytes == data(d)->m_bytes; });
        return c;
    }();
    return cls;
}

rt::Ref<NSData> NSData::create(std::vector<uint8_t> bytes)
{
    auto d = rt::adopt(static_cast<NSData*>(classObject()->allocate()));
    d->m_bytes = std::move(bytes);
    return d;
}

rt::Ref<NSData> NSData::create(const void* bytes, size_t length)
{
    auto* p = static_cast<const uint8_t*>(bytes);
    return create(std::vector<uint8_t>(p, p + length));
}

bool isData(Object* o) { return rt::isKindOf(o, NSData::classObject()); }
