// Transports against the test device over loopback TCP and a pty, and the worker timing
// against a silent owner.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <numeric>
#include <thread>

#include "FrameReader.h"
#include "TestDevice.h"
#include "link/LLinkCore.h"
#include "runtime/Timer.h"
#include "support/TestApp.h"

using morvex_device::DeviceFaults;
using morvex_device::TestDevice;
using testapp::EnsureCoreApp;
using testapp::PumpFor;
using testapp::PumpUntil;
using testapp::SleepUntil;

namespace
{

struct LinkRecorder {
    std::vector<BSTM> Frames;
    std::vector<std::pair<int, int>> Lost;
    std::vector<std::string> Log;
    void Attach(LLinkCore& core)
    {
        core.OnFrame = [this](const BSTM& f, uint32_t, uint8_t) { Frames.push_back(f); };
        core.OnLinkLost = [this](int code, int arg) { Lost.emplace_back(code, arg); };
        core.OnLogLine = [this](const std::string& l) { Log.push_back(l); };
    }
};

class TcpLink : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureCoreApp();
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
    void TearDown() override
    {
        Core.CloseAllTransports();
        Device.Stop();
    }

    bool Request(uint8_t code, size_t frames = 1)
    {
        Core.SendCommand(CM_MCS_CMD(static_cast<uint8_t>(Core.GetDeviceId()), code), true);
        return PumpUntil([&] { return Rec.Frames.size() >= frames; });
    }

    QCoreApplication& App = EnsureCoreApp(); // before the core: its notifiers need the application
    TestDevice Device;
    LLinkCore Core;
    LinkRecorder Rec;
};

TEST_F(TcpLink, RepliesSplitIntoPiecesOfEverySizeComplete)
{
    for (int chunk = 1; chunk <= 12; ++chunk) {
        SCOPED_TRACE(chunk);
        DeviceFaults f;
        f.ChunkSize = chunk;
        f.ChunkPauseMs = 2;
        Device.SetFaults(f);
        Rec.Frames.clear();
        ASSERT_TRUE(Request(19));
        LCmd reply(Rec.Frames[0]);
        EXPECT_EQ(reply.GetCode(), 19);
        EXPECT_EQ(reply.GetId(), 1);
    }
}

TEST_F(TcpLink, EachReplyLetsTheNextQueuedFrameOutInOrder)
{
    for (int code : {16, 19, 44, 20})
        Core.SendCommand(CM_MCS_CMD(1, code), true);
    ASSERT_TRUE(PumpUntil([&] { return Rec.Frames.size() == 4; }));
    std::vector<int> codes;
    for (const BSTM& f : Rec.Frames)
        codes.push_back(LCmd(f).GetCode());
    EXPECT_EQ(codes, (std::vector<int>{16, 19, 44, 20}));
    EXPECT_EQ(Device.ReceivedCodes(), (std::vector<uint8_t>{16, 19, 44, 20}));
}

TEST_F(TcpLink, ReplyFromAnotherIdAndGarbageBeforeAFrame)
{
    DeviceFaults f;
    f.ReplyId = 7;
    f.Garbage = {0x55, 0x10, 0x99, 0x10, 0x02, 0x00, 0x07, 0x00};
    Device.SetFaults(f);
    ASSERT_TRUE(Request(16));
    EXPECT_EQ(LCmd(Rec.Frames[0]).GetId(), 7);
    EXPECT_EQ(LCmd(Rec.Frames[0]).GetCode(), 16);
}

TEST_F(TcpLink, SilenceWritesOncePlusRetriesThenReportsErrorZero)
{
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

TEST_F(TcpLink, TrafficLogListsWrittenAndReadFramesWhileVisible)
{
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

TEST_F(TcpLink, AHandlerQueuingTheNextCommandSendsItNext)
{
    Core.OnFrame = [&](const BSTM& f, uint32_t, uint8_t) {
        Rec.Frames.push_back(f);
        if (Rec.Frames.size() == 1)
            Core.SendCommand(CM_MCS_CMD(1, 19), false);
    };
    ASSERT_TRUE(Request(16, 2));
    EXPECT_EQ(LCmd(Rec.Frames[1]).GetCode(), 19);
}

TEST_F(TcpLink, ClosingInsideTheHandOverNeitherBlocksNorCrashes)
{
    Core.OnFrame = [&](const BSTM& f, uint32_t, uint8_t) {
        Rec.Frames.push_back(f);
        Core.CloseTransport(); // the worker waits in this very hand-over
    };
    ASSERT_TRUE(Request(16));
    EXPECT_EQ(Core.Net(), nullptr);
}

TEST_F(TcpLink, IdlePollSendsCode18AndRaisesTheTimeout)
{
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

TEST_F(TcpLink, SuppressedPollSendsNothing)
{
    Core.SuspendLinkPoll(true);
    Core.Net()->SetPollInterval(20);
    PumpFor(120);
    EXPECT_TRUE(Device.ReceivedCodes().empty());
    Core.SuspendLinkPoll(false); // the next tick polls and the time-out becomes 5000 ms
    ASSERT_TRUE(PumpUntil([&] { return !Device.ReceivedCodes().empty(); }));
    EXPECT_EQ(Device.ReceivedCodes()[0], 18);
    EXPECT_EQ(Core.Net()->Timeout(), 5000);
}

// A one-shot peer on 127.0.0.1: after the first request it writes the given bytes in one send.
class OneSegmentPeer
{
  public:
    explicit OneSegmentPeer(BSTM bytes) : FBytes(std::move(bytes))
    {
        FListen.Reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof sa;
        if (::bind(FListen.Get(), reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 ||
            ::listen(FListen.Get(), 1) != 0 ||
            ::getsockname(FListen.Get(), reinterpret_cast<sockaddr*>(&sa), &len) != 0)
            return;
        Port = ntohs(sa.sin_port);
        FThread = std::thread([this] {
            platform::UniqueFd c(::accept(FListen.Get(), nullptr, nullptr));
            uint8_t buf[64];
            if (!c.Valid() || ::recv(c.Get(), buf, sizeof buf, 0) <= 0)
                return;
            Sent = ::send(c.Get(), FBytes.data(), FBytes.size(), MSG_NOSIGNAL) ==
                   static_cast<ssize_t>(FBytes.size());
            ssize_t n = ::recv(c.Get(), buf, sizeof buf, 0); // holds the link until the editor closes it
            std::lock_guard g(FLock);
            if (n > 0)
                FAgain.assign(buf, buf + n);
        });
    }
    ~OneSegmentPeer()
    {
        if (FThread.joinable())
            FThread.join();
    }
    // Bytes the editor wrote after the peer's answer.
    BSTM Again()
    {
        std::lock_guard g(FLock);
        return FAgain;
    }
    uint16_t Port = 0;
    std::atomic<bool> Sent{false};

  private:
    BSTM FBytes;
    std::mutex FLock;
    BSTM FAgain;
    platform::UniqueFd FListen;
    std::thread FThread;
};

TEST(LinkCore, AReadWithoutTcpTransportWritesTheLastFrameAgain)
{
    EnsureCoreApp();
    OneSegmentPeer peer({0x10, 0x02, 0x01});
    ASSERT_NE(peer.Port, 0);
    const BSTM frame = BuildFrame(CM_MCS_CMD(1, 16));
    {
        LLinkCore core;
        core.ClientSocket.Address = "127.0.0.1";
        core.ClientSocket.Port = peer.Port;
        core.ClientSocket.SetActive(true);
        ASSERT_TRUE(PumpUntil([&] { return core.ClientSocket.Connected(); }));
        core.NetWrite(frame.data(), static_cast<int>(frame.size()));
        ASSERT_TRUE(PumpUntil([&] { return !peer.Again().empty(); }));
        EXPECT_EQ(peer.Again(), frame);
        core.ClientSocket.SetActive(false);
    }
}

TEST(LinkCore, AHidReportIsReadNoFurtherThanItsEndOrItsFrame)
{
    EnsureCoreApp();
    struct Case {
        const char* name;
        BSTM report;
        const char* line;
        size_t frames;
    } cases[] = {
        {"length byte beyond the report",
         {0x10, 0x02, 0x01, 0x00, 0x3C, 0x10},
         "USB R 00  10 02 01 00 3C 10 ",
         0},
        {"padding after the frame",
         {0x10, 0x02, 0x01, 0x00, 0x01, 0x10, 0x10, 0x03, 0x01, 0x00, 0x00},
         "USB R 00  10 02 01 00 01 10 10 03 01 ",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LLinkCore core;
        LinkRecorder rec;
        rec.Attach(core);
        core.SetLogVisible(true);
        ASSERT_TRUE(core.OpenUsbTransport());
        core.HidCtlDeviceData(nullptr, 0, c.report.data(), static_cast<uint16_t>(c.report.size()));
        ASSERT_TRUE(PumpUntil([&] { return !rec.Log.empty() && rec.Frames.size() >= c.frames; }));
        PumpFor(20);
        EXPECT_EQ(rec.Log, std::vector<std::string>{c.line});
        EXPECT_EQ(rec.Frames.size(), c.frames);
        core.CloseAllTransports();
    }
}

TEST(LinkCore, TwoRepliesInOneTcpSegmentAreHandedOverInOrder)
{
    EnsureCoreApp();
    CM_MCS_CMD ack(1, 1);
    ack.GetPayload() = {0};
    BSTM both = BuildFrame(CM_MCS_CMD(1, 16));
    BSTM second = BuildFrame(ack);
    both.insert(both.end(), second.begin(), second.end());
    OneSegmentPeer peer(both);
    ASSERT_NE(peer.Port, 0);
    {
        LLinkCore core;
        LinkRecorder rec;
        rec.Attach(core);
        core.ClientSocket.Address = "127.0.0.1";
        core.ClientSocket.Port = peer.Port;
        core.ClientSocket.SetActive(true);
        ASSERT_TRUE(PumpUntil([&] { return core.ClientSocket.Connected(); }));
        ASSERT_TRUE(core.OpenNetTransport());
        core.SetLinkTimeout(2000);
        core.SendCommand(CM_MCS_CMD(1, 16), true);
        ASSERT_TRUE(PumpUntil([&] { return rec.Frames.size() == 2; }));
        EXPECT_TRUE(peer.Sent);
        EXPECT_EQ(LCmd(rec.Frames[0]).GetCode(), 16);
        EXPECT_EQ(LCmd(rec.Frames[1]).GetCode(), 1);
        core.CloseAllTransports();
        core.ClientSocket.SetActive(false);
    }
}

TEST(LinkCore, SendPathWithoutTransportAndStaleNotices)
{
    EnsureCoreApp();
    LLinkCore core;
    LinkRecorder rec;
    rec.Attach(core);
    std::string label;
    core.OnDeviceIdText = [&](const std::string& s) { label = s; };
    EXPECT_FALSE(core.SendCommand(CM_MCS_CMD(1, 16), true));
    // One id range with the setup dialog: 1..250.
    for (int id : {0, 251, 254, 255}) {
        core.SetDeviceId(id);
        EXPECT_EQ(core.GetDeviceId(), 1) << id;
    }
    EXPECT_EQ(label, "");
    core.SetDeviceId(250);
    EXPECT_EQ(label, "ID : 250");
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

// Opens a TCP link of the core to a device on the loopback port.
bool OpenTcp(LLinkCore& core, uint16_t port)
{
    core.ClientSocket.Address = "127.0.0.1";
    core.ClientSocket.Port = port;
    core.ClientSocket.SetActive(true);
    if (!PumpUntil([&] { return core.ClientSocket.Connected(); }))
        return false;
    if (!core.OpenNetTransport())
        return false;
    core.SetLinkTimeout(2000);
    core.SetLinkRetries(3);
    return true;
}

// Sends one command and waits for its reply; true when the reply carries that code.
bool RoundTrip(LLinkCore& core, LinkRecorder& rec, uint8_t code)
{
    size_t before = rec.Frames.size();
    if (!core.SendCommand(CM_MCS_CMD(1, code), true))
        return false;
    return PumpUntil([&] { return rec.Frames.size() > before; }) && LCmd(rec.Frames.back()).GetCode() == code;
}

// A port on 127.0.0.1 where nothing listens.
uint16_t ClosedPort()
{
    platform::UniqueFd s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sa;
    if (::bind(s.Get(), reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 ||
        ::getsockname(s.Get(), reinterpret_cast<sockaddr*>(&sa), &len) != 0)
        return 0;
    return ntohs(sa.sin_port);
}

// Whatever ends a TCP link, the socket is inactive afterwards, and the next link reaches
// another device on another port and carries a round trip there.
TEST(LinkCore, AfterEveryCloseASecondTcpLinkReachesAnotherDevice)
{
    enum class End { CloseTransport, CloseAll, PeerDrops, Refused };
    struct Case {
        const char* name;
        End end;
    } cases[] = {
        {"CloseTransport", End::CloseTransport},
        {"CloseAllTransports", End::CloseAll},
        {"the device drops the link", End::PeerDrops},
        {"a refused connect", End::Refused},
    };
    EnsureCoreApp();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDevice first, second;
        ASSERT_TRUE(first.StartTcp(0));
        ASSERT_TRUE(second.StartTcp(0));
        ASSERT_NE(first.Port(), second.Port());
        LLinkCore core;
        LinkRecorder rec;
        rec.Attach(core);
        switch (c.end) {
        case End::CloseTransport:
        case End::CloseAll:
            ASSERT_TRUE(OpenTcp(core, first.Port()));
            ASSERT_TRUE(RoundTrip(core, rec, 16));
            if (c.end == End::CloseTransport)
                core.CloseTransport();
            else
                core.CloseAllTransports();
            break;
        case End::PeerDrops: {
            DeviceFaults f;
            f.DropAfter = 1;
            first.SetFaults(f);
            ASSERT_TRUE(OpenTcp(core, first.Port()));
            ASSERT_TRUE(RoundTrip(core, rec, 16));
            ASSERT_TRUE(PumpUntil([&] { return !rec.Lost.empty(); }));
            break;
        }
        case End::Refused:
            core.ClientSocket.Address = "127.0.0.1";
            core.ClientSocket.Port = ClosedPort();
            core.ClientSocket.SetActive(true);
            ASSERT_TRUE(PumpUntil([&] { return !core.ClientSocket.Active(); }));
            break;
        }
        EXPECT_FALSE(core.ClientSocket.Active());
        EXPECT_FALSE(core.ClientSocket.Connected());

        rec.Lost.clear();
        ASSERT_TRUE(OpenTcp(core, second.Port()));
        EXPECT_EQ(core.ClientSocket.RemoteAddress(), "127.0.0.1");
        ASSERT_TRUE(RoundTrip(core, rec, 19));
        EXPECT_EQ(second.ReceivedCodes(), (std::vector<uint8_t>{19}));
        EXPECT_TRUE(second.WaitForConnections(1, 10));
        std::vector<uint8_t> firstGot = first.ReceivedCodes();
        EXPECT_EQ(std::count(firstGot.begin(), firstGot.end(), 19), 0);
        EXPECT_TRUE(rec.Lost.empty());
        core.CloseAllTransports();
    }
}

// A device that drops the link: the loss is reported once its last reply is in, long before
// the reply time-outs (10 s here) could have counted it: TCP as error 0 with the pending
// frame's destination, the pty (its master closed) as error 6.
TEST(LinkCore, ADroppedLinkIsLostAtOnce)
{
    struct Case {
        const char* name;
        bool tcp;
        std::vector<uint8_t> sends; // handed over at once; the device answers the first, then drops
        int wantCode;
    } cases[] = {
        {"TCP, idle after the reply", true, {16}, 0},
        {"TCP, a request waiting behind it", true, {16, 19}, 0},
        {"pty, idle after the reply", false, {16}, 6},
        {"pty, a request waiting behind it", false, {16, 19}, 6},
    };
    EnsureCoreApp();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDevice device;
        DeviceFaults f;
        f.DropAfter = 1;
        device.SetFaults(f);
        LLinkCore core;
        LinkRecorder rec;
        rec.Attach(core);
        if (c.tcp) {
            ASSERT_TRUE(device.StartTcp(0));
            ASSERT_TRUE(OpenTcp(core, device.Port()));
        } else {
            ASSERT_TRUE(device.StartPty());
            ASSERT_TRUE(core.OpenComTransport(device.PtyPath()));
        }
        core.SetLinkTimeout(10000);
        core.SetLinkRetries(2);
        for (uint8_t code : c.sends)
            core.SendCommand(CM_MCS_CMD(1, code), true);
        ASSERT_TRUE(PumpUntil([&] { return !rec.Lost.empty(); }, 5000));
        EXPECT_EQ(rec.Lost[0], std::make_pair(c.wantCode, 1));
        EXPECT_EQ(core.OpenTransport()->Timeouts(), 0u);
        ASSERT_EQ(rec.Frames.size(), 1u); // the reply before the drop reached the owner first
        EXPECT_EQ(LCmd(rec.Frames[0]).GetCode(), 16);
        if (c.tcp) {
            EXPECT_FALSE(core.ClientSocket.Active());
        }
        PumpFor(50);
        EXPECT_EQ(rec.Lost.size(), 1u);
        core.CloseAllTransports();
    }
}

TEST(LinkCore, AStoreWriteTooLongForTheSendBufferIsRefused)
{
    EnsureCoreApp();
    LLinkCore core;
    ASSERT_TRUE(core.OpenUsbTransport());
    uint8_t data[127] = {};
    EXPECT_FALSE(core.SendCommand(CM_MCS_WRITE_EEPROM(1, 1, 127, data), true));
    EXPECT_FALSE(core.Usb()->Busy());
    EXPECT_TRUE(core.SendCommand(CM_MCS_WRITE_EEPROM(1, 1, 17, data), true));
}

// An owner that counts writes and errors; the worker timing tables use it.
class CountingOwner : public LLinkOwner
{
  public:
    void PostToUi(std::function<void()> fn) override
    {
        std::lock_guard g(Lock);
        Posted.push_back(std::move(fn));
    }
    void OnLinkFrame(const BSTM&, uint32_t, uint8_t) override {}
    void OnLinkError(int code, int, uint64_t) override { Errors.push_back(code); }
    void NetWrite(const uint8_t*, int) override { Writes.push_back(ErrorsPosted()); }
    void UsbWrite(const uint8_t*, int) override { Writes.push_back(ErrorsPosted()); }
    int ErrorsPosted()
    {
        std::lock_guard g(Lock);
        return static_cast<int>(Posted.size());
    }
    std::mutex Lock;
    std::vector<std::function<void()>> Posted;
    std::vector<int> Errors;
    std::vector<int> Writes; // number of errors posted before each write
};

TEST(LTransport, RetryAndErrorTimingPerTransport)
{
    struct Case {
        const char* name;
        bool usb;
        int errorsToWaitFor;
        std::vector<int> wantWrites; // errors posted before each write
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
        const BSTM frame = BuildFrame(CM_MCS_CMD(9, 16));
        t->Send(frame);
        SleepUntil([&] { return owner.ErrorsPosted() >= c.errorsToWaitFor; }, 5000);
        t->Close();
        EXPECT_EQ(owner.Writes, c.wantWrites);
        ASSERT_GE(owner.ErrorsPosted(), 2);
        for (auto& fn : owner.Posted)
            fn();
        EXPECT_EQ(owner.Errors[0], 0);
    }
}

TEST(LTransport, ErrorPeriodCountsTimeoutsWithoutWriting)
{
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
        t->Send(BuildFrame(CM_MCS_CMD(1, 16)));
    }
    ASSERT_TRUE(SleepUntil([&] { return net.ErrorsPosted() >= 6; }, 10000));
    n.Close();
    u.Close();
    EXPECT_EQ(net.Writes.size(), 2u); // the frame and one retry; nothing after error 0
    EXPECT_EQ(usb.Writes.size(), 2u);
    EXPECT_LT(usb.ErrorsPosted(), net.ErrorsPosted());
}

TEST(LTransport, SendAndReceiveOnAClosedTransportDoNothing)
{
    CountingOwner owner;
    LNet t(&owner);
    t.Send(BuildFrame(CM_MCS_CMD(1, 16)));
    t.Receive(nullptr, 0);
    EXPECT_FALSE(t.IsOpen());
    ASSERT_TRUE(t.Open());
    EXPECT_FALSE(t.Open());
    t.Close();
    PumpUntil([&] { return !t.IsOpen(); }, 1000);
    EXPECT_TRUE(owner.Writes.empty());
}

// Records each write and each lost-link notice with the number of time-outs counted
// before it, so the retry table is checked in time-outs, not in milliseconds.
template <class Base> class Probe : public Base
{
  public:
    using Base::Base;
    std::vector<std::string> Events()
    {
        std::lock_guard g(FEventLock);
        return FEvents;
    }
    size_t Errors()
    {
        std::lock_guard g(FEventLock);
        return FErrors;
    }

  protected:
    void WriteOut(const uint8_t*, int) override { Add("W" + std::to_string(this->Timeouts())); }
    void OnError(int code, int) override
    {
        std::lock_guard g(FEventLock);
        ++FErrors;
        FEvents.push_back("E" + std::to_string(code) + "@" + std::to_string(this->Timeouts()));
    }

  private:
    void Add(std::string e)
    {
        std::lock_guard g(FEventLock);
        FEvents.push_back(std::move(e));
    }
    std::mutex FEventLock;
    std::vector<std::string> FEvents;
    size_t FErrors = 0;
};

// A pseudo-terminal made by the test; the serial transport opens its slave side.
struct TestPty {
    platform::UniqueFd Master;
    std::string Slave;
    TestPty()
    {
        Master.Reset(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
        if (Master.Valid() && ::grantpt(Master.Get()) == 0 && ::unlockpt(Master.Get()) == 0)
            Slave = ::ptsname(Master.Get());
    }
};

// Holds the worker in its first write until released, so later frames reach the send
// buffer before the worker waits again.
class GatedNet : public LNet
{
  public:
    using LNet::LNet;
    std::vector<uint8_t> Codes()
    {
        std::lock_guard g(FCodeLock);
        return FCodes;
    }
    std::promise<void> Entered;
    std::shared_future<void> Release;

  protected:
    void WriteOut(const uint8_t* bytes, int length) override
    {
        bool first;
        {
            std::lock_guard g(FCodeLock);
            FCodes.push_back(length > 5 ? bytes[5] : 0);
            first = FCodes.size() == 1;
        }
        if (first) {
            Entered.set_value();
            Release.wait();
        }
    }

  private:
    std::mutex FCodeLock;
    std::vector<uint8_t> FCodes;
};

TEST(LTransport, FramesHandedOverBeforeTheWorkerWakesKeepOnlyTheLast)
{
    CountingOwner owner;
    GatedNet t(&owner);
    std::promise<void> release;
    t.Release = release.get_future().share();
    auto entered = t.Entered.get_future();
    bool released = false;
    auto releaseOnce = [&] {
        if (!released)
            release.set_value();
        released = true;
    };
    std::unique_ptr<void, std::function<void(void*)>> guard(
        &t, [&](void*) { releaseOnce(); }); // never leaves the worker held
    t.SetTimeout(60000);                    // no write again during the test
    ASSERT_TRUE(t.Open());
    t.Send(BuildFrame(CM_MCS_CMD(1, 16)));
    ASSERT_EQ(entered.wait_for(std::chrono::seconds(3)), std::future_status::ready);
    t.Send(BuildFrame(CM_MCS_CMD(1, 19)));
    t.Send(BuildFrame(CM_MCS_CMD(1, 20))); // overwrites 19 in the send buffer
    releaseOnce();
    SleepUntil([&] { return t.Codes().size() >= 2; }, 3000);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(t.Codes(), (std::vector<uint8_t>{16, 20}));
    t.Close();
}

TEST(LTransport, RetryTableInTimeouts)
{
    struct Case {
        const char* name;
        enum { Net, Usb, Com } kind;
        int grace;
        std::vector<std::string> want; // the first events, by time-outs counted before each
    } cases[] = {
        // R = 3: the frame, three writes again, error 0 at the next time-out; afterwards
        // only counting, error 0 again every R + 1 time-outs.
        {"TCP", Case::Net, 0, {"W0", "W1", "W2", "W3", "E0@4", "E0@8"}},
        // USB waits four more time-outs: every R + 5.
        {"USB", Case::Usb, 0, {"W0", "W1", "W2", "W3", "E0@8", "E0@16"}},
        {"RS-232", Case::Com, 0, {"W0", "W1", "W2", "W3", "E0@4", "E0@8"}},
        // A grace time-out writes again without counting a retry: the error comes one later.
        {"RS-232 with one grace resend", Case::Com, 1, {"W0", "W1", "W2", "W3", "W4", "E0@5", "E0@9"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingOwner owner;
        TestPty pty;
        std::unique_ptr<LTransport> t;
        std::function<std::vector<std::string>()> events;
        std::function<size_t()> errors;
        if (c.kind == Case::Com) {
            ASSERT_FALSE(pty.Slave.empty());
            auto p = std::make_unique<Probe<LComm>>(&owner);
            ASSERT_TRUE(p->Open(pty.Slave, 115200, 8, platform::Parity::None, 1)) << p->Error();
            p->SetGraceResends(c.grace);
            events = [q = p.get()] { return q->Events(); };
            errors = [q = p.get()] { return q->Errors(); };
            t = std::move(p);
        } else {
            std::unique_ptr<Probe<LNet>> pn;
            std::unique_ptr<Probe<LUsb>> pu;
            LStreamTransport* st;
            if (c.kind == Case::Net) {
                pn = std::make_unique<Probe<LNet>>(&owner);
                events = [q = pn.get()] { return q->Events(); };
                errors = [q = pn.get()] { return q->Errors(); };
                st = pn.get();
                t = std::move(pn);
            } else {
                pu = std::make_unique<Probe<LUsb>>(&owner);
                events = [q = pu.get()] { return q->Events(); };
                errors = [q = pu.get()] { return q->Errors(); };
                st = pu.get();
                t = std::move(pu);
            }
            ASSERT_TRUE(st->Open());
        }
        t->SetRetries(3);
        t->Send(BuildFrame(CM_MCS_CMD(9, 16)));
        t->SetTimeout(3);
        SleepUntil([&] { return errors() >= 2; }, 10000);
        t->Close();
        std::vector<std::string> got = events();
        ASSERT_GE(got.size(), c.want.size());
        got.resize(c.want.size());
        EXPECT_EQ(got, c.want);
    }
}

// An owner that holds every hand-over instead of running it: the worker is then known to
// wait in its hand-over when the test closes the transport.
class HoldingOwner : public LLinkOwner
{
  public:
    void PostToUi(std::function<void()> fn) override
    {
        std::lock_guard g(Lock);
        Held.push_back(std::move(fn));
    }
    void OnLinkFrame(const BSTM&, uint32_t, uint8_t) override { ++Frames; }
    void OnLinkError(int code, int, uint64_t) override { Errors.push_back(code); }
    void NetWrite(const uint8_t*, int) override { ++Writes; }
    size_t HeldCount()
    {
        std::lock_guard g(Lock);
        return Held.size();
    }
    std::mutex Lock;
    std::vector<std::function<void()>> Held;
    std::atomic<int> Frames{0}, Writes{0};
    std::vector<int> Errors;
};

TEST(LNetProc, ClosingWhileAHandOverIsPendingAbandonsIt)
{
    EnsureCoreApp();
    HoldingOwner owner;
    auto t = std::make_unique<LNetProc>(&owner, 1);
    ASSERT_TRUE(t->Open());
    t->QueueFrame(BuildFrame(CM_MCS_CMD(1, 16)), true);
    t->QueueFrame(BuildFrame(CM_MCS_CMD(1, 19)), true); // waits behind the first
    const BSTM reply = BuildFrame(CM_MCS_CMD(1, 16));
    t->Receive(reply.data(), static_cast<int>(reply.size()));
    SleepUntil([&] { return owner.HeldCount() != 0; }, 10000);
    ASSERT_EQ(owner.HeldCount(), 1u); // the hand-over is pending now
    t->Close();                       // returns: the pending hand-over is abandoned
    EXPECT_FALSE(t->IsOpen());
    EXPECT_EQ(owner.HeldCount(), 1u); // no error 5: the worker ended in time
    t.reset();
    for (auto& fn : owner.Held)
        fn(); // runs after the transport is gone
    EXPECT_EQ(owner.Frames, 0);
    EXPECT_EQ(owner.Writes, 1); // the queued frame never went out
}

// An owner that runs every hand-over at once on the worker and records the frames written.
class InlineOwner : public LLinkOwner
{
  public:
    void PostToUi(std::function<void()> fn) override { fn(); }
    void OnLinkFrame(const BSTM&, uint32_t, uint8_t answered) override
    {
        {
            std::lock_guard g(Lock);
            AnsweredCodes.push_back(answered);
        }
        ++Frames;
    }
    void OnLinkError(int, int, uint64_t) override {}
    void NetWrite(const uint8_t* bytes, int length) override
    {
        std::lock_guard g(Lock);
        Written.emplace_back(bytes, bytes + length);
    }
    std::vector<BSTM> Writes()
    {
        std::lock_guard g(Lock);
        return Written;
    }
    bool WaitForWrites(size_t n, int ms = 5000)
    {
        return SleepUntil([&] { return Writes().size() >= n; }, ms);
    }
    void UsbWrite(const uint8_t* bytes, int length) override { NetWrite(bytes, length); }
    std::vector<uint8_t> Answered()
    {
        std::lock_guard g(Lock);
        return AnsweredCodes;
    }
    std::mutex Lock;
    std::vector<BSTM> Written;
    std::vector<uint8_t> AnsweredCodes; // the request each reply answered, 0 for none
    std::atomic<int> Frames{0};
};

// An owner whose hand-overs wait until the test thread, standing in for the UI thread, runs them.
class QueuedOwner : public LLinkOwner
{
  public:
    void PostToUi(std::function<void()> fn) override
    {
        std::lock_guard g(Lock);
        Posted.push_back(std::move(fn));
    }
    // Runs what was posted; false when nothing was.
    bool RunPosted()
    {
        std::vector<std::function<void()>> now;
        {
            std::lock_guard g(Lock);
            now.swap(Posted);
        }
        for (auto& fn : now)
            fn();
        return !now.empty();
    }
    void OnLinkFrame(const BSTM& frame, uint32_t, uint8_t) override { Frames.push_back(frame); }
    void OnLinkError(int code, int, uint64_t) override { Errors.push_back(code); }
    void OnReceiveRoom(uint64_t generation) override { RoomNotices.push_back(generation); }
    std::mutex Lock;
    std::vector<std::function<void()>> Posted;
    std::vector<BSTM> Frames;
    std::vector<int> Errors;
    std::vector<uint64_t> RoomNotices;
};

// A full receive backlog refuses what does not fit instead of dropping it, and tells the owner
// when the worker has made room: a reader that waits for that loses no byte, and the frames come
// out whole and in order, over a byte stream and over HID reports.
TEST(LStreamTransport, AFullBacklogRefusesBytesAndAsksForThemAgainLater)
{
    EnsureCoreApp();
    // Level replies numbered in their payload: 400 of 47 bytes, more than four full backlogs.
    std::vector<BSTM> sent;
    for (int i = 0; i < 400; ++i) {
        BSTM payload;
        for (int k = 0; k < 38; ++k)
            payload.push_back(static_cast<uint8_t>(k < 2 ? (i >> (8 * k)) : i * 7 + k));
        sent.push_back(morvex_device::BuildReplyFrame(1, 64, payload));
    }
    for (const bool reports : {false, true}) {
        SCOPED_TRACE(reports ? "HID reports" : "byte stream");
        QueuedOwner owner;
        std::unique_ptr<LStreamTransport> t;
        if (reports)
            t = std::make_unique<LUsbProc>(&owner, 1);
        else
            t = std::make_unique<LNetProc>(&owner, 1);
        ASSERT_TRUE(t->Open());
        t->SetTimeout(60000);

        BSTM stream;
        for (const BSTM& f : sent)
            stream.insert(stream.end(), f.begin(), f.end());
        size_t at = 0;    // stream bytes taken by the transport
        size_t frame = 0; // reports taken
        auto offer = [&] {
            if (reports) {
                if (!t->ReceiveReport(sent[frame].data(), static_cast<int>(sent[frame].size())))
                    return false;
                at += sent[frame++].size();
                return true;
            }
            const int ask = static_cast<int>(std::min<size_t>(1000, stream.size() - at));
            const int took = t->Receive(stream.data() + at, ask);
            EXPECT_GE(took, 0);
            EXPECT_LE(took, ask);
            at += static_cast<size_t>(took);
            return took == ask;
        };

        // Nothing runs on the "UI thread" yet: the worker waits in its first hand-over, and the
        // backlog fills up and refuses the rest without a notice.
        while (at < stream.size() && offer()) {
        }
        ASSERT_LT(at, stream.size());
        EXPECT_EQ(t->ReceiveBacklog() + t->ReceiveRoom(), LStreamTransport::kMaxReceiveBacklog);
        EXPECT_LT(t->ReceiveRoom(), reports ? sent[0].size() : 1u);
        EXPECT_TRUE(owner.RoomNotices.empty());

        // The reader waits for each notice, then offers what was refused again.
        int refusals = 1;
        bool waiting = true;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while ((at < stream.size() || owner.Frames.size() < sent.size()) &&
               std::chrono::steady_clock::now() < deadline) {
            const size_t notices = owner.RoomNotices.size();
            const bool ran = owner.RunPosted();
            if (owner.RoomNotices.size() != notices) {
                EXPECT_EQ(owner.RoomNotices.back(), t->Generation());
                waiting = false;
            }
            while (!waiting && at < stream.size()) {
                if (!offer()) {
                    ++refusals;
                    waiting = true;
                }
            }
            EXPECT_LE(t->ReceiveBacklog(), LStreamTransport::kMaxReceiveBacklog);
            if (!ran)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_EQ(at, stream.size());
        EXPECT_GT(refusals, 1);
        ASSERT_EQ(owner.Frames.size(), sent.size());
        for (size_t i = 0; i < sent.size(); ++i)
            ASSERT_EQ(owner.Frames[i], sent[i]) << "frame " << i;
        EXPECT_TRUE(owner.Errors.empty());
        t->Close();
    }
}

// Two replies in one read (the device answered a frame written twice): the second one must
// not hand over the frame after the next before the next was ever written.
TEST(LNetProc, TwoRepliesInOneReadNeverSkipAQueuedFrame)
{
    EnsureCoreApp();
    InlineOwner owner;
    LNetProc t(&owner, 1);
    ASSERT_TRUE(t.Open());
    t.SetTimeout(60000); // no write again during the test
    std::vector<BSTM> gains;
    for (int ch = 0; ch < 9; ++ch)
        gains.push_back(BuildFrame(CM_MCS_GAIN(1, ch, 100 + ch)));
    t.QueueFrame(gains[0], false);
    ASSERT_TRUE(owner.WaitForWrites(1));
    for (size_t i = 1; i < gains.size(); ++i)
        t.QueueFrame(gains[i], false);
    CM_MCS_CMD ackCmd(1, 1);
    const BSTM ack = BuildFrame(ackCmd);
    BSTM twice = ack;
    twice.insert(twice.end(), ack.begin(), ack.end());
    t.Receive(twice.data(), static_cast<int>(twice.size()));
    for (size_t i = 2; i <= gains.size(); ++i) {
        owner.WaitForWrites(i, 1000); // the device answers each frame once it is written
        t.Receive(ack.data(), static_cast<int>(ack.size()));
    }
    owner.WaitForWrites(gains.size(), 1000);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(owner.Writes(), gains);
    EXPECT_FALSE(t.Busy()); // the last reply emptied the queue; the spare one let nothing out
    EXPECT_EQ(owner.Frames, static_cast<int>(gains.size()) + 1); // every reply reached the owner

    // A reply while nothing is outstanding reaches the owner and changes nothing in the queue.
    t.Receive(ack.data(), static_cast<int>(ack.size()));
    // The owner hears of a reply before the worker marks the queue idle.
    SleepUntil([&] { return owner.Frames >= static_cast<int>(gains.size()) + 2 && !t.Busy(); }, 5000);
    EXPECT_EQ(owner.Frames, static_cast<int>(gains.size()) + 2);
    EXPECT_FALSE(t.Busy());
    // Every reply but the spare one and the one while idle answered a gain request.
    std::vector<uint8_t> answered(gains.size() + 2, CM_MCS_GAIN::Code);
    answered[1] = 0;
    answered.back() = 0;
    EXPECT_EQ(owner.Answered(), answered);
    const BSTM next = BuildFrame(CM_MCS_GAIN(1, 0, 1));
    t.QueueFrame(next, false); // idle: written at once
    ASSERT_TRUE(owner.WaitForWrites(gains.size() + 1));
    EXPECT_EQ(owner.Writes().back(), next);
    t.Close();
}

// A HID report is one whole frame: a frame that announced more than its report held is dropped at the
// next report, which is read as a frame of its own (on a byte stream it would swallow the next reply).
TEST(LUsbProc, EachReportStartsANewFrame)
{
    EnsureCoreApp();
    InlineOwner owner;
    LUsbProc t(&owner, 1);
    ASSERT_TRUE(t.Open());
    t.SetTimeout(60000);
    t.QueueFrame(BuildFrame(CM_MCS_CMD(1, 19)), true);
    ASSERT_TRUE(owner.WaitForWrites(1));
    BSTM longAck = {0x10, 0x02, 0x01, 0x00, 120, 0x01}; // announces 128 bytes, the report holds 64
    longAck.resize(64, 0x5A);
    const BSTM ack = BuildFrame(CM_MCS_CMD(1, 1));
    t.ReceiveReport(longAck.data(), static_cast<int>(longAck.size()));
    t.ReceiveReport(ack.data(), static_cast<int>(ack.size()));
    SleepUntil([&] { return owner.Frames >= 1 && !t.Busy(); }, 5000);
    EXPECT_EQ(owner.Frames, 1);
    EXPECT_EQ(owner.Answered(), (std::vector<uint8_t>{19}));
    EXPECT_FALSE(t.Busy());
    t.Close();
}

// The idle poll runs on the timer service: on the fake clock it comes a full interval after the
// latest frame, only while nothing is outstanding, and never while suppressed.
TEST(LNetProc, IdlePollOnTheFakeClock)
{
    EnsureCoreApp();
    fw::FakeTimerScope clock;
    InlineOwner owner;
    LNetProc t(&owner, 1);
    ASSERT_TRUE(t.Open());
    t.SetTimeout(60000);
    const BSTM poll = BuildFrame(CM_MCS_CMD(1, proto::kIdle));
    const BSTM ack = BuildFrame(CM_MCS_CMD(1, proto::kReplyAck));
    auto answer = [&](size_t writes) {
        ASSERT_TRUE(owner.WaitForWrites(writes));
        t.Receive(ack.data(), static_cast<int>(ack.size()));
        SleepUntil([&] { return !t.Busy(); }, 5000);
    };

    clock.Fake.Advance(1999);
    EXPECT_TRUE(owner.Writes().empty());
    clock.Fake.Advance(1);
    answer(1);
    EXPECT_EQ(owner.Writes()[0], poll);
    EXPECT_EQ(t.Timeout(), 5000);

    const BSTM gain = BuildFrame(CM_MCS_GAIN(1, 0, 5));
    clock.Fake.Advance(1500);
    t.QueueFrame(gain, false); // restarts the interval
    clock.Fake.Advance(1500);
    EXPECT_TRUE(t.Busy()); // outstanding: no poll, even when the interval is due
    answer(2);
    clock.Fake.Advance(499);
    EXPECT_EQ(owner.Writes().size(), 2u);
    clock.Fake.Advance(1);
    answer(3);
    EXPECT_EQ(owner.Writes()[2], poll);

    t.SetPollSuppressed(true);
    clock.Fake.Advance(10000);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(owner.Writes().size(), 3u);
    t.Close();
}

TEST(LNetProc, QueueFrameOnAClosedTransportDropsTheFrame)
{
    EnsureCoreApp();
    CountingOwner owner;
    LNetProc t(&owner, 1);
    t.QueueFrame(BuildFrame(CM_MCS_CMD(1, 16)), true);
    t.QueueFrame(BuildFrame(CM_MCS_GAIN(1, 3, 280)), false);
    EXPECT_FALSE(t.Busy());
    EXPECT_EQ(t.QueuedFrames(), 0u);
    ASSERT_TRUE(t.Open());
    const uint8_t none = 0;
    t.Receive(&none, 0); // feeds nothing
    PumpFor(50);
    EXPECT_FALSE(t.Busy());
    t.Close();
    ASSERT_TRUE(PumpUntil([&] { return !t.IsOpen(); }, 1000));
    EXPECT_TRUE(owner.Writes.empty());
}

TEST(LComm, RefusesRatesOutsideTheRangeAndPortsThatFail)
{
    CountingOwner owner;
    LComm c(&owner);
    EXPECT_FALSE(c.Open("/dev/null-no-such-port", 115200, 8, platform::Parity::None, 1));
    EXPECT_FALSE(c.Open("/dev/null", 300, 8, platform::Parity::None, 1));
    EXPECT_FALSE(c.Open("/dev/null", 230400, 8, platform::Parity::None, 1));
    EXPECT_FALSE(c.IsOpen());
}

class PtyLink : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureCoreApp();
        ASSERT_TRUE(Device.StartPty());
        Rec.Attach(Core);
        ASSERT_TRUE(Core.OpenComTransport(Device.PtyPath()));
        Core.SetLinkTimeout(2000);
        Core.SetLinkRetries(3);
    }
    void TearDown() override
    {
        Core.CloseAllTransports();
        Device.Stop();
    }
    QCoreApplication& App = EnsureCoreApp(); // before the core: its notifiers need the application
    TestDevice Device;
    LLinkCore Core;
    LinkRecorder Rec;
};

TEST_F(PtyLink, AllByteValuesPassBothWays)
{
    std::vector<uint8_t> all(256);
    std::iota(all.begin(), all.end(), 0);
    for (int at = 0; at < 256; at += 64)
        Core.SendCommand(CM_MCS_WRITE_EEPROM(1, at, 64, all.data() + at), true);
    for (int at = 0; at < 256; at += 64)
        Core.SendCommand(CM_MCS_READ_EEPROM(1, at, 64), true);
    ASSERT_TRUE(PumpUntil([&] { return Rec.Frames.size() == 8; }));
    std::vector<uint8_t> back;
    for (size_t i = 4; i < 8; ++i) {
        LCmd r(Rec.Frames[i]);
        EXPECT_EQ(r.GetCode(), 25);
        back.insert(back.end(), r.GetPayload().begin(), r.GetPayload().end());
    }
    EXPECT_EQ(back, all);
    Device.WithState([&](auto& s) {
        EXPECT_TRUE(std::equal(all.begin(), all.end(), s.Store.begin()));
        return 0;
    });
}

TEST_F(PtyLink, ClosingTheMasterIsALostLink)
{
    Core.SendCommand(CM_MCS_CMD(1, 16), true);
    ASSERT_TRUE(PumpUntil([&] { return Rec.Frames.size() == 1; }));
    Device.Stop();
    ASSERT_TRUE(PumpUntil([&] { return !Rec.Lost.empty(); }));
    EXPECT_EQ(Rec.Lost[0].first, 6);
}

TEST_F(PtyLink, IdlePollSetsTheSerialTimeout)
{
    Core.SetLinkTimeout(700);
    Core.Comm()->SetPollInterval(30);
    ASSERT_TRUE(PumpUntil([&] { return !Device.ReceivedCodes().empty(); }));
    EXPECT_EQ(Device.ReceivedCodes()[0], 18);
    EXPECT_EQ(Core.Comm()->Timeout(), 2000);
}

TEST_F(PtyLink, TrafficLogHasComLines)
{
    Core.SetLogVisible(true);
    Core.SendCommand(CM_MCS_CMD(1, 16), true);
    ASSERT_TRUE(PumpUntil([&] { return Rec.Log.size() >= 2; }));
    EXPECT_EQ(Rec.Log[0], "COM W 10 02 00 01 01 10 10 03 11 ");
    EXPECT_EQ(Rec.Log[1].rfind("COM R 10 02 01 ", 0), 0u);
}

} // namespace
