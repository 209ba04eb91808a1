// Any byte stream through the receive framing of both kinds: every frame handed out is as long as
// its length byte says, and a stream frame fits the receive buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "link/LFramer.h"

namespace
{
void Check(const BSTM& f, LFramer::Kind kind, bool raw)
{
    if (raw) {
        if (f.size() != 64) {
            std::abort();
        }
        return;
    }
    if (f.size() < 8 || f[0] != 0x10 || f[1] != 0x02 || f.size() != f[4] + 8u) {
        std::abort();
    }
    if (kind == LFramer::Kind::Stream && f.size() > LFramer::kMaxFrame) {
        std::abort();
    }
    LCmd parsed(f);
    (void)parsed;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) {
        return 0;
    }
    const bool raw = (data[0] & 1) != 0;
    for (LFramer::Kind kind : {LFramer::Kind::Stream, LFramer::Kind::Serial}) {
        LFramer framer(kind);
        framer.SetRaw(raw);
        for (size_t i = 1; i < size; ++i) {
            if (framer.OnByte(data[i])) {
                Check(framer.Take(), kind, raw);
            }
            if (kind == LFramer::Kind::Stream && framer.Pending() > LFramer::kMaxFrame) {
                std::abort();
            }
        }
    }
    return 0;
}
