// The HID device controller: the list of present HID interfaces, arrival and removal
// notices, check-out and check-in, and the devices' input reports as events on the UI
// thread. Everything but the read threads runs on the thread that created it. With the
// HID or setup services missing (Bind fails) it is inert: empty list, no events.
#pragma once

#include <QObject>

#include <memory>
#include <string>
#include <vector>

#include "link/HxHidDevice.h"
#include "link/LUiPoster.h"

class QSocketNotifier;

class THxHidDeviceController
{
  public:
    explicit THxHidDeviceController(std::shared_ptr<platform::HidBackend> backend);
    ~THxHidDeviceController();
    THxHidDeviceController(const THxHidDeviceController&) = delete;
    THxHidDeviceController& operator=(const THxHidDeviceController&) = delete;

    bool Active() const { return FBound; }
    // A device-tree notice (the platform's change event). lParam -1 marks the first one.
    void EventPipe(long lParam);
    void DeviceChange();
    int32_t Enumerate();

    bool CheckOut(THxHidDevice*& dev);
    bool CheckOutByIndex(THxHidDevice*& dev, int32_t idx);
    bool CheckOutByID(THxHidDevice*& dev, int32_t vid, int32_t pid);
    bool CheckOutByClass(THxHidDevice*& dev, const std::string& className);
    bool CheckOutByProductName(THxHidDevice*& dev, const std::string& name);
    bool CheckOutByVendorName(THxHidDevice*& dev, const std::string& name);
    bool CheckOutByCallback(THxHidDevice*& dev, const THxHidCheckCallback& check);
    void CheckIn(THxHidDevice*& dev);

    int32_t CountByID(int32_t vid, int32_t pid);
    int32_t CountByClass(const std::string& className);
    int32_t CountByProductName(const std::string& name);
    int32_t CountByVendorName(const std::string& name);
    int32_t CountByCallback(const THxHidCheckCallback& check);

    int32_t NumCheckedInDevices() const { return FNumCheckedIn; }
    int32_t NumCheckedOutDevices() const { return FNumCheckedOut; }
    int32_t NumUnpluggedDevices() const { return FNumUnplugged; }
    const std::vector<THxHidDevice*>& Devices() const { return FList; }
    // The interfaces of the last scan that could not be opened, with the open's errno.
    struct OpenFailure {
        platform::HidDeviceEntry Entry;
        int Error = 0;
    };
    const std::vector<OpenFailure>& OpenFailures() const { return FOpenFailures; }

    std::string Version() const { return "1.0.34"; }
    void SetVersion(const std::string&) {}
    std::string HidVersion() const { return ""; }
    int32_t DevThreadSleepTime() const { return FDevThreadSleepTime; }
    void SetDevThreadSleepTime(int32_t ms);

    THxHidPlugEvent OnArrival, OnRemoval;
    THxHidEnumerateEvent OnEnumerate;
    THxEvent<void(THxHidDeviceController*)> OnDeviceChange;
    void SetOnDeviceChange(THxEvent<void(THxHidDeviceController*)> ev);
    const THxHidDataEvent& OnDeviceData() const { return FDevData; }
    void SetOnDeviceData(THxHidDataEvent ev);
    void SetOnDeviceDataError(THxHidDataErrorEvent ev);
    void SetOnDeviceUnplug(THxHidPlugEvent ev);

    // Runs fn on the controller's thread (the read threads' hand-over).
    void Post(std::function<void()> fn);
    platform::HidBackend* Backend() const { return FBackend.get(); }

  private:
    friend class THxHidDevice;
    std::unique_ptr<THxHidDevice> Build(const platform::HidDeviceEntry& entry);
    bool CheckThisOut(THxHidDevice*& dev, size_t i);
    void Recount();
    int IndexOf(const THxHidDevice* dev) const;
    bool DoEnumerate(THxHidDevice* dev, int32_t idx);
    template <class Pred> int32_t CountIf(Pred pred);

    std::shared_ptr<platform::HidBackend> FBackend;
    bool FBound = false;
    std::unique_ptr<QObject> FContext;
    std::unique_ptr<LUiPoster> FPoster;
    std::unique_ptr<QSocketNotifier> FNotifier;
    std::vector<THxHidDevice*> FList; // owned
    std::vector<OpenFailure> FOpenFailures;
    int32_t FNumCheckedIn = 0, FNumCheckedOut = 0, FNumUnplugged = 0;
    int32_t FDevThreadSleepTime = 100;
    bool FInDeviceChange = false;
    long FLParam = 0;
    bool FDestroying = false;
    THxHidDataEvent FDevData;
    THxHidDataErrorEvent FDevDataError;
    THxHidPlugEvent FDevUnplug;
};
