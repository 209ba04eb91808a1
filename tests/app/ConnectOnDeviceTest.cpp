// The editor finds the test device through its scan dialog, over loopback TCP, over a pty offered
// as the only serial port and as a HID device; it reads it, keeps it in step, moves files both ways,
// resets it to its factory set and leaves it. A silent device, a wrong identity and a dropped link
// (also in the middle of a file transfer) end in a clear state with no hang.
#include "FakeHidBackend.h"
#include "WindowOnDevice.h"
#include "app/dialogs/NetworkSetupDialog.h"
#include "app/dialogs/ScanDialog.h"
#include "app/dialogs/SmallDialogs.h"
#include "app/main/LinkController.h"
#include "app/main/MainSessionView.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "link/HxHidController.h"

#include <QAction>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "proto/Commands.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <unistd.h>

using namespace app;

namespace
{

using Captions = std::map<QString, QString>;

enum class Via { Tcp, Pty, Hid };

Captions CaptionsOf(TfmMain& w)
{
    Captions out;
    for (QWidget* q : w.findChildren<QWidget*>())
        if (auto* c = dynamic_cast<fw::TControl*>(q); c && !c->objectName().isEmpty())
            out[c->objectName()] = c->Caption();
    return out;
}

class OnDevice : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        testapp::EnsureApp();
        TDialogForm::ModalRunner = [this](TDialogForm* d) { modal.push_back(d); };
        rig = std::make_unique<testapp::WindowOnDevice>();
        rig->Main->Link().StartLink(nullptr, false);
        scan = rig->Main->Link().LinkDialogs().fmNetwork.get();
        scan->PortLister = [this] { return ports; };
        dir = std::filesystem::temp_directory_path() / ("morvex-connect-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        rig->Main->Files.Choose = [this](bool, const QString&, const QString&) { return chosen; };
        rig->Main->Files.ConfirmOverwrite = [](const std::string&) { return true; };
        // A loaded machine answers late: no reply time-out here unless a test makes it its own.
        S().LinkTimeoutFloorMs = 10000;
    }
    void TearDown() override
    {
        rig.reset();
        TDialogForm::ModalRunner = nullptr;
        std::filesystem::remove_all(dir);
    }
    TfmMain& Main() { return *rig->Main; }
    LLinkSession& S() { return rig->Main->Session(); }
    bool Until(const std::function<bool()>& p, int ms = 10000)
    {
        return testapp::WindowOnDevice::Until(p, ms);
    }
    bool ReadDone()
    {
        return Until([&] {
            return S().Machine.Online() && !S().Machine.Busy() && Main().View().LevelPollOn() &&
                   !scan->IsShown();
        });
    }
    void UseTcp()
    {
        ASSERT_TRUE(rig->Device.StartTcp(0));
        Main().Link().SetNetAddress(0x7F000001);
        S().Core.ClientSocket.Port = rig->Device.Port();
    }
    void UsePty()
    {
        ASSERT_TRUE(rig->Device.StartPty());
        ports = {{"COM1", rig->Device.PtyPath()}};
    }
    // The device as a HID device of the processor's kind, held by the window before the scan.
    void UseHid()
    {
        const int fd = rig->Device.StartHidPair(65);
        ASSERT_GE(fd, 0);
        auto hid = std::make_shared<FakeHidBackend>();
        hid->AddWithFd(kMorvexUsbVendorId, kMorvexUsbProductId, fd, 65);
        Main().Link().StartLink(hid, false);
        Main().Link().HidCtl()->DeviceChange();
        ASSERT_TRUE(Until([&] { return Main().Link().HasHidDevice(); }));
    }
    QString Message() { return Main().Dialogs()->fmInformation->lbMessage->Caption(); }
    // Nothing queued and no frame awaiting its reply: the device has read every frame written so
    // far (it takes a frame in before it answers). The polls start from the event loop only, so
    // the link stays so until the test runs the loop again.
    bool LinkIdle()
    {
        LLinkCore& c = S().Core;
        const auto idle = [](auto* t) { return t->QueuedFrames() == 0 && !t->Busy(); };
        if (c.Comm())
            return idle(c.Comm());
        if (c.Usb())
            return idle(c.Usb());
        return c.Net() && idle(c.Net());
    }
    void ScanReadsTheDeviceOntoEveryPage(bool pty);
    // The codes the device received, without the level requests of the idle poll.
    std::vector<uint8_t> CodesBesidesLevels()
    {
        std::vector<uint8_t> codes = rig->Device.ReceivedCodes();
        std::erase(codes, uint8_t(proto::kLevels));
        return codes;
    }
    // Besides the polls: the idle poll may also come at any moment on a slow machine.
    std::vector<uint8_t> CodesBesidesPolls()
    {
        std::vector<uint8_t> codes = CodesBesidesLevels();
        std::erase(codes, uint8_t(proto::kIdle));
        return codes;
    }

    std::unique_ptr<testapp::WindowOnDevice> rig;
    TfmNetwork* scan = nullptr;
    std::vector<TDialogForm*> modal;
    std::vector<platform::SerialPortEntry> ports;
    std::filesystem::path dir;
    std::string chosen;
};

// Scan, connect and full read over TCP or a pty; every control then shows the device's set, and an
// edit reaches the device.
void OnDevice::ScanReadsTheDeviceOntoEveryPage(bool pty)
{
    ParamImage image = rig->Device.Image();
    image.outputs[2].gain = 77;
    image.inputs[1].delay = 480;
    std::memcpy(image.inputs[1].name, "KICK\0\0\0\0", 8);
    image.outputs[4].polarity = 1;
    rig->Device.SetImage(image);
    if (pty)
        UsePty();
    else
        UseTcp();
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    EXPECT_FALSE(scan->IsShown()) << scan->lblScan->Caption().toStdString();
    EXPECT_TRUE(Main().Link().Online());
    EXPECT_EQ(Main().Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuLink"))->Caption(), u"OnLine");
    if (!pty) {
        EXPECT_EQ(Main().Get<fw::TControl>(QStringLiteral("lbInterface"))->Caption(), u"NET");
    }
    EXPECT_TRUE(rig->DeviceMatchesModel());
    const std::vector<uint8_t> codes = rig->Device.ReceivedCodes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 16), 1) << "the connect request goes out once";

    // Every control shows what a window shows for the device's set.
    TfmMain expected;
    std::vector<uint8_t> stream(reinterpret_cast<const uint8_t*>(&image) + 2,
                                reinterpret_cast<const uint8_t*>(&image) + 2 + 1068);
    expected.Unit()->LoadStream(stream);
    expected.View().ShowAllParams();
    const Captions shown = CaptionsOf(Main());
    for (const auto& [name, caption] : CaptionsOf(expected)) {
        if (name == u"lbPstNum" || name == u"rzbMenuLink" || name == u"lbInterface" || name == u"lbPstName")
            continue; // the link's own state
        EXPECT_EQ(shown.at(name), caption) << name.toStdString();
    }
    expected.SetExitConfirmed(true);

    Main().Unit()->SetGain(5, 130);
    EXPECT_TRUE(rig->WaitDeviceMatchesModel())
        << S().LinkOpen() << Main().Link().Online() << Main().View().IsUpdating();
    EXPECT_EQ(rig->Device.Image().outputs[2].gain, 130);
}

TEST_F(OnDevice, TcpScanReadsTheDeviceOntoEveryPage)
{
    ScanReadsTheDeviceOntoEveryPage(false);
}

TEST_F(OnDevice, PtyScanReadsTheDeviceOntoEveryPage)
{
    ScanReadsTheDeviceOntoEveryPage(true);
}

TEST_F(OnDevice, PtyOfferedAsTheOnlySerialPortIsFound)
{
    UsePty();
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    EXPECT_EQ(Main().Link().ComPort(), rig->Device.PtyPath());
    EXPECT_TRUE(rig->DeviceMatchesModel());
    const std::string path = rig->Device.PtyPath();
    EXPECT_EQ(Main().Get<fw::TControl>(QStringLiteral("lbInterface"))->Caption().toStdString(),
              path.substr(path.rfind('/') + 1));
}

TEST_F(OnDevice, PresetFileRoundTripsThroughTheDevice)
{
    UsePty();
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    Main().Unit()->SetGain(3, 50);
    ASSERT_TRUE(rig->WaitDeviceMatchesModel());
    chosen = (dir / "set").string();
    Main().SaveClick();
    ASSERT_TRUE(std::filesystem::exists(dir / "set.prs"));
    Main().Unit()->SetGain(3, 140);
    ASSERT_TRUE(rig->WaitDeviceMatchesModel());

    chosen = (dir / "set.prs").string();
    modal.clear();
    Main().OpenClick();
    EXPECT_TRUE(Until([&] { return !S().Machine.Busy() && !Main().Dialogs()->fmProcess->IsShown(); }));
    EXPECT_EQ(Main().Unit()->GetGain(3), 50);
    EXPECT_TRUE(rig->WaitDeviceMatchesModel());
    EXPECT_EQ(rig->Device.Image().outputs[0].gain, 50);
}

TEST_F(OnDevice, UploadThenDownloadTheUnit)
{
    UseTcp();
    rig->Device.WithState([](morvex_device::DeviceState& s) {
        ParamImage a = s.Image();
        a.outputs[0].gain = 11;
        s.StorePreset(2, a);
        a.outputs[0].gain = 55;
        s.StorePreset(5, a);
    });
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    chosen = (dir / "unit").string();
    Main().UploadClick();
    const auto unit = dir / "unit.unt";
    ASSERT_TRUE(Until([&] { return std::filesystem::exists(unit); }));
    EXPECT_EQ(std::filesystem::file_size(unit), 21674u);
    ASSERT_TRUE(Until([&] { return !S().Machine.Busy() && Main().View().LevelPollOn(); }));

    // Wipe the device's store, then write the unit back.
    const auto before = rig->Device.WithState([](morvex_device::DeviceState& s) {
        auto presets = s.Presets;
        s.Presets = {};
        return presets;
    });
    rig->Device.ClearReceived();
    chosen = unit.string();
    Main().DownloadClick();
    ASSERT_TRUE(Until([&] { return !S().LinkOpen(); }, 20000)) << "the download ends in a reset and a close";
    EXPECT_TRUE(Main().isEnabled());
    // A level request written just before the download began may still reach the device after the
    // record was cleared.
    std::vector<uint8_t> codes = rig->Device.ReceivedCodes();
    while (!codes.empty() && codes.front() == proto::kLevels)
        codes.erase(codes.begin());
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), 35);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 37), 44);
    EXPECT_EQ(codes.back(), 4);
    rig->Device.WithState([&](morvex_device::DeviceState& s) {
        for (int n : {2, 5}) {
            SCOPED_TRACE(n);
            ASSERT_TRUE(s.Presets[std::size_t(n - 1)].Stored);
            const auto& got = s.Presets[std::size_t(n - 1)].Body;
            const auto& want = before[std::size_t(n - 1)].Body;
            EXPECT_TRUE(std::equal(want.begin(), want.begin() + 1079, got.begin()));
        }
        EXPECT_FALSE(s.Presets[2].Stored);
    });
}

TEST_F(OnDevice, TrafficLogListsTheFramesAndExitDisconnectReachesTheDevice)
{
    UseTcp();
    Main().Link().HidDataClick();
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    QListWidget* log = Main().Link().LinkDialogs().fmHidData->hbHidData;
    ASSERT_GT(log->count(), 2);
    EXPECT_TRUE(log->item(0)->text().startsWith(u"NET W 10 02 00 01 01 10 10 03 ")) << "the connect request";
    EXPECT_TRUE(log->item(1)->text().startsWith(u"NET R 10 02 01 "));
    EXPECT_EQ(log->currentRow(), log->count() - 1) << "the list follows the newest line";
    ASSERT_TRUE(Until([&] { return LinkIdle(); }));
    rig->Device.ClearReceived();
    Main().Dialogs()->fmExit->btnOKClick();
    rig->Main.reset();
    EXPECT_TRUE(
        Until([&] { return std::ranges::count(rig->Device.ReceivedCodes(), proto::kDisconnect) > 0; }));
}

struct Failure {
    const char* name;
    int silentAfter; // frames answered before the device falls silent; -1 always answers
    const char* identity;
};

class OnFaultyDevice : public OnDevice, public ::testing::WithParamInterface<Failure>
{
};

TEST_P(OnFaultyDevice, ScanEndsWithoutADeviceAndOfflineWorkIsOffered)
{
    UsePty();
    S().LinkTimeoutFloorMs = 0; // the time-outs end the scan
    morvex_device::DeviceFaults faults;
    faults.SilentAfter = GetParam().silentAfter;
    rig->Device.SetFaults(faults);
    if (GetParam().identity)
        rig->Device.SetIdentity(GetParam().identity);
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(
        Until([&] { return !scan->Scanning() && !S().LinkOpen() && scan->btnExit->Enabled(); }, 15000));
    EXPECT_FALSE(Main().Link().Online());
    EXPECT_FALSE(S().Machine.Connected()) << "no half-open connection is left behind";
    if (GetParam().identity)
        EXPECT_EQ(Message(), u"Wrong device !!") << "the wrong device is named";
    else
        EXPECT_TRUE(scan->lblScan->Caption().startsWith(u"No Device found."));
    scan->btnExit->Click();
    EXPECT_TRUE(Main().Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuLink"))->Enabled());
    // Offline work: an edit changes the model only.
    Main().Unit()->SetGain(3, 42);
    EXPECT_EQ(Main().Unit()->GetGain(3), 42);
}

INSTANTIATE_TEST_SUITE_P(, OnFaultyDevice,
                         ::testing::Values(Failure{"Silent", 0, nullptr},
                                           Failure{"AnswersOnlyTheConnectRequest", 1, nullptr},
                                           Failure{"WrongIdentity", -1, "OTHERBOX V1"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OnDevice, DroppedLinkShowsTheScanInItsBrokenState)
{
    UseTcp();
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    modal.clear();
    rig->Device.Stop();
    ASSERT_TRUE(Until([&] { return !S().LinkOpen() && scan->lblScan->Caption() == u"Link Broken"; }));
    EXPECT_FALSE(Main().Link().Online());
    EXPECT_TRUE(scan->IsShown());
    EXPECT_EQ(std::count(modal.begin(), modal.end(), scan), 1);
    EXPECT_FALSE(Main().Dialogs()->fmProcess->IsShown());
    EXPECT_TRUE(scan->btnOK->Enabled());
}

// ---- every transport: the connect request once, the exit's disconnect before the close ----

class OnEachTransport : public OnDevice, public ::testing::WithParamInterface<Via>
{
  protected:
    void Use()
    {
        switch (GetParam()) {
        case Via::Tcp:
            UseTcp();
            break;
        case Via::Pty:
            UsePty();
            break;
        case Via::Hid:
            UseHid();
            break;
        }
    }
};

TEST_P(OnEachTransport, ConnectRequestGoesOutOnceAndExitDisconnectReachesTheDevice)
{
    ASSERT_NO_FATAL_FAILURE(Use());
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    const std::vector<uint8_t> codes = rig->Device.ReceivedCodes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), proto::kConnect);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), proto::kConnect), 1)
        << "the connect request goes out once";

    // The disconnect goes out at once, not behind a poll whose reply a loaded machine may delay.
    ASSERT_TRUE(Until([&] { return LinkIdle(); }));
    rig->Device.ClearReceived();
    Main().Dialogs()->fmExit->btnOKClick();
    EXPECT_FALSE(Main().isVisible());
    rig->Main.reset(); // the transport closes here
    // The device may still be reading.
    Until([&] { return std::ranges::count(CodesBesidesLevels(), proto::kDisconnect) > 0; });
    std::vector<uint8_t> after = CodesBesidesLevels();
    std::erase(after, uint8_t(proto::kIdle));
    EXPECT_EQ(after, std::vector<uint8_t>{proto::kDisconnect});
    EXPECT_EQ(CodesBesidesLevels().back(), proto::kDisconnect);
}

TEST_P(OnEachTransport, ExitWithoutTransportSendsNothing)
{
    ASSERT_NO_FATAL_FAILURE(Use());
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    // No poll in flight at the close: what the device gets from here on was sent after it.
    ASSERT_TRUE(Until([&] { return LinkIdle(); }));
    Main().Link().CloseLink();
    ASSERT_EQ(S().Core.OpenTransport(), nullptr);
    rig->Device.ClearReceived();
    Main().Dialogs()->fmExit->btnOKClick();
    rig->Main.reset();
    EXPECT_FALSE(rig->Device.WaitForFrames(1, 1000)) << int(rig->Device.ReceivedCodes().front());
}

// Two rounds of edits to 25 targets queued against a device that answers after 150 ms, then OK in
// the exit dialog, clicked where it is drawn.
class ExitWithEditsQueued : public OnEachTransport
{
  protected:
    void QueueEdits()
    {
        morvex_device::DeviceFaults slow;
        slow.ReplyDelayMs = 150;
        rig->Device.SetFaults(slow);
        for (int round = 0; round < 2; ++round) {
            for (int ch = 0; ch < kChannelCount; ++ch)
                Main().Unit()->SetGain(ch, static_cast<uint16_t>(60 + 30 * round + ch));
            for (int b = 0; b < 16; ++b)
                Main().Unit()->SetGeq(1, b, static_cast<int16_t>(40 * round + b));
        }
        ASSERT_GT(S().QueuedFrames(), 20u);
        // One edit per target, and a level request or an idle poll that may wait among them.
        ASSERT_LE(S().QueuedFrames(), size_t{kChannelCount + 16 + 2});
    }
    // Clicks OK and notes what the dialog shows 100 ms later, while the edits still go out.
    void ClickOk()
    {
        TfmExit& exit = *Main().Dialogs()->fmExit;
        exit.Show();
        ASSERT_TRUE(exit.IsShown());
        QTimer::singleShot(100, [&] {
            shownWhileSending = exit.lbExit->Caption();
            okWhileSending = exit.btnOK->Enabled();
        });
        QWidget* top = exit.btnOK->window();
        QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {},
                          exit.btnOK->mapTo(top, exit.btnOK->rect().center()));
    }
    QString shownWhileSending;
    bool okWhileSending = true;
};

TEST_P(ExitWithEditsQueued, TheyReachTheDeviceBeforeTheDisconnectWhileTheDialogSaysSo)
{
    ASSERT_NO_FATAL_FAILURE(Use());
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    ASSERT_NO_FATAL_FAILURE(QueueEdits());
    const ParamImage want = Main().Unit()->GetImage();
    rig->Device.ClearReceived();
    ASSERT_NO_FATAL_FAILURE(ClickOk());
    EXPECT_FALSE(Main().isVisible());
    EXPECT_EQ(shownWhileSending, u"Sending the last changes to the device...");
    EXPECT_FALSE(okWhileSending);
    // Checked at once: the last edit was answered before the window went.
    const ParamImage got = rig->Device.Image();
    EXPECT_EQ(0, std::memcmp(reinterpret_cast<const uint8_t*>(&want) + 2,
                             reinterpret_cast<const uint8_t*>(&got) + 2, sizeof want - 2))
        << "an edit queued at exit did not reach the device";
    EXPECT_TRUE(std::find(modal.begin(), modal.end(), Main().Dialogs()->fmInformation.get()) == modal.end());
    rig->Main.reset();
    Until([&] { return std::ranges::count(CodesBesidesLevels(), proto::kDisconnect) > 0; }, 5000);
    EXPECT_EQ(CodesBesidesLevels().back(), proto::kDisconnect);
}

TEST_P(ExitWithEditsQueued, ALinkLostMeanwhileEndsTheWaitAndTheWindowSaysTheEditsDidNotReachTheDevice)
{
    ASSERT_NO_FATAL_FAILURE(Use());
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    ASSERT_NO_FATAL_FAILURE(QueueEdits());
    morvex_device::DeviceFaults f = rig->Device.Faults();
    f.DropAfter = rig->Device.LinkFrames() + 4;
    rig->Device.SetFaults(f);
    modal.clear();
    QElapsedTimer waited;
    waited.start();
    ASSERT_NO_FATAL_FAILURE(ClickOk());
    // The end of the link is seen at once (a closed socket, a hung-up pty, a HID read at its end),
    // not after every queued frame's retries.
    EXPECT_LT(waited.elapsed(), 15000);
    EXPECT_FALSE(Main().isVisible());
    EXPECT_FALSE(S().LinkOpen());
    EXPECT_EQ(Message(), u"The link was lost: the last changes did not reach the device.");
    EXPECT_EQ(modal, std::vector<TDialogForm*>{Main().Dialogs()->fmInformation.get()})
        << "the message alone, no scan dialog";
}

INSTANTIATE_TEST_SUITE_P(
    , ExitWithEditsQueued, ::testing::Values(Via::Tcp, Via::Pty, Via::Hid), [](const auto& info) {
        return std::string(info.param == Via::Tcp ? "Tcp" : info.param == Via::Pty ? "Pty" : "Hid");
    });

INSTANTIATE_TEST_SUITE_P(
    , OnEachTransport, ::testing::Values(Via::Tcp, Via::Pty, Via::Hid), [](const auto& info) {
        return std::string(info.param == Via::Tcp ? "Tcp" : info.param == Via::Pty ? "Pty" : "Hid");
    });

// ---- the page switch's grace time-out on RS-232 ----

struct GraceCase {
    const char* name;
    Via via;
    std::vector<const char*> clicks; // page buttons clicked right after the link opens
    int writes;                      // times the unanswered connect request is written
};

void PrintTo(const GraceCase& c, std::ostream* os)
{
    *os << c.name;
}

class PageSwitchGrace : public OnDevice, public ::testing::WithParamInterface<GraceCase>
{
};

// The device never answers: the connect request is written once, then again at each time-out until
// the retries are spent. A grace time-out writes it once more without spending a retry.
TEST_P(PageSwitchGrace, GrantsOneResendOnSerialLinksOnly)
{
    morvex_device::DeviceFaults silent;
    silent.SilentAfter = 0;
    rig->Device.SetFaults(silent);
    S().LinkTimeoutFloorMs = 0;
    S().ConnectTiming.ComTimeoutMs = 300;
    S().ConnectTiming.NetTimeoutMs = 300;
    S().ConnectTiming.Retries = 3;
    if (GetParam().via == Via::Pty) {
        ASSERT_TRUE(rig->Device.StartPty());
        ASSERT_TRUE(S().OpenCom(rig->Device.PtyPath()));
    } else {
        ASSERT_TRUE(rig->Device.StartTcp(0));
        LClientSocket& socket = S().Core.ClientSocket;
        socket.Address = "127.0.0.1";
        socket.Port = rig->Device.Port();
        socket.SetActive(true);
        ASSERT_TRUE(Until([&] { return socket.Connected(); }));
        ASSERT_TRUE(S().OpenNet());
    }
    for (const char* name : GetParam().clicks)
        Main().rzbMenuInAClick(Main().Get<sk::TSkBmpButton>(QString::fromLatin1(name)));
    ASSERT_TRUE(Until([&] { return !S().LinkOpen(); }));
    rig->Device.WaitForFrames(std::size_t(GetParam().writes), 2000); // the device may still be reading
    const std::vector<uint8_t> codes = rig->Device.ReceivedCodes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), proto::kConnect), GetParam().writes);
    EXPECT_EQ(codes.size(), std::size_t(GetParam().writes));
}

INSTANTIATE_TEST_SUITE_P(
    , PageSwitchGrace,
    ::testing::Values(GraceCase{"PtyNoSwitch", Via::Pty, {}, 4},
                      GraceCase{"PtySwitch", Via::Pty, {"rzbMenuInA"}, 5},
                      GraceCase{"PtyTwoSwitchesStillOne", Via::Pty, {"rzbMenuInA", "rzbMenuOut1"}, 5},
                      GraceCase{"PtyPageShownClicked", Via::Pty, {"rzbMenuGain"}, 4},
                      GraceCase{"TcpSwitch", Via::Tcp, {"rzbMenuInA"}, 4}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- factory default ----

TEST_F(OnDevice, FactoryDefaultResetsTheDeviceAndTheWindowReadsItBack)
{
    ParamImage image = rig->Device.Image();
    image.outputs[2].gain = 77;
    image.inputs[1].delay = 480;
    rig->Device.SetImage(image);
    UsePty();
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    ASSERT_EQ(Main().Unit()->GetGain(5), 77);
    TfmFactory& factory = *Main().Dialogs()->fmFactory;

    // Cancel sends nothing.
    modal.clear();
    Main().MenuItem(QStringLiteral("FactoryDefault"))->trigger();
    ASSERT_EQ(modal, std::vector<TDialogForm*>{&factory});
    rig->Device.ClearReceived();
    factory.bnCancel->Click();
    Until([] { return false; }, 200);
    EXPECT_TRUE(CodesBesidesPolls().empty());

    modal.clear();
    Main().MenuItem(QStringLiteral("FactoryDefault"))->trigger();
    ASSERT_EQ(modal, std::vector<TDialogForm*>{&factory});
    factory.btnOK->Click();
    EXPECT_FALSE(factory.IsShown());
    EXPECT_EQ(S().Machine.ProcessState(), PS_FACTORY);
    EXPECT_FALSE(Main().View().LevelPollOn()) << "no level request while the device resets";
    EXPECT_EQ(S().Core.OpenTransport()->Timeout(), 10000);
    ASSERT_TRUE(Until([&] { return CodesBesidesPolls().size() >= 2; }));
    ASSERT_TRUE(Until([&] {
        return S().Machine.ProcessState() == PS_IDLE && !S().Machine.Busy() && Main().View().LevelPollOn() &&
               Main().Unit()->GetGain(5) != 77;
    }));
    const std::vector<uint8_t> codes = CodesBesidesPolls();
    EXPECT_EQ(std::vector<uint8_t>(codes.begin(), codes.begin() + 2),
              (std::vector<uint8_t>{proto::kFactory, proto::kParamDump}))
        << "the factory default, then the full read";
    EXPECT_EQ(std::count(codes.begin(), codes.end(), proto::kFactory), 1);
    EXPECT_TRUE(rig->DeviceMatchesModel());
    EXPECT_EQ(rig->Device.Image().outputs[2].gain, morvex_device::DefaultImage().outputs[2].gain);

    // Every control shows what a window shows for the factory set.
    TfmMain expected;
    const ParamImage defaults = morvex_device::DefaultImage();
    std::vector<uint8_t> stream(reinterpret_cast<const uint8_t*>(&defaults) + 2,
                                reinterpret_cast<const uint8_t*>(&defaults) + 2 + 1068);
    expected.Unit()->LoadStream(stream);
    expected.View().ShowAllParams();
    const Captions shown = CaptionsOf(Main());
    for (const auto& [name, caption] : CaptionsOf(expected)) {
        if (name == u"lbPstNum" || name == u"rzbMenuLink" || name == u"lbInterface" || name == u"lbPstName")
            continue;
        EXPECT_EQ(shown.at(name), caption) << name.toStdString();
    }
    expected.SetExitConfirmed(true);
}

TEST_F(OnDevice, FactoryDefaultOfflineAsksToConnectFirst)
{
    modal.clear();
    Main().MenuItem(QStringLiteral("FactoryDefault"))->trigger();
    EXPECT_EQ(modal, std::vector<TDialogForm*>{Main().Dialogs()->fmInformation.get()});
    EXPECT_EQ(Message(), u"No device connected !!");
    EXPECT_FALSE(Main().Dialogs()->fmFactory->IsShown());
}

// ---- a link lost in the middle of a unit file transfer ----

class DroppedTransfer : public OnDevice, public ::testing::WithParamInterface<bool>
{
};

TEST_P(DroppedTransfer, LeavesNoPartialFileAndReportsTheLoss)
{
    const bool upload = GetParam();
    UseTcp();
    rig->Device.WithState([](morvex_device::DeviceState& s) {
        ParamImage a = s.Image();
        a.outputs[0].gain = 11;
        s.StorePreset(2, a);
        s.StorePreset(5, a);
    });
    Main().Link().rzbMenuLinkClick();
    ASSERT_TRUE(ReadDone());
    const auto unit = dir / "unit.unt";
    if (!upload) {
        // A whole unit file to send.
        chosen = (dir / "unit").string();
        Main().UploadClick();
        ASSERT_TRUE(Until([&] {
            return std::filesystem::exists(unit) && !S().Machine.Busy() && Main().View().LevelPollOn();
        }));
        ASSERT_EQ(std::filesystem::file_size(unit), 21674u);
    }
    const auto read = [](const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    };
    const std::vector<char> before = upload ? std::vector<char>() : read(unit);

    morvex_device::DeviceFaults drop;
    drop.DropAfter = rig->Device.LinkFrames() + 6; // a few frames into the transfer
    rig->Device.SetFaults(drop);
    modal.clear();
    chosen = upload ? (dir / "unit").string() : unit.string();
    if (upload)
        Main().UploadClick();
    else
        Main().DownloadClick();
    ASSERT_TRUE(Until([&] { return !S().LinkOpen(); }));
    Until([] { return false; }, 600); // longer than the save step's delay after a finished upload
    EXPECT_FALSE(Main().Dialogs()->fmProcess->IsShown());
    EXPECT_FALSE(S().Machine.Busy());
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_EQ(scan->lblScan->Caption(), u"Link Broken");
    EXPECT_TRUE(scan->IsShown());
    EXPECT_FALSE(Main().Link().Online());
    if (upload) {
        EXPECT_TRUE(std::filesystem::is_empty(dir)) << "no unit file, whole or partial";
    } else {
        EXPECT_EQ(read(unit), before) << "the unit file sent is left as it was";
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(, DroppedTransfer, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Upload" : "Download"); });

} // namespace
