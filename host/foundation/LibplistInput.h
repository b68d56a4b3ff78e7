#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// libplist trusts what it reads in two ways that stop the process. It keeps a string that holds
// a NUL character and then fails an assertion when the string is read; a binary property list
// can hold one in any of its strings, an XML one as a raw NUL byte, which XML itself forbids. And it
// reads and frees nested arrays and dictionaries by recursion, so a list nested a hundred
// thousand deep, a few hundred kilobytes of binary, overflows the stack; and it makes a node for
// every place a binary list refers to an object, so a small list whose objects are shared, level
// after level, becomes a tree without end. What libplist is given is checked and made safe first.

// The bytes to give libplist in place of `bytes`: `bytes` itself, or a copy in `storage` in which
// every NUL character of a binary list's strings is replaced (U+FFFD in UTF-16, "?" in single
// bytes). Nothing, and the reason in `refusal`, for a list whose arrays and dictionaries nest more
// than `maximumDepth` deep, a binary list that would become more than 2^18 nodes (or more than it
// has objects, when it has more), a binary container that holds itself, a binary list whose
// objects do not all fit before its offset table, or text with a NUL byte, which is no XML.
std::optional<std::span<const std::uint8_t>> libplistInput(
    std::span<const std::uint8_t> bytes, int maximumDepth, std::vector<std::uint8_t>& storage, std::string& refusal);
