// The state machine through the real link core (send queue, TCP and serial transports) against
// the test device: the program over loopback TCP and over a pty, and the in-process device for faults.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <memory>
#include <thread>

#include "DeviceLinkHelpers.h"
#include "SyncRig.h"
#include "TestDevice.h"
#include "link/LLinkCore.h"

namespace {

using Codes = std::vector<uint8_t>;

QCoreApplication& App()
{
    static int argc = 1;
    static char name[] = "sync-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs)
{
    App();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

Codes FullConnect()
{
    Codes c = {16, 19, 44, 34, 20};
    c.insert(c.end(), 20, 41);
    c.insert(c.end(), 22, 39);
    c.push_back(18);
    return c;
}

std::vector<uint8_t> Body(const ParamImage& image)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&image);
    return std::vector<uint8_t>(p + 2, p + sizeof image);
}

// The editor's side with the real link core: frames, time-outs, lost links and real timers.
// The application exists before the link core's sockets.
struct AppFirst {
    AppFirst() { App(); }
};

class CoreRig : private AppFirst, public SyncRig {
public:
    CoreRig()
    {
        App();
        Core.OnFrame = [this](const BSTM& f, uint32_t) { Machine.DispatchReply(f); };
        Core.OnLinkLost = [this](int, int) {
            Core.CloseAllTransports();
            FLinkOpen = false;
            Machine.OnLinkClosed(true);
        };
    }
    ~CoreRig() override { Core.CloseAllTransports(); }

    bool OpenTcp(uint16_t port)
    {
        Interface = "NET";
        Core.ClientSocket.Address = "127.0.0.1";
        Core.ClientSocket.Port = port;
        Core.ClientSocket.SetActive(true);
        if (!PumpUntil([&] { return Core.ClientSocket.Connected(); }, 3000) || !Core.OpenNetTransport())
            return false;
        Start();
        return true;
    }
    bool OpenPty(const std::string& path)
    {
        Interface = path;
        if (!Core.OpenComTransport(path))
            return false;
        Start();
        return true;
    }
    bool ReadDone(int timeoutMs = 10000)
    {
        return PumpUntil([&] { return !FLinkOpen || (Machine.Online() && !Machine.Busy() && LevelPoll); },
                         timeoutMs);
    }

    void SendCommand(const LCmd& cmd, bool noCoalesce) override
    {
        if (!FLinkOpen)
            return;
        FSent.push_back(BuildFrame(cmd, 1));
        FSentCoalescing.push_back(!noCoalesce);
        Core.SendCommand(cmd, noCoalesce);
    }
    void StartTimer(LSyncTimer timer, int ms) override
    {
        auto& t = FQtTimers[timer];
        t = std::make_unique<QTimer>();
        t->setSingleShot(true);
        QObject::connect(t.get(), &QTimer::timeout, t.get(), [this, timer] { Machine.OnTimer(timer); });
        t->start(ms);
    }
    void StopTimer(LSyncTimer timer) override
    {
        auto it = FQtTimers.find(timer);
        if (it != FQtTimers.end() && it->second)
            it->second->stop();
    }
    void SetLinkTimeout(int ms) override
    {
        Timeout = ms;
        Core.SetLinkTimeout(ms);
    }
    void SetLinkRetries(int count) override { Core.SetLinkRetries(count); }
    void SuspendLinkPoll(bool flag) override { Core.SuspendLinkPoll(flag); }
    void CloseLink() override
    {
        Core.CloseAllTransports();
        FLinkOpen = false;
        Log("link-closed");
        Machine.OnLinkClosed(false);
    }

    LLinkCore Core;

private:
    void Start()
    {
        FLinkOpen = true;
        Machine.OnLinkOpened();
        Core.SetLinkTimeout(2000);
        SendCommand(CM_MCS_CMD(1, 16), true);
    }
    std::map<LSyncTimer, std::unique_ptr<QTimer>> FQtTimers;
};

TEST(SyncOverLink, ProgramOverTcpAndPty)
{
    struct Case {
        const char* name;
        const char* mode;
    } cases[] = {{"loopback TCP", "--tcp"}, {"pty", "--pty"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        morvex_device::ChildProcess device;
        std::vector<std::string> args = {MORVEX_TEST_DEVICE_PROGRAM, c.mode};
        if (std::string(c.mode) == "--tcp")
            args.push_back("0");
        ASSERT_TRUE(device.Start(args));
        const std::string line = device.ReadLine(5000);
        ASSERT_FALSE(line.empty());
        CoreRig rig;
        if (std::string(c.mode) == "--tcp")
            ASSERT_TRUE(rig.OpenTcp(static_cast<uint16_t>(std::stoi(line.substr(5)))));
        else
            ASSERT_TRUE(rig.OpenPty(line.substr(4)));
        ASSERT_TRUE(rig.ReadDone());
        EXPECT_EQ(rig.SentCodes(), FullConnect());
        EXPECT_EQ(Body(rig.Unit.GetImage()), Body(LUnitControl::DefaultImage()));
        EXPECT_FALSE(rig.HasEvent("link-lost"));
        device.Terminate();
    }
}

TEST(SyncOverLink, FullReadOverTcpTakesTheDeviceImage)
{
    morvex_device::TestDevice device;
    device.SetImage(SampleImage(17));
    ASSERT_TRUE(device.StartTcp(0));
    CoreRig rig;
    ASSERT_TRUE(rig.OpenTcp(device.Port()));
    ASSERT_TRUE(rig.ReadDone());
    EXPECT_EQ(device.ReceivedCodes(), FullConnect());
    EXPECT_EQ(Body(rig.Unit.GetImage()), Body(device.Image()));
    device.Stop();
}

TEST(SyncOverLink, SilentDeviceInTheReadIsReportedAndNothingFollowsTheReconnect)
{
    morvex_device::TestDevice device;
    morvex_device::DeviceFaults faults;
    faults.SilentAfter = 20;
    device.SetFaults(faults);
    ASSERT_TRUE(device.StartTcp(0));
    CoreRig rig;
    ASSERT_TRUE(rig.OpenTcp(device.Port()));
    ASSERT_TRUE(PumpUntil([&] { return rig.HasEvent("link-lost"); }, 20000));
    EXPECT_FALSE(rig.Machine.Busy());
    EXPECT_FALSE(rig.Machine.Connected());
    EXPECT_EQ(Body(rig.Unit.GetImage()), Body(LUnitControl::DefaultImage()));

    device.SetFaults({});
    device.ClearReceived();
    rig.ClearSent();
    ASSERT_TRUE(rig.OpenTcp(device.Port()));
    ASSERT_TRUE(rig.ReadDone());
    EXPECT_EQ(device.ReceivedCodes(), FullConnect());
    device.Stop();
}

TEST(SyncOverLink, AnotherIdNeverGetsPastTheConnect)
{
    morvex_device::TestDevice device;
    morvex_device::DeviceFaults faults;
    faults.ReplyId = 9;
    device.SetFaults(faults);
    ASSERT_TRUE(device.StartTcp(0));
    CoreRig rig;
    ASSERT_TRUE(rig.OpenTcp(device.Port()));
    ASSERT_TRUE(PumpUntil([&] { return rig.HasEvent("other-device"); }, 5000));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(rig.SentCodes(), (Codes{16}));
    EXPECT_FALSE(rig.Machine.Connected());
    device.Stop();
}

}  // namespace
