// Whole-file writes and bounded reads. A write goes to a temporary file in the target's folder, is
// flushed to disk and renamed over the target, so the target is either the old file or the complete
// new one. Errors are returned as text with the path and the system's reason ("" on success).
// Any thread; no shared state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform
{

std::string WriteFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes);

// Appends bytes at the end of an existing file (a missing one is an error, not created), for logs
// that grow by records.
std::string AppendToFile(const std::string& path, std::span<const std::uint8_t> bytes);

// Reads a regular file of at most maxSize bytes; a larger file is refused without reading it all.
std::string ReadFileLimited(const std::string& path, std::size_t maxSize, std::vector<std::uint8_t>& out);

} // namespace platform
