// The one command table: every command class's code is in it, and its addressing bytes are what the
// send queue compares.
#include "proto/Commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "proto/LCmd.h"

namespace
{

TEST(CommandTable, EveryCommandClassHasItsRow)
{
    const int codes[] = {
        CM_MCS_MCU_RESET::Code, CM_MCS_DELAYUNIT::Code,  CM_MCS_READ_EEPROM::Code,  CM_MCS_WRITE_EEPROM::Code,
        CM_MCS_DOWNLOAD::Code,  CM_MCS_PRESETNAME::Code, CM_MCS_PASS_SUBMIT::Code,  CM_MCS_SET_LOCK::Code,
        CM_MCS_COMP::Code,      CM_MCS_LOW_PASS::Code,   CM_MCS_HIGH_PASS::Code,    CM_MCS_PEQ::Code,
        CM_MCS_GAIN::Code,      CM_MCS_MUTE::Code,       CM_MCS_POLARITY::Code,     CM_MCS_DELAY::Code,
        CM_MCS_WORK_MODE::Code, CM_MCS_MATRIX::Code,     CM_MCS_CHANNEL_NAME::Code, CM_MCS_GATE::Code,
        CM_MCS_LIMIT::Code,     CM_MCS_MIX::Code,        CM_MCS_GEQ::Code};
    for (int code : codes) {
        SCOPED_TRACE(code);
        const proto::CommandInfo* row = proto::FindCommand(static_cast<uint8_t>(code));
        ASSERT_NE(row, nullptr);
        EXPECT_FALSE(row->name.empty());
    }
    std::set<std::string_view> names;
    for (const proto::CommandInfo& c : proto::kCommands)
        EXPECT_TRUE(names.insert(c.name).second) << c.name << " twice";
}

TEST(CommandTable, AddressingBytesNameTheTarget)
{
    struct Case {
        const char* name;
        uint8_t code;
        int bytes;
    } cases[] = {
        {"device setting: work mode", proto::kWorkMode, 0},
        {"idle poll", proto::kIdle, 0},
        {"channel: gain", proto::kGain, 1},
        {"channel: link word", proto::kLink, 1},
        {"channel and band: PEQ", proto::kPeq, 2},
        {"output and input: mix", proto::kMix, 2},
        {"whole frame: download chunk", proto::kDownload, proto::kWholeFrame},
        {"whole frame: store", proto::kStore, proto::kWholeFrame},
        {"no command: the acknowledgement", proto::kReplyAck, proto::kWholeFrame},
        {"no command: 55", 55, proto::kWholeFrame},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(proto::AddressBytes(c.code), c.bytes);
    }
    // Every addressing byte is inside the command's own payload.
    const PeqBand band{120, 170, 35, 0};
    EXPECT_LE(proto::AddressBytes(proto::kPeq),
              static_cast<int>(CM_MCS_PEQ(1, 0, 0, band, 0).GetPayload().size()));
    EXPECT_LE(proto::AddressBytes(proto::kMix), static_cast<int>(CM_MCS_MIX(1, 3, 0, 0).GetPayload().size()));
    EXPECT_LE(proto::AddressBytes(proto::kLink),
              static_cast<int>(CM_MCS_CMD(1, proto::kLink, 0, 1).GetPayload().size()));
}

} // namespace
