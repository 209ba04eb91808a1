// TfmNetwork: the device scan. One scan tries the held HID device or the TCP address first, then every
// serial port in port order; each attempt opens a link through the main window, which reports the
// outcome back. On success the dialog closes; otherwise it offers a new scan, the ID/IP setup or
// working without a device. Created once, reused for every scan. UI thread only.
#pragma once

#include "app/dialogs/SmallDialogs.h"
#include "platform/SerialPortList.h"
#include "runtime/Timer.h"

#include <string>
#include <vector>

namespace app
{

class TfmNetwork : public TDialogForm
{
  public:
    explicit TfmNetwork(TfmMain* main);

    fx::TFxProgressBar* pbScan;
    sk::TSkLabel* lblScan;
    sk::TSkLabel* lblDeviceID;
    sk::TSkBmpButton *btnOK, *btnId, *btnExit;
    fw::TTimer tmConnect, tmWatchDog, tmRunUsbConnect, tmRunNetConnect, tmRunComConnect, tmLinkBroken;

    // The serial ports a scan tries; tests give their own ptys.
    std::function<std::vector<platform::SerialPortEntry>()> PortLister = platform::AvailableSerialPorts;

    void StartScan();
    void ScanInterfaces();
    void SetConnectResult(int result);
    bool GetConnectResult() const { return FConnectResult != 0; }
    void ReportLinkBroken();
    // The serial port of the running attempt cannot be opened: it is skipped, and its reason is
    // listed when the scan ends without a device.
    void PortFailed(const std::string& reason);
    // The USB device of the running attempt cannot be opened: its reason is listed likewise.
    void UsbFailed(const std::string& reason);
    // Shows the dialog modally unless it already runs modally.
    void ShowScan();
    // Stops every timer of the scan (the window is closing).
    void StopScan();

    // An attempt is running or being evaluated (the buttons are off).
    bool Scanning() const { return FScanning; }
    int Attempt() const { return FAttempt; }
    int Total() const { return int(FPorts.size()) + FNonSerialAttempts; }
    const std::vector<platform::SerialPortEntry>& Ports() const { return FPorts; }

    void btnOKClick();
    void btnExitClick();

  protected:
    void FormShow() override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void BuildPortList();
    void StartComAttempt();
    void StartAttempt(int watchdogMs, fw::TTimer& run);
    void ConnectTimer();
    void EndScan(const QString& text);
    void SetButtons(bool enabled);
    void StopAttemptTimers();
    void FitScanText();

    std::vector<platform::SerialPortEntry> FPorts; // the hidden port list of the current scan
    std::vector<std::string> FSkipped;             // "port: reason" of ports that did not open
    int FConnectResult = 0;
    int FAttempt = 0;
    int FNonSerialAttempts = 0;
    bool FScanning = false;
    int FGrown = 0; // rows of pixels the scan text added to the dialog
};

// The scan's line for a processor on USB that could not be opened, with what to do.
std::string UsbOpenFailureText(const std::string& path, int error);

} // namespace app
