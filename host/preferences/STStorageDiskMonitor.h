#pragma once

#include <cstdint>

#include "host/runtime/Runtime.h"

// The storage framework's disk monitor: after updateDiskSpace, storageSpace answers the device's
// figures (device.json's "storage": its capacity, and the sum of what each category uses). Before the first
// update it has no figures and storageSpace answers nothing, as the real monitor does.
class STStorageDiskMonitor final : public rt::Object {
public:
    static rt::Class* classObject();
    rt::Ref<rt::Object> m_space;
};

// The figures a monitor reads: STStorageSpace with usedBytes and deviceSize.
class STStorageSpace final : public rt::Object {
public:
    static rt::Class* classObject();
    int64_t m_usedBytes { 0 };
    int64_t m_deviceSize { 0 };
};
