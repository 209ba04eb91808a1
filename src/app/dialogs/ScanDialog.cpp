#include "app/dialogs/ScanDialog.h"

#include "app/main/LinkController.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/ProgressBar.h"
#include "link/HxHidController.h"
#include "link/LLinkCore.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace app
{

namespace
{
constexpr int kUsbWatchdogMs = 6000;
constexpr int kNetWatchdogMs = 2000;
constexpr int kComWatchdogMs = 10000;
constexpr int kStepMs = 100;
} // namespace

std::string UsbOpenFailureText(const std::string& path, int error)
{
    std::string text = "USB " + path + ": " + std::strerror(error);
    if (error == EACCES || error == EPERM)
        text += ". Give this user read-write access to the device: a udev rule for 1209:7e5a "
                "(MODE=\"0660\", GROUP=\"plugdev\") and the user in that group; then plug it in again";
    return text;
}

TfmNetwork::TfmNetwork(TfmMain* main) : TDialogForm(main, 360, 176)
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    Background();
    lblScan = Label(QStringLiteral("lblScan"), 14, 8, 332, 52);
    lblScan->SetAutoSize(false);
    lblScan->SetBounds(14, 8, 332, 52);
    lblScan->Font().SetHeight(-12);
    pbScan = new fx::TFxProgressBar(this);
    pbScan->SetName(QStringLiteral("pbScan"));
    pbScan->SetBounds(14, 70, 270, 24);
    lblDeviceID = Label(QStringLiteral("lblDeviceID"), 288, 70, 58, 24);
    lblDeviceID->SetAutoSize(false);
    lblDeviceID->SetBounds(288, 70, 58, 24);
    lblDeviceID->SetWordWrap(false);
    btnOK = Button(QStringLiteral("btnOK"), 14, 132, 104);
    btnId = Button(QStringLiteral("btnId"), 128, 132, 104);
    btnExit = Button(QStringLiteral("btnExit"), 242, 132, 104);
    btnOK->OnClick = [this](fw::TControl*) { btnOKClick(); };
    btnId->OnClick = [this](fw::TControl*) { FMain->Link().NetworkSetupClick(); };
    btnExit->OnClick = [this](fw::TControl*) { btnExitClick(); };
    SetKeyButtons(btnOK, btnExit);

    tmConnect.SetInterval(kStepMs);
    tmConnect.OnTimer = [this](fw::TTimer*) { ConnectTimer(); };
    tmWatchDog.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        tmConnect.SetEnabled(true);
    };
    for (fw::TTimer* t : {&tmRunUsbConnect, &tmRunNetConnect, &tmRunComConnect, &tmLinkBroken})
        t->SetInterval(kStepMs);
    tmRunUsbConnect.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        FMain->Link().OpenUsbLink();
    };
    tmRunNetConnect.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        FMain->Link().OpenNetLink();
    };
    tmRunComConnect.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        FMain->Link().OpenComLink();
    };
    tmLinkBroken.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        SetButtons(true);
        lblScan->SetCaption(Text("SID_LINK_BROKEN"));
        lblDeviceID->SetCaption(QString());
    };
}

void TfmNetwork::FormShow()
{
    // Centred on the screen, shown modally or not.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    setWindowTitle(Text("SID_CONNECT"));
    btnOK->SetCaption(Text("SID_START_SCAN"));
    btnExit->SetCaption(Text("SID_DEMO"));
    btnId->SetCaption(Text("SID_SET"));
}

void TfmNetwork::ShowScan()
{
    if (IsShown() && ShownModally())
        return; // its modal loop runs already
    pbScan->SetPosition(pbScan->Position());
    ShowModal();
}

void TfmNetwork::SetButtons(bool enabled)
{
    btnOK->SetEnabled(enabled);
    btnId->SetEnabled(enabled);
    btnExit->SetEnabled(enabled);
}

void TfmNetwork::StopAttemptTimers()
{
    for (fw::TTimer* t : {&tmConnect, &tmWatchDog, &tmRunUsbConnect, &tmRunNetConnect, &tmRunComConnect})
        t->SetEnabled(false);
}

void TfmNetwork::StopScan()
{
    StopAttemptTimers();
    tmLinkBroken.SetEnabled(false);
    FScanning = false;
}

void TfmNetwork::btnOKClick()
{
    FMain->Link().DiscoverNetDevice();
    StartScan();
}

void TfmNetwork::btnExitClick()
{
    FMain->Link().SetLinkControlsEnabled(true);
    Close();
}

void TfmNetwork::closeEvent(QCloseEvent* e)
{
    // Closed from its frame while idle: the same as Demo, so the link button works again.
    if (!FScanning && !GetConnectResult())
        FMain->Link().SetLinkControlsEnabled(true);
    TDialogForm::closeEvent(e);
}

void TfmNetwork::StartScan()
{
    FNonSerialAttempts = 0;
    SetButtons(false);
    ScanInterfaces();
}

void TfmNetwork::BuildPortList()
{
    FPorts.clear();
    FSkipped.clear();
    std::vector<platform::SerialPortEntry> ports;
    if (PortLister)
        ports = PortLister();
    platform::SortSerialPorts(ports);
    // A processor on USB that this user cannot open is named with what to do.
    if (const THxHidDeviceController* hid = FMain->Link().HidCtl(); hid && !FMain->Link().HasHidDevice())
        for (const auto& f : hid->OpenFailures())
            if (f.Entry.Attributes.VendorID == kMorvexUsbVendorId &&
                f.Entry.Attributes.ProductID == kMorvexUsbProductId)
                FSkipped.push_back(UsbOpenFailureText(f.Entry.DevicePath, f.Error));
    // Only ports this user may open take part; the others are named at the end of a fruitless scan.
    for (platform::SerialPortEntry& p : ports) {
        if (::access(p.Path.c_str(), R_OK | W_OK) != 0) {
            FSkipped.push_back(p.Name + ": " + std::strerror(errno));
            continue;
        }
        FPorts.push_back(std::move(p));
    }
}

void TfmNetwork::ScanInterfaces()
{
    StopAttemptTimers();
    tmLinkBroken.SetEnabled(false);
    FConnectResult = 0;
    BuildPortList();
    FScanning = true;
    lblScan->SetCaption(QString());
    FitScanText();
    FAttempt = 1;
    if (FMain->Link().HasHidDevice()) {
        FNonSerialAttempts = 1;
        lblScan->SetCaption(Text("SID_SCAN_USB"));
        StartAttempt(kUsbWatchdogMs, tmRunUsbConnect);
    } else if (FMain->Link().HasNetAddress()) {
        FNonSerialAttempts = 1;
        lblScan->SetCaption(Text("SID_SCAN_NET"));
        StartAttempt(kNetWatchdogMs, tmRunNetConnect);
    } else if (!FPorts.empty()) {
        StartComAttempt();
    } else {
        pbScan->SetMax(std::max(Total(), 1));
        pbScan->SetPosition(pbScan->Max());
        lblScan->SetCaption(Text("SID_NO_DEVICE"));
        lblDeviceID->SetCaption(QString());
        FAttempt = 0;
        tmConnect.SetEnabled(true);
    }
}

void TfmNetwork::StartAttempt(int watchdogMs, fw::TTimer& run)
{
    lblDeviceID->SetCaption(QStringLiteral("%1/%2").arg(FAttempt).arg(Total()));
    pbScan->SetMax(Total());
    pbScan->SetPosition(FAttempt);
    tmWatchDog.SetEnabled(false);
    tmWatchDog.SetInterval(watchdogMs);
    tmWatchDog.SetEnabled(true);
    run.SetEnabled(true);
}

void TfmNetwork::StartComAttempt()
{
    const platform::SerialPortEntry& port = FPorts[std::size_t(FAttempt - FNonSerialAttempts - 1)];
    lblScan->SetCaption(Text("SID_SCAN") + QString::fromStdString(port.Name) + QStringLiteral(" ......"));
    FMain->Link().SetComPort(port.Path);
    StartAttempt(kComWatchdogMs, tmRunComConnect);
}

void TfmNetwork::SetConnectResult(int result)
{
    FConnectResult = result;
    // The attempt has ended: its watchdog must not end the next one or resume a finished scan.
    tmWatchDog.SetEnabled(false);
    tmConnect.SetEnabled(true);
}

void TfmNetwork::UsbFailed(const std::string& reason)
{
    FSkipped.push_back("USB: " + reason);
    SetConnectResult(0);
}

void TfmNetwork::PortFailed(const std::string& reason)
{
    const int k = FAttempt - FNonSerialAttempts - 1;
    if (k >= 0 && k < int(FPorts.size()))
        FSkipped.push_back(FPorts[std::size_t(k)].Name + ": " + reason);
    SetConnectResult(0);
}

void TfmNetwork::ReportLinkBroken()
{
    FConnectResult = 0;
    FScanning = false;
    // Nothing of an ended scan resumes by itself.
    StopAttemptTimers();
    tmLinkBroken.SetEnabled(true);
    if (TDialogs* d = FMain->Dialogs())
        d->fmProcess->Close();
}

void TfmNetwork::EndScan(const QString& text)
{
    FScanning = false;
    SetButtons(true);
    pbScan->SetPosition(pbScan->Max());
    QString caption = text;
    for (std::size_t i = 0; i < FSkipped.size(); ++i)
        caption +=
            (i == 0 ? QStringLiteral("\n") : QStringLiteral("; ")) + QString::fromStdString(FSkipped[i]);
    lblScan->SetCaption(caption);
    lblDeviceID->SetCaption(QString());
    FitScanText();
}

// The scan text grows the dialog downwards when the reasons need more lines than its box.
void TfmNetwork::FitScanText()
{
    const int base = 52;
    QFont f = lblScan->Font().ToQFont();
    const QRect need = QFontMetrics(f).boundingRect(QRect(0, 0, lblScan->Width(), 10000),
                                                    Qt::AlignHCenter | Qt::TextWordWrap, lblScan->Caption());
    const int grow = std::max(0, need.height() + 6 - base);
    if (grow == FGrown)
        return;
    const int dy = grow - FGrown;
    FGrown = grow;
    lblScan->SetHeight(base + grow);
    for (fw::TControl* c : std::initializer_list<fw::TControl*>{pbScan, lblDeviceID, btnOK, btnId, btnExit})
        c->SetTop(c->Top() + dy);
    resize(width(), height() + dy);
    Background();
}

void TfmNetwork::ConnectTimer()
{
    tmConnect.SetEnabled(false);
    if (FConnectResult == 1) {
        FScanning = false;
        tmWatchDog.SetEnabled(false);
        Close();
        return;
    }
    if (!FScanning)
        return; // a late evaluation of a scan that has ended
    FMain->Link().CloseAttempt();
    if (FAttempt >= Total()) {
        EndScan(Text("SID_NO_DEVICE"));
        return;
    }
    ++FAttempt;
    StartComAttempt();
}

} // namespace app
