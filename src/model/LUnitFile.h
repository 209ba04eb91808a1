// The unit file "*.unt": the 16-byte head text, 18 unit-information bytes, then for presets 1..20
// a block of 1080 bytes (the preset number, then bytes 0..1078 of the stored preset; 1080 bytes of
// 100 when the preset is not stored), each followed by CR LF: 21674 bytes. Pure functions; any thread.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/FileIo.h"
#include "model/LUnitControl.h"

constexpr int kUnitFileSize = 21674;
// A download takes files down to this length (the last block then ends short).
constexpr int kUnitFileMinSize = 21634;
constexpr int kUnitHeadSize = kFileMagicSize + kUnitInfoSize; // 34
constexpr int kUnitBlockSize = 1080;
constexpr int kUnitBlockStride = kUnitBlockSize + 2; // with CR LF
// Bytes of a stored preset the file carries: 0..1078.
constexpr int kUnitPresetBytes = kUnitBlockSize - 1;
constexpr uint8_t kUnitEmptyFill = 100;
constexpr uint8_t kPresetStoredMark = 0xFF;

inline constexpr char kErrorDownloadKey[] = "SID_INFO_ERROR_DOWNLAOD";

using LPresetBytes = std::array<uint8_t, kBlockSlotSize>;

struct LUnitImage {
    std::array<uint8_t, kUnitInfoSize> Info{};
    std::array<bool, kUserPresets> Stored{};
    // Preset k + 1 as the device takes it; bytes past 1078 are not in the file and stay zero.
    std::array<LPresetBytes, kUserPresets> Presets{};
};

// The file image. A preset counts as stored when its flag is set.
std::vector<uint8_t> BuildUnitFile(const LUnitImage& unit);

// Checks a file image: length 21634..21674, the head text and the number in every stored block; the
// last block of a short file is completed with zero bytes. On failure (kErrorDownloadKey) unit is
// unchanged.
FileStatus ParseUnitFile(std::span<const uint8_t> file, LUnitImage& unit);

FileStatus ReadUnitFile(const std::string& path, LUnitImage& unit);
// Writes under the name the save rules give chosen (".unt" appended after cutting a first ".unt"
// or ".UNT"), whole or not at all.
FileStatus SaveUnitFile(const LUnitImage& unit, const std::string& chosen,
                        std::string* writtenPath = nullptr);
std::string NormaliseUnitFileName(const std::string& chosen);
