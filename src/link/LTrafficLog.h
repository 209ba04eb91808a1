// Lines of the traffic log: a prefix, then "%02X " for each byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

std::string BuildLogLine(const std::string& prefix, const uint8_t* bytes, size_t count);
// "USB W %02X  " / "USB R %02X  ": the prefix with the report id.
std::string UsbLogPrefix(bool write, uint8_t reportId);
// Bytes of one frame held in a buffer: min(available, len + 8), or all when len is missing.
size_t FrameExtent(const uint8_t* bytes, size_t available);
