#include "platform/SerialPortList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>

namespace platform
{

namespace fs = std::filesystem;

int SerialPortNumber(const std::string& name)
{
    size_t end = name.size();
    size_t begin = end;
    while (begin > 0 && name[begin - 1] >= '0' && name[begin - 1] <= '9')
        --begin;
    if (begin == end || end - begin > 6)
        return -1;
    return std::stoi(name.substr(begin));
}

void SortSerialPorts(std::vector<SerialPortEntry>& ports)
{
    std::stable_sort(ports.begin(), ports.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        int na = SerialPortNumber(a.Name), nb = SerialPortNumber(b.Name);
        if (na != nb)
            return na < nb;
        return a.Name < b.Name;
    });
}

std::vector<SerialPortEntry> ListSerialPorts(const std::string& sysroot, const std::string& devRoot)
{
    std::vector<SerialPortEntry> out;
    std::set<std::string> consoles;
    {
        std::ifstream in(sysroot + "/class/tty/console/active");
        std::string word;
        while (in >> word)
            consoles.insert(word);
    }
    std::error_code ec;
    fs::directory_iterator it(sysroot + "/class/tty", ec);
    if (ec)
        return out;
    for (const fs::directory_entry& e : it) {
        std::string name = e.path().filename().string();
        if (name == "console" || consoles.count(name))
            continue;
        // A tty without a device link is virtual (vt, pty); serial8250 ttys without a
        // UART report type 0 and are no ports.
        if (!fs::exists(e.path() / "device", ec))
            continue;
        std::ifstream type(e.path() / "type");
        int t = -1;
        if (type >> t && t == 0)
            continue;
        out.push_back({name, devRoot + "/" + name});
    }
    SortSerialPorts(out);
    return out;
}

namespace
{
std::mutex gProviderLock;
SerialPortProvider gProvider;
} // namespace

void SetSerialPortProvider(SerialPortProvider provider)
{
    std::lock_guard g(gProviderLock);
    gProvider = std::move(provider);
}

std::vector<SerialPortEntry> AvailableSerialPorts()
{
    SerialPortProvider p;
    {
        std::lock_guard g(gProviderLock);
        p = gProvider;
    }
    return p ? p() : ListSerialPorts();
}

} // namespace platform
