#pragma once

#include <cstdint>

#include "host/runtime/Runtime.h"

// The storage framework's disk monitor: after updateDiskSpace, storageSpace answers the device's
// figures (device.json's "storage": its capacity, and the sum of what each category uses). Before the first
// update it has no figures and storageSpace answers nothing, as the real monitor does.
class STStorageDiskMonitor final : public rt::Object {
public:
    static rt::Class* classObject();
    // Reads the device's figures into a new storage space.
    void updateDiskSpace();

private:
    rt::Ref<rt::Object> m_space;
};

// The figures a monitor reads: STStorageSpace with usedBytes and deviceSize.
class STStorageSpace final : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<STStorageSpace> create(int64_t usedBytes, int64_t deviceSize);

    int64_t usedBytes() const { return m_usedBytes; }
    int64_t deviceSize() const { return m_deviceSize; }

private:
    int64_t m_usedBytes { 0 };
    int64_t m_deviceSize { 0 };
};
