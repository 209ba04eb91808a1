// The device's out-of-the-box parameter image, byte for byte, written out by hand from the device's
// documentation: the test device starts from it, and the model's default image is checked against it.
#pragma once

#include <cstdint>
#include <vector>

namespace morvex_device
{

// 1082 bytes.
const std::vector<uint8_t>& DefaultImageBytes();

} // namespace morvex_device
