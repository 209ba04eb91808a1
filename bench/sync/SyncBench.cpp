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

#include "SyncCoreRig.h"
#include "TestDevice.h"
#include "link/LLinkCore.h"

namespace
{

// The link core's rig, waiting in the event loop as the program does and without idle polls, so
// that time and frames are what a user waits for.
class BenchRig : public CoreRig
{
  public:
    BenchRig()
    {
        NoIdlePoll = true;
        EventLoopWait = true;
    }
    bool Open(uint16_t port) { return OpenTcp(port); }
    bool Idle() { return ReadDone(20000) && LinkOpen(); }
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
        if (!testapp::WaitInEventLoop([&] { return !rig.Machine.Busy(); }, 20000))
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
        if (!testapp::WaitInEventLoop([&] { return !rig.Machine.Busy(); }, 20000))
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

} // namespace

BENCHMARK_MAIN();
