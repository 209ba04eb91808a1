#include "model/LUnitFile.h"

#include <algorithm>
#include <cstring>

namespace
{

size_t BlockOffset(int k)
{
    return static_cast<size_t>(kUnitHeadSize + kUnitBlockStride * k);
}

FileStatus Refused(const std::string& detail)
{
    return FileStatus::Failed(kErrorDownloadKey, detail);
}

} // namespace

std::vector<uint8_t> BuildUnitFile(const LUnitImage& unit)
{
    std::vector<uint8_t> out(kUnitFileSize);
    std::memcpy(out.data(), kFileMagic, kFileMagicSize);
    std::memcpy(out.data() + kFileMagicSize, unit.Info.data(), kUnitInfoSize);
    for (int k = 0; k < kUserPresets; ++k) {
        uint8_t* block = out.data() + BlockOffset(k);
        if (unit.Stored[k]) {
            block[0] = static_cast<uint8_t>(k + 1);
            std::memcpy(block + 1, unit.Presets[k].data(), kUnitPresetBytes);
        } else {
            std::memset(block, kUnitEmptyFill, kUnitBlockSize);
        }
        block[kUnitBlockSize] = 0x0D;
        block[kUnitBlockSize + 1] = 0x0A;
    }
    return out;
}

FileStatus ParseUnitFile(std::span<const uint8_t> file, LUnitImage& unit)
{
    if (file.size() < static_cast<size_t>(kUnitFileMinSize) ||
        file.size() > static_cast<size_t>(kUnitFileSize))
        return Refused("unit file of " + std::to_string(file.size()) + " bytes");
    if (std::memcmp(file.data(), kFileMagic, kFileMagicSize) != 0)
        return Refused("unit file without its head text");

    LUnitImage next;
    std::memcpy(next.Info.data(), file.data() + kFileMagicSize, kUnitInfoSize);
    for (int k = 0; k < kUserPresets; ++k) {
        const size_t at = BlockOffset(k);
        const size_t have = std::min(file.size() - at, static_cast<size_t>(kUnitBlockSize));
        const bool stored = have >= 2 && file[at + 1] == kPresetStoredMark;
        if (!stored)
            continue;
        // A stored block names its own preset. The last block of a short file is completed with
        // zero bytes.
        if (file[at] != k + 1)
            return Refused("block " + std::to_string(k + 1) + " holds preset " + std::to_string(file[at]));
        next.Stored[k] = true;
        std::memcpy(next.Presets[k].data(), file.data() + at + 1,
                    std::min(have - 1, static_cast<size_t>(kUnitPresetBytes)));
    }
    unit = next;
    return {};
}

FileStatus ReadUnitFile(const std::string& path, LUnitImage& unit)
{
    std::vector<uint8_t> bytes;
    FileStatus status = ReadFileWhole(path, kUnitFileSize + 1, bytes);
    if (!status)
        return FileStatus::Failed(kErrorDownloadKey, status.detail);
    status = ParseUnitFile(bytes, unit);
    if (!status)
        status.detail = "'" + path + "': " + status.detail;
    return status;
}

std::string NormaliseUnitFileName(const std::string& chosen)
{
    const size_t slash = chosen.rfind('/');
    const size_t from = slash == std::string::npos ? 0 : slash + 1;
    size_t cut = chosen.size();
    for (size_t i = chosen.find('.', from); i != std::string::npos; i = chosen.find('.', i + 1)) {
        const std::string ext = chosen.substr(i + 1, 3);
        if (ext == "unt" || ext == "UNT") {
            cut = i;
            break;
        }
    }
    return chosen.substr(0, cut) + ".unt";
}

FileStatus SaveUnitFile(const LUnitImage& unit, const std::string& chosen, std::string* writtenPath)
{
    const std::string path = NormaliseUnitFileName(chosen);
    if (writtenPath)
        *writtenPath = path;
    const std::vector<uint8_t> bytes = BuildUnitFile(unit);
    return WriteFileWhole(path, bytes);
}
