// morvex-test-device: the device's side of the protocol on loopback TCP or a pseudo-terminal.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <pthread.h>
#include <string>
#include <vector>

#include "DeviceOptions.h"
#include "TestDevice.h"

using namespace morvex_device;

int main(int argc, char** argv)
{
    DeviceOptions options;
    std::string error;
    if (!ParseDeviceOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "morvex-test-device: %s\n%s", error.c_str(), DeviceUsage());
        return 2;
    }
    if (options.Help) {
        std::fputs(DeviceUsage(), stdout);
        return 0;
    }

    // The device thread must not take the signals; the main thread waits for them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    TestDevice device(static_cast<uint8_t>(options.Id));
    device.SetFaults(options.Faults);
    if (!options.Identity.empty()) {
        device.SetIdentity(options.Identity);
    }
    if (!options.LockPassword.empty()) {
        device.SetLock(true, options.LockPassword.c_str());
    }
    FILE* log = nullptr;
    if (!options.LogPath.empty()) {
        log = std::fopen(options.LogPath.c_str(), "a");
        if (!log) {
            std::fprintf(stderr, "morvex-test-device: cannot open %s: %s\n", options.LogPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
        device.OnFrame = [log](const BSTM& frame) {
            for (uint8_t b : frame) {
                std::fprintf(log, "%02X ", b);
            }
            std::fputc('\n', log);
            std::fflush(log);
        };
    }
    if (options.LinkMode == DeviceOptions::Mode::Tcp) {
        if (!device.StartTcp(static_cast<uint16_t>(options.TcpPort), &error, options.Host)) {
            std::fprintf(stderr, "morvex-test-device: %s\n", error.c_str());
            return 1;
        }
        std::printf("PORT %u\n", static_cast<unsigned>(device.Port()));
    } else {
        if (!device.StartPty(&error)) {
            std::fprintf(stderr, "morvex-test-device: %s\n", error.c_str());
            return 1;
        }
        std::printf("PTY %s\n", device.PtyPath().c_str());
    }
    std::fflush(stdout);

    int signal = 0;
    sigwait(&signals, &signal);
    device.Stop();
    if (log) {
        std::fclose(log);
    }
    return 0;
}
