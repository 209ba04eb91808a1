// The device's parameter set as plain records, byte for byte as the device lays it out.
// 16-bit fields are little-endian on the wire; this header is only built for little-endian hosts,
// so the records can be copied to and from the device's bytes unchanged.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "the image is stored in the device's byte order");

constexpr int kInputCount = 3;
constexpr int kOutputCount = 6;
constexpr int kChannelCount = kInputCount + kOutputCount;
constexpr int kInputPeqBands = 8;
constexpr int kOutputPeqBands = 9;
constexpr int kGeqBands = 31;
constexpr int kChannelNameSize = 8;
constexpr int kPresetNameSize = 14;
// Stored presets 1..20 (0 is the factory preset) and the unit-information bytes of the device's store.
constexpr int kUserPresets = 20;
constexpr int kUnitInfoSize = 18;
// A whole parameter set or stored preset travels as 22 blocks of 50 bytes.
constexpr int kSetBlockSize = 50;
constexpr int kSetBlockCount = 22;
constexpr int kLastSetBlock = kSetBlockCount - 1;

// Every field sits at its natural 2-byte alignment, so the records need no packing.
struct PeqBand {
    int16_t gain; // 120 = 0 dB, 0.1 dB per step
    int16_t freq; // 0..300, 1/30 octave per step, 170 = 1000 Hz
    uint8_t q;    // 0..100, into the Q table
    uint8_t
        type; // 0..8: Peak, Low Shelf, High Shelf, LP -6dB, LP -12dB, HP -6dB, HP -12dB, Allpass1, Allpass2
};

struct XoverParam {
    int16_t hpFreq;  // high-pass frequency index
    int16_t lpFreq;  // low-pass frequency index
    uint8_t hpSlope; // 0 = bypassed, otherwise the crossover row
    uint8_t lpSlope;
};

struct GateParam {
    int16_t attack;    // 0..998
    int16_t release;   // 9..2999
    int16_t hold;      // 9..998
    int16_t threshold; // slider value + 180, slider -180..0
};

struct CompParam {
    int16_t ratio;   // 0..15, into the ratio steps
    int16_t attack;  // 0..998
    int16_t release; // 9..2999
    int16_t knee;
    int16_t threshold; // slider value + 180, slider -180..40
};

struct LimitParam {
    int16_t attack;  // 0..998
    int16_t release; // 9..2999
    int16_t knee;
    int16_t threshold; // slider value + 180, slider -180..40
};

struct InputBlock {
    uint8_t name[kChannelNameSize]; // zero-padded, no terminator when 8 long
    GateParam gate;
    int16_t geq[kGeqBands]; // 0..240, 120 = 0 dB
    PeqBand peq[kInputPeqBands];
    XoverParam xover;
    uint16_t gain;     // fader position + 280
    uint16_t polarity; // non-zero = inverted
    uint16_t delay;    // samples, 96 per millisecond
    uint16_t link;     // mask over the inputs
};

struct OutputBlock {
    uint8_t name[kChannelNameSize];
    uint16_t routeMask;        // bit i = input i feeds this output
    uint16_t mix[kInputCount]; // mix control value + 280
    XoverParam xover;
    PeqBand peq[kOutputPeqBands];
    CompParam comp;
    LimitParam limit;
    uint16_t gain;
    uint16_t polarity;
    uint16_t delay;
    uint16_t link; // mask over the outputs
};

struct ParamImage {
    uint8_t reserved[2];
    uint8_t presetName[kPresetNameSize]; // blank or zero padded, no terminator when 14 long
    InputBlock inputs[kInputCount];
    OutputBlock outputs[kOutputCount];
    uint16_t inputMute;                 // bit i = input i muted
    uint16_t outputMute;                // bit j = output j muted
    uint16_t bandBypass[kChannelCount]; // per channel 0..8, bit b = PEQ band b bypassed
    uint16_t workMode;                  // 0 analogue, 1 pink, 2 white, 3 sine
    uint16_t sineIndex;                 // 0..30
    uint16_t delayUnit;                 // 0 ms, 1 metres, 2 feet
    uint16_t inputEqBypass;
    uint16_t outputEqBypass;
    uint16_t geqBypass;
};

static_assert(sizeof(PeqBand) == 6 && offsetof(PeqBand, freq) == 2 && offsetof(PeqBand, q) == 4 &&
              offsetof(PeqBand, type) == 5);
static_assert(sizeof(XoverParam) == 6 && offsetof(XoverParam, lpFreq) == 2 &&
              offsetof(XoverParam, hpSlope) == 4 && offsetof(XoverParam, lpSlope) == 5);
static_assert(sizeof(GateParam) == 8 && offsetof(GateParam, threshold) == 6);
static_assert(sizeof(CompParam) == 10 && offsetof(CompParam, threshold) == 8);
static_assert(sizeof(LimitParam) == 8 && offsetof(LimitParam, threshold) == 6);

static_assert(sizeof(InputBlock) == 140);
static_assert(offsetof(InputBlock, gate) == 8 && offsetof(InputBlock, geq) == 16 &&
              offsetof(InputBlock, peq) == 78 && offsetof(InputBlock, xover) == 126 &&
              offsetof(InputBlock, gain) == 132 && offsetof(InputBlock, polarity) == 134 &&
              offsetof(InputBlock, delay) == 136 && offsetof(InputBlock, link) == 138);

static_assert(sizeof(OutputBlock) == 102);
static_assert(offsetof(OutputBlock, routeMask) == 8 && offsetof(OutputBlock, mix) == 10 &&
              offsetof(OutputBlock, xover) == 16 && offsetof(OutputBlock, peq) == 22 &&
              offsetof(OutputBlock, comp) == 76 && offsetof(OutputBlock, limit) == 86 &&
              offsetof(OutputBlock, gain) == 94 && offsetof(OutputBlock, polarity) == 96 &&
              offsetof(OutputBlock, delay) == 98 && offsetof(OutputBlock, link) == 100);

static_assert(sizeof(ParamImage) == 1082);
static_assert(offsetof(ParamImage, presetName) == 2 && offsetof(ParamImage, inputs) == 16 &&
              offsetof(ParamImage, outputs) == 436 && offsetof(ParamImage, inputMute) == 1048 &&
              offsetof(ParamImage, outputMute) == 1050 && offsetof(ParamImage, bandBypass) == 1052 &&
              offsetof(ParamImage, workMode) == 1070 && offsetof(ParamImage, sineIndex) == 1072 &&
              offsetof(ParamImage, delayUnit) == 1074 && offsetof(ParamImage, inputEqBypass) == 1076 &&
              offsetof(ParamImage, outputEqBypass) == 1078 && offsetof(ParamImage, geqBypass) == 1080);
