// Connect with full read, unit upload and unit download of 20 presets against the test device
// over loopback TCP through the link core: time, frames sent, and frames over the protocol's minimum.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>

#include "SyncRig.h"
#include "TestDevice.h"
#include "link/LLinkCore.h"

namespace {

QCoreApplication& App()
{
    static int argc = 1;
    static char name[] = "bench-sync";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// The application exists before the link core's sockets.
struct AppFirst {
    AppFirst() { App(); }
};

class BenchRig : private AppFirst, public SyncRig {
public:
    BenchRig()
    {
        App();
        Core.OnFrame = [this](const BSTM& f, uint32_t) { Machine.DispatchReply(f); };
        Core.OnLinkLost = [this](int, int) {
            Core.CloseAllTransports();
            FLinkOpen = false;
            Machine.OnLinkClosed(true);
        };
    }
    ~BenchRig() override
    {
        Core.CloseAllTransports();
        Core.ClientSocket.SetActive(false);
    }
    bool Open(uint16_t port)
    {
        Core.ClientSocket.Address = "127.0.0.1";
        Core.ClientSocket.Port = port;
        Core.ClientSocket.SetActive(true);
        if (!PumpUntil([&] { return Core.ClientSocket.Connected(); }, 3000) || !Core.OpenNetTransport())
            return false;
        FLinkOpen = true;
        LevelPoll = false;
        Machine.OnLinkOpened();
        Core.SetLinkTimeout(2000);
        SendCommand(CM_MCS_CMD(1, 16), true);
        return true;
    }
    bool Idle(int timeoutMs = 20000)
    {
        // The read is over when it has restarted the level poll.
        return PumpUntil([&] { return !FLinkOpen || (Machine.Online() && !Machine.Busy() && LevelPoll); },
                         timeoutMs) &&
               FLinkOpen;
    }
    void SendCommand(const LCmd& cmd, bool noCoalesce) override
    {
        if (!FLinkOpen)
            return;
        FSent.push_back(BuildFrame(cmd, 1));
        Core.SendCommand(cmd, noCoalesce);
    }
    void StartTimer(LSyncTimer timer, int ms) override
    {
        auto& t = FTimers[timer];
        t = std::make_unique<QTimer>();
        t->setSingleShot(true);
        QObject::connect(t.get(), &QTimer::timeout, t.get(), [this, timer] { Machine.OnTimer(timer); });
        t->start(ms);
    }
    void StopTimer(LSyncTimer timer) override
    {
        if (FTimers[timer])
            FTimers[timer]->stop();
    }
    void SetLinkTimeout(int ms) override { Core.SetLinkTimeout(ms); }
    void SetLinkRetries(int n) override { Core.SetLinkRetries(n); }
    void SuspendLinkPoll(bool f) override { Core.SuspendLinkPoll(true || f); }  // no idle polls in the count
    void CloseLink() override
    {
        Core.CloseAllTransports();
        FLinkOpen = false;
        Machine.OnLinkClosed(false);
    }
    LLinkCore Core;
    std::map<LSyncTimer, std::unique_ptr<QTimer>> FTimers;
};

// Minimum frames: connect 16, 19, 44, 34, 20, 20 names, 22 blocks, 18.
constexpr int kReadMinimum = 3 + 2 + 20 + 22 + 1;
// Upload: 25, per preset 36 + 22 blocks, 18. Download: 35, 26, per preset 22 chunks, 4.
constexpr int kUploadMinimum = 1 + 20 * 23 + 1;
constexpr int kDownloadMinimum = 2 + 20 * 22 + 1;

void Report(benchmark::State& state, size_t frames, int minimum)
{
    state.counters["frames"] = static_cast<double>(frames);
    state.counters["ratio"] = static_cast<double>(frames) / minimum;
}

void BM_ConnectFullRead(benchmark::State& state)
{
    morvex_device::TestDevice device;
    device.StartTcp(0);
    size_t frames = 0;
    for (auto _ : state) {
        BenchRig rig;
        if (!rig.Open(device.Port()) || !rig.Idle())
            state.SkipWithError("read did not finish");
        frames = rig.Sent().size();
    }
    Report(state, frames, kReadMinimum);
    device.Stop();
}

void StoreAll(morvex_device::TestDevice& device)
{
    device.WithState([](morvex_device::DeviceState& s) {
        for (int p = 1; p <= 20; ++p)
            s.StorePreset(p, SampleImage(p));
        return 0;
    });
}

void BM_Upload20(benchmark::State& state)
{
    morvex_device::TestDevice device;
    StoreAll(device);
    device.StartTcp(0);
    BenchRig rig;
    rig.Open(device.Port());
    rig.Idle();
    const std::string dir = std::filesystem::temp_directory_path() / "morvex-bench-sync";
    std::filesystem::create_directories(dir);
    rig.SaveName = dir + "/all";
    size_t frames = 0;
    for (auto _ : state) {
        rig.ClearSent();
        rig.Machine.StartUnitUpload();
        if (!PumpUntil([&] { return !rig.Machine.Busy(); }, 20000))
            state.SkipWithError("upload did not finish");
        frames = rig.Sent().size();
    }
    Report(state, frames, kUploadMinimum);
    std::filesystem::remove_all(dir);
    device.Stop();
}

void BM_Download20(benchmark::State& state)
{
    morvex_device::DeviceState source;
    for (int p = 1; p <= 20; ++p)
        source.StorePreset(p, SampleImage(p));
    LUnitImage unit;
    for (int k = 0; k < 20; ++k) {
        unit.Stored[k] = true;
        std::copy_n(source.Presets[k].Body.begin(), kUnitPresetBytes, unit.Presets[k].begin());
    }
    const std::string dir = std::filesystem::temp_directory_path() / "morvex-bench-sync-dl";
    std::filesystem::create_directories(dir);
    SaveUnitFile(unit, dir + "/all");
    morvex_device::TestDevice device;
    device.StartTcp(0);
    size_t frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BenchRig rig;
        rig.Open(device.Port());
        rig.Idle();
        rig.ClearSent();
        rig.OpenName = dir + "/all.unt";
        state.ResumeTiming();
        rig.Machine.StartUnitDownload();
        if (!PumpUntil([&] { return !rig.Machine.Busy(); }, 20000))
            state.SkipWithError("download did not finish");
        frames = rig.Sent().size();
    }
    Report(state, frames, kDownloadMinimum);
    std::filesystem::remove_all(dir);
    device.Stop();
}

BENCHMARK(BM_ConnectFullRead)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Upload20)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Download20)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
