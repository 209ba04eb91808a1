// LNetProc, LUsbProc, LCommProc: the transports the link core creates. They add one
// outstanding request at a time, the send queue, the framing of received bytes into
// reply frames handed to the owner, and the idle poll (code 18).
// QueueFrame, PollTimer, Close and the setters run on the UI thread; OnByte,
// OnFrameComplete and SendNext on the worker, inside the worker lock. The queue lock is
// never held across the hand-over, since the owner queues frames while handling a reply.
// A frame handed to the worker is written before the next one can replace it: only a reply
// that arrives after the outstanding frame was written lets the next one out.
#pragma once

#include <chrono>
#include <memory>
#include <mutex>

#include "link/LFramer.h"
#include "link/LSendQueue.h"
#include "link/LTransport.h"
#include "runtime/Timer.h"

template <class Base> class LProc : public Base
{
  public:
    static constexpr bool kSerial = std::is_base_of_v<LComm, Base>;

    LProc(LLinkOwner* owner, int pollAddress)
        : Base(owner), FFramer(kSerial ? LFramer::Kind::Serial : LFramer::Kind::Stream),
          FPollAddress(pollAddress)
    {
    }
    ~LProc() override
    {
        this->Shutdown();
        FPollTimer.reset();
    }

    template <class... A> bool Open(A&&... args)
    {
        FPollTimer = std::make_unique<fw::TTimer>();
        FPollTimer->SetInterval(FPollInterval);
        FPollTimer->OnTimer = [this](fw::TTimer*) { PollTimer(); };
        FPollTimer->SetEnabled(true);
        return Base::Open(std::forward<A>(args)...);
    }

    void Close() override
    {
        if (FPollTimer)
            FPollTimer->SetEnabled(false);
        {
            std::lock_guard g(FQueueLock);
            FQueue.Clear();
        }
        Base::Close();
        FPollTimer.reset();
    }

    // False when the frame was dropped: transport closed, or too long for the send buffer
    // (it is refused whole rather than sent cut short).
    bool QueueFrame(const BSTM& frame, bool noCoalesce)
    {
        if (!this->IsOpen() || frame.empty() || frame.size() > this->SendBufferSize())
            return false;
        if constexpr (!kSerial)
            FRawMode = false;
        RestartPoll();
        std::lock_guard g(FQueueLock);
        if (auto out = FQueue.Queue(frame, noCoalesce))
            HandToWorker(*out);
        return true;
    }

    void Send(const uint8_t* bytes, int length) override { Send(BSTM(bytes, bytes + length)); }
    void Send(const BSTM& frame) override
    {
        if (!this->IsOpen() || frame.empty() || frame.size() > this->SendBufferSize())
            return;
        RestartPoll();
        std::lock_guard g(FQueueLock);
        if (auto out = FQueue.Queue(frame, false))
            HandToWorker(*out);
    }

    void SetPollSuppressed(bool flag) { FPollSuppressed = flag; }
    void SetPollAddress(int id) { FPollAddress = id; }
    void SetPollInterval(int ms)
    {
        FPollInterval = ms;
        if (FPollTimer)
            FPollTimer->SetInterval(ms);
    }

    bool Busy()
    {
        std::lock_guard g(FQueueLock);
        return FQueue.Busy();
    }
    size_t QueuedFrames()
    {
        std::lock_guard g(FQueueLock);
        return FQueue.Size();
    }
    std::deque<BSTM> QueueSnapshot()
    {
        std::lock_guard g(FQueueLock);
        return FQueue.Frames();
    }

    void PollTimer()
    {
        {
            std::lock_guard g(FQueueLock);
            if (FQueue.Busy() || !FQueue.Empty() || FPollSuppressed)
                return;
        }
        Base::SetTimeout(kSerial ? 2000 : 5000);
        QueueFrame(BuildFrame(CM_MCS_CMD(static_cast<uint8_t>(FPollAddress), proto::kIdle)), false);
    }

    void OnByte(uint8_t b) override
    {
        if (FRawMode)
            FFramer.SetRaw(true);
        if (FFramer.OnByte(b))
            OnFrameComplete();
    }

    // A report is one whole frame: what an earlier report left unfinished is dropped.
    void OnReportStart() override { FFramer.Clear(); }

  private:
    // The next poll comes a full interval after the latest frame.
    void RestartPoll()
    {
        if (!FPollTimer)
            return;
        FPollTimer->SetEnabled(false);
        FPollTimer->SetEnabled(true);
    }

    void HandToWorker(const BSTM& frame)
    {
        FSendTime = std::chrono::steady_clock::now();
        FSendCode = frame.size() > 5 ? frame[5] : 0;
        Base::Send(frame);
    }

    void OnFrameComplete()
    {
        BSTM frame = FFramer.Take();
        std::chrono::steady_clock::time_point sent;
        // A reply answers the outstanding frame only once that frame has been written; a reply
        // before that (a second copy, an unsolicited one) or while idle lets nothing out.
        bool answers;
        uint8_t answered;
        {
            std::lock_guard g(FQueueLock);
            sent = FSendTime;
            answers = FQueue.Busy() && this->PendingWritten();
            answered = answers ? FSendCode : 0;
        }
        auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - sent)
                .count();
        uint32_t elapsed = ms < 0 ? 0 : ms >= 0xFFFFFFFFLL ? 0xFFFFFFFFu : static_cast<uint32_t>(ms);
        LLinkOwner* owner = this->FOwner;
        bool alt = false;
        if constexpr (kSerial) {
            owner->LogComRead(frame.data(), static_cast<int>(frame.size()));
            alt = this->CurrentBaud() != 115200;
        }
        bool handled = this->HandOver([owner, frame = std::move(frame), elapsed, alt, answered] {
            if (alt)
                owner->OnLinkFrameAltBaud(frame, elapsed);
            else
                owner->OnLinkFrame(frame, elapsed, answered);
        });
        if (handled && answers)
            SendNext();
    }

    void SendNext()
    {
        std::lock_guard g(FQueueLock);
        if (auto next = FQueue.Next())
            HandToWorker(*next);
    }

    LFramer FFramer;
    std::atomic<bool> FRawMode{false};
    std::atomic<bool> FPollSuppressed{false};
    std::atomic<int> FPollAddress;
    int FPollInterval = 2000;
    std::unique_ptr<fw::TTimer> FPollTimer; // on the timer service, so tests can step it
    std::mutex FQueueLock;
    LSendQueue FQueue;
    std::chrono::steady_clock::time_point FSendTime{};
    uint8_t FSendCode = 0; // code of the frame handed to the worker last
};

class LNetProc : public LProc<LNet>
{
  public:
    using LProc::LProc;
};

class LUsbProc : public LProc<LUsb>
{
  public:
    using LProc::LProc;
};

class LCommProc : public LProc<LComm>
{
  public:
    using LProc::LProc;
    void SetTimeout(int ms) override { LComm::SetTimeout(ms); }
};
