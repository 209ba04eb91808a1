#include "link/LTransport.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <utility>

namespace
{
std::atomic<uint64_t> gGeneration{0};

// Waits on the given descriptors; returns the index of the first readable one in order,
// -1 on time-out, -2 on a failed wait. revents of every entry are left for the caller.
int WaitFirst(pollfd* fds, int n, int timeoutMs)
{
    for (;;) {
        int r = ::poll(fds, n, timeoutMs < 0 ? 0 : timeoutMs);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return -2;
        if (r == 0)
            return -1;
        for (int i = 0; i < n; ++i) {
            if (fds[i].revents)
                return i;
        }
        return -1;
    }
}
} // namespace

LTransport::LTransport(LLinkOwner* owner, size_t sendBufferSize)
    : FOwner(owner), FSendBufferSize(sendBufferSize)
{
}

LTransport::~LTransport()
{
    Shutdown();
}

bool LTransport::StartWorker()
{
    if (FThread.joinable()) {
        if (!WorkerEnded())
            return false;
        FThread.join();
    }
    if (!FStopEvent.Valid() || !FSendEvent.Valid())
        return false;
    FStopEvent.Consume();
    FSendEvent.Consume();
    DropPending();
    FGate = LSyncGate();
    FGeneration = ++gGeneration;
    FTimeouts = 0;
    {
        std::lock_guard g(FEndLock);
        FEnded = false;
    }
    FOpen = true;
    try {
        FThread = std::thread([this] {
            Run();
            FOpen = false;
            {
                std::lock_guard g(FEndLock);
                FEnded = true;
            }
            FEndCv.notify_all();
        });
    } catch (const std::system_error&) {
        FOpen = false;
        std::lock_guard g(FEndLock);
        FEnded = true;
        return false;
    }
    return true;
}

bool LTransport::WorkerEnded()
{
    std::lock_guard g(FEndLock);
    return FEnded;
}

void LTransport::Close()
{
    if (!FThread.joinable())
        return;
    FGate.Close();
    FStopEvent.Signal();
    std::unique_lock l(FEndLock);
    if (!FEndCv.wait_for(l, std::chrono::milliseconds(kCloseWaitMs), [this] { return FEnded; })) {
        l.unlock();
        OnError(LINK_ERR_CLOSE_TIMEOUT, 0);
        return;
    }
    l.unlock();
    FThread.join();
}

void LTransport::Shutdown()
{
    Close();
    if (FThread.joinable())
        FThread.join();
}

void LTransport::Send(const uint8_t* bytes, int length)
{
    SetPending(bytes, length);
}

void LTransport::SetPending(const uint8_t* bytes, int length)
{
    if (!FOpen || length <= 0 || static_cast<size_t>(length) > FSendBufferSize)
        return;
    {
        std::lock_guard g(FSendLock);
        FSendBuffer.assign(bytes, bytes + length);
        ++FPendingSeq;
    }
    FSendEvent.Signal();
}

void LTransport::Send(const BSTM& frame)
{
    if (frame.empty())
        return;
    SetPending(frame.data(), static_cast<int>(frame.size()));
}

void LTransport::OnByte(uint8_t) {}

void LTransport::OnError(int code, int arg)
{
    LLinkOwner* owner = FOwner;
    uint64_t gen = FGeneration;
    owner->PostToUi([owner, code, arg, gen] { owner->OnLinkError(code, arg, gen); });
}

bool LTransport::WritePending()
{
    {
        std::lock_guard g(FSendLock);
        if (FSendBuffer.empty() || FSendBuffer[0] == 0)
            return false;
        FWriting.assign(FSendBuffer.begin(), FSendBuffer.end()); // keeps its capacity
        FWrittenSeq = FPendingSeq;
    }
    WriteOut(FWriting.data(), static_cast<int>(FWriting.size()));
    return true;
}

bool LTransport::WriteFresh()
{
    {
        std::lock_guard g(FSendLock);
        if (FWrittenSeq == FPendingSeq)
            return false;
    }
    return WritePending();
}

bool LTransport::PendingWritten()
{
    std::lock_guard g(FSendLock);
    return FWrittenSeq == FPendingSeq;
}

bool LTransport::PendingEmpty()
{
    std::lock_guard g(FSendLock);
    return FSendBuffer.empty() || FSendBuffer[0] == 0;
}

uint8_t LTransport::PendingDestination()
{
    std::lock_guard g(FSendLock);
    return FSendBuffer.size() > 3 ? FSendBuffer[3] : 0;
}

void LTransport::DropPending()
{
    std::lock_guard g(FSendLock);
    if (!FSendBuffer.empty())
        FSendBuffer[0] = 0;
    FWrittenSeq = FPendingSeq; // nothing of it is left to write
}

bool LTransport::HandOver(std::function<void()> fn)
{
    LLinkOwner* owner = FOwner;
    return FGate.Call([owner](std::function<void()> f) { owner->PostToUi(std::move(f)); }, std::move(fn));
}

LStreamTransport::LStreamTransport(LLinkOwner* owner, int extraWaits)
    : LTransport(owner, 128), FExtraWaits(extraWaits)
{
}

bool LStreamTransport::Open()
{
    if (FOpen || !FReceiveEvent.Valid() || !FClosedEvent.Valid())
        return false;
    FReceiveEvent.Consume();
    FClosedEvent.Consume();
    {
        std::lock_guard g(FReceiveLock);
        FReceived.clear();
        FReportStarts.clear();
        FReaderWaits = false;
    }
    return StartWorker();
}

int LStreamTransport::Receive(const uint8_t* bytes, int length)
{
    return Append(bytes, length, false);
}

bool LStreamTransport::ReceiveReport(const uint8_t* bytes, int length)
{
    return length <= 0 || Append(bytes, length, true) == length;
}

int LStreamTransport::Append(const uint8_t* bytes, int length, bool report)
{
    if (length <= 0)
        return 0;
    size_t take;
    {
        std::lock_guard g(FReceiveLock);
        const size_t room = kMaxReceiveBacklog - std::min(FReceived.size(), kMaxReceiveBacklog);
        take = std::min(room, static_cast<size_t>(length));
        if (report && take < static_cast<size_t>(length))
            take = 0; // a report is never split
        if (take < static_cast<size_t>(length))
            FReaderWaits = true;
        if (take == 0)
            return 0;
        if (report)
            FReportStarts.push_back(FReceived.size());
        FReceived.insert(FReceived.end(), bytes, bytes + take);
    }
    FReceiveEvent.Signal();
    return static_cast<int>(take);
}

size_t LStreamTransport::ReceiveRoom()
{
    std::lock_guard g(FReceiveLock);
    const size_t room = kMaxReceiveBacklog - std::min(FReceived.size(), kMaxReceiveBacklog);
    if (room == 0)
        FReaderWaits = true;
    return room;
}

size_t LStreamTransport::ReceiveBacklog()
{
    std::lock_guard g(FReceiveLock);
    return FReceived.size();
}

void LStreamTransport::PeerClosed()
{
    if (FOpen)
        FClosedEvent.Signal();
}

void LStreamTransport::Run()
{
    int retry = 0;
    int extra = 0;
    for (;;) {
        pollfd fds[4] = {{FReceiveEvent.Fd(), POLLIN, 0},
                         {FSendEvent.Fd(), POLLIN, 0},
                         {FStopEvent.Fd(), POLLIN, 0},
                         {FClosedEvent.Fd(), POLLIN, 0}};
        int which = WaitFirst(fds, 4, FTimeout);
        if (which == 0) {
            FReceiveEvent.Consume();
            FFeeding.clear();
            FFeedingStarts.clear();
            bool readerWaits;
            {
                std::lock_guard g(FReceiveLock);
                FFeeding.swap(FReceived); // both keep their capacity
                FFeedingStarts.swap(FReportStarts);
                readerWaits = std::exchange(FReaderWaits, false);
            }
            if (readerWaits) {
                LLinkOwner* owner = FOwner;
                uint64_t gen = FGeneration;
                owner->PostToUi([owner, gen] { owner->OnReceiveRoom(gen); });
            }
            std::lock_guard g(FLock);
            size_t next = 0;
            for (size_t i = 0; i < FFeeding.size(); ++i) {
                if (next < FFeedingStarts.size() && FFeedingStarts[next] == i) {
                    OnReportStart();
                    ++next;
                }
                OnByte(FFeeding[i]);
            }
            // A frame handed over by a reply goes out before more bytes are fed.
            if (WriteFresh()) {
                retry = 0;
                extra = 0;
            }
        } else if (which == 1) {
            FSendEvent.Consume();
            retry = 0;
            std::lock_guard g(FLock);
            WriteFresh();
        } else if (which == 3) {
            FClosedEvent.Consume();
            retry = 0;
            extra = 0;
            uint8_t dest = PendingDestination();
            DropPending();
            OnError(LINK_ERR_NO_REPLY, dest);
        } else if (which == -1) {
            ++FTimeouts;
            if (retry < FRetries) {
                std::lock_guard g(FLock);
                WritePending();
                ++retry;
                extra = 0;
            } else if (extra < FExtraWaits) {
                ++extra;
            } else {
                retry = 0;
                uint8_t dest = PendingDestination();
                DropPending();
                OnError(LINK_ERR_NO_REPLY, dest);
            }
        } else {
            return; // stop event or a failed wait
        }
    }
}

LNet::~LNet()
{
    Shutdown();
}
LUsb::~LUsb()
{
    Shutdown();
}

std::atomic<int> LComm::RetryCounter{0};

LComm::~LComm()
{
    Shutdown();
    FPort.Close();
}

bool LComm::Open(const std::string& port, int baud, int byteSize, platform::Parity parity, int stopBits)
{
    if (baud < 1200 || baud > 128000)
        return false;
    if (FOpen)
        return false;
    if (!FPort.Open(port, baud, byteSize, parity, stopBits))
        return false;
    if (!StartWorker()) {
        FPort.Close();
        return false;
    }
    return true;
}

void LComm::Close()
{
    LTransport::Close();
    if (WorkerEnded()) {
        FPort.Purge();
        FPort.Close();
    }
}

void LComm::Send(const uint8_t* bytes, int length)
{
    if (FOpen && length > 0)
        FOwner->LogComWrite(bytes, length);
    SetPending(bytes, length);
}

void LComm::Send(const BSTM& frame)
{
    if (frame.empty())
        return;
    LComm::Send(frame.data(), static_cast<int>(frame.size()));
}

void LComm::WriteOut(const uint8_t* bytes, int length)
{
    FPort.Write(bytes, static_cast<size_t>(length));
}

void LComm::Run()
{
    for (;;) {
        pollfd fds[3] = {{FPort.Fd(), POLLIN, 0}, {FSendEvent.Fd(), POLLIN, 0}, {FStopEvent.Fd(), POLLIN, 0}};
        int which = WaitFirst(fds, 3, FTimeout);
        if (which == -2) {
            OnError(LINK_ERR_WAIT_START, 0);
            return;
        }
        if (which == 0) {
            if (fds[0].revents & POLLIN) {
                uint8_t buf[256];
                std::lock_guard g(FLock);
                int n = FPort.Read(buf, sizeof buf);
                if (n > 0) {
                    for (int i = 0; i < n; ++i)
                        OnByte(buf[i]);
                    // A frame handed over by a reply goes out before more bytes are read.
                    if (WriteFresh())
                        RetryCounter = 0;
                    continue;
                }
                if (n < 0 && (errno == EAGAIN || errno == EINTR))
                    continue;
            }
            OnError(LINK_ERR_WAIT, PendingDestination()); // the port hung up or failed
            return;
        }
        if (which == 1) {
            FSendEvent.Consume();
            RetryCounter = 0;
            std::lock_guard g(FLock);
            WriteFresh();
            continue;
        }
        if (which == 2)
            return;
        ++FTimeouts;
        if (FGrace > 0) {
            --FGrace;
            std::lock_guard g(FLock);
            WritePending();
        } else if (RetryCounter < FRetries) {
            std::lock_guard g(FLock);
            WritePending();
            ++RetryCounter;
        } else {
            RetryCounter = 0;
            uint8_t dest = PendingDestination();
            DropPending();
            OnError(LINK_ERR_NO_REPLY, dest);
        }
    }
}
