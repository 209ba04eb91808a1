// The window's link: opening and closing links through the session, the link button and the Connect
// menu, the HID controller's events, the device id and the socket's status texts, the ID/IP setup and
// the traffic log. The window owns one; the scan dialog opens its attempts through it. UI thread only.
#pragma once

#include "app/pages/Page.h"
#include "runtime/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class THxHidDeviceController;
class THxHidDevice;

namespace platform
{
class HidBackend;
}

namespace sk
{
class TSkBmpButton;
}

namespace app
{

class TfmNetwork;
class TfmNetworkSetup;
class TfmHidData;

// The dialogs of the link: the scan, the ID/IP setup and the traffic log (created on first use).
struct TLinkDialogs {
    explicit TLinkDialogs(TfmMain* main);
    ~TLinkDialogs();
    std::unique_ptr<TfmNetwork> fmNetwork;
    std::unique_ptr<TfmNetworkSetup> fmNetworkSetup;
    std::unique_ptr<TfmHidData> fmHidData;
};

class TLinkController : public TPage
{
  public:
    explicit TLinkController(TfmMain& main);
    ~TLinkController() override;
    void Bind(TControlBinder& b) override;
    // The link button, the link's menu items and the link timers.
    void Connect() override;

    // Starts the link side: the HID controller over this backend (none: no HID) and, when
    // connectNow, the start-connect timer that presses the link button once from the event loop.
    void StartLink(std::shared_ptr<platform::HidBackend> hid, bool connectNow);
    TLinkDialogs& LinkDialogs();
    THxHidDeviceController* HidCtl() const { return FHidCtl.get(); }

    // What the scan dialog asks and calls.
    bool HasHidDevice() const;
    bool HasNetAddress() const { return FNetAddress != 0; }
    uint32_t GetNetAddress() const { return FNetAddress; }
    // Points the client socket at the address (first octet most significant) and connects it.
    void ApplyNetAddress(uint32_t address);
    void SetNetAddress(uint32_t address) { FNetAddress = address; }
    void SetAutoNetSetting(int value) { FAutoNetSetting = value; }
    void SetComPort(const std::string& path) { FComPort = path; }
    const std::string& ComPort() const { return FComPort; }
    void OpenUsbLink();
    void OpenNetLink();
    void OpenComLink();
    // Closes whatever transport an attempt opened (the scan's own close between attempts).
    void CloseAttempt();
    // Closes the link; the controls go offline when the latest attempt reached the device.
    void CloseLink();
    void DiscoverNetDevice();
    int GetDeviceId() const { return FDeviceId; }
    // A device id the ID/IP setup applies (out of range: ignored); the session addresses it.
    void ApplyDeviceId(int id);
    // The id and its label only (creation's first id, before the session exists).
    void ShowDeviceId(int id);
    void rzbMenuLinkClick();
    void NetworkSetupClick();
    void HidDataClick();
    // lbStatus: "Detect HID", "OffLine" or empty.
    QString StatusText() const;

    // The link button shows online; Online is the window's online state.
    bool Online() const { return FOnline; }
    void SetOnlineState(bool v) { FOnline = v; }
    // The link button and the Connect item; the interface label (a serial port by its name).
    void ShowOnline(const std::string& interfaceName);
    void SetLinkControlsEnabled(bool enabled);
    // The captions, title and controls offline; the HID controller looks for its device again.
    void ResetOffline();
    // The link was lost (not closed by the editor): the scan goes on with its next attempt, or
    // shows the broken link.
    void ReportLinkLost();
    // The session closed the link: offline when the latest attempt reached the device.
    void ShowOffline();

    // Exit confirmed: the polls stop and the disconnect goes out behind the edits still queued;
    // sending() runs first when some are. Only a lost link ends that wait, and the window then
    // says that the last edits did not reach the device.
    void DisconnectForExit(const std::function<void()>& sending);
    // Exit: gives a disconnect request already queued a bounded time to reach the device.
    void FinishLink(int maxWaitMs = 300);
    // Before the window goes: FinishLink, then the transports closed and the HID device given back.
    void StopLink();

    fw::TTimer tmStartConnect, tmLinkBroken, tmComScan;

  private:
    void HidCtlDeviceUnplug(THxHidDevice* dev);
    bool HidCtlEnumerate(THxHidDevice* dev, int32_t idx);
    sk::TSkBmpButton* FLinkButton = nullptr; // rzbMenuLink
    fw::TControl* FDeviceIdLabel = nullptr;  // lbDeviceId
    fw::TControl* FStatusLabel = nullptr;    // lbStatus
    fw::TControl* FIpLabel = nullptr;        // lbShowIp
    fw::TControl* FInterfaceLabel = nullptr; // lbInterface
    std::unique_ptr<TLinkDialogs> FLinkDialogs;
    std::unique_ptr<THxHidDeviceController> FHidCtl;
    std::string FComPort;
    uint32_t FNetAddress = 0;
    int FAutoNetSetting = 0;
    int FDeviceId = 0;
    bool FOnline = false;
    bool FExiting = false;        // a link lost now opens no scan
    bool FNetOpenPending = false; // a TCP attempt waits for its socket to connect
    bool FOwnClose = false;       // the close under way is the window's, not the disconnect timer's
};

} // namespace app
