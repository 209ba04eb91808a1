// Splits a byte stream into frames by their len byte, skipping garbage and headers that cannot be frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "proto/LCmd.h"

namespace morvex_device
{

class FrameReader
{
  public:
    // Appends every frame completed by these bytes to out, in order.
    void Feed(const uint8_t* data, size_t size, std::vector<BSTM>& out);
    void Clear() { FBuffer.clear(); }
    size_t Pending() const { return FBuffer.size(); }

  private:
    BSTM FBuffer;
};

// A reply frame: 10 02 <source id> 00 len code payload 10 03 check.
BSTM BuildReplyFrame(uint8_t sourceId, uint8_t code, const BSTM& payload);

} // namespace morvex_device
