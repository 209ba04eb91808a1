#include "TestDevice.h"
#include "DeviceLinkHelpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>

#include <sys/socket.h>
#include <unistd.h>

namespace morvex_device
{
namespace
{

constexpr int kWaitMs = 5000;
constexpr int kReportLength = 65;

// A connect and an identity request, as the editor's handshake sends them.
void ExpectHandshake(TestLink& link, uint8_t id = 1)
{
    const LCmd connect(link.Request(CM_MCS_CMD(id, 16)));
    EXPECT_EQ(connect.GetCode(), 16);
    EXPECT_EQ(connect.GetId(), id);
    const LCmd identity(link.Request(CM_MCS_CMD(id, 19)));
    EXPECT_EQ(identity.GetCode(), 19);
    EXPECT_EQ(identity.GetId(), id);
    EXPECT_EQ(std::string(identity.GetPayload().begin(), identity.GetPayload().end()), "MORVEX V010");
}

TEST(TestDeviceLink, AnswersOverTcp)
{
    TestDevice device(3);
    std::string error;
    ASSERT_TRUE(device.StartTcp(0, &error)) << error;
    ASSERT_NE(device.Port(), 0);
    TestLink link;
    ASSERT_TRUE(link.ConnectTcp(device.Port()));
    ExpectHandshake(link, 3);
    EXPECT_EQ(device.ReceivedCodes(), (std::vector<uint8_t>{16, 19}));
    EXPECT_EQ(device.ReceivedFrames().front(), BuildFrame(CM_MCS_CMD(3, 16)));
    EXPECT_EQ(device.Connections(), 1);

    // A second link after the first closes is served as well.
    link.Close();
    ASSERT_TRUE(link.ConnectTcp(device.Port()));
    ExpectHandshake(link, 3);
    EXPECT_TRUE(device.WaitForConnections(2, kWaitMs));
}

TEST(TestDeviceLink, AnswersOverPty)
{
    TestDevice device;
    std::string error;
    ASSERT_TRUE(device.StartPty(&error)) << error;
    ASSERT_EQ(device.PtyPath().rfind("/dev/pts/", 0), 0u) << device.PtyPath();
    TestLink link;
    ASSERT_TRUE(link.OpenPty(device.PtyPath()));
    ExpectHandshake(link);
    // Bytes a terminal would translate pass unchanged: 0x03, 0x11, 0x13, 0x0A, 0x0D.
    const BSTM raw = link.Request(CM_MCS_GAIN(1, 0x0D, 0x1311));
    EXPECT_EQ(LCmd(raw).GetCode(), 1);
    EXPECT_EQ(device.ReceivedFrames().back(), BuildFrame(CM_MCS_GAIN(1, 0x0D, 0x1311)));
    // The editor may close and open the port again.
    link.Close();
    ASSERT_TRUE(link.OpenPty(device.PtyPath()));
    ExpectHandshake(link);
}

TEST(TestDeviceLink, AnswersHidReports)
{
    TestDevice device;
    std::string error;
    const int fd = device.StartHidPair(kReportLength, &error);
    ASSERT_GE(fd, 0) << error;
    TestLink link;
    link.AdoptHid(fd, kReportLength);
    ASSERT_TRUE(link.Send(BuildFrame(CM_MCS_CMD(1, 16))));
    const BSTM report = link.ReadOnce(kWaitMs);
    ASSERT_EQ(report.size(), static_cast<size_t>(kReportLength - 1)); // padded, id stripped
    EXPECT_EQ(LCmd(BSTM(report.begin(), report.begin() + 9)).GetCode(), 16);
    ExpectHandshake(link);
    // The longest reply, a block of 50 bytes, fits one report.
    const LCmd block(link.Request(CM_MCS_CMD(1, 39, 21)));
    EXPECT_EQ(block.GetCode(), 36);
    EXPECT_EQ(block.GetPayload().size(), 51u);
}

TEST(TestDeviceLink, StateIsSharedWithTheTest)
{
    TestDevice device;
    ASSERT_TRUE(device.StartTcp(0));
    TestLink link;
    ASSERT_TRUE(link.ConnectTcp(device.Port()));
    link.Request(CM_MCS_GAIN(1, 4, 123));
    EXPECT_EQ(device.Image().outputs[1].gain, 123);

    device.SetLock(true, "ABCD");
    EXPECT_EQ(LCmd(link.Request(CM_MCS_CMD(1, 44))).GetPayload()[5], 1);
    device.SetIdentity("MORVEX V011");
    EXPECT_EQ(LCmd(link.Request(CM_MCS_CMD(1, 19))).GetPayload()[10], '1');
    std::array<float, kLevelSlots> levels{};
    levels[4] = 1.0f;
    device.SetLevels(levels, 0);
    const LCmd level(link.Request(CM_MCS_CMD(1, 64)));
    ASSERT_EQ(level.GetPayload().size(), 38u);
    EXPECT_EQ(level.GetPayload()[13], 0x3F);
    EXPECT_EQ(device.WithState([](DeviceState& s) { return s.Locked; }), true);
}

struct FaultCase {
    const char* name;
    DeviceFaults faults;
};

TEST(TestDeviceFaults, SilenceAlwaysOrAfterN)
{
    TestDevice device;
    DeviceFaults faults;
    faults.SilentAfter = 0;
    device.SetFaults(faults);
    ASSERT_TRUE(device.StartTcp(0));
    TestLink link;
    ASSERT_TRUE(link.ConnectTcp(device.Port()));
    ASSERT_TRUE(link.Send(BuildFrame(CM_MCS_CMD(1, 16))));
    ASSERT_TRUE(device.WaitForFrames(1, kWaitMs));
    EXPECT_TRUE(link.ReadFrames(1, 200).empty());

    faults.SilentAfter = 2;
    device.SetFaults(faults);
    link.Close();
    ASSERT_TRUE(link.ConnectTcp(device.Port())); // counts start again with the link
    EXPECT_FALSE(link.Request(CM_MCS_CMD(1, 16)).empty());
    EXPECT_FALSE(link.Request(CM_MCS_CMD(1, 19)).empty());
    EXPECT_TRUE(link.Request(CM_MCS_CMD(1, 44), 200).empty());
    EXPECT_TRUE(device.WaitForFrames(4, kWaitMs)); // heard, not answered
}

TEST(TestDeviceFaults, SlowReplyComesLate)
{
    TestDevice device;
    DeviceFaults faults;
    faults.ReplyDelayMs = 400;
    device.SetFaults(faults);
    ASSERT_TRUE(device.StartTcp(0));
    TestLink link;
    ASSERT_TRUE(link.ConnectTcp(device.Port()));
    ASSERT_TRUE(link.Send(BuildFrame(CM_MCS_CMD(1, 16))));
    ASSERT_TRUE(device.WaitForFrames(1, kWaitMs));
    EXPECT_TRUE(link.ReadFrames(1, 20).empty()); // a delay can only make it later
    const auto frames = link.ReadFrames(1, kWaitMs);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(LCmd(frames[0]).GetCode(), 16);
}

TEST(TestDeviceFaults, SplitReplyArrivesInPieces)
{
    TestDevice device;
    DeviceFaults faults;
    faults.ChunkSize = 4;
    faults.ChunkPauseMs = 50;
    device.SetFaults(faults);
    ASSERT_TRUE(device.StartTcp(0));
    TestLink link;
    ASSERT_TRUE(link.ConnectTcp(device.Port()));
    ASSERT_TRUE(link.Send(BuildFrame(CM_MCS_CMD(1, 19))));
    BSTM all;
    int reads = 0;
    while (all.size() < 20) {
        const BSTM piece = link.ReadOnce(kWaitMs);
        ASSERT_FALSE(piece.empty());
        all.insert(all.end(), piece.begin(), piece.end());
        ++reads;
    }
    EXPECT_GE(reads, 2); // a busy reader may find pieces joined
    EXPECT_EQ(all, BuildReplyFrame(1, 19, BSTM{'M', 'O', 'R', 'V', 'E', 'X', ' ', 'V', '0', '1', '0'}));
}

TEST(TestDeviceFaults, RepliesThatTheEditorMustRefuseOrSkip)
{
    const BSTM identity{'M', 'O', 'R', 'V', 'E', 'X', ' ', 'V', '0', '1', '0'};
    BSTM broken = BuildReplyFrame(1, 19, identity);
    broken[broken.size() - 3] = 0;
    broken[broken.size() - 2] = 0;
    BSTM garbled{0xEE, 0x10, 0x99};
    const BSTM good = BuildReplyFrame(1, 19, identity);
    garbled.insert(garbled.end(), good.begin(), good.end());

    struct Case {
        const char* name;
        DeviceFaults faults;
        BSTM bytes;
    };
    DeviceFaults otherId;
    otherId.ReplyId = 9;
    DeviceFaults garbage;
    garbage.Garbage = {0xEE, 0x10, 0x99};
    DeviceFaults brokenFrames;
    brokenFrames.BrokenFrames = true;
    const Case cases[] = {
        {"another device id", otherId, BuildReplyFrame(9, 19, identity)},
        {"garbage first", garbage, garbled},
        {"broken end markers", brokenFrames, broken},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDevice device;
        device.SetFaults(c.faults);
        ASSERT_TRUE(device.StartTcp(0));
        TestLink link;
        ASSERT_TRUE(link.ConnectTcp(device.Port()));
        ASSERT_TRUE(link.Send(BuildFrame(CM_MCS_CMD(1, 19))));
        BSTM all;
        while (all.size() < c.bytes.size()) {
            const BSTM piece = link.ReadOnce(kWaitMs);
            ASSERT_FALSE(piece.empty());
            all.insert(all.end(), piece.begin(), piece.end());
        }
        EXPECT_EQ(all, c.bytes);
    }
}

// A device with these faults on loopback TCP and the editor's end connected to it.
struct FaultyTcp {
    explicit FaultyTcp(const DeviceFaults& faults)
    {
        Device.SetFaults(faults);
        Ok = Device.StartTcp(0) && Link.ConnectTcp(Device.Port());
    }
    // Exactly n bytes, over as many reads as they take; fewer when the link goes quiet.
    BSTM Read(size_t n)
    {
        BSTM got;
        while (got.size() < n) {
            const BSTM piece = Link.ReadOnce(kWaitMs);
            if (piece.empty()) {
                break;
            }
            got.insert(got.end(), piece.begin(), piece.end());
        }
        return got;
    }
    TestDevice Device;
    TestLink Link;
    bool Ok = false;
};

// The faults of the editor's fault suite: one late reply, one doubled reply, a half close that
// keeps the device listening, a rewritten reply and a flood of unsolicited replies.
TEST(TestDeviceFaults, LateDoubledHalfClosedRewrittenAndFlooding)
{
    const BSTM ack = BuildReplyFrame(1, kAckCode, {});
    const BSTM connected = BuildReplyFrame(1, 16, {});
    {
        SCOPED_TRACE("late");
        DeviceFaults faults;
        faults.LateFrame = 2;
        faults.LateMs = 300;
        FaultyTcp t(faults);
        ASSERT_TRUE(t.Ok);
        EXPECT_EQ(t.Link.Request(CM_MCS_CMD(1, 16), 200), connected);
        ASSERT_TRUE(t.Link.Send(BuildFrame(CM_MCS_CMD(1, 17))));
        EXPECT_TRUE(t.Link.ReadFrames(1, 50).empty()); // only this one is late
        EXPECT_EQ(t.Link.ReadFrames(1, kWaitMs), std::vector<BSTM>{ack});
    }
    {
        SCOPED_TRACE("doubled, in one write");
        DeviceFaults faults;
        faults.DoubleFrames = {1};
        FaultyTcp t(faults);
        ASSERT_TRUE(t.Ok);
        ASSERT_TRUE(t.Link.Send(BuildFrame(CM_MCS_CMD(1, 16))));
        BSTM both = connected;
        both.insert(both.end(), connected.begin(), connected.end());
        EXPECT_EQ(t.Read(both.size()), both);
        EXPECT_EQ(t.Link.Request(CM_MCS_CMD(1, 17)), ack); // later frames once
    }
    {
        SCOPED_TRACE("half close");
        DeviceFaults faults;
        faults.HalfCloseAfter = 1;
        FaultyTcp t(faults);
        ASSERT_TRUE(t.Ok);
        EXPECT_EQ(t.Link.Request(CM_MCS_CMD(1, 16)), connected);
        bool eof = false;
        t.Link.ReadOnce(kWaitMs, &eof);
        EXPECT_TRUE(eof);
        ASSERT_TRUE(t.Link.Send(BuildFrame(CM_MCS_CMD(1, 19))));
        EXPECT_TRUE(t.Device.WaitForFrames(2, kWaitMs)); // still listening
        EXPECT_TRUE(t.Device.LinkOpen());
    }
    {
        SCOPED_TRACE("rewritten");
        const BSTM header{0x10, 0x02, 0x01, 0x00, 0x00};
        DeviceFaults faults;
        faults.Rewrite = [header](const LCmd& request, const BSTM& reply) {
            return request.GetCode() == 19 ? header : reply;
        };
        FaultyTcp t(faults);
        ASSERT_TRUE(t.Ok);
        ASSERT_TRUE(t.Link.Send(BuildFrame(CM_MCS_CMD(1, 19))));
        EXPECT_EQ(t.Read(header.size()), header);
        EXPECT_EQ(t.Link.Request(CM_MCS_CMD(1, 16)), connected);
    }
    {
        SCOPED_TRACE("flood");
        DeviceFaults faults;
        faults.Flood = true;
        FaultyTcp t(faults);
        ASSERT_TRUE(t.Ok);
        const std::vector<BSTM> floods = t.Link.ReadFrames(20, kWaitMs);
        ASSERT_EQ(floods.size(), 20u);
        for (const BSTM& f : floods) {
            EXPECT_EQ(LCmd(f).GetCode(), 64);
        }
        EXPECT_GE(t.Device.FloodWritten(), 20u);
        // Requests are still heard and answered, behind what the socket already holds.
        ASSERT_TRUE(t.Link.Send(BuildFrame(CM_MCS_CMD(1, 16))));
        bool answered = false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
        while (!answered && std::chrono::steady_clock::now() < deadline) {
            const std::vector<BSTM> more = t.Link.ReadFrames(1, kWaitMs);
            answered = !more.empty() && LCmd(more[0]).GetCode() == 16;
        }
        EXPECT_TRUE(answered);
    }
}

TEST(TestDeviceFaults, DropsTheLinkAfterNFrames)
{
    TestDevice device;
    DeviceFaults faults;
    faults.DropAfter = 2;
    device.SetFaults(faults);
    ASSERT_TRUE(device.StartTcp(0));
    TestLink link;
    ASSERT_TRUE(link.ConnectTcp(device.Port()));
    EXPECT_FALSE(link.Request(CM_MCS_CMD(1, 16)).empty());
    EXPECT_FALSE(link.Request(CM_MCS_CMD(1, 19)).empty());
    bool eof = false;
    link.ReadOnce(kWaitMs, &eof);
    EXPECT_TRUE(eof);
    // The device takes the next link.
    ASSERT_TRUE(link.ConnectTcp(device.Port()));
    EXPECT_FALSE(link.Request(CM_MCS_CMD(1, 16)).empty());
}

TEST(TestDeviceFaults, DroppedPtyAndHidLinksAreGone)
{
    DeviceFaults faults;
    faults.DropAfter = 1;
    {
        TestDevice device;
        device.SetFaults(faults);
        ASSERT_TRUE(device.StartPty());
        TestLink link;
        ASSERT_TRUE(link.OpenPty(device.PtyPath()));
        EXPECT_FALSE(link.Request(CM_MCS_CMD(1, 16)).empty());
        bool eof = false;
        link.ReadOnce(kWaitMs, &eof);
        EXPECT_TRUE(eof); // hang-up: reads end
    }
    {
        TestDevice device;
        device.SetFaults(faults);
        const int fd = device.StartHidPair(kReportLength);
        ASSERT_GE(fd, 0);
        TestLink link;
        link.AdoptHid(fd, kReportLength);
        EXPECT_FALSE(link.Request(CM_MCS_CMD(1, 16)).empty());
        bool eof = false;
        link.ReadOnce(kWaitMs, &eof);
        EXPECT_TRUE(eof);
    }
}

TEST(TestDeviceFaults, StopNeverHangs)
{
    // Waiting out a long delay.
    {
        TestDevice device;
        DeviceFaults faults;
        faults.ReplyDelayMs = 600000;
        device.SetFaults(faults);
        ASSERT_TRUE(device.StartTcp(0));
        TestLink link;
        ASSERT_TRUE(link.ConnectTcp(device.Port()));
        ASSERT_TRUE(link.Send(BuildFrame(CM_MCS_CMD(1, 16))));
        ASSERT_TRUE(device.WaitForFrames(1, kWaitMs));
        device.Stop();
        EXPECT_FALSE(device.LinkOpen());
    }
    // Writing to a peer that never reads.
    {
        TestDevice device;
        const int fd = device.StartHidPair(kReportLength);
        ASSERT_GE(fd, 0);
        const BSTM request = BuildFrame(CM_MCS_CMD(1, 39, 0));
        BSTM report{0};
        report.insert(report.end(), request.begin(), request.end());
        report.resize(kReportLength, 0);
        for (int i = 0; i < 2000; ++i) {
            if (::send(fd, report.data(), report.size(), MSG_DONTWAIT) < 0) {
                break;
            }
        }
        device.WaitForFrames(10, kWaitMs);
        device.Stop();
        ::close(fd);
    }
    // Never started, and stopped twice.
    TestDevice idle;
    idle.Stop();
    idle.Stop();
}

// The program, as a child process.
TEST(TestDeviceProgram, AnswersOnTcpAndPty)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* prefix;
    };
    const Case cases[] = {
        {"tcp", {MORVEX_TEST_DEVICE_PROGRAM, "--tcp", "0", "--id", "4"}, "PORT "},
        {"pty", {MORVEX_TEST_DEVICE_PROGRAM, "--pty", "--id", "4"}, "PTY "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChildProcess child;
        ASSERT_TRUE(child.Start(c.args));
        const std::string line = child.ReadLine(kWaitMs);
        ASSERT_EQ(line.rfind(c.prefix, 0), 0u) << line;
        const std::string where = line.substr(std::string(c.prefix).size());
        TestLink link;
        if (std::string(c.prefix) == "PORT ") {
            ASSERT_TRUE(link.ConnectTcp(std::stoi(where)));
        } else {
            ASSERT_TRUE(link.OpenPty(where));
        }
        ExpectHandshake(link, 4);
        child.Terminate();
        EXPECT_EQ(child.WaitExit(kWaitMs), 0);
    }
}

TEST(TestDeviceProgram, MisbehavesOnRequest)
{
    ChildProcess child;
    ASSERT_TRUE(child.Start({MORVEX_TEST_DEVICE_PROGRAM, "--tcp", "0", "--reply-id", "9", "--identity",
                             "OTHER", "--drop-after", "2"}));
    const std::string line = child.ReadLine(kWaitMs);
    ASSERT_EQ(line.rfind("PORT ", 0), 0u) << line;
    TestLink link;
    ASSERT_TRUE(link.ConnectTcp(std::stoi(line.substr(5))));
    EXPECT_EQ(LCmd(link.Request(CM_MCS_CMD(1, 16))).GetId(), 9);
    const LCmd identity(link.Request(CM_MCS_CMD(1, 19)));
    EXPECT_EQ(std::string(identity.GetPayload().begin(), identity.GetPayload().end()), "OTHER");
    bool eof = false;
    link.ReadOnce(kWaitMs, &eof);
    EXPECT_TRUE(eof);
}

// Another loopback address, as an editor that types its address reaches it on the fixed port; every
// frame received is logged in hex, one per line.
TEST(TestDeviceProgram, ListensOnAnotherLoopbackAddressAndLogsFrames)
{
    const std::string log = ::testing::TempDir() + "device-frames.log";
    std::remove(log.c_str());
    ChildProcess child;
    ASSERT_TRUE(child.Start({MORVEX_TEST_DEVICE_PROGRAM, "--tcp", "0", "--host", "127.0.3.9", "--log", log}));
    const std::string line = child.ReadLine(kWaitMs);
    ASSERT_EQ(line.rfind("PORT ", 0), 0u) << line;
    const int port = std::stoi(line.substr(5));
    TestLink wrong;
    EXPECT_FALSE(wrong.ConnectTcp(port)) << "listens on 127.0.0.1 too";
    TestLink link;
    ASSERT_TRUE(link.ConnectTcp(port, 0x7F000309));
    ExpectHandshake(link, 1);
    child.Terminate();
    EXPECT_EQ(child.WaitExit(kWaitMs), 0);
    std::ifstream in(log);
    std::string first;
    ASSERT_TRUE(std::getline(in, first));
    std::string expected;
    for (uint8_t b : BuildFrame(CM_MCS_CMD(1, 16))) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", b);
        expected += hex;
    }
    EXPECT_EQ(first, expected) << "the first frame of the handshake";
}

TEST(TestDeviceProgram, RefusesBadCommandLines)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {"no link", {}, "give --tcp PORT or --pty"},
        {"bad port", {"--tcp", "port"}, "is not a number"},
        {"unknown", {"--pty", "--serial", "/dev/ttyS0"}, "unknown option '--serial'"},
        {"late without its delay", {"--pty", "--late", "3"}, "option --late needs a value"},
        {"host off loopback", {"--tcp", "0", "--host", "10.0.0.1"}, "is not a loopback address"},
        {"host not an address", {"--tcp", "0", "--host", "localhost"}, "is not a loopback address"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args{MORVEX_TEST_DEVICE_PROGRAM};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ChildProcess child;
        ASSERT_TRUE(child.Start(args));
        std::string errors;
        EXPECT_EQ(child.WaitExit(kWaitMs, &errors), 2);
        EXPECT_NE(errors.find(c.message), std::string::npos) << errors;
        EXPECT_NE(errors.find("usage:"), std::string::npos);
    }
    ChildProcess help;
    ASSERT_TRUE(help.Start({MORVEX_TEST_DEVICE_PROGRAM, "--help"}));
    EXPECT_EQ(help.ReadLine(kWaitMs).rfind("usage:", 0), 0u);
    EXPECT_EQ(help.WaitExit(kWaitMs), 0);
}

} // namespace
} // namespace morvex_device
