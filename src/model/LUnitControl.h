// The editor's local copy of the device's parameters: the 1082-byte image, the stored-preset flags,
// the unit-information bytes and the block slots of whole-set reads.
// Owned by the main window for the program's life; touched on the user-interface thread only.
// Changes go out through the CommandSink the owner sets; without one the model is a pure store.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/CommandSink.h"
#include "proto/ParamImage.h"

// The parameter stream: image bytes 2 to 1069, the body of a preset file.
constexpr int kStreamOffset = 2;
constexpr int kStreamSize = 1068;
// Slot 0 collects the set being read, slots 1..20 the stored presets of an upload.
constexpr int kBlockSlots = kUserPresets + 1;
constexpr int kBlockSlotSize = kSetBlockCount * kSetBlockSize;

// Leading text of the preset and unit files.
inline constexpr char kFileMagic[] = "***MORVEXV010***";
constexpr int kFileMagicSize = 16;

// True when every table index in the stream part of the image (frequency, Q, band type, crossover
// slope, compressor ratio) lies inside its table.
bool CheckParamRanges(const ParamImage& image);

class LUnitControl
{
  public:
    LUnitControl();
    ~LUnitControl() = default;
    LUnitControl(const LUnitControl&) = delete;
    LUnitControl& operator=(const LUnitControl&) = delete;

    // The sink stays the caller's and must outlive the model (or be reset to null).
    void SetSink(CommandSink* sink) { FSink = sink; }

    static const ParamImage& DefaultImage();
    void LoadDefaults();
    const ParamImage& GetImage() const { return FImage; }
    // Takes over bytes 2 to 1081 of a whole parameter set (the two reserved bytes stay); sends
    // nothing. Callers check the set with CheckParamRanges first.
    void StoreImage(const ParamImage& image);

    // Getters. Channels 0..2 are inputs A..C, 3..8 outputs 1..6; callers pass a channel of the
    // right kind and a band below its band count.
    uint16_t GetGain(int ch) const;
    uint16_t GetDelay(int ch) const;
    bool GetPolarity(int ch) const;
    bool GetMute(int ch) const;
    PeqBand GetPeq(int ch, int band) const;
    bool GetPeqBypass(int ch, int band) const;
    PeqBand GetDefaultPeq(int ch, int band) const;
    int16_t GetGeq(int input, int band) const;
    int16_t GetDefaultGeq(int input, int band) const;
    GateParam GetGate(int input) const;
    CompParam GetComp(int ch) const;
    LimitParam GetLimit(int ch) const;
    XoverParam GetXover(int ch) const;
    uint16_t GetLink(int ch) const;
    uint16_t GetLinkGroup(int ch) const;
    // The link group ch's edits reach: its own word when it lists itself, else the word of the first
    // lower channel of its kind that lists it, else ch alone (its kind bit).
    uint16_t GetLinkMembers(int ch) const;
    // The channel whose page shows ch: ch itself when its word is set, else the first channel of its
    // kind whose word lists it; -1 when none does.
    int LeaderOf(int ch) const;
    uint16_t GetMatrix(int ch) const;
    uint16_t GetMix(int ch, int input) const;
    // Fixed fields without terminator.
    std::span<const uint8_t, kChannelNameSize> GetChannelName(int ch) const;
    std::span<const uint8_t, kPresetNameSize> GetPresetName() const;
    uint16_t GetDelayUnit() const { return FImage.delayUnit; }
    uint16_t GetEqBypassMask(int ch) const;
    uint16_t GetGeqBypassMask() const { return FImage.geqBypass; }
    uint16_t GetWorkMode() const { return FImage.workMode; }
    uint16_t GetSineFreq() const { return FImage.sineIndex; }
    bool IsPresetStored(int k) const;

    // Plain stores, sending nothing (a whole set taken over, tests).
    void SetEqBypassMask(int ch, uint16_t word);
    void SetGeqBypassMask(uint16_t word) { FImage.geqBypass = word; }
    void SetWorkMode(uint16_t mode, uint16_t sineIndex)
    {
        FImage.workMode = mode;
        FImage.sineIndex = sineIndex;
    }
    void MarkPresetStored(int k);

    // The EQ bypass of a link group: word is the new bypass word of ch's kind, the group's bits turned
    // together; command 60 goes for ch alone with ch's new bit.
    void SetEqBypass(int ch, uint16_t word);
    // The GEQ bypass of the inputs' link group: the same with the inputs' GEQ word and command 73.
    void SetGeqBypass(int input, uint16_t word);
    // Band b of ch back to its default, not bypassed: stored into ch's link group and sent at once,
    // appended (an EQ reset sends every band so, from the last one down).
    void ResetPeqBand(int ch, int band);
    // The 31 GEQ bands of an input back to their defaults: stored into its link group and sent once
    // each, appended, in band order.
    void ResetGeq(int input);
    // The test signal (mode 0 analogue input, 1 pink, 2 white noise, 3 sine) and the sine index
    // (none chosen counts as 0): stored and sent, appended.
    void SetTestSignal(int mode, int sineIndex);

    // Shared setters: stored into the channel's whole link group, one coalescing command for ch.
    void SetGate(int ch, const GateParam& gate);
    void SetComp(int ch, const CompParam& comp);
    void SetLimit(int ch, const LimitParam& limit);
    void SetPeq(int ch, int band, const PeqBand& peq, uint8_t bypass);
    void SetGeq(int ch, int band, int16_t level);
    void SetHighPass(int ch, const XoverParam& xover);
    void SetLowPass(int ch, const XoverParam& xover);
    void SetGain(int ch, uint16_t gain);
    void SetDelay(int ch, uint16_t samples);
    void SetPolarity(int ch, uint8_t flag);
    void SetMute(int ch, uint8_t state);

    // Per-channel setters.
    void SetMatrix(int ch, int input, bool on);
    void SetMix(int ch, int input, uint16_t level);
    void SetDelayUnit(uint16_t unit);
    void SetLink(int ch, uint16_t word);
    void SetChannelName(int ch, std::span<const uint8_t, kChannelNameSize> name);

    // Copies the processing of one channel onto another of the same kind; sends nothing.
    void CopyChannel(int source, int target);

    // The magic followed by the stream: 1084 bytes.
    std::vector<uint8_t> WriteStream() const;
    // Stores the 1068 stream bytes at the front of bytes and sends the whole set field by field.
    // Returns false and changes and sends nothing when the bytes are too few or hold an index
    // outside its table.
    bool LoadStream(std::span<const uint8_t> bytes);

    // Whole-set reads. A block reply is byte 0 the block number b, then 50 bytes, which go to
    // slot 0 at 50b; bytes past 50 are not taken. False (nothing stored) when b is past the last
    // block or fewer than 50 bytes came.
    // Reply 36: after the last block the image takes bytes 2..1081 of slot 0, unless an index there
    // lies outside its table (CheckParamRanges): then false and the image stays as it was.
    bool StoreParamBlock(std::span<const uint8_t> payload);
    // Reply 40 of stored preset p (1..20): after the last block slot p keeps the preset, byte 0 = p,
    // bytes 1..1080 = preset bytes 0..1079.
    bool StoreUploadBlock(int p, std::span<const uint8_t> payload);
    // Reply 25: the 18 unit-information bytes. False (nothing taken) when fewer came.
    bool SetUnitInfo(std::span<const uint8_t> payload);
    const std::array<uint8_t, kUnitInfoSize>& GetUnitInfo() const { return FUnitInfo; }
    // Slot 0 (the set being collected) or slot p (stored preset p as uploaded).
    std::span<const uint8_t, kBlockSlotSize> GetBlockSlot(int slot) const;

    // Reply 34: byte k = 255 marks preset k + 1 stored. False (nothing changed) when short.
    bool SetPresetFlags(std::span<const uint8_t> payload);
    // The first 14 bytes become the current preset name. False when short.
    bool SetPresetName(std::span<const uint8_t> bytes);
    void ShowDefaultPresetNames() const;
    // Reply 41: the name of preset p is payload bytes 1..14, zero bytes shown as blanks.
    bool ShowPresetName(int p, std::span<const uint8_t> payload) const;

  private:
    bool StoreBlock(std::span<const uint8_t> payload);
    // Mask of the channels a shared setter stores into: the link group, always with ch itself.
    uint16_t StoreMask(int ch) const;
    bool Updating() const;
    uint8_t DeviceId() const;
    void Send(const LCmd& cmd, bool noCoalesce) const;
    // Sends cmd unless a refresh is in progress.
    void SendEdit(const LCmd& cmd, bool noCoalesce) const;
    void MarkCurves(int ch) const;
    void SendLoadedSet() const;

    ParamImage FImage;
    std::array<uint8_t, kUserPresets> FPresetStored{};
    std::array<uint8_t, kUnitInfoSize> FUnitInfo{};
    std::array<std::array<uint8_t, kBlockSlotSize>, kBlockSlots> FBlockSlots{};
    CommandSink* FSink = nullptr;
};
