#include "tamarind/deviceinfo/JailbreakDetection.h"

#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/deviceinfo/AppIcon.h"

namespace tamarind {

namespace {

constexpr const char* kSystemHook = "/usr/lib/systemhook.dylib";
constexpr const char* kBaseBin = "/var/jb/basebin/basebin.tc";
constexpr const char* kFugu15Max = "/var/jb/.installed_fugu15max";
constexpr const char* kDopamine = "/var/jb/.installed_dopamine";

bool exists(const char* path)
{
    static HostClass fileManagerClass("NSFileManager");
    rt::Object* files = rt::send<rt::Object*>(fileManagerClass.get(), SELECTOR("defaultManager"));
    return rt::send<bool>(files, SELECTOR("fileExistsAtPath:"), ns(path));
}

bool holds(const JailbreakMarkers& row)
{
    for (const char* path : row.present)
        if (path && !exists(path))
            return false;
    for (const char* path : row.absent)
        if (path && exists(path))
            return false;
    return true;
}

}

// The bundle identifiers are each app's own; the lookup matches them by containment.
const JailbreakMarkers kJailbreakMarkers[9] = {
    { { kSystemHook, kBaseBin, kFugu15Max }, {}, "com.opa334.Fugu15" },
    { { kSystemHook, kBaseBin, kDopamine }, { kFugu15Max }, "com.opa334.Dopamine" },
    // A rootless bootstrap that neither app claims: no icon, and the older markers are not asked.
    { { kSystemHook, kBaseBin }, { kFugu15Max, kDopamine }, nullptr },
    { { "/var/Liy/.procursus_strapped" }, {}, "com.xina.jailbreak" },
    { { "/.palecursus_strapped" }, {}, "com.samiiau.loader" },
    { { "/taurine" }, {}, "org.coolstar.taurine" },
    { { "/odyssey" }, {}, "org.coolstar.odyssey" },
    { { "/private/etc/apt/undecimus" }, {}, "science.xnu.undecimus" },
    { { "/var/checkra1n.dmg" }, {}, "kjc.loader" },
};

rt::Object* detectedJailbreakIcon()
{
    for (const JailbreakMarkers& row : kJailbreakMarkers) {
        if (holds(row))
            return row.bundleID ? appIconForBundleID(ns(row.bundleID)) : nullptr;
    }
    return nullptr;
}

}
