#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "host/foundation/Dictionary.h"
#include "host/foundation/String.h"
#include "host/foundation/UserDefaults.h"
#include "host/platform/Device.h"
#include "host/platform/DeviceRoot.h"

namespace fs = std::filesystem;

namespace {

constexpr char kDomain[] = "com.corvane.sorrelpreferences";

// A device holding the library's preferences domain with "titleValue" = "old".
struct PreferencesDomain : testing::Test {
    fs::path base;
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tamarind-defaults-XXXXXX").string();
        base = mkdtemp(pattern.data());
        // Open to every user, as a phone's folders are, so a child that gave up root reaches it.
        fs::permissions(base, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                | fs::perms::others_read | fs::perms::others_exec);
        fs::create_directories(folder());
        setDeviceRoot(base);
        DeviceDescription device;
        device.folder = base;
        setCurrentDevice(device);
        ASSERT_TRUE(store("old"));
    }
    void TearDown() override
    {
        fs::permissions(folder(), fs::perms::owner_all);
        fs::remove_all(base);
    }
    fs::path folder() const { return base / "var/mobile/Library/Preferences"; }

    // Files of the folder besides the domain: a write that failed must not leave its own behind.
    std::vector<std::string> strayFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder()))
            if (entry.path().filename() != std::string(kDomain) + ".plist")
                names.push_back(entry.path().filename());
        return names;
    }

    static bool store(const std::string& text)
    {
        rt::AutoreleasePool pool;
        auto domain = NSUserDefaults::create(kDomain);
        domain->set("titleValue", ns(text));
        return domain->synchronize();
    }
    static std::string stored()
    {
        rt::AutoreleasePool pool;
        return toStdString(NSUserDefaults::create(kDomain)->object("titleValue"));
    }
};

// Runs `body` in a child process; its answer is the child's exit status.
int inChild(const std::function<bool()>& body)
{
    pid_t child = fork();
    if (child == 0)
        _exit(body() ? 1 : 0);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}

// A write stopped by a full disk or a read-only folder is reported, and the domain still holds
// everything it held: the user's settings are not lost to a write that could not finish.
TEST_F(PreferencesDomain, AFailedWriteIsReportedAndLeavesTheOldFile)
{
    std::string large(64 * 1024, 'x');
    int answer = inChild([&] {
        // Past the limit write(2) fails with EFBIG instead of the process being stopped.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit { 4096, 4096 };
        setrlimit(RLIMIT_FSIZE, &limit);
        return store(large);
    });
    EXPECT_EQ(answer, 0) << "a write past the file size limit answers that it failed";
    EXPECT_EQ(stored(), "old");
    EXPECT_EQ(strayFiles(), std::vector<std::string> {});

    // The folder is read-only, the file itself writable: the file must still not be rewritten in
    // place. Root may write anywhere, so the child gives up root first.
    fs::permissions(folder() / (std::string(kDomain) + ".plist"), fs::perms::all);
    fs::permissions(folder(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
            | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    answer = inChild([&] {
        if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return true;
        return store("new");
    });
    EXPECT_EQ(answer, 0) << "a write into a read-only folder answers that it failed";
    EXPECT_EQ(stored(), "old");
    EXPECT_EQ(strayFiles(), std::vector<std::string> {});
}

// A process killed at any moment of a write leaves the domain whole: the settings before the
// write or after it, never an empty or cut-off file.
TEST_F(PreferencesDomain, AWriteKilledAtAnyMomentLeavesOneWholeVersion)
{
    const std::string first(200 * 1024, 'a'), second(200 * 1024, 'b');
    for (int round = 0; round < 30; ++round) {
        pid_t child = fork();
        if (child == 0) {
            for (bool flip = false;; flip = !flip)
                store(flip ? first : second);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(1000 + round * 700));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::string text = stored();
        EXPECT_TRUE(text == "old" || text == first || text == second) << "round " << round << ": " << text.size()
                                                                      << " bytes read back";
    }
}

// A domain allocated and initialised without a suite name is empty, has no file to write, and
// answers every message as such.
TEST(UserDefaults, ADomainWithoutASuiteNameIsEmpty)
{
    rt::AutoreleasePool pool;
    auto defaults = rt::newObject<NSUserDefaults>(NSUserDefaults::classObject());
    auto* all = rt::send<rt::Object*>(defaults.get(), SELECTOR("dictionaryRepresentation"));
    ASSERT_TRUE(isDictionary(all));
    EXPECT_EQ(static_cast<NSDictionary*>(all)->count(), 0u);
    EXPECT_EQ(rt::send<rt::Object*>(defaults.get(), SELECTOR("objectForKey:"), ns("titleValue")), nullptr);
    EXPECT_FALSE(rt::send<bool>(defaults.get(), SELECTOR("synchronize")));
}
