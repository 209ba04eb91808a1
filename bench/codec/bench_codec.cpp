// Frames built and parsed per second for a few commands of different sizes.
#include "proto/LCmd.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_BuildConnect(benchmark::State& state)
{
    for (auto _ : state) {
        CM_MCS_CMD cmd(1, 16);
        benchmark::DoNotOptimize(BuildFrame(cmd));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildConnect);

void BM_BuildGain(benchmark::State& state)
{
    int gain = 0;
    for (auto _ : state) {
        CM_MCS_GAIN cmd(1, 3, gain++ & 0x1FF);
        benchmark::DoNotOptimize(BuildFrame(cmd));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildGain);

void BM_BuildPeq(benchmark::State& state)
{
    const PeqBand band{120, 170, 35, 0};
    for (auto _ : state) {
        CM_MCS_PEQ cmd(1, 4, 2, band, 0);
        benchmark::DoNotOptimize(BuildFrame(cmd));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildPeq);

void BM_BuildDownload(benchmark::State& state)
{
    uint8_t chunk[50] = {};
    for (auto _ : state) {
        CM_MCS_DOWNLOAD cmd(1, 3, 4, chunk, 50);
        benchmark::DoNotOptimize(BuildFrame(cmd));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildDownload);

// A block reply of the full read: the largest frame the editor parses.
void BM_ParseBlockReply(benchmark::State& state)
{
    LCmd reply(1, 36);
    reply.GetPayload().assign(51, 0x64);
    const BSTM frame = BuildFrame(reply);
    for (auto _ : state) {
        LCmd parsed(frame);
        benchmark::DoNotOptimize(parsed.GetPayload().data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseBlockReply);

void BM_ParseAck(benchmark::State& state)
{
    const BSTM frame = BuildFrame(LCmd(1, 1));
    for (auto _ : state) {
        LCmd parsed(frame);
        benchmark::DoNotOptimize(parsed.GetCode());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseAck);

void BM_RoundTripPeq(benchmark::State& state)
{
    const PeqBand band{120, 170, 35, 0};
    for (auto _ : state) {
        const LCmd parsed(BuildFrame(CM_MCS_PEQ(1, 4, 2, band, 0)));
        benchmark::DoNotOptimize(parsed.GetPayload().data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RoundTripPeq);

} // namespace
