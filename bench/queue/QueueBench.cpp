// A PEQ band dragged for three seconds (a move every 16 ms, the level poll every 300 ms) against a
// test device that answers each frame after 150 ms, over loopback TCP through the link core; with
// the argument 2, each move of the band is followed by a move of another channel's gain fader.
// Counters: the send queue's length during the drag (mean and most), the edits made and sent per
// drag, and the device's lag behind the window, sampled through the drag: how long ago the window
// made the first move the device does not hold yet (0 while it holds the latest), mean and most;
// and after the last move, how long until the device holds it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <vector>

#include "SyncCoreRig.h"
#include "TestDevice.h"
#include "proto/Commands.h"

namespace
{

class BenchRig : public CoreRig
{
  public:
    BenchRig()
    {
        NoIdlePoll = true;
        EventLoopWait = true;
    }
};

constexpr int kChannel = kInputCount + 1; // the second output
constexpr int kBand = 3;
constexpr int kDragMs = 3000, kMoveMs = 16, kLevelMs = 300, kReplyDelayMs = 150;

int16_t DeviceGain(morvex_device::TestDevice& device)
{
    return device.Image().outputs[kChannel - kInputCount].peq[kBand].gain;
}

void BM_DragBandOnA150msDevice(benchmark::State& state)
{
    morvex_device::TestDevice device;
    device.StartTcp(0);
    BenchRig rig;
    if (!rig.OpenTcp(device.Port()) || !rig.ReadDone(20000) || !rig.LinkOpen()) {
        state.SkipWithError("the read did not finish");
        return;
    }
    morvex_device::DeviceFaults slow;
    slow.ReplyDelayMs = kReplyDelayMs;
    device.SetFaults(slow);
    const int controls = static_cast<int>(state.range(0));
    int step = 0;
    double queueSum = 0, queueMost = 0, samples = 0, made = 0, sent = 0;
    double lagSum = 0, lagMost = 0, lagSamples = 0, lastLag = 0;
    for (auto _ : state) {
        const size_t before = device.ReceivedCodes().size();
        PeqBand band = rig.Unit.GetImage().outputs[kChannel - kInputCount].peq[kBand];
        // The gain of each move and when it was made: distinct within a drag, the first one new to the
        // device.
        std::vector<std::pair<int16_t, qint64>> moves;
        const int start = DeviceGain(device) + 1;
        QElapsedTimer clock;
        clock.start();
        qint64 nextMove = 0, nextLevel = kLevelMs;
        size_t held = 0; // moves up to this one are behind the device's value
        auto watch = [&] {
            const int16_t now = DeviceGain(device);
            for (size_t i = moves.size(); i-- > held;)
                if (moves[i].first == now) {
                    held = i + 1;
                    break;
                }
            const double lag =
                held < moves.size() ? static_cast<double>(clock.elapsed() - moves[held].second) : 0;
            lagSum += lag;
            lagMost = std::max(lagMost, lag);
            ++lagSamples;
        };
        while (clock.elapsed() < kDragMs) {
            if (clock.elapsed() >= nextMove && controls > 1 && (step++ & 1) == 1) {
                rig.Unit.SetGain(0, static_cast<uint16_t>(step % 240));
                nextMove += kMoveMs;
                ++made;
            } else if (clock.elapsed() >= nextMove) {
                band.gain = static_cast<int16_t>((start + static_cast<int>(moves.size())) % 240);
                rig.Unit.SetPeq(kChannel, kBand, band, 0);
                moves.emplace_back(band.gain, clock.elapsed());
                nextMove += kMoveMs;
                ++made;
            }
            if (clock.elapsed() >= nextLevel) {
                rig.SendCommand(CM_MCS_CMD(static_cast<uint8_t>(rig.GetDeviceId()), proto::kLevels), false);
                nextLevel += kLevelMs;
            }
            const double q = static_cast<double>(rig.QueuedFrames());
            queueSum += q;
            queueMost = std::max(queueMost, q);
            ++samples;
            watch();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            QThread::msleep(1);
        }
        const qint64 end = moves.back().second;
        while (DeviceGain(device) != moves.back().first && clock.elapsed() < kDragMs + 20000) {
            watch();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            QThread::msleep(1);
        }
        watch();
        lastLag = static_cast<double>(clock.elapsed() - end);
        const std::vector<uint8_t> codes = device.ReceivedCodes();
        sent += static_cast<double>(
            std::count(codes.begin() + static_cast<long>(before), codes.end(), proto::kPeq));
    }
    state.counters["queue_mean"] = samples > 0 ? queueSum / samples : 0;
    state.counters["queue_max"] = queueMost;
    state.counters["edits_made"] = benchmark::Counter(made, benchmark::Counter::kAvgIterations);
    state.counters["edits_sent"] = benchmark::Counter(sent, benchmark::Counter::kAvgIterations);
    state.counters["lag_mean_ms"] = lagSamples > 0 ? lagSum / lagSamples : 0;
    state.counters["lag_max_ms"] = lagMost;
    state.counters["lag_last_ms"] = lastLag;
    device.Stop();
}

BENCHMARK(BM_DragBandOnA150msDevice)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
