#include "model/LUnitControl.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "base/ValueScales.h"
#include "proto/LCmd.h"

namespace
{

// Bytes of a stored preset an upload slot keeps after its number byte: 0..1079.
constexpr int kUploadedPresetBytes = 1080;

bool IsInput(int ch)
{
    return ch >= 0 && ch < kInputCount;
}
[[maybe_unused]] bool IsOutput(int ch)
{
    return ch >= kInputCount && ch < kChannelCount;
}
int OutIndex(int ch)
{
    return ch - kInputCount;
}
// The channel's bit in the masks of its own kind.
int KindBit(int ch)
{
    return IsInput(ch) ? ch : OutIndex(ch);
}

template <size_t N> void CopyText(uint8_t (&field)[N], const char* text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text, std::min(N, std::strlen(text)));
}

void SetBit(uint16_t& word, int bit, bool on)
{
    if (on)
        word = static_cast<uint16_t>(word | (1u << bit));
    else
        word = static_cast<uint16_t>(word & ~(1u << bit));
}

// Calls f(channel) for every channel of ch's kind whose bit is in mask, in ascending order.
template <typename F> void ForGroup(int ch, uint16_t mask, F&& f)
{
    const int first = IsInput(ch) ? 0 : kInputCount;
    const int count = IsInput(ch) ? kInputCount : kOutputCount;
    for (int i = 0; i < count; ++i)
        if ((mask >> i) & 1u)
            f(first + i);
}

ParamImage MakeDefaultImage()
{
    ParamImage im{};
    std::memcpy(im.presetName, "Default Preset", kPresetNameSize);

    static constexpr int16_t kInputPeqFreqs[kInputPeqBands] = {41, 71, 101, 140, 170, 200, 240, 270};
    static constexpr int16_t kOutputPeqFreqs[kOutputPeqBands] = {31, 63, 95, 127, 158, 190, 222, 253, 285};
    static constexpr uint16_t kRoutes[kOutputCount] = {1, 2, 4, 1, 2, 4};

    for (int i = 0; i < kInputCount; ++i) {
        InputBlock& in = im.inputs[i];
        const char name[] = {'I', 'n', static_cast<char>('A' + i), 0};
        CopyText(in.name, name);
        in.gate = GateParam{0, 99, 99, 0};
        for (auto& g : in.geq)
            g = 120;
        for (int b = 0; b < kInputPeqBands; ++b)
            in.peq[b] = PeqBand{120, kInputPeqFreqs[b], 35, 0};
        in.xover = XoverParam{0, 300, 0, 0};
        in.gain = 280;
        in.link = static_cast<uint16_t>(1u << i);
    }
    for (int j = 0; j < kOutputCount; ++j) {
        OutputBlock& out = im.outputs[j];
        const char name[] = {'O', 'u', 't', static_cast<char>('1' + j), 0};
        CopyText(out.name, name);
        out.routeMask = kRoutes[j];
        for (auto& m : out.mix)
            m = 280;
        out.xover = XoverParam{0, 300, 0, 0};
        for (int b = 0; b < kOutputPeqBands; ++b)
            out.peq[b] = PeqBand{120, kOutputPeqFreqs[b], 35, 0};
        out.comp = CompParam{0, 49, 499, 0, 220};
        out.limit = LimitParam{49, 499, 0, 220};
        out.gain = 280;
        out.link = static_cast<uint16_t>(1u << j);
    }
    return im;
}

bool PeqInRange(const PeqBand& b)
{
    return b.freq >= FreqIndexMin && b.freq <= FreqIndexMax && b.q <= QIndexMax && b.type < PeqTypeCount;
}

bool XoverInRange(const XoverParam& x)
{
    return x.hpFreq >= FreqIndexMin && x.hpFreq <= FreqIndexMax && x.lpFreq >= FreqIndexMin &&
           x.lpFreq <= FreqIndexMax && x.hpSlope < XoverSlopeCount && x.lpSlope < XoverSlopeCount;
}

} // namespace

bool CheckParamRanges(const ParamImage& image)
{
    for (const InputBlock& in : image.inputs) {
        for (const PeqBand& b : in.peq)
            if (!PeqInRange(b))
                return false;
        if (!XoverInRange(in.xover))
            return false;
    }
    for (const OutputBlock& out : image.outputs) {
        for (const PeqBand& b : out.peq)
            if (!PeqInRange(b))
                return false;
        if (!XoverInRange(out.xover))
            return false;
        if (out.comp.ratio < 0 || out.comp.ratio >= RatioCount)
            return false;
    }
    return true;
}

const ParamImage& LUnitControl::DefaultImage()
{
    static const ParamImage image = MakeDefaultImage();
    return image;
}

LUnitControl::LUnitControl() : FImage(DefaultImage()) {}

void LUnitControl::LoadDefaults()
{
    FImage = DefaultImage();
}

void LUnitControl::StoreImage(const ParamImage& image)
{
    std::memcpy(reinterpret_cast<uint8_t*>(&FImage) + kStreamOffset,
                reinterpret_cast<const uint8_t*>(&image) + kStreamOffset, sizeof(ParamImage) - kStreamOffset);
}

// ---- getters ----

uint16_t LUnitControl::GetGain(int ch) const
{
    assert(IsInput(ch) || IsOutput(ch));
    return IsInput(ch) ? FImage.inputs[ch].gain : FImage.outputs[OutIndex(ch)].gain;
}

uint16_t LUnitControl::GetDelay(int ch) const
{
    assert(IsInput(ch) || IsOutput(ch));
    return IsInput(ch) ? FImage.inputs[ch].delay : FImage.outputs[OutIndex(ch)].delay;
}

bool LUnitControl::GetPolarity(int ch) const
{
    assert(IsInput(ch) || IsOutput(ch));
    return (IsInput(ch) ? FImage.inputs[ch].polarity : FImage.outputs[OutIndex(ch)].polarity) != 0;
}

bool LUnitControl::GetMute(int ch) const
{
    assert(IsInput(ch) || IsOutput(ch));
    const uint16_t mask = IsInput(ch) ? FImage.inputMute : FImage.outputMute;
    return (mask >> KindBit(ch)) & 1u;
}

PeqBand LUnitControl::GetPeq(int ch, int band) const
{
    if (IsInput(ch)) {
        assert(band >= 0 && band < kInputPeqBands);
        return FImage.inputs[ch].peq[band];
    }
    assert(IsOutput(ch) && band >= 0 && band < kOutputPeqBands);
    return FImage.outputs[OutIndex(ch)].peq[band];
}

bool LUnitControl::GetPeqBypass(int ch, int band) const
{
    assert(IsInput(ch) || IsOutput(ch));
    assert(band >= 0 && band < 16);
    return (FImage.bandBypass[ch] >> band) & 1u;
}

PeqBand LUnitControl::GetDefaultPeq(int ch, int band) const
{
    if (IsInput(ch)) {
        assert(band >= 0 && band < kInputPeqBands);
        return DefaultImage().inputs[ch].peq[band];
    }
    assert(IsOutput(ch) && band >= 0 && band < kOutputPeqBands);
    return DefaultImage().outputs[OutIndex(ch)].peq[band];
}

int16_t LUnitControl::GetGeq(int input, int band) const
{
    assert(IsInput(input) && band >= 0 && band < kGeqBands);
    return FImage.inputs[input].geq[band];
}

int16_t LUnitControl::GetDefaultGeq(int input, int band) const
{
    assert(IsInput(input) && band >= 0 && band < kGeqBands);
    return DefaultImage().inputs[input].geq[band];
}

GateParam LUnitControl::GetGate(int input) const
{
    assert(IsInput(input));
    return FImage.inputs[input].gate;
}

CompParam LUnitControl::GetComp(int ch) const
{
    assert(IsOutput(ch));
    return FImage.outputs[OutIndex(ch)].comp;
}

LimitParam LUnitControl::GetLimit(int ch) const
{
    assert(IsOutput(ch));
    return FImage.outputs[OutIndex(ch)].limit;
}

XoverParam LUnitControl::GetXover(int ch) const
{
    assert(IsInput(ch) || IsOutput(ch));
    return IsInput(ch) ? FImage.inputs[ch].xover : FImage.outputs[OutIndex(ch)].xover;
}

uint16_t LUnitControl::GetLink(int ch) const
{
    assert(IsInput(ch) || IsOutput(ch));
    return IsInput(ch) ? FImage.inputs[ch].link : FImage.outputs[OutIndex(ch)].link;
}

uint16_t LUnitControl::GetLinkGroup(int ch) const
{
    const int b = KindBit(ch);
    const uint16_t own = GetLink(ch);
    if ((own >> b) & 1u)
        return own;
    // A member: its leader is the first lower channel that lists it.
    const int first = IsInput(ch) ? 0 : kInputCount;
    uint16_t last = own;
    for (int c = first; c < ch; ++c) {
        last = GetLink(c);
        if ((last >> b) & 1u)
            return last;
    }
    return last;
}

uint16_t LUnitControl::GetLinkMembers(int ch) const
{
    const uint16_t bit = uint16_t(1u << KindBit(ch));
    if (GetLink(ch) & bit)
        return GetLink(ch);
    for (int c = IsInput(ch) ? 0 : kInputCount; c < ch; ++c)
        if (GetLink(c) & bit)
            return GetLink(c);
    return bit;
}

int LUnitControl::LeaderOf(int ch) const
{
    if (GetLink(ch) != 0)
        return ch;
    const unsigned bit = 1u << KindBit(ch);
    const int first = IsInput(ch) ? 0 : kInputCount;
    for (int c = first; c < (IsInput(ch) ? kInputCount : kChannelCount); ++c)
        if (GetLink(c) & bit)
            return c;
    return -1;
}

uint16_t LUnitControl::GetMatrix(int ch) const
{
    assert(IsOutput(ch));
    return FImage.outputs[OutIndex(ch)].routeMask;
}

uint16_t LUnitControl::GetMix(int ch, int input) const
{
    assert(IsOutput(ch) && IsInput(input));
    return FImage.outputs[OutIndex(ch)].mix[input];
}

std::span<const uint8_t, kChannelNameSize> LUnitControl::GetChannelName(int ch) const
{
    assert(IsInput(ch) || IsOutput(ch));
    return IsInput(ch) ? std::span<const uint8_t, kChannelNameSize>(FImage.inputs[ch].name)
                       : std::span<const uint8_t, kChannelNameSize>(FImage.outputs[OutIndex(ch)].name);
}

std::span<const uint8_t, kPresetNameSize> LUnitControl::GetPresetName() const
{
    return std::span<const uint8_t, kPresetNameSize>(FImage.presetName);
}

uint16_t LUnitControl::GetEqBypassMask(int ch) const
{
    return IsInput(ch) ? FImage.inputEqBypass : FImage.outputEqBypass;
}

bool LUnitControl::IsPresetStored(int k) const
{
    assert(k >= 0 && k < kUserPresets);
    return FPresetStored[k] != 0;
}

void LUnitControl::SetEqBypassMask(int ch, uint16_t word)
{
    if (IsInput(ch))
        FImage.inputEqBypass = word;
    else
        FImage.outputEqBypass = word;
}

void LUnitControl::MarkPresetStored(int k)
{
    assert(k >= 0 && k < kUserPresets);
    FPresetStored[k] = 1;
}

// ---- send path ----

bool LUnitControl::Updating() const
{
    return FSink && FSink->IsUpdating();
}

uint8_t LUnitControl::DeviceId() const
{
    return FSink ? static_cast<uint8_t>(FSink->GetDeviceId()) : 0;
}

void LUnitControl::Send(const LCmd& cmd, bool noCoalesce) const
{
    if (FSink)
        FSink->SendCommand(cmd, noCoalesce);
}

void LUnitControl::SendEdit(const LCmd& cmd, bool noCoalesce) const
{
    if (!Updating())
        Send(cmd, noCoalesce);
}

void LUnitControl::MarkCurves(int ch) const
{
    if (FSink)
        FSink->MarkChannelCurvesDirty(ch);
}

// ---- setters ----

uint16_t LUnitControl::StoreMask(int ch) const
{
    // A member whose leader lists it nowhere would get another channel's group; the edited
    // channel itself always takes the value, so model and device stay alike.
    return static_cast<uint16_t>(GetLinkGroup(ch) | (1u << KindBit(ch)));
}

void LUnitControl::SetGate(int ch, const GateParam& gate)
{
    assert(IsInput(ch));
    ForGroup(ch, StoreMask(ch), [&](int c) { FImage.inputs[c].gate = gate; });
    SendEdit(CM_MCS_GATE(DeviceId(), ch, gate), false);
}

void LUnitControl::SetComp(int ch, const CompParam& comp)
{
    assert(IsOutput(ch));
    ForGroup(ch, StoreMask(ch), [&](int c) { FImage.outputs[OutIndex(c)].comp = comp; });
    SendEdit(CM_MCS_COMP(DeviceId(), ch, comp), false);
}

void LUnitControl::SetLimit(int ch, const LimitParam& limit)
{
    assert(IsOutput(ch));
    ForGroup(ch, StoreMask(ch), [&](int c) { FImage.outputs[OutIndex(c)].limit = limit; });
    SendEdit(CM_MCS_LIMIT(DeviceId(), ch, limit), false);
}

void LUnitControl::SetPeq(int ch, int band, const PeqBand& peq, uint8_t bypass)
{
    assert(IsInput(ch) ? band >= 0 && band < kInputPeqBands
                       : IsOutput(ch) && band >= 0 && band < kOutputPeqBands);
    ForGroup(ch, StoreMask(ch), [&](int c) {
        if (IsInput(c))
            FImage.inputs[c].peq[band] = peq;
        else
            FImage.outputs[OutIndex(c)].peq[band] = peq;
        SetBit(FImage.bandBypass[c], band, bypass != 0);
    });
    SendEdit(CM_MCS_PEQ(DeviceId(), ch, band, peq, bypass), false);
    MarkCurves(ch);
}

void LUnitControl::SetGeq(int ch, int band, int16_t level)
{
    assert(band >= 0 && band < kGeqBands);
    if (IsInput(ch))
        ForGroup(ch, StoreMask(ch), [&](int c) { FImage.inputs[c].geq[band] = level; });
    SendEdit(CM_MCS_GEQ(DeviceId(), ch, band, level), false);
    MarkCurves(ch);
}

void LUnitControl::SetHighPass(int ch, const XoverParam& xover)
{
    ForGroup(ch, StoreMask(ch), [&](int c) {
        XoverParam& x = IsInput(c) ? FImage.inputs[c].xover : FImage.outputs[OutIndex(c)].xover;
        x.hpFreq = xover.hpFreq;
        x.hpSlope = xover.hpSlope;
    });
    SendEdit(CM_MCS_HIGH_PASS(DeviceId(), ch, xover.hpFreq, xover.hpSlope), false);
    MarkCurves(ch);
}

void LUnitControl::SetLowPass(int ch, const XoverParam& xover)
{
    ForGroup(ch, StoreMask(ch), [&](int c) {
        XoverParam& x = IsInput(c) ? FImage.inputs[c].xover : FImage.outputs[OutIndex(c)].xover;
        x.lpFreq = xover.lpFreq;
        x.lpSlope = xover.lpSlope;
    });
    SendEdit(CM_MCS_LOW_PASS(DeviceId(), ch, xover.lpFreq, xover.lpSlope), false);
    MarkCurves(ch);
}

void LUnitControl::SetGain(int ch, uint16_t gain)
{
    ForGroup(ch, StoreMask(ch),
             [&](int c) { (IsInput(c) ? FImage.inputs[c].gain : FImage.outputs[OutIndex(c)].gain) = gain; });
    SendEdit(CM_MCS_GAIN(DeviceId(), ch, gain), false);
}

void LUnitControl::SetDelay(int ch, uint16_t samples)
{
    ForGroup(ch, StoreMask(ch), [&](int c) {
        (IsInput(c) ? FImage.inputs[c].delay : FImage.outputs[OutIndex(c)].delay) = samples;
    });
    SendEdit(CM_MCS_DELAY(DeviceId(), ch, samples), false);
}

void LUnitControl::SetPolarity(int ch, uint8_t flag)
{
    ForGroup(ch, StoreMask(ch), [&](int c) {
        (IsInput(c) ? FImage.inputs[c].polarity : FImage.outputs[OutIndex(c)].polarity) = flag;
    });
    SendEdit(CM_MCS_POLARITY(DeviceId(), ch, flag), false);
}

void LUnitControl::SetMute(int ch, uint8_t state)
{
    ForGroup(ch, StoreMask(ch), [&](int c) {
        SetBit(IsInput(c) ? FImage.inputMute : FImage.outputMute, KindBit(c), state != 0);
    });
    SendEdit(CM_MCS_MUTE(DeviceId(), ch, state), false);
}

void LUnitControl::SetEqBypass(int ch, uint16_t word)
{
    assert(IsInput(ch) || IsOutput(ch));
    SetEqBypassMask(ch, word);
    SendEdit(CM_MCS_CMD(DeviceId(), proto::kPeqBypass, ch, (word >> KindBit(ch)) & 1u), false);
}

void LUnitControl::SetGeqBypass(int input, uint16_t word)
{
    assert(IsInput(input));
    FImage.geqBypass = word;
    SendEdit(CM_MCS_CMD(DeviceId(), proto::kGeqBypass, input, (word >> input) & 1u), false);
}

void LUnitControl::ResetPeqBand(int ch, int band)
{
    const PeqBand peq = GetDefaultPeq(ch, band);
    ForGroup(ch, StoreMask(ch), [&](int c) {
        if (IsInput(c))
            FImage.inputs[c].peq[band] = peq;
        else
            FImage.outputs[OutIndex(c)].peq[band] = peq;
        SetBit(FImage.bandBypass[c], band, false);
    });
    Send(CM_MCS_PEQ(DeviceId(), ch, band, peq, 0), true);
    MarkCurves(ch);
}

void LUnitControl::ResetGeq(int input)
{
    assert(IsInput(input));
    for (int b = 0; b < kGeqBands; ++b) {
        const int16_t level = GetDefaultGeq(input, b);
        ForGroup(input, StoreMask(input), [&](int c) { FImage.inputs[c].geq[b] = level; });
        Send(CM_MCS_GEQ(DeviceId(), input, b, level), true);
    }
    MarkCurves(input);
}

void LUnitControl::SetTestSignal(int mode, int sineIndex)
{
    const int sine = std::max(0, sineIndex);
    SetWorkMode(static_cast<uint16_t>(mode), static_cast<uint16_t>(sine));
    SendEdit(CM_MCS_WORK_MODE(DeviceId(), mode, sine), true);
}

void LUnitControl::SetMatrix(int ch, int input, bool on)
{
    assert(IsOutput(ch) && IsInput(input));
    uint16_t& mask = FImage.outputs[OutIndex(ch)].routeMask;
    SetBit(mask, input, on);
    SendEdit(CM_MCS_MATRIX(DeviceId(), ch, mask), false);
}

void LUnitControl::SetMix(int ch, int input, uint16_t level)
{
    assert(IsOutput(ch) && IsInput(input));
    FImage.outputs[OutIndex(ch)].mix[input] = level;
    SendEdit(CM_MCS_MIX(DeviceId(), ch, input, level), false);
}

void LUnitControl::SetDelayUnit(uint16_t unit)
{
    FImage.delayUnit = unit;
    SendEdit(CM_MCS_DELAYUNIT(DeviceId(), unit), false);
}

void LUnitControl::SetLink(int ch, uint16_t word)
{
    assert(IsInput(ch) || IsOutput(ch));
    (IsInput(ch) ? FImage.inputs[ch].link : FImage.outputs[OutIndex(ch)].link) = word;
    SendEdit(CM_MCS_CMD(DeviceId(), proto::kLink, ch, word & 0xFF), true);
}

void LUnitControl::SetChannelName(int ch, std::span<const uint8_t, kChannelNameSize> name)
{
    assert(IsInput(ch) || IsOutput(ch));
    uint8_t* field = IsInput(ch) ? FImage.inputs[ch].name : FImage.outputs[OutIndex(ch)].name;
    std::memcpy(field, name.data(), kChannelNameSize);
    SendEdit(CM_MCS_CHANNEL_NAME(DeviceId(), ch, reinterpret_cast<const char*>(field)), true);
}

void LUnitControl::CopyChannel(int source, int target)
{
    if (IsInput(source)) {
        assert(IsInput(target));
        InputBlock& t = FImage.inputs[target];
        const InputBlock& s = FImage.inputs[source];
        t.gate = s.gate;
        std::memcpy(t.geq, s.geq, sizeof t.geq);
        std::memcpy(t.peq, s.peq, sizeof t.peq);
        t.xover = s.xover;
        t.gain = s.gain;
        t.polarity = s.polarity;
        t.delay = s.delay;
        SetBit(FImage.inputMute, target, (FImage.inputMute >> source) & 1u);
        SetBit(FImage.inputEqBypass, target, (FImage.inputEqBypass >> source) & 1u);
    } else {
        assert(IsOutput(source) && IsOutput(target));
        OutputBlock& t = FImage.outputs[OutIndex(target)];
        const OutputBlock& s = FImage.outputs[OutIndex(source)];
        t.xover = s.xover;
        std::memcpy(t.peq, s.peq, sizeof t.peq);
        t.comp = s.comp;
        t.limit = s.limit;
        t.gain = s.gain;
        t.polarity = s.polarity;
        t.delay = s.delay;
        SetBit(FImage.outputMute, OutIndex(target), (FImage.outputMute >> OutIndex(source)) & 1u);
        SetBit(FImage.outputEqBypass, OutIndex(target), (FImage.outputEqBypass >> OutIndex(source)) & 1u);
    }
    FImage.bandBypass[target] = FImage.bandBypass[source];
}

// ---- stream ----

std::vector<uint8_t> LUnitControl::WriteStream() const
{
    std::vector<uint8_t> out(kFileMagicSize + kStreamSize);
    std::memcpy(out.data(), kFileMagic, kFileMagicSize);
    std::memcpy(out.data() + kFileMagicSize, reinterpret_cast<const uint8_t*>(&FImage) + kStreamOffset,
                kStreamSize);
    return out;
}

bool LUnitControl::LoadStream(std::span<const uint8_t> bytes)
{
    if (bytes.size() < static_cast<size_t>(kStreamSize))
        return false;
    ParamImage next = FImage;
    std::memcpy(reinterpret_cast<uint8_t*>(&next) + kStreamOffset, bytes.data(), kStreamSize);
    if (!CheckParamRanges(next))
        return false;
    FImage = next;
    SendLoadedSet();
    return true;
}

void LUnitControl::SendLoadedSet() const
{
    // Every field, in stream order, always appended and whatever the refresh flag says;
    // each channel gets its own block's values, link groups are not applied.
    const uint8_t id = DeviceId();
    auto send = [this](const LCmd& cmd) { Send(cmd, true); };

    send(CM_MCS_PRESETNAME(id, reinterpret_cast<const char*>(FImage.presetName)));
    for (int ch = 0; ch < kInputCount; ++ch) {
        const InputBlock& in = FImage.inputs[ch];
        send(CM_MCS_CHANNEL_NAME(id, ch, reinterpret_cast<const char*>(in.name)));
        send(CM_MCS_GATE(id, ch, in.gate));
        for (int b = 0; b < kGeqBands; ++b)
            send(CM_MCS_GEQ(id, ch, b, in.geq[b]));
        send(CM_MCS_HIGH_PASS(id, ch, in.xover.hpFreq, in.xover.hpSlope));
        send(CM_MCS_LOW_PASS(id, ch, in.xover.lpFreq, in.xover.lpSlope));
        send(CM_MCS_GAIN(id, ch, in.gain));
        send(CM_MCS_POLARITY(id, ch, in.polarity != 0 ? 1 : 0));
        send(CM_MCS_DELAY(id, ch, in.delay));
        send(CM_MCS_CMD(id, proto::kLink, ch, in.link & 0xFF));
    }
    for (int j = 0; j < kOutputCount; ++j) {
        const int ch = kInputCount + j;
        const OutputBlock& out = FImage.outputs[j];
        send(CM_MCS_CHANNEL_NAME(id, ch, reinterpret_cast<const char*>(out.name)));
        send(CM_MCS_MATRIX(id, ch, out.routeMask));
        for (int i = 0; i < kInputCount; ++i)
            send(CM_MCS_MIX(id, ch, i, out.mix[i]));
        send(CM_MCS_HIGH_PASS(id, ch, out.xover.hpFreq, out.xover.hpSlope));
        send(CM_MCS_LOW_PASS(id, ch, out.xover.lpFreq, out.xover.lpSlope));
        send(CM_MCS_COMP(id, ch, out.comp));
        send(CM_MCS_LIMIT(id, ch, out.limit));
        send(CM_MCS_GAIN(id, ch, out.gain));
        send(CM_MCS_POLARITY(id, ch, out.polarity != 0 ? 1 : 0));
        send(CM_MCS_DELAY(id, ch, out.delay));
        send(CM_MCS_CMD(id, proto::kLink, ch, out.link & 0xFF));
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const uint16_t mask = IsInput(ch) ? FImage.inputMute : FImage.outputMute;
        send(CM_MCS_MUTE(id, ch, (mask >> KindBit(ch)) & 1u));
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const uint16_t word = FImage.bandBypass[ch];
        const int bands = IsInput(ch) ? kInputPeqBands : kOutputPeqBands;
        for (int b = 0; b < bands; ++b)
            send(CM_MCS_PEQ(id, ch, b, GetPeq(ch, b), (word >> b) & 1u));
    }
}

// ---- block slots ----

bool LUnitControl::StoreBlock(std::span<const uint8_t> payload)
{
    if (payload.size() < static_cast<size_t>(1 + kSetBlockSize) || payload[0] > kLastSetBlock)
        return false;
    std::memcpy(FBlockSlots[0].data() + kSetBlockSize * payload[0], payload.data() + 1, kSetBlockSize);
    return true;
}

bool LUnitControl::StoreParamBlock(std::span<const uint8_t> payload)
{
    if (!StoreBlock(payload))
        return false;
    if (payload[0] < kLastSetBlock)
        return true;
    ParamImage next = FImage;
    std::memcpy(reinterpret_cast<uint8_t*>(&next) + kStreamOffset, FBlockSlots[0].data() + kStreamOffset,
                sizeof(ParamImage) - kStreamOffset);
    // The same rule as a preset file: an index outside its table would reach the curves unchecked.
    if (!CheckParamRanges(next))
        return false;
    StoreImage(next);
    return true;
}

bool LUnitControl::StoreUploadBlock(int p, std::span<const uint8_t> payload)
{
    if (p < 1 || p > kUserPresets || !StoreBlock(payload))
        return false;
    if (payload[0] == kLastSetBlock) {
        auto& slot = FBlockSlots[p];
        slot[0] = static_cast<uint8_t>(p);
        std::memcpy(slot.data() + 1, FBlockSlots[0].data(), kUploadedPresetBytes);
    }
    return true;
}

bool LUnitControl::SetUnitInfo(std::span<const uint8_t> payload)
{
    if (payload.size() < static_cast<size_t>(kUnitInfoSize))
        return false;
    std::memcpy(FUnitInfo.data(), payload.data(), kUnitInfoSize);
    return true;
}

std::span<const uint8_t, kBlockSlotSize> LUnitControl::GetBlockSlot(int slot) const
{
    assert(slot >= 0 && slot < kBlockSlots);
    return std::span<const uint8_t, kBlockSlotSize>(FBlockSlots[slot]);
}

// ---- preset flags and names ----

bool LUnitControl::SetPresetFlags(std::span<const uint8_t> payload)
{
    if (payload.size() < static_cast<size_t>(kUserPresets))
        return false;
    for (int k = 0; k < kUserPresets; ++k)
        FPresetStored[k] = payload[k] == 255 ? 1 : 0;
    return true;
}

bool LUnitControl::SetPresetName(std::span<const uint8_t> bytes)
{
    if (bytes.size() < static_cast<size_t>(kPresetNameSize))
        return false;
    std::memcpy(FImage.presetName, bytes.data(), kPresetNameSize);
    return true;
}

void LUnitControl::ShowDefaultPresetNames() const
{
    if (!FSink)
        return;
    for (int p = 1; p <= kUserPresets; ++p)
        FSink->ShowPresetName(p, "Default Preset");
}

bool LUnitControl::ShowPresetName(int p, std::span<const uint8_t> payload) const
{
    if (p < 1 || p > kUserPresets || payload.size() < static_cast<size_t>(1 + kPresetNameSize))
        return false;
    std::string name;
    for (int i = 1; i <= kPresetNameSize; ++i)
        name.push_back(payload[i] == 0 ? ' ' : static_cast<char>(payload[i]));
    if (FSink)
        FSink->ShowPresetName(p, name);
    return true;
}
