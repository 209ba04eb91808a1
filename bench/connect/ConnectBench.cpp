// Start to online from the main window against the test device over loopback TCP: the link button's
// scan, the connect handshake, the full read and the refresh of every page. Prints the time and the
// frames the device received against the protocol's minimum for a connect with full read.
#include "app/main/LinkController.h"
#include "app/main/MainSessionView.h"
#include <benchmark/benchmark.h>

#include "WindowOnDevice.h"
#include "app/dialogs/ScanDialog.h"

namespace
{

// 16, 19, 44, 34, 20, the 20 names, the 22 blocks, 18.
constexpr int kReadMinimum = 3 + 2 + 20 + 22 + 1;

// The window and the test device on loopback, modal runs returning at once.
struct BenchWindow {
    BenchWindow()
    {
        testapp::EnsureApp();
        app::TDialogForm::ModalRunner = [](app::TDialogForm*) {};
        Rig = std::make_unique<testapp::WindowOnDevice>();
        Rig->Device.StartTcp(0);
        Rig->Main->Link().StartLink(nullptr, false);
        Rig->Main->Session().Core.ClientSocket.Port = Rig->Device.Port();
    }
    ~BenchWindow()
    {
        Rig.reset();
        app::TDialogForm::ModalRunner = nullptr;
    }
    std::unique_ptr<testapp::WindowOnDevice> Rig;
};

void BM_StartToOnline(benchmark::State& state)
{
    BenchWindow bench;
    app::TfmMain& main = *bench.Rig->Main;
    testapp::WindowOnDevice& rig = *bench.Rig;
    main.Link().LinkDialogs().fmNetwork->PortLister = [] { return std::vector<platform::SerialPortEntry>{}; };
    main.Link().SetNetAddress(0x7F000001);
    LLinkSession& s = main.Session();
    size_t frames = 0, maxFrames = 0;
    for (auto _ : state) {
        rig.Device.ClearReceived();
        main.Link().rzbMenuLinkClick();
        const bool ok = testapp::WindowOnDevice::Until(
            [&] { return s.Machine.Online() && !s.Machine.Busy() && main.View().LevelPollOn(); }, 20000);
        state.PauseTiming();
        if (!ok) {
            state.SkipWithError("no full read");
            break;
        }
        // Frames up to the end of the read (the level poll follows it).
        const std::vector<uint8_t> codes = rig.Device.ReceivedCodes();
        size_t n = 0;
        for (uint8_t c : codes) {
            ++n;
            if (c == 18)
                break;
        }
        frames += n;
        maxFrames = std::max(maxFrames, n);
        main.Link().CloseLink();
        s.Core.ClientSocket.SetActive(false);
        testapp::WindowOnDevice::Until([&] { return !s.Core.ClientSocket.Active(); }, 1000);
        state.ResumeTiming();
    }
    state.counters["frames"] = benchmark::Counter(double(frames), benchmark::Counter::kAvgIterations);
    state.counters["max_frames"] = double(maxFrames);
    state.counters["minimum"] = kReadMinimum;
}
BENCHMARK(BM_StartToOnline)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the scan's fixed step before its first attempt: from the open of a connected
// socket's link to online.
void BM_OpenToOnline(benchmark::State& state)
{
    BenchWindow bench;
    app::TfmMain& main = *bench.Rig->Main;
    LLinkSession& s = main.Session();
    s.Core.ClientSocket.Address = "127.0.0.1";
    for (auto _ : state) {
        state.PauseTiming();
        s.Core.ClientSocket.SetActive(true);
        testapp::WindowOnDevice::Until([&] { return s.Core.ClientSocket.Connected(); }, 5000);
        state.ResumeTiming();
        main.Link().OpenNetLink();
        if (!testapp::WindowOnDevice::Until(
                [&] { return s.Machine.Online() && !s.Machine.Busy() && main.View().LevelPollOn(); },
                20000)) {
            state.SkipWithError("no full read");
            break;
        }
        state.PauseTiming();
        main.Link().CloseLink();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenToOnline)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
