#include "host/foundation/Bundle.h"

#include "host/foundation/Dictionary.h"
#include "host/foundation/FileManager.h"
#include "host/foundation/PropertyList.h"
#include "host/foundation/String.h"
#include "host/runtime/Weak.h"

#include <unordered_map>

using rt::Object;
using rt::SEL;

namespace {

NSBundle* bundle(Object* o) { return static_cast<NSBundle*>(o); }

void registerBundleMethods(rt::Class* c)
{
    using namespace rt;
    addClassMethod(c, sel("bundleWithPath:"), +[](Class*, SEL, Object* path) -> Object* {
        return autorelease(NSBundle::create(toStdString(path)));
    });
    addMethod(c, sel("bundlePath"), +[](Object* self, SEL) { return static_cast<Object*>(ns(bundle(self)->bundlePath())); });
    addMethod(c, sel("pathForResource:ofType:"), +[](Object* self, SEL, Object* name, Object* type) -> Object* {
        std::string path = bundle(self)->pathForResource(toStdString(name), toStdString(type));
        return path.empty() ? nullptr : ns(path);
    });
    addMethod(c, sel("localizedStringForKey:value:table:"), +[](Object* self, SEL, Object* key, Object* value, Object* table) {
        std::string fallback = isString(value) && !toStdString(value).empty() ? toStdString(value) : toStdString(key);
        return static_cast<Object*>(ns(bundle(self)->localizedString(toStdString(key), fallback, toStdString(table))));
    });
}

}

rt::Class* NSBundle::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSBundle>("NSBundle", rt::rootClass());
        registerBundleMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSBundle> NSBundle::create(const std::string& devicePath)
{
    bool isDirectory = false;
    if (!NSFileManager::defaultManager()->fileExists(devicePath, &isDirectory) || !isDirectory)
        return nullptr;
    std::string path = devicePath;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    // Weak: a bundle lives as long as its holders, as every other object does.
    static std::mutex lock;
    static auto* bundles = new std::unordered_map<std::string, rt::Weak<NSBundle>>;
    std::lock_guard<std::mutex> guard(lock);
    auto& slot = (*bundles)[path];
    if (auto existing = slot.load())
        return existing;
    auto b = rt::adopt(static_cast<NSBundle*>(classObject()->allocate()));
    b->m_path = path;
    slot = b.get();
    if (bundles->size() > 1024)
        std::erase_if(*bundles, [](auto& entry) { return !entry.second.load(); });
    return b;
}

std::string NSBundle::pathForResource(const std::string& name, const std::string& type) const
{
    if (name.empty() || name.find("..") != std::string::npos)
        return "";
    std::string file = type.empty() ? name : name + "." + type;
    std::lock_guard<std::mutex> guard(m_contentsLock);
    if (!m_contents)
        m_contents = std::make_unique<BundleContents>(m_path);
    m_contents->refresh();
    for (const char* dir : { "", "en.lproj", "English.lproj", "Base.lproj" }) {
        // A name with folders in it is looked up as given.
        if (file.find('/') == std::string::npos && !m_contents->mayHold(dir, file))
            continue;
        std::string path = m_path + (*dir ? "/" : "") + dir + "/" + file;
        bool isDirectory = false;
        if (NSFileManager::defaultManager()->fileExists(path, &isDirectory) && !isDirectory)
            return path;
    }
    m_contents->noteMiss();
    return "";
}

std::string NSBundle::localizedString(const std::string& key, const std::string& fallback, const std::string& table) const
{
    std::string path = pathForResource(table.empty() ? "Localizable" : table, "strings");
    if (path.empty())
        return fallback;
    auto bytes = NSFileManager::defaultManager()->contents(path);
    if (!bytes)
        return fallback;
    auto parsed = parsePropertyList(*bytes, path);
    if (!isDictionary(parsed.get()))
        return fallback;
    Object* value = static_cast<NSDictionary*>(parsed.get())->get(key);
    return isString(value) ? toStdString(value) : fallback;
}
