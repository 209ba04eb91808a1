// The window's link: opening and closing links, the link button, the HID controller's events, the
// socket's status texts, the ID/IP setup and the traffic log.
#include "app/main/LinkController.h"
#include "app/ProgramInfo.h"
#include "app/dialogs/NetworkSetupDialog.h"
#include "app/dialogs/ScanDialog.h"
#include "app/main/MainSessionView.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/ProgressBar.h"
#include "link/HxHidController.h"
#include "platform/HidBackend.h"
#include "proto/Commands.h"
#include "session/LLinkSession.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QThread>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <unistd.h>

namespace app
{

TLinkDialogs::TLinkDialogs(TfmMain* main)
    : fmNetwork(std::make_unique<TfmNetwork>(main)), fmNetworkSetup(std::make_unique<TfmNetworkSetup>(main)),
      fmHidData(std::make_unique<TfmHidData>(main))
{
}
TLinkDialogs::~TLinkDialogs() = default;

TLinkController::TLinkController(TfmMain& main) : TPage(main) {}
TLinkController::~TLinkController() = default;

TLinkDialogs& TLinkController::LinkDialogs()
{
    if (!FLinkDialogs)
        FLinkDialogs = std::make_unique<TLinkDialogs>(&FMain);
    return *FLinkDialogs;
}

namespace
{
constexpr uintptr_t kHandlerId = 0x16;

std::string Dotted(uint32_t a)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (a >> 24) & 0xFF, (a >> 16) & 0xFF, (a >> 8) & 0xFF,
                  a & 0xFF);
    return text;
}
} // namespace

void TLinkController::Bind(TControlBinder& b)
{
    b.Bind(FLinkButton, QStringLiteral("rzbMenuLink"));
    b.Bind(FDeviceIdLabel, QStringLiteral("lbDeviceId"));
    b.Bind(FStatusLabel, QStringLiteral("lbStatus"));
    b.Bind(FIpLabel, QStringLiteral("lbShowIp"));
    b.Bind(FInterfaceLabel, QStringLiteral("lbInterface"));
}

void TLinkController::Connect()
{
    FLinkButton->OnClick = [this](fw::TControl*) { rzbMenuLinkClick(); };
    auto on = [this](const char* name, std::function<void()> f) {
        if (QAction* a = FMain.MenuItem(QString::fromLatin1(name)))
            QObject::connect(a, &QAction::triggered, &FMain, [f] { f(); });
    };
    on("Connected", [this] { rzbMenuLinkClick(); });
    on("NetworkSetup", [this] { NetworkSetupClick(); });
    on("HidData", [this] { HidDataClick(); });

    tmStartConnect.SetInterval(300);
    tmStartConnect.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        rzbMenuLinkClick();
    };
    tmLinkBroken.SetInterval(300);
    tmLinkBroken.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        if (!FMain.HasSession() || !FMain.Session().LinkOpen())
            return;
        CloseLink();
        TfmNetwork& scan = *LinkDialogs().fmNetwork;
        scan.pbScan->SetPosition(0);
        scan.ReportLinkBroken();
        scan.ShowScan();
    };
    tmComScan.SetInterval(1);
    tmComScan.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        TfmNetwork& scan = *LinkDialogs().fmNetwork;
        if (!scan.IsShown() || !FMain.HasSession())
            return;
        CloseAttempt();
        scan.SetConnectResult(0);
    };
}

void TLinkController::StartLink(std::shared_ptr<platform::HidBackend> hid, bool connectNow)
{
    LLinkSession& session = FMain.Session();
    LLinkCore& core = session.Core;
    core.OnDeviceIdText = [this](const std::string& text) {
        FDeviceIdLabel->SetCaption(QString::fromStdString(text));
    };
    core.OnLogLine = [this](const std::string& line) {
        LinkDialogs().fmHidData->AddLine(QString::fromStdString(line));
    };
    core.ClientSocket.OnConnecting = [this] {
        LinkDialogs().fmNetwork->lblScan->SetCaption(QStringLiteral("Network Connecting"));
    };
    core.ClientSocket.OnConnect = [this, &session] {
        LinkDialogs().fmNetwork->lblScan->SetCaption(
            QStringLiteral("Connecting IP:") +
            QString::fromStdString(session.Core.ClientSocket.RemoteAddress()));
        if (std::exchange(FNetOpenPending, false) && !session.OpenNet())
            LinkDialogs().fmNetwork->SetConnectResult(0);
    };
    if (!DefaultDeviceAddress.empty()) {
        in_addr a{};
        if (::inet_pton(AF_INET, std::string(DefaultDeviceAddress).c_str(), &a) == 1)
            FNetAddress = ntohl(a.s_addr);
    }
    if (hid) {
        FHidCtl = std::make_unique<THxHidDeviceController>(std::move(hid));
        FHidCtl->SetOnDeviceData(
            {[&session](THxHidDevice* d, uint8_t id, const uint8_t* data, uint16_t size) {
                 session.Core.HidCtlDeviceData(d, id, data, size);
             },
             kHandlerId});
        FHidCtl->SetOnDeviceUnplug({[this](THxHidDevice* d) { HidCtlDeviceUnplug(d); }, kHandlerId});
        FHidCtl->SetOnDeviceDataError({[](THxHidDevice*, uint32_t) {}, kHandlerId});
        FHidCtl->OnEnumerate = {[this](THxHidDevice* d, int32_t idx) { return HidCtlEnumerate(d, idx); },
                                kHandlerId};
        // Assigned directly: the setter would scan at once, inside the window's construction. The
        // controller's first scan runs from the event loop.
        FHidCtl->OnDeviceChange = {[](THxHidDeviceController* c) { c->Enumerate(); }, kHandlerId};
    }
    if (connectNow)
        tmStartConnect.SetEnabled(true);
}

bool TLinkController::HasHidDevice() const
{
    return FMain.HasSession() && FMain.Session().Core.HidDevice() != nullptr;
}

QString TLinkController::StatusText() const
{
    return FStatusLabel->Caption();
}

bool TLinkController::HidCtlEnumerate(THxHidDevice* dev, int32_t idx)
{
    const auto& a = dev->Attributes();
    // One device is held at a time: a second of the same kind would feed the same framer.
    if (a.VendorID != kMorvexUsbVendorId || a.ProductID != kMorvexUsbProductId || HasHidDevice())
        return true;
    THxHidDevice* got = nullptr;
    if (FHidCtl->CheckOutByIndex(got, idx)) {
        FMain.Session().Core.SetHidDevice(got);
        FStatusLabel->SetCaption(QStringLiteral("Detect HID"));
    }
    return true;
}

void TLinkController::HidCtlDeviceUnplug(THxHidDevice* dev)
{
    const auto& a = dev->Attributes();
    if (a.VendorID != kMorvexUsbVendorId || a.ProductID != kMorvexUsbProductId)
        return;
    LLinkCore& core = FMain.Session().Core;
    if (dev != core.HidDevice()) {
        // Not the one in use (never checked out by this window): only give it back.
        if (dev->IsCheckedOut())
            FHidCtl->CheckIn(dev);
        return;
    }
    THxHidDevice* held = core.TakeHidDevice();
    FHidCtl->CheckIn(held);
    if (StatusText() == u"Detect HID")
        FStatusLabel->SetCaption(QStringLiteral("OffLine"));
    if (core.Usb())
        tmLinkBroken.SetEnabled(true);
}

void TLinkController::OpenUsbLink()
{
    if (!FMain.Session().OpenUsb())
        LinkDialogs().fmNetwork->UsbFailed("the device cannot be opened");
}

void TLinkController::OpenNetLink()
{
    LClientSocket& socket = FMain.Session().Core.ClientSocket;
    // The connect request goes out once the socket is connected, never into a connecting socket.
    if (socket.Connected()) {
        if (!FMain.Session().OpenNet())
            LinkDialogs().fmNetwork->SetConnectResult(0);
        return;
    }
    FNetOpenPending = true;
    if (!socket.Active())
        DiscoverNetDevice();
}

void TLinkController::OpenComLink()
{
    if (FMain.Session().OpenCom(FComPort))
        return;
    std::string reason = "cannot be opened";
    if (::access(FComPort.c_str(), R_OK | W_OK) != 0)
        reason = std::strerror(errno);
    LinkDialogs().fmNetwork->PortFailed(reason);
}

void TLinkController::DiscoverNetDevice()
{
    if (FAutoNetSetting != 0) {
        FNetAddress = 0;
        return;
    }
    if (FNetAddress == 0)
        return;
    LClientSocket& socket = FMain.Session().Core.ClientSocket;
    socket.Address = Dotted(FNetAddress);
    if (!socket.Active())
        socket.SetActive(true);
}

void TLinkController::ApplyNetAddress(uint32_t address)
{
    LClientSocket& socket = FMain.Session().Core.ClientSocket;
    socket.SetActive(false);
    socket.Address = Dotted(address);
    socket.SetActive(true);
    FNetAddress = address;
    FIpLabel->SetCaption(QStringLiteral("IP : ") + QString::fromStdString(socket.Address));
}

void TLinkController::ApplyDeviceId(int id)
{
    if (id < kMinDeviceId || id > kMaxDeviceId)
        return;
    ShowDeviceId(id);
    FMain.Session().Core.SetDeviceId(id);
}

void TLinkController::ShowDeviceId(int id)
{
    FDeviceId = id;
    FDeviceIdLabel->SetCaption(QStringLiteral("ID : %1").arg(id));
}

void TLinkController::CloseAttempt()
{
    FNetOpenPending = false;
    FOwnClose = true;
    FMain.Session().CloseLink();
    FOwnClose = false;
}

void TLinkController::CloseLink()
{
    CloseAttempt();
}

void TLinkController::ShowOnline(const std::string& interfaceName)
{
    FOnline = true;
    FLinkButton->SetCaption(FMain.LookupText(QStringLiteral("SID_ONLINE")));
    FLinkButton->SetDown(true);
    if (QAction* c = FMain.MenuItem(QStringLiteral("Connect")))
        c->setText(FMain.LookupText(QStringLiteral("SID_DISCONNECT")));
    // A serial port shows its name, not its path.
    const std::string shown = interfaceName.substr(interfaceName.rfind('/') + 1);
    FInterfaceLabel->SetCaption(QString::fromStdString(shown));
}

void TLinkController::SetLinkControlsEnabled(bool enabled)
{
    FLinkButton->SetEnabled(enabled);
    if (QAction* c = FMain.MenuItem(QStringLiteral("Connect")))
        c->setEnabled(enabled);
}

void TLinkController::ResetOffline()
{
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    if (FHidCtl)
        FHidCtl->DeviceChange();
    if (QAction* c = FMain.MenuItem(QStringLiteral("Connect")))
        c->setText(FMain.LookupText(QStringLiteral("SID_CONNECT")));
    FLinkButton->SetCaption(FMain.LookupText(QStringLiteral("SID_OFFLINE")));
    FMain.setWindowTitle(QString::fromUtf8(ProgramTitle.data(), qsizetype(ProgramTitle.size())) + u' ' +
                         QString::fromUtf8(ProgramVersion.data(), qsizetype(ProgramVersion.size())));
    FInterfaceLabel->SetCaption(QString());
    SetLinkControlsEnabled(true);
    FLinkButton->SetDown(false);
    FOnline = false;
    FMain.setEnabled(true);
    FMain.View().SetLevelPoll(false);
}

void TLinkController::ReportLinkLost()
{
    FNetOpenPending = false;
    if (FExiting) {
        ResetOffline();
        return;
    }
    TfmNetwork& scan = *LinkDialogs().fmNetwork;
    if (scan.Scanning() && !scan.GetConnectResult()) {
        // The attempt under way failed: the scan goes on with its next one.
        scan.SetConnectResult(0);
        return;
    }
    ResetOffline();
    scan.pbScan->SetPosition(0);
    scan.ReportLinkBroken();
    scan.ShowScan();
}

void TLinkController::ShowOffline()
{
    FNetOpenPending = false;
    const bool reached = LinkDialogs().fmNetwork->GetConnectResult();
    if (reached)
        ResetOffline();
    FOnline = false;
    // The disconnect timer's close (after 17, a rejected identity, a lock change, a download)
    // leaves the scan dialog in its broken-link state for the next scan.
    if (!FOwnClose)
        LinkDialogs().fmNetwork->ReportLinkBroken();
}

void TLinkController::rzbMenuLinkClick()
{
    SetLinkControlsEnabled(false);
    FLinkButton->SetDown(false);
    QAction* connect = FMain.MenuItem(QStringLiteral("Connect"));
    if (FOnline) {
        FMain.Session().SendDisconnect();
        if (connect)
            connect->setText(FMain.LookupText(QStringLiteral("SID_CONNECT")));
        FMain.Session().StartTimer(LSyncTimer::Disconnect, 300);
        return;
    }
    TfmNetwork& scan = *LinkDialogs().fmNetwork;
    scan.btnOK->Click();
    if (connect)
        connect->setText(FMain.LookupText(QStringLiteral("SID_DISCONNECT")));
    scan.ShowScan();
}

void TLinkController::NetworkSetupClick()
{
    TfmNetworkSetup& setup = *LinkDialogs().fmNetworkSetup;
    const bool online = FLinkButton->Caption() == FMain.LookupText(QStringLiteral("SID_ONLINE"));
    setup.SetEditsEnabled(!online, !online && !setup.rbAutoSetting->Checked());
    setup.ShowModal();
}

void TLinkController::HidDataClick()
{
    LinkDialogs().fmHidData->Show();
}

void TLinkController::DisconnectForExit(const std::function<void()>& sending)
{
    FExiting = true;
    FMain.View().SetLevelPoll(false);
    LLinkSession& session = FMain.Session();
    session.SendDisconnect();
    // Only the disconnect waiting: the close waits for the frame out as it always did.
    if (session.QueuedFrames() <= 1)
        return;
    if (sending)
        sending();
    const bool sent = session.SendQueuedFrames([] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        QThread::msleep(1);
    });
    if (!sent)
        FMain.View().ShowInformation("SID_EXIT_NOT_SENT");
}

void TLinkController::StopLink()
{
    tmStartConnect.SetEnabled(false);
    tmLinkBroken.SetEnabled(false);
    tmComScan.SetEnabled(false);
    if (!FMain.HasSession())
        return;
    FinishLink();
    LLinkCore& core = FMain.Session().Core;
    core.CloseAllTransports();
    if (FHidCtl) {
        THxHidDevice* held = core.TakeHidDevice();
        if (held)
            FHidCtl->CheckIn(held);
        FHidCtl.reset();
    }
    if (FLinkDialogs)
        FLinkDialogs->fmNetwork->StopScan();
}

void TLinkController::FinishLink(int maxWaitMs)
{
    if (!FMain.HasSession() || !FMain.Session().LinkOpen())
        return;
    LLinkCore& c = FMain.Session().Core;
    LTransport* t = c.OpenTransport();
    auto pending = [&c] {
        if (c.Comm())
            return c.Comm()->QueuedFrames() > 0 || c.Comm()->Busy();
        if (c.Usb())
            return c.Usb()->QueuedFrames() > 0 || c.Usb()->Busy();
        if (c.Net())
            return c.Net()->QueuedFrames() > 0 || c.Net()->Busy();
        return false;
    };
    if (t == nullptr)
        return;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxWaitMs);
    while (pending() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        QThread::msleep(1);
    }
}

} // namespace app
