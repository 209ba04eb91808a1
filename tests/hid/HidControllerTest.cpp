#include <gtest/gtest.h>

#include <poll.h>

#include <atomic>
#include <cerrno>
#include <memory>
#include <thread>

#include "FakeHidBackend.h"
#include "TestDevice.h"
#include "link/HxHidController.h"
#include "link/LLinkCore.h"
#include "support/TestApp.h"

using testapp::EnsureCoreApp;
using testapp::PumpFor;
using testapp::PumpUntil;
using testapp::SleepUntil;

namespace
{

class Controller : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureCoreApp();
        Backend = std::make_shared<FakeHidBackend>();
    }
    void Make()
    {
        Ctl = std::make_unique<THxHidDeviceController>(Backend);
        Ctl->SetOnDeviceChange({[this](THxHidDeviceController*) { ++Changes; }, 1});
    }
    void FirstScan()
    {
        ASSERT_TRUE(PumpUntil([&] { return Changes > 0; }, 1000));
    }

    std::shared_ptr<FakeHidBackend> Backend;
    std::unique_ptr<THxHidDeviceController> Ctl;
    int Changes = 0;
};

TEST_F(Controller, FirstScanReportsOneChangeAndLaterScansOnlyRealChanges)
{
    Make();
    FirstScan();
    PumpFor(10);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Ctl->Enumerate(), 0);
    Ctl->EventPipe(0); // a notice with nothing changed
    EXPECT_EQ(Changes, 1);
    Backend->Add(0x1209, 0x7E5A);
    Ctl->EventPipe(0);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Ctl->NumCheckedInDevices(), 1);
}

TEST_F(Controller, DirectScanBeforeAnyNoticeReportsAChange)
{
    Make();
    FirstScan();
    Ctl->DeviceChange(); // the first notice's -1 is still stored
    EXPECT_EQ(Changes, 2);
}

TEST_F(Controller, EnumerateCountsVisitedDevices)
{
    Backend->Add(1, 1);
    Backend->Add(1, 2);
    Backend->Add(1, 3);
    Make();
    FirstScan();
    struct Case {
        const char* name;
        bool handler;
        int stopAt; // the handler returns false at this visit (0-based), -1 never
        int want;
    } cases[] = {{"no handler", false, -1, 1}, {"false on the second", true, 1, 2}, {"all", true, -1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int visits = 0;
        Ctl->OnEnumerate = {};
        if (c.handler)
            Ctl->OnEnumerate = {[&](THxHidDevice*, int32_t) { return visits++ != c.stopAt; }, 2};
        EXPECT_EQ(Ctl->Enumerate(), c.want);
    }
}

TEST_F(Controller, CheckOutRules)
{
    Backend->Add(0x1209, 0x0001);
    Backend->Add(0x1209, 0x7E5A);
    Make();
    FirstScan();
    THxHidDevice* d = reinterpret_cast<THxHidDevice*>(1);
    EXPECT_FALSE(Ctl->CheckOutByIndex(d, -1));
    EXPECT_EQ(d, nullptr);
    EXPECT_FALSE(Ctl->CheckOutByIndex(d, 2));
    ASSERT_TRUE(Ctl->CheckOutByID(d, 0x1209, -1));
    EXPECT_EQ(d->Attributes().ProductID, 0x0001);
    THxHidDevice* again = nullptr;
    EXPECT_FALSE(Ctl->CheckOutByIndex(again, 0));
    EXPECT_EQ(Ctl->NumCheckedOutDevices(), 1);
    EXPECT_EQ(Ctl->NumCheckedInDevices(), 1);
    EXPECT_EQ(Ctl->CountByID(0x1209, -1), 2);
    EXPECT_EQ(Ctl->CountByID(0x1209, 0x7E5A), 1);
    Ctl->CheckIn(d);
    EXPECT_EQ(d, nullptr);
    EXPECT_EQ(Ctl->NumCheckedInDevices(), 2);
    EXPECT_FALSE(Ctl->CheckOutByClass(d, ""));
    EXPECT_TRUE(Ctl->CheckOutByClass(d, "HIDClass"));
    Ctl->CheckIn(d);
}

TEST_F(Controller, UnpluggedCheckedOutDeviceStaysUntilCheckedIn)
{
    std::string a = Backend->Add(1, 1);
    Backend->Add(1, 2);
    Make();
    std::vector<std::string> events;
    Ctl->SetOnDeviceUnplug({[&](THxHidDevice*) { events.push_back("unplug"); }, 3});
    Ctl->OnRemoval = {[&](THxHidDevice*) { events.push_back("removal"); }, 4};
    FirstScan();
    THxHidDevice* d = nullptr;
    ASSERT_TRUE(Ctl->CheckOutByIndex(d, 0));
    Backend->Unplug(a);
    Ctl->EventPipe(0);
    EXPECT_EQ(events, (std::vector<std::string>{"unplug", "removal"}));
    EXPECT_EQ(Ctl->Devices().size(), 2u);
    EXPECT_EQ(Ctl->NumUnpluggedDevices(), 1);
    EXPECT_EQ(Ctl->NumCheckedOutDevices(), 0);
    int seen = -1;
    Ctl->OnEnumerate = {[&](THxHidDevice*, int32_t idx) {
                            seen = idx;
                            return true;
                        },
                        5};
    EXPECT_EQ(Ctl->Enumerate(), 1);
    EXPECT_EQ(seen, 1);
    Ctl->CheckIn(d);
    EXPECT_EQ(Ctl->Devices().size(), 1u);
    EXPECT_EQ(Ctl->NumUnpluggedDevices(), 0);
    Ctl->Enumerate();
    EXPECT_EQ(seen, 0); // positions shifted
}

TEST_F(Controller, UnplugHandlerThatChecksInDuringTheScan)
{
    std::string a = Backend->Add(1, 1);
    Make();
    THxHidDevice* held = nullptr;
    Ctl->SetOnDeviceUnplug({[&](THxHidDevice*) { Ctl->CheckIn(held); }, 6});
    FirstScan();
    ASSERT_TRUE(Ctl->CheckOut(held));
    Backend->Unplug(a);
    Ctl->EventPipe(0);
    EXPECT_TRUE(Ctl->Devices().empty());
    EXPECT_EQ(held, nullptr);
}

TEST_F(Controller, InertWhenTheServicesAreMissing)
{
    Backend->BindResult = false;
    Backend->Add(1, 1);
    Make();
    PumpFor(20);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Ctl->Enumerate(), 0);
    THxHidDevice* d = nullptr;
    EXPECT_FALSE(Ctl->CheckOut(d));
}

TEST_F(Controller, ANoticeDuringAHandlerIsNotHandledButADirectScanIs)
{
    Make();
    FirstScan();
    Ctl->EventPipe(0); // the first notice's -1 is gone: a scan without change raises nothing
    bool nest = false;
    Ctl->SetOnDeviceChange({[&](THxHidDeviceController*) {
                                ++Changes;
                                if (!nest)
                                    return;
                                nest = false;
                                Backend->Add(1, 2);
                                Ctl->EventPipe(0); // ignored while this notice is handled
                            },
                            11});
    const int before = Changes;
    Backend->Add(1, 1);
    nest = true;
    Ctl->EventPipe(0);
    EXPECT_EQ(Changes, before + 1);
    EXPECT_EQ(Ctl->Devices().size(), 1u);
    Ctl->DeviceChange(); // direct calls are not guarded
    EXPECT_EQ(Changes, before + 2);
    EXPECT_EQ(Ctl->Devices().size(), 2u);
}

TEST_F(Controller, UnpluggedFreeDeviceLeavesAndPositionsShift)
{
    std::string a = Backend->Add(1, 1);
    Backend->Add(1, 2);
    Make();
    FirstScan();
    Backend->Unplug(a);
    Ctl->EventPipe(0);
    ASSERT_EQ(Ctl->Devices().size(), 1u);
    EXPECT_EQ(Ctl->NumUnpluggedDevices(), 0);
    std::vector<std::pair<int, int>> seen; // position, product id
    Ctl->OnEnumerate = {[&](THxHidDevice* d, int32_t idx) {
                            seen.emplace_back(idx, d->Attributes().ProductID);
                            return true;
                        },
                        14};
    EXPECT_EQ(Ctl->Enumerate(), 1);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 2}}));
}

TEST_F(Controller, AReadThatCannotStartIsReportedAsADataError)
{
    std::string a = Backend->Add(1, 1);
    Make();
    std::vector<uint32_t> errors;
    Ctl->SetOnDeviceDataError({[&](THxHidDevice*, uint32_t e) { errors.push_back(e); }, 15});
    Ctl->SetOnDeviceData({[](THxHidDevice*, uint8_t, const uint8_t*, uint16_t) {}, 16});
    FirstScan();
    THxHidDevice* d = nullptr;
    ASSERT_TRUE(Ctl->CheckOut(d));
    d->SetThreadSleepTime(10);
    EXPECT_TRUE(errors.empty());
    Backend->Unplug(a);
    Ctl->EventPipe(0);
    ASSERT_TRUE(PumpUntil([&] { return errors.size() >= 2; })); // reported and tried again
    EXPECT_EQ(errors[0], static_cast<uint32_t>(ENODEV));
    Ctl->SetOnDeviceData({});
    Ctl->CheckIn(d);
}

TEST_F(Controller, RefusedNamesStayEmptyAndAreAskedForAgain)
{
    Backend->Add(1, 1);
    Make();
    FirstScan();
    THxHidDevice* d = nullptr;
    ASSERT_TRUE(Ctl->CheckOut(d));
    const int before = Backend->StringReads;
    EXPECT_EQ(d->VendorName(), "");
    EXPECT_EQ(d->VendorName(), "");
    EXPECT_EQ(Backend->StringReads, before + 2);
    EXPECT_EQ(d->ProductName(), "Morvex");
    EXPECT_EQ(d->ProductName(), "Morvex");
    EXPECT_EQ(Backend->StringReads, before + 3); // a name once given is kept
    Ctl->CheckIn(d);
}

TEST_F(Controller, DevicesThatCannotBeOpenedOrOnlyWithoutAccess)
{
    std::string shut = Backend->Add(1, 1);
    Backend->Get(shut).Openable = false;
    std::string readOnly = Backend->Add(1, 2);
    Backend->Get(readOnly).ReadWrite = false;
    Make();
    Ctl->SetOnDeviceData({[](THxHidDevice*, uint8_t, const uint8_t*, uint16_t) {}, 12});
    FirstScan();
    ASSERT_EQ(Ctl->Devices().size(), 1u); // the one that cannot be opened is left out
    THxHidDevice* d = nullptr;
    ASSERT_TRUE(Ctl->CheckOut(d));
    EXPECT_EQ(d->Attributes().ProductID, 2);
    EXPECT_FALSE(d->HasReadWriteAccess());
    EXPECT_FALSE(d->HasReadThread());
    const uint8_t out[65] = {};
    uint32_t written = 0;
    EXPECT_FALSE(d->WriteFile(out, sizeof out, written));
    Ctl->CheckIn(d);
}

TEST_F(Controller, AssigningTheDataHandlerStartsAndStopsTheReadThread)
{
    Backend->Add(1, 1);
    Make();
    FirstScan();
    THxHidDevice* d = nullptr;
    ASSERT_TRUE(Ctl->CheckOut(d));
    EXPECT_FALSE(d->HasReadThread());
    d->SetDataEvent({[](THxHidDevice*, uint8_t, const uint8_t*, uint16_t) {}, 13});
    EXPECT_TRUE(d->HasReadThread());
    d->SetDataEvent({});
    EXPECT_FALSE(d->HasReadThread());
    Ctl->CheckIn(d);
}

TEST_F(Controller, VersionAndSleepTimes)
{
    Backend->Add(1, 1);
    Make();
    FirstScan();
    Ctl->SetVersion("2.0");
    EXPECT_EQ(Ctl->Version(), "1.0.34");
    Ctl->SetDevThreadSleepTime(5);
    EXPECT_EQ(Ctl->DevThreadSleepTime(), 5);
    THxHidDevice* d = Ctl->Devices()[0];
    EXPECT_EQ(d->ThreadSleepTime(), 100);
    for (int v : {9, 10001}) {
        d->SetThreadSleepTime(v);
        EXPECT_EQ(d->ThreadSleepTime(), 100);
    }
    for (int v : {10, 10000}) {
        d->SetThreadSleepTime(v);
        EXPECT_EQ(d->ThreadSleepTime(), v);
    }
    EXPECT_EQ(HidErrorString(0xC0110020), "HID Error: not implemented");
    EXPECT_EQ(HidErrorString(0xC0110099), "HID Error: unknown HID error c0110099");
    EXPECT_EQ(HidErrorString(0x00110000), "");
    EXPECT_THROW(HidCheck(0x80110001), EHidClientError);
}

TEST_F(Controller, ReadThreadHandsReportsOverAndBacksOffWhenUnplugged)
{
    std::string a = Backend->Add(1, 1, 9, 9);
    Make();
    std::vector<BSTM> reports;
    Ctl->SetOnDeviceData({[&](THxHidDevice*, uint8_t id, const uint8_t* data, uint16_t size) {
                              BSTM r{id};
                              r.insert(r.end(), data, data + size);
                              reports.push_back(r);
                          },
                          7});
    FirstScan();
    THxHidDevice* d = nullptr;
    ASSERT_TRUE(Ctl->CheckOut(d));
    EXPECT_TRUE(d->HasReadThread());
    d->SetThreadSleepTime(20);
    const uint8_t in[8] = {0x10, 0x02, 0x01, 0x00, 0x01, 0x10, 0x10, 0x03};
    ASSERT_EQ(::write(Backend->Get(a).Peer.Get(), in, 8), 8);
    ASSERT_TRUE(PumpUntil([&] { return reports.size() == 1; }));
    EXPECT_EQ(reports[0], (BSTM{0x00, 0x10, 0x02, 0x01, 0x00, 0x01, 0x10, 0x10, 0x03})); // id 0 in front

    // Output report: id 0, then the data, as written.
    const uint8_t out[9] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    uint32_t written = 0;
    ASSERT_TRUE(d->WriteFile(out, 9, written));
    uint8_t got[16];
    EXPECT_EQ(::read(Backend->Get(a).Peer.Get(), got, sizeof got), 9);

    Backend->Unplug(a);
    Ctl->EventPipe(0);
    PumpFor(200);
    // Backed off by the sleep slice: a handful of attempts, not a spin.
    EXPECT_LE(d->FailedReadStarts(), 20u);
    Ctl->SetOnDeviceData({});
    Ctl->CheckIn(d);
}

// A report the handler holds stays with the read thread, which reads nothing further until it is
// resumed and then hands the same report over again; taking the handler away or an unplug ends the
// wait instead.
TEST_F(Controller, AHeldReportComesAgainOnResumeAndNothingIsReadMeanwhile)
{
    enum class End { Resume, HandlerRemoved, Unplug };
    for (End end : {End::Resume, End::HandlerRemoved, End::Unplug}) {
        SCOPED_TRACE(static_cast<int>(end));
        Backend = std::make_shared<FakeHidBackend>();
        Changes = 0;
        std::string a = Backend->Add(1, 1, 9, 9);
        Make();
        std::vector<uint8_t> seen; // the first byte of each report handed over
        bool hold = true;
        Ctl->SetOnDeviceData({[&](THxHidDevice* dev, uint8_t, const uint8_t* data, uint16_t) {
                                  seen.push_back(data[0]);
                                  if (hold)
                                      dev->HoldReport();
                              },
                              7});
        FirstScan();
        THxHidDevice* d = nullptr;
        ASSERT_TRUE(Ctl->CheckOut(d));
        d->SetThreadSleepTime(20);
        for (uint8_t first : {1, 2}) {
            const uint8_t in[8] = {first, 0, 0, 0, 0, 0, 0, 0};
            ASSERT_EQ(::write(Backend->Get(a).Peer.Get(), in, 8), 8);
        }
        ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
        PumpFor(100);
        EXPECT_EQ(seen, (std::vector<uint8_t>{1})) << "read on while a report was held";
        switch (end) {
        case End::Resume:
            hold = false;
            d->ResumeReading();
            EXPECT_TRUE(PumpUntil([&] { return seen.size() == 3; }));
            EXPECT_EQ(seen, (std::vector<uint8_t>{1, 1, 2}));
            break;
        case End::HandlerRemoved:
            Ctl->SetOnDeviceData({}); // joins the read thread
            EXPECT_FALSE(d->HasReadThread());
            break;
        case End::Unplug:
            Backend->Unplug(a);
            Ctl->EventPipe(0);
            EXPECT_TRUE(PumpUntil([&] { return d->FailedReadStarts() > 0; })) << "still waiting";
            break;
        }
        Ctl->SetOnDeviceData({});
        Ctl->CheckIn(d);
        Ctl.reset();
    }
}

TEST_F(Controller, DestroyingACheckedOutDeviceLeavesAFreeOneInItsPlace)
{
    Backend->Add(1, 1);
    Backend->Add(1, 2);
    Make();
    FirstScan();
    THxHidDevice* d = nullptr;
    ASSERT_TRUE(Ctl->CheckOutByIndex(d, 1));
    delete d;
    ASSERT_EQ(Ctl->Devices().size(), 2u);
    EXPECT_FALSE(Ctl->Devices()[1]->IsCheckedOut());
    EXPECT_EQ(Ctl->Devices()[1]->Attributes().ProductID, 2);
    EXPECT_EQ(Ctl->NumCheckedInDevices(), 2);
}

TEST_F(Controller, DestroyingTheControllerEndsTheReadThreadOfALentDevice)
{
    Backend->Add(1, 1);
    Make();
    Ctl->SetOnDeviceData({[](THxHidDevice*, uint8_t, const uint8_t*, uint16_t) {}, 8});
    int unplugs = 0;
    Ctl->SetOnDeviceUnplug({[&](THxHidDevice*) { ++unplugs; }, 9}); // keeps the device
    FirstScan();
    THxHidDevice* d = nullptr;
    ASSERT_TRUE(Ctl->CheckOut(d));
    d->SetThreadSleepTime(10);
    ASSERT_TRUE(d->HasReadThread());
    Ctl.reset();
    // The device outlives the controller; its thread must no longer hand anything over.
    EXPECT_EQ(unplugs, 1);
    EXPECT_FALSE(d->IsPluggedIn());
    EXPECT_FALSE(d->HasReadThread());
    PumpFor(50);
    delete d;
}

// The unplug notice closes the device's handles on the UI thread while the USB worker
// writes through it; the link core takes the device away in the unplug handler.
TEST(UsbLink, UnplugWhileTheWorkerWritesNeverOverlapsTheWrite)
{
    EnsureCoreApp();
    auto backend = std::make_shared<FakeHidBackend>();
    std::string id = backend->Add(kMorvexUsbVendorId, kMorvexUsbProductId);
    LLinkCore core;
    THxHidDeviceController ctl(backend);
    ctl.SetOnDeviceUnplug({[&](THxHidDevice*) {
                               THxHidDevice* t = core.TakeHidDevice();
                               ctl.CheckIn(t);
                           },
                           1});
    ctl.SetOnDeviceChange({[](THxHidDeviceController*) {}, 2});
    ASSERT_TRUE(PumpUntil([&] { return ctl.Devices().size() == 1; }));
    THxHidDevice* d = nullptr;
    ASSERT_TRUE(ctl.CheckOut(d));
    core.SetHidDevice(d);
    ASSERT_TRUE(core.OpenUsbTransport());
    const BSTM frame = BuildFrame(CM_MCS_CMD(1, 16));
    std::atomic<bool> stop{false};
    std::atomic<int> writes{0};
    std::thread writer([&] {
        while (!stop) {
            core.UsbWrite(frame.data(), static_cast<int>(frame.size()));
            ++writes;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const bool writingBefore = SleepUntil([&] { return writes >= 20; }, 10000);
    backend->Unplug(id);
    ctl.EventPipe(0);
    int after = writes;
    const bool writingAfter = SleepUntil([&] { return writes >= after + 20; }, 10000);
    stop = true;
    writer.join();
    EXPECT_TRUE(writingBefore);
    EXPECT_TRUE(writingAfter);
    EXPECT_EQ(core.HidDevice(), nullptr);
    EXPECT_TRUE(ctl.Devices().empty());
    core.CloseAllTransports();
}

TEST(UsbLink, RoundTripOverAHidReportPair)
{
    EnsureCoreApp();
    morvex_device::TestDevice device;
    int fd = device.StartHidPair(65);
    ASSERT_GE(fd, 0);
    auto backend = std::make_shared<FakeHidBackend>();
    backend->AddWithFd(kMorvexUsbVendorId, kMorvexUsbProductId, fd, 65);
    LLinkCore core;
    THxHidDeviceController ctl(backend);
    ctl.SetOnDeviceData({[&](THxHidDevice* d, uint8_t id, const uint8_t* data, uint16_t size) {
                             core.HidCtlDeviceData(d, id, data, size);
                         },
                         1});
    ctl.OnEnumerate = {[&](THxHidDevice* d, int32_t idx) {
                           THxHidDevice* got = nullptr;
                           if (d->Attributes().VendorID == kMorvexUsbVendorId &&
                               ctl.CheckOutByIndex(got, idx))
                               core.SetHidDevice(got);
                           return true;
                       },
                       2};
    ctl.SetOnDeviceChange({[&](THxHidDeviceController*) { ctl.Enumerate(); }, 3});
    ASSERT_TRUE(PumpUntil([&] { return core.HidDevice() != nullptr; }));
    std::vector<BSTM> frames;
    std::vector<std::string> log;
    core.OnFrame = [&](const BSTM& f, uint32_t, uint8_t) { frames.push_back(f); };
    core.OnLogLine = [&](const std::string& l) { log.push_back(l); };
    core.SetLogVisible(true);
    ASSERT_TRUE(core.OpenUsbTransport());
    core.SetLinkTimeout(2000);
    core.SendCommand(CM_MCS_CMD(1, 16), true);
    core.SendCommand(CM_MCS_CMD(1, 19), true);
    ASSERT_TRUE(PumpUntil([&] { return frames.size() == 2; }));
    EXPECT_EQ(LCmd(frames[1]).GetCode(), 19);
    ASSERT_TRUE(PumpUntil([&] { return log.size() >= 4; }));
    EXPECT_EQ(log[0], "USB W 00  10 02 00 01 01 10 10 03 11 ");
    EXPECT_EQ(log[1].rfind("USB R 00  10 02 01 ", 0), 0u);
    THxHidDevice* d = core.TakeHidDevice();
    core.CloseAllTransports();
    ctl.CheckIn(d);
    device.Stop();
}

} // namespace
