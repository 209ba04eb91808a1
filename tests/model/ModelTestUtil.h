// Helpers shared by the model tests: a recording sink and hex byte tables.
#pragma once

#include <cctype>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "model/CommandSink.h"
#include "proto/LCmd.h"

// One command as it reached the send path.
struct Sent {
    uint8_t id;
    uint8_t code;
    std::vector<uint8_t> payload;
    bool noCoalesce;

    bool operator==(const Sent&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Sent& s)
{
    os << "{id " << int(s.id) << ", code " << int(s.code) << ", [";
    for (size_t i = 0; i < s.payload.size(); ++i)
        os << (i ? " " : "") << int(s.payload[i]);
    return os << "], " << (s.noCoalesce ? "append" : "coalesce") << "}";
}

class RecordingSink : public CommandSink
{
  public:
    void SendCommand(const LCmd& cmd, bool noCoalesce) override
    {
        sent.push_back({cmd.GetId(), cmd.GetCode(), cmd.GetPayload(), noCoalesce});
    }
    bool IsUpdating() const override { return updating; }
    int GetDeviceId() const override { return deviceId; }
    void MarkChannelCurvesDirty(int ch) override { marked.push_back(ch); }
    void ShowPresetName(int p, const std::string& name) override { names.emplace_back(p, name); }

    bool updating = false;
    int deviceId = 1;
    std::vector<Sent> sent;
    std::vector<int> marked;
    std::vector<std::pair<int, std::string>> names;
};

// Bytes from hex text; blanks between digit pairs are ignored.
inline std::vector<uint8_t> Hex(std::initializer_list<const char*> parts)
{
    std::vector<uint8_t> out;
    auto digit = [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10;
    };
    for (const char* p : parts) {
        std::string s;
        for (; *p; ++p)
            if (!std::isspace(static_cast<unsigned char>(*p)))
                s.push_back(*p);
        for (size_t i = 0; i + 1 < s.size(); i += 2)
            out.push_back(static_cast<uint8_t>(digit(s[i]) * 16 + digit(s[i + 1])));
    }
    return out;
}

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}
