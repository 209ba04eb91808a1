// The editor's end of a link to the test device, for tests: raw reads and writes with time-outs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FrameReader.h"

namespace morvex_device
{

class TestLink
{
  public:
    TestLink() = default;
    ~TestLink();
    TestLink(const TestLink&) = delete;
    TestLink& operator=(const TestLink&) = delete;

    bool ConnectTcp(int port, uint32_t host = 0x7F000001);
    bool OpenPty(const std::string& path);
    // Takes the editor's end of a HID report pair.
    void AdoptHid(int fd, int reportLength);
    void Close();
    bool IsOpen() const { return FFd >= 0; }

    bool Send(const BSTM& frame);
    // Frames completed within the time-out, at most count.
    std::vector<BSTM> ReadFrames(size_t count, int timeoutMs);
    // One read's bytes (a HID report without its id), empty on time-out; eof set when the peer closed.
    BSTM ReadOnce(int timeoutMs, bool* eof = nullptr);
    // Sends a command and waits for one reply frame; empty when none came.
    BSTM Request(const LCmd& command, int timeoutMs = 3000);

  private:
    int FFd = -1;
    int FReportLength = 0;
    FrameReader FReader;
    std::vector<BSTM> FPending;
};

// A child process with its stdout on a pipe.
class ChildProcess
{
  public:
    ~ChildProcess();
    bool Start(const std::vector<std::string>& args);
    // The first line of stdout, without the newline; empty on time-out or end.
    std::string ReadLine(int timeoutMs);
    // Everything on stderr until the process ends, and its exit code (-1 on time-out).
    int WaitExit(int timeoutMs, std::string* errorText = nullptr);
    void Terminate();

  private:
    int FPid = -1;
    int FOut = -1;
    int FErr = -1;
    std::string FOutBuffer;
};

} // namespace morvex_device
