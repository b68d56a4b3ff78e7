#include "host/foundation/SearchPaths.h"

#include <string>

#include "host/foundation/Array.h"
#include "host/foundation/String.h"

namespace {

constexpr const char* kMobileHome = "/var/mobile";

const char* userFolder(unsigned long directory)
{
    switch (directory) {
    case NSLibraryDirectory:
        return "/Library";
    case NSDocumentDirectory:
        return "/Documents";
    case NSCachesDirectory:
        return "/Library/Caches";
    default:
        return nullptr;
    }
}

}

rt::Object* NSSearchPathForDirectoriesInDomains(unsigned long directory, unsigned long domainMask, bool expandTilde)
{
    auto paths = NSArray::createMutable();
    if (const char* folder = userFolder(directory); folder && (domainMask & NSUserDomainMask))
        paths->add(NSString::create((expandTilde ? std::string(kMobileHome) : std::string("~")) + folder));
    return rt::autorelease(std::move(paths));
}
