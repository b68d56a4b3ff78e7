#pragma once

#include <map>
#include <mutex>
#include <string>

#include "host/runtime/Runtime.h"

// Settings' icon cache: the images of the root rows' icons by key, drawn from the device's icon
// files (/System/Library/PrivateFrameworks/Preferences.framework/IconCache/KEY@3x.png). A key the
// device has no file for answers nothing.
class PKIconImageCache : public rt::Object {
public:
    static rt::Class* classObject();
    static PKIconImageCache* settingsIconCache();

    rt::Object* imageForKey(const std::string& key);

private:
    std::mutex m_lock;
    std::map<std::string, rt::Ref<rt::Object>> m_images;
};

constexpr const char* kIconCacheFolder = "/System/Library/PrivateFrameworks/Preferences.framework/IconCache/";
