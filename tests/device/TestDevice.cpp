#include "TestDevice.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "FrameReader.h"

namespace morvex_device
{

namespace
{

void SetError(std::string* error, const std::string& what)
{
    if (error) {
        *error = what + ": " + std::strerror(errno);
    }
}

void CloseFd(int& fd)
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

bool SetNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

} // namespace

TestDevice::TestDevice(uint8_t id) : FId(id) {}

TestDevice::~TestDevice()
{
    Stop();
}

bool TestDevice::OpenWake(std::string* error)
{
    if (FThread.joinable()) {
        if (error) {
            *error = "test device already started";
        }
        return false;
    }
    if (::pipe2(FWake, O_NONBLOCK | O_CLOEXEC) != 0) {
        SetError(error, "pipe");
        return false;
    }
    FStopping = false;
    return true;
}

bool TestDevice::StartTcp(uint16_t port, std::string* error, uint32_t host)
{
    if ((host >> 24) != 127) {
        SetError(error, "not a loopback address");
        return false;
    }
    if (!OpenWake(error)) {
        return false;
    }
    FListenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (FListenFd < 0) {
        SetError(error, "socket");
        Stop();
        return false;
    }
    const int one = 1;
    ::setsockopt(FListenFd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(host);
    if (::bind(FListenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &addr.sin_addr, text, sizeof text);
        SetError(error, std::string("bind ") + text + ":" + std::to_string(port));
        Stop();
        return false;
    }
    if (::listen(FListenFd, 4) != 0) {
        SetError(error, "listen");
        Stop();
        return false;
    }
    socklen_t len = sizeof addr;
    ::getsockname(FListenFd, reinterpret_cast<sockaddr*>(&addr), &len);
    FPort = ntohs(addr.sin_port);
    FThread = std::thread([this] { RunTcp(); });
    return true;
}

bool TestDevice::StartPty(std::string* error)
{
    if (!OpenWake(error)) {
        return false;
    }
    FLinkFd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (FLinkFd < 0 || ::grantpt(FLinkFd) != 0 || ::unlockpt(FLinkFd) != 0) {
        SetError(error, "posix_openpt");
        Stop();
        return false;
    }
    char path[128];
    if (::ptsname_r(FLinkFd, path, sizeof path) != 0) {
        SetError(error, "ptsname");
        Stop();
        return false;
    }
    FPtyPath = path;
    FSlaveFd = ::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (FSlaveFd < 0) {
        SetError(error, "open '" + FPtyPath + "'");
        Stop();
        return false;
    }
    termios tio{};
    if (::tcgetattr(FSlaveFd, &tio) != 0) {
        SetError(error, "tcgetattr '" + FPtyPath + "'");
        Stop();
        return false;
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B115200);
    ::cfsetospeed(&tio, B115200);
    if (::tcsetattr(FSlaveFd, TCSANOW, &tio) != 0 || !SetNonBlocking(FLinkFd)) {
        SetError(error, "raw mode '" + FPtyPath + "'");
        Stop();
        return false;
    }
    FThread = std::thread([this] { RunSingle(FLinkFd); });
    return true;
}

int TestDevice::StartHidPair(int reportLength, std::string* error)
{
    if (!OpenWake(error)) {
        return -1;
    }
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair) != 0) {
        SetError(error, "socketpair");
        Stop();
        return -1;
    }
    FLinkFd = pair[0];
    SetNonBlocking(FLinkFd);
    FReportLength = std::max(reportLength, 2);
    FThread = std::thread([this] { RunSingle(FLinkFd); });
    return pair[1];
}

void TestDevice::Stop()
{
    FStopping = true;
    if (FWake[1] >= 0) {
        const char byte = 'x';
        [[maybe_unused]] ssize_t ignored = ::write(FWake[1], &byte, 1);
    }
    if (FThread.joinable()) {
        FThread.join();
    }
    CloseFd(FListenFd);
    CloseFd(FLinkFd);
    CloseFd(FSlaveFd);
    CloseFd(FWake[0]);
    CloseFd(FWake[1]);
    SetLinkOpen(false);
    FChanged.notify_all();
}

TestDevice::Wait TestDevice::WaitFor(int fd, short events, int timeoutMs) const
{
    pollfd fds[2] = {{FWake[0], POLLIN, 0}, {fd, events, 0}};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (FStopping) {
            return Wait::Stopped;
        }
        int wait = -1;
        if (timeoutMs >= 0) {
            // Rounded up: a pause of 1 ms lasts at least 1 ms.
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            wait = static_cast<int>(std::max<int64_t>(0, left.count()));
        }
        const int got = ::poll(fds, fd >= 0 ? 2 : 1, wait);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (FStopping || (got > 0 && fds[0].revents != 0)) {
            return Wait::Stopped;
        }
        if (got > 0) {
            return Wait::Ready;
        }
        return got == 0 ? Wait::Timeout : Wait::Stopped;
    }
}

bool TestDevice::Pause(int ms) const
{
    return ms <= 0 || WaitFor(-1, 0, ms) == Wait::Timeout;
}

bool TestDevice::WriteAll(int fd, const uint8_t* data, size_t size) const
{
    while (size > 0) {
        const ssize_t put = ::send(fd, data, size, MSG_NOSIGNAL);
        const ssize_t done = put < 0 && errno == ENOTSOCK ? ::write(fd, data, size) : put;
        if (done > 0) {
            data += done;
            size -= static_cast<size_t>(done);
            continue;
        }
        if (done < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (WaitFor(fd, POLLOUT, -1) != Wait::Ready) {
                return false;
            }
            continue;
        }
        return false;
    }
    return true;
}

void TestDevice::RunTcp()
{
    while (WaitFor(FListenFd, POLLIN, -1) == Wait::Ready) {
        const int fd = ::accept4(FListenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        Serve(fd);
        ::close(fd);
    }
}

void TestDevice::RunSingle(int fd)
{
    Serve(fd);
    if (!FStopping) {
        // A pty's hang-up discards what the editor has not read yet: let it read the last reply first.
        // The bytes reach the terminal's input queue a moment after the write.
        Pause(FSlaveFd >= 0 ? 50 : 0);
        for (int i = 0; FSlaveFd >= 0 && i < 100; ++i) {
            int pending = 0;
            if (::ioctl(FSlaveFd, TIOCINQ, &pending) != 0 || pending == 0 || !Pause(10)) {
                break;
            }
        }
        // Dropped or closed by the peer: the device is gone for the editor.
        std::lock_guard lock(FMutex);
        ::close(FLinkFd);
        FLinkFd = -1;
        if (FSlaveFd >= 0) {
            ::close(FSlaveFd);
            FSlaveFd = -1;
        }
    }
}

void TestDevice::SetLinkOpen(bool open)
{
    std::lock_guard lock(FMutex);
    FLinkOpen = open;
    if (open) {
        ++FConnections;
        FLinkFrames = 0;
        FHalfClosed = false;
    }
    FChanged.notify_all();
}

void TestDevice::Serve(int fd)
{
    SetLinkOpen(true);
    FrameReader reader;
    int count = 0;
    const bool packets = FReportLength > 0;
    std::vector<uint8_t> buffer(4096);
    size_t floodLeft = 0;
    bool floodStarted = false;
    for (;;) {
        const DeviceFaults faults = Faults();
        if (faults.Flood && !floodStarted && count >= faults.FloodFrom) {
            floodStarted = true;
            floodLeft = faults.FloodBytes > 0 ? faults.FloodBytes : SIZE_MAX;
        } else if (!faults.Flood) {
            floodStarted = false;
        }
        const bool flood = floodStarted && floodLeft > 0;
        const Wait wait = WaitFor(fd, POLLIN, flood ? 0 : -1);
        if (wait == Wait::Timeout && flood) {
            if (!FloodOnce(fd, floodLeft)) {
                break;
            }
            continue;
        }
        if (wait != Wait::Ready) {
            break;
        }
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        std::vector<BSTM> frames;
        if (packets) {
            // Report id first; the padding after the frame is skipped by the reader.
            reader.Clear();
            if (got > 1) {
                reader.Feed(buffer.data() + 1, static_cast<size_t>(got - 1), frames);
            }
        } else {
            reader.Feed(buffer.data(), static_cast<size_t>(got), frames);
        }
        bool keep = true;
        for (const BSTM& frame : frames) {
            if (!HandleFrame(fd, frame, ++count)) {
                keep = false;
                break;
            }
        }
        if (!keep || FStopping) {
            break;
        }
    }
    SetLinkOpen(false);
}

bool TestDevice::HandleFrame(int fd, const BSTM& frame, int count)
{
    if (OnFrame) {
        OnFrame(frame);
    }
    const LCmd request(frame);
    DeviceFaults faults;
    std::optional<Reply> reply;
    uint8_t id;
    bool halfClosed;
    {
        std::lock_guard lock(FMutex);
        FReceived.push_back(frame);
        ++FLinkFrames;
        faults = FFaults;
        id = FId;
        reply = FState.Answer(request);
        halfClosed = FHalfClosed;
        FChanged.notify_all();
    }
    const bool silent = halfClosed || (faults.SilentAfter >= 0 && count > faults.SilentAfter);
    if (reply && !silent) {
        if (!Pause(faults.ReplyDelayMs + (count == faults.LateFrame ? faults.LateMs : 0))) {
            return false;
        }
        const uint8_t source = faults.ReplyId >= 0 ? static_cast<uint8_t>(faults.ReplyId) : id;
        BSTM bytes = BuildReplyFrame(source, reply->Code, reply->Payload);
        if (faults.BrokenFrames) {
            bytes[bytes.size() - 3] = 0x00;
            bytes[bytes.size() - 2] = 0x00;
        }
        if (faults.Rewrite) {
            bytes = faults.Rewrite(request, bytes);
        }
        if (!faults.Garbage.empty()) {
            SendReply(fd, faults.Garbage, faults);
        }
        if (!bytes.empty() && std::find(faults.DoubleFrames.begin(), faults.DoubleFrames.end(), count) !=
                                  faults.DoubleFrames.end()) {
            if (FReportLength > 0) {
                SendReply(fd, bytes, faults);
            } else {
                bytes.insert(bytes.end(), bytes.begin(), bytes.end());
            }
        }
        if (!bytes.empty()) {
            SendReply(fd, bytes, faults);
        }
    }
    if (count == faults.HalfCloseAfter) {
        // The device stops sending (a TCP FIN; a socket pair's reads end) and keeps listening.
        ::shutdown(fd, SHUT_WR);
        std::lock_guard lock(FMutex);
        FHalfClosed = true;
    }
    return !FStopping && (faults.DropAfter < 0 || count < faults.DropAfter);
}

BSTM TestDevice::FloodFrame() const
{
    std::lock_guard lock(FMutex);
    const uint8_t id = FFaults.ReplyId >= 0 ? static_cast<uint8_t>(FFaults.ReplyId) : FId;
    return BuildReplyFrame(id, 64, DeviceState::EncodeLevels(FState.Levels, FState.LevelFlags));
}

bool TestDevice::FloodOnce(int fd, size_t& bytesLeft)
{
    {
        std::lock_guard lock(FMutex);
        if (FHalfClosed) {
            return Pause(5);
        }
    }
    const BSTM bytes = FloodFrame();
    // Whole replies only: a bounded flood ends with the last one that fits.
    const size_t count = std::min<size_t>(8, bytesLeft / bytes.size());
    if (count == 0) {
        bytesLeft = 0;
        return true;
    }
    bytesLeft -= count * bytes.size();
    if (FReportLength > 0) {
        for (size_t i = 0; i < count; ++i) {
            BSTM report{0};
            report.insert(report.end(), bytes.begin(), bytes.end());
            report.resize(std::max(report.size(), static_cast<size_t>(FReportLength)), 0);
            ++FFloodWritten; // counted first: the peer may read it before the write returns
            if (!WriteAll(fd, report.data(), report.size())) {
                return false;
            }
        }
        return true;
    }
    BSTM batch;
    for (size_t i = 0; i < count; ++i) {
        batch.insert(batch.end(), bytes.begin(), bytes.end());
    }
    FFloodWritten += count;
    return WriteAll(fd, batch.data(), batch.size());
}

void TestDevice::SendReply(int fd, const BSTM& bytes, const DeviceFaults& faults)
{
    if (FReportLength > 0) {
        BSTM report{0};
        report.insert(report.end(), bytes.begin(), bytes.end());
        if (report.size() < static_cast<size_t>(FReportLength)) {
            report.resize(static_cast<size_t>(FReportLength), 0);
        }
        WriteAll(fd, report.data(), report.size());
        return;
    }
    const size_t piece = faults.ChunkSize > 0 ? static_cast<size_t>(faults.ChunkSize) : bytes.size();
    for (size_t at = 0; at < bytes.size(); at += piece) {
        if (at > 0 && !Pause(faults.ChunkPauseMs)) {
            return;
        }
        if (!WriteAll(fd, bytes.data() + at, std::min(piece, bytes.size() - at))) {
            return;
        }
    }
}

uint8_t TestDevice::Id() const
{
    std::lock_guard lock(FMutex);
    return FId;
}

void TestDevice::SetId(uint8_t id)
{
    std::lock_guard lock(FMutex);
    FId = id;
}

DeviceFaults TestDevice::Faults() const
{
    std::lock_guard lock(FMutex);
    return FFaults;
}

void TestDevice::SetFaults(const DeviceFaults& faults)
{
    std::lock_guard lock(FMutex);
    FFaults = faults;
}

ParamImage TestDevice::Image() const
{
    std::lock_guard lock(FMutex);
    return FState.Image();
}

void TestDevice::SetImage(const ParamImage& image)
{
    std::lock_guard lock(FMutex);
    FState.SetImage(image);
}

void TestDevice::SetIdentity(const std::string& identity)
{
    std::lock_guard lock(FMutex);
    FState.Identity = identity;
}

void TestDevice::SetLock(bool locked, const char* password4)
{
    std::lock_guard lock(FMutex);
    FState.Locked = locked;
    if (password4) {
        std::copy_n(password4, 4, FState.Password.begin());
    }
}

void TestDevice::SetLevels(const std::array<float, kLevelSlots>& levels, uint16_t flags)
{
    std::lock_guard lock(FMutex);
    FState.Levels = levels;
    FState.LevelFlags = flags;
}

void TestDevice::SetLevelScript(const std::vector<LevelStep>& steps)
{
    std::lock_guard lock(FMutex);
    FState.LevelScript.assign(steps.begin(), steps.end());
}

bool TestDevice::LevelScriptDone() const
{
    std::lock_guard lock(FMutex);
    return FState.LevelScript.empty();
}

int TestDevice::LevelRequests() const
{
    std::lock_guard lock(FMutex);
    return FState.LevelRequests;
}

std::vector<BSTM> TestDevice::ReceivedFrames() const
{
    std::lock_guard lock(FMutex);
    return FReceived;
}

std::vector<uint8_t> TestDevice::ReceivedCodes() const
{
    std::lock_guard lock(FMutex);
    std::vector<uint8_t> codes;
    for (const BSTM& frame : FReceived) {
        codes.push_back(LCmd(frame).GetCode());
    }
    return codes;
}

void TestDevice::ClearReceived()
{
    std::lock_guard lock(FMutex);
    FReceived.clear();
}

bool TestDevice::WaitForFrames(size_t count, int timeoutMs) const
{
    std::unique_lock lock(FMutex);
    return FChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return FReceived.size() >= count; });
}

int TestDevice::Connections() const
{
    std::lock_guard lock(FMutex);
    return FConnections;
}

bool TestDevice::WaitForConnections(int count, int timeoutMs) const
{
    std::unique_lock lock(FMutex);
    return FChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return FConnections >= count; });
}

bool TestDevice::LinkOpen() const
{
    std::lock_guard lock(FMutex);
    return FLinkOpen;
}

int TestDevice::LinkFrames() const
{
    std::lock_guard lock(FMutex);
    return FLinkFrames;
}

} // namespace morvex_device
