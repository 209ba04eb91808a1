// Any bytes as the text of a name or a password: the UTF-8 to code-page conversion against Qt's
// UTF-8 decoder (for well-formed text), the way back, the fixed-width name fields as the model and
// the frames carry them, and the four password bytes of both lock commands.
#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/ValueScales.h"
#include "model/LSyncMachine.h"
#include "model/LUnitControl.h"
#include "proto/LCmd.h"

namespace
{

// Each code point of well-formed UTF-8 to its byte below 256, or '?'.
std::string Reference(const QByteArray& utf8)
{
    std::string out;
    for (const char32_t cp : QString::fromUtf8(utf8).toUcs4())
        out.push_back(cp < 0x100 ? static_cast<char>(cp) : '?');
    return out;
}

struct NameSink : CommandSink {
    void SendCommand(const LCmd& cmd, bool) override { Last = BuildFrame(cmd); }
    bool IsUpdating() const override { return false; }
    int GetDeviceId() const override { return 1; }
    void MarkChannelCurvesDirty(int) override {}
    void ShowPresetName(int, const std::string& name) override { Shown = name; }
    BSTM Last;
    std::string Shown;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string ansi = WideToAnsi(text);
    if (ansi.size() > text.size())
        std::abort();
    const QByteArray utf8(text.data(), qsizetype(text.size()));
    if (utf8.isValidUtf8() && ansi != Reference(utf8))
        std::abort();
    // Code page to UTF-8 is well-formed and comes back unchanged.
    const std::string back = AnsiToUtf8(text);
    if (!QByteArray(back.data(), qsizetype(back.size())).isValidUtf8() || WideToAnsi(back) != text)
        std::abort();
    const bool numeric = IsNumericText(text);
    for (const char c : ansi)
        if (numeric && !((c >= '0' && c <= '9') || c == '.' || c == ',' || c == ' '))
            std::abort();

    // Name fields: cut and padded to their width, stored in the model and sent as they are.
    NameSink sink;
    LUnitControl unit;
    unit.SetSink(&sink);
    const std::string channel = WideToAnsiField(text, kChannelNameSize, '\0');
    const std::string preset = WideToAnsiField(text, kPresetNameSize, ' ');
    if (channel.size() != static_cast<size_t>(kChannelNameSize) ||
        preset.size() != static_cast<size_t>(kPresetNameSize))
        std::abort();
    if (channel.compare(0, std::min(ansi.size(), channel.size()), ansi, 0,
                        std::min(ansi.size(), channel.size())) != 0)
        std::abort();
    std::array<uint8_t, kChannelNameSize> field{};
    std::copy(channel.begin(), channel.end(), field.begin());
    const int ch = size > 0 ? data[0] % kChannelCount : 0;
    unit.SetChannelName(ch, field);
    const auto stored = unit.GetChannelName(ch);
    if (!std::equal(stored.begin(), stored.end(), field.begin()))
        std::abort();
    if (sink.Last.size() < static_cast<size_t>(kChannelNameSize) + kFrameOverhead)
        std::abort();
    if (!unit.SetPresetName(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(preset.data()), preset.size())))
        std::abort();
    const auto name = unit.GetPresetName();
    if (!std::equal(name.begin(), name.end(), reinterpret_cast<const uint8_t*>(preset.data())))
        std::abort();
    // A name reply shows 14 characters, zero bytes as blanks.
    BSTM reply{1};
    reply.insert(reply.end(), data, data + std::min<size_t>(size, kPresetNameSize));
    if (unit.ShowPresetName(1, reply)) {
        if (sink.Shown.size() != static_cast<size_t>(kPresetNameSize) ||
            sink.Shown.find('\0') != std::string::npos)
            std::abort();
    } else if (reply.size() >= static_cast<size_t>(1 + kPresetNameSize)) {
        std::abort();
    }

    // Passwords: four upper-case bytes, zero after a short text, the same in both lock commands.
    const std::array<char, 4> pass = LSyncMachine::PasswordBytes(std::string(text));
    for (size_t i = 0; i < pass.size(); ++i) {
        const char want =
            i < text.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[i]))) : 0;
        if (pass[i] != want)
            std::abort();
    }
    const BSTM submit = CM_MCS_PASS_SUBMIT(1, pass.data()).GetPayload();
    const BSTM lock = CM_MCS_SET_LOCK(1, pass.data()).GetPayload();
    if (lock.size() < 4 || submit.size() < 4 ||
        !std::equal(pass.begin(), pass.end(), submit.end() - 4,
                    [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }) ||
        !std::equal(pass.begin(), pass.end(), lock.begin(),
                    [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }))
        std::abort();
    return 0;
}
