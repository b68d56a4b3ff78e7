#pragma once

#include <cstdint>
#include <vector>

// libplist keeps a string that holds a NUL character, and then stops the process with an
// assertion when the string is read. A binary property list can hold one in a UTF-16 string; an
// XML one as a raw NUL byte, which XML itself forbids. What libplist is given is made safe first.

// The bytes to give libplist in place of `bytes`: `bytes` itself; a copy in `storage` in which
// every NUL character of a binary list's UTF-16 strings is U+FFFD; or nullptr for text with a
// NUL byte, which is no XML document.
const std::vector<std::uint8_t>* libplistInput(
    const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& storage);
