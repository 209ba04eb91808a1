// Command line of morvex-test-device.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TestDevice.h"

namespace morvex_device
{

struct DeviceOptions {
    enum class Mode { None, Tcp, Pty } LinkMode = Mode::None;
    int TcpPort = 0;
    uint32_t Host = 0x7F000001; // loopback address to listen on, host order
    std::string LogPath;        // empty: no frame log
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
