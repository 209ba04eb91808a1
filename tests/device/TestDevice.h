// A stand-in for the processor: answers the editor's frames over loopback TCP, a pseudo-terminal or a
// socket pair of HID-sized reports, and can be told to misbehave.
// One background thread serves one link at a time; every public method may be called from any thread.
// Stop() wakes the thread wherever it waits (reads, writes, delays) and joins it, so it never hangs.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "DeviceState.h"

namespace morvex_device
{

// Misbehaviour; counts are per link, starting again with each new connection.
struct DeviceFaults {
    int SilentAfter = -1;      // answer this many frames, then none; 0 = never answer; -1 = always
    int ReplyDelayMs = 0;      // wait before each reply
    int ChunkSize = 0;         // write a reply in pieces of this many bytes; 0 = one write
    int ChunkPauseMs = 5;      // pause between the pieces
    int ReplyId = -1;          // source id written into replies; -1 = the device's own id
    BSTM Garbage;              // bytes written before every reply
    bool BrokenFrames = false; // replies with damaged end markers
    int DropAfter = -1;        // close the link after answering this many frames; -1 = never
    int LateFrame = -1;        // the reply to this frame of the link (1 = the first) waits LateMs more
    int LateMs = 0;
    std::vector<int> DoubleFrames; // replies to these frames go out twice in one write (HID: two reports)
    int HalfCloseAfter = -1;       // after answering this many frames, shut the sending side; go on reading
    bool Flood = false;            // unsolicited level replies whenever no request waits
    int FloodFrom = 0;             // the flood starts once this many frames of the link are answered
    size_t FloodBytes = 0;         // the flood ends after this many bytes on the link; 0 = no end
    // In-process only: the bytes that go out for a request in place of its reply frame
    // (oversized payloads, lying length bytes); nothing is written for an empty result.
    std::function<BSTM(const LCmd& request, const BSTM& reply)> Rewrite;
};

class TestDevice
{
  public:
    explicit TestDevice(uint8_t id = 1);
    ~TestDevice();
    TestDevice(const TestDevice&) = delete;
    TestDevice& operator=(const TestDevice&) = delete;

    // Listens on a loopback address only (host order, 127.0.0.0/8; default 127.0.0.1); port 0 picks a
    // free one (see Port()). Serves links one after another.
    bool StartTcp(uint16_t port, std::string* error = nullptr, uint32_t host = 0x7F000001);
    // Opens a pseudo-terminal in raw mode (see PtyPath()); a dropped link ends it for good.
    bool StartPty(std::string* error = nullptr);
    // HID reports over a SOCK_SEQPACKET pair: every packet is report id 0 and one frame, padded to
    // reportLength bytes (report id included). Returns the editor's end, which the caller closes, or -1.
    int StartHidPair(int reportLength, std::string* error = nullptr);
    void Stop();

    uint16_t Port() const { return FPort; }
    std::string PtyPath() const { return FPtyPath; }

    uint8_t Id() const;
    void SetId(uint8_t id);
    DeviceFaults Faults() const;
    void SetFaults(const DeviceFaults& faults);

    // Runs f on the device's memory under its lock.
    template <class F> auto WithState(F&& f)
    {
        std::lock_guard lock(FMutex);
        return f(FState);
    }
    ParamImage Image() const;
    void SetImage(const ParamImage& image);
    void SetIdentity(const std::string& identity);
    void SetLock(bool locked, const char* password4);
    void SetLevels(const std::array<float, kLevelSlots>& levels, uint16_t flags);
    // The answers of the next level requests, in order (replaces a script not yet used up).
    void SetLevelScript(const std::vector<LevelStep>& steps);
    // True when every step of the script has been answered.
    bool LevelScriptDone() const;
    int LevelRequests() const;

    // Frames received, whole, in order, over every link.
    std::vector<BSTM> ReceivedFrames() const;
    std::vector<uint8_t> ReceivedCodes() const;
    void ClearReceived();
    // Called on the device's thread with every frame received, before it is answered; set before start.
    std::function<void(const BSTM& frame)> OnFrame;
    // False when the count was not reached in time (or the device stopped).
    bool WaitForFrames(size_t count, int timeoutMs) const;
    int Connections() const;
    bool WaitForConnections(int count, int timeoutMs) const;
    bool LinkOpen() const;
    // Frames received on the link being served (or the last one).
    int LinkFrames() const;
    // Unsolicited replies the flood has sent so far (counted as each write starts).
    uint64_t FloodWritten() const { return FFloodWritten; }
    // The bytes of one unsolicited reply (without the report id and padding of HID).
    BSTM FloodFrame() const;

  private:
    enum class Wait { Ready, Timeout, Stopped };
    bool OpenWake(std::string* error);
    Wait WaitFor(int fd, short events, int timeoutMs) const;
    bool Pause(int ms) const;
    bool WriteAll(int fd, const uint8_t* data, size_t size) const;
    void RunTcp();
    void RunSingle(int fd);
    // Serves one link until it closes, is dropped or the device stops.
    void Serve(int fd);
    bool HandleFrame(int fd, const BSTM& frame, int count);
    void SendReply(int fd, const BSTM& bytes, const DeviceFaults& faults);
    // Writes a batch of unsolicited level replies; false when the link failed.
    bool FloodOnce(int fd, size_t& bytesLeft);
    void SetLinkOpen(bool open);

    mutable std::mutex FMutex;
    mutable std::condition_variable FChanged;
    DeviceState FState;
    uint8_t FId;
    DeviceFaults FFaults;
    std::vector<BSTM> FReceived;
    int FConnections = 0;
    bool FLinkOpen = false;
    int FLinkFrames = 0;
    bool FHalfClosed = false; // the link being served no longer answers
    std::atomic<uint64_t> FFloodWritten{0};

    std::atomic<bool> FStopping{false};
    std::thread FThread;
    int FWake[2] = {-1, -1};
    int FListenFd = -1;
    int FLinkFd = -1;  // pty master or the device's end of the HID pair
    int FSlaveFd = -1; // held open so the pty outlives the editor's closes
    int FReportLength = 0;
    uint16_t FPort = 0;
    std::string FPtyPath;
};

} // namespace morvex_device
