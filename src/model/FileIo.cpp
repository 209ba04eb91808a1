#include "model/FileIo.h"

#include "platform/WholeFile.h"

namespace
{

FileStatus Keyed(std::string error)
{
    if (error.empty())
        return {};
    return FileStatus::Failed(kErrorFileKey, std::move(error));
}

} // namespace

FileStatus WriteFileWhole(const std::string& path, std::span<const uint8_t> bytes)
{
    return Keyed(platform::WriteFileAtomic(path, bytes));
}

FileStatus ReadFileWhole(const std::string& path, size_t maxSize, std::vector<uint8_t>& out)
{
    return Keyed(platform::ReadFileLimited(path, maxSize, out));
}
