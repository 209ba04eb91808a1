// Assembles reply frames from received bytes, split any way. Pure; used by the worker only.
// Resynchronises on garbage and on a length byte that cannot be a frame.
#pragma once

#include <cstddef>
#include <cstdint>

#include "proto/LCmd.h"

class LFramer
{
  public:
    enum class Kind { Stream, Serial };      // Serial also completes a len-0 frame at 8 bytes
    static constexpr size_t kMaxFrame = 128; // TCP and USB: a transport's receive buffer

    explicit LFramer(Kind kind = Kind::Stream) : FKind(kind) {}
    void SetRaw(bool raw) { FRaw = raw; }
    // Feeds one byte; true when FFrame now holds a complete frame (taken with Take).
    bool OnByte(uint8_t b);
    const BSTM& Frame() const { return FFrame; }
    BSTM Take();
    void Clear() { FFrame.clear(); }
    size_t Pending() const { return FFrame.size(); }

  private:
    bool Append(uint8_t b);
    bool LengthImpossible(uint8_t len) const;
    void Resync();

    Kind FKind;
    bool FRaw = false;
    BSTM FFrame;
};
