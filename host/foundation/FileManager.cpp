#include "host/foundation/FileManager.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <system_error>

#include "host/foundation/Array.h"
#include "host/foundation/Data.h"
#include "host/foundation/Error.h"
#include "host/foundation/String.h"
#include "host/platform/AtomicFile.h"
#include "host/platform/Device.h"
#include "host/platform/DeviceRoot.h"
#include "host/platform/InputFile.h"

namespace fs = std::filesystem;
using rt::Object;
using rt::SEL;

namespace {

NSFileManager* fm(Object* o) { return static_cast<NSFileManager*>(o); }

Object* listDirectory(Object* self, SEL, Object* path, Object** error)
{
    std::string message;
    auto names = fm(self)->contentsOfDirectory(toStdString(path), message);
    if (!names) {
        if (error)
            *error = rt::autorelease(NSError::create("NSCocoaErrorDomain", 260, message));
        return nullptr;
    }
    std::vector<rt::Ref<Object>> items;
    for (auto& n : *names)
        items.emplace_back(NSString::create(n));
    return rt::autorelease(NSArray::create(std::move(items)));
}

void registerFileManagerMethods(rt::Class* c)
{
    using namespace rt;
    addClassMethod(c, sel("defaultManager"), +[](Class*, SEL) { return static_cast<Object*>(NSFileManager::defaultManager()); });
    addMethod(c, sel("fileExistsAtPath:"), +[](Object* self, SEL, Object* path) { return fm(self)->fileExists(toStdString(path)); });
    addMethod(c, sel("fileExistsAtPath:isDirectory:"), +[](Object* self, SEL, Object* path, bool* isDirectory) {
        return fm(self)->fileExists(toStdString(path), isDirectory);
    });
    addMethod(c, sel("contentsOfDirectoryAtPath:error:"), &listDirectory);
    addMethod(c, sel("contentsAtPath:"), +[](Object* self, SEL, Object* path) -> Object* {
        auto bytes = fm(self)->contents(toStdString(path));
        return bytes ? autorelease(NSData::create(std::move(*bytes))) : nullptr;
    });
    addMethod(c, sel("createFileAtPath:contents:attributes:"), +[](Object* self, SEL, Object* path, Object* data, Object*) {
        std::vector<uint8_t> bytes;
        if (isData(data))
            bytes = static_cast<NSData*>(data)->contents();
        return fm(self)->createFile(toStdString(path), bytes);
    });
}

}

rt::Class* NSFileManager::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSFileManager>("NSFileManager", rt::rootClass());
        registerFileManagerMethods(c);
        return c;
    }();
    return cls;
}

NSFileManager* NSFileManager::defaultManager()
{
    static NSFileManager* manager = [] {
        auto* m = static_cast<NSFileManager*>(classObject()->allocate());
        m->makeImmortal();
        return m;
    }();
    return manager;
}

bool NSFileManager::fileExists(const std::string& path, bool* isDirectory) const
{
    if (isDirectory)
        *isDirectory = false;
    auto resolved = resolveDevicePath(path);
    if (!resolved || resolved->kind == FileKind::missing)
        return false;
    if (resolved->kind != FileKind::unknown) {
        if (isDirectory)
            *isDirectory = resolved->kind == FileKind::directory;
        return true;
    }
    std::error_code ec;
    auto status = fs::status(resolved->host, ec);
    if (ec || !fs::exists(status))
        return false;
    if (isDirectory)
        *isDirectory = fs::is_directory(status);
    return true;
}

std::optional<std::vector<std::string>> NSFileManager::contentsOfDirectory(const std::string& path, std::string& error) const
{
    auto resolved = resolveDevicePath(path);
    if (!resolved) {
        error = "The file \xe2\x80\x9c" + NSString::create(path)->lastPathComponent() + "\xe2\x80\x9d couldn\xe2\x80\x99t be opened.";
        return std::nullopt;
    }
    std::error_code ec;
    fs::directory_iterator it(resolved->host, ec);
    if (ec) {
        error = "The folder \xe2\x80\x9c" + NSString::create(path)->lastPathComponent() + "\xe2\x80\x9d couldn\xe2\x80\x99t be opened: " + ec.message();
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::vector<uint8_t>> NSFileManager::contents(const std::string& path) const
{
    std::string error;
    return readInputFile(openDeviceFile(path, O_RDONLY | O_NONBLOCK), path, kMaximumFileBytes, error);
}

// Apple's file manager creates a file by writing it beside and moving it into place; so does this
// one, so a file replaced here is never seen empty or half written.
bool NSFileManager::createFile(const std::string& path, const std::vector<uint8_t>& bytes) const
{
    return writeAtomically(path, bytes);
}

bool NSFileManager::writeAtomically(const std::string& path, const std::vector<uint8_t>& bytes) const
{
    auto resolved = resolveDevicePath(path);
    std::error_code ec;
    if (!resolved || !isDevicePathWritable(path) || !fs::is_directory(resolved->host.parent_path(), ec))
        return false;
    std::string error;
    return writeFileAtomically(resolved->host, bytes, error);
}

bool NSFileManager::createDirectory(const std::string& path) const
{
    auto resolved = resolveDevicePath(path);
    std::error_code ec;
    return resolved && (fs::create_directories(resolved->host, ec) || fs::is_directory(resolved->host, ec));
}

std::string NSFileManager::resolvingSymlinks(const std::string& path) const
{
    auto resolved = resolveDevicePath(path);
    return resolved ? resolved->device : path;
}
