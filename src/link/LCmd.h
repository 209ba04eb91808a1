// Device commands and the wire frame.
// A command is a plain value: built on the sender's stack, framed with BuildFrame, then dropped.
// Nothing here is shared between threads; any thread may build or parse its own commands.
#pragma once

#include <cstdint>
#include <vector>

#include "model/ParamImage.h"

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

class LCmd {
public:
    LCmd() = default;
    LCmd(uint8_t id, uint8_t code) : id(id), code(code) {}
    // Parses a received frame; mode 1 is the framed form, any other mode takes the bytes as the payload.
    LCmd(const BSTM& frame, int mode);
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
    void AppendByte(int value) { payload.push_back(static_cast<uint8_t>(value)); }
    // Low byte first; a wider value contributes its low 16 bits.
    void AppendWord(int value);
    // Copies exactly width bytes; a null field sends zero bytes.
    void AppendField(const void* field, int width);

    uint8_t id = 0;
    uint8_t code = 0;
    BSTM payload;
};

// Mode 1: the wire frame; mode 0: the payload alone; any other mode: empty.
// A payload too long for the one-byte len gives an empty frame rather than a wrong one.
BSTM BuildFrame(const LCmd& command, int mode);

// A command of at most two payload bytes.
class CM_MCS_CMD : public LCmd {
public:
    CM_MCS_CMD(uint8_t id, int code);
    CM_MCS_CMD(uint8_t id, int code, int b1);
    CM_MCS_CMD(uint8_t id, int code, int b1, int b2);
    ~CM_MCS_CMD() override { payload.clear(); }
};

// The command classes: each fixes its code (Code) and appends its payload in table order.

// Largest count of one store write; the count byte's top bit is not a count.
constexpr int kMaxEepromWrite = 127;

class CM_MCS_MCU_RESET : public LCmd {
public:
    static constexpr uint8_t Code = 4;
    explicit CM_MCS_MCU_RESET(uint8_t id);
    ~CM_MCS_MCU_RESET() override { payload.clear(); }
};

class CM_MCS_DELAYUNIT : public LCmd {
public:
    static constexpr uint8_t Code = 21;
    CM_MCS_DELAYUNIT(uint8_t id, int unit);
    ~CM_MCS_DELAYUNIT() override { payload.clear(); }
};

class CM_MCS_READ_EEPROM : public LCmd {
public:
    static constexpr uint8_t Code = 25;
    CM_MCS_READ_EEPROM(uint8_t id, int address, int count);
    ~CM_MCS_READ_EEPROM() override { payload.clear(); }
};

// count is cut to kMaxEepromWrite; count and data bytes always agree.
class CM_MCS_WRITE_EEPROM : public LCmd {
public:
    static constexpr uint8_t Code = 26;
    CM_MCS_WRITE_EEPROM(uint8_t id, int address, int count, const uint8_t* data);
    ~CM_MCS_WRITE_EEPROM() override { payload.clear(); }
};

class CM_MCS_DOWNLOAD : public LCmd {
public:
    static constexpr uint8_t Code = 37;
    CM_MCS_DOWNLOAD(uint8_t id, int chunk, int slot, const uint8_t* data, int count);
    ~CM_MCS_DOWNLOAD() override { payload.clear(); }
};

class CM_MCS_PRESETNAME : public LCmd {
public:
    static constexpr uint8_t Code = 38;
    CM_MCS_PRESETNAME(uint8_t id, const char* name14);
    ~CM_MCS_PRESETNAME() override { payload.clear(); }
};

class CM_MCS_PASS_SUBMIT : public LCmd {
public:
    static constexpr uint8_t Code = 45;
    CM_MCS_PASS_SUBMIT(uint8_t id, const char* password4);
    ~CM_MCS_PASS_SUBMIT() override { payload.clear(); }
};

class CM_MCS_SET_LOCK : public LCmd {
public:
    static constexpr uint8_t Code = 47;
    CM_MCS_SET_LOCK(uint8_t id, const char* password4);
    ~CM_MCS_SET_LOCK() override { payload.clear(); }
};

class CM_MCS_COMP : public LCmd {
public:
    static constexpr uint8_t Code = 48;
    CM_MCS_COMP(uint8_t id, int channel, const CompParam& comp);
    ~CM_MCS_COMP() override { payload.clear(); }
};

class CM_MCS_LOW_PASS : public LCmd {
public:
    static constexpr uint8_t Code = 49;
    CM_MCS_LOW_PASS(uint8_t id, int channel, int freqIndex, int slope);
    ~CM_MCS_LOW_PASS() override { payload.clear(); }
};

class CM_MCS_HIGH_PASS : public LCmd {
public:
    static constexpr uint8_t Code = 50;
    CM_MCS_HIGH_PASS(uint8_t id, int channel, int freqIndex, int slope);
    ~CM_MCS_HIGH_PASS() override { payload.clear(); }
};

class CM_MCS_PEQ : public LCmd {
public:
    static constexpr uint8_t Code = 51;
    CM_MCS_PEQ(uint8_t id, int channel, int band, const PeqBand& peq, int bypass);
    ~CM_MCS_PEQ() override { payload.clear(); }
};

class CM_MCS_GAIN : public LCmd {
public:
    static constexpr uint8_t Code = 52;
    CM_MCS_GAIN(uint8_t id, int channel, int gain);
    ~CM_MCS_GAIN() override { payload.clear(); }
};

class CM_MCS_MUTE : public LCmd {
public:
    static constexpr uint8_t Code = 53;
    CM_MCS_MUTE(uint8_t id, int channel, int state);
    ~CM_MCS_MUTE() override { payload.clear(); }
};

class CM_MCS_POLARITY : public LCmd {
public:
    static constexpr uint8_t Code = 54;
    CM_MCS_POLARITY(uint8_t id, int channel, int inverted);
    ~CM_MCS_POLARITY() override { payload.clear(); }
};

class CM_MCS_DELAY : public LCmd {
public:
    static constexpr uint8_t Code = 56;
    CM_MCS_DELAY(uint8_t id, int channel, int samples);
    ~CM_MCS_DELAY() override { payload.clear(); }
};

class CM_MCS_WORK_MODE : public LCmd {
public:
    static constexpr uint8_t Code = 57;
    CM_MCS_WORK_MODE(uint8_t id, int mode, int sineIndex);
    ~CM_MCS_WORK_MODE() override { payload.clear(); }
};

class CM_MCS_MATRIX : public LCmd {
public:
    static constexpr uint8_t Code = 58;
    CM_MCS_MATRIX(uint8_t id, int channel, int routeMask);
    ~CM_MCS_MATRIX() override { payload.clear(); }
};

class CM_MCS_CHANNEL_NAME : public LCmd {
public:
    static constexpr uint8_t Code = 61;
    CM_MCS_CHANNEL_NAME(uint8_t id, int channel, const char* name8);
    ~CM_MCS_CHANNEL_NAME() override { payload.clear(); }
};

class CM_MCS_GATE : public LCmd {
public:
    static constexpr uint8_t Code = 62;
    CM_MCS_GATE(uint8_t id, int channel, const GateParam& gate);
    ~CM_MCS_GATE() override { payload.clear(); }
};

class CM_MCS_LIMIT : public LCmd {
public:
    static constexpr uint8_t Code = 63;
    CM_MCS_LIMIT(uint8_t id, int channel, const LimitParam& limit);
    ~CM_MCS_LIMIT() override { payload.clear(); }
};

class CM_MCS_MIX : public LCmd {
public:
    static constexpr uint8_t Code = 65;
    CM_MCS_MIX(uint8_t id, int channel, int input, int level);
    ~CM_MCS_MIX() override { payload.clear(); }
};

class CM_MCS_GEQ : public LCmd {
public:
    static constexpr uint8_t Code = 72;
    CM_MCS_GEQ(uint8_t id, int channel, int band, int level);
    ~CM_MCS_GEQ() override { payload.clear(); }
};
