// HID services behind one interface: the hidraw backend (sysfs + /dev/hidraw, libudev bound
// at run time) and, in tests, a fake. Scans and opens run on the UI thread; Read/Write on
// the returned descriptors may run on the device's read thread and the link worker.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ModuleLoader.h"

namespace platform
{

struct HidAttributes {
    uint16_t VendorID = 0;
    uint16_t ProductID = 0;
    uint16_t VersionNumber = 0;
};

// Report lengths as the device's capabilities give them: each includes the report-id byte.
struct HidReportLengths {
    uint16_t InputReportByteLength = 0;
    uint16_t OutputReportByteLength = 0;
    uint16_t FeatureReportByteLength = 0;
    bool NumberedReports = false; // false: reads carry no report-id byte; the layer prepends 0
};

// One device interface as the device scan reports it.
struct HidDeviceEntry {
    std::string DeviceID;   // identity compared by the controller; new on every replug
    std::string DevicePath; // opened to talk to the device
    std::string ClassDescr;
    std::string DeviceDescr;
    std::string FriendlyName;
    std::string Mfg;
    std::string LocationInfo;
    std::string HardwareID;
    HidAttributes Attributes; // from the scan, used when the device cannot be asked
};

class HidBackend
{
  public:
    virtual ~HidBackend() = default;
    // Binds the HID and setup services, all or nothing; false leaves the controller inert.
    virtual bool Bind() = 0;
    virtual void Unbind() = 0;
    virtual std::vector<HidDeviceEntry> Scan() = 0;
    // A descriptor for the device path, or -1 with errno set.
    virtual int Open(const std::string& path, bool readWrite) = 0;
    virtual bool GetAttributes(int fd, const HidDeviceEntry& entry, HidAttributes* out) = 0;
    virtual bool GetReportLengths(int fd, const HidDeviceEntry& entry, HidReportLengths* out) = 0;
    // 1 manufacturer, 2 product, 3 serial number; false when the device has none.
    virtual bool GetString(int fd, const HidDeviceEntry& entry, int index, std::string* out) = 0;
    // Readable when the device tree changed; -1 when the backend cannot tell.
    virtual int ChangeFd() = 0;
    virtual void DrainChange() = 0;
};

// KEY=VALUE lines of a sysfs uevent file.
std::map<std::string, std::string> ParseUevent(const std::string& text);
// HID_ID "bbbb:vvvvvvvv:pppppppp" into bus, vendor and product; false when malformed.
bool ParseHidId(const std::string& value, uint32_t* bus, uint16_t* vendor, uint16_t* product);
// Report lengths from a report descriptor; false when the descriptor is malformed.
bool ParseReportDescriptor(const uint8_t* data, size_t size, HidReportLengths* out);
// The name the kernel copied into a buffer of size bytes (returned: the ioctl's result). The kernel
// leaves out the terminator when the name fills the buffer: the text ends at the first zero byte or
// at the copied length, never past the buffer.
std::string KernelName(const char* buffer, int returned, size_t size);

class HidrawBackend final : public HidBackend
{
  public:
    explicit HidrawBackend(std::string sysroot = "/sys", std::string devRoot = "/dev",
                           std::string udevLibrary = "libudev.so.1");
    ~HidrawBackend() override;

    bool Bind() override;
    void Unbind() override;
    std::vector<HidDeviceEntry> Scan() override;
    int Open(const std::string& path, bool readWrite) override;
    bool GetAttributes(int fd, const HidDeviceEntry& entry, HidAttributes* out) override;
    bool GetReportLengths(int fd, const HidDeviceEntry& entry, HidReportLengths* out) override;
    bool GetString(int fd, const HidDeviceEntry& entry, int index, std::string* out) override;
    int ChangeFd() override;
    void DrainChange() override;

    // The entry points of the setup service that the backend calls.
    static const std::vector<std::string>& SetupNames();

  private:
    std::string FSysroot, FDevRoot, FUdevLibrary;
    TModuleBinding FSetup;
    bool FHidBound = false;
    void* FUdev = nullptr;
    void* FMonitor = nullptr;
};

} // namespace platform
