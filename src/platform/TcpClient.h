// Non-blocking TCP client socket. The owner (UI thread) connects, reads and closes;
// Send may be called from any thread (the link worker writes through it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/UniqueFd.h"

namespace platform
{

class TcpClient
{
  public:
    static constexpr uint16_t DefaultPort = 9761;

    // Starts a non-blocking connect to a dotted IPv4 address. False with Error() set on failure.
    bool Connect(const std::string& address, uint16_t port);
    // After the fd became writable: true when connected, false (Error() set) when refused.
    bool FinishConnect();
    void Close();

    bool Active() const;
    int Fd() const { return FFd.Get(); }
    // Up to max bytes; returns the count, 0 at end of stream, -1 when nothing is waiting,
    // -2 when the connection failed (ReadError() holds the errno).
    int Read(uint8_t* buf, size_t max);
    int ReadError() const { return FReadError; }
    // One send of the whole buffer; returns bytes sent or -1.
    int Send(const uint8_t* buf, size_t len);
    std::string RemoteAddress() const { return FAddress; }
    const std::string& Error() const { return FError; }

  private:
    mutable std::mutex FLock; // guards the fd against a worker's Send during Close
    UniqueFd FFd;
    std::string FAddress;
    std::string FError;
    int FReadError = 0;
};

} // namespace platform
