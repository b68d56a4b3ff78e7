#pragma once

// String constants Preferences.framework exports.
extern const char* const PSLazilyLoadedBundleKey;
extern const char* const PSIDKey;
extern const char* const PSCellClassKey;
