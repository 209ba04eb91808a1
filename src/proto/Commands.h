// The one table of the device's commands: code, name, and how many payload bytes address a
// command's target (channel, band, input). The command classes take their codes from it, the send
// queue its coalescing key, the state machine and the model the codes they send and answer to.
// Constant data only: any thread may read it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace proto
{

// Command codes. A reply carries its request's code, except the two reply codes below.
enum Code : uint8_t {
    kMcuReset = 4,
    kConnect = 16,
    kDisconnect = 17,
    kIdle = 18, // end of a read, resynchronisation, and the transports' idle poll
    kIdentity = 19,
    kPresetNumber = 20,
    kDelayUnit = 21,
    kReadEeprom = 25, // the unit upload reads the unit information with it
    kWriteEeprom = 26,
    kRecall = 32,
    kStore = 33,
    kParamDump = 34,
    kFactory = 35,
    kSelectPreset = 36, // selects a stored preset for upload
    kDownload = 37,
    kPresetName = 38,
    kReadBlock = 39,
    kUploadBlock = 40, // reads a block of the selected stored preset
    kReadName = 41,    // reads the name of a stored preset
    kCopy = 42,
    kStatus = 44,
    kPassSubmit = 45,
    kSetLock = 47,
    kComp = 48,
    kLowPass = 49,
    kHighPass = 50,
    kPeq = 51,
    kGain = 52,
    kMute = 53,
    kPolarity = 54,
    kDelay = 56,
    kWorkMode = 57,
    kMatrix = 58,
    kLink = 59,
    kPeqBypass = 60,
    kChannelName = 61,
    kGate = 62,
    kLimit = 63,
    kLevels = 64,
    kMix = 65,
    kGeq = 72,
    kGeqBypass = 73,
};

// Reply codes that are not their request's code.
enum ReplyCode : uint8_t {
    kReplyAck = 1,         // the acknowledgement of a setter or a step
    kReplyParamBlock = 36, // answers kReadBlock
};

// A command whose whole frame is its target: only an identical frame is the same command.
inline constexpr int kWholeFrame = -1;

// The device ids the editor addresses: one range for the link, the window and the setup dialog.
inline constexpr int kMinDeviceId = 1;
inline constexpr int kMaxDeviceId = 250;

struct CommandInfo {
    Code code;
    std::string_view name;
    int addressBytes; // leading payload bytes that name the target, or kWholeFrame
};

inline constexpr CommandInfo kCommands[] = {
    {kMcuReset, "MCU reset", 0},
    {kConnect, "connect", 0},
    {kDisconnect, "disconnect", 0},
    {kIdle, "end of read / idle poll", 0},
    {kIdentity, "identity", 0},
    {kPresetNumber, "preset number", 0},
    {kDelayUnit, "delay unit", 0},
    {kReadEeprom, "read store", kWholeFrame},
    {kWriteEeprom, "write store", kWholeFrame},
    {kRecall, "recall preset", kWholeFrame},
    {kStore, "store preset", kWholeFrame},
    {kParamDump, "read all", 0},
    {kFactory, "factory default", 0},
    {kSelectPreset, "select stored preset", kWholeFrame},
    {kDownload, "download chunk", kWholeFrame},
    {kPresetName, "preset name", kWholeFrame},
    {kReadBlock, "read block", kWholeFrame},
    {kUploadBlock, "read stored block", kWholeFrame},
    {kReadName, "read preset name", kWholeFrame},
    {kCopy, "copy channel", kWholeFrame},
    {kStatus, "status", 0},
    {kPassSubmit, "unlock", kWholeFrame},
    {kSetLock, "set lock", kWholeFrame},
    {kComp, "compressor", 1},
    {kLowPass, "low pass", 1},
    {kHighPass, "high pass", 1},
    {kPeq, "PEQ band", 2}, // channel, band
    {kGain, "gain", 1},
    {kMute, "mute", 1},
    {kPolarity, "polarity", 1},
    {kDelay, "delay", 1},
    {kWorkMode, "work mode", 0},
    {kMatrix, "matrix", 1},
    {kLink, "link", 1},
    {kPeqBypass, "PEQ bypass", 1},
    {kChannelName, "channel name", 1},
    {kGate, "gate", 1},
    {kLimit, "limiter", 1},
    {kLevels, "levels", 0},
    {kMix, "mix", 2},      // output, input
    {kGeq, "GEQ band", 2}, // channel, band
    {kGeqBypass, "GEQ bypass", 1},
};

// The table's row of a code, or null for a code that is no command.
constexpr const CommandInfo* FindCommand(uint8_t code)
{
    for (const CommandInfo& c : kCommands)
        if (c.code == code)
            return &c;
    return nullptr;
}

// Payload bytes that address the command's target; kWholeFrame for whole-frame commands and for a
// code that is no command.
constexpr int AddressBytes(uint8_t code)
{
    const CommandInfo* c = FindCommand(code);
    return c != nullptr ? c->addressBytes : kWholeFrame;
}

namespace detail
{
constexpr bool CodesAscendOnce()
{
    for (size_t i = 1; i < std::size(kCommands); ++i)
        if (kCommands[i - 1].code >= kCommands[i].code)
            return false;
    return true;
}
} // namespace detail
static_assert(detail::CodesAscendOnce(), "one row per code, in code order");

} // namespace proto
