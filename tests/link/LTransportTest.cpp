// Transports against the test device over loopback TCP and a pty, and the worker timing
// against a silent owner.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <numeric>

#include "LinkTestSupport.h"
#include "TestDevice.h"
#include "link/LLinkCore.h"

using morvex_device::DeviceFaults;
using morvex_device::TestDevice;

namespace {

struct LinkRecorder {
  std::vector<BSTM> Frames;
  std::vector<std::pair<int, int>> Lost;
  std::vector<std::string> Log;
  void Attach(LLinkCore& core) {
    core.OnFrame = [this](const BSTM& f, uint32_t) { Frames.push_back(f); };
    core.OnLinkLost = [this](int code, int arg) { Lost.emplace_back(code, arg); };
    core.OnLogLine = [this](const std::string& l) { Log.push_back(l); };
  }
};

class TcpLink : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    ASSERT_TRUE(Device.StartTcp(0));
    Rec.Attach(Core);
    Core.ClientSocket.Address = "127.0.0.1";
    Core.ClientSocket.Port = Device.Port();
    Core.ClientSocket.SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return Core.ClientSocket.Connected(); }));
    ASSERT_TRUE(Core.OpenNetTransport());
    Core.SetLinkTimeout(2000);
    Core.SetLinkRetries(3);
  }
  void TearDown() override {
    Core.CloseAllTransports();
    Device.Stop();
  }

  bool Request(uint8_t code, size_t frames = 1) {
    Core.SendCommand(CM_MCS_CMD(static_cast<uint8_t>(Core.GetDeviceId()), code), true);
    return PumpUntil([&] { return Rec.Frames.size() >= frames; });
  }

  QCoreApplication& App = TestApp();  // before the core: its notifiers need the application
  TestDevice Device;
  LLinkCore Core;
  LinkRecorder Rec;
};

TEST_F(TcpLink, RepliesSplitIntoPiecesOfEverySizeComplete) {
  for (int chunk = 1; chunk <= 12; ++chunk) {
    SCOPED_TRACE(chunk);
    DeviceFaults f;
    f.ChunkSize = chunk;
    f.ChunkPauseMs = 2;
    Device.SetFaults(f);
    Rec.Frames.clear();
    ASSERT_TRUE(Request(19));
    LCmd reply(Rec.Frames[0], 1);
    EXPECT_EQ(reply.GetCode(), 19);
    EXPECT_EQ(reply.GetId(), 1);
  }
}

TEST_F(TcpLink, EachReplyLetsTheNextQueuedFrameOutInOrder) {
  for (int code : {16, 19, 44, 20}) Core.SendCommand(CM_MCS_CMD(1, code), true);
  ASSERT_TRUE(PumpUntil([&] { return Rec.Frames.size() == 4; }));
  std::vector<int> codes;
  for (const BSTM& f : Rec.Frames) codes.push_back(LCmd(f, 1).GetCode());
  EXPECT_EQ(codes, (std::vector<int>{16, 19, 44, 20}));
  EXPECT_EQ(Device.ReceivedCodes(), (std::vector<uint8_t>{16, 19, 44, 20}));
}

TEST_F(TcpLink, ReplyFromAnotherIdAndGarbageBeforeAFrame) {
  DeviceFaults f;
  f.ReplyId = 7;
  f.Garbage = {0x55, 0x10, 0x99, 0x10, 0x02, 0x00, 0x07, 0x00};
  Device.SetFaults(f);
  ASSERT_TRUE(Request(16));
  EXPECT_EQ(LCmd(Rec.Frames[0], 1).GetId(), 7);
  EXPECT_EQ(LCmd(Rec.Frames[0], 1).GetCode(), 16);
}

TEST_F(TcpLink, SilenceWritesOncePlusRetriesThenReportsErrorZero) {
  DeviceFaults f;
  f.SilentAfter = 0;
  Device.SetFaults(f);
  Core.SetLinkTimeout(60);
  Core.SetLinkRetries(3);
  Core.SendCommand(CM_MCS_CMD(1, 16), true);
  ASSERT_TRUE(PumpUntil([&] { return !Rec.Lost.empty(); }));
  EXPECT_EQ(Rec.Lost[0], std::make_pair(0, 1));
  ASSERT_TRUE(Device.WaitForFrames(4, 1000));
  EXPECT_EQ(Device.ReceivedCodes(), (std::vector<uint8_t>{16, 16, 16, 16}));
}

TEST_F(TcpLink, DroppedLinkEndsInErrorZero) {
  DeviceFaults f;
  f.DropAfter = 1;
  Device.SetFaults(f);
  ASSERT_TRUE(Request(16));
  Core.SetLinkTimeout(40);
  Core.SetLinkRetries(1);
  Core.SendCommand(CM_MCS_CMD(1, 19), true);
  ASSERT_TRUE(PumpUntil([&] { return !Rec.Lost.empty(); }));
  EXPECT_EQ(Rec.Lost[0].first, 0);
}

TEST_F(TcpLink, TrafficLogListsWrittenAndReadFramesWhileVisible) {
  Core.SetLogVisible(true);
  ASSERT_TRUE(Request(16));
  ASSERT_TRUE(PumpUntil([&] { return Rec.Log.size() >= 2; }));
  EXPECT_EQ(Rec.Log[0], "NET W 10 02 00 01 01 10 10 03 11 ");
  EXPECT_EQ(Rec.Log[1].rfind("NET R 10 02 01 ", 0), 0u) << Rec.Log[1];
  Core.SetLogVisible(false);
  ASSERT_TRUE(Request(16, 2));
  PumpFor(20);
  EXPECT_EQ(Rec.Log.size(), 2u);
}

TEST_F(TcpLink, AHandlerQueuingTheNextCommandSendsItNext) {
  Core.OnFrame = [&](const BSTM& f, uint32_t) {
    Rec.Frames.push_back(f);
    if (Rec.Frames.size() == 1) Core.SendCommand(CM_MCS_CMD(1, 19), false);
  };
  ASSERT_TRUE(Request(16, 2));
  EXPECT_EQ(LCmd(Rec.Frames[1], 1).GetCode(), 19);
}

TEST_F(TcpLink, ClosingInsideTheHandOverNeitherBlocksNorCrashes) {
  Core.OnFrame = [&](const BSTM& f, uint32_t) {
    Rec.Frames.push_back(f);
    Core.CloseTransport();  // the worker waits in this very hand-over
  };
  ASSERT_TRUE(Request(16));
  EXPECT_EQ(Core.Net(), nullptr);
}

TEST_F(TcpLink, ClosingWithAHandOverPendingAbandonsIt) {
  Core.SendCommand(CM_MCS_CMD(1, 16), true);
  ASSERT_TRUE(Device.WaitForFrames(1, 2000));
  // Hand the reply to the worker without running the event loop: the worker posts its
  // hand-over and waits for a UI thread that is busy closing.
  ASSERT_TRUE(PumpUntil([&] { return false; }, 0) || true);
  for (int i = 0; i < 200 && Core.Net()->Busy(); ++i) {
    Core.ClientSocketRead();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (i == 20) break;
  }
  Core.CloseTransport();
  PumpFor(50);
  EXPECT_TRUE(Rec.Frames.empty());  // the abandoned hand-over never reaches the owner
}

TEST_F(TcpLink, IdlePollSendsCode18AndRaisesTheTimeout) {
  Core.Net()->SetPollInterval(30);
  ASSERT_TRUE(Device.WaitForFrames(0, 10));
  ASSERT_TRUE(PumpUntil([&] { return !Device.ReceivedCodes().empty(); }));
  EXPECT_EQ(Device.ReceivedCodes()[0], 18);
  EXPECT_EQ(Core.Net()->Timeout(), 5000);
  Core.SetDeviceId(7);
  Device.ClearReceived();
  ASSERT_TRUE(PumpUntil([&] { return !Device.ReceivedFrames().empty(); }));
  EXPECT_EQ(Device.ReceivedFrames()[0][3], 7);
}

TEST_F(TcpLink, SuppressedPollSendsNothing) {
  Core.SuspendLinkPoll(true);
  Core.Net()->SetPollInterval(20);
  PumpFor(120);
  EXPECT_TRUE(Device.ReceivedCodes().empty());
}

TEST(LinkCore, SendPathWithoutTransportAndStaleNotices) {
  TestApp();
  LLinkCore core;
  LinkRecorder rec;
  rec.Attach(core);
  std::string label;
  core.OnDeviceIdText = [&](const std::string& s) { label = s; };
  EXPECT_FALSE(core.SendCommand(CM_MCS_CMD(1, 16), true));
  for (int id : {0, 255}) {
    core.SetDeviceId(id);
    EXPECT_EQ(core.GetDeviceId(), 1);
  }
  EXPECT_EQ(label, "");
  core.SetDeviceId(7);
  EXPECT_EQ(label, "ID : 7");

  ASSERT_TRUE(core.OpenUsbTransport());
  uint64_t old = core.Usb()->Generation();
  ASSERT_TRUE(core.OpenUsbTransport());
  core.OnLinkError(0, 1, old);
  EXPECT_TRUE(rec.Lost.empty());
  core.OnLinkError(0, 1, core.Usb()->Generation());
  EXPECT_EQ(rec.Lost.size(), 1u);
}

TEST(LinkCore, AStoreWriteTooLongForTheSendBufferIsRefused) {
  TestApp();
  LLinkCore core;
  ASSERT_TRUE(core.OpenUsbTransport());
  uint8_t data[127] = {};
  EXPECT_FALSE(core.SendCommand(CM_MCS_WRITE_EEPROM(1, 1, 127, data), true));
  EXPECT_FALSE(core.Usb()->Busy());
  EXPECT_TRUE(core.SendCommand(CM_MCS_WRITE_EEPROM(1, 1, 17, data), true));
}

// An owner that counts writes and errors; the worker timing tables use it.
class CountingOwner : public LLinkOwner {
 public:
  void PostToUi(std::function<void()> fn) override {
    std::lock_guard g(Lock);
    Posted.push_back(std::move(fn));
  }
  void OnLinkFrame(const BSTM&, uint32_t) override {}
  void OnLinkError(int code, int, uint64_t) override { Errors.push_back(code); }
  void NetWrite(const uint8_t*, int) override { Writes.push_back(ErrorsPosted()); }
  void UsbWrite(const uint8_t*, int) override { Writes.push_back(ErrorsPosted()); }
  int ErrorsPosted() {
    std::lock_guard g(Lock);
    return static_cast<int>(Posted.size());
  }
  std::mutex Lock;
  std::vector<std::function<void()>> Posted;
  std::vector<int> Errors;
  std::vector<int> Writes;  // number of errors posted before each write
};

TEST(LTransport, RetryAndErrorTimingPerTransport) {
  struct Case {
    const char* name;
    bool usb;
    int errorsToWaitFor;
    std::vector<int> wantWrites;  // errors posted before each write
  } cases[] = {
      // One write, R = 3 writes again, then error 0; later time-outs only count.
      {"TCP", false, 2, {0, 0, 0, 0}},
      {"USB waits four more time-outs", true, 2, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CountingOwner owner;
    std::unique_ptr<LStreamTransport> t;
    if (c.usb)
      t = std::make_unique<LUsb>(&owner);
    else
      t = std::make_unique<LNet>(&owner);
    ASSERT_TRUE(t->Open());
    t->SetTimeout(15);
    t->SetRetries(3);
    const BSTM frame = BuildFrame(CM_MCS_CMD(9, 16), 1);
    auto start = std::chrono::steady_clock::now();
    t->Send(frame);
    while (owner.ErrorsPosted() < c.errorsToWaitFor && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    t->Close();
    EXPECT_EQ(owner.Writes, c.wantWrites);
    ASSERT_GE(owner.ErrorsPosted(), 2);
    for (auto& fn : owner.Posted) fn();
    EXPECT_EQ(owner.Errors[0], 0);
  }
}

TEST(LTransport, ErrorPeriodCountsTimeoutsWithoutWriting) {
  // With T fixed, the USB worker needs R + 5 time-outs per error and TCP R + 1: so in the
  // same number of time-outs TCP reports about (R + 5) / (R + 1) times as many errors.
  CountingOwner net, usb;
  LNet n(&net);
  LUsb u(&usb);
  ASSERT_TRUE(n.Open());
  ASSERT_TRUE(u.Open());
  for (LStreamTransport* t : {static_cast<LStreamTransport*>(&n), static_cast<LStreamTransport*>(&u)}) {
    t->SetTimeout(5);
    t->SetRetries(1);
    t->Send(BuildFrame(CM_MCS_CMD(1, 16), 1));
  }
  while (net.ErrorsPosted() < 6) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  n.Close();
  u.Close();
  EXPECT_EQ(net.Writes.size(), 2u);  // the frame and one retry; nothing after error 0
  EXPECT_EQ(usb.Writes.size(), 2u);
  EXPECT_LT(usb.ErrorsPosted(), net.ErrorsPosted());
}

TEST(LTransport, SendAndReceiveOnAClosedTransportDoNothing) {
  CountingOwner owner;
  LNet t(&owner);
  t.Send(BuildFrame(CM_MCS_CMD(1, 16), 1));
  t.Receive(nullptr, 0);
  EXPECT_FALSE(t.IsOpen());
  ASSERT_TRUE(t.Open());
  EXPECT_FALSE(t.Open());
  t.Close();
  PumpUntil([&] { return !t.IsOpen(); }, 1000);
  EXPECT_TRUE(owner.Writes.empty());
}

TEST(LComm, RefusesRatesOutsideTheRangeAndPortsThatFail) {
  CountingOwner owner;
  LComm c(&owner);
  EXPECT_FALSE(c.Open("/dev/null-no-such-port", 115200, 8, platform::Parity::None, 1));
  EXPECT_FALSE(c.Open("/dev/null", 300, 8, platform::Parity::None, 1));
  EXPECT_FALSE(c.Open("/dev/null", 230400, 8, platform::Parity::None, 1));
  EXPECT_FALSE(c.IsOpen());
}

class PtyLink : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    ASSERT_TRUE(Device.StartPty());
    Rec.Attach(Core);
    ASSERT_TRUE(Core.OpenComTransport(Device.PtyPath()));
    Core.SetLinkTimeout(2000);
    Core.SetLinkRetries(3);
  }
  void TearDown() override {
    Core.CloseAllTransports();
    Device.Stop();
  }
  QCoreApplication& App = TestApp();  // before the core: its notifiers need the application
  TestDevice Device;
  LLinkCore Core;
  LinkRecorder Rec;
};

TEST_F(PtyLink, AllByteValuesPassBothWays) {
  std::vector<uint8_t> all(256);
  std::iota(all.begin(), all.end(), 0);
  for (int at = 0; at < 256; at += 64)
    Core.SendCommand(CM_MCS_WRITE_EEPROM(1, at, 64, all.data() + at), true);
  for (int at = 0; at < 256; at += 64) Core.SendCommand(CM_MCS_READ_EEPROM(1, at, 64), true);
  ASSERT_TRUE(PumpUntil([&] { return Rec.Frames.size() == 8; }));
  std::vector<uint8_t> back;
  for (size_t i = 4; i < 8; ++i) {
    LCmd r(Rec.Frames[i], 1);
    EXPECT_EQ(r.GetCode(), 25);
    back.insert(back.end(), r.GetPayload().begin(), r.GetPayload().end());
  }
  EXPECT_EQ(back, all);
  Device.WithState([&](auto& s) {
    EXPECT_TRUE(std::equal(all.begin(), all.end(), s.Store.begin()));
    return 0;
  });
}

TEST_F(PtyLink, ClosingTheMasterIsALostLink) {
  Core.SendCommand(CM_MCS_CMD(1, 16), true);
  ASSERT_TRUE(PumpUntil([&] { return Rec.Frames.size() == 1; }));
  Device.Stop();
  ASSERT_TRUE(PumpUntil([&] { return !Rec.Lost.empty(); }));
  EXPECT_EQ(Rec.Lost[0].first, 6);
}

TEST_F(PtyLink, TrafficLogHasComLines) {
  Core.SetLogVisible(true);
  Core.SendCommand(CM_MCS_CMD(1, 16), true);
  ASSERT_TRUE(PumpUntil([&] { return Rec.Log.size() >= 2; }));
  EXPECT_EQ(Rec.Log[0], "COM W 10 02 00 01 01 10 10 03 11 ");
  EXPECT_EQ(Rec.Log[1].rfind("COM R 10 02 01 ", 0), 0u);
}

}  // namespace
