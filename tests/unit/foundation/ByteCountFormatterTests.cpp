#include <gtest/gtest.h>

#include "host/foundation/ByteCountFormatter.h"

TEST(ByteCountFormatter, FileStyleReadsAsTheFilesAppDoes)
{
    struct Case {
        long long bytes;
        const char* text;
    };
    for (auto c : { Case { 0, "Zero KB" }, Case { 1, "1 byte" }, Case { 999, "999 bytes" }, Case { 1000, "1 KB" },
             Case { 999499, "999 KB" }, Case { 999999, "1 MB" }, Case { 1500000, "1.5 MB" },
             Case { 12340000000, "12.34 GB" }, Case { 45678901234, "45.68 GB" }, Case { 128000000000, "128 GB" },
             Case { 2000000000000, "2 TB" }, Case { -1500000, "-1.5 MB" } })
        EXPECT_EQ(NSByteCountFormatter::format(c.bytes, NSByteCountFormatter::File), c.text) << c.bytes;
}

TEST(ByteCountFormatter, MemoryStyleCountsIn1024s)
{
    EXPECT_EQ(NSByteCountFormatter::format(1024, NSByteCountFormatter::Memory), "1 KB");
    EXPECT_EQ(NSByteCountFormatter::format(1536 * 1024, NSByteCountFormatter::Memory), "1.5 MB");
}
