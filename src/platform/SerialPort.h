// A serial port opened exclusively, fully raw (frames carry 0x03, 0x11, 0x13, 0x0A, 0x0D).
// Open/Close on the owning thread; Read/Write/BytesWaiting from the link worker.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/UniqueFd.h"

namespace platform
{

enum class Parity { None, Odd, Even };

class SerialPort
{
  public:
    bool Open(const std::string& path, int baud, int byteSize, Parity parity, int stopBits);
    void Close();
    bool IsOpen() const { return FFd.Valid(); }
    int Fd() const { return FFd.Get(); }
    void Purge();
    int BytesWaiting() const; // -1 on failure
    int Read(uint8_t* buf, size_t max);
    int Write(const uint8_t* buf, size_t len); // waits for the port to take all bytes
    int CurrentBaud() const;                   // the port's current rate, 0 when unknown
    const std::string& Error() const { return FError; }

  private:
    UniqueFd FFd;
    std::string FError;
};

// Maps a rate to its termios speed; false for rates termios does not name.
bool BaudToSpeed(int baud, unsigned* speed);

} // namespace platform
