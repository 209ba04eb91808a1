#include "platform/TcpClient.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform
{

bool TcpClient::Connect(const std::string& address, uint16_t port)
{
    Close();
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &sa.sin_addr) != 1) {
        FError = "connect '" + address + "': not an IPv4 address";
        return false;
    }
    UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.Valid()) {
        FError = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    int one = 1;
    ::setsockopt(fd.Get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::connect(fd.Get(), reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 && errno != EINPROGRESS) {
        FError = "connect '" + address + "': " + std::strerror(errno);
        return false;
    }
    std::lock_guard g(FLock);
    FFd = std::move(fd);
    FAddress = address;
    return true;
}

bool TcpClient::FinishConnect()
{
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(FFd.Get(), SOL_SOCKET, SO_ERROR, &err, &len) != 0)
        err = errno;
    if (err != 0) {
        FError = "connect '" + FAddress + "': " + std::strerror(err);
        return false;
    }
    return true;
}

void TcpClient::Close()
{
    std::lock_guard g(FLock);
    FFd.Reset();
    FReadError = 0;
}

bool TcpClient::Active() const
{
    std::lock_guard g(FLock);
    return FFd.Valid();
}

int TcpClient::Read(uint8_t* buf, size_t max)
{
    ssize_t n = ::recv(FFd.Get(), buf, max, MSG_DONTWAIT);
    if (n >= 0)
        return static_cast<int>(n);
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
        return -1;
    FReadError = errno;
    FError = "read '" + FAddress + "': " + std::strerror(errno);
    return -2;
}

int TcpClient::Send(const uint8_t* buf, size_t len)
{
    std::lock_guard g(FLock);
    if (!FFd.Valid())
        return -1;
    ssize_t n = ::send(FFd.Get(), buf, len, MSG_NOSIGNAL | MSG_DONTWAIT);
    return n < 0 ? -1 : static_cast<int>(n);
}

} // namespace platform
