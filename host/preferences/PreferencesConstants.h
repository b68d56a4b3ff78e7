#pragma once

// String constants Preferences.framework exports.
extern const char* const PSLazilyLoadedBundleKey;
extern const char* const PSIDKey;
extern const char* const PSCellClassKey;

// The cell types of rows (PSCellType), as Preferences numbers them.
enum PSCellType : long {
    PSGroupCell = 0,
    PSLinkCell = 1,
    PSLinkListCell = 2,
    PSListItemCell = 3,
    PSTitleValueCell = 4,
    PSSliderCell = 5,
    PSSwitchCell = 6,
    PSStaticTextCell = 7,
    PSEditTextCell = 8,
    PSSegmentCell = 9,
    PSGiantIconCell = 10,
    PSGiantCell = 11,
    PSSecureEditTextCell = 12,
    PSButtonCell = 13,
    PSEditTextViewCell = 14,
};
