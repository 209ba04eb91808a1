#include "proto/Levels.h"

#include <cstring>

namespace proto
{

std::optional<LevelReading> DecodeLevelReply(std::span<const uint8_t> payload)
{
    if (payload.size() < kLevelReplySize)
        return std::nullopt;
    LevelReading r;
    for (std::size_t i = 0; i < r.levels.size(); ++i) {
        const uint32_t bits = uint32_t(payload[3 * i]) << 16 | uint32_t(payload[3 * i + 1]) << 24 |
                              uint32_t(payload[3 * i + 2]) << 8;
        float v;
        std::memcpy(&v, &bits, sizeof v);
        r.levels[i] = v;
    }
    r.flags = uint16_t(payload[36] | payload[37] << 8);
    return r;
}

} // namespace proto
