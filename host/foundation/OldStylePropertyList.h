#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "host/foundation/PropertyList.h"

// Old-style (OpenStep) property lists, the ASCII form that predates XML and that the platform
// still reads: dictionaries `{ key = value; }`, arrays `( a, b )`, strings quoted or bare, data
// `<0fbd 77e1>`, and `/* */` and `//` comments anywhere between them. The form has no numbers,
// booleans or dates: every scalar reads as a string. A text of `key = value;` pairs without outer
// braces (the form strings tables use) reads as a dictionary, and so does a text that holds
// nothing but space and comments.
//
// The text is UTF-8, with or without a byte-order mark, or UTF-16 with one.

// Nesting deeper than this is refused, so that hostile input cannot exhaust the stack.
inline constexpr int kOldStyleMaximumDepth = 256;

PropertyListResult parseOldStylePropertyList(std::span<const std::uint8_t>);
