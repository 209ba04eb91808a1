#include "SyncRig.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "FrameReader.h"

SyncRig::SyncRig()
{
    Unit.SetSink(this);
}

void SyncRig::Connect()
{
    FLinkOpen = true;
    FQueue.clear();
    Machine.OnLinkOpened();
    SendCommand(CM_MCS_CMD(static_cast<uint8_t>(DeviceId), 16), true);
    Run();
}

void SyncRig::SendCommand(const LCmd& cmd, bool noCoalesce)
{
    if (!FLinkOpen)
        return;
    RecordSent(cmd, noCoalesce);
    BSTM frame = BuildFrame(cmd);
    // Replaces a waiting frame only when it is the same command for the same target.
    if (!noCoalesce && !FQueue.empty() && FQueue.back().second && FQueue.back().first.size() > 6 &&
        frame.size() > 6 && FQueue.back().first[5] == frame[5] && FQueue.back().first[6] == frame[6]) {
        FQueue.back().first = frame;
        return;
    }
    FQueue.emplace_back(std::move(frame), !noCoalesce);
}

void SyncRig::Run()
{
    if (FRunning)
        return;
    FRunning = true;
    while (FLinkOpen && !FQueue.empty()) {
        BSTM frame = std::move(FQueue.front().first);
        FQueue.pop_front();
        std::optional<BSTM> reply = Exchange(frame);
        if (!reply) {
            FLinkOpen = false;
            FQueue.clear();
            Machine.OnLinkClosed(true);
            break;
        }
        // The link here is exact: every reply answers the frame it was exchanged for.
        Machine.DispatchReply(*reply, frame.size() > 5 ? frame[5] : 0);
    }
    FRunning = false;
}

void SyncRig::Advance(int ms)
{
    const long long end = FNow + ms;
    for (;;) {
        auto due = std::min_element(FTimers.begin(), FTimers.end(),
                                    [](const auto& a, const auto& b) { return a.second < b.second; });
        if (due == FTimers.end() || due->second > end)
            break;
        FNow = due->second;
        const LSyncTimer t = due->first;
        FTimers.erase(due);
        Machine.OnTimer(t);
        Run();
    }
    FNow = end;
}

void SyncRig::StartTimer(LSyncTimer timer, int ms)
{
    FTimers[timer] = FNow + ms;
}

void SyncRig::CloseLink()
{
    if (!FLinkOpen)
        return;
    FLinkOpen = false;
    FQueue.clear();
    ShowOffline();
    Machine.OnLinkClosed(false);
}

std::optional<BSTM> InProcessDevice::operator()(const BSTM& frame)
{
    Received.push_back(frame);
    if (SilentAfter >= 0 && Answered >= SilentAfter)
        return std::nullopt;
    ++Answered;
    const LCmd request(frame);
    std::optional<morvex_device::Reply> reply = State.Answer(request);
    if (!reply)
        return std::nullopt;
    auto hostile = Override.find(reply->Code);
    if (hostile != Override.end()) {
        reply->Payload = hostile->second;
        Override.erase(hostile);
    }
    const uint8_t id = ReplyId >= 0 ? static_cast<uint8_t>(ReplyId) : Id;
    return morvex_device::BuildReplyFrame(id, reply->Code, reply->Payload);
}

std::optional<BSTM> SocketDevice::operator()(const BSTM& frame)
{
    // The transport's rule: write, wait for the reply, write again once, then the link is lost.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Link->Send(frame))
            return std::nullopt;
        std::vector<BSTM> replies = Link->ReadFrames(1, TimeoutMs);
        if (!replies.empty())
            return replies.front();
    }
    return std::nullopt;
}

std::vector<uint8_t> ImageBody(const ParamImage& image)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&image);
    return std::vector<uint8_t>(p + 2, p + sizeof image);
}

ParamImage SampleImage(int seed)
{
    ParamImage image = LUnitControl::DefaultImage();
    for (int i = 0; i < kInputCount; ++i) {
        InputBlock& in = image.inputs[i];
        in.gain = static_cast<uint16_t>(200 + seed + i);
        in.delay = static_cast<uint16_t>(96 * (seed + i));
        in.gate.threshold = static_cast<int16_t>(100 + seed);
        for (int b = 0; b < kGeqBands; ++b)
            in.geq[b] = static_cast<int16_t>((b * 7 + seed) % 241);
        for (int b = 0; b < kInputPeqBands; ++b)
            in.peq[b].gain = static_cast<int16_t>(100 + b + seed);
        in.xover.hpSlope = static_cast<uint8_t>((seed + i) % 21);
    }
    for (int j = 0; j < kOutputCount; ++j) {
        OutputBlock& out = image.outputs[j];
        out.gain = static_cast<uint16_t>(250 + seed + j);
        out.comp.ratio = static_cast<int16_t>((seed + j) % 16);
        out.mix[j % kInputCount] = static_cast<uint16_t>(seed + j);
        out.name[0] = static_cast<uint8_t>('a' + (seed + j) % 26);
    }
    image.outputMute = static_cast<uint16_t>(seed & 0x3F);
    image.bandBypass[4] = static_cast<uint16_t>(seed * 3);
    image.workMode = static_cast<uint16_t>(seed & 1);
    image.sineIndex = static_cast<uint16_t>(seed % 30);
    image.delayUnit = static_cast<uint16_t>(seed % 3);
    image.inputEqBypass = static_cast<uint16_t>(seed & 7);
    image.outputEqBypass = static_cast<uint16_t>((seed * 5) & 0x3F);
    image.geqBypass = static_cast<uint16_t>(seed & 7);
    const char name[] = "Sample Preset ";
    std::copy(name, name + kPresetNameSize, image.presetName);
    image.presetName[13] = static_cast<uint8_t>('0' + seed % 10);
    return image;
}

TempDir::TempDir(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) != nullptr)
        Path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    if (!Path.empty())
        std::filesystem::remove_all(Path, ec);
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}
