// Any bytes as the text of a name or a password, in both code pages: the UTF-8 to code-page
// conversion (against Qt's UTF-8 decoder for well-formed text in the western page), the way back, the
// fixed-width name fields as the model and the frames carry them, and the four password bytes of both
// lock commands.
#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
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

// Western page, well-formed UTF-8: one byte per code point, and the ones below 0x80 and from 0xA0 to
// 0xFF (where the page agrees with Latin-1) as themselves.
bool WesternAgrees(const QByteArray& utf8, const std::string& ansi)
{
    const QList<uint> points = QString::fromUtf8(utf8).toUcs4();
    if (std::size_t(points.size()) != ansi.size())
        return false;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const uint cp = points[i];
        if ((cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) &&
            static_cast<unsigned char>(ansi[std::size_t(i)]) != cp)
            return false;
    }
    return true;
}

// A field holds the text's first bytes, at most one short of its width (a double-byte character
// left out whole), then only padding.
bool IsFieldOf(const std::string& field, const std::string& ansi, std::size_t width, char pad)
{
    const std::size_t most = std::min(width, ansi.size());
    for (const std::size_t kept : {most, most > 0 ? most - 1 : 0})
        if (field.compare(0, kept, ansi, 0, kept) == 0 &&
            std::all_of(field.begin() + std::ptrdiff_t(kept), field.end(),
                        [pad](char c) { return c == pad; }))
            return true;
    return false;
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
    // The last byte picks the page (the interface language's).
    const CodePage page = size > 0 && (data[size - 1] & 1) ? CodePage::Gbk : CodePage::Windows1252;
    SetCodePage(page);
    const std::string ansi = WideToAnsi(text);
    if (ansi.size() > text.size())
        std::abort();
    const QByteArray utf8(text.data(), qsizetype(text.size()));
    if (page == CodePage::Windows1252 && utf8.isValidUtf8() && !WesternAgrees(utf8, ansi))
        std::abort();
    // Code page to UTF-8 is well-formed, and converted text comes back to the same bytes.
    const std::string back = AnsiToUtf8(text);
    if (!QByteArray(back.data(), qsizetype(back.size())).isValidUtf8() ||
        WideToAnsi(AnsiToUtf8(ansi)) != ansi)
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
    if (!IsFieldOf(channel, ansi, kChannelNameSize, '\0') || !IsFieldOf(preset, ansi, kPresetNameSize, ' '))
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
