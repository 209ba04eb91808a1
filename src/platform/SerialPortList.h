// The machine's serial ports in port-number order (in place of the system's serial-port list).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform
{

struct SerialPortEntry {
    std::string Name; // e.g. "ttyUSB0"
    std::string Path; // e.g. "/dev/ttyUSB0"
};

// Reads <sysroot>/class/tty: only ttys backed by a device driver, never the kernel
// console (<sysroot>/class/tty/console/active). devRoot prefixes the paths.
std::vector<SerialPortEntry> ListSerialPorts(const std::string& sysroot = "/sys",
                                             const std::string& devRoot = "/dev");

// Trailing decimal number of a name, -1 when there is none; the sort key of the list.
int SerialPortNumber(const std::string& name);
void SortSerialPorts(std::vector<SerialPortEntry>& ports);

// Tests replace the provider with their own list of ptys.
using SerialPortProvider = std::function<std::vector<SerialPortEntry>()>;
void SetSerialPortProvider(SerialPortProvider provider); // empty restores the default
std::vector<SerialPortEntry> AvailableSerialPorts();

} // namespace platform
