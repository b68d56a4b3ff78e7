#pragma once

#include <span>

#include "tamarind/core/Replacement.h"

// The replacements and additions installed at start-up: one table per constructor, in
// installation order.

namespace tamarind {

std::span<const Replacement> firstGroup();
std::span<const Replacement> secondGroup();
}
