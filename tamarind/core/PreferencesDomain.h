#pragma once

// The library's preferences domain, as its preference pane writes it. The suite name (with
// ".plist") is the one booleans, integers, floats and strings are read through; the picker
// library reads colours and images from the domain (without it). Both reach the one file
// var/mobile/Library/Preferences/com.corvane.sorrelpreferences.plist.

namespace tamarind {

constexpr const char* kSuiteName = "com.corvane.sorrelpreferences.plist";
constexpr const char* kDomain = "com.corvane.sorrelpreferences";

}
