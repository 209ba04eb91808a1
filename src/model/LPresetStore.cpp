#include "model/LPresetStore.h"

#include <cstring>

bool LPresetStore::StoreBlock(std::span<const uint8_t> payload)
{
    if (payload.size() < static_cast<size_t>(1 + kSetBlockSize) || payload[0] > kLastSetBlock)
        return false;
    std::memcpy(FSlot0.data() + kSetBlockSize * payload[0], payload.data() + 1, kSetBlockSize);
    return true;
}

ParamImage LPresetStore::CollectedImage(const ParamImage& current) const
{
    ParamImage image = current;
    std::memcpy(reinterpret_cast<uint8_t*>(&image) + kStreamOffset, FSlot0.data() + kStreamOffset,
                sizeof(ParamImage) - kStreamOffset);
    return image;
}

void LPresetStore::KeepUploadedPreset(int p)
{
    if (p < 1 || p > kUserPresets)
        return;
    FUpload.Presets[p - 1] = FSlot0;
    FUpload.Stored[p - 1] = true;
}

bool LPresetStore::SetUnitInfo(std::span<const uint8_t> payload)
{
    if (payload.size() < static_cast<size_t>(kUnitInfoSize))
        return false;
    std::memcpy(FUpload.Info.data(), payload.data(), kUnitInfoSize);
    return true;
}

