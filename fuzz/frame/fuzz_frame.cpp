// Arbitrary bytes as a received frame, in both parse modes, and the command built back.
#include "link/LCmd.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BSTM bytes(data, data + size);

    const LCmd framed(bytes, 1);
    if (framed.GetPayload().size() > size) {
        std::abort();
    }
    const BSTM rebuilt = BuildFrame(framed, 1);
    if (framed.GetPayload().size() <= static_cast<size_t>(kMaxFramePayload)) {
        // A rebuilt frame parses back to the same code and payload.
        const LCmd again(rebuilt, 1);
        if (again.GetCode() != framed.GetCode() || again.GetPayload() != framed.GetPayload()) {
            std::abort();
        }
    } else if (!rebuilt.empty()) {
        std::abort();
    }

    const LCmd raw(bytes, 0);
    if (raw.GetPayload() != bytes || BuildFrame(raw, 0) != bytes) {
        std::abort();
    }
    return 0;
}
