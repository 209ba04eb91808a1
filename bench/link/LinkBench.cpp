// Round trips through the link core against the test device over loopback TCP and a pty.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "TestDevice.h"
#include "link/LLinkCore.h"

namespace {

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "bench-link";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

void RoundTrips(benchmark::State& state, bool tcp) {
  App();
  morvex_device::TestDevice device;
  LLinkCore core;
  size_t frames = 0;
  core.OnFrame = [&](const BSTM&, uint32_t) { ++frames; };
  if (tcp) {
    device.StartTcp(0);
    core.ClientSocket.Address = "127.0.0.1";
    core.ClientSocket.Port = device.Port();
    core.ClientSocket.SetActive(true);
    while (!core.ClientSocket.Connected()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    core.OpenNetTransport();
  } else {
    device.StartPty();
    core.OpenComTransport(device.PtyPath());
  }
  core.SetLinkTimeout(2000);
  for (auto _ : state) {
    size_t want = frames + 1;
    core.SendCommand(CM_MCS_GAIN(1, 3, 280), true);
    while (frames < want) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  state.counters["round_trips_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  core.CloseAllTransports();
  device.Stop();
}

void BM_TcpRoundTrip(benchmark::State& s) { RoundTrips(s, true); }
void BM_PtyRoundTrip(benchmark::State& s) { RoundTrips(s, false); }
BENCHMARK(BM_TcpRoundTrip)->UseRealTime();
BENCHMARK(BM_PtyRoundTrip)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
