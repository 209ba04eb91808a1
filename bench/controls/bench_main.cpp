// The benchmarks run with a QApplication on the offscreen platform, on one core: the process is pinned
// to the CPU it starts on before Qt starts any thread, so every later thread inherits the one-CPU mask.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sched.h>

int main(int argc, char** argv)
{
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    if (sched_setaffinity(0, sizeof one, &one) != 0)
        std::perror("sched_setaffinity");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
