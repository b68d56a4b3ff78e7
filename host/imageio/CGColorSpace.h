#pragma once

#include <cstddef>
#include <optional>

// The colour space a bitmap context is created with. The simulated device draws in device RGB
// only, which is all that CGColorSpaceCreateDeviceRGB offers code here.
class CGColorSpace {
public:
    static std::optional<CGColorSpace> createDeviceRGB() { return CGColorSpace(); }

    std::size_t numberOfComponents() const { return 3; }

private:
    CGColorSpace() = default;
};
