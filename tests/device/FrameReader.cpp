#include "FrameReader.h"

#include <algorithm>

namespace morvex_device
{

void FrameReader::Feed(const uint8_t* data, size_t size, std::vector<BSTM>& out)
{
    FBuffer.insert(FBuffer.end(), data, data + size);
    size_t at = 0;
    for (;;) {
        // Resynchronise on the next 10 02.
        while (at < FBuffer.size() &&
               !(FBuffer[at] == kFrameDle && (at + 1 == FBuffer.size() || FBuffer[at + 1] == kFrameStx))) {
            ++at;
        }
        if (FBuffer.size() - at < 5) {
            break;
        }
        const size_t len = FBuffer[at + 4];
        if (len == 0) {
            ++at;
            continue;
        }
        const size_t total = len + kFrameOverhead;
        if (FBuffer.size() - at < total) {
            break;
        }
        if (FBuffer[at + total - 3] != kFrameDle || FBuffer[at + total - 2] != kFrameEtx) {
            ++at;
            continue;
        }
        out.emplace_back(FBuffer.begin() + static_cast<std::ptrdiff_t>(at),
                         FBuffer.begin() + static_cast<std::ptrdiff_t>(at + total));
        at += total;
    }
    FBuffer.erase(FBuffer.begin(), FBuffer.begin() + static_cast<std::ptrdiff_t>(at));
}

BSTM BuildReplyFrame(uint8_t sourceId, uint8_t code, const BSTM& payload)
{
    const size_t n = std::min<size_t>(payload.size(), kMaxFramePayload);
    BSTM frame;
    frame.reserve(n + kFrameOverhead + 1);
    for (uint8_t b : {kFrameDle, kFrameStx, sourceId, uint8_t{0x00}, static_cast<uint8_t>(n + 1), code}) {
        frame.push_back(b);
    }
    for (size_t i = 0; i < n; ++i) {
        frame.push_back(payload[i]);
    }
    frame.push_back(kFrameDle);
    frame.push_back(kFrameEtx);
    uint8_t check = 0;
    for (uint8_t b : frame) {
        check ^= b;
    }
    frame.push_back(check);
    return frame;
}

} // namespace morvex_device
