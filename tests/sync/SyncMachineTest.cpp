// The connection state machine against the in-process test device: handshake, full read, lock,
// stored-preset operations, link changes, and hostile or missing replies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "SyncRig.h"

namespace
{

using Codes = std::vector<uint8_t>;

Codes Repeat(Codes head, uint8_t code, int n, Codes tail = {})
{
    for (int i = 0; i < n; ++i)
        head.push_back(code);
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const Codes kFullRead = Repeat(Repeat({34, 20}, 41, 20), 39, 22, {18});

class SyncTest : public ::testing::Test
{
  protected:
    SyncTest() { Rig.Exchange = std::ref(Device); }

    void ConnectAndRead()
    {
        Rig.Connect();
        Rig.Advance(2000);
        ASSERT_TRUE(Rig.Machine.Connected());
        ASSERT_FALSE(Rig.Machine.Busy());
        Rig.ClearSent();
        Rig.ClearEvents();
    }

    InProcessDevice Device;
    SyncRig Rig;
};

TEST_F(SyncTest, ConnectAndFullReadSendsTheExactSequenceAndTakesTheDeviceImage)
{
    Device.State.SetImage(SampleImage(7));
    Device.State.Presets[3].Stored = true;
    Device.State.PresetNumber = 4;

    Rig.Connect();

    Codes expected = {16, 19, 44};
    expected.insert(expected.end(), kFullRead.begin(), kFullRead.end());
    EXPECT_EQ(Rig.SentCodes(), expected);
    // Names asked 0..19, blocks 0..21, each once and in order.
    const std::vector<BSTM> sent = Rig.Sent();
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(sent[5 + n][6], n);
    for (int k = 0; k < 22; ++k)
        EXPECT_EQ(sent[25 + k][6], k);
    EXPECT_TRUE(Rig.SentCoalescing()[3]) << "34 after an unlocked status is coalescing";
    EXPECT_TRUE(Rig.SentCoalescing().back()) << "the closing 18 is coalescing";

    EXPECT_EQ(ImageBody(Rig.Unit.GetImage()), ImageBody(Device.State.Image()));
    EXPECT_TRUE(Rig.Unit.IsPresetStored(3));
    EXPECT_FALSE(Rig.Unit.IsPresetStored(0));
    EXPECT_EQ(Rig.Machine.PresetNumber(), 4);
    EXPECT_TRUE(Rig.Machine.Online());
    EXPECT_EQ(Rig.Timeout, 1000);
    EXPECT_TRUE(Rig.HasEvent("online NET"));
    EXPECT_TRUE(Rig.HasEvent("show-all"));
    EXPECT_TRUE(Rig.LevelPoll);

    // Position 0, then each block number received below 21, then 22.
    std::vector<int> positions = {0};
    for (int k = 0; k < 21; ++k)
        positions.push_back(k);
    positions.push_back(22);
    EXPECT_EQ(Rig.ProgressPositions, positions);

    // The read ended before the dialog was due: it is never shown afterwards.
    Rig.Advance(200);
    EXPECT_FALSE(Rig.HasEvent("progress-modal"));
}

TEST_F(SyncTest, IdentityCheck)
{
    struct Case {
        const char* name;
        const char* identity;
        const char* key; // nullptr: accepted
    } cases[] = {
        {"exact", "MORVEX V010", nullptr},
        {"longer text", "MORVEX V010 build 7", nullptr},
        {"other version", "MORVEX V011", "SID_INFO_ERROR_VERSION"},
        {"model only", "MORVEX", "SID_INFO_ERROR_VERSION"},
        {"other model", "MORVEY V010", "SID_INFO_ERROR_UNIT"},
        {"short", "MORV", "SID_INFO_ERROR_UNIT"},
        {"empty", "", "SID_INFO_ERROR_UNIT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessDevice device;
        device.State.Identity = c.identity;
        SyncRig rig;
        rig.Exchange = std::ref(device);
        rig.Connect();
        EXPECT_TRUE(rig.HasEvent("connect-result 1")) << "the scan counts any identity as an answer";
        if (!c.key) {
            EXPECT_TRUE(rig.Machine.Online());
            EXPECT_EQ(rig.SentCodes().size(), 3 + kFullRead.size());
            continue;
        }
        EXPECT_EQ(rig.SentCodes(), (Codes{16, 19, 17}));
        EXPECT_TRUE(rig.HasEvent(std::string("info ") + c.key));
        EXPECT_TRUE(rig.HasEvent("hide-scan"));
        EXPECT_FALSE(rig.Machine.Connected());
        EXPECT_TRUE(rig.LinkOpen());
        rig.Advance(300);
        EXPECT_FALSE(rig.LinkOpen()) << "closed by the disconnect timer";
        EXPECT_FALSE(rig.HasEvent("link-lost"));
    }
}

TEST_F(SyncTest, LockedDeviceWrongThenRightPassword)
{
    Device.State.Locked = true;
    Device.State.Password = {'A', 'B', '1', '2'};
    Device.State.SetImage(SampleImage(3));

    Rig.Connect();
    EXPECT_EQ(Rig.SentCodes(), (Codes{16, 19, 44}));
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_LOCKED);
    Rig.Advance(999);
    EXPECT_FALSE(Rig.HasEvent("unlock-prompt"));
    Rig.Advance(1);
    EXPECT_TRUE(Rig.HasEvent("unlock-prompt"));

    Rig.ClearSent();
    Rig.Machine.SubmitPassword("zz99");
    Rig.Run();
    Rig.Advance(100);
    EXPECT_TRUE(Rig.HasEvent("message Password Error!!"));
    EXPECT_TRUE(Rig.HasEvent("unlock-edit-reset"));
    EXPECT_EQ(Rig.SentCodes(), (Codes{45}));

    Rig.ClearSent();
    Rig.Machine.SubmitPassword("ab12"); // typed in lower case, sent in upper case
    Rig.Run();
    const BSTM submit = Rig.Sent().at(0);
    EXPECT_EQ(BSTM(submit.begin() + 6, submit.begin() + 11), (BSTM{0, 'A', 'B', '1', '2'}));
    Rig.Advance(100); // the check sees the answer
    EXPECT_EQ(Rig.SentCodes(), (Codes{45}));
    Rig.Advance(100); // then the read goes on
    Codes expected = {45};
    expected.insert(expected.end(), kFullRead.begin(), kFullRead.end());
    EXPECT_EQ(Rig.SentCodes(), expected);
    EXPECT_TRUE(Rig.HasEvent("unlock-closed"));
    EXPECT_EQ(ImageBody(Rig.Unit.GetImage()), ImageBody(Device.State.Image()));
}

TEST_F(SyncTest, UnlockTimesOutAfterThirtyOneTicks)
{
    Device.State.Locked = true;
    Rig.Connect();
    Rig.Advance(1000);
    // The device takes the submit but its answer never comes back.
    Device.Override[45] = {}; // a short answer is no answer
    Rig.ClearSent();
    Rig.Machine.SubmitPassword("4719");
    Rig.Run();
    Rig.Advance(3000);
    EXPECT_FALSE(Rig.HasEvent("message Check Time Out!"));
    Rig.Advance(100);
    EXPECT_TRUE(Rig.HasEvent("message Check Time Out!"));
    EXPECT_EQ(Rig.SentCodes(), (Codes{45, 17}));
    EXPECT_TRUE(Rig.HasEvent("unlock-closed"));
    Rig.Advance(300);
    EXPECT_FALSE(Rig.LinkOpen());
}

// The device's answer to a submit comes late, delivered by hand; the device drops its own.
class SyncUnlock : public SyncTest
{
  protected:
    void ConnectLocked()
    {
        Device.State.Locked = true;
        Device.State.Password = {'L', 'I', 'V', '3'};
        Device.State.SetImage(SampleImage(12));
        Rig.Connect();
        Rig.Advance(1000);
        ASSERT_TRUE(Rig.HasEvent("unlock-prompt"));
        Rig.ClearSent();
        Rig.ClearEvents();
    }

    void SubmitUnanswered(const std::string& text)
    {
        Device.Override[45] = {}; // too short: the machine takes no answer from it
        Rig.Machine.SubmitPassword(text);
        Rig.Run();
    }

    void Answer(uint8_t result)
    {
        Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, 45, {0, result}));
    }
};

TEST_F(SyncUnlock, AnswerAfterTwoHundredFiftyMillisecondsIsSeenByTheThirdTick)
{
    ConnectLocked();
    SubmitUnanswered("liv3");
    Rig.Advance(250);
    Answer(1);
    Rig.Advance(49);
    EXPECT_EQ(Rig.SentCodes(), (Codes{45})) << "the second tick has passed, the third not yet";
    Rig.Advance(1); // third tick at 300 ms: the command timer starts
    EXPECT_EQ(Rig.SentCodes(), (Codes{45}));
    Rig.Advance(99);
    EXPECT_EQ(Rig.SentCodes(), (Codes{45}));
    EXPECT_FALSE(Rig.HasEvent("unlock-closed"));
    Rig.Advance(1);
    Codes expected = {45};
    expected.insert(expected.end(), kFullRead.begin(), kFullRead.end());
    EXPECT_EQ(Rig.SentCodes(), expected);
    EXPECT_TRUE(Rig.HasEvent("unlock-closed"));
    EXPECT_EQ(ImageBody(Rig.Unit.GetImage()), ImageBody(Device.State.Image()));
    EXPECT_FALSE(Rig.HasEvent("message Check Time Out!"));
}

TEST_F(SyncUnlock, ASecondSubmitStartsAFreshWait)
{
    ConnectLocked();
    SubmitUnanswered("xxxx");
    Rig.Advance(2550);
    Answer(0);
    Rig.Advance(50); // the 26th tick sees the rejection
    EXPECT_TRUE(Rig.HasEvent("message Password Error!!"));
    EXPECT_TRUE(Rig.HasEvent("unlock-edit-reset"));
    EXPECT_FALSE(Rig.TimerActive(LSyncTimer::Check));

    SubmitUnanswered("LIV3");
    Rig.Advance(3000);
    EXPECT_FALSE(Rig.HasEvent("message Check Time Out!")) << "the ticks counted afresh";
    Rig.Advance(100);
    EXPECT_TRUE(Rig.HasEvent("message Check Time Out!"));
    EXPECT_EQ(Rig.SentCodes(), (Codes{45, 45, 17}));
    EXPECT_TRUE(Rig.HasEvent("unlock-closed"));
    Rig.Advance(300);
    EXPECT_FALSE(Rig.LinkOpen());
}

TEST_F(SyncTest, LockSetupOfflineSendsNothingAndCloses)
{
    Rig.Machine.SetLockPassword("4719");
    EXPECT_TRUE(Rig.Sent().empty());
    Rig.Advance(99);
    EXPECT_FALSE(Rig.HasEvent("lock-setup-closed"));
    Rig.Advance(1);
    EXPECT_TRUE(Rig.HasEvent("lock-setup-closed"));
    Rig.Advance(300);
    EXPECT_FALSE(Rig.HasEvent("link-closed")) << "no link to close";
    EXPECT_FALSE(Rig.LinkOpen());
    EXPECT_TRUE(Rig.Sent().empty());
}

TEST(SyncPassword, ShortPasswordsArePaddedAlikeInBothCommands)
{
    struct Case {
        const char* name;
        const char* typed;
        std::array<char, 4> bytes;
    } cases[] = {
        {"four", "ab12", {'A', 'B', '1', '2'}},
        {"two", "x9", {'X', '9', 0, 0}},
        {"empty", "", {0, 0, 0, 0}},
        {"longer cut", "abcdef", {'A', 'B', 'C', 'D'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LSyncMachine::PasswordBytes(c.typed), c.bytes);
        InProcessDevice device;
        SyncRig rig;
        rig.Exchange = std::ref(device);
        rig.Connect();
        rig.ClearSent();
        rig.Machine.SetLockPassword(c.typed);
        rig.Run();
        ASSERT_EQ(rig.SentCodes(), (Codes{47, 17}));
        EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.end(), device.State.Password.begin()));
        EXPECT_TRUE(device.State.Locked);
        rig.Advance(100);
        EXPECT_TRUE(rig.HasEvent("lock-setup-closed"));
        rig.Advance(300);
        EXPECT_FALSE(rig.LinkOpen());
    }
}

TEST_F(SyncTest, StorePresetStoresTheLiveSetOnTheDevice)
{
    Device.State.SetImage(SampleImage(11));
    ConnectAndRead();
    std::array<uint8_t, kPresetNameSize> name;
    std::memcpy(name.data(), "Default Preset", kPresetNameSize);
    Rig.Machine.StorePreset(4, name);
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_STORE_NAME);
    Rig.Run();

    EXPECT_EQ(Rig.SentCodes(), (Codes{38, 33, 18}));
    EXPECT_EQ(Rig.Sent()[1][6], 5);
    EXPECT_TRUE(Rig.HasEvent("labels U05 Default Preset"));
    EXPECT_TRUE(Rig.HasEvent("progress-closed"));
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_IDLE);
    ASSERT_TRUE(Device.State.Presets[4].Stored);
    ParamImage stored = morvex_device::ImageFromSet(Device.State.Presets[4].Body);
    ParamImage expected = Rig.Unit.GetImage();
    EXPECT_EQ(ImageBody(stored), ImageBody(expected));
    EXPECT_TRUE(Rig.Unit.IsPresetStored(4));
}

TEST_F(SyncTest, StoreGoesOnOneStepPerAcknowledgement)
{
    ConnectAndRead();
    std::array<uint8_t, kPresetNameSize> name;
    std::memcpy(name.data(), "Default Preset", kPresetNameSize);
    Rig.Machine.StorePreset(4, name);
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_STORE_NAME);
    EXPECT_EQ(Rig.SentCodes(), (Codes{38}));

    // The acknowledgements arrive by hand; the queued frames are never run.
    Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, 1, {}));
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_STORE);
    EXPECT_EQ(Rig.SentCodes(), (Codes{38, 33}));
    EXPECT_EQ(Rig.Sent()[1][6], 5);
    EXPECT_FALSE(Rig.HasEvent("progress-closed"));

    Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, 1, {}));
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_IDLE);
    EXPECT_EQ(Rig.SentCodes(), (Codes{38, 33, 18}));
    EXPECT_TRUE(Rig.HasEvent("progress-closed"));
    EXPECT_FALSE(Rig.Machine.Busy());

    // A further acknowledgement in state 0 changes nothing.
    Rig.ClearEvents();
    Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, 1, {}));
    EXPECT_EQ(Rig.SentCodes(), (Codes{38, 33, 18}));
    EXPECT_TRUE(Rig.Events().empty());
}

// An acknowledgement the link saw answer another request (an idle poll's, a second copy of the step
// before) never passes for the step's own; the step's own then goes on.
TEST(SyncAckIdentity, AnAcknowledgementOfAnotherRequestLeavesTheStepWaiting)
{
    const BSTM ack = morvex_device::BuildReplyFrame(1, 1, {});
    const std::array<uint8_t, kPresetNameSize> name{};
    struct Case {
        const char* name;
        std::function<void(SyncRig&)> start;
        uint8_t other;   // answered by the stray acknowledgement
        uint8_t answers; // the step's own request
        uint8_t next;    // what the step sends once acknowledged
    } cases[] = {
        {"store name", [&](SyncRig& r) { r.Machine.StorePreset(3, name); }, 18, 38, 33},
        {"store",
         [&](SyncRig& r) {
             r.Machine.StorePreset(3, name);
             r.Machine.DispatchReply(ack, 38);
         },
         38, 33, 18},
        {"recall", [](SyncRig& r) { r.Machine.RecallPreset(2); }, 18, 32, 39},
        {"factory default", [](SyncRig& r) { r.Machine.FactoryReset(); }, 18, 35, 34},
        {"channel copy", [](SyncRig& r) { r.Machine.CopyChannel(0, 1, true); }, 59, 42, 34},
        {"resync", [](SyncRig& r) { r.Machine.ResyncAllParams(); }, 59, 18, 34},
        {"upload preset select",
         [](SyncRig& r) {
             r.Machine.StartUnitUpload();
             r.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, 25, BSTM(18, 7)), 25);
         },
         18, 36, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessDevice device;
        device.State.StorePreset(2, SampleImage(2));
        SyncRig rig;
        rig.Exchange = std::ref(device);
        rig.Connect();
        c.start(rig);
        const int state = rig.Machine.ProcessState();
        const std::vector<uint8_t> before = rig.SentCodes();

        rig.Machine.DispatchReply(ack, c.other);
        EXPECT_EQ(rig.SentCodes(), before);
        EXPECT_EQ(rig.Machine.ProcessState(), state);

        rig.Machine.DispatchReply(ack, c.answers);
        ASSERT_GT(rig.SentCodes().size(), before.size());
        EXPECT_EQ(rig.SentCodes()[before.size()], c.next);
    }
}

// From its start to its end an operation holds the idle poll off: a request that a stray reply left
// unanswered is then written again by the link, never replaced by a poll.
TEST_F(SyncTest, TheIdlePollIsHeldOffWhileAnOperationRuns)
{
    Device.State.StorePreset(2, SampleImage(2));
    ConnectAndRead();
    ASSERT_FALSE(Rig.PollSuspended);
    const std::array<uint8_t, kPresetNameSize> name{};
    struct Case {
        const char* name;
        std::function<void(SyncRig&)> start;
    } cases[] = {
        {"store", [&](SyncRig& r) { r.Machine.StorePreset(3, name); }},
        {"recall", [](SyncRig& r) { r.Machine.RecallPreset(2); }},
        {"factory default", [](SyncRig& r) { r.Machine.FactoryReset(); }},
        {"unit upload", [](SyncRig& r) { r.Machine.StartUnitUpload(); }},
        {"channel copy", [](SyncRig& r) { r.Machine.CopyChannel(0, 1, true); }},
        {"resync", [](SyncRig& r) { r.Machine.ResyncAllParams(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.start(Rig);
        EXPECT_TRUE(Rig.PollSuspended);
        Rig.Run();
        Rig.Advance(400); // past the upload's save step
        EXPECT_FALSE(Rig.Machine.Busy());
        EXPECT_FALSE(Rig.PollSuspended);
        EXPECT_TRUE(Rig.LinkOpen());
    }
}

TEST_F(SyncTest, RecallReadsTheRecalledSetIntoTheModel)
{
    struct Case {
        const char* name;
        int preset;
        ParamImage expected;
    } cases[] = {
        {"factory preset", 0, LUnitControl::DefaultImage()},
        {"user preset 6", 6, SampleImage(21)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessDevice device;
        device.State.SetImage(SampleImage(3));
        device.State.StorePreset(6, SampleImage(21));
        SyncRig rig;
        rig.Exchange = std::ref(device);
        rig.Connect();
        rig.ClearSent();
        rig.ClearEvents();
        rig.Machine.RecallPreset(c.preset);
        EXPECT_EQ(rig.Timeout, 50000);
        rig.Run();
        EXPECT_EQ(rig.SentCodes(), Repeat({32}, 39, 22, {18}));
        const std::vector<BSTM> sent = rig.Sent();
        EXPECT_EQ(sent[0][6], c.preset);
        for (int k = 0; k < 22; ++k)
            EXPECT_EQ(sent[1 + k][6], k);
        EXPECT_EQ(rig.Timeout, 5000);
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(c.expected));
        EXPECT_EQ(device.State.PresetNumber, c.preset);
        EXPECT_TRUE(rig.HasEvent("show-all"));
    }
}

TEST_F(SyncTest, FactoryDefaultReadsEverythingAgain)
{
    Device.State.SetImage(SampleImage(5));
    ConnectAndRead();
    ASSERT_TRUE(Rig.Machine.CanFactoryReset());
    Rig.Machine.FactoryReset();
    Rig.Run();
    Codes expected = {35};
    expected.insert(expected.end(), kFullRead.begin(), kFullRead.end());
    EXPECT_EQ(Rig.SentCodes(), expected);
    EXPECT_EQ(ImageBody(Rig.Unit.GetImage()), ImageBody(LUnitControl::DefaultImage()));
    EXPECT_EQ(ImageBody(Device.State.Image()), ImageBody(LUnitControl::DefaultImage()));
}

TEST_F(SyncTest, OfflineOperationsSendNothingAndLeaveNoState)
{
    std::array<uint8_t, kPresetNameSize> name{};
    Rig.Machine.StorePreset(2, name);
    Rig.Machine.RecallPreset(3);
    EXPECT_FALSE(Rig.Machine.CanFactoryReset());
    Rig.Machine.StartUnitUpload();
    Rig.Machine.StartUnitDownload();
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_IDLE);
    EXPECT_TRUE(Rig.Sent().empty());
    int notices = 0;
    for (const std::string& e : Rig.Events())
        notices += e == "info SID_INFO_CON_FIRST";
    EXPECT_EQ(notices, 3);

    // A later connection runs the plain read and nothing else.
    Rig.Connect();
    Codes expected = {16, 19, 44};
    expected.insert(expected.end(), kFullRead.begin(), kFullRead.end());
    EXPECT_EQ(Rig.SentCodes(), expected);
    for (const auto& p : Device.State.Presets)
        EXPECT_FALSE(p.Stored);
}

TEST_F(SyncTest, ChannelCopyOnlineAndOffline)
{
    ParamImage image = SampleImage(9);
    image.inputs[0].gain = 333;
    Device.State.SetImage(image);
    ConnectAndRead();

    EXPECT_FALSE(Rig.Machine.CopyChannel(0, 4, true)) << "an input onto an output";
    EXPECT_FALSE(Rig.Machine.CopyChannel(-1, 1, true));
    EXPECT_TRUE(Rig.Machine.CopyChannel(1, 1, true));
    EXPECT_TRUE(Rig.Sent().empty());

    EXPECT_TRUE(Rig.Machine.CopyChannel(0, 2, true));
    Rig.Run();
    Codes expected = {42};
    expected.insert(expected.end(), kFullRead.begin(), kFullRead.end());
    EXPECT_EQ(Rig.SentCodes(), expected);
    const BSTM copy = Rig.Sent()[0];
    EXPECT_EQ(BSTM(copy.begin() + 6, copy.begin() + 8), (BSTM{0, 2}));
    EXPECT_EQ(Device.State.Image().inputs[2].gain, 333);
    EXPECT_EQ(Rig.Unit.GetGain(2), 333);
    EXPECT_EQ(ImageBody(Rig.Unit.GetImage()), ImageBody(Device.State.Image()));
    EXPECT_TRUE(Rig.HasEvent("show-all")) << "the view follows the device's dump";

    // Offline: onto the target's group as the model holds it.
    Rig.CloseLink();
    Rig.ClearSent();
    Rig.Unit.SetLink(3, 0x0003);
    Rig.Unit.SetLink(4, 0);
    Rig.Unit.SetGain(5, 222);
    EXPECT_TRUE(Rig.Machine.CopyChannel(5, 3, true));
    EXPECT_EQ(Rig.Unit.GetGain(3), 222);
    EXPECT_EQ(Rig.Unit.GetGain(4), 222);
    EXPECT_TRUE(Rig.Sent().empty());
}

TEST_F(SyncTest, LinkWordsGoOutPerLeaderThenResync)
{
    struct Case {
        const char* name;
        std::array<uint16_t, 6> before; // outputs 1..6
        std::array<uint16_t, 6> grid;
        std::vector<BSTM> frames; // code and payload of every frame before the read
    } cases[] = {
        {"output 2 leaves the group of output 1",
         {7, 0, 0, 8, 16, 32},
         {5, 2, 0, 8, 16, 32},
         {{59, 3, 5}, {59, 4, 2}, {18}}},
        {"output 3 joins output 2, output 4 leads again",
         {1, 2, 12, 0, 16, 32},
         {1, 6, 0, 8, 16, 32},
         {{42, 4, 5}, {59, 4, 6}, {59, 5, 0}, {59, 6, 8}, {18}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessDevice device;
        ParamImage image = LUnitControl::DefaultImage();
        for (int j = 0; j < 6; ++j)
            image.outputs[j].link = c.before[j];
        device.State.SetImage(image);
        SyncRig rig;
        rig.Exchange = std::ref(device);
        rig.Connect();
        rig.ClearSent();
        std::array<uint16_t, kChannelCount> words{1, 2, 4};
        for (int j = 0; j < 6; ++j)
            words[3 + j] = c.grid[j];
        EXPECT_TRUE(rig.Machine.ApplyLinkWords(words));
        rig.Run();
        std::vector<BSTM> got;
        for (const BSTM& f : rig.Sent())
            got.push_back(BSTM(f.begin() + 5, f.end() - 3));
        ASSERT_GE(got.size(), c.frames.size());
        EXPECT_EQ(std::vector<BSTM>(got.begin(), got.begin() + c.frames.size()), c.frames);
        EXPECT_EQ(got.size(), c.frames.size() + kFullRead.size()) << "then one full read";
        for (int j = 0; j < 6; ++j)
            EXPECT_EQ(rig.Unit.GetLink(3 + j), c.grid[j]);
        EXPECT_FALSE(rig.Machine.ApplyLinkWords(words)) << "unchanged grid";
    }
}

TEST_F(SyncTest, LinkWordsOfflineAreStoredAndShownWithoutSending)
{
    Rig.Unit.SetGain(4, 111);
    Rig.Unit.SetGain(5, 222);
    std::array<uint16_t, kChannelCount> words{1, 2, 4, 1, 6, 0, 8, 16, 32}; // output 3 joins output 2
    EXPECT_TRUE(Rig.Machine.ApplyLinkWords(words));
    EXPECT_TRUE(Rig.Sent().empty());
    EXPECT_TRUE(Rig.HasEvent("show-all"));
    for (int i = 0; i < kChannelCount; ++i)
        EXPECT_EQ(Rig.Unit.GetLink(i), words[i]) << i;
    EXPECT_EQ(Rig.Unit.GetGain(5), 111) << "the new member took its leader's settings";
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_IDLE);
}

TEST_F(SyncTest, RepliesFromAnotherIdOnlyReachTheScan)
{
    Device.State.SetImage(SampleImage(2));
    ConnectAndRead();
    const ParamImage before = Rig.Unit.GetImage();
    BSTM block = {0};
    block.resize(51, 0xAB);
    Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(2, 36, block));
    Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(2, 1, {}));
    EXPECT_EQ(Rig.Events(), (std::vector<std::string>{"other-device", "other-device"}));
    EXPECT_TRUE(Rig.Sent().empty());
    EXPECT_EQ(ImageBody(Rig.Unit.GetImage()), ImageBody(before));

    // A device that answers with another id from the start never gets past the connect.
    InProcessDevice other;
    other.ReplyId = 2;
    SyncRig rig;
    rig.Exchange = std::ref(other);
    rig.Connect();
    EXPECT_EQ(rig.SentCodes(), (Codes{16}));
    EXPECT_FALSE(rig.Machine.Connected());
    EXPECT_TRUE(rig.HasEvent("other-device"));
}

TEST_F(SyncTest, UnaskedAndHostileRepliesChangeNothing)
{
    Device.State.SetImage(SampleImage(4));
    ConnectAndRead();
    const ParamImage before = Rig.Unit.GetImage();
    BSTM block = {30};
    block.resize(51, 0xCD);
    struct Case {
        const char* name;
        uint8_t code;
        BSTM payload;
    } cases[] = {
        {"block past the last", 36, block},
        {"block 0 unasked", 36, BSTM(51, 0)},
        {"upload block unasked", 40, BSTM(51, 0)},
        {"unit info unasked", 25, BSTM(18, 1)},
        {"name 20", 41, BSTM(15, 'x')},
        {"preset number unasked", 20, {5}},
        {"dump unasked", 34, BSTM(20, 255)},
        {"download ack unasked", 37, {0}},
        {"ack in state 0", 1, {}},
        {"code 50", 50, {1, 2, 3}},
        {"code above 64", 99, {}},
        {"short status", 44, {0, 0}},
        {"short unlock answer", 45, {0}},
        {"connect reply again", 16, {}},
        {"identity again", 19, BSTM{'M', 'O', 'R', 'V', 'E', 'X', ' ', 'V', '0', '1', '0'}},
        {"status again", 44, BSTM(6, 0)},
        {"locked status again", 44, BSTM{0, 0, 0, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig.Machine.DispatchReply(morvex_device::BuildReplyFrame(1, c.code, c.payload));
        Rig.Run();
        EXPECT_TRUE(Rig.Sent().empty());
        EXPECT_EQ(Rig.Machine.ProcessState(), PS_IDLE);
        EXPECT_EQ(ImageBody(Rig.Unit.GetImage()), ImageBody(before));
    }
    EXPECT_TRUE(Rig.Events().empty());
}

// A reply that answers the step but cannot be used ends the read with a notice; a name or block
// reply with another number than the one asked for answers nothing and is ignored: the read waits
// for its answer (the transport writes the request again when none comes).
TEST(SyncHostileRead, ABadAnswerEndsTheReadAndAnotherNumberIsIgnored)
{
    BSTM far = {30};
    far.resize(51, 0);
    struct Case {
        const char* name;
        uint8_t code;
        BSTM payload;
        bool ends;
    } cases[] = {
        {"short dump", 34, BSTM(19, 0), true},
        {"empty preset number", 20, {}, true},
        {"short name", 41, {0, 'a'}, true},
        {"empty name", 41, {}, true},
        {"short block", 36, BSTM(30, 0), true},
        {"empty block", 36, {}, true},
        {"name of another preset", 41, BSTM(15, 3), false},
        {"name number 20", 41, BSTM(15, 20), false},
        {"name number 21", 41, BSTM(15, 21), false},
        {"block past the last", 36, far, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessDevice device;
        device.State.SetImage(SampleImage(8));
        device.Override[c.code] = c.payload;
        SyncRig rig;
        rig.Exchange = std::ref(device);
        rig.Connect();
        rig.Advance(500);
        EXPECT_EQ(rig.Machine.Busy(), !c.ends);
        EXPECT_EQ(rig.HasEvent("info SID_INFO_ERROR_UNIT"), c.ends);
        EXPECT_EQ(rig.LevelPoll, c.ends);
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(LUnitControl::DefaultImage()))
            << "model untouched";
        const Codes codes = rig.SentCodes();
        if (c.code == 41) {
            EXPECT_EQ(std::count(codes.begin(), codes.end(), 41), 1) << "no further name request";
        }
        if (c.code == 41 || c.code == 36) {
            EXPECT_EQ(std::count(codes.begin(), codes.end(), 39), c.code == 36 ? 1 : 0)
                << "no further block request";
        }
    }
}

TEST(SyncSilence, DeviceGoingSilentInTheReadReportsTheLossAndResets)
{
    for (int silentAfter : {3, 10, 30, 45}) {
        SCOPED_TRACE(silentAfter);
        InProcessDevice device;
        device.State.SetImage(SampleImage(6));
        device.SilentAfter = silentAfter;
        SyncRig rig;
        rig.Exchange = std::ref(device);
        rig.Connect();
        EXPECT_FALSE(rig.LinkOpen());
        EXPECT_TRUE(rig.HasEvent("link-lost"));
        EXPECT_FALSE(rig.Machine.Connected());
        EXPECT_FALSE(rig.Machine.Busy());
        EXPECT_EQ(rig.Machine.ProcessState(), PS_IDLE);
        EXPECT_FALSE(rig.TimerActive(LSyncTimer::ProcessShow));
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(LUnitControl::DefaultImage()));

        // A reconnect reads afresh; nothing else goes out.
        device.SilentAfter = -1;
        device.Answered = 0;
        rig.ClearSent();
        rig.Connect();
        Codes expected = {16, 19, 44};
        expected.insert(expected.end(), kFullRead.begin(), kFullRead.end());
        EXPECT_EQ(rig.SentCodes(), expected);
        EXPECT_EQ(ImageBody(rig.Unit.GetImage()), ImageBody(device.State.Image()));
    }
}

TEST_F(SyncTest, LinkLostInAStoreNeverStoresAfterTheReconnect)
{
    ConnectAndRead();
    std::array<uint8_t, kPresetNameSize> name{};
    std::memcpy(name.data(), "Lost          ", kPresetNameSize);
    Device.SilentAfter = Device.Answered + 1; // the name is acknowledged, the store is not
    Rig.Machine.StorePreset(7, name);
    Rig.Run();
    EXPECT_TRUE(Rig.HasEvent("link-lost"));
    EXPECT_EQ(Rig.Machine.ProcessState(), PS_IDLE);
    EXPECT_TRUE(Rig.HasEvent("progress-closed"));

    Device.SilentAfter = -1;
    Rig.ClearSent();
    Rig.Connect();
    for (uint8_t code : Rig.SentCodes())
        EXPECT_NE(code, 33);
    EXPECT_FALSE(Device.State.Presets[7].Stored);
}

TEST_F(SyncTest, ProgressOfALongReadShowsWhenStillRunning)
{
    // The device answers the dump, then goes quiet; the dialog comes up after 100 ms.
    Rig.Connect();
    Rig.ClearEvents();
    Device.SilentAfter = Device.Answered + 1;
    Rig.Machine.ResyncAllParams();
    Rig.Run();
    EXPECT_FALSE(Rig.LinkOpen());
    EXPECT_FALSE(Rig.HasEvent("progress-modal")) << "the link was lost before the dialog was due";
}

} // namespace
