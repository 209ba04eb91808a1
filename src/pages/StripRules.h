// The rules of the channel strip and the live levels without a window. Pure functions; any thread.
#pragma once

#include <cstdint>

namespace app
{

// The compressor's and the limiter's lamps of output n (0..5), and the strip's lamp that shows
// either: lit (1) where a level reply's flags say it acts (bit n the compressor, bit 8 + n the
// limiter), but never for a compressor at 1:1 (ratio position 0) or a limiter at its top threshold
// (position 40, +20 dB), which cannot act.
struct OutputLamps {
    int comp = 0, limit = 0, either = 0;
    bool operator==(const OutputLamps&) const = default;
};
inline constexpr int LimitThresholdTop = 40;
OutputLamps LampsOf(uint16_t flags, int output, int ratioPosition, int limitThresholdPosition);

} // namespace app
