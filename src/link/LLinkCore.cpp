#include "link/LLinkCore.h"

#include <algorithm>
#include <cerrno>

#include "link/HxHidDevice.h"
#include "link/LTrafficLog.h"
#include "proto/Commands.h"

LLinkCore::LLinkCore() : FPoster(std::make_unique<LUiPoster>())
{
    ClientSocket.OnRead = [this] { ClientSocketRead(); };
    ClientSocket.OnError = [this](LClientSocket::ErrorEvent event, int& code) {
        ClientSocketError(event, code);
    };
}

LLinkCore::~LLinkCore()
{
    CloseAllTransports();
    ClientSocket.SetActive(false);
    if (FHidDevice)
        FHidDevice->OnDataError = {};
    FPoster.reset(); // drops whatever the workers posted and nobody handled
}

namespace
{
// Ends the worker while the whole object still stands, then frees it.
template <class T> void Drop(std::unique_ptr<T>& t)
{
    if (t)
        t->Shutdown();
    t.reset();
}
} // namespace

LTransport* LLinkCore::OpenTransport() const
{
    if (FComm)
        return FComm.get();
    if (FUsb)
        return FUsb.get();
    return FNet.get();
}

size_t LLinkCore::QueuedFrames() const
{
    if (FComm)
        return FComm->QueuedFrames();
    if (FUsb)
        return FUsb->QueuedFrames();
    return FNet ? FNet->QueuedFrames() : 0;
}

bool LLinkCore::Outstanding() const
{
    if (FComm)
        return FComm->Busy();
    if (FUsb)
        return FUsb->Busy();
    return FNet && FNet->Busy();
}

bool LLinkCore::SendCommand(const LCmd& command, bool noCoalesce, FrameMode mode)
{
    BSTM frame = BuildFrame(command, mode);
    if (FComm)
        return FComm->QueueFrame(frame, noCoalesce);
    if (FUsb)
        return FUsb->QueueFrame(frame, noCoalesce);
    if (FNet)
        return FNet->QueueFrame(frame, noCoalesce);
    return false;
}

void LLinkCore::SetLinkTimeout(int ms)
{
    if (LTransport* t = OpenTransport())
        t->SetTimeout(ms);
}

void LLinkCore::SetLinkRetries(int count)
{
    if (LTransport* t = OpenTransport())
        t->SetRetries(count);
}

void LLinkCore::GrantGraceResend()
{
    if (FComm)
        FComm->SetGraceResends(1);
}

void LLinkCore::SuspendLinkPoll(bool flag)
{
    if (FComm)
        FComm->SetPollSuppressed(flag);
    else if (FUsb)
        FUsb->SetPollSuppressed(flag);
    else if (FNet)
        FNet->SetPollSuppressed(flag);
}

void LLinkCore::SetDeviceId(int id)
{
    if (id < proto::kMinDeviceId || id > proto::kMaxDeviceId)
        return;
    FDeviceId = id;
    if (OnDeviceIdText)
        OnDeviceIdText("ID : " + std::to_string(id));
    if (FComm)
        FComm->SetPollAddress(id);
    else if (FUsb)
        FUsb->SetPollAddress(id);
    else if (FNet)
        FNet->SetPollAddress(id);
}

bool LLinkCore::OpenNetTransport()
{
    Drop(FNet);
    FNet = std::make_unique<LNetProc>(this, FDeviceId);
    ClientSocket.SetReading(true); // an earlier transport's full backlog stopped it
    if (FNet->Open())
        return true;
    Drop(FNet);
    return false;
}

bool LLinkCore::OpenUsbTransport()
{
    FUsbOpen = false;
    Drop(FUsb);
    FUsb = std::make_unique<LUsbProc>(this, FDeviceId);
    if (FHidDevice)
        FHidDevice->ResumeReading(); // an earlier transport's full backlog held a report
    if (FUsb->Open()) {
        FUsbOpen = true;
        return true;
    }
    Drop(FUsb);
    return false;
}

bool LLinkCore::OpenComTransport(const std::string& port)
{
    Drop(FComm);
    FComm = std::make_unique<LCommProc>(this, FDeviceId);
    if (FComm->Open(port, 115200, 8, platform::Parity::None, 1))
        return true;
    Drop(FComm);
    return false;
}

void LLinkCore::CloseTransport()
{
    if (FComm) {
        Drop(FComm);
    } else if (FUsb) {
        FUsbOpen = false;
        Drop(FUsb);
    } else if (FNet) {
        Drop(FNet);
        ClientSocket.SetActive(false);
    }
}

void LLinkCore::CloseAllTransports()
{
    Drop(FComm);
    FUsbOpen = false;
    Drop(FUsb);
    if (FNet) {
        Drop(FNet);
        ClientSocket.SetActive(false);
    }
}

void LLinkCore::ClientSocketError(LClientSocket::ErrorEvent event, int& errorCode)
{
    errorCode = 0;
    if (event != LClientSocket::ErrorEvent::Connect && FNet)
        FNet->PeerClosed();
}

void LLinkCore::SetHidDevice(THxHidDevice* dev)
{
    {
        std::lock_guard g(FHidLock);
        if (FHidDevice && FHidDevice != dev)
            FHidDevice->OnDataError = {};
        FHidDevice = dev;
    }
    if (dev) {
        // The link is the held device's user: its read failures reach the link.
        dev->OnDataError = {[this](THxHidDevice* d, uint32_t error) { HidCtlDeviceDataError(d, error); },
                            reinterpret_cast<uintptr_t>(this)};
        dev->ResumeReading();
    }
}

THxHidDevice* LLinkCore::TakeHidDevice()
{
    std::lock_guard g(FHidLock); // waits for a write in progress
    if (FHidDevice)
        FHidDevice->OnDataError = {};
    return std::exchange(FHidDevice, nullptr);
}

void LLinkCore::PostToUi(std::function<void()> fn)
{
    FPoster->Post(std::move(fn));
}

void LLinkCore::OnLinkFrame(const BSTM& frame, uint32_t ms, uint8_t answered)
{
    if (OnFrame)
        OnFrame(frame, ms, answered);
}

void LLinkCore::OnLinkError(int code, int arg, uint64_t generation)
{
    LTransport* t = OpenTransport();
    if (t == nullptr || t->Generation() != generation)
        return; // a closed transport's notice
    if (OnLinkLost)
        OnLinkLost(code, arg);
}

void LLinkCore::OnReceiveRoom(uint64_t generation)
{
    if (FNet && FNet->Generation() == generation)
        ClientSocket.SetReading(true);
    if (FUsb && FUsb->Generation() == generation && FHidDevice)
        FHidDevice->ResumeReading();
}

void LLinkCore::Log(LogKind kind, const char* prefix, const uint8_t* bytes, size_t count)
{
    if (!FLogVisible)
        return;
    Log(kind, std::string(prefix), bytes, count);
}

void LLinkCore::Log(LogKind kind, const std::string& prefix, const uint8_t* bytes, size_t count)
{
    if (!FLogVisible)
        return;
    PostToUi([this, kind, line = BuildLogLine(prefix, bytes, count)] {
        bool open = kind == LogKind::Usb   ? FUsb != nullptr
                    : kind == LogKind::Net ? FNet != nullptr
                                           : FComm != nullptr;
        if (FLogVisible && open && OnLogLine)
            OnLogLine(line);
    });
}

void LLinkCore::NetWrite(const uint8_t* bytes, int length)
{
    {
        std::lock_guard g(FLastNetLock);
        FLastNetFrame.assign(bytes, bytes + std::min(length, 70));
    }
    // Logged before the write, so that the reply's line can never come first.
    Log(LogKind::Net, "NET W ", bytes, static_cast<size_t>(length));
    ClientSocket.SendBuf(bytes, length);
}

void LLinkCore::UsbWrite(const uint8_t* bytes, int length)
{
    std::lock_guard g(FHidLock);
    if (!FUsbOpen || FHidDevice == nullptr)
        return;
    size_t frameLen = FrameExtent(bytes, static_cast<size_t>(length));
    size_t reportLen = FHidDevice->Caps().OutputReportByteLength;
    // A frame that does not fit the output report is not sent cut short.
    if (frameLen + 1 > reportLen)
        return;
    BSTM report(reportLen, 0);
    std::copy(bytes, bytes + frameLen, report.begin() + 1);
    Log(LogKind::Usb, UsbLogPrefix(true, 0), bytes, frameLen);
    uint32_t written = 0;
    FHidDevice->WriteFile(report.data(), static_cast<uint32_t>(report.size()), written);
}

void LLinkCore::LogComWrite(const uint8_t* bytes, int length)
{
    Log(LogKind::Com, "COM W ", bytes, static_cast<size_t>(length));
}

void LLinkCore::LogComRead(const uint8_t* bytes, int length)
{
    Log(LogKind::Com, "COM R ", bytes, static_cast<size_t>(length));
}

void LLinkCore::HidCtlDeviceData(THxHidDevice* dev, uint8_t reportId, const uint8_t* data, uint16_t size)
{
    // Never past the report's end, whatever its length byte announces.
    size_t n = FrameExtent(data, size);
    if (FUsb && !FUsb->ReceiveReport(data, static_cast<int>(n))) {
        // The backlog is full: the link's device keeps this report in its read thread and
        // reads no further until OnReceiveRoom.
        if (dev && dev == FHidDevice)
            dev->HoldReport();
        return;
    }
    Log(LogKind::Usb, UsbLogPrefix(false, reportId), data, n);
}

void LLinkCore::HidCtlDeviceDataError(THxHidDevice* dev, uint32_t error)
{
    if (error != ENODEV && error != EIO)
        return;
    bool held;
    {
        std::lock_guard g(FHidLock);
        held = dev != nullptr && dev == FHidDevice;
    }
    if (held && FUsb && FUsbOpen)
        FUsb->PeerClosed();
}

void LLinkCore::ClientSocketRead()
{
    uint8_t buf[100];
    int max = sizeof buf;
    if (FNet) {
        // A full backlog stops the reads; the bytes wait in the socket until OnReceiveRoom.
        size_t room = FNet->ReceiveRoom();
        if (room == 0) {
            ClientSocket.SetReading(false);
            return;
        }
        max = static_cast<int>(std::min(room, sizeof buf));
    }
    int count = ClientSocket.ReceiveBuf(buf, max);
    if (count <= 0)
        return;
    Log(LogKind::Net, "NET R ", buf, FrameExtent(buf, static_cast<size_t>(count)));
    if (FNet) {
        // A short read is part of a reply: its bytes are kept and the frame completes
        // with the bytes that follow.
        FNet->Receive(buf, count);
        return;
    }
    BSTM last;
    {
        std::lock_guard g(FLastNetLock);
        last = FLastNetFrame;
    }
    if (last.empty())
        return;
    Log(LogKind::Net, "NET RW ", last.data(), last.size());
    ClientSocket.SendBuf(last.data(), static_cast<int>(last.size()));
}
