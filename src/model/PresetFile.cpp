#include "model/PresetFile.h"

#include <cstring>

#include "model/LUnitControl.h"

std::string NormalisePresetFileName(const std::string& chosen)
{
    // Only the last path element: a folder named "x.prs.d" must not move the file elsewhere.
    const size_t start = chosen.rfind('/') == std::string::npos ? 0 : chosen.rfind('/') + 1;
    size_t end = chosen.size();
    for (size_t i = start; i + 3 < chosen.size(); ++i) {
        if (chosen[i] != '.')
            continue;
        const std::string ext = chosen.substr(i + 1, 3);
        if (ext == "prs" || ext == "PRS") {
            end = i;
            break;
        }
    }
    return chosen.substr(0, end) + ".prs";
}

std::vector<uint8_t> BuildPresetFile(const LUnitControl& unit)
{
    std::vector<uint8_t> file = unit.WriteStream();
    file.push_back(0x0D);
    file.push_back(0x0A);
    return file;
}

FileStatus ParsePresetFile(std::span<const uint8_t> file, std::vector<uint8_t>& stream)
{
    stream.clear();
    if (file.size() != static_cast<size_t>(kPresetFileSize))
        return FileStatus::Failed(kErrorFileKey, "preset file of " + std::to_string(file.size()) + " bytes");
    if (std::memcmp(file.data(), kFileMagic, kFileMagicSize) != 0)
        return FileStatus::Failed(kErrorFileKey, "not a preset file");
    const auto body = file.subspan(kFileMagicSize, kStreamSize);
    ParamImage candidate{};
    std::memcpy(reinterpret_cast<uint8_t*>(&candidate) + kStreamOffset, body.data(), kStreamSize);
    if (!CheckParamRanges(candidate))
        return FileStatus::Failed(kErrorFileKey, "preset file holds a value outside its range");
    // The two bytes after the stream are not tested.
    stream.assign(body.begin(), body.end());
    return {};
}

FileStatus ReadPresetFile(const std::string& path, std::vector<uint8_t>& stream)
{
    stream.clear();
    std::vector<uint8_t> file;
    // A longer file is refused by the read itself, like a shorter one by the parse.
    FileStatus st = ReadFileWhole(path, kPresetFileSize, file);
    if (!st)
        return st;
    st = ParsePresetFile(file, stream);
    if (!st)
        st.detail = "open '" + path + "': " + st.detail;
    return st;
}

FileStatus SavePresetFile(const LUnitControl& unit, const std::string& chosen, std::string* writtenPath)
{
    const std::string path = NormalisePresetFileName(chosen);
    if (writtenPath)
        *writtenPath = path;
    return WriteFileWhole(path, BuildPresetFile(unit));
}
