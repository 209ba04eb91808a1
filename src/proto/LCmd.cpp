#include "proto/LCmd.h"

#include <algorithm>
#include <cstring>

LCmd::LCmd(const BSTM& frame, FrameMode mode)
{
    if (mode != FrameMode::Framed) {
        payload = frame;
        return;
    }
    const size_t n = frame.size();
    // The markers can only hold where the code byte exists as well.
    const bool framed = n >= 6 && frame[0] == kFrameDle && frame[1] == kFrameStx &&
                        frame[n - 3] == kFrameDle && frame[n - 2] == kFrameEtx;
    if (framed) {
        id = frame[2];
        code = frame[5];
    } else if (n > 0) {
        code = frame[0];
    }
    // The slice runs from offset 6 for len - 1 bytes, never past the frame's end.
    const size_t len = n > 4 ? frame[4] : 0;
    if (len > 1 && n > 6) {
        const size_t end = std::min(n, 6 + (len - 1));
        payload.assign(frame.begin() + 6, frame.begin() + static_cast<std::ptrdiff_t>(end));
    }
}

void LCmd::AppendWord(int value)
{
    Grow(2);
    payload.push_back(static_cast<uint8_t>(value & 0xFF));
    payload.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void LCmd::AppendField(const void* field, int width)
{
    Grow(static_cast<size_t>(width > 0 ? width : 0));
    const size_t at = payload.size();
    payload.resize(at + static_cast<size_t>(width), 0);
    if (field != nullptr) {
        std::memcpy(payload.data() + at, field, static_cast<size_t>(width));
    }
}

BSTM BuildFrame(const LCmd& command, FrameMode mode)
{
    const BSTM& payload = command.GetPayload();
    if (mode == FrameMode::Payload) {
        return payload;
    }
    if (mode != FrameMode::Framed || payload.size() > static_cast<size_t>(kMaxFramePayload)) {
        return {};
    }
    BSTM frame;
    frame.reserve(payload.size() + kFrameOverhead + 1);
    frame.push_back(kFrameDle);
    frame.push_back(kFrameStx);
    frame.push_back(0x00);
    frame.push_back(command.GetId());
    frame.push_back(static_cast<uint8_t>(payload.size() + 1));
    frame.push_back(command.GetCode());
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(kFrameDle);
    frame.push_back(kFrameEtx);
    uint8_t check = 0;
    for (uint8_t b : frame) {
        check ^= b;
    }
    frame.push_back(check);
    return frame;
}

CM_MCS_CMD::CM_MCS_CMD(uint8_t id, int code) : LCmd(id, static_cast<uint8_t>(code)) {}

CM_MCS_CMD::CM_MCS_CMD(uint8_t id, int code, int b1) : LCmd(id, static_cast<uint8_t>(code))
{
    AppendByte(b1);
}

CM_MCS_CMD::CM_MCS_CMD(uint8_t id, int code, int b1, int b2) : LCmd(id, static_cast<uint8_t>(code))
{
    AppendByte(b1);
    AppendByte(b2);
}

CM_MCS_MCU_RESET::CM_MCS_MCU_RESET(uint8_t id) : LCmd(id, Code) {}

CM_MCS_DELAYUNIT::CM_MCS_DELAYUNIT(uint8_t id, int unit) : LCmd(id, Code)
{
    AppendByte(unit);
}

CM_MCS_READ_EEPROM::CM_MCS_READ_EEPROM(uint8_t id, int address, int count) : LCmd(id, Code)
{
    AppendWord(address);
    AppendByte(count);
}

CM_MCS_WRITE_EEPROM::CM_MCS_WRITE_EEPROM(uint8_t id, int address, int count, const uint8_t* data)
    : LCmd(id, Code)
{
    count = std::clamp(count, 0, kMaxEepromWrite);
    AppendWord(address);
    AppendByte(count);
    AppendField(data, count);
}

CM_MCS_DOWNLOAD::CM_MCS_DOWNLOAD(uint8_t id, int chunk, int slot, const uint8_t* data, int count)
    : LCmd(id, Code)
{
    AppendByte(chunk);
    AppendByte(slot);
    AppendField(data, std::clamp(count, 0, kMaxFramePayload - 2));
}

CM_MCS_PRESETNAME::CM_MCS_PRESETNAME(uint8_t id, const char* name14) : LCmd(id, Code)
{
    AppendField(name14, kPresetNameSize);
}

CM_MCS_PASS_SUBMIT::CM_MCS_PASS_SUBMIT(uint8_t id, const char* password4) : LCmd(id, Code)
{
    AppendByte(0);
    AppendField(password4, 4);
}

CM_MCS_SET_LOCK::CM_MCS_SET_LOCK(uint8_t id, const char* password4) : LCmd(id, Code)
{
    AppendField(password4, 4);
}

CM_MCS_COMP::CM_MCS_COMP(uint8_t id, int channel, const CompParam& comp) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendWord(comp.ratio);
    AppendWord(comp.attack);
    AppendWord(comp.release);
    AppendWord(comp.knee);
    AppendWord(comp.threshold);
}

CM_MCS_LOW_PASS::CM_MCS_LOW_PASS(uint8_t id, int channel, int freqIndex, int slope) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendWord(freqIndex);
    AppendByte(slope);
}

CM_MCS_HIGH_PASS::CM_MCS_HIGH_PASS(uint8_t id, int channel, int freqIndex, int slope) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendWord(freqIndex);
    AppendByte(slope);
}

CM_MCS_PEQ::CM_MCS_PEQ(uint8_t id, int channel, int band, const PeqBand& peq, int bypass) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendByte(band);
    AppendWord(peq.gain);
    AppendWord(peq.freq);
    AppendByte(peq.q);
    AppendByte(peq.type);
    AppendByte(bypass);
}

CM_MCS_GAIN::CM_MCS_GAIN(uint8_t id, int channel, int gain) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendWord(gain);
}

CM_MCS_MUTE::CM_MCS_MUTE(uint8_t id, int channel, int state) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendByte(state);
}

CM_MCS_POLARITY::CM_MCS_POLARITY(uint8_t id, int channel, int inverted) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendByte(inverted != 0 ? 1 : 0);
}

CM_MCS_DELAY::CM_MCS_DELAY(uint8_t id, int channel, int samples) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendWord(samples);
}

CM_MCS_WORK_MODE::CM_MCS_WORK_MODE(uint8_t id, int mode, int sineIndex) : LCmd(id, Code)
{
    AppendByte(mode);
    AppendByte(sineIndex);
}

CM_MCS_MATRIX::CM_MCS_MATRIX(uint8_t id, int channel, int routeMask) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendByte(routeMask);
}

CM_MCS_CHANNEL_NAME::CM_MCS_CHANNEL_NAME(uint8_t id, int channel, const char* name8) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendField(name8, kChannelNameSize);
}

CM_MCS_GATE::CM_MCS_GATE(uint8_t id, int channel, const GateParam& gate) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendWord(gate.attack);
    AppendWord(gate.release);
    AppendWord(gate.hold);
    AppendWord(gate.threshold);
}

CM_MCS_LIMIT::CM_MCS_LIMIT(uint8_t id, int channel, const LimitParam& limit) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendWord(limit.attack);
    AppendWord(limit.release);
    AppendWord(limit.knee);
    AppendWord(limit.threshold);
}

CM_MCS_MIX::CM_MCS_MIX(uint8_t id, int channel, int input, int level) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendByte(input);
    AppendWord(level);
}

CM_MCS_GEQ::CM_MCS_GEQ(uint8_t id, int channel, int band, int level) : LCmd(id, Code)
{
    AppendByte(channel);
    AppendByte(band);
    AppendWord(level);
}
