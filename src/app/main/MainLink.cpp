// TfmMain: opening and closing links, the link button, the HID controller's events, the socket's
// status texts, the ID/IP setup and the traffic log.
#include "app/ProgramInfo.h"
#include "app/dialogs/NetworkSetupDialog.h"
#include "app/dialogs/ScanDialog.h"
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

TLinkDialogs& TfmMain::LinkDialogs()
{
    if (!FLinkDialogs)
        FLinkDialogs = std::make_unique<TLinkDialogs>(this);
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

void TfmMain::ConnectLinkHandlers()
{
    if (auto* b = Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuLink")))
        b->OnClick = [this](fw::TControl*) { rzbMenuLinkClick(); };
    auto on = [this](const char* name, std::function<void()> f) {
        if (QAction* a = MenuItem(QString::fromLatin1(name)))
            QObject::connect(a, &QAction::triggered, this, [f] { f(); });
    };
    on("Connected", [this] { rzbMenuLinkClick(); });
    on("NetworkSetup", [this] { NetworkSetupClick(); });
    on("HidData", [this] { HidDataClick(); });
    on("Open", [this] { OpenClick(); });
    on("Save", [this] { SaveClick(); });
    on("Upload", [this] { UploadClick(); });
    on("Download", [this] { DownloadClick(); });

    tmStartConnect.SetInterval(300);
    tmStartConnect.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        rzbMenuLinkClick();
    };
    tmLinkBroken.SetInterval(300);
    tmLinkBroken.OnTimer = [this](fw::TTimer* t) {
        t->SetEnabled(false);
        if (!FSession || !FSession->LinkOpen())
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
        if (!scan.IsShown() || !FSession)
            return;
        CloseAttempt();
        scan.SetConnectResult(0);
    };
}

void TfmMain::StartLink(std::shared_ptr<platform::HidBackend> hid, bool connectNow)
{
    LLinkCore& core = FSession->Core;
    core.OnDeviceIdText = [this](const std::string& text) {
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbDeviceId")))
            l->SetCaption(QString::fromStdString(text));
    };
    core.OnLogLine = [this](const std::string& line) {
        LinkDialogs().fmHidData->AddLine(QString::fromStdString(line));
    };
    core.ClientSocket.OnConnecting = [this] {
        LinkDialogs().fmNetwork->lblScan->SetCaption(QStringLiteral("Network Connecting"));
    };
    core.ClientSocket.OnConnect = [this] {
        LinkDialogs().fmNetwork->lblScan->SetCaption(
            QStringLiteral("Connecting IP:") +
            QString::fromStdString(FSession->Core.ClientSocket.RemoteAddress()));
        if (std::exchange(FNetOpenPending, false) && !FSession->OpenNet())
            LinkDialogs().fmNetwork->SetConnectResult(0);
    };
    if (!DefaultDeviceAddress.empty()) {
        in_addr a{};
        if (::inet_pton(AF_INET, std::string(DefaultDeviceAddress).c_str(), &a) == 1)
            FNetAddress = ntohl(a.s_addr);
    }
    if (hid) {
        FHidCtl = std::make_unique<THxHidDeviceController>(std::move(hid));
        FHidCtl->SetOnDeviceData({[this](THxHidDevice* d, uint8_t id, const uint8_t* data, uint16_t size) {
                                      FSession->Core.HidCtlDeviceData(d, id, data, size);
                                  },
                                  kHandlerId});
        FHidCtl->SetOnDeviceUnplug({[this](THxHidDevice* d) { HidCtlDeviceUnplug(d); }, kHandlerId});
        FHidCtl->SetOnDeviceDataError({[](THxHidDevice*, uint32_t) {}, kHandlerId});
        FHidCtl->OnEnumerate = {[this](THxHidDevice* d, int32_t idx) { return HidCtlEnumerate(d, idx); },
                                kHandlerId};
        // Assigned directly: the setter would scan at once, inside the window's construction. The
        // controller's first scan runs from the event loop.
        FHidCtl->OnDeviceChange = {[this](THxHidDeviceController* c) { c->Enumerate(); }, kHandlerId};
    }
    if (connectNow)
        tmStartConnect.SetEnabled(true);
}

bool TfmMain::HasHidDevice() const
{
    return FSession && FSession->Core.HidDevice() != nullptr;
}

QString TfmMain::StatusText() const
{
    auto* l = const_cast<TfmMain*>(this)->Get<fw::TControl>(QStringLiteral("lbStatus"));
    return l ? l->Caption() : QString();
}

bool TfmMain::HidCtlEnumerate(THxHidDevice* dev, int32_t idx)
{
    const auto& a = dev->Attributes();
    // One device is held at a time: a second of the same kind would feed the same framer.
    if (a.VendorID != kMorvexUsbVendorId || a.ProductID != kMorvexUsbProductId || HasHidDevice())
        return true;
    THxHidDevice* got = nullptr;
    if (FHidCtl->CheckOutByIndex(got, idx)) {
        FSession->Core.SetHidDevice(got);
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbStatus")))
            l->SetCaption(QStringLiteral("Detect HID"));
    }
    return true;
}

void TfmMain::HidCtlDeviceUnplug(THxHidDevice* dev)
{
    const auto& a = dev->Attributes();
    if (a.VendorID != kMorvexUsbVendorId || a.ProductID != kMorvexUsbProductId)
        return;
    if (dev != FSession->Core.HidDevice()) {
        // Not the one in use (never checked out by this window): only give it back.
        if (dev->IsCheckedOut())
            FHidCtl->CheckIn(dev);
        return;
    }
    THxHidDevice* held = FSession->Core.TakeHidDevice();
    FHidCtl->CheckIn(held);
    if (StatusText() == u"Detect HID")
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbStatus")))
            l->SetCaption(QStringLiteral("OffLine"));
    if (FSession->Core.Usb())
        tmLinkBroken.SetEnabled(true);
}

void TfmMain::OpenUsbLink()
{
    if (!FSession->OpenUsb())
        LinkDialogs().fmNetwork->UsbFailed("the device cannot be opened");
}

void TfmMain::OpenNetLink()
{
    LClientSocket& socket = FSession->Core.ClientSocket;
    // The connect request goes out once the socket is connected, never into a connecting socket.
    if (socket.Connected()) {
        if (!FSession->OpenNet())
            LinkDialogs().fmNetwork->SetConnectResult(0);
        return;
    }
    FNetOpenPending = true;
    if (!socket.Active())
        DiscoverNetDevice();
}

void TfmMain::OpenComLink()
{
    if (FSession->OpenCom(FComPort))
        return;
    std::string reason = "cannot be opened";
    if (::access(FComPort.c_str(), R_OK | W_OK) != 0)
        reason = std::strerror(errno);
    LinkDialogs().fmNetwork->PortFailed(reason);
}

void TfmMain::DiscoverNetDevice()
{
    if (FAutoNetSetting != 0) {
        FNetAddress = 0;
        return;
    }
    if (FNetAddress == 0)
        return;
    LClientSocket& socket = FSession->Core.ClientSocket;
    socket.Address = Dotted(FNetAddress);
    if (!socket.Active())
        socket.SetActive(true);
}

void TfmMain::ApplyNetAddress(uint32_t address)
{
    LClientSocket& socket = FSession->Core.ClientSocket;
    socket.SetActive(false);
    socket.Address = Dotted(address);
    socket.SetActive(true);
    FNetAddress = address;
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbShowIp")))
        l->SetCaption(QStringLiteral("IP : ") + QString::fromStdString(socket.Address));
}

void TfmMain::ApplyDeviceId(int id)
{
    if (id < kMinDeviceId || id > kMaxDeviceId)
        return;
    SetDeviceId(id);
    FSession->Core.SetDeviceId(id);
}

void TfmMain::CloseAttempt()
{
    FNetOpenPending = false;
    FOwnClose = true;
    FSession->CloseLink();
    FOwnClose = false;
}

void TfmMain::CloseLink()
{
    CloseAttempt();
}

void TfmMain::ResetOffline()
{
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    if (FHidCtl)
        FHidCtl->DeviceChange();
    if (QAction* c = MenuItem(QStringLiteral("Connect")))
        c->setText(LookupText(QStringLiteral("SID_CONNECT")));
    auto* link = Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuLink"));
    if (link)
        link->SetCaption(LookupText(QStringLiteral("SID_OFFLINE")));
    setWindowTitle(QString::fromUtf8(ProgramTitle.data(), qsizetype(ProgramTitle.size())) + u' ' +
                   QString::fromUtf8(ProgramVersion.data(), qsizetype(ProgramVersion.size())));
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbInterface")))
        l->SetCaption(QString());
    SetLinkControlsEnabled(true);
    if (link)
        link->SetDown(false);
    FOnline = false;
    SetMainEnabled(true);
    SetLevelPoll(false);
}

void TfmMain::rzbMenuLinkClick()
{
    auto* link = Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuLink"));
    SetLinkControlsEnabled(false);
    if (link)
        link->SetDown(false);
    QAction* connect = MenuItem(QStringLiteral("Connect"));
    if (FOnline) {
        FSession->SendDisconnect();
        if (connect)
            connect->setText(LookupText(QStringLiteral("SID_CONNECT")));
        FSession->StartTimer(LSyncTimer::Disconnect, 300);
        return;
    }
    TfmNetwork& scan = *LinkDialogs().fmNetwork;
    scan.btnOK->Click();
    if (connect)
        connect->setText(LookupText(QStringLiteral("SID_DISCONNECT")));
    scan.ShowScan();
}

void TfmMain::NetworkSetupClick()
{
    TfmNetworkSetup& setup = *LinkDialogs().fmNetworkSetup;
    auto* link = Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuLink"));
    const bool online = link && link->Caption() == LookupText(QStringLiteral("SID_ONLINE"));
    setup.SetEditsEnabled(!online, !online && !setup.rbAutoSetting->Checked());
    setup.ShowModal();
}

void TfmMain::HidDataClick()
{
    LinkDialogs().fmHidData->Show();
}

void TfmMain::DisconnectForExit(const std::function<void()>& sending)
{
    FExiting = true;
    SetLevelPoll(false);
    FSession->SendDisconnect();
    // Only the disconnect waiting: the close waits for the frame out as it always did.
    if (FSession->QueuedFrames() <= 1)
        return;
    if (sending)
        sending();
    const bool sent = FSession->SendQueuedFrames([] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        QThread::msleep(1);
    });
    if (!sent)
        ShowInformation("SID_EXIT_NOT_SENT");
}

void TfmMain::StopLink()
{
    tmStartConnect.SetEnabled(false);
    tmLinkBroken.SetEnabled(false);
    tmComScan.SetEnabled(false);
    if (!FSession)
        return;
    FinishLink();
    FSession->Core.CloseAllTransports();
    if (FHidCtl) {
        THxHidDevice* held = FSession->Core.TakeHidDevice();
        if (held)
            FHidCtl->CheckIn(held);
        FHidCtl.reset();
    }
    if (FLinkDialogs)
        FLinkDialogs->fmNetwork->StopScan();
}

void TfmMain::FinishLink(int maxWaitMs)
{
    if (!FSession || !FSession->LinkOpen())
        return;
    LTransport* t = FSession->Core.OpenTransport();
    auto pending = [this] {
        LLinkCore& c = FSession->Core;
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
