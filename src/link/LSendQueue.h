// The queue of frames waiting behind the outstanding request. Pure state; the transport
// guards it with its queue lock. A coalescing frame replaces the last queued frame only
// when that frame is the replaceable one and carries the same command for the same
// target (code, device id and the addressing bytes of the command table); an edit of another
// channel is never lost.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "proto/LCmd.h"

class LSendQueue
{
  public:
    // Result of a frame handed in: the frame to hand to the worker now, if any.
    std::optional<BSTM> Queue(BSTM frame, bool noCoalesce);
    // After a reply: the next frame to hand over, or nothing (the link is idle again).
    std::optional<BSTM> Next();
    void Clear();

    bool Busy() const { return FBusy; }
    bool Empty() const { return FQueue.empty(); }
    size_t Size() const { return FQueue.size(); }
    const std::deque<BSTM>& Frames() const { return FQueue; }
    uint8_t LastCode() const { return FLastCode; }

    // The same command for the same target: code, device id and the addressing bytes the command
    // table gives for the code (the whole frame where it gives none).
    static bool SameTarget(const BSTM& a, const BSTM& b);

  private:
    bool FBusy = false;
    std::deque<BSTM> FQueue;
    bool FHasReplaceable = false; // the replaceable frame is the back of the queue
    uint8_t FLastCode = 0;
};
