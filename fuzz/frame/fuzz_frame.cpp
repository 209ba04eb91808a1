// Arbitrary bytes as a received frame, in both parse modes, and the command built back.
#include "proto/LCmd.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BSTM bytes(data, data + size);

    const LCmd framed(bytes);
    if (framed.GetPayload().size() > size) {
        std::abort();
    }
    const BSTM rebuilt = BuildFrame(framed);
    if (framed.GetPayload().size() <= static_cast<size_t>(kMaxFramePayload)) {
        // A rebuilt frame parses back to the same code and payload.
        const LCmd again(rebuilt);
        if (again.GetCode() != framed.GetCode() || again.GetPayload() != framed.GetPayload()) {
            std::abort();
        }
    } else if (!rebuilt.empty()) {
        std::abort();
    }

    const LCmd raw(bytes, FrameMode::Payload);
    if (raw.GetPayload() != bytes || BuildFrame(raw, FrameMode::Payload) != bytes) {
        std::abort();
    }
    return 0;
}
