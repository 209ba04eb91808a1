// The main window's link side on a fake clock: the scan dialog's attempts and their order, the link
// button, lost links, the HID device coming and going, the ID/IP setup and the File menu's files.
// Serial ports are ptys this test makes (or files that are no ports); TCP goes to loopback only.
#include "FakeHidBackend.h"
#include "TestApp.h"
#include "WindowFixture.h"
#include "app/dialogs/NetworkSetupDialog.h"
#include "app/dialogs/ScanDialog.h"
#include "app/dialogs/SmallDialogs.h"
#include "app/main/LinkController.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/ProgressBar.h"
#include "link/HxHidController.h"
#include "model/LUnitControl.h"
#include "model/PresetFile.h"
#include "proto/LCmd.h"
#include "runtime/Timer.h"
#include "session/LLinkSession.h"

#include <QAction>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>

#include <cstring>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <unistd.h>

using namespace app;

namespace
{

// A pseudo-terminal whose far end nobody answers.
struct Pty {
    int master = -1;
    std::string path;
    Pty()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master);
        ::unlockpt(master);
        path = ::ptsname(master);
    }
    ~Pty() { ::close(master); }
};

using Sent = testapp::SentFrame;

// The program's one window on the fake clock, offline and without a link, a HID controller or open
// dialogs before each case: every case closes what it opened and the window goes back to its start.
class Connect : public testapp::WindowFixture
{
  protected:
    static void SetUpTestSuite()
    {
        // The window's timers run on the fake clock, which stays as long as the window.
        if (!clock)
            clock = new fw::FakeTimerScope;
        WindowFixture::SetUpTestSuite();
        // A loopback port nobody listens on: a TCP attempt gets no device.
        w->Session().Core.ClientSocket.Port = 1;
    }
    void SetUp() override
    {
        scan = w->Link().LinkDialogs().fmNetwork.get();
        scan->PortLister = [this] { return ports; };
        w->Unit()->LoadDefaults();
        w->View().ShowAllParams();
        sent.clear();
        modal.clear();
    }
    void TearDown() override
    {
        TLinkController& link = w->Link();
        if (w->Session().LinkOpen())
            link.CloseLink();
        link.StopLink(); // the HID device given back and the controller gone, the scan's timers stopped
        scan->SetConnectResult(0);
        scan->StopScan();
        w->Session().Core.ClientSocket.SetActive(false);
        link.ResetOffline();
        link.SetNetAddress(0);
        link.SetAutoNetSetting(0);
        link.SetComPort({});
        link.ApplyDeviceId(1);
        w->Get<fw::TControl>(QStringLiteral("lbStatus"))->SetCaption(QString());
        w->Files = {};
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* d = dynamic_cast<TDialogForm*>(top); d && d->IsShown())
                d->Close();
        scan->PortLister = [] { return std::vector<platform::SerialPortEntry>{}; };
    }
    void Record() { sent.clear(); }
    QString Caption(const char* name) { return w->Get<fw::TControl>(QString::fromLatin1(name))->Caption(); }
    sk::TSkBmpButton* LinkButton() { return w->Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuLink")); }
    QString Scan() { return scan->lblScan->Caption(); }
    QString Count() { return scan->lblDeviceID->Caption(); }
    bool Shown(TDialogForm* d) { return d->IsShown(); }
    void AddPorts(std::initializer_list<const char*> names)
    {
        for (const char* n : names) {
            ptys.push_back(std::make_unique<Pty>());
            ports.push_back({n, ptys.back()->path});
        }
    }
    // Brings a HID device of the processor's kind: the controller's first scan checks it out.
    std::string PlugHid()
    {
        if (!w->Link().HidCtl())
            w->Link().StartLink(hid, false);
        std::string id = hid->Add(kMorvexUsbVendorId, kMorvexUsbProductId);
        w->Link().HidCtl()->DeviceChange();
        testapp::EnsureApp();
        QCoreApplication::processEvents();
        return id;
    }

    static inline fw::FakeTimerScope* clock = nullptr;
    TfmNetwork* scan = nullptr;
    std::vector<platform::SerialPortEntry> ports;
    std::vector<std::unique_ptr<Pty>> ptys;
    std::shared_ptr<FakeHidBackend> hid = std::make_shared<FakeHidBackend>();
};

// ---- the scan dialog ----

TEST_F(Connect, PortsAreTriedInPortNumberOrder)
{
    AddPorts({"COM10", "COM3", "COM4"});
    scan->StartScan();
    std::vector<std::string> names;
    for (const auto& p : scan->Ports())
        names.push_back(p.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"COM3", "COM4", "COM10"}));
}

TEST_F(Connect, UsbDeviceThatCannotBeOpenedIsReportedWithWhatToDo)
{
    if (!w->Link().HidCtl())
        w->Link().StartLink(hid, false);
    const std::string id = hid->Add(kMorvexUsbVendorId, kMorvexUsbProductId);
    hid->Get(id).Openable = false;
    hid->Get(id).OpenError = EACCES;
    w->Link().HidCtl()->DeviceChange();
    QCoreApplication::processEvents();
    ASSERT_FALSE(w->Link().HasHidDevice());
    scan->StartScan();
    for (int i = 0; i < 20 && scan->Scanning(); ++i)
        clock->Fake.Advance(100);
    EXPECT_FALSE(scan->Scanning());
    const QString text = Scan();
    EXPECT_TRUE(text.contains(QStringLiteral("/fake/") + QString::fromStdString(id))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromLocal8Bit(std::strerror(EACCES)))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("udev rule for 1209:7e5a"))) << text.toStdString();
    // The text is not cut: the dialog grows to hold it.
    EXPECT_GE(scan->lblScan->Height(),
              QFontMetrics(scan->lblScan->Font().ToQFont())
                  .boundingRect(QRect(0, 0, scan->lblScan->Width(), 1000), Qt::TextWordWrap, text)
                  .height());
}

TEST_F(Connect, HeldHidDeviceComesFirstAndTcpIsNotTried)
{
    PlugHid();
    ASSERT_TRUE(w->Link().HasHidDevice());
    EXPECT_EQ(w->Link().StatusText(), u"Detect HID");
    w->Link().SetNetAddress(0x7F000001);
    AddPorts({"COM3", "COM5"});
    scan->StartScan();
    EXPECT_EQ(Scan(), u"Scan USB");
    EXPECT_EQ(Count(), u"1/3");
    clock->Fake.Advance(100);
    EXPECT_NE(w->Session().Core.Usb(), nullptr);
    EXPECT_EQ(w->Session().Core.Net(), nullptr);
    clock->Fake.Advance(5900 + 100);
    EXPECT_EQ(Count(), u"2/3");
    EXPECT_EQ(Scan(), u"ScanningCOM3 ......");
    EXPECT_EQ(w->Link().ComPort(), ports[0].Path);
    EXPECT_EQ(w->Session().Core.Usb(), nullptr);
    clock->Fake.Advance(10000 + 100);
    EXPECT_EQ(Count(), u"3/3");
    EXPECT_EQ(w->Link().ComPort(), ports[1].Path);
    EXPECT_EQ(w->Session().Core.Net(), nullptr);
}

TEST_F(Connect, NothingToTryEndsAtOnce)
{
    scan->StartScan();
    EXPECT_EQ(Scan(), u"No Device found.");
    EXPECT_EQ(Count(), QString());
    EXPECT_EQ(scan->pbScan->Position(), scan->pbScan->Max());
    EXPECT_FALSE(scan->btnOK->Enabled());
    clock->Fake.Advance(100);
    EXPECT_TRUE(scan->btnOK->Enabled());
    EXPECT_TRUE(scan->btnExit->Enabled());
}

TEST_F(Connect, TcpThenEveryPortThenNoDevice)
{
    w->Link().SetNetAddress(0x7F000001);
    AddPorts({"COM5", "COM3"});
    scan->btnOKClick();
    EXPECT_EQ(Scan(), u"Scan Ethernet");
    EXPECT_EQ(Count(), u"1/3");
    clock->Fake.Advance(2000 + 100);
    EXPECT_EQ(Count(), u"2/3");
    EXPECT_EQ(Scan(), u"ScanningCOM3 ......");
    EXPECT_EQ(w->Link().ComPort(), ports[1].Path);
    clock->Fake.Advance(100);
    EXPECT_NE(w->Session().Core.Comm(), nullptr) << "the pty opens";
    clock->Fake.Advance(9900 + 100);
    EXPECT_EQ(Scan(), u"ScanningCOM5 ......");
    EXPECT_EQ(w->Link().ComPort(), ports[0].Path);
    clock->Fake.Advance(9999);
    EXPECT_TRUE(scan->Scanning());
    clock->Fake.Advance(1 + 100);
    EXPECT_EQ(Scan(), u"No Device found.");
    EXPECT_EQ(Count(), QString());
    EXPECT_TRUE(scan->btnOK->Enabled());
    EXPECT_FALSE(w->Session().LinkOpen());
}

TEST_F(Connect, AnsweredAttemptClosesTheDialogAndTheWatchdogChangesNothing)
{
    AddPorts({"COM3", "COM4"});
    w->Link().rzbMenuLinkClick();
    ASSERT_TRUE(Shown(scan));
    EXPECT_FALSE(LinkButton()->Enabled());
    EXPECT_EQ(w->MenuItem(QStringLiteral("Connect"))->text(), u"Disconnect");
    clock->Fake.Advance(800);
    w->View().SetConnectResult(1); // as the identity reply does
    clock->Fake.Advance(100);
    EXPECT_FALSE(Shown(scan));
    EXPECT_TRUE(w->Session().LinkOpen()) << "the found link stays open";
    clock->Fake.Advance(30000);
    EXPECT_EQ(Count(), u"1/2");
    EXPECT_TRUE(w->Session().LinkOpen());
}

TEST_F(Connect, DemoLeavesWithoutALinkAndTheButtonWorks)
{
    w->Link().rzbMenuLinkClick();
    clock->Fake.Advance(100);
    scan->btnExit->Click();
    EXPECT_FALSE(Shown(scan));
    EXPECT_FALSE(w->Session().LinkOpen());
    EXPECT_TRUE(LinkButton()->Enabled());
}

TEST_F(Connect, PortsThatCannotBeOpenedAreSkippedWithTheirReason)
{
    // A file that is no serial port opens for reading and writing but cannot become a port; a missing
    // one is not offered at all.
    char name[] = "/tmp/morvex-notaport-XXXXXX";
    const int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    ::close(fd);
    AddPorts({"COM4"});
    ports.push_back({"COM3", name});
    ports.push_back({"COM9", "/nonexistent/morvex-COM9"});
    scan->StartScan();
    EXPECT_EQ(scan->Total(), 2);
    clock->Fake.Advance(100); // COM3 fails to open: the next port 100 ms later, no broken-link halt
    clock->Fake.Advance(100);
    EXPECT_EQ(Count(), u"2/2");
    EXPECT_EQ(Scan(), u"ScanningCOM4 ......");
    clock->Fake.Advance(10100);
    EXPECT_TRUE(Scan().startsWith(u"No Device found.")) << Scan().toStdString();
    EXPECT_TRUE(Scan().contains(u"COM3: ")) << Scan().toStdString();
    EXPECT_TRUE(Scan().contains(u"COM9: ")) << Scan().toStdString();
    ::unlink(name);
}

TEST_F(Connect, BrokenLinkStopsTheScanForGood)
{
    AddPorts({"COM3", "COM4"});
    scan->StartScan();
    clock->Fake.Advance(100);
    ASSERT_TRUE(w->Session().LinkOpen());
    w->Link().CloseLink();
    scan->ReportLinkBroken();
    clock->Fake.Advance(100);
    EXPECT_EQ(Scan(), u"Link Broken");
    EXPECT_TRUE(scan->btnOK->Enabled());
    // The ended attempt's watchdog resumes nothing, shown or hidden.
    scan->Close();
    clock->Fake.Advance(60000);
    EXPECT_EQ(Scan(), u"Link Broken");
    EXPECT_FALSE(w->Session().LinkOpen());
    EXPECT_EQ(w->Link().ComPort(), ports[0].Path);
}

// ---- the link's events on the window ----

TEST_F(Connect, LinkButtonWhileOnlineDisconnectsAndGoesOffline)
{
    Record();
    AddPorts({"COM3"});
    scan->StartScan();
    clock->Fake.Advance(100);
    w->View().SetConnectResult(1);
    w->View().SetOnline(ports[0].Path);
    clock->Fake.Advance(100);
    EXPECT_EQ(Caption("lbInterface"),
              QString::fromStdString(ports[0].Path.substr(ports[0].Path.rfind('/') + 1)));
    EXPECT_EQ(LinkButton()->Caption(), u"OnLine");
    w->setWindowTitle(QStringLiteral("changed"));
    sent.clear(); // the connect request of the attempt
    w->Link().rzbMenuLinkClick();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, 17);
    EXPECT_TRUE(w->Session().LinkOpen());
    clock->Fake.Advance(300);
    EXPECT_FALSE(w->Session().LinkOpen());
    EXPECT_EQ(w->MenuItem(QStringLiteral("Connect"))->text(), u"Connect");
    EXPECT_EQ(LinkButton()->Caption(), u"OffLine");
    EXPECT_EQ(w->windowTitle(), u"Tolvane Morvex Processor Editor V1.04");
    EXPECT_EQ(Caption("lbInterface"), QString());
    EXPECT_TRUE(LinkButton()->Enabled());
    EXPECT_FALSE(w->Link().Online());
    clock->Fake.Advance(100);
    EXPECT_EQ(Scan(), u"Link Broken") << "the next scan starts from the broken-link state";
}

TEST_F(Connect, ClosingAnUnansweredAttemptLeavesTheCaptions)
{
    AddPorts({"COM3"});
    scan->StartScan();
    clock->Fake.Advance(100);
    LinkButton()->SetCaption(QStringLiteral("kept"));
    w->setWindowTitle(QStringLiteral("kept"));
    w->Link().CloseAttempt();
    EXPECT_FALSE(w->Session().LinkOpen());
    EXPECT_EQ(LinkButton()->Caption(), u"kept");
    EXPECT_EQ(w->windowTitle(), u"kept");
}

TEST_F(Connect, OtherDeviceDropsTheAttemptOnlyWhileTheScanIsShown)
{
    Pty pty;
    ASSERT_TRUE(w->Session().OpenCom(pty.path));
    w->View().OtherDeviceReply();
    clock->Fake.Advance(1);
    EXPECT_TRUE(w->Session().LinkOpen()) << "hidden scan dialog: nothing changes";

    AddPorts({"COM3", "COM4"});
    w->Link().rzbMenuLinkClick();
    clock->Fake.Advance(100);
    ASSERT_TRUE(w->Session().LinkOpen());
    w->View().OtherDeviceReply();
    clock->Fake.Advance(1);
    EXPECT_FALSE(w->Session().LinkOpen());
    clock->Fake.Advance(100);
    EXPECT_EQ(Count(), u"2/2") << "the scan goes on with the next port";
}

TEST_F(Connect, LostConnectedLinkBringsTheScanBackInItsBrokenState)
{
    AddPorts({"COM3"});
    w->Link().rzbMenuLinkClick();
    clock->Fake.Advance(100);
    w->View().SetConnectResult(1);
    w->View().SetOnline("NET");
    clock->Fake.Advance(100);
    ASSERT_FALSE(Shown(scan));
    w->Dialogs()->fmProcess->Show();
    modal.clear();
    w->View().ReportLinkLost();
    EXPECT_FALSE(w->Link().Online());
    EXPECT_EQ(LinkButton()->Caption(), u"OffLine");
    EXPECT_FALSE(Shown(w->Dialogs()->fmProcess.get())) << "no progress dialog waits for a lost link";
    EXPECT_TRUE(Shown(scan));
    EXPECT_EQ(scan->pbScan->Position(), 0);
    clock->Fake.Advance(100);
    EXPECT_EQ(Scan(), u"Link Broken");
    // Lost again while its modal loop runs: not shown a second time.
    modal.clear();
    w->View().ReportLinkLost();
    EXPECT_TRUE(modal.empty());
}

TEST_F(Connect, LostAttemptLetsTheScanGoOn)
{
    AddPorts({"COM3", "COM4"});
    scan->StartScan();
    clock->Fake.Advance(100);
    w->View().ReportLinkLost();
    clock->Fake.Advance(100);
    EXPECT_EQ(Count(), u"2/2");
    EXPECT_TRUE(scan->Scanning());
}

TEST_F(Connect, HidUnplugAndReplug)
{
    const std::string first = PlugHid();
    ASSERT_EQ(w->Link().StatusText(), u"Detect HID");
    w->Link().OpenUsbLink();
    ASSERT_NE(w->Session().Core.Usb(), nullptr);
    hid->Unplug(first);
    w->Link().HidCtl()->DeviceChange();
    EXPECT_EQ(w->Link().StatusText(), u"OffLine");
    EXPECT_FALSE(w->Link().HasHidDevice());
    w->View().SetConnectResult(1); // the attempt had reached the device
    clock->Fake.Advance(100);
    modal.clear();
    clock->Fake.Advance(300);
    EXPECT_FALSE(w->Session().LinkOpen());
    EXPECT_TRUE(Shown(scan));
    ASSERT_FALSE(modal.empty());
    EXPECT_EQ(modal.back(), scan);
    PlugHid();
    EXPECT_EQ(w->Link().StatusText(), u"Detect HID");
    EXPECT_TRUE(w->Link().HasHidDevice());
}

TEST_F(Connect, SecondDeviceOfTheKindIsNotTakenAndItsUnplugKeepsTheFirst)
{
    PlugHid();
    THxHidDevice* held = w->Session().Core.HidDevice();
    const std::string second = hid->Add(kMorvexUsbVendorId, kMorvexUsbProductId);
    w->Link().HidCtl()->DeviceChange();
    EXPECT_EQ(w->Session().Core.HidDevice(), held);
    EXPECT_EQ(w->Link().HidCtl()->NumCheckedOutDevices(), 1);
    hid->Unplug(second);
    w->Link().HidCtl()->DeviceChange();
    EXPECT_EQ(w->Session().Core.HidDevice(), held);
    EXPECT_EQ(w->Link().StatusText(), u"Detect HID");
}

TEST_F(Connect, NoHidScanRunsWhileTheLinkStarts)
{
    hid->Add(kMorvexUsbVendorId, kMorvexUsbProductId);
    w->Link().StartLink(hid, false);
    EXPECT_FALSE(w->Link().HasHidDevice()) << "the first scan waits for the event loop";
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->Link().HasHidDevice());
}

// ---- traffic log ----

TEST_F(Connect, TrafficLogKeepsTheNewestTenThousandLines)
{
    w->Link().StartLink(hid, false);
    QListWidget* log = w->Link().LinkDialogs().fmHidData->hbHidData;
    const int lines = TfmHidData::MaxLines + 2500;
    for (int i = 0; i < lines; ++i)
        w->Session().Core.OnLogLine("NET W " + std::to_string(i));
    ASSERT_EQ(log->count(), 10000);
    EXPECT_EQ(log->item(0)->text(), QStringLiteral("NET W 2500"));
    EXPECT_EQ(log->item(9999)->text(), QStringLiteral("NET W 12499"));
    EXPECT_EQ(log->currentRow(), 9999) << "the list still follows the newest line";
    w->Link().LinkDialogs().fmHidData->bnClear->Click();
    w->Session().Core.OnLogLine("NET R after");
    ASSERT_EQ(log->count(), 1);
    EXPECT_EQ(log->item(0)->text(), QStringLiteral("NET R after"));
}

// ---- ID/IP setup ----

class Setup : public Connect
{
  protected:
    void SetUp() override
    {
        Connect::SetUp();
        setup = w->Link().LinkDialogs().fmNetworkSetup.get();
    }
    void Leave(QLineEdit* e, const char* text)
    {
        e->setText(QString::fromLatin1(text));
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(e, &out);
    }
    void Type(const char* a, const char* b, const char* c, const char* d, const char* id)
    {
        const char* t[4] = {a, b, c, d};
        for (int i = 0; i < 4; ++i)
            setup->edIp[std::size_t(i)]->setText(QString::fromLatin1(t[i]));
        setup->edId->setText(QString::fromLatin1(id));
    }
    TfmNetworkSetup* setup = nullptr;
};

TEST_F(Setup, EditsCorrectTheirValuesOnLeaving)
{
    struct Case {
        const char* name;
        bool id;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"octet above 255", false, "300", "255"},
        {"octet 255 kept", false, "255", "255"},
        {"id 0", true, "0", "1"},
        {"id above the range", true, "251", "250"},
        {"id in range", true, "7", "7"},
        {"empty id stays empty", true, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QLineEdit* e = c.id ? setup->edId : setup->edIp[0];
        Leave(e, c.typed);
        EXPECT_EQ(e->text(), QString::fromLatin1(c.shown));
    }
}

TEST_F(Setup, SetOfflineAppliesIdAndAddress)
{
    w->Link().NetworkSetupClick();
    ASSERT_TRUE(Shown(setup));
    EXPECT_TRUE(setup->edIp[0]->isEnabled());
    Type("127", "0", "0", "1", "7");
    setup->bnSetClick();
    EXPECT_EQ(w->Link().GetDeviceId(), 7);
    EXPECT_EQ(w->Session().Core.GetDeviceId(), 7);
    EXPECT_EQ(Caption("lbDeviceId"), u"ID : 7");
    EXPECT_EQ(w->Link().GetNetAddress(), 0x7F000001u);
    EXPECT_EQ(w->Session().Core.ClientSocket.Address, "127.0.0.1");
    EXPECT_EQ(Caption("lbShowIp"), u"IP : 127.0.0.1");
    EXPECT_FALSE(Shown(setup));
}

TEST_F(Setup, InvalidIdIsReportedAndTheAddressStillApplies)
{
    struct Case {
        const char* name;
        const char* id;
    } cases[] = {{"above the range", "300"}, {"zero", "0"}, {"empty", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->Link().NetworkSetupClick();
        modal.clear();
        Type("127", "0", "0", "2", c.id);
        setup->bnSetClick();
        ASSERT_FALSE(modal.empty());
        EXPECT_EQ(modal.back(), w->Dialogs()->fmInformation.get());
        EXPECT_EQ(w->Dialogs()->fmInformation->lbMessage->Caption(), u"ID Setting Error");
        EXPECT_EQ(setup->edId->text(), u"1");
        EXPECT_EQ(w->Link().GetDeviceId(), 1);
        EXPECT_EQ(w->Link().GetNetAddress(), 0x7F000002u);
        EXPECT_FALSE(Shown(setup));
    }
}

TEST_F(Setup, EmptyAddressPartIsReportedAndChangesNothing)
{
    w->Link().SetNetAddress(0x7F000001);
    w->Link().NetworkSetupClick();
    modal.clear();
    Type("127", "", "0", "9", "");
    setup->bnSetClick();
    EXPECT_EQ(w->Link().GetNetAddress(), 0x7F000001u);
    EXPECT_EQ(modal.size(), 2u) << "the ID and the address each get their message";
    EXPECT_TRUE(Shown(setup)) << "nothing applied: the dialog stays";
}

TEST_F(Setup, OnlineOnlyTheIdApplies)
{
    w->Link().SetNetAddress(0x7F000001);
    w->View().SetOnline("NET");
    Pty pty;
    ASSERT_TRUE(w->Session().OpenCom(pty.path));
    // Connected as far as the machine knows: the connect reply arrived.
    w->Session().Machine.DispatchReply(BSTM{0x10, 0x02, 0x01, 0x00, 0x01, 0x10, 0x10, 0x03, 0x00});
    ASSERT_TRUE(w->Session().Machine.Connected());
    w->Link().NetworkSetupClick();
    EXPECT_FALSE(setup->gbIpSetting->Enabled());
    for (QLineEdit* e : setup->edIp) {
        EXPECT_FALSE(e->isEnabled());
        EXPECT_TRUE(e->styleSheet().contains(u"#c0c0c0"));
    }
    EXPECT_FALSE(setup->edId->isEnabled());
    Type("10", "0", "0", "9", "9");
    setup->bnSetClick();
    EXPECT_EQ(w->Link().GetDeviceId(), 9);
    EXPECT_EQ(w->Link().GetNetAddress(), 0x7F000001u);
    EXPECT_FALSE(Shown(setup));
}

// ---- File menu ----

class Files : public Connect
{
  protected:
    void SetUp() override
    {
        Connect::SetUp();
        dir = std::filesystem::temp_directory_path() / ("morvex-files-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        w->Files.Choose = [this](bool save, const QString& filter, const QString&) {
            chooser.push_back({save, filter.toStdString()});
            return chosen;
        };
        w->Files.ConfirmOverwrite = [this](const std::string& path) {
            asked.push_back(path);
            return replace;
        };
    }
    void TearDown() override
    {
        std::filesystem::remove_all(dir);
        Connect::TearDown();
    }
    std::filesystem::path dir;
    std::string chosen;
    bool replace = false;
    std::vector<std::pair<bool, std::string>> chooser;
    std::vector<std::string> asked;
};

TEST_F(Files, SaveWritesUnderTheNormalisedNameAndAsksBeforeReplacingIt)
{
    chosen = (dir / "live").string();
    w->SaveClick();
    const std::string written = (dir / "live.prs").string();
    ASSERT_TRUE(std::filesystem::exists(written));
    EXPECT_EQ(std::filesystem::file_size(written), 1086u);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(chooser.at(0), (std::pair<bool, std::string>{true, "*.prs"}));

    {
        std::ofstream(written, std::ios::binary | std::ios::trunc) << "old";
    }
    w->SaveClick(); // "live" again: the question names live.prs
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], written);
    EXPECT_EQ(std::filesystem::file_size(written), 3u) << "refused: the file stays";
    replace = true;
    w->SaveClick();
    EXPECT_EQ(std::filesystem::file_size(written), 1086u);
}

TEST_F(Files, OpenRefusesABadFileAndKeepsTheModel)
{
    Record();
    const std::string path = (dir / "short.prs").string();
    std::vector<char> bytes(1085, 'x');
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    chosen = path;
    const ParamImage before = w->Unit()->GetImage();
    modal.clear();
    w->OpenClick();
    ASSERT_FALSE(modal.empty());
    EXPECT_EQ(w->Dialogs()->fmInformation->lbMessage->Caption(), u"Open File Error !!");
    EXPECT_EQ(std::memcmp(&before, &w->Unit()->GetImage(), sizeof before), 0);
    EXPECT_TRUE(sent.empty());
}

TEST_F(Files, SavedPresetOpensAgainIntoTheModel)
{
    Record();
    chosen = (dir / "a.prs.old").string();
    w->Unit()->SetGain(4, 33);
    w->SaveClick();
    const std::string written = (dir / "a.prs").string();
    ASSERT_TRUE(std::filesystem::exists(written));
    w->Unit()->SetGain(4, 120);
    sent.clear();
    chosen = written;
    w->OpenClick();
    EXPECT_EQ(w->Unit()->GetGain(4), 33);
    EXPECT_EQ(sent.size(), 283u) << "every loaded field goes out; offline nothing waits for a reply";
    EXPECT_TRUE(w->View().LevelPollOn());
}

TEST_F(Files, UploadAndDownloadWithoutADeviceAskToConnectFirst)
{
    for (auto click : {&TfmMain::UploadClick, &TfmMain::DownloadClick}) {
        modal.clear();
        (w->*click)();
        ASSERT_FALSE(modal.empty());
        EXPECT_EQ(w->Dialogs()->fmInformation->lbMessage->Caption(), u"No device connected !!");
    }
    EXPECT_TRUE(chooser.empty());
}

} // namespace
