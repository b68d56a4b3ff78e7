#include "tamarind/deviceinfo/AppIcon.h"

#include "host/foundation/Geometry.h"
#include "host/foundation/Log.h"
#include "host/foundation/SearchPaths.h"
#include "host/foundation/String.h"
#include "host/imageio/ImageRepresentation.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/RoundedIcon.h"
#include "tamarind/core/Rows.h"

namespace {

using tamarind::fileManagerClass;
using tamarind::HostClass;
using tamarind::imageClass;

rt::Object* iconCachePath()
{
    rt::Object* folders = NSSearchPathForDirectoriesInDomains(NSDocumentDirectory, NSUserDomainMask, true);
    rt::Object* documents = rt::send<rt::Object*>(folders, SELECTOR("firstObject"));
    return rt::send<rt::Object*>(documents, SELECTOR("stringByAppendingString:"), ns("/CurrentJailbreakIcon.png"));
}

// The first installed app, in the workspace's order, whose identifier contains the one asked for.
rt::Object* matchingIdentifier(rt::Object* bundleID)
{
    // Looked up at the first call and remembered for the life of the process.
    static HostClass workspaceClass("LSApplicationWorkspace");
    rt::Object* workspace = rt::send<rt::Object*>(workspaceClass.get(), SELECTOR("defaultWorkspace"));
    rt::Object* apps = rt::send<rt::Object*>(workspace, SELECTOR("allInstalledApplications"));
    for (unsigned long i = 0, n = tamarind::countOf(apps); i < n; ++i) {
        rt::Object* identifier = rt::send<rt::Object*>(tamarind::objectAt(apps, i), SELECTOR("applicationIdentifier"));
        if (rt::send<bool>(identifier, SELECTOR("containsString:"), bundleID))
            return identifier;
    }
    return nullptr;
}

// Keeps the icon on disk; a failed write is logged and changes nothing else.
void keepOnDisk(rt::Object* icon, rt::Object* path)
{
    rt::Object* png = UIImagePNGRepresentation(icon);
    bool written = rt::send<bool>(png, SELECTOR("writeToFile:atomically:"), path, true);
    hostLog(std::string(written ? "[Corvane] -> Image saved successfully at path: "
                                : "[Corvane] -> Failed to save the image at path: ")
        + toStdString(path));
}

}

extern "C" rt::Object* appIconForBundleID(rt::Object* bundleID)
{
    rt::Object* path = iconCachePath();
    rt::Object* files = rt::send<rt::Object*>(fileManagerClass.get(), SELECTOR("defaultManager"));
    if (rt::send<bool>(files, SELECTOR("fileExistsAtPath:"), path))
        return rt::send<rt::Object*>(imageClass.get(), SELECTOR("imageWithContentsOfFile:"), path);
    rt::Object* identifier = matchingIdentifier(bundleID);
    if (!identifier)
        return rt::send<rt::Object*>(imageClass.get(), SELECTOR("blankIcon"));
    double scale = rt::send<double>(
        rt::send<rt::Object*>(tamarind::screenClass.get(), SELECTOR("mainScreen")), SELECTOR("scale"));
    rt::Object* icon = rt::send<rt::Object*>(
        imageClass.get(), SELECTOR("_applicationIconImageForBundleIdentifier:format:scale:"), identifier, 0, scale);
    keepOnDisk(icon, path);
    return icon;
}

namespace tamarind {

Saved<ImageForKeyImp> originalIconCacheImageForKey;

namespace {

constexpr const char* kTweakIconFile = "/var/jb/Library/PreferenceBundles/sorrelPreferences.bundle/TweakIcon.png";
constexpr const char* kConnectivityIconFile
    = "/var/jb/Library/PreferenceBundles/sorrelPreferences.bundle/Connectivity@3.png";

const char* ownIconFile(rt::Object* key)
{
    // isEqual: rather than isEqualToString:, so a key of another kind simply matches nothing.
    if (rt::send<bool>(key, SELECTOR("isEqual:"), ns("Tweak")))
        return kTweakIconFile;
    if (rt::send<bool>(key, SELECTOR("isEqual:"), ns("Connectivity")))
        return kConnectivityIconFile;
    return nullptr;
}

}

rt::Object* iconCacheImageForKey(rt::Object* self, rt::SEL cmd, rt::Object* key)
{
    // A file that cannot be loaded leaves the square transparent.
    if (const char* file = ownIconFile(key))
        return roundedIcon(rt::send<rt::Object*>(imageClass.get(), SELECTOR("imageWithContentsOfFile:"), ns(file)));
    return originalIconCacheImageForKey(self, cmd, key);
}

}
