#include <cstring>
#include <functional>
#include <gtest/gtest.h>

#include "ModelTestUtil.h"
#include "model/LUnitControl.h"

namespace
{

constexpr uint8_t kSetterDeviceId = 7;

// Inputs A and B linked under A; outputs 1 and 2 linked under output 1; all others alone.
class LinkedModel : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        const uint16_t words[9] = {0x03, 0, 0x04, 0x03, 0, 0x04, 0x08, 0x10, 0x20};
        for (int ch = 0; ch < 9; ++ch)
            unit.SetLink(ch, words[ch]);
        sink.deviceId = kSetterDeviceId;
        unit.SetSink(&sink);
    }

    LUnitControl unit;
    RecordingSink sink;
};

Sent Coalesced(uint8_t code, std::vector<uint8_t> payload)
{
    return {kSetterDeviceId, code, std::move(payload), false};
}
Sent Appended(uint8_t code, std::vector<uint8_t> payload)
{
    return {kSetterDeviceId, code, std::move(payload), true};
}

struct Case {
    const char* name;
    std::function<void(LUnitControl&)> edit;
    std::vector<Sent> frames; // while not updating
    std::vector<int> marked;  // in both modes
    std::function<void(const LUnitControl&)> check;
};

const Case kCases[] = {
    {"gate of input B stored into A and B",
     [](LUnitControl& u) {
         u.SetGate(1, GateParam{10, 200, 300, 150});
     },
     {Coalesced(62, Bytes({1, 10, 0, 200, 0, 0x2C, 0x01, 150, 0}))},
     {},
     [](const LUnitControl& u) {
         for (int ch : {0, 1}) {
             EXPECT_EQ(u.GetGate(ch).release, 200);
             EXPECT_EQ(u.GetGate(ch).hold, 300);
         }
         EXPECT_EQ(u.GetGate(2).release, 99);
     }},
    {"compressor of output 2 stored into outputs 1 and 2",
     [](LUnitControl& u) {
         u.SetComp(4, CompParam{3, 20, 600, 5, 190});
     },
     {Coalesced(48, Bytes({4, 3, 0, 20, 0, 0x58, 0x02, 5, 0, 190, 0}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetComp(3).ratio, 3);
         EXPECT_EQ(u.GetComp(4).release, 600);
         EXPECT_EQ(u.GetComp(5).ratio, 0);
     }},
    {"limiter of output 2",
     [](LUnitControl& u) {
         u.SetLimit(4, LimitParam{30, 700, 2, 210});
     },
     {Coalesced(63, Bytes({4, 30, 0, 0xBC, 0x02, 2, 0, 210, 0}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetLimit(3).release, 700);
         EXPECT_EQ(u.GetLimit(4).threshold, 210);
         EXPECT_EQ(u.GetLimit(5).release, 499);
     }},
    {"PEQ band of input B with bypass",
     [](LUnitControl& u) {
         u.SetPeq(1, 3, PeqBand{130, 150, 40, 2}, 1);
     },
     {Coalesced(51, Bytes({1, 3, 130, 0, 150, 0, 40, 2, 1}))},
     {1},
     [](const LUnitControl& u) {
         for (int ch : {0, 1}) {
             EXPECT_EQ(u.GetPeq(ch, 3).freq, 150);
             EXPECT_EQ(u.GetPeq(ch, 3).type, 2);
             EXPECT_TRUE(u.GetPeqBypass(ch, 3));
         }
         EXPECT_EQ(u.GetPeq(2, 3).freq, 140);
         EXPECT_FALSE(u.GetPeqBypass(2, 3));
     }},
    {"PEQ band of output 1 clears the bypass bit",
     [](LUnitControl& u) {
         u.SetPeq(3, 8, PeqBand{100, 285, 35, 0}, 1);
         u.SetPeq(3, 8, PeqBand{110, 285, 35, 0}, 0);
     },
     {Coalesced(51, Bytes({3, 8, 100, 0, 0x1D, 0x01, 35, 0, 1})),
      Coalesced(51, Bytes({3, 8, 110, 0, 0x1D, 0x01, 35, 0, 0}))},
     {3, 3},
     [](const LUnitControl& u) {
         for (int ch : {3, 4}) {
             EXPECT_EQ(u.GetPeq(ch, 8).gain, 110);
             EXPECT_FALSE(u.GetPeqBypass(ch, 8));
         }
     }},
    {"GEQ band of input B",
     [](LUnitControl& u) { u.SetGeq(1, 30, 200); },
     {Coalesced(72, Bytes({1, 30, 200, 0}))},
     {1},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetGeq(0, 30), 200);
         EXPECT_EQ(u.GetGeq(1, 30), 200);
         EXPECT_EQ(u.GetGeq(2, 30), 120);
     }},
    {"GEQ on an output stores nothing but is still sent",
     [](LUnitControl& u) { u.SetGeq(5, 4, 99); },
     {Coalesced(72, Bytes({5, 4, 99, 0}))},
     {5},
     [](const LUnitControl& u) {
         for (int in = 0; in < 3; ++in)
             EXPECT_EQ(u.GetGeq(in, 4), 120);
     }},
    {"high pass keeps the low-pass half",
     [](LUnitControl& u) {
         u.SetHighPass(4, XoverParam{100, 250, 5, 7});
     },
     {Coalesced(50, Bytes({4, 100, 0, 5}))},
     {4},
     [](const LUnitControl& u) {
         for (int ch : {3, 4}) {
             const XoverParam x = u.GetXover(ch);
             EXPECT_EQ(x.hpFreq, 100);
             EXPECT_EQ(x.hpSlope, 5);
             EXPECT_EQ(x.lpFreq, 300);
             EXPECT_EQ(x.lpSlope, 0);
         }
         EXPECT_EQ(u.GetXover(5).hpFreq, 0);
     }},
    {"low pass keeps the high-pass half",
     [](LUnitControl& u) {
         u.SetLowPass(1, XoverParam{100, 250, 5, 7});
     },
     {Coalesced(49, Bytes({1, 250, 0, 7}))},
     {1},
     [](const LUnitControl& u) {
         for (int ch : {0, 1}) {
             const XoverParam x = u.GetXover(ch);
             EXPECT_EQ(x.hpFreq, 0);
             EXPECT_EQ(x.hpSlope, 0);
             EXPECT_EQ(x.lpFreq, 250);
             EXPECT_EQ(x.lpSlope, 7);
         }
     }},
    {"gain of output 2 stored into outputs 1 and 2, sent once for output 2",
     [](LUnitControl& u) { u.SetGain(4, 300); },
     {Coalesced(52, Bytes({4, 0x2C, 0x01}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetGain(3), 300);
         EXPECT_EQ(u.GetGain(4), 300);
         EXPECT_EQ(u.GetGain(5), 280);
     }},
    {"delay above the int16 range",
     [](LUnitControl& u) { u.SetDelay(1, 65280); },
     {Coalesced(56, Bytes({1, 0x00, 0xFF}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetDelay(0), 65280);
         EXPECT_EQ(u.GetDelay(1), 65280);
         EXPECT_EQ(u.GetDelay(2), 0);
     }},
    {"polarity of output 1",
     [](LUnitControl& u) { u.SetPolarity(3, 1); },
     {Coalesced(54, Bytes({3, 1}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_TRUE(u.GetPolarity(3));
         EXPECT_TRUE(u.GetPolarity(4));
         EXPECT_FALSE(u.GetPolarity(5));
     }},
    {"mute of input B sets both bits",
     [](LUnitControl& u) { u.SetMute(1, 1); },
     {Coalesced(53, Bytes({1, 1}))},
     {},
     [](const LUnitControl& u) { EXPECT_EQ(u.GetImage().inputMute, 0x03); }},
    {"unmute of output 2 clears both bits",
     [](LUnitControl& u) {
         u.SetMute(4, 1);
         u.SetMute(5, 1);
         u.SetMute(4, 0);
     },
     {Coalesced(53, Bytes({4, 1})), Coalesced(53, Bytes({5, 1})), Coalesced(53, Bytes({4, 0}))},
     {},
     [](const LUnitControl& u) { EXPECT_EQ(u.GetImage().outputMute, 0x04); }},
    {"matrix on for output 1 input B",
     [](LUnitControl& u) { u.SetMatrix(3, 1, true); },
     {Coalesced(58, Bytes({3, 0x03}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetMatrix(3), 0x03);
         EXPECT_EQ(u.GetMatrix(4), 0x02); // routing is not shared by the group
     }},
    {"matrix off for output 4 input A",
     [](LUnitControl& u) { u.SetMatrix(6, 0, false); },
     {Coalesced(58, Bytes({6, 0x00}))},
     {},
     [](const LUnitControl& u) { EXPECT_EQ(u.GetMatrix(6), 0); }},
    {"mix level of one cell",
     [](LUnitControl& u) { u.SetMix(4, 2, 100); },
     {Coalesced(65, Bytes({4, 2, 100, 0}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetMix(4, 2), 100);
         EXPECT_EQ(u.GetMix(3, 2), 280);
         EXPECT_EQ(u.GetMix(4, 1), 280);
     }},
    {"delay unit",
     [](LUnitControl& u) { u.SetDelayUnit(2); },
     {Coalesced(21, Bytes({2}))},
     {},
     [](const LUnitControl& u) { EXPECT_EQ(u.GetDelayUnit(), 2); }},
    {"link word sends its low byte, appended",
     [](LUnitControl& u) { u.SetLink(3, 0x0103); },
     {Appended(59, Bytes({3, 0x03}))},
     {},
     [](const LUnitControl& u) { EXPECT_EQ(u.GetLink(3), 0x0103); }},
    {"short channel name padded with zero bytes, appended",
     [](LUnitControl& u) {
         const uint8_t name[8] = {'S', 'u', 'b', ' ', 'L', 0, 0, 0};
         u.SetChannelName(4, name);
     },
     {Appended(61, Bytes({4, 'S', 'u', 'b', ' ', 'L', 0, 0, 0}))},
     {},
     [](const LUnitControl& u) {
         const auto n = u.GetChannelName(4);
         EXPECT_EQ(std::string(n.begin(), n.end()), std::string("Sub L\0\0\0", 8));
         EXPECT_EQ(u.GetChannelName(3)[0], 'O'); // names are not shared
     }},
    {"EQ bypass of output 2's group: the word stored, one command for output 2 with its bit",
     [](LUnitControl& u) { u.SetEqBypass(4, 0x03); },
     {Coalesced(60, Bytes({4, 1}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetEqBypassMask(3), 0x03);
         EXPECT_EQ(u.GetEqBypassMask(0), 0); // the inputs' word stays
     }},
    {"EQ bypass off for input B",
     [](LUnitControl& u) { u.SetEqBypass(1, 0x04); },
     {Coalesced(60, Bytes({1, 0}))},
     {},
     [](const LUnitControl& u) { EXPECT_EQ(u.GetEqBypassMask(0), 0x04); }},
    {"GEQ bypass of input A's group",
     [](LUnitControl& u) { u.SetGeqBypass(0, 0x03); },
     {Coalesced(73, Bytes({0, 1}))},
     {},
     [](const LUnitControl& u) { EXPECT_EQ(u.GetGeqBypassMask(), 0x03); }},
    {"test signal: sine with its index, appended",
     [](LUnitControl& u) { u.SetTestSignal(3, 17); },
     {Appended(57, Bytes({3, 17}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetWorkMode(), 3);
         EXPECT_EQ(u.GetSineFreq(), 17);
     }},
    {"test signal without a sine index chosen: 0 stored and sent alike",
     [](LUnitControl& u) { u.SetTestSignal(1, -1); },
     {Appended(57, Bytes({1, 0}))},
     {},
     [](const LUnitControl& u) {
         EXPECT_EQ(u.GetWorkMode(), 1);
         EXPECT_EQ(u.GetSineFreq(), 0);
     }},
    {"eight-character name without terminator",
     [](LUnitControl& u) {
         const uint8_t name[8] = {'M', 'a', 'i', 'n', 'L', 'e', 'f', 't'};
         u.SetChannelName(0, name);
     },
     {Appended(61, Bytes({0, 'M', 'a', 'i', 'n', 'L', 'e', 'f', 't'}))},
     {},
     [](const LUnitControl& u) {
         const auto n = u.GetChannelName(0);
         EXPECT_EQ(std::string(n.begin(), n.end()), "MainLeft");
         EXPECT_EQ(u.GetImage().inputs[0].gate.attack, 0); // the next field is untouched
     }},
};

} // namespace

TEST_F(LinkedModel, EverySetterStoresIntoItsGroupAndSendsOneCommand)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        unit.LoadDefaults();
        SetUp();
        sink.sent.clear();
        sink.marked.clear();
        c.edit(unit);
        EXPECT_EQ(sink.sent, c.frames);
        EXPECT_EQ(sink.marked, c.marked);
        c.check(unit);
    }
}

TEST_F(LinkedModel, WhileUpdatingSettersStoreAndMarkButSendNothing)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        unit.LoadDefaults();
        SetUp();
        sink.sent.clear();
        sink.marked.clear();
        sink.updating = true;
        c.edit(unit);
        EXPECT_TRUE(sink.sent.empty());
        EXPECT_EQ(sink.marked, c.marked);
        c.check(unit);
    }
}

// An EQ reset goes out whatever the refresh flag says: every band appended, with the default values.
TEST_F(LinkedModel, ResetsStoreTheDefaultsIntoTheGroupAndSendEveryBandAppended)
{
    for (bool updating : {false, true}) {
        SCOPED_TRACE(updating ? "updating" : "not updating");
        unit.LoadDefaults();
        SetUp();
        for (int ch : {3, 4})
            unit.SetPeq(ch, 8, PeqBand{150, 100, 60, 3}, 1);
        for (int in : {0, 1, 2})
            unit.SetGeq(in, 30, 200);
        sink.sent.clear();
        sink.marked.clear();
        sink.updating = updating;

        unit.ResetPeqBand(4, 8);
        // Output 2, band 9: gain 120, 285 (0x011D), Q 35, peak, not bypassed.
        EXPECT_EQ(sink.sent, (std::vector<Sent>{Appended(51, Bytes({4, 8, 120, 0, 0x1D, 0x01, 35, 0, 0}))}));
        for (int ch : {3, 4}) {
            EXPECT_EQ(unit.GetPeq(ch, 8).gain, 120);
            EXPECT_EQ(unit.GetPeq(ch, 8).type, 0);
            EXPECT_FALSE(unit.GetPeqBypass(ch, 8));
        }
        EXPECT_EQ(unit.GetPeq(5, 8).freq, 285) << "output 3 is in no group with output 2";
        EXPECT_EQ(sink.marked, (std::vector<int>{4}));

        sink.sent.clear();
        unit.ResetGeq(1);
        ASSERT_EQ(sink.sent.size(), 31u);
        for (int b = 0; b < 31; ++b)
            EXPECT_EQ(sink.sent[size_t(b)], Appended(72, Bytes({1, b, 120, 0}))) << "band " << b;
        EXPECT_EQ(unit.GetGeq(0, 30), 120);
        EXPECT_EQ(unit.GetGeq(1, 30), 120);
        EXPECT_EQ(unit.GetGeq(2, 30), 200) << "input C is in no group with B";
    }
}

TEST(Setters, WithoutSinkTheModelIsAPureStore)
{
    LUnitControl unit;
    unit.SetGain(0, 10);
    unit.SetPeq(3, 0, PeqBand{1, 2, 3, 4}, 1);
    EXPECT_EQ(unit.GetGain(0), 10);
    EXPECT_EQ(unit.GetPeq(3, 0).type, 4);
    EXPECT_TRUE(unit.GetPeqBypass(3, 0));
}

// A member that no lower channel lists, and a first channel without its own bit: the edited channel
// still takes the value, so model and device agree.
TEST(Setters, EditedChannelAlwaysTakesTheValue)
{
    struct Case {
        const char* name;
        uint16_t words[9];
        int ch;
        std::vector<int> changed;
    };
    const Case cases[] = {
        {"orphan input C", {1, 2, 0, 1, 2, 4, 8, 16, 32}, 2, {1, 2}},
        {"input A with word 0", {0, 2, 4, 1, 2, 4, 8, 16, 32}, 0, {0}},
        {"output 1 with word 0", {1, 2, 4, 0, 2, 4, 8, 16, 32}, 3, {3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LUnitControl unit;
        RecordingSink sink;
        unit.SetSink(&sink);
        for (int ch = 0; ch < 9; ++ch)
            unit.SetLink(ch, c.words[ch]);
        sink.sent.clear();
        unit.SetGain(c.ch, 77);
        for (int ch = 0; ch < 9; ++ch) {
            const bool changed = std::find(c.changed.begin(), c.changed.end(), ch) != c.changed.end();
            EXPECT_EQ(unit.GetGain(ch), changed ? 77 : 280) << "channel " << ch;
        }
        ASSERT_EQ(sink.sent.size(), 1u);
        EXPECT_EQ(sink.sent[0].payload, Bytes({c.ch, 77, 0}));
    }
}

namespace
{

// Fills every copied and every kept field of a channel with values unlike the defaults.
void Decorate(LUnitControl& unit, int ch, int seed)
{
    unit.SetLink(ch, 0);
    if (ch < 3) {
        unit.SetGate(ch, GateParam{int16_t(seed), int16_t(seed + 1), int16_t(seed + 2), int16_t(seed + 3)});
        for (int b = 0; b < 31; ++b)
            unit.SetGeq(ch, b, int16_t(seed + b));
        for (int b = 0; b < 8; ++b)
            unit.SetPeq(ch, b, PeqBand{int16_t(seed + b), int16_t(b * 30), uint8_t(b), uint8_t(b)}, b % 2);
    } else {
        unit.SetComp(ch, CompParam{int16_t(seed % 16), int16_t(seed), 2, 3, 4});
        unit.SetLimit(ch, LimitParam{int16_t(seed), 5, 6, 7});
        for (int b = 0; b < 9; ++b)
            unit.SetPeq(ch, b, PeqBand{int16_t(seed + b), int16_t(b * 30), uint8_t(b), uint8_t(b % 9)},
                        b % 2);
    }
    unit.SetHighPass(ch, XoverParam{int16_t(seed), 0, 3, 0});
    unit.SetLowPass(ch, XoverParam{0, int16_t(seed + 100), 0, 4});
    unit.SetGain(ch, uint16_t(seed + 5));
    unit.SetPolarity(ch, 1);
    unit.SetDelay(ch, uint16_t(seed * 100));
    unit.SetMute(ch, 1);
}

} // namespace

TEST(CopyChannel, InputCopiesProcessingAndKeepsIdentity)
{
    LUnitControl unit;
    RecordingSink sink;
    Decorate(unit, 0, 11);
    unit.SetEqBypassMask(0, 0x01);
    unit.SetGeqBypassMask(0x02); // B's GEQ bypass stays
    unit.SetLink(1, 0x06);
    unit.SetSink(&sink);

    unit.CopyChannel(0, 1);

    EXPECT_TRUE(sink.sent.empty());
    const ParamImage& im = unit.GetImage();
    const InputBlock& a = im.inputs[0];
    const InputBlock& b = im.inputs[1];
    EXPECT_EQ(std::memcmp(&a.gate, &b.gate, offsetof(InputBlock, link) - offsetof(InputBlock, gate)), 0);
    EXPECT_EQ(im.bandBypass[1], im.bandBypass[0]);
    EXPECT_NE(im.bandBypass[0], 0);
    EXPECT_EQ(im.inputMute, 0x03);
    EXPECT_EQ(im.inputEqBypass, 0x03);
    EXPECT_EQ(im.geqBypass, 0x02);
    EXPECT_EQ(b.link, 0x06);
    EXPECT_EQ(std::string(b.name, b.name + 8), std::string("InB\0\0\0\0\0", 8));
    EXPECT_EQ(im.inputs[2].gain, 280); // C untouched

    // Copying an unmuted, active channel clears the target's bits.
    unit.CopyChannel(2, 1);
    EXPECT_EQ(unit.GetImage().inputMute, 0x01);
    EXPECT_EQ(unit.GetImage().inputEqBypass, 0x01);
    EXPECT_EQ(unit.GetImage().bandBypass[1], 0);
}

TEST(CopyChannel, OutputCopiesProcessingAndKeepsRoutingAndMix)
{
    LUnitControl unit;
    Decorate(unit, 3, 21);
    unit.SetEqBypassMask(3, 0x01);
    unit.SetMix(3, 1, 50);

    unit.CopyChannel(3, 8);

    const ParamImage& im = unit.GetImage();
    const OutputBlock& s = im.outputs[0];
    const OutputBlock& t = im.outputs[5];
    EXPECT_EQ(std::memcmp(&s.xover, &t.xover, offsetof(OutputBlock, link) - offsetof(OutputBlock, xover)), 0);
    EXPECT_EQ(im.bandBypass[8], im.bandBypass[3]);
    EXPECT_EQ(im.outputMute, 0x21);
    EXPECT_EQ(im.outputEqBypass, 0x21);
    EXPECT_EQ(t.routeMask, 4);
    EXPECT_EQ(t.mix[1], 280);
    EXPECT_EQ(t.link, 32);
    EXPECT_EQ(std::string(t.name, t.name + 8), std::string("Out6\0\0\0\0", 8));
}
