#include <cstring>
#include <gtest/gtest.h>

#include "DefaultImageBytes.h"
#include "ModelTestUtil.h"
#include "model/LUnitControl.h"

namespace
{

const std::vector<uint8_t>& kDefaultImage = morvex_device::DefaultImageBytes();

const ParamImage& ImageOf(const LUnitControl& unit)
{
    return unit.GetImage();
}

std::vector<uint8_t> BytesOf(const ParamImage& image)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&image);
    return std::vector<uint8_t>(p, p + sizeof image);
}

} // namespace

TEST(ParamImage, DefaultImageIsByteExact)
{
    ASSERT_EQ(kDefaultImage.size(), 1082u);
    LUnitControl unit;
    EXPECT_EQ(BytesOf(ImageOf(unit)), kDefaultImage);
    EXPECT_EQ(BytesOf(LUnitControl::DefaultImage()), kDefaultImage);
}

TEST(ParamImage, LoadDefaultsRestoresEveryByte)
{
    LUnitControl unit;
    for (int ch = 0; ch < kChannelCount; ++ch)
        unit.SetGain(ch, 1);
    unit.SetPresetName(std::vector<uint8_t>(14, 'x'));
    unit.SetDelayUnit(2);
    unit.SetGeqBypassMask(7);
    unit.SetEqBypassMask(0, 3);
    unit.SetEqBypassMask(5, 9);
    unit.LoadDefaults();
    EXPECT_EQ(BytesOf(ImageOf(unit)), kDefaultImage);
}

TEST(ParamImage, GettersOfTheDefaultModel)
{
    LUnitControl unit;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(unit.GetGain(ch), 280);
        EXPECT_EQ(unit.GetDelay(ch), 0);
        EXPECT_FALSE(unit.GetPolarity(ch));
        EXPECT_FALSE(unit.GetMute(ch));
        XoverParam x = unit.GetXover(ch);
        EXPECT_EQ(x.hpFreq, 0);
        EXPECT_EQ(x.lpFreq, 300);
        EXPECT_EQ(x.hpSlope, 0);
        EXPECT_EQ(x.lpSlope, 0);
        const int bit = ch < 3 ? ch : ch - 3;
        EXPECT_EQ(unit.GetLink(ch), 1 << bit);
        EXPECT_EQ(unit.GetLinkGroup(ch), 1 << bit);
        EXPECT_EQ(unit.GetEqBypassMask(ch), 0);
        const char* names[] = {"InA", "InB", "InC", "Out1", "Out2", "Out3", "Out4", "Out5", "Out6"};
        const auto name = unit.GetChannelName(ch);
        std::string expected(names[ch]);
        expected.resize(8, '\0');
        EXPECT_EQ(std::string(name.begin(), name.end()), expected);
        const int bands = ch < 3 ? 8 : 9;
        for (int b = 0; b < bands; ++b) {
            const PeqBand p = unit.GetPeq(ch, b);
            const PeqBand d = unit.GetDefaultPeq(ch, b);
            EXPECT_EQ(std::memcmp(&p, &d, sizeof p), 0);
            EXPECT_FALSE(unit.GetPeqBypass(ch, b));
        }
    }
    for (int in = 0; in < 3; ++in) {
        const GateParam g = unit.GetGate(in);
        EXPECT_EQ(g.attack, 0);
        EXPECT_EQ(g.release, 99);
        EXPECT_EQ(g.hold, 99);
        EXPECT_EQ(g.threshold, 0);
        for (int b = 0; b < 31; ++b) {
            EXPECT_EQ(unit.GetGeq(in, b), 120);
            EXPECT_EQ(unit.GetDefaultGeq(in, b), 120);
        }
    }
    const uint16_t routes[] = {1, 2, 4, 1, 2, 4};
    for (int ch = 3; ch < 9; ++ch) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(unit.GetMatrix(ch), routes[ch - 3]);
        for (int in = 0; in < 3; ++in)
            EXPECT_EQ(unit.GetMix(ch, in), 280);
        const CompParam c = unit.GetComp(ch);
        EXPECT_EQ(c.ratio, 0);
        EXPECT_EQ(c.attack, 49);
        EXPECT_EQ(c.release, 499);
        EXPECT_EQ(c.knee, 0);
        EXPECT_EQ(c.threshold, 220);
        const LimitParam l = unit.GetLimit(ch);
        EXPECT_EQ(l.attack, 49);
        EXPECT_EQ(l.release, 499);
        EXPECT_EQ(l.knee, 0);
        EXPECT_EQ(l.threshold, 220);
    }
    const PeqBand a0 = unit.GetPeq(0, 0);
    EXPECT_EQ(a0.gain, 120);
    EXPECT_EQ(a0.freq, 41);
    EXPECT_EQ(a0.q, 35);
    EXPECT_EQ(a0.type, 0);
    const PeqBand o8 = unit.GetPeq(3, 8);
    EXPECT_EQ(o8.gain, 120);
    EXPECT_EQ(o8.freq, 285);
    EXPECT_EQ(o8.q, 35);
    EXPECT_EQ(o8.type, 0);

    const auto preset = unit.GetPresetName();
    EXPECT_EQ(std::string(preset.begin(), preset.end()), "Default Preset");
    EXPECT_EQ(unit.GetDelayUnit(), 0);
    EXPECT_EQ(unit.GetGeqBypassMask(), 0);
    EXPECT_EQ(unit.GetWorkMode(), 0);
    EXPECT_EQ(unit.GetSineFreq(), 0);
}

// Each getter reads its own channel's field, not a neighbour's.
TEST(ParamImage, GettersAddressTheirOwnChannel)
{
    LUnitControl unit;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        unit.SetLink(ch, 0); // no groups: each setter touches ch alone
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        unit.SetGain(ch, static_cast<uint16_t>(100 + ch));
        unit.SetDelay(ch, static_cast<uint16_t>(60000 + ch));
        unit.SetPolarity(ch, ch % 2);
        unit.SetMute(ch, ch % 3 == 0);
        unit.SetPeq(ch, 2, PeqBand{int16_t(10 + ch), int16_t(20 + ch), uint8_t(ch), uint8_t(ch % 9)}, ch % 2);
        unit.SetHighPass(ch, XoverParam{int16_t(ch), 0, uint8_t(ch + 1), 0});
        unit.SetLowPass(ch, XoverParam{0, int16_t(200 + ch), 0, uint8_t(ch + 2)});
    }
    for (int ch = 0; ch < kChannelCount; ++ch)
        unit.SetLink(ch, static_cast<uint16_t>(0x100 + ch));
    for (int ch = 0; ch < kChannelCount; ++ch) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(unit.GetGain(ch), 100 + ch);
        EXPECT_EQ(unit.GetDelay(ch), 60000 + ch);
        EXPECT_EQ(unit.GetPolarity(ch), ch % 2 == 1);
        EXPECT_EQ(unit.GetMute(ch), ch % 3 == 0);
        const PeqBand p = unit.GetPeq(ch, 2);
        EXPECT_EQ(p.gain, 10 + ch);
        EXPECT_EQ(p.freq, 20 + ch);
        EXPECT_EQ(p.q, ch);
        EXPECT_EQ(p.type, ch % 9);
        EXPECT_EQ(unit.GetPeqBypass(ch, 2), ch % 2 == 1);
        EXPECT_FALSE(unit.GetPeqBypass(ch, 1));
        const XoverParam x = unit.GetXover(ch);
        EXPECT_EQ(x.hpFreq, ch);
        EXPECT_EQ(x.hpSlope, ch + 1);
        EXPECT_EQ(x.lpFreq, 200 + ch);
        EXPECT_EQ(x.lpSlope, ch + 2);
        EXPECT_EQ(unit.GetLink(ch), 0x100 + ch);
    }
    const ParamImage& im = unit.GetImage();
    EXPECT_EQ(im.inputMute, 0x1);  // input A
    EXPECT_EQ(im.outputMute, 0x9); // outputs 1 and 4 (channels 3 and 6)
    EXPECT_EQ(im.bandBypass[1], 1 << 2);
    EXPECT_EQ(im.bandBypass[0], 0);
    EXPECT_EQ(im.inputs[2].delay, 60002); // above the int16 range, kept whole
}

TEST(ParamImage, LinkGroups)
{
    struct Case {
        const char* name;
        uint16_t words[9];
        int ch;
        uint16_t group;
    };
    const Case cases[] = {
        {"leader of one", {1, 2, 4, 1, 2, 4, 8, 16, 32}, 1, 2},
        {"output leader of one", {1, 2, 4, 1, 2, 4, 8, 16, 32}, 4, 2},
        {"input B under A", {7, 0, 0, 1, 2, 4, 8, 16, 32}, 1, 7},
        {"input C under A", {7, 0, 0, 1, 2, 4, 8, 16, 32}, 2, 7},
        {"input A leads", {7, 0, 0, 1, 2, 4, 8, 16, 32}, 0, 7},
        {"output 2 under output 1", {1, 2, 4, 0x03, 0, 0x04, 8, 16, 32}, 4, 0x03},
        {"output 3 leads itself", {1, 2, 4, 0x03, 0, 0x04, 8, 16, 32}, 5, 0x04},
        {"output 6 under output 4", {1, 2, 4, 1, 2, 4, 0x38, 0, 0}, 8, 0x38},
        {"orphan member takes the word below", {1, 2, 0, 1, 2, 4, 8, 16, 32}, 2, 2},
        {"input A without its bit", {0, 2, 4, 1, 2, 4, 8, 16, 32}, 0, 0},
        {"output 1 without its bit", {1, 2, 4, 0x06, 2, 4, 8, 16, 32}, 3, 0x06},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LUnitControl unit;
        for (int ch = 0; ch < 9; ++ch)
            unit.SetLink(ch, c.words[ch]);
        EXPECT_EQ(unit.GetLinkGroup(c.ch), c.group);
    }
}

// The members an edit of ch reaches and the channel whose page shows ch: an orphan is alone and
// led by nobody, unlike the stored group above.
TEST(ParamImage, LinkMembersAndLeader)
{
    struct Case {
        const char* name;
        uint16_t words[9];
        int ch;
        uint16_t members;
        int leader;
    };
    const Case cases[] = {
        {"own word", {1, 2, 4, 1, 2, 4, 8, 16, 32}, 1, 0b010, 1},
        {"input C under A", {0b101, 2, 0, 1, 2, 4, 8, 16, 32}, 2, 0b101, 0},
        {"output member under output 1", {1, 2, 4, 0b000111, 0, 0, 8, 16, 32}, 5, 0b000111, 3},
        {"orphan output: alone, no leader", {1, 2, 4, 0b000001, 0, 4, 8, 16, 32}, 4, 0b000010, -1},
        {"orphan input: alone, no leader", {1, 2, 0, 1, 2, 4, 8, 16, 32}, 2, 0b100, -1},
        {"a word without its own bit leads", {1, 0b100, 0, 1, 2, 4, 8, 16, 32}, 1, 0b010, 1},
        {"led by a later channel of the kind", {1, 0, 0b110, 1, 2, 4, 8, 16, 32}, 1, 0b010, 2},
        {"output 6 under output 4", {1, 2, 4, 1, 2, 4, 0x38, 0, 0}, 8, 0x38, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LUnitControl unit;
        for (int ch = 0; ch < 9; ++ch)
            unit.SetLink(ch, c.words[ch]);
        EXPECT_EQ(unit.GetLinkMembers(c.ch), c.members);
        EXPECT_EQ(unit.LeaderOf(c.ch), c.leader);
    }
}

TEST(ParamImage, EqBypassMaskIsTheWholeMaskOfTheKind)
{
    LUnitControl unit;
    unit.SetEqBypassMask(5, 0x24);
    unit.SetEqBypassMask(1, 0x02);
    EXPECT_EQ(unit.GetEqBypassMask(5), 0x24);
    EXPECT_EQ(unit.GetEqBypassMask(3), 0x24);
    EXPECT_TRUE(unit.GetEqBypassMask(5) & (1 << 2));
    EXPECT_EQ(unit.GetEqBypassMask(0), 0x02);
    EXPECT_EQ(unit.GetImage().outputEqBypass, 0x24);
    EXPECT_EQ(unit.GetImage().inputEqBypass, 0x02);
}

TEST(PresetStore, FlagsAndMarks)
{
    LUnitControl unit;
    std::vector<uint8_t> flags(20, 0);
    flags[0] = 255;
    flags[7] = 255;
    flags[19] = 254; // only 255 marks a stored preset
    ASSERT_TRUE(unit.SetPresetFlags(flags));
    for (int k = 0; k < 20; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(unit.IsPresetStored(k), k == 0 || k == 7);
    }
    unit.MarkPresetStored(19);
    EXPECT_TRUE(unit.IsPresetStored(19));

    // A short payload is refused and leaves the flags as they were.
    EXPECT_FALSE(unit.SetPresetFlags(std::vector<uint8_t>(19, 0)));
    EXPECT_TRUE(unit.IsPresetStored(0));
}

TEST(PresetStore, PresetNamesReachBothLists)
{
    LUnitControl unit;
    RecordingSink sink;
    unit.SetSink(&sink);
    unit.ShowDefaultPresetNames();
    ASSERT_EQ(sink.names.size(), 20u);
    for (int p = 1; p <= 20; ++p) {
        EXPECT_EQ(sink.names[p - 1].first, p);
        EXPECT_EQ(sink.names[p - 1].second, "Default Preset");
    }

    sink.names.clear();
    std::vector<uint8_t> reply = {4, 'L', 'i', 'v', 'e', 0, 0, 'x', 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(unit.ShowPresetName(5, reply));
    ASSERT_EQ(sink.names.size(), 1u);
    EXPECT_EQ(sink.names[0].first, 5);
    EXPECT_EQ(sink.names[0].second, "Live  x       ");

    // Too short a payload or a preset outside 1..20 shows nothing.
    sink.names.clear();
    EXPECT_FALSE(unit.ShowPresetName(5, std::vector<uint8_t>(14, 'a')));
    EXPECT_FALSE(unit.ShowPresetName(21, reply));
    EXPECT_FALSE(unit.ShowPresetName(0, reply));
    EXPECT_TRUE(sink.names.empty());
}

TEST(PresetStore, SetPresetNameTakesFourteenBytes)
{
    LUnitControl unit;
    const std::vector<uint8_t> name = {'S', 't', 'a', 'g', 'e', ' ', 'l', 'e',
                                       'f', 't', ' ', ' ', ' ', ' ', 'X'};
    ASSERT_TRUE(unit.SetPresetName(name));
    const auto field = unit.GetPresetName();
    EXPECT_EQ(std::string(field.begin(), field.end()), "Stage left    ");
    EXPECT_EQ(unit.GetImage().inputs[0].name[0], 'I'); // the field ends where it ends
    EXPECT_FALSE(unit.SetPresetName(std::vector<uint8_t>(13, 'z')));
    EXPECT_EQ(unit.GetPresetName()[0], 'S');
}

TEST(ParamImage, StoreImageTakesAllButTheReservedBytes)
{
    LUnitControl unit;
    RecordingSink sink;
    unit.SetSink(&sink);
    ParamImage next = unit.GetImage();
    next.reserved[0] = 0xAB;
    next.reserved[1] = 0xCD;
    next.presetName[0] = 'Z';
    next.outputs[5].link = 0x30;
    next.geqBypass = 0x07; // the last field of the image
    unit.StoreImage(next);
    EXPECT_EQ(unit.GetImage().reserved[0], 0);
    EXPECT_EQ(unit.GetImage().reserved[1], 0);
    EXPECT_EQ(unit.GetPresetName()[0], 'Z');
    EXPECT_EQ(unit.GetLink(8), 0x30);
    EXPECT_EQ(unit.GetGeqBypassMask(), 0x07);
    EXPECT_TRUE(sink.sent.empty());
}

namespace
{

// The 22 block replies (number, then 50 bytes) of a 1100-byte set.
std::vector<std::vector<uint8_t>> Blocks(const std::vector<uint8_t>& set)
{
    std::vector<std::vector<uint8_t>> blocks;
    for (int b = 0; b < kSetBlockCount; ++b) {
        std::vector<uint8_t> reply = {static_cast<uint8_t>(b)};
        reply.insert(reply.end(), set.begin() + kSetBlockSize * b, set.begin() + kSetBlockSize * (b + 1));
        blocks.push_back(reply);
    }
    return blocks;
}

std::vector<uint8_t> SetOf(const ParamImage& image)
{
    std::vector<uint8_t> set(kBlockSlotSize, 0);
    std::memcpy(set.data(), &image, sizeof image);
    return set;
}

} // namespace

TEST(BlockSlots, AReadSetIsTakenAfterItsLastBlockOnly)
{
    ParamImage sent = LUnitControl::DefaultImage();
    sent.reserved[0] = 0x55;
    sent.inputs[1].gain = 123;
    sent.geqBypass = 0x05;
    const auto blocks = Blocks(SetOf(sent));

    LUnitControl unit;
    RecordingSink sink;
    unit.SetSink(&sink);
    for (int b = 0; b < kLastSetBlock; ++b)
        ASSERT_TRUE(unit.StoreParamBlock(blocks[b]));
    EXPECT_EQ(unit.GetGain(1), 280) << "nothing taken before the last block";
    ASSERT_TRUE(unit.StoreParamBlock(blocks[kLastSetBlock]));
    EXPECT_EQ(unit.GetGain(1), 123);
    EXPECT_EQ(unit.GetGeqBypassMask(), 0x05);
    EXPECT_EQ(unit.GetImage().reserved[0], 0) << "the device's reserved bytes are not taken";
    EXPECT_TRUE(sink.sent.empty());
}

TEST(BlockSlots, BadBlocksAreRefusedAndChangeNothing)
{
    ParamImage bad = LUnitControl::DefaultImage();
    bad.outputs[2].peq[4].q = 101;
    const auto badBlocks = Blocks(SetOf(bad));
    std::vector<uint8_t> past = badBlocks[0];
    past[0] = kSetBlockCount;
    std::vector<uint8_t> shortBlock = badBlocks[3];
    shortBlock.pop_back();

    // framing: refused as a block by reads and uploads alike; otherwise only the read checks
    // the set's indices (a stored preset is carried as it is).
    struct Case {
        const char* name;
        std::vector<uint8_t> block;
        bool framing;
    } cases[] = {
        {"empty", {}, true},
        {"one byte short", shortBlock, true},
        {"number past the last", past, true},
        {"number 255",
         [&] {
             auto b = past;
             b[0] = 255;
             return b;
         }(),
         true},
        {"last block of a set with a Q index above 100", badBlocks[kLastSetBlock], false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LUnitControl unit;
        for (int b = 0; b < kLastSetBlock; ++b)
            ASSERT_TRUE(unit.StoreParamBlock(badBlocks[b]));
        const auto slot = unit.GetBlockSlot(0);
        const std::vector<uint8_t> before(slot.begin(), slot.end());
        EXPECT_FALSE(unit.StoreParamBlock(c.block));
        EXPECT_EQ(0, std::memcmp(&unit.GetImage(), &LUnitControl::DefaultImage(), sizeof(ParamImage)));
        if (c.framing) {
            EXPECT_FALSE(unit.StoreUploadBlock(1, c.block));
            EXPECT_EQ(std::vector<uint8_t>(slot.begin(), slot.end()), before) << "slot 0 untouched";
        }
    }
}

TEST(BlockSlots, AnUploadKeepsEachPresetInItsOwnSlot)
{
    std::vector<uint8_t> preset(kBlockSlotSize);
    for (size_t i = 0; i < preset.size(); ++i)
        preset[i] = static_cast<uint8_t>(i * 7 + 3);
    preset[0] = 0xFF;
    LUnitControl unit;
    for (const auto& block : Blocks(preset))
        ASSERT_TRUE(unit.StoreUploadBlock(5, block));

    const auto slot = unit.GetBlockSlot(5);
    EXPECT_EQ(slot[0], 5);
    EXPECT_TRUE(std::equal(slot.begin() + 1, slot.begin() + 1081, preset.begin()))
        << "bytes 1..1080 = preset 0..1079";
    EXPECT_EQ(unit.GetBlockSlot(4)[0], 0);
    EXPECT_EQ(0, std::memcmp(&unit.GetImage(), &LUnitControl::DefaultImage(), sizeof(ParamImage)))
        << "an upload leaves the current set alone";
    EXPECT_FALSE(unit.StoreUploadBlock(0, Blocks(preset)[0]));
    EXPECT_FALSE(unit.StoreUploadBlock(21, Blocks(preset)[0]));
}

TEST(BlockSlots, UnitInformationTakesEighteenBytes)
{
    LUnitControl unit;
    std::vector<uint8_t> info(17, 9);
    EXPECT_FALSE(unit.SetUnitInfo(info));
    EXPECT_EQ(unit.GetUnitInfo()[0], 0);
    info.resize(40, 7); // a longer reply: only the first 18 bytes have a place
    ASSERT_TRUE(unit.SetUnitInfo(info));
    EXPECT_EQ(unit.GetUnitInfo()[16], 9);
    EXPECT_EQ(unit.GetUnitInfo()[17], 7);
}
