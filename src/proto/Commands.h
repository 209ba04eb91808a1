// The one table of the device's commands: code, name and payload as the serial-command reference
// lists them, how many payload bytes address a command's
// target (channel, band, input) and whether it is an edit. The command classes take their codes from
// it, the send queue its coalescing key, the state machine and the model the codes they send and
// answer to. Constant data only: any thread may read it.
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
    std::string_view name;    // as the serial-command reference lists it
    std::string_view payload; // the payload bytes in order, "-" for none
    int addressBytes;         // leading payload bytes that name the target, or kWholeFrame
    bool edit;                // sets one parameter of its target: only the latest value matters
};

inline constexpr CommandInfo kCommands[] = {
    {kMcuReset, "Restart the device", "-", 0, false},
    {kConnect, "Connect", "-", 0, false},
    {kDisconnect, "Disconnect", "-", 0, false},
    {kIdle, "End of read / keep alive", "-", 0, false},
    {kIdentity, "Identity request", "-", 0, false},
    {kPresetNumber, "Current preset number", "-", 0, false},
    {kDelayUnit, "Delay unit", "unit (0 ms, 1 m, 2 ft)", 0, true},
    {kReadEeprom, "Read store", "address int16, count", kWholeFrame, false},
    {kWriteEeprom, "Write store", "address int16, count, data", kWholeFrame, false},
    {kRecall, "Recall preset", "preset", kWholeFrame, false},
    {kStore, "Store preset", "preset", kWholeFrame, false},
    {kParamDump, "Read all settings", "-", 0, false},
    {kFactory, "Factory default", "-", 0, false},
    {kSelectPreset, "Select stored preset", "preset", kWholeFrame, false},
    {kDownload, "Preset data chunk", "chunk, slot, data", kWholeFrame, false},
    {kPresetName, "Preset name", "14 bytes of name", kWholeFrame, false},
    {kReadBlock, "Read block", "block", kWholeFrame, false},
    {kUploadBlock, "Read stored block", "block", kWholeFrame, false},
    {kReadName, "Read preset name", "preset", kWholeFrame, false},
    {kCopy, "Copy channel", "source, target", kWholeFrame, false},
    {kStatus, "Status request", "-", 0, false},
    {kPassSubmit, "Unlock", "0, 4 bytes of password", kWholeFrame, false},
    {kSetLock, "Set lock password", "4 bytes of password", kWholeFrame, false},
    {kComp, "Compressor", "out, ratio, att, rel, knee, thr+180", 1, true},
    {kLowPass, "Low pass", "ch, freq int16, slope", 1, true},
    {kHighPass, "High pass", "ch, freq int16, slope", 1, true},
    {kPeq, "PEQ band", "ch, band, gain, freq, Q, type, bypass", 2, true}, // channel, band
    {kGain, "Gain", "ch, position int16", 1, true},
    {kMute, "Mute", "ch, state", 1, true},
    {kPolarity, "Polarity", "ch, 0 or 1", 1, true},
    {kDelay, "Delay", "ch, samples int16", 1, true},
    {kWorkMode, "Test signal", "mode, sine index", 0, true},
    {kMatrix, "Routing", "out, input mask", 1, true},
    {kLink, "Channel link", "ch, link word", 1, false},
    {kPeqBypass, "PEQ bypass", "ch, 0 or 1", 1, true},
    {kChannelName, "Channel name", "ch, 8 bytes of name", 1, true},
    {kGate, "Gate", "in, att, rel, hold, thr+180", 1, true},
    {kLimit, "Limiter", "out, att, rel, knee, thr+180", 1, true},
    {kLevels, "Read levels", "-", 0, false},
    {kMix, "Matrix mix", "out, input, level int16", 2, true}, // output, input
    {kGeq, "GEQ band", "ch, band, level int16", 2, true},     // channel, band
    {kGeqBypass, "GEQ bypass", "ch, 0 or 1", 1, true},
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

// A setter of one parameter: the send queue keeps only the latest value per target.
constexpr bool IsEdit(uint8_t code)
{
    const CommandInfo* c = FindCommand(code);
    return c != nullptr && c->edit;
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
