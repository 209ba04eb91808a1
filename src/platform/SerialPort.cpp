#include "platform/SerialPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform
{

namespace
{
struct Rate {
    int baud;
    speed_t speed;
};
constexpr Rate kRates[] = {{1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
                           {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
} // namespace

bool BaudToSpeed(int baud, unsigned* speed)
{
    for (const Rate& r : kRates) {
        if (r.baud == baud) {
            *speed = r.speed;
            return true;
        }
    }
    return false;
}

bool SerialPort::Open(const std::string& path, int baud, int byteSize, Parity parity, int stopBits)
{
    Close();
    unsigned speed = 0;
    if (!BaudToSpeed(baud, &speed) || byteSize < 5 || byteSize > 8 || (stopBits != 1 && stopBits != 2)) {
        FError = "open '" + path + "': unsupported settings";
        return false;
    }
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) {
        FError = "open '" + path + "': " + std::strerror(errno);
        return false;
    }
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        FError = "open '" + path + "': busy";
        return false;
    }
    ::ioctl(fd.Get(), TIOCEXCL);
    termios tio{};
    if (::tcgetattr(fd.Get(), &tio) != 0) {
        FError = "settings of '" + path + "': " + std::strerror(errno);
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | BRKINT | PARMRK | INPCK);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ISIG | ICANON | ECHO | ECHONL | IEXTEN);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= kSizes[byteSize - 5] | CLOCAL | CREAD;
    if (parity != Parity::None)
        tio.c_cflag |= PARENB | (parity == Parity::Odd ? PARODD : 0);
    if (stopBits == 2)
        tio.c_cflag |= CSTOPB;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(fd.Get(), TCSANOW, &tio) != 0) {
        FError = "settings of '" + path + "': " + std::strerror(errno);
        return false;
    }
    FFd = std::move(fd);
    Purge();
    return true;
}

void SerialPort::Close()
{
    if (FFd.Valid())
        ::ioctl(FFd.Get(), TIOCNXCL);
    FFd.Reset();
}

void SerialPort::Purge()
{
    if (FFd.Valid())
        ::tcflush(FFd.Get(), TCIOFLUSH);
}

int SerialPort::BytesWaiting() const
{
    int n = 0;
    if (::ioctl(FFd.Get(), FIONREAD, &n) != 0)
        return -1;
    return n;
}

int SerialPort::Read(uint8_t* buf, size_t max)
{
    ssize_t n = ::read(FFd.Get(), buf, max);
    return n < 0 ? -1 : static_cast<int>(n);
}

int SerialPort::Write(const uint8_t* buf, size_t len)
{
    size_t done = 0;
    while (done < len) {
        ssize_t n = ::write(FFd.Get(), buf + done, len - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return -1;
        pollfd p{FFd.Get(), POLLOUT, 0};
        if (::poll(&p, 1, 1000) <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
            return -1;
    }
    return static_cast<int>(done);
}

int SerialPort::CurrentBaud() const
{
    termios tio{};
    if (::tcgetattr(FFd.Get(), &tio) != 0)
        return 0;
    speed_t s = ::cfgetospeed(&tio);
    for (const Rate& r : kRates) {
        if (r.speed == s)
            return r.baud;
    }
    return 0;
}

} // namespace platform
