// Owning file descriptor: closes on destruction and on every early return.
#pragma once

#include <utility>

namespace platform
{

class UniqueFd
{
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : FFd(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& o) noexcept : FFd(std::exchange(o.FFd, -1)) {}
    UniqueFd& operator=(UniqueFd&& o) noexcept
    {
        if (this != &o) {
            Reset();
            FFd = std::exchange(o.FFd, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return FFd; }
    bool Valid() const { return FFd >= 0; }
    int Release() { return std::exchange(FFd, -1); }
    void Reset(int fd = -1);

  private:
    int FFd = -1;
};

// Auto-reset event over eventfd: Signal from any thread, Consume resets it.
class EventFd
{
  public:
    EventFd();
    bool Valid() const { return FFd.Valid(); }
    int Fd() const { return FFd.Get(); }
    void Signal();
    bool Consume(); // true when it was signalled

  private:
    UniqueFd FFd;
};

} // namespace platform
