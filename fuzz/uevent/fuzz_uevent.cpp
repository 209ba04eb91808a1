// uevent files and HID_ID values of any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/HidBackend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto values = platform::ParseUevent(text);
    uint32_t bus = 0;
    uint16_t vendor = 0;
    uint16_t product = 0;
    auto id = values.find("HID_ID");
    platform::ParseHidId(id != values.end() ? id->second : text, &bus, &vendor, &product);
    return 0;
}
