// Report descriptors of any bytes: parsed without reading past their end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/HidBackend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly the input's size, so that a read past it is caught.
    std::vector<uint8_t> bytes(data, data + size);
    platform::HidReportLengths lengths{};
    platform::ParseReportDescriptor(bytes.data(), bytes.size(), &lengths);
    return 0;
}
