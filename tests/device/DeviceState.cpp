#include "DeviceState.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "DefaultImageBytes.h"

namespace morvex_device
{

namespace
{

int Word(const BSTM& p, size_t at)
{
    return p[at] | (p[at + 1] << 8);
}

void SetBit(uint16_t& mask, int bit, bool on)
{
    if (on) {
        mask = static_cast<uint16_t>(mask | (1u << bit));
    } else {
        mask = static_cast<uint16_t>(mask & ~(1u << bit));
    }
}

bool IsInput(int ch)
{
    return ch >= 0 && ch < kInputCount;
}
bool IsOutput(int ch)
{
    return ch >= kInputCount && ch < kChannelCount;
}

Reply Ack()
{
    return Reply{kAckCode, {}};
}

} // namespace

ParamImage DefaultImage()
{
    ParamImage image{};
    const std::vector<uint8_t>& bytes = DefaultImageBytes();
    static_assert(sizeof image == 1082);
    std::memcpy(&image, bytes.data(), std::min(bytes.size(), sizeof image));
    return image;
}

SetBytes SetFromImage(const ParamImage& image)
{
    SetBytes set{};
    std::memcpy(set.data(), &image, sizeof image);
    return set;
}

ParamImage ImageFromSet(const SetBytes& set)
{
    ParamImage image;
    std::memcpy(&image, set.data(), sizeof image);
    return image;
}

DeviceState::DeviceState()
{
    const ParamImage image = DefaultImage();
    Current = SetFromImage(image);
    for (StoredPreset& preset : Presets) {
        preset.Body = Current;
        preset.Body[0] = 0;
    }
}

void DeviceState::StorePreset(int number, const ParamImage& image)
{
    if (number < 1 || number > kPresetCount) {
        return;
    }
    StoredPreset& preset = Presets[number - 1];
    preset.Body = SetFromImage(image);
    preset.Body[0] = kStoredMark;
    preset.Stored = true;
}

BSTM DeviceState::EncodeLevels(const std::array<float, kLevelSlots>& levels, uint16_t flags)
{
    BSTM out;
    for (float level : levels) {
        const uint32_t bits = std::bit_cast<uint32_t>(level);
        out.push_back(static_cast<uint8_t>(bits >> 16));
        out.push_back(static_cast<uint8_t>(bits >> 24));
        out.push_back(static_cast<uint8_t>(bits >> 8));
    }
    out.push_back(static_cast<uint8_t>(flags & 0xFF));
    out.push_back(static_cast<uint8_t>(flags >> 8));
    return out;
}

std::optional<Reply> DeviceState::Answer(const LCmd& request)
{
    const BSTM& p = request.GetPayload();
    const size_t n = p.size();
    switch (request.GetCode()) {
    case 16:
        Unlocked = false;
        return Reply{16, {}};
    case 19:
        return Reply{19, BSTM(Identity.begin(), Identity.end())};
    case 20:
        return Reply{20, {static_cast<uint8_t>(PresetNumber)}};
    case 25: {
        if (n < 3) {
            return Ack();
        }
        const int address = Word(p, 0);
        const int count = std::min<int>(p[2], kMaxFramePayload);
        BSTM data;
        for (int i = 0; i < count && address + i < kStoreSize; ++i) {
            data.push_back(Store[static_cast<size_t>(address + i)]);
        }
        return Reply{25, data};
    }
    case 26:
        if (n >= 3) {
            const int address = Word(p, 0);
            const int count = std::min<int>(p[2], static_cast<int>(n) - 3);
            for (int i = 0; i < count && address + i < kStoreSize; ++i) {
                Store[static_cast<size_t>(address + i)] = p[3 + static_cast<size_t>(i)];
            }
        }
        return Ack();
    case 32:
        if (n >= 1 && p[0] <= kPresetCount) {
            if (p[0] == 0) {
                Current = SetFromImage(DefaultImage());
            } else if (Presets[p[0] - 1].Stored) {
                Current = Presets[p[0] - 1].Body;
                Current[0] = 0;
            }
            PresetNumber = p[0];
        }
        return Ack();
    case 33:
        if (n >= 1 && p[0] >= 1 && p[0] <= kPresetCount) {
            StorePreset(p[0], Image());
            PresetNumber = p[0];
        }
        return Ack();
    case 34: {
        BSTM flags;
        for (const StoredPreset& preset : Presets) {
            flags.push_back(preset.Stored ? 255 : 0);
        }
        return Reply{34, flags};
    }
    case 35:
        Current = SetFromImage(DefaultImage());
        PresetNumber = 0;
        return Ack();
    case 36:
        if (n >= 1) {
            SelectedPreset = p[0];
        }
        return Ack();
    case 37: {
        if (n < 2) {
            return Ack();
        }
        const int chunk = p[0];
        const int index = p[1];
        if (chunk < kBlockCount && index < kPresetCount) {
            StoredPreset& preset = Presets[static_cast<size_t>(index)];
            const size_t count = std::min<size_t>(n - 2, kBlockSize);
            std::copy_n(p.begin() + 2, count, preset.Body.begin() + chunk * kBlockSize);
            if (chunk == kBlockCount - 1) {
                preset.Stored = preset.Body[0] == kStoredMark;
            }
        }
        return Reply{37, {static_cast<uint8_t>(chunk)}};
    }
    case 38:
        if (n >= static_cast<size_t>(kPresetNameSize)) {
            std::copy_n(p.begin(), kPresetNameSize, Current.begin() + 2);
        }
        return Ack();
    case 39:
    case 40: {
        if (n < 1 || p[0] >= kBlockCount) {
            return Ack();
        }
        const int block = p[0];
        const SetBytes* set = &Current;
        SetBytes factory;
        if (request.GetCode() == 40) {
            if (SelectedPreset >= 1 && SelectedPreset <= kPresetCount) {
                set = &Presets[static_cast<size_t>(SelectedPreset - 1)].Body;
            } else {
                factory = SetFromImage(DefaultImage());
                set = &factory;
            }
        }
        BSTM data{static_cast<uint8_t>(block)};
        data.insert(data.end(), set->begin() + block * kBlockSize, set->begin() + (block + 1) * kBlockSize);
        return Reply{static_cast<uint8_t>(request.GetCode() == 39 ? 36 : 40), data};
    }
    case 41: {
        if (n < 1 || p[0] >= kPresetCount) {
            return Ack();
        }
        const SetBytes& body = Presets[p[0]].Body;
        BSTM data{p[0]};
        data.insert(data.end(), body.begin() + 2, body.begin() + 2 + kPresetNameSize);
        return Reply{41, data};
    }
    case 42:
        if (n >= 2) {
            CopyChannel(p[0], p[1]);
        }
        return Ack();
    case 44:
        return Reply{44, {0, 0, 0, 0, 0, static_cast<uint8_t>(Locked ? 1 : 0)}};
    case 45: {
        const bool accepted =
            n >= 5 && std::equal(Password.begin(), Password.end(), p.begin() + 1,
                                 [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
        if (accepted) {
            Unlocked = true;
        }
        return Reply{45, {0, static_cast<uint8_t>(accepted ? 1 : 0)}};
    }
    case 47:
        if (n >= 4) {
            std::copy_n(p.begin(), 4, Password.begin());
            Locked = true;
        }
        return Ack();
    case 64:
        ++LevelRequests;
        if (!LevelScript.empty()) {
            Levels = LevelScript.front().Levels;
            LevelFlags = LevelScript.front().Flags;
            LevelScript.pop_front();
        }
        return Reply{64, EncodeLevels(Levels, LevelFlags)};
    default:
        ApplySetter(request.GetCode(), p);
        return Ack();
    }
}

bool DeviceState::ApplySetter(uint8_t code, const BSTM& p)
{
    ParamImage image = Image();
    const size_t n = p.size();
    const int ch = n >= 1 ? p[0] : -1;
    InputBlock* in = IsInput(ch) ? &image.inputs[ch] : nullptr;
    OutputBlock* out = IsOutput(ch) ? &image.outputs[ch - kInputCount] : nullptr;
    auto word = [&](size_t at) { return static_cast<int16_t>(Word(p, at)); };
    switch (code) {
    case CM_MCS_DELAYUNIT::Code:
        if (n < 1) {
            return false;
        }
        image.delayUnit = p[0];
        break;
    case CM_MCS_COMP::Code:
        if (n < 11 || !out) {
            return false;
        }
        out->comp = CompParam{word(1), word(3), word(5), word(7), word(9)};
        break;
    case CM_MCS_LOW_PASS::Code:
    case CM_MCS_HIGH_PASS::Code: {
        if (n < 4 || (!in && !out)) {
            return false;
        }
        XoverParam& x = in ? in->xover : out->xover;
        if (code == CM_MCS_LOW_PASS::Code) {
            x.lpFreq = word(1);
            x.lpSlope = p[3];
        } else {
            x.hpFreq = word(1);
            x.hpSlope = p[3];
        }
        break;
    }
    case CM_MCS_PEQ::Code: {
        const int bands = in ? kInputPeqBands : kOutputPeqBands;
        if (n < 9 || (!in && !out) || p[1] >= bands) {
            return false;
        }
        PeqBand& band = in ? in->peq[p[1]] : out->peq[p[1]];
        band = PeqBand{word(2), word(4), p[6], p[7]};
        SetBit(image.bandBypass[ch], p[1], p[8] != 0);
        break;
    }
    case CM_MCS_GAIN::Code:
    case CM_MCS_POLARITY::Code:
    case CM_MCS_DELAY::Code: {
        if (n < 2 || (!in && !out) || (code != CM_MCS_POLARITY::Code && n < 3)) {
            return false;
        }
        const uint16_t value = code == CM_MCS_POLARITY::Code ? p[1] : static_cast<uint16_t>(Word(p, 1));
        uint16_t& field = code == CM_MCS_GAIN::Code    ? (in ? in->gain : out->gain)
                          : code == CM_MCS_DELAY::Code ? (in ? in->delay : out->delay)
                                                       : (in ? in->polarity : out->polarity);
        field = value;
        break;
    }
    case CM_MCS_MUTE::Code:
        if (n < 2 || (!in && !out)) {
            return false;
        }
        if (in) {
            SetBit(image.inputMute, ch, p[1] != 0);
        } else {
            SetBit(image.outputMute, ch - kInputCount, p[1] != 0);
        }
        break;
    case CM_MCS_WORK_MODE::Code:
        if (n < 2) {
            return false;
        }
        image.workMode = p[0];
        image.sineIndex = p[1];
        break;
    case CM_MCS_MATRIX::Code:
        if (n < 2 || !out) {
            return false;
        }
        out->routeMask = p[1];
        break;
    case 59: // link word
        if (n < 2 || (!in && !out)) {
            return false;
        }
        (in ? in->link : out->link) = p[1];
        break;
    case 60: // whole PEQ bypass
        if (n < 2 || (!in && !out)) {
            return false;
        }
        if (in) {
            SetBit(image.inputEqBypass, ch, p[1] != 0);
        } else {
            SetBit(image.outputEqBypass, ch - kInputCount, p[1] != 0);
        }
        break;
    case CM_MCS_CHANNEL_NAME::Code:
        if (n < 1 + static_cast<size_t>(kChannelNameSize) || (!in && !out)) {
            return false;
        }
        std::copy_n(p.begin() + 1, kChannelNameSize, in ? in->name : out->name);
        break;
    case CM_MCS_GATE::Code:
        if (n < 9 || !in) {
            return false;
        }
        in->gate = GateParam{word(1), word(3), word(5), word(7)};
        break;
    case CM_MCS_LIMIT::Code:
        if (n < 9 || !out) {
            return false;
        }
        out->limit = LimitParam{word(1), word(3), word(5), word(7)};
        break;
    case CM_MCS_MIX::Code:
        if (n < 4 || !out || p[1] >= kInputCount) {
            return false;
        }
        out->mix[p[1]] = static_cast<uint16_t>(Word(p, 2));
        break;
    case CM_MCS_GEQ::Code:
        if (n < 4 || !in || p[1] >= kGeqBands) {
            return false;
        }
        in->geq[p[1]] = word(2);
        break;
    case 73: // graphic EQ bypass
        if (n < 2 || !in) {
            return false;
        }
        SetBit(image.geqBypass, ch, p[1] != 0);
        break;
    default:
        return false;
    }
    // Bytes past the image (1082..1099) are kept as they are.
    std::memcpy(Current.data(), &image, sizeof image);
    return true;
}

void DeviceState::CopyChannel(int src, int dst)
{
    // The same fields as the editor's own channel copy: the processing, the PEQ band bypasses, the mute
    // and EQ-bypass bits; never the name, the link word, an output's routing and mix, or the GEQ bypass.
    ParamImage image = Image();
    if (IsInput(src) && IsInput(dst)) {
        InputBlock& target = image.inputs[dst];
        const InputBlock& source = image.inputs[src];
        target.gate = source.gate;
        std::copy_n(source.geq, kGeqBands, target.geq);
        std::copy_n(source.peq, kInputPeqBands, target.peq);
        target.xover = source.xover;
        target.gain = source.gain;
        target.polarity = source.polarity;
        target.delay = source.delay;
        SetBit(image.inputMute, dst, (image.inputMute >> src) & 1);
        SetBit(image.inputEqBypass, dst, (image.inputEqBypass >> src) & 1);
    } else if (IsOutput(src) && IsOutput(dst)) {
        OutputBlock& target = image.outputs[dst - kInputCount];
        const OutputBlock& source = image.outputs[src - kInputCount];
        target.xover = source.xover;
        std::copy_n(source.peq, kOutputPeqBands, target.peq);
        target.comp = source.comp;
        target.limit = source.limit;
        target.gain = source.gain;
        target.polarity = source.polarity;
        target.delay = source.delay;
        SetBit(image.outputMute, dst - kInputCount, (image.outputMute >> (src - kInputCount)) & 1);
        SetBit(image.outputEqBypass, dst - kInputCount, (image.outputEqBypass >> (src - kInputCount)) & 1);
    } else {
        return;
    }
    image.bandBypass[dst] = image.bandBypass[src];
    std::memcpy(Current.data(), &image, sizeof image);
}

} // namespace morvex_device
