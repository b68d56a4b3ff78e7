#pragma once

#include <string>

#include "host/runtime/Runtime.h"

// The colour and image picker library's reading side (libgcuniversal). Its preference pane
// stores what the user picks in a preferences domain; these classes read it back at every call,
// so a value changed on disk between two calls is seen by the second.
//
// Storage: a colour is a hexadecimal string, "RRGGBB" or "RRGGBBAA" with an optional "#", in
// either case. An image is property list data holding the image file's bytes, or the device path
// of an image file.

class GcColorPickerUtils {
public:
    static rt::Class* classObject();
};

class GcImagePickerUtils {
public:
    static rt::Class* classObject();
};

// The value stored under a key of a domain, read from the domain's file now (nothing when the
// file, the key or the domain is missing). Autoreleased.
rt::Object* pickerStoredValue(const std::string& domain, const std::string& key);
