#pragma once

#include <string>

#include "host/runtime/Runtime.h"

// The installed-application registry (MobileCoreServices' LSApplicationWorkspace): the apps of
// the device (device.json "installedApps"), in the order the registry enumerates them, each as an
// LSApplicationProxy answering applicationIdentifier and localizedName.
class LSApplicationWorkspace : public rt::Object {
public:
    static rt::Class* classObject();
    static LSApplicationWorkspace* defaultWorkspace();
};

class LSApplicationProxy : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<LSApplicationProxy> create(std::string bundleID, std::string name);

private:
    std::string m_bundleID;
    std::string m_name;
};

// The device path of the home-screen icon of the installed app with exactly this identifier;
// empty when no such app is installed or it has no icon of its own.
std::string applicationIconPath(const std::string& bundleID);
