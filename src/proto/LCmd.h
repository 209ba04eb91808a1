// Device commands and the wire frame.
// A command is a plain value: built on the sender's stack, framed with BuildFrame, then dropped.
// Nothing here is shared between threads; any thread may build or parse its own commands.
#pragma once

#include <cstdint>
#include <vector>

#include "proto/Commands.h"
#include "proto/ParamImage.h"

// One frame, or one payload, as raw bytes.
using BSTM = std::vector<uint8_t>;

// Fixed frame bytes.
constexpr uint8_t kFrameDle = 0x10;
constexpr uint8_t kFrameStx = 0x02;
constexpr uint8_t kFrameEtx = 0x03;
// Bytes of a frame besides code and payload: 10 02 src dst len ... 10 03 check.
constexpr int kFrameOverhead = 8;
// len is one byte and counts the code, so a frame carries at most 254 payload bytes.
constexpr int kMaxFramePayload = 254;

// How a frame is built or parsed: every sender frames its commands, the dispatcher parses framed replies.
enum class FrameMode { Payload = 0, Framed = 1 };

class LCmd
{
  public:
    LCmd() = default;
    LCmd(uint8_t id, uint8_t code) : id(id), code(code) {}
    // Parses a received frame; any mode but Framed takes the bytes as the payload.
    explicit LCmd(const BSTM& frame, FrameMode mode = FrameMode::Framed);
    LCmd(const LCmd&) = default;
    LCmd(LCmd&&) = default;
    LCmd& operator=(const LCmd&) = default;
    LCmd& operator=(LCmd&&) = default;
    virtual ~LCmd() = default;

    BSTM& GetPayload() { return payload; }
    const BSTM& GetPayload() const { return payload; }
    uint8_t GetId() const { return id; }
    uint8_t GetCode() const { return code; }

  protected:
    void AppendByte(int value)
    {
        Grow(1);
        payload.push_back(static_cast<uint8_t>(value));
    }
    // Low byte first; a wider value contributes its low 16 bits.
    void AppendWord(int value);
    // Copies exactly width bytes; a null field sends zero bytes.
    void AppendField(const void* field, int width);
    // Room for a whole command's payload at its first byte, so that building one allocates once.
    void Grow(size_t more)
    {
        if (payload.capacity() == 0)
            payload.reserve(more > kTypicalPayload ? more : kTypicalPayload);
    }
    static constexpr size_t kTypicalPayload = 24;

    uint8_t id = 0;
    uint8_t code = 0;
    BSTM payload;
};

// Framed: the wire frame; Payload: the payload alone; any other value: empty.
// A payload too long for the one-byte len gives an empty frame rather than a wrong one.
BSTM BuildFrame(const LCmd& command, FrameMode mode = FrameMode::Framed);

// A command of at most two payload bytes.
class CM_MCS_CMD : public LCmd
{
  public:
    CM_MCS_CMD(uint8_t id, int code);
    CM_MCS_CMD(uint8_t id, int code, int b1);
    CM_MCS_CMD(uint8_t id, int code, int b1, int b2);
};

// The command classes: each fixes its code (Code) and appends its payload in table order.

// Largest count of one store write; the count byte's top bit is not a count.
constexpr int kMaxEepromWrite = 127;

class CM_MCS_MCU_RESET : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kMcuReset;
    explicit CM_MCS_MCU_RESET(uint8_t id);
};

class CM_MCS_DELAYUNIT : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kDelayUnit;
    CM_MCS_DELAYUNIT(uint8_t id, int unit);
};

class CM_MCS_READ_EEPROM : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kReadEeprom;
    CM_MCS_READ_EEPROM(uint8_t id, int address, int count);
};

// count is cut to kMaxEepromWrite; count and data bytes always agree.
class CM_MCS_WRITE_EEPROM : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kWriteEeprom;
    CM_MCS_WRITE_EEPROM(uint8_t id, int address, int count, const uint8_t* data);
};

class CM_MCS_DOWNLOAD : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kDownload;
    CM_MCS_DOWNLOAD(uint8_t id, int chunk, int slot, const uint8_t* data, int count);
};

class CM_MCS_PRESETNAME : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kPresetName;
    CM_MCS_PRESETNAME(uint8_t id, const char* name14);
};

class CM_MCS_PASS_SUBMIT : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kPassSubmit;
    CM_MCS_PASS_SUBMIT(uint8_t id, const char* password4);
};

class CM_MCS_SET_LOCK : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kSetLock;
    CM_MCS_SET_LOCK(uint8_t id, const char* password4);
};

class CM_MCS_COMP : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kComp;
    CM_MCS_COMP(uint8_t id, int channel, const CompParam& comp);
};

class CM_MCS_LOW_PASS : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kLowPass;
    CM_MCS_LOW_PASS(uint8_t id, int channel, int freqIndex, int slope);
};

class CM_MCS_HIGH_PASS : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kHighPass;
    CM_MCS_HIGH_PASS(uint8_t id, int channel, int freqIndex, int slope);
};

class CM_MCS_PEQ : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kPeq;
    CM_MCS_PEQ(uint8_t id, int channel, int band, const PeqBand& peq, int bypass);
};

class CM_MCS_GAIN : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kGain;
    CM_MCS_GAIN(uint8_t id, int channel, int gain);
};

class CM_MCS_MUTE : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kMute;
    CM_MCS_MUTE(uint8_t id, int channel, int state);
};

class CM_MCS_POLARITY : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kPolarity;
    CM_MCS_POLARITY(uint8_t id, int channel, int inverted);
};

class CM_MCS_DELAY : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kDelay;
    CM_MCS_DELAY(uint8_t id, int channel, int samples);
};

class CM_MCS_WORK_MODE : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kWorkMode;
    CM_MCS_WORK_MODE(uint8_t id, int mode, int sineIndex);
};

class CM_MCS_MATRIX : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kMatrix;
    CM_MCS_MATRIX(uint8_t id, int channel, int routeMask);
};

class CM_MCS_CHANNEL_NAME : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kChannelName;
    CM_MCS_CHANNEL_NAME(uint8_t id, int channel, const char* name8);
};

class CM_MCS_GATE : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kGate;
    CM_MCS_GATE(uint8_t id, int channel, const GateParam& gate);
};

class CM_MCS_LIMIT : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kLimit;
    CM_MCS_LIMIT(uint8_t id, int channel, const LimitParam& limit);
};

class CM_MCS_MIX : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kMix;
    CM_MCS_MIX(uint8_t id, int channel, int input, int level);
};

class CM_MCS_GEQ : public LCmd
{
  public:
    static constexpr uint8_t Code = proto::kGeq;
    CM_MCS_GEQ(uint8_t id, int channel, int band, int level);
};
