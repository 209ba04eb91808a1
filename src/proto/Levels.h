// The level reply (command 64): twelve levels and the lamp flags. Pure function; any thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace proto
{

// Levels 1.0 = 0 dB: slots 0..2 the inputs, 4..9 the outputs; flags bit n: output n + 1's dynamics act.
struct LevelReading {
    std::array<float, 12> levels{};
    uint16_t flags = 0;
};
// Each level is a float's three upper bytes in the order 2, 3, 1 (the low byte is 0); then the flags,
// low byte first.
constexpr std::size_t kLevelReplySize = 38;

// Nothing for a payload shorter than kLevelReplySize; bytes past it are not read.
std::optional<LevelReading> DecodeLevelReply(std::span<const uint8_t> payload);

} // namespace proto
