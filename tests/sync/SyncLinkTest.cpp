// The state machine through the real link core (send queue, TCP and serial transports) against
// the test device: the program over loopback TCP and over a pty, and the in-process device for faults.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include "DeviceLinkHelpers.h"
#include "SyncCoreRig.h"
#include "TestDevice.h"
#include "link/LLinkCore.h"
#include "model/LUnitFile.h"
#include "model/PresetFile.h"

using testapp::PumpUntil;

namespace
{

using Codes = std::vector<uint8_t>;

Codes FullConnect()
{
    Codes c = {16, 19, 44, 34, 20};
    c.insert(c.end(), 20, 41);
    c.insert(c.end(), 22, 39);
    c.push_back(18);
    return c;
}

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
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(LUnitControl::DefaultImage()));
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
    // The device's thread records the last frame a moment after the reply that ended the read.
    PumpUntil([&] { return device.ReceivedCodes().size() >= FullConnect().size(); }, 2000);
    EXPECT_EQ(device.ReceivedCodes(), FullConnect());
    EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(device.Image()));
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
    EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(LUnitControl::DefaultImage()));

    device.SetFaults({});
    PumpUntil([] { return false; }, 100); // what the closed connection still carried is received
    device.ClearReceived();
    rig.ClearSent();
    ASSERT_TRUE(rig.OpenTcp(device.Port()));
    ASSERT_TRUE(rig.ReadDone());
    PumpUntil([&] { return device.ReceivedCodes().size() >= FullConnect().size(); }, 2000);
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

// ---- every operation and fault over both byte links ----

namespace fs = std::filesystem;

struct Transport {
    const char* name;
    bool tcp;
};
const Transport kTransports[] = {{"loopback TCP", true}, {"pty", false}};

bool StartDevice(morvex_device::TestDevice& device, const Transport& t)
{
    return t.tcp ? device.StartTcp(0) : device.StartPty();
}

bool OpenLink(CoreRig& rig, morvex_device::TestDevice& device, const Transport& t)
{
    return t.tcp ? rig.OpenTcp(device.Port()) : rig.OpenPty(device.PtyPath());
}

bool EndsWithEvent(CoreRig& rig, const std::string& event, int timeoutMs = 10000)
{
    return PumpUntil([&] { return rig.HasEvent(event) || !rig.LinkOpen(); }, timeoutMs) &&
           rig.HasEvent(event);
}

TEST(SyncOverLink, LockStorePresetsCopyFilesOverTcpAndPty)
{
    for (const Transport& t : kTransports) {
        SCOPED_TRACE(t.name);
        TempDir dir{"morvex-link"};
        morvex_device::TestDevice device;
        device.SetImage(SampleImage(3));
        device.SetLock(true, "4719");
        device.WithState([](morvex_device::DeviceState& s) {
            s.StorePreset(2, SampleImage(2));
            s.StorePreset(5, SampleImage(5));
            for (int i = 0; i < 18; ++i)
                s.Store[i] = static_cast<uint8_t>(0x40 + i);
        });
        ASSERT_TRUE(StartDevice(device, t));
        CoreRig rig;
        ASSERT_TRUE(OpenLink(rig, device, t));

        // Locked: wrong password, then the right one; the read follows.
        ASSERT_TRUE(EndsWithEvent(rig, "unlock-prompt"));
        EXPECT_EQ(rig.Machine.ProcessState(), PS_LOCKED);
        rig.Machine.SubmitPassword("1234");
        ASSERT_TRUE(EndsWithEvent(rig, "message Password Error!!"));
        rig.Machine.SubmitPassword("4719");
        ASSERT_TRUE(EndsWithEvent(rig, "show-all"));
        ASSERT_TRUE(rig.ReadDone());
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(device.Image()));
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(SampleImage(3)));

        // Store as preset 4: the device keeps the live set and the name.
        rig.ClearEvents();
        std::array<uint8_t, kPresetNameSize> name{};
        std::memcpy(name.data(), "Over the link ", kPresetNameSize);
        rig.Machine.StorePreset(3, name);
        ASSERT_TRUE(EndsWithEvent(rig, "progress-closed"));
        device.WithState([&](morvex_device::DeviceState& s) {
            EXPECT_TRUE(s.Presets[3].Stored);
            EXPECT_EQ(std::string(s.Presets[3].Body.begin() + 2, s.Presets[3].Body.begin() + 16),
                      "Over the link ");
        });

        // Recall preset 2: device and model hold its set.
        rig.ClearEvents();
        rig.Machine.RecallPreset(2);
        ASSERT_TRUE(EndsWithEvent(rig, "show-all"));
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(device.Image()));
        EXPECT_EQ(rig.Unit.GetGain(0), SampleImage(2).inputs[0].gain);

        // Channel copy A onto B: the device copies, the model reads it back.
        rig.ClearEvents();
        ASSERT_TRUE(rig.Machine.CopyChannel(0, 1, true));
        ASSERT_TRUE(EndsWithEvent(rig, "show-all"));
        EXPECT_EQ(device.Image().inputs[1].gain, device.Image().inputs[0].gain);
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(device.Image()));

        // Factory default: everything read again.
        rig.ClearEvents();
        rig.Machine.FactoryReset();
        ASSERT_TRUE(EndsWithEvent(rig, "show-all"));
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(device.Image()));

        // A preset file goes down field by field and comes back byte for byte.
        ParamImage fileSet = SampleImage(11);
        {
            LUnitControl source;
            source.StoreImage(fileSet);
            ASSERT_TRUE(SavePresetFile(source, (dir.Path / "live").string()));
        }
        const std::vector<uint8_t> presetFile = ReadFileBytes(dir.Path / "live.prs");
        rig.ClearEvents();
        ASSERT_TRUE(rig.Machine.OpenPresetFile((dir.Path / "live.prs").string()));
        ASSERT_TRUE(EndsWithEvent(rig, "progress-closed"));
        EXPECT_FALSE(rig.Machine.Busy());
        const ParamImage onDevice = device.Image();
        const auto* dev = reinterpret_cast<const uint8_t*>(&onDevice);
        EXPECT_TRUE(std::equal(dev + 2, dev + 2 + kStreamSize, presetFile.begin() + 16))
            << "the device holds the file";
        ASSERT_TRUE(SavePresetFile(rig.Unit, (dir.Path / "again").string()));
        EXPECT_EQ(ReadFileBytes(dir.Path / "again.prs"), presetFile);

        // Upload: presets 2, 4 and 5 into a byte-exact unit file.
        const auto presets = device.WithState([](morvex_device::DeviceState& s) { return s.Presets; });
        const auto info = device.WithState([](morvex_device::DeviceState& s) { return s.Store; });
        std::vector<uint8_t> expected(kFileMagic, kFileMagic + 16);
        expected.insert(expected.end(), info.begin(), info.begin() + 18);
        for (int k = 0; k < 20; ++k) {
            if (presets[k].Stored) {
                expected.push_back(static_cast<uint8_t>(k + 1));
                expected.insert(expected.end(), presets[k].Body.begin(), presets[k].Body.begin() + 1079);
            } else {
                expected.insert(expected.end(), 1080, 0x64);
            }
            expected.push_back(0x0D);
            expected.push_back(0x0A);
        }
        rig.SaveName = (dir.Path / "all").string();
        rig.Machine.StartUnitUpload();
        ASSERT_TRUE(PumpUntil([&] { return fs::exists(dir.Path / "all.unt") || !rig.LinkOpen(); }, 20000));
        EXPECT_EQ(ReadFileBytes(dir.Path / "all.unt"), expected);

        // Download into an emptied store: the same presets, then the device resets and the link closes.
        device.WithState([](morvex_device::DeviceState& s) {
            for (auto& p : s.Presets)
                p = {};
        });
        rig.OpenName = (dir.Path / "all.unt").string();
        rig.Machine.StartUnitDownload();
        ASSERT_TRUE(PumpUntil([&] { return !rig.LinkOpen(); }, 20000));
        EXPECT_TRUE(rig.HasEvent("link-closed"));
        EXPECT_FALSE(rig.HasEvent("link-lost"));
        EXPECT_TRUE(rig.MainEnabled);
        device.WithState([&](morvex_device::DeviceState& s) {
            for (int k = 0; k < 20; ++k) {
                SCOPED_TRACE(k);
                EXPECT_EQ(s.Presets[k].Stored, presets[k].Stored);
                if (presets[k].Stored) {
                    EXPECT_TRUE(std::equal(s.Presets[k].Body.begin(), s.Presets[k].Body.begin() + 1079,
                                           presets[k].Body.begin()));
                }
            }
        });
        device.Stop();
    }
}

// ---- faults in the middle of an operation, through the real link ----

std::vector<std::string> FilesIn(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

enum class MidFault { SilentInRead, OtherId, DropInUpload, DropInDownload };

// The editor never hangs, reports the loss (or the other device), keeps no half-read set and
// writes no partial file; after a reconnect to a sound device only the connection's own read goes out.
void FaultsInTheMiddle(const Transport& t)
{
    struct Case {
        const char* name;
        MidFault fault;
        const char* event;
    } cases[] = {
        {"silent in the middle of the full read", MidFault::SilentInRead, "link-lost"},
        {"answers with another id", MidFault::OtherId, "other-device"},
        {"drops the link during a unit upload", MidFault::DropInUpload, "link-lost"},
        {"drops the link during a unit download", MidFault::DropInDownload, "link-lost"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir{"morvex-link"};
        morvex_device::TestDevice device;
        device.SetImage(SampleImage(4));
        device.WithState([](morvex_device::DeviceState& s) {
            s.StorePreset(2, SampleImage(2));
            s.StorePreset(5, SampleImage(5));
        });
        morvex_device::DeviceFaults faults;
        if (c.fault == MidFault::SilentInRead)
            faults.SilentAfter = 30; // 16, 19, 44, 34, 20, the 20 names and 5 of the 22 blocks
        if (c.fault == MidFault::OtherId)
            faults.ReplyId = 9;
        device.SetFaults(faults);
        ASSERT_TRUE(StartDevice(device, t));
        CoreRig rig;
        if (c.fault == MidFault::SilentInRead)
            rig.TimeoutCap = 400; // silence is found by the time-outs; a drop is seen at once
        ASSERT_TRUE(OpenLink(rig, device, t));

        std::vector<std::string> files;
        if (c.fault == MidFault::DropInUpload || c.fault == MidFault::DropInDownload) {
            ASSERT_TRUE(rig.ReadDone());
            ASSERT_TRUE(rig.Machine.Online());
            if (c.fault == MidFault::DropInDownload) {
                LUnitImage unit;
                for (int k : {0, 3, 7}) {
                    unit.Stored[k] = true;
                    unit.Presets[k].fill(static_cast<uint8_t>(k + 1));
                    unit.Presets[k][0] = kPresetStoredMark;
                }
                ASSERT_TRUE(SaveUnitFile(unit, (dir.Path / "down").string()));
                rig.OpenName = (dir.Path / "down.unt").string();
                files.push_back("down.unt");
            } else {
                rig.SaveName = (dir.Path / "all").string();
            }
            faults.DropAfter = static_cast<int>(device.ReceivedFrames().size()) + 10;
            device.SetFaults(faults);
            rig.ClearEvents();
            if (c.fault == MidFault::DropInDownload)
                rig.Machine.StartUnitDownload();
            else
                rig.Machine.StartUnitUpload();
            if (c.fault == MidFault::DropInDownload) {
                EXPECT_FALSE(rig.MainEnabled);
            }
        }

        ASSERT_TRUE(PumpUntil([&] { return rig.HasEvent(c.event); }, 5000))
            << ::testing::PrintToString(rig.Events());
        if (c.fault == MidFault::OtherId) {
            PumpUntil([] { return false; }, 50);
            EXPECT_EQ(rig.SentCodes(), (Codes{16}));
            rig.CloseLink(); // the scan drops the transport of another device
        } else {
            EXPECT_FALSE(rig.LinkOpen());
        }
        EXPECT_FALSE(rig.Machine.Busy());
        EXPECT_FALSE(rig.Machine.Connected());
        EXPECT_TRUE(rig.MainEnabled);
        if (c.fault == MidFault::SilentInRead) {
            EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(LUnitControl::DefaultImage()))
                << "no half-read set";
        }
        if (c.fault == MidFault::DropInUpload)
            PumpUntil([] { return false; }, 350); // past the upload's 300 ms save timer
        EXPECT_EQ(FilesIn(dir.Path), files) << "no partial unit file";
        const size_t toFirst = device.ReceivedFrames().size();

        // Another sound device (TCP: on another port; a dropped pty is gone for good).
        morvex_device::TestDevice again;
        again.SetImage(SampleImage(6));
        ASSERT_TRUE(StartDevice(again, t));
        rig.ClearSent();
        rig.ClearEvents();
        ASSERT_TRUE(OpenLink(rig, again, t));
        ASSERT_TRUE(rig.ReadDone());
        PumpUntil([] { return false; }, 100);
        EXPECT_EQ(again.ReceivedCodes(), FullConnect());
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(SampleImage(6)));
        EXPECT_FALSE(rig.HasEvent("link-lost"));
        EXPECT_EQ(device.ReceivedFrames().size(), toFirst) << "nothing more to the first device";
    }
}

TEST(SyncOverLink, FaultsInTheMiddleOverTcp)
{
    FaultsInTheMiddle(kTransports[0]);
}
TEST(SyncOverLink, FaultsInTheMiddleOverPty)
{
    FaultsInTheMiddle(kTransports[1]);
}

} // namespace
