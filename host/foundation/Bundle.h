#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "host/foundation/BundleContents.h"

#include "host/runtime/Runtime.h"

// NSBundle over a device folder: its path, its resources and its strings tables.
class NSBundle : public rt::Object {
public:
    static rt::Class* classObject();
    // Nothing when the path is not an existing folder of the device. One path has one bundle
    // while anything holds it, so what the bundle learnt of its folders is shared.
    static rt::Ref<NSBundle> create(const std::string& devicePath);

    const std::string& bundlePath() const { return m_path; }
    // The device path of a resource, or "" when the bundle has none of that name.
    std::string pathForResource(const std::string& name, const std::string& type) const;
    // A string from an English strings table (Table.strings in en.lproj, English.lproj or the
    // bundle's top level), or the fallback.
    std::string localizedString(const std::string& key, const std::string& fallback, const std::string& table) const;

private:
    std::string m_path;
    mutable std::mutex m_contentsLock;
    mutable std::unique_ptr<BundleContents> m_contents;
};
