#include "DeviceLinkHelpers.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace morvex_device
{

namespace
{

int Remaining(std::chrono::steady_clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<int64_t>(0, left.count()));
}

bool WaitReadable(int fd, int timeoutMs)
{
    pollfd p{fd, POLLIN, 0};
    int got;
    do {
        got = ::poll(&p, 1, timeoutMs);
    } while (got < 0 && errno == EINTR);
    return got > 0;
}

} // namespace

TestLink::~TestLink()
{
    Close();
}

bool TestLink::ConnectTcp(int port, uint32_t host)
{
    Close();
    FFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(host);
    if (FFd < 0 || ::connect(FFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        Close();
        return false;
    }
    return true;
}

bool TestLink::OpenPty(const std::string& path)
{
    Close();
    FFd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (FFd < 0 || ::tcgetattr(FFd, &tio) != 0) {
        Close();
        return false;
    }
    ::cfmakeraw(&tio);
    ::tcsetattr(FFd, TCSANOW, &tio);
    return true;
}

void TestLink::AdoptHid(int fd, int reportLength)
{
    Close();
    FFd = fd;
    FReportLength = reportLength;
}

void TestLink::Close()
{
    if (FFd >= 0) {
        ::close(FFd);
        FFd = -1;
    }
    FReader.Clear();
    FPending.clear();
}

bool TestLink::Send(const BSTM& frame)
{
    BSTM bytes = frame;
    if (FReportLength > 0) {
        bytes.insert(bytes.begin(), 0);
        bytes.resize(std::max<size_t>(bytes.size(), static_cast<size_t>(FReportLength)), 0);
    }
    return ::send(FFd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size()) ||
           ::write(FFd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

BSTM TestLink::ReadOnce(int timeoutMs, bool* eof)
{
    if (eof) {
        *eof = false;
    }
    if (FFd < 0 || !WaitReadable(FFd, timeoutMs)) {
        return {};
    }
    uint8_t buffer[4096];
    const ssize_t got = ::read(FFd, buffer, sizeof buffer);
    if (got <= 0) {
        if (eof) {
            *eof = true;
        }
        return {};
    }
    const size_t skip = FReportLength > 0 ? 1 : 0;
    return BSTM(buffer + std::min<size_t>(skip, static_cast<size_t>(got)), buffer + got);
}

std::vector<BSTM> TestLink::ReadFrames(size_t count, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (FPending.size() < count) {
        bool eof = false;
        const BSTM bytes = ReadOnce(Remaining(deadline), &eof);
        if (bytes.empty()) {
            if (eof || Remaining(deadline) == 0) {
                break;
            }
            continue;
        }
        if (FReportLength > 0) {
            FReader.Clear(); // the padding of a report is not part of the stream
        }
        FReader.Feed(bytes.data(), bytes.size(), FPending);
    }
    const size_t take = std::min(count, FPending.size());
    std::vector<BSTM> out(FPending.begin(), FPending.begin() + static_cast<std::ptrdiff_t>(take));
    FPending.erase(FPending.begin(), FPending.begin() + static_cast<std::ptrdiff_t>(take));
    return out;
}

BSTM TestLink::Request(const LCmd& command, int timeoutMs)
{
    if (!Send(BuildFrame(command))) {
        return {};
    }
    auto frames = ReadFrames(1, timeoutMs);
    return frames.empty() ? BSTM{} : frames.front();
}

ChildProcess::~ChildProcess()
{
    Terminate();
    WaitExit(5000);
    if (FPid > 0) {
        ::kill(FPid, SIGKILL);
        ::waitpid(FPid, nullptr, 0);
    }
}

bool ChildProcess::Start(const std::vector<std::string>& args)
{
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    FOut = out[0];
    FErr = err[0];
    if (rc != 0) {
        return false;
    }
    FPid = pid;
    return true;
}

std::string ChildProcess::ReadLine(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const size_t nl = FOutBuffer.find('\n');
        if (nl != std::string::npos) {
            std::string line = FOutBuffer.substr(0, nl);
            FOutBuffer.erase(0, nl + 1);
            return line;
        }
        if (FOut < 0 || !WaitReadable(FOut, Remaining(deadline))) {
            return {};
        }
        char buffer[256];
        const ssize_t got = ::read(FOut, buffer, sizeof buffer);
        if (got <= 0) {
            return {};
        }
        FOutBuffer.append(buffer, static_cast<size_t>(got));
    }
}

int ChildProcess::WaitExit(int timeoutMs, std::string* errorText)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    if (FErr >= 0) {
        char buffer[512];
        while (WaitReadable(FErr, Remaining(deadline))) {
            const ssize_t got = ::read(FErr, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            if (errorText) {
                errorText->append(buffer, static_cast<size_t>(got));
            }
        }
    }
    int code = -1;
    while (FPid > 0) {
        int status = 0;
        const pid_t done = ::waitpid(FPid, &status, WNOHANG);
        if (done == FPid) {
            code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            FPid = -1;
            break;
        }
        if (Remaining(deadline) == 0) {
            break;
        }
        ::usleep(10000);
    }
    for (int* fd : {&FOut, &FErr}) {
        if (FPid < 0 && *fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
    return code;
}

void ChildProcess::Terminate()
{
    if (FPid > 0) {
        ::kill(FPid, SIGTERM);
    }
}

} // namespace morvex_device
