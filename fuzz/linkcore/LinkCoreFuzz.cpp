// The link core on one thread: a TCP transport whose worker loop runs only when the input says, so that
// the input decides how received bytes are split (any split, frames and garbage alike), when frames are
// queued (coalescing or not) and when the worker writes and feeds. The hand-over to the UI thread runs at
// once. Afterwards: the frames handed over are those one framer finds in the whole byte stream; every
// frame written is one that was queued, in queue order; and no frame queued as not coalescing is passed
// over by a later one.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <vector>

#include "FuzzInput.h"
#include "link/LFramer.h"
#include "link/LProc.h"
#include "runtime/Timer.h"

namespace
{

// A TCP transport without a worker thread: RunWorker runs the worker's loop over everything signalled
// so far and returns.
class StepNet : public LNet
{
  public:
    explicit StepNet(LLinkOwner* owner) : LNet(owner) {}
    bool Open() override
    {
        FOpen = true;
        return true;
    }
    void RunWorker()
    {
        FStopEvent.Signal();
        Run();
        FStopEvent.Consume();
    }
};
using StepProc = LProc<StepNet>;

// The poll timer never fires on its own here (the input calls PollTimer), so its service only hands
// out ids: restarting it costs no event-loop work.
class IdleTimers : public fw::TimerService
{
  public:
    int Start(int, std::function<void()>) override
    {
        FNext = FNext == std::numeric_limits<int>::max() ? 1 : FNext + 1;
        return FNext;
    }
    void Stop(int) override {}

  private:
    int FNext = 0;
};

struct Owner : LLinkOwner {
    void PostToUi(std::function<void()> fn) override { fn(); }
    void OnLinkFrame(const BSTM& frame, uint32_t, uint8_t) override
    {
        Frames.push_back(frame);
        if (OnFrame)
            OnFrame();
    }
    void OnLinkError(int, int, uint64_t) override { ++Errors; }
    void NetWrite(const uint8_t* bytes, int length) override { Writes.emplace_back(bytes, bytes + length); }

    std::vector<BSTM> Frames, Writes;
    std::function<void()> OnFrame;
    int Errors = 0;
};

struct Queued {
    BSTM frame;
    bool noCoalesce;
};

BSTM Frame(uint8_t code, const BSTM& payload)
{
    LCmd cmd(1, code);
    cmd.GetPayload() = payload;
    return BuildFrame(cmd);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static IdleTimers timers;
    fw::SetTimerService(&timers);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    Owner owner;
    StepProc link(&owner, 1);
    link.SetPollSuppressed(true);
    if (!link.Open())
        std::abort();
    // Kept between inputs with their room, cleared for each.
    static std::vector<Queued> queued;
    static BSTM received;
    queued.clear();
    received.clear();
    uint16_t serial = 0;

    auto queue = [&](bool noCoalesce, uint8_t kind) {
        // Not coalescing: each frame unique. Coalescing: a channel setting whose target the input picks.
        static const uint8_t kCodes[] = {48, 51, 57, 60, 18, 65};
        BSTM payload;
        uint8_t code;
        if (noCoalesce) {
            code = static_cast<uint8_t>(kind % 64);
            payload = {static_cast<uint8_t>(serial), static_cast<uint8_t>(serial >> 8)};
        } else {
            code = kCodes[kind % 6];
            payload = {static_cast<uint8_t>(kind >> 4 & 3), static_cast<uint8_t>(kind >> 6),
                       static_cast<uint8_t>(serial)};
        }
        ++serial;
        const BSTM frame = Frame(code, payload);
        if (link.QueueFrame(frame, noCoalesce))
            queued.push_back({frame, noCoalesce});
    };
    // A reply may make the owner queue more, as the editor does while it handles one.
    uint8_t followUps = 0;
    owner.OnFrame = [&] {
        if (followUps > 0) {
            --followUps;
            queue(followUps & 1, followUps);
        }
    };
    auto receive = [&](const BSTM& bytes) {
        if (bytes.empty())
            return;
        received.insert(received.end(), bytes.begin(), bytes.end());
        link.Receive(bytes.data(), static_cast<int>(bytes.size()));
    };

    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        switch (op % 8) {
        case 0:
        case 1:
            queue(op & 8, in.Byte());
            break;
        case 2:
            receive(in.Bytes(in.Byte() % 40));
            break;
        case 3: {
            // One to three replies in one piece of bytes, handed in in up to four parts.
            BSTM bytes;
            for (int n = 1 + in.Byte() % 3; n > 0; --n) {
                const uint8_t code = in.Byte();
                const BSTM frame = Frame(code, in.Bytes(in.Byte() % 6));
                bytes.insert(bytes.end(), frame.begin(), frame.end());
            }
            size_t at = 0;
            for (int part = in.Byte() % 4; part > 0 && at < bytes.size(); --part) {
                const size_t cut = at + in.Byte() % (bytes.size() - at + 1);
                receive(BSTM(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(cut)));
                at = cut;
            }
            receive(BSTM(bytes.begin() + static_cast<long>(at), bytes.end()));
            break;
        }
        case 4:
        case 5:
            link.RunWorker();
            break;
        case 6:
            followUps = in.Byte() % 4;
            break;
        default: {
            // The idle poll goes out only while nothing is outstanding or waiting.
            const bool idle = !link.Busy() && link.QueuedFrames() == 0;
            link.SetPollSuppressed(false);
            link.PollTimer();
            link.SetPollSuppressed(true);
            if (idle)
                queued.push_back({BuildFrame(CM_MCS_CMD(1, 18)), false});
            break;
        }
        }
    }
    link.RunWorker();

    // The frames handed over are what one framer finds in the whole stream, however it was split.
    LFramer framer(LFramer::Kind::Stream);
    std::vector<BSTM> want;
    for (uint8_t b : received)
        if (framer.OnByte(b))
            want.push_back(framer.Take());
    if (want != owner.Frames)
        std::abort();
    // Every frame written was queued, in queue order; none queued as not coalescing is passed over.
    size_t next = 0;
    for (const BSTM& w : owner.Writes) {
        size_t i = next;
        while (i < queued.size() && queued[i].frame != w) {
            if (queued[i].noCoalesce)
                std::abort(); // a frame that had to go out was passed over
            ++i;
        }
        if (i == queued.size())
            std::abort(); // written but never queued (or written out of order)
        next = i + 1;
    }
    return 0;
}
