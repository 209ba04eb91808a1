// One HID device interface known to the controller: identity, attributes, report lengths,
// its descriptors and the read thread that hands input reports to the UI thread.
// Built and destroyed only by THxHidDeviceController (UI thread); WriteFile may run on the
// link worker, the read thread reads on its own descriptor. The synchronous handle has a
// lock of its own, so an unplug closing it never overlaps a write in progress.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "link/LSyncGate.h"
#include "platform/HidBackend.h"
#include "platform/UniqueFd.h"

class THxHidDevice;
class THxHidDeviceController;

class EControllerError : public std::runtime_error
{
  public:
    using std::runtime_error::runtime_error;
    EControllerError(const std::string& what, int error) : std::runtime_error(what), Error(error) {}
    int Error = 0; // errno of a failed open, else 0
};
class EHidClientError : public std::runtime_error
{
  public:
    using std::runtime_error::runtime_error;
};

// A handler with an identity: two handlers are the same when their ids are equal
// (the function is compared, not the object it runs on).
template <class Sig> struct THxEvent {
    std::function<Sig> Fn;
    uintptr_t Id = 0;
    bool Assigned() const { return static_cast<bool>(Fn); }
    bool Same(const THxEvent& o) const { return Assigned() == o.Assigned() && (!Assigned() || Id == o.Id); }
};

using THxHidDataEvent = THxEvent<void(THxHidDevice*, uint8_t reportId, const uint8_t* data, uint16_t size)>;
using THxHidDataErrorEvent = THxEvent<void(THxHidDevice*, uint32_t error)>;
using THxHidPlugEvent = THxEvent<void(THxHidDevice*)>;
using THxHidEnumerateEvent = THxEvent<bool(THxHidDevice*, int32_t idx)>;
using THxHidCheckCallback = std::function<bool(THxHidDevice*)>;

using HIDD_ATTRIBUTES = platform::HidAttributes;
struct HIDP_CAPS {
    uint16_t InputReportByteLength = 0;
    uint16_t OutputReportByteLength = 0;
    uint16_t FeatureReportByteLength = 0;
};

constexpr uint32_t HIDP_STATUS_SUCCESS = 0x00110000;
constexpr uint32_t HIDP_STATUS_NULL = 0x80110001;
std::string HidErrorString(uint32_t status);
uint32_t HidCheck(uint32_t status); // throws EHidClientError for an error status

// The identity of one interface as the device scan reports it; owned by its device.
class THxHidPnPInfo
{
  public:
    explicit THxHidPnPInfo(platform::HidDeviceEntry entry) : FEntry(std::move(entry)) {}
    const std::string& DeviceID() const { return FEntry.DeviceID; }
    const std::string& DevicePath() const { return FEntry.DevicePath; }
    const std::string& ClassDescr() const { return FEntry.ClassDescr; }
    const std::string& DeviceDescr() const { return FEntry.DeviceDescr; }
    const std::string& FriendlyName() const { return FEntry.FriendlyName; }
    const std::string& Mfg() const { return FEntry.Mfg; }
    const std::string& LocationInfo() const { return FEntry.LocationInfo; }
    const platform::HidDeviceEntry& Entry() const { return FEntry; }

  private:
    platform::HidDeviceEntry FEntry;
};

class THxHidDevice
{
  public:
    ~THxHidDevice();
    THxHidDevice(const THxHidDevice&) = delete;
    THxHidDevice& operator=(const THxHidDevice&) = delete;

    const HIDD_ATTRIBUTES& Attributes() const { return FAttributes; }
    const HIDP_CAPS& Caps() const { return FCaps; }
    bool NumberedReports() const { return FNumbered; }
    const THxHidPnPInfo& PnPInfo() const { return *FPnPInfo; }
    bool IsPluggedIn() const { return FIsPluggedIn; }
    bool IsCheckedOut() const { return FIsCheckedOut; }
    bool HasReadWriteAccess() const { return FHasReadWriteAccess; }
    bool IsAccessible() const { return FIsPluggedIn && (FIsCheckedOut || FIsEnumerated); }
    bool HasReadThread() const { return FThread.joinable(); }
    int HidFileHandle() const
    {
        std::lock_guard g(FFileLock);
        return FHidFile.Get();
    }
    int32_t Tag = 0;

    std::string VendorName();
    std::string ProductName();
    std::string SerialNumber();

    bool OpenFile();
    void CloseFile();
    bool WriteFile(const uint8_t* report, uint32_t toWrite, uint32_t& bytesWritten);
    bool ReadFile(uint8_t* report, uint32_t toRead, uint32_t& bytesRead);
    // A report-parsing call: HIDP_STATUS_NULL when the device is not accessible.
    uint32_t CheckParsingAccess() const { return IsAccessible() ? HIDP_STATUS_SUCCESS : HIDP_STATUS_NULL; }

    int32_t ThreadSleepTime() const { return FThreadSleepTime; }
    void SetThreadSleepTime(int32_t ms);
    const THxHidDataEvent& OnData() const { return FData; }
    void SetDataEvent(THxHidDataEvent ev);
    THxHidDataErrorEvent OnDataError;
    THxHidPlugEvent OnUnplug;
    bool CheckOut();
    // Called by the data event (UI thread): the report being handed over was not taken. The
    // read thread keeps it and reads nothing more until ResumeReading, then hands it over again.
    void HoldReport() { FHeld = true; }
    // Any thread: a held report is handed over again (nothing happens when none is held).
    void ResumeReading() { FResume.Signal(); }

    // Read-thread counters for tests and diagnostics.
    uint32_t FailedReadStarts() const { return FFailedStarts; }

  private:
    friend class THxHidDeviceController;
    THxHidDevice(std::unique_ptr<THxHidPnPInfo> info, THxHidDeviceController* controller);
    bool OpenHandle(platform::UniqueFd& fd, bool readWrite);
    void CloseHandles();
    void StartThread();
    void StopThread();
    void ReadLoop(LSyncGate gate, platform::UniqueFd readFd);
    void Deliver(LSyncGate& gate, const LSyncGate::Poster& post, const std::vector<uint8_t>& copy);
    void DoUnplug();

    THxHidDeviceController* FMyController;
    platform::HidBackend* FBackend;
    std::unique_ptr<THxHidPnPInfo> FPnPInfo;
    std::atomic<bool> FIsPluggedIn{true};
    std::atomic<bool> FIsCheckedOut{false};
    std::atomic<bool> FIsEnumerated{false};
    std::atomic<bool> FHasReadWriteAccess{false};
    bool FNumbered = false;
    mutable std::recursive_mutex FFileLock; // FHidFile: UI thread against the link worker
    platform::UniqueFd FHidFile, FHidRead;
    HIDD_ATTRIBUTES FAttributes;
    HIDP_CAPS FCaps;
    std::string FVendorName, FProductName, FSerialNumber;
    std::atomic<int32_t> FThreadSleepTime{100};
    THxHidDataEvent FData;
    std::thread FThread;
    platform::EventFd FStop;
    platform::EventFd FResume;
    std::atomic<bool> FHeld{false};
    LSyncGate FGate;
    std::atomic<uint32_t> FFailedStarts{0};
};
