#include "link/HxHidDevice.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "link/HxHidController.h"

std::string HidErrorString(uint32_t status)
{
    if (((status >> 16) & 0xFF) != 0x11 || (status & 0xC0000000u) == 0)
        return "";
    static const struct {
        uint32_t code;
        const char* text;
    } kTexts[] = {{0x80110001, "device not plugged in"},
                  {0xC0110001, "invalid preparsed data"},
                  {0xC0110002, "invalid report type"},
                  {0xC0110003, "invalid report length"},
                  {0xC0110004, "usage not found"},
                  {0xC0110005, "value out of range"},
                  {0xC0110006, "bad logical or physical values"},
                  {0xC0110007, "buffer too small"},
                  {0xC0110008, "internal error"},
                  {0xC0110009, "8042 key translation impossible"},
                  {0xC011000A, "incompatible report ID"},
                  {0xC011000B, "not a value array"},
                  {0xC011000C, "is a value array"},
                  {0xC011000D, "data index not found"},
                  {0xC011000E, "data index out of range"},
                  {0xC011000F, "button not pressed"},
                  {0xC0110010, "report does not exist"},
                  {0xC0110020, "not implemented"}};
    for (const auto& t : kTexts) {
        if (t.code == status)
            return std::string("HID Error: ") + t.text;
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "HID Error: unknown HID error %x", status);
    return buf;
}

uint32_t HidCheck(uint32_t status)
{
    if (status != HIDP_STATUS_SUCCESS) {
        std::string text = HidErrorString(status);
        if (!text.empty())
            throw EHidClientError(text);
    }
    return status;
}

THxHidDevice::THxHidDevice(std::unique_ptr<THxHidPnPInfo> info, THxHidDeviceController* controller)
    : FMyController(controller), FBackend(controller->Backend()), FPnPInfo(std::move(info))
{
    FData = controller->FDevData;
    OnUnplug = controller->FDevUnplug;
    FHasReadWriteAccess = OpenHandle(FHidFile, true);
    const int readWriteError = errno;
    if (!FHasReadWriteAccess && !OpenHandle(FHidFile, false))
        throw EControllerError("device cannot be opened", readWriteError);
    if (!FBackend->GetAttributes(FHidFile.Get(), FPnPInfo->Entry(), &FAttributes)) {
        FHidFile.Reset();
        throw EControllerError("device cannot be identified");
    }
    platform::HidReportLengths lengths;
    if (FBackend->GetReportLengths(FHidFile.Get(), FPnPInfo->Entry(), &lengths)) {
        FCaps.InputReportByteLength = lengths.InputReportByteLength;
        FCaps.OutputReportByteLength = lengths.OutputReportByteLength;
        FCaps.FeatureReportByteLength = lengths.FeatureReportByteLength;
        FNumbered = lengths.NumberedReports;
    }
    FHidFile.Reset();
}

THxHidDevice::~THxHidDevice()
{
    THxHidDataEvent savedData = FData;
    THxHidPlugEvent savedUnplug = OnUnplug;
    SetDataEvent({});
    OnUnplug = {};
    CloseHandles();
    THxHidDeviceController* c = FMyController;
    if (c != nullptr && !c->FDestroying) {
        int i = c->IndexOf(this);
        if (i >= 0) {
            if (FIsPluggedIn) {
                // A fresh free device takes this one's place.
                std::unique_ptr<THxHidDevice> repl;
                try {
                    repl.reset(new THxHidDevice(std::move(FPnPInfo), c));
                } catch (const EControllerError&) {
                    repl.reset();
                }
                if (FIsCheckedOut) {
                    --c->FNumCheckedOut;
                    ++c->FNumCheckedIn;
                }
                if (repl) {
                    repl->SetDataEvent(savedData);
                    repl->OnUnplug = savedUnplug;
                    repl->FThreadSleepTime = FThreadSleepTime.load();
                    c->FList[static_cast<size_t>(i)] = repl.release();
                } else {
                    // The replacement could not be built: the interface left the list.
                    c->FList.erase(c->FList.begin() + i);
                    --c->FNumCheckedIn;
                }
            } else {
                c->FList.erase(c->FList.begin() + i);
                --c->FNumUnplugged;
            }
        }
    }
}

bool THxHidDevice::OpenHandle(platform::UniqueFd& fd, bool readWrite)
{
    int f = FBackend->Open(FPnPInfo->DevicePath(), readWrite);
    if (f < 0)
        return false;
    fd.Reset(f);
    return true;
}

bool THxHidDevice::OpenFile()
{
    std::lock_guard g(FFileLock);
    if (IsAccessible() && !FHidFile.Valid()) {
        FHasReadWriteAccess = OpenHandle(FHidFile, true);
        if (!FHasReadWriteAccess)
            OpenHandle(FHidFile, false);
    }
    return FHidFile.Valid();
}

void THxHidDevice::CloseFile()
{
    std::lock_guard g(FFileLock);
    FHidFile.Reset();
}

void THxHidDevice::CloseHandles()
{
    {
        std::lock_guard g(FFileLock);
        FHidFile.Reset();
    }
    FHidRead.Reset();
}

bool THxHidDevice::WriteFile(const uint8_t* report, uint32_t toWrite, uint32_t& bytesWritten)
{
    bytesWritten = 0;
    std::lock_guard g(FFileLock);
    if (!OpenFile())
        return false;
    ssize_t n = ::write(FHidFile.Get(), report, toWrite);
    if (n < 0)
        return false;
    bytesWritten = static_cast<uint32_t>(n);
    return true;
}

bool THxHidDevice::ReadFile(uint8_t* report, uint32_t toRead, uint32_t& bytesRead)
{
    bytesRead = 0;
    std::lock_guard g(FFileLock);
    if (!OpenFile())
        return false;
    ssize_t n = ::read(FHidFile.Get(), report, toRead);
    if (n < 0)
        return false;
    bytesRead = static_cast<uint32_t>(n);
    return true;
}

std::string THxHidDevice::VendorName()
{
    if (FVendorName.empty() && OpenFile()) {
        FBackend->GetString(FHidFile.Get(), FPnPInfo->Entry(), 1, &FVendorName);
        CloseFile();
    }
    return FVendorName;
}

std::string THxHidDevice::ProductName()
{
    if (FProductName.empty() && OpenFile()) {
        FBackend->GetString(FHidFile.Get(), FPnPInfo->Entry(), 2, &FProductName);
        CloseFile();
    }
    return FProductName;
}

std::string THxHidDevice::SerialNumber()
{
    if (FSerialNumber.empty() && OpenFile()) {
        FBackend->GetString(FHidFile.Get(), FPnPInfo->Entry(), 3, &FSerialNumber);
        CloseFile();
    }
    return FSerialNumber;
}

void THxHidDevice::SetThreadSleepTime(int32_t ms)
{
    if (ms >= 10 && ms <= 10000)
        FThreadSleepTime = ms;
}

void THxHidDevice::SetDataEvent(THxHidDataEvent ev)
{
    if (!ev.Assigned())
        StopThread();
    FData = std::move(ev);
    StartThread();
}

bool THxHidDevice::CheckOut()
{
    if (FMyController == nullptr || !FIsPluggedIn || FIsCheckedOut)
        return false;
    FIsCheckedOut = true;
    ++FMyController->FNumCheckedOut;
    --FMyController->FNumCheckedIn;
    StartThread();
    return true;
}

void THxHidDevice::StartThread()
{
    if (!FData.Assigned() || !FIsPluggedIn || !FIsCheckedOut || !FHasReadWriteAccess || FThread.joinable())
        return;
    if (!OpenHandle(FHidRead, true))
        return;
    FStop.Consume();
    FResume.Consume();
    FGate = LSyncGate();
    platform::UniqueFd fd(::dup(FHidRead.Get()));
    FThread = std::thread(&THxHidDevice::ReadLoop, this, FGate, std::move(fd));
}

void THxHidDevice::StopThread()
{
    if (!FThread.joinable())
        return;
    FGate.Close();
    FStop.Signal();
    FThread.join();
    FHidRead.Reset();
}

void THxHidDevice::DoUnplug()
{
    CloseHandles();
    FIsPluggedIn = false;
    FStop.Signal(); // wakes a pending read; the thread then finds the device gone
    THxHidPlugEvent ev = OnUnplug;
    OnUnplug = {};
    if (ev.Assigned())
        ev.Fn(this);
}

// Read thread. Hands one report over; while the handler holds it, waits for a resume and
// hands it over again, so the reports after it stay unread. A stop or an unplug ends the wait.
void THxHidDevice::Deliver(LSyncGate& gate, const LSyncGate::Poster& post, const std::vector<uint8_t>& copy)
{
    for (;;) {
        FHeld = false;
        bool ran = gate.Call(post, [this, copy] {
            if (FData.Assigned())
                FData.Fn(this, copy[0], copy.data() + 1, static_cast<uint16_t>(copy.size() - 1));
        });
        if (!ran || !FHeld)
            return;
        pollfd fds[2] = {{FStop.Fd(), POLLIN, 0}, {FResume.Fd(), POLLIN, 0}};
        int r = ::poll(fds, 2, -1);
        if (r < 0 && errno != EINTR)
            return;
        if (fds[0].revents) {
            FStop.Consume();
            if (gate.Closed() || !FIsPluggedIn)
                return;
        }
        if (fds[1].revents)
            FResume.Consume();
    }
}

// Read thread. A read that cannot start (device gone) is reported and retried after one
// sleep slice, never at once, so an unplugged device that is not yet checked in costs nothing.
void THxHidDevice::ReadLoop(LSyncGate gate, platform::UniqueFd readFd)
{
    size_t len = FCaps.InputReportByteLength ? FCaps.InputReportByteLength : 65;
    size_t offset = FNumbered ? 0 : 1; // reports of unnumbered devices come without the id byte
    std::vector<uint8_t> report(std::max<size_t>(len, 2));
    THxHidDeviceController* c = FMyController;
    auto post = [c](std::function<void()> f) { c->Post(std::move(f)); };
    auto backOff = [&](int err) {
        ++FFailedStarts;
        gate.Call(post, [this, err] {
            if (OnDataError.Assigned())
                OnDataError.Fn(this, static_cast<uint32_t>(err));
        });
        pollfd p{FStop.Fd(), POLLIN, 0};
        if (::poll(&p, 1, FThreadSleepTime) > 0)
            FStop.Consume(); // a stop closes the gate first
    };
    while (!gate.Closed()) {
        if (!FIsPluggedIn) {
            backOff(ENODEV);
            continue;
        }
        pollfd fds[2] = {{FStop.Fd(), POLLIN, 0}, {readFd.Get(), POLLIN, 0}};
        int r = ::poll(fds, 2, FThreadSleepTime);
        if (r < 0 && errno == EINTR)
            continue;
        if (fds[0].revents) {
            FStop.Consume();
            continue; // stop request or unplug: the loop test decides
        }
        if (r <= 0)
            continue;
        if (fds[1].revents & POLLIN) {
            std::fill(report.begin(), report.end(), 0);
            ssize_t n = ::read(readFd.Get(), report.data() + offset, report.size() - offset);
            if (n > 0) {
                std::vector<uint8_t> copy(report.begin(), report.begin() + static_cast<long>(n + offset));
                Deliver(gate, post, copy);
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            backOff(n == 0 ? ENODEV : errno);
        } else {
            backOff(EIO); // hang-up or error on the device
        }
    }
}
