// Round trips through the link core against the test device over loopback TCP and a pty,
// and the editor's own share of each round trip (the device's and the kernel's time left out):
// TCP: SendCommand until the frame is on the socket, plus the socket's read event until the
// owner has the reply; pty: SendCommand until the frame is handed to the worker, plus the
// completed frame until the owner has it (the worker's own read and write are not seen).
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <chrono>

#include "TestDevice.h"
#include "link/LLinkCore.h"

namespace
{

using Clock = std::chrono::steady_clock;

QCoreApplication& App()
{
    static int argc = 1;
    static char name[] = "bench-link";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Stamps the points where a frame leaves and a reply enters the editor.
class TimedCore : public LLinkCore
{
  public:
    std::atomic<int64_t> SentAt{0}, ReplyAt{0};
    void NetWrite(const uint8_t* bytes, int length) override
    {
        LLinkCore::NetWrite(bytes, length);
        SentAt = Now();
    }
    void LogComWrite(const uint8_t* bytes, int length) override
    {
        LLinkCore::LogComWrite(bytes, length);
        SentAt = Now();
    }
    void LogComRead(const uint8_t* bytes, int length) override
    {
        ReplyAt = Now();
        LLinkCore::LogComRead(bytes, length);
    }
    static int64_t Now()
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
    }
};

void RoundTrips(benchmark::State& state, bool tcp)
{
    App();
    morvex_device::TestDevice device;
    TimedCore core;
    size_t frames = 0;
    int64_t frameAt = 0;
    core.OnFrame = [&](const BSTM&, uint32_t, uint8_t) {
        frameAt = TimedCore::Now();
        ++frames;
    };
    if (tcp) {
        device.StartTcp(0);
        core.ClientSocket.Address = "127.0.0.1";
        core.ClientSocket.Port = device.Port();
        core.ClientSocket.SetActive(true);
        while (!core.ClientSocket.Connected())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        core.ClientSocket.OnRead = [&] {
            if (core.ReplyAt == 0)
                core.ReplyAt = TimedCore::Now();
            core.ClientSocketRead();
        };
        core.OpenNetTransport();
    } else {
        device.StartPty();
        core.OpenComTransport(device.PtyPath());
    }
    core.SetLinkTimeout(2000);
    int64_t editorNs = 0, sendNs = 0;
    for (auto _ : state) {
        size_t want = frames + 1;
        core.ReplyAt = 0;
        int64_t start = TimedCore::Now();
        core.SendCommand(CM_MCS_GAIN(1, 3, 280), true);
        while (frames < want)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        editorNs += (core.SentAt - start) + (frameAt - core.ReplyAt);
        sendNs += core.SentAt - start;
    }
    state.counters["round_trips_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["editor_us_per_round_trip"] =
        static_cast<double>(editorNs) / 1000.0 /
        static_cast<double>(std::max<int64_t>(1, state.iterations()));
    state.counters["send_us"] =
        static_cast<double>(sendNs) / 1000.0 / static_cast<double>(std::max<int64_t>(1, state.iterations()));
    core.CloseAllTransports();
    device.Stop();
}

void BM_TcpRoundTrip(benchmark::State& s)
{
    RoundTrips(s, true);
}
void BM_PtyRoundTrip(benchmark::State& s)
{
    RoundTrips(s, false);
}
BENCHMARK(BM_TcpRoundTrip)->UseRealTime();
BENCHMARK(BM_PtyRoundTrip)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
