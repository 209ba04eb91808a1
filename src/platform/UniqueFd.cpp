#include "platform/UniqueFd.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace platform
{

void UniqueFd::Reset(int fd)
{
    if (FFd >= 0)
        ::close(FFd);
    FFd = fd;
}

EventFd::EventFd() : FFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

void EventFd::Signal()
{
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(FFd.Get(), &one, sizeof one);
}

bool EventFd::Consume()
{
    uint64_t v = 0;
    return ::read(FFd.Get(), &v, sizeof v) == sizeof v && v != 0;
}

} // namespace platform
