#include "link/LTrafficLog.h"

#include <algorithm>
#include <cstdio>

std::string BuildLogLine(const std::string& prefix, const uint8_t* bytes, size_t count)
{
    std::string s = prefix;
    s.reserve(prefix.size() + count * 3);
    char hex[4];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(hex, sizeof hex, "%02X ", bytes[i]);
        s += hex;
    }
    return s;
}

std::string UsbLogPrefix(bool write, uint8_t reportId)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, write ? "USB W %02X  " : "USB R %02X  ", reportId);
    return buf;
}

size_t FrameExtent(const uint8_t* bytes, size_t available)
{
    if (available < 5)
        return available;
    return std::min(available, static_cast<size_t>(bytes[4]) + 8);
}
