// Arbitrary bytes as a preset file: the checks, then a load of whatever they accept.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/LUnitControl.h"
#include "model/PresetFile.h"
#include "proto/LCmd.h"

namespace
{

class CountingSink : public CommandSink
{
  public:
    void SendCommand(const LCmd& cmd, bool) override { bytes += BuildFrame(cmd).size(); }
    bool IsUpdating() const override { return false; }
    int GetDeviceId() const override { return 1; }
    void MarkChannelCurvesDirty(int) override {}
    void ShowPresetName(int, const std::string&) override {}
    size_t bytes = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> stream;
    const FileStatus st = ParsePresetFile(std::span<const uint8_t>(data, size), stream);
    LUnitControl unit;
    CountingSink sink;
    unit.SetSink(&sink);
    if (st) {
        // Whatever the checks pass must load, and must read and write back the same bytes.
        if (!unit.LoadStream(stream))
            std::abort();
        const std::vector<uint8_t> back = BuildPresetFile(unit);
        for (size_t i = 0; i < back.size() - 2; ++i)
            if (back[i] != data[i])
                std::abort();
    } else {
        // A refused file leaves the model as it was and sends nothing.
        if (sink.bytes != 0 || unit.GetGain(0) != 280)
            std::abort();
    }
    // The stream loader on its own takes any byte string.
    unit.LoadStream(std::span<const uint8_t>(data, size));
    return 0;
}
