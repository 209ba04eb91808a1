// The test device's memory and its answers to the editor's commands, without any I/O.
// Not thread-safe by itself: TestDevice guards it with its own lock.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "proto/LCmd.h"
#include "proto/ParamImage.h"

namespace morvex_device
{

constexpr int kSetSize = 1100; // a parameter set as the device sends it: 22 blocks of 50
constexpr int kBlockSize = 50;
constexpr int kBlockCount = 22;
constexpr int kPresetCount = 20;
constexpr int kUnitInfoSize = 18;
constexpr int kStoreSize = 256; // the store the read/write commands reach; the unit header sits at 0
constexpr int kLevelSlots = 12;
constexpr uint8_t kAckCode = 1;
constexpr uint8_t kStoredMark = 0xFF;

using SetBytes = std::array<uint8_t, kSetSize>;

// The image the device starts with and returns to on a factory default.
ParamImage DefaultImage();
// The image padded to a whole set; bytes 0..1081 are the image.
SetBytes SetFromImage(const ParamImage& image);
ParamImage ImageFromSet(const SetBytes& set);

struct StoredPreset {
    bool Stored = false;
    SetBytes Body{}; // byte 0 = 0xFF when stored; bytes 2..15 = the preset's name
};

// One answer of a level script: the levels and flags the next level request reports.
struct LevelStep {
    std::array<float, kLevelSlots> Levels{};
    uint16_t Flags = 0;
};

struct Reply {
    uint8_t Code = 0;
    BSTM Payload;
};

class DeviceState
{
  public:
    DeviceState();

    // Answers one command; nothing for a command a device does not answer.
    std::optional<Reply> Answer(const LCmd& request);

    // Levels as the device measures them: slots 0..2 inputs, 4..9 outputs; flags bit n comp, 8 + n limiter.
    static BSTM EncodeLevels(const std::array<float, kLevelSlots>& levels, uint16_t flags);

    std::string Identity = "MORVEX V010";
    SetBytes Current{};
    std::array<StoredPreset, kPresetCount> Presets{};
    int PresetNumber = 0;   // 0 factory, 1..20 user
    int SelectedPreset = 0; // chosen for upload by command 36
    std::array<uint8_t, kStoreSize> Store{};
    bool Locked = false;
    std::array<char, 4> Password{'4', '7', '1', '9'};
    bool Unlocked = false; // the password was accepted on this connection
    std::array<float, kLevelSlots> Levels{};
    uint16_t LevelFlags = 0;
    // Each level request takes the next step (which becomes Levels and LevelFlags); once the script
    // is used up the last levels stay.
    std::deque<LevelStep> LevelScript;
    int LevelRequests = 0;

    ParamImage Image() const { return ImageFromSet(Current); }
    void SetImage(const ParamImage& image) { Current = SetFromImage(image); }
    // Stores a preset the way command 33 does.
    void StorePreset(int number, const ParamImage& image);

  private:
    // Applies a parameter command to the current set; false when the payload does not fit.
    bool ApplySetter(uint8_t code, const BSTM& p);
    void CopyChannel(int src, int dst);
};

} // namespace morvex_device
