#include <gtest/gtest.h>

#include <dlfcn.h>

#include "tamarind/core/ModuleArrays.h"

// A client of the library (another tweak, a preference pane) finds these by their plain names,
// so each must be in the process's symbol table under exactly that name, not a C++ one.
TEST(ExportedNames, FreeFunctionsConstantsAndVariablesHaveTheirPlainNames)
{
    // The name reaches the very variable the library uses (which also keeps it linked in here).
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "connectivitySpecifiers"), static_cast<void*>(&connectivitySpecifiers));
    for (const char* name : { "performRespring", "performSafeMode", "appIconForBundleID", "fixThirdPartySpecifiers",
             "stringFromFloatRoundedToDecimalPlaces", "isDataAGIF", "kFLAnimatedImageDelayTimeIntervalMinimum",
             "rootListController", "connectivitySpecifiers", "notificationSpecifiers", "generalSpecifiers",
             "thirdPartySpecifiers", "systemAppSpecifiers" })
        EXPECT_NE(dlsym(RTLD_DEFAULT, name), nullptr) << name;
}
