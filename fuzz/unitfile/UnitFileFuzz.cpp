// The unit-file reader on arbitrary bytes (the seeds are whole files, and the length limit lies above
// a file's size): it refuses or takes a file, never reads past it, and a taken file writes back to the
// same stored blocks, a block the file ends inside completed with zero bytes.
#include <cstdint>
#include <cstdlib>

#include "model/LUnitFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LUnitImage unit;
    unit.Info.fill(0xA5);
    const LUnitImage before = unit;
    if (!ParseUnitFile(std::span<const uint8_t>(data, size), unit)) {
        // A refused file leaves the image as it was.
        if (unit.Info != before.Info || unit.Stored != before.Stored)
            std::abort();
        return 0;
    }
    const std::vector<uint8_t> again = BuildUnitFile(unit);
    if (again.size() != static_cast<size_t>(kUnitFileSize))
        std::abort();
    for (size_t i = 0; i < static_cast<size_t>(kUnitHeadSize); ++i)
        if (again[i] != data[i])
            std::abort();
    for (int k = 0; k < kUserPresets; ++k) {
        if (!unit.Stored[k])
            continue;
        const size_t at = kUnitHeadSize + static_cast<size_t>(kUnitBlockStride) * k;
        for (size_t i = 0; i < static_cast<size_t>(kUnitBlockSize); ++i) {
            const uint8_t want = at + i < size ? data[at + i] : 0;
            if (again[at + i] != want)
                std::abort();
        }
    }
    return 0;
}
