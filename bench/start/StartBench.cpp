// bench-start: CPU time from exec to the first frame of the editor's main window against a plain Qt
// window of 600 stock widgets, both started as programs in one run (offscreen; under an X server
// when DISPLAY is set and QT_QPA_PLATFORM is not). Counters: cpu_ms per start, and the editor's ratio.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

std::string Child;

// CPU (user + system) of one run of the child, in milliseconds; negative when it failed.
double RunOnce(const char* which)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execl(Child.c_str(), Child.c_str(), which, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage use{};
    if (pid < 0 || wait4(pid, &status, 0, &use) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(use.ru_utime) + ms(use.ru_stime);
}

void Start(benchmark::State& state, const char* which)
{
    double total = 0;
    for (auto _ : state) {
        const double ms = RunOnce(which);
        if (ms < 0) {
            state.SkipWithError("the child program failed");
            return;
        }
        total += ms;
    }
    state.counters["cpu_ms"] = total / double(state.iterations());
}

// Both programs alternately, so that the machine's state weighs on each alike.
void EditorAgainstPeer(benchmark::State& state)
{
    double editor = 0, peer = 0;
    for (auto _ : state) {
        const double e = RunOnce("editor");
        const double p = RunOnce("peer");
        if (e < 0 || p < 0) {
            state.SkipWithError("a child program failed");
            return;
        }
        editor += e;
        peer += p;
    }
    state.counters["editor_cpu_ms"] = editor / double(state.iterations());
    state.counters["peer_cpu_ms"] = peer / double(state.iterations());
    state.counters["ratio"] = editor / peer;
}

} // namespace

BENCHMARK_CAPTURE(Start, Editor, "editor")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(Start, Peer600Widgets, "peer")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(EditorAgainstPeer)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    const std::string self = argv[0];
    Child = self.substr(0, self.find_last_of('/') + 1) + "bench-start-child";
    if (!std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
