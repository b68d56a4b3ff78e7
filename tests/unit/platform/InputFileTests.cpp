#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "host/platform/InputFile.h"

namespace fs = std::filesystem;

namespace {

struct InputFiles : testing::Test {
    fs::path folder;
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tamarind-input-XXXXXX").string();
        folder = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(folder); }
};

}

TEST_F(InputFiles, RegularFilesUpToTheLimitAreRead)
{
    std::ofstream(folder / "ten") << "0123456789";
    fs::create_symlink(folder / "ten", folder / "link");
    std::string error;
    for (const char* name : { "ten", "link" }) {
        auto bytes = readInputFile(folder / name, 10, error);
        ASSERT_TRUE(bytes) << error;
        EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "0123456789");
    }
    std::ofstream(folder / "empty");
    auto empty = readInputFile(folder / "empty", 0, error);
    ASSERT_TRUE(empty) << error;
    EXPECT_TRUE(empty->empty());
}

TEST_F(InputFiles, AnythingElseIsOneLineThatStartsWithThePath)
{
    std::ofstream(folder / "eleven") << "0123456789A";
    fs::create_directory(folder / "folder");
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
    struct Case {
        fs::path path;
        std::size_t limit;
        std::string error;
    } cases[] = {
        { folder / "eleven", 10, (folder / "eleven").string() + " is larger than 10 bytes" },
        { folder / "eleven", 0, (folder / "eleven").string() + " is larger than 0 bytes" },
        { folder / "folder", 10, (folder / "folder").string() + " is a folder, not a file" },
        { folder / "pipe", 10, (folder / "pipe").string() + " is a pipe, not a file" },
        { "/dev/zero", std::size_t(1) << 30, "/dev/zero is a device, not a file" },
        { folder / "missing", 10, "cannot read " + (folder / "missing").string() + ": No such file or directory" },
    };
    for (auto& c : cases) {
        std::string error;
        EXPECT_FALSE(readInputFile(c.path, c.limit, error)) << c.path;
        EXPECT_EQ(error, c.error);
    }
}

TEST(ByteCounts, ReadAsTheyAreStated)
{
    EXPECT_EQ(describeByteCount(64u << 20), "64 MB");
    EXPECT_EQ(describeByteCount(512u << 10), "512 KB");
    EXPECT_EQ(describeByteCount(1000), "1000 bytes");
    EXPECT_EQ(describeByteCount((1u << 20) + 1), "1048577 bytes");
}
