#include "platform/HidBackend.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace platform
{

namespace fs = std::filesystem;

std::map<std::string, std::string> ParseUevent(const std::string& text)
{
    std::map<std::string, std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            continue;
        out[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return out;
}

bool ParseHidId(const std::string& value, uint32_t* bus, uint16_t* vendor, uint16_t* product)
{
    size_t c1 = value.find(':');
    size_t c2 = c1 == std::string::npos ? c1 : value.find(':', c1 + 1);
    if (c2 == std::string::npos)
        return false;
    auto hex = [](std::string_view s, uint32_t* v) {
        if (s.empty() || s.size() > 8)
            return false;
        auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), *v, 16);
        return ec == std::errc() && p == s.data() + s.size();
    };
    std::string_view sv(value);
    uint32_t b = 0, v = 0, p = 0;
    if (!hex(sv.substr(0, c1), &b) || !hex(sv.substr(c1 + 1, c2 - c1 - 1), &v) || !hex(sv.substr(c2 + 1), &p))
        return false;
    if (v > 0xFFFF || p > 0xFFFF)
        return false;
    *bus = b;
    *vendor = static_cast<uint16_t>(v);
    *product = static_cast<uint16_t>(p);
    return true;
}

bool ParseReportDescriptor(const uint8_t* data, size_t size, HidReportLengths* out)
{
    struct Globals {
        uint32_t reportSize = 0, reportCount = 0, reportId = 0;
    };
    Globals g;
    std::vector<Globals> stack;
    std::map<uint32_t, uint64_t> bits[3]; // input, output, feature: bits per report id
    bool numbered = false;
    size_t i = 0;
    while (i < size) {
        uint8_t prefix = data[i];
        if (prefix == 0xFE) { // long item
            if (i + 2 >= size)
                return false;
            i += 3 + data[i + 1];
            if (i > size)
                return false;
            continue;
        }
        size_t len = prefix & 3;
        if (len == 3)
            len = 4;
        if (i + 1 + len > size)
            return false;
        uint32_t v = 0;
        for (size_t k = 0; k < len; ++k)
            v |= uint32_t(data[i + 1 + k]) << (8 * k);
        uint8_t type = (prefix >> 2) & 3, tag = prefix >> 4;
        if (type == 0) { // main
            int kind = tag == 8 ? 0 : tag == 9 ? 1 : tag == 11 ? 2 : -1;
            if (kind >= 0)
                bits[kind][g.reportId] += uint64_t(g.reportSize) * g.reportCount;
        } else if (type == 1) { // global
            switch (tag) {
            case 7:
                g.reportSize = v;
                break;
            case 8:
                if (v == 0 || v > 255)
                    return false;
                g.reportId = v;
                numbered = true;
                break;
            case 9:
                g.reportCount = v;
                break;
            case 10:
                stack.push_back(g);
                break;
            case 11:
                if (stack.empty())
                    return false;
                g = stack.back();
                stack.pop_back();
                break;
            default:
                break;
            }
        }
        i += 1 + len;
    }
    auto length = [](const std::map<uint32_t, uint64_t>& m) -> uint16_t {
        uint64_t best = 0;
        for (const auto& [id, b] : m)
            best = std::max(best, (b + 7) / 8);
        if (best == 0)
            return 0;
        return static_cast<uint16_t>(std::min<uint64_t>(best + 1, 0xFFFF));
    };
    out->InputReportByteLength = length(bits[0]);
    out->OutputReportByteLength = length(bits[1]);
    out->FeatureReportByteLength = length(bits[2]);
    out->NumberedReports = numbered;
    return true;
}

std::string KernelName(const char* buffer, int returned, size_t size)
{
    if (returned <= 0)
        return "";
    size_t n = std::min(static_cast<size_t>(returned), size);
    return std::string(buffer, strnlen(buffer, n));
}

namespace
{

std::string ReadFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Trim(std::string s)
{
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

// libudev entry points, in SetupNames order.
using udev_new_t = void* (*)();
using udev_unref_t = void* (*)(void*);
using monitor_new_t = void* (*)(void*, const char*);
using monitor_filter_t = int (*)(void*, const char*, const char*);
using monitor_enable_t = int (*)(void*);
using monitor_fd_t = int (*)(void*);
using monitor_receive_t = void* (*)(void*);
using device_unref_t = void* (*)(void*);
using monitor_unref_t = void* (*)(void*);

} // namespace

const std::vector<std::string>& HidrawBackend::SetupNames()
{
    static const std::vector<std::string> names = {"udev_new",
                                                   "udev_unref",
                                                   "udev_monitor_new_from_netlink",
                                                   "udev_monitor_filter_add_match_subsystem_devtype",
                                                   "udev_monitor_enable_receiving",
                                                   "udev_monitor_get_fd",
                                                   "udev_monitor_receive_device",
                                                   "udev_device_unref",
                                                   "udev_monitor_unref"};
    return names;
}

HidrawBackend::HidrawBackend(std::string sysroot, std::string devRoot, std::string udevLibrary)
    : FSysroot(std::move(sysroot)), FDevRoot(std::move(devRoot)), FUdevLibrary(std::move(udevLibrary))
{
}

HidrawBackend::~HidrawBackend()
{
    Unbind();
}

bool HidrawBackend::Bind()
{
    if (FHidBound)
        return true;
    if (!FSetup.Bind(FUdevLibrary, SetupNames()))
        return false;
    std::error_code ec;
    if (!fs::is_directory(FSysroot + "/class/hidraw", ec)) {
        FSetup.Unbind();
        return false;
    }
    FHidBound = true;
    FUdev = reinterpret_cast<udev_new_t>(FSetup.Slot(0))();
    if (FUdev) {
        FMonitor = reinterpret_cast<monitor_new_t>(FSetup.Slot(2))(FUdev, "udev");
        if (FMonitor) {
            reinterpret_cast<monitor_filter_t>(FSetup.Slot(3))(FMonitor, "hidraw", nullptr);
            reinterpret_cast<monitor_enable_t>(FSetup.Slot(4))(FMonitor);
        }
    }
    return true;
}

void HidrawBackend::Unbind()
{
    if (!FHidBound)
        return;
    if (FMonitor)
        reinterpret_cast<monitor_unref_t>(FSetup.Slot(8))(FMonitor);
    if (FUdev)
        reinterpret_cast<udev_unref_t>(FSetup.Slot(1))(FUdev);
    FMonitor = FUdev = nullptr;
    FHidBound = false;
    FSetup.Unbind();
}

std::vector<HidDeviceEntry> HidrawBackend::Scan()
{
    std::vector<HidDeviceEntry> out;
    if (!FHidBound)
        return out;
    std::error_code ec;
    fs::directory_iterator it(FSysroot + "/class/hidraw", ec);
    if (ec)
        return out;
    std::vector<fs::path> nodes;
    for (const fs::directory_entry& e : it)
        nodes.push_back(e.path());
    std::sort(nodes.begin(), nodes.end());
    for (const fs::path& node : nodes) {
        HidDeviceEntry d;
        fs::path dev = fs::weakly_canonical(node / "device", ec);
        if (ec)
            continue;
        d.DeviceID = dev.string();
        d.DevicePath = FDevRoot + "/" + node.filename().string();
        auto ue = ParseUevent(ReadFile(node / "device" / "uevent"));
        uint32_t bus = 0;
        if (!ParseHidId(ue["HID_ID"], &bus, &d.Attributes.VendorID, &d.Attributes.ProductID))
            continue;
        d.ClassDescr = "HIDClass";
        d.DeviceDescr = ue["HID_NAME"];
        d.FriendlyName = ue["HID_NAME"];
        d.LocationInfo = ue["HID_PHYS"];
        d.HardwareID = ue["MODALIAS"];
        out.push_back(std::move(d));
    }
    return out;
}

int HidrawBackend::Open(const std::string& path, bool readWrite)
{
    return ::open(path.c_str(), (readWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
}

bool HidrawBackend::GetAttributes(int fd, const HidDeviceEntry& entry, HidAttributes* out)
{
    hidraw_devinfo info{};
    if (fd >= 0 && ::ioctl(fd, HIDIOCGRAWINFO, &info) == 0) {
        out->VendorID = static_cast<uint16_t>(info.vendor);
        out->ProductID = static_cast<uint16_t>(info.product);
        out->VersionNumber = 0;
        return true;
    }
    if (entry.Attributes.VendorID == 0 && entry.Attributes.ProductID == 0)
        return false;
    *out = entry.Attributes;
    return true;
}

bool HidrawBackend::GetReportLengths(int fd, const HidDeviceEntry& entry, HidReportLengths* out)
{
    hidraw_report_descriptor rd{};
    int size = 0;
    if (fd >= 0 && ::ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0 && size <= HID_MAX_DESCRIPTOR_SIZE) {
        rd.size = static_cast<uint32_t>(size);
        if (::ioctl(fd, HIDIOCGRDESC, &rd) == 0)
            return ParseReportDescriptor(rd.value, rd.size, out);
    }
    std::error_code ec;
    std::string name = fs::path(entry.DevicePath).filename().string();
    std::string bytes =
        ReadFile(fs::path(FSysroot) / "class" / "hidraw" / name / "device" / "report_descriptor");
    if (bytes.empty())
        return false;
    return ParseReportDescriptor(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}

bool HidrawBackend::GetString(int fd, const HidDeviceEntry& entry, int index, std::string* out)
{
    std::string name = fs::path(entry.DevicePath).filename().string();
    fs::path usb = fs::path(FSysroot) / "class" / "hidraw" / name / "device" / ".." / "..";
    static const char* files[] = {nullptr, "manufacturer", "product", "serial"};
    if (index < 1 || index > 3)
        return false;
    std::string s = Trim(ReadFile(usb / files[index]));
    if (s.empty() && index == 2 && fd >= 0) {
        char buf[256];
        s = KernelName(buf, ::ioctl(fd, HIDIOCGRAWNAME(sizeof buf), buf), sizeof buf);
    }
    if (s.empty())
        return false;
    *out = s;
    return true;
}

int HidrawBackend::ChangeFd()
{
    if (!FMonitor)
        return -1;
    return reinterpret_cast<monitor_fd_t>(FSetup.Slot(5))(FMonitor);
}

void HidrawBackend::DrainChange()
{
    if (!FMonitor)
        return;
    while (void* dev = reinterpret_cast<monitor_receive_t>(FSetup.Slot(6))(FMonitor))
        reinterpret_cast<device_unref_t>(FSetup.Slot(7))(dev);
}

} // namespace platform
