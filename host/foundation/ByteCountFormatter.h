#pragma once

#include <cstdint>
#include <string>

#include "host/runtime/Runtime.h"

// NSByteCountFormatter: a byte count as a person reads it. The file and decimal styles count in
// thousands, the memory and binary styles in 1024s. As Foundation does, kilobytes show no
// decimals, megabytes at most one and larger units at most two, trailing zeros dropped ("12.34 GB",
// "128 GB", "1.5 MB"); zero reads "Zero KB", counts under a kilobyte read in bytes.
class NSByteCountFormatter final : public rt::Object {
public:
    enum CountStyle : long { File = 0, Memory = 1, Decimal = 2, Binary = 3 };

    static rt::Class* classObject();
    static std::string format(int64_t bytes, long countStyle);

private:
    static void registerMethods(rt::Class*);

    long m_countStyle { File };
};
