// Unit upload and download, and the preset and unit files, against the in-process test device.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "SyncRig.h"
#include "model/PresetFile.h"

namespace
{

namespace fs = std::filesystem;
using Codes = std::vector<uint8_t>;

void WriteAll(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class SyncFiles : public ::testing::Test
{
  protected:
    SyncFiles()
    {
        std::string pattern = (fs::temp_directory_path() / "morvex-sync-XXXXXX").string();
        Dir = mkdtemp(pattern.data());
        Rig.Exchange = std::ref(Device);
    }
    ~SyncFiles() override { fs::remove_all(Dir); }

    void ConnectAndRead()
    {
        Rig.Connect();
        ASSERT_TRUE(Rig.Machine.Connected());
        Rig.ClearSent();
        Rig.ClearEvents();
    }

    // Presets 2 and 5 stored, unit information 1..18.
    void StoreSamplePresets(morvex_device::DeviceState& state)
    {
        state.StorePreset(2, SampleImage(2));
        state.StorePreset(5, SampleImage(5));
        for (int i = 0; i < 18; ++i)
            state.Store[i] = static_cast<uint8_t>(i + 1);
    }

    // The unit file of presets 2 and 5 as the format lays it out.
    std::vector<uint8_t> ExpectedUnitFile(const morvex_device::DeviceState& state)
    {
        std::vector<uint8_t> file(kFileMagic, kFileMagic + 16);
        file.insert(file.end(), state.Store.begin(), state.Store.begin() + 18);
        for (int k = 0; k < 20; ++k) {
            if (state.Presets[k].Stored) {
                file.push_back(static_cast<uint8_t>(k + 1));
                file.insert(file.end(), state.Presets[k].Body.begin(), state.Presets[k].Body.begin() + 1079);
            } else {
                file.insert(file.end(), 1080, 0x64);
            }
            file.push_back(0x0D);
            file.push_back(0x0A);
        }
        return file;
    }

    fs::path Dir;
    InProcessDevice Device;
    SyncRig Rig;
};

TEST_F(SyncFiles, UploadWritesTheByteExactUnitFile)
{
    StoreSamplePresets(Device.State);
    ConnectAndRead();
    Rig.SaveName = (Dir / "all").string();
    Rig.Machine.StartUnitUpload();
    Rig.Run();

    Codes expected = {25, 36};
    expected.insert(expected.end(), 22, 40);
    expected.push_back(36);
    expected.insert(expected.end(), 22, 40);
    expected.push_back(18);
    EXPECT_EQ(Rig.SentCodes(), expected);
    const BSTM read = Rig.Sent()[0];
    EXPECT_EQ(BSTM(read.begin() + 6, read.begin() + 9), (BSTM{0, 0, 18}))
        << "unit information from address 0, 18 bytes";
    EXPECT_EQ(Rig.Sent()[1][6], 2);
    EXPECT_EQ(Rig.Sent()[24][6], 5);
    EXPECT_TRUE(Rig.HasEvent("progress-closed"));
    EXPECT_FALSE(fs::exists(Dir / "all.unt")) << "the file waits for the upload timer";

    Rig.Advance(300);
    const std::vector<uint8_t> file = ReadFileBytes(Dir / "all.unt");
    ASSERT_EQ(file.size(), 21674u);
    EXPECT_EQ(file, ExpectedUnitFile(Device.State));
}

// A device that answers one request twice: the copy arrives after the next request went out, as
// when a reply came later than the time-out and the request was written again.
struct AnswersTwice {
    InProcessDevice* Device;
    SyncRig* Rig;
    uint8_t Code; // the request answered twice: its nth occurrence
    int Nth;
    int Seen = 0;
    std::optional<BSTM> Copy;

    std::optional<BSTM> operator()(const BSTM& frame)
    {
        if (Copy) {
            Rig->Machine.DispatchReply(*Copy);
            Copy.reset();
        }
        std::optional<BSTM> reply = (*Device)(frame);
        if (reply && frame.size() > 5 && frame[5] == Code && ++Seen == Nth)
            Copy = reply;
        return reply;
    }
};

TEST_F(SyncFiles, ASecondCopyOfAnAnswerNeverEndsAnOperation)
{
    enum class Op { Read, Upload, Download };
    struct Case {
        const char* name;
        Op op;
        uint8_t code;
        int nth;
    } cases[] = {
        {"a second name in the read", Op::Read, 41, 4},
        {"a second block in the read", Op::Read, 39, 6},
        {"a second unit information in the upload", Op::Upload, 25, 1},
        {"a second block in the upload", Op::Upload, 40, 3},
        {"the last block of a preset twice in the upload", Op::Upload, 40, 22},
        {"a second chunk acknowledgement in the download", Op::Download, 37, 5},
        {"the last chunk of a preset acknowledged twice", Op::Download, 37, 22},
    };
    StoreSamplePresets(Device.State);
    Device.State.SetImage(SampleImage(12));
    WriteAll(Dir / "all.unt", ExpectedUnitFile(Device.State));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessDevice device;
        device.State = Device.State;
        SyncRig rig;
        AnswersTwice twice{&device, &rig, c.code, c.nth, 0, std::nullopt};
        rig.Exchange = std::ref(twice);
        if (c.op != Op::Read) {
            rig.Exchange = std::ref(device);
            rig.Connect();
            rig.Exchange = std::ref(twice);
        }
        rig.SaveName = (Dir / "up").string();
        rig.OpenName = (Dir / "all.unt").string();
        switch (c.op) {
        case Op::Read:
            rig.Connect();
            break;
        case Op::Upload:
            rig.Machine.StartUnitUpload();
            break;
        case Op::Download:
            rig.Machine.StartUnitDownload();
            break;
        }
        rig.Run();
        rig.Advance(300);
        EXPECT_GE(twice.Seen, c.nth) << "the request was answered twice";
        for (const std::string& e : rig.Events())
            EXPECT_EQ(e.rfind("info ", 0), std::string::npos) << e;
        EXPECT_FALSE(rig.Machine.Busy());
        if (c.op == Op::Read) {
            EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(device.State.Image()));
        }
        if (c.op == Op::Upload) {
            EXPECT_EQ(ReadFileBytes(Dir / "up.unt"), ExpectedUnitFile(Device.State));
        }
        if (c.op == Op::Download) {
            EXPECT_FALSE(rig.LinkOpen()) << "the download ended with the reset";
            EXPECT_EQ(rig.SentCodes().back(), 4);
        }
        fs::remove(Dir / "up.unt");
    }
}

TEST_F(SyncFiles, DownloadLeavesTheDeviceHoldingTheSamePresets)
{
    StoreSamplePresets(Device.State);
    const std::vector<uint8_t> file = ExpectedUnitFile(Device.State);
    WriteAll(Dir / "all.unt", file);

    InProcessDevice fresh;
    Rig.Exchange = std::ref(fresh);
    ConnectAndRead();
    Rig.OpenName = (Dir / "all.unt").string();
    Rig.Machine.StartUnitDownload();
    EXPECT_FALSE(Rig.MainEnabled);
    EXPECT_EQ(Rig.Machine.ProgressMax(), 2) << "only the stored presets count";
    Rig.Run();

    Codes expected = {35, 26};
    expected.insert(expected.end(), 44, 37);
    expected.push_back(4);
    EXPECT_EQ(Rig.SentCodes(), expected);
    const std::vector<BSTM> sent = Rig.Sent();
    EXPECT_EQ(BSTM(sent[1].begin() + 6, sent[1].begin() + 9), (BSTM{1, 0, 17}));
    for (int m = 0; m < 22; ++m) {
        EXPECT_EQ(sent[2 + m][6], m);
        EXPECT_EQ(sent[2 + m][7], 1) << "preset 2 is index 1 in every chunk";
        EXPECT_EQ(sent[24 + m][7], 4);
        EXPECT_EQ(sent[2 + m].size(), 8u + 1 + 2 + 50);
    }
    EXPECT_TRUE(Rig.MainEnabled);
    EXPECT_TRUE(Rig.LinkOpen());
    Rig.Advance(300);
    EXPECT_FALSE(Rig.LinkOpen());

    for (int k = 0; k < 20; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(fresh.State.Presets[k].Stored, Device.State.Presets[k].Stored);
        if (!Device.State.Presets[k].Stored)
            continue;
        // The file carries bytes 0..1078; the rest goes down as zeros, never as another preset's bytes.
        const auto& got = fresh.State.Presets[k].Body;
        const auto& want = Device.State.Presets[k].Body;
        EXPECT_TRUE(std::equal(got.begin(), got.begin() + 1079, want.begin()));
        EXPECT_TRUE(std::all_of(got.begin() + 1079, got.end(), [](uint8_t b) { return b == 0; }));
    }
    EXPECT_TRUE(std::equal(fresh.State.Store.begin() + 1, fresh.State.Store.begin() + 18,
                           Device.State.Store.begin() + 1));
}

TEST_F(SyncFiles, BadUnitFilesAreRefusedBeforeAnythingIsSent)
{
    morvex_device::DeviceState source;
    StoreSamplePresets(source);
    source.StorePreset(20, SampleImage(20));
    const std::vector<uint8_t> full = ExpectedUnitFile(source);
    std::vector<uint8_t> badHead = full;
    badHead[3] = 'x';
    std::vector<uint8_t> badNumber = full;
    badNumber[34 + 1082 * 1] = 7; // block of preset 2 claims preset 7
    std::vector<uint8_t> longer = full;
    longer.push_back(0);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"21633 bytes", std::vector<uint8_t>(full.begin(), full.begin() + 21633)},
        {"longer", longer},
        {"wrong head", badHead},
        {"block number", badNumber},
        {"empty", {}},
    };
    ConnectAndRead();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(Dir / "bad.unt", c.bytes);
        Rig.OpenName = (Dir / "bad.unt").string();
        Rig.ClearEvents();
        Rig.Machine.StartUnitDownload();
        Rig.Run();
        EXPECT_TRUE(Rig.Sent().empty());
        EXPECT_EQ(Rig.Events(), (std::vector<std::string>{"info SID_INFO_ERROR_DOWNLAOD"}));
        EXPECT_TRUE(Rig.MainEnabled);
    }
    Rig.OpenName = (Dir / "missing.unt").string();
    Rig.ClearEvents();
    Rig.Machine.StartUnitDownload();
    EXPECT_EQ(Rig.Events(), (std::vector<std::string>{"info SID_INFO_ERROR_DOWNLAOD"}));
}

// A file down to 21634 bytes is taken; its last block ends short and is completed with zero bytes,
// also when preset 20 is stored there.
TEST_F(SyncFiles, ShortUnitFilesAreTakenAndTheirLastPresetCompletedWithZeros)
{
    struct Case {
        const char* name;
        size_t size;
        bool preset20;
    } cases[] = {
        {"21634 bytes, preset 20 empty", 21634, false},
        {"21634 bytes, preset 20 stored", 21634, true},
        {"21640 bytes, preset 20 stored", 21640, true},
        {"21673 bytes, preset 20 stored", 21673, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        morvex_device::DeviceState source;
        StoreSamplePresets(source);
        if (c.preset20)
            source.StorePreset(20, SampleImage(20));
        std::vector<uint8_t> file = ExpectedUnitFile(source);
        file.resize(c.size);
        WriteAll(Dir / "short.unt", file);

        InProcessDevice fresh;
        SyncRig rig;
        rig.Exchange = std::ref(fresh);
        rig.Connect();
        rig.ClearSent();
        rig.OpenName = (Dir / "short.unt").string();
        rig.Machine.StartUnitDownload();
        rig.Run();
        EXPECT_FALSE(rig.HasEvent("info SID_INFO_ERROR_DOWNLAOD"));
        const Codes codes = rig.SentCodes();
        ASSERT_FALSE(codes.empty());
        EXPECT_EQ(codes.front(), 35);
        EXPECT_EQ(codes.back(), 4);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), 37), 22 * (c.preset20 ? 3 : 2));
        EXPECT_EQ(fresh.State.Presets[19].Stored, c.preset20);
        if (c.preset20) {
            // Block 20 starts at 34 + 19 * 1082: the file holds preset bytes 0 .. size - 20594.
            const size_t have = c.size - (34 + 19 * 1082) - 1;
            const auto& got = fresh.State.Presets[19].Body;
            const auto& want = source.Presets[19].Body;
            EXPECT_TRUE(std::equal(got.begin(), got.begin() + have, want.begin()));
            EXPECT_TRUE(std::all_of(got.begin() + have, got.end(), [](uint8_t b) { return b == 0; }));
        }
    }
}

TEST_F(SyncFiles, LinkDroppedInADownloadOrUploadLeavesNothingHalfDone)
{
    StoreSamplePresets(Device.State);
    WriteAll(Dir / "all.unt", ExpectedUnitFile(Device.State));

    // Download: lost after a few chunks.
    InProcessDevice target;
    Rig.Exchange = std::ref(target);
    ConnectAndRead();
    target.SilentAfter = target.Answered + 10;
    Rig.OpenName = (Dir / "all.unt").string();
    Rig.Machine.StartUnitDownload();
    Rig.Run();
    EXPECT_TRUE(Rig.HasEvent("link-lost"));
    EXPECT_TRUE(Rig.HasEvent("progress-closed"));
    EXPECT_TRUE(Rig.MainEnabled);
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_IDLE);
    EXPECT_FALSE(Rig.Machine.Busy());

    // The reconnect reads and sends nothing of the download.
    target.SilentAfter = -1;
    Rig.ClearSent();
    Rig.Connect();
    for (uint8_t code : Rig.SentCodes()) {
        EXPECT_NE(code, 37);
        EXPECT_NE(code, 26);
        EXPECT_NE(code, 35);
    }

    // Upload: lost in the second preset; no file appears.
    Rig.Exchange = std::ref(Device);
    ConnectAndRead();
    Device.SilentAfter = Device.Answered + 30;
    Rig.SaveName = (Dir / "partial").string();
    Rig.Machine.StartUnitUpload();
    Rig.Run();
    Rig.Advance(1000);
    EXPECT_TRUE(Rig.HasEvent("link-lost"));
    EXPECT_FALSE(fs::exists(Dir / "partial.unt"));
}

TEST_F(SyncFiles, UploadWithNothingStoredAndFailedWritesAreReported)
{
    ConnectAndRead();
    Rig.Machine.StartUnitUpload();
    EXPECT_EQ(Rig.Events(), (std::vector<std::string>{"info SID_INFO_NO_SAVE_EXIST"}));
    EXPECT_TRUE(Rig.Sent().empty());

    StoreSamplePresets(Device.State);
    Rig.Connect();
    Rig.ClearEvents();
    Rig.SaveName = (Dir / "no-such-folder" / "x").string();
    Rig.Machine.StartUnitUpload();
    Rig.Run();
    Rig.Advance(300);
    EXPECT_TRUE(Rig.HasEvent("info SID_INFO_ERROR_FILE"));
    EXPECT_FALSE(fs::exists(Dir / "no-such-folder"));
}

TEST_F(SyncFiles, PresetFileRoundTripIsByteExactAndReachesTheDevice)
{
    Device.State.SetImage(SampleImage(13));
    ConnectAndRead();
    std::string written;
    ASSERT_TRUE(SavePresetFile(Rig.Unit, (Dir / "live").string(), &written));
    const std::vector<uint8_t> saved = ReadFileBytes(written);
    ASSERT_EQ(saved.size(), 1086u);

    InProcessDevice other;
    SyncRig rig;
    rig.Exchange = std::ref(other);
    rig.Connect();
    rig.ClearSent();
    ASSERT_TRUE(rig.Machine.OpenPresetFile(written));
    EXPECT_TRUE(rig.HasEvent("progress-modal"));
    rig.Run();
    const Codes codes = rig.SentCodes();
    ASSERT_EQ(codes.size(), 283u + 2);
    EXPECT_EQ(codes[283], 64);
    EXPECT_EQ(codes[284], 18);
    EXPECT_TRUE(rig.HasEvent("progress-closed"));
    EXPECT_FALSE(rig.Machine.Busy());

    // The device now holds the file's set; saving the model again gives the same bytes.
    const std::vector<uint8_t> dev = ImageBody(other.State.Image());
    const std::vector<uint8_t> file = ImageBody(Rig.Unit.GetImage());
    EXPECT_TRUE(std::equal(dev.begin(), dev.begin() + 1068, file.begin()));
    ASSERT_TRUE(SavePresetFile(rig.Unit, (Dir / "again.prs").string(), &written));
    EXPECT_EQ(ReadFileBytes(written), saved);
}

TEST_F(SyncFiles, PresetLoadEndsOnlyWhenALevelReplyFindsPositionAboveTen)
{
    Device.State.SetImage(SampleImage(14));
    ConnectAndRead();
    std::string written;
    ASSERT_TRUE(SavePresetFile(Rig.Unit, (Dir / "steps").string(), &written));
    Rig.Connect();
    Rig.ClearSent();
    Rig.ClearEvents();

    // The replies arrive by hand; the queued frames are never run.
    ASSERT_TRUE(Rig.Machine.OpenPresetFile(written));
    ASSERT_EQ(Rig.SentCodes().size(), 284u);
    EXPECT_EQ(Rig.SentCodes().back(), 64);
    const auto ack = [&] { Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, 1, {})); };
    const auto levels = [&] {
        Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, 64, BSTM(20, 0)));
    };
    for (int i = 0; i < 10; ++i)
        ack();
    EXPECT_EQ(Rig.Machine.ProgressPosition(), 10);
    levels();
    EXPECT_TRUE(Rig.Machine.Busy()) << "at 10 a level reply only updates the meters";
    EXPECT_FALSE(Rig.HasEvent("progress-closed"));
    EXPECT_EQ(Rig.SentCodes().size(), 284u);

    ack();
    EXPECT_EQ(Rig.Machine.ProgressPosition(), 11);
    levels();
    EXPECT_FALSE(Rig.Machine.Busy());
    EXPECT_TRUE(Rig.HasEvent("progress-closed"));
    ASSERT_EQ(Rig.SentCodes().size(), 285u);
    EXPECT_EQ(Rig.SentCodes().back(), 18);

    // Once ended, later level replies and acknowledgements do nothing more.
    levels();
    ack();
    EXPECT_EQ(Rig.SentCodes().size(), 285u);
}

TEST_F(SyncFiles, PresetLoadOfflineStoresEverythingAndSendsNothing)
{
    Device.State.SetImage(SampleImage(15));
    ConnectAndRead();
    std::string written;
    ASSERT_TRUE(SavePresetFile(Rig.Unit, (Dir / "offline").string(), &written));
    const std::vector<uint8_t> file = ImageBody(Rig.Unit.GetImage());

    SyncRig rig;
    InProcessDevice other;
    rig.Exchange = std::ref(other);
    ASSERT_TRUE(rig.Machine.OpenPresetFile(written));
    EXPECT_TRUE(rig.Sent().empty());
    EXPECT_FALSE(rig.Machine.Busy());
    EXPECT_TRUE(rig.HasEvent("show-all"));
    const std::vector<uint8_t> got = ImageBody(rig.Unit.GetImage());
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + 1068, file.begin()));

    // A later connection reads the device as usual; no leftover of the load ends anything.
    rig.Connect();
    EXPECT_FALSE(rig.Machine.Busy());
    EXPECT_EQ(rig.SentCodes().back(), 18);
    rig.ClearSent();
    rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, 64, BSTM(20, 0)));
    EXPECT_TRUE(rig.Sent().empty());
}

TEST_F(SyncFiles, BadPresetFilesLeaveModelAndDeviceAlone)
{
    Device.State.SetImage(SampleImage(1));
    ConnectAndRead();
    const std::vector<uint8_t> good = BuildPresetFile(Rig.Unit);
    std::vector<uint8_t> head = good;
    head[0] = '#';
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"1085 bytes", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"1087 bytes",
         [&] {
             auto b = good;
             b.push_back(0);
             return b;
         }()},
        {"wrong head", head},
        {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + 500)},
    };
    const std::vector<uint8_t> before = ImageBody(Rig.Unit.GetImage());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(Dir / "bad.prs", c.bytes);
        Rig.ClearEvents();
        EXPECT_FALSE(Rig.Machine.OpenPresetFile((Dir / "bad.prs").string()));
        EXPECT_EQ(Rig.Events(), (std::vector<std::string>{"info SID_INFO_ERROR_FILE"}));
        EXPECT_TRUE(Rig.Sent().empty());
        EXPECT_EQ(ImageBody(Rig.Unit.GetImage()), before);
        EXPECT_FALSE(Rig.Machine.Busy());
    }
    Rig.ClearEvents();
    EXPECT_FALSE(Rig.Machine.OpenPresetFile((Dir / "missing.prs").string()));
    EXPECT_EQ(Rig.Events(), (std::vector<std::string>{"info SID_INFO_ERROR_FILE"}));
    EXPECT_TRUE(Rig.Sent().empty());
    EXPECT_EQ(ImageBody(Rig.Unit.GetImage()), before);

    // No load is left waiting: a level reply ends nothing and sends nothing.
    Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, 64, BSTM(20, 0)));
    EXPECT_TRUE(Rig.Sent().empty());
}

TEST(UnitFileNames, SaveNameRules)
{
    struct Case {
        const char* name;
        const char* chosen;
        const char* written;
    } cases[] = {
        {"plain", "all", "all.unt"},
        {"lower", "all.unt", "all.unt"},
        {"upper", "all.UNT", "all.unt"},
        {"mixed", "all.Unt", "all.Unt.unt"},
        {"after", "a.unt.old", "a.unt"},
        {"other", "my.set", "my.set.unt"},
        {"folder dot", "/tmp/x.unt.d/all", "/tmp/x.unt.d/all.unt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NormaliseUnitFileName(c.chosen), c.written);
    }
}

} // namespace
