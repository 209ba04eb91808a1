#include "DeviceState.h"
#include "DeviceOptions.h"
#include "FrameReader.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace morvex_device
{
namespace
{

BSTM Payload(std::initializer_list<int> bytes)
{
    BSTM out;
    for (int b : bytes) {
        out.push_back(static_cast<uint8_t>(b));
    }
    return out;
}

LCmd Command(int code, BSTM payload = {})
{
    LCmd cmd(1, static_cast<uint8_t>(code));
    cmd.GetPayload() = std::move(payload);
    return cmd;
}

TEST(DeviceState, AnswersTheHandshakeAndReadRequests)
{
    DeviceState state;
    state.StorePreset(3, state.Image());
    state.PresetNumber = 3;
    const SetBytes& set = state.Current;
    BSTM block1{1};
    block1.insert(block1.end(), set.begin() + 50, set.begin() + 100);
    BSTM flags(20, 0);
    flags[2] = 255;
    BSTM name0{0};
    name0.insert(name0.end(), set.begin() + 2, set.begin() + 16);

    struct Case {
        const char* name;
        LCmd request;
        uint8_t code;
        BSTM payload;
    };
    const Case cases[] = {
        {"connect", Command(16), 16, {}},
        {"identity", Command(19), 19, BSTM{'M', 'O', 'R', 'V', 'E', 'X', ' ', 'V', '0', '1', '0'}},
        {"status, unlocked", Command(44), 44, BSTM(6, 0)},
        {"preset number", Command(20), 20, {3}},
        {"stored flags", Command(34), 34, flags},
        {"name of preset 1", Command(41, {0}), 41, name0},
        {"block 1", Command(39, {1}), 36, block1},
        {"block 22 does not exist", Command(39, {22}), 1, {}},
        {"name 20 does not exist", Command(41, {20}), 1, {}},
        {"resync", Command(18), 1, {}},
        {"unknown code", Command(99, {1, 2}), 1, {}},
        {"setter with a short payload", Command(52, {3}), 1, {}},
        {"unit header", Command(25, {0, 0, 18}), 25, BSTM(18, 0)},
        {"store read past its end", Command(25, {250, 0, 18}), 25, BSTM(6, 0)},
        {"download chunk", Command(37, Payload({21, 4, 1, 2, 3})), 37, {21}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto reply = state.Answer(c.request);
        ASSERT_TRUE(reply.has_value());
        EXPECT_EQ(reply->Code, c.code);
        EXPECT_EQ(reply->Payload, c.payload);
    }
}

TEST(DeviceState, StartsFromTheEditorsDefaultImage)
{
    DeviceState state;
    const ParamImage image = state.Image();
    EXPECT_EQ(std::memcmp(image.presetName, "Default Preset", 14), 0);
    EXPECT_EQ(image.outputs[0].gain, 280);
    EXPECT_EQ(image.inputs[1].link, 2);
}

TEST(DeviceState, SettersChangeTheCurrentSet)
{
    DeviceState state;
    const char name[] = "Sub Left";
    state.Answer(CM_MCS_GAIN(1, 3, 300));
    state.Answer(CM_MCS_PEQ(1, 8, 8, PeqBand{100, 285, 40, 2}, 1));
    state.Answer(CM_MCS_MUTE(1, 4, 1));
    state.Answer(CM_MCS_GEQ(1, 2, 30, 200));
    state.Answer(CM_MCS_COMP(1, 5, CompParam{4, 10, 20, 1, 200}));
    state.Answer(CM_MCS_CHANNEL_NAME(1, 0, name));
    state.Answer(CM_MCS_MIX(1, 8, 2, 100));
    state.Answer(CM_MCS_HIGH_PASS(1, 1, 50, 3));
    state.Answer(CM_MCS_CMD(1, 73, 2, 1));
    // Out of range: changes nothing.
    state.Answer(CM_MCS_PEQ(1, 0, 8, PeqBand{1, 1, 1, 1}, 1));
    state.Answer(CM_MCS_GATE(1, 5, GateParam{1, 2, 3, 4}));

    const ParamImage image = state.Image();
    const ParamImage fresh = DeviceState().Image();
    EXPECT_EQ(image.outputs[0].gain, 300);
    EXPECT_EQ(image.outputs[5].peq[8].gain, 100);
    EXPECT_EQ(image.outputs[5].peq[8].type, 2);
    EXPECT_EQ(image.bandBypass[8], 1 << 8);
    EXPECT_EQ(image.outputMute, 1 << 1);
    EXPECT_EQ(image.inputs[2].geq[30], 200);
    EXPECT_EQ(image.outputs[2].comp.threshold, 200);
    EXPECT_EQ(std::memcmp(image.inputs[0].name, name, 8), 0);
    EXPECT_EQ(image.outputs[5].mix[2], 100);
    EXPECT_EQ(image.inputs[1].xover.hpFreq, 50);
    EXPECT_EQ(image.inputs[1].xover.hpSlope, 3);
    EXPECT_EQ(image.geqBypass, 1 << 2);
    EXPECT_EQ(std::memcmp(&image.inputs[0].peq, &fresh.inputs[0].peq, sizeof image.inputs[0].peq), 0);
    EXPECT_EQ(std::memcmp(&image.inputs[0].gate, &fresh.inputs[0].gate, sizeof(GateParam)), 0);
}

// Command 42 copies what the editor's own channel copy copies, so a read after a copy matches the editor.
TEST(DeviceState, CopyChannelKeepsNameLinkRoutingMixAndGeqBypass)
{
    struct Case {
        const char* name;
        int src;
        int dst;
        bool copies;
    };
    const Case cases[] = {
        {"input B to input C", 1, 2, true},
        {"output 2 to output 5", 4, 7, true},
        {"input to output refused", 0, 5, false},
        {"onto itself", 6, 6, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceState state;
        ParamImage before = state.Image();
        // Every byte of the channel blocks differs, and the per-channel masks tell source from target.
        auto* bytes = reinterpret_cast<uint8_t*>(&before);
        for (size_t i = offsetof(ParamImage, inputs); i < offsetof(ParamImage, inputMute); ++i) {
            bytes[i] = static_cast<uint8_t>(i * 7 + 3);
        }
        before.inputMute = 0x0002;
        before.outputMute = 0x0002;
        before.inputEqBypass = 0x0002;
        before.outputEqBypass = 0x0002;
        before.geqBypass = 0x0002;
        for (int ch = 0; ch < kChannelCount; ++ch) {
            before.bandBypass[ch] = static_cast<uint16_t>(0x100 + ch);
        }
        state.SetImage(before);

        EXPECT_EQ(state.Answer(CM_MCS_CMD(1, 42, c.src, c.dst))->Code, kAckCode);
        const ParamImage after = state.Image();

        ParamImage expected = before;
        if (c.copies && c.src < kInputCount) {
            InputBlock& t = expected.inputs[c.dst];
            const InputBlock& s = before.inputs[c.src];
            const InputBlock keep = t;
            t = s;
            std::memcpy(t.name, keep.name, sizeof t.name);
            t.link = keep.link;
            expected.inputMute = static_cast<uint16_t>(before.inputMute | (1 << c.dst));
            expected.inputEqBypass = static_cast<uint16_t>(before.inputEqBypass | (1 << c.dst));
            expected.bandBypass[c.dst] = before.bandBypass[c.src];
        } else if (c.copies) {
            OutputBlock& t = expected.outputs[c.dst - kInputCount];
            const OutputBlock& s = before.outputs[c.src - kInputCount];
            const OutputBlock keep = t;
            t = s;
            std::memcpy(t.name, keep.name, sizeof t.name);
            t.routeMask = keep.routeMask;
            std::memcpy(t.mix, keep.mix, sizeof t.mix);
            t.link = keep.link;
            expected.outputMute = static_cast<uint16_t>(before.outputMute | (1 << (c.dst - kInputCount)));
            expected.outputEqBypass =
                static_cast<uint16_t>(before.outputEqBypass | (1 << (c.dst - kInputCount)));
            expected.bandBypass[c.dst] = before.bandBypass[c.src];
        }
        EXPECT_EQ(std::memcmp(&after, &expected, sizeof after), 0);
        EXPECT_EQ(after.geqBypass, before.geqBypass);
    }
}

TEST(DeviceState, StoreRecallAndFactoryDefault)
{
    DeviceState state;
    state.Answer(CM_MCS_PRESETNAME(1, "Live Show     "));
    state.Answer(CM_MCS_GAIN(1, 0, 100));
    state.Answer(CM_MCS_CMD(1, 33, 5));
    EXPECT_TRUE(state.Presets[4].Stored);
    EXPECT_EQ(state.Presets[4].Body[0], kStoredMark);
    EXPECT_EQ(state.Answer(CM_MCS_CMD(1, 41, 4))->Payload,
              (BSTM{4, 'L', 'i', 'v', 'e', ' ', 'S', 'h', 'o', 'w', ' ', ' ', ' ', ' ', ' '}));

    state.Answer(CM_MCS_CMD(1, 35));
    EXPECT_EQ(state.Image().inputs[0].gain, 280);
    EXPECT_EQ(state.PresetNumber, 0);
    state.Answer(CM_MCS_CMD(1, 32, 5));
    EXPECT_EQ(state.Image().inputs[0].gain, 100);
    EXPECT_EQ(state.PresetNumber, 5);

    // The upload reads the stored preset back block by block, byte 0 marking it stored.
    state.Answer(CM_MCS_CMD(1, 36, 5));
    const auto block0 = state.Answer(CM_MCS_CMD(1, 40, 0));
    ASSERT_EQ(block0->Code, 40);
    ASSERT_EQ(block0->Payload.size(), 51u);
    EXPECT_EQ(block0->Payload[1], kStoredMark);
}

TEST(DeviceState, DownloadFillsAPresetChunkByChunk)
{
    DeviceState state;
    SetBytes body = SetFromImage(state.Image());
    body[0] = kStoredMark;
    body[1099] = 0x5A;
    for (int chunk = 0; chunk < kBlockCount; ++chunk) {
        const auto reply = state.Answer(CM_MCS_DOWNLOAD(1, chunk, 7, body.data() + chunk * 50, 50));
        ASSERT_EQ(reply->Code, 37);
        ASSERT_EQ(reply->Payload, BSTM{static_cast<uint8_t>(chunk)});
    }
    EXPECT_TRUE(state.Presets[7].Stored);
    EXPECT_EQ(state.Presets[7].Body, body);
    // A preset index beyond the store is answered but changes nothing.
    state.Answer(CM_MCS_DOWNLOAD(1, 0, 200, body.data(), 50));
}

TEST(DeviceState, LockAndPassword)
{
    DeviceState state;
    state.Answer(CM_MCS_SET_LOCK(1, "AB12"));
    EXPECT_TRUE(state.Locked);
    EXPECT_EQ(state.Answer(Command(44))->Payload, (BSTM{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(state.Answer(CM_MCS_PASS_SUBMIT(1, "4719"))->Payload, (BSTM{0, 0}));
    EXPECT_EQ(state.Answer(CM_MCS_PASS_SUBMIT(1, "AB12"))->Payload, (BSTM{0, 1}));
    EXPECT_TRUE(state.Unlocked);
    EXPECT_EQ(state.Answer(Command(45, {0, 'A'}))->Payload, (BSTM{0, 0})); // too short: refused
    state.Answer(Command(16));
    EXPECT_FALSE(state.Unlocked);
}

TEST(DeviceState, LevelReplyLayout)
{
    std::array<float, kLevelSlots> levels{};
    levels[0] = 1.0f;   // 0x3F800000
    levels[11] = -2.0f; // 0xC0000000
    const BSTM payload = DeviceState::EncodeLevels(levels, 0x0203);
    ASSERT_EQ(payload.size(), 38u);
    EXPECT_EQ((BSTM{payload[0], payload[1], payload[2]}), (BSTM{0x80, 0x3F, 0x00}));
    EXPECT_EQ((BSTM{payload[33], payload[34], payload[35]}), (BSTM{0x00, 0xC0, 0x00}));
    EXPECT_EQ(payload[36], 0x03);
    EXPECT_EQ(payload[37], 0x02);
}

TEST(DeviceState, LevelScriptAnswersInOrderThenHolds)
{
    DeviceState state;
    LevelStep loud, quiet;
    loud.Levels[0] = 1.0f;
    loud.Flags = 0x0101;
    quiet.Levels[0] = 0.5f;
    state.LevelScript = {loud, quiet};
    const auto slot0 = [&] {
        const BSTM p = state.Answer(Command(64))->Payload;
        return BSTM{p[0], p[1], p[2], p[36], p[37]};
    };
    EXPECT_EQ(slot0(), (BSTM{0x80, 0x3F, 0x00, 0x01, 0x01}));
    EXPECT_EQ(slot0(), (BSTM{0x00, 0x3F, 0x00, 0x00, 0x00}));
    EXPECT_EQ(slot0(), (BSTM{0x00, 0x3F, 0x00, 0x00, 0x00})) << "the last step holds";
    EXPECT_EQ(state.LevelRequests, 3);
}

TEST(FrameReader, SplitsAndResynchronises)
{
    const BSTM a = BuildFrame(CM_MCS_CMD(1, 16));
    const BSTM b = BuildFrame(CM_MCS_GAIN(1, 3, 0x1010));
    struct Case {
        const char* name;
        std::vector<BSTM> pieces;
        std::vector<BSTM> frames;
    };
    auto join = [](std::initializer_list<BSTM> parts) {
        BSTM out;
        for (const BSTM& p : parts) {
            out.insert(out.end(), p.begin(), p.end());
        }
        return out;
    };
    const Case cases[] = {
        {"one frame", {a}, {a}},
        {"two in one piece", {join({a, b})}, {a, b}},
        {"byte by byte",
         [&] {
             std::vector<BSTM> bytes;
             for (uint8_t x : b) {
                 bytes.push_back({x});
             }
             return bytes;
         }(),
         {b}},
        {"garbage first", {join({BSTM{0x00, 0x10, 0x55, 0x02}, a})}, {a}},
        {"len 0 header skipped", {join({BSTM{0x10, 0x02, 0x00, 0x01, 0x00}, b})}, {b}},
        {"broken end markers skipped",
         {join({BSTM{0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x00, 0x00, 0x00}, a})},
         {a}},
        {"incomplete frame waits", {BSTM(a.begin(), a.end() - 1)}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameReader reader;
        std::vector<BSTM> frames;
        for (const BSTM& piece : c.pieces) {
            reader.Feed(piece.data(), piece.size(), frames);
        }
        EXPECT_EQ(frames, c.frames);
    }
}

TEST(DeviceOptions, CommandLines)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        bool ok;
        const char* errorPart;
    };
    const Case cases[] = {
        {"tcp", {"--tcp", "0"}, true, ""},
        {"pty with faults",
         {"--pty", "--id", "7", "--delay", "10", "--chunk", "3", "--garbage", "A5ff"},
         true,
         ""},
        {"help alone", {"--help"}, true, ""},
        {"no link", {"--id", "2"}, false, "--tcp PORT or --pty"},
        {"both links", {"--tcp", "1", "--pty"}, false, "only one"},
        {"port missing", {"--tcp"}, false, "needs a value"},
        {"port not a number", {"--tcp", "12ab"}, false, "not a number"},
        {"port too large", {"--tcp", "70000"}, false, "not a number"},
        {"negative delay", {"--pty", "--delay", "-1"}, false, "not a number"},
        {"odd hex", {"--pty", "--garbage", "ABC"}, false, "hex"},
        {"short password", {"--pty", "--lock", "123"}, false, "4 characters"},
        {"unknown option", {"--pty", "--fast"}, false, "unknown option '--fast'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceOptions options;
        std::string error;
        EXPECT_EQ(ParseDeviceOptions(c.args, options, error), c.ok);
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
    DeviceOptions options;
    std::string error;
    ASSERT_TRUE(ParseDeviceOptions({"--pty", "--id", "7", "--garbage", "A5ff", "--silent-after", "2"},
                                   options, error));
    EXPECT_EQ(options.Id, 7);
    EXPECT_EQ(options.Faults.Garbage, (BSTM{0xA5, 0xFF}));
    EXPECT_EQ(options.Faults.SilentAfter, 2);
}

} // namespace
} // namespace morvex_device
