// The unit-file reader on arbitrary bytes: it refuses or takes a file, never reads past it,
// and a taken file writes back to the same stored blocks.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "model/LUnitFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LUnitImage unit;
    if (!ParseUnitFile(std::span<const uint8_t>(data, size), unit))
        return 0;
    const std::vector<uint8_t> again = BuildUnitFile(unit);
    for (int k = 0; k < kUserPresets; ++k) {
        if (!unit.Stored[k])
            continue;
        const size_t at = kUnitHeadSize + static_cast<size_t>(kUnitBlockStride) * k;
        if (std::memcmp(again.data() + at, data + at, kUnitBlockSize) != 0)
            std::abort();
    }
    return 0;
}
