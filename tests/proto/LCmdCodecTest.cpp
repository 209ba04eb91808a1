#include "proto/LCmd.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace
{

using Bytes = BSTM;

TEST(FrameCodec, GoldenFrames)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<LCmd>()> make;
        Bytes frame;
    };
    const Case cases[] = {
        {"connect request",
         [] { return std::make_unique<CM_MCS_CMD>(1, 16); },
         {0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x10, 0x03, 0x11}},
        {"gain of output 1",
         [] { return std::make_unique<CM_MCS_GAIN>(1, 3, 280); },
         {0x10, 0x02, 0x00, 0x01, 0x04, 0x34, 0x03, 0x18, 0x01, 0x10, 0x03, 0x2A}},
        {"peq band of input A",
         [] {
             return std::make_unique<CM_MCS_PEQ>(5, 0, 2, PeqBand{120, 170, 35, 0}, 0);
         },
         {0x10, 0x02, 0x00, 0x05, 0x0A, 0x33, 0x00, 0x02, 0x78, 0x00, 0xAA, 0x00, 0x23, 0x00, 0x00, 0x10,
          0x03, 0xCE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildFrame(*c.make()), c.frame);
    }
}

TEST(FrameCodec, UnescapedDleRoundTrips)
{
    // Channel 0x10 and a gain word of 0x1010: three 0x10 bytes inside the payload.
    CM_MCS_GAIN cmd(1, 0x10, 0x1010);
    const Bytes frame = BuildFrame(cmd);
    ASSERT_EQ(frame.size(), 3u + kFrameOverhead + 1);
    EXPECT_EQ(frame[4], 4);
    EXPECT_EQ(Bytes(frame.begin() + 6, frame.begin() + 9), (Bytes{0x10, 0x10, 0x10}));

    LCmd parsed(frame);
    EXPECT_EQ(parsed.GetCode(), CM_MCS_GAIN::Code);
    EXPECT_EQ(parsed.GetId(), 0); // the editor's source address
    EXPECT_EQ(parsed.GetPayload(), cmd.GetPayload());
}

TEST(FrameCodec, ParsesDeviceReplyWithItsId)
{
    // A device with id 7 answering the identity request.
    Bytes reply = {0x10, 0x02, 0x07, 0x00, 0x04, 0x13, 'M', 'O', 'R', 0x10, 0x03};
    uint8_t check = 0;
    for (uint8_t b : reply) {
        check ^= b;
    }
    reply.push_back(check);
    LCmd parsed(reply);
    EXPECT_EQ(parsed.GetId(), 7);
    EXPECT_EQ(parsed.GetCode(), 0x13);
    EXPECT_EQ(parsed.GetPayload(), (Bytes{'M', 'O', 'R'}));
}

TEST(FrameCodec, CheckByteIsNotTested)
{
    Bytes frame = BuildFrame(CM_MCS_MUTE(2, 4, 1));
    frame.back() ^= 0xFF;
    LCmd parsed(frame);
    EXPECT_EQ(parsed.GetCode(), CM_MCS_MUTE::Code);
    EXPECT_EQ(parsed.GetPayload(), (Bytes{4, 1}));
}

TEST(FrameCodec, FailedMarkersGiveFirstByteAsCode)
{
    const Bytes good = BuildFrame(CM_MCS_DELAY(1, 2, 0x0203)); // payload 02 03 02
    struct Case {
        const char* name;
        size_t offset;
        uint8_t value;
    };
    const Case cases[] = {
        {"start DLE", 0, 0x11},
        {"STX", 1, 0x12},
        {"end DLE", good.size() - 3, 0x00},
        {"ETX", good.size() - 2, 0x04},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes frame = good;
        frame[c.offset] = c.value;
        LCmd parsed(frame);
        EXPECT_EQ(parsed.GetId(), 0);
        EXPECT_EQ(parsed.GetCode(), frame[0]);
        EXPECT_EQ(parsed.GetPayload(), (Bytes{0x02, 0x03, 0x02})); // still sliced by len
    }
}

TEST(FrameCodec, LenZeroOrOneGivesEmptyPayload)
{
    struct Case {
        const char* name;
        Bytes frame;
        uint8_t code;
    };
    const Case cases[] = {
        {"len 1, code only", {0x10, 0x02, 0x03, 0x00, 0x01, 0x01, 0x10, 0x03, 0x00}, 0x01},
        {"len 0", {0x10, 0x02, 0x03, 0x00, 0x00, 0x10, 0x03, 0x00}, 0x10},
        {"len 0 with trailing bytes", {0x10, 0x02, 0x03, 0x00, 0x00, 0x22, 0x33, 0x10, 0x03, 0x00}, 0x22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LCmd parsed(c.frame);
        EXPECT_EQ(parsed.GetCode(), c.code);
        EXPECT_TRUE(parsed.GetPayload().empty());
    }
}

TEST(FrameCodec, ShortAndLyingFramesStayInsideTheirBytes)
{
    struct Case {
        const char* name;
        Bytes frame;
        uint8_t id;
        uint8_t code;
        Bytes payload;
    };
    const Case cases[] = {
        {"empty", {}, 0, 0, {}},
        {"one byte", {0x10}, 0, 0x10, {}},
        {"markers in five bytes", {0x10, 0x02, 0x10, 0x03, 0x05}, 0, 0x10, {}},
        {"header only, len 200", {0x10, 0x02, 0x01, 0x00, 200, 0x13}, 0, 0x10, {}},
        {"len beyond the end",
         {0x10, 0x02, 0x01, 0x00, 200, 0x13, 'A', 'B', 0x10, 0x03, 0x00},
         1,
         0x13,
         {'A', 'B', 0x10, 0x03, 0x00}},
        {"garbage", {0xFF, 0xFE, 0xFD, 0xFC, 0x03, 0x01, 0x02, 0x03}, 0, 0xFF, {0x02, 0x03}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LCmd parsed(c.frame);
        EXPECT_EQ(parsed.GetId(), c.id);
        EXPECT_EQ(parsed.GetCode(), c.code);
        EXPECT_EQ(parsed.GetPayload(), c.payload);
    }
    // Every length up to a full header with every len value: nothing read past the frame.
    for (size_t n = 0; n <= 12; ++n) {
        for (int len = 0; len < 256; len += 17) {
            Bytes frame(n, 0x10);
            if (n > 4) {
                frame[4] = static_cast<uint8_t>(len);
            }
            LCmd parsed(frame);
            EXPECT_LE(parsed.GetPayload().size(), n > 6 ? n - 6 : 0);
        }
    }
}

TEST(FrameCodec, ModesOtherThanFramed)
{
    CM_MCS_CMD noPayload(1, 18);
    CM_MCS_GEQ geq(1, 2, 30, 0x0102);
    EXPECT_TRUE(BuildFrame(noPayload, FrameMode::Payload).empty());
    EXPECT_EQ(BuildFrame(geq, FrameMode::Payload), (Bytes{2, 30, 0x02, 0x01}));
    EXPECT_TRUE(BuildFrame(geq, static_cast<FrameMode>(2)).empty());
    EXPECT_TRUE(BuildFrame(geq, static_cast<FrameMode>(-1)).empty());

    const Bytes raw = {0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x10, 0x03, 0x11};
    for (int mode : {0, 2}) {
        SCOPED_TRACE(mode);
        LCmd parsed(raw, static_cast<FrameMode>(mode));
        EXPECT_EQ(parsed.GetId(), 0);
        EXPECT_EQ(parsed.GetCode(), 0);
        EXPECT_EQ(parsed.GetPayload(), raw);
    }
}

TEST(FrameCodec, PayloadTooLongForLenGivesNoFrame)
{
    LCmd cmd(1, 0x30);
    cmd.GetPayload().assign(kMaxFramePayload, 0xAA);
    const Bytes frame = BuildFrame(cmd);
    ASSERT_EQ(frame.size(), static_cast<size_t>(kMaxFramePayload + kFrameOverhead + 1));
    EXPECT_EQ(frame[4], 255);
    EXPECT_EQ(LCmd(frame).GetPayload(), cmd.GetPayload());

    cmd.GetPayload().push_back(0xAA);
    EXPECT_TRUE(BuildFrame(cmd).empty());
}

TEST(FrameCodec, ConstructorsAndAccessors)
{
    LCmd empty;
    EXPECT_EQ(empty.GetId(), 0);
    EXPECT_EQ(empty.GetCode(), 0);
    EXPECT_TRUE(empty.GetPayload().empty());
    LCmd bare(9, 0x44);
    EXPECT_EQ(bare.GetId(), 9);
    EXPECT_EQ(bare.GetCode(), 0x44);
    bare.GetPayload().push_back(1);
    EXPECT_EQ(BuildFrame(bare), (Bytes{0x10, 0x02, 0x00, 0x09, 0x02, 0x44, 0x01, 0x10, 0x03, 0x4F}));
}

TEST(CommandTable, PayloadLayouts)
{
    const uint8_t data[60] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    const char name8[] = {'O', 'u', 't', '1', 0, 0, 0, 0};
    const char full8[] = {'S', 'u', 'b', 'w', 'o', 'o', 'f', 'L', 'X'}; // 9th byte must not be sent
    const char preset[] = "Default PresetXYZ";
    const CompParam comp{3, 49, 499, 0x0102, 220};
    const GateParam gate{0, 99, 0x0180, 180};
    const LimitParam limit{49, 499, 0, 0x10E};

    struct Case {
        const char* name;
        std::function<std::unique_ptr<LCmd>()> make;
        uint8_t code;
        Bytes payload;
    };
    const Case cases[] = {
        {"mcu reset", [] { return std::make_unique<CM_MCS_MCU_RESET>(1); }, 4, {}},
        {"delay unit", [] { return std::make_unique<CM_MCS_DELAYUNIT>(1, 2); }, 21, {2}},
        {"read store", [] { return std::make_unique<CM_MCS_READ_EEPROM>(1, 0x0201, 18); }, 25, {1, 2, 18}},
        {"write store",
         [&] { return std::make_unique<CM_MCS_WRITE_EEPROM>(1, 1, 3, data); },
         26,
         {1, 0, 3, 1, 2, 3}},
        {"download chunk",
         [&] { return std::make_unique<CM_MCS_DOWNLOAD>(1, 21, 4, data, 5); },
         37,
         {21, 4, 1, 2, 3, 4, 5}},
        {"preset name, 14 bytes only", [&] { return std::make_unique<CM_MCS_PRESETNAME>(1, preset); }, 38,
         Bytes(preset, preset + 14)},
        {"pass submit",
         [] { return std::make_unique<CM_MCS_PASS_SUBMIT>(1, "4719"); },
         45,
         {0, '4', '7', '1', '9'}},
        {"set lock", [] { return std::make_unique<CM_MCS_SET_LOCK>(1, "ABCD"); }, 47, {'A', 'B', 'C', 'D'}},
        {"compressor",
         [&] { return std::make_unique<CM_MCS_COMP>(1, 5, comp); },
         48,
         {5, 3, 0, 49, 0, 0xF3, 0x01, 0x02, 0x01, 220, 0}},
        {"low pass", [] { return std::make_unique<CM_MCS_LOW_PASS>(1, 8, 300, 7); }, 49, {8, 0x2C, 0x01, 7}},
        {"high pass", [] { return std::make_unique<CM_MCS_HIGH_PASS>(1, 0, 41, 12); }, 50, {0, 41, 0, 12}},
        {"peq bypassed",
         [] {
             return std::make_unique<CM_MCS_PEQ>(1, 8, 8, PeqBand{-5, 285, 100, 8}, 1);
         },
         51,
         {8, 8, 0xFB, 0xFF, 0x1D, 0x01, 100, 8, 1}},
        {"gain, low 16 bits of a wide value",
         [] { return std::make_unique<CM_MCS_GAIN>(1, 0, 0x12345); },
         52,
         {0, 0x45, 0x23}},
        {"mute", [] { return std::make_unique<CM_MCS_MUTE>(1, 7, 1); }, 53, {7, 1}},
        {"polarity flag 5 sends 1", [] { return std::make_unique<CM_MCS_POLARITY>(1, 2, 5); }, 54, {2, 1}},
        {"polarity off", [] { return std::make_unique<CM_MCS_POLARITY>(1, 2, 0); }, 54, {2, 0}},
        {"delay", [] { return std::make_unique<CM_MCS_DELAY>(1, 4, 65280); }, 56, {4, 0x00, 0xFF}},
        {"work mode", [] { return std::make_unique<CM_MCS_WORK_MODE>(1, 3, 17); }, 57, {3, 17}},
        {"matrix, low byte of mask",
         [] { return std::make_unique<CM_MCS_MATRIX>(1, 3, 0x0105); },
         58,
         {3, 5}},
        {"channel name padded",
         [&] { return std::make_unique<CM_MCS_CHANNEL_NAME>(1, 3, name8); },
         61,
         {3, 'O', 'u', 't', '1', 0, 0, 0, 0}},
        {"channel name of 8",
         [&] { return std::make_unique<CM_MCS_CHANNEL_NAME>(1, 4, full8); },
         61,
         {4, 'S', 'u', 'b', 'w', 'o', 'o', 'f', 'L'}},
        {"gate",
         [&] { return std::make_unique<CM_MCS_GATE>(1, 1, gate); },
         62,
         {1, 0, 0, 99, 0, 0x80, 1, 180, 0}},
        {"limit",
         [&] { return std::make_unique<CM_MCS_LIMIT>(1, 6, limit); },
         63,
         {6, 49, 0, 0xF3, 0x01, 0, 0, 0x0E, 0x01}},
        {"mix", [] { return std::make_unique<CM_MCS_MIX>(1, 8, 2, 280); }, 65, {8, 2, 0x18, 0x01}},
        {"geq", [] { return std::make_unique<CM_MCS_GEQ>(1, 2, 30, 240); }, 72, {2, 30, 240, 0}},
        {"generic, no payload", [] { return std::make_unique<CM_MCS_CMD>(1, 64); }, 64, {}},
        {"generic, one byte", [] { return std::make_unique<CM_MCS_CMD>(1, 39, 21); }, 39, {21}},
        {"generic, two bytes", [] { return std::make_unique<CM_MCS_CMD>(1, 42, 3, 0x108); }, 42, {3, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto cmd = c.make();
        EXPECT_EQ(cmd->GetId(), 1);
        EXPECT_EQ(cmd->GetCode(), c.code);
        EXPECT_EQ(cmd->GetPayload(), c.payload);
        // And the frame carries exactly that back.
        const Bytes frame = BuildFrame(*cmd);
        EXPECT_EQ(frame.size(), c.payload.size() + 9);
        LCmd parsed(frame);
        EXPECT_EQ(parsed.GetCode(), c.code);
        EXPECT_EQ(parsed.GetPayload(), c.payload);
    }
}

TEST(CommandTable, LongestCommandFrameIsTheFiftyByteDownload)
{
    const uint8_t data[50] = {};
    EXPECT_EQ(BuildFrame(CM_MCS_DOWNLOAD(1, 0, 0, data, 50)).size(), 61u);
}

TEST(CommandTable, UnsafeArgumentsAreBounded)
{
    // The count byte and the data that follow it agree even when too many bytes are asked for.
    uint8_t data[200] = {};
    CM_MCS_WRITE_EEPROM write(1, 0, 200, data);
    EXPECT_EQ(write.GetPayload()[2], kMaxEepromWrite);
    EXPECT_EQ(write.GetPayload().size(), 3u + kMaxEepromWrite);
    CM_MCS_WRITE_EEPROM negative(1, 0, -1, data);
    EXPECT_EQ(negative.GetPayload(), (Bytes{0, 0, 0}));

    // A missing text field goes out as zero bytes.
    EXPECT_EQ(CM_MCS_SET_LOCK(1, nullptr).GetPayload(), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(CM_MCS_PRESETNAME(1, nullptr).GetPayload(), Bytes(14, 0));
}

} // namespace
