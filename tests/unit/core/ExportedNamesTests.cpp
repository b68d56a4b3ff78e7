#include <gtest/gtest.h>

#include <dlfcn.h>

#include "tamarind/core/ModuleArrays.h"

// A client of the library (another tweak, a preference pane) finds these by their plain names,
// so each must be in the process's symbol table under exactly that name, not a C++ one.
TEST(ExportedNames, FreeFunctionsConstantsAndVariablesHaveTheirPlainNames)
{
    // Using one variable keeps the library linked into this program.
    ASSERT_NE(&connectivitySpecifiers, nullptr);
    for (const char* name : { "performRespring", "performSafeMode", "appIconForBundleID", "fixThirdPartySpecifiers",
             "stringFromFloatRoundedToDecimalPlaces", "isDataAGIF", "kFLAnimatedImageDelayTimeIntervalMinimum",
             "rootListController", "connectivitySpecifiers", "notificationSpecifiers", "generalSpecifiers",
             "thirdPartySpecifiers", "systemAppSpecifiers" })
        EXPECT_NE(dlsym(RTLD_DEFAULT, name), nullptr) << name;
}
