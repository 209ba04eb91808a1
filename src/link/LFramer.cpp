#include "link/LFramer.h"

#include <utility>

bool LFramer::LengthImpossible(uint8_t len) const
{
    // A serial frame may carry any length byte; TCP and USB frames must fit the receive
    // buffer and carry at least a code.
    if (FKind == Kind::Serial)
        return false;
    return len == 0 || len + 8u > kMaxFrame;
}

// Drops the leading 0x10 and replays the rest, so a frame that starts inside the
// discarded bytes is still found.
void LFramer::Resync()
{
    BSTM rest(FFrame.begin() + 1, FFrame.end());
    FFrame.clear();
    for (uint8_t b : rest) {
        // A replayed byte cannot complete a frame: it was checked before it was appended.
        Append(b);
    }
}

bool LFramer::Append(uint8_t b)
{
    if (FFrame.empty()) {
        if (b == 0x10)
            FFrame.push_back(b);
        return false;
    }
    if (FFrame.size() == 1) {
        if (b == 0x02)
            FFrame.push_back(b);
        return false;
    }
    FFrame.push_back(b);
    if (FFrame.size() == 5 && LengthImpossible(FFrame[4])) {
        Resync();
        return false;
    }
    if (FFrame.size() < 5)
        return false;
    size_t want = FFrame[4] + 8u;
    if (FKind == Kind::Stream && FFrame.size() < 9)
        return false;
    return FFrame.size() == want;
}

bool LFramer::OnByte(uint8_t b)
{
    if (FRaw) {
        FFrame.push_back(b);
        return FFrame.size() == 64;
    }
    return Append(b);
}

BSTM LFramer::Take()
{
    BSTM out = std::move(FFrame);
    FFrame.clear();
    return out;
}
