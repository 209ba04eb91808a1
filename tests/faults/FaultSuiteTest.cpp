// The fault suite: the link core and the synchronisation against a test device that misbehaves, one
// table of faults over loopback TCP, a pty and a HID report pair. Every row ends within a bound, and
// afterwards the device holds every edit the model holds or a loss was reported; no partial file.
// Each row and link is its own CTest entry, so the rows run in parallel.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "FakeHidBackend.h"
#include "SyncCoreRig.h"
#include "TestDevice.h"
#include "link/HxHidController.h"
#include "model/LUnitFile.h"
#include "proto/Commands.h"

using testapp::PumpUntil;

namespace
{

namespace fs = std::filesystem;
using morvex_device::DeviceFaults;
using morvex_device::TestDevice;

enum class Link { Tcp, Pty, Hid };
constexpr unsigned kTcp = 1, kPty = 2, kHid = 4, kAll = kTcp | kPty | kHid;
constexpr int kReportLength = 65;
// The bound on every outcome: far above what a row needs, so that only a hang exceeds it.
constexpr int kBoundMs = 20000;

unsigned Bit(Link l)
{
    return l == Link::Tcp ? kTcp : l == Link::Pty ? kPty : kHid;
}
const char* LinkName(Link l)
{
    return l == Link::Tcp ? "Tcp" : l == Link::Pty ? "Pty" : "Hid";
}
void PrintTo(Link l, std::ostream* os)
{
    *os << LinkName(l);
}

// The sync rig over the real link core, with the HID controller over a fake backend whose device
// is the test device's end of a report pair.
class FaultRig : public CoreRig
{
  public:
    ~FaultRig() override
    {
        Core.CloseAllTransports();
        ReleaseHid();
    }

    bool Open(Link link, TestDevice& device, int hidFd)
    {
        switch (link) {
        case Link::Tcp:
            return OpenTcp(device.Port());
        case Link::Pty:
            return OpenPty(device.PtyPath());
        case Link::Hid:
            return OpenHid(hidFd);
        }
        return false;
    }

    // The transport has nothing outstanding and nothing queued.
    bool LinkIdle()
    {
        if (LCommProc* c = Core.Comm())
            return !c->Busy() && c->QueuedFrames() == 0;
        if (LUsbProc* u = Core.Usb())
            return !u->Busy() && u->QueuedFrames() == 0;
        if (LNetProc* n = Core.Net())
            return !n->Busy() && n->QueuedFrames() == 0;
        return false;
    }

    size_t ReceiveBacklog()
    {
        if (LUsbProc* u = Core.Usb())
            return u->ReceiveBacklog();
        if (LNetProc* n = Core.Net())
            return n->ReceiveBacklog();
        return 0; // the serial worker reads the port itself: the kernel bounds it
    }

  private:
    bool OpenHid(int fd)
    {
        ReleaseHid();
        if (!FCtl) {
            FCtl = std::make_unique<THxHidDeviceController>(FBackend);
            FCtl->SetOnDeviceData({[this](THxHidDevice* d, uint8_t id, const uint8_t* data, uint16_t size) {
                                       Core.HidCtlDeviceData(d, id, data, size);
                                   },
                                   1});
            FCtl->OnEnumerate = {[this](THxHidDevice* d, int32_t idx) {
                                     THxHidDevice* got = nullptr;
                                     if (Core.HidDevice() == nullptr &&
                                         d->Attributes().VendorID == kMorvexUsbVendorId &&
                                         FCtl->CheckOutByIndex(got, idx))
                                         Core.SetHidDevice(got);
                                     return true;
                                 },
                                 2};
            FCtl->SetOnDeviceChange({[this](THxHidDeviceController*) { FCtl->Enumerate(); }, 3});
        }
        FHidId = FBackend->AddWithFd(kMorvexUsbVendorId, kMorvexUsbProductId, fd, kReportLength);
        FCtl->DeviceChange();
        return PumpUntil([&] { return Core.HidDevice() != nullptr; }, 5000) && OpenUsb();
    }

    // The device of an earlier link is checked in and leaves the list.
    void ReleaseHid()
    {
        if (!FCtl)
            return;
        Core.CloseAllTransports();
        if (THxHidDevice* d = Core.TakeHidDevice())
            FCtl->CheckIn(d);
        if (!FHidId.empty()) {
            FBackend->Unplug(FHidId);
            FCtl->DeviceChange();
            FHidId.clear();
        }
    }

    std::shared_ptr<FakeHidBackend> FBackend = std::make_shared<FakeHidBackend>();
    std::unique_ptr<THxHidDeviceController> FCtl;
    std::string FHidId;
};

// ---- the table ----

enum class Op { Read, Edits, Store, Recall, Upload, Download, Flood, EditsThenExit };
enum class Want { Completes, LossReported, Either };

struct Ctx {
    int frames; // frames the device has had on this link when the fault goes on
    Link link;
};

struct Row {
    const char* name;
    Op op;
    Want want;
    unsigned links;
    const char* elsewhere; // why the other links have no such fault
    int timeoutCap;        // reply time-outs are cut to this (ms); 0: as the editor sets them
    bool beforeConnect;    // the fault is on from the connect: the full read meets it
    bool reconnect;        // after the loss, connect again at once; that read must complete
    void (*fault)(DeviceFaults&, const Ctx&);
    bool idlePoll = false; // the transport's idle poll runs (frames can then not be counted)
};

// A reply frame with any length byte and as many payload bytes as given.
BSTM RawReply(uint8_t code, uint8_t len, const BSTM& payload)
{
    BSTM f;
    f.reserve(payload.size() + 9);
    for (uint8_t b : {uint8_t{0x10}, uint8_t{0x02}, uint8_t{0x01}, uint8_t{0x00}, len, code})
        f.push_back(b);
    for (uint8_t b : payload)
        f.push_back(b);
    f.push_back(0x10);
    f.push_back(0x03);
    uint8_t check = 0;
    for (uint8_t b : f)
        check ^= b;
    f.push_back(check);
    return f;
}

// Replaces the reply to the first setter (a gain edit) once with these bytes.
template <BSTM (*Make)()> void FirstEditReply(DeviceFaults& f, const Ctx&)
{
    auto done = std::make_shared<bool>(false);
    f.Rewrite = [done](const LCmd& request, const BSTM& reply) {
        if (*done || request.GetCode() != CM_MCS_GAIN::Code)
            return reply;
        *done = true;
        return Make();
    };
}

BSTM Length0()
{
    return {0x10, 0x02, 0x01, 0x00, 0x00, 0x10, 0x03, 0x13};
}
BSTM Length120()
{
    return RawReply(1, 120, BSTM(119, 0x5A));
}
BSTM Length121()
{
    return RawReply(1, 121, BSTM(120, 0x5A));
}
BSTM Length255()
{
    return RawReply(1, 255, BSTM(254, 0x5A));
}
// An acknowledgement whose length byte announces four bytes more than it carries.
BSTM LyingLength()
{
    return RawReply(1, 5, {});
}

// The first reply to a request of this code (and first payload byte) is an unsolicited level reply
// instead: the request looks answered, though it never was.
template <uint8_t Code, int Arg> void StrayInsteadOf(DeviceFaults& f, const Ctx&)
{
    auto done = std::make_shared<bool>(false);
    f.Rewrite = [done](const LCmd& request, const BSTM& reply) {
        if (*done || request.GetCode() != Code ||
            (Arg >= 0 && (request.GetPayload().empty() || request.GetPayload()[0] != Arg)))
            return reply;
        *done = true;
        return RawReply(64, 39, BSTM(38, 0));
    };
}

// The identity, status, block and name replies of the read carry more than they should (over HID,
// as much more as one report holds).
void Oversized(DeviceFaults& f, const Ctx& c)
{
    const size_t room = c.link == Link::Hid ? kReportLength - 1 : 128; // frame bytes a read can carry
    f.Rewrite = [room](const LCmd&, const BSTM& reply) {
        const uint8_t code = reply.size() > 5 ? reply[5] : 0;
        if (code != 19 && code != 44 && code != 36 && code != 41)
            return reply;
        BSTM payload(reply.begin() + 6, reply.end() - 3);
        const size_t extra = room - reply.size();
        payload.insert(payload.end(), extra, 0x7E);
        return RawReply(code, static_cast<uint8_t>(payload.size() + 1), payload);
    };
}

const Row kRows[] = {
    {"RepliesByteByByte", Op::Read, Want::Completes, kTcp | kPty, "a HID report is one whole frame", 0, true,
     false,
     [](DeviceFaults& f, const Ctx&) {
         f.ChunkSize = 1;
         f.ChunkPauseMs = 1;
     }},
    {"BytesSlowerThanTheTimeout", Op::Edits, Want::Either, kTcp | kPty, "a HID report is one whole frame",
     100, false, false,
     [](DeviceFaults& f, const Ctx&) {
         f.ChunkSize = 1;
         f.ChunkPauseMs = 150;
     }},
    {"GarbageWithAFrameHeader", Op::Edits, Want::Either, kAll, "", 250, false, false,
     [](DeviceFaults& f, const Ctx&) { f.Garbage = {0x10, 0x02, 0x01, 0x00, 0x05, 0x01}; }},
    {"DamagedEndMarkers", Op::Edits, Want::Either, kAll, "", 250, false, false,
     [](DeviceFaults& f, const Ctx&) { f.BrokenFrames = true; }},
    {"EveryReplyLate", Op::Edits, Want::Either, kAll, "", 200, false, false,
     [](DeviceFaults& f, const Ctx&) { f.ReplyDelayMs = 300; }},
    {"OneLateReplyWithEditsQueued", Op::Edits, Want::Completes, kAll, "", 250, false, false,
     [](DeviceFaults& f, const Ctx& c) {
         f.LateFrame = c.frames + 1;
         f.LateMs = 400;
     }},
    {"TwoRepliesInOneWriteWithEditsQueued", Op::Edits, Want::Completes, kAll, "", 0, false, false,
     [](DeviceFaults& f, const Ctx& c) { f.DoubleFrames = {c.frames + 1}; }},
    {"DroppedDuringTheReadThenReconnect", Op::Read, Want::LossReported, kAll, "", 300, true, true,
     [](DeviceFaults& f, const Ctx&) { f.DropAfter = 30; }},
    {"DroppedDuringAStoreThenReconnect", Op::Store, Want::LossReported, kAll, "", 300, false, true,
     [](DeviceFaults& f, const Ctx& c) { f.DropAfter = c.frames + 1; }},
    {"DroppedDuringARecallThenReconnect", Op::Recall, Want::LossReported, kAll, "", 300, false, true,
     [](DeviceFaults& f, const Ctx& c) { f.DropAfter = c.frames + 5; }},
    {"PeerHalfClosesItsConnection", Op::Edits, Want::LossReported, kTcp | kHid,
     "a terminal has no half close", 300, false, false,
     [](DeviceFaults& f, const Ctx& c) { f.HalfCloseAfter = c.frames + 2; }},
    {"FloodOfUnsolicitedReplies", Op::Flood, Want::Completes, kAll, "", 0, false, false,
     [](DeviceFaults&, const Ctx&) {}},
    {"FrameLength0", Op::Edits, Want::Either, kAll, "", 250, false, false, FirstEditReply<Length0>},
    {"FrameLength120", Op::Edits, Want::Either, kAll, "", 250, false, false, FirstEditReply<Length120>},
    {"FrameLength121", Op::Edits, Want::Either, kAll, "", 250, false, false, FirstEditReply<Length121>},
    {"FrameLength255", Op::Edits, Want::Either, kAll, "", 250, false, false, FirstEditReply<Length255>},
    {"LengthByteThatLies", Op::Edits, Want::Either, kAll, "", 250, false, false, FirstEditReply<LyingLength>},
    {"OversizedIdentityStatusBlocksAndNames", Op::Read, Want::Completes, kAll, "", 0, true, false, Oversized},
    // Duplicate replies never end an operation: a second 41 and a second 36 in the read, a block reply
    // later than the time-out (written again, answered twice), a second 25 and 40 in the upload, a
    // second 37 in the download.
    {"DuplicateRepliesInTheRead", Op::Read, Want::Completes, kAll, "", 0, true, false,
     [](DeviceFaults& f, const Ctx&) {
         f.DoubleFrames = {10, 30};
     }}, // 41 (4) and 39 (4)
    {"BlockReplyLaterThanTheTimeoutInTheRead", Op::Read, Want::Completes, kAll, "", 250, true, false,
     [](DeviceFaults& f, const Ctx&) {
         f.LateFrame = 30;
         f.LateMs = 400;
     }},
    {"DuplicateRepliesInTheUpload", Op::Upload, Want::Completes, kAll, "", 0, false, false,
     [](DeviceFaults& f, const Ctx& c) {
         f.DoubleFrames = {c.frames + 1, c.frames + 4};
     }}, // 25, 40 (1)
    {"DuplicateReplyInTheDownload", Op::Download, Want::Completes, kAll, "", 0, false, false,
     [](DeviceFaults& f, const Ctx& c) { f.DoubleFrames = {c.frames + 4}; }}, // 37 (1)
    // A stray reply in place of an answer leaves the request unanswered with the link idle: it is
    // written again after the time-out (3 s here, longer than the 2 s idle poll), never replaced by a
    // poll whose acknowledgement could then pass for the answer.
    {"StrayReplyInPlaceOfABlockWithTheIdlePollOn", Op::Read, Want::Completes, kAll, "", 3000, true, false,
     StrayInsteadOf<39, 5>, true},
    {"StrayReplyInPlaceOfTheStoreAckWithTheIdlePollOn", Op::Store, Want::Completes, kAll, "", 3000, false,
     false, StrayInsteadOf<38, -1>, true},
    // 64 KiB of unsolicited replies from the connect on, and from the middle of the read on: the
    // receiver stops reading while its backlog is full, so no reply is lost or stitched.
    {"FloodOf64KiBFromTheConnect", Op::Read, Want::Completes, kAll, "", 0, true, false,
     [](DeviceFaults& f, const Ctx&) {
         f.Flood = true;
         f.FloodBytes = 64 * 1024;
     }},
    {"FloodOf64KiBDuringTheRead", Op::Read, Want::Completes, kAll, "", 0, true, false,
     [](DeviceFaults& f, const Ctx&) {
         f.Flood = true;
         f.FloodFrom = 20;
         f.FloodBytes = 64 * 1024;
     }},
    // A frame longer than one report: over HID the report ends it, and the next report starts afresh.
    {"FrameLongerThanAReportThenReplies", Op::Edits, Want::Completes, kAll, "", 250, false, false,
     FirstEditReply<Length120>},
    // Rounds of edits to many targets against a slow device, then exit: the queue holds one edit per
    // target, and the disconnect waits behind them until the device has each target's last value.
    {"BurstOfEditsToManyTargetsThenExitOnASlowDevice", Op::EditsThenExit, Want::Completes, kAll, "", 0, false,
     false, [](DeviceFaults& f, const Ctx&) { f.ReplyDelayMs = 150; }},
};

// ---- one row over one link ----

class FaultSuite : public ::testing::TestWithParam<std::tuple<size_t, Link>>
{
  protected:
    void SetUp() override
    {
        testapp::EnsureCoreApp();
        // The fake backend's socket pair stands in for a hidraw node, whose writes never raise
        // SIGPIPE when the device is gone.
        std::signal(SIGPIPE, SIG_IGN);
        row = &kRows[std::get<0>(GetParam())];
        link = std::get<1>(GetParam());
    }

    // A device with a sample set, two stored presets and unit information.
    void StartDevice(std::unique_ptr<TestDevice>& device, int& hidFd, int seed)
    {
        device = std::make_unique<TestDevice>();
        device->SetImage(SampleImage(seed));
        device->WithState([](morvex_device::DeviceState& s) {
            s.StorePreset(2, SampleImage(2));
            s.StorePreset(5, SampleImage(5));
            for (int i = 0; i < kUnitInfoSize; ++i)
                s.Store[i] = static_cast<uint8_t>(0x40 + i);
        });
        hidFd = -1;
        bool started = false;
        switch (link) {
        case Link::Tcp:
            started = device->StartTcp(0);
            break;
        case Link::Pty:
            started = device->StartPty();
            break;
        case Link::Hid:
            hidFd = device->StartHidPair(kReportLength);
            started = hidFd >= 0;
            break;
        }
        ASSERT_TRUE(started);
    }

    bool Reported() const
    {
        for (const std::string& e : rig.Events())
            if (e == "link-lost" || e.rfind("info ", 0) == 0)
                return true;
        return false;
    }

    // Waits for pred or the end of the link; false only when neither came within the bound.
    bool Outcome(const std::function<bool()>& pred)
    {
        return PumpUntil([&] { return pred() || !rig.LinkOpen(); }, kBoundMs);
    }

    void Edits()
    {
        for (int ch = 0; ch < kChannelCount; ++ch)
            rig.Unit.SetGain(ch, static_cast<uint16_t>(120 + 7 * ch));
        ASSERT_TRUE(Outcome([&] { return rig.LinkIdle(); })) << "the edits never went out";
    }

    void Flood()
    {
        DeviceFaults f = device->Faults();
        f.Flood = true;
        device->SetFaults(f);
        const uint64_t before = device->FloodWritten();
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(10);
        for (int ch = 0; ch < kChannelCount; ++ch)
            rig.Unit.SetGain(ch, static_cast<uint16_t>(140 + 5 * ch));
        size_t backlog = 0;
        ASSERT_TRUE(PumpUntil(
            [&] {
                backlog = std::max(backlog, rig.ReceiveBacklog());
                return !rig.LinkOpen() || (ticks >= 20 && device->FloodWritten() > before + 500);
            },
            kBoundMs));
        EXPECT_GE(ticks, 20) << "the UI thread's timers stopped under the flood";
        EXPECT_GT(device->FloodWritten(), before + 500) << "the flood did not run";
        EXPECT_LE(backlog, 64u * 1024) << "received bytes pile up without bound";
        f.Flood = false;
        device->SetFaults(f);
        ASSERT_TRUE(Outcome([&] { return rig.LinkIdle(); }));
    }

    // Four rounds over 27 targets (every gain, six GEQ bands of each input), then the exit's disconnect
    // and its wait for the queued edits; the device is checked at once, nothing more is pumped.
    void EditsThenExit()
    {
        constexpr int kRounds = 4, kBands = 6;
        constexpr size_t kTargets = kChannelCount + kInputCount * kBands;
        size_t most = 0;
        const size_t before = device->ReceivedCodes().size();
        for (int round = 0; round < kRounds; ++round) {
            for (int ch = 0; ch < kChannelCount; ++ch)
                rig.Unit.SetGain(ch, static_cast<uint16_t>(100 + 20 * round + ch));
            for (int ch = 0; ch < kInputCount; ++ch)
                for (int b = 0; b < kBands; ++b)
                    rig.Unit.SetGeq(ch, b, static_cast<int16_t>(30 * round + 5 * ch + b));
            most = std::max(most, rig.QueuedFrames());
        }
        EXPECT_LE(most, kTargets) << "more than one queued edit per target";
        rig.SendCommand(CM_MCS_CMD(static_cast<uint8_t>(rig.GetDeviceId()), proto::kDisconnect), true);
        QElapsedTimer clock;
        clock.start();
        const bool sent = rig.SendQueuedFrames([&] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (clock.elapsed() > kBoundMs) {
                ADD_FAILURE() << "the exit's wait did not end";
                rig.CloseLink();
            }
        });
        EXPECT_TRUE(sent) << "the link was lost before the queued edits went out";
        std::string why;
        EXPECT_TRUE(InStep(Op::Edits, {}, {}, why)) << why;
        // Then the disconnect, last; each target's edit went out once, its first one maybe twice.
        ASSERT_TRUE(
            PumpUntil([&] { return device->ReceivedCodes().back() == proto::kDisconnect; }, kBoundMs));
        EXPECT_LE(device->ReceivedCodes().size() - before, kTargets + 2);
    }

    // The device holds what the model holds, and what the operation should have left there.
    bool InStep(Op op, const std::vector<uint8_t>& wantFile, const LUnitImage& download, std::string& why)
    {
        const ParamImage onDevice = device->Image();
        const std::vector<uint8_t> a = ImageBody(rig.Unit.GetImage()), b = ImageBody(onDevice);
        const auto diff = std::mismatch(a.begin(), a.end(), b.begin());
        // A download resets the device to its factory set and ends the link; the next one reads it.
        if (op != Op::Download && diff.first != a.end()) {
            why = "the model and the device differ from image byte " +
                  std::to_string(2 + (diff.first - a.begin()));
            return false;
        }
        if (op == Op::Read && !rig.Machine.Online()) {
            why = "not online after the read";
            return false;
        }
        if (op == Op::Store) {
            const bool stored = device->WithState([&](morvex_device::DeviceState& s) {
                return s.Presets[3].Stored && ImageBody(morvex_device::ImageFromSet(s.Presets[3].Body)) == a;
            });
            if (!stored) {
                why = "preset 4 is not stored on the device";
                return false;
            }
        }
        if (op == Op::Upload && ReadFileBytes(dir.Path / "all.unt") != wantFile) {
            why = "the unit file is missing or differs";
            return false;
        }
        if (op == Op::Download) {
            if (!rig.HasEvent("link-closed")) {
                why = "the download did not end";
                return false;
            }
            const bool same = device->WithState([&](morvex_device::DeviceState& s) {
                for (int k = 0; k < kUserPresets; ++k) {
                    if (s.Presets[k].Stored != (download.Stored[k] || k == 1 || k == 4))
                        return false;
                    if (download.Stored[k] && !std::equal(download.Presets[k].begin(),
                                                          download.Presets[k].begin() + kUnitPresetBytes,
                                                          s.Presets[k].Body.begin()))
                        return false;
                }
                return true;
            });
            if (!same) {
                why = "the device's presets differ from the unit file";
                return false;
            }
        }
        return true;
    }

    const Row* row = nullptr;
    Link link = Link::Tcp;
    TempDir dir{"morvex-faults"};
    std::unique_ptr<TestDevice> device;
    int hidFd = -1;
    FaultRig rig;
};

TEST_P(FaultSuite, EndsInStepOrReported)
{
    if (!(row->links & Bit(link)))
        GTEST_SKIP() << row->elsewhere;
    if (row->timeoutCap > 0)
        rig.TimeoutCap = row->timeoutCap;
    rig.NoIdlePoll = !row->idlePoll;
    StartDevice(device, hidFd, 7);
    if (HasFatalFailure())
        return;
    // Level replies that reach the editor, and frames that are not what the device sent.
    const BSTM levelReply = device->FloodFrame();
    size_t levelReplies = 0;
    std::vector<BSTM> damaged;
    auto handle = rig.Core.OnFrame;
    rig.Core.OnFrame = [&, handle](const BSTM& frame, uint32_t ms, uint8_t answered) {
        uint8_t check = 0;
        for (uint8_t b : frame)
            check ^= b;
        const bool level = frame.size() > 5 && frame[5] == 64;
        if (level && frame == levelReply)
            ++levelReplies;
        else if (level || check != 0)
            damaged.push_back(frame);
        handle(frame, ms, answered);
    };
    DeviceFaults faults;
    if (row->beforeConnect) {
        row->fault(faults, {0, link});
        device->SetFaults(faults);
    }
    ASSERT_TRUE(rig.Open(link, *device, hidFd));
    ASSERT_TRUE(rig.ReadDone(kBoundMs)) << "the read never ended";
    if (!row->beforeConnect) {
        ASSERT_TRUE(rig.Machine.Online());
        ASSERT_TRUE(PumpUntil([&] { return rig.LinkIdle(); }, kBoundMs)); // the read's last 18 answered
        ASSERT_FALSE(Reported()) << ::testing::PrintToString(rig.Events());
        row->fault(faults, {device->LinkFrames(), link});
        device->SetFaults(faults);
        rig.ClearEvents();
    }

    // What the device should hold afterwards, unless a loss was reported.
    std::vector<uint8_t> wantFile;
    LUnitImage download;
    switch (row->op) {
    case Op::Read:
        break;
    case Op::Edits:
        Edits();
        break;
    case Op::Flood:
        Flood();
        break;
    case Op::EditsThenExit:
        EditsThenExit();
        if (HasFatalFailure())
            return;
        break;
    case Op::Store: {
        std::array<uint8_t, kPresetNameSize> name{};
        std::memcpy(name.data(), "Fault suite   ", kPresetNameSize);
        rig.Machine.StorePreset(3, name);
        ASSERT_TRUE(Outcome([&] { return rig.HasEvent("progress-closed"); }));
        break;
    }
    case Op::Recall:
        rig.Machine.RecallPreset(5);
        ASSERT_TRUE(Outcome([&] { return rig.HasEvent("show-all"); }));
        break;
    case Op::Upload: {
        const auto presets = device->WithState([](morvex_device::DeviceState& s) { return s.Presets; });
        wantFile.assign(kFileMagic, kFileMagic + kFileMagicSize);
        for (int i = 0; i < kUnitInfoSize; ++i)
            wantFile.push_back(static_cast<uint8_t>(0x40 + i));
        for (int k = 0; k < kUserPresets; ++k) {
            if (presets[k].Stored) {
                wantFile.push_back(static_cast<uint8_t>(k + 1));
                wantFile.insert(wantFile.end(), presets[k].Body.begin(),
                                presets[k].Body.begin() + kUnitPresetBytes);
            } else {
                wantFile.insert(wantFile.end(), kUnitBlockSize, kUnitEmptyFill);
            }
            wantFile.push_back(0x0D);
            wantFile.push_back(0x0A);
        }
        rig.SaveName = (dir.Path / "all").string();
        rig.Machine.StartUnitUpload();
        ASSERT_TRUE(Outcome([&] { return fs::exists(dir.Path / "all.unt"); }));
        PumpUntil([] { return false; }, 350); // past the save step's timer
        break;
    }
    case Op::Download: {
        for (int k : {0, 3, 7}) {
            download.Stored[k] = true;
            for (size_t i = 0; i < download.Presets[k].size(); ++i)
                download.Presets[k][i] = static_cast<uint8_t>(i * 7 + k);
            download.Presets[k][0] = kPresetStoredMark;
            std::fill(download.Presets[k].begin() + kUnitPresetBytes, download.Presets[k].end(), 0);
        }
        ASSERT_TRUE(SaveUnitFile(download, (dir.Path / "down").string()));
        rig.OpenName = (dir.Path / "down.unt").string();
        rig.Machine.StartUnitDownload();
        // The download ends by closing the link itself.
        ASSERT_TRUE(Outcome([] { return false; }));
        break;
    }
    }
    if (row->op == Op::Read) {
        ASSERT_TRUE(rig.ReadDone(kBoundMs));
    }
    if (faults.Flood && faults.FloodBytes > 0) {
        // The flood ends with the last whole reply that fits; every unsolicited reply and every answer
        // to a level request arrives whole, none stitched.
        EXPECT_TRUE(PumpUntil(
            [&] {
                return !rig.LinkOpen() ||
                       (device->FloodWritten() + 1) * levelReply.size() > faults.FloodBytes;
            },
            kBoundMs))
            << "the flood did not run to its end";
        auto sent = [&] { return device->FloodWritten() + static_cast<uint64_t>(device->LevelRequests()); };
        EXPECT_TRUE(PumpUntil([&] { return !rig.LinkOpen() || levelReplies == sent(); }, kBoundMs))
            << levelReplies << " level replies of " << sent();
        EXPECT_TRUE(damaged.empty()) << damaged.size() << " damaged frames, the first "
                                     << ::testing::PrintToString(damaged.front());
    }

    // Within the bound the device comes into step with the model (it may still be answering what
    // was written last), or a loss is reported.
    std::string why;
    auto inStep = [&] { return InStep(row->op, wantFile, download, why); };
    if (row->want == Want::LossReported) {
        PumpUntil([&] { return Reported(); }, kBoundMs);
    } else {
        PumpUntil([&] { return Reported() || inStep(); }, kBoundMs);
    }
    const bool reported = Reported();
    RecordProperty("outcome", reported ? "loss reported" : "in step");
    SCOPED_TRACE(::testing::PrintToString(rig.Events()));
    if (row->want == Want::Completes) {
        EXPECT_FALSE(reported) << "a fault the editor should ride out ended the operation";
    }
    if (row->want == Want::LossReported) {
        EXPECT_TRUE(reported) << "the loss went unreported";
    }
    if (!reported) {
        EXPECT_TRUE(inStep()) << why;
    }
    EXPECT_FALSE(rig.Machine.Busy());
    EXPECT_TRUE(rig.MainEnabled);

    // No partial file: the upload's file is whole or absent; the download's own file is untouched.
    for (const auto& e : fs::directory_iterator(dir.Path)) {
        const std::string name = e.path().filename().string();
        if (name == "all.unt") {
            EXPECT_EQ(ReadFileBytes(e.path()), wantFile) << "a partial unit file";
        } else {
            EXPECT_EQ(name, "down.unt") << "a stray file";
        }
    }

    if (row->reconnect) {
        // At once, to a sound device: TCP to the same one; a dropped pty or HID pair is gone for good.
        ASSERT_FALSE(rig.LinkOpen());
        rig.ClearEvents();
        device->SetFaults({});
        std::unique_ptr<TestDevice> again;
        int againFd = -1;
        TestDevice* target = device.get();
        if (link != Link::Tcp) {
            StartDevice(again, againFd, 9);
            if (HasFatalFailure())
                return;
            target = again.get();
        }
        ASSERT_TRUE(rig.Open(link, *target, againFd));
        ASSERT_TRUE(rig.ReadDone(kBoundMs));
        EXPECT_FALSE(Reported()) << ::testing::PrintToString(rig.Events());
        EXPECT_TRUE(rig.Machine.Online());
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(target->Image()));
    }
}

std::string RowName(const ::testing::TestParamInfo<FaultSuite::ParamType>& info)
{
    const Link l = std::get<1>(info.param);
    return std::string(kRows[std::get<0>(info.param)].name) + "_" + LinkName(l);
}

INSTANTIATE_TEST_SUITE_P(Rows, FaultSuite,
                         ::testing::Combine(::testing::Range<size_t>(0, std::size(kRows)),
                                            ::testing::Values(Link::Tcp, Link::Pty, Link::Hid)),
                         RowName);

} // namespace
