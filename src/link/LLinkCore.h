// The main window's side of the link, headless: the open transport, the send path
// (SendCommand and its forwarders), the write routines the workers call, the socket and
// HID receivers, and the traffic log. TfmMain owns one and delegates to it.
// Everything runs on the UI thread except NetWrite, UsbWrite and LogComRead (worker).
#pragma once

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "link/LClientSocket.h"
#include "link/LLinkOwner.h"
#include "link/LProc.h"
#include "link/LUiPoster.h"

class THxHidDevice;

// The USB vendor and product id of the processor.
constexpr uint16_t kMorvexUsbVendorId = 0x1209;
constexpr uint16_t kMorvexUsbProductId = 0x7E5A;

class LLinkCore : public LLinkOwner
{
  public:
    LLinkCore();
    ~LLinkCore() override;

    // The send path.
    // Frames the command and queues it on the open transport; false when no transport is
    // open or the frame was refused (too long for the transport's send buffer).
    bool SendCommand(const LCmd& command, bool noCoalesce, FrameMode mode = FrameMode::Framed);
    void SetLinkTimeout(int ms);
    void SetLinkRetries(int count);
    void SuspendLinkPoll(bool flag);
    // RS-232 only: the next reply time-out writes the pending frame again without counting a retry.
    void GrantGraceResend();
    void SetDeviceId(int id);
    int GetDeviceId() const { return FDeviceId; }
    bool IsConnected() const { return FConnected; }
    void SetConnected(bool connected) { FConnected = connected; }

    // Transports (one open at a time; the opens of the link management build on these).
    bool OpenNetTransport();
    bool OpenUsbTransport();
    bool OpenComTransport(const std::string& port);
    void CloseTransport(); // the first open of RS-232, USB, TCP
    void CloseAllTransports();
    LCommProc* Comm() const { return FComm.get(); }
    LUsbProc* Usb() const { return FUsb.get(); }
    LNetProc* Net() const { return FNet.get(); }
    LTransport* OpenTransport() const;
    // The open transport's frames waiting behind its outstanding one, and whether one is outstanding.
    size_t QueuedFrames() const;
    bool Outstanding() const;

    // HID device in use; cleared under the write lock so a worker's write never overlaps it.
    void SetHidDevice(THxHidDevice* dev);
    THxHidDevice* TakeHidDevice();
    THxHidDevice* HidDevice() const { return FHidDevice; }

    // Receivers.
    LClientSocket ClientSocket;
    void ClientSocketRead();
    // Silences every socket error; a connection the peer closed or broke under an open TCP
    // transport is its lost link at once (a failed connect stays with the time-outs).
    void ClientSocketError(LClientSocket::ErrorEvent event, int& errorCode);
    void HidCtlDeviceData(THxHidDevice* dev, uint8_t reportId, const uint8_t* data, uint16_t size);
    // A read failure of the link's device: the device is gone (end of file, hang-up, no device), as
    // a closed socket is for TCP; the link then fails at once instead of after its retries.
    void HidCtlDeviceDataError(THxHidDevice* dev, uint32_t error);

    // Traffic log: lines reach OnLogLine on the UI thread while the log is visible.
    void SetLogVisible(bool visible) { FLogVisible = visible; }
    std::function<void(const std::string&)> OnLogLine;

    // Events towards the main window (UI thread).
    std::function<void(const BSTM& frame, uint32_t ms, uint8_t answered)> OnFrame; // WM_LINK_FRAME
    std::function<void(int code, int arg)> OnLinkLost;      // WM_LINK_ERROR of the open transport
    std::function<void(const std::string&)> OnDeviceIdText; // lbShowIdNumber

    // LLinkOwner.
    void PostToUi(std::function<void()> fn) override;
    void OnLinkFrame(const BSTM& frame, uint32_t ms, uint8_t answered) override;
    void OnLinkError(int code, int arg, uint64_t generation) override;
    void OnReceiveRoom(uint64_t generation) override;
    void NetWrite(const uint8_t* bytes, int length) override;
    void UsbWrite(const uint8_t* bytes, int length) override;
    void LogComWrite(const uint8_t* bytes, int length) override;
    void LogComRead(const uint8_t* bytes, int length) override;

  private:
    enum class LogKind { Usb, Net, Com };
    // Builds the line only while the log is shown: the send and receive paths stay cheap.
    void Log(LogKind kind, const char* prefix, const uint8_t* bytes, size_t count);
    void Log(LogKind kind, const std::string& prefix, const uint8_t* bytes, size_t count);

    std::unique_ptr<LUiPoster> FPoster;
    std::unique_ptr<LUsbProc> FUsb;
    std::unique_ptr<LCommProc> FComm;
    std::unique_ptr<LNetProc> FNet;
    std::atomic<bool> FUsbOpen{false};
    std::mutex FHidLock; // FHidDevice against UsbWrite
    THxHidDevice* FHidDevice = nullptr;
    int FDeviceId = 1;
    bool FConnected = false;
    std::atomic<bool> FLogVisible{false};
    std::mutex FLastNetLock;
    BSTM FLastNetFrame; // at most 70 bytes
};
