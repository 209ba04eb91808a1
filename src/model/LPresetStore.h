// The block slots of whole-set reads: slot 0 collects the 22 blocks of 50 bytes of a set as they
// arrive; an upload keeps each completed stored preset and the unit information for the unit file.
// Owned by the connection state machine; user-interface thread only.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/LUnitControl.h"
#include "model/LUnitFile.h"

constexpr int kSetBlockSize = 50;
constexpr int kSetBlockCount = 22;
constexpr int kLastSetBlock = kSetBlockCount - 1;

class LPresetStore {
public:
    // A block reply: byte 0 the block number, then 50 bytes. False (nothing stored) when the number
    // is past the last block or the payload holds fewer than 50 bytes; bytes past 50 are not taken.
    bool StoreBlock(std::span<const uint8_t> payload);
    // The image bytes 2..1081 of the set collected in slot 0 over the current image.
    ParamImage CollectedImage(const ParamImage& current) const;
    // Slot 0 is a complete stored preset: keep it as preset p (1..20) of the upload.
    void KeepUploadedPreset(int p);

    // Reply 25: the 18 unit-information bytes. False (nothing taken) when fewer came.
    bool SetUnitInfo(std::span<const uint8_t> payload);
    // Starts an upload afresh: no preset kept, no information.
    void ClearUpload() { FUpload = LUnitImage{}; }
    const LUnitImage& Upload() const { return FUpload; }

private:
    LPresetBytes FSlot0{};
    LUnitImage FUpload;
};

