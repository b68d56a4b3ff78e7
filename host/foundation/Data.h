#pragma once

#include <cstdint>
#include <vector>

#include "host/runtime/Runtime.h"

// NSData: an immutable byte buffer.
class NSData : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<NSData> create(std::vector<uint8_t>);
    static rt::Ref<NSData> create(const void* bytes, size_t length);

    const uint8_t* bytes() const { return m_bytes.data(); }
    size_t length() const { return m_bytes.size(); }
    const std::vector<uint8_t>& contents() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

bool isData(rt::Object*);
