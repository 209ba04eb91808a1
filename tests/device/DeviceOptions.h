// Command line of morvex-test-device.
#pragma once

#include <string>
#include <vector>

#include "TestDevice.h"

namespace morvex_device
{

struct DeviceOptions {
    enum class Mode { None, Tcp, Pty } LinkMode = Mode::None;
    int TcpPort = 0;
    int Id = 1;
    std::string Identity;     // empty: the device's own
    std::string LockPassword; // empty: not locked
    DeviceFaults Faults;
    bool Help = false;
};

// Parses the arguments after the program name; on failure returns false and a message in error.
bool ParseDeviceOptions(const std::vector<std::string>& args, DeviceOptions& options, std::string& error);
const char* DeviceUsage();

} // namespace morvex_device
