// Whole-file reads and writes for the editor's own file kinds, over the platform's atomic writer:
// failures carry the text key the user is shown. Any thread; no shared state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Text key of the file error notice.
inline constexpr char kErrorFileKey[] = "SID_INFO_ERROR_FILE";

struct FileStatus {
    bool ok = true;
    std::string key;    // text key to show the user when !ok
    std::string detail; // what failed, with the path and the system's reason

    explicit operator bool() const { return ok; }
    static FileStatus Failed(std::string key, std::string detail)
    {
        return {false, std::move(key), std::move(detail)};
    }
};

FileStatus WriteFileWhole(const std::string& path, std::span<const uint8_t> bytes);

// Reads a regular file of at most maxSize bytes; a larger file is refused without reading it all.
FileStatus ReadFileWhole(const std::string& path, size_t maxSize, std::vector<uint8_t>& out);
