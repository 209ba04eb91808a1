// One editor per user: a second start finds the first, asks it for its window and is refused; a socket
// left by a copy that is gone does not count. Every socket lives in a runtime folder of the test's own.
#include "app/main/SingleInstance.h"
#include "support/TestApp.h"

#include <QByteArray>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using app::SingleInstance;

namespace
{

class OneInstance : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        testapp::EnsureCoreApp();
        old = qgetenv("XDG_RUNTIME_DIR");
        dir = std::filesystem::temp_directory_path() / ("morvex-instance-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        ::chmod(dir.c_str(), 0700);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir.string()));
        ASSERT_EQ(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toStdString(),
                  dir.string());
    }
    void TearDown() override
    {
        qputenv("XDG_RUNTIME_DIR", old);
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path Socket() const
    {
        return dir / ("morvex-test-" + std::to_string(::getuid()) + ".sock");
    }

    const QString key = QStringLiteral("morvex-test");
    QByteArray old;
    std::filesystem::path dir;
};

TEST_F(OneInstance, SecondStartIsRefusedAndRaisesTheFirst)
{
    SingleInstance first(key);
    EXPECT_FALSE(first.OtherRunning());
    EXPECT_TRUE(std::filesystem::exists(Socket())) << "the socket is made in the runtime folder";
    int raised = 0;
    first.OnRaise = [&] { ++raised; };

    {
        SingleInstance second(key);
        EXPECT_TRUE(second.OtherRunning());
        ASSERT_TRUE(testapp::PumpUntil([&] { return raised == 1; }));
    }
    SingleInstance third(key);
    EXPECT_TRUE(third.OtherRunning()) << "a refused start does not take the first one's place";
    ASSERT_TRUE(testapp::PumpUntil([&] { return raised == 2; }));
    testapp::PumpFor(50);
    EXPECT_EQ(raised, 2);
}

TEST_F(OneInstance, OtherNamesDoNotCount)
{
    SingleInstance first(key);
    SingleInstance other(QStringLiteral("morvex-other"));
    EXPECT_FALSE(other.OtherRunning());
}

TEST_F(OneInstance, StartAfterTheFirstEndedRunsAndIsFoundInTurn)
{
    {
        SingleInstance first(key);
        ASSERT_FALSE(first.OtherRunning());
    }
    SingleInstance next(key);
    EXPECT_FALSE(next.OtherRunning());
    SingleInstance again(key);
    EXPECT_TRUE(again.OtherRunning());
}

TEST_F(OneInstance, SocketLeftByACrashedCopyIsTakenOver)
{
    // A bound socket nobody listens on, its file left behind.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = Socket().string();
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(std::filesystem::exists(Socket()));

    SingleInstance first(key);
    EXPECT_FALSE(first.OtherRunning());
    int raised = 0;
    first.OnRaise = [&] { ++raised; };
    SingleInstance second(key);
    EXPECT_TRUE(second.OtherRunning());
    EXPECT_TRUE(testapp::PumpUntil([&] { return raised == 1; }));
}

} // namespace
