// The transport base classes: LNet (TCP, writes through the owner's NetWrite), LUsb (HID,
// through UsbWrite) and LComm (a serial port it drives itself). Each runs one worker thread
// that writes the pending frame, waits for the reply with a time-out, writes again up to R
// times and reports a lost link. Open, Close, Send and Receive run on the UI thread (Send
// also on the worker); the worker calls OnByte under its lock. A transport is never freed
// while its worker runs: the destructor joins it, and Close abandons a pending hand-over.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "link/LLinkOwner.h"
#include "link/LSyncGate.h"
#include "platform/SerialPort.h"
#include "platform/UniqueFd.h"
#include "proto/LCmd.h"

class LTransport
{
  public:
    explicit LTransport(LLinkOwner* owner, size_t sendBufferSize);
    virtual ~LTransport();
    LTransport(const LTransport&) = delete;
    LTransport& operator=(const LTransport&) = delete;

    virtual void Close();
    // Close, then wait for the worker without a limit; every destructor of a class whose
    // members the worker uses calls it first.
    void Shutdown();
    virtual void Send(const uint8_t* bytes, int length);
    virtual void Send(const BSTM& frame);
    virtual void OnByte(uint8_t b);
    // The bytes fed next begin a new HID report.
    virtual void OnReportStart() {}
    virtual void OnError(int code, int arg);
    virtual void SetTimeout(int ms) { FTimeout = ms; }
    void SetRetries(int count) { FRetries = count; }
    int Timeout() const { return FTimeout; }
    int Retries() const { return FRetries; }

    bool IsOpen() const { return FOpen; }
    uint64_t Generation() const { return FGeneration; }
    size_t SendBufferSize() const { return FSendBufferSize; }
    LLinkOwner* Owner() const { return FOwner; }
    // Reply time-outs the worker has counted since it started (diagnostics and tests).
    uint32_t Timeouts() const { return FTimeouts; }

    // Close waits this long for the worker before it reports error 5.
    static constexpr int kCloseWaitMs = 5000;

  protected:
    bool StartWorker();
    // Worker side.
    virtual void Run() = 0;
    virtual void WriteOut(const uint8_t* bytes, int length) = 0;
    void SetPending(const uint8_t* bytes, int length);
    bool WritePending(); // under the worker lock; false when nothing is pending
    // Writes the pending frame only when it has not been written yet; true when it did.
    bool WriteFresh(); // under the worker lock
    // The frame handed over last has been written (a reply can answer it).
    bool PendingWritten();
    bool PendingEmpty();
    uint8_t PendingDestination();
    void DropPending();
    // Hands fn to the UI thread and waits for it; false when closing abandoned it.
    bool HandOver(std::function<void()> fn);
    bool WorkerEnded();

    LLinkOwner* FOwner;
    std::recursive_mutex FLock; // worker lock: around OnByte and every write
    platform::EventFd FStopEvent, FSendEvent;
    std::atomic<bool> FOpen{false};
    std::atomic<int> FTimeout{800};
    std::atomic<int> FRetries{2};
    uint64_t FGeneration = 0;
    std::atomic<uint32_t> FTimeouts{0};

  private:
    size_t FSendBufferSize;
    std::mutex FSendLock; // the send buffer and its length change together
    BSTM FSendBuffer;
    BSTM FWriting;            // the worker's copy of the send buffer while it writes
    uint64_t FPendingSeq = 0; // counts the frames handed over
    uint64_t FWrittenSeq = 0; // the count when the send buffer was last written
    std::thread FThread;
    std::mutex FEndLock;
    std::condition_variable FEndCv;
    bool FEnded = true;
    LSyncGate FGate; // a fresh gate per run: closures of an abandoned run stay dead
};

// LNet and LUsb: bytes come in through Receive; the worker writes through the owner.
// The receive backlog is bounded and never drops a byte: what does not fit is refused, the
// reader stops reading (the bytes wait in the socket or the HID read thread), and once the
// worker has taken the backlog it tells the owner (OnReceiveRoom) that the reader may go on.
class LStreamTransport : public LTransport
{
  public:
    static constexpr size_t kMaxReceiveBacklog = 4096;

    LStreamTransport(LLinkOwner* owner, int extraWaits);
    virtual bool Open();
    // Takes as many bytes as the backlog has room for and returns that count (UI thread).
    virtual int Receive(const uint8_t* bytes, int length);
    // One HID report: its bytes begin a new frame, whatever an earlier report left unfinished.
    // Taken whole or not at all; false when it did not fit.
    bool ReceiveReport(const uint8_t* bytes, int length);
    // Room left in the backlog. Refused bytes and a call that finds no room both ask for an
    // OnReceiveRoom once the worker has taken the backlog.
    size_t ReceiveRoom();
    // The connection under the transport is gone (UI thread): once the bytes received before
    // it are fed, the worker drops the pending frame and reports error 0, as its time-outs would.
    void PeerClosed();
    // Bytes handed in and not yet fed to the framing.
    size_t ReceiveBacklog();

  protected:
    void Run() override;

  private:
    int Append(const uint8_t* bytes, int length, bool report);

    int FExtraWaits;
    platform::EventFd FReceiveEvent, FClosedEvent;
    std::mutex FReceiveLock;
    BSTM FReceived;                    // bytes handed in and not yet fed; appended, never overwritten
    std::vector<size_t> FReportStarts; // offsets in FReceived where a report begins
    bool FReaderWaits = false;         // the reader was refused room; under FReceiveLock
    BSTM FFeeding;                     // worker: the bytes being fed
    std::vector<size_t> FFeedingStarts;
};

class LNet : public LStreamTransport
{
  public:
    explicit LNet(LLinkOwner* owner) : LStreamTransport(owner, 0) {}
    ~LNet() override;

  protected:
    void WriteOut(const uint8_t* bytes, int length) override { FOwner->NetWrite(bytes, length); }
};

class LUsb : public LStreamTransport
{
  public:
    explicit LUsb(LLinkOwner* owner) : LStreamTransport(owner, 4) {}
    ~LUsb() override;

  protected:
    void WriteOut(const uint8_t* bytes, int length) override { FOwner->UsbWrite(bytes, length); }
};

class LComm : public LTransport
{
  public:
    explicit LComm(LLinkOwner* owner) : LTransport(owner, 1024) {}
    ~LComm() override;
    // False (nothing left open) for a baud rate outside 1200..128000 or a port that fails.
    virtual bool Open(const std::string& port, int baud, int byteSize, platform::Parity parity, int stopBits);
    void Close() override;
    void Send(const uint8_t* bytes, int length) override;
    void Send(const BSTM& frame) override;
    void SetGraceResends(int count) { FGrace = count; }
    int CurrentBaud() const { return FPort.CurrentBaud(); }
    const std::string& Error() const { return FPort.Error(); }

    // Shared by every LComm: one serial transport exists at a time.
    static std::atomic<int> RetryCounter;

  protected:
    void Run() override;
    void WriteOut(const uint8_t* bytes, int length) override;

  private:
    platform::SerialPort FPort;
    std::atomic<int> FGrace{0};
};
