// The queue of frames waiting behind the outstanding request. Pure state; the transport
// guards it with its queue lock. Frames handed in to be appended (operations: the handshake,
// block reads and writes, link words, copies, store, recall, lock, disconnect) are never merged
// or reordered. A coalescing edit (a setter of the command table) replaces the queued edit of the
// same target (code, device id and addressing bytes) wherever it waits behind the last operation,
// keeping its place; so the queue holds at most one edit per target between operations and the
// device gets each target's last value, never moved across an operation. Any other coalescing
// frame (idle, read all, level request) replaces only the frame queued last, when that is the
// same and was not appended.
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
    enum class Kind : uint8_t { Operation, Edit, Request };

    bool FBusy = false;
    std::deque<BSTM> FQueue;
    std::deque<Kind> FKinds; // one per queued frame
    uint8_t FLastCode = 0;
};
