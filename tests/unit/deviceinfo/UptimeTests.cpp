#include <climits>
#include <filesystem>
#include <gtest/gtest.h>

#include "host/platform/Device.h"
#include "tamarind/deviceinfo/StorageCapacity.h"
#include "tamarind/deviceinfo/Uptime.h"

using namespace tamarind;

TEST(Uptime, TextSplitsSecondsIntoDaysHoursMinutesAndSeconds)
{
    struct Case {
        long seconds;
        const char* text;
    } cases[] = { { 0, "0d 0h 0m 0s" }, { 59, "0d 0h 0m 59s" }, { 60, "0d 0h 1m 0s" }, { 86399, "0d 23h 59m 59s" },
        { 86400, "1d 0h 0m 0s" }, { 93784, "1d 2h 3m 4s" }, { 400 * 86400L + 5, "400d 0h 0m 5s" },
        { -1, "0d 0h 0m -1s" }, { -93784, "-1d -2h -3m -4s" } };
    for (auto c : cases)
        EXPECT_EQ(uptimeText(c.seconds), c.text) << c.seconds;
}

TEST(Uptime, TimeSinceBootComesFromTheDeviceClock)
{
    DeviceDescription device;
    device.folder = std::filesystem::temp_directory_path();
    device.startTime = 2000000;
    device.bootTime = 2000000 - 93784;
    setCurrentDevice(device);
    EXPECT_EQ(uptimeSeconds(), 93784);
    // A boot time of 0 is treated as unreadable.
    device.bootTime = 0;
    setCurrentDevice(device);
    EXPECT_EQ(uptimeSeconds(), -1);
}

TEST(StorageCapacity, GigabytesAreDecimalAndHeldAtTheEdgesOfA64BitCount)
{
    EXPECT_EQ(replacementCapacity(128), 128000000000LL);
    EXPECT_EQ(replacementCapacity(0), 0);
    EXPECT_EQ(replacementCapacity(-2), -2000000000LL);
    EXPECT_EQ(replacementCapacity(LONG_MAX), LLONG_MAX);
    EXPECT_EQ(replacementCapacity(LONG_MIN), LLONG_MIN);
}
