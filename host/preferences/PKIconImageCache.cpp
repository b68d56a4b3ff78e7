#include "host/preferences/PKIconImageCache.h"

#include "host/foundation/String.h"
#include "host/platform/DeviceRoot.h"
#include "host/uikit/UIImage.h"

using rt::Object;
using rt::SEL;

rt::Class* PKIconImageCache::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<PKIconImageCache>("PKIconImageCache", rootClass());
        addClassMethod(c, sel("settingsIconCache"), +[](Class*, SEL) { return static_cast<Object*>(PKIconImageCache::settingsIconCache()); });
        addMethod(c, sel("imageForKey:"), +[](Object* self, SEL, Object* key) {
            return isString(key) ? static_cast<PKIconImageCache*>(self)->imageForKey(toStdString(key)) : nullptr;
        });
        return c;
    }();
    return cls;
}

PKIconImageCache* PKIconImageCache::settingsIconCache()
{
    static PKIconImageCache* cache = [] {
        auto* c = static_cast<PKIconImageCache*>(classObject()->allocate());
        c->makeImmortal();
        return c;
    }();
    return cache;
}

Object* PKIconImageCache::imageForKey(const std::string& key)
{
    if (key.empty() || key.find('/') != std::string::npos)
        return nullptr;
    std::lock_guard guard(m_lock);
    if (auto it = m_images.find(key); it != m_images.end())
        return it->second.get();
    rt::Ref<Object> image;
    for (const char* suffix : { "@3x.png", "@2x.png", ".png" }) {
        if (auto path = resolveDevicePath(std::string(kIconCacheFolder) + key + suffix)) {
            if ((image = UIImage::createWithContentsOfFile(path->host)))
                break;
        }
    }
    return (m_images[key] = image).get();
}
