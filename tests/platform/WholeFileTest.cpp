// Whole-file writes: the replaced file's mode, a new file's mode under the process umask, and the
// umask itself left alone while a file is written.
#include "platform/WholeFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace
{
std::atomic<int> umaskCalls{0};
} // namespace

// Every umask call of the process lands here (the platform library is linked in statically), so a
// write that changes the umask even for a moment is seen.
extern "C" mode_t umask(mode_t mask) noexcept
{
    ++umaskCalls;
    return static_cast<mode_t>(::syscall(SYS_umask, mask));
}

namespace
{

class WholeFile : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("morvex-wholefile-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directory(dir);
        saved = umask(022);
    }
    void TearDown() override
    {
        umask(saved);
        std::filesystem::remove_all(dir);
    }
    static mode_t Mode(const std::string& path)
    {
        struct stat st {
        };
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        return names;
    }
    std::filesystem::path dir;
    mode_t saved = 022;
    const std::vector<std::uint8_t> bytes{1, 2, 3, 4};
};

TEST_F(WholeFile, NewFileModeFollowsTheProcessUmask)
{
    const mode_t masks[] = {022, 077, 002, 0, 0137};
    for (const mode_t mask : masks) {
        SCOPED_TRACE(mask);
        const std::string path = (dir / ("new-" + std::to_string(mask))).string();
        umask(mask);
        ASSERT_EQ(platform::WriteFileAtomic(path, bytes), "");
        EXPECT_EQ(Mode(path), 0666 & ~mask);
    }
    umask(022);
    EXPECT_EQ(Files().size(), std::size(masks)) << "no temporary file is left behind";
}

TEST_F(WholeFile, ReplacedFileKeepsItsMode)
{
    const std::string path = (dir / "old").string();
    ASSERT_EQ(platform::WriteFileAtomic(path, bytes), "");
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    umask(077);
    ASSERT_EQ(platform::WriteFileAtomic(path, {bytes.data(), 2}), "");
    EXPECT_EQ(Mode(path), 0604u);
    EXPECT_EQ(std::filesystem::file_size(path), 2u);
    EXPECT_EQ(Files(), std::vector<std::string>{"old"});
}

TEST_F(WholeFile, WritingLeavesTheUmaskAlone)
{
    const std::string fresh = (dir / "fresh").string(), again = (dir / "again").string();
    ASSERT_EQ(platform::WriteFileAtomic(again, bytes), "");
    umask(027);
    umaskCalls = 0;
    ASSERT_EQ(platform::WriteFileAtomic(fresh, bytes), "");
    ASSERT_EQ(platform::WriteFileAtomic(again, bytes), "");
    EXPECT_EQ(umaskCalls.load(), 0) << "the umask was set, if only for a moment";
    EXPECT_EQ(Mode(fresh), 0640u);
    EXPECT_EQ(umask(022), 027u);
}

TEST_F(WholeFile, FailedCreateIsReportedAndLeavesNothing)
{
    const std::string path = (dir / "missing" / "file").string();
    const std::string error = platform::WriteFileAtomic(path, bytes);
    EXPECT_NE(error.find("create"), std::string::npos) << error;
    EXPECT_TRUE(Files().empty());
}

} // namespace
