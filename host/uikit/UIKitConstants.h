#pragma once

// The interface styles a trait collection answers to userInterfaceStyle.
enum UIUserInterfaceStyle : long {
    UIUserInterfaceStyleUnspecified = 0,
    UIUserInterfaceStyleLight = 1,
    UIUserInterfaceStyleDark = 2,
};

// String constants UIKit exports that the library passes by value: the attribute keys of title
// text attributes, as UIKit spells them.
inline constexpr const char* NSForegroundColorAttributeName = "NSColor";
inline constexpr const char* NSFontAttributeName = "NSFont";
