// The link session as the main window holds it: model, state machine and link core joined over
// loopback TCP to the test device, the machine's timers and the idle poll on the fake clock.
#include "session/LLinkSession.h"

#include <gtest/gtest.h>

#include <memory>

#include "RecordingView.h"
#include "SyncCoreRig.h"
#include "TestDevice.h"
#include "runtime/Timer.h"

using testapp::PumpUntil;

namespace
{

using morvex_device::DeviceFaults;
using morvex_device::TestDevice;

class Session : public ::testing::Test
{
  protected:
    void SetUp() override { testapp::EnsureCoreApp(); }

    // The session's own open over TCP, once the socket is connected.
    bool Open(LLinkSession& session)
    {
        session.Core.ClientSocket.Address = "127.0.0.1";
        session.Core.ClientSocket.Port = Device.Port();
        session.Core.ClientSocket.SetActive(true);
        return PumpUntil([&] { return session.Core.ClientSocket.Connected(); }, 3000) && session.OpenNet();
    }

    fw::FakeTimerScope Clock;
    TestDevice Device;
    RecordingView View;
};

TEST_F(Session, JoinsModelMachineAndLinkAndRunsTheTimersOnTheService)
{
    Device.SetImage(SampleImage(8));
    ASSERT_TRUE(Device.StartTcp(0));
    LLinkSession session(View);
    ASSERT_TRUE(Open(session));
    EXPECT_TRUE(session.LinkOpen());
    EXPECT_EQ(session.LinkInterfaceName(), "NET");

    // The full read fills the model from the device.
    ASSERT_TRUE(PumpUntil(
        [&] { return session.Machine.Online() && !session.Machine.Busy() && View.LevelPoll; }, 10000));
    EXPECT_TRUE(View.HasEvent("online NET"));
    EXPECT_EQ(ImageBody(session.Unit.GetImage()), ImageBody(Device.Image()));
    EXPECT_EQ(session.Core.OpenTransport()->Timeout(), 1000);

    // A model edit goes out through the session.
    session.Unit.SetGain(4, 123);
    ASSERT_TRUE(PumpUntil([&] { return Device.Image().outputs[1].gain == 123; }, 5000));

    // A new lock password: the lock setup closes 100 ms later, the link 300 ms after that.
    session.Machine.SetLockPassword("1234");
    Clock.Fake.Advance(99);
    EXPECT_FALSE(View.HasEvent("lock-setup-closed"));
    Clock.Fake.Advance(1);
    EXPECT_TRUE(View.HasEvent("lock-setup-closed"));
    Clock.Fake.Advance(299);
    EXPECT_TRUE(session.LinkOpen());
    Clock.Fake.Advance(1);
    EXPECT_FALSE(session.LinkOpen());
    EXPECT_TRUE(View.HasEvent("link-closed"));
    EXPECT_FALSE(View.HasEvent("link-lost"));
    EXPECT_EQ(session.Core.OpenTransport(), nullptr);
    EXPECT_FALSE(session.Machine.Connected());

    // Without a link, commands go nowhere.
    const size_t frames = Device.ReceivedFrames().size();
    session.Unit.SetGain(4, 50);
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(Device.ReceivedFrames().size(), frames);
    Device.Stop();
}

TEST_F(Session, AnUnansweredConnectIsWrittenOnceMoreThanItsRetriesThenTheLinkIsLost)
{
    DeviceFaults silent;
    silent.SilentAfter = 0;
    Device.SetFaults(silent);
    ASSERT_TRUE(Device.StartTcp(0));
    LLinkSession session(View);
    session.ConnectTiming.NetTimeoutMs = 50;
    session.ConnectTiming.Retries = 2;
    ASSERT_TRUE(Open(session));
    ASSERT_TRUE(PumpUntil([&] { return !session.LinkOpen(); }, 5000));
    EXPECT_TRUE(View.HasEvent("link-lost"));
    EXPECT_EQ(session.Core.OpenTransport(), nullptr);
    EXPECT_EQ(Device.ReceivedCodes(), (std::vector<uint8_t>{16, 16, 16}));
    Device.Stop();
}

TEST_F(Session, ADroppedLinkInTheReadIsReportedAndLeavesNoHalfReadSet)
{
    Device.SetImage(SampleImage(3));
    DeviceFaults drop;
    drop.DropAfter = 30;
    Device.SetFaults(drop);
    ASSERT_TRUE(Device.StartTcp(0));
    LLinkSession session(View);
    ASSERT_TRUE(Open(session));
    ASSERT_TRUE(PumpUntil([&] { return !session.LinkOpen(); }, 10000));
    EXPECT_TRUE(View.HasEvent("link-lost"));
    EXPECT_FALSE(session.Machine.Busy());
    EXPECT_FALSE(session.Machine.Connected());
    EXPECT_EQ(ImageBody(session.Unit.GetImage()), ImageBody(LUnitControl::DefaultImage()));
    Device.Stop();
}

} // namespace
